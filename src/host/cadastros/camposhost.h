#pragma once

#include "dmclientdataset.h"

// The fields the host's registers declare alike.

// An auto-numbered code from 1 to `maximo`.
inline TnField& CampoCodigo(TnDMClientDataSet& dm, const QString& nome, const QString& rotulo, int maximo = 9999)
{
    TnField& codigo = dm.Campo<TnSmallIntField>(nome);
    codigo.SetDisplayLabel(rotulo);
    codigo.SetRequired(true);
    codigo.SetMinValue(1);
    codigo.SetMaxValue(maximo);
    codigo.Definicao().AutoIncrementar = true;
    codigo.Definicao().MaxLength = QString::number(maximo).size();
    return codigo;
}

// A text of `tamanho` characters.
inline TnField& CampoTexto(TnDMClientDataSet& dm, const QString& nome, int tamanho, const QString& rotulo, bool obrigatorio = false)
{
    TnField& texto = dm.Campo<TnStringField>(nome, tamanho);
    texto.SetDisplayLabel(rotulo);
    texto.SetRequired(obrigatorio);
    return texto;
}

