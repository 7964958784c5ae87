// What each configured establishment still owes for a competence: the
// slots of its group's types, which registered document stands for which
// slot, dismissed slots, and the codes proposed.
#include "calendariodoc.h"
#include "pendencias.h"
#include "pendenciasteste.h"

#include <QRegularExpression>

namespace {

QDateTime Dia(int ano, int mes, int dia, int hora = 0)
{
    return QDateTime(QDate(ano, mes, dia), QTime(hora, 0));
}

// "empresa/estab tipo dd codigo" per pending row, in the engine's order.
QStringList Linhas(const QList<TLyrDocPendente>& pendentes)
{
    QStringList linhas;
    for (const TLyrDocPendente& p : pendentes)
        linhas.append(QStringLiteral("%1/%2 %3 %4 %5").arg(p.empresa).arg(p.estab).arg(p.tipo).arg(p.data.date().day()).arg(p.codigo));
    return linhas;
}

class Pendencias : public TestePendencias {
protected:
    QStringList Calcular(const QDate& competencia, const QString& empresas = {}, int periodo = 0)
    {
        return Linhas(CalcularPendencias({competencia, empresas, {}, periodo},
                                         PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"))));
    }
};

} // namespace

TEST(CalendarioDoc, VagasDoMesEQuemAsCobre)
{
    const auto dias = [](int periodo, int ano, int mes) {
        QList<int> lista;
        for (const QDate& data : CalendarioDoc::DatasDoPeriodo(periodo, QDate(ano, mes, 1)))
            lista.append(data.day());
        return lista;
    };
    EXPECT_EQ(dias(1, 2027, 2), QList<int>({1}));
    EXPECT_EQ(dias(2, 2027, 2), QList<int>({1, 16})) << "February of a common year";
    EXPECT_EQ(dias(3, 2028, 2), QList<int>({1, 11, 21})) << "February of a leap year";
    EXPECT_EQ(dias(3, 2027, 1), QList<int>({1, 11, 21})) << "a 31-day month has no fourth slot";
    EXPECT_TRUE(dias(0, 2027, 1).isEmpty());
    EXPECT_TRUE(dias(4, 2027, 1).isEmpty());

    EXPECT_TRUE(CalendarioDoc::OcorreNoMes("1;12", 12));
    EXPECT_FALSE(CalendarioDoc::OcorreNoMes("1;12", 2));
    EXPECT_FALSE(CalendarioDoc::OcorreNoMes("1", 11)) << "months compared whole, not as text inside text";
    EXPECT_FALSE(CalendarioDoc::OcorreNoMes("03", 3)) << "months are written as whole numbers";
    EXPECT_FALSE(CalendarioDoc::OcorreNoMes("", 1));

    // Monthly: anywhere in the slot's month, its last moment included.
    EXPECT_TRUE(CalendarioDoc::Cobre(1, Dia(2027, 4, 1), Dia(2027, 4, 30, 23)));
    EXPECT_FALSE(CalendarioDoc::Cobre(1, Dia(2027, 4, 1), Dia(2027, 5, 1)));
    // Fortnightly, slots on the 1st and 16th: the 10th stands for both
    // (9 and 6 days), the 25th only for the second (24 days from the first).
    EXPECT_TRUE(CalendarioDoc::Cobre(2, Dia(2027, 3, 1), Dia(2027, 3, 10)));
    EXPECT_TRUE(CalendarioDoc::Cobre(2, Dia(2027, 3, 16), Dia(2027, 3, 10)));
    EXPECT_FALSE(CalendarioDoc::Cobre(2, Dia(2027, 3, 1), Dia(2027, 3, 25)));
    EXPECT_TRUE(CalendarioDoc::Cobre(2, Dia(2027, 3, 16), Dia(2027, 3, 25)));
    // Whole days: 14 days and 23 hours are 14; 15 days and some hours, 15.
    EXPECT_TRUE(CalendarioDoc::Cobre(2, Dia(2027, 3, 1), Dia(2027, 3, 15, 23)));
    EXPECT_FALSE(CalendarioDoc::Cobre(2, Dia(2027, 3, 1), Dia(2027, 3, 16, 12)));
    // Ten-daily: fewer than 10 days either way.
    EXPECT_TRUE(CalendarioDoc::Cobre(3, Dia(2027, 3, 21), Dia(2027, 3, 12)));
    EXPECT_FALSE(CalendarioDoc::Cobre(3, Dia(2027, 3, 21), Dia(2027, 3, 11)));
    EXPECT_FALSE(CalendarioDoc::Cobre(0, Dia(2027, 3, 1), Dia(2027, 3, 1))) << "no period, no slot to stand for";
}

TEST_F(Pendencias, SlotsDosTiposEsperadosNumeradosDepoisDoMaiorCodigo)
{
    // March: type 10 (quarterly), 11 twice, 12 three times, per
    // establishment; 13 (manual), 14 (no period), 15 (no months) and 16
    // (January) never; 3/1 (group without types) and 4/1 (not configured)
    // owe nothing.
    EXPECT_EQ(Calcular(QDate(2027, 3, 1)),
              QStringList({"2/1 10 1 501", "2/1 11 1 502", "2/1 11 16 503", "2/1 12 1 504", "2/1 12 11 505", "2/1 12 21 506",
                           "2/2 10 1 507", "2/2 11 1 508", "2/2 11 16 509", "2/2 12 1 510", "2/2 12 11 511", "2/2 12 21 512"}));
    // Any day of the competence names it; April has no type 10; November
    // does not take the January type ("1" is not in "11").
    EXPECT_EQ(Calcular(QDate(2027, 4, 20), "2"), Calcular(QDate(2027, 11, 1), "2"));
    EXPECT_EQ(Calcular(QDate(2027, 4, 1), "2").size(), 10);
    EXPECT_EQ(Calcular(QDate(2027, 1, 1), "2").filter(QRegularExpression("^\\S+ 16 ")).size(), 2) << "the January type";
    // The period filter keeps the fortnightly types only.
    EXPECT_EQ(Calcular(QDate(2027, 3, 1), "2", 2), QStringList({"2/1 11 1 501", "2/1 11 16 502", "2/2 11 1 503", "2/2 11 16 504"}));
}

TEST_F(Pendencias, DocumentoRegistradoCobreSoASuaVaga)
{
    Documento(600, 2, 1, 10, "2027-03-31");  // monthly: the month's last day
    Documento(601, 2, 1, 11, "2027-03-10");  // fortnightly: both slots
    Documento(602, 2, 1, 12, "2027-03-25");  // ten-daily: the 21st only
    Documento(603, 2, 2, 11, "2027-03-25");  // fortnightly: the 16th only
    Documento(604, 2, 2, 10, "2027-02-28");  // another month: nothing
    Documento(605, 2, 2, 12, "2027-04-01");
    EXPECT_EQ(Calcular(QDate(2027, 3, 1), "2"),
              QStringList({"2/1 12 1 606", "2/1 12 11 607", "2/2 10 1 608", "2/2 11 1 609", "2/2 12 1 610", "2/2 12 11 611",
                           "2/2 12 21 612"}));
    // February of a leap year: the 29th stands for the month and for the
    // second fortnight (13 days from the 16th), and for the 21st (8 days).
    Documento(700, 2, 1, 11, "2028-02-29");
    Documento(701, 2, 1, 12, "2028-02-29");
    EXPECT_EQ(Calcular(QDate(2028, 2, 1), "2;3", 0).filter("2/1 "), QStringList({"2/1 11 1 702", "2/1 12 1 703", "2/1 12 11 704"}));
}

TEST_F(Pendencias, BaixaJustificadaTiraAVagaEFiliaisSemNadaDizemPorque)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCBAIXAJUST (CODIGOEMPRESA, CODIGOESTAB, CODIGOTIPODOC, DATALCTOPRO, MOTIVO, CODIGOUSUARIO, DATAHORA, "
                      "ORIGEMDADO) values (2, 2, 12, '2027-03-11', 'Sem movimento', 1, '2027-03-12 10:00:00', 1), "
                      "(2, 2, 10, '2027-06-01', 'Outro mês', 1, '2027-06-02 10:00:00', 1)");
    Documento(600, 2, 1, 11, "2027-03-10");
    Documento(601, 2, 1, 12, "2027-03-05");
    Documento(602, 2, 1, 12, "2027-03-20");
    Documento(603, 2, 1, 10, "2027-03-02");
    QList<TLyrFilialSemPendencia> semPendencia;
    const QList<TLyrDocPendente> pendentes = CalcularPendencias({QDate(2027, 3, 1), {}, {}, 0}, 1, &semPendencia);
    EXPECT_EQ(Linhas(pendentes), QStringList({"2/2 10 1 1", "2/2 11 1 2", "2/2 11 16 3", "2/2 12 1 4", "2/2 12 21 5"}));
    QStringList motivos;
    for (const TLyrFilialSemPendencia& filial : semPendencia)
        motivos.append(QStringLiteral("%1/%2 %3").arg(filial.empresa).arg(filial.estab).arg(filial.motivo));
    EXPECT_EQ(motivos, QStringList({"2/1 Todos os documentos esperados nesta competência já foram entregues.",
                                    "3/1 Grupo 2 não possui tipos de documentos associados a ele!",
                                    "4/1 Filial não possui configuração de entrega!"}));
    // In a month where none of group 1's types is due for the period asked.
    semPendencia.clear();
    EXPECT_TRUE(CalcularPendencias({QDate(2027, 4, 1), "2", "1", 1}, 1, &semPendencia).isEmpty());
    ASSERT_EQ(semPendencia.size(), 1);
    EXPECT_EQ(semPendencia.first().motivo, "Nenhum tipo de documento do grupo 1 é esperado nesta competência.");
    EXPECT_FALSE(Recusa([] { CalcularPendencias({QDate(2027, 4, 1), "2) or (1=1", {}, 0}, 1); }).isEmpty());
}
