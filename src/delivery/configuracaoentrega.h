#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

// The delivery configuration of the establishments chosen: the group of
// document types each must hand in, how its protocols are delivered and
// whether at its own address. The rows are filled in the grid, one by one
// (Ctrl+T) or from the current row to the last (Ctrl+Ins), and saving
// replaces the stored configuration of every establishment listed.
class TLyrDPConfiguracaoEntrega : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPConfiguracaoEntrega)
public:
    TLyrDPConfiguracaoEntrega();

    void DepoisConfigurar(TnFormulario* formulario) override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;

    // The settings asked once and written into the current row, or into the
    // rows from the current one to the last.
    void ConfigurarLinha();
    void ConfigurarTodas();

private:
    // Asks the group and the form of delivery (and, delivered by hand,
    // whether at the establishment's address); false when cancelled.
    bool PedirConfiguracao(bool umaLinha);
    void PreencherLinha();
    // The first row with some but not all of its values: raises naming the
    // missing one (the cursor left on that row).
    void ConferirLinhas();

    int m_grupo = 0;
    int m_formaEntrega = 2;
    bool m_mesmoEndereco = false;
};
