// The source types, their templates register and the placeholder picker.
#include "bancoteste.h"
#include "cfgtipoprotocolo.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "lyrsfuncoes.h"
#include "registro.h"
#include "sqlservicos.h"
#include "tiposprotocolo.h"

TEST(TiposProtocolo, VocabularioTitulosEGrupos)
{
    QList<int> codigos;
    for (const TnTipoProtocolo& tipo : TiposProtocolo())
        codigos.append(tipo.codigo);
    EXPECT_EQ(codigos, QList<int>({1, 2, 3, 4, 5, 9, 10, 6, 7, 8, 11, 12}));
    EXPECT_EQ(NomesValoresTiposCadastro().value(6), "Débitos FOLHA=10");
    EXPECT_EQ(NomesValoresTiposGeracao().value(6), "Débitos de Folha de Pagamento=10");
    EXPECT_EQ(GetTitulo(1), "Débitos Federais");
    EXPECT_EQ(GetTitulo(11), "Notas Fiscais");
    EXPECT_EQ(GetTitulo(12), "Boletos");
    for (int outro : {10, 0, 13, -1})
        EXPECT_EQ(GetTitulo(outro), "Débitos de Folha") << outro;
    // Every type belongs to exactly one group.
    for (const TnTipoProtocolo& tipo : TiposProtocolo()) {
        const int grupos = InIntArray(tipo.codigo, ListaConstCTR()) + InIntArray(tipo.codigo, ListaConstFPA())
                           + InIntArray(tipo.codigo, ListaConstFIN());
        EXPECT_EQ(grupos, 1) << tipo.codigo;
    }
    EXPECT_EQ(ListaConstCTR(), QList<int>({1, 2, 3, 4, 5, 9, 10}));
}

TEST(TiposProtocolo, EntradasDoSeletorPorTipo)
{
    EXPECT_EQ(EntradasDoSeletor(1).size(), 18);
    EXPECT_EQ(EntradasDoSeletor(4).size(), 17) << "no observation for union dues";
    EXPECT_FALSE(EntradasDoSeletor(4).contains("Observação [OBSERVDEBITO]"));
    EXPECT_EQ(EntradasDoSeletor(10).value(3), "Código do Funcionário [CodigoFuncContr]");
    EXPECT_EQ(EntradasDoSeletor(6), QStringList({"Nome do Funcionário [NOMEFUNC]", "Código do Funcionário [CodigoFuncContr]",
                                                 "Quantidade de Funcionários [QUANTIDADE]"}));
    EXPECT_EQ(EntradasDoSeletor(7).size(), 32);
    EXPECT_EQ(EntradasDoSeletor(8).size(), 23);
    EXPECT_EQ(EntradasDoSeletor(11).size(), 6);
    EXPECT_EQ(EntradasDoSeletor(12).last(), "Número do Documento [NUMERODCTOCR]");
    EXPECT_TRUE(EntradasDoSeletor(9).isEmpty());
    EXPECT_EQ(MarcadorDaEntrada("Salário Final[SALFINAL]"), "[SALFINAL]");
    EXPECT_EQ(MarcadorDaEntrada("sem marcador"), "sem marcador");
}

TEST(TiposProtocolo, ExpandirTrocaTodasAsOcorrenciasSemCaixa)
{
    EXPECT_EQ(ExpandirModelo("[NOMEFUNC] - [nomefunc] ([CodigoFuncContr]) [DESCONHECIDO]",
                             {{"[NOMEFUNC]", "Ana"}, {"[CODIGOFUNCCONTR]", "0042"}}),
              "Ana - Ana (0042) [DESCONHECIDO]");
    EXPECT_EQ(ExpandirModelo("Guia [VALORDEBITO]", {{"[VALORDEBITO]", ""}}), "Guia ");
    EXPECT_EQ(ExpandirModelo("", {{"[X]", "y"}}), "");
}

