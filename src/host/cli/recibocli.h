#pragma once

#include <QString>

class QTextStream;

// `lyr recibo`: the receipts of protocols as a PDF, without the desktop.
struct TnOpcoesRecibo {
    QString protocolos;  // codes and ranges, "1;5-9"
    QString saida;       // the PDF file
    bool porEmpresa = false;
};

// Checks the options before any database is opened: the protocol list and
// the file (its folder exists and can be written).
void ConferirRecibo(const TnOpcoesRecibo& opcoes);
int ExecutarRecibo(const TnOpcoesRecibo& opcoes, QTextStream& saida);
