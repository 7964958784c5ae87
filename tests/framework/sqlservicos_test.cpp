#include "bancoteste.h"
#include "erros.h"
#include "sqlservicos.h"

#include <QDateTime>

TEST(ValorParaSQL, LiteraisPorTipo)
{
    EXPECT_EQ(ValorParaSQL(QVariant()), "null");
    EXPECT_EQ(ValorParaSQL("D'Ávila"), "'D''Ávila'");
    EXPECT_EQ(ValorParaSQL(42), "42");
    EXPECT_EQ(ValorParaSQL(QVariant::fromValue(TnDecimal::DeTexto(u"-12.50"))), "-12.50");
    EXPECT_EQ(ValorParaSQL(2.5), "2.5");
    EXPECT_EQ(ValorParaSQL(QDate(2026, 1, 5)), "'2026-01-05'");
    EXPECT_EQ(ValorParaSQL(QDateTime(QDate(2026, 1, 5), QTime(8, 3, 1))), "'2026-01-05 08:03:01'");
    EXPECT_EQ(ValorParaSQL("05/01/2026", TnTipoValor::Data), "'2026-01-05'");
    EXPECT_EQ(ValorParaSQL("17", TnTipoValor::Inteiro), "17");
    EXPECT_EQ(ValorParaSQL("1,5", TnTipoValor::Numero), "1.5");
    EXPECT_THROW(ValorParaSQL("1; drop table EMPRESA", TnTipoValor::Inteiro), EnErro);
    EXPECT_THROW(ValorParaSQL("amanhã", TnTipoValor::Data), EnErro);
    EXPECT_EQ(ValorParaSQL("CODIGOROTA", "=", 3), "CODIGOROTA = 3");
    EXPECT_EQ(ValorParaSQL("DATAHORABAIXA", "=", QVariant()), "DATAHORABAIXA is null");
    EXPECT_EQ(ValorParaSQL("DATAHORABAIXA", "<>", QVariant()), "DATAHORABAIXA is not null");
    EXPECT_EQ(ValorParaFiltro("O'Brien"), "'O''Brien'");
}

TEST(FilterInterval, CodigosEFaixasNumaCondicao)
{
    EXPECT_EQ(FilterInterval("CODIGOEMPRESA", "1;3;5-9", false), "(CODIGOEMPRESA in (1,3) or CODIGOEMPRESA between 5 and 9)");
    EXPECT_EQ(FilterInterval("CODIGOEMPRESA", " 7 ", false), "(CODIGOEMPRESA = 7)");
    EXPECT_EQ(FilterInterval("C.CODIGOESTAB", "9-5", false), "(C.CODIGOESTAB between 5 and 9)");
    EXPECT_EQ(FilterInterval("CODIGOEMPRESA", " ; ", false), "");
    EXPECT_EQ(FilterInterval("CODIGOEMPRESA", "", true), "");
    const QString comConjuncao = FilterInterval("C.CODIGOEMPRESA", "2,4");
    EXPECT_EQ(comConjuncao, " and    (C.CODIGOEMPRESA in (2,4))");
    // Callers cut the connector by 7 or by 8 characters; both leave the condition.
    EXPECT_EQ(comConjuncao.mid(8), "(C.CODIGOEMPRESA in (2,4))");
    EXPECT_EQ(comConjuncao.mid(7).trimmed(), "(C.CODIGOEMPRESA in (2,4))");
    EXPECT_EQ(FilterInterval("SERIENS", "A;B'1", false), "(SERIENS in ('A','B''1'))");
    // Code columns take whole numbers and ranges only.
    EXPECT_NO_THROW(ValidarSelecaoDeCodigos(" 1;3, 5-9 ;9999999999"));
    for (const char* invalida : {"1-", "a;b", "1;x", "0x10", "1.5", "5-x", "5-2"})
        EXPECT_THROW(ValidarSelecaoDeCodigos(invalida), EnErro) << invalida;
    try {
        ValidarSelecaoDeCodigos("1;9-5");
        ADD_FAILURE() << "faixa invertida aceita";
    } catch (const EnErro& erro) {
        EXPECT_EQ(erro.Mensagem(), "A faixa \"9-5\" termina antes de começar. Informe-a como 5-9.");
    }
}