namespace {

class CadastroTiposProtocolo : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        nRegisterClass(InfoDaClasseLyr<TLyrDMCfgTipoProtocolo>());
        m_tipos = CriarDM<TLyrDMCfgTipoProtocolo>("TLyrDMCfgTipoProtocolo");
        m_tipos->Abrir();
    }

    void TearDown() override
    {
        m_tipos.reset();
        TesteComBanco::TearDown();
    }

    TnField& Descricao() const { return m_tipos->FieldByName("DESCRTIPOPROTOCOLO"); }
    void Escolher() { m_tipos->nClientDataSetDESCRTIPOPROTOCOLODefIntButtonClick(Descricao()); }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TLyrDMCfgTipoProtocolo> m_tipos;
};

} // namespace

TEST_F(CadastroTiposProtocolo, SeletorAcrescentaOMarcadorAoQueEstaEscrito)
{
    Escolher();  // no rows: nothing is asked
    m_tipos->nClientDataSet.Append();
    m_tipos->FieldByName("CODIGOTIPOPROTOCOLO").SetValue(1);
    Descricao().SetValue("Guia ");
    m_usuario->EsperarEscolha("Configuração Nome Arquivo", "Valor do Débito [VALORDEBITO]")
        .EsperarEscolha("Configuração Nome Arquivo", "Competência do Débito [COMPETENCIA]");
    Escolher();
    Escolher();
    EXPECT_EQ(Descricao().AsString(), "Guia [VALORDEBITO][COMPETENCIA]");
    EXPECT_EQ(m_usuario->Perguntas().last().opcoes.size(), 18);
    m_tipos->nClientDataSet.Post();
    EXPECT_EQ(PegarCfgDescr(1), "Guia [VALORDEBITO][COMPETENCIA]");
    EXPECT_EQ(PegarCfgDescr(2), "") << "a type without a template";

    // On a stored row the pick starts editing; it is stored only when posted.
    m_usuario->EsperarEscolha("Configuração Nome Arquivo", "Observação [OBSERVDEBITO]");
    Escolher();
    EXPECT_EQ(m_tipos->nClientDataSet.State(), TnDataSetState::dsEdit);
    EXPECT_EQ(PegarCfgDescr(1), "Guia [VALORDEBITO][COMPETENCIA]");
    m_tipos->nClientDataSet.Cancel();

    // A cancelled list changes nothing; what does not fit the field is cut.
    m_usuario->EsperarEscolha("Configuração Nome Arquivo", -1);
    Escolher();
    EXPECT_EQ(m_tipos->nClientDataSet.State(), TnDataSetState::dsBrowse);
    m_tipos->nClientDataSet.Edit();
    Descricao().SetValue(QString(95, u'x'));
    m_usuario->EsperarEscolha("Configuração Nome Arquivo", "Valor do Débito [VALORDEBITO]");
    Escolher();
    EXPECT_EQ(Descricao().AsString(), QString(95, u'x') + "[VALO");
    m_tipos->nClientDataSet.Cancel();
    m_usuario->Verificar();
}

TEST_F(CadastroTiposProtocolo, UmModeloPorTipoEChaveQueNaoMuda)
{
    m_tipos->nClientDataSet.Append();
    m_tipos->FieldByName("CODIGOTIPOPROTOCOLO").SetValue(6);
    Descricao().SetValue("Folha [NOMEFUNC]");
    m_tipos->nClientDataSet.Post();
    EXPECT_EQ(m_tipos->FieldByName("CODIGOTIPOPROTOCOLO").DisplayText(), "Folha de Pagamento");
    m_tipos->nClientDataSet.Append();
    m_tipos->FieldByName("CODIGOTIPOPROTOCOLO").SetValue(6);
    Descricao().SetValue("Outra");
    EXPECT_FALSE(Recusa([&] { m_tipos->nClientDataSet.Post(); }).isEmpty());
    m_tipos->nClientDataSet.Cancel();
    m_tipos->nClientDataSet.Edit();
    m_tipos->FieldByName("CODIGOTIPOPROTOCOLO").SetValue(7);
    EXPECT_FALSE(Recusa([&] { m_tipos->nClientDataSet.Post(); }).isEmpty()) << "the key does not change";
    m_tipos->nClientDataSet.Cancel();
    EXPECT_EQ(Valor("select count(*) from CFGTIPOPROTOCOLO").toInt(), 1);
}
