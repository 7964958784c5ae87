#include "frmpowerparam.h"

#include "acaosegura.h"
#include "botoes.h"
#include "dmpowerparam.h"
#include "grade.h"
#include "icones.h"
#include "modelodataset.h"
#include "painelparametros.h"
#include "rodapegrade.h"
#include "visaografico.h"
#include "visaoquadro.h"
#include "visaomsgtree.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

QWidget* NovaPagina(QWidget* pai)
{
    auto* pagina = new QWidget(pai);
    auto* layout = new QVBoxLayout(pagina);
    layout->setContentsMargins(2, 2, 2, 2);
    return pagina;
}

} // namespace

TnFrmPowerParam::TnFrmPowerParam(TnDMPowerParam& processo, QWidget* pai) : TnFrmPowerParam(processo, pai, TnSemConfigurar{})
{
    Configurar();
}

TnFrmPowerParam::TnFrmPowerParam(TnDMPowerParam& processo, QWidget* pai, TnSemConfigurar)
    : TnFormulario(processo, pai), m_processo(processo), m_emAba(dynamic_cast<TnDMPowerParamTab*>(&processo) != nullptr && !processo.MostrarParams())
{
    Montar();
}

void TnFrmPowerParam::Montar()
{
    setObjectName(m_processo.Name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);

    m_barra = new QToolBar(this);
    m_barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(m_barra);
    m_separadorBotoes = m_barra->addSeparator();

    m_parametros = new TnPainelParametros(m_processo, this);
    auto* rolagem = new QScrollArea(this);
    rolagem->setWidgetResizable(true);
    rolagem->setWidget(m_parametros);
    m_abas = new QTabWidget(this);
    if (m_emAba) {
        m_abas->addTab(rolagem, QStringLiteral("Parâmetros"));
        m_paginaParametros = rolagem;
        layout->addWidget(m_abas, 1);
    } else {
        rolagem->setFrameShape(QFrame::NoFrame);
        auto* divisor = new QSplitter(Qt::Vertical, this);
        divisor->setChildrenCollapsible(false);
        divisor->addWidget(rolagem);
        divisor->addWidget(m_abas);
        divisor->setStretchFactor(1, 1);
        layout->addWidget(divisor, 1);
    }

    m_paginaMensagens = NovaPagina(m_abas);
    m_mensagens = new TnVisaoMsgTree(m_processo.MsgTreeLista(), m_paginaMensagens);
    m_paginaMensagens->layout()->addWidget(m_mensagens);
    m_abas->addTab(m_paginaMensagens, QStringLiteral("Mensagens"));

    // The first tab (always declared) holds the grid.
    Sincronizar();
    QWidget* resultado = m_paginas.value(0);
    if (dynamic_cast<TnDMPowerParamGrid*>(&m_processo)) {
        m_pesquisa = new QLineEdit(resultado);
        m_pesquisa->setObjectName(QStringLiteral("pesquisa"));
        m_pesquisa->setPlaceholderText(QStringLiteral("Pesquisar na coluna atual (Ctrl+F)"));
        m_pesquisa->setClearButtonEnabled(true);
        resultado->layout()->addWidget(m_pesquisa);
        connect(m_pesquisa, &QLineEdit::textEdited, this, &TnFrmPowerParam::Pesquisar);
        auto* focarPesquisa = new QAction(this);
        focarPesquisa->setShortcut(QKeySequence::Find);
        focarPesquisa->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(focarPesquisa, &QAction::triggered, m_pesquisa, [this] {
            m_abas->setCurrentWidget(m_paginas.value(0));
            m_pesquisa->setFocus();
            m_pesquisa->selectAll();
        });
        addAction(focarPesquisa);
    }
    if (const TnDMPowerParam::TnLeitor* leitor = m_processo.Leitor())
        CriarLeitor(*leitor, *resultado);
    CriarGrade();

    auto* status = new QStatusBar(this);
    status->setSizeGripEnabled(false);
    m_contagem = new QLabel(status);
    status->addPermanentWidget(m_contagem);
    layout->addWidget(status);
    Sincronizar();
}

