#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QDate>

// Registers in advance, for a range of competences and the companies and
// establishments chosen, the documents each active configured establishment
// is expected to hand in: every type of its group taking part in automatic
// generation, in each of the type's occurrence months, one per period slot.
// The documents it writes are its own (origin 1): a run first deletes those
// of the range for the selection, so it may be repeated. All in one
// transaction; the message tree tells what was written per company and
// establishment, or what was missing.
class TLyrDPGerarDocumento : public TnDMPowerParam {
    LYR_DATAMODULE(TLyrDPGerarDocumento)
public:
    TLyrDPGerarDocumento();

    void DataModuleCreate() override;
    // The competences read and in order (no database needed).
    void ConferirParametros() override;
    void Executar() override;

    // The run is asked for first; a caller that already has the user's
    // word (the command line) switches the question off.
    void SetPerguntarAntes(bool perguntar) { m_perguntarAntes = perguntar; }
    // The documents the last run wrote.
    int DocumentosGerados() const { return m_gerados; }

private:
    QDate m_inicio;
    QDate m_fim;
    bool m_perguntarAntes = true;
    int m_gerados = 0;
};
