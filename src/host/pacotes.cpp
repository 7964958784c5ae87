#include "pacotes.h"

#include "erros.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A file named is taken as a package (and refused, later, if it is not one);
// in a folder, only the libraries with a package's metadata count.
QStringList PacotesEm(const QString& caminho)
{
    const QFileInfo info(caminho);
    if (!info.isDir())
        return {info.absoluteFilePath()};
    QStringList arquivos;
    const QFileInfoList bibliotecas = QDir(caminho).entryInfoList({QStringLiteral("*.so")}, QDir::Files, QDir::Name);
    for (const QFileInfo& biblioteca : bibliotecas) {
        try {
            LerMetadadosPacote(biblioteca.absoluteFilePath());
            arquivos.append(biblioteca.absoluteFilePath());
        } catch (const EnErro&) {
            // Some other library.
        }
    }
    return arquivos;
}

// Asked also before the application object exists (the command line reads
// its packages' commands first): then from the process's own executable.
QString PastaDosPacotes()
{
    const QString pasta = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                       : QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
    return pasta + QStringLiteral("/pacotes");
}

} // namespace

QStringList ArquivosDosPacotes()
{
    const QString configurados = qEnvironmentVariable("LYR_PACOTES").trimmed();
    if (configurados.isEmpty())
        return PacotesEm(PastaDosPacotes());
    QStringList arquivos;
    for (const QString& caminho : configurados.split(u':', Qt::SkipEmptyParts))
        arquivos += PacotesEm(caminho);
    return arquivos;
}

TnPacotesInstalados::~TnPacotesInstalados()
{
    Descarregar();
}

void TnPacotesInstalados::Descarregar()
{
    while (!m_pacotes.empty())
        m_pacotes.pop_back();
}

void TnPacotesInstalados::Ler()
{
    if (!m_pacotes.empty())
        return;
    const QStringList arquivos = ArquivosDosPacotes();
    if (arquivos.isEmpty())
        throw EnErro(qEnvironmentVariableIsEmpty("LYR_PACOTES")
                         ? QStringLiteral("Nenhum pacote instalado: a pasta %1 não tem pacotes do Lyr.").arg(PastaDosPacotes())
                         : QStringLiteral("Nenhum pacote instalado: LYR_PACOTES não indica pacotes do Lyr."));
    for (const QString& arquivo : arquivos) {
        auto pacote = std::make_unique<TnPacote>(arquivo);
        try {
            pacote->Ler();
        } catch (const EnErro&) {
            Descarregar();
            throw;
        }
        m_pacotes.push_back(std::move(pacote));
    }
}

void TnPacotesInstalados::Carregar()
{
    Ler();
    try {
        for (const auto& pacote : m_pacotes)
            pacote->Carregar();
    } catch (const EnErro&) {
        Descarregar();
        throw;
    }
}

QList<const TnDescricaoPacote*> TnPacotesInstalados::Descricoes() const
{
    QList<const TnDescricaoPacote*> descricoes;
    for (const auto& pacote : m_pacotes)
        descricoes.append(&pacote->Descricao());
    return descricoes;
}
