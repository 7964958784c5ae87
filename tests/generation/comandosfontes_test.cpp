#include "bancoteste.h"
#include "comandosfontes.h"
#include "demonstracao.h"
#include "lyrsfuncoes.h"
#include "sqlservicos.h"

// The source statements run as they stand on the demo office of both
// databases and select what generation relies on.

namespace {

const QDate kReferencia(2026, 12, 6);
const QDate kInicio(2026, 6, 1);   // six months back
const QDate kFim(2026, 11, 30);

struct TnEstabelecimento {
    int empresa;
    int estab;
};

} // namespace

class ComandosFontes : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        GerarDemonstracao(Con(), {1, kReferencia, 20261206}, Pacotes());
        auto estabs = ExecutarSQL("select CODIGOEMPRESA, CODIGOESTAB from ESTAB order by CODIGOEMPRESA, CODIGOESTAB");
        for (; !estabs->Eof(); estabs->Next())
            m_estabs.append({estabs->Fields(0).AsInteger(), estabs->Fields(1).AsInteger()});
    }

    // Runs the debit statement for every establishment: prepared once, bound per establishment.
    QList<QVariantMap> Debitos(const QString& tabela, const QString& tipoData, int listar, QStringList* colunas = nullptr)
    {
        TnSQLDataSet consulta(Con());
        consulta.SetCommandText(ComandoDebitos(tabela, tipoData));
        QList<QVariantMap> linhas;
        for (const TnEstabelecimento& estab : std::as_const(m_estabs)) {
            consulta.SetParamValues({estab.empresa, estab.estab, kInicio, kFim, listar});
            consulta.Open();
            for (; !consulta.Eof(); consulta.Next()) {
                QVariantMap linha;
                for (int c = 0; c < consulta.FieldCount(); ++c)
                    linha.insert(consulta.Coluna(c).nome + (linha.contains(consulta.Coluna(c).nome) ? "#2" : ""),
                                 consulta.Fields(c).Value());
                linhas.append(linha);
            }
            if (colunas && colunas->isEmpty()) {
                for (int c = 0; c < consulta.FieldCount(); ++c)
                    colunas->append(consulta.Coluna(c).nome);
            }
        }
        return linhas;
    }

    QList<TnEstabelecimento> m_estabs;
};

TEST_F(ComandosFontes, SufixosDasTabelasDeDebito)
{
    for (const TnTabelaDebito& debito : TabelasDebito())
        EXPECT_EQ(SufixoChaveDebito(debito.tabela), debito.sufixo);
}

TEST_F(ComandosFontes, DebitosDeImpostoSoFormasZeroEDoisELivresDeProtocolo)
{
    for (const TnTabelaDebito& debito : TabelasDebito()) {
        if (debito.tabela == "DEBITOFOLHA")
            continue;
        QStringList colunas;
        const QList<QVariantMap> livres = Debitos(debito.tabela, "1", 0, &colunas);
        const QList<QVariantMap> todos = Debitos(debito.tabela, "1", 1);
        ASSERT_FALSE(livres.isEmpty()) << debito.tabela.toStdString();
        EXPECT_EQ(colunas.mid(0, 3), QStringList({"CODIGOEMPRESA", "CHAVEDEBITO", "CODIGOESTAB"}));
        EXPECT_EQ(colunas.value(17), "DESCRPROTOCOLO");
        EXPECT_EQ(colunas.size(), debito.tabela == "DEBITOSINDICAL" ? 18 : 19) << debito.tabela.toStdString();
        for (const QVariantMap& linha : livres) {
            EXPECT_TRUE(linha["CODIGOPROTOCOLO"].isNull());
            EXPECT_TRUE(linha["FORMADEBITO"].toInt() == 0 || linha["FORMADEBITO"].toInt() == 2);
            EXPECT_FALSE(linha["DESCRIMPOSTO"].toString().isEmpty());
        }
        EXPECT_GE(todos.size(), livres.size());
        EXPECT_FALSE(Debitos(debito.tabela, "2", 0).isEmpty()) << "by due date: " << debito.tabela.toStdString();
    }
    // Older competences went out in protocols: "Todos" lists them too.
    EXPECT_GT(Debitos("DEBITOFEDERAL", "1", 1).size(), Debitos("DEBITOFEDERAL", "1", 0).size());
}

