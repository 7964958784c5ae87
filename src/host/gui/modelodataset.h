#pragma once

#include <functional>

#include "clientdataset.h"

#include <QAbstractTableModel>
#include <QSet>

// A table view of a TnClientDataSet: one row per row of the dataset's view,
// one column per visible field. Editing a cell edits the dataset (the row is
// posted when the user moves to another row). Rows that come, go or move
// are passed on as such, so a grid keeps its current cell, selection and
// scroll; opening, filtering and ordering reset the model. DisableControls
// keeps it quiet until the dataset is redrawn whole.
class TnModeloDataSet : public QAbstractTableModel, private TnObservadorDataSet {
    Q_OBJECT
public:
    explicit TnModeloDataSet(TnClientDataSet& dataSet, QObject* pai = nullptr);
    ~TnModeloDataSet() override;

    // The QColor the row takes as its background while selected (the
    // dataset's CorDaSelecao); invalid: the style's.
    static constexpr int PapelCorDaSelecao = Qt::UserRole + 1;

    TnClientDataSet& DataSet() const { return m_dataSet; }
    bool Editavel = false;
    // A cell of a field its register locks (the field's control disabled or
    // read-only at the moment) takes no edits; unset, none is locked.
    std::function<bool(const TnField&)> Bloqueado;

    int rowCount(const QModelIndex& pai = {}) const override;
    int columnCount(const QModelIndex& pai = {}) const override;
    QVariant data(const QModelIndex& indice, int papel = Qt::DisplayRole) const override;
    QVariant headerData(int secao, Qt::Orientation orientacao, int papel = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;
    bool setData(const QModelIndex& indice, const QVariant& valor, int papel = Qt::EditRole) override;

    // The dataset field shown in a column.
    TnField& Campo(int coluna) const;
    int ColunaDoCampo(const QString& nome) const;

    // The column's title in two lines, split at the space nearest its middle.
    QString TituloEmLinhas(int coluna) const;
    // Shows that column's title in two lines (a title wider than its column).
    void PartirTitulo(int coluna, bool partir);

    // Recomputes the visible columns (after Visible changed).
    void RecarregarColunas();
    // The grid row of the dataset's current row (the new row while inserting).
    int LinhaAtual() const;
    // Values changed in rows are told once per turn of the event loop (a
    // row typed by code changes field after field), before rows come, go or
    // move while the rows marked are still where they were, and when a view
    // asks (before it opens an editor, which takes the values told).
    void AvisarAlteradas();
    // A new row in which the user has typed nothing yet.
    bool LinhaNovaEmBranco() const { return LinhaNova() && !m_digitado; }

signals:
    void RegistroAtualMudou(int linha);
    // The dataset finished what it was doing, its After hooks included.
    void ConcluiuMudanca();

private:
    bool LinhaNova() const;
    QVariant Valor(int linha, const TnField& campo) const;
    void DadosRecarregados() override;
    void RegistroAtualAlterado() override;
    void EstadoAlterado() override;
    void AntesDeMudarLinha(const TnDestinoLinha& mudanca) override;
    void LinhaMudou(const TnDestinoLinha& mudanca) override;
    void MudancaConcluida() override { emit ConcluiuMudanca(); }
    void DataSetLiberado() override;
    // The rows as the dataset has them now (inside a reset).
    void Recontar();
    void MarcarAlterada(int linha);

    TnClientDataSet& m_dataSet;
    bool m_liberado = false;  // the dataset went first: the model is empty from then on
    QList<int> m_colunas;  // field indexes
    QSet<int> m_titulosPartidos;  // columns whose title takes two lines
    TnDataSetState m_estado;
    bool m_digitado = false;  // the user typed in the row being edited
    // The rows the views were told of: the dataset's view, and last the row
    // being inserted (it joins the dataset's view when posted).
    int m_linhas = 0;
    bool m_linhaNova = false;
    enum class TnAviso { Nenhum, Insercao, Remocao, Movimento };
    TnAviso m_aviso = TnAviso::Nenhum;  // begun before a row change, ended after it
    int m_linhaAvisada = -1;  // the current row the views were last told of
    int m_primeiraAlterada = -1;  // the rows whose values changed since last told; -1: none
    int m_ultimaAlterada = -1;
    bool m_avisoAgendado = false;  // a call to tell them waits in the event loop
};
