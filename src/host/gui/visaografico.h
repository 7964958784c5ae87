#pragma once

#include <QWidget>

class TnGraficoBarras;
class QChartView;

// The bars of a process's result on a tab, drawn with Qt Charts: one
// horizontal bar per label, the first on top, the value at its end.
class TnVisaoGrafico : public QWidget {
    Q_OBJECT
public:
    TnVisaoGrafico(const TnGraficoBarras& grafico, QWidget* pai = nullptr);

    // Draws the bars again when the process changed them.
    void Atualizar();
    // What is drawn, read back (label and value per bar, top first).
    QList<QPair<QString, double>> Desenhado() const;

private:
    const TnGraficoBarras& m_grafico;
    QChartView* m_visao = nullptr;
    int m_versao = -1;
};
