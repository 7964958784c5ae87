#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A statement whose ":nome" parameters were turned into positional "?" marks.
// Names match without regard to case; a name used twice takes one value, so
// `nomes` lists each name once, in order of first use, and `posicoes` says
// which name each "?" stands for.
struct TnComandoPosicional {
    QString texto;
    QStringList nomes;
    QList<int> posicoes;
};

// Skips quoted strings, quoted identifiers, comments and PostgreSQL "::" casts.
TnComandoPosicional ConverterParametros(const QString& comando);
