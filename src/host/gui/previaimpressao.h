#pragma once

#include "relatorio.h"

#include <QDialog>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;

// The print preview of a report: its pages as they will be printed, zoom,
// the printer (Ctrl+P) and "Salvar PDF" (Ctrl+S).
//
// Qt's own preview and print dialogs are not used: both offer "print to
// file" through file dialogs that read the files of the folder they list,
// which drops this process's SQLite locks when the folder holds the database
// (see TnDialogoArquivo). The printer dialog here lists printers only; a PDF
// is saved through TnDialogoArquivo.
class TnPreviaImpressao : public QDialog {
    Q_OBJECT
public:
    TnPreviaImpressao(const TnRelatorio& relatorio, QWidget* pai = nullptr);
    ~TnPreviaImpressao() override;

    void SalvarPdf();
    void ImprimirNaImpressora();

private:
    void AtualizarPagina();

    TnRelatorio m_relatorio;
    std::unique_ptr<QPrinter> m_impressora;
    QPrintPreviewWidget* m_previa;
    QLabel* m_pagina;
    QLabel* m_situacao;
};
