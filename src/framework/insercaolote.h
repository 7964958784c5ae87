#pragma once

#include "sqldataset.h"

#include <QStringList>
#include <QVariantList>

#include <map>
#include <memory>

class nDMConexao;

// Inserts many rows of one table with few statements: the rows are gathered
// and sent as multi-row INSERTs ("values (...), (...), ..."), so a batch
// costs one round trip per hundreds of rows instead of one per row (what
// matters on PostgreSQL, where every statement is a round trip). Each
// statement size is prepared once.
//
// Rows are written when a group is full and on Descarregar(); a caller that
// reads back what it inserted, or ends its transaction, calls Descarregar()
// first. A failure raises EnSQL like any statement and leaves the group
// pending rows dropped: the caller's transaction is rolled back anyway.
class TnInsercaoEmLote {
public:
    TnInsercaoEmLote(nDMConexao& conexao, QString tabela, QStringList colunas, int linhasPorComando = 250);
    ~TnInsercaoEmLote();
    TnInsercaoEmLote(const TnInsercaoEmLote&) = delete;
    TnInsercaoEmLote& operator=(const TnInsercaoEmLote&) = delete;

    // One row, its values in the order of the columns.
    void Adicionar(const QVariantList& valores);
    // Writes the rows still gathered (and first those of the parent).
    void Descarregar();
    // Forgets the rows still gathered (after a rollback).
    void Descartar();
    // Rows of this table refer to rows of `pai` (a foreign key): the parent's
    // pending rows are written before any group of this one.
    void DependeDe(TnInsercaoEmLote& pai) { m_pai = &pai; }

    int Pendentes() const { return m_pendentes; }
    int LinhasPorComando() const { return m_linhasPorComando; }

private:
    QString Comando(int linhas) const;

    nDMConexao& m_conexao;
    QString m_tabela;
    QStringList m_colunas;
    int m_linhasPorComando;
    QVariantList m_valores;  // pending rows, one after another
    int m_pendentes = 0;
    std::map<int, std::unique_ptr<TnSQLDataSet>> m_comandos;  // by rows per statement
    TnInsercaoEmLote* m_pai = nullptr;
};
