#include "bancoteste.h"

#include "sqlservicos.h"

#include "erros.h"
#include "migracoes.h"
#include "sqldataset.h"

#include <QRandomGenerator>
#include <QUrl>

TnBanco BancoDoTeste()
{
    const QString nome = qEnvironmentVariable("LYR_TEST_BACKEND", QStringLiteral("sqlite")).toLower();
    if (nome == u"postgresql")
        return TnBanco::PostgreSQL;
    if (nome != u"sqlite")
        throw EnErro(QStringLiteral("LYR_TEST_BACKEND deve ser sqlite ou postgresql, não %1.").arg(nome));
    return TnBanco::SQLite;
}

TnBancoTeste::TnBancoTeste()
{
    if (BancoDoTeste() == TnBanco::SQLite) {
        m_config.banco = TnBanco::SQLite;
        m_config.arquivo = m_pasta.filePath(QStringLiteral("teste.db"));
        return;
    }
    const QString endereco = qEnvironmentVariable("LYR_TEST_PG");
    if (endereco.isEmpty())
        throw EnErro(QStringLiteral("Os testes no PostgreSQL precisam de LYR_TEST_PG (use scripts/testar.sh)."));
    m_config = TnConfigBanco::Ler(endereco);
    m_config.esquema = QStringLiteral("teste_%1").arg(QRandomGenerator::global()->generate64(), 16, 16, QChar(u'0'));
}

TnBancoTeste::~TnBancoTeste()
{
    if (m_config.banco != TnBanco::PostgreSQL)
        return;
    try {
        TnConfigBanco semEsquema = m_config;
        semEsquema.esquema.clear();
        nDMConexao conexao(semEsquema);
        TnSQLDataSet remocao(conexao);
        remocao.SetCommandText(QStringLiteral("DROP SCHEMA IF EXISTS %1 CASCADE").arg(m_config.esquema));
        remocao.ExecSQL();
    } catch (const EnErro& erro) {
        ADD_FAILURE() << "Esquema de teste não removido: " << erro.what();
    }
}

void TesteComBanco::SetUp()
{
    m_pacotes = std::make_unique<TnPacotesInstalados>();
    m_pacotes->Ler();
    m_banco = std::make_unique<TnBancoTeste>();
    auto conexao = std::make_unique<nDMConexao>(m_banco->Config());
    conexao->SetCodigoUsuario(1);
    if (Migrar())
        TnMigrador(*conexao, Pacotes()).Atualizar();
    m_host = std::make_unique<TnHost>(std::move(conexao));
    for (const TnDescricaoPacote* pacote : Pacotes())
        m_host->Registro().AdicionarDescricao(pacote);
}

void TesteComBanco::TearDown()
{
    m_host.reset();
    m_banco.reset();
    m_pacotes.reset();
}

std::unique_ptr<nDMConexao> TesteComBanco::OutraConexao() const
{
    return std::make_unique<nDMConexao>(m_banco->Config());
}

QVariant TesteComBanco::Valor(const QString& consulta)
{
    TnSQLDataSet dataSet(Con());
    dataSet.SetCommandText(consulta);
    dataSet.Open();
    return dataSet.IsEmpty() ? QVariant() : dataSet.Fields(0).Value();
}

QString Recusa(const std::function<void()>& acao)
{
    try {
        acao();
    } catch (const EnErro& erro) {
        return erro.Mensagem();
    }
    return {};
}

void TesteComBanco::CadastrarFilial(int empresa, int estab)
{
    if (Valor(QStringLiteral("select count(*) from EMPRESA where CODIGOEMPRESA = %1").arg(empresa)).toInt() == 0)
        ExecutarSQLDireto(QStringLiteral("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (%1, 'Empresa %1')").arg(empresa));
    ExecutarSQLDireto(QStringLiteral("insert into ESTAB (CODIGOEMPRESA, CODIGOESTAB, NOMEESTAB, APELIDOESTAB) values (%1, %2, 'Empresa %1', 'Filial %2')")
                          .arg(empresa)
                          .arg(estab));
}

void TesteComBanco::FalharInsercoes(const QString& tabela)
{
    if (BancoDoTeste() == TnBanco::SQLite) {
        ExecutarSQLDireto(QStringLiteral("create trigger FALHA_%1 before insert on %1 begin select raise(abort, 'falha injetada'); end")
                              .arg(tabela));
        return;
    }
    ExecutarSQLDireto(QStringLiteral("create or replace function FALHA_INJETADA() returns trigger language plpgsql as "
                                     "$$ begin raise exception 'falha injetada'; end $$"));
    ExecutarSQLDireto(QStringLiteral("create trigger FALHA_%1 before insert on %1 for each row execute function FALHA_INJETADA()").arg(tabela));
}

// The test database as the command line names it.
QString TextoDoBanco(const TnConfigBanco& config)
{
    if (config.banco == TnBanco::SQLite)
        return config.arquivo;
    QUrl url;
    url.setScheme("postgresql");
    url.setHost(config.servidor);
    url.setPort(config.porta);
    url.setUserName(config.usuario);
    url.setPassword(config.senha);
    url.setPath("/" + config.nomeBanco);
    url.setQuery("schema=" + config.esquema);
    return url.toString();
}
