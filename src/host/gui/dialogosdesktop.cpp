#include "dialogosdesktop.h"

#include "dmclientdataset.h"
#include "frmcadastro.h"
#include "frmconsulta.h"
#include "frmpowerparam.h"
#include "questionario.h"
#include "visaoprogresso.h"
#include "visaoquadro.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QMessageBox::Icon Icone(int tipo)
{
    switch (tipo) {
    case TnTipoDlg::Aviso:
        return QMessageBox::Warning;
    case TnTipoDlg::Erro:
        return QMessageBox::Critical;
    case TnTipoDlg::Confirmacao:
        return QMessageBox::Question;
    default:
        return QMessageBox::Information;
    }
}

QString Titulo(int tipo)
{
    switch (tipo) {
    case TnTipoDlg::Aviso:
        return QStringLiteral("Atenção");
    case TnTipoDlg::Erro:
        return QStringLiteral("Erro");
    case TnTipoDlg::Confirmacao:
        return QStringLiteral("Confirmação");
    default:
        return QStringLiteral("Informação");
    }
}

} // namespace

QWidget* TnDialogosDesktop::Janela() const
{
    return m_janela ? m_janela : QApplication::activeWindow();
}

bool TnDialogosDesktop::SemResposta(const QString& texto)
{
    if (!m_desatendido)
        return false;
    if (!m_interrompido)
        QTextStream(stderr) << "lyr: Execução sem usuário interrompida por um diálogo: " << texto << Qt::endl;
    m_interrompido = true;
    QCoreApplication::exit(1);
    return true;
}

int TnDialogosDesktop::MessageDlg(const QString& texto, int tipo, const QStringList& botoes)
{
    if (SemResposta(texto))
        return -1;
    QMessageBox caixa(Icone(tipo), Titulo(tipo), texto, QMessageBox::NoButton, Janela());
    QList<QAbstractButton*> criados;
    const QStringList rotulos = botoes.isEmpty() ? QStringList{QStringLiteral("OK")} : botoes;
    for (int i = 0; i < rotulos.size(); ++i) {
        // The first button is the affirmative one; the last one answers Esc.
        const QMessageBox::ButtonRole papel = i == 0 ? QMessageBox::AcceptRole
                                                     : (i == rotulos.size() - 1 ? QMessageBox::RejectRole : QMessageBox::ActionRole);
        criados.append(caixa.addButton(rotulos[i], papel));
    }
    caixa.setDefaultButton(qobject_cast<QPushButton*>(criados.first()));
    caixa.setEscapeButton(criados.last());
    caixa.exec();
    return static_cast<int>(criados.indexOf(caixa.clickedButton()));
}

void TnDialogosDesktop::ShowMessage(const QString& texto)
{
    MessageDlg(texto, TnTipoDlg::Informacao, {QStringLiteral("OK")});
}

std::optional<QString> TnDialogosDesktop::InputBox(const QString& titulo, const QString& pergunta, const QString& padrao)
{
    if (SemResposta(titulo + QStringLiteral(" - ") + pergunta))
        return std::nullopt;
    QInputDialog dialogo(Janela());
    dialogo.setWindowTitle(titulo);
    dialogo.setLabelText(pergunta);
    dialogo.setTextValue(padrao);
    dialogo.setOkButtonText(QStringLiteral("OK"));
    dialogo.setCancelButtonText(QStringLiteral("Cancelar"));
    if (dialogo.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialogo.textValue();
}

int TnDialogosDesktop::InputQueryListBox(const QString& titulo, const QStringList& opcoes)
{
    if (SemResposta(titulo))
        return -1;
    QDialog dialogo(Janela());
    dialogo.setWindowTitle(titulo);
    auto* layout = new QVBoxLayout(&dialogo);
    auto* lista = new QListWidget(&dialogo);
    lista->addItems(opcoes);
    lista->setCurrentRow(0);
    // Every option read whole, without a scroll bar sideways.
    lista->setMinimumWidth(std::min(lista->sizeHintForColumn(0) + 2 * lista->frameWidth() + 24, 900));
    layout->addWidget(lista);
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(botoes);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(lista, &QListWidget::itemActivated, &dialogo, &QDialog::accept);
    return dialogo.exec() == QDialog::Accepted ? lista->currentRow() : -1;
}

// A modal dialog titled after the register it shows.
static void PrepararDialogo(QDialog& dialogo, const TnDMClientDataSet& registro, const QSize& tamanho)
{
    dialogo.setWindowTitle(registro.nClientDataSet.Tela().Caption.isEmpty() ? registro.Name : registro.nClientDataSet.Tela().Caption);
    dialogo.resize(tamanho);
    new QVBoxLayout(&dialogo);
}

bool TnDialogosDesktop::Consultar(TnDMClientDataSet& consulta)
{
    return MostrarConsulta(consulta, false, [](TnFrmConsulta&) {});
}

std::optional<QVariantList> TnDialogosDesktop::ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo)
{
    QVariantList valores;
    const bool escolheu = MostrarConsulta(consulta, true, [&](TnFrmConsulta& tela) {
        const TnClientDataSet& dataSet = consulta.nClientDataSet;
        const int indice = dataSet.FieldByName(campo).Index();
        for (int linha : tela.LinhasEscolhidas())
            valores.append(dataSet.ValorNaLinha(linha, indice));
    });
    if (!escolheu)
        return std::nullopt;
    return valores;
}

