#include "decimal.h"
#include "erros.h"
#include "filtro.h"
#include "valores.h"

#include <gtest/gtest.h>

#include <QDate>
#include <QDateTime>
#include <QVariantMap>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace {

QVariant Dec(const char16_t* texto)
{
    return QVariant::fromValue(TnDecimal::DeTexto(texto));
}

// The row's fields keyed in upper case, as the datasets name their columns.
bool Passa(const QString& texto, const QVariantMap& linha)
{
    const TnFiltro filtro = TnFiltro::Compilar(texto);
    return filtro.Avaliar([&](int i) { return linha.value(filtro.Campos()[i].toUpper()); });
}

std::string Erro(const QString& texto)
{
    try {
        TnFiltro::Compilar(texto);
    } catch (const EnErro& erro) {
        return erro.Mensagem().toStdString();
    }
    return "(sem erro)";
}

bool ComecaCom(const std::string& texto, const std::string& inicio)
{
    return texto.compare(0, inicio.size(), inicio) == 0;
}

} // namespace

TEST(TnFiltro, AndPrecedeOrENotPrecedeAnd)
{
    const QVariantMap linha{{"A", 1}, {"B", 0}, {"C", 0}};
    EXPECT_TRUE(Passa("A = 1 or B = 1 and C = 1", linha));
    EXPECT_FALSE(Passa("(A = 1 OR B = 1) And C = 1", linha));
    // not binds to "B = 1" alone; over the whole conjunction it would pass.
    EXPECT_FALSE(Passa("not B = 1 and C = 1", linha));
    EXPECT_TRUE(Passa("NOT (B = 1 and C = 1)", linha));
    EXPECT_TRUE(Passa("not not A = 1", linha));
    EXPECT_TRUE(Passa("12 = A or 0 < a", linha));  // literal on the left, field name in any case
}

TEST(TnFiltro, NuloSoEhVistoPorIsNull)
{
    const QString semEmpresa = "(EMP <= 0 or EMP is null) and (EST <= 0 or EST is null)";
    const QString comEmpresa = "(EMP > 0 or EMP is not null) and (EST > 0 or EST is not null)";
    const QVariant nulo;
    struct Caso {
        QVariant emp, est;
        bool sem, com;
    };
    for (const Caso& caso : {Caso{0, 0, true, true}, Caso{nulo, nulo, true, false}, Caso{0, nulo, true, false},
                             Caso{5, nulo, false, false}, Caso{nulo, 7, false, false}, Caso{5, 7, false, true},
                             Caso{0, 7, false, true}}) {
        const QVariantMap linha{{"EMP", caso.emp}, {"EST", caso.est}};
        EXPECT_EQ(Passa(semEmpresa, linha), caso.sem) << caso.emp.toString().toStdString() << "/" << caso.est.toString().toStdString();
        EXPECT_EQ(Passa(comEmpresa, linha), caso.com) << caso.emp.toString().toStdString() << "/" << caso.est.toString().toStdString();
    }
    // A comparison with null is unknown, and so is its negation.
    const QVariantMap nula{{"EMP", nulo}};
    for (const char* texto : {"EMP <> 0", "not (EMP > 0)", "EMP = null", "not (EMP = null)", "null is not null"})
        EXPECT_FALSE(Passa(texto, nula)) << texto;
    EXPECT_FALSE(Passa("not not (EMP > 0)", nula));
    EXPECT_TRUE(Passa("not (EMP > 0 and 1 = 0)", nula));
    EXPECT_FALSE(Passa("not (EMP > 0 or 1 = 1)", nula));
    EXPECT_FALSE(Passa("not (EMP > 0 or 1 = 0)", nula));
    EXPECT_TRUE(Passa("not (EMP > 0) or EMP is null", nula));
    EXPECT_TRUE(Passa("null is null", nula));
}

