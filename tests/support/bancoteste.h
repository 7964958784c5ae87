#pragma once

#include "conexao.h"
#include "host.h"
#include "pacotes.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <functional>

#include <memory>

// The message of the refusal (EnErro) the action raises; empty when it goes through.
QString Recusa(const std::function<void()>& acao);

// The database the test run is about: LYR_TEST_BACKEND=sqlite|postgresql.
// PostgreSQL tests need LYR_TEST_PG, a postgresql:// URI (scripts/testar.sh
// starts a throwaway server and sets it).
TnBanco BancoDoTeste();

// The test database as the command line (or another process) names it.
QString TextoDoBanco(const TnConfigBanco& config);

// A fresh, empty database for one test: a file in a temporary folder on
// SQLite, a schema of its own on PostgreSQL (dropped at the end).
class TnBancoTeste {
public:
    TnBancoTeste();
    ~TnBancoTeste();

    const TnConfigBanco& Config() const { return m_config; }

private:
    QTemporaryDir m_pasta;
    TnConfigBanco m_config;
};

// Fixture: a fresh database (migrated unless the test says otherwise, with
// the installed packages' schemas) with a host whose connection is logged in
// as user 1. The packages are read, not registered: each test registers the
// classes it exercises, while the packages' dictionary entries and the uses
// of the host's registers hold as in the application.
class TesteComBanco : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    virtual bool Migrar() const { return true; }

    nDMConexao& Con() { return m_host->Conexao(); }
    // Another connection to the same database, as a second user would have.
    std::unique_ptr<nDMConexao> OutraConexao() const;
    // The first column of the first row of a select, on the host connection.
    QVariant Valor(const QString& consulta);
    // A client establishment (and its company, when new) for rows that name one.
    void CadastrarFilial(int empresa, int estab);
    // Every later insert into the table fails in the database ("falha
    // injetada"), as a full disk or a lost server would fail it.
    void FalharInsercoes(const QString& tabela);
    // The packages installed with the build (LYR_PACOTES).
    QList<const TnDescricaoPacote*> Pacotes() const { return m_pacotes->Descricoes(); }

    std::unique_ptr<TnPacotesInstalados> m_pacotes;
    std::unique_ptr<TnBancoTeste> m_banco;
    std::unique_ptr<TnHost> m_host;
};