bool TnDialogosDesktop::MostrarConsulta(TnDMClientDataSet& consulta, bool varias, const std::function<void(TnFrmConsulta&)>& aoEscolher)
{
    if (SemResposta(QStringLiteral("consulta %1").arg(consulta.Name)))
        return false;
    QDialog dialogo(Janela());
    PrepararDialogo(dialogo, consulta, QSize(640, 420));
    QLayout* layout = dialogo.layout();
    auto* tela = new TnFrmConsulta(consulta, &dialogo);
    if (varias)
        tela->SetEscolhaMultipla();
    layout->addWidget(tela);
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("Escolher"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(botoes);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(tela, &TnFrmConsulta::Escolhido, &dialogo, &QDialog::accept);
    tela->setFocus();
    if (dialogo.exec() != QDialog::Accepted || consulta.nClientDataSet.IsEmpty())
        return false;
    aoEscolher(*tela);
    return true;
}

void TnDialogosDesktop::MostrarCadastro(TnDMClientDataSet& cadastro)
{
    if (SemResposta(QStringLiteral("cadastro %1").arg(cadastro.Name)))
        return;
    QDialog dialogo(Janela());
    PrepararDialogo(dialogo, cadastro, QSize(900, 600));
    auto* tela = new TnFrmCadastro(cadastro, &dialogo);
    dialogo.layout()->addWidget(tela);
    tela->setFocus();
    dialogo.exec();
}

// Centred on the main window; at least `altura` high, more when the
// parameters shown need it.
void TnDialogosDesktop::MostrarProcesso(TnDMPowerParam& processo, int altura)
{
    if (SemResposta(QStringLiteral("processo %1").arg(processo.Name)))
        return;
    QDialog dialogo(Janela());
    dialogo.setWindowTitle(processo.npqPowerParam.Caption.isEmpty() ? processo.Name : processo.npqPowerParam.Caption);
    auto* layout = new QVBoxLayout(&dialogo);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* tela = new TnFrmPowerParam(processo, &dialogo);
    layout->addWidget(tela);
    if (processo.FecharAoExecutar())
        QObject::connect(tela, &TnFrmPowerParam::Executado, &dialogo, &QDialog::accept);
    dialogo.resize(std::max(560, dialogo.sizeHint().width()), std::max(altura, dialogo.sizeHint().height()));
    if (QWidget* janela = Janela())
        dialogo.move(janela->geometry().center() - dialogo.rect().center());
    tela->setFocus();
    dialogo.exec();
}

void TnDialogosDesktop::MostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo)
{
    if (SemResposta(titulo))
        return;
    QDialog dialogo(Janela());
    dialogo.setWindowTitle(titulo);
    auto* layout = new QVBoxLayout(&dialogo);
    auto* visao = new TnVisaoQuadro(quadro, &dialogo);
    layout->addWidget(visao, 1);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Close, &dialogo);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    layout->addWidget(botoes);
    dialogo.resize(quadro.largura + 24, quadro.altura + 60);
    dialogo.exec();
}

void TnDialogosDesktop::ProgressoCriado(TnFraProgresso& progresso)
{
    // A small window of its own over the main one; it goes with the frame.
    auto* janela = new TnVisaoProgresso(progresso, Janela());
    janela->setWindowFlags(Qt::Tool | Qt::WindowTitleHint);
    janela->setWindowTitle(QStringLiteral("Processando..."));
    janela->setAttribute(Qt::WA_DeleteOnClose);
    janela->setMinimumWidth(420);
    QObject::connect(janela, &TnVisaoProgresso::Liberado, janela, &QWidget::close);
}

bool TnDialogosDesktop::PedirQuestionario(TnQuestionario& questionario)
{
    // Nobody to ask: what the questionnaire offers, if its check accepts it.
    if (m_desatendido && !questionario.Recusa())
        return true;
    if (SemResposta(questionario.titulo))
        return false;
    return DialogoQuestionario(questionario, Janela());
}
