// The protocol screen driven as an office drives it: keys sent to the widget
// that has the focus, through the screen's shortcuts.
#include "bancoteste.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "dialogosdesktop.h"
#include "dialogosroteiro.h"
#include "direitos.h"
#include "frmcadastro.h"
#include "grade.h"
#include "historicopro.h"
#include "impressao.h"
#include "janelaprincipal.h"
#include "lyrsfuncoes.h"
#include "modelodataset.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "questionario.h"
#include "selecaolyr.h"
#include "sqlservicos.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QSpinBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QTest>

namespace {

class TelaProtocolo : public TesteDeTela {
protected:
    void SetUp() override
    {
        TesteDeTela::SetUp();
        for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>(),
                                          InfoDaClasseLyr<TLyrDCHistoricoPro>()})
            nRegisterClass(info);
        m_host->Registro().FnDMSelecaoClass[13] = QStringLiteral("TLyrDMSelecao");
        nRegisterClass(InfoDaClasse<TLyrDMSelecao>());
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'demo', 'Usuário de Demonstração')");
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        // Protocols 7 and 8 of establishment 2/1, each with one active item.
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, CODIGOUSUARIO, "
                          "NATUREZAPRO, CANCELADO, ORIGEMDADO) values (7, 2, 1, '2026-12-01', '2', '2026-12-01', 1, '1', '0', 2), "
                          "(8, 2, 1, '2026-12-01', '2', '2026-12-01', 1, '1', '0', 2)");
        for (int codigo : {7, 8})
            CadastrarItem(codigo, 1, "Contrato social");
        m_janela = std::make_unique<TnJanelaPrincipal>();
    }

    void TearDown() override
    {
        m_janela.reset();
        TesteComBanco::TearDown();
    }

    // The protocol screen of December, shown and active so that shortcuts work.
    TnFrmCadastro& Abrir()
    {
        m_usuario->EsperarSelecao({QDate(2026, 12, 1), QDate(2026, 12, 31)});
        m_tela = dynamic_cast<TnFrmCadastro*>(m_janela->AbrirClasse("TLyrDMProtocolo"));
        EXPECT_NE(m_tela, nullptr);
        m_janela->show();
        QApplication::setActiveWindow(m_janela.get());
        return *m_tela;
    }

    TnGrade& Itens() const { return *m_tela->GradesDetalhe().front(); }
    TnClientDataSet& Cabecalho() const { return m_tela->Cadastro().nClientDataSet; }
    TnClientDataSet& LinhasItens() const { return Itens().DataSet(); }

    // Puts the focus in the items grid on that field's cell of the current row.
    void FocarItens(const char* campo = "DESCRITEM")
    {
        Itens().setFocus();
        Itens().FocarCampo(campo);
        QCoreApplication::processEvents();
    }

    // Opens the current cell's editor and types into it, without leaving it.
    QLineEdit* DigitarNaCelula(const char* campo, const QString& texto)
    {
        FocarItens(campo);
        Itens().edit(Itens().currentIndex());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        EXPECT_NE(editor, nullptr);
        if (editor) {
            editor->selectAll();
            QTest::keyClicks(editor, texto);
        }
        return editor;
    }

    // An item of the protocol typed on its date by user 1.
    static void CadastrarItem(int protocolo, int seq, const QString& descricao, bool cancelado = false)
    {
        ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, CANCELADO, CODIGOUSUARIO, "
                          "DATAHORACADASTRO, ORIGEMDADO) values (:p, :s, :d, '2026-12-01', :c, 1, '2026-12-01', 2)",
                          {protocolo, seq, descricao, cancelado ? "1" : "0"});
    }

    std::unique_ptr<TnJanelaPrincipal> m_janela;
    TnFrmCadastro* m_tela = nullptr;
};

} // namespace

