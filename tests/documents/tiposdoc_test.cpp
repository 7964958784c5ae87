#include "bancoteste.h"
#include "classeslyr.h"
#include "erros.h"
#include "sqlservicos.h"
#include "tiposdoc.h"

namespace {

// Types 1 "Guia de FGTS" and 2 "Extrato bancário", group 1 "Mensal" with
// type 1, on the registers of types, groups and members.
class TiposDoc : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloTipoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDCProtocoloTipoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDCProtocoloGrupoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoTipoDoc>());
        const QString tipo = QStringLiteral(
            "insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, GERARENVELOPE) "
            "values (%1, '%2', 1825, '1', 1, '0')");
        ExecutarSQLDireto(tipo.arg(1).arg("Guia de FGTS"));
        ExecutarSQLDireto(tipo.arg(2).arg("Extrato bancário"));
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Mensal')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) values (1, 1)");
    }

    // Posting the row fails with that message and leaves it unsaved, in its state.
    static void Recusado(TnClientDataSet& ds, const char* mensagem)
    {
        const TnDataSetState estado = ds.State();
        EXPECT_EQ(Recusa([&] { ds.Post(); }), mensagem);
        EXPECT_EQ(ds.State(), estado);
        ds.Cancel();
    }
};

TEST_F(TiposDoc, DescricaoDeOutroTipoRecusadaAMesmaEmOutraCaixaNao)
{
    TLyrDMProtocoloTipoDoc tipos;
    tipos.Abrir();
    TnClientDataSet& ds = tipos.nClientDataSet;
    EXPECT_EQ(ds.Tela().CadCons, "LyrDCProtocoloTipoDoc");
    EXPECT_FALSE(ds.PodeAlterarChave());
    EXPECT_EQ(ds.FieldByName("PERIODODOC").Definicao().NomesValores.size(), 4);

    ds.Append();
    ds.FieldByName("DESCRTIPODOC").SetValue("Guia de FGTS");
    ds.FieldByName("PERIODODIASDESCARTE").SetValue(30);
    ds.FieldByName("PERIODODOC").SetText("Quinzenal");
    Recusado(ds, "Já existe cadastrado um tipo de documento com a mesma descrição");

    // Every month ticked: 1 to 12 in 26 characters, in the column of 27.
    ds.Append();
    ds.FieldByName("DESCRTIPODOC").SetValue("Folha de pagamento");
    ds.FieldByName("PERIODODIASDESCARTE").SetValue(3650);
    ds.FieldByName("PERIODODOC").SetText("Mensal");
    ds.FieldByName("MESOCORRENCIA").SetValue("1;2;3;4;5;6;7;8;9;10;11;12");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("CODIGOTIPODOC").AsInteger(), 3) << "numbered by the register";
    EXPECT_EQ(Valor("select MESOCORRENCIA from PROTOCOLOTIPODOC where CODIGOTIPODOC = 3").toString(), "1;2;3;4;5;6;7;8;9;10;11;12");
    EXPECT_EQ(Valor("select GERARAUTO || GERARENVELOPE from PROTOCOLOTIPODOC where CODIGOTIPODOC = 3").toString(), "00");

    ASSERT_TRUE(ds.Locate("CODIGOTIPODOC", 1));
    ds.Edit();
    ds.FieldByName("PERIODODIASDESCARTE").SetValue(60);
    ds.Post();
    ds.Edit();
    ds.FieldByName("DESCRTIPODOC").SetValue("GUIA DE FGTS");
    ds.Post();
    ds.Edit();
    ds.FieldByName("DESCRTIPODOC").SetValue("Extrato bancário");
    Recusado(ds, "Já existe cadastrado um tipo de documento com a mesma descrição");
    EXPECT_EQ(Valor("select DESCRTIPODOC || PERIODODIASDESCARTE from PROTOCOLOTIPODOC where CODIGOTIPODOC = 1").toString(), "GUIA DE FGTS60");

    TLyrDCProtocoloTipoDoc consulta;
    consulta.Abrir();
    EXPECT_EQ(consulta.nClientDataSet.FieldCount(), 2);
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(consulta.nClientDataSet.Tela().Indexs.first().Fields, "DESCRTIPODOC");
}

TEST_F(TiposDoc, GrupoGuardaSuaDescricaoEMembrosTomamSeuCodigo)
{
    TLyrDMProtocoloGrupoDoc grupos;
    grupos.DataModuleCreate();
    grupos.Abrir();
    grupos.CriarDetalhe();
    TnClientDataSet& ds = grupos.nClientDataSet;
    TnDMClientDataSet* membros = grupos.Detalhe("TLyrDMProtocoloGrupoTipoDoc");
    ASSERT_NE(membros, nullptr);
    EXPECT_EQ(membros->nClientDataSet.Tela().TipoForm, TnTipoForm::ntfCadGrid);
    EXPECT_FALSE(membros->FieldByName("CODIGOGRUPODOC").Visible()) << "every member has it";
    EXPECT_EQ(membros->nClientDataSet.RecordCount(), 1);

    ds.Edit();
    ds.FieldByName("DESCRGRUPODOC").SetValue("Mensal");
    ds.Post();
    ds.Append();
    ds.FieldByName("DESCRGRUPODOC").SetValue("Mensal");
    Recusado(ds, "Já existe cadastrado um grupo com a mesma descrição.");

    ds.Append();
    ds.FieldByName("DESCRGRUPODOC").SetValue("Anual");
    ds.Post();
    EXPECT_EQ(membros->nClientDataSet.RecordCount(), 0) << "the members of the current group only";
    membros->nClientDataSet.Append();
    membros->FieldByName("CODIGOTIPODOC").SetValue(2);
    membros->nClientDataSet.Post();
    EXPECT_EQ(Valor("select CODIGOGRUPODOC from PROTOCOLOGRUPOTIPODOC where CODIGOTIPODOC = 2").toInt(), 2);
    ds.Edit();
    ds.FieldByName("DESCRGRUPODOC").SetValue("Mensal");
    Recusado(ds, "Já existe cadastrado um grupo com a mesma descrição.");

    membros->nClientDataSet.Append();
    membros->FieldByName("CODIGOTIPODOC").SetValue(9);
    EXPECT_THROW(membros->nClientDataSet.Post(), EnErro) << "a type that does not exist";
    membros->nClientDataSet.Cancel();

    TLyrDCProtocoloGrupoDoc consulta;
    consulta.Abrir();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 2);
    EXPECT_EQ(consulta.nClientDataSet.Tela().CadCons, "LyrDMProtocoloGrupoDoc");
}

} // namespace
