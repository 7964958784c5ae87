#include "bancoteste.h"
#include "classeslyr.h"
#include "controlecampo.h"
#include "dialogosroteiro.h"
#include "direitos.h"
#include "dmclientdataset.h"
#include "frmcadastro.h"
#include "frmconsulta.h"
#include "grade.h"
#include "modelodataset.h"
#include "historicopro.h"
#include "janelaprincipal.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QBrush>
#include <QHeaderView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStyle>
#include <QTabWidget>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

// One field of every kind a declaration can ask for.
class TTesteDMControles : public TnDMClientDataSet {
    LYR_DATAMODULE(TTesteDMControles)
public:
    TTesteDMControles()
    {
        nClientDataSet.Tela().Caption = QStringLiteral("Controles");
        TnField& tipo = Campo<TnSmallIntField>("CODIGOTIPODOC");
        tipo.Definicao().Dicionario = QStringLiteral("CODIGOTIPODOC");
        tipo.Definicao().LinkKeyFields = QStringLiteral("CODIGOTIPODOC");
        tipo.Definicao().MaxLength = 4;
        tipo.SetRequired(true);
        Campo<TnDateField>("DATALCTOPRO").SetDisplayLabel(QStringLiteral("Data Lançamento"));
        Campo<TnDateField>("COMPETENCIA").Definicao().TipoData = TnTipoData::ntdMesAno;
        TnField& descricao = Campo<TnStringField>("DESCRDOCEMP", 50);
        descricao.Definicao().MaxLength = 30;
        descricao.Definicao().Hint = QStringLiteral("Informe uma descrição para identificar o documento");
        TnField& meses = Campo<TnStringField>("MESOCORRENCIA", 27);
        meses.Definicao().TipoControle = TnTipoControle::ntcCheckListBox;
        meses.Definicao().NomesValores = {"Janeiro=1", "Fevereiro=2", "Março=3"};
        Campo<TnMemoField>("OBSERVACAO");
        TnField& arquivado = Campo<TnStringField>("ARQUIVADO", 1);
        arquivado.Definicao().NomesValores = {"Sim=1", "Não=0"};
        Campo<TnStringField>("OCULTO", 5).SetVisible(false);
        nClientDataSet.CreateDataSet();
    }
};

class Desktop : public TesteDeTela {
protected:
    void SetUp() override
    {
        TesteDeTela::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMHistoricoPro>());
        nRegisterClass(InfoDaClasseLyr<TLyrDCHistoricoPro>());
    }
};

template <typename T>
T* Editor(TnFrmCadastro& tela, const char* campo)
{
    TnControleCampo* controle = tela.Controle(campo);
    return controle ? qobject_cast<T*>(controle->Editor()) : nullptr;
}

} // namespace

