#include "bancoteste.h"
#include "desktop.h"
#include "dialogosroteiro.h"
#include "login.h"
#include "olhardialogo.h"
#include "senha.h"
#include "sqlservicos.h"

#include <QCryptographicHash>
#include <QDialogButtonBox>
#include <QPushButton>

namespace {

// A digest as the first versions stored them: a hex salt and 20,000 rounds of SHA-256.
QString ResumoDaVersaoAnterior(const QString& senha, const QString& sal)
{
    QByteArray resumo = (sal + u':' + senha).toUtf8();
    for (int i = 0; i < 20000; ++i)
        resumo = QCryptographicHash::hash(resumo + sal.toLatin1(), QCryptographicHash::Sha256);
    return QString::fromLatin1(resumo.toHex());
}

} // namespace

TEST(Senha, Argon2idComSalAleatorio)
{
    const QString resumo = Senha::Resumir("c0rreta horse");
    EXPECT_TRUE(resumo.startsWith("$argon2id$v=19$m=")) << resumo.toStdString();
    EXPECT_LE(resumo.size(), 128) << "fits the column";
    EXPECT_FALSE(resumo.contains("c0rreta"));
    EXPECT_TRUE(Senha::Confere("c0rreta horse", {}, resumo));
    EXPECT_FALSE(Senha::Confere("c0rreta horse ", {}, resumo));
    EXPECT_FALSE(Senha::Confere("", {}, resumo));
    EXPECT_NE(Senha::Resumir("c0rreta horse"), resumo) << "each digest has its own salt";
    const QByteArray sal(16, 'x');
    EXPECT_EQ(Senha::Resumir("ação", sal), Senha::Resumir("ação", sal)) << "a given salt reproduces the digest";
    EXPECT_TRUE(Senha::Confere("ação", {}, Senha::Resumir("ação", sal)));
    EXPECT_FALSE(Senha::PrecisaRefazer(resumo));
    EXPECT_FALSE(Senha::Confere("x", {}, {}));
}

class Login : public TesteComBanco {};

TEST_F(Login, DigestoAntigoConfereUmaVezEETrocadoPorArgon2id)
{
    const QString sal = "00112233445566778899aabbccddeeff";
    ExecutarSQLDireto(QStringLiteral("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL, SENHASAL, SENHAHASH) values "
                                     "(7, 'ana', 'Ana Lima', '%1', '%2')")
                          .arg(sal, ResumoDaVersaoAnterior("segredo", sal)));
    EXPECT_EQ(ConferirLogin("ana", "errada"), 0);
    EXPECT_FALSE(Valor("select SENHAHASH from USUARIO").toString().startsWith("$argon2id$")) << "a failed login changes nothing";
    EXPECT_EQ(ConferirLogin(" ana ", "segredo"), 7);
    const QString novo = Valor("select SENHAHASH from USUARIO").toString();
    EXPECT_TRUE(novo.startsWith("$argon2id$"));
    EXPECT_TRUE(Valor("select SENHASAL from USUARIO").isNull());
    EXPECT_EQ(ConferirLogin("ana", "segredo"), 7);
    EXPECT_EQ(Valor("select SENHAHASH from USUARIO").toString(), novo) << "rehashed once";
    ExecutarSQLDireto("update USUARIO set ATIVO = '0'");
    EXPECT_EQ(ConferirLogin("ana", "segredo"), 0) << "an inactive user does not log in";
}

// A database that fails under the login (here: its table gone) is reported
// in a message and the dialog stays for another try, instead of the error
// running through Qt's event loop.
TEST_F(Login, ErroDoBancoAoEntrarEMostradoEODialogoContinua)
{
    TnDialogosRoteiro& usuario = TnDialogosRoteiro::Instalar(*m_host);
    usuario.Esperar("", "OK");
    ExecutarSQLDireto("alter table USUARIO rename to USUARIO_FORA");
    bool abertoDepoisDoErro = false;
    TnOlharDialogo olhar([&](QDialog& dialogo) {
        for (QAbstractButton* botao : dialogo.findChild<QDialogButtonBox*>()->buttons()) {
            if (botao->text() == u"Entrar")
                botao->click();
        }
        abertoDepoisDoErro = dialogo.isVisible();
        dialogo.reject();
    });
    EXPECT_FALSE(Entrar());
    EXPECT_TRUE(abertoDepoisDoErro);
    usuario.Verificar();
    ASSERT_EQ(usuario.Perguntas().size(), 1);
    EXPECT_TRUE(usuario.Perguntas()[0].texto.contains("usuario", Qt::CaseInsensitive)) << usuario.Perguntas()[0].texto.toStdString();
}

TEST(EsperaDoLogin, CadaFalhaEsperaMais)
{
    EXPECT_EQ(EsperaAposFalhas(0), 0);
    EXPECT_EQ(EsperaAposFalhas(1), 1);
    EXPECT_EQ(EsperaAposFalhas(2), 2);
    EXPECT_EQ(EsperaAposFalhas(3), 4);
    EXPECT_EQ(EsperaAposFalhas(6), 30);
    EXPECT_EQ(EsperaAposFalhas(60), 30);
}

TEST(TraducoesDoQt, BotoesPadraoEmPortugues)
{
    CarregarTraducoesDoQt();
    QDialogButtonBox botoes(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Yes | QDialogButtonBox::No);
    EXPECT_EQ(botoes.button(QDialogButtonBox::Cancel)->text(), "Cancelar");
    EXPECT_EQ(botoes.button(QDialogButtonBox::Yes)->text().remove(u'&'), "Sim");
    EXPECT_EQ(botoes.button(QDialogButtonBox::No)->text().remove(u'&'), "Não");
}
