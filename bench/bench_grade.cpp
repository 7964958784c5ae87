// lyr_bench_grade [--linhas N] [--vezes N]
//
// Appends and posts rows one by one into a dataset shown in an editable grid
// (offscreen), against the same rows into the same dataset with no view, and
// prints the ratio: what keeping a grid in step with each posted row costs.
// The grid catches up with the rows and paints once, at the next turn of the
// event loop: that turn is printed on its own and with the rows.

#include "clientdataset.h"
#include "grade.h"
#include "medicao.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDate>

namespace {
void PrepararCampos(TnClientDataSet& dataSet)
{
    dataSet.AddField<TnIntegerField>("CODIGO");
    dataSet.AddField<TnStringField>("DESCRICAO", 40);
    dataSet.AddField<TnDateField>("DATA");
    dataSet.AddField<TnFMTBCDField>("VALOR", 18, 2);
    dataSet.CreateDataSet();
    dataSet.SetIndexFieldNames("CODIGO");
}

// Rows as a screen types them: each one appended, filled and posted.
void Gravar(TnClientDataSet& dataSet, int linhas)
{
    TnField& codigo = dataSet.FieldByName("CODIGO");
    TnField& descricao = dataSet.FieldByName("DESCRICAO");
    TnField& data = dataSet.FieldByName("DATA");
    TnField& valor = dataSet.FieldByName("VALOR");
    for (int i = 0; i < linhas; ++i) {
        dataSet.Append();
        codigo.SetValue(i + 1);
        descricao.SetValue(QStringLiteral("Linha %1").arg(i + 1));
        data.SetValue(QDate(2026, 12, 1).addDays(i % 28));
        valor.SetValue(QStringLiteral("%1.50").arg(i));
        dataSet.Post();
    }
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication aplicacao(argc, argv);
    QCommandLineParser argumentos;
    argumentos.addOptions({{"linhas", "Linhas gravadas.", "N", "1000"}, {"vezes", "Vezes que cada caso roda (vale a melhor).", "N", "5"}});
    argumentos.process(aplicacao);
    Vezes() = std::max(1, argumentos.value("vezes").toInt());
    const int linhas = std::max(1, argumentos.value("linhas").toInt());

    TnClientDataSet semVista(QStringLiteral("SemVista"));
    PrepararCampos(semVista);
    TnClientDataSet naGrade(QStringLiteral("NaGrade"));
    PrepararCampos(naGrade);
    TnGrade grade(naGrade, true);
    grade.resize(800, 600);
    grade.show();
    QCoreApplication::processEvents();
    const auto esvaziar = [&] {
        naGrade.EmptyDataSet();
        QCoreApplication::processEvents();
    };
    const auto [comGrade, semGrade] = MedirEmTurnos({esvaziar, [&] { Gravar(naGrade, linhas); }},
                                                    {[&] { semVista.EmptyDataSet(); }, [&] { Gravar(semVista, linhas); }});
    // The turn after: the cursor follows the last row, the rows changed are
    // told, and the visible rows are painted.
    const double vez = Medir([&] {
        esvaziar();
        Gravar(naGrade, linhas);
    }, [] { QCoreApplication::processEvents(); });

    Relatar(QStringLiteral("gravar linhas uma a uma numa grade"), linhas, comGrade, semGrade, QStringLiteral("sem grade"));
    Relatar(QStringLiteral("  e a vez seguinte (seguir, pintar)"), linhas, comGrade + vez, semGrade, QStringLiteral("sem grade"));
    return 0;
}