TEST_F(ComandosFontes, DebitosDeFolhaTrazemOFuncionario)
{
    QStringList colunas;
    const QList<QVariantMap> linhas = Debitos("DEBITOFOLHA", "1", 0, &colunas);
    ASSERT_FALSE(linhas.isEmpty());
    EXPECT_EQ(colunas.mid(18), QStringList({"OBSERVDEBITO", "CODIGOFUNCCONTR", "NOMEFUNC", "OBSERVDEBITO"}));
    for (const QVariantMap& linha : linhas) {
        EXPECT_FALSE(linha["NOMEFUNC"].toString().isEmpty());
        EXPECT_TRUE(linha["CODIGOIMPOSTO"].isNull());
    }
}

TEST_F(ComandosFontes, FolhaRescisaoEFeriasPorNome)
{
    struct TnCaso {
        int tipo;
        int modo;
        int tipoData;
    };
    const QList<TnCaso> casos = {{6, 1, 1}, {6, 1, 2}, {6, 2, 1}, {6, 2, 2}, {7, 1, 1}, {7, 1, 2}, {8, 1, 1}, {8, 1, 2}};
    for (const TnCaso& caso : casos) {
        TnSQLDataSet consulta(Con());
        consulta.SetCommandText(ComandoFolha(caso.tipo, caso.modo, caso.tipoData));
        int linhas = 0;
        int comProtocolo = 0;
        TnDecimal total;
        for (const TnEstabelecimento& estab : std::as_const(m_estabs)) {
            consulta.ParamByName("pDataInicial").SetValue(kInicio);
            consulta.ParamByName("pDataFinal").SetValue(kFim);
            consulta.ParamByName("pCodigoEmpresa").SetValue(estab.empresa);
            consulta.ParamByName("pCodigoEstab").SetValue(estab.estab);
            if (caso.tipo != 6)
                consulta.ParamByName("pListarDebitos").SetValue(1);
            consulta.Open();
            for (; !consulta.Eof(); consulta.Next()) {
                ++linhas;
                comProtocolo += consulta.FieldByName("CODIGOPROTOCOLO").IsNull() ? 0 : 1;
                total = total + consulta.FieldByName("VALOR").AsDecimal();
                EXPECT_TRUE(consulta.FieldByName("DATAPGTO").AsDate().isValid());
            }
        }
        EXPECT_GT(linhas, 0) << "tipo " << caso.tipo << " modo " << caso.modo << " data " << caso.tipoData;
        EXPECT_TRUE(TnDecimal() < total);
        if (caso.tipo == 6) {
            EXPECT_GT(comProtocolo, 0) << "open payroll protocols are found for their payment date";
        } else {
            EXPECT_EQ(comProtocolo, 0);
        }
    }
}

TEST_F(ComandosFontes, FinanceiroDosEscritoriosComClientesVinculadosOuNao)
{
    int vinculados = 0;
    int semVinculo = 0;
    int notas = 0;
    int boletos = 0;
    for (int estab : {1, 2}) {
        for (int listar : {0, 1}) {
            const TnFiltroFinanceiro filtro{"1", kInicio, kFim, 1, estab, listar};
            auto clientes = ExecutarSQL(ComandoClientesFinanceiro(filtro));
            for (; !clientes->Eof(); clientes->Next()) {
                const bool vinculado = clientes->FieldByName("EMP").AsInteger() > 0;
                (vinculado ? vinculados : semVinculo) += 1;
            }
            auto notasFiscais = ExecutarSQL(ComandoNotasFiscais(filtro));
            notas += notasFiscais->RecordCount();
            auto boletosDoPeriodo = ExecutarSQL(ComandoBoletos(filtro));
            for (; !boletosDoPeriodo->Eof(); boletosDoPeriodo->Next()) {
                ++boletos;
                EXPECT_GT(boletosDoPeriodo->FieldByName("NOSSONUMERO").AsLargeInt(), 0);
                if (listar == 0) {
                    EXPECT_TRUE(boletosDoPeriodo->FieldByName("CODIGOPROTOCOLO").IsNull());
                }
            }
        }
    }
    EXPECT_GT(vinculados, 0);
    EXPECT_GT(semVinculo, 0);
    EXPECT_GT(notas, 0);
    EXPECT_GT(boletos, 0);

    const TnFiltroFinanceiro livres{"2", kInicio, kFim, 1, 1, 0};
    const TnFiltroFinanceiro todos{"2", kInicio, kFim, 1, 1, 1};
    EXPECT_LT(ExecutarSQL(ComandoBoletos(livres))->RecordCount(), ExecutarSQL(ComandoBoletos(todos))->RecordCount());
}