TEST_F(TelaProtocolo, TeclasDaGradeDeItensAgemNosItens)
{
    TnFrmCadastro& tela = Abrir();
    ASSERT_EQ(Cabecalho().FieldByName("CODIGOPROTOCOLO").AsInteger(), 7);
    FocarItens();
    EXPECT_EQ(&tela.RegistroComFoco(), tela.Cadastro().Detalhes().front().get());

    m_usuario->Esperar("Confirma a exclusão do registro?", "Sim");
    QTest::keyClick(&Itens(), Qt::Key_Delete, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 2) << "Ctrl+Del in the items deletes no protocol";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), 2) << "and no item";

    QTest::keyClick(&Itens(), Qt::Key_Insert);
    EXPECT_EQ(LinhasItens().State(), TnDataSetState::dsInsert) << "Ins adds an item";
    EXPECT_EQ(Cabecalho().State(), TnDataSetState::dsBrowse);
    QTest::keyClick(&Itens(), Qt::Key_Escape);
    EXPECT_EQ(LinhasItens().State(), TnDataSetState::dsBrowse);
    EXPECT_EQ(Cabecalho().FieldByName("CODIGOPROTOCOLO").AsInteger(), 7) << "Esc returns to the protocol one was on";

    // The header: Ins then Esc comes back to protocol 7, not to the last one.
    tela.Controle("OBSERVACAO")->Focar();
    QTest::keyClick(tela.Controle("OBSERVACAO")->Editor(), Qt::Key_Insert);
    EXPECT_EQ(Cabecalho().State(), TnDataSetState::dsInsert);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_EQ(Cabecalho().FieldByName("CODIGOPROTOCOLO").AsInteger(), 7);

    m_usuario->Esperar("Confirma a exclusão do registro?", "Sim").Esperar("Protocolo com itens não pode ser excluído; cancele os itens.", "OK");
    tela.Controle("OBSERVACAO")->Focar();
    QTest::keyClick(tela.Controle("OBSERVACAO")->Editor(), Qt::Key_Delete, Qt::ControlModifier);
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 2);
}

// A row being typed in the items is stored by Ctrl+S in its cell and goes
// with the write-off (F6, still in the cell); a refused row stops the action
// with the cursor on the field to fill.
TEST_F(TelaProtocolo, ItemDigitadoNaoSePerdeNaBaixaNemNoCtrlS)
{
    TnFrmCadastro& tela = Abrir();
    FocarItens();
    QTest::keyClick(&Itens(), Qt::Key_Insert);
    QLineEdit* editor = DigitarNaCelula("DESCRITEM", "Guia extra");
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 7 and DESCRITEM = 'Guia extra'").toInt(), 1)
        << "Ctrl+S in the cell stores the row being typed";

    QTest::keyClick(&Itens(), Qt::Key_Insert);
    editor = DigitarNaCelula("VALOR", "12,50");
    ASSERT_NE(editor, nullptr);
    m_usuario->Esperar("Informe o campo \"Descrição\".", "OK");
    QTest::keyClick(editor, Qt::Key_F6);
    m_usuario->Verificar();
    EXPECT_TRUE(Valor("select DATAHORABAIXA from PROTOCOLO where CODIGOPROTOCOLO = 7").isNull()) << "the write-off did not run";
    EXPECT_EQ(LinhasItens().State(), TnDataSetState::dsInsert) << "the row is kept";
    EXPECT_EQ(Itens().Modelo().Campo(Itens().currentIndex().column()).FieldName(), "DESCRITEM");
    EXPECT_TRUE(Itens().hasFocus() || Itens().isAncestorOf(QApplication::focusWidget()));

    editor = DigitarNaCelula("DESCRITEM", "Recibo de honorarios");
    ASSERT_NE(editor, nullptr);
    m_usuario->EsperarDadosBaixa("Carlos Pereira");
    QTest::keyClick(editor, Qt::Key_F6);  // still in the cell
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 7").toInt(), 3) << "written off with its new item";
    EXPECT_FALSE(Valor("select DATAHORABAIXA from PROTOCOLO where CODIGOPROTOCOLO = 7").isNull());
    EXPECT_EQ(tela.findChild<QLabel*>("lblStatus")->text(), "Baixado");
}

// Closing with an item being typed asks first, as about a typed header:
// "Cancelar" keeps the screen, "Não" drops the row, "Sim" stores it.
TEST_F(TelaProtocolo, FecharComItemEmEdicaoPerguntaAntes)
{
    TnFrmCadastro& tela = Abrir();
    const QString pergunta = "O registro está em edição. Deseja gravar as alterações?";
    const auto digitarItem = [this] {
        LinhasItens().Append();
        LinhasItens().FieldByName("DESCRITEM").SetValue("Guias de dezembro");
    };
    digitarItem();
    m_usuario->Esperar(pergunta, "Cancelar").Esperar(pergunta, "Não");
    EXPECT_FALSE(tela.PodeFechar());
    EXPECT_TRUE(tela.PodeFechar());
    EXPECT_EQ(LinhasItens().State(), TnDataSetState::dsBrowse);
    digitarItem();
    m_usuario->Esperar(pergunta, "Sim");
    EXPECT_TRUE(tela.PodeFechar());
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 7").toInt(), 2) << "only the item kept is stored";
}

