// The document registers on their screens: a group's fields above, its
// members in a grid under them, typed by keyboard; a company document
// with its archived mark and its movements typed in the grid under it.
#include "bancoteste.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "docemp.h"
#include "frmpowerparam.h"
#include "olhardialogo.h"
#include "painelparametros.h"
#include "dialogosdesktop.h"
#include "dialogosroteiro.h"
#include "frmcadastro.h"
#include "grade.h"
#include "impressao.h"
#include "informacoesdocemp.h"
#include "janelaprincipal.h"
#include "modelodataset.h"
#include "movimentodoc.h"
#include "protocoloindividual.h"
#include "registro.h"
#include "selecaolyr.h"
#include "sqlservicos.h"
#include "tiposdoc.h"
#include "visaoquadro.h"

#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QProcess>
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
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocEmp>());
        m_host->Registro().FnDMSelecaoClass[13] = QStringLiteral("TLyrDMSelecao");
        nRegisterClass(InfoDaClasse<TLyrDMSelecao>());
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (4, 'Guia de FGTS', 1825, '1', 1, '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Mensal')");
    }

    // The documents register opened from the window on the period chosen,
    // the window shown and active.
    TnFrmCadastro* AbrirDocumentos(TnJanelaPrincipal& janela, const QDate& de = QDate(2026, 12, 1), const QDate& ate = QDate(2026, 12, 31))
    {
        m_usuario->EsperarSelecao({de, ate});
        auto* tela = dynamic_cast<TnFrmCadastro*>(janela.AbrirClasse("TLyrDMProtocoloDocEmp"));
        m_usuario->Verificar();
        janela.show();
        QApplication::setActiveWindow(&janela);
        return tela;
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
    const QString documento = QStringLiteral(
        "insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
        "values (%1, 4, 2, 1, '%2', '%3')");
    ExecutarSQLDireto(documento.arg(1).arg("2026-11-03").arg("1"));
    ExecutarSQLDireto(documento.arg(2).arg("2026-12-03").arg("0"));
    ExecutarSQLDireto(documento.arg(3).arg("2027-01-03").arg("1"));
    TnJanelaPrincipal janela;
    TnFrmCadastro* tela = AbrirDocumentos(janela, QDate(2026, 11, 1));
    ASSERT_NE(tela, nullptr);
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

namespace {

// The local type chosen in its cell's list, as the user picks it.
void EscolherTipoLocal(TnGrade& grade, const QString& tipo)
{
    grade.FocarCampo("TIPOLOCAL");
    grade.edit(grade.currentIndex());
    auto* lista = qobject_cast<QComboBox*>(QApplication::focusWidget());
    ASSERT_NE(lista, nullptr);
    lista->setCurrentIndex(lista->findText(tipo));
}

void Digitar(TnGrade& grade, const char* campo, const QString& texto)
{
    grade.FocarCampo(campo);
    grade.edit(grade.currentIndex());
    auto* celula = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(celula, nullptr) << campo;
    QTest::keyClicks(celula, texto);
}

} // namespace

// A movement to the reception, then one out to the client: its department
// cell closed, the protocol made on the spot, its code shown in the grid;
// the first movement can no longer go.
TEST_F(TelaDocumentos, MovimentacoesDigitadasNaGradeEProtocoloFeitoNaHora)
{
    ExecutarSQLDireto("insert into DPTOESCRIT (CODIGODPTOESCRIT, DESCRDPTOESCRIT) values (5, 'Recepção')");
    ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                      "values (2, 1, 1, '1', '1')");
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, DESCRDOCEMP) "
                      "values (1, 4, 2, 1, '2026-12-01', 'Guia de FGTS de novembro')");
    TnJanelaPrincipal janela;
    TnFrmCadastro* tela = AbrirDocumentos(janela);
    ASSERT_NE(tela, nullptr);
    ASSERT_EQ(tela->GradesDetalhe().size(), 1u);
    TnGrade& movimentos = *tela->GradesDetalhe().front();
    TnClientDataSet& ds = movimentos.DataSet();

    movimentos.setFocus();
    QTest::keyClick(&movimentos, Qt::Key_Insert);
    Digitar(movimentos, "OBSERVACAO", "Recebido na portaria");
    EscolherTipoLocal(movimentos, "Interno");
    Digitar(movimentos, "CODIGODPTOESCRIT", "5");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Valor("select CODIGODPTOESCRIT from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = 1 and SEQDOCEMP = 1").toInt(), 5);

    // The local type's cell shows its drop-down button; a click on it drops the list.
    QTest::keyClick(&movimentos, Qt::Key_Insert);
    movimentos.FocarCampo("TIPOLOCAL");
    const QRect celula = movimentos.visualRect(movimentos.currentIndex());
    QTest::mouseClick(movimentos.viewport(), Qt::LeftButton, {}, QPoint(celula.right() - 4, celula.center().y()));
    QCoreApplication::processEvents();
    QWidget* aberta = QApplication::activePopupWidget();
    ASSERT_NE(aberta, nullptr) << "the list dropped";
    auto* lista = qobject_cast<QComboBox*>(aberta->parentWidget());
    ASSERT_NE(lista, nullptr);
    EXPECT_EQ(lista->parentWidget(), movimentos.viewport()) << "the cell's own list";
    lista->hidePopup();
    EscolherTipoLocal(movimentos, "Externo");
    movimentos.FocarCampo("OBSERVACAO");
    const int departamento = movimentos.Modelo().ColunaDoCampo("CODIGODPTOESCRIT");
    EXPECT_FALSE(movimentos.model()->flags(movimentos.model()->index(ds.RecNo() - 1, departamento)) & Qt::ItemIsEditable)
        << "an external movement has no department";
    Digitar(movimentos, "OBSERVACAO", "Devolvida ao cliente");
    QStringList mostrados;
    m_usuario->Esperar("Deseja gerar um protocolo desta movimentação?", "Sim")
        .EsperarProcesso("Gerar Protocolo Individual", [&](TnDMPowerParam& processo) {
            EXPECT_EQ(processo.Param("pDescricaoItem"), "Devolvida ao cliente");
            processo.Processar();
        });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    m_usuario->Verificar();
    const qint64 protocolo = Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO").toLongLong();
    ASSERT_GT(protocolo, 0);
    const int colunaProtocolo = movimentos.Modelo().ColunaDoCampo("CODIGOPROTOCOLO");
    EXPECT_EQ(movimentos.model()->index(1, colunaProtocolo).data().toLongLong(), protocolo) << "the code shown on the movement";
    EXPECT_FALSE(movimentos.model()->flags(movimentos.model()->index(1, colunaProtocolo)) & Qt::ItemIsEditable);

    // Ctrl+Del on the first movement, and on the second with its protocol.
    for (int linha : {0, 1}) {
        movimentos.setCurrentIndex(movimentos.model()->index(linha, colunaProtocolo));
        QCoreApplication::processEvents();
        m_usuario->Esperar("Confirma a exclusão do registro?", "Sim")
            .Esperar(linha == 0 ? "Somente é permitido excluir a última movimentação." : "Impossível excluir movimentação com Protocolo ativo.",
                     "OK");
        QTest::keyClick(&movimentos, Qt::Key_Delete, Qt::ControlModifier);
        m_usuario->Verificar();
    }
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO").toInt(), 2);
}

