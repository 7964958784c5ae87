#include "dialogosdesktop.h"

#include "dmclientdataset.h"
#include "frmconsulta.h"
#include "grade.h"
#include "lyrsfuncoes.h"
#include "selecao.h"
#include "sqlservicos.h"
#include "visaoprogresso.h"

#include <QApplication>
#include <QDialog>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSpinBox>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

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

bool TnDialogosDesktop::Consultar(TnDMClientDataSet& consulta)
{
    if (SemResposta(QStringLiteral("consulta %1").arg(consulta.Name)))
        return false;
    QDialog dialogo(Janela());
    dialogo.setWindowTitle(consulta.nClientDataSet.Caption.isEmpty() ? consulta.Name : consulta.nClientDataSet.Caption);
    dialogo.resize(640, 420);
    auto* layout = new QVBoxLayout(&dialogo);
    auto* tela = new TnFrmConsulta(consulta, &dialogo);
    layout->addWidget(tela);
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("Escolher"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addWidget(botoes);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, &QDialog::accept);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(tela, &TnFrmConsulta::Escolhido, &dialogo, &QDialog::accept);
    tela->setFocus();
    return dialogo.exec() == QDialog::Accepted && !consulta.nClientDataSet.IsEmpty();
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

bool TnDialogosDesktop::PedirSelecao(QList<QPair<QString, QVariant>>& valores, const QString& titulo)
{
    // Nobody to ask: the period the dialog would offer.
    if (m_desatendido) {
        for (auto& valor : valores)
            valor.second = DataOferecida(valor.first, valor.second);
        return true;
    }
    return DialogoSelecao(valores, titulo, Janela());
}

bool TnDialogosDesktop::PedirDadosBaixa(TnDadosBaixa& dados)
{
    if (SemResposta(QStringLiteral("dados da baixa do protocolo")))
        return false;
    QDialog dialogo(Janela());
    dialogo.setWindowTitle(QStringLiteral("Baixar Protocolo"));
    auto* layout = new QFormLayout(&dialogo);
    auto* pessoa = new QComboBox(&dialogo);
    pessoa->setObjectName(QStringLiteral("pessoa"));
    pessoa->setEditable(true);
    pessoa->addItems(dados.responsaveis);
    pessoa->setCurrentText(dados.pessoa);
    auto* usuario = new QSpinBox(&dialogo);
    usuario->setObjectName(QStringLiteral("usuario"));
    usuario->setRange(1, 32767);
    usuario->setValue(dados.usuario);
    auto* nomeUsuario = new QLabel(&dialogo);
    const auto mostrarUsuario = [nomeUsuario](int codigo) {
        nomeUsuario->setText(PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("NOMEUSUARIOCOMPL"),
                                             ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), codigo))
                                 .toString());
    };
    mostrarUsuario(dados.usuario);
    QObject::connect(usuario, &QSpinBox::valueChanged, &dialogo, mostrarUsuario);
    auto* entrega = new QDateTimeEdit(dados.entrega, &dialogo);
    entrega->setObjectName(QStringLiteral("entrega"));
    entrega->setDisplayFormat(QStringLiteral("dd/MM/yyyy HH:mm"));
    entrega->setCalendarPopup(true);
    const bool saida = dados.natureza == 1;
    layout->addRow(saida ? QStringLiteral("Recebido por (cliente)") : QStringLiteral("Entregue por (cliente)"), pessoa);
    layout->addRow(saida ? QStringLiteral("Entregue por (usuário)") : QStringLiteral("Recebido por (usuário)"), usuario);
    layout->addRow(QString(), nomeUsuario);
    layout->addRow(QStringLiteral("Data/hora da entrega"), entrega);
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(QStringLiteral("Baixar"), QDialogButtonBox::AcceptRole);
    botoes->addButton(QStringLiteral("Cancelar"), QDialogButtonBox::RejectRole);
    layout->addRow(botoes);
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, [&] {
        if (pessoa->currentText().trimmed().isEmpty()) {
            MessageDlg(QStringLiteral("Informe quem %1 os documentos.").arg(saida ? QStringLiteral("recebeu") : QStringLiteral("entregou")),
                       TnTipoDlg::Aviso, {QStringLiteral("OK")});
            pessoa->setFocus();
            return;
        }
        if (const QString recusa = RecusaUsuarioBaixa(usuario->value()); !recusa.isEmpty()) {
            MessageDlg(recusa, TnTipoDlg::Aviso, {QStringLiteral("OK")});
            usuario->setFocus();
            return;
        }
        dialogo.accept();
    });
    if (dialogo.exec() != QDialog::Accepted)
        return false;
    dados.pessoa = pessoa->currentText().trimmed();
    dados.usuario = usuario->value();
    dados.entrega = entrega->dateTime();
    return true;
}
