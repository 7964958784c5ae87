#pragma once

#include <QString>

class QTextStream;

// `lyr recibo`: the receipts of protocols as a PDF, without the desktop.
struct TnOpcoesRecibo {
    QString protocolos;  // codes and ranges, "1;5-9"
    QString saida;       // the PDF file
    bool porEmpresa = false;
};

int ExecutarRecibo(const TnOpcoesRecibo& opcoes, QTextStream& saida);