TEST(TnFiltro, TextoQueEhNumeroComparaComoNumero)
{
    EXPECT_TRUE(Passa("ALTERUSER = 1", {{"ALTERUSER", "1"}}));
    EXPECT_FALSE(Passa("ALTERUSER = 1", {{"ALTERUSER", "0"}}));
    EXPECT_FALSE(Passa("ALTERUSER = 1", {{"ALTERUSER", "S"}}));
    EXPECT_TRUE(Passa("ATIVO = 1", {{"ATIVO", true}}));
    // Against a number "10" is ten; against a text it is text, and "10" < "9".
    EXPECT_TRUE(Passa("COD > 9", {{"COD", "10"}}));
    EXPECT_FALSE(Passa("COD > '9'", {{"COD", "10"}}));
    EXPECT_TRUE(Passa("CODIGOCLIENTE = '1042'", {{"CODIGOCLIENTE", 1042}}));
    EXPECT_FALSE(Passa("NOME = 'abc'", {{"NOME", "ABC"}}));
}

TEST(TnFiltro, NumerosDeTodosOsTiposComparamExatamente)
{
    for (const QVariant& valor : {QVariant(1042), QVariant(qlonglong(1042)), QVariant(1042.0), Dec(u"1042.00")})
        EXPECT_TRUE(Passa("CODIGOCLIENTE = 1042", {{"CODIGOCLIENTE", valor}})) << valor.typeName();
    EXPECT_TRUE(Passa("VALOR = 0.3", {{"VALOR", 0.1 + 0.2}}));
    EXPECT_TRUE(Passa("VALOR = 0.30", {{"VALOR", Dec(u"0.3")}}));
    EXPECT_FALSE(Passa("VALOR > 0.3", {{"VALOR", 0.1 + 0.2}}));
    EXPECT_TRUE(Passa("VALOR > -0.5 and VALOR < 0", {{"VALOR", Dec(u"-0.25")}}));
    EXPECT_TRUE(Passa("VALOR < -1", {{"VALOR", -1.5}}));
}

TEST(TnFiltro, DatasLeemOTextoComoData)
{
    const QString texto = "DATALCTOPRO >= '2026-11-01'";
    EXPECT_FALSE(Passa(texto, {{"DATALCTOPRO", QDate(2026, 10, 31)}}));
    EXPECT_TRUE(Passa(texto, {{"DATALCTOPRO", QDate(2026, 11, 1)}}));
    EXPECT_TRUE(Passa("DATALCTOPRO = '01/11/2026'", {{"DATALCTOPRO", QDate(2026, 11, 1)}}));
    const QVariantMap momento{{"DATA", QDateTime(QDate(2026, 11, 1), QTime(10, 0))}};
    EXPECT_TRUE(Passa("DATA = '2026-11-01 10:00:00'", momento));
    EXPECT_TRUE(Passa("DATA > '2026-11-01' and '2026-11-02' > DATA", momento));
    EXPECT_TRUE(Passa("DATA = '2026-11-01'", {{"DATA", QDateTime(QDate(2026, 11, 1), QTime(0, 0))}}));
}

TEST(TnFiltro, InComoSQL)
{
    const QString fora = "not (STATUS in (1, 3))";
    EXPECT_TRUE(Passa(fora, {{"STATUS", 2}}));
    EXPECT_FALSE(Passa(fora, {{"STATUS", 3}}));
    EXPECT_FALSE(Passa(fora, {{"STATUS", QVariant()}}));
    EXPECT_FALSE(Passa("STATUS not in (1, 3)", {{"STATUS", 1}}));
    EXPECT_TRUE(Passa("STATUS not in (1, 3)", {{"STATUS", "2"}}));
    EXPECT_TRUE(Passa("UF in ('SP', 'RJ')", {{"UF", "RJ"}}));
    EXPECT_FALSE(Passa("UF in ('SP', 'RJ')", {{"UF", "rj"}}));
    // With a null in the list, "not in" can never be sure.
    EXPECT_TRUE(Passa("STATUS in (1, null)", {{"STATUS", 1}}));
    EXPECT_FALSE(Passa("STATUS in (1, null)", {{"STATUS", 2}}));
    EXPECT_FALSE(Passa("STATUS not in (1, null)", {{"STATUS", 2}}));
}

