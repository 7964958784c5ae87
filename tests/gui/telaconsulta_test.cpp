// The written-off protocols query on its screen: its grid's pop-up menu and
// Ctrl+Enter open the row's protocol in its register, which the desktop
// shows in a modal dialog.
#include "bancoteste.h"
#include "classeslyr.h"
#include "consultaprotocolo.h"
#include "dialogosdesktop.h"
#include "dialogosroteiro.h"
#include "dmclientdataset.h"
#include "frmcadastro.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "olhardialogo.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenu>
#include <QTest>

class TelaConsulta : public TesteComBanco {};

TEST_F(TelaConsulta, MenuDaGradeECtrlEnterAbremOProtocolo)
{
    auto& usuario = TnDialogosRoteiro::Instalar(*m_host);
    for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>()})
        nRegisterClass(info);
    CadastrarFilial(2, 1);
    for (int codigo : {51, 52})
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, FORMAENTREGA, "
                          "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO, DATAHORABAIXA) values (:c, 2, 1, '2026-11-30', '1', '1', "
                          "'2026-11-30 09:00:00', 1, 2, '2026-12-01 10:00:00')",
                          {codigo});
    TLyrDPConsultaProtocoloBaixado consulta;
    consulta.DataModuleCreate();
    TnFrmPowerParam tela(consulta);
    tela.show();
    QApplication::setActiveWindow(&tela);
    consulta.SetParam("pCodigoProtocolo", "51-52");
    tela.Acao("actExecutar")->trigger();
    TnGrade& grade = tela.Grade();
    ASSERT_EQ(grade.model()->rowCount(), 2);

    QList<qint64> abertos;
    const auto olhar = [&](TnDMClientDataSet& cadastro) { abertos.append(cadastro.FieldByName("CODIGOPROTOCOLO").AsLargeInt()); };
    grade.setFocus();
    grade.setCurrentIndex(grade.model()->index(1, 0));
    std::unique_ptr<QMenu> menu = grade.CriarMenuDeContexto();
    ASSERT_NE(menu, nullptr);
    // The query's own entry, then (after a separator) the export of the rows.
    ASSERT_EQ(menu->actions().size(), 4);
    EXPECT_EQ(menu->actions().front()->text(), "Abrir Cadastro do Lançamento");
    EXPECT_EQ(menu->actions().last()->text(), "Exportar para CSV...");
    usuario.EsperarCadastro("Protocolo", olhar).Esperar("As alterações feitas no cadastro", "Ok");
    menu->actions().front()->trigger();
    grade.setCurrentIndex(grade.model()->index(0, 0));
    usuario.EsperarCadastro("Protocolo", olhar);
    QTest::keyClick(&grade, Qt::Key_Return, Qt::ControlModifier);
    usuario.Verificar();
    EXPECT_EQ(abertos, QList<qint64>({52, 51}));
}

// On the desktop the protocol opens in a modal dialog holding its register's
// screen, on that protocol alone; closing it returns to the query.
TEST_F(TelaConsulta, NoDesktopOProtocoloAbreNumDialogoComOCadastro)
{
    for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>()})
        nRegisterClass(info);
    CadastrarFilial(2, 1);
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, "
                      "CODIGOUSUARIO, ORIGEMDADO) values (61, 2, 1, '2026-11-30', '1', '2026-11-30 09:00:00', 1, 2)");
    auto cadastro = CriarDM<TnDMClientDataSet>("TLyrDMProtocolo");
    cadastro->Abrir({{"CODIGOPROTOCOLO_IGUAL", 61}});
    cadastro->CriarDetalhe();
    TnDialogosDesktop desktop;
    QString titulo;
    int linhas = -1;
    bool temTela = false;
    // Looks at the dialog once it is up, then closes it.
    const TnOlharDialogo olhar([&](QDialog& dialogo) {
        titulo = dialogo.windowTitle();
        temTela = dialogo.findChild<TnFrmCadastro*>() != nullptr;
        linhas = cadastro->nClientDataSet.RecordCount();
        dialogo.reject();
    });
    desktop.MostrarCadastro(*cadastro);
    EXPECT_EQ(titulo, "Protocolo");
    EXPECT_TRUE(temTela);
    EXPECT_EQ(linhas, 1);
}
