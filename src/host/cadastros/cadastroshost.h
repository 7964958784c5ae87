#pragma once

#include "classeshost.h"

// The client companies; their establishments are the detail grid.
class TnDMEmpresa : public TnCadastroDeclarado<TnDMEmpresa> {
    LYR_DATAMODULE(TnDMEmpresa)
public:
    TnDMEmpresa();
    void DataModuleCreate() override;
    void ValidarDado() override;
    void nClientDataSetBeforeDelete() override;
};

// An establishment of a company (numbered within it): tax ids, address,
// whether it is still a client.
class TnDMEstab : public TnCadastroDeclarado<TnDMEstab> {
    LYR_DATAMODULE(TnDMEstab)
public:
    TnDMEstab();
    void ValidarDado() override;
    void nClientDataSetBeforeDelete() override;
};

// Where an establishment's documents are delivered when not at its own
// address: one address per establishment, with whom to look for.
class TnDMEstabEntrega : public TnCadastroDeclarado<TnDMEstabEntrega> {
    LYR_DATAMODULE(TnDMEstabEntrega)
public:
    TnDMEstabEntrega();
    void ValidarDado() override;
};

// The office itself: its branches that bill clients, each an establishment.
class TnDMEscritorio : public TnCadastroDeclarado<TnDMEscritorio> {
    LYR_DATAMODULE(TnDMEscritorio)
public:
    TnDMEscritorio();
};

// The office's departments (documents move between them).
class TnDMDepartamento : public TnCadastroDeclarado<TnDMDepartamento> {
    LYR_DATAMODULE(TnDMDepartamento)
public:
    TnDMDepartamento();
    void nClientDataSetBeforeDelete() override;
};

// Taxes and their variations (IRPJ quarterly and monthly estimate…).
class TnDMImposto : public TnCadastroDeclarado<TnDMImposto> {
    LYR_DATAMODULE(TnDMImposto)
public:
    TnDMImposto();
};

// The financial module's documents, for reading: the service invoices and the
// receivables (boletos) the office issued, and the protocol and item that
// delivered each to the client.
class TnDCNotaServico : public TnCadastroDeclarado<TnDCNotaServico> {
    LYR_DATAMODULE(TnDCNotaServico)
public:
    TnDCNotaServico();
};

class TnDCContaReceber : public TnCadastroDeclarado<TnDCContaReceber> {
    LYR_DATAMODULE(TnDCContaReceber)
public:
    TnDCContaReceber();
};
