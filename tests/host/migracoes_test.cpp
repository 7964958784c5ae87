#include "bancoteste.h"
#include "erros.h"
#include "esquema.h"
#include "pacote.h"
#include "migracoes.h"
#include "sqlservicos.h"

class MigracoesTeste : public TesteComBanco {
protected:
    bool Migrar() const override { return false; }

    int PassosDosPacotes()
    {
        int passos = 0;
        for (const TnDescricaoPacote* pacote : Pacotes())
            passos += static_cast<int>(pacote->migracoes.size());
        return passos;
    }
};

TEST_F(MigracoesTeste, BancoNovoRecebeTodasAsTabelasEColunas)
{
    ASSERT_FALSE(Pacotes().isEmpty());
    TnMigrador migrador(Con(), Pacotes());
    EXPECT_EQ(migrador.VersaoAtual(), 0);
    EXPECT_EQ(migrador.Atualizar(), Migracoes().size() + PassosDosPacotes());
    EXPECT_EQ(migrador.VersaoAtual(), TnMigrador::VersaoMaisRecente());
    QList<TnTabela> tabelas = TabelasHost();
    for (const TnDescricaoPacote* pacote : Pacotes()) {
        EXPECT_EQ(migrador.VersaoDoPacote(pacote->nome), pacote->migracoes.constLast().versao);
        tabelas += pacote->tabelas;
    }
    for (const TnTabela& tabela : tabelas) {
        QStringList colunas;
        for (const TnColuna& coluna : tabela.colunas)
            colunas.append(coluna.nome);
        auto consulta = ExecutarSQL(QStringLiteral("select %1 from %2 where 1 = 0").arg(colunas.join(u','), tabela.nome));
        EXPECT_EQ(consulta->FieldCount(), colunas.size()) << tabela.nome.toStdString();
    }
    auto funcionario = ExecutarSQL("select CODIGOEMPRESA, CodigoFuncContr, NOMEFUNC from FUNCIONARIO");
    EXPECT_EQ(funcionario->FieldCount(), 3);
}

TEST_F(MigracoesTeste, ReexecutarNaoMudaNadaEAtualizarPreservaOsDados)
{
    TnMigrador migrador(Con(), Pacotes());
    ASSERT_EQ(migrador.Atualizar(1), 1);
    ExecutarSQLDireto("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (5, 'Padaria Silva Ltda')");
    // The host stopped short: no package step ran yet.
    EXPECT_EQ(Valor("select count(*) from LYRVERSAOPACOTE").toInt(), 0);
    EXPECT_EQ(migrador.Atualizar(), Migracoes().size() - 1 + PassosDosPacotes());
    EXPECT_EQ(migrador.Atualizar(), 0);
    EXPECT_EQ(PegarValorCampo("EMPRESA", "NOMEEMPRESA", "CODIGOEMPRESA = 5").toString(), "Padaria Silva Ltda");
    EXPECT_EQ(Valor("select count(*) from LYRVERSAOESQUEMA").toInt(), Migracoes().size());
    EXPECT_EQ(Valor("select count(*) from LYRVERSAOPACOTE").toInt(), PassosDosPacotes());
}

TEST_F(MigracoesTeste, PassoQueFalhaEDesfeitoPorInteiro)
{
    TnMigrador(Con()).Atualizar();  // the host's schema alone
    TnMigrador migrador(Con(), Pacotes());
    // A table of the package's first step already exists, made by hand: the step fails.
    ExecutarSQLDireto("create table HISTORICOPRO (CODIGOHISTPRO integer)");
    const QString pacote = Pacotes().constFirst()->nome;
    try {
        migrador.Atualizar();
        FAIL() << "expected the step to fail";
    } catch (const EnErro& erro) {
        EXPECT_TRUE(erro.Mensagem().contains("versão 1 do pacote " + pacote)) << erro.what();
    }
    EXPECT_EQ(migrador.VersaoDoPacote(pacote), 0);
    EXPECT_EQ(Con().Profundidade(), 0);
    // Tables created earlier in the failed step were undone with it.
    EXPECT_THROW(ExecutarSQL("select CODIGOPROTOCOLO from PROTOCOLO"), EnSQL);
}

// A database whose host created the module's tables itself, before the
// package kept its own versions: the package adopts them, rows and all.
TEST_F(MigracoesTeste, TabelasDeAntesDoPacoteSaoAdotadas)
{
    TnMigrador(Con(), Pacotes()).Atualizar();
    ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO) values (1, 'Guias')");
    ExecutarSQLDireto("delete from LYRVERSAOPACOTE");
    TnMigrador migrador(Con(), Pacotes());
    EXPECT_EQ(migrador.Atualizar(), PassosDosPacotes());
    EXPECT_EQ(migrador.VersaoDoPacote(Pacotes().constFirst()->nome), Pacotes().constFirst()->migracoes.constLast().versao);
    EXPECT_EQ(Valor("select DESCRISAOHISTPRO from HISTORICOPRO").toString(), "Guias");
}

TEST_F(MigracoesTeste, IndicadoresDeTextoComparamComNumeros)
{
    TnMigrador(Con(), Pacotes()).Atualizar();
    CadastrarFilial(1, 1);
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, "
                      "DATAHORACADASTRO, CODIGOUSUARIO, CANCELADO, ORIGEMDADO) values "
                      "(1, 1, 1, '2026-01-01', '1', '2026-01-01', 1, '0', 2), (2, 1, 1, '2026-01-01', '2', '2026-01-01', 1, '1', 2)");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CANCELADO = 0").toInt(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where 1 = CANCELADO").toInt(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CANCELADO <> 0 and TIPOPRO = 2").toInt(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CANCELADO = '0'").toInt(), 1);
    EXPECT_EQ(ExecutarSQLDireto("update PROTOCOLO set CANCELADO = 1 where CODIGOPROTOCOLO = 1"), 1);
    EXPECT_EQ(ExecutarSQLDireto("update PROTOCOLO set CANCELADO = :c where CANCELADO = :antes", {0, 1}), 2);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CANCELADO = 0").toInt(), 2);
}

// An office migrated before the lent documents' columns and the justified
// dismissals: the package's later steps add them, keeping the movements it had.
TEST_F(MigracoesTeste, MovimentacoesDeAntesGanhamORetornoPrevisto)
{
    TnMigrador(Con(), Pacotes()).Atualizar();
    for (const char* coluna : {"DATARETORNOPREV", "RESPRETORNO"})
        ExecutarSQLDireto(QStringLiteral("alter table PROTOCOLODOCMOVIMENTO drop column %1").arg(QLatin1String(coluna)));
    ExecutarSQLDireto("drop table PROTOCOLODOCBAIXAJUST");
    ExecutarSQLDireto("delete from LYRVERSAOPACOTE where VERSAO >= 2");
    CadastrarFilial(1, 1);
    ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                      "GERARENVELOPE) values (1, 'Contrato', 0, '0', 0, '0')");
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) "
                      "values (1, 1, 1, 1, '2026-01-01')");
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, DATALCTOPRO, DATAHORA, CODIGOUSUARIO, "
                      "ORIGEMDADO) values (1, 1, '2', '2026-01-01', '2026-01-02 10:00:00', 1, 2)");
    TnMigrador migrador(Con(), Pacotes());
    EXPECT_EQ(migrador.Atualizar(), 2);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO where DATARETORNOPREV is null and RESPRETORNO is null").toInt(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCBAIXAJUST").toInt(), 0);
}
