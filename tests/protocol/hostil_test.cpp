// What a careless or hostile user may type, through every door a value
// comes in by: register fields, the SQL services and the filter parsers.
// Each value is either kept exactly as typed or refused with a clear
// message; nothing crashes, no raw database error reaches the user, and no
// row changes that should not.
#include "bancoteste.h"
#include "classeslyr.h"
#include "hostis.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "filtro.h"
#include "historicopro.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <functional>

namespace {

class EntradaHostil : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        TnDialogosRoteiro::Instalar(*m_host);
        for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>(),
                                          InfoDaClasseLyr<TLyrDMHistoricoPro>()})
            nRegisterClass(info);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
        ExecutarSQLDireto("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (2, 'Padaria Silva')");
        ExecutarSQLDireto("insert into ESTAB (CODIGOEMPRESA, CODIGOESTAB, NOMEESTAB, APELIDOESTAB) values (2, 1, 'Padaria Silva', 'Matriz')");
    }

    int Contar(const QString& tabela) { return Valor("select count(*) from " + tabela).toInt(); }
};

} // namespace

TEST_F(EntradaHostil, TextosDeUmCadastroFicamComoDigitadosOuSaoRecusados)
{
    ASSERT_GE(ValoresHostis().size(), 200);
    TLyrDMHistoricoPro historicos;
    historicos.Abrir();
    TnClientDataSet& ds = historicos.nClientDataSet;
    for (const QString& valor : ValoresHostis()) {
        SCOPED_TRACE(valor.left(40).toStdString());
        const int antes = Contar("HISTORICOPRO");
        ds.Append();
        const bool gravado = Aceito([&] {
            ds.FieldByName("DESCRISAOHISTPRO").SetText(valor);
            ds.Post();
        });
        if (ds.State() != TnDataSetState::dsBrowse)
            ds.Cancel();
        EXPECT_EQ(Contar("HISTORICOPRO"), antes + (gravado ? 1 : 0));
        if (gravado) {
            const QString guardado = PegarValorCampo("HISTORICOPRO", "DESCRISAOHISTPRO",
                                                     ValorParaSQL("CODIGOHISTPRO", "=", ds.FieldByName("CODIGOHISTPRO").Value()))
                                         .toString();
            EXPECT_EQ(guardado, valor) << "stored exactly as typed";
        } else {
            EXPECT_TRUE(valor.trimmed().isEmpty() || valor.size() > 200) << "only blanks and texts too long are refused";
        }
    }
}

TEST_F(EntradaHostil, CodigosEDatasDeUmCadastroSoEntramValidos)
{
    std::unique_ptr<TLyrDMProtocolo> protocolos = CriarDM<TLyrDMProtocolo>("TLyrDMProtocolo");
    protocolos->Abrir();
    TnClientDataSet& ds = protocolos->nClientDataSet;
    for (const QString& valor : ValoresHostis()) {
        for (const char* campo : {"CODIGOEMPRESA", "DATALCTOPRO", "OBSERVACAO"}) {
            SCOPED_TRACE(std::string(campo) + " = " + valor.left(40).toStdString());
            const int antes = Contar("PROTOCOLO");
            ds.Append();
            ds.FieldByName("CODIGOEMPRESA").SetValue(2);
            ds.FieldByName("CODIGOESTAB").SetValue(1);
            ds.FieldByName("DATALCTOPRO").SetValue(QDate(2026, 12, 1));
            const bool gravado = Aceito([&] {
                ds.FieldByName(campo).SetText(valor);
                ds.Post();
            });
            if (ds.State() != TnDataSetState::dsBrowse)
                ds.Cancel();
            EXPECT_EQ(Contar("PROTOCOLO"), antes + (gravado ? 1 : 0));
            if (gravado && QLatin1String(campo) == QLatin1String("OBSERVACAO")) {
                EXPECT_EQ(ds.FieldByName("OBSERVACAO").AsString(), valor);
            }
            if (gravado && QLatin1String(campo) == QLatin1String("CODIGOEMPRESA")) {
                EXPECT_EQ(ds.FieldByName("CODIGOEMPRESA").AsInteger(), 2) << "only the existing company gets in";
            }
        }
    }
    EXPECT_EQ(Contar("EMPRESA"), 1);
    EXPECT_EQ(Contar("USUARIO"), 1);
}

TEST_F(EntradaHostil, ServicosSQLGuardamQualquerTextoComoTexto)
{
    for (const QString& valor : ValoresHostis()) {
        SCOPED_TRACE(valor.left(40).toStdString());
        // A literal pasted into a statement, and the same value bound as a parameter.
        const bool literal = Aceito([&] {
            ExecutarSQLDireto("delete from HISTORICOPRO");
            ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO, TEMCOMPLEMENTOHISTORICO) values (1, "
                              + ValorParaSQL(valor.left(200)) + ", '0')");
        });
        if (literal) {
            EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "DESCRISAOHISTPRO", "CODIGOHISTPRO = 1").toString(), valor.left(200));
        }
        EXPECT_TRUE(Aceito([&] {
            TnSQLDataSet busca(Con());
            busca.SetCommandText("select count(*) from HISTORICOPRO where DESCRISAOHISTPRO = :texto");
            busca.SetParamValues({valor});
            busca.Open();
        }));
        EXPECT_TRUE(Aceito([&] { PegarTemRegistro("EMPRESA", "CODIGOEMPRESA", ValorParaSQL("NOMEEMPRESA", "=", valor)); }));
        EXPECT_EQ(Contar("EMPRESA"), 1);
    }
}

TEST_F(EntradaHostil, ListasDeCodigosEFiltrosRecusamOQueNaoEntendem)
{
    for (const QString& valor : ValoresHostis()) {
        SCOPED_TRACE(valor.left(40).toStdString());
        // A list of codes becomes a condition the database runs, or a clear refusal.
        Aceito([&] {
            ValidarSelecaoDeCodigos(valor);
            const QString condicao = FilterInterval("CODIGOEMPRESA", valor, false);
            auto resultado = ExecutarSQL("select count(*) from EMPRESA" + (condicao.isEmpty() ? QString() : " where " + condicao));
            DestruirSQL(resultado);
        });
        // A dataset filter typed by the user, and one comparing a field with the value.
        Aceito([&] { TnFiltro::Compilar(valor); });
        Aceito([&] { TnFiltro::Compilar("OBSERVACAO = " + ValorParaFiltro(valor)); });
        EXPECT_EQ(Contar("EMPRESA"), 1);
    }
}
