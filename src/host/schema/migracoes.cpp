#include "migracoes.h"

#include "erros.h"
#include "pacote.h"
#include "sqldataset.h"

#include <QDateTime>
#include <QDebug>
#include <QScopeGuard>

namespace {

const QString kTabelaVersoes = QStringLiteral("LYRVERSAOESQUEMA");
const QString kTabelaVersoesPacotes = QStringLiteral("LYRVERSAOPACOTE");

QString TipoSQL(const TnColuna& coluna)
{
    switch (coluna.tipo) {
    case TnTipoColuna::SmallInt:
        return QStringLiteral("SMALLINT");
    case TnTipoColuna::Integer:
        return QStringLiteral("INTEGER");
    case TnTipoColuna::BigInt:
        return QStringLiteral("BIGINT");
    case TnTipoColuna::Char:
        return QStringLiteral("CHAR(%1)").arg(coluna.tamanho);
    case TnTipoColuna::VarChar:
        return QStringLiteral("VARCHAR(%1)").arg(coluna.tamanho);
    case TnTipoColuna::Memo:
        return QStringLiteral("TEXT");
    case TnTipoColuna::Date:
        return QStringLiteral("DATE");
    case TnTipoColuna::Timestamp:
        return QStringLiteral("TIMESTAMP");
    case TnTipoColuna::Numeric:
        return QStringLiteral("NUMERIC(%1,%2)").arg(coluna.tamanho).arg(coluna.escala);
    case TnTipoColuna::Double:
        return QStringLiteral("DOUBLE PRECISION");
    }
    return {};
}

QStringList ComandosHost(TnBanco banco)
{
    QStringList comandos;
    for (const TnTabela& tabela : TabelasHost())
        comandos += ComandosCriarTabela(tabela, banco);
    for (const TnVisao& visao : VisoesHost())
        comandos.append(QStringLiteral("CREATE VIEW %1 AS %2").arg(visao.nome, visao.selecao));
    return comandos;
}

// The statements of the modules compare one-character flags with numbers
// ("ATIVO = 1"), as the databases they were born on allow. SQLite does by column affinity; PostgreSQL gets
// the operators here. char and varchar columns reach them through their
// implicit cast to text.
QStringList ComandosComparacaoTextoNumero(TnBanco banco)
{
    if (banco != TnBanco::PostgreSQL)
        return {};
    return {
        QStringLiteral("CREATE FUNCTION lyr_texto_igual_numero(texto text, numero integer) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE STRICT AS 'select texto = numero::text'"),
        QStringLiteral("CREATE FUNCTION lyr_texto_diferente_numero(texto text, numero integer) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE STRICT AS 'select texto <> numero::text'"),
        QStringLiteral("CREATE FUNCTION lyr_numero_igual_texto(numero integer, texto text) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE STRICT AS 'select texto = numero::text'"),
        QStringLiteral("CREATE FUNCTION lyr_numero_diferente_texto(numero integer, texto text) RETURNS boolean "
                       "LANGUAGE sql IMMUTABLE STRICT AS 'select texto <> numero::text'"),
        QStringLiteral("CREATE OPERATOR = (LEFTARG = text, RIGHTARG = integer, "
                       "FUNCTION = lyr_texto_igual_numero, COMMUTATOR = =, NEGATOR = <>)"),
        QStringLiteral("CREATE OPERATOR <> (LEFTARG = text, RIGHTARG = integer, "
                       "FUNCTION = lyr_texto_diferente_numero, COMMUTATOR = <>, NEGATOR = =)"),
        QStringLiteral("CREATE OPERATOR = (LEFTARG = integer, RIGHTARG = text, "
                       "FUNCTION = lyr_numero_igual_texto, COMMUTATOR = =, NEGATOR = <>)"),
        QStringLiteral("CREATE OPERATOR <> (LEFTARG = integer, RIGHTARG = text, "
                       "FUNCTION = lyr_numero_diferente_texto, COMMUTATOR = <>, NEGATOR = =)"),
    };
}

void Executar(nDMConexao& conexao, const QString& comando)
{
    TnSQLDataSet execucao(conexao);
    execucao.SetCommandText(comando);
    execucao.ExecSQL();
}

QString NomeDaReferencia(const TnTabela& tabela, qsizetype indice)
{
    return QStringLiteral("FK_%1_%2").arg(tabela.nome).arg(indice + 1);
}

const TnTabela* TabelaReferida(const QString& nome, const QList<TnTabela>& vizinhas)
{
    if (const TnTabela* tabela = TabelaDoHost(nome))
        return tabela;
    return AcharTabela(vizinhas, nome);
}

QString DefinicaoDaReferencia(const TnTabela& tabela, qsizetype indice, const QList<TnTabela>& vizinhas = {})
{
    const TnReferencia& referencia = tabela.referencias[indice];
    const TnTabela* referida = TabelaReferida(referencia.tabela, vizinhas);
    if (!referida)
        throw EnErro(QStringLiteral("A tabela %1 se refere a %2, que não foi declarada.").arg(tabela.nome, referencia.tabela));
    return QStringLiteral("CONSTRAINT %1 FOREIGN KEY (%2) REFERENCES %3 (%4)%5")
        .arg(NomeDaReferencia(tabela, indice), referencia.colunas.join(u','), referida->nome, referida->chave.join(u','),
             referencia.cascata ? QStringLiteral(" ON DELETE CASCADE") : QString());
}

// The host's tables that declare foreign keys.
QList<const TnTabela*> TabelasComReferencias()
{
    QList<const TnTabela*> tabelas;
    for (const TnTabela& tabela : TabelasHost()) {
        if (!tabela.referencias.isEmpty())
            tabelas.append(&tabela);
    }
    return tabelas;
}

// Before the foreign keys are declared on a database that had none, rows
// that would break them are named, so that the office knows what to fix.
void ConferirReferencias(nDMConexao& conexao)
{
    QStringList quebradas;
    for (const TnTabela* tabela : TabelasComReferencias()) {
        for (const TnReferencia& referencia : tabela->referencias) {
            const TnTabela* referida = TabelaDoHost(referencia.tabela);
            QStringList preenchidas;
            QStringList iguais;
            for (qsizetype i = 0; i < referencia.colunas.size(); ++i) {
                preenchidas.append(QStringLiteral("F.%1 is not null").arg(referencia.colunas[i]));
                iguais.append(QStringLiteral("R.%1 = F.%2").arg(referida->chave.value(i), referencia.colunas[i]));
            }
            TnSQLDataSet contagem(conexao);
            contagem.SetCommandText(QStringLiteral("select count(*) from %1 F where %2 and not exists (select 1 from %3 R where %4)")
                                        .arg(tabela->nome, preenchidas.join(QStringLiteral(" and ")), referida->nome,
                                             iguais.join(QStringLiteral(" and "))));
            contagem.Open();
            if (const int linhas = contagem.Fields(0).AsInteger(); linhas > 0)
                quebradas.append(QStringLiteral("%1 linha(s) de %2 com %3 inexistente em %4")
                                     .arg(linhas)
                                     .arg(tabela->nome, referencia.colunas.join(u'/'), referida->nome));
        }
    }
    if (!quebradas.isEmpty())
        throw EnErro(QStringLiteral("há registros que apontam para registros inexistentes: %1. Corrija-os e abra o banco de novo.")
                         .arg(quebradas.join(QStringLiteral("; "))));
}

// What SQLite's own check finds after a step run with the foreign keys off.
void ConferirChavesSQLite(nDMConexao& conexao)
{
    TnSQLDataSet quebradas(conexao);
    quebradas.SetCommandText(QStringLiteral("PRAGMA foreign_key_check"));
    quebradas.Open();
    if (!quebradas.Eof())
        throw EnErro(QStringLiteral("a tabela %1 tem registros que apontam para registros inexistentes em %2.")
                         .arg(quebradas.Fields(0).AsString(), quebradas.Fields(2).AsString()));
}

// SQLite cannot add a constraint to a table: each table with foreign keys is
// built again from its declaration and its rows copied over (the migrator
// runs SQLite steps with the foreign keys off, as the rebuild requires).
// PostgreSQL adds them in place; dropping first makes the step safe to run
// on tables created with them.
QStringList ComandosReferencias(TnBanco banco)
{
    QStringList comandos;
    for (const TnTabela* tabela : TabelasComReferencias()) {
        if (banco == TnBanco::SQLite) {
            TnTabela nova = *tabela;
            nova.nome = tabela->nome + QStringLiteral("_NOVA");
            nova.indices.clear();
            QStringList colunas;
            for (const TnColuna& coluna : tabela->colunas)
                colunas.append(coluna.nome);
            comandos += ComandosCriarTabela(nova, banco);
            comandos.append(QStringLiteral("INSERT INTO %1 (%2) SELECT %2 FROM %3").arg(nova.nome, colunas.join(u','), tabela->nome));
            comandos.append(QStringLiteral("DROP TABLE %1").arg(tabela->nome));
            comandos.append(QStringLiteral("ALTER TABLE %1 RENAME TO %2").arg(nova.nome, tabela->nome));
            comandos += ComandosCriarTabela(*tabela, banco).mid(1);  // its indexes
            continue;
        }
        for (qsizetype i = 0; i < tabela->referencias.size(); ++i) {
            comandos.append(QStringLiteral("ALTER TABLE %1 DROP CONSTRAINT IF EXISTS %2").arg(tabela->nome, NomeDaReferencia(*tabela, i)));
            comandos.append(QStringLiteral("ALTER TABLE %1 ADD %2").arg(tabela->nome, DefinicaoDaReferencia(*tabela, i)));
        }
    }
    return comandos;
}

} // namespace