// Ctrl+I on a document shows where it is filed, its movements and the
// protocols that carried it; the grids share the height below the top panel.
TEST_F(TelaDocumentos, InformacoesDoDocumentoMostramArquivoMovimentosEProtocolos)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                      "values (7, 4, 2, 1, '2026-12-01', '1')");
    ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (1, 'Sala 1')");
    ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, COMPETINICIAL, COMPETFINAL, CODIGOLOCAL) "
                      "values (3, 2, 1, '2026-01-01', '2026-12-01', 1)");
    ExecutarSQLDireto("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE, DESCRENVELOPE) values (3, 12, 'FGTS')");
    ExecutarSQLDireto("insert into PROTOCOLODOCARQUIVO (CODIGOCAIXA, CODIGOENVELOPE, CODIGODOCEMP) values (3, 12, 7)");
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, DATALCTOPRO, DATAHORA, CODIGOUSUARIO, "
                      "ORIGEMDADO) values (7, 1, '1', '2026-12-01', '2026-12-02 09:00:00', 1, 2), "
                      "(7, 2, '2', '2026-12-01', '2026-12-03 10:00:00', 1, 2)");
    TnJanelaPrincipal janela;
    TnFrmCadastro* tela = AbrirDocumentos(janela);
    ASSERT_NE(tela, nullptr);
    bool visto = false;
    m_usuario->EsperarQuadro("Informações do Documento 7", [&](const TnQuadroInformacoes& quadro) {
        TnVisaoQuadro visao(quadro);
        visao.resize(608, 456);
        visao.show();
        EXPECT_EQ(visao.Editor("nDBEditEmp")->text(), "2 - Empresa 2");
        EXPECT_EQ(visao.Editor("nDBEditEnv")->text(), "3/12 - FGTS");
        EXPECT_EQ(visao.Editor("nDBEditLoc")->text(), "Sala 1");
        EXPECT_EQ(visao.Editor("nDBEditPer")->text(), "01/2026 a 12/2026");
        EXPECT_EQ(visao.Grade("nDBGridMovs")->model()->rowCount(), 2);
        EXPECT_EQ(visao.Grade("nDBGridDocs")->model()->rowCount(), 1);
        EXPECT_EQ(visao.PainelDaGrade("nDBGridProt")->height(), 117) << "(456 - 105) / 3";
        visao.resize(608, 110);
        EXPECT_EQ(visao.PainelDaGrade("nDBGridDocs")->height(), 1);
        visto = true;
    });
    tela->setFocus();
    QTest::keyClick(tela, Qt::Key_I, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_TRUE(visto);
}

