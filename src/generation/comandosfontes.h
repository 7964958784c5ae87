#pragma once

#include <QDate>
#include <QString>

// The statements that select the candidate rows of each generation source:
// tax debits (types 1-5, 9, 10), payroll (6 totals or per employee,
// 7 terminations, 8 vacations) and the financial documents (11 invoices,
// 12 boletos) with the clients that own them.

// "FED", "EST", "MUN", "SIND", "GPS", "FGTS", "FOLHA": completes CHAVEDEBITO
// into the key column of a debit table.
QString SufixoChaveDebito(const QString& tabela);

// Positional parameters: company, establishment, start date, end date and
// the listing mode (0 only debits without protocol, 1 all).
// tipoData "2" filters on the due date, anything else on the launch date.
QString ComandoDebitos(const QString& tabela, const QString& tipoData);

// Named parameters pDataInicial, pDataFinal, pCodigoEmpresa, pCodigoEstab,
// and for terminations and vacations (7, 8) pListarDebitos (0 only those
// without protocol, 1 all). modoListagem 1 totals the payroll, 2 lists it per
// employee (type 6 only); tipoData 1 filters on the period's dates, other
// values on payment dates.
QString ComandoFolha(int tipo, int modoListagem, int tipoData);

// The origin key of a payroll item: "FPA" for the payroll itself, "FPA;7"
// and "FPA;8" for terminations and vacations, so that a later run finds the
// receipts of each type already delivered.
QString ChaveOrigemFolha(int tipo);

struct TnFiltroFinanceiro {
    QString tipoData;  // "1" emission date, else due date
    QDate inicio;
    QDate fim;
    int empresa = 0;  // the office's establishment that issued the documents
    int estab = 0;
    int listarDebitos = 0;  // 0 only documents without protocol, 1 all
};

QString ComandoClientesFinanceiro(const TnFiltroFinanceiro& filtro);
QString ComandoNotasFiscais(const TnFiltroFinanceiro& filtro);
QString ComandoBoletos(const TnFiltroFinanceiro& filtro);
