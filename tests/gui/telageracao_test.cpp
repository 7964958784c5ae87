// "Gerar Protocolo" on its screen with the demo office: the protocols of the
// run with the items of the current one below them, marked with Ctrl+Enter,
// coloured as they are marked, and saved with the screen's "Gravar".
#include "bancoteste.h"
#include "classeshost.h"
#include "dmclientdataset.h"
#include "frmconsulta.h"
#include "janelaprincipal.h"
#include "demonstracao.h"
#include "dialogosroteiro.h"
#include "frmpowerparam.h"
#include "gerarprotocolo.h"
#include "grade.h"
#include "modelodataset.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QTabWidget>
#include <QTest>

namespace {

class TelaGeracao : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        TnDialogosRoteiro::Instalar(*m_host);
        GerarDemonstracao(Con(), {1, QDate(2026, 12, 6), 20261206});
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
    ASSERT_NE(itens, nullptr) << "the items grid sits below the protocols";
    EXPECT_GT(itens->model()->columnCount(), 5);
    auto* abas = tela.findChild<QTabWidget*>();
    ASSERT_NE(abas, nullptr);
    EXPECT_EQ(abas->tabText(abas->indexOf(tela.Aba(0))), "Gerar Protocolo");

    processo.SetParam("pDataInicial", "01/11/2026");
    processo.SetParam("pDataFinal", "30/11/2026");
    processo.SetParam("pListarDebitos", "0");
    processo.SetParam("pTipo", "1");
    tela.Acao("actExecutar")->trigger();
    TnGrade& protocolos = tela.Grade();
    ASSERT_GT(protocolos.model()->rowCount(), 1);

    // The items grid follows the protocol row.
    protocolos.setFocus();
    protocolos.setCurrentIndex(protocolos.model()->index(1, 0));
    QCoreApplication::processEvents();
    const QVariant segundo = processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").Value();
    ASSERT_GT(itens->model()->rowCount(), 0);
    for (int linha = 0; linha < processo.nClientDataSetDet.RecordCount(); ++linha)
        EXPECT_EQ(processo.nClientDataSetDet.ValorNaLinha(linha, 0), segundo);

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
    const int marcados = itens->model()->rowCount() - 1;

    const int antes = Valor("select count(*) from PROTOCOLOITEM").toInt();
    tela.Acao("actGravar")->trigger();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), antes + marcados);
    EXPECT_FALSE(processo.TemAlteracao());
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
    // On the second protocol: the items grid below shows only its items.
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
