#pragma once

// The rows a dataset holds, in reading order, with the log of what changed
// since they were read and the save points that bring earlier rows back.

#include "valoreslinha.h"

#include <QSet>

#include <map>
#include <memory>
#include <vector>

using TnBookmark = qint64;

enum class TnUpdateStatus { usUnmodified, usModified, usInserted };

// One stored row. Views point at it, so it stays where it is allocated while
// it exists.
struct TnLinha {
    TnBookmark id = 0;
    TnValoresLinha valores;
    TnValoresLinha originais;  // as read or last merged; empty for inserted rows
    TnUpdateStatus status = TnUpdateStatus::usUnmodified;
};

class TnLinhasDataSet {
public:
    using TnLista = std::vector<std::unique_ptr<TnLinha>>;

    const TnLista& Linhas() const { return m_linhas; }
    size_t size() const { return m_linhas.size(); }

    // Changes kept apart until merged (false: a written row is its own original).
    bool RegistraAlteracoes() const { return m_registrar; }
    void SetRegistraAlteracoes(bool registrar) { m_registrar = registrar; }

    // Drops every row, the change log and the save points.
    void Limpar();
    // A row as read from its source: unchanged, its own original.
    void AcrescentarLida(TnValoresLinha valores);
    // A new row placed before `seguinte` in reading order (at the end when null).
    TnLinha& Incluir(TnValoresLinha valores, const TnLinha* seguinte);
    void Alterar(TnLinha& linha, TnValoresLinha valores);
    // The row goes; the log keeps it when it was read from the source.
    void Excluir(const TnLinha& linha);
    void ExcluirTodas(const QSet<TnBookmark>& ids);

    int ChangeCount() const;
    void MergeChangeLog();
    // Back to the rows as read: new rows go, changed and deleted ones return.
    void CancelUpdates();
    int SetSavePoint();
    bool TemPonto(int ponto) const { return m_pontos.contains(ponto); }
    // Back to the rows of a point that exists (TemPonto); the later points go.
    void RestoreSavePoint(int ponto);

private:
    struct TnFoto {
        std::vector<TnLinha> linhas;
        std::vector<TnLinha> apagadas;
        TnBookmark proximoId;
    };
    void Apagar(const TnLinha& linha);

    TnLista m_linhas;                  // reading order
    std::vector<TnLinha> m_apagadas;   // deleted rows kept by the change log
    TnBookmark m_proximoId = 1;
    bool m_registrar = true;
    std::map<int, TnFoto> m_pontos;
    int m_proximoPonto = 1;
};
