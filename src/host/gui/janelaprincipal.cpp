#include "janelaprincipal.h"

#include "acaosegura.h"
#include "conexao.h"
#include "direitos.h"
#include "dmclientdataset.h"
#include "dmpowerparam.h"
#include "erros.h"
#include "frmcadastro.h"
#include "frmconsulta.h"
#include "frmpowerparam.h"
#include "host.h"
#include "menu.h"
#include "registro.h"
#include "dmselecao.h"
#include "sqlservicos.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QSet>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

// A tab owns its data module and its form; the form goes first.
class TnAbaTela : public QWidget {
public:
    TnAbaTela(std::unique_ptr<TnDataModule> dataModule, QWidget* pai) : QWidget(pai), m_dataModule(std::move(dataModule))
    {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
    }

    ~TnAbaTela() override
    {
        delete m_formulario;
        m_formulario = nullptr;
        DestruirDM(m_dataModule);
    }

    void SetFormulario(TnFormulario* formulario)
    {
        m_formulario = formulario;
        layout()->addWidget(formulario);
        setFocusProxy(formulario);
    }

    TnFormulario* Formulario() const { return m_formulario; }

private:
    std::unique_ptr<TnDataModule> m_dataModule;
    TnFormulario* m_formulario = nullptr;
};

QString Titulo(const TnDataModule& dataModule)
{
    if (const auto* cadastro = dynamic_cast<const TnDMClientDataSet*>(&dataModule))
        return cadastro->nClientDataSet.Tela().Caption;
    if (const auto* processo = dynamic_cast<const TnDMPowerParam*>(&dataModule))
        return processo->npqPowerParam.Caption;
    return dataModule.Name;
}

} // namespace

TnJanelaPrincipal::TnJanelaPrincipal(QWidget* pai) : QMainWindow(pai), m_abas(new QTabWidget(this))
{
    setWindowTitle(QStringLiteral("Lyr - Protocolos"));
    // Wide enough for a register's tool bar with its module's buttons.
    resize(1280, 760);
    m_abas->setDocumentMode(true);
    m_abas->setTabsClosable(true);
    m_abas->setMovable(true);
    connect(m_abas, &QTabWidget::tabCloseRequested, this, [this](int indice) { FecharAba(indice); });
    setCentralWidget(m_abas);
    auto* fechar = new QAction(this);
    fechar->setShortcut(QKeySequence(QStringLiteral("Ctrl+W")));
    connect(fechar, &QAction::triggered, this, [this] { FecharAba(m_abas->currentIndex()); });
    addAction(fechar);
    MontarMenus();
    AtualizarStatus();
}

TnJanelaPrincipal::~TnJanelaPrincipal()
{
    while (m_abas->count() > 0) {
        QWidget* aba = m_abas->widget(0);
        m_abas->removeTab(0);
        delete aba;
    }
}

void TnJanelaPrincipal::MontarMenus()
{
    // The menus of an earlier build go with their entries.
    qDeleteAll(menuBar()->findChildren<QMenu*>(QString(), Qt::FindDirectChildrenOnly));
    menuBar()->clear();
    m_acoes.Clear();
    // The menus of the modules whose packages are loaded.
    GerarPrincActions(m_acoes, [this](TnAction& acao) { AbrirClasse(acao.Name().mid(3)); }, TnHost::Atual().Registro().ModulosCarregados);


    const std::function<void(QMenu*, const TnNoMenu&)> preencher = [&](QMenu* menu, const TnNoMenu& no) {
        for (const TnNoMenu& submenu : no.submenus)
            preencher(menu->addMenu(TituloSemOrdem(submenu.titulo)), submenu);
        for (TnAction* acao : no.acoes) {
            if (acao->Separador() && !menu->isEmpty())
                menu->addSeparator();
            QAction* entrada = menu->addAction(acao->Caption());
            entrada->setObjectName(acao->Name());
            // Entries under rights need the user's right of the same name.
            if (acao->ControlaDireito() && PegarDireito(acao->Name()) != kDireitoConcedido) {
                entrada->setEnabled(false);
                entrada->setToolTip(QStringLiteral("Sem permissão"));
            }
            connect(entrada, &QAction::triggered, this, [acao] { acao->Execute(); });
        }
    };
    const TnNoMenu raiz = MontarMenu(m_acoes.Todas());
    // Alt plus the first letter opens a top menu (repeated letters take turns).
    QMenu* sistema = nullptr;
    for (const TnNoMenu& principal : raiz.submenus) {
        QMenu* menu = menuBar()->addMenu(u'&' + TituloSemOrdem(principal.titulo));
        preencher(menu, principal);
        if (TituloSemOrdem(principal.titulo) == u"Sistema")
            sistema = menu;
    }
    // "Sair" closes the system menu, first of all whether or not the host's entries made one.
    if (!sistema) {
        sistema = new QMenu(QStringLiteral("&Sistema"), menuBar());
        menuBar()->insertMenu(menuBar()->actions().value(0), sistema);
    }
    if (!sistema->isEmpty())
        sistema->addSeparator();
    QAction* sair = sistema->addAction(QStringLiteral("Sair"));
    // Spelled out: the platform's Quit binding is empty on some (Windows, offscreen).
    sair->setShortcut(QKeySequence(QStringLiteral("Ctrl+Q")));
    // Through closeEvent, like the window's own close button.
    connect(sair, &QAction::triggered, this, &QWidget::close);
}

