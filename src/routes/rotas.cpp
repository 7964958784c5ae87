#include "rotas.h"

#include "camposdoc.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "duplicidade.h"

namespace {

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
