#include "sqlservicos.h"

#include "conexao.h"
#include "erros.h"
#include "host.h"
#include "listacampos.h"
#include "sqldataset.h"
#include "valores.h"

#include <QStringList>

namespace {

QString Citar(QString texto)
{
    texto.remove(QChar(0));
    return u'\'' + texto.replace(u'\'', QStringLiteral("''")) + u'\'';
}

QString TextoNumero(const QVariant& valor)
{
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ParaTexto();
    if (valor.typeId() == QMetaType::QString) {
        bool ok = false;
        const TnDecimal decimal = TnDecimal::DeTexto(valor.toString(), &ok);
        if (!ok)
            throw EnErro(QStringLiteral("'%1' não é um número válido.").arg(valor.toString()));
        return decimal.ParaTexto();
    }
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return Valores::TextoSQLDouble(valor.toDouble());
    return QString::number(Valores::ParaInteiro(valor));
}

TnTipoValor TipoDoValor(const QVariant& valor)
{
    if (Valores::EhInteiro(valor) || valor.typeId() == QMetaType::Bool)
        return TnTipoValor::Inteiro;
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return TnTipoValor::Data;
    case QMetaType::QDateTime:
        return TnTipoValor::DataHora;
    case QMetaType::Double:
    case QMetaType::Float:
        return TnTipoValor::Numero;
    default:
        return valor.metaType() == QMetaType::fromType<TnDecimal>() ? TnTipoValor::Numero : TnTipoValor::Texto;
    }
}

QString Onde(const QString& condicao)
{
    return condicao.trimmed().isEmpty() ? QString() : QStringLiteral(" where ") + condicao;
}

// One element of a selection: a single value or a range of whole numbers.
struct TnItemSelecao {
    QString inicio;
    QString fim;  // empty for a single value
    bool invertida = false;  // typed as "9-5"
};

TnItemSelecao LerItemSelecao(const QString& item)
{
    bool ok = false;
    item.toLongLong(&ok);
    if (ok)
        return {item, {}};
    const qsizetype hifen = item.indexOf(u'-', 1);
    if (hifen > 0) {
        bool okInicio = false;
        bool okFim = false;
        qint64 inicio = item.left(hifen).trimmed().toLongLong(&okInicio);
        qint64 fim = item.mid(hifen + 1).trimmed().toLongLong(&okFim);
        if (okInicio && okFim) {
            const bool invertida = fim < inicio;
            if (invertida)
                std::swap(inicio, fim);
            return {QString::number(inicio), QString::number(fim), invertida};
        }
    }
    return {Citar(item), {}};
}

} // namespace

QString ValorParaSQL(const QVariant& valor, TnTipoValor tipo)
{
    if (valor.isNull())
        return QStringLiteral("null");
    if (tipo == TnTipoValor::Automatico)
        tipo = TipoDoValor(valor);
    switch (tipo) {
    case TnTipoValor::Inteiro:
        if (valor.typeId() == QMetaType::Bool)
            return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
        return QString::number(Valores::ParaInteiro(valor));
    case TnTipoValor::Numero:
        return TextoNumero(valor);
    case TnTipoValor::Data:
        return Citar(Valores::TextoSQLData(Valores::ParaData(valor)));
    case TnTipoValor::DataHora:
        return Citar(Valores::TextoSQLDataHora(Valores::ParaDataHora(valor)));
    case TnTipoValor::Texto:
    case TnTipoValor::Automatico:
        break;
    }
    return Citar(valor.toString());
}

QString ValorParaSQL(const QString& coluna, const QString& operador, const QVariant& valor, TnTipoValor tipo)
{
    if (valor.isNull()) {
        if (operador.trimmed() == u"=")
            return coluna + QStringLiteral(" is null");
        if (operador.trimmed() == u"<>")
            return coluna + QStringLiteral(" is not null");
    }
    return coluna + u' ' + operador.trimmed() + u' ' + ValorParaSQL(valor, tipo);
}

QString ValorParaFiltro(const QVariant& valor, TnTipoValor tipo)
{
    // Dataset filters read the same literals as SQL.
    return ValorParaSQL(valor, tipo);
}

QString FilterInterval(const QString& coluna, const QString& selecao, bool comConjuncao)
{
    QStringList unicos;
    QStringList partes;
    for (const QString& item : DividirLista(selecao)) {
        const TnItemSelecao lido = LerItemSelecao(item);
        if (lido.fim.isEmpty())
            unicos.append(lido.inicio);
        else
            partes.append(QStringLiteral("%1 between %2 and %3").arg(coluna, lido.inicio, lido.fim));
    }
    if (unicos.size() == 1)
        partes.prepend(QStringLiteral("%1 = %2").arg(coluna, unicos.first()));
    else if (unicos.size() > 1)
        partes.prepend(QStringLiteral("%1 in (%2)").arg(coluna, unicos.join(u',')));
    if (partes.isEmpty())
        return QString();
    const QString condicao = u'(' + partes.join(QStringLiteral(" or ")) + u')';
    return comConjuncao ? QStringLiteral(" and    ") + condicao : condicao;
}

void ValidarSelecaoDeCodigos(const QString& selecao)
{
    for (const QString& item : DividirLista(selecao)) {
        const TnItemSelecao lido = LerItemSelecao(item);
        bool inicio = false;
        bool fim = lido.fim.isEmpty();
        lido.inicio.toLongLong(&inicio);
        if (!fim)
            lido.fim.toLongLong(&fim);
        if (!inicio || !fim)
            throw EnErro(QStringLiteral("\"%1\" não é um código nem uma faixa de códigos. Informe códigos e faixas como 1;3;5-9.").arg(item));
        if (lido.invertida)
            throw EnErro(QStringLiteral("A faixa \"%1\" termina antes de começar. Informe-a como %2-%3.").arg(item, lido.inicio, lido.fim));
    }
}

