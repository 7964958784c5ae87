#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include "lyrsfuncoes.h"  // TabelasDebito

// The schema is data: each table lists its columns with their types, its key,
// its unique sets and indexes. The migrations turn these declarations into the
// DDL of each database.

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

// The table of that name among the host's and the module's; nullptr when none.
const TnTabela* TabelaDeclarada(const QString& nome);
// The tables that declare foreign keys, host's first.
QList<const TnTabela*> TabelasComReferencias();

// Registers of the host that the protocol module reads or writes: companies,
// establishments, users and rights, departments, taxes, the debit tables,
// payroll and the financial module.
const QList<TnTabela>& TabelasHost();
const QList<TnVisao>& VisoesHost();
// Tables owned by the protocol module.
const QList<TnTabela>& TabelasProtocolo();

