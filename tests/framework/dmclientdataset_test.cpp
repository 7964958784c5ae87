#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "duplicidade.h"
#include "erros.h"
#include "registro.h"
#include "sqlservicos.h"

namespace {

// Box locations: an auto-numbered key, a required description that no other
// location may carry, and limits with their own message.
class TTesteDMLocal : public TnDMClientDataSet {
    LYR_DATAMODULE(TTesteDMLocal)
public:
    TTesteDMLocal()
    {
        Tabela = QStringLiteral("PROTOCOLOLOCALCAIXA");
        ChaveTabela = QStringLiteral("CODIGOLOCAL");
        nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOLOCAL,t_t.DESCRLOCAL from PROTOCOLOLOCALCAIXA t_t ORDER BY t_t.CodigoLocal"));
        TnField& codigo = Campo<TnSmallIntField>("CODIGOLOCAL");
        codigo.SetDisplayLabel(QStringLiteral("Codigo"));
        codigo.SetRequired(true);
        codigo.SetMinValue(1);
        codigo.SetMaxValue(9999);
        codigo.SetConstraintErrorMessage(QStringLiteral("Código do local inválido!"));
        codigo.Definicao().AutoIncrementar = true;
        TnField& descricao = Campo<TnStringField>("DESCRLOCAL", 50);
        descricao.SetDisplayLabel(QStringLiteral("Descrição"));
        descricao.SetRequired(true);
    }

    void ValidarDado() override
    {
        TnDMClientDataSet::ValidarDado();
        VerificarDuplicidadePorExistencia(nClientDataSet, {"PROTOCOLOLOCALCAIXA", "CODIGOLOCAL", {"DESCRLOCAL"}, false,
                                                           "Já existe cadastrado um local com a mesma descrição."});
    }

    QStringList ganchos;
    void nClientDataSetBeforeOpen() override { ganchos.append("BeforeOpen"); }
    void nClientDataSetNewRecord() override
    {
        TnDMClientDataSet::nClientDataSetNewRecord();
        ganchos.append("NewRecord");
    }
    void DataModuleCreate() override { ganchos.append("DataModuleCreate"); }
    void DataModuleDestroy() override { ganchos.append("DataModuleDestroy"); }
};

// Boxes with their envelopes as a detail.
class TTesteDMEnvelope : public TnDMClientDataSet {
    LYR_DATAMODULE(TTesteDMEnvelope)
public:
    TTesteDMEnvelope()
    {
        Tabela = QStringLiteral("PROTOCOLODOCENVELOPE");
        ChaveTabela = QStringLiteral("CODIGOCAIXA;CODIGOENVELOPE");
        nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOCAIXA,t_t.CODIGOENVELOPE,t_t.DESCRENVELOPE from PROTOCOLODOCENVELOPE t_t ORDER BY t_t.CodigoCaixa,t_t. CodigoEnvelope"));
        Campo<TnSmallIntField>("CODIGOCAIXA").SetRequired(true);
        TnField& envelope = Campo<TnIntegerField>("CODIGOENVELOPE");
        envelope.SetRequired(true);
        envelope.SetMinValue(1);
        envelope.SetMaxValue(999999999);
        envelope.Definicao().AutoIncrementar = true;
        Campo<TnStringField>("DESCRENVELOPE", 50);
    }
};

class TTesteDMCaixa : public TnDMClientDataSet {
    LYR_DATAMODULE(TTesteDMCaixa)
public:
    TTesteDMCaixa()
    {
        Tabela = QStringLiteral("PROTOCOLODOCCAIXA");
        ChaveTabela = QStringLiteral("CODIGOCAIXA");
        nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOCAIXA,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.COMPETINICIAL,t_t.COMPETFINAL,t_t.CODIGOLOCAL from PROTOCOLODOCCAIXA t_t ORDER BY t_t.CodigoCaixa"));
        TnField& caixa = Campo<TnSmallIntField>("CODIGOCAIXA");
        caixa.SetRequired(true);
        caixa.Definicao().AutoIncrementar = true;
        TnField& empresa = Campo<TnSmallIntField>("CODIGOEMPRESA");
        empresa.SetRequired(true);
        empresa.Definicao().Dicionario = "CODIGOEMPRESA";
        empresa.Definicao().LinkKeyFields = "CODIGOEMPRESA";
        TnField& estab = Campo<TnSmallIntField>("CODIGOESTAB");
        estab.SetRequired(true);
        estab.Definicao().Dicionario = "CODIGOESTAB";
        estab.Definicao().LinkKeyFields = "CODIGOEMPRESA;CODIGOESTAB";
        Campo<TnDateField>("COMPETINICIAL");
        Campo<TnDateField>("COMPETFINAL");
        Campo<TnSmallIntField>("CODIGOLOCAL").SetRequired(true);
    }