TEST_F(TelaProtocolo, SemODireitoIncluirContinuaEOCodigoLevaAoProtocolo)
{
    m_host->SetDireitos(std::make_unique<TnDMDireitoUsuario>());
    ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO, PERMITIDO) values (1, 'DireitoAltProtocolo', '0')");
    TnFrmCadastro& tela = Abrir();
    QCoreApplication::processEvents();
    EXPECT_TRUE(tela.Acao("actDataSetInsert")->isEnabled()) << "a new protocol can be typed without the right";
    EXPECT_FALSE(tela.Acao("actDataSetEdit")->isEnabled());

    // Typing a code over a stored protocol goes to it.
    auto* codigo = qobject_cast<QLineEdit*>(tela.Controle("CODIGOPROTOCOLO")->Editor());
    ASSERT_NE(codigo, nullptr);
    codigo->setFocus();
    codigo->selectAll();
    QTest::keyClicks(codigo, "8");
    EXPECT_EQ(Cabecalho().State(), TnDataSetState::dsBrowse) << "typing a code does not start changing the key";
    QTest::keyClick(codigo, Qt::Key_Return);
    EXPECT_EQ(Cabecalho().FieldByName("CODIGOPROTOCOLO").AsInteger(), 8);
    QCoreApplication::processEvents();
    EXPECT_FALSE(tela.Acao("actDataSetNext")->isEnabled()) << "no next on the last row";
    EXPECT_FALSE(tela.Acao("actDataSetLast")->isEnabled());
}

// A code that does not exist says so and stays on the protocol. On the
// desktop the message box takes the focus from the code typed: the refusal
// is shown once, and nothing brings it back afterwards.
TEST_F(TelaProtocolo, CodigoInexistenteAvisaUmaVezSo)
{
    TnFrmCadastro& tela = Abrir();
    m_host->SetDialogos(std::make_unique<TnDialogosDesktop>(m_janela.get()));
    m_usuario = nullptr;
    QStringList avisos;
    QTimer vigia;
    vigia.setInterval(10);
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (auto* caixa = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            avisos.append(caixa->text());
            caixa->defaultButton()->click();
        }
    });
    vigia.start();
    auto* codigo = qobject_cast<QLineEdit*>(tela.Controle("CODIGOPROTOCOLO")->Editor());
    ASSERT_NE(codigo, nullptr);
    const QString atual = codigo->text();
    codigo->setFocus();
    codigo->selectAll();
    QTest::keyClicks(codigo, "99");
    QTest::keyClick(codigo, Qt::Key_Return);
    EXPECT_EQ(avisos, QStringList({"Não existe registro com esta chave"}));
    EXPECT_EQ(codigo->text(), atual);
    EXPECT_EQ(Cabecalho().FieldByName("CODIGOPROTOCOLO").AsInteger(), 7);
    // Unrelated actions: another field, the first row, the print question refused.
    tela.Controle("OBSERVACAO")->Editor()->setFocus();
    tela.Acao("actDataSetFirst")->trigger();
    QTest::qWait(50);
    EXPECT_EQ(avisos.size(), 1) << avisos.join(" | ").toStdString();
}

