// What a careless or hostile user may type, through every door a value
// comes in by: register fields, the SQL services and the filter parsers.
// Each value is either kept exactly as typed or refused with a clear
// message; nothing crashes, no raw database error reaches the user, and no
// row changes that should not.
#include "bancoteste.h"
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

QStringList ValoresHostis()
{
    QStringList valores = {
        "'", "''", "\"", "'; drop table PROTOCOLO; --", "' or '1'='1", "--", "/* x */", "1; delete from USUARIO", "\\", "\\'",
        "%", "_", "%' --", "NULL", "null", "select", "\t", "\n", "\r\n", "a\tb\nc", QString(QChar(0x01)) + QChar(0x1b) + "[31m",
        "😀", "👨‍👩‍👧", "e\u0301", "ção à ü", "ÁÉÍÓÚ", "\u202e", "\ufeff", "\u00a0", "<script>alert(1)</script>", "${HOME}", "$(rm -rf /)",
        "%s%n", "{}", "[]", "31/02/2026", "00/00/0000", "2026-02-31", "99/99/9999", "13/2026", "29/02/2025", "01/01/10000",
        "-1", "-0", "0", "+5", "9999999999", "99999999999999999999", "1e309", "NaN", "inf", "1,5", "1.234,56", "-1.234,56",
        "1-", "a;b", "5-2", "1--2", ";", ";;", ",", "1;", "-", " ", "  1  ", "0x10", "１２３", "١٢٣", "1 2", "1;2-", "-5-",
        QString(51, u'x'), QString(200, u'y'), QString(201, u'z'), QString(5000, u'w'), QString("😀").repeated(100),
    };
    return valores;
}

// A refusal the user can read: ours, in Portuguese, not the database's.
void EsperarMensagemClara(const QString& mensagem)
{
    EXPECT_FALSE(mensagem.trimmed().isEmpty());
    for (const char* bruto : {"syntax error", "unrecognized token", "invalid input", "near \"", "SQLSTATE", "QSQL", "Parameter count"})
        EXPECT_FALSE(mensagem.contains(QLatin1String(bruto), Qt::CaseInsensitive)) << mensagem.toStdString();
}

// Runs the action: true when it went through, false when it was refused
// with a clear message. A database error is a failure of the test.
bool Aceito(const std::function<void()>& acao)
{
    try {
        acao();
        return true;
    } catch (const EnSQL& erro) {
        ADD_FAILURE() << "database error shown to the user: " << erro.Mensagem().toStdString();
    } catch (const EnAbort&) {
    } catch (const EnErro& erro) {
        EsperarMensagemClara(erro.Mensagem());
    }
    return false;
}

class EntradaHostil : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        TnDialogosRoteiro::Instalar(*m_host);
        for (const TnInfoClasse& info : {InfoDaClasse<TLyrDMProtocolo>(), InfoDaClasse<TLyrDMProtocoloItem>(),
                                          InfoDaClasse<TLyrDMHistoricoPro>()})
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
