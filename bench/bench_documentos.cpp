// lyr_bench_documentos [--filiais N] [--tipos N] [--meses N] [--documentos N] [--vezes N] [--database URI]
//
// The company documents on a demo office grown by the documents' own rows:
//  - the document generation of N months x N establishments x N monthly
//    types (a rerun: the previous run's documents deleted, the new ones
//    written), against the raw DELETE and single-row prepared INSERTs of the
//    same rows in one transaction;
//  - opening the documents register on a month of N documents with two
//    movements each, against the raw select of the month's documents; the
//    movements read are those of the current document only.

#include "bancobench.h"
#include "docemp.h"
#include "gerardocumento.h"
#include "medicao.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr int kEmpresa = 900;

// A company of `filiais` establishments whose group holds `tipos` monthly
// types of every month.
void PrepararEscritorio(int filiais, int tipos)
{
    EmTransacao([&] {
        ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (99, 'Rede')"));
        for (int tipo = 1; tipo <= tipos; ++tipo) {
            ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, "
                                             "PERIODODOC, MESOCORRENCIA, GERARENVELOPE) values (:t, :d, 1825, '1', 1, "
                                             "'1;2;3;4;5;6;7;8;9;10;11;12', '0')"),
                              {100 + tipo, QStringLiteral("Documento mensal %1").arg(tipo)});
            ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) values (99, :t)"), {100 + tipo});
        }
    });
    CadastrarRedeDeLojas(kEmpresa, filiais, 99);
}

// The same run by hand: the range's automatic documents deleted, then one
// prepared single-row INSERT per document, in one transaction.
void GerarBruto(nDMConexao& conexao, int filiais, int tipos, const QDate& inicio, int meses)
{
    QSqlDatabase banco = conexao.Database();
    banco.transaction();
    QSqlQuery exclusao(banco);
    exclusao.prepare(QStringLiteral("delete from PROTOCOLODOCEMP where DATALCTOPRO between ? and ? and ORIGEMDADO = 1 and CODIGOEMPRESA = ?"));
    exclusao.addBindValue(inicio);
    exclusao.addBindValue(inicio.addMonths(meses).addDays(-1));
    exclusao.addBindValue(kEmpresa);
    if (!exclusao.exec())
        qFatal("%s", qPrintable(exclusao.lastError().text()));
    QSqlQuery maior(QStringLiteral("select coalesce(max(CODIGODOCEMP), 0) from PROTOCOLODOCEMP"), banco);
    maior.next();
    qint64 codigo = maior.value(0).toLongLong();
    QSqlQuery insercao(banco);
    insercao.prepare(QStringLiteral("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, "
                                    "ORIGEMDADO, DESCRDOCEMP) values (?, ?, ?, ?, ?, ?, ?)"));
    for (int estab = 1; estab <= filiais; ++estab) {
        for (int tipo = 1; tipo <= tipos; ++tipo) {
            const QString descricao = QStringLiteral("Documento mensal %1").arg(tipo);
            for (int m = 0; m < meses; ++m) {
                for (const QVariant& valor : QVariantList{++codigo, 100 + tipo, kEmpresa, estab, inicio.addMonths(m), 1, descricao})
                    insercao.addBindValue(valor);
                if (!insercao.exec())
                    qFatal("%s", qPrintable(insercao.lastError().text()));
            }
        }
    }
    banco.commit();
}

// A month of documents, two movements each, written in batches.
void InserirMesDeDocumentos(nDMConexao& conexao, int documentos)
{
    EmTransacao([&] {
        TnSQLDataSet documento(conexao);
        documento.SetCommandText(QStringLiteral("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, "
                                                "DATALCTOPRO, DESCRDOCEMP, ORIGEMDADO) values (:c, 101, :e, :f, :d, 'Extrato', 2)"));
        TnSQLDataSet movimento(conexao);
        movimento.SetCommandText(QStringLiteral("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, "
                                                "DATALCTOPRO, DATAHORA, CODIGOUSUARIO, ORIGEMDADO) values (:c, :s, '1', :p, :d, :h, 1, 2)"));
        const qint64 primeiro = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"));
        const QDate mes(2025, 6, 1);
        for (int i = 0; i < documentos; ++i) {
            const QDate data = mes.addDays(i % 28);
            documento.SetParamValues({primeiro + i, kEmpresa, 1 + i % 100, data});
            documento.ExecSQL();
            for (int seq = 1; seq <= 2; ++seq) {
                movimento.SetParamValues({primeiro + i, seq, seq == 1 ? 5 : 1, data, QDateTime(data, QTime(9 + seq, 0))});
                movimento.ExecSQL();
            }
        }
    });
}

