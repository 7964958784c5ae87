#pragma once

#include "classeslyr.h"

// Standard texts ("históricos") that protocol items take as their description.
class TLyrDMHistoricoPro : public TLyrCadastro<TLyrDMHistoricoPro> {
    LYR_DATAMODULE(TLyrDMHistoricoPro)
public:
    TLyrDMHistoricoPro();
};

// Its consultation, a grid to pick a text from.
class TLyrDCHistoricoPro : public TLyrCadastro<TLyrDCHistoricoPro> {
    LYR_DATAMODULE(TLyrDCHistoricoPro)
public:
    TLyrDCHistoricoPro();
};