TEST_F(TelaProtocolo, CelulasEControlesAceitamOQueSeDigita)
{
    TnFrmCadastro& tela = Abrir();
    FocarItens("DESCRITEM");
    QTest::keyClick(&Itens(), Qt::Key_F2);
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_FALSE(editor->hasSelectedText()) << "F2 opens the cell to complete it";
    EXPECT_EQ(editor->cursorPosition(), editor->text().size());
    QTest::keyClicks(editor, " e aditivo");
    QTest::keyClick(editor, Qt::Key_Escape);
    QTest::keyClick(&Itens(), Qt::Key_Escape);

    QLineEdit* competencia = DigitarNaCelula("COMPETENCIA", "112026");
    ASSERT_NE(competencia, nullptr);
    EXPECT_EQ(competencia->text(), "11/2026") << "the slash is put in";
    QTest::keyClick(competencia, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(Valor("select COMPETENCIA from PROTOCOLOITEM where CODIGOPROTOCOLO = 7").toDate(), QDate(2026, 11, 1));

    tela.Controle("OBSERVACAO")->Focar();  // the header's Insert, not the items'
    tela.Acao("actDataSetInsert")->trigger();
    ASSERT_EQ(Cabecalho().State(), TnDataSetState::dsInsert);
    auto* empresa = qobject_cast<QLineEdit*>(tela.Controle("CODIGOEMPRESA")->Editor());
    EXPECT_TRUE(empresa->isEnabled());
    empresa->setFocus();
    QTest::keyClicks(empresa, "3a");
    EXPECT_EQ(empresa->text(), "3") << "letters are refused where they are typed";

    // An item started in the grid stores the header first; its company and
    // establishment are then fixed.
    Cabecalho().FieldByName("CODIGOEMPRESA").SetValue(3);
    Cabecalho().FieldByName("CODIGOESTAB").SetValue(1);
    FocarItens();
    QTest::keyClick(&Itens(), Qt::Key_Insert);
    QCoreApplication::processEvents();
    EXPECT_EQ(Cabecalho().State(), TnDataSetState::dsBrowse);
    EXPECT_FALSE(empresa->isEnabled());
    EXPECT_FALSE(tela.Controle("CODIGOESTAB")->Editor()->isEnabled());
}

// A cancelled item shows its marker over the grid, and the items' own
// button (over their grid) cancels the current one.
TEST_F(TelaProtocolo, ItemCanceladoMostraSeuRotuloEOBotaoDeCancelarFicaSobreOsItens)
{
    CadastrarItem(7, 2, "Guia cancelada", true);
    TnFrmCadastro& tela = Abrir();
    auto* marcador = tela.findChild<QLabel*>("pnlCancelado");
    ASSERT_NE(marcador, nullptr);
    EXPECT_TRUE(Itens().parentWidget()->isAncestorOf(marcador)) << "over the items' grid";
    LinhasItens().Last();
    QCoreApplication::processEvents();
    EXPECT_TRUE(marcador->isVisible());
    EXPECT_EQ(marcador->text(), "Cancelado");
    LinhasItens().First();
    QCoreApplication::processEvents();
    EXPECT_FALSE(marcador->isVisible());

    QAction* cancelarItem = nullptr;
    for (auto* barra : tela.findChildren<QToolBar*>()) {
        for (QAction* acao : barra->actions()) {
            if (acao->text() == "Cancelar Item" && barra->parentWidget()->findChild<TnGrade*>())
                cancelarItem = acao;
        }
    }
    ASSERT_NE(cancelarItem, nullptr) << "the items' own button sits over their grid";
    EXPECT_EQ(cancelarItem->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F6));
    m_usuario->Esperar("Tem certeza que deseja cancelar este item do protocolo?", "Sim");
    cancelarItem->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select CANCELADO from PROTOCOLO where CODIGOPROTOCOLO = 7").toString(), "1") << "its last active item went";
    EXPECT_EQ(tela.findChild<QLabel*>("lblStatus")->text(), "Cancelado");
}

TEST_F(TelaProtocolo, AbasPeriodoTitulosEEscolhas)
{
    TnFrmCadastro& tela = Abrir();
    const auto ligado = [&tela](const char* campo) { return tela.Controle(campo)->findChild<QLabel*>("descricao")->text(); };
    EXPECT_EQ(ligado("CODIGOEMPRESA"), "Empresa 2") << "codes show what they point at";
    EXPECT_EQ(ligado("CODIGOESTAB"), "Filial 1");
    m_usuario->EsperarSelecao({QDate(2026, 12, 1), QDate(2026, 12, 31)});
    ASSERT_NE(m_janela->AbrirClasse("TLyrDMProtocolo"), nullptr);
    EXPECT_EQ(m_janela->Abas().tabText(0), "Protocolo");
    EXPECT_EQ(m_janela->Abas().tabText(1), "Protocolo (2)");
    auto* periodo = m_janela->statusBar()->findChild<QLabel*>("periodo");
    ASSERT_NE(periodo, nullptr);
    EXPECT_EQ(periodo->text(), "Período: 01/12/2026 a 31/12/2026");
    EXPECT_EQ(m_janela->windowTitle(), "Lyr - Protocolos");

    // Column widths follow the declaration; a long title takes two lines.
    const TnModeloDataSet& modelo = Itens().Modelo();
    const int descricao = modelo.ColunaDoCampo("DESCRITEM");
    const int contrato = modelo.ColunaDoCampo("CODIGOFUNCCONTR");
    EXPECT_GE(Itens().columnWidth(descricao), 50 * Itens().fontMetrics().averageCharWidth());
    EXPECT_TRUE(modelo.headerData(contrato, Qt::Horizontal).toString().contains(u'\n'));

    // The establishment picker shows labels and the chosen company's establishments only.
    Cabecalho().Append();
    Cabecalho().FieldByName("CODIGOEMPRESA").SetValue(2);
    m_usuario->EsperarConsulta("ESTAB", {2, 2});
    EXPECT_TRUE(EscolherNoCadastro(Cabecalho().FieldByName("CODIGOESTAB")));
    m_usuario->Verificar();
    const TnPerguntaFeita& escolha = m_usuario->Perguntas().last();
    EXPECT_EQ(escolha.linhas, 2) << "establishments of company 2 only";
    EXPECT_EQ(escolha.opcoes, QStringList({"Empresa", "Filial", "Apelido"}));
    EXPECT_EQ(Cabecalho().FieldByName("CODIGOESTAB").AsInteger(), 2);
    Cabecalho().Cancel();
}

