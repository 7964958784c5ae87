#pragma once

#include <QString>

class TnClientDataSet;

// The rows of a dataset as its grid shows them, written to a file for a
// spreadsheet: the visible columns in order, their titles, and each value as
// displayed (names of value lists, formats). The file is written whole or
// not at all. Failures raise EnErro.

// ";"-separated, UTF-8 with the mark spreadsheets here look for.
void ExportarCsv(const TnClientDataSet& dataSet, const QString& arquivo);
// An Excel workbook: numbers stay numbers (in the column's format), dates
// stay dates, the titles in bold.
void ExportarXlsx(const TnClientDataSet& dataSet, const QString& arquivo);

// A text as one CSV cell: quoted when it holds the separator, a quote or a line break.
QString CelulaCsv(const QString& texto);
