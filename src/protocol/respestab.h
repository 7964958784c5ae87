#pragma once

#include "classedeclarada.h"

// The persons who hand over or receive documents for an establishment.
class TLyrDMProtocoloRespEstab : public TnCadastroDeclarado<TLyrDMProtocoloRespEstab> {
    LYR_DATAMODULE(TLyrDMProtocoloRespEstab)
public:
    TLyrDMProtocoloRespEstab();
};