const TnTabela* TabelaDoHost(const QString& nome)
{
    return AcharTabela(TabelasHost(), nome);
}

QStringList ComandosCriarTabela(const TnTabela& tabela, TnBanco banco, const QList<TnTabela>& vizinhas)
{
    Q_UNUSED(banco);  // the declared types read the same on both databases
    QStringList definicoes;
    for (const TnColuna& coluna : tabela.colunas) {
        QString definicao = coluna.nome + u' ' + TipoSQL(coluna);
        if (!coluna.padrao.isEmpty())
            definicao += QStringLiteral(" DEFAULT ") + coluna.padrao;
        if (coluna.obrigatoria)
            definicao += QStringLiteral(" NOT NULL");
        definicoes.append(definicao);
    }
    if (!tabela.chave.isEmpty())
        definicoes.append(QStringLiteral("CONSTRAINT PK_%1 PRIMARY KEY (%2)").arg(tabela.nome, tabela.chave.join(u',')));
    for (qsizetype i = 0; i < tabela.referencias.size(); ++i)
        definicoes.append(DefinicaoDaReferencia(tabela, i, vizinhas));
    QStringList comandos{QStringLiteral("CREATE TABLE %1 (\n  %2\n)").arg(tabela.nome, definicoes.join(QStringLiteral(",\n  ")))};
    int numero = 0;
    for (const TnIndice& indice : tabela.indices) {
        comandos.append(QStringLiteral("CREATE %1INDEX %2_%3%4 ON %2 (%5)")
                            .arg(indice.unico ? QStringLiteral("UNIQUE ") : QString(), tabela.nome,
                                 indice.unico ? QStringLiteral("UK") : QStringLiteral("IX"))
                            .arg(++numero)
                            .arg(indice.colunas.join(u',')));
    }
    return comandos;
}