// Labels printed from the register carry each document's code as a barcode
// a reader decodes; the code scanned into the code field finds the document.
TEST_F(TelaDocumentos, EtiquetasImpressasELidasDeVoltaNoCampoDoCodigo)
{
    for (int documento : {41, 42})
        ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) "
                                         "values (%1, 4, 2, 1, '2026-12-%2')").arg(documento).arg(documento - 30));
    TnJanelaPrincipal janela;
    TnFrmCadastro* tela = AbrirDocumentos(janela);
    ASSERT_NE(tela, nullptr);
    QList<TnRelatorio> mostrados;
    tela->SetMostrarRelatorio([&](const TnRelatorio& relatorio) { mostrados.append(relatorio); });
    m_usuario->EsperarEscolha("Imprimir", "Etiquetas dos documentos (impressora de etiquetas, 100 x 50 mm) - os 2 registro(s) da tela");
    tela->Imprimir();
    m_usuario->Verificar();
    ASSERT_EQ(mostrados.size(), 1);
    ASSERT_EQ(mostrados[0].paginas.size(), 2) << "one label per document";

    const QString pdf = QDir::temp().filePath(QStringLiteral("lyr_etiquetas_%1.pdf").arg(QCoreApplication::applicationPid()));
    GravarRelatorioPdf(mostrados[0], pdf);
    QProcess::execute("pdftoppm", {"-r", "200", "-png", "-f", "2", "-singlefile", pdf, pdf});
    QProcess leitor;
    leitor.start("zbarimg", {"-q", pdf + ".png"});
    ASSERT_TRUE(leitor.waitForFinished(30000));
    const QString lido = QString::fromUtf8(leitor.readAllStandardOutput()).trimmed();
    EXPECT_EQ(lido, "CODE-128:0000000042") << "the second page's label";
    QFile::remove(pdf);
    QFile::remove(pdf + ".png");

    TnClientDataSet& documentos = tela->Cadastro().nClientDataSet;
    documentos.First();
    QWidget* codigo = tela->Controle("CODIGODOCEMP")->Editor();
    codigo->setFocus();
    qobject_cast<QLineEdit*>(codigo)->selectAll();
    QTest::keyClicks(codigo, lido.section(u':', 1));
    QTest::keyClick(codigo, Qt::Key_Return);
    EXPECT_EQ(documentos.FieldByName("CODIGODOCEMP").AsInteger(), 42);
}

