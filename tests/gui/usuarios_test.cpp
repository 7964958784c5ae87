// Users and rights driven from their screen, as the office's administrator
// does: a new user without the protocol right finds protocols read-only
// until the right is granted.
#include "bancoteste.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "direitos.h"
#include "frmcadastro.h"
#include "janelaprincipal.h"
#include "controlecampo.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "selecaolyr.h"
#include "senha.h"
#include "sqlservicos.h"
#include "usuarios.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

class TelaUsuarios : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        auto direitos = std::make_unique<TnDMDireitoUsuario>();
        direitos->FOnGerarPrincActionMods[kModuloLyr] = GerarDireitosLyr;  // as the package would
        m_host->SetDireitos(std::move(direitos));
        m_host->Registro().ModulosCarregados.set(kModuloLyr);
        RegistrarCadastrosHost();
        for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>(), InfoDaClasse<TLyrDMSelecao>()})
            nRegisterClass(info);
        m_host->Registro().FnDMSelecaoClass[kModuloLyr] = QStringLiteral("TLyrDMSelecao");
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL, ADMINISTRADOR) values "
                          "(1, 'ana', 'Ana Lima', '1'), (2, 'caio', 'Caio Reis', '0')");
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, "
                          "CODIGOUSUARIO, NATUREZAPRO, CANCELADO, ORIGEMDADO) values (7, 2, 1, '2026-12-01', '2', '2026-12-01', 1, '1', '0', 2)");
        m_janela = std::make_unique<TnJanelaPrincipal>();
        m_janela->show();
        QApplication::setActiveWindow(m_janela.get());
    }

    void TearDown() override
    {
        m_janela.reset();
        TesteComBanco::TearDown();
    }

    // Types into a field's control as the user does.
    void Digitar(TnFrmCadastro& tela, const char* campo, const QString& texto)
    {
        auto* editor = qobject_cast<QLineEdit*>(tela.Controle(campo)->Editor());
        ASSERT_NE(editor, nullptr) << campo;
        editor->setFocus();
        QTest::keyClicks(editor, texto);
    }

    // Whether the protocol screen, opened now, lets the stored protocol be edited.
    bool ProtocoloEditavel()
    {
        m_usuario->EsperarSelecao({QDate(2026, 12, 1), QDate(2026, 12, 31)});
        auto* tela = dynamic_cast<TnFrmCadastro*>(m_janela->AbrirClasse("TLyrDMProtocolo"));
        EXPECT_NE(tela, nullptr);
        return tela && tela->Acao("actDataSetEdit")->isEnabled();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TnJanelaPrincipal> m_janela;
};

} // namespace

TEST_F(TelaUsuarios, UsuarioSemODireitoVeProtocolosSoParaLeituraAteRecebeLo)
{
    auto* tela = dynamic_cast<TnFrmCadastro*>(m_janela->AbrirClasse("TnDMUsuario"));
    ASSERT_NE(tela, nullptr);
    tela->Acao("actDataSetInsert")->trigger();
    Digitar(*tela, "NOMEUSUARIO", "bia");
    Digitar(*tela, "NOMEUSUARIOCOMPL", "Bia Souza");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    const int bia = Valor("select CODIGOUSUARIO from USUARIO where NOMEUSUARIO = 'bia'").toInt();
    ASSERT_EQ(bia, 3);

    // F7: the password, typed twice; a mismatch is refused first.
    m_usuario->EsperarQuestionario("Senha de bia", {{"senha", "segredo-bia"}, {"confirmacao", "segredo-bi"}})
        .Esperar("A confirmação não é igual à senha.", "OK")
        .EsperarQuestionario("Senha de bia", {{"senha", "segredo-bia"}, {"confirmacao", "segredo-bia"}})
        .EsperarMensagem("Senha alterada.");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F7);
    m_usuario->Verificar();
    EXPECT_TRUE(Senha::Confere("segredo-bia", {}, Valor("select SENHAHASH from USUARIO where CODIGOUSUARIO = 3").toString()));

    // F8: the rights the package offers, the protocol one taken away.
    m_usuario->EsperarQuestionario("Direitos de bia", {{"DireitoAltProtocolo", false}});
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F8);
    m_usuario->Verificar();
    QStringList oferecidos;
    for (const TnCampoQuestionario& campo : m_usuario->UltimoQuestionario().campos)
        oferecidos.append(campo.rotulo);
    EXPECT_TRUE(oferecidos.contains("Protocolos: Usuário pode Alterar Protocolo")) << oferecidos.join(" | ").toStdString();
    EXPECT_EQ(Valor("select PERMITIDO from USUARIODIREITO where CODIGOUSUARIO = 3 and NOMEDIREITO = 'DireitoAltProtocolo'").toString(), "0");

    Con().SetCodigoUsuario(bia);
    EXPECT_FALSE(ProtocoloEditavel());
    Con().SetCodigoUsuario(1);
    m_usuario->EsperarQuestionario("Direitos de bia", {{"DireitoAltProtocolo", true}});
    tela->Cadastro().nClientDataSet.Locate("CODIGOUSUARIO", QVariantList{bia});
    tela->Cadastro().ToolButtons().Actions(1).Execute();
    m_usuario->Verificar();
    Con().SetCodigoUsuario(bia);
    EXPECT_TRUE(ProtocoloEditavel());
}

TEST_F(TelaUsuarios, SoAdministradorAbreEUmAdministradorAtivoFica)
{
    Con().SetCodigoUsuario(2);
    m_usuario->Esperar("Somente um administrador cadastra usuários e direitos.", "OK");
    EXPECT_EQ(m_janela->AbrirClasse("TnDMUsuario"), nullptr);
    m_usuario->Verificar();

    Con().SetCodigoUsuario(1);
    auto* tela = dynamic_cast<TnFrmCadastro*>(m_janela->AbrirClasse("TnDMUsuario"));
    ASSERT_NE(tela, nullptr);
    TnDMClientDataSet& usuarios = tela->Cadastro();
    ASSERT_TRUE(usuarios.nClientDataSet.Locate("CODIGOUSUARIO", QVariantList{1}));
    usuarios.nClientDataSet.Edit();
    usuarios.FieldByName("ADMINISTRADOR").SetValue("0");
    m_usuario->Esperar("É preciso haver ao menos um administrador ativo.", "OK");
    tela->Acao("actDataSetPost")->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select ADMINISTRADOR from USUARIO where CODIGOUSUARIO = 1").toString(), "1");
    // Cancelled behind the screen's back: its buttons follow at once.
    usuarios.nClientDataSet.Cancel();
    EXPECT_TRUE(tela->Acao("actDataSetDelete")->isEnabled());

    m_usuario->Esperar("Confirma a exclusão do registro?", "Sim").Esperar("Usuários não são excluídos", "OK");
    tela->Acao("actDataSetDelete")->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from USUARIO").toInt(), 2);

    // A login already taken is refused where it is typed.
    tela->Acao("actDataSetInsert")->trigger();
    usuarios.FieldByName("NOMEUSUARIO").SetValue("caio");
    usuarios.FieldByName("NOMEUSUARIOCOMPL").SetValue("Outro Caio");
    m_usuario->Esperar("Já existe um usuário com o login \"caio\".", "OK");
    tela->Acao("actDataSetPost")->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from USUARIO").toInt(), 2);
}
