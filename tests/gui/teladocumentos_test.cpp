// The document registers on their screens: a group's fields above, its
// members in a grid under them, typed by keyboard; a company document
// with its archived mark.
#include "bancoteste.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "docemp.h"
#include "dialogosroteiro.h"
#include "frmcadastro.h"
#include "grade.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "movimentodoc.h"
#include "protocoloindividual.h"
#include "registro.h"
#include "selecaolyr.h"
#include "sqlservicos.h"
#include "tiposdoc.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

class TelaDocumentos : public TesteDeTela {
protected:
    void SetUp() override
    {
        TesteDeTela::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloGrupoTipoDoc>());
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocMovimento>());
        nRegisterClass(InfoDaClasseLyr<TLyrDPGerarProIndividual>());
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (4, 'Guia de FGTS', 1825, '1', 1, '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Mensal')");
    }
};

} // namespace

TEST_F(TelaDocumentos, DescricaoRepetidaAvisaEMembroDigitadoNaGradeTomaOGrupo)
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

// The documents register opens on the period chosen; the red "Arquivado"
// beside the key follows the document shown.
TEST_F(TelaDocumentos, DocumentoArquivadoMostraSeuRotuloNaTela)
{
    nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocEmp>());
    m_host->Registro().FnDMSelecaoClass[13] = QStringLiteral("TLyrDMSelecao");
    nRegisterClass(InfoDaClasse<TLyrDMSelecao>());
    CadastrarFilial(2, 1);
    const QString documento = QStringLiteral(
        "insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
        "values (%1, 4, 2, 1, '%2', '%3')");
    ExecutarSQLDireto(documento.arg(1).arg("2026-11-03").arg("1"));
    ExecutarSQLDireto(documento.arg(2).arg("2026-12-03").arg("0"));
    ExecutarSQLDireto(documento.arg(3).arg("2027-01-03").arg("1"));
    TnJanelaPrincipal janela;
    m_usuario->EsperarSelecao({QDate(2026, 11, 1), QDate(2026, 12, 31)});
    auto* tela = dynamic_cast<TnFrmCadastro*>(janela.AbrirClasse("TLyrDMProtocoloDocEmp"));
    m_usuario->Verificar();
    ASSERT_NE(tela, nullptr);
    janela.show();
    TnClientDataSet& documentos = tela->Cadastro().nClientDataSet;
    EXPECT_EQ(documentos.RecordCount(), 2) << "the period chosen";
    auto* arquivado = tela->findChild<QLabel*>("lblArquivado");
    ASSERT_NE(arquivado, nullptr);
    EXPECT_EQ(arquivado->text(), "Arquivado");
    documentos.First();
    QCoreApplication::processEvents();
    EXPECT_TRUE(arquivado->isVisible());
    documentos.Next();
    QCoreApplication::processEvents();
    EXPECT_FALSE(arquivado->isVisible());
}
