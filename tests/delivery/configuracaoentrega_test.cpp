// The delivery configuration: the establishments chosen listed empty, filled
// one row or many at once through the settings asked, and saved replacing
// what each listed establishment had.
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "configuracaoentrega.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "lyrsfuncoes.h"
#include "registro.h"
#include "sqlservicos.h"

namespace {

// Establishments 2/1, 2/2 and 2/3 and 3/1; groups 1 and 2; 2/1 and 3/1
// configured already.
class ConfiguracaoEntrega : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        RegistrarCadastrosHost();
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{2, 3}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Comércio'), (2, 'Serviços')");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (2, 1, 1, '1', '1'), (3, 1, 2, '3', '1')");
        m_processo.DataModuleCreate();
        m_processo.SetParam("pCodigoEmpresa", "2");
        m_processo.Processar();
    }

    TnClientDataSet& Ds() { return m_processo.nClientDataSet; }
    // The settings answered: group and form of delivery by caption.
    void Responder(int grupo, const QString& forma)
    {
        m_usuario->EsperarQuestionario("Informe as configurações!", {{"grupo", grupo}, {"forma", forma}});
    }
    QString Linha()
    {
        return QStringLiteral("%1 %2 %3").arg(Ds().FieldByName("CODIGOGRUPODOC").AsString(), Ds().FieldByName("FORMAENTREGA").AsString(),
                                              Ds().FieldByName("MESMOENDERECOENT").AsString());
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPConfiguracaoEntrega m_processo;
};

} // namespace

TEST_F(ConfiguracaoEntrega, UmaLinhaOuDaAtualAteAUltimaEGravarSubstitui)
{
    ASSERT_EQ(Ds().RecordCount(), 3) << "company 2's establishments, listed empty";
    EXPECT_TRUE(Ds().FieldByName("CODIGOGRUPODOC").IsNull());

    // Row 1: by hand at the establishment's address.
    Responder(1, "Entregue em Mãos");
    m_usuario->Esperar("O endereço de entrega dos protocolos é o mesmo da filial?", "Sim");
    m_processo.ConfigurarLinha();
    EXPECT_EQ(Linha(), "1 2 1");
    EXPECT_TRUE(m_processo.TemAlteracao());

    // From row 2 to the last: group 2 picked up; the last answer about the address stands.
    Ds().SetRecNo(2);
    Responder(2, "Retirado");
    m_processo.ConfigurarTodas();
    EXPECT_EQ(Ds().RecNo(), 2) << "back on the row it started from";
    Ds().First();
    EXPECT_EQ(Linha(), "1 2 1") << "rows above the current one are left";
    Ds().Last();
    EXPECT_EQ(Linha(), "2 1 1");

    // A group that does not exist is refused in the settings.
    Responder(9, "Retirado");
    m_usuario->Esperar("Grupo 9 não cadastrado.", "OK");
    m_usuario->EsperarQuestionario("Informe as configurações!", {});
    m_processo.ConfigurarLinha();
    m_usuario->Verificar();

    m_usuario->Esperar("Deseja realmente excluir as configurações antigas e gravar as novas?", "Sim")
        .Esperar("Configuração gravada com sucesso!", "OK");
    m_processo.actGravarExecute();
    m_usuario->Verificar();
    EXPECT_FALSE(m_processo.TemAlteracao());
    EXPECT_EQ(Valor("select count(*) from CFGESTABPRO where CODIGOEMPRESA = 2").toInt(), 3);
    EXPECT_EQ(PegarFormaEntrega(2, 1), "2") << "what the protocol register reads";
    EXPECT_EQ(PegarFormaEntrega(3, 1), "3") << "an establishment not listed is untouched";
}

// A row half filled stops the save before anything is deleted; rows left
// empty lose the configuration of their establishment.
TEST_F(ConfiguracaoEntrega, LinhaIncompletaParaTudoELinhaVaziaApaga)
{
    Ds().SetRecNo(3);
    Ds().Edit();
    Ds().FieldByName("CODIGOGRUPODOC").SetValue(1);
    Ds().FieldByName("FORMAENTREGA").SetValue("1");
    Ds().Post();
    m_usuario->Esperar("Deseja realmente excluir", "Sim");
    EXPECT_EQ(Recusa([&] { m_processo.actGravarExecute(); }), "Preencha o campo Mesmo Endereço");
    EXPECT_EQ(Ds().RecNo(), 3) << "left on the row to fill";
    EXPECT_EQ(Valor("select count(*) from CFGESTABPRO").toInt(), 2) << "nothing deleted";

    Ds().Edit();
    Ds().FieldByName("MESMOENDERECOENT").SetValue("1");
    Ds().Post();
    m_usuario->Esperar("Deseja realmente excluir", "Sim").Esperar("gravada com sucesso", "OK");
    m_processo.actGravarExecute();
    EXPECT_EQ(Valor("select count(*) from CFGESTABPRO where CODIGOEMPRESA = 2").toInt(), 1) << "2/1 listed empty: its configuration gone";
    EXPECT_EQ(Valor("select CODIGOESTAB from CFGESTABPRO where CODIGOEMPRESA = 2").toInt(), 3);

    // By hand elsewhere, for one row: its delivery address is asked at once.
    Ds().First();
    Responder(1, "Entregue em Mãos");
    m_usuario->Esperar("mesmo da filial?", "Não").EsperarCadastro("Endereços de Entrega", [](TnDMClientDataSet& enderecos) {
        EXPECT_EQ(enderecos.nClientDataSet.State(), TnDataSetState::dsInsert);
        enderecos.FieldByName("ENDERECO").SetValue("Rua do Rosário");
        enderecos.nClientDataSet.Post();
    });
    m_processo.ConfigurarLinha();
    m_usuario->Verificar();
    EXPECT_EQ(Linha(), "1 2 0");
    EXPECT_EQ(Valor("select ENDERECO from ESTABENTREGA where CODIGOEMPRESA = 2 and CODIGOESTAB = 1").toString(), "Rua do Rosário");
}
