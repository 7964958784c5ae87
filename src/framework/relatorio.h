#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A printed report described without painting: pages made of blocks that
// any host renders (the desktop's preview and printer, a PDF from the
// command line). Data modules build it from their rows; they never paint.
struct TnBlocoRelatorio {
    enum class Tipo {
        Titulo,        // a heading line (texto)
        Texto,         // lines of text (linhas)
        Campos,        // "rótulo: valor" pairs side by side (linhas: rótulo, valor, rótulo, valor...)
        Tabela,        // colunas over linhas of cells, the last row bold when `total`
        CodigoBarras,  // texto as a Code 128 symbol, with the text under it
        Assinaturas,   // signature lines captioned by linhas
        Espaco,        // a gap
    };
    Tipo tipo = Tipo::Texto;
    QString texto;
    QStringList linhas;
    QStringList colunas;
    QList<int> larguras;           // Tabela: relative widths of the columns
    QList<bool> aDireita;          // Tabela: right-aligned columns (amounts)
    QList<QStringList> celulas;    // Tabela: rows
    bool total = false;            // Tabela: the last row is a total
};

struct TnPaginaRelatorio {
    QList<TnBlocoRelatorio> blocos;
};

// Labels: each page of the report is one label, laid `colunas` by `linhas`
// on a sheet, or one to a page of a label printer (1 by 1, with the label's
// size as the sheet's). No columns: an ordinary report.
struct TnEtiquetas {
    int colunas = 0;
    int linhas = 0;
    double larguraFolhaMm = 0;  // 0: A4
    double alturaFolhaMm = 0;
};

struct TnRelatorio {
    QString titulo;
    QList<TnPaginaRelatorio> paginas;
    TnEtiquetas etiquetas = {};
};
