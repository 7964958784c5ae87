// lyr_bench [--size N] [--protocolos N] [--meses N] [--tipos 1;2;...] [--vezes N] [--database URI]
//
// Times the framework's statement path against raw QtSql doing the same
// database work on the same rows, on a fresh demo office, and prints the
// ratio (framework / raw). Without --database it uses a temporary SQLite file.

#include "baixarprotocolo.h"
#include "banco.h"
#include "pacotes.h"
#include "classeslyr.h"
#include "comandosfontes.h"
#include "demonstracao.h"
#include "gerarprotocolo.h"
#include "dialogos.h"
#include "lyrsfuncoes.h"
#include "bancobench.h"
#include "medicao.h"
#include "host.h"
#include "impressao.h"
#include "insercaolote.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "recibos.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>

namespace {

// Raw multi-row INSERTs: rows gathered and sent `porComando` at a time with
// positional binds, the full statement prepared once. What the framework's
// batch insert is measured against (on PostgreSQL the fastest plain-SQL way
// short of COPY).
class LoteBruto {
public:
    LoteBruto(QSqlDatabase banco, const QString& tabela, const QStringList& colunas, int porComando = 250)
        : m_banco(banco), m_tabela(tabela), m_colunas(colunas), m_porComando(porComando), m_cheio(banco)
    {
        m_cheio.prepare(Comando(m_porComando));
    }
    void Adicionar(const QVariantList& valores)
    {
        m_valores.append(valores);
        if (m_valores.size() == m_porComando * m_colunas.size())
            Executar(m_cheio);
    }
    void Descarregar()
    {
        if (m_valores.isEmpty())
            return;
        QSqlQuery resto(m_banco);
        resto.prepare(Comando(static_cast<int>(m_valores.size() / m_colunas.size())));
        Executar(resto);
    }

private:
    QString Comando(int linhas) const
    {
        const QString linha = QLatin1Char('(') + QStringList(m_colunas.size(), QStringLiteral("?")).join(QLatin1Char(',')) + QLatin1Char(')');
        return QStringLiteral("insert into %1 (%2) values %3").arg(m_tabela, m_colunas.join(QLatin1Char(',')), QStringList(linhas, linha).join(QLatin1Char(',')));
    }
    void Executar(QSqlQuery& comando)
    {
        for (int i = 0; i < m_valores.size(); ++i)
            comando.bindValue(i, m_valores[i]);
        if (!comando.exec())
            qFatal("%s", qPrintable(comando.lastError().text()));
        m_valores.clear();
    }
    QSqlDatabase m_banco;
    QString m_tabela;
    QStringList m_colunas;
    int m_porComando;
    QSqlQuery m_cheio;
    QVariantList m_valores;
};

const QString kInsercaoItem = QStringLiteral(
    "insert into PROTOCOLOITEM ( CODIGOPROTOCOLO ,SEQITEMPRO ,DESCRITEM ,DATALCTOPRO ,VENCIMENTO ,VALOR ,CODIGOIMPOSTO "
    ",VARIACAOIMPOSTO ,CANCELADO ,CHAVEORIGEM ,CODIGOUSUARIO ,DATAHORACADASTRO ,ORIGEMDADO ,COMPETENCIA) values "
    "(:pCODIGOPROTOCOLO ,:pSEQITEMPRO ,:pDESCRITEM ,:pDATALCTOPRO ,:pVENCIMENTO ,:pVALOR ,:pCODIGOIMPOSTO "
    ",:pVARIACAOIMPOSTO ,:pCANCELADO ,:pCHAVEORIGEM ,:pCODIGOUSUARIO ,:pDATAHORACADASTRO ,:pORIGEMDADO ,:pCOMPETENCIA)");

// Item rows as generation writes them: one protocol per 20 items.
void InserirItens(nDMConexao& conexao, int quantidade, bool bruto)
{
    const QDate data(2026, 12, 6);
    const QDateTime agora(data, QTime(10, 0));
    conexao.StartTransaction();
    if (bruto) {
        QSqlQuery consulta(conexao.Database());
        consulta.prepare(ConverterParametros(kInsercaoItem).texto);
        for (int i = 0; i < quantidade; ++i) {
            const QVariantList valores = {900000000LL + i / 20, i % 20 + 1, QStringLiteral("DARF IRPJ - Competência 11/2026"),
                                          QStringLiteral("2026-12-06"), QStringLiteral("2026-12-28"), QStringLiteral("1234.56"), 1, 1,
                                          QStringLiteral("0"), QStringLiteral("0100002000000001"), 1,
                                          QStringLiteral("2026-12-06 10:00:00"), 1, QStringLiteral("2026-11-01")};
            for (int c = 0; c < valores.size(); ++c)
                consulta.bindValue(c, valores[c]);
            consulta.exec();
        }
    } else {
        TnSQLDataSet insercao(conexao);
        insercao.SetCommandText(kInsercaoItem);
        for (int i = 0; i < quantidade; ++i) {
            insercao.SetParamValues({900000000LL + i / 20, i % 20 + 1, QStringLiteral("DARF IRPJ - Competência 11/2026"), data,
                                     data.addDays(22), QVariant::fromValue(TnDecimal(123456, 2)), 1, 1, QStringLiteral("0"),
                                     QStringLiteral("0100002000000001"), 1, agora, 1, QDate(2026, 11, 1)});
            insercao.ExecSQL();
        }
    }
    conexao.Commit();
}

// The same item rows through the framework's batch insert and through raw
// multi-row INSERTs.
void InserirItensEmLote(nDMConexao& conexao, int quantidade, bool bruto)
{
    const QStringList colunas = {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "DATALCTOPRO", "VENCIMENTO", "VALOR", "CODIGOIMPOSTO",
                                 "VARIACAOIMPOSTO", "CANCELADO", "CHAVEORIGEM", "CODIGOUSUARIO", "DATAHORACADASTRO", "ORIGEMDADO",
                                 "COMPETENCIA"};
    const QDate data(2026, 12, 6);
    const QDateTime agora(data, QTime(10, 0));
    conexao.StartTransaction();
    if (bruto) {
        LoteBruto lote(conexao.Database(), QStringLiteral("PROTOCOLOITEM"), colunas);
        for (int i = 0; i < quantidade; ++i)
            lote.Adicionar({900000000LL + i / 20, i % 20 + 1, QStringLiteral("DARF IRPJ - Competência 11/2026"), QStringLiteral("2026-12-06"),
                            QStringLiteral("2026-12-28"), QStringLiteral("1234.56"), 1, 1, QStringLiteral("0"),
                            QStringLiteral("0100002000000001"), 1, QStringLiteral("2026-12-06 10:00:00"), 1, QStringLiteral("2026-11-01")});
        lote.Descarregar();
    } else {
        TnInsercaoEmLote lote(conexao, QStringLiteral("PROTOCOLOITEM"), colunas);
        for (int i = 0; i < quantidade; ++i)
            lote.Adicionar({900000000LL + i / 20, i % 20 + 1, QStringLiteral("DARF IRPJ - Competência 11/2026"), data, data.addDays(22),
                            QVariant::fromValue(TnDecimal(123456, 2)), 1, 1, QStringLiteral("0"), QStringLiteral("0100002000000001"), 1,
                            agora, 1, QDate(2026, 11, 1)});
        lote.Descarregar();
    }
    conexao.Commit();
}

// The protocols the benchmark's items belong to, written once.
void CriarProtocolosDosItens(nDMConexao& conexao, int quantidade)
{
    conexao.StartTransaction();
    TnSQLDataSet insercao(conexao);
    insercao.SetCommandText(QStringLiteral("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, "
                                           "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (:c, 1, 1, '2026-12-06', '1', "
                                           "'2026-12-06 10:00:00', 1, 1)"));
    for (int i = 0; i <= quantidade / 20; ++i) {
        insercao.SetParamValues({900000000LL + i});
        insercao.ExecSQL();
    }
    conexao.Commit();
}

void Apagar(nDMConexao& conexao)
{
    TnSQLDataSet remocao(conexao);
    remocao.SetCommandText(QStringLiteral("delete from PROTOCOLOITEM where CODIGOPROTOCOLO >= 900000000"));
    remocao.ExecSQL();
}

// Reads every column of every row, as a grid fill does.
qint64 Ler(nDMConexao& conexao, const QString& comando, bool bruto)
{
    qint64 valores = 0;
    if (bruto) {
        QSqlQuery consulta(conexao.Database());
        consulta.setForwardOnly(true);
        consulta.exec(comando);
        const int colunas = consulta.record().count();
        while (consulta.next()) {
            for (int c = 0; c < colunas; ++c)
                valores += consulta.value(c).isNull() ? 0 : 1;
        }
    } else {
        TnSQLDataSet consulta(conexao);
        consulta.SetCommandText(comando);
        consulta.Open();
        for (; !consulta.Eof(); consulta.Next()) {
            for (int c = 0; c < consulta.FieldCount(); ++c)
                valores += consulta.Fields(c).IsNull() ? 0 : 1;
        }
    }
    return valores;
}

// A month of protocols beyond the demo's dates, three items each, for the
// register to open on.
const QDate kMesDoRegistro(2027, 1, 1);
struct TnLyrPeriodo {
    QDate inicio = kMesDoRegistro;
    QDate fim = kMesDoRegistro.addMonths(1).addDays(-1);
};

void InserirMesDeProtocolos(nDMConexao& conexao, int protocolos)
{
    conexao.StartTransaction();
    TnSQLDataSet protocolo(conexao);
    protocolo.SetCommandText(QStringLiteral(
        "insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, CODIGOUSUARIO, "
        "NATUREZAPRO, CANCELADO, ORIGEMDADO) values (:c, 1, 1, :d, '1', :h, 1, '1', '0', 1)"));
    TnSQLDataSet item(conexao);
    item.SetCommandText(kInsercaoItem);
    const QDateTime agora(kMesDoRegistro, QTime(10, 0));
    for (int i = 0; i < protocolos; ++i) {
        const qint64 codigo = 800000000LL + i;
        const QDate data = kMesDoRegistro.addDays(i % 28);
        protocolo.SetParamValues({codigo, data, agora});
        protocolo.ExecSQL();
        for (int seq = 1; seq <= 3; ++seq) {
            item.SetParamValues({codigo, seq, QStringLiteral("DARF IRPJ - Competência 12/2026"), data, QDate(2027, 1, 29),
                                 QStringLiteral("1234.56"), 1, 1, QStringLiteral("0"), QStringLiteral("0100002000000001"), 1, agora, 1,
                                 QDate(2026, 12, 1)});
            item.ExecSQL();
        }
    }
    conexao.Commit();
}

// What the register reads on opening, as raw selects of the same rows: the
// month's protocols and the items of the first one (the one shown).
qint64 LerRegistroBruto(nDMConexao& conexao)
{
    const TnLyrPeriodo periodo;
    const QString condicao = QStringLiteral("DATALCTOPRO >= '%1' and DATALCTOPRO <= '%2'")
                                 .arg(periodo.inicio.toString(Qt::ISODate), periodo.fim.toString(Qt::ISODate));
    return Ler(conexao, QStringLiteral("select * from PROTOCOLO where ") + condicao + QStringLiteral(" order by CODIGOPROTOCOLO"), true)
           + Ler(conexao, QStringLiteral("select * from PROTOCOLOITEM where CODIGOPROTOCOLO = 800000000 order by CODIGOPROTOCOLO, SEQITEMPRO"),
                 true);
}

void AbrirRegistro()
{
    const TnLyrPeriodo periodo;
    std::unique_ptr<TLyrDMProtocolo> registro = CriarDM<TLyrDMProtocolo>(QStringLiteral("TLyrDMProtocolo"));
    registro->Abrir({{QStringLiteral("DataLctoPro_MAIORIGUAL"), periodo.inicio}, {QStringLiteral("DataLctoPro_MENORIGUAL"), periodo.fim}});
    registro->CriarDetalhe();
}

} // namespace

