#include "historicopro.h"

namespace {

// The fields are the same in the register and its consultation.
void DeclararCampos(TnDMClientDataSet& dm)
{
    TnField& codigo = dm.Campo<TnSmallIntField>(QStringLiteral("CODIGOHISTPRO"));
    codigo.SetDisplayLabel(QStringLiteral("Codigo Histórico"));
    codigo.SetRequired(true);
    codigo.SetMinValue(1);
    codigo.SetMaxValue(9999);
    codigo.Definicao().AutoIncrementar = true;
    codigo.Definicao().MaxLength = 4;
    TnField& descricao = dm.Campo<TnStringField>(QStringLiteral("DESCRISAOHISTPRO"), 200);
    descricao.SetDisplayLabel(QStringLiteral("Descrição Histórico"));
    descricao.SetRequired(true);
    TnField& complemento = dm.Campo<TnStringField>(QStringLiteral("TEMCOMPLEMENTOHISTORICO"), 1);
    complemento.SetDisplayLabel(QStringLiteral("Histórico Possui Complemento"));
    ComoSimNao(complemento, false);
}

} // namespace

TLyrDMHistoricoPro::TLyrDMHistoricoPro()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOHISTPRO,t_t.DESCRISAOHISTPRO,t_t.TEMCOMPLEMENTOHISTORICO from HISTORICOPRO t_t ORDER BY t_t.CODIGOHISTPRO"));
    nClientDataSet.Tela().Caption = QStringLiteral("Históricos e Observações");
    DefAdic.Ordem = QStringLiteral("CODIGOHISTPRO");
    DefAdic.Menus.first().ImageIndex = 0;
    DeclararCampos(*this);
}

TLyrDCHistoricoPro::TLyrDCHistoricoPro()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOHISTPRO,t_t.DESCRISAOHISTPRO,t_t.TEMCOMPLEMENTOHISTORICO from HISTORICOPRO t_t ORDER BY t_t.CodigoHistPro"));
    nClientDataSet.Tela().Caption = QStringLiteral("Históricos e Observações");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Histórico");
    DefAdic.Ordem = QStringLiteral("CodigoHistPro");
    DefAdic.OrdemCaption = QStringLiteral("Histórico");
    DeclararCampos(*this);
}
