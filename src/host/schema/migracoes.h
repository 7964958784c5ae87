#pragma once

#include "conexao.h"
#include "esquema.h"

#include <QList>
#include <QString>
#include <QStringList>

struct TnDescricaoPacote;

// The host's own registers that the modules read or write: companies,
// establishments, users and rights, departments, taxes, the debit tables,
// payroll and the financial module.
const QList<TnTabela>& TabelasHost();
const QList<TnVisao>& VisoesHost();
// The host's table of that name; nullptr when none.
const TnTabela* TabelaDoHost(const QString& nome);

// The host's own steps.
const QList<TnMigracao>& Migracoes();

// CREATE TABLE and CREATE INDEX statements of a declared table; the tables
// its foreign keys name are looked up among the host's and then `vizinhas`.
QStringList ComandosCriarTabela(const TnTabela& tabela, TnBanco banco, const QList<TnTabela>& vizinhas = {});

// Brings a database to the host's schema and then to each package's, in the
// order given. The host's steps are recorded in LYRVERSAOESQUEMA, a
// package's in LYRVERSAOPACOTE under its name, so an office's database says
// which version of each package it holds.
class TnMigrador {
public:
    explicit TnMigrador(nDMConexao& conexao, QList<const TnDescricaoPacote*> pacotes = {})
        : m_conexao(conexao), m_pacotes(std::move(pacotes))
    {
    }

    int VersaoAtual();
    static int VersaoMaisRecente();
    // The version of the package's schema the database holds (0: none).
    int VersaoDoPacote(const QString& pacote);
    // Brings the database up to date (the host up to a given version, and
    // the packages only when the host is whole); answers how many steps were
    // applied. A failed step is rolled back whole, and a SQLite file holding
    // another program's tables is refused untouched.
    int Atualizar(int ateVersao = VersaoMaisRecente());

private:
    void RecusarBancoAlheio();
    void CriarTabelasDeVersoes();
    int LerVersao(const QString& pacote);
    // Applies one step unless recorded; answers whether it ran.
    bool Aplicar(const TnMigracao& migracao, const QString& pacote, const QList<TnTabela>& tabelas);

    nDMConexao& m_conexao;
    QList<const TnDescricaoPacote*> m_pacotes;
};
