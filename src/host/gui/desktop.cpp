#include "desktop.h"

#include "classeshost.h"

#include "banco.h"
#include "dialogosdesktop.h"
#include "direitos.h"
#include "erros.h"
#include "host.h"
#include "janelaprincipal.h"
#include "login.h"
#include "pacotes.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>

namespace {

// The login of a run without a person at the keyboard.
void EntrarSemPerguntar()
{
    const QString usuario = qEnvironmentVariable("LYR_USUARIO");
    if (usuario.isEmpty())
        throw EnErro(QStringLiteral("Sem ninguém para entrar no sistema: defina LYR_USUARIO e LYR_SENHA."));
    const int codigo = ConferirLogin(usuario, qEnvironmentVariable("LYR_SENHA"));
    if (codigo == 0)
        throw EnErro(QStringLiteral("LYR_USUARIO e LYR_SENHA não conferem."));
    Conexao().SetCodigoUsuario(codigo);
}

bool Desatendido(const TnOpcoesDesktop& opcoes)
{
    return !opcoes.captura.isEmpty();
}

} // namespace

void CarregarTraducoesDoQt()
{
    // Qt's own texts (standard buttons, file and print dialogs) in Portuguese.
    auto* traducao = new QTranslator(QCoreApplication::instance());
    if (traducao->load(QLocale(QLocale::Portuguese, QLocale::Brazil), QStringLiteral("qtbase"), QStringLiteral("_"),
                       QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(traducao);
    else
        delete traducao;
}

int ExecutarDesktop(const TnOpcoesDesktop& opcoes)
{
    CarregarTraducoesDoQt();
    try {
        TnPacotesInstalados pacotes;
        pacotes.Ler();
        TnHost host(AbrirBanco(opcoes.banco, pacotes.Descricoes()));
        host.SetDireitos(std::make_unique<TnDMDireitoUsuario>());
        auto dialogos = std::make_unique<TnDialogosDesktop>();
        TnDialogosDesktop* dialogosDesktop = dialogos.get();
        dialogosDesktop->SetDesatendido(Desatendido(opcoes));
        host.SetDialogos(std::move(dialogos));
        if (Desatendido(opcoes) || !qEnvironmentVariableIsEmpty("LYR_USUARIO"))
            EntrarSemPerguntar();
        else if (!Entrar())
            return 0;
        RegistrarCadastrosHost();
        pacotes.Carregar();
        int resultado = 0;
        {
            TnJanelaPrincipal janela;
            dialogosDesktop->SetJanela(&janela);
            janela.show();
            if (!opcoes.abrir.isEmpty())
                janela.AbrirClasse(opcoes.abrir);
            // A question met before the event loop runs cannot stop it: leave now.
            if (dialogosDesktop->Interrompido())
                return 1;
            if (!opcoes.captura.isEmpty()) {
                if (Conexao().EhArquivoDoBanco(opcoes.captura))
                    throw EnErro(QStringLiteral("A captura não pode ser salva em %1, um arquivo do banco de dados.").arg(opcoes.captura));
                QTimer::singleShot(300, &janela, [&janela, &opcoes] {
                    if (!janela.grab().save(opcoes.captura)) {
                        QTextStream(stderr) << "lyr: Não foi possível salvar a captura em " << opcoes.captura << "." << Qt::endl;
                        QCoreApplication::exit(1);
                        return;
                    }
                    janela.close();
                });
            }
            resultado = QApplication::exec();
            dialogosDesktop->SetJanela(nullptr);
        }
        return resultado;
    } catch (const EnErro& erro) {
        QTextStream(stderr) << "lyr: " << erro.Mensagem() << Qt::endl;
        if (!Desatendido(opcoes)) {
            QMessageBox caixa(QMessageBox::Critical, QStringLiteral("Lyr"), erro.Mensagem(), QMessageBox::NoButton);
            caixa.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            caixa.exec();
        }
        return 1;
    }
}