TEST_F(Desktop, CadaDeclaracaoGanhaSeuControle)
{
    TTesteDMControles controles;
    TnFrmCadastro tela(controles);
    ASSERT_NE(Editor<QLineEdit>(tela, "CODIGOTIPODOC"), nullptr);
    EXPECT_EQ(Editor<QLineEdit>(tela, "CODIGOTIPODOC")->maxLength(), 4);
    EXPECT_NE(tela.Controle("CODIGOTIPODOC")->findChild<QToolButton*>(), nullptr) << "links get a button";
    EXPECT_EQ(Editor<QLineEdit>(tela, "DATALCTOPRO")->inputMask(), "99/99/9999;_");
    EXPECT_EQ(Editor<QLineEdit>(tela, "COMPETENCIA")->inputMask(), "99/9999;_");
    EXPECT_EQ(Editor<QLineEdit>(tela, "DESCRDOCEMP")->maxLength(), 30);
    EXPECT_EQ(Editor<QLineEdit>(tela, "DESCRDOCEMP")->toolTip(), "Informe uma descrição para identificar o documento");
    EXPECT_EQ(tela.Controle("DESCRDOCEMP")->findChild<QToolButton*>(), nullptr);
    ASSERT_NE(Editor<QListWidget>(tela, "MESOCORRENCIA"), nullptr);
    EXPECT_EQ(Editor<QListWidget>(tela, "MESOCORRENCIA")->count(), 3);
    EXPECT_NE(Editor<QPlainTextEdit>(tela, "OBSERVACAO"), nullptr);
    ASSERT_NE(Editor<QComboBox>(tela, "ARQUIVADO"), nullptr);
    EXPECT_EQ(Editor<QComboBox>(tela, "ARQUIVADO")->itemText(1), "Sim");
    EXPECT_EQ(tela.Controle("OCULTO"), nullptr);
    QStringList rotulos;
    for (const QLabel* rotulo : tela.findChildren<QLabel*>())
        rotulos.append(rotulo->text());
    EXPECT_TRUE(rotulos.contains("Data Lançamento"));
    EXPECT_TRUE(rotulos.contains("Tipo Documento *") || rotulos.contains("CODIGOTIPODOC *")) << rotulos.join(", ").toStdString();

    // Typing writes to the field (check list values joined by ";", captions to values).
    controles.nClientDataSet.Append();
    Editor<QListWidget>(tela, "MESOCORRENCIA")->item(0)->setCheckState(Qt::Checked);
    Editor<QListWidget>(tela, "MESOCORRENCIA")->item(2)->setCheckState(Qt::Checked);
    EXPECT_EQ(controles.FieldByName("MESOCORRENCIA").AsString(), "1;3");
    QComboBox* arquivado = Editor<QComboBox>(tela, "ARQUIVADO");
    arquivado->setCurrentIndex(1);
    emit arquivado->activated(1);
    EXPECT_EQ(controles.FieldByName("ARQUIVADO").AsString(), "1");
    QLineEdit* data = Editor<QLineEdit>(tela, "DATALCTOPRO");
    data->setCursorPosition(0);
    QTest::keyClicks(data, "06122026");
    QTest::keyClick(data, Qt::Key_Return);
    EXPECT_EQ(data->text(), "06/12/2026");
    EXPECT_EQ(controles.FieldByName("DATALCTOPRO").AsDate(), QDate(2026, 12, 6));
    // Calendars and Qt's own editors take the default form: Brazilian whatever LANG says.
    EXPECT_EQ(data->locale().toString(QDate(2026, 12, 6), QLocale::ShortFormat), "06/12/2026");
}

TEST_F(Desktop, MenuSegueCategoriasEDireitos)
{
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (2, 'bia', 'Bia')");
    ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO, PERMITIDO) values (2, 'actTLyrDMHistoricoPro', '0')");
    m_host->SetDireitos(std::make_unique<TnDMDireitoUsuario>());
    TnJanelaPrincipal janela;
    QStringList menus;
    for (QAction* menu : janela.menuBar()->actions())
        menus.append(menu->text());
    EXPECT_EQ(menus, QStringList({"&Sistema", "&Cadastros"}));
    QAction* entrada = janela.menuBar()->findChild<QAction*>("actTLyrDMHistoricoPro");
    ASSERT_NE(entrada, nullptr);
    EXPECT_EQ(entrada->text(), "Históricos e Observações");
    EXPECT_TRUE(entrada->isEnabled());
    EXPECT_EQ(janela.menuBar()->findChild<QAction*>("actTLyrDCHistoricoPro"), nullptr) << "entries out of the menu";

    Con().SetCodigoUsuario(2);
    janela.MontarMenus();
    EXPECT_FALSE(janela.menuBar()->findChild<QAction*>("actTLyrDMHistoricoPro")->isEnabled());
}