    void DataModuleCreate() override { AddInfoDetalhe("TTesteDMEnvelope", "CODIGOCAIXA", "CODIGOCAIXA"); }
};

} // namespace

class Cadastro : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        nRegisterClass(InfoDaClasse<TTesteDMLocal>());
        nRegisterClass(InfoDaClasse<TTesteDMCaixa>());
        nRegisterClass(InfoDaClasse<TTesteDMEnvelope>());
        CadastrarFilial(2, 1);
    }

    void CadastrarLocais() { ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (1, 'Arquivo'), (2, 'Cofre')"); }

    QString Local(int codigo) { return PegarValorCampo("PROTOCOLOLOCALCAIXA", "DESCRLOCAL", QStringLiteral("CODIGOLOCAL = %1").arg(codigo)).toString(); }
};

TEST_F(Cadastro, IncluiNumeraAlteraEExcluiNaTabela)
{
    auto local = CriarDM<TTesteDMLocal>("TTesteDMLocal");
    ASSERT_NE(local, nullptr);
    EXPECT_EQ(local->Name, "TesteDMLocal");
    local->Abrir();
    TnClientDataSet& ds = local->nClientDataSet;
    for (const char* descricao : {"Arquivo - Sala 1", "Depósito externo"}) {
        ds.Append();
        ds.FieldByName("DESCRLOCAL").SetValue(descricao);
        ds.Post();
    }
    EXPECT_EQ(ds.FieldByName("CODIGOLOCAL").AsInteger(), 2);
    EXPECT_EQ(Local(2), "Depósito externo");
    EXPECT_EQ(local->ganchos, QStringList({"DataModuleCreate", "BeforeOpen", "NewRecord", "NewRecord"}));

    ds.Edit();
    ds.FieldByName("DESCRLOCAL").SetValue("Depósito - Galpão 2");
    EXPECT_TRUE(local->HouveAlteracoes());
    ds.Post();
    EXPECT_EQ(Local(2), "Depósito - Galpão 2");
    ds.First();
    ds.Delete();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOLOCALCAIXA").toInt(), 1);
    EXPECT_EQ(ds.ChangeCount(), 0);

    std::unique_ptr<TnDataModule> base = std::move(local);
    DestruirDM(base);
    EXPECT_EQ(base, nullptr);
}

TEST_F(Cadastro, RecusasDeixamOBancoComoEstavaEALinhaEmEdicao)
{
    CadastrarLocais();
    TTesteDMLocal local;
    local.Abrir();
    TnClientDataSet& ds = local.nClientDataSet;
    ds.Append();
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Informe o campo \"Descrição\".");
    ds.FieldByName("DESCRLOCAL").SetValue("Arquivo");
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Já existe cadastrado um local com a mesma descrição.");
    ds.FieldByName("DESCRLOCAL").SetValue("Mapoteca");
    ds.FieldByName("CODIGOLOCAL").SetValue(10000);
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Código do local inválido!");
    ds.FieldByName("CODIGOLOCAL").SetValue(1);
    EXPECT_TRUE(Recusa([&] { ds.Post(); }).startsWith("Já existe um registro cadastrado com a chave 1"));
    EXPECT_EQ(ds.State(), TnDataSetState::dsInsert);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOLOCALCAIXA").toInt(), 2);
    ds.Cancel();

    // Changing a stored row: its own description is no duplicate, another's is.
    ds.First();
    ds.Edit();
    ds.Post();  // untouched
    ds.Edit();
    ds.FieldByName("CODIGOLOCAL").SetValue(5);
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "O campo \"Codigo\" faz parte da chave e não pode ser alterado.");
    ds.FieldByName("CODIGOLOCAL").SetValue(1);
    ds.FieldByName("DESCRLOCAL").SetValue("Cofre");
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Já existe cadastrado um local com a mesma descrição.");
    ds.FieldByName("DESCRLOCAL").SetValue("ARQUIVO");
    ds.Post();  // a change of letter case alone is no duplicate
    EXPECT_EQ(Local(1), "ARQUIVO");
    EXPECT_EQ(Con().Profundidade(), 0);
}

