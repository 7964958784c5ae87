#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QDate>

// The archived documents the office may throw away by a date: those whose
// type keeps them a number of days (a type with 0 days is kept for good)
// and whose launch date plus those days has come, listed by box and
// envelope; and per box how many of its documents may go, so that the
// boxes that can be emptied whole stand out.
class TLyrDPConsultaDescarte : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPConsultaDescarte)
public:
    TLyrDPConsultaDescarte();

    void ValidarDado() override;
    void Executar() override;

    TnClientDataSet PorCaixa;

private:
    QDate m_ate;
    QString m_empresas;
    QString m_caixas;
};
