#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QDate>
#include <QDateTime>

// A document lent out: its newest movement is external and says when it is
// due back.
struct TnDocumentoFora {
    int empresa;
    QString nomeEmpresa;
    int estab;
    QString nomeEstab;
    qint64 documento;
    QString descricao;
    QString tipo;
    QDateTime foraDesde;
    QDate retornoPrevisto;
    QString responsavel;
    int diasEmAtraso;  // 0 while not due
};

// The documents the office lent out (to a bank, a notary, the client) and
// has not got back, per client, with the days each is overdue.
class TLyrDPDocumentosFora : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPDocumentosFora)
public:
    TLyrDPDocumentosFora();

    void Executar() override;

    // Those of the companies chosen (codes and ranges; empty: all), only
    // the overdue ones when asked, as of `hoje`; by company, establishment
    // and return date.
    static QList<TnDocumentoFora> Listar(const QString& empresas, bool soVencidos, const QDate& hoje);
};
