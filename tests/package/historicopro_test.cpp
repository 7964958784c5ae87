#include "bancoteste.h"
#include "classeslyr.h"
#include "historicopro.h"
#include "sqlservicos.h"

class HistoricoPro : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMHistoricoPro>());
        nRegisterClass(InfoDaClasseLyr<TLyrDCHistoricoPro>());
    }
};

TEST_F(HistoricoPro, NovoTextoSemComplementoEDescricaoInteira)
{
    TLyrDMHistoricoPro historicos;
    EXPECT_EQ(historicos.Tabela, "HISTORICOPRO");
    EXPECT_EQ(historicos.nClientDataSet.Tela().CadCons, "LyrDCHistoricoPro");
    EXPECT_EQ(historicos.DefAdic.Menus.first().ImageIndex, 0);
    historicos.Abrir();
    TnClientDataSet& ds = historicos.nClientDataSet;
    const QString longa = QString(199, u'x') + u'!';
    ds.Append();
    ds.FieldByName("DESCRISAOHISTPRO").SetValue(longa);
    EXPECT_EQ(ds.FieldByName("TEMCOMPLEMENTOHISTORICO").DisplayText(), "Não");
    ds.Post();
    ds.Append();
    ds.FieldByName("DESCRISAOHISTPRO").SetValue("Termo de rescisão de ");
    ds.FieldByName("TEMCOMPLEMENTOHISTORICO").SetText("Sim");
    ds.Post();
    EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "DESCRISAOHISTPRO", "CODIGOHISTPRO = 1").toString(), longa);
    EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "TEMCOMPLEMENTOHISTORICO", "CODIGOHISTPRO=1").toString(), "0");
    EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "TEMCOMPLEMENTOHISTORICO", "CODIGOHISTPRO=2").toInt(), 1);

    TLyrDCHistoricoPro consulta;
    EXPECT_EQ(consulta.nClientDataSet.Tela().TipoForm, TnTipoForm::ntfConGrid);
    EXPECT_FALSE(consulta.nClientDataSet.nLogChanges());
    consulta.Abrir();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 2);
}
