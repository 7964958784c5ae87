// "Baixar Protocolo" on its screen: its dates shown whole, a pile of
// receipts scanned into the reader line (each code and Enter), Enter in the
// grid, Ctrl+Ins, and one save with the write-off data asked once per
// establishment.
#include "baixarprotocolo.h"
#include "bancoteste.h"
#include "classeslyr.h"
#include "dialogosdesktop.h"
#include "dialogosroteiro.h"
#include "frmcadastro.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "historicopro.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "olhardialogo.h"
#include "registro.h"
#include "sqlservicos.h"
#include "visaoprogresso.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTabWidget>
#include <QTest>

namespace {

QColor CorDaLinha(TnGrade& grade, int linha)
{
    return grade.model()->data(grade.model()->index(linha, 0), Qt::ForegroundRole).value<QColor>();
}

} // namespace

// Four protocols to write off (an item each), two establishments of two companies.
class TelaBaixa : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        CadastrarFilial(2, 1);
        CadastrarFilial(3, 1);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
        for (const auto& [codigo, empresa] : {std::pair{21, 2}, std::pair{22, 2}, std::pair{23, 3}, std::pair{24, 3}}) {
            const QVariantList valores = {codigo, empresa, QDateTime(QDate(2026, 11, 30), QTime(9, 0))};
            ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, NATUREZAPRO, "
                              "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (:c, :e, 1, '2026-11-30', '1', '1', :h, 1, 2)",
                              valores);
            ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, CODIGOUSUARIO, "
                              "DATAHORACADASTRO, ORIGEMDADO) values (:c, 1, 'Guia', '2026-11-30', 1, :h, 2)",
                              {codigo, valores[2]});
        }
    }

    TnDialogosRoteiro* m_usuario = nullptr;
};

TEST_F(TelaBaixa, LeitorMarcaOsLidosEnterInverteEGravaUmaVezPorFilial)
{
    TnDialogosRoteiro& usuario = *m_usuario;
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

    // The desktop's question: skip this establishment (Esc) or stop the
    // whole batch, with the progress window whole on the screen meanwhile.
    m_host->SetDialogos(std::make_unique<TnDialogosDesktop>(&tela));
    tela.move(300, 250);  // partly beyond the right and bottom edges
    QStringList botoes;
    QRect progresso;
    const TnOlharDialogo olhar([&](QDialog& dialogo) {
        for (QPushButton* botao : dialogo.findChildren<QPushButton*>())
            botoes.append(botao->text());
        for (QWidget* janela : QApplication::topLevelWidgets()) {
            if (qobject_cast<TnVisaoProgresso*>(janela) && janela->isVisible())
                progresso = janela->frameGeometry();
        }
        for (QPushButton* botao : dialogo.findChildren<QPushButton*>()) {
            if (botao->text() == "Interromper a baixa")
                botao->click();
        }
    });
    tela.Acao("actGravar")->trigger();
    EXPECT_EQ(botoes, QStringList({"Baixar", "Pular esta filial", "Interromper a baixa"}));
    EXPECT_TRUE(tela.screen()->availableGeometry().contains(progresso)) << progresso.x() << ',' << progresso.y();
    EXPECT_TRUE(progresso.intersects(tela.frameGeometry())) << "over the window it reports on";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where DATAHORABAIXA is null").toInt(), 2) << "nothing written off";
    EXPECT_EQ(CorDaLinha(grade, 0), QColor(0, 128, 0)) << "the marks stay";
    EXPECT_EQ(CorDaLinha(grade, 1), QColor(0, 128, 0));
}

// Leaving (Ctrl+Q, or closing the window) asks each screen about its unsaved
// work as closing its tab would, from the first tab on; "Cancelar" keeps
// that screen, the ones after it and the window open.
TEST_F(TelaBaixa, SairPerguntaACadaTelaEmOrdemEParaNoCancelar)
{
    m_host->Registro().ModulosCarregados.set(13);
    for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDPBaixarProtocolo>(), InfoDaClasseLyr<TLyrDMHistoricoPro>(),
                                       InfoDaClasseLyr<TLyrDCHistoricoPro>()})
        nRegisterClass(classe);
    TnJanelaPrincipal janela;
    janela.show();
    QApplication::setActiveWindow(&janela);
    auto* baixa = dynamic_cast<TnFrmPowerParam*>(janela.AbrirClasse("TLyrDPBaixarProtocolo"));
    ASSERT_NE(baixa, nullptr);
    baixa->Acao("actExecutar")->trigger();
    baixa->Grade().setFocus();
    QTest::keyClick(&baixa->Grade(), Qt::Key_Insert, Qt::ControlModifier);
    auto* historicos = dynamic_cast<TnFrmCadastro*>(janela.AbrirClasse("TLyrDMHistoricoPro"));
    ASSERT_NE(historicos, nullptr);
    TnClientDataSet& linhas = historicos->Cadastro().nClientDataSet;
    linhas.Append();
    linhas.FieldByName("DESCRISAOHISTPRO").SetValue("Extratos");
    ASSERT_NE(janela.AbrirClasse("TLyrDCHistoricoPro"), nullptr);

    m_usuario->Esperar("Existem alterações que não foram gravadas", "Não").Esperar("O registro está em edição", "Cancelar");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Q, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_TRUE(janela.isVisible());
    ASSERT_EQ(janela.Abas().count(), 2) << "the write-off closed, the register and the consultation stay";
    EXPECT_EQ(janela.Abas().currentWidget()->findChild<TnFormulario*>(), historicos) << "shown while it asked";
    EXPECT_EQ(linhas.State(), TnDataSetState::dsInsert);
    EXPECT_EQ(linhas.FieldByName("DESCRISAOHISTPRO").AsString(), "Extratos");

    m_usuario->Esperar("O registro está em edição", "Sim");
    EXPECT_TRUE(janela.close());
    m_usuario->Verificar();
    EXPECT_EQ(janela.Abas().count(), 0);
    EXPECT_EQ(Valor("select DESCRISAOHISTPRO from HISTORICOPRO").toString(), "Extratos");
}
