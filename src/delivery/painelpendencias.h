#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"
#include "pendencias.h"

// What the clients still owe for a competence, summed up: the pending
// documents per company and establishment (most first), per document type,
// and the companies that owe most as bars. Counted from the same engine as
// the pending documents' list.
class TLyrDPPainelPendencias : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPPainelPendencias)
public:
    TLyrDPPainelPendencias();

    void ValidarDado() override;
    void Executar() override;

    // The companies drawn as bars.
    static constexpr int kEmpresasNoGrafico = 10;

    TnClientDataSet PorTipo;
    TnGraficoBarras Grafico;

    // The pending documents counted by the last execution.
    const QList<TLyrDocPendente>& Pendentes() const { return m_pendentes; }

private:
    TLyrFiltroPendencias m_filtro;
    QList<TLyrDocPendente> m_pendentes;
};
