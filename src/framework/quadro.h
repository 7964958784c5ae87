#pragma once

#include <QList>
#include <QString>

class TnClientDataSet;

// A read-only frame a screen shows beside or under its own: the fields of
// one row in a panel at the top, and captioned grids below it sharing what
// is left of the height in equal parts. Whoever declares it owns the
// datasets and fills them; the host draws it (and follows the datasets).
struct TnQuadroInformacoes {
    struct Campo {
        QString nome;    // the edit's name
        QString rotulo;
        QString campo;   // a field of `dados`
        int linha = 0;
        int coluna = 0;  // two per row: label and edit
    };
    struct Grade {
        QString nome;    // the grid's name
        QString titulo;  // shown over it, in blue
        TnClientDataSet* dados = nullptr;
    };

    QString nome;
    int largura = 608;
    int altura = 456;
    int alturaTopo = 105;
    TnClientDataSet* dados = nullptr;  // the row of the top panel
    QList<Campo> campos;
    QList<Grade> grades;

    // The height of each grid's panel in a frame that high.
    int AlturaDaGrade(int alturaQuadro) const
    {
        return grades.isEmpty() ? 0 : (alturaQuadro - alturaTopo) / static_cast<int>(grades.size());
    }
};
