#include "usuariocli.h"

#include "banco.h"
#include "erros.h"
#include "usuarios.h"

#include <QTextStream>

#include <termios.h>
#include <unistd.h>

#include <algorithm>

namespace {

// One line of the standard input; on a terminal the prompt goes to stderr
// and what is typed is not echoed.
QString LerSenha(const QString& pergunta)
{
    const bool terminal = isatty(STDIN_FILENO) == 1;
    termios anterior{};
    if (terminal) {
        QTextStream(stderr) << pergunta << Qt::flush;
        tcgetattr(STDIN_FILENO, &anterior);
        termios semEco = anterior;
        semEco.c_lflag &= ~static_cast<tcflag_t>(ECHO);
        tcsetattr(STDIN_FILENO, TCSANOW, &semEco);
    }
    QTextStream entrada(stdin);
    const QString linha = entrada.readLine();
    if (terminal) {
        tcsetattr(STDIN_FILENO, TCSANOW, &anterior);
        QTextStream(stderr) << "\n";
    }
    return linha;
}

// The password typed twice on a terminal, once from a pipe.
QString NovaSenha()
{
    const QString senha = LerSenha(QStringLiteral("Senha: "));
    if (isatty(STDIN_FILENO) == 1) {
        if (const QString recusa = Usuarios::RecusaSenha(senha, LerSenha(QStringLiteral("Confirme a senha: "))); !recusa.isEmpty())
            throw EnErro(recusa);
    }
    return senha;
}

bool LerSimNao(const QString& texto)
{
    if (texto.compare(QStringLiteral("sim"), Qt::CaseInsensitive) == 0)
        return true;
    if (texto.compare(QStringLiteral("nao"), Qt::CaseInsensitive) == 0 || texto.compare(QStringLiteral("não"), Qt::CaseInsensitive) == 0)
        return false;
    throw EnErro(QStringLiteral("Use sim ou nao, não \"%1\".").arg(texto));
}

void ExigirArgumentos(const QStringList& argumentos, qsizetype quantos, const QString& uso)
{
    if (argumentos.size() != quantos)
        throw EnErro(QStringLiteral("Use: lyr usuario %1").arg(uso));
}

} // namespace

int ExecutarUsuario(const QStringList& argumentos, const QString& nome, bool administrador, QTextStream& saida)
{
    const QString acao = argumentos.value(0);
    if (acao == u"adicionar") {
        ExigirArgumentos(argumentos, 2, QStringLiteral("adicionar LOGIN --nome \"Nome completo\" [--administrador]"));
        const int codigo = Usuarios::Adicionar(argumentos[1], nome, NovaSenha(), administrador);
        saida << "Usuário " << codigo << " (" << argumentos[1] << ") cadastrado" << (administrador ? " como administrador." : ".") << Qt::endl;
        return 0;
    }
    if (acao == u"senha") {
        ExigirArgumentos(argumentos, 2, QStringLiteral("senha LOGIN"));
        Usuarios::TrocarSenha(Usuarios::CodigoDoLogin(argumentos[1]), NovaSenha());
        saida << "Senha de " << argumentos[1] << " alterada." << Qt::endl;
        return 0;
    }
    // The modules' rights are there: the command line registered its packages.
    if (acao == u"direito") {
        ExigirArgumentos(argumentos, 4, QStringLiteral("direito LOGIN DIREITO sim|nao"));
        const int usuario = Usuarios::CodigoDoLogin(argumentos[1]);
        const bool permitido = LerSimNao(argumentos[3]);
        QList<TnDireitoDoUsuario> direitos = Usuarios::Direitos(usuario);
        auto direito = std::find_if(direitos.begin(), direitos.end(), [&](const TnDireitoDoUsuario& d) { return d.nome == argumentos[2]; });
        if (direito == direitos.end())
            throw EnErro(QStringLiteral("Direito \"%1\" desconhecido. Veja os direitos com: lyr usuario direitos %2").arg(argumentos[2], argumentos[1]));
        direito->permitido = permitido;
        Usuarios::GravarDireitos(usuario, {*direito});
        saida << "Direito " << direito->nome << (permitido ? " concedido a " : " retirado de ") << argumentos[1] << "." << Qt::endl;
        return 0;
    }
    if (acao == u"direitos") {
        ExigirArgumentos(argumentos, 2, QStringLiteral("direitos LOGIN"));
        for (const TnDireitoDoUsuario& direito : Usuarios::Direitos(Usuarios::CodigoDoLogin(argumentos[1])))
            saida << (direito.permitido ? "[x] " : "[ ] ") << direito.categoria << "  " << direito.nome << "  " << direito.caption << Qt::endl;
        return 0;
    }
    throw EnErro(QStringLiteral("Use: lyr usuario adicionar|senha|direito|direitos … (veja lyr --help)."));
}
