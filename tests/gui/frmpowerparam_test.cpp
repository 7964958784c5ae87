#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "dmpowerparam.h"
#include "erros.h"
#include "frmpowerparam.h"
#include "grade.h"
#include "modelodataset.h"
#include "painelparametros.h"
#include "visaomsgtree.h"
#include "visaoprogresso.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace {

// A listing of protocols by company: every kind of parameter, a dataset
// created by the first run, a button enabled by the run and a tab of its own.
class TTesteDPListagem : public TnDMPowerParamTab {
    LYR_DATAMODULE(TTesteDPListagem)
public:
    TTesteDPListagem()
    {
        npqPowerParam.Caption = QStringLiteral("Listar Protocolos");
        // Declared out of panel order on purpose.
        TnpqParamItem& empresas = Parametro(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 3);
        empresas.Hint = QStringLiteral("Informe o código da empresa");
        empresas.ConsultMultSelect = true;
        TnpqParamItem& tipo = Parametro(QStringLiteral("pTipo"), QStringLiteral("Tipo"), 0);
        tipo.CtrlType = TnTipoControle::ntcComboBox;
        tipo.CtrlNameValues = QStringLiteral("Saída=1;Entrada=2;");
        tipo.Value = QStringLiteral("1");
        tipo.Requerid = true;
        TnpqParamItem& inicial = Parametro(QStringLiteral("pDataInicial"), QStringLiteral("Data Inicial"), 1);
        inicial.EhData = true;
        inicial.Requerid = true;
        Parametro(QStringLiteral("pDataFinal"), QStringLiteral("Data Final"), 2).EhData = true;
        TnpqParamItem& documentos = Parametro(QStringLiteral("pDocumentos"), QStringLiteral("Documentos"), 4);
        documentos.CtrlType = TnTipoControle::ntcCheckListBox;
        documentos.CtrlNameValues = QStringLiteral("Guias=1;Folha=2;Boletos=3;");
        documentos.Value = QStringLiteral("1;3");
        Parametro(QStringLiteral("pObservacao"), QStringLiteral("Observação"), 5);
        npqPowerParam.Add(QStringLiteral("pInterno")).ParType = TnParType::npqptFixo;

        nClientDataSet.SetFieldDefs({{"CODIGOEMPRESA", TnFieldType::Integer}, {"SITUACAO", TnFieldType::String, 30}});
        // A period of one day unless the user says otherwise.
        npqPowerParam.OnParamChange = [this](TnpqParamItem& item) {
            alterados.append(item.Alias);
            if (item.Alias == u"pDataInicial" && Param(QStringLiteral("pDataFinal")).isEmpty())
                npqPowerParam.ParamByAlias(QStringLiteral("pDataFinal")).Value = item.Value;
        };
    }

    TnpqParamItem& Parametro(const QString& alias, const QString& caption, int posicao)
    {
        TnpqParamItem& item = npqPowerParam.Add(alias);
        item.Caption = caption;
        item.Position = posicao;
        return item;
    }

    void DepoisConfigurar(TnFormulario* formulario) override
    {
        TnDMPowerParamTab::DepoisConfigurar(formulario);
        marcar = &CriarToolButton(QStringLiteral("Marcar Todos"), QStringLiteral("Marca todos os protocolos"), 196,
                                  [this](TnAction&) { ++marcacoes; }, QStringLiteral("Ctrl+Ins"));
        marcar->SetEnabled(false);
        CriarTab(QStringLiteral("Resumo"));
    }

    void ValidarDado() override
    {
        TnDMPowerParamTab::ValidarDado();
        const QDate inicial = QDate::fromString(Param(QStringLiteral("pDataInicial")), QStringLiteral("dd/MM/yyyy"));
        const QDate final = QDate::fromString(Param(QStringLiteral("pDataFinal")), QStringLiteral("dd/MM/yyyy"));
        if (final.isValid() && final < inicial)
            throw EnParam(QStringLiteral("pDataFinal"), QStringLiteral("A data final é anterior à inicial."));
    }

