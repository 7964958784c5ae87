#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"
#include "informacoesdocemp.h"

#include <QDate>

// Where archived documents lie: the envelopes holding them, and beside the
// list, for the envelope chosen, its company, establishment, description,
// box place and period, its documents and, for the document chosen, its
// movements and the protocols that carried it. Four reads per run; moving
// in the lists filters in memory.
class TLyrDPConsultaDocumentosCaixa : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPConsultaDocumentosCaixa)
public:
    TLyrDPConsultaDocumentosCaixa();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;

    TnClientDataSet cdsDocumentos;
    TnClientDataSet cdsMovimentacao;
    TnClientDataSet cdsProtocolo;

private:
    QDate m_competInicial;
    QDate m_competFinal;
    QString m_caixas;
    int m_local = -1;
    QString m_empresas;
    QString m_estabs;
    QString m_documentos;
    QString m_tipos;
    TLyrFraInformacoesDocEmp m_quadro;
};