QVariant PegarValorCampo(const QString& tabela, const QString& colunas, const QString& condicao)
{
    // Split at ';' only: a column may be an expression with commas in it.
    const QStringList nomes = colunas.split(u';', Qt::SkipEmptyParts);
    TnSQLDataSet consulta(Conexao());
    consulta.SetCommandText(QStringLiteral("select %1 from %2%3 limit 1").arg(nomes.join(u','), tabela, Onde(condicao)));
    consulta.Open();
    if (nomes.size() == 1)
        return consulta.Fields(0).Value();
    QVariantList valores;
    for (int i = 0; i < consulta.FieldCount(); ++i)
        valores.append(consulta.Fields(i).Value());
    return valores;
}

bool PegarTemRegistro(const QString& tabela, const QString& coluna, const QString& condicao)
{
    TnSQLDataSet consulta(Conexao());
    consulta.SetCommandText(QStringLiteral("select %1 from %2%3 limit 1").arg(coluna, tabela, Onde(condicao)));
    consulta.Open();
    return !consulta.IsEmpty();
}

qint64 PegarProximoCodigo(const QString& tabela, const QString& coluna, const QString& condicao, qint64 inicial,
                          qint64 incremento)
{
    TnSQLDataSet consulta(Conexao());
    consulta.SetCommandText(QStringLiteral("select max(%1) from %2%3").arg(coluna, tabela, Onde(condicao)));
    consulta.Open();
    const TnSQLField maior = consulta.Fields(0);
    const qint64 base = maior.IsNull() ? inicial : std::max(maior.AsLargeInt(), inicial);
    return base + incremento;
}

qint64 PegarProximoCodigoFaixa(const QString& tabela, const QString& coluna, const QString& condicao, qint64 minimo,
                               qint64 maximo)
{
    QString faixa = QStringLiteral("%1 between %2 and %3").arg(coluna).arg(minimo).arg(maximo);
    if (!condicao.trimmed().isEmpty())
        faixa = QStringLiteral("(%1) and %2").arg(condicao, faixa);
    TnSQLDataSet consulta(Conexao());
    consulta.SetCommandText(QStringLiteral("select max(%1) from %2 where %3").arg(coluna, tabela, faixa));
    consulta.Open();
    const TnSQLField maior = consulta.Fields(0);
    const qint64 proximo = maior.IsNull() ? minimo : maior.AsLargeInt() + 1;
    if (proximo > maximo)
        throw EnErro(QStringLiteral("Não há código livre para %1 entre %2 e %3.").arg(coluna).arg(minimo).arg(maximo));
    return proximo;
}

int ExecutarSQLDireto(const QString& comando, const QVariantList& valores)
{
    TnSQLDataSet execucao(Conexao());
    execucao.SetCommandText(comando);
    execucao.SetParamValues(valores);
    return execucao.ExecSQL();
}

std::unique_ptr<TnSQLDataSet> ExecutarSQL(const QString& comando, const QVariantList& valores)
{
    auto consulta = std::make_unique<TnSQLDataSet>(Conexao());
    consulta->SetCommandText(comando);
    consulta->SetParamValues(valores);
    consulta->Open();
    return consulta;
}

void DestruirSQL(std::unique_ptr<TnSQLDataSet>& dataSet)
{
    if (dataSet)
        dataSet->Close();
    dataSet.reset();
}

void EmTransacao(const std::function<void()>& acao)
{
    nDMConexao& conexao = Conexao();
    conexao.StartTransaction();
    try {
        acao();
        conexao.Commit();
    } catch (...) {
        conexao.RollBack();
        throw;
    }
}

void GravarEmTransacao(const std::function<void()>& gravar)
{
    try {
        EmTransacao(gravar);
    } catch (const EnErro& erro) {
        throw EnErro(QStringLiteral("Operação cancelada! Não foi possível efetuar a operação!\n") + erro.Mensagem());
    }
}

bool TemColuna(nDMConexao& conexao, const QString& tabela, const QString& coluna)
{
    TnSQLDataSet consulta(conexao);
    if (conexao.Banco() == TnBanco::PostgreSQL) {
        consulta.SetCommandText(QStringLiteral("select count(*) from information_schema.columns where table_schema = current_schema() "
                                               "and upper(table_name) = upper(:t) and upper(column_name) = upper(:c)"));
    } else {
        consulta.SetCommandText(QStringLiteral("select count(*) from pragma_table_info(:t) where upper(name) = upper(:c)"));
    }
    consulta.SetParamValues({tabela, coluna});
    consulta.Open();
    return consulta.Fields(0).AsInteger() > 0;
}

bool TemTabela(nDMConexao& conexao, const QString& tabela)
{
    TnSQLDataSet consulta(conexao);
    if (conexao.Banco() == TnBanco::PostgreSQL) {
        consulta.SetCommandText(QStringLiteral("select count(*) from information_schema.tables "
                                               "where table_schema = current_schema() and upper(table_name) = upper(:t)"));
    } else {
        consulta.SetCommandText(QStringLiteral("select count(*) from sqlite_master where type = 'table' and upper(name) = upper(:t)"));
    }
    consulta.SetParamValues({tabela});
    consulta.Open();
    return consulta.Fields(0).AsInteger() > 0;
}
