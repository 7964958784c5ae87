#pragma once

#include <QWidget>

class TnGrade;

// The footer row of a grid: under each column its dataset declares summed
// (TnAparenciaGrade::CamposSomados), the sum of the rows the grid shows, in
// the column's display format; it follows the columns' widths and the
// horizontal scroll. Sums are taken when shown or read, once however many
// rows changed since.
class TnRodapeGrade : public QWidget {
    Q_OBJECT
public:
    TnRodapeGrade(TnGrade& grade, QWidget* pai = nullptr);

    QSize sizeHint() const override;
    // The text under a column ("" for columns not summed).
    QString Texto(int coluna) const;

protected:
    void paintEvent(QPaintEvent* evento) override;

private:
    void Desatualizar();
    void Somar() const;

    TnGrade& m_grade;
    mutable QList<QString> m_textos;  // per column of the grid
    mutable bool m_desatualizado = true;
};
