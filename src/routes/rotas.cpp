#include "rotas.h"

#include "camposdoc.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "duplicidade.h"
#include "erros.h"
#include "recibos.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QDate>
#include <QHash>

namespace {

const QString kFolhaDaRota = QStringLiteral("LyrRRRotaEntrega");
const QString kComandoRotas = QStringLiteral("Select t_t.CODIGOROTA,t_t.DESCRROTA from PROTOCOLOROTA t_t ORDER BY t_t.CodigoRota");

void DeclararCamposDaRota(TnDMClientDataSet& dm)
{
    dm.nClientDataSet.SetCommandText(kComandoRotas);
    dm.nClientDataSet.Tela().Caption = QStringLiteral("Rotas de Entrega");
    dm.DefAdic.Ordem = QStringLiteral("CodigoRota");
    CampoNumerado<TnSmallIntField>(dm, QStringLiteral("CODIGOROTA"), 9999);
    TnField& descricao = dm.Campo<TnStringField>(QStringLiteral("DESCRROTA"), 50);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.SetRequired(true);
    descricao.Definicao().Hint = QStringLiteral("Informe a descrição da rota de entrega");
    AplicarDicionario(dm.nClientDataSet);
}

} // namespace

TLyrDMProtocoloRota::TLyrDMProtocoloRota()
{
    DeclararCamposDaRota(*this);
    nClientDataSet.Tela().Relatorios = {kFolhaDaRota};
}

QString TLyrDMProtocoloRota::TituloRelatorio(const QString& nome) const
{
    return nome == kFolhaDaRota ? QStringLiteral("Folha de rota (paradas, endereços e protocolos a entregar)")
                                : TnCadastroDeclarado::TituloRelatorio(nome);
}

// Two reads whatever the number of routes: the stops with their addresses,
// and the protocols still to hand over at them (going out, neither written
// off nor cancelled).
TnRelatorio TLyrDMProtocoloRota::MontarRelatorio(const QString& nome, const QString& selecao)
{
    if (nome != kFolhaDaRota)
        return TnCadastroDeclarado::MontarRelatorio(nome, selecao);
    ValidarSelecaoDeCodigos(selecao);
    const QString rotas = FilterInterval(QStringLiteral("S.CODIGOROTA"), selecao, false);
    if (rotas.isEmpty())
        throw EnErro(QStringLiteral("Informe as rotas a imprimir."));
    QHash<QPair<int, int>, QStringList> aEntregar;
    {
        std::unique_ptr<TnSQLDataSet> protocolos = ExecutarSQL(
            QStringLiteral("select distinct P.CODIGOEMPRESA, P.CODIGOESTAB, P.CODIGOPROTOCOLO from PROTOCOLO P join PROTOCOLOROTAENTREGA S "
                           "on S.CODIGOEMPRESA = P.CODIGOEMPRESA and S.CODIGOESTAB = P.CODIGOESTAB where %1 and P.DATAHORABAIXA is null "
                           "and P.CANCELADO = '0' and P.NATUREZAPRO = '1' order by P.CODIGOPROTOCOLO")
                .arg(rotas));
        for (int linha = 0; linha < protocolos->RecordCount(); ++linha)
            aEntregar[{protocolos->Valor(linha, 0).toInt(), protocolos->Valor(linha, 1).toInt()}].append(protocolos->Valor(linha, 2).toString());
    }
    std::unique_ptr<TnSQLDataSet> paradas = ExecutarSQL(
        QStringLiteral("select S.CODIGOROTA, R.DESCRROTA, S.SEQROTA, S.CODIGOEMPRESA, S.CODIGOESTAB, E.NOMEEMPRESA, F.NOMEESTAB, S.OBSERVACAO, %2 "
                       "from PROTOCOLOROTAENTREGA S join PROTOCOLOROTA R on R.CODIGOROTA = S.CODIGOROTA "
                       "join ESTAB F on F.CODIGOEMPRESA = S.CODIGOEMPRESA and F.CODIGOESTAB = S.CODIGOESTAB "
                       "join EMPRESA E on E.CODIGOEMPRESA = S.CODIGOEMPRESA %3 where %1 order by S.CODIGOROTA, S.SEQROTA")
            .arg(rotas, ColunasEnderecoEntrega(), JuncoesEnderecoEntrega()));
    if (paradas->IsEmpty())
        throw EnErro(QStringLiteral("Nenhuma parada nas rotas \"%1\".").arg(selecao.trimmed()));
    TnRelatorio relatorio;
    relatorio.titulo = QStringLiteral("Folhas de rota");
    TnBlocoRelatorio* tabela = nullptr;
    int rotaAtual = -1;
    const auto fecharPagina = [&] {
        if (relatorio.paginas.isEmpty())
            return;
        TnPaginaRelatorio& pagina = relatorio.paginas.last();
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Espaco));
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Assinaturas, {},
                                            {QStringLiteral("Entregador"), QStringLiteral("Saída"), QStringLiteral("Retorno")}));
    };
    for (; !paradas->Eof(); paradas->Next()) {
        if (paradas->Fields(0).AsInteger() != rotaAtual) {
            fecharPagina();
            rotaAtual = paradas->Fields(0).AsInteger();
            TnPaginaRelatorio pagina;
            CabecalhoDoEscritorio(pagina, QStringLiteral("Folha de Rota - %1 - %2").arg(rotaAtual).arg(paradas->Fields(1).AsString()));
            pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {},
                                                {QStringLiteral("Data"), QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))}));
            TnBlocoRelatorio paradasDaRota = BlocoRelatorio(TnBlocoRelatorio::Tipo::Tabela);
            paradasDaRota.colunas = {QStringLiteral("Seq"), QStringLiteral("Cliente"), QStringLiteral("Endereço de entrega"),
                                     QStringLiteral("Protocolos"), QStringLiteral("Recebido por (nome e assinatura)")};
            paradasDaRota.larguras = {5, 24, 33, 14, 24};
            pagina.blocos.append(paradasDaRota);
            relatorio.paginas.append(pagina);
            tabela = &relatorio.paginas.last().blocos.last();
        }
        const int empresa = paradas->Fields(3).AsInteger();
        const int estab = paradas->Fields(4).AsInteger();
        QString endereco = EnderecoDeEntrega(*paradas, 8);
        if (const QString observacao = paradas->Fields(7).AsString().simplified(); !observacao.isEmpty())
            endereco += QStringLiteral(" (") + observacao + u')';
        tabela->celulas.append({paradas->Fields(2).AsString(),
                                QStringLiteral("%1/%2 - %3 - %4").arg(empresa).arg(estab).arg(paradas->Fields(5).AsString(), paradas->Fields(6).AsString()),
                                endereco, aEntregar.value({empresa, estab}).join(QStringLiteral(", ")), QString()});
    }
    fecharPagina();
    return relatorio;
}

