#pragma once

#include "dmselecao.h"

// The period asked before the protocol, item, company-document and movement
// registers open; once confirmed it is the default period of the other screens.
class TLyrDMSelecao : public TnDMSelecao {
    LYR_DATAMODULE(TLyrDMSelecao)
public:
    TLyrDMSelecao();

    int QuantidadeDeParametrosMostrar() const override { return 2; }
    // Every pair (from, to) of the selection takes the period shown.
    void AplicarSelecao(const QList<QPair<QString, QVariant>>& valores) override;
    void DepoisConfirmacao() override;
};
