#pragma once

#include <QString>

class TnSQLDataSet;

// A result as a text table with aligned columns, as psql prints it.
QString TabelaTexto(TnSQLDataSet& dataSet);
