#include "frmcadastro.h"

#include "classeshost.h"

#include "acaosegura.h"
#include "botoes.h"
#include "controlecampo.h"
#include "dialogos.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "grade.h"
#include "icones.h"
#include "listacampos.h"
#include "previaimpressao.h"
#include "modelodataset.h"
#include "valores.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>
#include <QSplitter>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// The grid's cells follow the register's controls: a field it disables or
// makes read-only (a department only for internal movements) is not typed in.
void BloquearComoORegistro(TnGrade& grade, const TnDMClientDataSet& registro)
{
    grade.Modelo().Bloqueado = [&registro](const TnField& campo) {
        const TnEstadoControle estado = registro.EstadoControle(campo.FieldName());
        return !estado.habilitado || estado.somenteLeitura;
    };
}

} // namespace

TnFrmCadastro::TnFrmCadastro(TnDMClientDataSet& cadastro, QWidget* pai) : TnFormulario(cadastro, pai), m_cadastro(cadastro)
{
    setObjectName(cadastro.Name);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    // The status labels share the tool bar's line: showing one moves nothing.
    auto* topo = new QHBoxLayout;
    CriarBarra();
    topo->addWidget(m_barra, 1);
    topo->addWidget(CriarAreaRotulos(cadastro, this));
    layout->addLayout(topo);

    auto* divisor = new QSplitter(Qt::Vertical, this);
    if (cadastro.nClientDataSet.Tela().TipoForm == TnTipoForm::ntfCadGrid) {
        m_grade = new TnGrade(cadastro.nClientDataSet, true, divisor);
        BloquearComoORegistro(*m_grade, cadastro);
        divisor->addWidget(m_grade);
    } else {
        auto* rolagem = new QScrollArea(divisor);
        rolagem->setWidgetResizable(true);
        auto* area = new QWidget(rolagem);
        CriarCampos(area);
        rolagem->setWidget(area);
        divisor->addWidget(rolagem);
        // Without details, the rows of the register are listed under the fields.
        if (cadastro.Detalhes().empty()) {
            m_lista = new TnGrade(cadastro.nClientDataSet, false, divisor);
            m_lista->setObjectName(QStringLiteral("lista"));
            divisor->addWidget(m_lista);
        }
    }
    for (const auto& detalhe : cadastro.Detalhes()) {
        auto* caixa = new QWidget(divisor);
        auto* layoutDetalhe = new QVBoxLayout(caixa);
        layoutDetalhe->setContentsMargins(0, 0, 0, 0);
        auto* cabecalho = new QHBoxLayout;
        cabecalho->addWidget(new QLabel(QStringLiteral("<b>%1</b>").arg(detalhe->nClientDataSet.Tela().Caption.toHtmlEscaped()), caixa));
        layoutDetalhe->addLayout(cabecalho);
        auto* grade = new TnGrade(detalhe->nClientDataSet, true, caixa);
        grade->setObjectName(detalhe->Name);
        BloquearComoORegistro(*grade, *detalhe);
        // The buttons a detail adds for its rows sit over its grid; their keys
        // work while the grid has the focus.
        detalhe->DepoisConfigurar(this);
        if (detalhe->ToolButtons().Count() > 0) {
            auto* barra = new QToolBar(caixa);
            barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
            CriarBotoesDoModulo(*detalhe, barra, caixa);
            cabecalho->addWidget(barra);
        }
        cabecalho->addStretch(1);
        cabecalho->addWidget(CriarAreaRotulos(*detalhe, caixa));
        layoutDetalhe->addWidget(grade, 1);
        divisor->addWidget(caixa);
        m_detalhes.append(grade);
        // The detail's hooks set its actions and labels after telling its
        // views of a row: they are read once its change is over.
        connect(&grade->Modelo(), &TnModeloDataSet::ConcluiuMudanca, this, [this] {
            AtualizarAcoes();
            AtualizarRotulos();
        });
    }
    layout->addWidget(divisor, 1);
    cadastro.nClientDataSet.AdicionarObservador(this);
    cadastro.DepoisConfigurar(this);
    // Labels created while configuring follow the row the form opens on.
    if (cadastro.nClientDataSet.Active())
        AcaoSegura([&cadastro] { cadastro.ConfigurarCampo(); });
    for (const auto& detalhe : cadastro.Detalhes()) {
        if (detalhe->nClientDataSet.Active())
            AcaoSegura([&detalhe] { detalhe->ConfigurarCampo(); });
    }
    // Buttons the data module added while configuring.
    if (cadastro.ToolButtons().Count() > 0)
        m_barra->addSeparator();
    CriarBotoesDoModulo(cadastro, m_barra, this);
    // The tool bar follows the register the focus is in, and its actions as
    // the registers enable them.
    connect(qApp, &QApplication::focusChanged, this, [this] { AtualizarAcoes(); });
    SeguirAcoes(cadastro);
    for (const auto& detalhe : cadastro.Detalhes())
        SeguirAcoes(*detalhe);
    AtualizarTela();
}

