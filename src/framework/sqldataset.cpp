#include "sqldataset.h"

#include "conexao.h"
#include "erros.h"
#include "valores.h"

#include <QScopeGuard>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlResult>

#include <sqlite3.h>

namespace {

constexpr int kOidNumeric = 1700;

// SQLite keeps the declared type of each column of a table; that is what
// tells a DATE from a text and a NUMERIC(18,2) from a floating number.
TnColunaResultado ColunaSQLite(sqlite3_stmt* comando, int indice, const QString& nome)
{
    TnColunaResultado coluna{nome, TnTipoCampo::Desconhecido, 0};
    const char* declarado = comando ? sqlite3_column_decltype(comando, indice) : nullptr;
    if (!declarado)
        return coluna;
    const QString tipo = QString::fromUtf8(declarado).toUpper();
    if (tipo.startsWith(u"NUMERIC") || tipo.startsWith(u"DECIMAL")) {
        const qsizetype virgula = tipo.indexOf(u',');
        coluna.escala = virgula < 0 ? 0 : tipo.mid(virgula + 1).remove(u')').trimmed().toInt();
        coluna.tipo = coluna.escala > 0 ? TnTipoCampo::Decimal : TnTipoCampo::Inteiro;
    } else if (tipo.contains(u"INT")) {
        coluna.tipo = TnTipoCampo::Inteiro;
    } else if (tipo.startsWith(u"TIMESTAMP") || tipo.startsWith(u"DATETIME")) {
        coluna.tipo = TnTipoCampo::DataHora;
    } else if (tipo.startsWith(u"DATE")) {
        coluna.tipo = TnTipoCampo::Data;
    } else if (tipo.contains(u"CHAR") || tipo.contains(u"TEXT") || tipo.contains(u"CLOB")) {
        coluna.tipo = TnTipoCampo::Texto;
    } else if (tipo.contains(u"REAL") || tipo.contains(u"DOUB") || tipo.contains(u"FLOA")) {
        coluna.tipo = TnTipoCampo::Float;
    } else if (tipo.startsWith(u"BOOL")) {
        coluna.tipo = TnTipoCampo::Booleano;
    }
    return coluna;
}

TnColunaResultado ColunaPostgreSQL(const QSqlField& campo, const QString& nome)
{
    TnColunaResultado coluna{nome, TnTipoCampo::Desconhecido, 0};
    switch (campo.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
        coluna.tipo = TnTipoCampo::Inteiro;
        break;
    case QMetaType::Double:
        if (campo.typeID() == kOidNumeric) {
            // precision() carries the declared scale; -1 for an unconstrained numeric.
            coluna.escala = campo.precision();
            coluna.tipo = coluna.escala == 0 ? TnTipoCampo::Inteiro : TnTipoCampo::Decimal;
        } else {
            coluna.tipo = TnTipoCampo::Float;
        }
        break;
    case QMetaType::QDate:
        coluna.tipo = TnTipoCampo::Data;
        break;
    case QMetaType::QDateTime:
        coluna.tipo = TnTipoCampo::DataHora;
        break;
    case QMetaType::Bool:
        coluna.tipo = TnTipoCampo::Booleano;
        break;
    case QMetaType::QString:
        coluna.tipo = TnTipoCampo::Texto;
        break;
    default:
        break;
    }
    return coluna;
}

QVariant Normalizar(const QVariant& valor, const TnColunaResultado& coluna)
{
    if (valor.isNull())
        return QVariant();
    switch (coluna.tipo) {
    case TnTipoCampo::Inteiro:
        if (valor.typeId() == QMetaType::LongLong)
            return valor;
        return static_cast<qlonglong>(Valores::ParaInteiro(valor));
    case TnTipoCampo::Decimal:
        if (coluna.escala < 0) {
            bool ok = false;
            const TnDecimal decimal = TnDecimal::DeTexto(valor.toString(), &ok);
            return ok ? QVariant::fromValue(decimal) : valor;
        }
        return QVariant::fromValue(Valores::ParaDecimal(valor, coluna.escala));
    case TnTipoCampo::Float:
        return Valores::ParaFloat(valor);
    case TnTipoCampo::Data:
        if (valor.typeId() == QMetaType::QString) {
            // SQLite's "yyyy-MM-dd" (the common case) needs no time of day.
            const QString texto = valor.toString();
            if (const QDate data = Valores::LerDataIso(texto); data.isValid())
                return data;
            bool ok = false;
            const QDateTime momento = Valores::LerDataHora(texto, &ok);
            return ok ? QVariant(momento.date()) : valor;
        }
        return valor.toDate();
    case TnTipoCampo::DataHora:
        if (valor.typeId() == QMetaType::QString) {
            bool ok = false;
            const QDateTime momento = Valores::LerDataHora(valor.toString(), &ok);
            return ok ? QVariant(momento) : valor;
        }
        return Valores::ParaDataHora(valor);
    case TnTipoCampo::Texto:
        return valor.typeId() == QMetaType::QString ? valor : QVariant(valor.toString());
    case TnTipoCampo::Booleano:
        return valor.toBool();
    case TnTipoCampo::Desconhecido:
        break;
    }
    return valor;
}

// The driver's text, except where Qt's SQLite driver reports in words that
// explain nothing to the person who typed the statement ("not an error").
QString TextoDoErro(const QSqlError& erro)
{
    if (erro.driverText() == u"Unable to execute multiple statements at a time")
        return QStringLiteral("Execute um comando SQL por vez.");
    if (erro.databaseText() == u"No query")
        return QStringLiteral("O comando SQL está vazio.");
    return erro.text();
}

// The database's rule that refused the statement: a unique or primary key
// (PostgreSQL's SQLSTATE 23505, SQLite's extended codes 2067 and 1555) or a
// foreign key (23503, SQLite's 787), or their text where the driver gives the
// primary code only.
TnRegraBanco RegraQueRecusou(const QSqlError& erro)
{
    const QString codigo = erro.nativeErrorCode();
    if (codigo == u"23505" || codigo == u"2067" || codigo == u"1555"
        || erro.databaseText().contains(QStringLiteral("UNIQUE constraint failed")))
        return TnRegraBanco::ChaveDuplicada;
    if (codigo == u"23503" || codigo == u"787" || erro.databaseText().contains(QStringLiteral("FOREIGN KEY constraint failed")))
        return TnRegraBanco::Referencia;
    return TnRegraBanco::Nenhuma;
}

// A refused foreign key told in the user's words: what he tried to delete
// is still named elsewhere, or what he saved names something missing.
QString TextoDaReferencia(const QString& comando)
{
    if (comando.trimmed().startsWith(QStringLiteral("delete"), Qt::CaseInsensitive))
        return QStringLiteral("Este registro não pode ser excluído: outros registros dependem dele.");
    return QStringLiteral("O registro não pode ser gravado: ele se refere a um registro que não existe.");
}

} // namespace

