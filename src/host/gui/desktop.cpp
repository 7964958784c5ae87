#include "desktop.h"

#include "banco.h"
#include "dialogosdesktop.h"
#include "direitos.h"
#include "erros.h"
#include "host.h"
#include "janelaprincipal.h"
#include "login.h"
#include "pacote.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

bool EntrarSemPerguntar()
{
    const QString usuario = qEnvironmentVariable("LYR_USUARIO");
    if (usuario.isEmpty())
        return false;
    const int codigo = ConferirLogin(usuario, qEnvironmentVariable("LYR_SENHA"));
    if (codigo == 0)
        throw EnErro(QStringLiteral("LYR_USUARIO e LYR_SENHA não conferem."));
    Conexao().SetCodigoUsuario(codigo);
    return true;
}

} // namespace

int ExecutarDesktop(const TnOpcoesDesktop& opcoes)
{
    try {
        TnHost host(AbrirBanco(opcoes.banco));
        host.SetDireitos(std::make_unique<TnDMDireitoUsuario>());
        auto dialogos = std::make_unique<TnDialogosDesktop>();
        TnDialogosDesktop* dialogosDesktop = dialogos.get();
        host.SetDialogos(std::move(dialogos));
        if (!EntrarSemPerguntar() && !Entrar())
            return 0;
        TnPacote pacote(QStringLiteral("LyrPk"), QCoreApplication::applicationDirPath() + QStringLiteral("/libLyrPk.so"));
        pacote.Carregar();
        int resultado = 0;
        {
            TnJanelaPrincipal janela;
            dialogosDesktop->SetJanela(&janela);
            janela.show();
            if (!opcoes.abrir.isEmpty())
                janela.AbrirClasse(opcoes.abrir);
            if (!opcoes.captura.isEmpty()) {
                QTimer::singleShot(300, &janela, [&janela, &opcoes] {
                    janela.grab().save(opcoes.captura);
                    janela.close();
                });
            }
            resultado = QApplication::exec();
            dialogosDesktop->SetJanela(nullptr);
        }
        return resultado;
    } catch (const EnErro& erro) {
        QMessageBox caixa(QMessageBox::Critical, QStringLiteral("Lyr"), erro.Mensagem(), QMessageBox::NoButton);
        caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
        caixa.exec();
        return 1;
    }
}
