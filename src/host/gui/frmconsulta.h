#pragma once

#include "formulario.h"

class TnDMClientDataSet;
class TnGrade;
class QComboBox;
class QLineEdit;

// A consultation: a read-only grid over a register's rows, ordered by its
// default order or one of its extra orders, with a search box that finds
// rows as the user types (in the active order's first column). In pick mode
// Enter or a double click answers the row; picking several, Ctrl+click or
// Ctrl+Space marks rows, Shift a range and Ctrl+A all of them.
class TnFrmConsulta : public TnFormulario {
    Q_OBJECT
public:
    TnFrmConsulta(TnDMClientDataSet& consulta, QWidget* pai = nullptr);

    TnGrade& Grade() const { return *m_grade; }
    QLineEdit& Pesquisa() const { return *m_pesquisa; }
    QComboBox& Ordens() const { return *m_ordens; }

    // Lets the user mark several rows.
    void SetEscolhaMultipla();
    // The rows marked, in the grid's order; the current row when none is.
    QList<int> LinhasEscolhidas() const;

signals:
    void Escolhido();

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void Ordenar(int indice);
    void Pesquisar(const QString& texto);

    TnDMClientDataSet& m_consulta;
    TnGrade* m_grade;
    QLineEdit* m_pesquisa;
    QComboBox* m_ordens;
    QStringList m_camposDasOrdens;
};
