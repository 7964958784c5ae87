#pragma once

#include "classedeclarada.h"

// The description template of each source type: what generation writes as
// an item's description, with placeholders for the source row's values.
class TLyrDMCfgTipoProtocolo : public TnCadastroDeclarado<TLyrDMCfgTipoProtocolo> {
    LYR_DATAMODULE(TLyrDMCfgTipoProtocolo)
public:
    TLyrDMCfgTipoProtocolo();

    // The placeholder picker of the description: the chosen placeholder is
    // appended to what the description holds (or what is typed in it).
    void nClientDataSetDESCRTIPOPROTOCOLODefIntButtonClick(TnField& campo);
};

// The template of a type; empty when the type has none.
QString PegarCfgDescr(int tipo);
