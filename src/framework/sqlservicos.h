#pragma once

#include <functional>

class nDMConexao;

#include "sqldataset.h"

#include <QString>
#include <QVariant>

#include <memory>

// SQL services of the host, all on the host connection (TnHost::Atual()).

// Kind in which ValorParaSQL renders a value. Automatico follows the value.
enum class TnTipoValor { Automatico, Texto, Inteiro, Numero, Data, DataHora };

// The value as an SQL literal: null, a number, 'text' with quotes doubled,
// 'YYYY-MM-DD' or 'YYYY-MM-DD HH:MM:SS'. A text that is not a valid number or
// date of the kind asked raises EnErro, so nothing raw reaches the statement.
QString ValorParaSQL(const QVariant& valor, TnTipoValor tipo = TnTipoValor::Automatico);
// The condition "coluna operador literal"; a null value with "=" or "<>"
// gives "coluna is null" / "coluna is not null".
QString ValorParaSQL(const QString& coluna, const QString& operador, const QVariant& valor,
                     TnTipoValor tipo = TnTipoValor::Automatico);
// The value as a literal of a dataset filter text.
QString ValorParaFiltro(const QVariant& valor, TnTipoValor tipo = TnTipoValor::Automatico);

// A selection of codes and ranges ("1;3;5-9") as one condition on the column:
// "(COL in (1,3) or COL between 5 and 9)". With the conjunction the text
// starts with an 8-character connector (" and" and blanks), so it can be
// appended after a where clause and, without its first 7 or 8 characters,
// stand right after " where ". An empty selection gives "".
QString FilterInterval(const QString& coluna, const QString& selecao, bool comConjuncao = true);
// Refuses (EnErro) a selection for a code column that is not made of whole
// numbers and ranges of them ("1;3;5-9"): the database would refuse it.
void ValidarSelecaoDeCodigos(const QString& selecao);

// The column of the first matching row; a null QVariant ("" / 0) when none.
// Several columns separated by ";" give a QVariantList.
QVariant PegarValorCampo(const QString& tabela, const QString& colunas, const QString& condicao = {});
bool PegarTemRegistro(const QString& tabela, const QString& coluna, const QString& condicao = {});

// Highest value of the column among the rows that meet the condition, plus
// the increment; `inicial` when no row has a higher value.
qint64 PegarProximoCodigo(const QString& tabela, const QString& coluna, const QString& condicao = {},
                          qint64 inicial = 0, qint64 incremento = 1);
// The next free code within [minimo, maximo] (a register's key limits):
// values outside the range are ignored; raises EnErro when the range is full.
qint64 PegarProximoCodigoFaixa(const QString& tabela, const QString& coluna, const QString& condicao,
                               qint64 minimo, qint64 maximo);

// Whether the database of the connection has a table of that name (in the
// connection's schema, on PostgreSQL). Safe inside a transaction.
bool TemTabela(nDMConexao& conexao, const QString& tabela);
// Whether that table of the connection has a column of that name.
bool TemColuna(nDMConexao& conexao, const QString& tabela, const QString& coluna);

// Runs a statement with positional values; answers the rows affected.
int ExecutarSQLDireto(const QString& comando, const QVariantList& valores = {});
// Runs a select with positional values; answers the open dataset.
std::unique_ptr<TnSQLDataSet> ExecutarSQL(const QString& comando, const QVariantList& valores = {});
// Hands a dataset from ExecutarSQL back.
void DestruirSQL(std::unique_ptr<TnSQLDataSet>& dataSet);

// Runs `acao` in transaction 1: committed when it returns, rolled back (and
// the failure raised again) when it raises.
void EmTransacao(const std::function<void()>& acao);
// The same for a save the user asked for: a failure is raised again as
// "Operação cancelada! Não foi possível efetuar a operação!" with the
// database's own message on the next line.
void GravarEmTransacao(const std::function<void()>& gravar);
