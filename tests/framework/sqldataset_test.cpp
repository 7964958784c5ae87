#include "bancoteste.h"
#include "erros.h"
#include "insercaolote.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDateTime>

class SQLDataSet : public TesteComBanco {
protected:
    void InserirImpostos()
    {
        ExecutarSQLDireto("insert into IMPOSTO (CODIGOIMPOSTO, VARIACAOIMPOSTO, DESCRIMPOSTO, ESFERA) values "
                          "(1, 1, 'IRPJ', 1), (1, 2, 'IRPJ Estimativa', 1), (20, 1, 'ICMS', 2)");
    }
};

TEST_F(SQLDataSet, ParametrosPorNomeSemCaixaRepetidosEPorPosicao)
{
    InserirImpostos();
    TnSQLDataSet consulta(Con());
    consulta.SetCommandText("select CODIGOIMPOSTO from IMPOSTO where ESFERA = :pEsfera "
                            "and ((:pTodos = 0 and VARIACAOIMPOSTO = 1) or (:PTODOS = 1)) order by CODIGOIMPOSTO, VARIACAOIMPOSTO");
    ASSERT_EQ(consulta.ParamCount(), 2);
    consulta.ParamByName("PESFERA").SetValue(1);
    consulta.ParamByName("ptodos").SetValue(0);
    consulta.Open();
    EXPECT_EQ(consulta.RecordCount(), 1);

    consulta.SetParamValues({1, 1});  // by position: pEsfera, pTodos
    consulta.Open();
    EXPECT_EQ(consulta.RecordCount(), 2);
    EXPECT_THROW(consulta.ParamByName("pNaoExiste"), EnErro);
    EXPECT_THROW(consulta.SetParamValues({1, 1, 1}), EnErro);
}

TEST_F(SQLDataSet, TiposDasColunasSaoOsDaTabela)
{
    CadastrarFilial(2, 1);
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, "
                      "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (:c, 2, 1, :d, '1', :h, 1, 2)",
                      {9999999999LL, QDate(2026, 11, 30), QDateTime(QDate(2026, 12, 1), QTime(14, 5, 9))});
    ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, VALOR, "
                      "CODIGOUSUARIO, DATAHORACADASTRO, ORIGEMDADO) values (9999999999, :s, 'Guia', '2026-11-30', :v, 1, :h, 2)",
                      {1, QVariant::fromValue(TnDecimal::DeTexto(u"0.10")), QDateTime::currentDateTime()});
    ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, VALOR, "
                      "CODIGOUSUARIO, DATAHORACADASTRO, ORIGEMDADO) values (9999999999, :s, 'Guia', '2026-11-30', :v, 1, :h, 2)",
                      {2, 0.2, QDateTime::currentDateTime()});

    auto protocolo = ExecutarSQL("select P.CODIGOPROTOCOLO, P.DATALCTOPRO, P.DATAHORACADASTRO, P.TIPOPRO, "
                                 "I.VALOR, P.DATAHORABAIXA from PROTOCOLO P join PROTOCOLOITEM I "
                                 "on I.CODIGOPROTOCOLO = P.CODIGOPROTOCOLO order by I.SEQITEMPRO");
    ASSERT_EQ(protocolo->RecordCount(), 2);
    EXPECT_EQ(protocolo->FieldByName("codigoprotocolo").AsLargeInt(), 9999999999LL);
    EXPECT_EQ(protocolo->FieldByName("CODIGOPROTOCOLO").DataType(), TnTipoCampo::Inteiro);
    EXPECT_EQ(protocolo->FieldByName("DATALCTOPRO").Value(), QVariant(QDate(2026, 11, 30)));
    EXPECT_EQ(protocolo->FieldByName("DATAHORACADASTRO").AsDateTime(), QDateTime(QDate(2026, 12, 1), QTime(14, 5, 9)));
    EXPECT_EQ(protocolo->FieldByName("TIPOPRO").Value(), QVariant(QStringLiteral("1")));
    EXPECT_EQ(protocolo->FieldByName("VALOR").DataType(), TnTipoCampo::Decimal);
    EXPECT_EQ(protocolo->FieldByName("VALOR").AsDecimal().ParaTexto(), "0.10");
    EXPECT_TRUE(protocolo->FieldByName("DATAHORABAIXA").IsNull());
    EXPECT_EQ(protocolo->FieldByName("DATAHORABAIXA").AsString(), "");
    protocolo->Next();
    EXPECT_EQ(protocolo->FieldByName("VALOR").AsString(), "0,20");

    // A sum is exact on PostgreSQL and a REAL on SQLite; read at the money scale both give 0.30.
    EXPECT_EQ(Valores::ParaDecimal(Valor("select sum(VALOR) from PROTOCOLOITEM"), 2).ParaTexto(), "0.30");
    EXPECT_THROW(protocolo->FieldByName("NAOEXISTE"), EnErro);
}

