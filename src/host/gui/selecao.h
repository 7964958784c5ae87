#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

class QWidget;

// The dialog of a register's selection: one date per parameter
// ("DataLctoPro_MAIORIGUAL" reads "Data de lançamento de"), starting from the
// values given (or this month); refuses a start later than the end. False
// when the user cancels.
bool DialogoSelecao(QList<QPair<QString, QVariant>>& valores, const QString& titulo, QWidget* pai = nullptr);

// The date the dialog offers for a parameter: the value chosen before, else
// the first day two months back ("de") or the end of this month ("até").
QDate DataOferecida(const QString& nome, const QVariant& anterior);
