#pragma once

#include "gerarprotocolobase.h"

// One protocol with exactly one item for one establishment, typed in a small
// dialog: what a document's movement hands over (the movement fills the
// document, company, establishment and date, and reads the code back from
// pCodigoPro).
class TLyrDPGerarProIndividual : public TLyrDPGerarProtocoloBase {
    LYR_DATAMODULE(TLyrDPGerarProIndividual)
public:
    TLyrDPGerarProIndividual();

    void DepoisConfigurar(TnFormulario* formulario) override;
    // The host's checks, then the company and establishment read as numbers.
    void ValidarDado() override;
    // Runs in the protocol's transaction with the code written: what the
    // protocol is made for records it there, or nothing is written at all.
    void SetAoGravar(std::function<void(qint64 codigo)> aoGravar) { m_aoGravar = std::move(aoGravar); }

protected:
    void GerarProtocolo() override;

private:
    std::function<void(qint64)> m_aoGravar;
};