TEST(TnControleCampo, AoSairOCampoJaTemOQueFoiDigitado)
{
    TnClientDataSet dados("Dados");
    TnField& empresa = dados.AddField<TnIntegerField>("EMPRESA");
    dados.AddField<TnStringField>("OBS", 20);
    dados.CreateDataSet();
    dados.Append();
    QStringList vistos;
    empresa.Definicao().OnExit = [&vistos](TnField& campo) { vistos << campo.AsString(); };
    QWidget tela;
    auto* layout = new QVBoxLayout(&tela);
    auto* controleEmpresa = new TnControleCampo(empresa, &tela);
    auto* controleObs = new TnControleCampo(dados.FieldByName("OBS"), &tela);
    layout->addWidget(controleEmpresa);
    layout->addWidget(controleObs);
    tela.show();
    QApplication::setActiveWindow(&tela);
    controleEmpresa->Editor()->setFocus();
    QTest::keyClicks(controleEmpresa->Editor(), "3");
    controleObs->Editor()->setFocus();
    EXPECT_EQ(vistos, QStringList{"3"});
    EXPECT_EQ(empresa.AsInteger(), 3);
    EXPECT_EQ(qobject_cast<QLineEdit*>(controleEmpresa->Editor())->text(), "3") << "nothing typed is lost";
    dados.Post();
    QTest::keyClicks(controleObs->Editor(), "ok");
    EXPECT_EQ(dados.State(), TnDataSetState::dsEdit) << "typing in a stored row starts editing it";
    EXPECT_EQ(qobject_cast<QLineEdit*>(controleObs->Editor())->text(), "ok");
}

TEST_F(Desktop, HistoricoDoMenuAoBancoEAConsulta)
{
    TnJanelaPrincipal janela;
    janela.menuBar()->findChild<QAction*>("actTLyrDMHistoricoPro")->trigger();
    ASSERT_EQ(janela.Abas().count(), 1);
    auto* tela = dynamic_cast<TnFrmCadastro*>(janela.Abas().currentWidget()->findChild<TnFormulario*>());
    ASSERT_NE(tela, nullptr);
    EXPECT_EQ(janela.Abas().tabText(0), "Históricos e Observações");
    QAction* gravar = tela->Acao("actDataSetPost");

    // Saving without the description says so and puts the cursor there.
    tela->Acao("actDataSetInsert")->trigger();
    m_usuario->Esperar("Informe o campo \"Descrição Histórico\"", "OK");
    gravar->trigger();
    m_usuario->Verificar();
    QLineEdit* descricao = Editor<QLineEdit>(*tela, "DESCRISAOHISTPRO");
    EXPECT_EQ(tela->window()->focusWidget(), descricao);
    EXPECT_EQ(tela->Cadastro().nClientDataSet.State(), TnDataSetState::dsInsert);
    EXPECT_EQ(Valor("select count(*) from HISTORICOPRO").toInt(), 0);

    QTest::keyClicks(descricao, "Recibos de honorarios");
    QTest::keyClick(descricao, Qt::Key_Return);
    gravar->trigger();
    EXPECT_EQ(tela->Cadastro().nClientDataSet.State(), TnDataSetState::dsBrowse);
    EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "DESCRISAOHISTPRO", "CODIGOHISTPRO = 1").toString(), "Recibos de honorarios");
    EXPECT_EQ(PegarValorCampo("HISTORICOPRO", "TEMCOMPLEMENTOHISTORICO", "CODIGOHISTPRO = 1").toString(), "0");

    // Typing in the stored row offers Save at once.
    QCoreApplication::processEvents();
    EXPECT_FALSE(gravar->isEnabled());
    janela.show();
    QApplication::setActiveWindow(&janela);
    descricao->setFocus();
    QTest::keyClick(descricao, Qt::Key_End);
    QTest::keyClicks(descricao, " e guias");
    QCoreApplication::processEvents();
    ASSERT_TRUE(gravar->isEnabled()) << "Save is offered as soon as the user types";
    gravar->trigger();
    EXPECT_EQ(Valor("select DESCRISAOHISTPRO from HISTORICOPRO").toString(), "Recibos de honorarios e guias");

    ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO, TEMCOMPLEMENTOHISTORICO) values (2, 'Extratos', '0')");
    auto* consulta = dynamic_cast<TnFrmConsulta*>(janela.AbrirClasse("TLyrDCHistoricoPro"));
    ASSERT_NE(consulta, nullptr);
    EXPECT_EQ(janela.Abas().count(), 2);
    TnClientDataSet& linhas = dynamic_cast<TnDMClientDataSet&>(consulta->DataModule()).nClientDataSet;
    EXPECT_EQ(linhas.RecordCount(), 2);
    QTest::keyClicks(&consulta->Pesquisa(), "2");
    EXPECT_EQ(linhas.FieldByName("DESCRISAOHISTPRO").AsString(), "Extratos");
    consulta->Ordens().setCurrentIndex(0);
    consulta->Pesquisa().clear();
    QTest::keyClicks(&consulta->Pesquisa(), "1");
    EXPECT_EQ(linhas.FieldByName("DESCRISAOHISTPRO").AsString(), "Recibos de honorarios e guias");
}

