#pragma once

#include "classedeclarada.h"

// Standard texts ("históricos") that protocol items take as their description.
class TLyrDMHistoricoPro : public TnCadastroDeclarado<TLyrDMHistoricoPro> {
    LYR_DATAMODULE(TLyrDMHistoricoPro)
public:
    TLyrDMHistoricoPro();
};

// Its consultation, a grid to pick a text from.
class TLyrDCHistoricoPro : public TnCadastroDeclarado<TLyrDCHistoricoPro> {
    LYR_DATAMODULE(TLyrDCHistoricoPro)
public:
    TLyrDCHistoricoPro();
};
