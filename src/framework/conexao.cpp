#include "conexao.h"

#include "erros.h"

#include <QAtomicInt>
#include <QDir>
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

// SQLite's locks on the database file, its -wal and its -shm are POSIX
// advisory locks, and POSIX keeps them per process, not per descriptor: when
// any code of this process opens one of those files and closes it again,
// every lock the process holds on it is dropped without a word. Another
// process then takes itself for the last user, checkpoints and deletes the
// write-ahead log this one is still writing into: what this process writes
// afterwards is never seen by anybody, and the file ends corrupted. So nothing
// in the process opens those files outside SQLite: the checks below only look
// at the path (stat and access, which open nothing), whether the file is a
// database is asked of SQLite itself (AbrirSQLite), and the desktop's file
// dialogs never read the files they list.
//
// Refuses, before SQLite sees it, a path SQLite would either create where the
// user did not mean (a mistyped folder) or answer with its own English.
void ConferirCaminhoSQLite(const QString& arquivo)
{
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
    if (!info.isReadable())
        throw EnErro(QStringLiteral("Sem permissão para ler o arquivo %1.").arg(arquivo));
}

// SQLite's primary result code for "file is not a database".
constexpr int kSqliteNaoEhBanco = 26;

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
    try {
        if (m_config.banco == TnBanco::SQLite)
            AbrirSQLite();
        else
            AbrirPostgreSQL();
    } catch (...) {
        // No destructor runs for a connection that failed to open: close
        // what was opened (a refused SQLite file is still held by SQLite).
        Fechar();
        throw;
    }
}

nDMConexao::~nDMConexao()
{
    Fechar();
}

void nDMConexao::Fechar()
{
    {
        QSqlDatabase banco = QSqlDatabase::database(m_nomeConexao, false);
        if (banco.isOpen()) {
            if (m_profundidade > 0)
                banco.rollback();
            banco.close();
        }
    }
    if (QSqlDatabase::contains(m_nomeConexao))
        QSqlDatabase::removeDatabase(m_nomeConexao);
}

QStringList nDMConexao::ConferirIntegridade()
{
    // PostgreSQL keeps its own pages consistent (a damaged server is a matter
    // for pg_amcheck and the administrator); SQLite's file lives with the
    // office, and quick_check reads every page and index of it.
    if (Banco() != TnBanco::SQLite)
        return {};
    const QString comando = QStringLiteral("PRAGMA quick_check");
    AvisarComando(comando);
    QSqlQuery consulta(Database());
    if (!consulta.exec(comando))
        return {consulta.lastError().text()};
    QStringList problemas;
    while (consulta.next()) {
        const QString linha = consulta.value(0).toString();
        if (linha != u"ok")
            problemas.append(linha);
    }
    return problemas;
}

void nDMConexao::CopiarPara(const QString& destino)
{
    if (Banco() != TnBanco::SQLite)
        throw EnErro(QStringLiteral("A cópia do PostgreSQL é feita pelo servidor: use pg_dump."));
    const QFileInfo info(destino);
    if (EhArquivoDoBanco(destino))
        throw EnErro(QStringLiteral("%1 é um arquivo do próprio banco de dados. Informe outro arquivo para a cópia.").arg(destino));
    if (info.exists())
        throw EnErro(QStringLiteral("O arquivo %1 já existe. Informe um arquivo novo para a cópia.").arg(destino));
    if (!info.absoluteDir().exists())
        throw EnErro(QStringLiteral("A pasta %1 não existe.").arg(info.absolutePath()));
    if (!QFileInfo(info.absolutePath()).isWritable())
        throw EnErro(QStringLiteral("Sem permissão para gravar na pasta %1.").arg(info.absolutePath()));
    // VACUUM INTO writes a consistent copy from one read transaction, through
    // SQLite (see ConferirCaminhoSQLite): others keep reading and writing.
    const QString comando = QStringLiteral("VACUUM INTO ?");
    AvisarComando(comando);
    QSqlQuery copia(Database());
    copia.prepare(comando);
    copia.addBindValue(info.absoluteFilePath());
    if (!copia.exec())
        throw EnSQL(QStringLiteral("Não foi possível copiar o banco de dados para %1: %2").arg(destino, copia.lastError().text()),
                    comando);
}

bool nDMConexao::EhArquivoDoBanco(const QString& caminho) const
{
    if (Banco() != TnBanco::SQLite || m_config.arquivo == u":memory:")
        return false;
    // The folder resolved through its links, the names compared as SQLite
    // names its companions; nothing is opened.
    const auto normalizar = [](const QString& arquivo) {
        const QFileInfo info(arquivo);
        const QString pasta = QFileInfo(info.absolutePath()).canonicalFilePath();
        return (pasta.isEmpty() ? info.absolutePath() : pasta) + u'/' + info.fileName();
    };
    const QString banco = normalizar(m_config.arquivo);
    const QString alvo = normalizar(caminho);
    for (const char* sufixo : {"", "-wal", "-shm", "-journal"}) {
        if (alvo == banco + QLatin1String(sufixo))
            return true;
    }
    // A link to the database under another name.
    const QString real = QFileInfo(caminho).canonicalFilePath();
    return !real.isEmpty() && real == QFileInfo(m_config.arquivo).canonicalFilePath();
}

QSqlDatabase nDMConexao::Database() const
{
    return QSqlDatabase::database(m_nomeConexao, false);
}

void nDMConexao::AbrirSQLite()
{
    // SQLite's in-memory database has no file (and QFileInfo would take the
    // name for a Qt resource).
    const bool emArquivo = m_config.arquivo != u":memory:";
    if (emArquivo)
        ConferirCaminhoSQLite(m_config.arquivo);
    QSqlDatabase banco = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_nomeConexao);
    banco.setDatabaseName(m_config.arquivo);
    banco.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=5000"));
    if (!banco.open())
        throw EnErro(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                         .arg(m_config.arquivo, banco.lastError().text()));
    // SQLite reads the file only at the first statement: a file that is not a
    // database (or a damaged one) shows here. An empty file is a new database.
    {
        QSqlQuery leitura(banco);
        if (!leitura.exec(QStringLiteral("PRAGMA schema_version"))) {
            if (leitura.lastError().nativeErrorCode().toInt() == kSqliteNaoEhBanco)
                throw EnErro(QStringLiteral("O arquivo %1 não é um banco do Lyr.").arg(m_config.arquivo));
            throw EnErro(QStringLiteral("Não foi possível abrir o banco de dados %1: %2")
                             .arg(m_config.arquivo, leitura.lastError().text()));
        }
    }
    if (emArquivo && QFileInfo::exists(m_config.arquivo) && !QFileInfo(m_config.arquivo).isWritable())
        throw EnErro(QStringLiteral("Sem permissão para gravar no arquivo %1.").arg(m_config.arquivo));
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