TEST(TnGrade, SegueOQueODataSetDeclaraParaSuasGrades)
{
    TnClientDataSet itens("Itens");
    itens.AddField<TnIntegerField>("SEQ");
    itens.AddField<TnStringField>("CANCELADO", 1);
    itens.CreateDataSet();
    itens.AppendRecord({1, "0"});
    itens.AppendRecord({2, "1"});
    itens.Tela().Aparencia.CorDoTexto = [&itens](int linha) {
        return itens.ValorNaLinha(linha, 1).toString() == u"1" ? QStringLiteral("red") : QString();
    };
    int cancelamentos = 0;
    itens.Tela().Aparencia.AoTeclar = [&](int tecla, int modificadores) {
        if (tecla != Qt::Key_F6 || !(modificadores & Qt::ShiftModifier))
            return false;
        ++cancelamentos;
        return true;
    };
    itens.Tela().Aparencia.TeclasProprias = {QKeyCombination(Qt::ShiftModifier, Qt::Key_F6).toCombined()};
    itens.Tela().Aparencia.OrdenarPeloTitulo = false;
    // The screen around the grid has its own action on the same key.
    QWidget tela;
    auto* informacoes = new QAction(&tela);
    informacoes->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F6));
    informacoes->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    tela.addAction(informacoes);
    int informados = 0;
    QObject::connect(informacoes, &QAction::triggered, [&] { ++informados; });
    auto* layout = new QVBoxLayout(&tela);
    auto* gradeNaTela = new TnGrade(itens, true, &tela);
    layout->addWidget(gradeNaTela);
    TnGrade& grade = *gradeNaTela;
    tela.show();
    QApplication::setActiveWindow(&tela);
    grade.setFocus();
    EXPECT_EQ(grade.Modelo().data(grade.Modelo().index(1, 0), Qt::ForegroundRole).value<QBrush>().color(), QColor(Qt::red));
    EXPECT_FALSE(grade.Modelo().data(grade.Modelo().index(0, 0), Qt::ForegroundRole).isValid());
    QTest::keyClick(&grade, Qt::Key_F6, Qt::ShiftModifier);
    QTest::keyClick(&grade, Qt::Key_F6);
    EXPECT_EQ(cancelamentos, 1);
    EXPECT_EQ(informados, 0) << "the grid's own key wins over the screen's shortcut";
    emit grade.horizontalHeader()->sectionClicked(0);
    itens.First();
    EXPECT_EQ(itens.FieldByName("SEQ").AsInteger(), 1) << "title clicks do not reorder when the dataset says so";
    // Arrow down on the last row of an editable grid starts a new row.
    grade.setCurrentIndex(grade.Modelo().index(1, 0));
    QTest::keyClick(&grade, Qt::Key_Down);
    EXPECT_EQ(itens.State(), TnDataSetState::dsInsert);
    EXPECT_EQ(grade.Modelo().rowCount(), 3);
    EXPECT_EQ(grade.Modelo().data(grade.Modelo().index(1, 0)).toInt(), 2) << "the row the new one started from keeps its values";
    QTest::keyClick(&grade, Qt::Key_Down);
    EXPECT_EQ(grade.Modelo().rowCount(), 3) << "a new row with nothing typed stays alone";
    QTest::keyClick(&grade, Qt::Key_Up);
    EXPECT_EQ(itens.State(), TnDataSetState::dsBrowse) << "leaving a new row with nothing typed drops it";
    EXPECT_EQ(grade.Modelo().rowCount(), 2);
    EXPECT_EQ(grade.currentIndex().row(), 1);
    EXPECT_EQ(itens.RecNo(), 2);
    grade.setCurrentIndex(grade.Modelo().index(1, 1));
    QTest::keyClick(&grade, Qt::Key_Down);
    EXPECT_EQ(grade.currentIndex(), grade.Modelo().index(2, 1)) << "the new row starts in the column the user was in";
    grade.Modelo().setData(grade.Modelo().index(2, 0), 3);
    QTest::keyClick(&grade, Qt::Key_Down);
    EXPECT_EQ(itens.RecordCount(), 3) << "the row typed is posted";
    EXPECT_EQ(itens.State(), TnDataSetState::dsInsert);
    EXPECT_EQ(grade.Modelo().rowCount(), 4);
}

