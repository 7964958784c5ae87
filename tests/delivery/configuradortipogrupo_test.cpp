// A group's member types edited at once and saved replacing them.
#include "configuradortipogrupo.h"
#include "dialogosroteiro.h"
#include "pendenciasteste.h"

namespace {

class ConfiguradorTipoGrupo : public TestePendencias {
protected:
    void SetUp() override
    {
        TestePendencias::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        m_processo.DataModuleCreate();
        Carregar("1");
    }
    void Carregar(const QString& grupo)
    {
        m_processo.SetParam("pCodigoGrupoDoc", grupo);
        m_processo.Processar();
    }
    TnClientDataSet& Ds() { return m_processo.nClientDataSet; }
    void Incluir(int tipo)
    {
        Ds().Append();
        Ds().FieldByName("CODIGOTIPODOC").SetValue(tipo);
        Ds().Post();
    }
    QString Membros(int grupo)
    {
        QStringList tipos;
        auto membros = ExecutarSQL(QStringLiteral("select CODIGOTIPODOC from PROTOCOLOGRUPOTIPODOC where CODIGOGRUPODOC = %1 order by 1").arg(grupo));
        for (int linha = 0; linha < membros->RecordCount(); ++linha)
            tipos.append(membros->Valor(linha, 0).toString());
        return tipos.join(u' ');
    }
    // The refusal of a save confirmed; `grava`: it is expected to go through.
    QString Gravar(bool grava = false)
    {
        m_usuario->Esperar("Deseja realmente apagar a configuração do grupo e criar esta nova?", "Sim");
        if (grava)
            m_usuario->Esperar("Configuração do grupo gravada com sucesso!", "OK");
        return Recusa([&] { m_processo.actGravarExecute(); });
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPConfiguradorTipoGrupo m_processo;
};

} // namespace

TEST_F(ConfiguradorTipoGrupo, GravarSubstituiOsMembrosDoGrupo)
{
    EXPECT_EQ(Ds().RecordCount(), 7);
    EXPECT_FALSE(m_processo.TemAlteracao());
    Ds().First();
    Ds().Delete();
    Ds().Append();
    EXPECT_EQ(Recusa([&] { Ds().Post(); }), "O código do Tipo não pode ser nulo!");
    Ds().FieldByName("CODIGOTIPODOC").SetValue(10);
    Ds().Post();
    EXPECT_TRUE(m_processo.TemAlteracao());
    EXPECT_EQ(Gravar(true), "");
    EXPECT_FALSE(m_processo.TemAlteracao());
    EXPECT_EQ(Membros(1), "10 11 12 13 14 15 16") << "the type deleted and added again";

    // A type twice (neighbours once ordered): nothing written.
    Incluir(12);
    EXPECT_EQ(Gravar(), "Não pode haver tipos iguais!");
    // A type that does not exist: the database refuses, nothing changes.
    Ds().Delete();
    Incluir(99);
    EXPECT_TRUE(Gravar().startsWith("Operação cancelada! Não foi possível efetuar a operação!\n"));
    EXPECT_EQ(Membros(1), "10 11 12 13 14 15 16");
    // Cancelling reads the stored members again.
    m_processo.actCancelarExecute();
    EXPECT_EQ(Ds().RecordCount(), 7);
    EXPECT_FALSE(Ds().Locate("CODIGOTIPODOC", 99));

    // An empty grid empties the group; group 2 untouched.
    Ds().EmptyDataSet();
    EXPECT_EQ(Gravar(true), "");
    EXPECT_EQ(Membros(1), "");
    // A group code that is not a number is group 0 (none here).
    Carregar("x");
    EXPECT_EQ(Ds().RecordCount(), 0);
}
