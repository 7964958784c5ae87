#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QMap>
#include <QSet>

// Puts company documents into the envelopes of one archive box and takes
// them out: the box's archived documents and, on request, the not yet
// archived ones of its establishment, each with an envelope proposed (one
// new envelope per type that asks for its own, one shared by the others).
// Rows are marked "A Arquivar" (Ctrl+M, Ctrl+Ins for all; or a label's code
// read on the reader line) or "A Remover" (Ctrl+R, Ctrl+Delete for all);
// saving writes the archive rows, the documents' flag, a movement per
// archived document and the new envelopes, all in one transaction.
class TLyrDPArquivarDocs : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPArquivarDocs)
public:
    TLyrDPArquivarDocs();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;
    void actGravarExecute() override;
    // The writes of the save, without reading the box again afterwards.
    void GravarMarcados();
    void actCancelarExecute() override;

    void actMarcarExecute();
    void actMarcarTodasExecute();
    void actMarcarRemoverExecute();
    void actMarcarRemoverTodasExecute();
    // A document's code typed or scanned from its label: its row marked "A
    // Arquivar", or why it cannot be.
    void MarcarPeloCodigo(const QString& texto);

    enum Status { Arquivado = 1, NaoArquivado = 2, AArquivar = 3, ARemover = 4 };

private:
    void CarregarDados();
    QString MontarFiltro();
    void MudarStatus(int status);
    // The envelopes the rows to archive name that the box lacks, with their
    // descriptions: proposed by the load, or asked now (before anything is
    // written). Envelopes whose description was not given are left out.
    // `daCaixa` gets every envelope rows may go into: the box's and the new.
    QMap<int, QString> EnvelopesNovos(QSet<int>& daCaixa);

    int m_caixa = 0;
    bool m_somenteArquivados = true;
    int m_marcarTodas = NaoArquivado;
    int m_removerTodas = Arquivado;
    bool m_edicaoInterna = false;
    int m_empresa = 0;
    int m_estab = 0;
    QMap<int, QString> m_descricoes;  // envelope number -> description proposed by a load
};