TEST_F(SQLDataSet, NavegaDoPrimeiroAoUltimo)
{
    InserirImpostos();
    auto consulta = ExecutarSQL("select CODIGOIMPOSTO, VARIACAOIMPOSTO from IMPOSTO order by CODIGOIMPOSTO desc, VARIACAOIMPOSTO");
    QStringList lidos;
    for (consulta->First(); !consulta->Eof(); consulta->Next())
        lidos.append(consulta->Fields(0).AsString() + "/" + consulta->Fields(1).AsString());
    EXPECT_EQ(lidos, QStringList({"20/1", "1/1", "1/2"}));
    consulta->Last();
    EXPECT_EQ(consulta->Fields(1).AsInteger(), 2);
    consulta->Prior();
    consulta->Prior();
    EXPECT_EQ(consulta->Fields(0).AsInteger(), 20);
    consulta->Prior();
    EXPECT_TRUE(consulta->Bof());

    auto vazia = ExecutarSQL("select CODIGOIMPOSTO from IMPOSTO where 1 = 0");
    EXPECT_TRUE(vazia->IsEmpty());
    EXPECT_TRUE(vazia->Eof());
    EXPECT_TRUE(vazia->Fields(0).IsNull());
}

TEST_F(SQLDataSet, PreparaUmaVezERepeteComValoresNovos)
{
    TnSQLDataSet insercao(Con());
    insercao.SetCommandText("insert into DPTOESCRIT (CODIGODPTOESCRIT, DESCRDPTOESCRIT) values (:codigo, :descricao)");
    Con().StartTransaction();
    for (int codigo = 1; codigo <= 50; ++codigo) {
        insercao.SetParamValues({codigo, QStringLiteral("Departamento %1").arg(codigo)});
        EXPECT_EQ(insercao.ExecSQL(), 1);
    }
    Con().Commit();
    EXPECT_TRUE(insercao.Prepared());
    EXPECT_EQ(Valor("select count(*) from DPTOESCRIT").toInt(), 50);

    // A refused row does not spoil the prepared statement.
    insercao.SetParamValues({1, "Repetido"});
    EXPECT_THROW(insercao.ExecSQL(), EnSQL);
    insercao.SetParamValues({51, "Novo"});
    EXPECT_EQ(insercao.ExecSQL(), 1);

    TnSQLDataSet remocao(Con());
    remocao.SetCommandText("delete from DPTOESCRIT where CODIGODPTOESCRIT > :limite");
    remocao.ParamByName("limite").SetValue(40);
    EXPECT_EQ(remocao.ExecSQL(), 11);
}

TEST_F(SQLDataSet, ErroDoBancoTrazOComando)
{
    try {
        ExecutarSQL("select COLUNAQUENAOEXISTE from IMPOSTO");
        FAIL() << "expected EnSQL";
    } catch (const EnSQL& erro) {
        EXPECT_EQ(erro.Comando(), "select COLUNAQUENAOEXISTE from IMPOSTO");
        EXPECT_FALSE(erro.Mensagem().isEmpty());
    }
}

// Protocols and their items in groups of 3 rows: 7 protocols make two full
// groups and a shorter one; the items' groups write their protocols first
// (the foreign key would refuse them otherwise), values keep their types.
TEST_F(SQLDataSet, InsercaoEmLoteEmGruposEPaiAntesDoFilho)
{
    CadastrarFilial(2, 1);
    TnInsercaoEmLote protocolos(Con(), "PROTOCOLO",
                                {"CODIGOPROTOCOLO", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "TIPOPRO", "DATAHORACADASTRO",
                                 "CODIGOUSUARIO", "ORIGEMDADO"},
                                3);
    TnInsercaoEmLote itens(Con(), "PROTOCOLOITEM",
                           {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "DATALCTOPRO", "VALOR", "CODIGOUSUARIO", "DATAHORACADASTRO",
                            "ORIGEMDADO"},
                           3);
    itens.DependeDe(protocolos);
    const QDateTime agora(QDate(2026, 12, 1), QTime(8, 0));
    Con().StartTransaction(1);
    for (int codigo = 1; codigo <= 7; ++codigo) {
        protocolos.Adicionar({codigo, 2, 1, QDate(2026, 11, 30), "1", agora, 1, 2});
        itens.Adicionar({codigo, 1, QStringLiteral("Guia d'água %1").arg(codigo), QDate(2026, 11, 30),
                         QVariant::fromValue(TnDecimal::DeTexto(u"10.05")), 1, agora, 2});
    }
    // The second item group was full after protocol 6: protocol 7 waits.
    EXPECT_EQ(protocolos.Pendentes(), 1);
    EXPECT_EQ(itens.Pendentes(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 6);
    itens.Descarregar();
    Con().Commit(1);
    EXPECT_EQ(protocolos.Pendentes(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 7);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where VALOR = 10.05").toInt(), 7);
    EXPECT_EQ(Valor("select DESCRITEM from PROTOCOLOITEM where CODIGOPROTOCOLO = 7").toString(), "Guia d'água 7");

    // A refused group raises and leaves nothing pending for the next save.
    Con().StartTransaction(1);
    protocolos.Adicionar({8, 2, 1, QDate(2026, 11, 30), "1", agora, 1, 2});
    protocolos.Adicionar({1, 2, 1, QDate(2026, 11, 30), "1", agora, 1, 2});
    EXPECT_THROW(protocolos.Descarregar(), EnSQL);
    Con().RollBack(1);
    EXPECT_EQ(protocolos.Pendentes(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 7);
    EXPECT_THROW(protocolos.Adicionar({9}), EnErro);
}
