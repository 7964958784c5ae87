#pragma once

#include <QString>

class QTextStream;

// `lyr gerar`: the "Gerar Protocolo" process run without the desktop, as a
// scheduler would: the same preview, a summary of it, and with `gravar`
// every proposable item marked and saved, as "Selecionar todos" and
// "Gravar" would on the screen.
struct TnOpcoesGerar {
    QString de;        // AAAA-MM-DD
    QString ate;
    QString tipos;     // "1;2;5"; empty: the process's default
    QString empresas;  // codes and ranges
    QString forma;     // "1" single protocol, "2" divided in types
    bool gravar = false;
};

// Checks the options as the process checks its parameters, before any
// database is opened; EnErro names the refused parameter.
void ConferirGerar(const TnOpcoesGerar& opcoes);
int ExecutarGerar(const TnOpcoesGerar& opcoes, QTextStream& saida);
