#pragma once

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

class nDMConexao;
struct TnDescricaoPacote;

struct TnOpcoesDemonstracao {
    int tamanho = 1;          // scales companies, employees and documents
    QDate referencia = QDate::currentDate();  // "today" of the demo office
    quint64 inicio = 20261206;  // start of the random sequence
};

struct TnResumoDemonstracao {
    QList<QPair<QString, int>> linhasPorTabela;
    QString usuario;
    QString senha;
};

// Fills an empty database with a believable accounting office: staff,
// client companies and establishments, taxes and their debits of the last
// six months, payroll, terminations and vacations, invoices and boletos;
// then each package adds its own rows (its demo hook), in the same
// transaction. The same options give the same data.
TnResumoDemonstracao GerarDemonstracao(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes,
                                       const QList<const TnDescricaoPacote*>& pacotes);

// The demo login.
inline constexpr const char* kUsuarioDemonstracao = "demo";
inline constexpr const char* kSenhaDemonstracao = "demo";