const QList<TnMigracao>& Migracoes()
{
    static const QList<TnMigracao> migracoes = {
        {1, QStringLiteral("Cadastros do host"), {}, ComandosHost},
        // Version 2 created a module's tables while the host still knew them;
        // their package creates them now (and adopts those it finds).
        {3, QStringLiteral("Comparação de indicadores de texto com números"), {}, ComandosComparacaoTextoNumero},
        {4, QStringLiteral("Chaves estrangeiras"), {}, ComandosReferencias, ConferirReferencias},
    };
    return migracoes;
}

int TnMigrador::VersaoMaisRecente()
{
    return Migracoes().constLast().versao;
}

void TnMigrador::CriarTabelasDeVersoes()
{
    Executar(m_conexao, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (VERSAO INTEGER NOT NULL PRIMARY KEY, "
                                       "DESCRICAO VARCHAR(200) NOT NULL, APLICADAEM TIMESTAMP NOT NULL)")
                            .arg(kTabelaVersoes));
    Executar(m_conexao, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (PACOTE VARCHAR(60) NOT NULL, VERSAO INTEGER NOT NULL, "
                                       "DESCRICAO VARCHAR(200) NOT NULL, APLICADAEM TIMESTAMP NOT NULL, "
                                       "PRIMARY KEY (PACOTE, VERSAO))")
                            .arg(kTabelaVersoesPacotes));
}

int TnMigrador::VersaoAtual()
{
    CriarTabelasDeVersoes();
    return LerVersao({});
}

int TnMigrador::VersaoDoPacote(const QString& pacote)
{
    CriarTabelasDeVersoes();
    return LerVersao(pacote);
}

// The host's version when `pacote` is empty.
int TnMigrador::LerVersao(const QString& pacote)
{
    TnSQLDataSet consulta(m_conexao);
    if (pacote.isEmpty()) {
        consulta.SetCommandText(QStringLiteral("select max(VERSAO) from %1").arg(kTabelaVersoes));
    } else {
        consulta.SetCommandText(QStringLiteral("select max(VERSAO) from %1 where PACOTE = :p").arg(kTabelaVersoesPacotes));
        consulta.SetParamValues({pacote});
    }
    consulta.Open();
    return consulta.Fields(0).AsInteger();
}