TEST(TnFiltro, LikeComCuringasEAspas)
{
    const QVariantMap davila{{"NOMEEMPRESA", "D'Ávila Ltda"}};
    EXPECT_TRUE(Passa("NOMEEMPRESA = 'D''Ávila Ltda'", davila));
    EXPECT_TRUE(Passa("NOMEEMPRESA like 'D''Á%'", davila));
    EXPECT_TRUE(Passa("NOMEEMPRESA like '_''Ávila_____'", davila));
    EXPECT_FALSE(Passa("NOMEEMPRESA like '_''Ávila____'", davila));
    EXPECT_FALSE(Passa("NOMEEMPRESA like 'd%'", davila));
    EXPECT_TRUE(Passa("NOMEEMPRESA not like '%LTDA'", davila));
    // A failed match after % must retry further on.
    EXPECT_TRUE(Passa("X like '%ab%c'", {{"X", "aab abxc"}}));
    EXPECT_FALSE(Passa("X like '%ab%c'", {{"X", "aab abxcd"}}));
    EXPECT_TRUE(Passa("X like '%'", {{"X", ""}}));
    EXPECT_TRUE(Passa("CODIGO like '10%'", {{"CODIGO", 1042}}));
    EXPECT_TRUE(Passa("DATA like '2026-11-%'", {{"DATA", QDate(2026, 11, 5)}}));
    EXPECT_FALSE(Passa("X not like 'a%'", {{"X", QVariant()}}));
}

TEST(TnFiltro, CamposUmaVezNaOrdemDoPrimeiroUso)
{
    const TnFiltro filtro = TnFiltro::Compilar("b = 1 and (A = 2 or B is null) and [Nome Fantasia] like 'x%' or a in (1)");
    EXPECT_EQ(filtro.Campos(), QStringList({"b", "A", "Nome Fantasia"}));
    EXPECT_TRUE(Passa("[Nome Fantasia] = 'X' and [not] = 1", {{"NOME FANTASIA", "X"}, {"NOT", 1}}));
    for (const QString& texto : {QString(), QString("  \n ")}) {
        const TnFiltro vazio = TnFiltro::Compilar(texto);
        EXPECT_TRUE(vazio.Vazio());
        EXPECT_TRUE(vazio.Campos().isEmpty());
        EXPECT_TRUE(vazio.Avaliar([](int) { return QVariant(); }));
    }
    EXPECT_TRUE(TnFiltro().Vazio());
    EXPECT_FALSE(TnFiltro::Compilar("1 = 1").Vazio());
}

TEST(TnFiltro, ErroDeSintaxeDizOQueEOnde)
{
    EXPECT_EQ(Erro("EMP = "), "Filtro inválido: esperado um campo ou um valor, encontrado o fim do filtro (posição 7)");
    EXPECT_EQ(Erro("(EMP = 1 or EST = 2"), "Filtro inválido: esperado ')', encontrado o fim do filtro (posição 20)");
    EXPECT_EQ(Erro("EMP = 1 EST = 2"), "Filtro inválido: esperado 'and', 'or' ou o fim do filtro, encontrado 'EST' (posição 9)");
    // The quote not doubled closes the text early; the last one is left open.
    EXPECT_EQ(Erro("NOME = 'D'Ávila'"), "Filtro inválido: texto sem a aspa de fechamento (posição 16)");
    EXPECT_EQ(Erro("NOME = 'D' Ávila"), "Filtro inválido: esperado 'and', 'or' ou o fim do filtro, encontrado 'Ávila' (posição 12)");
    EXPECT_EQ(Erro("NOME = 'abc"), "Filtro inválido: texto sem a aspa de fechamento (posição 8)");
    EXPECT_EQ(Erro("EMP 1"), "Filtro inválido: esperado um operador de comparação, encontrado '1' (posição 5)");
    EXPECT_EQ(Erro("EMP is 1"), "Filtro inválido: esperado 'null' ou 'not null', encontrado '1' (posição 8)");
    EXPECT_EQ(Erro("EMP # 1"), "Filtro inválido: caractere inesperado '#' (posição 5)");
    EXPECT_EQ(Erro("[EMP = 1"), "Filtro inválido: nome de campo sem ']' (posição 1)");
    EXPECT_EQ(Erro("V = 99999999999999999999"), "Filtro inválido: número fora do limite: 99999999999999999999 (posição 5)");
    EXPECT_TRUE(ComecaCom(Erro("V = 0.1234567891"), "Filtro inválido: número com mais de 9 casas decimais"));
    for (const char* texto : {"EMP in 1", "EMP in ()", "EMP in (1,", "EMP in (EST)", "EMP like EST", "EMP not = 1",
                              "and EMP = 1", "EMP = 1 and", "()", "EMP = 1)", "EMP"})
        EXPECT_TRUE(ComecaCom(Erro(texto), "Filtro inválido: ")) << texto;
    // Nesting beyond reason is refused, not a stack overflow.
    EXPECT_TRUE(ComecaCom(Erro(QString(100000, u'(') + "A = 1"), "Filtro inválido: expressão aninhada demais"));
}

