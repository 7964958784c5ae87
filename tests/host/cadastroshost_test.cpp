// The host's registers as the office fills them before using the module:
// companies and their establishments, tax ids, and what may not be deleted.
#include "bancoteste.h"
#include "cadastroshost.h"
#include "cnpjcpf.h"
#include "dialogosroteiro.h"
#include "registro.h"
#include "sqlservicos.h"

TEST(CnpjCpf, DigitosVerificadoresEPontuacao)
{
    for (const char* valido : {"11.222.333/0001-81", "11222333000181", "529.982.247-25", "52998224725", ""})
        EXPECT_EQ(CnpjCpf::Recusa(valido), "") << valido;
    EXPECT_EQ(CnpjCpf::Recusa("11.222.333/0001-82"), "CNPJ \"11.222.333/0001-82\" inválido: os dígitos verificadores não conferem.");
    EXPECT_EQ(CnpjCpf::Recusa("529.982.247-52"), "CPF \"529.982.247-52\" inválido: os dígitos verificadores não conferem.");
    EXPECT_EQ(CnpjCpf::Recusa("111.111.111-11"), "CPF \"111.111.111-11\" inválido: os dígitos verificadores não conferem.")
        << "equal digits pass the arithmetic but are no id";
    EXPECT_EQ(CnpjCpf::Recusa("1234567890"), "CNPJ/CPF \"1234567890\" inválido: um CNPJ tem 14 dígitos e um CPF, 11.");
    EXPECT_EQ(CnpjCpf::Recusa("11.222.333/0001-8a"), "CNPJ/CPF \"11.222.333/0001-8a\" inválido: use só números, pontos, barra e hífen.");
    EXPECT_EQ(CnpjCpf::Formatar("11222333000181"), "11.222.333/0001-81");
    EXPECT_EQ(CnpjCpf::Formatar("52998224725"), "529.982.247-25");
    EXPECT_EQ(CnpjCpf::ComDigitos("112223330001"), "11.222.333/0001-81");
    EXPECT_EQ(CnpjCpf::ComDigitos("529982247"), "529.982.247-25");
}

namespace {

class CadastrosHost : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        RegistrarCadastrosHost();
        m_empresas = CriarDM<TnDMEmpresa>("TnDMEmpresa");
        m_empresas->Abrir();
        m_empresas->CriarDetalhe();
        m_filiais = m_empresas->Detalhe("TnDMEstab");
    }

    void TearDown() override
    {
        m_empresas.reset();
        TesteComBanco::TearDown();
    }

    void NovaEmpresa(const QString& nome, const QString& cnpj)
    {
        m_empresas->nClientDataSet.Append();
        m_empresas->FieldByName("NOMEEMPRESA").SetValue(nome);
        m_empresas->FieldByName("CNPJ").SetValue(cnpj);
        m_empresas->nClientDataSet.Post();
    }

    void NovaFilial(const QString& apelido, const QString& uf = {})
    {
        m_filiais->nClientDataSet.Append();
        m_filiais->FieldByName("NOMEESTAB").SetValue("Padaria Silva");
        m_filiais->FieldByName("APELIDOESTAB").SetValue(apelido);
        if (!uf.isEmpty())
            m_filiais->FieldByName("UF").SetValue(uf);
        m_filiais->nClientDataSet.Post();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TnDMEmpresa> m_empresas;
    TnDMClientDataSet* m_filiais = nullptr;
};

} // namespace