class ServicosSQL : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        for (int codigo : {1, 2, 3, 5, 6, 7, 9, 10, 12})
            ExecutarSQLDireto("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (:c, :n)",
                              {codigo, QStringLiteral("Empresa %1").arg(codigo)});
    }

    QList<int> Empresas(const QString& condicao)
    {
        QList<int> codigos;
        auto consulta = ExecutarSQL("select CODIGOEMPRESA from EMPRESA where " + condicao + " order by CODIGOEMPRESA");
        for (; !consulta->Eof(); consulta->Next())
            codigos.append(consulta->Fields(0).AsInteger());
        DestruirSQL(consulta);
        EXPECT_EQ(consulta, nullptr);
        return codigos;
    }
};

TEST_F(ServicosSQL, ValoresComAspasEInjecaoChegamIntactos)
{
    const QStringList nomes = {"D'Ávila & Filhos", "1; drop table EMPRESA", "x' or '1'='1", "barra \\ final\\"};
    int codigo = 100;
    for (const QString& nome : nomes) {
        ExecutarSQLDireto(QStringLiteral("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (%1, %2)")
                              .arg(ValorParaSQL(++codigo), ValorParaSQL(nome)));
        EXPECT_EQ(PegarValorCampo("EMPRESA", "NOMEEMPRESA", ValorParaSQL("CODIGOEMPRESA", "=", codigo)).toString(), nome);
        EXPECT_TRUE(PegarTemRegistro("EMPRESA", "CODIGOEMPRESA", ValorParaSQL("NOMEEMPRESA", "=", nome)));
    }
    EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 9 + nomes.size());
}

TEST_F(ServicosSQL, DatasEHorasComoLiteraisComparamComAsColunas)
{
    CadastrarFilial(1, 1);
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, "
                      "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (1, 1, 1, :d, '1', :h, 1, 2)",
                      {QDate(2026, 3, 1), QDateTime(QDate(2026, 3, 1), QTime(0, 0))});
    const QString entre = " between " + ValorParaSQL(QDateTime(QDate(2026, 3, 1), QTime(0, 0))) + " and "
                          + ValorParaSQL(QDateTime(QDate(2026, 3, 31), QTime(23, 59, 59)));
    EXPECT_TRUE(PegarTemRegistro("PROTOCOLO", "CODIGOPROTOCOLO", "DATALCTOPRO" + entre));
    EXPECT_TRUE(PegarTemRegistro("PROTOCOLO", "CODIGOPROTOCOLO", "DATAHORACADASTRO" + entre));
    EXPECT_FALSE(PegarTemRegistro("PROTOCOLO", "CODIGOPROTOCOLO",
                                  "DATALCTOPRO > " + ValorParaSQL(QDateTime(QDate(2026, 3, 1), QTime(8, 0)))));
    EXPECT_TRUE(PegarTemRegistro("PROTOCOLO", "CODIGOPROTOCOLO", "DATAHORABAIXA is null"));
}

TEST_F(ServicosSQL, PegarValorCampoLeUmaOuVariasColunas)
{
    EXPECT_EQ(PegarValorCampo("EMPRESA", "NOMEEMPRESA", "CODIGOEMPRESA = 5").toString(), "Empresa 5");
    const QVariant nenhum = PegarValorCampo("EMPRESA", "NOMEEMPRESA", "CODIGOEMPRESA = 4");
    EXPECT_TRUE(nenhum.isNull());
    EXPECT_EQ(nenhum.toString(), "");
    EXPECT_EQ(nenhum.toInt(), 0);
    const QVariantList varias = PegarValorCampo("EMPRESA", "CODIGOEMPRESA;NOMEEMPRESA", "CODIGOEMPRESA = 7").toList();
    ASSERT_EQ(varias.size(), 2);
    EXPECT_EQ(varias[0].toInt(), 7);
    EXPECT_EQ(varias[1].toString(), "Empresa 7");
    EXPECT_FALSE(PegarTemRegistro("EMPRESA", "CODIGOEMPRESA", "CODIGOEMPRESA = 4"));
}

