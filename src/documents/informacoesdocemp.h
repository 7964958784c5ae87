#pragma once

#include "clientdataset.h"
#include "quadro.h"

// What the office knows of a document, read only: where it is filed
// (company, establishment, envelope, box place and period), the documents
// listed with it, its movements and the protocols that carried it. A screen
// either hands its own datasets to the frame (the archive's query lists an
// envelope's documents) or lets it read one document (Carregar).
class TLyrFraInformacoesDocEmp {
public:
    TLyrFraInformacoesDocEmp();

    // Reads the document's filing, the document itself, its movements and
    // its protocols into the frame's own datasets.
    void Carregar(qint64 documento);

    // The frame as the host draws it, on the datasets assigned.
    TnQuadroInformacoes Quadro() const;

    // The data sources; a screen may point them at its own datasets.
    TnClientDataSet* nDSInfo;
    TnClientDataSet* nDSDocs;
    TnClientDataSet* nDSMovs;
    TnClientDataSet* nDSProt;

private:
    TnClientDataSet m_info;
    TnClientDataSet m_docs;
    TnClientDataSet m_movs;
    TnClientDataSet m_prot;
};
