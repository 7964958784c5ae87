// "Baixar Protocolo" on its screen: its dates shown whole, a pile of
// receipts scanned into the reader line (each code and Enter), Enter in the
// grid, Ctrl+Ins, and one save with the write-off data asked once per
// establishment.
#include "baixarprotocolo.h"
#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "modelodataset.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QStyle>
#include <QTabWidget>
#include <QTest>

namespace {

QColor CorDaLinha(TnGrade& grade, int linha)
{
    return grade.model()->data(grade.model()->index(linha, 0), Qt::ForegroundRole).value<QColor>();
}

} // namespace

class TelaBaixa : public TesteComBanco {};

TEST_F(TelaBaixa, LeitorMarcaOsLidosEnterInverteEGravaUmaVezPorFilial)
{
    auto& usuario = TnDialogosRoteiro::Instalar(*m_host);
    CadastrarFilial(2, 1);
    CadastrarFilial(3, 1);
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
    for (const auto& [codigo, empresa] : {std::pair{21, 2}, std::pair{22, 2}, std::pair{23, 3}, std::pair{24, 3}})
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, NATUREZAPRO, "
                          "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (:c, :e, 1, '2026-11-30', '1', '1', :h, 1, 2)",
                          {codigo, empresa, QDateTime(QDate(2026, 11, 30), QTime(9, 0))});
    TLyrDPBaixarProtocolo processo;
    processo.DataModuleCreate();
    TnFrmPowerParam tela(processo);
    tela.show();
    QApplication::setActiveWindow(&tela);
    auto* abas = tela.findChild<QTabWidget*>();
    ASSERT_NE(abas, nullptr);
    EXPECT_EQ(abas->tabText(abas->indexOf(tela.Aba(0))), "Protocolos a Baixar");
    tela.Acao("actExecutar")->trigger();
    TnGrade& grade = tela.Grade();
    ASSERT_EQ(grade.model()->rowCount(), 4);
    // Dates are shown whole: the column holds the text with the margins the
    // style leaves on each side of it and the grid line.
    const int data = grade.Modelo().ColunaDoCampo("DATALCTOPRO");
    const int margens = 2 * (grade.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grade) + 1) + 1;
    const QString texto = grade.model()->index(0, data).data().toString();
    EXPECT_EQ(texto, "30/11/2026");
    EXPECT_GE(grade.columnWidth(data), grade.fontMetrics().horizontalAdvance(texto) + margens);

    // Two receipts scanned, one unknown: the reader keeps the focus and the marks.
    QLineEdit* leitor = tela.Leitor();
    ASSERT_NE(leitor, nullptr);
    leitor->setFocus();
    usuario.Esperar("Protocolo 99 não está entre os protocolos a baixar.", "OK");
    for (const char* lido : {"22", "99", "23"}) {
        QTest::keyClicks(leitor, QLatin1String(lido));
        QTest::keyClick(leitor, Qt::Key_Return);
    }
    usuario.Verificar();
    EXPECT_TRUE(leitor->text().isEmpty());
    EXPECT_TRUE(leitor->hasFocus());
    EXPECT_EQ(CorDaLinha(grade, 1), QColor(0, 128, 0));
    EXPECT_EQ(CorDaLinha(grade, 2), QColor(0, 128, 0));
    EXPECT_NE(CorDaLinha(grade, 0), QColor(0, 128, 0));

    // Enter in the grid inverts the current row: 23 unmarked, 24 marked.
    grade.setFocus();
    grade.setCurrentIndex(grade.model()->index(2, 0));
    QTest::keyClick(&grade, Qt::Key_Return);
    grade.setCurrentIndex(grade.model()->index(3, 0));
    QTest::keyClick(&grade, Qt::Key_Return);
    EXPECT_NE(CorDaLinha(grade, 2), QColor(0, 128, 0));
    EXPECT_EQ(CorDaLinha(grade, 3), QColor(0, 128, 0));

    usuario.EsperarDadosBaixa("Maria").EsperarDadosBaixa("José");
    tela.Acao("actGravar")->trigger();
    usuario.Verificar();
    EXPECT_EQ(Valor("select USUARIOEXT from PROTOCOLO where CODIGOPROTOCOLO = 22").toString(), "Maria");
    EXPECT_EQ(Valor("select USUARIOEXT from PROTOCOLO where CODIGOPROTOCOLO = 24").toString(), "José");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where DATAHORABAIXA is null").toInt(), 2);
    EXPECT_EQ(grade.model()->rowCount(), 2) << "written off rows leave the grid";

    // Ctrl+Ins marks every row that is left.
    grade.setFocus();
    QTest::keyClick(&grade, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(CorDaLinha(grade, 0), QColor(0, 128, 0));
    EXPECT_EQ(CorDaLinha(grade, 1), QColor(0, 128, 0));
}