TnFrmCadastro::~TnFrmCadastro()
{
    // The child widgets are freed after this body, each handing the focus on:
    // the screen must not hear of it half destroyed.
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
    if (!m_liberado)
        m_cadastro.nClientDataSet.RemoverObservador(this);
}

void TnFrmCadastro::CriarBarra()
{
    m_barra = new QToolBar(this);
    m_barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    const QList<TnAction*> navegacao = {m_cadastro.actDataSetFirst, m_cadastro.actDataSetPrior, m_cadastro.actDataSetNext,
                                        m_cadastro.actDataSetLast};
    const QList<TnAction*> edicao = {m_cadastro.actDataSetInsert, m_cadastro.actDataSetEdit, m_cadastro.actDataSetDelete,
                                     m_cadastro.actDataSetPost,   m_cadastro.actDataSetCancel, m_cadastro.actDataSetRefresh};
    const auto adicionar = [this](TnAction* acao) {
        auto* qacao = m_barra->addAction(IconeDaAcao(*acao), acao->Caption());
        qacao->setObjectName(acao->Name());
        qacao->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        VestirBotao(*m_barra, *qacao, *acao);
        // Added to the screen too, so its shortcut works wherever the focus is in it.
        addAction(qacao);
        connect(qacao, &QAction::triggered, this, [this, acao] { ExecutarAcaoDoDataSet(acao->Name()); });
        m_acoes.insert(qacao, acao);
    };
    for (TnAction* acao : navegacao)
        adicionar(acao);
    m_barra->addSeparator();
    for (TnAction* acao : edicao)
        adicionar(acao);
    if (!m_cadastro.nClientDataSet.Tela().Relatorios.isEmpty()) {
        auto* imprimir = m_barra->addAction(IconeDoTema(QStringLiteral("document-print")), QStringLiteral("Imprimir"));
        imprimir->setObjectName(QStringLiteral("actImprimir"));
        imprimir->setShortcut(QKeySequence::Print);
        imprimir->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        imprimir->setToolTip(QStringLiteral("Imprimir recibos e relatórios (Ctrl+P)"));
        addAction(imprimir);
        connect(imprimir, &QAction::triggered, this, &TnFrmCadastro::Imprimir);
    }
    m_barra->addSeparator();
    m_pesquisa = new QLineEdit(m_barra);
    m_pesquisa->setObjectName(QStringLiteral("pesquisa"));
    m_pesquisa->setPlaceholderText(QStringLiteral("Pesquisar (Ctrl+F)"));
    m_pesquisa->setMinimumWidth(m_pesquisa->fontMetrics().horizontalAdvance(m_pesquisa->placeholderText()) + 48);
    m_pesquisa->setMaximumWidth(m_pesquisa->minimumWidth() + 24);
    m_pesquisa->setClearButtonEnabled(true);
    m_barra->addWidget(m_pesquisa);
    auto* focarPesquisa = new QAction(this);
    focarPesquisa->setShortcut(QKeySequence::Find);
    focarPesquisa->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(focarPesquisa, &QAction::triggered, m_pesquisa, [this] { m_pesquisa->setFocus(); });
    addAction(focarPesquisa);
    connect(m_pesquisa, &QLineEdit::textEdited, this, &TnFrmCadastro::Pesquisar);
}