// --- TnSQLField -------------------------------------------------------------

const QString& TnSQLField::FieldName() const
{
    return m_dataSet->Coluna(m_indice).nome;
}

TnTipoCampo TnSQLField::DataType() const
{
    return m_dataSet->Coluna(m_indice).tipo;
}

QVariant TnSQLField::Value() const
{
    if (m_indice < 0)
        throw EnErro(QStringLiteral("Campo inexistente no resultado."));
    if (m_dataSet->Eof() && m_dataSet->Bof())
        return QVariant();
    return m_dataSet->Valor(m_dataSet->RecNo(), m_indice);
}

bool TnSQLField::IsNull() const
{
    return Value().isNull();
}

QString TnSQLField::AsString() const
{
    return Valores::TextoPadrao(Value());
}

qint64 TnSQLField::AsLargeInt() const
{
    return Valores::ParaInteiro(Value());
}

int TnSQLField::AsInteger() const
{
    return static_cast<int>(AsLargeInt());
}

double TnSQLField::AsFloat() const
{
    return Valores::ParaFloat(Value());
}

TnDecimal TnSQLField::AsDecimal() const
{
    const QVariant valor = Value();
    const int escala = m_dataSet->Coluna(m_indice).escala;
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>();
    return Valores::ParaDecimal(valor, escala > 0 ? escala : 0);
}

QDateTime TnSQLField::AsDateTime() const
{
    return Valores::ParaDataHora(Value());
}

QDate TnSQLField::AsDate() const
{
    return Valores::ParaData(Value());
}

// --- TnSQLDataSet -----------------------------------------------------------