// --- generation ------------------------------------------------------------

// What the generation lists: months up to November (the demo's last whole
// month) and the source types, all twelve unless told.
struct TnPeriodoGeracao {
    QDate inicio;
    QDate fim;
    QString tipos;
};

// The process with its preview of the period: every source type, all establishments.
std::unique_ptr<TLyrDPGerarProtocolo> PreverGeracao(const TnPeriodoGeracao& periodo)
{
    auto processo = std::make_unique<TLyrDPGerarProtocolo>();
    processo->SetParam(QStringLiteral("pDataInicial"), periodo.inicio.toString(QStringLiteral("dd/MM/yyyy")));
    processo->SetParam(QStringLiteral("pDataFinal"), periodo.fim.toString(QStringLiteral("dd/MM/yyyy")));
    processo->SetParam(QStringLiteral("pListarDebitos"), QStringLiteral("0"));
    processo->SetParam(QStringLiteral("pTipo"), periodo.tipos);
    processo->SetParam(QStringLiteral("pTipoFolha"), QStringLiteral("2"));
    processo->Processar();
    return processo;
}

int LerTudo(QSqlQuery& consulta)
{
    int linhas = 0;
    while (consulta.next()) {
        for (int c = 0; c < consulta.record().count(); ++c)
            consulta.value(c);
        ++linhas;
    }
    return linhas;
}

