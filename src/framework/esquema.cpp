#include "esquema.h"

namespace {

TnColuna Nova(const QString& nome, TnTipoColuna tipo, int tamanho = 0, int escala = 0)
{
    TnColuna coluna;
    coluna.nome = nome;
    coluna.tipo = tipo;
    coluna.tamanho = tamanho;
    coluna.escala = escala;
    return coluna;
}

} // namespace

TnColuna TnColuna::Req() const
{
    TnColuna copia = *this;
    copia.obrigatoria = true;
    return copia;
}

TnColuna TnColuna::Padrao(const QString& literal) const
{
    TnColuna copia = *this;
    copia.padrao = literal;
    return copia;
}

TnColuna Small(const QString& nome) { return Nova(nome, TnTipoColuna::SmallInt); }
TnColuna Int(const QString& nome) { return Nova(nome, TnTipoColuna::Integer); }
TnColuna Big(const QString& nome) { return Nova(nome, TnTipoColuna::BigInt); }
TnColuna Chr(const QString& nome, int tamanho) { return Nova(nome, TnTipoColuna::Char, tamanho); }
TnColuna Str(const QString& nome, int tamanho) { return Nova(nome, TnTipoColuna::VarChar, tamanho); }
TnColuna Memo(const QString& nome) { return Nova(nome, TnTipoColuna::Memo); }
TnColuna Data(const QString& nome) { return Nova(nome, TnTipoColuna::Date); }
TnColuna Stamp(const QString& nome) { return Nova(nome, TnTipoColuna::Timestamp); }
TnColuna Num(const QString& nome, int digitos, int decimais) { return Nova(nome, TnTipoColuna::Numeric, digitos, decimais); }
TnColuna Dbl(const QString& nome) { return Nova(nome, TnTipoColuna::Double); }

const TnColuna* TnTabela::Coluna(const QString& nome) const
{
    for (const TnColuna& coluna : colunas) {
        if (coluna.nome.compare(nome, Qt::CaseInsensitive) == 0)
            return &coluna;
    }
    return nullptr;
}

const TnTabela* AcharTabela(const QList<TnTabela>& tabelas, const QString& nome)
{
    for (const TnTabela& tabela : tabelas) {
        if (tabela.nome.compare(nome, Qt::CaseInsensitive) == 0)
            return &tabela;
    }
    return nullptr;
}
