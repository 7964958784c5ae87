#pragma once

#include "classedeclarada.h"

// The couriers' itineraries: a route is a name, its stops the client
// establishments visited in order (numbered 1, 2, 3… within the route),
// each at most once per route.
class TLyrDMProtocoloRota : public TnCadastroDeclarado<TLyrDMProtocoloRota> {
    LYR_DATAMODULE(TLyrDMProtocoloRota)
public:
    TLyrDMProtocoloRota();

    // Its stops, as a grid under it.
    void DataModuleCreate() override;
    // No two routes share a description (a change of letter case alone passes).
    void ValidarDado() override;

    // The courier's sheet of the routes chosen: a page per route with its
    // stops in order, each establishment's delivery address and the open
    // protocols to hand over there, a line for the recipient's signature per
    // stop and one for the courier's.
    QString TituloRelatorio(const QString& nome) const override;
    TnRelatorio MontarRelatorio(const QString& nome, const QString& selecao) override;
};

class TLyrDCProtocoloRota : public TnCadastroDeclarado<TLyrDCProtocoloRota> {
    LYR_DATAMODULE(TLyrDCProtocoloRota)
public:
    TLyrDCProtocoloRota();
};

class TLyrDMProtocoloRotaEntrega : public TnCadastroDeclarado<TLyrDMProtocoloRotaEntrega> {
    LYR_DATAMODULE(TLyrDMProtocoloRotaEntrega)
public:
    TLyrDMProtocoloRotaEntrega();

    // An establishment already a stop of the route is refused; changing
    // only a stop's observation or place never is.
    void ValidarDado() override;

protected:
    void nClientDataSetBeforeOpen() override;
};
