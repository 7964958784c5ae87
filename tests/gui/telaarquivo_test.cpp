// Routes and the archive on their screens: a route's stops reordered
// (Ctrl+Down, dragged with the mouse) and annotated (Enter on the
// observation), and
// documents marked for a box (Ctrl+M, the reader line) and saved.
#include "arquivardocs.h"
#include "arquivo.h"
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "configurarrota.h"
#include "dialogosroteiro.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QLineEdit>
#include <QTest>

namespace {

// A grid whose drop handler the test calls, as Qt would at the end of a drag.
class TnGradeArrastada : public TnGrade {
public:
    using TnGrade::TnGrade;
    void Soltar(int de, int para)
    {
        setCurrentIndex(model()->index(de, 0));
        std::unique_ptr<QMimeData> dados(model()->mimeData({model()->index(de, 0)}));
        QDropEvent soltar(visualRect(model()->index(para, 0)).center(), Qt::MoveAction, dados.get(), Qt::LeftButton, Qt::NoModifier);
        dropEvent(&soltar);
    }
};

TnFrmPowerParam* Abrir(TnJanelaPrincipal& janela, const QString& classe, const QList<QPair<QString, QString>>& parametros)
{
    auto* tela = dynamic_cast<TnFrmPowerParam*>(janela.AbrirClasse(classe));
    if (!tela)
        return nullptr;
    janela.show();
    QApplication::setActiveWindow(&janela);
    for (const auto& [alias, valor] : parametros)
        tela->Processo().SetParam(alias, valor);
    tela->Acao(tela->Processo().actExecutar->Name())->trigger();
    tela->Grade().setFocus();
    return tela;
}

} // namespace

TEST_F(TesteDeTela, RotaEArquivoPeloTeclado)
{
    RegistrarCadastrosHost();
    for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDPConfigurarRotaEntrega>(), InfoDaClasseLyr<TLyrDPArquivarDocs>(),
                                       InfoDaClasseLyr<TLyrDMProtocoloDocCaixa>()})
        nRegisterClass(classe);
    for (int estab : {1, 2, 3})
        CadastrarFilial(2, estab);
    ExecutarSQLDireto("insert into PROTOCOLOROTA (CODIGOROTA, DESCRROTA) values (1, 'Centro')");
    ExecutarSQLDireto("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB) values (1, 1, 2, 1), (1, 2, 2, 2), "
                      "(1, 3, 2, 3)");
    TnJanelaPrincipal janela;
    TnFrmPowerParam* rota = Abrir(janela, "TLyrDPConfigurarRotaEntrega", {{"pCodigoRota", "1"}});
    ASSERT_NE(rota, nullptr);
    TnGrade& paradas = rota->Grade();
    const auto estab = [&](int linha) { return paradas.model()->index(linha, paradas.Modelo().ColunaDoCampo("CodigoEstab")).data().toString(); };
    QTest::keyClick(&paradas, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(estab(0) + estab(1), "21") << "the first stop moved down";
    EXPECT_EQ(rota->Processo().nClientDataSet.RecNo(), 2) << "and still current";
    // Dragged with the mouse: the first stop dropped on the third's place, and back.
    {
        TnGradeArrastada arrastada(rota->Processo().nClientDataSet, true);
        arrastada.resize(600, 300);
        arrastada.show();
        ASSERT_TRUE(arrastada.model()->flags(arrastada.model()->index(0, 0)) & Qt::ItemIsDragEnabled);
        arrastada.Soltar(0, 2);
        EXPECT_EQ(estab(0) + estab(1) + estab(2), "132");
        arrastada.Soltar(2, 0);
        EXPECT_EQ(estab(0) + estab(1) + estab(2), "213");
    }
    rota->Processo().nClientDataSet.SetRecNo(2);
    QCoreApplication::processEvents();
    paradas.FocarCampo("Obs");
    m_usuario->EsperarQuestionario("Digite a observação:", {{"observacao", "Tocar a campainha"}});
    QTest::keyClick(&paradas, Qt::Key_Return);
    m_usuario->Verificar();
    m_usuario->Esperar("apagar a configuração da rota antiga", "Sim").Esperar("Configuração de rota gravada com sucesso!", "OK");
    rota->Acao(rota->Processo().actGravar->Name())->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select CODIGOESTAB from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 and SEQROTA = 2").toInt(), 1);
    EXPECT_EQ(Valor("select OBSERVACAO from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 and SEQROTA = 2").toString(), "Tocar a campainha");

    // A box of 2/1 and two of its documents: one marked with Ctrl+M, the
    // other by its label read on the reader line, then saved.
    ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (1, 'Sala 1')");
    ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL) values (1, 2, 1, 1)");
    ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, GERARENVELOPE) "
                      "values (1, 'Extratos', 0, '0', 0, '0')");
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) values "
                      "(41, 1, 2, 1, '2026-10-01', '0'), (42, 1, 2, 1, '2026-11-01', '0')");
    TnFrmPowerParam* arquivo = Abrir(janela, "TLyrDPArquivarDocs", {{"pCodigoCaixaPro", "1"}, {"pSomenteArq", "0"}});
    ASSERT_NE(arquivo, nullptr);
    TnGrade& documentos = arquivo->Grade();
    ASSERT_EQ(documentos.model()->rowCount(), 2);
    QTest::keyClick(&documentos, Qt::Key_M, Qt::ControlModifier);
    auto* leitor = arquivo->findChild<QLineEdit*>("leitor");
    ASSERT_NE(leitor, nullptr);
    leitor->setFocus();
    QTest::keyClicks(leitor, "0000000042");
    QTest::keyClick(leitor, Qt::Key_Return);
    const int status = documentos.Modelo().ColunaDoCampo("Status");
    EXPECT_EQ(documentos.model()->index(1, status).data().toString(), "A Arquivar");
    arquivo->Acao(arquivo->Processo().actGravar->Name())->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCARQUIVO where CODIGOCAIXA = 1").toInt(), 2);
    EXPECT_EQ(documentos.model()->index(0, status).data().toString(), "Arquivado") << "the box read again";
}