// What the dataset does to one row reaches the grid as that row alone: the
// grid keeps its current cell and scroll, and the model's notifications hold
// together as Qt's model tester checks them.
TEST(TnGrade, LinhasGravadasMovidasEExcluidasSemRedesenharAGrade)
{
    TnClientDataSet linhas("Linhas");
    linhas.AddField<TnIntegerField>("CODIGO");
    linhas.AddField<TnStringField>("NOME", 20);
    linhas.CreateDataSet();
    for (int i = 1; i <= 60; ++i)
        linhas.AppendRecord({i * 10, QStringLiteral("linha %1").arg(i)});
    linhas.SetIndexFieldNames("CODIGO");
    TnGrade grade(linhas, true);
    grade.resize(300, 200);
    grade.show();
    static QStringList falhas;
    falhas.clear();
    const QtMessageHandler anterior = qInstallMessageHandler([](QtMsgType, const QMessageLogContext& contexto, const QString& texto) {
        if (QByteArrayView(contexto.category) == "qt.modeltest")
            falhas.append(texto);
    });
    const auto restaurar = qScopeGuard([anterior] { qInstallMessageHandler(anterior); });
    QAbstractItemModelTester testador(&grade.Modelo(), QAbstractItemModelTester::FailureReportingMode::Warning);
    int recargas = 0;
    QObject::connect(&grade.Modelo(), &QAbstractItemModel::modelReset, [&] { ++recargas; });
    const auto texto = [&](int linha) { return grade.Modelo().data(grade.Modelo().index(linha, 1)).toString(); };

    grade.setCurrentIndex(grade.Modelo().index(30, 1));
    grade.scrollTo(grade.currentIndex(), QAbstractItemView::PositionAtTop);
    const int rolagem = grade.verticalScrollBar()->value();
    linhas.Edit();
    linhas.FieldByName("NOME").SetValue("alterada");
    linhas.Post();
    EXPECT_EQ(texto(30), "alterada");
    linhas.AppendRecord({305, "nova"});
    EXPECT_EQ(grade.currentIndex(), grade.Modelo().index(30, 1)) << "the new row, in the column the user was in";
    EXPECT_EQ(texto(31), "alterada");
    grade.scrollTo(grade.currentIndex(), QAbstractItemView::PositionAtTop);
    EXPECT_EQ(grade.verticalScrollBar()->value(), rolagem);
    linhas.Edit();
    linhas.FieldByName("NOME").SetValue("editada");
    linhas.Post();
    linhas.Delete();
    EXPECT_EQ(grade.currentIndex(), grade.Modelo().index(30, 1)) << "the row that took the deleted one's place";
    EXPECT_EQ(texto(30), "alterada");
    EXPECT_EQ(grade.verticalScrollBar()->value(), rolagem);
    EXPECT_EQ(grade.selectionModel()->selectedIndexes(), QModelIndexList{grade.currentIndex()});

    // A row typed in the grid moves from last to its place when posted.
    linhas.Append();
    EXPECT_EQ(grade.Modelo().rowCount(), 61);
    linhas.FieldByName("CODIGO").SetValue(5);
    linhas.Post();
    EXPECT_EQ(grade.currentIndex().row(), 0);
    EXPECT_EQ(grade.Modelo().data(grade.Modelo().index(0, 0)).toString(), "5");
    linhas.Insert();
    linhas.Cancel();
    linhas.Edit();
    linhas.FieldByName("CODIGO").SetValue(999);
    linhas.Post();
    EXPECT_EQ(grade.currentIndex().row(), 60);
    linhas.Delete();
    linhas.SetFilter("CODIGO < 900");
    linhas.SetFiltered(true);
    EXPECT_EQ(recargas, 1) << "only the filter redraws the grid";
    linhas.AppendRecord({950, "fora do filtro"});
    EXPECT_EQ(grade.Modelo().rowCount(), 60);
    EXPECT_EQ(recargas, 1);

    // Rows posted by code, one after another: the cursor is on each as it
    // comes; the values are told, the row selected and shown once, after.
    QSignalSpy alteracoes(&grade.Modelo(), &QAbstractItemModel::dataChanged);
    for (int codigo = 801; codigo <= 820; ++codigo) {
        linhas.Append();
        linhas.FieldByName("CODIGO").SetValue(codigo);
        linhas.FieldByName("NOME").SetValue(QStringLiteral("lote %1").arg(codigo));
        linhas.Post();
        EXPECT_EQ(grade.currentIndex().row(), linhas.RecNo() - 1);
    }
    EXPECT_EQ(alteracoes.count(), 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(alteracoes.count(), 1);
    EXPECT_EQ(texto(grade.currentIndex().row()), "lote 820");
    EXPECT_EQ(grade.selectionModel()->selectedIndexes(), QModelIndexList{grade.currentIndex()});
    EXPECT_TRUE(grade.viewport()->rect().intersects(grade.visualRect(grade.currentIndex())));
    EXPECT_TRUE(falhas.isEmpty()) << falhas.join(u'\n').toStdString();
}

// A date or a moment is never cut: its column holds the text of its format
// with the margins the style leaves on each side and the grid line.
TEST(TnGrade, DatasEMomentosCabemInteirosNaColuna)
{
    TnClientDataSet linhas("Linhas");
    linhas.AddField<TnDateField>("DATA");
    linhas.AddField<TnSQLTimeStampField>("MOMENTO");
    linhas.AddField<TnStringField>("OBSERVACAO", 50);
    linhas.CreateDataSet();
    linhas.AppendRecord({QDate(2026, 12, 8), QDateTime(QDate(2026, 12, 8), QTime(14, 35, 48)), "x"});
    TnGrade grade(linhas, false);
    const int margens = 2 * (grade.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grade) + 1) + 1;
    for (const auto& [coluna, esperado] : {std::pair{0, "08/12/2026"}, std::pair{1, "08/12/2026 14:35:48"}}) {
        const QString texto = grade.Modelo().data(grade.Modelo().index(0, coluna)).toString();
        EXPECT_EQ(texto, esperado);
        EXPECT_GE(grade.columnWidth(coluna), grade.fontMetrics().horizontalAdvance(texto) + margens) << esperado;
    }
}

