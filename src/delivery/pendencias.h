#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

// A document an establishment still owes the office for a competence: one
// slot of a type of its group that no registered document stands for.
struct TLyrDocPendente {
    int empresa = 0;
    int estab = 0;
    int tipo = 0;
    QString descricao;  // the type's
    QDateTime data;     // the slot's, proposed as the launch date
    qint64 codigo = 0;  // the code the document gets when registered
};

// An establishment of the selection with nothing pending, and why.
struct TLyrFilialSemPendencia {
    int empresa = 0;
    int estab = 0;
    QString nomeEmpresa;
    QString apelidoEstab;
    QString motivo;
};

struct TLyrFiltroPendencias {
    QDate competencia;  // any day of the month
    QString empresas;   // codes and ranges as typed ("1;5-9"); empty: all
    QString estabs;
    int periodo = 0;    // only the types of that period; 0 every type
};

// What each configured establishment of the selection still owes for the
// competence: for every type of its group that takes part in automatic
// generation and occurs in the month, the type's slots (CalendarioDoc) that
// neither a document registered in the month nor a justified dismissal
// stands for. Rows come by company, establishment and type, slot after
// slot, numbered from `proximoCodigo` on.
//
// Three reads whatever the size of the selection (the documents of the
// month, the dismissals of the month, the configuration joined to the
// groups' types); the slots are matched in memory. With `semPendencia`,
// the establishments of the selection left with nothing are told apart (one
// more read, of the selection's establishments): not configured, a group
// without types, nothing due this month, or everything handed in.
QList<TLyrDocPendente> CalcularPendencias(const TLyrFiltroPendencias& filtro, qint64 proximoCodigo,
                                          QList<TLyrFilialSemPendencia>* semPendencia = nullptr);