void TnFrmCadastro::Imprimir()
{
    AcaoSegura([this] {
        TnClientDataSet& dataSet = m_cadastro.nClientDataSet;
        if (EmEdicao(dataSet.State()))
            throw EnErro(QStringLiteral("Grave ou cancele as alterações antes de imprimir."));
        if (!dataSet.Active() || dataSet.IsEmpty())
            throw EnErro(QStringLiteral("Não há registros para imprimir."));
        const QStringList nomes = dataSet.Tela().Relatorios;
        QStringList opcoes;
        for (const QString& nome : nomes) {
            const QString titulo = m_cadastro.TituloRelatorio(nome);
            opcoes << QStringLiteral("%1 - registro atual").arg(titulo)
                   << QStringLiteral("%1 - os %2 registro(s) da tela").arg(titulo).arg(dataSet.RecordCount());
        }
        const int escolhida = nInputQueryListBox(QStringLiteral("Imprimir"), opcoes);
        if (escolhida < 0)
            return;
        // The rows by the first column of the key, as codes the report reads.
        const int chave = dataSet.FieldByName(DividirLista(m_cadastro.ChaveTabela).value(0)).Index();
        QStringList codigos;
        if (escolhida % 2 == 0) {
            codigos.append(Valores::TextoPadrao(dataSet.ValorNaLinha(dataSet.RecNo() - 1, chave)));
        } else {
            for (int linha = 0; linha < dataSet.RecordCount(); ++linha)
                codigos.append(Valores::TextoPadrao(dataSet.ValorNaLinha(linha, chave)));
        }
        TnCursorEspera espera;
        const TnRelatorio relatorio = m_cadastro.MontarRelatorio(nomes[escolhida / 2], codigos.join(u';'));
        if (m_mostrarRelatorio) {
            m_mostrarRelatorio(relatorio);
            return;
        }
        TnPreviaImpressao previa(relatorio, this);
        previa.exec();
    });
}

void TnFrmCadastro::SeguirAcoes(TnDMClientDataSet& registro)
{
    for (TnActionList* lista : {&registro.Actions(), &registro.ToolButtons()}) {
        for (TnAction* acao : lista->Todas())
            acao->AoMudarEstado(this, [this] { AtualizarAcoes(); });
    }
}

void TnFrmCadastro::CriarBotoesDoModulo(TnDataModule& modulo, QToolBar* barra, QWidget* escopo)
{
    for (TnAction* botao : modulo.ToolButtons().Todas()) {
        auto* qacao = barra->addAction(IconeDaAcao(*botao), botao->Caption());
        qacao->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        VestirBotao(*barra, *qacao, *botao);
        escopo->addAction(qacao);
        auto* registro = dynamic_cast<TnDMClientDataSet*>(&modulo);
        connect(qacao, &QAction::triggered, this, [this, botao, registro] {
            if (registro && !PrepararAcao(*registro))
                return;
            Executar(*botao, registro ? GradeDe(*registro) : nullptr);
            AtualizarTela();
        });
        m_acoes.insert(qacao, botao);
    }
}

QWidget* TnFrmCadastro::CriarAreaRotulos(TnDataModule& modulo, QWidget* pai)
{
    auto* area = new QWidget(pai);
    auto* layout = new QHBoxLayout(area);
    layout->setContentsMargins(4, 0, 4, 0);
    m_areasRotulos.append({&modulo, area});
    return area;
}

