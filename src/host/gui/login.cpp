#include "login.h"

#include "conexao.h"
#include "host.h"
#include "senha.h"
#include "sqlservicos.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QString>

int ConferirLogin(const QString& login, const QString& senha)
{
    const QVariantList usuario = PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO;SENHASAL;SENHAHASH;ATIVO"),
                                                 ValorParaSQL(QStringLiteral("NOMEUSUARIO"), QStringLiteral("="), login.trimmed()))
                                     .toList();
    if (usuario.size() != 4 || usuario[0].isNull() || usuario[3].toString() != u"1")
        return 0;
    return Senha::Confere(senha, usuario[1].toString(), usuario[2].toString()) ? usuario[0].toInt() : 0;
}

bool Entrar(QWidget* pai)
{
    QDialog dialogo(pai);
    dialogo.setWindowTitle(QStringLiteral("Lyr - Entrar"));
    auto* layout = new QFormLayout(&dialogo);
    auto* usuario = new QLineEdit(&dialogo);
    usuario->setObjectName(QStringLiteral("usuario"));
    auto* senha = new QLineEdit(&dialogo);
    senha->setObjectName(QStringLiteral("senha"));
    senha->setEchoMode(QLineEdit::Password);
    auto* aviso = new QLabel(&dialogo);
    aviso->setStyleSheet(QStringLiteral("color: #b00020"));
    layout->addRow(QStringLiteral("Usuário"), usuario);
    layout->addRow(QStringLiteral("Senha"), senha);
    layout->addRow(aviso);
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("Entrar"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addRow(botoes);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, [&] {
        const int codigo = ConferirLogin(usuario->text(), senha->text());
        if (codigo == 0) {
            aviso->setText(QStringLiteral("Usuário ou senha incorretos."));
            senha->clear();
            senha->setFocus();
            return;
        }
        Conexao().SetCodigoUsuario(codigo);
        dialogo.accept();
    });
    return dialogo.exec() == QDialog::Accepted;
}