// The reader's line above the grid: Enter hands the text to the process,
// which marks and shows the row; the line is emptied for the next code and
// keeps the focus, so a pile of receipts is scanned without touching the mouse.
void TnFrmPowerParam::CriarLeitor(const TnDMPowerParam::TnLeitor& leitor, QWidget& pagina)
{
    auto* linha = new QWidget(&pagina);
    auto* disposicao = new QHBoxLayout(linha);
    disposicao->setContentsMargins(0, 0, 0, 0);
    m_leitor = new QLineEdit(linha);
    m_leitor->setObjectName(QStringLiteral("leitor"));
    m_leitor->setPlaceholderText(leitor.dica);
    m_leitor->setToolTip(leitor.dica);
    auto* rotulo = new QLabel(leitor.rotulo, linha);
    rotulo->setBuddy(m_leitor);
    disposicao->addWidget(rotulo);
    disposicao->addWidget(m_leitor, 1);
    pagina.layout()->addWidget(linha);
    connect(m_leitor, &QLineEdit::returnPressed, this, [this] {
        const QString texto = m_leitor->text();
        if (texto.trimmed().isEmpty())
            return;
        m_leitor->clear();
        if (const TnDMPowerParam::TnLeitor* atual = m_processo.Leitor())
            AcaoSegura([&] { atual->aoLer(texto); });
        Sincronizar();
        m_leitor->setFocus();
    });
}

void TnFrmPowerParam::Configurar()
{
    ConfigurarGrade(*m_grade);
    m_processo.DepoisConfigurar(this);
    // What DepoisConfigurar declared (tool buttons, tabs, enabled actions) shows now.
    Sincronizar();
}

QAction* TnFrmPowerParam::Acao(const QString& nome) const
{
    for (auto it = m_acoes.cbegin(); it != m_acoes.cend(); ++it) {
        if (it.value()->Name() == nome)
            return it.key();
    }
    return nullptr;
}

void TnFrmPowerParam::Sincronizar()
{
    setWindowTitle(m_processo.npqPowerParam.Caption);
    SincronizarBarra();

    const QStringList& abas = m_processo.Tabs();
    for (int i = 0; i < abas.size(); ++i) {
        if (i == m_paginas.size()) {
            QWidget* pagina = NovaPagina(m_abas);
            pagina->setObjectName(QStringLiteral("aba%1").arg(i));
            m_abas->insertTab(m_abas->indexOf(m_paginaMensagens), pagina, abas[i]);
            m_paginas.append(pagina);
            // What the process declared for the tab: other rows, or bars.
            if (TnClientDataSet* linhas = m_processo.DataSetDaAba(i); linhas && i > 0) {
                auto* grade = new TnGrade(*linhas, false, pagina);
                grade->setObjectName(QStringLiteral("grade%1").arg(i));
                pagina->layout()->addWidget(grade);
            } else if (const TnGraficoBarras* grafico = m_processo.GraficoDaAba(i)) {
                auto* visao = new TnVisaoGrafico(*grafico, pagina);
                pagina->layout()->addWidget(visao);
                m_graficos.append(visao);
            }
        } else {
            m_abas->setTabText(m_abas->indexOf(m_paginas[i]), abas[i]);
        }
    }
    m_abas->setTabVisible(m_abas->indexOf(m_paginaMensagens), m_processo.MsgTreeExibir());
    for (TnVisaoGrafico* grafico : std::as_const(m_graficos))
        grafico->Atualizar();

    if (m_contagem) {
        const TnClientDataSet& dataSet = m_processo.nClientDataSet;
        m_contagem->setText(dataSet.Active() ? QStringLiteral("%1 registro(s)").arg(dataSet.RecordCount()) : QString());
    }
}

