#pragma once

#include "datamodule.h"
#include "dmclientdataset.h"

// The selection asked before a register opens: parameters named after a
// column and a comparison ("DataLctoPro_MAIORIGUAL"), whose values become
// the register's condition. A module installs its own class (deriving from
// this) at its number in FnDMSelecaoClass; without one the host uses this.
class TnDMSelecao : public TnDataModule {
    LYR_DATAMODULE(TnDMSelecao)
public:
    TnSelecao nSelecao;
    QString Titulo;

    // How many of the parameters the dialog shows.
    virtual int QuantidadeDeParametrosMostrar() const { return static_cast<int>(nSelecao.size()); }
    // Shows the dialog (dates offered by DataOferecida) until it is cancelled
    // or confirmed with values that pass ValidarSelecao; true when confirmed
    // (DepoisConfirmacao has then run). A cancelled dialog leaves the
    // selection as it was.
    virtual bool ShowSelecionar();
    virtual void DepoisConfirmacao() {}
    // Why the values shown (name, value) cannot be confirmed; empty when they
    // can. By default: a column's start ("_MAIORIGUAL") after its end.
    virtual QString ValidarSelecao(const QList<QPair<QString, QVariant>>& valores) const;
    // Takes the confirmed values into the selection.
    virtual void AplicarSelecao(const QList<QPair<QString, QVariant>>& valores);
    // The parameters named in a register's VerificaSelecao, keeping values
    // already chosen for the same names.
    void Declarar(const QString& verificaSelecao);
    // The date offered for a parameter: the value chosen before, else the
    // first day two months back ("de") or the end of this month ("até").
    static QDate DataOferecida(const QString& nome, const QVariant& anterior);
};
