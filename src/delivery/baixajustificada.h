#pragma once

#include "classedeclarada.h"

// The pending documents dismissed as not due (a client without movement in
// the month owes no such document): what was dismissed, why, by whom and
// when. Deleting a row brings its slot back to the pending list.
class TLyrDMDocBaixaJustificada : public TnCadastroDeclarado<TLyrDMDocBaixaJustificada> {
    LYR_DATAMODULE(TLyrDMDocBaixaJustificada)
public:
    TLyrDMDocBaixaJustificada();

    void ValidarDado() override;
};