// The financial pass's reading for one establishment and type, in both
// recipient modes: its clients, then (when it has any) its documents once.
int LerFinanceiroBruto(nDMConexao& conexao, const TnPeriodoGeracao& periodo, int empresa, int estab, int tipo)
{
    const TnFiltroFinanceiro filtro{QStringLiteral("1"), periodo.inicio, periodo.fim, empresa, estab, 0};
    int linhas = 0;
    for (int modo = 0; modo < 2; ++modo) {
        QSqlQuery clientes(conexao.Database());
        clientes.setForwardOnly(true);
        clientes.exec(ComandoClientesFinanceiro(filtro));
        if (LerTudo(clientes) == 0)
            continue;
        QSqlQuery documentos(conexao.Database());
        documentos.setForwardOnly(true);
        documentos.exec(tipo == 11 ? ComandoNotasFiscais(filtro) : ComandoBoletos(filtro));
        linhas += LerTudo(documentos);
    }
    return linhas;
}

// The same statements with the same parameters, run raw for every
// establishment and type.
void PreverBruto(nDMConexao& conexao, const TnPeriodoGeracao& periodo)
{
    QSqlQuery estabs(conexao.Database());
    estabs.exec(QStringLiteral("select CODIGOEMPRESA, CODIGOESTAB from ESTAB where ATIVO = '1' order by 1, 2"));
    QList<QPair<int, int>> lista;
    while (estabs.next())
        lista.append({estabs.value(0).toInt(), estabs.value(1).toInt()});
    int linhas = 0;
    for (const auto& [empresa, estab] : lista) {
        for (const QString& tipo : periodo.tipos.split(u';')) {
            QSqlQuery consulta(conexao.Database());
            consulta.setForwardOnly(true);
            if (InIntArray(tipo.toInt(), ListaConstFIN())) {
                linhas += LerFinanceiroBruto(conexao, periodo, empresa, estab, tipo.toInt());
                continue;
            }
            if (const TnTabelaDebito* tabela = TabelaDebitoDoTipo(tipo.toInt())) {
                consulta.prepare(ComandoDebitos(tabela->tabela, QStringLiteral("1")).replace(QRegularExpression(QStringLiteral(":p\\w+")), QStringLiteral("?")));
                for (const QVariant& valor : QVariantList{empresa, estab, periodo.inicio, periodo.fim, 0, 0})
                    consulta.addBindValue(valor);
            } else {
                const QString comando = ComandoFolha(tipo.toInt(), 2, 1);
                consulta.prepare(comando);
                consulta.bindValue(QStringLiteral(":pDataInicial"), periodo.inicio);
                consulta.bindValue(QStringLiteral(":pDataFinal"), periodo.fim);
                consulta.bindValue(QStringLiteral(":pCodigoEmpresa"), empresa);
                consulta.bindValue(QStringLiteral(":pCodigoEstab"), estab);
                consulta.bindValue(QStringLiteral(":PCODIGOEMPRESA"), empresa);
                consulta.bindValue(QStringLiteral(":PCODIGOESTAB"), estab);
                consulta.bindValue(QStringLiteral(":pListarDebitos"), 0);
            }
            consulta.exec();
            linhas += LerTudo(consulta);
        }
    }
    Q_UNUSED(linhas);
}