// A SQLite file with tables but no schema versions belongs to some other
// program: migrating it would bury our tables among its own. (A PostgreSQL
// database is made for Lyr by its administrator, and may hold other things.)
void TnMigrador::RecusarBancoAlheio()
{
    if (m_conexao.Banco() != TnBanco::SQLite)
        return;
    TnSQLDataSet tabelas(m_conexao);
    tabelas.SetCommandText(QStringLiteral("select count(*), sum(case when upper(name) = '%1' then 1 else 0 end) "
                                          "from sqlite_master where type = 'table' and name not like 'sqlite%'")
                               .arg(kTabelaVersoes));
    tabelas.Open();
    if (tabelas.Fields(0).AsInteger() > 0 && tabelas.Fields(1).AsInteger() == 0)
        throw EnErro(QStringLiteral("O arquivo %1 não é um banco do Lyr.").arg(m_conexao.Config().arquivo));
}

bool TnMigrador::Aplicar(const TnMigracao& migracao, const QString& pacote, const QList<TnTabela>& tabelas)
{
    // SQLite rebuilds tables only with the foreign keys off, and turns
    // them off only outside a transaction; the step checks them itself
    // before it commits.
    const bool sqlite = m_conexao.Banco() == TnBanco::SQLite;
    if (sqlite)
        Executar(m_conexao, QStringLiteral("PRAGMA foreign_keys = OFF"));
    const auto religar = qScopeGuard([&] {
        if (!sqlite)
            return;
        try {
            Executar(m_conexao, QStringLiteral("PRAGMA foreign_keys = ON"));
        } catch (const EnErro& erro) {
            qWarning().noquote() << erro.Mensagem();
        }
    });
    const QString versoes = pacote.isEmpty() ? kTabelaVersoes : kTabelaVersoesPacotes;
    m_conexao.StartTransaction();
    try {
        // Two instances starting together on a server: the second waits here
        // and then sees the step already applied.
        if (m_conexao.Banco() == TnBanco::PostgreSQL)
            Executar(m_conexao, QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(versoes));
        if (LerVersao(pacote) >= migracao.versao) {
            m_conexao.Commit();
            return false;
        }
        if (!migracao.jaFeita || !migracao.jaFeita(m_conexao)) {
            if (migracao.conferir)
                migracao.conferir(m_conexao);
            for (const QString& nome : migracao.criarTabelas) {
                for (const QString& comando : ComandosCriarTabela(*AcharTabela(tabelas, nome), m_conexao.Banco(), tabelas))
                    Executar(m_conexao, comando);
            }
            if (migracao.comandos) {
                for (const QString& comando : migracao.comandos(m_conexao.Banco()))
                    Executar(m_conexao, comando);
            }
            if (sqlite)
                ConferirChavesSQLite(m_conexao);
        }
        TnSQLDataSet registro(m_conexao);
        if (pacote.isEmpty()) {
            registro.SetCommandText(QStringLiteral("insert into %1 (VERSAO, DESCRICAO, APLICADAEM) values (:v, :d, :a)").arg(versoes));
            registro.SetParamValues({migracao.versao, migracao.descricao, QDateTime::currentDateTime()});
        } else {
            registro.SetCommandText(
                QStringLiteral("insert into %1 (PACOTE, VERSAO, DESCRICAO, APLICADAEM) values (:p, :v, :d, :a)").arg(versoes));
            registro.SetParamValues({pacote, migracao.versao, migracao.descricao, QDateTime::currentDateTime()});
        }
        registro.ExecSQL();
        m_conexao.Commit();
        return true;
    } catch (const EnErro& erro) {
        m_conexao.RollBack();
        const QString dono = pacote.isEmpty() ? QString() : QStringLiteral(" do pacote %1").arg(pacote);
        throw EnErro(QStringLiteral("Não foi possível atualizar o banco de dados para a versão %1%2 (%3): %4")
                         .arg(migracao.versao)
                         .arg(dono, migracao.descricao, erro.Mensagem()));
    }
}

int TnMigrador::Atualizar(int ateVersao)
{
    RecusarBancoAlheio();
    CriarTabelasDeVersoes();
    int aplicadas = 0;
    for (const TnMigracao& migracao : Migracoes()) {
        if (migracao.versao > ateVersao)
            return aplicadas;
        aplicadas += Aplicar(migracao, {}, {}) ? 1 : 0;
    }
    // The packages' tables stand on the host's whole schema.
    if (ateVersao < VersaoMaisRecente())
        return aplicadas;
    for (const TnDescricaoPacote* pacote : std::as_const(m_pacotes)) {
        for (const TnMigracao& migracao : pacote->migracoes)
            aplicadas += Aplicar(migracao, pacote->nome, pacote->tabelas) ? 1 : 0;
    }
    return aplicadas;
}