void TnFrmCadastro::AtualizarRotulos()
{
    for (const TnAreaRotulos& area : std::as_const(m_areasRotulos)) {
        auto* layout = static_cast<QHBoxLayout*>(area.area->layout());
        for (const auto& rotulo : area.modulo->Rotulos()) {
            QLabel*& widget = m_rotulos[rotulo.get()];
            if (!widget) {
                widget = new QLabel(area.area);
                widget->setObjectName(rotulo->Nome);
                QFont fonte = widget->font();
                fonte.setBold(true);
                fonte.setPointSize(fonte.pointSize() + 2);
                widget->setFont(fonte);
                if (rotulo->Painel)
                    widget->setFrameShape(QFrame::Panel);
                layout->addWidget(widget);
            }
            widget->setText(rotulo->Texto);
            widget->setStyleSheet(rotulo->Cor.isEmpty() ? QString() : QStringLiteral("color: %1").arg(rotulo->Cor));
            widget->setVisible(rotulo->Visivel && !rotulo->Texto.isEmpty());
        }
    }
}

void TnFrmCadastro::CriarCampos(QWidget* area)
{
    auto* grade = new QGridLayout(area);
    int linha = 0;
    TnClientDataSet& dataSet = m_cadastro.nClientDataSet;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TnField& campo = dataSet.Fields(i);
        if (!campo.Visible())
            continue;
        auto* rotulo = new QLabel(campo.Rotulo() + (campo.Required() ? QStringLiteral(" *") : QString()), area);
        if (campo.Required()) {
            QFont fonte = rotulo->font();
            fonte.setBold(true);
            rotulo->setFont(fonte);
        }
        auto* controle = new TnControleCampo(campo, area);
        rotulo->setBuddy(controle->Editor());
        grade->addWidget(rotulo, linha, 0, Qt::AlignRight | Qt::AlignTop);
        grade->addWidget(controle, linha, 1);
        m_controles.insert(campo.FieldName().toUpper(), controle);
        ++linha;
    }
    // A code typed over a stored row goes to that row.
    const QStringList chave = DividirLista(m_cadastro.ChaveTabela);
    if (chave.size() == 1) {
        if (TnControleCampo* controle = Controle(chave.first()))
            controle->IrParaAoDigitar([this](const QString& texto) { m_cadastro.IrParaChave(texto); });
    }
    grade->setColumnStretch(1, 1);
    grade->setRowStretch(linha, 1);
}

void TnFrmCadastro::FocarPrimeiroEditavel()
{
    TnClientDataSet& dataSet = m_cadastro.nClientDataSet;
    for (int i = 0; i < dataSet.FieldCount(); ++i) {
        TnControleCampo* controle = Controle(dataSet.Fields(i).FieldName());
        if (controle && controle->Editor()->isEnabled() && controle->Editor()->focusPolicy() & Qt::TabFocus
            && !(dataSet.Fields(i).Definicao().AutoIncrementar)) {
            controle->Focar();
            return;
        }
    }
}

// What is typed in the focused control and in every open cell goes to its
// field before an action reads the rows.
void TnFrmCadastro::GravarEdicoes()
{
    GravarControleComFoco();
    for (TnGrade* grade : std::as_const(m_detalhes))
        grade->GravarEdicao();
    if (m_grade)
        m_grade->GravarEdicao();
}

// A shortcut or a tool-bar click does not move the focus: what is typed in
// the focused control goes to its field before the action runs.
void TnFrmCadastro::GravarControleComFoco()
{
    for (TnControleCampo* controle : std::as_const(m_controles)) {
        if (controle->Editor()->hasFocus())
            controle->Gravar();
    }
}

TnControleCampo* TnFrmCadastro::Controle(const QString& campo) const
{
    return m_controles.value(campo.toUpper(), nullptr);
}

