// The delivery configuration on its screen, by keyboard: the list run, a row
// configured with Ctrl+T, a cell typed, and Ctrl+S saving it all.
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "configuracaoentrega.h"
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
