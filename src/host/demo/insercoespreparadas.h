#pragma once

#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariantList>

#include <memory>

class nDMConexao;
class TnSQLDataSet;

// Inserts prepared once per table and column list, one execution per row.
// A statement binds its values by position, so a row given with another list
// of columns (even of the same length) gets a statement of its own.
class TnInsercoesPreparadas {
public:
    explicit TnInsercoesPreparadas(nDMConexao& conexao);
    ~TnInsercoesPreparadas();

    void Inserir(const QString& tabela, const QStringList& colunas, const QVariantList& valores);
    // Rows inserted into each table, in the order the tables were first used.
    QList<QPair<QString, int>> LinhasPorTabela() const;

private:
    struct TnInsercao;

    nDMConexao& m_conexao;
    QHash<QString, std::shared_ptr<TnInsercao>> m_insercoes;  // by "TABELA(COL1,COL2)"
    QHash<QString, int> m_linhas;  // by table
    QStringList m_ordem;
};