QAction* TnFrmCadastro::Acao(const QString& nome) const
{
    for (auto it = m_acoes.cbegin(); it != m_acoes.cend(); ++it) {
        if (it.value()->Name() == nome)
            return it.key();
    }
    return nullptr;
}

void TnFrmCadastro::FocarCampo(const QString& nome)
{
    if (TnControleCampo* controle = Controle(nome)) {
        controle->Focar();
        return;
    }
    if (m_grade) {
        const int coluna = m_grade->Modelo().ColunaDoCampo(nome);
        if (coluna >= 0) {
            m_grade->setCurrentIndex(m_grade->Modelo().index(m_grade->Modelo().LinhaAtual(), coluna));
            m_grade->setFocus();
        }
    }
}

void TnFrmCadastro::AtualizarAcoes()
{
    TnDMClientDataSet& registro = RegistroComFoco();
    for (auto it = m_acoes.cbegin(); it != m_acoes.cend(); ++it) {
        const TnAction* acao = it.value();
        // The dataset actions show the state of the register the focus is in.
        if (&registro != &m_cadastro && m_cadastro.Actions().Find(acao->Name()) == acao) {
            if (const TnAction* doDetalhe = registro.Actions().Find(acao->Name()))
                acao = doDetalhe;
        }
        it.key()->setEnabled(acao->Enabled());
        it.key()->setVisible(acao->Visible());
    }
}

// The dataset tells of a new state before its After hooks set the actions and
// the controls (a header stored from its items grid locks its company): those
// are read again once the change is over.
void TnFrmCadastro::MudancaConcluida()
{
    AtualizarEstadoDosControles();
    AtualizarAcoes();
    AtualizarRotulos();
}

// Enabled and read-only as the register says; the texts are left as typed.
void TnFrmCadastro::AtualizarEstadoDosControles()
{
    for (TnControleCampo* controle : std::as_const(m_controles)) {
        const TnEstadoControle estado = m_cadastro.EstadoControle(controle->Campo().FieldName());
        controle->SetEstado(estado.habilitado, estado.somenteLeitura || !m_cadastro.PodeEditar());
    }
}

TnDMClientDataSet& TnFrmCadastro::RegistroComFoco() const
{
    const QWidget* foco = QApplication::focusWidget();
    for (int i = 0; foco && i < m_detalhes.size(); ++i) {
        if (m_detalhes[i] == foco || m_detalhes[i]->isAncestorOf(foco))
            return *m_cadastro.Detalhes()[static_cast<size_t>(i)];
    }
    return m_cadastro;
}

TnGrade* TnFrmCadastro::GradeDe(const TnDMClientDataSet& registro) const
{
    if (&registro == &m_cadastro)
        return m_grade;
    for (int i = 0; i < m_detalhes.size(); ++i) {
        if (m_cadastro.Detalhes()[static_cast<size_t>(i)].get() == &registro)
            return m_detalhes[i];
    }
    return nullptr;
}

// Before an action: what is typed in a control or a cell goes to its field,
// and an action of the header first stores the detail rows being typed.
bool TnFrmCadastro::PrepararAcao(TnDMClientDataSet& alvo)
{
    GravarEdicoes();
    return &alvo != &m_cadastro || GravarDetalhesPendentes();
}

// A refused row stops the action with the cursor in the offending cell.
bool TnFrmCadastro::GravarDetalhesPendentes()
{
    for (int i = 0; i < m_detalhes.size(); ++i) {
        TnGrade* grade = m_detalhes[i];
        TnClientDataSet& linhas = m_cadastro.Detalhes()[static_cast<size_t>(i)]->nClientDataSet;
        if (!AcaoSegura([&linhas] { linhas.CheckBrowseMode(); }, [grade](const QString& campo) { grade->FocarCampo(campo); }))
            return false;
    }
    return true;
}

