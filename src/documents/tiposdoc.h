#pragma once

#include "classedeclarada.h"

// The kinds of paper the office keeps for its clients: how long each is
// kept, its period, the months it occurs in, whether the document
// generation creates it and whether archiving gives it an envelope.
class TLyrDMProtocoloTipoDoc : public TnCadastroDeclarado<TLyrDMProtocoloTipoDoc> {
    LYR_DATAMODULE(TLyrDMProtocoloTipoDoc)
public:
    TLyrDMProtocoloTipoDoc();

protected:
    // The host's checks, then: no two types with the same description.
    void ValidarDado() override;
};

// The grid to pick a type from (its code and description).
class TLyrDCProtocoloTipoDoc : public TnCadastroDeclarado<TLyrDCProtocoloTipoDoc> {
    LYR_DATAMODULE(TLyrDCProtocoloTipoDoc)
public:
    TLyrDCProtocoloTipoDoc();
};

// A group of document types; each establishment's delivery configuration
// names one. Its members are edited in a grid under it.
class TLyrDMProtocoloGrupoDoc : public TnCadastroDeclarado<TLyrDMProtocoloGrupoDoc> {
    LYR_DATAMODULE(TLyrDMProtocoloGrupoDoc)
public:
    TLyrDMProtocoloGrupoDoc();
    void DataModuleCreate() override;

protected:
    // The host's checks, then: no two groups with the same description.
    void ValidarDado() override;
};

// The grid to pick a group from.
class TLyrDCProtocoloGrupoDoc : public TnCadastroDeclarado<TLyrDCProtocoloGrupoDoc> {
    LYR_DATAMODULE(TLyrDCProtocoloGrupoDoc)
public:
    TLyrDCProtocoloGrupoDoc();
};

// The types of a group, one row each (a member is replaced by deleting it
// and inserting another: the key does not change).
class TLyrDMProtocoloGrupoTipoDoc : public TnCadastroDeclarado<TLyrDMProtocoloGrupoTipoDoc> {
    LYR_DATAMODULE(TLyrDMProtocoloGrupoTipoDoc)
public:
    TLyrDMProtocoloGrupoTipoDoc();

protected:
    // Under its group the group's code is not shown: every row has it.
    void nClientDataSetBeforeOpen() override;
};

class TLyrDCProtocoloGrupoTipoDoc : public TnCadastroDeclarado<TLyrDCProtocoloGrupoTipoDoc> {
    LYR_DATAMODULE(TLyrDCProtocoloGrupoTipoDoc)
public:
    TLyrDCProtocoloGrupoTipoDoc();
};