    void Executar() override
    {
        ++execucoes;
        if (!nClientDataSet.Active()) {
            nClientDataSet.CreateDataSet();
            nClientDataSet.FieldByName(QStringLiteral("CODIGOEMPRESA")).SetDisplayLabel(QStringLiteral("Empresa"));
        }
        nClientDataSet.EmptyDataSet();
        LimparMsgTreeLista();
        const TnMsgNo raiz = MsgTree(TnTipoMsg::Informacao, QStringLiteral("Listagem"));
        for (const QString& empresa : npqPowerParam.ParamByAlias(QStringLiteral("pCodigoEmpresa")).Valores()) {
            if (empresa == u"9") {
                MsgTree(TnTipoMsg::Erro, QStringLiteral("Empresa 9 não encontrada"), raiz);
                continue;
            }
            nClientDataSet.AppendRecord({empresa.toInt(), QStringLiteral("Aberto")});
        }
        marcar->SetEnabled(!nClientDataSet.IsEmpty());
    }

    void actGravarExecute() override
    {
        ++gravacoes;
        if (!erroAoGravar.isEmpty())
            throw EnErro(erroAoGravar);
        SetTemAlteracao(false);
    }

    TnAction* marcar = nullptr;
    int marcacoes = 0;
    int execucoes = 0;
    int gravacoes = 0;
    QString erroAoGravar;
    QStringList alterados;
};

// A consultation of people above a searchable grid.
class TTesteDPPessoas : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TTesteDPPessoas)
public:
    TTesteDPPessoas()
    {
        npqPowerParam.Caption = QStringLiteral("Pessoas");
        npqPowerParam.Add(QStringLiteral("pNome")).Caption = QStringLiteral("Nome");
        nClientDataSet.SetFieldDefs({{"CODIGO", TnFieldType::Integer}, {"NOME", TnFieldType::String, 40}});
        nClientDataSet.CreateDataSet();
    }

    void Executar() override
    {
        nClientDataSet.EmptyDataSet();
        int codigo = 0;
        for (const char* nome : {"Ana", "Bruno", "Mariana", "Marcos"})
            nClientDataSet.AppendRecord({++codigo, QString::fromUtf8(nome)});
        nClientDataSet.First();
    }
};

// The screen as the user has it: shown and active, so focus and shortcuts work.
void Exibir(QWidget& tela)
{
    tela.resize(800, 600);
    tela.show();
    tela.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&tela));
}

template <typename T>
T* ControleDe(TnFrmPowerParam& tela, const QString& alias)
{
    return qobject_cast<T*>(tela.Parametros().Controle(alias));
}

QStringList TitulosDasAbas(const QTabWidget& abas)
{
    QStringList titulos;
    for (int i = 0; i < abas.count(); ++i) {
        if (abas.isTabVisible(i))
            titulos.append(abas.tabText(i));
    }
    return titulos;
}

} // namespace

TEST(TnFrmPowerParam, MontaOPainelEAsAcoesDaDeclaracao)
{
    TTesteDPListagem processo;
    TnFrmPowerParam tela(processo);
    EXPECT_EQ(tela.windowTitle(), "Listar Protocolos");

    // Panel order, required ones marked; fixed parameters are not the user's.
    auto* layout = qobject_cast<QFormLayout*>(tela.Parametros().layout());
    ASSERT_NE(layout, nullptr);
    QStringList rotulos;
    for (int linha = 0; linha < layout->rowCount(); ++linha) {
        if (const QLayoutItem* rotulo = layout->itemAt(linha, QFormLayout::LabelRole))
            rotulos.append(qobject_cast<QLabel*>(rotulo->widget())->text());
    }
    EXPECT_EQ(rotulos, QStringList({"Tipo *", "Data Inicial *", "Data Final", "Empresa", "Documentos", "Observação"}));
    EXPECT_TRUE(tela.Parametros().Rotulo("pTipo")->font().bold());
    EXPECT_EQ(tela.Parametros().Controle("pInterno"), nullptr);
    EXPECT_EQ(tela.Parametros().Controle("pCodigoEmpresa")->toolTip(), "Informe o código da empresa");

    // The declared defaults: captions shown, values stored.
    auto* tipo = ControleDe<QComboBox>(tela, "pTipo");
    ASSERT_NE(tipo, nullptr);
    EXPECT_EQ(tipo->currentText(), "Saída");
    EXPECT_EQ(tipo->itemText(1), "Entrada");
    auto* documentos = ControleDe<QListWidget>(tela, "pDocumentos");
    ASSERT_NE(documentos, nullptr);
    EXPECT_EQ(documentos->item(0)->checkState(), Qt::Checked);
    EXPECT_EQ(documentos->item(1)->checkState(), Qt::Unchecked);
    EXPECT_EQ(documentos->item(2)->checkState(), Qt::Checked);
    auto* inicial = ControleDe<QLineEdit>(tela, "pDataInicial");
    ASSERT_NE(inicial, nullptr);
    EXPECT_FALSE(inicial->inputMask().isEmpty());
    EXPECT_EQ(tela.Parametros().Valor("pDataInicial"), "") << "an empty date is no date";
    EXPECT_NE(ControleDe<QLineEdit>(tela, "pCodigoEmpresa")->validator(), nullptr);
    EXPECT_TRUE(processo.alterados.isEmpty()) << "showing the defaults is not a change";

    // Parameters on their own tab, then the declared tabs (one added while
    // configuring); no message tab until the process shows its messages.
    EXPECT_EQ(TitulosDasAbas(tela.Abas()), QStringList({"Parâmetros", "Resultado", "Resumo"}));
    EXPECT_TRUE(tela.Aba(0)->isAncestorOf(&tela.Grade()));
    EXPECT_EQ(tela.Pesquisa(), nullptr);

    QAction* executar = tela.Acao("actExecutar");
    ASSERT_NE(executar, nullptr);
    EXPECT_EQ(executar->shortcut(), QKeySequence(Qt::Key_F9));
    EXPECT_FALSE(executar->icon().isNull()) << "the theme's icon beside the caption";
    EXPECT_EQ(executar->toolTip(), "Executar (F9)");
    EXPECT_TRUE(tela.Acao("actGravar")->isVisible()) << "a tabbed process saves";
    QAction* marcar = tela.Acao(processo.marcar->Name());
    ASSERT_NE(marcar, nullptr);
    EXPECT_EQ(marcar->text(), "Marcar Todos");
    EXPECT_EQ(marcar->toolTip(), "Marca todos os protocolos (Ctrl+Ins)");
    EXPECT_FALSE(marcar->icon().isNull());
    EXPECT_EQ(marcar->shortcut(), QKeySequence(QStringLiteral("Ctrl+Ins")));
    EXPECT_FALSE(marcar->isEnabled());
}

