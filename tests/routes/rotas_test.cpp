// Routes and their stops: one description per route, one stop per
// establishment in a route, the stops under their route and numbered in it.
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "erros.h"
#include "rotas.h"
#include "sqlservicos.h"

namespace {

// Routes 1 "Centro" and 2 "Zona Norte"; establishments 2/1, 2/2 and 3/1;
// route 1 stops at 2/1.
class Rotas : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        RegistrarCadastrosHost();
        for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDMProtocoloRota>(), InfoDaClasseLyr<TLyrDCProtocoloRota>(),
                                           InfoDaClasseLyr<TLyrDMProtocoloRotaEntrega>()})
            nRegisterClass(classe);
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into PROTOCOLOROTA (CODIGOROTA, DESCRROTA) values (1, 'Centro'), (2, 'Zona Norte')");
        ExecutarSQLDireto("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB) values (1, 1, 2, 1)");
    }

    static QString Recusado(TnClientDataSet& ds)
    {
        const QString recusa = Recusa([&] { ds.Post(); });
        EXPECT_NE(ds.State(), TnDataSetState::dsBrowse) << "left to be corrected";
        ds.Cancel();
        return recusa;
    }
};

} // namespace

TEST_F(Rotas, DescricaoUnicaETwinDeConsulta)
{
    TLyrDMProtocoloRota rotas;
    rotas.Abrir();
    TnClientDataSet& ds = rotas.nClientDataSet;
    EXPECT_EQ(ds.Tela().CadCons, "LyrDCProtocoloRota");
    EXPECT_FALSE(ds.PodeAlterarChave());
    ds.Append();
    ds.FieldByName("DESCRROTA").SetValue("Centro");
    EXPECT_EQ(Recusado(ds), "Já existe cadastrado uma rota com a mesma descrição.");
    ds.Append();
    ds.FieldByName("DESCRROTA").SetValue("Campinas");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("CODIGOROTA").AsInteger(), 3) << "numbered by the register";

    ASSERT_TRUE(ds.Locate("CODIGOROTA", 1));
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("CENTRO");
    ds.Post();
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("Zona Norte");
    EXPECT_EQ(Recusado(ds), "Já existe cadastrado uma rota com a mesma descrição.");
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("Centro Expandido");
    ds.Post();
    EXPECT_EQ(Valor("select DESCRROTA from PROTOCOLOROTA where CODIGOROTA = 1").toString(), "Centro Expandido");

    TLyrDCProtocoloRota consulta;
    consulta.Abrir();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(consulta.nClientDataSet.Tela().CadCons, "LyrDMProtocoloRota");
    EXPECT_EQ(consulta.nClientDataSet.Tela().Indexs.first().Fields, "DESCRROTA");
    EXPECT_EQ(consulta.nClientDataSet.Tela().OrdemCaption, "Código Rota");
}

TEST_F(Rotas, ParadasDaRotaNumeradasEUmaPorFilial)
{
    TLyrDMProtocoloRota rotas;
    rotas.DataModuleCreate();
    rotas.Abrir();
    rotas.CriarDetalhe();
    TnDMClientDataSet* paradas = rotas.Detalhe("TLyrDMProtocoloRotaEntrega");
    ASSERT_NE(paradas, nullptr);
    TnClientDataSet& ds = paradas->nClientDataSet;
    EXPECT_FALSE(paradas->FieldByName("CODIGOROTA").Visible()) << "every stop has it";
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(paradas->FieldByName("OBSERVACAO").Definicao().TipoControle, TnTipoControle::ntcMemo);

    const auto parar = [&](int empresa, int estab) {
        ds.Append();
        paradas->FieldByName("CODIGOEMPRESA").SetValue(empresa);
        paradas->FieldByName("CODIGOESTAB").SetValue(estab);
    };
    parar(2, 1);
    EXPECT_EQ(Recusado(ds), "Já existe cadastrada um estabelecimento nesta rota de entrega.");
    parar(2, 2);
    ds.Post();
    parar(3, 1);
    ds.Post();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 and SEQROTA in (2, 3)").toInt(), 2)
        << "numbered 1, 2, 3 within the route";
    // Only the observation changed: no check; moving the stop onto another
    // establishment of the route is refused.
    ASSERT_TRUE(ds.Locate("SEQROTA", 1));
    ds.Edit();
    paradas->FieldByName("OBSERVACAO").SetValue("Entregar na recepção");
    ds.Post();
    ds.Edit();
    paradas->FieldByName("CODIGOESTAB").SetValue(2);
    EXPECT_EQ(Recusado(ds), "Já existe cadastrada um estabelecimento nesta rota de entrega.");

    // The next route: its own stops, and 2/1 may be one of them.
    rotas.nClientDataSet.Next();
    EXPECT_EQ(rotas.nClientDataSet.FieldByName("CODIGOROTA").AsInteger(), 2);
    EXPECT_EQ(ds.RecordCount(), 0) << "the stops of the current route only";
    parar(2, 1);
    ds.Post();
    EXPECT_EQ(Valor("select SEQROTA from PROTOCOLOROTAENTREGA where CODIGOROTA = 2 and CODIGOEMPRESA = 2").toInt(), 1);
}