TEST(ValoresComparar, NuloPrimeiroENumerosPorValor)
{
    using Valores::Comparar;
    EXPECT_EQ(Comparar(QVariant(), QVariant()), 0);
    EXPECT_EQ(Comparar(QVariant(), -1000), -1);
    EXPECT_EQ(Comparar("", QVariant()), 1);
    EXPECT_EQ(Comparar(1, 1.0), 0);
    EXPECT_EQ(Comparar(true, qlonglong(1)), 0);
    EXPECT_EQ(Comparar(0.1 + 0.2, Dec(u"0.3")), 0);
    EXPECT_EQ(Comparar(Dec(u"-1.5"), -1), -1);
    EXPECT_EQ(Comparar(Dec(u"-0.5"), Dec(u"0.25")), -1);
    // Rescaling either side to the other's decimals would overflow 64 bits.
    EXPECT_EQ(Comparar(qlonglong(9000000000000000000), Dec(u"1.000000001")), 1);
    EXPECT_EQ(Comparar(std::numeric_limits<qlonglong>::max(), 9.3e18), -1);
    EXPECT_EQ(Comparar(qlonglong(9000000000000000001), 9.0e18), 1);
    EXPECT_EQ(Comparar(qlonglong(9007199254740993), 9007199254740992.0), 1);
    EXPECT_EQ(Comparar(std::nan(""), -1e300), -1);
    EXPECT_EQ(Comparar("1,5", Dec(u"1.50")), 0);
    EXPECT_EQ(Comparar(5, "abc"), -1);  // "5" < "abc" as texts
    EXPECT_EQ(Comparar("a", "A"), 1);
}

TEST(ValoresComparar, DatasEOrdemTotalEntreTipos)
{
    using Valores::Comparar;
    EXPECT_EQ(Comparar(QDate(2026, 11, 1), QDateTime(QDate(2026, 11, 1), QTime(0, 0))), 0);
    EXPECT_EQ(Comparar(QDate(2026, 11, 1), QDateTime(QDate(2026, 11, 1), QTime(0, 0, 1))), -1);
    EXPECT_EQ(Comparar("01/11/2026", QDate(2026, 11, 1)), 0);
    EXPECT_EQ(Comparar(QDate(2026, 11, 1), 99999999), 1);  // numbers before dates

    // Sorting values of mixed numeric types and dates gives their order by value.
    QVariantList valores{Dec(u"2.50"), QVariant(), 3, 2.4999, qlonglong(-7), QDate(2026, 1, 2), Dec(u"-7.000"),
                         QDateTime(QDate(2026, 1, 1), QTime(23, 59)), 0.1 + 0.2, true, QDate(2025, 12, 31)};
    for (const QVariant& a : valores) {
        for (const QVariant& b : valores)
            ASSERT_EQ(Comparar(a, b), -Comparar(b, a)) << a.toString().toStdString() << " " << b.toString().toStdString();
    }
    std::stable_sort(valores.begin(), valores.end(), [](const QVariant& a, const QVariant& b) { return Comparar(a, b) < 0; });
    QStringList ordem;
    for (const QVariant& valor : valores)
        ordem << Valores::TextoPadrao(valor);
    EXPECT_EQ(ordem.join(" | "), " | -7 | -7,000 | 0,3 | true | 2,4999 | 2,50 | 3 | 31/12/2025 | 01/01/2026 23:59:00 | 02/01/2026");
}
