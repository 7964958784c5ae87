#include "clientdataset.h"
#include "decimal.h"
#include "erros.h"
#include "valores.h"
#include "valoreslinha.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <limits>
#include <stdexcept>

namespace {

// A value kept whole on the heap whose copy fails on demand; it counts the
// instances alive, so a copy left behind by a failed row shows.
struct TnValorContado {
    static inline int vivos = 0;
    static inline int copiasAteFalhar = -1;  // -1: never fails

    TnValorContado() { ++vivos; }
    TnValorContado(const TnValorContado&)
    {
        if (copiasAteFalhar == 0)
            throw std::runtime_error("cópia recusada");
        if (copiasAteFalhar > 0)
            --copiasAteFalhar;
        ++vivos;
    }
    TnValorContado& operator=(const TnValorContado&) = default;
    ~TnValorContado() { --vivos; }
    bool operator==(const TnValorContado&) const { return true; }
};

} // namespace

// Small and relocatable: QVariant keeps it inline and copies it with its own
// copy constructor.
Q_DECLARE_TYPEINFO(TnValorContado, Q_RELOCATABLE_TYPE);

// A packed row gives back every value with its type and null-ness, so that
// fields, filters and comparisons read the same as from the values given.
TEST(TnValoresLinha, DevolveCadaValorComSeuTipo)
{
    const QVariantList valores{
        QVariant(),
        QVariant(42),
        QVariant(qlonglong(-9'000'000'000'000'000'000LL)),
        QVariant(0.1 + 0.2),
        QVariant(true),
        QVariant(QStringLiteral("Ação nº 1 — 😀 e\u0301")),
        QVariant(QString(QLatin1StringView(""))),
        QVariant(QString()),
        QVariant(QDate(2026, 2, 28)),
        QVariant(QDate()),
        QVariant(QDateTime(QDate(2026, 12, 7), QTime(20, 19, 59, 123))),
        QVariant(QDateTime(QDate(2026, 1, 1), QTime(3, 0), Qt::UTC)),
        QVariant(QDateTime()),
        QVariant::fromValue(TnDecimal(-123456, 2)),
        QVariant::fromValue(TnDecimal(7, 9)),
        QVariant(QMetaType::fromType<int>()),
        QVariant(QStringList{QStringLiteral("a"), QStringLiteral("b")}),
        QVariant(QByteArray("\0\1", 2)),
    };
    const TnValoresLinha linha(valores);
    ASSERT_EQ(linha.size(), valores.size());
    for (int i = 0; i < valores.size(); ++i) {
        const QVariant lido = linha.value(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(lido.metaType(), valores[i].metaType());
        EXPECT_EQ(lido.isNull(), valores[i].isNull());
        EXPECT_EQ(lido, valores[i]);
    }
    EXPECT_TRUE(linha.value(7).toString().isNull());
    EXPECT_FALSE(linha.value(6).toString().isNull());
    EXPECT_EQ(linha.value(11).toDateTime().timeSpec(), Qt::UTC);
    EXPECT_EQ(linha.value(13).value<TnDecimal>().Escala(), 2);
    EXPECT_FALSE(linha.value(valores.size()).isValid());
    EXPECT_EQ(linha.Texto(5), QStringView(u"Ação nº 1 — 😀 e\u0301"));
    EXPECT_FALSE(linha.Texto(1).has_value());
    EXPECT_EQ(linha.Lista(), valores);
}

TEST(TnValoresLinha, CopiasSobrevivemAOriginal)
{
    TnValoresLinha copia;
    {
        const TnValoresLinha original(QVariantList{QStringLiteral("texto"), QDateTime(QDate(2026, 1, 2), QTime(3, 4))});
        copia = original;
        TnValoresLinha movida(std::move(copia));
        copia = movida;
    }
    EXPECT_EQ(copia.value(0).toString(), "texto");
    EXPECT_EQ(copia.value(1).toDateTime(), QDateTime(QDate(2026, 1, 2), QTime(3, 4)));
    EXPECT_TRUE(TnValoresLinha().isEmpty());
}

// Rows ordered by a text, with and without case, through the dataset.
TEST(TnValoresLinha, OrdemPorTextoComESemCaixa)
{
    TnClientDataSet dados;
    dados.AddField<TnStringField>(QStringLiteral("NOME"));
    dados.CreateDataSet();
    for (const char* nome : {"beta", "Alfa", "alfa", "", "Beta"})
        dados.AppendRecord({QString::fromUtf8(nome)});
    dados.AppendRecord({QVariant()});
    const auto nomes = [&dados]() {
        QStringList lidos;
        for (dados.First(); !dados.Eof(); dados.Next())
            lidos.append(dados.FieldByName(QStringLiteral("NOME")).IsNull() ? QStringLiteral("<nulo>") : dados.FieldByName(QStringLiteral("NOME")).AsString());
        return lidos;
    };
    dados.SetIndexFieldNames(QStringLiteral("NOME"));
    EXPECT_EQ(nomes(), (QStringList{"<nulo>", "", "Alfa", "Beta", "alfa", "beta"}));
    dados.SetIndexFieldNames(QStringLiteral("NOME DESC"));
    EXPECT_EQ(nomes(), (QStringList{"beta", "alfa", "Beta", "Alfa", "", "<nulo>"}));
    dados.AddIndex({QStringLiteral("SEMCAIXA"), QStringLiteral("NOME"), {}, true});
    dados.SetIndexName(QStringLiteral("SEMCAIXA"));
    const QStringList semCaixa = nomes();
    EXPECT_EQ(semCaixa.mid(0, 2), (QStringList{"<nulo>", ""}));
    EXPECT_EQ(semCaixa.mid(2, 2).join(u',').toLower(), "alfa,alfa");
    EXPECT_EQ(semCaixa.mid(4, 2).join(u',').toLower(), "beta,beta");
}

// A value that cannot be copied fails the row; what was copied before it
// (values on the heap, date-times) goes with the block.
TEST(TnValoresLinha, FalhaAoCopiarUmValorNaoDeixaOsAnteriores)
{
    {
        const QVariantList valores{QVariant::fromValue(TnValorContado()), QDateTime(QDate(2026, 12, 8), QTime(9, 30)),
                                   QStringLiteral("texto"), QVariant::fromValue(TnValorContado()),
                                   QVariant::fromValue(TnValorContado())};
        const int antes = TnValorContado::vivos;
        TnValorContado::copiasAteFalhar = 2;
        EXPECT_THROW(TnValoresLinha{valores}, std::runtime_error);
        TnValorContado::copiasAteFalhar = -1;
        EXPECT_EQ(TnValorContado::vivos, antes);
        EXPECT_EQ(TnValoresLinha(valores).value(3).metaType(), QMetaType::fromType<TnValorContado>());
    }
    EXPECT_EQ(TnValorContado::vivos, 0);
}

// Dates and codes as the databases write them are read by hand; anything
// else still goes through the general readers (or is refused).
TEST(Valores, DatasECodigosComoOsBancosEscrevem)
{
    EXPECT_EQ(Valores::LerDataIso(u"2026-12-06"), QDate(2026, 12, 6));
    EXPECT_EQ(Valores::LerDataIso(u"2026-12-06 10:30:00"), QDate(2026, 12, 6));
    EXPECT_FALSE(Valores::LerDataIso(u"2026-13-06").isValid());
    EXPECT_FALSE(Valores::LerDataIso(u"2026-1-06").isValid());
    EXPECT_FALSE(Valores::LerDataIso(u"06/12/2026").isValid());
    EXPECT_EQ(Valores::ParaData(QStringLiteral("06/12/2026")), QDate(2026, 12, 6));
    EXPECT_EQ(Valores::ParaData(QStringLiteral("2026-12-06 23:59:59")), QDate(2026, 12, 6));

    EXPECT_EQ(Valores::ParaInteiro(QStringLiteral("000123")), 123);
    EXPECT_EQ(Valores::ParaInteiro(QStringLiteral("-45")), -45);
    EXPECT_EQ(Valores::ParaInteiro(QStringLiteral(" +7 ")), 7);
    EXPECT_EQ(Valores::ParaInteiro(QStringLiteral("9223372036854775807")), std::numeric_limits<qint64>::max());
    EXPECT_THROW(Valores::ParaInteiro(QStringLiteral("-")), EnErro);
    EXPECT_THROW(Valores::ParaInteiro(QStringLiteral("12a")), EnErro);
}