TnSelecao MesDosDocumentos()
{
    return {{QStringLiteral("DataLctoPro_MAIORIGUAL"), QDate(2025, 6, 1)}, {QStringLiteral("DataLctoPro_MENORIGUAL"), QDate(2025, 6, 30)}};
}

void LerMesBruto(nDMConexao& conexao)
{
    QSqlQuery consulta(conexao.Database());
    consulta.setForwardOnly(true);
    consulta.prepare(QStringLiteral("select CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, DESCRDOCEMP, ARQUIVADO "
                                    "from PROTOCOLODOCEMP where DATALCTOPRO >= ? and DATALCTOPRO <= ? order by CODIGODOCEMP"));
    consulta.addBindValue(QDate(2025, 6, 1));
    consulta.addBindValue(QDate(2025, 6, 30));
    if (!consulta.exec())
        qFatal("%s", qPrintable(consulta.lastError().text()));
    QVariantList linha;
    while (consulta.next()) {
        linha.clear();
        for (int c = 0; c < 7; ++c)
            linha.append(consulta.value(c));
    }
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QCommandLineParser argumentos;
    argumentos.addOptions({{"filiais", "Filiais da empresa gerada.", "N", "2000"},
                           {"tipos", "Tipos mensais do grupo.", "N", "40"},
                           {"meses", "Meses da geração.", "N", "12"},
                           {"documentos", "Documentos do mês em que o cadastro é aberto.", "N", "50000"},
                           {"vezes", "Vezes que cada caso roda (vale a melhor).", "N", "2"},
                           {"database", "Banco PostgreSQL (postgresql://...); padrão: SQLite temporário.", "uri"}});
    argumentos.process(aplicacao);
    Vezes() = std::max(1, argumentos.value("vezes").toInt());
    TnBancoBench banco(argumentos.value("database"), 1);
    nDMConexao& conexao = banco.Conexao();

    const int filiais = argumentos.value("filiais").toInt();
    const int tipos = argumentos.value("tipos").toInt();
    const int meses = std::clamp(argumentos.value("meses").toInt(), 1, 24);
    PrepararEscritorio(filiais, tipos);
    const QDate inicio(2027, 1, 1);
    TLyrDPGerarDocumento processo;
    processo.DataModuleCreate();
    processo.SetPerguntarAntes(false);
    processo.SetParam(QStringLiteral("pCompetInicial"), inicio.toString(QStringLiteral("MM/yyyy")));
    processo.SetParam(QStringLiteral("pCompetFinal"), inicio.addMonths(meses - 1).toString(QStringLiteral("MM/yyyy")));
    processo.SetParam(QStringLiteral("pCodigoEmpresa"), QString::number(kEmpresa));
    // Both sides rerun: the range already holds a run's documents.
    processo.Processar();
    const auto [framework, bruto] = MedirEmTurnos({{}, [&] { processo.Processar(); }},
                                                  {{}, [&] { GerarBruto(conexao, filiais, tipos, inicio, meses); }});
    Relatar(QStringLiteral("geração de documentos (%1 filiais, %2 tipos, %3 meses)").arg(filiais).arg(tipos).arg(meses),
            processo.DocumentosGerados(), framework, bruto, QStringLiteral("bruto"));
    Saida() << "memória residente após a geração: " << QString::number(MemoriaResidenteMB(), 'f', 0) << " MB ("
            << processo.MsgTreeLista().Quantidade() << " linhas de mensagem)" << Qt::endl;
    processo.LimparMsgTreeLista();
    ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCEMP where ORIGEMDADO = 1 and CODIGOEMPRESA = %1").arg(kEmpresa));

    const int documentos = argumentos.value("documentos").toInt();
    InserirMesDeDocumentos(conexao, documentos);
    int movimentosLidos = 0;
    const auto [abrir, lerBruto] = MedirEmTurnos({{}, [&] {
                                                      TLyrDMProtocoloDocEmp registro;
                                                      registro.DataModuleCreate();
                                                      registro.Abrir(MesDosDocumentos());
                                                      registro.CriarDetalhe();
                                                      movimentosLidos = registro.Detalhes().front()->nClientDataSet.RecordCount();
                                                  }},
                                                  {{}, [&] { LerMesBruto(conexao); }});
    Relatar(QStringLiteral("abrir o cadastro de documentos no mês"), documentos, abrir, lerBruto, QStringLiteral("select"));
    Saida() << "movimentações lidas ao abrir: " << movimentosLidos << " (as do documento atual; o mês tem " << 2 * documentos << ")"
            << Qt::endl;
    return 0;
}
