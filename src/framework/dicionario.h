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
};

// The entry of that name, or nullptr.
const TnEntradaDicionario* EntradaDicionario(const QString& nome);
