#pragma once

#include "decimal.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

// Conversions between the values the code handles (QVariant holding numbers,
// texts, dates, date-times and TnDecimal) and the forms they take in SQL text,
// in bound parameters and on screen. Every conversion of that kind lives here.
namespace Valores {

// 'YYYY-MM-DD' without quotes.
QString TextoSQLData(const QDate& data);
// 'YYYY-MM-DD HH:MM:SS' without quotes; a midnight value is written as a date
// so that it compares equal to the dates stored in date columns.
QString TextoSQLDataHora(const QDateTime& momento);

// A floating number as SQL writes it: '.' as separator, no exponent, no trailing zeros.
QString TextoSQLDouble(double valor);

// The value as it is bound to a prepared statement on either database.
QVariant ParaBanco(const QVariant& valor);

// The value as the user sees it by default: dates "dd/MM/yyyy", decimal comma.
QString TextoPadrao(const QVariant& valor);
// "08/12/2026 12:36:26": a moment as the user reads it, in local time.
QString TextoDataHora(const QDateTime& momento);

// A whole number of any width (bool not included).
bool EhInteiro(const QVariant& valor);

// Reading a value as a given kind; a null value gives 0, "" or an invalid date.
// A value that cannot be read so raises EnErro with the offending text.
qint64 ParaInteiro(const QVariant& valor);
double ParaFloat(const QVariant& valor);
TnDecimal ParaDecimal(const QVariant& valor, int escala);
QDateTime ParaDataHora(const QVariant& valor);
QDate ParaData(const QVariant& valor);

// Accepts "2026-12-06", "06/12/2026" and either followed by a time.
QDateTime LerDataHora(const QString& texto, bool* ok = nullptr);
// The date a text starts with as the databases write it ("2026-12-06",
// whatever follows); an invalid date otherwise.
QDate LerDataIso(QStringView texto);

// Orders two values: -1, 0 or 1; null comes before any value. Numbers of any
// type compare by value, exactly (a floating value is read to the 9 decimals a
// TnDecimal keeps, so 0.1 + 0.2 equals 0.3). A text meets a number as a number
// when it reads as one ("1" equals 1) and a date as a date when it reads as one
// ('2026-11-01', '01/11/2026'); otherwise the two compare as text, case-sensitively.
// A number and a date never meet: numbers come first. The order is total within
// each kind; texts mixed with numbers cannot be ("10" < "9" as texts, 9 < "10").
int Comparar(const QVariant& a, const QVariant& b);

} // namespace Valores
