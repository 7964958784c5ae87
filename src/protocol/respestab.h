#pragma once

#include "classeslyr.h"

// The persons who hand over or receive documents for an establishment.
class TLyrDMProtocoloRespEstab : public TLyrCadastro<TLyrDMProtocoloRespEstab> {
    LYR_DATAMODULE(TLyrDMProtocoloRespEstab)
public:
    TLyrDMProtocoloRespEstab();
};