TnSQLDataSet::TnSQLDataSet(nDMConexao& conexao) : m_conexao(conexao) {}

TnSQLDataSet::~TnSQLDataSet() = default;

void TnSQLDataSet::SetCommandText(const QString& comando)
{
    Close();
    Unprepare();
    m_comando = comando;
    m_posicional = ConverterParametros(comando);
    m_params.clear();
    for (const QString& nome : std::as_const(m_posicional.nomes))
        m_params.append(TnParam(nome));
}

TnParam& TnSQLDataSet::Params(int indice)
{
    if (indice < 0 || indice >= m_params.size())
        throw EnErro(QStringLiteral("O comando tem %1 parâmetro(s); não existe o parâmetro %2.")
                         .arg(m_params.size())
                         .arg(indice + 1));
    return m_params[indice];
}

TnParam* TnSQLDataSet::FindParam(const QString& nome)
{
    for (TnParam& param : m_params) {
        if (param.Name().compare(nome, Qt::CaseInsensitive) == 0)
            return &param;
    }
    return nullptr;
}

TnParam& TnSQLDataSet::ParamByName(const QString& nome)
{
    if (TnParam* param = FindParam(nome))
        return *param;
    throw EnErro(QStringLiteral("Parâmetro '%1' não encontrado no comando.").arg(nome));
}

void TnSQLDataSet::SetParamValues(const QVariantList& valores)
{
    if (valores.size() > m_params.size())
        throw EnErro(QStringLiteral("O comando tem %1 parâmetro(s) e recebeu %2 valor(es).")
                         .arg(m_params.size())
                         .arg(valores.size()));
    for (qsizetype i = 0; i < valores.size(); ++i)
        m_params[i].SetValue(valores[i]);
}

void TnSQLDataSet::Prepare()
{
    if (m_prepararDeNovo) {
        m_prepararDeNovo = false;
        Unprepare();
    }
    if (m_consulta)
        return;
    if (m_comando.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Comando SQL vazio."));
    auto consulta = std::make_unique<QSqlQuery>(m_conexao.Database());
    consulta->setForwardOnly(true);
    // Exact numerics from PostgreSQL; SQLite's REAL values are rounded to the
    // declared scale when read.
    consulta->setNumericalPrecisionPolicy(m_conexao.Banco() == TnBanco::PostgreSQL
                                              ? QSql::HighPrecision
                                              : QSql::LowPrecisionDouble);
    // PostgreSQL cannot PREPARE every statement (DDL, for one); a statement
    // without parameters gains nothing from it and is sent as it stands.
    m_direto = m_conexao.Banco() == TnBanco::PostgreSQL && m_posicional.nomes.isEmpty();
    if (!m_direto && !consulta->prepare(m_posicional.texto))
        throw EnSQL(TextoDoErro(consulta->lastError()), m_comando);
    m_consulta = std::move(consulta);
}

void TnSQLDataSet::Unprepare()
{
    m_consulta.reset();
}

void TnSQLDataSet::Executar()
{
    Prepare();
    nDMConexao::AvisarComando(m_comando);
    for (qsizetype i = 0; i < m_posicional.posicoes.size(); ++i)
        m_consulta->bindValue(static_cast<int>(i), Valores::ParaBanco(m_params[m_posicional.posicoes[i]].Value()));
    if (!(m_direto ? m_consulta->exec(m_posicional.texto) : m_consulta->exec())) {
        const QSqlError erro = m_consulta->lastError();
        // A failed prepared statement may be left unusable (PostgreSQL): it is
        // prepared anew next time, once the failed transaction is over (freeing
        // it now would fail too).
        m_prepararDeNovo = true;
        const TnRegraBanco regra = RegraQueRecusou(erro);
        throw EnSQL(regra == TnRegraBanco::Referencia ? TextoDaReferencia(m_comando) : TextoDoErro(erro), m_comando, regra);
    }
}

void TnSQLDataSet::Open()
{
    Close();
    Executar();
    LerColunas();
    LerLinhas();
    m_consulta->finish();
    m_ativo = true;
    First();
}

void TnSQLDataSet::LerLinhaALinha(const std::function<void()>& colunas, const std::function<void(const QVariantList& valores)>& linha)
{
    Close();
    Executar();
    // A reader that refuses a row leaves the statement ready for the next run.
    const auto terminar = qScopeGuard([this] {
        m_consulta->finish();
        m_colunas.clear();
    });
    LerColunas();
    colunas();
    Percorrer(linha, false);
}

void TnSQLDataSet::Close()
{
    m_ativo = false;
    m_colunas.clear();
    m_valores.clear();
    m_linhas = 0;
    m_atual = -1;
    m_eof = m_bof = true;
}

int TnSQLDataSet::ExecSQL()
{
    Close();
    Executar();
    const int afetadas = m_consulta->numRowsAffected();
    m_consulta->finish();
    return afetadas;
}

void TnSQLDataSet::LerColunas()
{
    const QSqlRecord registro = m_consulta->record();
    sqlite3_stmt* comandoSQLite = nullptr;
    if (m_conexao.Banco() == TnBanco::SQLite) {
        const QVariant handle = m_consulta->result()->handle();
        if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0)
            comandoSQLite = *static_cast<sqlite3_stmt* const*>(handle.constData());
    }
    m_colunas.clear();
    for (int i = 0; i < registro.count(); ++i) {
        const QString nome = registro.fieldName(i).toUpper();
        m_colunas.append(m_conexao.Banco() == TnBanco::SQLite ? ColunaSQLite(comandoSQLite, i, nome)
                                                               : ColunaPostgreSQL(registro.field(i), nome));
    }
}

