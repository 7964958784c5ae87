#include "visaoprogresso.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace {

void MostrarBarra(QProgressBar& barra, const TnBarraProgresso& dados, bool circular)
{
    if (circular) {
        barra.setRange(0, 0);
        return;
    }
    // A bar not configured yet reads as empty, not as endless (0..0 in Qt).
    const int maximo = std::max(dados.maximo, 1);
    barra.setRange(0, maximo);
    barra.setValue(std::clamp(dados.posicao, 0, maximo));
}

QLabel* NovoTexto(QWidget* pai)
{
    auto* texto = new QLabel(pai);
    texto->setMinimumWidth(360);
    // A long company name must not widen the window at every step.
    texto->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return texto;
}

} // namespace

TnVisaoProgresso::TnVisaoProgresso(TnFraProgresso& progresso, QWidget* pai)
    : QWidget(pai),
      m_progresso(&progresso),
      m_texto(NovoTexto(this)),
      m_barraTotal(new QProgressBar(this)),
      m_textoParcial(NovoTexto(this)),
      m_barraParcial(new QProgressBar(this)),
      m_cancelar(new QPushButton(QStringLiteral("Cancelar"), this)),
      m_pendente(new QTimer(this))
{
    setWindowTitle(QStringLiteral("Aguarde..."));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_texto);
    layout->addWidget(m_barraTotal);
    layout->addWidget(m_textoParcial);
    layout->addWidget(m_barraParcial);
    layout->addWidget(m_cancelar, 0, Qt::AlignRight);
    m_pendente->setSingleShot(true);
    connect(m_pendente, &QTimer::timeout, this, &TnVisaoProgresso::Atualizar);
    connect(m_cancelar, &QPushButton::clicked, this, [this] {
        if (m_progresso)
            m_progresso->SolicitarCancelamento();
    });
    progresso.AdicionarObservador(this);
    Atualizar();
}

TnVisaoProgresso::~TnVisaoProgresso()
{
    if (m_progresso)
        m_progresso->RemoverObservador(this);
}

TnVisaoProgresso::TnForma TnVisaoProgresso::FormaAtual() const
{
    if (!m_progresso)
        return {};
    return {m_progresso->Modo(), m_progresso->Visivel(), m_progresso->EhCircular(), m_progresso->PodeCancelar(),
            m_progresso->CancelamentoSolicitado()};
}

void TnVisaoProgresso::Atualizar()
{
    m_pendente->stop();
    if (!m_progresso)
        return;
    const TnFraProgresso& progresso = *m_progresso;
    const bool multiplo = progresso.Modo() == TnModoProgresso::Multiplo;
    m_texto->setText(progresso.Texto());
    // Endless applies to the only bar when simple, to the partial one when multiple.
    MostrarBarra(*m_barraTotal, progresso.Total(), progresso.EhCircular() && !multiplo);
    m_textoParcial->setVisible(multiplo);
    m_barraParcial->setVisible(multiplo);
    if (multiplo) {
        m_textoParcial->setText(progresso.Parcial().texto);
        MostrarBarra(*m_barraParcial, progresso.Parcial(), progresso.EhCircular());
    }
    m_cancelar->setVisible(progresso.PodeCancelar());
    m_cancelar->setEnabled(!progresso.CancelamentoSolicitado());
    m_cancelar->setText(progresso.CancelamentoSolicitado() ? QStringLiteral("Cancelando...") : QStringLiteral("Cancelar"));
    const bool mudouForma = !(FormaAtual() == m_forma);
    m_forma = FormaAtual();
    if (isHidden() == progresso.Visivel()) {
        setVisible(progresso.Visivel());
        Posicionar();
    } else if (mudouForma && isWindow() && isVisible()) {
        Posicionar();  // a second bar or the Cancel button makes it taller
    }
    m_ultimoDesenho.start();
}

void TnVisaoProgresso::Posicionar()
{
    if (!isWindow() || isHidden())
        return;
    adjustSize();
    // Over the middle of the window it belongs to, and whole on its screen:
    // a window of its own is otherwise placed wherever the system likes.
    const QWidget* dona = parentWidget() ? parentWidget()->window() : nullptr;
    QScreen* tela = dona ? dona->screen() : screen();
    if (!tela)
        return;
    const QRect area = tela->availableGeometry();
    const QRect referencia = dona ? dona->frameGeometry() : area;
    QRect janela = frameGeometry();
    janela.moveCenter(referencia.center());
    janela.moveRight(std::min(janela.right(), area.right()));
    janela.moveBottom(std::min(janela.bottom(), area.bottom()));
    janela.moveLeft(std::max(janela.left(), area.left()));
    janela.moveTop(std::max(janela.top(), area.top()));
    move(janela.topLeft());
}

void TnVisaoProgresso::ProgressoAlterado(const TnFraProgresso&)
{
    const bool mudouForma = !(FormaAtual() == m_forma);
    const qint64 decorrido = m_ultimoDesenho.isValid() ? m_ultimoDesenho.elapsed() : m_intervalo;
    if (mudouForma || decorrido >= m_intervalo) {
        Desenhar();
        return;
    }
    // Fires when the event loop runs again: after the run, or at the next
    // redraw that lets events through.
    if (!m_pendente->isActive())
        m_pendente->start(0);
}

void TnVisaoProgresso::Desenhar()
{
    // A Cancel click let through below notifies again: draw it afterwards.
    if (m_desenhando) {
        if (!m_pendente->isActive())
            m_pendente->start(0);
        return;
    }
    m_desenhando = true;
    Atualizar();
    // The run holds the event loop: paint now, and only this view.
    if (isVisible())
        repaint();
    if (m_atenderUsuario)
        QCoreApplication::processEvents();
    m_desenhando = false;
}

void TnVisaoProgresso::ProgressoLiberado(const TnFraProgresso&)
{
    m_progresso = nullptr;
    m_pendente->stop();
    close();
    emit Liberado();
}