// A code typed in a cell may become a text that keeps the user there, and
// F4 opens the column's pick on what was typed.
TEST(TnGrade, CodigoDigitadoNaCelulaViraTextoEF4AbreAEscolha)
{
    TnClientDataSet itens("Itens");
    TnField& descricao = itens.AddField<TnStringField>("DESCR", 40);
    itens.AddField<TnIntegerField>("SEQ").Definicao().TabStop = false;
    itens.AddField<TnStringField>("OBS", 40);
    itens.CreateDataSet();
    itens.AppendRecord({"antigo", 1, ""});
    itens.Tela().Aparencia.AoConfirmarCelula = [&itens](int, const QString& campo, const QString& texto) {
        if (campo != u"DESCR" || texto != u"7")
            return false;
        itens.Edit();
        itens.FieldByName("DESCR").SetValue("Sete e ");
        return true;
    };
    QStringList vistos;
    descricao.Definicao().OnButtonClick = [&vistos](TnField& campo) {
        vistos << campo.AsString();
        campo.DataSet().Edit();
        campo.SetValue("escolhido");
    };
    TnGrade grade(itens, true);
    grade.show();
    const QModelIndex celula = grade.Modelo().index(0, 0);
    const auto editar = [&](const QString& texto) {
        grade.setCurrentIndex(celula);
        grade.edit(celula);
        auto* editor = qobject_cast<QLineEdit*>(grade.indexWidget(celula));
        EXPECT_NE(editor, nullptr);
        editor->setText(texto);
        return editor;
    };
    QLineEdit* editor = editar("7");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(grade.indexWidget(celula), editor) << "the text expects a complement: stay in the cell";
    EXPECT_EQ(editor->text(), "Sete e ");
    QTest::keyClicks(editor, "oito");
    QTest::keyClick(editor, Qt::Key_Tab);
    EXPECT_EQ(grade.indexWidget(celula), nullptr) << "Tab commits and leaves the cell";
    EXPECT_EQ(grade.currentIndex(), grade.Modelo().index(0, 2)) << "past the column kept out of the tab order";
    EXPECT_EQ(itens.FieldByName("DESCR").AsString(), "Sete e oito");
    // A text the handler leaves alone is committed as typed.
    editor = editar("livre");
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents();  // Enter commits through a queued call
    EXPECT_EQ(itens.FieldByName("DESCR").AsString(), "livre");

    grade.setCurrentIndex(grade.Modelo().index(0, 2));
    QTest::keyClick(&grade, Qt::Key_F4);
    EXPECT_TRUE(vistos.isEmpty()) << "a plain column has no pick";
    grade.setCurrentIndex(celula);
    QTest::keyClick(&grade, Qt::Key_F4);
    EXPECT_EQ(vistos, QStringList{"livre"});
    EXPECT_EQ(itens.FieldByName("DESCR").AsString(), "escolhido");
    editor = editar("digitado");
    QTest::keyClick(editor, Qt::Key_F4);
    EXPECT_EQ(vistos.value(1), "digitado") << "what was typed goes in before the pick";
    EXPECT_EQ(grade.Modelo().headerData(0, Qt::Horizontal, Qt::ToolTipRole).toString(), "F4: escolher");
}