TEST(TnFrmPowerParam, OQueOUsuarioMudaVaiParaOProcesso)
{
    TTesteDPListagem processo;
    TnFrmPowerParam tela(processo);

    QTest::keyClicks(ControleDe<QLineEdit>(tela, "pObservacao"), "urgente");
    EXPECT_EQ(processo.Param("pObservacao"), "urgente");
    EXPECT_TRUE(processo.alterados.contains("pObservacao"));

    QTest::keyClick(ControleDe<QComboBox>(tela, "pTipo"), Qt::Key_Down);
    EXPECT_EQ(processo.Param("pTipo"), "2") << "the value, not the caption";

    ControleDe<QListWidget>(tela, "pDocumentos")->item(1)->setCheckState(Qt::Checked);
    EXPECT_EQ(processo.Param("pDocumentos"), "1;2;3");
    ControleDe<QListWidget>(tela, "pDocumentos")->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(processo.Param("pDocumentos"), "2;3");

    // Several codes and ranges; other characters are refused as typed.
    QTest::keyClicks(ControleDe<QLineEdit>(tela, "pCodigoEmpresa"), "1;3;5-9x");
    EXPECT_EQ(processo.Param("pCodigoEmpresa"), "1;3;5-9");
    EXPECT_EQ(processo.npqPowerParam.ParamByAlias("pCodigoEmpresa").Valores(), QStringList({"1", "3", "5-9"}));

    // A date goes when whole; the process fills the final date from it and
    // the panel shows that.
    auto* inicial = ControleDe<QLineEdit>(tela, "pDataInicial");
    inicial->home(false);
    QTest::keyClicks(inicial, "0111");
    EXPECT_EQ(processo.Param("pDataInicial"), "") << "half a date is not sent while typing";
    QTest::keyClicks(inicial, "2026");
    EXPECT_EQ(processo.Param("pDataInicial"), "01/11/2026");
    EXPECT_EQ(tela.Parametros().Valor("pDataFinal"), "01/11/2026");

    // Values the process sets come back when the panel reads them.
    processo.SetParam("pObservacao", "revisar");
    tela.Parametros().Ler();
    EXPECT_EQ(ControleDe<QLineEdit>(tela, "pObservacao")->text(), "revisar");
}

class TnFrmPowerParamComUsuario : public TesteDeTela {};