void TnFrmPowerParam::SincronizarBarra()
{
    const QList<TnAction*> padrao = {m_processo.actExecutar, m_processo.actGravar, m_processo.actCancelar};
    const QList<TnAction*> botoes = m_processo.ToolButtons().Todas();
    // Buttons dropped by the process (a list cleared and declared again) go.
    for (auto it = m_acoes.begin(); it != m_acoes.end();) {
        if (!padrao.contains(it.value()) && !botoes.contains(it.value())) {
            // Later: this may run inside the action's own trigger.
            m_barra->removeAction(it.key());
            removeAction(it.key());
            it.key()->deleteLater();
            it = m_acoes.erase(it);
        } else {
            ++it;
        }
    }
    const auto incluir = [this](TnAction* acao, QAction* antes) {
        for (TnAction* existente : std::as_const(m_acoes)) {
            if (existente == acao)
                return;
        }
        auto* qacao = new QAction(IconeDaAcao(*acao), QString(), this);
        qacao->setObjectName(acao->Name());
        qacao->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        connect(qacao, &QAction::triggered, this, [this, qacao] {
            if (TnAction* alvo = m_acoes.value(qacao, nullptr))
                Gesto(*alvo);
        });
        m_barra->insertAction(antes, qacao);
        // On the form as well: the shortcut answers wherever the focus is in it.
        addAction(qacao);
        m_acoes.insert(qacao, acao);
        acao->AoMudarEstado(qacao, [qacao, acao] {
            qacao->setEnabled(acao->Enabled());
            qacao->setVisible(acao->Visible());
        });
    };
    for (TnAction* acao : padrao)
        incluir(acao, m_separadorBotoes);
    for (TnAction* botao : botoes)
        incluir(botao, nullptr);
    m_separadorBotoes->setVisible(!botoes.isEmpty());

    for (auto it = m_acoes.cbegin(); it != m_acoes.cend(); ++it) {
        QAction* qacao = it.key();
        const TnAction& acao = *it.value();
        VestirBotao(*m_barra, *qacao, acao);
        qacao->setEnabled(acao.Enabled());
        qacao->setVisible(acao.Visible());
    }
}

void TnFrmPowerParam::Gesto(TnAction& acao)
{
    const bool execucao = &acao == m_processo.actExecutar;
    // Running and saving reload or clear the rows: no row keeps the detail
    // rows of another moment open under it.
    if (execucao || &acao == m_processo.actGravar)
        m_grade->FecharPainel();
    const bool ok = AcaoSegura(
        [&] {
            TnCursorEspera espera;
            // A row still being typed in an editable result is stored first:
            // the action reads what the user sees.
            if (m_processo.GradeEditavel() && m_grade && m_processo.nClientDataSet.Active()) {
                m_grade->GravarEdicao();
                m_processo.nClientDataSet.CheckBrowseMode();
            }
            acao.Execute();
        },
        [this](const QString& nome) { FocarCampo(nome); });
    AtualizarGrade();
    m_parametros->Ler();
    Sincronizar();
    if (ok && execucao) {
        MostrarResultado();
        emit Executado();
    }
}

// After a run: the grid, unless the messages tell of errors the user must read.
void TnFrmPowerParam::MostrarResultado()
{
    if (m_processo.MsgTreeExibir() && m_mensagens->TemErro()) {
        m_abas->setCurrentWidget(m_paginaMensagens);
        return;
    }
    m_abas->setCurrentWidget(m_paginas.value(0));
    m_grade->setFocus();
}

QStringList TnFrmPowerParam::AssinaturaCampos() const
{
    QStringList assinatura;
    const TnClientDataSet& dataSet = m_processo.nClientDataSet;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        const TnField& campo = dataSet.Fields(i);
        assinatura.append(campo.Visible() ? campo.FieldName() : QStringLiteral("-") + campo.FieldName());
    }
    return assinatura;
}

// A process often creates its dataset in Executar, or declares it again; the
// grid's columns come from the fields, so a grid for the new fields replaces
// the old one.
void TnFrmPowerParam::AtualizarGrade()
{
    if (AssinaturaCampos() != m_assinatura)
        CriarGrade();
}