namespace {

// A register that adds a label in DepoisConfigurar, as the module's registers
// do, showing it with a text on some rows only (the module's buttons are
// tried on the protocol screen).
class TTesteDMComRotulo : public TLyrDMHistoricoPro {
public:
    void DepoisConfigurar(TnFormulario* formulario) override
    {
        TLyrDMHistoricoPro::DepoisConfigurar(formulario);
        CriarRotulo("lblStatus", {}, true).Cor = "red";
    }
    void ConfigurarCampo() override
    {
        TLyrDMHistoricoPro::ConfigurarCampo();
        if (TnRotulo* status = Rotulo("lblStatus"))
            status->Texto = FieldByName("TEMCOMPLEMENTOHISTORICO").AsString() == u"1" ? QStringLiteral("Com complemento") : QString();
    }
};

} // namespace

TEST_F(Desktop, RotuloQueOModuloAcrescentaSegueALinhaESomeSemTexto)
{
    ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO, TEMCOMPLEMENTOHISTORICO) values (1, 'A', '1'), (2, 'B', '0')");
    TTesteDMComRotulo historicos;
    historicos.Abrir();
    TnFrmCadastro tela(historicos);
    auto* status = tela.findChild<QLabel*>("lblStatus");
    ASSERT_NE(status, nullptr);
    EXPECT_EQ(status->text(), "Com complemento") << "the label follows the row the form opens on";
    EXPECT_FALSE(status->isHidden());
    tela.Acao("actDataSetNext")->trigger();
    EXPECT_TRUE(status->isHidden()) << "a label without text is not shown";
}
