#pragma once

#include <QString>
#include <QStringList>

// The items of a list written "A;B;C": field lists (keys, orders, links) and
// code selections ("1;3;5-9"). A comma separates as well, as declarations
// typed by hand use both; items come trimmed, empty ones dropped.
QStringList DividirLista(const QString& lista);

// A field of an order, which may end in " DESC" (any case) to sort it from
// high to low.
struct TnCampoOrdem {
    QString nome;
    bool decrescente = false;
};
TnCampoOrdem LerCampoOrdem(const QString& campo);
