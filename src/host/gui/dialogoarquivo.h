#pragma once

#include <QFileDialog>

// The desktop's "save as": every dialog that lets the user browse a folder
// to write a file goes through here (receipts as PDF, exports).
//
// A folder may hold the office's SQLite database, its -wal and its -shm, and
// SQLite's locks do not survive this process opening and closing one of them
// (see ConferirCaminhoSQLite). The platform's dialogs and Qt's own default
// icon provider guess each listed file's type from its first bytes, so the
// dialog here is Qt's widget dialog with an icon provider that looks at names
// only, and it refuses to write over a file of the database.
class TnDialogoArquivo : public QFileDialog {
    Q_OBJECT
public:
    TnDialogoArquivo(QWidget* pai, const QString& titulo, const QString& sugestao, const QString& filtro);

    // The file chosen to be written, or empty when the user cancelled. A
    // suggestion without a folder is offered in the folder last written to
    // (the home folder at first).
    static QString EscolherParaGravar(QWidget* pai, const QString& titulo, const QString& sugestao, const QString& filtro);

    void accept() override;
};
