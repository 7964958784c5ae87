#include "icones.h"

#include "acoes.h"
#include "classeshost.h"

#include <QApplication>
#include <QHash>
#include <QStyle>

QIcon IconeDoTema(const QString& nome)
{
    static const QHash<QString, QStyle::StandardPixmap> doEstilo = {
        {QStringLiteral("go-first"), QStyle::SP_MediaSkipBackward},  {QStringLiteral("go-previous"), QStyle::SP_ArrowBack},
        {QStringLiteral("go-next"), QStyle::SP_ArrowForward},        {QStringLiteral("go-last"), QStyle::SP_MediaSkipForward},
        {QStringLiteral("list-add"), QStyle::SP_FileDialogNewFolder}, {QStringLiteral("document-edit"), QStyle::SP_FileDialogDetailedView},
        {QStringLiteral("edit-delete"), QStyle::SP_TrashIcon},       {QStringLiteral("document-save"), QStyle::SP_DialogSaveButton},
        {QStringLiteral("edit-undo"), QStyle::SP_DialogCancelButton}, {QStringLiteral("view-refresh"), QStyle::SP_BrowserReload},
        {QStringLiteral("mail-mark-read"), QStyle::SP_DialogApplyButton}, {QStringLiteral("dialog-information"), QStyle::SP_MessageBoxInformation},
        {QStringLiteral("edit-clear"), QStyle::SP_DialogResetButton}, {QStringLiteral("edit-select-all"), QStyle::SP_DialogYesButton},
        {QStringLiteral("dialog-password"), QStyle::SP_DialogOkButton}, {QStringLiteral("system-users"), QStyle::SP_FileDialogInfoView},
        {QStringLiteral("document-print"), QStyle::SP_FileDialogContentsView}, {QStringLiteral("document-open"), QStyle::SP_DirOpenIcon},
        {QStringLiteral("system-run"), QStyle::SP_MediaPlay},        {QStringLiteral("object-select"), QStyle::SP_DialogApplyButton},
    };
    if (nome.isEmpty())
        return {};
    const auto estilo = doEstilo.constFind(nome);
    return QIcon::fromTheme(nome, estilo == doEstilo.cend() ? QIcon() : QApplication::style()->standardIcon(*estilo));
}

QIcon IconeDaAcao(const TnAction& acao)
{
    static const QHash<QString, QString> padrao = {
        {QStringLiteral("actDataSetFirst"), QStringLiteral("go-first")},   {QStringLiteral("actDataSetPrior"), QStringLiteral("go-previous")},
        {QStringLiteral("actDataSetNext"), QStringLiteral("go-next")},     {QStringLiteral("actDataSetLast"), QStringLiteral("go-last")},
        {QStringLiteral("actDataSetInsert"), QStringLiteral("list-add")},  {QStringLiteral("actDataSetEdit"), QStringLiteral("document-edit")},
        {QStringLiteral("actDataSetDelete"), QStringLiteral("edit-delete")}, {QStringLiteral("actDataSetPost"), QStringLiteral("document-save")},
        {QStringLiteral("actDataSetCancel"), QStringLiteral("edit-undo")}, {QStringLiteral("actDataSetRefresh"), QStringLiteral("view-refresh")},
        {QStringLiteral("actExecutar"), QStringLiteral("system-run")},     {QStringLiteral("actGravar"), QStringLiteral("document-save")},
        {QStringLiteral("actCancelar"), QStringLiteral("edit-undo")},
    };
    const QString nome = padrao.value(acao.Name());
    return nome.isEmpty() ? IconeDoModulo(acao.ImageIndex()) : IconeDoTema(nome);
}

// The host's image list: what the image numbers the modules give their
// buttons look like in the desktop's icon theme.
QString IconeDaImagem(int imagem)
{
    static const QHash<int, QString> icones = {
        {65, QStringLiteral("mail-mark-read")},    // hand over, write off
        {93, QStringLiteral("dialog-information")},
        {112, QStringLiteral("object-select")},    // mark one row
        {168, QStringLiteral("edit-clear")},       // cancel rows
        {160, QStringLiteral("document-open")},    // open the row's register
        {196, QStringLiteral("edit-select-all")},
        {kImagemSenha, QStringLiteral("dialog-password")},
        {kImagemDireitos, QStringLiteral("system-users")},
    };
    return icones.value(imagem);
}