TEST_F(CadastrosHost, EmpresaComFiliaisNumeradasECnpjConferido)
{
    ASSERT_NE(m_filiais, nullptr);
    EXPECT_EQ(Recusa([&] { NovaEmpresa("Padaria Silva Ltda", "11.222.333/0001-82"); }),
              "CNPJ \"11.222.333/0001-82\" inválido: os dígitos verificadores não conferem.");
    EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 0);
    m_empresas->FieldByName("CNPJ").SetValue("11222333000181");
    m_empresas->nClientDataSet.Post();
    EXPECT_EQ(Valor("select CNPJ from EMPRESA").toString(), "11.222.333/0001-81") << "kept punctuated";
    EXPECT_EQ(Valor("select ATIVA from EMPRESA").toString(), "1");

    NovaFilial("Matriz", "sp");
    NovaFilial("Filial Norte");
    EXPECT_EQ(Valor("select max(CODIGOESTAB) from ESTAB where CODIGOEMPRESA = 1").toInt(), 2) << "numbered within the company";
    EXPECT_EQ(Valor("select UF from ESTAB where CODIGOESTAB = 1").toString(), "SP");
    EXPECT_EQ(Recusa([&] { NovaFilial("Filial Sul", "XX"); }), "UF \"XX\" não existe.");
    m_filiais->nClientDataSet.Cancel();

    // A second company gets its own establishment 1.
    NovaEmpresa("Oficina Souza", "529.982.247-25");
    NovaFilial("Centro");
    EXPECT_EQ(Valor("select count(*) from ESTAB where CODIGOESTAB = 1").toInt(), 2);
}

// The delivery address of an establishment: one per establishment, of an
// establishment that exists, its state checked as the establishment's.
TEST_F(CadastrosHost, EnderecoDeEntregaDeUmaFilialQueExiste)
{
    CadastrarFilial(2, 1);
    auto enderecos = CriarDM<TnDMEstabEntrega>("TnDMEstabEntrega");
    ASSERT_NE(enderecos, nullptr);
    enderecos->Abrir();
    TnClientDataSet& ds = enderecos->nClientDataSet;
    const auto novo = [&](int estab, const char* uf) {
        ds.Append();
        ds.FieldByName("CODIGOEMPRESA").SetValue(2);
        ds.FieldByName("CODIGOESTAB").SetValue(estab);
        ds.FieldByName("ENDERECO").SetValue("Rua do Rosário");
        ds.FieldByName("UF").SetValue(uf);
        ds.Post();
    };
    EXPECT_EQ(Recusa([&] { novo(1, "XX"); }), "UF \"XX\" não existe.");
    ds.Cancel();
    EXPECT_EQ(Recusa([&] { novo(9, "SP"); }), "Filial 2/9 não cadastrada.");
    ds.Cancel();
    novo(1, "sp");
    EXPECT_EQ(Valor("select UF from ESTABENTREGA where CODIGOEMPRESA = 2 and CODIGOESTAB = 1").toString(), "SP");
    EXPECT_FALSE(Recusa([&] { novo(1, "SP"); }).isEmpty()) << "one address per establishment";
}

TEST_F(CadastrosHost, EmpresaOuFilialComProtocolosNaoSeExclui)
{
    NovaEmpresa("Padaria Silva Ltda", "");
    NovaFilial("Matriz");
    NovaFilial("Filial Norte");
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, "
                      "CODIGOUSUARIO, ORIGEMDADO) values (7, 1, 1, '2026-12-01', '1', '2026-12-01', 1, 2)");
    m_filiais->nClientDataSet.First();
    EXPECT_EQ(Recusa([&] { m_filiais->nClientDataSet.Delete(); }), "A filial 1/1 tem protocolos e não pode ser excluída; desative-a.");
    EXPECT_EQ(Recusa([&] { m_empresas->nClientDataSet.Delete(); }), "A empresa 1 tem protocolos e não pode ser excluída; desative-a.");
    m_filiais->nClientDataSet.Last();
    m_filiais->nClientDataSet.Delete();
    EXPECT_EQ(Valor("select count(*) from ESTAB").toInt(), 1) << "an establishment without protocols goes";

    ExecutarSQLDireto("delete from PROTOCOLO");
    EXPECT_EQ(Recusa([&] { m_empresas->nClientDataSet.Delete(); }), "Este registro tem \"Filiais\" e não pode ser excluído.");
    EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 1);
}