TEST(DialogoQuestionario, ClicarNumaDataEDigitarTrocaAParteClicada)
{
    TnQuestionario questionario{"Seleção", "Confirmar", {{"DataLctoPro_MAIORIGUAL", "De", QDate(2026, 10, 15)}}};
    QString selecionado;
    QTimer::singleShot(0, [&selecionado] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialogo));
        auto* de = dialogo->findChild<QDateEdit*>("DataLctoPro_MAIORIGUAL");
        ASSERT_NE(de, nullptr);
        auto* texto = de->findChild<QLineEdit*>();
        ASSERT_NE(texto, nullptr);
        // A click after the year: typing replaces the year, not nothing.
        QTest::mouseClick(texto, Qt::LeftButton, {}, QPoint(texto->width() - 3, texto->height() / 2));
        QCoreApplication::processEvents();
        selecionado = texto->selectedText();
        QTest::keyClicks(de, "2025");
        dialogo->accept();
    });
    ASSERT_TRUE(DialogoQuestionario(questionario));
    EXPECT_EQ(selecionado, "2026");
    EXPECT_EQ(questionario.Valor("DataLctoPro_MAIORIGUAL").toDate(), QDate(2025, 10, 15));
}

// The write-off questionnaire in its dialog: a refused confirmation keeps it
// open on the refused field, the user's name follows the code typed, and a
// cancel leaves the questionnaire as it was offered.
TEST_F(TelaProtocolo, DadosDaBaixaNoDialogoRecusamEFocamOCampo)
{
    QString pessoa;
    int usuario = 0;
    QDateTime entrega;
    QStringList nomes;
    QString focado;
    QTimer::singleShot(0, [&] {
        auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialogo, nullptr);
        auto* campoUsuario = dialogo->findChild<QSpinBox*>("usuario");
        auto* campoPessoa = dialogo->findChild<QComboBox*>("pessoa");
        ASSERT_NE(campoUsuario, nullptr);
        ASSERT_NE(campoPessoa, nullptr);
        const auto nomeMostrado = [dialogo] {
            QStringList textos;
            for (const QLabel* rotulo : dialogo->findChildren<QLabel*>())
                textos.append(rotulo->text());
            return textos.join(u'|');
        };
        campoUsuario->setValue(2);
        nomes.append(nomeMostrado());
        campoUsuario->setValue(99);
        campoPessoa->setCurrentText("Carlos Pereira");
        // "Baixar" with user 99: the refusal is answered by the script; the dialog stays.
        dialogo->findChild<QDialogButtonBox*>()->buttons().first()->click();
        ASSERT_TRUE(dialogo->isVisible());
        focado = dialogo->focusWidget() ? dialogo->focusWidget()->objectName() : QString();
        campoUsuario->setValue(1);
        nomes.append(nomeMostrado());
        dialogo->findChild<QDialogButtonBox*>()->buttons().first()->click();
    });
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (2, 'ana', 'Ana Lima')");
    ExecutarSQLDireto("insert into PROTOCOLORESPESTAB (CODIGOEMPRESA, CODIGOESTAB, SEQ, NOMERESPONSAVEL) values (2, 1, 1, 'Maria')");
    m_usuario->SetMostrarQuestionario([](TnQuestionario& questionario) { return DialogoQuestionario(questionario); });
    m_usuario->Esperar("Usuário 99 não cadastrado ou inativo.", "OK");
    ASSERT_TRUE(PegarDadosBaixa(1, 2, 1, pessoa, usuario, entrega));
    m_usuario->Verificar();
    EXPECT_EQ(pessoa, "Carlos Pereira");
    EXPECT_EQ(usuario, 1);
    EXPECT_TRUE(entrega.isValid());
    ASSERT_EQ(nomes.size(), 2);
    EXPECT_NE(nomes[0], nomes[1]) << "the user's name follows the code";
    EXPECT_EQ(focado, "usuario") << "the cursor goes back to the refused field";
}

