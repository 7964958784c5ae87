#include "conexao.h"

#include "erros.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <QUrlQuery>

namespace {

QString NovoNomeConexao()
{
    static QAtomicInt contador;
    return QStringLiteral("lyr-%1").arg(contador.fetchAndAddRelaxed(1) + 1);
}

void ValidarTransacao(int transacao)
{
    if (transacao != 1)
        throw EnErro(QStringLiteral("Transação %1 não existe; use a transação 1.").arg(transacao));
}

TnConfigBanco LerUrlPostgreSQL(const QString& texto)
{
    const QUrl url(texto);
    if (!url.isValid())
        throw EnErro(QStringLiteral("Endereço de banco de dados inválido: %1").arg(texto));
    TnConfigBanco config;
    config.banco = TnBanco::PostgreSQL;
    config.servidor = url.host().isEmpty() ? QStringLiteral("localhost") : url.host();
    config.porta = url.port(5432);
    config.nomeBanco = url.path().mid(1);
    config.usuario = url.userName();
    config.senha = url.password();
    config.esquema = QUrlQuery(url).queryItemValue(QStringLiteral("schema"));
    return config;
}

TnConfigBanco LerPalavrasPostgreSQL(const QString& texto)
{
    TnConfigBanco config;
    config.banco = TnBanco::PostgreSQL;
    config.servidor = QStringLiteral("localhost");
    const QStringList partes = texto.split(u' ', Qt::SkipEmptyParts);
    for (const QString& parte : partes) {
        const qsizetype igual = parte.indexOf(u'=');
        if (igual <= 0)
            throw EnErro(QStringLiteral("Parâmetro de conexão inválido: %1").arg(parte));
        const QString chave = parte.left(igual).toLower();
        const QString valor = parte.mid(igual + 1);
        if (chave == u"host")
            config.servidor = valor;
        else if (chave == u"port")
            config.porta = valor.toInt();
        else if (chave == u"dbname")
            config.nomeBanco = valor;
        else if (chave == u"user")
            config.usuario = valor;
        else if (chave == u"password")
            config.senha = valor;
        else if (chave == u"schema")
            config.esquema = valor;
        else
            throw EnErro(QStringLiteral("Parâmetro de conexão desconhecido: %1").arg(chave));
    }
    return config;
}

} // namespace

TnConfigBanco TnConfigBanco::Ler(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.startsWith(u"postgresql://") || limpo.startsWith(u"postgres://"))
        return LerUrlPostgreSQL(limpo);
    if (limpo.contains(u'='))
        return LerPalavrasPostgreSQL(limpo);
    TnConfigBanco config;
    config.arquivo = limpo.startsWith(u"sqlite:") ? limpo.mid(7) : limpo;
    if (config.arquivo.isEmpty())
        config.arquivo = QStringLiteral("data/lyr.db");
    return config;
}

QString TnConfigBanco::Descrever() const
{
    if (banco == TnBanco::SQLite)
        return QStringLiteral("SQLite %1").arg(QFileInfo(arquivo).absoluteFilePath());
    QString texto = QStringLiteral("PostgreSQL %1@%2:%3/%4").arg(usuario, servidor).arg(porta).arg(nomeBanco);
    if (!esquema.isEmpty())
        texto += QStringLiteral(" (esquema %1)").arg(esquema);
    return texto;
}

nDMConexao::nDMConexao(const TnConfigBanco& config)
    : m_config(config), m_nomeConexao(NovoNomeConexao())
{
    if (m_config.banco == TnBanco::SQLite)
        AbrirSQLite();
    else
        AbrirPostgreSQL();
}

nDMConexao::~nDMConexao()
{
    {
        QSqlDatabase banco = QSqlDatabase::database(m_nomeConexao, false);
        if (banco.isOpen()) {
            if (m_profundidade > 0)
                banco.rollback();
            banco.close();
        }
    }
    QSqlDatabase::removeDatabase(m_nomeConexao);
}

QSqlDatabase nDMConexao::Database() const
{
    return QSqlDatabase::database(m_nomeConexao, false);
}

void nDMConexao::AbrirSQLite()
{
    const QFileInfo info(m_config.arquivo);
    if (!info.absoluteDir().exists() && !QDir().mkpath(info.absolutePath()))
        throw EnErro(QStringLiteral("Não foi possível criar a pasta %1.").arg(info.absolutePath()));
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomeConexao);
    banco.setDatabaseName(m_config.arquivo);
    banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!banco.open())
        throw EnErro(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                         .arg(m_config.arquivo, banco.lastError().text()));
    // WAL lets the screens read while a long process writes.
    Executar(QStringLiteral("PRAGMA journal_mode=WAL"));
    Executar(QStringLiteral("PRAGMA synchronous=NORMAL"));
}

void nDMConexao::AbrirPostgreSQL()
{
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), m_nomeConexao);
    banco.setHostName(m_config.servidor);
    banco.setPort(m_config.porta);
    banco.setDatabaseName(m_config.nomeBanco);
    banco.setUserName(m_config.usuario);
    banco.setPassword(m_config.senha);
    if (!banco.open())
        throw EnErro(QStringLiteral("Não foi possível conectar ao PostgreSQL (%1): %2")
                         .arg(m_config.Descrever(), banco.lastError().text()));
    Executar(QStringLiteral("SET client_min_messages TO warning"));
    if (!m_config.esquema.isEmpty()) {
        Executar(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(m_config.esquema));
        Executar(QStringLiteral("SET search_path TO %1").arg(m_config.esquema));
    }
}

void nDMConexao::Executar(const QString& comando)
{
    QSqlQuery consulta(Database());
    if (!consulta.exec(comando))
        throw EnSQL(consulta.lastError().text(), comando);
}

void nDMConexao::StartTransaction(int transacao)
{
    ValidarTransacao(transacao);
    if (m_profundidade == 0 && !Database().transaction())
        throw EnSQL(QStringLiteral("Não foi possível iniciar a transação: %1").arg(Database().lastError().text()),
                    QStringLiteral("BEGIN"));
    ++m_profundidade;
}

void nDMConexao::Commit(int transacao)
{
    ValidarTransacao(transacao);
    if (m_profundidade == 0)
        throw EnErro(QStringLiteral("Não há transação aberta para confirmar."));
    if (m_profundidade == 1 && !Database().commit()) {
        const QString erro = Database().lastError().text();
        RollBack(transacao);
        throw EnSQL(QStringLiteral("Não foi possível confirmar a transação: %1").arg(erro), QStringLiteral("COMMIT"));
    }
    --m_profundidade;
}

void nDMConexao::RollBack(int transacao)
{
    ValidarTransacao(transacao);
    if (m_profundidade == 0)
        return;
    m_profundidade = 0;
    if (!Database().rollback())
        throw EnSQL(QStringLiteral("Não foi possível desfazer a transação: %1").arg(Database().lastError().text()),
                    QStringLiteral("ROLLBACK"));
}

bool nDMConexao::EmTransacao(int transacao) const
{
    return transacao == 1 && m_profundidade > 0;
}
