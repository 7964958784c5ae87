#include "lyrsfuncoes.h"

#include "conexao.h"
#include "dialogos.h"
#include "erros.h"
#include "host.h"
#include "sqldataset.h"
#include "sqlservicos.h"

namespace {

// "CODIGOEMPRESA = 2 and CODIGOESTAB = 1", the columns of the alias given ("F.").
QString CondicaoEstab(int empresa, int estab, const QString& apelido = {})
{
    return ValorParaSQL(apelido + QStringLiteral("CODIGOEMPRESA"), QStringLiteral("="), empresa) + QStringLiteral(" and ")
           + ValorParaSQL(apelido + QStringLiteral("CODIGOESTAB"), QStringLiteral("="), estab);
}

} // namespace

const QList<TnTabelaDebito>& TabelasDebito()
{
    static const QList<TnTabelaDebito> tabelas = {
        {1, QStringLiteral("DEBITOFEDERAL"), QStringLiteral("FED")},
        {2, QStringLiteral("DEBITOESTADUAL"), QStringLiteral("EST")},
        {3, QStringLiteral("DEBITOMUNICIPAL"), QStringLiteral("MUN")},
        {4, QStringLiteral("DEBITOSINDICAL"), QStringLiteral("SIND")},
        {5, QStringLiteral("DEBITOGPS"), QStringLiteral("GPS")},
        {9, QStringLiteral("DEBITOFGTS"), QStringLiteral("FGTS")},
        {10, QStringLiteral("DEBITOFOLHA"), QStringLiteral("FOLHA")},
    };
    return tabelas;
}

const TnTabelaDebito* TabelaDebitoDoTipo(int tipo)
{
    for (const TnTabelaDebito& tabela : TabelasDebito()) {
        if (tabela.tipo == tipo)
            return &tabela;
    }
    return nullptr;
}

QString MontarChaveOrigem(int tipo, int empresa, qint64 chaveDebito)
{
    return QStringLiteral("%1%2%3").arg(tipo, 2, 10, QChar(u'0')).arg(empresa, 5, 10, QChar(u'0')).arg(chaveDebito, 10, 10, QChar(u'0'));
}

int PegarTipo(const QString& chaveOrigem)
{
    bool ok = false;
    const int tipo = chaveOrigem.left(2).toInt(&ok);
    return ok && chaveOrigem.size() >= 17 ? tipo : 0;
}

bool LimparProDeb(const QString& chaveOrigem)
{
    const TnTabelaDebito* tabela = TabelaDebitoDoTipo(PegarTipo(chaveOrigem));
    if (!tabela)
        return false;
    bool okEmpresa = false;
    bool okChave = false;
    const int empresa = chaveOrigem.mid(2, 5).toInt(&okEmpresa);
    const qint64 chave = chaveOrigem.mid(7).toLongLong(&okChave);
    if (!okEmpresa || !okChave)
        return false;
    return ExecutarSQLDireto(QStringLiteral("update %1 set CODIGOPROTOCOLO = null where CODIGOEMPRESA = :empresa "
                                            "and CHAVEDEBITO%2 = :chave and CODIGOPROTOCOLO is not null")
                                 .arg(tabela->tabela, tabela->sufixo),
                             {empresa, chave})
           > 0;
}

QString DescricaoVistaPrazo(int codigo)
{
    switch (codigo) {
    case 1:
        return QStringLiteral("À Vista");
    case 2:
        return QStringLiteral("A Prazo");
    default:
        return QString();
    }
}

QString PegarFormaEntrega(int empresa, int estab)
{
    return PegarValorCampo(QStringLiteral("CFGESTABPRO"), QStringLiteral("FORMAENTREGA"), CondicaoEstab(empresa, estab)).toString();
}

bool ChecarConfiguracaoPro(int empresa, int estab)
{
    return PegarTemRegistro(QStringLiteral("CFGESTABPRO"), QStringLiteral("CODIGOEMPRESA"), CondicaoEstab(empresa, estab));
}

bool ChecarConfigurarEmpPro(int empresa, int estab)
{
    if (ChecarConfiguracaoPro(empresa, estab))
        return true;
    nMessageDlg(QStringLiteral("A filial %1/%2 ainda não tem a forma de entrega configurada para protocolos "
                               "(Cadastros > Clientes > Configurar Forma Entrega).")
                    .arg(empresa)
                    .arg(estab),
                TnTipoDlg::Aviso, {QStringLiteral("OK")});
    return false;
}

QString RecusaUsuarioBaixa(int usuario)
{
    if (PegarTemRegistro(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"),
                         ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), usuario) + QStringLiteral(" and ATIVO = '1'")))
        return {};
    return QStringLiteral("Usuário %1 não cadastrado ou inativo.").arg(usuario);
}

