#include "conexao.h"

#include "erros.h"

#include <QAtomicInt>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
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

// Refuses, before SQLite sees it, a file SQLite would either create where the
// user did not mean (a mistyped folder) or answer with its own English
// ("file is not a database"). An empty file is a new database.
void ConferirArquivoSQLite(const QString& arquivo)
{
    // SQLite's in-memory database has no file (and QFileInfo would take the
    // name for a Qt resource).
    if (arquivo == u":memory:")
        return;
    const QFileInfo info(arquivo);
    if (!info.absoluteDir().exists()) {
        if (QFileInfo(info.absolutePath()).isFile())
            throw EnErro(QStringLiteral("%1 é um arquivo, não uma pasta.").arg(info.absolutePath()));
        throw EnErro(QStringLiteral("A pasta %1 não existe.").arg(info.absolutePath()));
    }
    if (info.isDir())
        throw EnErro(QStringLiteral("%1 é uma pasta. Informe o arquivo do banco de dados.").arg(arquivo));
    if (!info.exists()) {
        if (!QFileInfo(info.absolutePath()).isWritable())
            throw EnErro(QStringLiteral("Sem permissão para criar o banco de dados na pasta %1.").arg(info.absolutePath()));
        return;
    }
    QFile arquivoBanco(arquivo);
    if (!arquivoBanco.open(QIODevice::ReadOnly))
        throw EnErro(QStringLiteral("Sem permissão para ler o arquivo %1.").arg(arquivo));
    if (arquivoBanco.size() == 0)
        return;
    static const QByteArray cabecalho("SQLite format 3\0", 16);
    if (arquivoBanco.read(cabecalho.size()) != cabecalho)
        throw EnErro(QStringLiteral("O arquivo %1 não é um banco do Lyr.").arg(arquivo));
    if (!info.isWritable())
        throw EnErro(QStringLiteral("Sem permissão para gravar no arquivo %1.").arg(arquivo));
}

} // namespace

TnConfigBanco TnConfigBanco::Ler(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.startsWith(u"postgresql://") || limpo.startsWith(u"postgres://"))
        return LerUrlPostgreSQL(limpo);
    // Any other address would otherwise be taken for a file name and become
    // an empty office in a folder called "mysql:".
    static const QRegularExpression outroEndereco(QStringLiteral("^([A-Za-z][A-Za-z0-9+.-]*)://"));
    if (const QRegularExpressionMatch endereco = outroEndereco.match(limpo); endereco.hasMatch())
        throw EnErro(QStringLiteral("O Lyr não usa bancos %1://. Informe um arquivo SQLite ou um endereço postgresql://.")
                         .arg(endereco.captured(1)));
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
    ConferirArquivoSQLite(m_config.arquivo);
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomeConexao);
    banco.setDatabaseName(m_config.arquivo);
    banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!banco.open())
        throw EnErro(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                         .arg(m_config.arquivo, banco.lastError().text()));
    // SQLite reads the file only at the first statement: a damaged file shows here.
    try {
        // WAL lets the screens read while a long process writes.
        Executar(QStringLiteral("PRAGMA journal_mode=WAL"));
        Executar(QStringLiteral("PRAGMA synchronous=NORMAL"));
        // SQLite keeps the declared foreign keys only when each connection asks.
        Executar(QStringLiteral("PRAGMA foreign_keys=ON"));
    } catch (const EnSQL& erro) {
        throw EnErro(QStringLiteral("Não foi possível abrir o banco de dados %1: %2").arg(m_config.arquivo, erro.Mensagem()));
    }
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

namespace {

nDMConexao::TnObservadorComandos& ObservadorComandos()
{
    static nDMConexao::TnObservadorComandos observador;
    return observador;
}

} // namespace

void nDMConexao::SetObservadorComandos(TnObservadorComandos observador)
{
    ObservadorComandos() = std::move(observador);
}

void nDMConexao::AvisarComando(const QString& comando)
{
    if (const TnObservadorComandos& observador = ObservadorComandos())
        observador(comando);
}

void nDMConexao::Executar(const QString& comando)
{
    AvisarComando(comando);
    QSqlQuery consulta(Database());
    if (!consulta.exec(comando))
        throw EnSQL(consulta.lastError().text(), comando);
}

void nDMConexao::StartTransaction(int transacao)
{
    ValidarTransacao(transacao);
    if (m_profundidade == 0) {
        // SQLite: the write lock is taken at the start (waiting for another
        // writer up to the busy timeout), so that what a save reads to number
        // its key is still true when it writes.
        if (Banco() == TnBanco::SQLite)
            Executar(QStringLiteral("BEGIN IMMEDIATE"));
        else if (!Database().transaction())
            throw EnSQL(QStringLiteral("Não foi possível iniciar a transação: %1").arg(Database().lastError().text()),
                        QStringLiteral("BEGIN"));
    }
    ++m_profundidade;
}

void nDMConexao::TravarNumeracao(const QString& tabela)
{
    if (Banco() != TnBanco::PostgreSQL || m_profundidade == 0)
        return;
    // A transaction-level advisory lock: released by the commit or rollback.
    const QString comando = QStringLiteral("select pg_advisory_xact_lock(hashtext(?))");
    AvisarComando(comando);
    QSqlQuery trava(Database());
    trava.prepare(comando);
    trava.addBindValue(QStringLiteral("lyr.numeracao.") + tabela.toUpper());
    if (!trava.exec())
        throw EnSQL(trava.lastError().text(), trava.lastQuery());
}

void nDMConexao::Commit(int transacao)
{
    ValidarTransacao(transacao);
    if (m_profundidade == 0)
        throw EnErro(QStringLiteral("Não há transação aberta para confirmar."));
    if (m_profundidade == 1)
        AvisarComando(QStringLiteral("COMMIT"));
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
