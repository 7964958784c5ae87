#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

// The whole member list of one group of document types, edited at once:
// types are added (picked from the types' consultation), changed and
// removed in the grid, and saving replaces the group's members by the grid's
// content in one transaction.
class TLyrDPConfiguradorTipoGrupo : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPConfiguradorTipoGrupo)
public:
    TLyrDPConfiguradorTipoGrupo();

    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;

private:
    int m_grupo = 0;
};