bool PegarDadosBaixa(int natureza, int empresa, int estab, QString& pessoa, int& usuario, QDateTime& entrega, bool emLote)
{
    // The establishment's name and its responsible persons, in one read (a
    // batch write-off asks this once per establishment).
    QString nomeEstab;
    QStringList responsaveis;
    auto lidos = ExecutarSQL(QStringLiteral("select F.NOMEESTAB, R.NOMERESPONSAVEL from ESTAB F left join PROTOCOLORESPESTAB R on "
                                            "R.CODIGOEMPRESA = F.CODIGOEMPRESA and R.CODIGOESTAB = F.CODIGOESTAB where %1 order by R.SEQ")
                                 .arg(CondicaoEstab(empresa, estab, QStringLiteral("F."))));
    for (; !lidos->Eof(); lidos->Next()) {
        nomeEstab = lidos->Fields(0).AsString();
        if (!lidos->Fields(1).IsNull())
            responsaveis.append(lidos->Fields(1).AsString());
    }
    DestruirSQL(lidos);

    // Outgoing: the client's person receives and the office's user hands over;
    // incoming the other way round.
    const bool saida = natureza == 1;
    TnQuestionario questionario;
    // A batch write-off asks once per establishment: the title says which.
    questionario.titulo = QStringLiteral("Baixar Protocolo - Empresa %1, Filial %2%3")
                              .arg(empresa)
                              .arg(estab)
                              .arg(nomeEstab.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(nomeEstab));
    questionario.confirmar = QStringLiteral("Baixar");
    if (emLote) {
        questionario.cancelar = QStringLiteral("Pular esta filial");
        questionario.interromper = QStringLiteral("Interromper a baixa");
    }
    questionario.campos = {
        {QStringLiteral("pessoa"), saida ? QStringLiteral("Recebido por (cliente)") : QStringLiteral("Entregue por (cliente)"),
         QString(), responsaveis},
        {QStringLiteral("usuario"), saida ? QStringLiteral("Entregue por (usuário)") : QStringLiteral("Recebido por (usuário)"),
         Conexao().CodigoUsuario(), {}, 1, 32767,
         [](const QVariant& codigo) {
             return PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("NOMEUSUARIOCOMPL"),
                                    ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), codigo.toInt()))
                 .toString();
         }},
        {QStringLiteral("entrega"), QStringLiteral("Data/hora da entrega"), QDateTime::currentDateTime()},
    };
    questionario.validar = [saida](const TnQuestionario& mostrado) -> std::optional<TnRecusaQuestionario> {
        if (mostrado.Valor(QStringLiteral("pessoa")).toString().trimmed().isEmpty())
            return TnRecusaQuestionario{QStringLiteral("Informe quem %1 os documentos.").arg(saida ? QStringLiteral("recebeu") : QStringLiteral("entregou")),
                                      QStringLiteral("pessoa")};
        // The office's side of the hand-over is one of its active users.
        if (const QString recusa = RecusaUsuarioBaixa(mostrado.Valor(QStringLiteral("usuario")).toInt()); !recusa.isEmpty())
            return TnRecusaQuestionario{recusa, QStringLiteral("usuario")};
        return std::nullopt;
    };
    if (!nPedirQuestionario(questionario))
        return false;
    pessoa = questionario.Valor(QStringLiteral("pessoa")).toString().trimmed();
    usuario = questionario.Valor(QStringLiteral("usuario")).toInt();
    entrega = questionario.Valor(QStringLiteral("entrega")).toDateTime();
    return true;
}

const QList<int>& ListaConstCTR()
{
    static const QList<int> lista = {1, 2, 3, 4, 5, 9, 10};
    return lista;
}

const QList<int>& ListaConstFPA()
{
    static const QList<int> lista = {6, 7, 8};
    return lista;
}

const QList<int>& ListaConstFIN()
{
    static const QList<int> lista = {11, 12};
    return lista;
}

bool InIntArray(int valor, const QList<int>& lista)
{
    return lista.contains(valor);
}

namespace {

std::unique_ptr<TnSQLDataSet> ListaDeFiliais(const QString& empresas, const QString& estabs, const QString& ativas,
                                             const QVariantList& valores)
{
    ValidarSelecaoDeCodigos(empresas);
    ValidarSelecaoDeCodigos(estabs);
    auto lista = std::make_unique<TnSQLDataSet>(Conexao());
    lista->SetCommandText(QStringLiteral("select E.CODIGOEMPRESA, E.CODIGOESTAB, M.NOMEEMPRESA, E.APELIDOESTAB from ESTAB E "
                                         "join EMPRESA M on M.CODIGOEMPRESA = E.CODIGOEMPRESA where %1%2%3 "
                                         "order by E.CODIGOEMPRESA, E.CODIGOESTAB")
                              .arg(ativas, FilterInterval(QStringLiteral("E.CODIGOEMPRESA"), empresas.trimmed()),
                                   FilterInterval(QStringLiteral("E.CODIGOESTAB"), estabs.trimmed())));
    lista->SetParamValues(valores);
    lista->Open();
    return lista;
}

} // namespace

std::unique_ptr<TnSQLDataSet> CriarListaEmpresaEstab(const QString& empresas, const QString& estabs)
{
    return ListaDeFiliais(empresas, estabs, QStringLiteral("E.ATIVO = '1'"), {});
}

std::unique_ptr<TnSQLDataSet> CriarListaEstabAtiva(const QString& empresas, const QString& estabs, const QDate& inicio)
{
    return ListaDeFiliais(empresas, estabs, QStringLiteral("(E.ATIVO = '1' or E.DATAENCERRAMENTO >= :pInicio)"), {inicio});
}
