#pragma once

#include "decimal.h"
#include "sqlparametros.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>
#include <memory>

class nDMConexao;
class QSqlQuery;

// Kind of a result column, read from the database's own description.
enum class TnTipoCampo { Desconhecido, Inteiro, Float, Decimal, Texto, Data, DataHora, Booleano };

struct TnColunaResultado {
    QString nome;  // upper case on both databases
    TnTipoCampo tipo = TnTipoCampo::Desconhecido;
    int escala = 0;  // decimals of a Decimal column
};

// One ":nome" parameter of a statement.
class TnParam {
public:
    explicit TnParam(QString nome) : m_nome(std::move(nome)) {}

    const QString& Name() const { return m_nome; }
    const QVariant& Value() const { return m_valor; }
    void SetValue(const QVariant& valor) { m_valor = valor; }
    void Clear() { m_valor = QVariant(); }
    bool IsNull() const { return m_valor.isNull(); }

private:
    QString m_nome;
    QVariant m_valor;
};

class TnSQLDataSet;

// A column of the current row of a TnSQLDataSet.
class TnSQLField {
public:
    TnSQLField(const TnSQLDataSet& dataSet, int indice) : m_dataSet(&dataSet), m_indice(indice) {}

    const QString& FieldName() const;
    TnTipoCampo DataType() const;
    int Index() const { return m_indice; }

    QVariant Value() const;
    bool IsNull() const;
    QString AsString() const;  // the value's default text ("" for null)
    qint64 AsLargeInt() const;
    int AsInteger() const;
    double AsFloat() const;
    TnDecimal AsDecimal() const;
    QDateTime AsDateTime() const;
    QDate AsDate() const;

private:
    const TnSQLDataSet* m_dataSet;
    int m_indice;
};

// A statement on the host connection: prepared once, its parameters bound by
// name (without regard to case) or by position, executed as many times as
// needed. A select is read whole on Open and walked with First/Next/Eof.
class TnSQLDataSet {
public:
    explicit TnSQLDataSet(nDMConexao& conexao);
    ~TnSQLDataSet();
    TnSQLDataSet(const TnSQLDataSet&) = delete;
    TnSQLDataSet& operator=(const TnSQLDataSet&) = delete;

    void SetCommandText(const QString& comando);
    const QString& CommandText() const { return m_comando; }

    int ParamCount() const { return static_cast<int>(m_params.size()); }
    TnParam& Params(int indice);
    TnParam& ParamByName(const QString& nome);
    TnParam* FindParam(const QString& nome);
    // Binds the values in parameter order (each distinct name once).
    void SetParamValues(const QVariantList& valores);

    void Prepare();
    bool Prepared() const { return m_consulta != nullptr; }
    void Unprepare();

    void Open();
    // Runs a select and hands its rows one by one, as they are read, to
    // `linha` without keeping them: for a reader that keeps its own copy and
    // converts each value to its own types (the values come as the driver
    // gives them, not as Valor would). `colunas` runs first, once the
    // columns (Coluna) are known. The statement is left closed.
    void LerLinhaALinha(const std::function<void()>& colunas, const std::function<void(const QVariantList& valores)>& linha);
    void Close();
    bool Active() const { return m_ativo; }
    // Runs a statement that returns no rows; answers the rows affected.
    int ExecSQL();

    int RecordCount() const { return m_linhas; }
    bool IsEmpty() const { return m_linhas == 0; }
    int RecNo() const { return m_atual; }
    void First();
    void Next();
    void Prior();
    void Last();
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }

    int FieldCount() const { return static_cast<int>(m_colunas.size()); }
    const TnColunaResultado& Coluna(int indice) const;
    int FieldIndex(const QString& nome) const;  // -1 when absent
    TnSQLField FieldByName(const QString& nome) const;
    TnSQLField FindField(const QString& nome) const;  // Index() -1 when absent
    TnSQLField Fields(int indice) const;
    QVariant Valor(int linha, int coluna) const;

private:
    void Executar();
    void LerColunas();
    void LerLinhas();
    void Percorrer(const std::function<void(const QVariantList& valores)>& linha, bool normalizar);

    nDMConexao& m_conexao;
    QString m_comando;
    TnComandoPosicional m_posicional;
    QList<TnParam> m_params;
    std::unique_ptr<QSqlQuery> m_consulta;
    bool m_prepararDeNovo = false;  // the last execution failed
    bool m_direto = false;  // sent as text, not prepared
    QList<TnColunaResultado> m_colunas;
    QVariantList m_valores;  // rows one after another, FieldCount() values each
    int m_linhas = 0;
    int m_atual = -1;
    bool m_ativo = false;
    bool m_eof = true;
    bool m_bof = true;
};
