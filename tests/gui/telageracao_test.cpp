// "Gerar Protocolo" on its screen with the demo office: the protocols of the
// run with the items of the current one below them, marked with Ctrl+Enter,
// coloured as they are marked, and saved with the screen's "Gravar".
#include "bancoteste.h"
#include "classeshost.h"
#include "dmclientdataset.h"
#include "frmconsulta.h"
#include "janelaprincipal.h"
#include "demonstracao.h"
#include "dialogosdesktop.h"
#include "dialogosroteiro.h"
#include "frmpowerparam.h"
#include "gerarprotocolo.h"
#include "grade.h"
#include "modelodataset.h"
#include "olhardialogo.h"
#include "painelparametros.h"
#include "rodapegrade.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QDialog>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

namespace {

class TelaGeracao : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        TnDialogosRoteiro::Instalar(*m_host);
        GerarDemonstracao(Con(), {1, QDate(2026, 12, 6), 20261206}, Pacotes());
    }
};

QColor CorDaLinha(TnGrade& grade, int linha)
{
    return grade.model()->data(grade.model()->index(linha, 0), Qt::ForegroundRole).value<QColor>();
}

} // namespace

TEST_F(TelaGeracao, ItensDoProtocoloAtualMarcadosComCtrlEnterEGravados)
{
    TLyrDPGerarProtocolo processo;
    processo.DataModuleCreate();
    TnFrmPowerParam tela(processo);
    tela.show();
    QApplication::setActiveWindow(&tela);
    auto* itens = tela.findChild<TnGrade*>("gradeDetalhe");
    ASSERT_NE(itens, nullptr) << "the items grid opens under a protocol row";
    QStringList titulos;
    for (int coluna = 0; coluna < itens->model()->columnCount(); ++coluna)
        titulos.append(itens->model()->headerData(coluna, Qt::Horizontal).toString().replace(u'\n', u' '));
    EXPECT_EQ(titulos, (QStringList{"Tipo do Débito", "Descrição", "Competência", "Vencimento", "Valor R$", "Imposto", "Variação",
                                    "Protocolo", "Módulo"}));
    auto* abas = tela.findChild<QTabWidget*>();
    ASSERT_NE(abas, nullptr);
    EXPECT_EQ(abas->tabText(abas->indexOf(tela.Aba(0))), "Gerar Protocolo");
    tela.Grade().setFocus();
    QTest::keyClick(&tela.Grade(), Qt::Key_Plus);
    EXPECT_FALSE(itens->isVisible()) << "an empty grid opens nothing";

    processo.SetParam("pDataInicial", "01/11/2026");
    processo.SetParam("pDataFinal", "30/11/2026");
    processo.SetParam("pListarDebitos", "0");
    // One protocol per establishment, with its federal guides, GPS and FGTS.
    processo.SetParam("pTipo", "1;5;9");
    processo.SetParam("pFormaGer", "1");
    tela.Acao("actExecutar")->trigger();
    TnGrade& protocolos = tela.Grade();
    ASSERT_GT(protocolos.model()->rowCount(), 2);
    abas->setCurrentWidget(tela.Aba(0));

    // "+" on the second protocol opens its items under it, inside the grid,
    // with the focus in them and the sum of their values in the footer.
    tela.resize(900, 650);
    protocolos.setFocus();
    protocolos.setCurrentIndex(protocolos.model()->index(1, 0));
    QTest::keyClick(&protocolos, Qt::Key_Plus);
    EXPECT_EQ(protocolos.LinhaDoPainel(), 1);
    ASSERT_TRUE(itens->isVisible());
    EXPECT_TRUE(protocolos.viewport()->isAncestorOf(itens));
    EXPECT_GE(itens->mapTo(protocolos.viewport(), QPoint(0, 0)).y(), protocolos.rowViewportPosition(1) + protocolos.AlturaDaLinha());
    EXPECT_LT(protocolos.rowViewportPosition(2), protocolos.viewport()->height()) << "the next protocol follows the panel";
    EXPECT_GT(protocolos.rowViewportPosition(2), itens->mapTo(protocolos.viewport(), QPoint(0, itens->height())).y() - 1);
    EXPECT_EQ(QApplication::focusWidget(), itens);
    EXPECT_LE(itens->horizontalHeader()->length(), itens->viewport()->width()) << "the item columns fit the panel";
    const QVariant segundo = processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").Value();
    ASSERT_GT(itens->model()->rowCount(), 0);
    double soma = 0;
    for (int linha = 0; linha < processo.nClientDataSetDet.RecordCount(); ++linha) {
        EXPECT_EQ(processo.nClientDataSetDet.ValorNaLinha(linha, 0), segundo);
        soma += processo.nClientDataSetDet.ValorNaLinha(linha, processo.nClientDataSetDet.FieldByName("VALOR").Index()).toDouble();
    }
    auto* rodape = tela.findChild<TnRodapeGrade*>();
    ASSERT_NE(rodape, nullptr);
    const int colunaValor = itens->Modelo().ColunaDoCampo("VALOR");
    EXPECT_EQ(rodape->Texto(colunaValor), processo.nClientDataSetDet.FieldByName("VALOR").TextoExibicao(soma));
    EXPECT_TRUE(rodape->Texto(0).isEmpty());

    // Esc in the items closes them and gives the focus back to the protocol;
    // Ctrl+Down opens them again; moving to another protocol closes them,
    // leaving the items of the last one opened.
    QTest::keyClick(itens, Qt::Key_Escape);
    EXPECT_EQ(protocolos.LinhaDoPainel(), -1);
    EXPECT_FALSE(itens->isVisible());
    EXPECT_EQ(QApplication::focusWidget(), &protocolos);
    EXPECT_EQ(protocolos.rowHeight(1), protocolos.AlturaDaLinha());
    QTest::keyClick(&protocolos, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(protocolos.LinhaDoPainel(), 1);
    protocolos.setFocus();
    QTest::keyClick(&protocolos, Qt::Key_Down);
    EXPECT_EQ(protocolos.LinhaDoPainel(), -1);
    EXPECT_EQ(processo.nClientDataSetDet.ValorNaLinha(0, 0), segundo);
    QTest::keyClick(&protocolos, Qt::Key_Up);
    QTest::keyClick(&protocolos, Qt::Key_Plus);
    ASSERT_EQ(protocolos.LinhaDoPainel(), 1);
    protocolos.setFocus();

    // Ctrl+Enter on the protocol marks all its items: the row turns green.
    EXPECT_NE(CorDaLinha(protocolos, 1), QColor(0, 128, 0));
    QTest::keyClick(&protocolos, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(CorDaLinha(protocolos, 1), QColor(0, 128, 0));
    EXPECT_EQ(CorDaLinha(*itens, 0), QColor(0, 128, 0));
    // Ctrl+Enter on an item unmarks it, and the protocol is no longer all marked.
    itens->setFocus();
    itens->setCurrentIndex(itens->model()->index(0, 0));
    QTest::keyClick(itens, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_NE(CorDaLinha(*itens, 0), QColor(0, 128, 0));
    EXPECT_NE(CorDaLinha(protocolos, 1), QColor(0, 128, 0));
    EXPECT_EQ(protocolos.LinhaDoPainel(), 1) << "marking keeps the items open";
    EXPECT_TRUE(itens->isVisible());
    const int marcados = itens->model()->rowCount() - 1;
    ASSERT_GT(marcados, 0) << "the second protocol of the preview has more than one item";
    // The sign in the left margin opens and closes with the mouse.
    QHeaderView* margem = protocolos.verticalHeader();
    ASSERT_TRUE(margem->isVisible());
    const auto clicarNoSinal = [&](int linha) {
        QTest::mouseClick(margem->viewport(), Qt::LeftButton, {},
                          QPoint(margem->width() / 2, margem->sectionViewportPosition(linha) + protocolos.AlturaDaLinha() / 2));
    };
    clicarNoSinal(2);
    EXPECT_EQ(protocolos.LinhaDoPainel(), 2);
    EXPECT_EQ(processo.nClientDataSetDet.ValorNaLinha(0, 0), processo.nClientDataSet.ValorNaLinha(2, 0));
    clicarNoSinal(2);
    EXPECT_EQ(protocolos.LinhaDoPainel(), -1);

    // Rows reloaded under an open panel close it, and every row has its own
    // height back: Ctrl+Ins (twice, each toggles every mark) brings the
    // first protocol back as the current one, the save takes rows away.
    const auto alturasDeLinha = [&] {
        for (int linha = 0; linha < protocolos.model()->rowCount(); ++linha) {
            if (protocolos.rowHeight(linha) != protocolos.AlturaDaLinha())
                return false;
        }
        return true;
    };
    clicarNoSinal(1);
    ASSERT_EQ(protocolos.LinhaDoPainel(), 1);
    QTest::keyClick(itens, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(protocolos.LinhaDoPainel(), -1);
    EXPECT_FALSE(itens->isVisible());
    EXPECT_TRUE(alturasDeLinha());
    QTest::keyClick(&protocolos, Qt::Key_Insert, Qt::ControlModifier);
    clicarNoSinal(2);
    ASSERT_EQ(protocolos.LinhaDoPainel(), 2);
    const int antes = Valor("select count(*) from PROTOCOLOITEM").toInt();
    tela.Acao("actGravar")->trigger();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), antes + marcados);
    EXPECT_FALSE(processo.TemAlteracao());
    EXPECT_EQ(protocolos.LinhaDoPainel(), -1);
    EXPECT_FALSE(itens->isVisible());
    EXPECT_TRUE(alturasDeLinha());

    // "Todos" lists what was just delivered, in silver; under the cursor of
    // the focused items the row is silver too, not the selection's colour.
    processo.SetParam("pListarDebitos", "1");
    tela.Acao("actExecutar")->trigger();
    abas->setCurrentWidget(tela.Aba(0));
    processo.FiltrarItensDoProtocolo(false);
    ASSERT_TRUE(processo.nClientDataSetDet.Locate("PROTOCOLO", Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO")));
    ASSERT_TRUE(processo.nClientDataSet.Locate("CODIGOPROTOCOLO", processo.nClientDataSetDet.FieldByName("CODIGOPROTOCOLO").Value()));
    protocolos.setFocus();
    QTest::keyClick(&protocolos, Qt::Key_Plus);
    ASSERT_TRUE(itens->hasFocus());
    ASSERT_TRUE(processo.nClientDataSetDet.Locate("PROTOCOLO", Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO")));
    const int entregue = itens->currentIndex().row();
    ASSERT_GE(entregue, 0);
    EXPECT_EQ(CorDaLinha(*itens, entregue), QColor(192, 192, 192));
    const QImage imagem = itens->viewport()->grab().toImage();
    const int meio = itens->rowViewportPosition(entregue) + itens->rowHeight(entregue) / 2;
    int prateados = 0;
    for (int x = 0; x < imagem.width(); ++x)
        prateados += imagem.pixelColor(x, meio) == QColor(192, 192, 192) ? 1 : 0;
    EXPECT_GT(prateados, imagem.width() / 2) << "the selected row's background";
}

// The office's own documents: November's invoices and boletos generated and
// saved on the screen (Ctrl+Ins marks everything), then found in the
// financial consultation carrying the protocol that delivered them.
TEST_F(TelaGeracao, NotasEBoletosGeradosAparecemComOProtocoloNaConsulta)
{
    TLyrDPGerarProtocolo processo;
    processo.DataModuleCreate();
    TnFrmPowerParam tela(processo);
    tela.show();
    QApplication::setActiveWindow(&tela);
    processo.SetParam("pDataInicial", "01/11/2026");
    processo.SetParam("pDataFinal", "30/11/2026");
    processo.SetParam("pListarDebitos", "0");
    processo.SetParam("pTipo", "11;12");
    tela.Acao("actExecutar")->trigger();
    ASSERT_GT(tela.Grade().model()->rowCount(), 1);
    // Ctrl+Ins on the second protocol marks every item of the preview.
    tela.Grade().setFocus();
    tela.Grade().setCurrentIndex(tela.Grade().model()->index(1, 0));
    QTest::keyClick(&tela.Grade(), Qt::Key_Insert, Qt::ControlModifier);
    tela.Acao("actGravar")->trigger();
    EXPECT_EQ(processo.nClientDataSet.RecordCount(), 0) << "everything marked was written";

    RegistrarCadastrosHost();
    TnJanelaPrincipal janela;
    auto* consulta = dynamic_cast<TnFrmConsulta*>(janela.AbrirClasse("TnDCContaReceber"));
    ASSERT_NE(consulta, nullptr);
    TnClientDataSet& boletos = dynamic_cast<TnDMClientDataSet&>(consulta->DataModule()).nClientDataSet;
    const QVariant protocolo = Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO");
    ASSERT_TRUE(boletos.Locate("CODIGOPROTOCOLO", protocolo)) << "the last protocol written delivered a boleto or an invoice";
    const int coluna = consulta->Grade().model()->columnCount() - 2;
    EXPECT_EQ(consulta->Grade().model()->headerData(coluna, Qt::Horizontal).toString(), "Protocolo");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM I join CONTARECEBER C on C.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO and "
                    "C.SEQITEMPRO = I.SEQITEMPRO where I.CHAVEORIGEM like 'FIN;12;%'")
                  .toInt(),
              Valor("select count(*) from PROTOCOLOITEM where CHAVEORIGEM like 'FIN;12;%'").toInt());
}

// F4 in "Empresa" opens the company register to mark several rows (Shift+Down
// a range, Ctrl+Down moves on without marking, Ctrl+Space marks one more);
// Enter writes their codes after what was typed.
TEST_F(TelaGeracao, F4EmEmpresaMarcaVariasNaConsultaDoCadastro)
{
    m_host->SetDialogos(std::make_unique<TnDialogosDesktop>());
    TLyrDPGerarProtocolo processo;
    processo.DataModuleCreate();
    TnFrmPowerParam tela(processo);
    tela.show();
    QApplication::setActiveWindow(&tela);
    auto* empresa = qobject_cast<QLineEdit*>(tela.Parametros().Controle("pCodigoEmpresa"));
    ASSERT_NE(empresa, nullptr);
    empresa->setFocus();
    QTest::keyClicks(empresa, "9;");
    QString titulo;
    QString dica;
    const TnOlharDialogo olhar([&](QDialog& dialogo) {
        titulo = dialogo.windowTitle();
        if (auto* rotulo = dialogo.findChild<QLabel*>("dicaEscolhaMultipla"))
            dica = rotulo->text();
        TnGrade& grade = dialogo.findChild<TnFrmConsulta*>()->Grade();
        QTest::keyClick(&grade, Qt::Key_Down, Qt::ShiftModifier);
        QTest::keyClick(&grade, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(&grade, Qt::Key_Down, Qt::ControlModifier);
        QTest::keyClick(&grade, Qt::Key_Space, Qt::ControlModifier);
        QTest::keyClick(&grade, Qt::Key_Return);
    });
    QTest::keyClick(empresa, Qt::Key_F4);
    EXPECT_EQ(titulo, "Empresa");
    EXPECT_TRUE(dica.startsWith("Ctrl+clique")) << dica.toStdString();
    QStringList codigos;
    TnSQLDataSet empresas(Con());
    empresas.SetCommandText(QStringLiteral("select CODIGOEMPRESA from EMPRESA order by CODIGOEMPRESA"));
    empresas.Open();
    for (int linha = 0; !empresas.Eof() && linha < 4; ++linha, empresas.Next()) {
        if (linha != 2)
            codigos.append(empresas.FieldByName("CODIGOEMPRESA").AsString());
    }
    EXPECT_EQ(empresa->text(), "9;" + codigos.join(u';')) << "rows 1, 2 and 4 of the register";
    EXPECT_EQ(processo.Param("pCodigoEmpresa"), empresa->text());
    EXPECT_EQ(tela.focusWidget(), empresa) << "the focus comes back to the parameter";
}
