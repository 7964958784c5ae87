#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

// Where the documents chosen have been: their movements, internal,
// external or both, narrowed by company, establishment, department, type
// and responsible user, one row per movement in the order they happened
// (a document never moved shows once, without movement).
class TLyrDPConsultaDocumento : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPConsultaDocumento)
public:
    TLyrDPConsultaDocumento();

    void ValidarDado() override;
    void Executar() override;

private:
    QString m_documentos;
    int m_tipoLocal = 0;
    QString m_empresa;
    QString m_estabs;
    QString m_departamento;
    QString m_tipos;
    QString m_usuarios;
};
