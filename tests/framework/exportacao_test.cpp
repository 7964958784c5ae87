// The rows of a grid exported as shown: visible columns, titles, value-list
// names and formats, to CSV and to an Excel workbook.
#include "clientdataset.h"
#include "decimal.h"
#include "erros.h"
#include "exportacao.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

// Two rows of a protocol list: a code, a name with the separator in it, an
// amount with its format, a date, a status from a list, a hidden column.
void Preencher(TnClientDataSet& ds)
{
    ds.AddField<TnIntegerField>("CODIGO").SetDisplayLabel("Código");
    ds.AddField<TnStringField>("NOME", 50).SetDisplayLabel("Nome");
    TnField& valor = ds.AddField<TnFMTBCDField>("VALOR", 18, 2);
    valor.SetDisplayLabel("Valor");
    valor.SetDisplayFormat("#,##0.00");
    ds.AddField<TnDateField>("DATA").SetDisplayLabel("Data");
    TnField& situacao = ds.AddField<TnSmallIntField>("SITUACAO");
    situacao.SetDisplayLabel("Situação");
    situacao.Definicao().NomesValores = {"Aberto=1", "Baixado=2"};
    ds.AddField<TnStringField>("INTERNO", 10).SetVisible(false);
    ds.CreateDataSet();
    ds.AppendRecord({1, "Padaria; Silva", QVariant::fromValue(TnDecimal::DeTexto(u"1234.56")), QDate(2026, 12, 8), 2, "x"});
    ds.AppendRecord({2, "Mercado \"Bom\"", QVariant(), QVariant(), 1, "y"});
}

QString Ler(const QString& arquivo, const QString& parte = {})
{
    if (parte.isEmpty()) {
        QFile csv(arquivo);
        return csv.open(QIODevice::ReadOnly) ? QString::fromUtf8(csv.readAll()) : QString();
    }
    QProcess unzip;
    unzip.start("unzip", {"-p", arquivo, parte});
    unzip.waitForFinished();
    return QString::fromUtf8(unzip.readAllStandardOutput());
}

} // namespace

TEST(Exportacao, CsvEPlanilhaComoAGradeMostra)
{
    TnClientDataSet ds("Protocolos");
    Preencher(ds);
    QTemporaryDir pasta;
    ExportarCsv(ds, pasta.filePath("p.csv"));
    EXPECT_EQ(Ler(pasta.filePath("p.csv")), QString::fromUtf8("\xEF\xBB\xBF") + "Código;Nome;Valor;Data;Situação\r\n"
                                                                            "1;\"Padaria; Silva\";1.234,56;08/12/2026;Baixado\r\n"
                                                                            "2;\"Mercado \"\"Bom\"\"\";;;Aberto\r\n");

    ExportarXlsx(ds, pasta.filePath("p.xlsx"));
    const QString textos = Ler(pasta.filePath("p.xlsx"), "xl/sharedStrings.xml");
    for (const char* texto : {"Código", "Situação", "Padaria; Silva", "Baixado", "Aberto"})
        EXPECT_TRUE(textos.contains(QString::fromUtf8(texto))) << texto;
    EXPECT_FALSE(textos.contains("INTERNO")) << "hidden columns stay out";
    const QString planilha = Ler(pasta.filePath("p.xlsx"), "xl/worksheets/sheet1.xml");
    EXPECT_TRUE(planilha.contains("<v>1234.56</v>")) << "the amount as a number";
    EXPECT_TRUE(planilha.contains("<v>46364</v>")) << "the date as a date (days since 1900)";
    EXPECT_EQ(QDir(pasta.path()).entryList(QDir::Files), QStringList({"p.csv", "p.xlsx"})) << "nothing left behind";

    EXPECT_THROW(ExportarCsv(ds, pasta.filePath("nao/existe.csv")), EnErro);
    EXPECT_THROW(ExportarXlsx(ds, pasta.filePath("nao/existe.xlsx")), EnErro);
}