// On the desktop the individual protocol is a small dialog with only what
// the user may change; executing it writes the protocol and closes it.
TEST_F(TelaDocumentos, ProtocoloIndividualNoDesktopFechaAoGravar)
{
    auto processo = CriarDM<TnDMPowerParam>("TLyrDPGerarProIndividual");
    ASSERT_NE(processo, nullptr);
    processo->LimparParamsINI();
    for (const auto& [alias, valor] : {std::pair{"pCodigoEmpresa", "2"}, std::pair{"pCodigoEstab", "1"}, std::pair{"pDataLctoPro", "01/12/2026"},
                                       std::pair{"pCodigoDocumento", ""}, std::pair{"pCodFunc", ""}, std::pair{"pCodigoPro", ""}}) {
        TnpqParamItem& item = processo->npqPowerParam.ParamByAlias(alias);
        item.Value = QLatin1String(valor);
        item.ParType = TnParType::npqptFixo;
    }
    processo->SetParam("pNatureza", "1");
    TnDialogosDesktop desktop;
    QStringList mostrados;
    int altura = 0;
    const TnOlharDialogo olhar([&](QDialog& dialogo) {
        altura = dialogo.height();
        auto* tela = dialogo.findChild<TnFrmPowerParam*>();
        ASSERT_NE(tela, nullptr);
        for (QLineEdit* editor : tela->Parametros().findChildren<QLineEdit*>())
            mostrados.append(editor->objectName());
        auto* descricao = tela->Parametros().findChild<QLineEdit*>("pDescricaoItem");
        ASSERT_NE(descricao, nullptr);
        descricao->setFocus();
        QTest::keyClicks(descricao, "Contrato social");
        QTest::keyClick(descricao, Qt::Key_Tab);
        tela->Acao(processo->actExecutar->Name())->trigger();
    });
    desktop.MostrarProcesso(*processo, 200);
    EXPECT_GE(altura, 200);
    EXPECT_EQ(mostrados, QStringList({"pObservacao", "pDescricaoItem"})) << "the other shown parameters are lists";
    EXPECT_FALSE(processo->Param("pCodigoPro").isEmpty()) << "written, and the dialog closed itself";
    EXPECT_EQ(Valor("select DESCRITEM from PROTOCOLOITEM").toString(), "Contrato social");
}

// The movement rules refused from the grid: each message shown, the row
// left as typed (and nothing stored) until Esc.
TEST_F(TelaDocumentos, RecusasDasMovimentacoesNaGradeDeixamALinhaComoEstava)
{
    ExecutarSQLDireto("insert into DPTOESCRIT (CODIGODPTOESCRIT, DESCRDPTOESCRIT) values (5, 'Recepção'), (6, 'Fiscal')");
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) "
                      "values (1, 4, 2, 1, '2026-12-01')");
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, DATALCTOPRO, DATAHORA, "
                      "CODIGOUSUARIO, ORIGEMDADO) values (1, 1, '1', 5, '2026-12-01', '2026-12-02 09:00:00', 1, 2), "
                      "(1, 2, '1', 6, '2026-12-01', '2026-12-03 09:00:00', 1, 2)");
    TnJanelaPrincipal janela;
    TnFrmCadastro* tela = AbrirDocumentos(janela);
    ASSERT_NE(tela, nullptr);
    TnGrade& movimentos = *tela->GradesDetalhe().front();
    TnClientDataSet& ds = movimentos.DataSet();
    ASSERT_EQ(ds.RecordCount(), 2);
    const auto gravarRecusado = [&](const QString& mensagem, TnDataSetState estado) {
        m_usuario->Esperar(mensagem, "OK");
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
        m_usuario->Verificar();
        EXPECT_EQ(ds.State(), estado) << mensagem.toStdString();
        QTest::keyClick(&movimentos, Qt::Key_Escape);
        EXPECT_EQ(ds.State(), TnDataSetState::dsBrowse);
    };

    movimentos.setFocus();
    movimentos.setCurrentIndex(movimentos.model()->index(0, movimentos.Modelo().ColunaDoCampo("OBSERVACAO")));
    Digitar(movimentos, "OBSERVACAO", "corrigida");
    gravarRecusado("Somente é permitido alterar a última movimentação.", TnDataSetState::dsEdit);

    QTest::keyClick(&movimentos, Qt::Key_Insert);
    EscolherTipoLocal(movimentos, "Interno");
    Digitar(movimentos, "CODIGODPTOESCRIT", "6");
    gravarRecusado("O último movimento não pode ser igual ao que está sendo cadastrado.", TnDataSetState::dsInsert);

    ExecutarSQLDireto("update PROTOCOLODOCEMP set ARQUIVADO = '1'");
    QTest::keyClick(&movimentos, Qt::Key_Insert);
    EscolherTipoLocal(movimentos, "Interno");
    Digitar(movimentos, "CODIGODPTOESCRIT", "5");
    gravarRecusado("O tramite do documento foi encerrado, pois o mesmo já está guardado no envelope.", TnDataSetState::dsInsert);
    m_usuario->Esperar("Documento arquivado! Impossível gerar protocolo.", "OK");
    QTest::keyClick(&movimentos, Qt::Key_N, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO").toInt(), 2);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO where OBSERVACAO is not null").toInt(), 0);
}
