#pragma once

#include "progresso.h"

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;

// The view of a progress frame: the frame's text over one bar when simple;
// the total bar over the partial bar, each with its text, when multiple. An
// endless bar for work of unknown size and a Cancel button when the process
// can stop. It shows and hides with the frame and closes when the frame is
// freed (a view made with Qt::WA_DeleteOnClose then goes away by itself).
//
// Processes advance the frame on every row, so steps are not drawn one by
// one: the view redraws at most once per interval and shows the last step
// when the event loop runs again. Changes of shape (mode, visibility, endless,
// cancel) are drawn at once.
class TnVisaoProgresso : public QWidget, private TnObservadorProgresso {
    Q_OBJECT
public:
    explicit TnVisaoProgresso(TnFraProgresso& progresso, QWidget* pai = nullptr);
    ~TnVisaoProgresso() override;

    // nullptr once the frame was freed.
    TnFraProgresso* Progresso() const { return m_progresso; }

    QLabel& Texto() const { return *m_texto; }
    QProgressBar& BarraTotal() const { return *m_barraTotal; }
    QLabel& TextoParcial() const { return *m_textoParcial; }
    QProgressBar& BarraParcial() const { return *m_barraParcial; }
    QPushButton& BotaoCancelar() const { return *m_cancelar; }

    // Least time between two redraws while steps arrive; 0 draws every step.
    void SetIntervalo(int milissegundos) { m_intervalo = milissegundos; }
    // A run keeps the event loop busy, so a click on Cancel would wait for
    // its end. With this on, each redraw also lets pending events through.
    // Only for a view in a modal window: the user must reach nothing else.
    void SetAtenderUsuario(bool atender) { m_atenderUsuario = atender; }

    // Shows the frame's state now.
    void Atualizar();
    // As a window of its own: centred over its owner's window, inside the
    // owner's screen.
    void Posicionar();

signals:
    // The frame was freed and the view closed.
    void Liberado();

private:
    struct TnForma {
        TnModoProgresso modo = TnModoProgresso::Simples;
        bool visivel = false;
        bool circular = false;
        bool podeCancelar = false;
        bool cancelando = false;
        friend bool operator==(const TnForma&, const TnForma&) = default;
    };

    void ProgressoAlterado(const TnFraProgresso& progresso) override;
    void ProgressoLiberado(const TnFraProgresso& progresso) override;
    TnForma FormaAtual() const;
    void Desenhar();

    TnFraProgresso* m_progresso;
    QLabel* m_texto;
    QProgressBar* m_barraTotal;
    QLabel* m_textoParcial;
    QProgressBar* m_barraParcial;
    QPushButton* m_cancelar;
    QTimer* m_pendente;
    QElapsedTimer m_ultimoDesenho;
    TnForma m_forma;
    int m_intervalo = 100;
    bool m_atenderUsuario = false;
    bool m_desenhando = false;
};
