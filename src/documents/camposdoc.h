#pragma once

#include "dmclientdataset.h"

// A code of 4 digits that points at a register through its dictionary
// entry: the entry names its label, the register it is looked up in and
// the description shown beside it. `chave`: the fields the register's key
// is read from ("CODIGOEMPRESA;CODIGOESTAB"); empty, the code alone.
inline TnField& CampoLigado(TnDMClientDataSet& dm, const QString& nome, const QString& chave = {})
{
    TnField& codigo = dm.Campo<TnSmallIntField>(nome);
    codigo.SetRequired(true);
    codigo.Definicao().Dicionario = nome;
    codigo.Definicao().LinkKeyFields = chave.isEmpty() ? nome : chave;
    codigo.Definicao().MaxLength = 4;
    return codigo;
}

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