// The written protocols and the debits' marks undone, so each save starts alike.
void DesfazerGeracao(qint64 ultimoAntes)
{
    for (const TnTabelaDebito& tabela : TabelasDebito())
        ExecutarSQLDireto(QStringLiteral("update %1 set CODIGOPROTOCOLO = null where CODIGOPROTOCOLO > %2").arg(tabela.tabela).arg(ultimoAntes));
    for (const char* tabela : {"SERVICONOTA", "CONTARECEBER"})
        ExecutarSQLDireto(QStringLiteral("update %1 set CODIGOPROTOCOLO = null, SEQITEMPRO = null where CODIGOPROTOCOLO > %2")
                              .arg(QLatin1String(tabela))
                              .arg(ultimoAntes));
    ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLOITEM where CODIGOPROTOCOLO > %1").arg(ultimoAntes));
    ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLO where CODIGOPROTOCOLO > %1").arg(ultimoAntes));
}

// The rows the save writes, taken from a marked preview, written raw in one
// transaction: the protocols and items as multi-row INSERTs (all protocols
// first, for the items' foreign key), each debit marked by an UPDATE
// prepared once per table.
void GravarBruto(nDMConexao& conexao, TLyrDPGerarProtocolo& processo, qint64 ultimoAntes)
{
    QSqlDatabase banco = conexao.Database();
    banco.transaction();
    LoteBruto protocolos(banco, QStringLiteral("PROTOCOLO"),
                         {"CODIGOPROTOCOLO", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "TIPOPRO", "OBSERVACAO", "DATAHORACADASTRO",
                          "CODIGOUSUARIO", "FORMAENTREGA", "NATUREZAPRO", "CANCELADO", "ORIGEMDADO"});
    const QStringList colunasItem = {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "DATALCTOPRO", "VENCIMENTO", "VALOR",
                                     "CODIGOIMPOSTO", "VARIACAOIMPOSTO", "CODIGODOCEMP", "CodigoFuncContr", "CANCELADO", "CHAVEORIGEM",
                                     "CODIGOUSUARIO", "DATAHORACADASTRO", "ORIGEMDADO", "COMPETENCIA"};
    QList<QVariantList> linhasItens;
    QHash<QString, QSqlQuery> atualizacoes;
    TnClientDataSet& pros = processo.nClientDataSet;
    TnClientDataSet& itens = processo.nClientDataSetDet;
    itens.SetFiltered(false);
    qint64 codigo = ultimoAntes;
    // Both previews are ordered by preview code: one walk of each.
    itens.First();
    for (pros.First(); !pros.Eof(); pros.Next()) {
        ++codigo;
        const double previa = pros.FieldByName(QStringLiteral("CODIGOPROTOCOLO")).AsFloat();
        QVariantList protocolo{codigo};
        for (const char* campo : {"CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "TIPOPRO", "OBSERVACAO", "DATAHORACADASTRO",
                                  "CODIGOUSUARIO", "FORMAENTREGA", "NATUREZAPRO", "CANCELADO", "ORIGEMDADO"})
            protocolo.append(Valores::ParaBanco(pros.FieldByName(QLatin1String(campo)).Value()));
        protocolos.Adicionar(protocolo);
        int seq = 0;
        for (; !itens.Eof() && itens.FieldByName(QStringLiteral("CODIGOPROTOCOLO")).AsFloat() == previa; itens.Next()) {
            if (itens.FieldByName(QStringLiteral("GERAR")).AsInteger() != 1)
                continue;
            QVariantList item{codigo, ++seq};
            for (const char* campo : {"DESCRITEM", "DATALCTOPRO", "VENCIMENTO", "VALOR", "CODIGOIMPOSTO", "VARIACAOIMPOSTO", "CODIGODOCEMP",
                                      "CodigoFuncContr", "CANCELADO", "CHAVEORIGEM", "CODIGOUSUARIO", "DATAHORACADASTRO", "ORIGEMDADO", "COMPETENCIA"})
                item.append(Valores::ParaBanco(itens.FieldByName(QLatin1String(campo)).Value()));
            linhasItens.append(item);
            const QString tabela = itens.FieldByName(QStringLiteral("TABELA")).AsString();
            if (!tabela.isEmpty()) {
                QSqlQuery& atualiza = atualizacoes[tabela];
                if (atualiza.lastQuery().isEmpty()) {
                    atualiza = QSqlQuery(banco);
                    atualiza.prepare(QStringLiteral("update %1 set CODIGOPROTOCOLO = ? where CHAVEDEBITO%2 = ? and CODIGOEMPRESA = ? "
                                                    "and CODIGOPROTOCOLO is null")
                                         .arg(tabela, itens.FieldByName(QStringLiteral("TABELACHAVE")).AsString()));
                }
                atualiza.bindValue(0, codigo);
                atualiza.bindValue(1, itens.FieldByName(QStringLiteral("CHAVEDEBITO")).Value());
                atualiza.bindValue(2, pros.FieldByName(QStringLiteral("CODIGOEMPRESA")).Value());
                atualiza.exec();
            } else if (const QStringList chave = itens.FieldByName(QStringLiteral("CHAVEORIGEM")).AsString().split(u';'); chave.value(0) == u"FIN") {
                const bool nota = chave.value(1) == u"11";
                QSqlQuery& atualiza = atualizacoes[chave.value(1)];
                if (atualiza.lastQuery().isEmpty()) {
                    atualiza = QSqlQuery(banco);
                    atualiza.prepare(nota ? QStringLiteral("update SERVICONOTA set CODIGOPROTOCOLO = ?, SEQITEMPRO = ? where CODIGOESCRIT = ? "
                                                           "and SERIENS = ? and NUMERONS = ? and CODIGOPROTOCOLO is null")
                                          : QStringLiteral("update CONTARECEBER set CODIGOPROTOCOLO = ?, SEQITEMPRO = ? where CODIGOESCRIT = ? "
                                                           "and NUMERODCTOCR = ? and CODIGOPROTOCOLO is null"));
                }
                QVariantList valores{codigo, seq, chave.value(2).toInt()};
                valores += nota ? QVariantList{chave.value(3), chave.value(4).toInt()} : QVariantList{chave.value(3).toInt()};
                for (int i = 0; i < valores.size(); ++i)
                    atualiza.bindValue(i, valores[i]);
                atualiza.exec();
            }
        }
    }
    protocolos.Descarregar();
    LoteBruto insercaoItens(banco, QStringLiteral("PROTOCOLOITEM"), colunasItem);
    for (const QVariantList& item : std::as_const(linhasItens))
        insercaoItens.Adicionar(item);
    insercaoItens.Descarregar();
    banco.commit();
}

