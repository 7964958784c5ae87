#pragma once

#include "dmclientdataset.h"

// A key numbered by its register (1 to `maximo`, as many digits), labelled
// by the dictionary entry of the same name.
template <typename Tipo>
TnField& CampoNumerado(TnDMClientDataSet& dm, const QString& nome, qint64 maximo)
{
    TnField& codigo = dm.Campo<Tipo>(nome);
    codigo.SetRequired(true);
    codigo.SetMinValue(1);
    codigo.SetMaxValue(maximo);
    codigo.Definicao().Dicionario = nome;
    codigo.Definicao().AutoIncrementar = true;
    codigo.Definicao().MaxLength = static_cast<int>(QString::number(maximo).size());
    return codigo;
}
