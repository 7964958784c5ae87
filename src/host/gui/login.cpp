#include "login.h"

#include "acaosegura.h"
#include "conexao.h"
#include "host.h"
#include "senha.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTimer>

#include <algorithm>

int ConferirLogin(const QString& login, const QString& senha)
{
    const QVariantList usuario = PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO;SENHASAL;SENHAHASH;ATIVO"),
                                                 ValorParaSQL(QStringLiteral("NOMEUSUARIO"), QStringLiteral("="), login.trimmed()))
                                     .toList();
    if (usuario.size() != 4 || usuario[0].isNull() || usuario[3].toString() != u"1")
        return 0;
    const QString resumo = usuario[2].toString();
    if (!Senha::Confere(senha, usuario[1].toString(), resumo))
        return 0;
    // A digest of the former kind is replaced now that the password is known.
    if (Senha::PrecisaRefazer(resumo)) {
        TnSQLDataSet troca(Conexao());
        troca.SetCommandText(QStringLiteral("update USUARIO set SENHASAL = null, SENHAHASH = :resumo where CODIGOUSUARIO = :codigo"));
        troca.SetParamValues({Senha::Resumir(senha), usuario[0]});
        troca.ExecSQL();
    }
    return usuario[0].toInt();
}

int EsperaAposFalhas(int falhas)
{
    return falhas <= 0 ? 0 : std::min(1 << std::min(falhas - 1, 5), 30);
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
    QPushButton* entrar = botoes->addButton(QStringLiteral("Entrar"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addRow(botoes);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    int falhas = 0;
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, [&] {
        // A database that fails here (a server gone away) is reported like
        // any gesture's error; the user may try again.
        int codigo = 0;
        if (!AcaoSegura([&] { codigo = ConferirLogin(usuario->text(), senha->text()); }))
            return;
        if (codigo == 0) {
            // Each failure makes the next try wait longer (1, 2, 4... up to 30 seconds).
            const int espera = EsperaAposFalhas(++falhas);
            aviso->setText(QStringLiteral("Usuário ou senha incorretos. Tente de novo em %1 s.").arg(espera));
            senha->clear();
            senha->setFocus();
            entrar->setEnabled(false);
            QTimer::singleShot(espera * 1000, &dialogo, [entrar] { entrar->setEnabled(true); });
            return;
        }
        Conexao().SetCodigoUsuario(codigo);
        dialogo.accept();
    });
    return dialogo.exec() == QDialog::Accepted;
}