// --- batch write-off and receipts ----------------------------------------

// The write-off data answered at once, as a clerk with the pile of signed
// receipts would: the person's name, the defaults for the rest.
class TnRespostaBaixa : public TnDialogosSemUsuario {
public:
    bool PedirQuestionario(TnQuestionario& questionario) override
    {
        questionario.SetValor(QStringLiteral("pessoa"), QStringLiteral("Responsável da filial"));
        ++perguntas;
        return true;
    }
    int perguntas = 0;
};

// The write-off's protocols come after every other protocol of the run.
qint64 kPrimeiroBaixa = 0;

// `quantidade` open outgoing protocols spread over the first `filiais` active
// establishments (fewer when the demo has fewer); answers how many.
int CriarProtocolosAbertos(nDMConexao& conexao, int quantidade, int filiais)
{
    QList<QPair<int, int>> estabs;
    auto lidos = ExecutarSQL(QStringLiteral("select CODIGOEMPRESA, CODIGOESTAB from ESTAB where ATIVO = '1' order by 1, 2"));
    for (; !lidos->Eof() && estabs.size() < filiais; lidos->Next())
        estabs.append({lidos->Fields(0).AsInteger(), lidos->Fields(1).AsInteger()});
    DestruirSQL(lidos);
    conexao.StartTransaction();
    TnInsercaoEmLote protocolos(conexao, QStringLiteral("PROTOCOLO"),
                                {"CODIGOPROTOCOLO", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "TIPOPRO", "NATUREZAPRO", "OBSERVACAO",
                                 "DATAHORACADASTRO", "CODIGOUSUARIO", "ORIGEMDADO"});
    TnInsercaoEmLote itens(conexao, QStringLiteral("PROTOCOLOITEM"),
                           {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "DATALCTOPRO", "COMPETENCIA", "VENCIMENTO", "VALOR", "CODIGOUSUARIO",
                            "DATAHORACADASTRO", "ORIGEMDADO"});
    itens.DependeDe(protocolos);
    const QDate data(2026, 11, 30);
    const QDateTime agora(data, QTime(9, 0));
    for (int i = 0; i < quantidade; ++i) {
        const auto& [empresa, estab] = estabs[i % estabs.size()];
        protocolos.Adicionar({kPrimeiroBaixa + i, empresa, estab, data, QStringLiteral("1"), QStringLiteral("1"),
                              QStringLiteral("Guias 11/2026"), agora, 1, 2});
        for (int seq = 1; seq <= 3; ++seq)
            itens.Adicionar({kPrimeiroBaixa + i, seq, QStringLiteral("DARF IRPJ - Competência 10/2026"), data, QDate(2026, 10, 1),
                             QDate(2026, 11, 20), QVariant::fromValue(TnDecimal(123456 + seq, 2)), 1, agora, 2});
    }
    itens.Descarregar();
    conexao.Commit();
    return static_cast<int>(estabs.size());
}

