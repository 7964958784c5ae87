#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// When a document type's documents are due: the slots a period divides a
// month into, the months a type occurs in, and which registered document
// stands for a slot. Document generation writes one document per slot; the
// pending documents are the slots no document stands for.
namespace CalendarioDoc {

// The first day of the month a competence names ("12/2026", "2026-12" or
// any date of the month); invalid when it names none.
QDate LerCompetencia(const QString& texto);
// The same, this month's first day when the text names no month.
QDate CompetenciaOuMesAtual(const QString& texto);

// The slots of a type in the month of `mes` by its period: monthly the 1st;
// fortnightly the 1st and the 16th; ten-daily the 1st, 11th and 21st; none
// for any other period (0, "Indefinido", never becomes due).
QList<QDate> DatasDoPeriodo(int periodo, const QDate& mes);

// Whether a month (1-12) is one of the occurrence months ("1;4;7;10"),
// compared whole between the separators: "11" does not hold 1.
bool OcorreNoMes(const QString& mesesOcorrencia, int mes);

// Whether a document launched at `lancamento` stands for the slot dated
// `vaga`: monthly, in the same month; fortnightly, fewer than 15 whole days
// away in either direction; ten-daily, fewer than 10.
bool Cobre(int periodo, const QDateTime& vaga, const QDateTime& lancamento);

} // namespace CalendarioDoc