// A refusal of a field puts the cursor on it: in the grid of the register
// that acted, else in the screen's controls.
void TnFrmCadastro::Executar(TnAction& acao, TnGrade* grade)
{
    AcaoSegura([&acao] { acao.Execute(); }, [this, grade](const QString& campo) {
        if (grade)
            grade->FocarCampo(campo);
        else
            FocarCampo(campo);
    });
}

void TnFrmCadastro::ExecutarAcaoDoDataSet(const QString& nome)
{
    TnDMClientDataSet& alvo = RegistroComFoco();
    TnAction* acao = alvo.Actions().Find(nome);
    if (!acao || !PrepararAcao(alvo))
        return;
    // Storing the rows being typed may have changed what the action can do.
    if (!acao->Enabled()) {
        AtualizarTela();
        return;
    }
    if (acao == alvo.actDataSetDelete
        && nMessageDlg(QStringLiteral("Confirma a exclusão do registro?"), TnTipoDlg::Confirmacao, {QStringLiteral("Sim"), QStringLiteral("Não")})
               != 0)
        return;
    TnGrade* grade = GradeDe(alvo);
    Executar(*acao, grade);
    // Hooks change the actions' state after the dataset has told the form.
    AtualizarTela();
    if (acao == alvo.actDataSetInsert) {
        if (grade) {
            grade->setFocus();
            grade->IrParaPrimeiraColunaEditavel();
        } else if (!m_controles.isEmpty()) {
            FocarPrimeiroEditavel();
        }
    }
}

void TnFrmCadastro::AtualizarTela()
{
    if (m_atualizando)
        return;
    m_atualizando = true;
    AtualizarEstadoDosControles();
    for (TnControleCampo* controle : std::as_const(m_controles))
        controle->Atualizar();
    AtualizarAcoes();
    AtualizarRotulos();
    m_atualizando = false;
}

void TnFrmCadastro::Pesquisar(const QString& texto)
{
    if (texto.isEmpty())
        return;
    TnClientDataSet& dataSet = m_cadastro.nClientDataSet;
    QString campo = LerCampoOrdem(DividirLista(dataSet.IndexFieldNames()).value(0)).nome;
    if (campo.isEmpty())
        campo = LerCampoOrdem(DividirLista(m_cadastro.DefAdic.Ordem).value(0)).nome;
    if (campo.isEmpty() && dataSet.FieldCount() > 0)
        campo = dataSet.Fields(0).FieldName();
    AcaoSegura([&] { dataSet.Locate(campo, texto, {true, true}); });
}

bool TnFrmCadastro::PodeFechar()
{
    GravarEdicoes();
    // Detail rows first: posting the master does not store them.
    QList<TnClientDataSet*> dataSets;
    for (const auto& detalhe : m_cadastro.Detalhes())
        dataSets.append(&detalhe->nClientDataSet);
    dataSets.append(&m_cadastro.nClientDataSet);
    for (TnClientDataSet* dataSet : std::as_const(dataSets)) {
        if (!EmEdicao(dataSet->State()))
            continue;
        // A row in which nothing was typed is simply dropped. The cancel
        // runs the register's hooks: one that fails keeps the screen open.
        const auto cancelar = [dataSet] { return AcaoSegura([dataSet] { dataSet->Cancel(); }); };
        if (!dataSet->Modified()) {
            if (!cancelar())
                return false;
            continue;
        }
        const int resposta = nMessageDlg(QStringLiteral("O registro está em edição. Deseja gravar as alterações?"), TnTipoDlg::Confirmacao,
                                         {QStringLiteral("Sim"), QStringLiteral("Não"), QStringLiteral("Cancelar")});
        if (resposta == 1) {
            if (!cancelar())
                return false;
        } else if (resposta != 0 || !AcaoSegura([dataSet] { dataSet->Post(); }, [this](const QString& campo) { FocarCampo(campo); }))
            return false;
    }
    return true;
}