void TnFrmPowerParam::CriarGrade()
{
    QWidget* pagina = m_paginas.value(0);
    auto* nova = new TnGrade(m_processo.nClientDataSet, m_processo.GradeEditavel(), pagina);
    nova->setObjectName(QStringLiteral("grade"));
    const bool substituida = m_grade != nullptr;
    if (m_grade) {
        // The layout hands back the old grid's item: it is ours to free.
        if (auto* divisor = qobject_cast<QSplitter*>(m_grade->parentWidget()))
            divisor->replaceWidget(divisor->indexOf(m_grade), nova);
        else
            delete pagina->layout()->replaceWidget(m_grade, nova);
        m_grade->hide();
        // Not at once: the gesture may have come from the old grid.
        m_grade->deleteLater();
    } else if (const TnQuadroInformacoes* quadro = m_processo.QuadroAoLado()) {
        // The list on the left, what its current row holds beside it.
        auto* divisor = new QSplitter(Qt::Horizontal, pagina);
        divisor->addWidget(nova);
        divisor->addWidget(new TnVisaoQuadro(*quadro, divisor));
        divisor->setStretchFactor(1, 1);
        divisor->setSizes({220, 600});
        pagina->layout()->addWidget(divisor);
    } else {
        pagina->layout()->addWidget(nova);
        if (TnClientDataSet* detalhe = m_processo.DataSetDetalhe()) {
            // The detail rows open under a row of the grid, with their sums below them.
            m_painelDetalhe = new QWidget(pagina);
            auto* layout = new QVBoxLayout(m_painelDetalhe);
            layout->setContentsMargins(24, 2, 2, 4);
            layout->setSpacing(0);
            m_gradeDetalhe = new TnGrade(*detalhe, false, m_painelDetalhe);
            m_gradeDetalhe->setObjectName(QStringLiteral("gradeDetalhe"));
            m_gradeDetalhe->AjustarLarguras();
            layout->addWidget(m_gradeDetalhe);
            layout->addWidget(new TnRodapeGrade(*m_gradeDetalhe, m_painelDetalhe));
        }
    }
    m_grade = nova;
    if (m_painelDetalhe)
        m_grade->SetPainelDeLinha(m_painelDetalhe, [this] { m_processo.AbrirDetalhe(); });
    m_assinatura = AssinaturaCampos();
    // The first grid is configured with the form (Configurar).
    if (substituida)
        ConfigurarGrade(*m_grade);
}

void TnFrmPowerParam::Pesquisar(const QString& texto)
{
    TnClientDataSet& dataSet = m_processo.nClientDataSet;
    if (texto.isEmpty() || !dataSet.Active() || m_grade->Modelo().columnCount() == 0)
        return;
    const int coluna = m_grade->currentIndex().isValid() ? m_grade->currentIndex().column() : 0;
    const QString campo = m_grade->Modelo().Campo(coluna).FieldName();
    bool achou = false;
    AcaoSegura([&] { achou = dataSet.Locate(campo, texto, {.CaseInsensitive = true, .PartialKey = true}); });
    m_pesquisa->setStyleSheet(achou ? QString() : QStringLiteral("color: #b00000;"));
}

void TnFrmPowerParam::FocarCampo(const QString& nome)
{
    if (m_parametros->Controle(nome)) {
        if (m_emAba)
            m_abas->setCurrentWidget(m_paginaParametros);
        m_parametros->Focar(nome);
        return;
    }
    // A field of the grid (a rule of the process refused a row).
    const int coluna = m_grade->Modelo().ColunaDoCampo(nome);
    if (coluna >= 0) {
        m_abas->setCurrentWidget(m_paginas.value(0));
        m_grade->setCurrentIndex(m_grade->Modelo().index(std::max(m_grade->Modelo().LinhaAtual(), 0), coluna));
        m_grade->setFocus();
    }
}

bool TnFrmPowerParam::PodeFechar()
{
    bool pode = false;
    AcaoSegura([&] { pode = m_processo.PodeFechar(); }, [this](const QString& nome) { FocarCampo(nome); });
    // Saving on the way out may have changed the grid.
    AtualizarGrade();
    Sincronizar();
    return pode;
}

void TnFrmPowerParam::closeEvent(QCloseEvent* evento)
{
    if (PodeFechar())
        evento->accept();
    else
        evento->ignore();
}
