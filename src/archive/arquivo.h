#pragma once

#include "classedeclarada.h"

// The paper archive of the office: places (a shelf, a room, a cabinet),
// boxes of one establishment's papers over a range of competences, the
// envelopes inside a box, and which company document lies in which envelope.

class TLyrDMProtocoloLocalCaixa : public TnCadastroDeclarado<TLyrDMProtocoloLocalCaixa> {
    LYR_DATAMODULE(TLyrDMProtocoloLocalCaixa)
public:
    TLyrDMProtocoloLocalCaixa();
    // No two places share a description (a change of letter case alone passes).
    void ValidarDado() override;
};

class TLyrDCProtocoloLocalCaixa : public TnCadastroDeclarado<TLyrDCProtocoloLocalCaixa> {
    LYR_DATAMODULE(TLyrDCProtocoloLocalCaixa)
public:
    TLyrDCProtocoloLocalCaixa();
};

class TLyrDMProtocoloDocCaixa : public TnCadastroDeclarado<TLyrDMProtocoloDocCaixa> {
    LYR_DATAMODULE(TLyrDMProtocoloDocCaixa)
public:
    TLyrDMProtocoloDocCaixa();
    // Its envelopes, as a grid under it.
    void DataModuleCreate() override;
    // The final competence is kept as its month's last day, and may not come
    // before the initial one.
    void ValidarDado() override;
};

class TLyrDCProtocoloDocCaixa : public TnCadastroDeclarado<TLyrDCProtocoloDocCaixa> {
    LYR_DATAMODULE(TLyrDCProtocoloDocCaixa)
public:
    TLyrDCProtocoloDocCaixa();
};

// Numbered within their box: envelope 1 of box 1 and envelope 1 of box 2.
class TLyrDMProtocoloDocEnvelope : public TnCadastroDeclarado<TLyrDMProtocoloDocEnvelope> {
    LYR_DATAMODULE(TLyrDMProtocoloDocEnvelope)
public:
    TLyrDMProtocoloDocEnvelope();

protected:
    void nClientDataSetBeforeOpen() override;
};

class TLyrDCProtocoloDocEnvelope : public TnCadastroDeclarado<TLyrDCProtocoloDocEnvelope> {
    LYR_DATAMODULE(TLyrDCProtocoloDocEnvelope)
public:
    TLyrDCProtocoloDocEnvelope();
};

// The plain view of the archive's rows; a row stored marks its document
// archived, in the same transaction.
class TLyrDMProtocoloDocArquivo : public TnCadastroDeclarado<TLyrDMProtocoloDocArquivo> {
    LYR_DATAMODULE(TLyrDMProtocoloDocArquivo)
public:
    TLyrDMProtocoloDocArquivo();

protected:
    void nClientDataSetBeforePost() override;
};

class TLyrDCProtocoloDocArquivo : public TnCadastroDeclarado<TLyrDCProtocoloDocArquivo> {
    LYR_DATAMODULE(TLyrDCProtocoloDocArquivo)
public:
    TLyrDCProtocoloDocArquivo();
};
