#include "previaimpressao.h"

#include "acaosegura.h"
#include "dialogoarquivo.h"
#include "icones.h"
#include "impressao.h"

#include <QDir>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

TnPreviaImpressao::TnPreviaImpressao(const TnRelatorio& relatorio, QWidget* pai)
    : QDialog(pai), m_relatorio(relatorio), m_impressora(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    setWindowTitle(relatorio.titulo);
    m_impressora->setPageSize(QPageSize(QPageSize::A4));
    m_impressora->setDocName(relatorio.titulo);

    auto* barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_previa = new QPrintPreviewWidget(m_impressora.get(), this);
    connect(m_previa, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* destino) { AcaoSegura([&] { ImprimirRelatorio(m_relatorio, *destino); }); });
    connect(m_previa, &QPrintPreviewWidget::previewChanged, this, &TnPreviaImpressao::AtualizarPagina);

    const auto acao = [&](const QString& icone, const QString& texto, const QKeySequence& tecla, auto&& executar) {
        QAction* nova = barra->addAction(IconeDoTema(icone), texto);
        nova->setShortcut(tecla);
        nova->setToolTip(QStringLiteral("%1 (%2)").arg(texto, tecla.toString(QKeySequence::NativeText)));
        connect(nova, &QAction::triggered, this, executar);
        return nova;
    };
    QAction* imprimir = acao(QStringLiteral("document-print"), QStringLiteral("Imprimir..."), QKeySequence(Qt::CTRL | Qt::Key_P),
                             [this] { ImprimirNaImpressora(); });
    if (QPrinterInfo::availablePrinterNames().isEmpty()) {
        imprimir->setEnabled(false);
        imprimir->setToolTip(QStringLiteral("Nenhuma impressora instalada: use Salvar PDF."));
    }
    acao(QStringLiteral("document-save-as"), QStringLiteral("Salvar PDF..."), QKeySequence(Qt::CTRL | Qt::Key_S), [this] { SalvarPdf(); });
    barra->addSeparator();
    acao(QStringLiteral("go-previous"), QStringLiteral("Página anterior"), QKeySequence(Qt::Key_PageUp),
         [this] { m_previa->setCurrentPage(m_previa->currentPage() - 1); });
    acao(QStringLiteral("go-next"), QStringLiteral("Próxima página"), QKeySequence(Qt::Key_PageDown),
         [this] { m_previa->setCurrentPage(m_previa->currentPage() + 1); });
    m_pagina = new QLabel(this);
    barra->addWidget(m_pagina);
    barra->addSeparator();
    acao(QStringLiteral("zoom-in"), QStringLiteral("Ampliar"), QKeySequence(Qt::CTRL | Qt::Key_Plus), [this] { m_previa->zoomIn(); });
    acao(QStringLiteral("zoom-out"), QStringLiteral("Reduzir"), QKeySequence(Qt::CTRL | Qt::Key_Minus), [this] { m_previa->zoomOut(); });
    acao(QStringLiteral("zoom-fit-best"), QStringLiteral("Página inteira"), QKeySequence(Qt::CTRL | Qt::Key_0), [this] { m_previa->fitInView(); });

    m_situacao = new QLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 4);
    layout->addWidget(barra);
    layout->addWidget(m_previa, 1);
    layout->addWidget(m_situacao);
    resize(1000, 750);
}

TnPreviaImpressao::~TnPreviaImpressao() = default;

void TnPreviaImpressao::AtualizarPagina()
{
    m_pagina->setText(QStringLiteral(" Página %1 de %2 ").arg(m_previa->currentPage()).arg(m_previa->pageCount()));
}

void TnPreviaImpressao::SalvarPdf()
{
    const QString arquivo = TnDialogoArquivo::EscolherParaGravar(this, QStringLiteral("Salvar PDF"), m_relatorio.titulo + QStringLiteral(".pdf"),
                                                                QStringLiteral("PDF (*.pdf)"));
    if (arquivo.isEmpty())
        return;
    AcaoSegura([&] {
        TnCursorEspera espera;
        GravarRelatorioPdf(m_relatorio, arquivo);
        m_situacao->setText(QStringLiteral("PDF gravado em %1").arg(QDir::toNativeSeparators(arquivo)));
    });
}

void TnPreviaImpressao::ImprimirNaImpressora()
{
    QPrintDialog dialogo(m_impressora.get(), this);
    // Printers only: "print to file" would browse a folder with Qt's dialog.
    dialogo.setOption(QAbstractPrintDialog::PrintToFile, false);
    if (dialogo.exec() != QDialog::Accepted)
        return;
    m_previa->print();
}