TEST_F(TnFrmPowerParamComUsuario, ParametroRecusadoLevaOFocoAoSeuControle)
{
    TTesteDPListagem processo;
    TnFrmPowerParam tela(processo);
    Exibir(tela);
    tela.Abas().setCurrentWidget(tela.Aba(0));

    m_usuario->Esperar("Informe o parâmetro \"Data Inicial\"", "OK");
    QTest::keyClick(ControleDe<QLineEdit>(tela, "pObservacao"), Qt::Key_F9);
    m_usuario->Verificar();
    EXPECT_EQ(processo.execucoes, 0);
    EXPECT_EQ(tela.Abas().currentIndex(), 0) << "back on the parameters";
    EXPECT_EQ(QApplication::focusWidget(), tela.Parametros().Controle("pDataInicial"));

    // The process's own check points at its parameter too.
    processo.SetParam("pDataInicial", "10/11/2026");
    processo.SetParam("pDataFinal", "01/11/2026");
    tela.Parametros().Ler();
    m_usuario->Esperar("A data final é anterior à inicial.", "OK");
    tela.Acao("actExecutar")->trigger();
    m_usuario->Verificar();
    EXPECT_EQ(processo.execucoes, 0);
    EXPECT_EQ(QApplication::focusWidget(), tela.Parametros().Controle("pDataFinal"));
}

TEST(TnFrmPowerParam, ExecutarPreencheAGradeEMostraOResultado)
{
    TTesteDPListagem processo;
    processo.SetMsgTreeExibir(true);
    TnFrmPowerParam tela(processo);
    Exibir(tela);
    processo.SetParam("pDataInicial", "01/11/2026");
    processo.SetParam("pCodigoEmpresa", "1;3;7");
    tela.Parametros().Ler();
    EXPECT_EQ(tela.Grade().model()->columnCount(), 0) << "the dataset does not exist before the run";

    QTest::keyClick(ControleDe<QLineEdit>(tela, "pCodigoEmpresa"), Qt::Key_F9);
    ASSERT_EQ(processo.execucoes, 1);
    // The grid was made again for the fields the run created.
    TnGrade& grade = tela.Grade();
    EXPECT_EQ(grade.model()->rowCount(), 3);
    EXPECT_EQ(grade.model()->headerData(0, Qt::Horizontal).toString(), "Empresa");
    EXPECT_EQ(grade.model()->index(2, 0).data().toString(), "7");
    EXPECT_EQ(tela.Abas().currentWidget(), tela.Aba(0));
    EXPECT_TRUE(tela.Acao(processo.marcar->Name())->isEnabled()) << "the run enabled the button";
    tela.Acao(processo.marcar->Name())->trigger();
    EXPECT_EQ(processo.marcacoes, 1);

    // A run whose messages tell of an error opens them instead of the grid.
    EXPECT_EQ(TitulosDasAbas(tela.Abas()), QStringList({"Parâmetros", "Resultado", "Resumo", "Mensagens"}));
    processo.SetParam("pCodigoEmpresa", "2;9");
    tela.Parametros().Ler();
    tela.Acao("actExecutar")->trigger();
    EXPECT_EQ(&tela.Grade(), &grade) << "same fields, same grid";
    EXPECT_EQ(grade.model()->rowCount(), 1);
    EXPECT_EQ(tela.Abas().currentWidget()->findChild<TnVisaoMsgTree*>(), &tela.Mensagens());
    ASSERT_EQ(tela.Mensagens().topLevelItemCount(), 1);
    EXPECT_EQ(tela.Mensagens().topLevelItem(0)->child(0)->text(0), "Empresa 9 não encontrada");
}

// Without tabs of its own the panel sits above the result, which a search
// line under it walks.
TEST(TnFrmPowerParam, SemAbasPesquisaAchaALinhaNaColunaAtualAoDigitar)
{
    TTesteDPPessoas processo;
    TnFrmPowerParam tela(processo);
    EXPECT_EQ(TitulosDasAbas(tela.Abas()), QStringList({"Resultado"}));
    EXPECT_FALSE(tela.Acao("actGravar")->isVisible());
    ASSERT_NE(tela.Pesquisa(), nullptr);
    tela.Acao("actExecutar")->trigger();
    TnGrade& grade = tela.Grade();
    ASSERT_EQ(grade.model()->rowCount(), 4);
    grade.setCurrentIndex(grade.model()->index(0, 1));

    QTest::keyClicks(tela.Pesquisa(), "mar");
    EXPECT_EQ(processo.nClientDataSet.FieldByName("NOME").AsString(), "Mariana");
    QTest::keyClick(tela.Pesquisa(), 'c');
    EXPECT_EQ(processo.nClientDataSet.FieldByName("NOME").AsString(), "Marcos");
    EXPECT_EQ(grade.currentIndex().row(), 3) << "the grid follows the row found";
    EXPECT_EQ(grade.currentIndex().column(), 1);
    QTest::keyClick(tela.Pesquisa(), 'x');
    EXPECT_EQ(processo.nClientDataSet.FieldByName("NOME").AsString(), "Marcos") << "no match keeps the row";
}