TnFormulario* TnJanelaPrincipal::AbrirClasse(const QString& nomeClasse)
{
    TnFormulario* aberto = nullptr;
    AcaoSegura([&] {
        std::unique_ptr<TnDataModule> dataModule = CriarDM(nomeClasse);
        TnDataModule* criado = dataModule.get();
        auto* aba = new TnAbaTela(std::move(dataModule), m_abas);
        std::unique_ptr<TnAbaTela> guarda(aba);
        TnFormulario* formulario = nullptr;
        if (auto* cadastro = dynamic_cast<TnDMClientDataSet*>(criado)) {
            TnSelecao selecao;
            if (!cadastro->DefAdic.VerificaSelecao.isEmpty()) {
                TnDMSelecao& pergunta = Selecao();
                pergunta.Titulo = Titulo(*cadastro);
                pergunta.Declarar(cadastro->DefAdic.VerificaSelecao);
                if (!pergunta.ShowSelecionar())
                    return;
                selecao = pergunta.nSelecao;
                MostrarPeriodo(selecao);
            }
            cadastro->Abrir(selecao);
            cadastro->CriarDetalhe();
            if (cadastro->nClientDataSet.Tela().TipoForm == TnTipoForm::ntfConGrid)
                formulario = new TnFrmConsulta(*cadastro, aba);
            else
                formulario = new TnFrmCadastro(*cadastro, aba);
        } else if (auto* processo = dynamic_cast<TnDMPowerParam*>(criado)) {
            PrepararDM(*processo);
            formulario = new TnFrmPowerParam(*processo, aba);
        } else {
            throw EnErro(QStringLiteral("A tela de %1 não pode ser aberta aqui.").arg(nomeClasse));
        }
        aba->SetFormulario(formulario);
        const int indice = m_abas->addTab(guarda.release(), TituloDaNovaAba(Titulo(*criado)));
        m_abas->setCurrentIndex(indice);
        formulario->setFocus();
        aberto = formulario;
    });
    return aberto;
}

// The module's selection class when it installed one, else the host's; one
// for the window, so the period chosen is offered again next time.
TnDMSelecao& TnJanelaPrincipal::Selecao()
{
    if (!m_selecao) {
        const TnRegistro& registro = TnHost::Atual().Registro();
        QString classe;
        for (size_t modulo = 0; modulo < registro.ModulosCarregados.size() && classe.isEmpty(); ++modulo) {
            if (registro.ModulosCarregados.test(modulo))
                classe = registro.FnDMSelecaoClass[modulo];
        }
        if (!classe.isEmpty())
            m_selecao = CriarDM<TnDMSelecao>(classe);
        if (!m_selecao)
            m_selecao = std::make_unique<TnDMSelecao>();
    }
    return *m_selecao;
}

bool TnJanelaPrincipal::FecharAba(int indice)
{
    auto* aba = dynamic_cast<TnAbaTela*>(m_abas->widget(indice));
    if (!aba)
        return false;
    if (aba->Formulario() && !aba->Formulario()->PodeFechar())
        return false;
    m_abas->removeTab(indice);
    delete aba;
    return true;
}

// Leaving closes the screens as Ctrl+W would, from the first tab on, each
// shown while it asks about its unsaved work; "Cancelar" on one keeps it,
// the tabs after it and the window open.
void TnJanelaPrincipal::closeEvent(QCloseEvent* evento)
{
    while (m_abas->count() > 0) {
        m_abas->setCurrentIndex(0);
        if (!FecharAba(0)) {
            evento->ignore();
            return;
        }
    }
    evento->accept();
}

// A second screen of the same kind is told apart by its number: "Protocolo (2)".
QString TnJanelaPrincipal::TituloDaNovaAba(const QString& titulo) const
{
    QSet<QString> usados;
    for (int i = 0; i < m_abas->count(); ++i)
        usados.insert(m_abas->tabText(i));
    if (!usados.contains(titulo))
        return titulo;
    int numero = 2;
    while (usados.contains(QStringLiteral("%1 (%2)").arg(titulo).arg(numero)))
        ++numero;
    return QStringLiteral("%1 (%2)").arg(titulo).arg(numero);
}

// The period chosen is the one the screens opened since work on.
void TnJanelaPrincipal::MostrarPeriodo(const TnSelecao& selecao)
{
    if (selecao.size() < 2 || !selecao[0].valor.toDate().isValid() || !selecao[1].valor.toDate().isValid())
        return;
    m_periodo->setText(QStringLiteral("Período: %1 a %2")
                           .arg(selecao[0].valor.toDate().toString(QStringLiteral("dd/MM/yyyy")),
                                selecao[1].valor.toDate().toString(QStringLiteral("dd/MM/yyyy"))));
    m_periodo->setVisible(true);
}

void TnJanelaPrincipal::AtualizarStatus()
{
    const int usuario = Conexao().CodigoUsuario();
    const QString nome = PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("NOMEUSUARIOCOMPL"),
                                         ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), usuario))
                             .toString();
    // A permanent label: menu hints shown in the bar do not wipe it out.
    auto* situacao = new QLabel(QStringLiteral("Usuário: %1 (%2)   |   Banco: %3")
                                    .arg(nome.isEmpty() ? QStringLiteral("?") : nome)
                                    .arg(usuario)
                                    .arg(Conexao().Config().Descrever()),
                                statusBar());
    situacao->setObjectName(QStringLiteral("situacao"));
    statusBar()->addWidget(situacao, 1);
    m_periodo = new QLabel(statusBar());
    m_periodo->setObjectName(QStringLiteral("periodo"));
    m_periodo->setVisible(false);
    statusBar()->addPermanentWidget(m_periodo);
}