void ReabrirProtocolos()
{
    ExecutarSQLDireto(QStringLiteral("update PROTOCOLO set DATAHORABAIXA = null, DATAHORAENTREGA = null, USUARIOEXT = null, "
                                     "CODIGOUSUARIOINT = null where CODIGOPROTOCOLO >= %1")
                          .arg(kPrimeiroBaixa));
}

// The same write-off done raw: one prepared UPDATE per protocol, one transaction.
void BaixarBruto(nDMConexao& conexao, int quantidade)
{
    QSqlDatabase banco = conexao.Database();
    banco.transaction();
    QSqlQuery baixa(banco);
    baixa.prepare(QStringLiteral("update PROTOCOLO set DATAHORAENTREGA = ? ,CODIGOUSUARIOINT = ? ,USUARIOEXT = ? ,DATAHORABAIXA = ? "
                                 "where CODIGOPROTOCOLO = ? and DATAHORABAIXA is null"));
    const QDateTime entrega = QDateTime::currentDateTime();
    for (int i = 0; i < quantidade; ++i) {
        baixa.bindValue(0, entrega);
        baixa.bindValue(1, 1);
        baixa.bindValue(2, QStringLiteral("Responsável da filial"));
        baixa.bindValue(3, QDateTime::currentDateTime());
        baixa.bindValue(4, kPrimeiroBaixa + i);
        if (!baixa.exec())
            qFatal("%s", qPrintable(baixa.lastError().text()));
    }
    banco.commit();
}