TEST(TnVisaoMsgTree, SegueAArvoreEnquantoElaMuda)
{
    TnMsgTree arvore;
    const TnMsgNo empresa = arvore.MsgTree(TnTipoMsg::Informacao, "Empresa: 1 - Padaria");
    TnVisaoMsgTree visao(arvore);
    ASSERT_EQ(visao.topLevelItemCount(), 1) << "lines already there are shown";

    const TnMsgNo filial = arvore.MsgTree(TnTipoMsg::Informacao, "Filial: 1 - Matriz", empresa);
    const TnMsgNo item = arvore.MsgTree(TnTipoMsg::Aviso, "DARF sem vencimento", filial);
    arvore.MsgTree(TnTipoMsg::Sucesso, "Empresa: 2 - Mercado");
    ASSERT_EQ(visao.topLevelItemCount(), 2);
    QTreeWidgetItem* linhaFilial = visao.Item(filial);
    ASSERT_NE(linhaFilial, nullptr);
    EXPECT_EQ(linhaFilial->parent(), visao.Item(empresa));
    EXPECT_EQ(linhaFilial->child(0)->text(0), "DARF sem vencimento");
    EXPECT_EQ(visao.Item(item)->data(0, TnVisaoMsgTree::PapelIcone).toInt(), static_cast<int>(TnMsgIcone::Aviso));
    EXPECT_EQ(visao.topLevelItem(1)->data(0, TnVisaoMsgTree::PapelIcone).toInt(), static_cast<int>(TnMsgIcone::Confirmacao));

    EXPECT_FALSE(visao.TemErro());
    arvore.SetarIconErro(filial);
    EXPECT_EQ(linhaFilial->data(0, TnVisaoMsgTree::PapelIcone).toInt(), static_cast<int>(TnMsgIcone::Erro));
    EXPECT_TRUE(visao.TemErro());

    // Removing a line takes its lines with it, and the error it showed.
    arvore.ExcluirNo(filial);
    EXPECT_EQ(visao.Item(filial), nullptr);
    EXPECT_EQ(visao.Item(item), nullptr);
    EXPECT_EQ(visao.Item(empresa)->childCount(), 0);
    EXPECT_FALSE(visao.TemErro());

    arvore.LimparMsgTreeLista();
    EXPECT_EQ(visao.topLevelItemCount(), 0);
}

TEST(TnVisaoProgresso, SegueAsBarrasSemRedesenharCadaPassoAteSerLiberado)
{
    auto progresso = std::make_unique<TnFraProgresso>();
    TnVisaoProgresso visao(*progresso);
    visao.SetIntervalo(0);
    EXPECT_TRUE(visao.isHidden()) << "nothing to show before the frame is shown";

    progresso->MostrarMultiplo(QStringLiteral("Gerando protocolos"));
    progresso->ConfigurarProgressoTotal(3);
    progresso->ConfigurarProgressoParcial(1, 2);
    EXPECT_FALSE(visao.isHidden());
    EXPECT_FALSE(visao.BarraParcial().isHidden());
    EXPECT_EQ(visao.BarraTotal().maximum(), 3);
    progresso->IncProgressoTotal(QStringLiteral("1 - Padaria  -  1 - Matriz"));
    progresso->IncProgressoParcial(QStringLiteral("DARF"));
    EXPECT_EQ(visao.BarraTotal().value(), 1);
    EXPECT_EQ(visao.Texto().text(), "1 - Padaria  -  1 - Matriz");
    EXPECT_EQ(visao.BarraParcial().value(), 1);
    EXPECT_EQ(visao.TextoParcial().text(), "DARF");

    // Endless applies to the partial bar when multiple, to the only one when simple.
    progresso->SetEhCircular(true);
    EXPECT_EQ(visao.BarraParcial().maximum(), 0);
    EXPECT_EQ(visao.BarraTotal().maximum(), 3);
    progresso->MostrarSimples();
    EXPECT_TRUE(visao.BarraParcial().isHidden());
    EXPECT_EQ(visao.BarraTotal().maximum(), 0);

    EXPECT_TRUE(visao.BotaoCancelar().isHidden()) << "only a process that can stop offers it";
    progresso->SetPodeCancelar(true);
    ASSERT_FALSE(visao.BotaoCancelar().isHidden());
    QTest::mouseClick(&visao.BotaoCancelar(), Qt::LeftButton);
    EXPECT_TRUE(progresso->CancelamentoSolicitado());
    EXPECT_FALSE(visao.BotaoCancelar().isEnabled());

    progresso->Ocultar();
    EXPECT_TRUE(visao.isHidden());

    // Steps in a loop are shown when the loop lets the screen run, not one by one.
    visao.SetIntervalo(3'600'000);
    progresso->SetEhCircular(false);
    progresso->MostrarSimples(QStringLiteral("Carregando Protocolos..."));
    progresso->ConfigurarProgressoTotal(1000);
    for (int i = 0; i < 1000; ++i)
        progresso->IncProgressoTotal();
    EXPECT_LT(visao.BarraTotal().value(), 1000) << "the run holds the loop: no step by step";
    QCoreApplication::processEvents();
    EXPECT_EQ(visao.BarraTotal().maximum(), 1000);
    EXPECT_EQ(visao.BarraTotal().value(), 1000) << "the last step shows when the loop runs";

    // Freeing the frame closes the view.
    int liberacoes = 0;
    QObject::connect(&visao, &TnVisaoProgresso::Liberado, [&liberacoes] { ++liberacoes; });
    progresso.reset();
    EXPECT_EQ(liberacoes, 1);
    EXPECT_EQ(visao.Progresso(), nullptr);
    EXPECT_TRUE(visao.isHidden());
}

