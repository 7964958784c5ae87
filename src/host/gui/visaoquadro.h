#pragma once

#include "clientdataset.h"
#include "quadro.h"

#include <QList>
#include <QWidget>

class QLineEdit;
class TnGrade;

// A declared read-only frame on screen: the top panel's edits follow the
// current row of their dataset, each grid its own dataset; on every resize
// the grids' panels take equal shares of the height below the top panel.
class TnVisaoQuadro : public QWidget, private TnObservadorDataSet {
    Q_OBJECT
public:
    explicit TnVisaoQuadro(const TnQuadroInformacoes& quadro, QWidget* pai = nullptr);
    ~TnVisaoQuadro() override;

    QLineEdit* Editor(const QString& nome) const;
    TnGrade* Grade(const QString& nome) const;
    // The panel (caption and grid) of a grid.
    QWidget* PainelDaGrade(const QString& nome) const;

protected:
    void resizeEvent(QResizeEvent* evento) override;

private:
    void MostrarCampos();
    void DadosRecarregados() override { MostrarCampos(); }
    void RegistroAtualAlterado() override { MostrarCampos(); }
    void DataSetLiberado() override { m_dados = nullptr; }

    TnQuadroInformacoes m_quadro;
    TnClientDataSet* m_dados;
    QList<QPair<QLineEdit*, QString>> m_editores;  // edit, field
    QList<QWidget*> m_paineis;
};
