#pragma once

#include "conexao.h"

#include <QString>
#include <QStringList>

#include <functional>

struct TnTabela;

// One step of the schema's history. Steps are applied in version order, each
// in its own transaction, and recorded in LYRVERSAOESQUEMA; a database is
// never changed by a step twice.
struct TnMigracao {
    int versao;
    QString descricao;
    // The statements of the step for the given database (may be empty).
    std::function<QStringList(TnBanco)> comandos;
    // Run first, in the step's transaction: refuses (raising EnErro) a
    // database the step cannot take as it is.
    std::function<void(nDMConexao&)> conferir = {};
};

const QList<TnMigracao>& Migracoes();

// CREATE TABLE and CREATE INDEX statements of a declared table.
QStringList ComandosCriarTabela(const TnTabela& tabela, TnBanco banco);

class TnMigrador {
public:
    explicit TnMigrador(nDMConexao& conexao) : m_conexao(conexao) {}

    int VersaoAtual();
    static int VersaoMaisRecente();
    // Brings the database up to date (or up to a given version); answers how
    // many steps were applied. A failed step is rolled back whole, and a
    // SQLite file holding another program's tables is refused untouched.
    int Atualizar(int ateVersao = VersaoMaisRecente());

private:
    void RecusarBancoAlheio();
    void CriarTabelaDeVersoes();
    int LerVersao();

    nDMConexao& m_conexao;
};