TEST_F(TnFrmPowerParamComUsuario, FecharComAlteracoesPerguntaAntes)
{
    TTesteDPListagem processo;
    TnFrmPowerParam tela(processo);
    Exibir(tela);
    processo.SetTemAlteracao(true);

    // A save that fails keeps the screen and says why.
    processo.erroAoGravar = QStringLiteral("O protocolo 12 já foi baixado.");
    m_usuario->Esperar("não foram gravadas", "Sim").Esperar("já foi baixado", "OK");
    EXPECT_FALSE(tela.close());
    EXPECT_TRUE(tela.isVisible());

    processo.erroAoGravar.clear();
    m_usuario->Esperar("não foram gravadas", "Sim");
    EXPECT_TRUE(tela.close());
    EXPECT_EQ(processo.gravacoes, 2);
    EXPECT_FALSE(processo.TemAlteracao());
    m_usuario->Verificar();
}

// A process whose result the user fills in: cells typed and stored into the
// in-memory rows by keyboard, read-only columns left alone; saving with a
// cell still being typed stores it first.
TEST_F(TnFrmPowerParamComUsuario, GradeEditavelGuardaOQueFoiDigitado)
{
    TTesteDPListagem processo;
    processo.SetGradeEditavel(true);
    processo.SetParam(QStringLiteral("pDataInicial"), QStringLiteral("01/12/2026"));
    processo.SetParam(QStringLiteral("pCodigoEmpresa"), QStringLiteral("3;4"));
    TnFrmPowerParam tela(processo);
    Exibir(tela);
    tela.Acao(processo.actExecutar->Name())->trigger();
    processo.nClientDataSet.FieldByName(QStringLiteral("CODIGOEMPRESA")).SetReadOnly(true);
    TnGrade& grade = tela.Grade();
    ASSERT_EQ(processo.nClientDataSet.RecordCount(), 2);
    const int empresa = grade.Modelo().ColunaDoCampo(QStringLiteral("CODIGOEMPRESA"));
    EXPECT_FALSE(grade.model()->flags(grade.model()->index(0, empresa)) & Qt::ItemIsEditable);
    processo.nClientDataSet.First();
    grade.setFocus();
    grade.FocarCampo(QStringLiteral("SITUACAO"));
    grade.edit(grade.currentIndex());
    auto* celula = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(celula, nullptr);
    celula->selectAll();
    QTest::keyClicks(celula, QStringLiteral("Baixado"));
    tela.Acao(processo.actGravar->Name())->trigger();
    EXPECT_EQ(processo.gravacoes, 1);
    EXPECT_EQ(processo.nClientDataSet.FieldByName(QStringLiteral("SITUACAO")).AsString(), QStringLiteral("Baixado"));
    EXPECT_EQ(processo.nClientDataSet.State(), TnDataSetState::dsBrowse);
}