TEST_F(ServicosSQL, ProximoCodigoComCondicaoEFaixa)
{
    EXPECT_EQ(PegarProximoCodigo("EMPRESA", "CODIGOEMPRESA"), 13);
    EXPECT_EQ(PegarProximoCodigo("EMPRESA", "CODIGOEMPRESA", "CODIGOEMPRESA < 5"), 4);
    EXPECT_EQ(PegarProximoCodigo("EMPRESA", "CODIGOEMPRESA", "CODIGOEMPRESA > 100"), 1);
    EXPECT_EQ(PegarProximoCodigo("PROTOCOLO", "CODIGOPROTOCOLO", "", 0, 1), 1);
    EXPECT_EQ(PegarProximoCodigo("EMPRESA", "CODIGOEMPRESA", "", 20, 1), 21);

    EXPECT_EQ(PegarProximoCodigoFaixa("EMPRESA", "CODIGOEMPRESA", "", 1, 20), 13);
    EXPECT_EQ(PegarProximoCodigoFaixa("EMPRESA", "CODIGOEMPRESA", "", 1, 8), 8) << "9 and above are outside";
    EXPECT_EQ(PegarProximoCodigoFaixa("EMPRESA", "CODIGOEMPRESA", "CODIGOEMPRESA <> 7", 5, 8), 7);
    EXPECT_EQ(PegarProximoCodigoFaixa("EMPRESA", "CODIGOEMPRESA", "", 50, 60), 50);
    EXPECT_THROW(PegarProximoCodigoFaixa("EMPRESA", "CODIGOEMPRESA", "", 1, 3), EnErro);
}

TEST_F(ServicosSQL, FilterIntervalSelecionaAsLinhasCertas)
{
    EXPECT_EQ(Empresas(FilterInterval("CODIGOEMPRESA", "1;3;5-9", false)), QList<int>({1, 3, 5, 6, 7, 9}));
    EXPECT_EQ(Empresas("CODIGOEMPRESA > 2" + FilterInterval("CODIGOEMPRESA", "1;3;10-12")), QList<int>({3, 10, 12}));
    EXPECT_EQ(Empresas(FilterInterval("CODIGOEMPRESA", "2", true).mid(8)), QList<int>({2}));
    // A text item is quoted: PostgreSQL refuses it for a number column, SQLite matches nothing.
    try {
        EXPECT_EQ(Empresas(FilterInterval("CODIGOEMPRESA", "1;x'); drop table EMPRESA; --", false)), QList<int>({1}));
    } catch (const EnSQL&) {
        EXPECT_EQ(BancoDoTeste(), TnBanco::PostgreSQL);
    }
    EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 9);
}

TEST_F(ServicosSQL, ExecutarSQLDiretoComValoresPosicionais)
{
    EXPECT_EQ(ExecutarSQLDireto("update EMPRESA set APELIDOEMPRESA = :apelido where CODIGOEMPRESA between :de and :ate",
                                {"Cliente", 2, 6}),
              4);
    EXPECT_EQ(ExecutarSQLDireto("update EMPRESA set APELIDOEMPRESA = null where CODIGOEMPRESA = 4"), 0);
    EXPECT_EQ(Valor("select count(*) from EMPRESA where APELIDOEMPRESA = 'Cliente'").toInt(), 4);
    EXPECT_THROW(ExecutarSQLDireto("update EMPRESA set NOMEEMPRESA = :n where CODIGOEMPRESA = :c", {"a", 1, 2}), EnErro);
}
