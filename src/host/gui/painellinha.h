#pragma once

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;
class TnGrade;

// A panel that opens inside a grid under one row at a time (a protocol's
// items under the protocol). Opening it under the current row moves the
// focus into it; Ctrl+Up and Esc inside it close it, giving the focus back to
// the row; the "+" / "-" sign in the grid's left margin opens and closes it
// with the mouse. aoAbrir runs first (it fills the panel for the current
// row). Moving to another row closes it, and so does a reload that takes its
// row away or puts another row in its place.
class TnPainelLinha : public QObject {
public:
    TnPainelLinha(TnGrade& grade, QWidget* painel, std::function<void()> aoAbrir);

    void Abrir();
    void Fechar();
    // The row it is open under; -1 when closed.
    int Linha() const { return m_linha; }
    // Puts the panel over the space its row opened (after a scroll or a resize).
    void Posicionar();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Reaplicar();
    void AbrirEspaco();

    TnGrade& m_grade;
    QPointer<QWidget> m_painel;
    std::function<void()> m_aoAbrir;
    int m_linha = -1;
    qint64 m_registro = -1;  // bookmark of the row it was opened under
};
