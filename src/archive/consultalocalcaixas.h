#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QDate>

// Which boxes, of which establishment and period, lie in which place.
class TLyrDPConsultaProtocoloLocalCaixas : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPConsultaProtocoloLocalCaixas)
public:
    TLyrDPConsultaProtocoloLocalCaixas();

    void ValidarDado() override;
    void Executar() override;

private:
    QDate m_inicial;
    QDate m_final;
    QString m_locais;
    QString m_caixas;
    QString m_empresas;
    QString m_estabs;
};
