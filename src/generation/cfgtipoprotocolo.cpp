#include "cfgtipoprotocolo.h"

#include "dialogos.h"
#include "sqlservicos.h"
#include "tiposprotocolo.h"

TLyrDMCfgTipoProtocolo::TLyrDMCfgTipoProtocolo()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOTIPOPROTOCOLO,t_t.DESCRTIPOPROTOCOLO from CFGTIPOPROTOCOLO t_t ORDER BY t_t.CODIGOTIPOPROTOCOLO"));
    nClientDataSet.Tela().Caption = QStringLiteral("Tipos Protocolos");
    DefAdic.Ordem = QStringLiteral("CODIGOTIPOPROTOCOLO");
    DefAdic.Menus.first().ImageIndex = 0;
    TnField& tipo = Campo<TnSmallIntField>(QStringLiteral("CODIGOTIPOPROTOCOLO"));
    tipo.SetDisplayLabel(QStringLiteral("Tipo de Protocolo"));
    tipo.SetRequired(true);
    tipo.Definicao().Hint = QStringLiteral("Escolha o tipo de protocolo que deseja configurar");
    tipo.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    tipo.Definicao().NomesValores = NomesValoresTiposCadastro();
    tipo.Definicao().MaxLength = 4;
    tipo.Definicao().DicListaProperty = {QStringLiteral("LinkLookupCadastro"), QStringLiteral("LinkLookupDataSetNome"),
                                       QStringLiteral("TipoControle")};
    TnField& descricao = Campo<TnStringField>(QStringLiteral("DESCRTIPOPROTOCOLO"), 100);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.SetRequired(true);
    descricao.Definicao().Hint = QStringLiteral("Informe a descrição que será gerada nos protocolos");
    descricao.Definicao().DadoEscala = 100;
    descricao.Definicao().OnButtonClick = [this](TnField& campo) { nClientDataSetDESCRTIPOPROTOCOLODefIntButtonClick(campo); };
}

void TLyrDMCfgTipoProtocolo::nClientDataSetDESCRTIPOPROTOCOLODefIntButtonClick(TnField& campo)
{
    const TnField& tipo = FieldByName(QStringLiteral("CODIGOTIPOPROTOCOLO"));
    if (nClientDataSet.IsEmpty() && nClientDataSet.State() != TnDataSetState::dsInsert)
        return;
    if (tipo.IsNull())
        return;
    QString escolhida;
    if (nInputQueryListBox(QStringLiteral("Configuração Nome Arquivo"), EntradasDoSeletor(tipo.AsInteger()), &escolhida) < 0)
        return;
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    // What does not fit the field is cut, as typing would be.
    campo.SetValue((campo.AsString() + MarcadorDaEntrada(escolhida)).left(campo.Size()));
}

QString PegarCfgDescr(int tipo)
{
    return PegarValorCampo(QStringLiteral("CFGTIPOPROTOCOLO"), QStringLiteral("DESCRTIPOPROTOCOLO"),
                           QStringLiteral("CODIGOTIPOPROTOCOLO = ") + QString::number(tipo))
        .toString();
}
