#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

// The stops of one route laid out in a working grid: added (F4 picks the
// company and the establishment), removed, moved up and down, annotated,
// an establishment copied from one stop to another; nothing is stored until
// the save, which replaces the route's stops in one transaction, numbered
// 1, 2, 3… in the grid's order.
class TLyrDPConfigurarRotaEntrega : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPConfigurarRotaEntrega)
public:
    TLyrDPConfigurarRotaEntrega();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;

    void actDeletarSequencia();
    void actMoverParaCima() { Mover(-1); }
    void actMoverParaBaixo() { Mover(1); }
    // The stop at place `de` taken to place `para` (from 1), the ones
    // between shifted by one; it stays the current row.
    void MoverPara(int de, int para);
    // Numbers the stops 1, 2, 3… in the grid's order, staying on the same row.
    void ReconstruirSequencia();
    // The observation of the current stop, typed in a dialog.
    void actObservacoes();
    // The establishment of the current stop kept, and given to another stop.
    void CopiarDados();
    void ColarDados();

private:
    void Mover(int passo);
    void CarregarRota();

    int m_rota = 0;
    int m_ultimaSequencia = 0;
    int m_empresaCopiada = 0;
    int m_estabCopiado = 0;
};
