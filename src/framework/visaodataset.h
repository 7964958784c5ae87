#pragma once

// Which of a dataset's rows are shown and in what order: its filter, its
// orders and indexes, its link to a master's current row, and the search of
// a row by the values of some of its fields.

#include "linhasdataset.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class TnClientDataSet;
class TnFiltro;

// A named order of the rows.
struct TnIndexDef {
    QString Name;
    QString Fields;      // "CODIGOEMPRESA;CODIGOESTAB"
    QString DescFields;  // the fields among them sorted from high to low
    bool CaseInsensitive = false;
};

struct TnLocateOptions {
    bool CaseInsensitive = false;
    bool PartialKey = false;
};

// Where a written row goes in the view, worked out before the view changes
// so that views of the dataset can be told first.
struct TnDestinoLinha {
    enum class Tipo { NoLugar, Entra, Sai, Muda, Fora };
    Tipo tipo = Tipo::Fora;
    int de = -1;    // NoLugar, Sai, Muda: where the row stands
    int para = -1;  // Entra, Muda: where it will stand (Muda: counted without it)
};

class TnVisaoDataSet {
public:
    explicit TnVisaoDataSet(TnClientDataSet& dataSet);
    ~TnVisaoDataSet();
    TnVisaoDataSet(const TnVisaoDataSet&) = delete;
    TnVisaoDataSet& operator=(const TnVisaoDataSet&) = delete;

    int size() const { return static_cast<int>(m_linhas.size()); }
    bool empty() const { return m_linhas.empty(); }
    TnLinha* Linha(int posicao) const { return m_linhas[static_cast<size_t>(posicao)]; }
    // The position of the row with that id; -1 when it is not shown.
    int Posicao(TnBookmark id) const;
    void Limpar() { m_linhas.clear(); }

    // The rows of `linhas` that pass, in order; the position of `manter`
    // (or 0, or -1 when none passes).
    int Reconstruir(const TnLinhasDataSet& linhas, TnBookmark manter);
    // A row written at `atual` (an edit) or started at `insercao` (a new
    // row): where it goes, without sorting the rest again.
    TnDestinoLinha Destino(const TnLinha& linha, bool inseriu, int insercao, int atual) const;
    // Puts the row where Destino said; the current position afterwards.
    int Aplicar(const TnDestinoLinha& destino, TnLinha* linha);
    // Takes the row at that position out of the view.
    void Retirar(int posicao) { m_linhas.erase(m_linhas.begin() + posicao); }
    // Whether a change to one row can be placed without testing the others
    // (a test of the code may look anywhere).
    bool AceitaPorLinha() const { return !(m_filtrado && m_onFilterRecord); }

    // The first row whose fields equal the values (Locate, FindKey and
    // Lookup alike); -1 when none.
    int Procurar(const QList<int>& campos, const QVariantList& valores, TnLocateOptions opcoes) const;

    // --- filter --------------------------------------------------------------
    const QString& Filter() const { return m_textoFiltro; }
    // Each returns whether the rows shown may have changed.
    bool SetFilter(const QString& texto);
    bool Filtered() const { return m_filtrado; }
    bool SetFiltered(bool ligado);
    bool SetOnFilterRecord(std::function<bool(TnClientDataSet&)> teste);

    // --- order ---------------------------------------------------------------
    const QString& IndexFieldNames() const { return m_indiceCampos; }
    void SetIndexFieldNames(const QString& campos);
    const QList<TnIndexDef>& IndexDefs() const { return m_indexDefs; }
    void AddIndex(const TnIndexDef& definicao) { m_indexDefs.append(definicao); }
    const QString& IndexName() const { return m_indiceNome; }
    void SetIndexName(const QString& nome);
    // The fields of the active order (indexes of the dataset's fields).
    QList<int> CamposDaOrdem() const { return OrdemAtiva().campos; }

    // --- master --------------------------------------------------------------
    void SetMaster(TnClientDataSet* mestre, const QString& camposMestre, const QString& camposDetalhe);
    TnClientDataSet* Master() const { return m_mestre; }
    // The master's values a new detail row takes: (detail field, value).
    QList<QPair<int, QVariant>> ValoresDoMestre() const;
    const QList<TnClientDataSet*>& Detalhes() const { return m_detalhes; }

private:
    struct TnOrdem {
        QList<int> campos;
        QList<bool> decrescente;
        bool semCaixa = false;
    };
    TnOrdem OrdemAtiva() const;
    bool Antes(const TnLinha& a, const TnLinha& b, const TnOrdem& ordem) const;
    bool Passa(const TnLinha& linha) const;
    int PosicaoOrdenada(const TnLinha& linha, const TnOrdem& ordem, size_t inicio, size_t fim) const;

    TnClientDataSet& m_dataSet;
    std::vector<TnLinha*> m_linhas;  // rows shown, in the active order

    QString m_textoFiltro;
    bool m_filtrado = false;
    std::unique_ptr<TnFiltro> m_filtro;
    QList<int> m_camposFiltro;
    std::function<bool(TnClientDataSet&)> m_onFilterRecord;

    QString m_indiceCampos;
    QString m_indiceNome;
    QList<TnIndexDef> m_indexDefs;

    TnClientDataSet* m_mestre = nullptr;
    QList<int> m_camposMestre;
    QList<int> m_camposDetalhe;
    QList<TnClientDataSet*> m_detalhes;
};
