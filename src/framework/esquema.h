#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "conexao.h"

#include <functional>

// The schema is data: each table lists its columns with their types, its key,
// its unique sets and indexes. The host's migrator turns these declarations
// into the DDL of each database, for the host's own tables and for those a
// package declares.

enum class TnTipoColuna { SmallInt, Integer, BigInt, Char, VarChar, Memo, Date, Timestamp, Numeric, Double };

struct TnColuna {
    QString nome;
    TnTipoColuna tipo = TnTipoColuna::Integer;
    int tamanho = 0;  // characters, or digits of a Numeric
    int escala = 0;   // decimals of a Numeric
    bool obrigatoria = false;
    QString padrao;  // SQL literal

    TnColuna Req() const;
    TnColuna Padrao(const QString& literal) const;
};

TnColuna Small(const QString& nome);
TnColuna Int(const QString& nome);
TnColuna Big(const QString& nome);
TnColuna Chr(const QString& nome, int tamanho);  // fixed width, for flags
TnColuna Str(const QString& nome, int tamanho);
TnColuna Memo(const QString& nome);
TnColuna Data(const QString& nome);
TnColuna Stamp(const QString& nome);
TnColuna Num(const QString& nome, int digitos, int decimais);
TnColuna Dbl(const QString& nome);

struct TnIndice {
    QStringList colunas;
    bool unico = false;
};

// A foreign key: these columns name a row of another table by its key. The
// database refuses a row that names none; deleting the row named is refused
// while it is named, unless the rows naming it go with it (cascata).
struct TnReferencia {
    QStringList colunas;
    QString tabela;
    bool cascata = false;
};

struct TnTabela {
    QString nome;
    QList<TnColuna> colunas;
    QStringList chave;
    QList<TnIndice> indices = {};
    QList<TnReferencia> referencias = {};

    const TnColuna* Coluna(const QString& nome) const;
};

struct TnVisao {
    QString nome;
    QString selecao;
};

// One step of a schema's history: the host's own, or a package's (numbered
// 1, 2… within the package). Steps are applied in version order, each in its
// own transaction, and recorded; a database is never changed by a step twice.
struct TnMigracao {
    int versao;
    QString descricao;
    // Declared tables the step creates, with their indexes and foreign keys.
    QStringList criarTabelas = {};
    // Further statements of the step for the given database.
    std::function<QStringList(TnBanco)> comandos = {};
    // Run first, in the step's transaction: refuses (raising EnErro) a
    // database the step cannot take as it is.
    std::function<void(nDMConexao&)> conferir = {};
    // True when the database already holds what the step makes (built before
    // the step was recorded under its owner): it is recorded, not run.
    std::function<bool(nDMConexao&)> jaFeita = {};
};

// The table of that name in the list; nullptr when none.
const TnTabela* AcharTabela(const QList<TnTabela>& tabelas, const QString& nome);
