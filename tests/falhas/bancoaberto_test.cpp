// An office's SQLite database held open by a desktop that goes on writing
// while other processes (a scheduled run, a terminal) come and go. SQLite's
// locks belong to the process: if the desktop ever opened and closed the
// database, its -wal or its -shm outside SQLite, its locks would be gone, the
// next process to leave would delete the log the desktop still writes into,
// and those writes would never reach the file.
#include "bancoteste.h"
#include "conexao.h"
#include "erros.h"
#include "processolinhas.h"
#include "sqlservicos.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>

#include <sys/inotify.h>
#include <unistd.h>

namespace {


// Which of the database's files anybody opened in the folder since the last
// call (inotify sees every process, this one's SQLite included).
class TnAberturas {
public:
    TnAberturas(const QString& pasta, const QString& banco) : m_banco(QFileInfo(banco).fileName())
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(m_fd, QFile::encodeName(pasta).constData(), IN_OPEN);
    }
    ~TnAberturas() { close(m_fd); }
    QStringList Lidas()
    {
        QStringList nomes;
        alignas(inotify_event) char buffer[8192];
        for (ssize_t lidos; (lidos = read(m_fd, buffer, sizeof buffer)) > 0;) {
            for (char* p = buffer; p < buffer + lidos;) {
                const auto* evento = reinterpret_cast<const inotify_event*>(p);
                const QString nome = evento->len ? QFile::decodeName(evento->name) : QString();
                if (nome == m_banco || nome == m_banco + QStringLiteral("-wal") || nome == m_banco + QStringLiteral("-shm"))
                    nomes.append(nome);
                p += sizeof(inotify_event) + evento->len;
            }
        }
        return nomes;
    }

private:
    int m_fd;
    QString m_banco;
};

// Another process on the same database: `lyr sql`, as from a terminal.
QString Contar(const QString& banco)
{
    QProcess lyr;
    lyr.start(QStringLiteral(LYR_BINARIO), {"--database", banco, "sql", "select count(*) as TOTAL from HISTORICOPRO"});
    lyr.waitForFinished(60000);
    return QString::fromUtf8(lyr.readAllStandardOutput()).section(u'\n', 2, 2).trimmed();
}

} // namespace

TEST(BancoAberto, OutroProcessoEntraESaiEODesktopContinuaGravandoNoMesmoArquivo)
{
    if (BancoDoTeste() != TnBanco::SQLite)
        GTEST_SKIP() << "the locks in question are those of an SQLite file";
    TnBancoTeste banco;
    const QString arquivo = banco.Config().arquivo;
    const QString pasta = QFileInfo(arquivo).absolutePath();

    {
        TnProcessoLinhas desktop(QStringLiteral(LYR_ESCRITORIO), {arquivo});
        ASSERT_EQ(desktop.Resposta(), "pronto");
        ASSERT_EQ(desktop.Pedir("gravar 1"), "ok");

        // The folder browsed as the user would browse it: nobody opens the
        // database's files but SQLite, which has them open already.
        TnAberturas aberturas(pasta, arquivo);
        EXPECT_EQ(desktop.Pedir("dialogo"), "ok");
        EXPECT_EQ(aberturas.Lidas().join(", "), "") << "the save dialog read the database's files";
        const QString pdf = desktop.Pedir("pdf");
        EXPECT_TRUE(pdf.startsWith("ok ") && pdf.mid(3).toLongLong() > 1000) << pdf.toStdString();
        EXPECT_EQ(aberturas.Lidas().join(", "), "") << "saving the receipts as PDF read the database's files";
        // A second connection of the same process (threads, a server) checks the file first.
        EXPECT_EQ(desktop.Pedir("conexao"), "ok");

        // A terminal comes and goes; the desktop writes on, and a third process sees it all.
        EXPECT_EQ(Contar(arquivo), "1");
        ASSERT_EQ(desktop.Pedir("gravar 2"), "ok");
        EXPECT_EQ(Contar(arquivo), "2") << "the desktop's write after the terminal left never reached the database";
        ASSERT_EQ(desktop.Pedir("gravar 3"), "ok");
    }
    EXPECT_EQ(Contar(arquivo), "3");
    nDMConexao depois(banco.Config());
    EXPECT_EQ(depois.ConferirIntegridade(), QStringList());
}
