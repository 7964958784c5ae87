#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"

#include <QDate>

// The documents the establishments chosen still owe for a competence, to
// tick off as they arrive ("Recebido"): saving registers each ticked one as
// a company document with its first, internal movement, all in one
// transaction, and drops it from the list. A slot that is not due this
// month (a client without movement) is dismissed with a reason instead,
// and leaves the list until the dismissal is undone.
class TLyrDPDocumentosPendentes : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPDocumentosPendentes)
public:
    TLyrDPDocumentosPendentes();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;

    // Switches "Recebido" of the current row, or of every row (each one
    // inverted, not all set).
    void MarcarUm();
    void MarcarTodos();
    // Dismisses the current row's slot as not due, with the reason asked.
    void BaixaJustificada();

private:
    void Alternar();
    // The ticked rows, refused (EnField on the row) when one lacks what a
    // document needs.
    QList<int> LinhasMarcadas();
    // Refuses, before anything is written, the rows whose slot another user
    // registered after this list was loaded, or whose code he took.
    void ConferirConcorrencia(const QList<int>& linhas);
    // The user answering for the documents saved: the one logged in unless
    // another is chosen; none when the question is cancelled.
    QVariant PedirResponsavel();

    QDate m_competencia;
    QString m_empresas;
    QString m_estabs;
    double m_maiorCodigo = 0;
    qint64 m_primeiroCodigo = 0;  // the next free code when the list was loaded
    bool m_carregando = false;
};
