#pragma once

#include "dmpowerparam.h"

#include <QDate>

// "Baixar Protocolo": lists the open protocols of one nature, the user marks
// those that were handed over (Enter, a double click, Ctrl+Ins for all, or
// the code typed or scanned from the signed receipt) and saves; the
// write-off data is asked once per establishment.
class TLyrDPBaixarProtocolo : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPBaixarProtocolo)
public:
    TLyrDPBaixarProtocolo();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;
    void SelecionarTodos() override { actMarcarTodasExecute(); }

    // Inverts the mark of the current row.
    void InverterMarca();
    // Flips the mark-all value and gives it to every row.
    void actMarcarTodasExecute();
    // Marks (never unmarks) the loaded protocol of that code and makes it
    // the current row; a code not loaded is refused, the marks stay.
    void MarcarPeloCodigo(const QString& texto);

private:
    void DeclararGrade();

    bool m_filtrarPeriodo = false;
    QDate m_de;
    QDate m_ate;
    int m_marcarTodas = 0;
};