void MedirBaixaERecibos(TnHost& host, nDMConexao& conexao)
{
    constexpr int kProtocolos = 10000;
    constexpr int kFiliais = 500;
    kPrimeiroBaixa = PegarProximoCodigo(QStringLiteral("PROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"));
    const int filiais = CriarProtocolosAbertos(conexao, kProtocolos, kFiliais);
    conexao.SetCodigoUsuario(1);  // the demo's user hands the documents over
    auto resposta = std::make_unique<TnRespostaBaixa>();
    TnRespostaBaixa& respondente = *resposta;
    host.SetDialogos(std::move(resposta));
    std::unique_ptr<TLyrDPBaixarProtocolo> processo;
    const auto carregarEMarcar = [&] {
        ReabrirProtocolos();
        processo = std::make_unique<TLyrDPBaixarProtocolo>();
        processo->DataModuleCreate();
        processo->SetParam(QStringLiteral("pCodigoProtocolo"), QStringLiteral("%1-%2").arg(kPrimeiroBaixa).arg(kPrimeiroBaixa + kProtocolos - 1));
        processo->Processar();
        processo->actMarcarTodasExecute();
    };
    const double framework = Medir(carregarEMarcar, [&] { processo->actGravarExecute(); });
    if (processo->nClientDataSet.RecordCount() != 0 || respondente.perguntas == 0)
        qFatal("a baixa em lote não baixou todos os protocolos");
    const double bruto = Medir([] { ReabrirProtocolos(); }, [&] { BaixarBruto(conexao, kProtocolos); });
    Relatar(QStringLiteral("baixa em lote (%1 filiais)").arg(filiais), kProtocolos, framework, bruto);
    host.SetDialogos(nullptr);

    // A thousand receipts into one PDF: no target yet, the time is reported.
    QTemporaryDir pasta;
    QElapsedTimer relogio;
    relogio.start();
    const TnRelatorio recibos = MontarRecibos(QStringLiteral("%1-%2").arg(kPrimeiroBaixa).arg(kPrimeiroBaixa + 999), false);
    const qint64 montar = relogio.elapsed();
    int folhas = 0;
    GravarRelatorioPdf(recibos, pasta.filePath(QStringLiteral("recibos.pdf")), [&](int folha) { folhas = folha; });
    Saida() << "recibos em PDF: " << recibos.paginas.size() << " recibos, " << folhas << " folhas em " << relogio.elapsed()
            << " ms (dados " << montar << " ms), " << QFileInfo(pasta.filePath(QStringLiteral("recibos.pdf"))).size() / 1024 << " KB"
            << Qt::endl;
}

