// The group register on its screen: the group's fields above, its members
// in a grid under them, typed by keyboard.
#include "bancoteste.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "dialogosroteiro.h"
#include "frmcadastro.h"
#include "grade.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "registro.h"
#include "sqlservicos.h"
#include "tiposdoc.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

namespace {

class TelaGrupoDoc : public TesteDeTela {
protected:
    void SetUp() override
    {
        TesteDeTela::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoTipoDoc>());
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (4, 'Guia de FGTS', 1825, '1', 1, '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Mensal')");
    }
};

} // namespace

TEST_F(TelaGrupoDoc, DescricaoRepetidaAvisaEMembroDigitadoNaGradeTomaOGrupo)
{
    TnJanelaPrincipal janela;
    auto* tela = dynamic_cast<TnFrmCadastro*>(janela.AbrirClasse("TLyrDMProtocoloGrupoDoc"));
    ASSERT_NE(tela, nullptr);
    janela.show();
    QApplication::setActiveWindow(&janela);
    ASSERT_EQ(tela->GradesDetalhe().size(), 1u);
    TnGrade& membros = *tela->GradesDetalhe().front();
    EXPECT_EQ(membros.Modelo().ColunaDoCampo("CODIGOGRUPODOC"), -1) << "the group's code is not a column of its members";

    TnClientDataSet& grupos = tela->Cadastro().nClientDataSet;
    QWidget* descricao = tela->Controle("DESCRGRUPODOC")->Editor();
    descricao->setFocus();
    QTest::keyClick(descricao, Qt::Key_Insert);
    QTest::keyClicks(descricao, "Mensal");
    m_usuario->Esperar("Já existe cadastrado um grupo com a mesma descrição.", "OK");
    QTest::keyClick(descricao, Qt::Key_S, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(grupos.State(), TnDataSetState::dsInsert) << "the typed group is kept";
    qobject_cast<QLineEdit*>(descricao)->selectAll();
    QTest::keyClicks(descricao, "Trimestral");

    // Ins in the members stores the group first; the type typed in the cell
    // is stored with the group's code when the row is left.
    membros.setFocus();
    QTest::keyClick(&membros, Qt::Key_Insert);
    QCoreApplication::processEvents();
    EXPECT_EQ(Valor("select CODIGOGRUPODOC from PROTOCOLOGRUPODOC where DESCRGRUPODOC = 'Trimestral'").toInt(), 2);
    membros.FocarCampo("CODIGOTIPODOC");
    membros.edit(membros.currentIndex());
    auto* celula = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(celula, nullptr);
    QTest::keyClicks(celula, "4");
    QTest::keyClick(celula, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOGRUPOTIPODOC where CODIGOGRUPODOC = 2 and CODIGOTIPODOC = 4").toInt(), 1);
}
