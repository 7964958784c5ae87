#pragma once

#include <QList>
#include <QString>

class TnAction;

// A level of the main menu: its entries and its submenus, in menu order.
struct TnNoMenu {
    QString titulo;  // the category level as written ("02 Movimentos")
    QList<TnNoMenu> submenus;
    QList<TnAction*> acoes;
};

// The menu tree of actions: categories split at "\" into nested levels,
// levels ordered by their leading numbers (then by name), entries by Index
// (then by caption). Actions with CriarMenu false are left out unless asked.
TnNoMenu MontarMenu(const QList<TnAction*>& acoes, bool incluirOcultas = false);

// "02 Movimentos" -> "Movimentos": the caption a menu shows for a level.
QString TituloSemOrdem(const QString& nivel);
