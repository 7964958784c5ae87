#include "migracoes.h"

#include "erros.h"
#include "esquema.h"
#include "sqldataset.h"

#include <QDateTime>

namespace {

const QString kTabelaVersoes = QStringLiteral("LYRVERSAOESQUEMA");

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

QStringList ComandosTabelas(const QList<TnTabela>& tabelas, TnBanco banco)
{
    QStringList comandos;
    for (const TnTabela& tabela : tabelas)
        comandos += ComandosCriarTabela(tabela, banco);
    return comandos;
}

QStringList ComandosHost(TnBanco banco)
{
    QStringList comandos = ComandosTabelas(TabelasHost(), banco);
    for (const TnVisao& visao : VisoesHost())
        comandos.append(QStringLiteral("CREATE VIEW %1 AS %2").arg(visao.nome, visao.selecao));
    return comandos;
}

// The statements of the module compare one-character flags with numbers
// ("CANCELADO = 0", "ARQUIVADO = 0", "GERARAUTO = 1"), as the databases the
// module was born on allow. SQLite does by column affinity; PostgreSQL gets
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

} // namespace

QStringList ComandosCriarTabela(const TnTabela& tabela, TnBanco banco)
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
        {1, QStringLiteral("Cadastros do host"), ComandosHost},
        {2, QStringLiteral("Tabelas do protocolo"),
         [](TnBanco banco) { return ComandosTabelas(TabelasProtocolo(), banco); }},
        {3, QStringLiteral("Comparação de indicadores de texto com números"), ComandosComparacaoTextoNumero},
    };
    return migracoes;
}

int TnMigrador::VersaoMaisRecente()
{
    return Migracoes().constLast().versao;
}

void TnMigrador::CriarTabelaDeVersoes()
{
    Executar(m_conexao, QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (VERSAO INTEGER NOT NULL PRIMARY KEY, "
                                       "DESCRICAO VARCHAR(200) NOT NULL, APLICADAEM TIMESTAMP NOT NULL)")
                            .arg(kTabelaVersoes));
}

int TnMigrador::VersaoAtual()
{
    CriarTabelaDeVersoes();
    return LerVersao();
}

int TnMigrador::LerVersao()
{
    TnSQLDataSet consulta(m_conexao);
    consulta.SetCommandText(QStringLiteral("select max(VERSAO) from %1").arg(kTabelaVersoes));
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

int TnMigrador::Atualizar(int ateVersao)
{
    RecusarBancoAlheio();
    CriarTabelaDeVersoes();
    int aplicadas = 0;
    for (const TnMigracao& migracao : Migracoes()) {
        if (migracao.versao > ateVersao)
            break;
        m_conexao.StartTransaction();
        try {
            // Two instances starting together on a server: the second waits here
            // and then sees the step already applied.
            if (m_conexao.Banco() == TnBanco::PostgreSQL)
                Executar(m_conexao, QStringLiteral("LOCK TABLE %1 IN EXCLUSIVE MODE").arg(kTabelaVersoes));
            if (LerVersao() >= migracao.versao) {
                m_conexao.Commit();
                continue;
            }
            for (const QString& comando : migracao.comandos(m_conexao.Banco()))
                Executar(m_conexao, comando);
            TnSQLDataSet registro(m_conexao);
            registro.SetCommandText(QStringLiteral("insert into %1 (VERSAO, DESCRICAO, APLICADAEM) values (:v, :d, :a)")
                                        .arg(kTabelaVersoes));
            registro.SetParamValues({migracao.versao, migracao.descricao, QDateTime::currentDateTime()});
            registro.ExecSQL();
            m_conexao.Commit();
            ++aplicadas;
        } catch (const EnErro& erro) {
            m_conexao.RollBack();
            throw EnErro(QStringLiteral("Não foi possível atualizar o banco de dados para a versão %1 (%2): %3")
                             .arg(migracao.versao)
                             .arg(migracao.descricao, erro.Mensagem()));
        }
    }
    return aplicadas;
}
