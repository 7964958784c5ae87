#pragma once

#include <QString>
#include <QStringList>

class TnClientDataSet;

// Refusal of a row whose description (or whose key columns) already belongs
// to another row of the table, checked after the host's checks of a register.
struct TnRegraDuplicidade {
    QString tabela;
    QString colunaChave;    // the table's key column, asked of the matching row
    QStringList campos;     // the tested columns (fields of the same names)
    bool camposSaoChave = false;  // tested columns are key columns, not a description
    QString mensagem;       // "Já existe cadastrado um local com a mesma descrição."
};

// Existence test: refuses a new row when a row matches; an edited row only
// when the tested value changed (a description changed in more than letter
// case, or any of the key columns changed).
void VerificarDuplicidadePorExistencia(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra);
// Code lookup: refuses when a matching row is found and the row is new, or
// its key differs, as text, from the key of the row being stored.
void VerificarDuplicidadePorCodigo(const TnClientDataSet& dataSet, const TnRegraDuplicidade& regra);
