#include "dialogoarquivo.h"

#include "conexao.h"
#include "dialogos.h"
#include "host.h"

#include <QAbstractFileIconProvider>
#include <QDir>
#include <QMimeDatabase>

namespace {

// Icons and type names from the file's name alone: QMimeDatabase's
// MatchExtension never opens the file.
class TnIconesPeloNome : public QAbstractFileIconProvider {
public:
    using QAbstractFileIconProvider::icon;

    QIcon icon(const QFileInfo& info) const override
    {
        if (info.isDir())
            return icon(Folder);
        const QString nome = TipoPeloNome(info).iconName();
        return QIcon::fromTheme(nome, icon(File));
    }

    QString type(const QFileInfo& info) const override
    {
        if (info.isDir())
            return QStringLiteral("Pasta");
        const QMimeType tipo = TipoPeloNome(info);
        return tipo.comment().isEmpty() ? tipo.name() : tipo.comment();
    }

private:
    QMimeType TipoPeloNome(const QFileInfo& info) const
    {
        return m_tipos.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }

    QMimeDatabase m_tipos;
};

// One for every dialog, never destroyed: the folder model's thread may still
// ask it while a closed dialog is being torn down.
QAbstractFileIconProvider* IconesPeloNome()
{
    static auto* icones = new TnIconesPeloNome;
    return icones;
}

} // namespace

TnDialogoArquivo::TnDialogoArquivo(QWidget* pai, const QString& titulo, const QString& sugestao, const QString& filtro)
    // Made over the root folder: the folder model starts listing at once, in
    // a thread, and must not see the user's folder before it has our icons.
    : QFileDialog(pai, titulo, QDir::rootPath(), filtro)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setOption(QFileDialog::DontUseCustomDirectoryIcons);
    setIconProvider(IconesPeloNome());
    setAcceptMode(QFileDialog::AcceptSave);
    setFileMode(QFileDialog::AnyFile);
    const QFileInfo arquivo(sugestao);
    if (!arquivo.suffix().isEmpty())
        setDefaultSuffix(arquivo.suffix());
    setDirectory(arquivo.absolutePath());
    selectFile(arquivo.fileName());
}

QString TnDialogoArquivo::EscolherParaGravar(QWidget* pai, const QString& titulo, const QString& sugestao, const QString& filtro)
{
    static QString ultimaPasta = QDir::homePath();
    QString nome = sugestao;
    if (QFileInfo(sugestao).fileName() == sugestao)
        nome = QDir(ultimaPasta).filePath(QString(sugestao).replace(u'/', u'-'));
    TnDialogoArquivo dialogo(pai, titulo, nome, filtro);
    if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
        return {};
    ultimaPasta = QFileInfo(dialogo.selectedFiles().constFirst()).absolutePath();
    return dialogo.selectedFiles().constFirst();
}

void TnDialogoArquivo::accept()
{
    const QStringList escolhidos = selectedFiles();
    if (!escolhidos.isEmpty() && TnHost::Existe() && TnHost::Atual().Conexao().EhArquivoDoBanco(escolhidos.constFirst())) {
        nShowMessage(QStringLiteral("%1 é um arquivo do banco de dados do Lyr e não pode ser substituído. Escolha outro nome.")
                         .arg(QFileInfo(escolhidos.constFirst()).fileName()));
        return;
    }
    QFileDialog::accept();
}
