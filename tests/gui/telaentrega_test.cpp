// The delivery configuration on its screen, by keyboard: the list run, a row
// configured with Ctrl+T, a cell typed, and Ctrl+S saving it all; the
// pending documents ticked off and the dashboard of what is still owed.
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "configuracaoentrega.h"
#include "consultadocpendente.h"
#include "documentospendentes.h"
#include "painelpendencias.h"
#include "pendenciasteste.h"
#include "visaografico.h"
#include "dialogosroteiro.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTest>

TEST_F(TesteDeTela, ConfiguracaoDeEntregaPeloTeclado)
{
    RegistrarCadastrosHost();
    nRegisterClass(InfoDaClasseLyr<TLyrDPConfiguracaoEntrega>());
    for (int estab : {1, 2})
        CadastrarFilial(4, estab);
    ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Comércio'), (2, 'Serviços')");
    TnJanelaPrincipal janela;
    auto* tela = dynamic_cast<TnFrmPowerParam*>(janela.AbrirClasse("TLyrDPConfiguracaoEntrega"));
    ASSERT_NE(tela, nullptr);
    janela.show();
    QApplication::setActiveWindow(&janela);
    TnDMPowerParam& processo = tela->Processo();
    processo.SetParam("pCodigoEmpresa", "4");
    tela->Acao(processo.actExecutar->Name())->trigger();
    TnGrade& grade = tela->Grade();
    ASSERT_EQ(grade.model()->rowCount(), 2);
    EXPECT_FALSE(grade.model()->flags(grade.model()->index(0, grade.Modelo().ColunaDoCampo("CODIGOESTAB"))) & Qt::ItemIsEditable);

    // Ctrl+T on the first row: picked up, group 1.
    grade.setFocus();
    m_usuario->EsperarQuestionario("Informe as configurações!", {{"grupo", 1}, {"forma", "Retirado"}});
    QTest::keyClick(&grade, Qt::Key_T, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(grade.model()->index(0, grade.Modelo().ColunaDoCampo("FORMAENTREGA")).data().toString(), "Retirado")
        << "the list's name shown";

    // The second row: the group picked with F4 in its consultation, the
    // lists set, then the group typed over in its cell and saved with the
    // cell still open.
    processo.nClientDataSet.Last();
    QCoreApplication::processEvents();
    grade.FocarCampo("CODIGOGRUPODOC");
    m_usuario->EsperarConsulta("Grupo", {1});
    QTest::keyClick(&grade, Qt::Key_F4);
    m_usuario->Verificar();
    EXPECT_EQ(processo.nClientDataSet.FieldByName("CODIGOGRUPODOC").AsInteger(), 1);
    processo.nClientDataSet.Edit();
    processo.nClientDataSet.FieldByName("FORMAENTREGA").SetValue("3");
    processo.nClientDataSet.FieldByName("MESMOENDERECOENT").SetValue("1");
    processo.nClientDataSet.Post();
    QCoreApplication::processEvents();
    grade.FocarCampo("CODIGOGRUPODOC");
    grade.edit(grade.currentIndex());
    auto* celula = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(celula, nullptr);
    celula->selectAll();
    QTest::keyClicks(celula, "2");
    m_usuario->Esperar("Deseja realmente excluir as configurações antigas", "Sim").Esperar("Configuração gravada com sucesso!", "OK");
    tela->Acao(processo.actGravar->Name())->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from CFGESTABPRO where CODIGOEMPRESA = 4").toInt(), 2);
    EXPECT_EQ(Valor("select CODIGOGRUPODOC from CFGESTABPRO where CODIGOEMPRESA = 4 and CODIGOESTAB = 2").toInt(), 2);
}

namespace {

using TelaPendencias = ComPendencias<TesteDeTela>;

} // namespace

// The pending documents of March by keyboard and mouse: marks (Ctrl+M, a
// double click, Ctrl+Ins inverting every row), Enter and Ctrl+Del in the
// working list, a dismissal (Ctrl+J), the save; then the dashboard's bars.
TEST_F(TelaPendencias, DocumentosPendentesEPainelNaTela)
{
    RegistrarCadastrosHost();
    for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDPConsultaDocPendente>(), InfoDaClasseLyr<TLyrDPDocumentosPendentes>(),
                                       InfoDaClasseLyr<TLyrDPPainelPendencias>()})
        nRegisterClass(classe);
    TnJanelaPrincipal janela;
    auto* tela = dynamic_cast<TnFrmPowerParam*>(janela.AbrirClasse("TLyrDPDocumentosPendentes"));
    ASSERT_NE(tela, nullptr);
    janela.show();
    QApplication::setActiveWindow(&janela);
    TnDMPowerParam& processo = tela->Processo();
    processo.SetParam("pCompet", "03/2027");
    processo.SetParam("pCodigoEmpresa", "2");
    tela->Acao(processo.actExecutar->Name())->trigger();
    TnGrade& grade = tela->Grade();
    ASSERT_EQ(grade.model()->rowCount(), 12);
    EXPECT_EQ(grade.Modelo().ColunaDoCampo("CODIGOEMPRESA"), -1) << "one company: its column hidden";
    const auto recebido = [&](int linha) {
        return grade.model()->index(linha, grade.Modelo().ColunaDoCampo("RECEBIDO")).data().toString();
    };

    grade.setFocus();
    QTest::keyClick(&grade, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(recebido(0), "Sim");
    EXPECT_EQ(grade.model()->index(0, 0).data(Qt::ForegroundRole).value<QBrush>().color(), QColor("#008000")) << "received rows in green";
    const QRect celula = grade.visualRect(grade.model()->index(1, 0));
    // A double click is a click and then the second press.
    QTest::mouseClick(grade.viewport(), Qt::LeftButton, {}, celula.center());
    QTest::mouseDClick(grade.viewport(), Qt::LeftButton, {}, celula.center());
    EXPECT_EQ(recebido(1), "Sim");
    // Ctrl+Ins inverts each row: the two ticked are unticked, the rest ticked.
    QTest::keyClick(&grade, Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(recebido(0), "Não");
    EXPECT_EQ(recebido(11), "Sim");
    QTest::keyClick(&grade, Qt::Key_Insert, Qt::ControlModifier);

    // Enter walks the columns; Ctrl+Del drops a row of the working list
    // without asking (nothing is stored until the save).
    const int coluna = grade.currentIndex().column();
    QTest::keyClick(&grade, Qt::Key_Return);
    EXPECT_EQ(grade.currentIndex().column(), coluna + 1);
    processo.nClientDataSet.Last();
    QCoreApplication::processEvents();
    QTest::keyClick(&grade, Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(grade.model()->rowCount(), 11);

    // The third row is not due this month.
    processo.nClientDataSet.SetRecNo(3);
    QCoreApplication::processEvents();
    m_usuario->EsperarQuestionario("Baixa justificada", {{"motivo", "Sem movimento"}});
    QTest::keyClick(&grade, Qt::Key_J, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(grade.model()->rowCount(), 10);

    m_usuario->Esperar("Deseja realmente salvar estes documentos como entregues?", "Sim")
        .EsperarQuestionario("responsável", {{"usuario", 2}})
        .Esperar("Documentos gravados com sucesso!", "OK");
    tela->Acao(processo.actGravar->Name())->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(grade.model()->rowCount(), 8);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO where CODIGOUSUARIORESP = 2 and CODIGODOCEMP in (501, 502)").toInt(), 2);

    // The dashboard: the 9 still owed (the row dropped from the list is
    // owed still), as one company's bar.
    auto* painel = dynamic_cast<TnFrmPowerParam*>(janela.AbrirClasse("TLyrDPPainelPendencias"));
    ASSERT_NE(painel, nullptr);
    painel->Processo().SetParam("pCompet", "03/2027");
    painel->Acao(painel->Processo().actExecutar->Name())->trigger();
    auto* barras = painel->findChild<TnVisaoGrafico*>();
    ASSERT_NE(barras, nullptr);
    EXPECT_EQ(barras->Desenhado(), (QList<QPair<QString, double>>{{"2 - Empresa 2", 9.0}}));
}