// Every button of the screen, the register's and the module's, shows an
// icon beside its caption and names its key in its tooltip.
TEST_F(TelaProtocolo, BotoesComIconeTextoETecla)
{
    TnFrmCadastro& tela = Abrir();
    int botoes = 0;
    int soIcones = 0;
    for (QToolBar* barra : tela.findChildren<QToolBar*>()) {
        for (QAction* acao : barra->actions()) {
            if (acao->isSeparator() || acao->text().isEmpty())
                continue;
            SCOPED_TRACE(acao->text().toStdString());
            EXPECT_FALSE(acao->icon().isNull());
            if (!acao->shortcut().isEmpty()) {
                EXPECT_TRUE(acao->toolTip().contains(acao->shortcut().toString())) << acao->toolTip().toStdString();
            }
            const auto* botao = qobject_cast<QToolButton*>(barra->widgetForAction(acao));
            ASSERT_NE(botao, nullptr);
            // The arrows, the write-off information and cancel-all show their icons alone,
            // named by their captions or hints.
            const bool soIcone = QStringList({"Primeiro", "Anterior", "Próximo", "Último", "Informações sobre a baixa do protocolo",
                                              "Cancela todos os ítens do protocolo"})
                                     .contains(acao->text());
            EXPECT_EQ(botao->toolButtonStyle(), soIcone ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextBesideIcon);
            soIcones += soIcone;
            EXPECT_NE(acao->text(), "InformacoesBaixa") << "an internal name is never shown";
            ++botoes;
        }
    }
    EXPECT_GE(botoes, 14) << "ten of the register, three of the protocol, one of its items";
    EXPECT_EQ(soIcones, 6);
}

// Ctrl+P on the protocol screen: the receipt of the current protocol or of
// every protocol on the screen, as the user picks; its PDF reads back with
// the protocol's code in a barcode a scanner decodes.
TEST_F(TelaProtocolo, CtrlPImprimeOReciboDoAtualOuDeTodosComCodigoDeBarras)
{
    TnFrmCadastro& tela = Abrir();
    QList<TnRelatorio> mostrados;
    tela.SetMostrarRelatorio([&](const TnRelatorio& relatorio) { mostrados.append(relatorio); });
    ASSERT_TRUE(Cabecalho().Locate("CODIGOPROTOCOLO", 8));
    m_usuario->EsperarEscolha("Imprimir", "Recibo por protocolo - registro atual");
    tela.Controle("OBSERVACAO")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_P, Qt::ControlModifier);
    m_usuario->EsperarEscolha("Imprimir", "Recibo por empresa - os 2 registro(s) da tela");
    tela.Imprimir();
    m_usuario->Verificar();
    ASSERT_EQ(mostrados.size(), 2);
    ASSERT_EQ(mostrados[0].paginas.size(), 1);
    EXPECT_EQ(mostrados[1].paginas.size(), 1) << "both protocols belong to one company";

    const QString pdf = QDir::temp().filePath(QStringLiteral("lyr_recibo_%1.pdf").arg(QCoreApplication::applicationPid()));
    GravarRelatorioPdf(mostrados[0], pdf);
    QProcess texto;
    texto.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString lido = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_TRUE(lido.contains("Protocolo: 8")) << lido.toStdString();
    EXPECT_TRUE(lido.contains("Contrato social")) << lido.toStdString();
    const QString png = pdf + QStringLiteral(".png");
    QProcess::execute("pdftoppm", {"-r", "200", "-png", "-singlefile", pdf, pdf});
    QProcess leitor;
    leitor.start("zbarimg", {"-q", png});
    ASSERT_TRUE(leitor.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(leitor.readAllStandardOutput()).trimmed(), "CODE-128:8");
    QFile::remove(pdf);
    QFile::remove(png);
}