// The stops in a grid under the route's fields: only the current route's,
// in their order, and a new one takes the route's code.
void TLyrDMProtocoloRota::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    AddInfoDetalhe(TLyrDMProtocoloRotaEntrega::NomeDaClasse(), QStringLiteral("CODIGOROTA"), QStringLiteral("CODIGOROTA"));
}

void TLyrDMProtocoloRota::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorExistencia(nClientDataSet, {QStringLiteral("PROTOCOLOROTA"), QStringLiteral("CODIGOROTA"),
                                                       {QStringLiteral("DESCRROTA")}, false,
                                                       QStringLiteral("Já existe cadastrado uma rota com a mesma descrição.")});
}

TLyrDCProtocoloRota::TLyrDCProtocoloRota()
{
    DeclararCamposDaRota(*this);
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Código Rota");
    nClientDataSet.Tela().Indexs = {{QStringLiteral("Descrição Rota"), QStringLiteral("DESCRROTA")}};
    DefAdic.OrdemCaption = QStringLiteral("Código Rota");
    DefAdic.Atributos = QStringLiteral("CODIGOROTA, DESCRROTA");
}

TLyrDMProtocoloRotaEntrega::TLyrDMProtocoloRotaEntrega()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOROTA,t_t.SEQROTA,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.OBSERVACAO from PROTOCOLOROTAENTREGA t_t ORDER BY "
        "t_t.CodigoRota,t_t.SeqRota"));
    nClientDataSet.Tela().Caption = QStringLiteral("Rotas de Entrega - Configuração");
    DefAdic.Ordem = QStringLiteral("CodigoRota,SeqRota");
    CampoLigado(*this, QStringLiteral("CODIGOROTA"));
    CampoNumerado<TnSmallIntField>(*this, QStringLiteral("SEQROTA"), 9999);
    CamposDaFilial(*this);
    TnField& observacao = Campo<TnMemoField>(QStringLiteral("OBSERVACAO"));
    observacao.SetDisplayLabel(QStringLiteral("Observação"));
    observacao.Definicao().Hint = QStringLiteral("Informe uma observação para a rota de entrega");
    observacao.Definicao().TipoControle = TnTipoControle::ntcMemo;
    AplicarDicionario(nClientDataSet);
}

// Under a route the route's code is the master's: not shown.
void TLyrDMProtocoloRotaEntrega::nClientDataSetBeforeOpen()
{
    TnCadastroDeclarado::nClientDataSetBeforeOpen();
    FieldByName(QStringLiteral("CODIGOROTA")).SetVisible(nClientDataSet.Master() == nullptr);
}

void TLyrDMProtocoloRotaEntrega::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorExistencia(nClientDataSet, {QStringLiteral("PROTOCOLOROTAENTREGA"), QStringLiteral("CODIGOROTA"),
                                                       {QStringLiteral("CODIGOROTA"), QStringLiteral("CODIGOEMPRESA"),
                                                        QStringLiteral("CODIGOESTAB")},
                                                       true, QStringLiteral("Já existe cadastrada um estabelecimento nesta rota de entrega.")});
}