void MedirGeracao(nDMConexao& conexao, const TnPeriodoGeracao& periodo)
{
    const auto [previaFramework, previaBruta] = MedirEmTurnos({{}, [&] { PreverGeracao(periodo); }}, {{}, [&] { PreverBruto(conexao, periodo); }});
    std::unique_ptr<TLyrDPGerarProtocolo> amostra = PreverGeracao(periodo);
    amostra->nClientDataSetDet.SetFiltered(false);
    const int itens = amostra->nClientDataSetDet.RecordCount();
    const int meses = (periodo.fim.year() - periodo.inicio.year()) * 12 + periodo.fim.month() - periodo.inicio.month() + 1;
    const qsizetype tipos = periodo.tipos.split(u';', Qt::SkipEmptyParts).size();
    Relatar(QStringLiteral("prévia da geração (%1 %2, %3 tipos)").arg(meses).arg(meses == 1 ? "mês" : "meses").arg(tipos), itens,
            previaFramework, previaBruta);
    Saida() << "memória residente com a prévia aberta: " << QString::number(MemoriaResidenteMB(), 'f', 0) << " MB ("
            << amostra->nClientDataSet.RecordCount() << " protocolos, " << itens << " itens)" << Qt::endl;

    auto ultimo = ExecutarSQL(QStringLiteral("select coalesce(max(CODIGOPROTOCOLO), 0) from PROTOCOLO"));
    const qint64 ultimoAntes = ultimo->Fields(0).AsLargeInt();
    DestruirSQL(ultimo);
    std::unique_ptr<TLyrDPGerarProtocolo> processo;
    const auto marcar = [&] {
        DesfazerGeracao(ultimoAntes);
        processo = PreverGeracao(periodo);
        processo->SelecionarTodos();
    };
    const auto [gravarFramework, gravarBruto] = MedirEmTurnos({marcar, [&] { processo->actGravarExecute(); }},
                                                              {marcar, [&] { GravarBruto(conexao, *processo, ultimoAntes); }});
    DesfazerGeracao(ultimoAntes);
    Relatar(QStringLiteral("gravação da geração (todos marcados)"), itens, gravarFramework, gravarBruto);
}

int main(int argc, char* argv[])
{
    // Receipts are painted into a PDF: fonts, no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication aplicacao(argc, argv);
    QCommandLineParser argumentos;
    argumentos.addOptions({{"size", "Tamanho da demonstração.", "N", "4"},
                           {"protocolos", "Protocolos do mês em que o cadastro é aberto.", "N", "50000"},
                           {"meses", "Meses da geração, até novembro de 2026.", "N", "1"},
                           {"tipos", "Tipos da geração.", "1;2;...", "1;2;3;4;5;9;10;6;7;8;11;12"},
                           {"vezes", "Vezes que cada caso roda (vale a melhor).", "N", "5"},
                           {"database", "Banco PostgreSQL (postgresql://...); padrão: SQLite temporário.", "uri"}});
    argumentos.process(aplicacao);
    Vezes() = std::max(1, argumentos.value("vezes").toInt());

    TnBancoBench banco(argumentos.value("database"), argumentos.value("size").toInt());
    TnHost& host = banco.Host();
    nDMConexao& conexao = banco.Conexao();

    const int itens = 5000 * argumentos.value("size").toInt();
    CriarProtocolosDosItens(conexao, itens);
    const auto apagar = [&] { Apagar(conexao); };
    const auto [framework, bruto] = MedirEmTurnos({apagar, [&] { InserirItens(conexao, itens, false); }},
                                                  {apagar, [&] { InserirItens(conexao, itens, true); }});
    Relatar("inserção preparada de itens de protocolo", itens, framework, bruto);
    const auto [loteFramework, loteBruto] = MedirEmTurnos({apagar, [&] { InserirItensEmLote(conexao, itens, false); }},
                                                          {apagar, [&] { InserirItensEmLote(conexao, itens, true); }});
    Relatar("inserção em lote de itens de protocolo", itens, loteFramework, loteBruto);

    const QString leitura = QStringLiteral("select * from CALCULOEVENTO");
    auto contagem = ExecutarSQL(QStringLiteral("select count(*) from CALCULOEVENTO"));
    const qint64 linhas = contagem->Fields(0).AsLargeInt();
    DestruirSQL(contagem);
    const auto [lerFramework, lerBruto] = MedirEmTurnos({{}, [&] { Ler(conexao, leitura, false); }}, {{}, [&] { Ler(conexao, leitura, true); }});
    Relatar("leitura de todos os eventos da folha", linhas, lerFramework, lerBruto);

    // Opening the protocol register on a month: its protocols and their items only.
    const int protocolos = argumentos.value("protocolos").toInt();
    InserirMesDeProtocolos(conexao, protocolos);
    const auto [abrirFramework, abrirBruto] = MedirEmTurnos({{}, [] { AbrirRegistro(); }}, {{}, [&] { LerRegistroBruto(conexao); }});
    Relatar("abrir o cadastro de protocolos no mês", protocolos + 3LL, abrirFramework, abrirBruto);

    const int meses = std::clamp(argumentos.value("meses").toInt(), 1, 12);
    MedirGeracao(conexao, {QDate(2026, 11, 1).addMonths(1 - meses), QDate(2026, 11, 30), argumentos.value("tipos")});
    MedirBaixaERecibos(host, conexao);
    return 0;
}
