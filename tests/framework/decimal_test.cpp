#include "decimal.h"
#include "erros.h"

#include <gtest/gtest.h>

TEST(TnDecimal, LeTextoComPontoOuVirgulaESinal)
{
    bool ok = false;
    EXPECT_EQ(TnDecimal::DeTexto(u"1234.50", &ok).ParaTexto(), "1234.50");
    EXPECT_TRUE(ok);
    EXPECT_EQ(TnDecimal::DeTexto(u"-0,05").ParaTexto(), "-0.05");
    EXPECT_EQ(TnDecimal::DeTexto(u" +7 ").ParaTexto(), "7");
    for (const char16_t* invalido : {u"", u"-", u"1.2.3", u"12a", u"1 000", u"99999999999999999999"}) {
        TnDecimal::DeTexto(invalido, &ok);
        EXPECT_FALSE(ok) << QString::fromUtf16(invalido).toStdString();
    }
}

TEST(TnDecimal, ArredondaMetadeParaLongeDoZero)
{
    EXPECT_EQ(TnDecimal::DeTexto(u"2.345").ComEscala(2).ParaTexto(), "2.35");
    EXPECT_EQ(TnDecimal::DeTexto(u"-2.345").ComEscala(2).ParaTexto(), "-2.35");
    EXPECT_EQ(TnDecimal::DeTexto(u"2.344").ComEscala(2).ParaTexto(), "2.34");
    EXPECT_EQ(TnDecimal::DeTexto(u"0.5").ComEscala(0).ParaTexto(), "1");
    // 0.1 + 0.2 in binary floating point is 0.30000000000000004; money must read 0.30.
    EXPECT_EQ(TnDecimal::DeDouble(0.1 + 0.2, 2).ParaTexto(), "0.30");
}

TEST(TnDecimal, SomaEComparaEmEscalasDiferentes)
{
    const TnDecimal soma = TnDecimal::DeTexto(u"0.10") + TnDecimal::DeTexto(u"0.2") + TnDecimal::DeTexto(u"1.005");
    EXPECT_EQ(soma.ParaTexto(), "1.305");
    EXPECT_TRUE(TnDecimal::DeTexto(u"1.50") == TnDecimal::DeTexto(u"1.5"));
    EXPECT_TRUE(TnDecimal::DeTexto(u"-1") < TnDecimal::DeTexto(u"0.01"));
    EXPECT_EQ((TnDecimal::DeTexto(u"1") - TnDecimal::DeTexto(u"1.25")).ParaTexto(), "-0.25");
}

TEST(TnDecimal, RecusaEstourarDezoitoDigitos)
{
    const TnDecimal grande = TnDecimal::DeTexto(u"9000000000000000000");
    EXPECT_THROW(grande + grande, EnErro);
    EXPECT_THROW(grande.ComEscala(2), EnErro);
}