void TnSQLDataSet::LerLinhas()
{
    Percorrer([this](const QVariantList& valores) {
        m_valores.append(valores);
        ++m_linhas;
    }, true);
}

void TnSQLDataSet::Percorrer(const std::function<void(const QVariantList& valores)>& linha, bool normalizar)
{
    const int colunas = FieldCount();
    QVariantList valores(colunas);
    while (m_consulta->next()) {
        for (int c = 0; c < colunas; ++c)
            valores[c] = normalizar ? Normalizar(m_consulta->value(c), m_colunas[c]) : m_consulta->value(c);
        linha(valores);
    }
    if (m_consulta->lastError().isValid())
        throw EnSQL(TextoDoErro(m_consulta->lastError()), m_comando);
}

void TnSQLDataSet::First()
{
    m_atual = m_linhas > 0 ? 0 : -1;
    m_bof = true;
    m_eof = m_linhas == 0;
}

void TnSQLDataSet::Next()
{
    if (m_eof)
        return;
    m_bof = false;
    if (m_atual + 1 >= m_linhas) {
        m_eof = true;
        return;
    }
    ++m_atual;
}

void TnSQLDataSet::Prior()
{
    if (m_bof)
        return;
    m_eof = false;
    if (m_atual <= 0) {
        m_bof = true;
        return;
    }
    --m_atual;
}

void TnSQLDataSet::Last()
{
    m_atual = m_linhas - 1;
    m_eof = true;
    m_bof = m_linhas == 0;
    if (m_linhas > 0)
        m_eof = false;
}

const TnColunaResultado& TnSQLDataSet::Coluna(int indice) const
{
    if (indice < 0 || indice >= m_colunas.size())
        throw EnErro(QStringLiteral("Coluna %1 inexistente no resultado.").arg(indice));
    return m_colunas[indice];
}

int TnSQLDataSet::FieldIndex(const QString& nome) const
{
    for (qsizetype i = 0; i < m_colunas.size(); ++i) {
        if (m_colunas[i].nome.compare(nome, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

TnSQLField TnSQLDataSet::FieldByName(const QString& nome) const
{
    const int indice = FieldIndex(nome);
    if (indice < 0)
        throw EnErro(QStringLiteral("Campo '%1' não encontrado no resultado.").arg(nome));
    return TnSQLField(*this, indice);
}

TnSQLField TnSQLDataSet::FindField(const QString& nome) const
{
    return TnSQLField(*this, FieldIndex(nome));
}

TnSQLField TnSQLDataSet::Fields(int indice) const
{
    Coluna(indice);
    return TnSQLField(*this, indice);
}

QVariant TnSQLDataSet::Valor(int linha, int coluna) const
{
    Coluna(coluna);  // validates the index
    if (linha < 0 || linha >= m_linhas)
        return QVariant();
    return m_valores[static_cast<qsizetype>(linha) * FieldCount() + coluna];
}