TEST_F(Cadastro, LigacoesPrecisamExistir)
{
    CadastrarLocais();
    TTesteDMCaixa caixa;
    caixa.Abrir();
    caixa.nClientDataSet.Append();
    caixa.FieldByName("CODIGOEMPRESA").SetValue(2);
    caixa.FieldByName("CODIGOESTAB").SetValue(9);
    caixa.FieldByName("CODIGOLOCAL").SetValue(1);
    EXPECT_EQ(Recusa([&] { caixa.nClientDataSet.Post(); }), "Filial 2/9 não cadastrada.");
    caixa.FieldByName("CODIGOEMPRESA").SetValue(99);
    EXPECT_EQ(Recusa([&] { caixa.nClientDataSet.Post(); }), "Empresa 99 não cadastrada.");
    caixa.FieldByName("CODIGOEMPRESA").SetValue(2);
    caixa.FieldByName("CODIGOESTAB").SetValue(1);
    caixa.nClientDataSet.Post();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCCAIXA").toInt(), 1);
}

TEST_F(Cadastro, DetalheMostraETomaAChaveDoMestre)
{
    CadastrarLocais();
    auto caixas = CriarDM<TTesteDMCaixa>("TTesteDMCaixa");
    caixas->Abrir();
    caixas->CriarDetalhe();
    ASSERT_EQ(caixas->Detalhes().size(), 1u);
    TnDMClientDataSet& envelopes = *caixas->Detalhes().front();
    EXPECT_EQ(envelopes.DmMaster(), caixas.get());
    for (int caixa = 1; caixa <= 2; ++caixa) {
        caixas->nClientDataSet.AppendRecord({QVariant(), 2, 1, QVariant(), QVariant(), 1});
        for (int i = 0; i < caixa + 1; ++i)
            envelopes.nClientDataSet.AppendRecord({QVariant(), QVariant(), QStringLiteral("Envelope %1").arg(i + 1)});
    }
    EXPECT_EQ(envelopes.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(Valor("select max(CODIGOENVELOPE) from PROTOCOLODOCENVELOPE where CODIGOCAIXA = 2").toInt(), 3)
        << "envelopes are numbered within their box";
    caixas->nClientDataSet.First();
    EXPECT_EQ(envelopes.nClientDataSet.RecordCount(), 2);

    // Another user adds an envelope: refreshing the open registers (both
    // screens of the class) shows it.
    std::unique_ptr<TTesteDMCaixa> outraTela = CriarDM<TTesteDMCaixa>("TTesteDMCaixa");
    outraTela->Abrir();
    outraTela->CriarDetalhe();
    auto outra = OutraConexao();
    TnSQLDataSet insercao(*outra);
    insercao.SetCommandText("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE) values (1, 50)");
    insercao.ExecSQL();
    AtualizarDM("TesteDMCaixa");
    EXPECT_EQ(caixas->nClientDataSet.FieldByName("CODIGOCAIXA").AsInteger(), 1);
    EXPECT_EQ(envelopes.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(outraTela->Detalhes().front()->nClientDataSet.RecordCount(), 3);
}

TEST_F(Cadastro, SelecaoViraCondicaoEAcoesSeguemOEstado)
{
    EXPECT_EQ(CondicaoSelecao({{"DataLctoPro_MAIORIGUAL", QDate(2026, 11, 1)}, {"DataLctoPro_MENORIGUAL", QDate(2026, 11, 30)},
                               {"CodigoEmpresa_IGUAL", QVariant()}},
                              "t_t"),
              "t_t.DATALCTOPRO >= '2026-11-01' and t_t.DATALCTOPRO <= '2026-11-30'");
    EXPECT_EQ(ComandoComCondicao("Select t_t.A from T t_t ORDER BY t_t.A", "t_t.A > 1"), "Select t_t.A from T t_t where (t_t.A > 1) ORDER BY t_t.A");
    EXPECT_THROW(CondicaoSelecao({{"DataLctoPro_PARECIDO", 1}}, "t_t"), EnErro);

    CadastrarLocais();
    TTesteDMLocal local;
    local.Abrir({{"CodigoLocal_MAIOR", 1}});
    EXPECT_EQ(local.nClientDataSet.RecordCount(), 1);
    EXPECT_TRUE(local.actDataSetEdit->Enabled());
    EXPECT_FALSE(local.actDataSetPost->Enabled());
    local.actDataSetEdit->Execute();
    EXPECT_TRUE(local.actDataSetPost->Enabled());
    EXPECT_FALSE(local.actDataSetInsert->Enabled());
    local.actDataSetCancel->Execute();
    local.SetPodeEditar(false);
    EXPECT_FALSE(local.actDataSetDelete->Enabled());
    EXPECT_THROW(local.nClientDataSet.Delete(), EnErro);
    EXPECT_EQ(local.nClientDataSet.RecordCount(), 1);
    local.EdEnabledField("DESCRLOCAL", false);
    EXPECT_FALSE(local.EstadoControle("descrlocal").habilitado);
    EXPECT_TRUE(local.EstadoControle("CODIGOLOCAL").habilitado);
}

TEST_F(Cadastro, DuplicidadePorCodigo)
{
    CadastrarLocais();
    TTesteDMLocal local;
    local.Abrir();
    const TnRegraDuplicidade regra{"PROTOCOLOLOCALCAIXA", "CODIGOLOCAL", {"DESCRLOCAL"}, false, "Descrição repetida."};
    TnClientDataSet& ds = local.nClientDataSet;
    ds.First();
    ds.Edit();
    EXPECT_NO_THROW(VerificarDuplicidadePorCodigo(ds, regra)) << "its own description";
    ds.FieldByName("DESCRLOCAL").SetValue("Cofre");
    EXPECT_THROW(VerificarDuplicidadePorCodigo(ds, regra), EnErro);
    ds.FieldByName("DESCRLOCAL").SetValue("Mapoteca");
    EXPECT_NO_THROW(VerificarDuplicidadePorCodigo(ds, regra));
    ds.Cancel();
    ds.Append();
    ds.FieldByName("DESCRLOCAL").SetValue("Arquivo");
    EXPECT_THROW(VerificarDuplicidadePorCodigo(ds, regra), EnErro);
    ds.Cancel();
}

TEST_F(Cadastro, ConsultaAbertaParaEscolherUmaLinha)
{
    CadastrarLocais();
    TnDialogosRoteiro& usuario = TnDialogosRoteiro::Instalar(*m_host);
    usuario.EsperarConsulta("TesteDMLocal", {2}).EsperarConsulta("TesteDMLocal", {});
    std::unique_ptr<TnDataModule> consulta = CriarDMNovo("TTesteDMLocal");
    PrepararDM(*consulta);
    auto& locais = dynamic_cast<TTesteDMLocal&>(*consulta);
    ASSERT_TRUE(nConsultar(locais));
    EXPECT_EQ(locais.FieldByName("DESCRLOCAL").AsString(), "Cofre");
    EXPECT_FALSE(nConsultar(locais));
    usuario.Verificar();
}

TEST_F(Cadastro, DicionarioDaRotulosECamposDeConsulta)
{
    TnClientDataSet grade("Rota");
    grade.AddField<TnIntegerField>("Seq");
    grade.AddField<TnIntegerField>("CodigoEmpresa");
    grade.AddField<TnIntegerField>("CodigoEstab");
    AplicarDicionario(grade);
    AddFieldLookup(grade);
    grade.CreateDataSet();
    EXPECT_EQ(grade.FieldByName("CodigoEstab").DisplayLabel(), "Filial");
    ASSERT_NE(grade.FindField("NomeEmpresa"), nullptr);
    ASSERT_NE(grade.FindField("NomeEstab"), nullptr);
    grade.AppendRecord({1, 2, 1});
    grade.AppendRecord({2, 2, 7});
    grade.AppendRecord({3, 99, 1});
    const int empresa = grade.FieldByName("NomeEmpresa").Index();
    const int estab = grade.FieldByName("NomeEstab").Index();
    EXPECT_EQ(grade.ValorNaLinha(0, empresa).toString(), "Empresa 2");
    EXPECT_EQ(grade.ValorNaLinha(0, estab).toString(), "Filial 1");
    EXPECT_TRUE(grade.ValorNaLinha(1, estab).isNull()) << "no such establishment: empty";
    EXPECT_TRUE(grade.ValorNaLinha(2, empresa).isNull());
    grade.First();
    EXPECT_EQ(grade.FieldByName("NomeEstab").AsString(), "Filial 1");
    grade.Edit();
    EXPECT_THROW(grade.FieldByName("NomeEstab").SetValue("Outra"), EnErro);
    grade.Cancel();
}

// Views follow an action as it changes, and only while they exist.
TEST(TnAction, QuemSegueOuveCadaMudancaEnquantoExiste)
{
    TnAction gravar;
    int avisos = 0;
    auto vista = std::make_unique<QObject>();
    gravar.AoMudarEstado(vista.get(), [&avisos] { ++avisos; });
    gravar.SetEnabled(true);  // no change, no news
    EXPECT_EQ(avisos, 0);
    gravar.SetEnabled(false);
    gravar.SetVisible(false);
    EXPECT_EQ(avisos, 2);
    vista.reset();
    gravar.SetEnabled(true);
    EXPECT_EQ(avisos, 2) << "a view that went away is not told";
}
