#pragma once

#include <QString>
#include <QStringList>

// An entry of the host's data dictionary: what a field named by it shares
// with every screen (label, hint) and, for codes, the register it points to.
struct TnEntradaDicionario {
    QString nome;         // "CODIGOEMPRESA"
    QString rotulo;       // "Empresa"
    QString dica;
    QString tabela;       // register the code belongs to; empty for plain values
    QString chave;        // its key columns in key order, ";"-separated
    QString descricao;    // column shown beside the code
    QString campoLookup = {};  // name of the lookup field that shows it ("NomeEmpresa")
    bool feminino = false;     // "Empresa 9 não cadastrada.", "Imposto 9 não cadastrado."
};

// "cadastrado" or "cadastrada", as the entry's label asks.
QString NaoCadastrado(const TnEntradaDicionario& entrada, const QString& valor);

class TnClientDataSet;

// Gives the fields of a dataset the labels and hints of their dictionary
// entries (named by Definicao.Dicionario or by the field's own name) where
// the declaration left them empty.
void AplicarDicionario(TnClientDataSet& dataSet);
// Adds, for each code field whose entry points at a register, the lookup
// field that shows the register's description; it stays empty when the code
// does not exist. Runs before the dataset opens.
void AddFieldLookup(TnClientDataSet& dataSet);

// The entry of that name, or nullptr.
const TnEntradaDicionario* EntradaDicionario(const QString& nome);
