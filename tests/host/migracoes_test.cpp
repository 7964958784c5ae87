#include "bancoteste.h"
#include "erros.h"
#include "esquema.h"
#include "migracoes.h"
#include "sqlservicos.h"

class MigracoesTeste : public TesteComBanco {
protected:
    bool Migrar() const override { return false; }
};

TEST_F(MigracoesTeste, BancoNovoRecebeTodasAsTabelasEColunas)
{
    TnMigrador migrador(Con());
    EXPECT_EQ(migrador.VersaoAtual(), 0);
    EXPECT_EQ(migrador.Atualizar(), Migracoes().size());
    EXPECT_EQ(migrador.VersaoAtual(), TnMigrador::VersaoMaisRecente());
    QList<TnTabela> tabelas = TabelasHost() + TabelasProtocolo();
    EXPECT_EQ(TabelasProtocolo().size(), 17);
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
    TnMigrador migrador(Con());
    ASSERT_EQ(migrador.Atualizar(1), 1);
    ExecutarSQLDireto("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (5, 'Padaria Silva Ltda')");
    EXPECT_FALSE(PegarTemRegistro("LYRVERSAOESQUEMA", "VERSAO", "VERSAO = 2"));
    EXPECT_EQ(migrador.Atualizar(), Migracoes().size() - 1);
    EXPECT_EQ(migrador.Atualizar(), 0);
    EXPECT_EQ(PegarValorCampo("EMPRESA", "NOMEEMPRESA", "CODIGOEMPRESA = 5").toString(), "Padaria Silva Ltda");
    EXPECT_EQ(Valor("select count(*) from LYRVERSAOESQUEMA").toInt(), Migracoes().size());
}

TEST_F(MigracoesTeste, PassoQueFalhaEDesfeitoPorInteiro)
{
    TnMigrador migrador(Con());
    migrador.Atualizar(1);
    // A table of the next step already exists, made by hand: the step fails.
    ExecutarSQLDireto("create table HISTORICOPRO (CODIGOHISTPRO integer)");
    try {
        migrador.Atualizar();
        FAIL() << "expected the step to fail";
    } catch (const EnErro& erro) {
        EXPECT_TRUE(erro.Mensagem().contains("versão 2")) << erro.what();
    }
    EXPECT_EQ(migrador.VersaoAtual(), 1);
    EXPECT_EQ(Con().Profundidade(), 0);
    // Tables created earlier in the failed step were undone with it.
    EXPECT_THROW(ExecutarSQL("select CODIGOPROTOCOLO from PROTOCOLO"), EnSQL);
}

TEST_F(MigracoesTeste, IndicadoresDeTextoComparamComNumeros)
{
    TnMigrador(Con()).Atualizar();
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
