#include "questionario.h"

#include "erros.h"

#include "dialogos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QEvent>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QSpinBox>
#include <QTimer>

#include <functional>

namespace {

// A click into a date selects the part clicked (day, month or year): what is
// typed next replaces it and goes on into the next parts. Without this the
// click leaves the cursor inside a full part and typing is refused.
class TnCliqueSelecionaParte : public QObject {
public:
    explicit TnCliqueSelecionaParte(QDateTimeEdit* data) : QObject(data), m_data(data) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        if (evento->type() == QEvent::MouseButtonRelease)
            QTimer::singleShot(0, m_data, [data = m_data] { data->setSelectedSection(data->currentSection()); });
        return QObject::eventFilter(objeto, evento);
    }

private:
    QDateTimeEdit* m_data;
};

// The editor of one field and how to read its value back.
struct TnEditor {
    QWidget* widget = nullptr;
    std::function<QVariant()> valor;
};

TnEditor CriarEditor(const TnCampoQuestionario& campo, QWidget* pai, const std::function<void()>& aoMudar)
{
    const int tipo = campo.valor.typeId();
    if (tipo == QMetaType::QDate || tipo == QMetaType::QDateTime) {
        const bool soData = tipo == QMetaType::QDate;
        auto* data = soData ? new QDateEdit(campo.valor.toDate(), pai) : new QDateTimeEdit(campo.valor.toDateTime(), pai);
        data->setCalendarPopup(true);
        data->setDisplayFormat(soData ? QStringLiteral("dd/MM/yyyy") : QStringLiteral("dd/MM/yyyy HH:mm"));
        if (auto* texto = data->findChild<QLineEdit*>())
            texto->installEventFilter(new TnCliqueSelecionaParte(data));
        QObject::connect(data, &QDateTimeEdit::dateTimeChanged, pai, aoMudar);
        return {data, [data, soData] { return soData ? QVariant(data->date()) : QVariant(data->dateTime()); }};
    }
    if (tipo == QMetaType::Bool) {
        auto* marca = new QCheckBox(pai);
        marca->setChecked(campo.valor.toBool());
        QObject::connect(marca, &QCheckBox::toggled, pai, aoMudar);
        return {marca, [marca] { return QVariant(marca->isChecked()); }};
    }
    if (tipo == QMetaType::Int) {
        auto* numero = new QSpinBox(pai);
        numero->setRange(campo.minimo, campo.maximo);
        numero->setValue(campo.valor.toInt());
        QObject::connect(numero, &QSpinBox::valueChanged, pai, aoMudar);
        return {numero, [numero] { return QVariant(numero->value()); }};
    }
    if (!campo.opcoes.isEmpty()) {
        auto* lista = new QComboBox(pai);
        lista->setEditable(true);
        lista->addItems(campo.opcoes);
        lista->setCurrentText(campo.valor.toString());
        QObject::connect(lista, &QComboBox::currentTextChanged, pai, aoMudar);
        return {lista, [lista] { return QVariant(lista->currentText()); }};
    }
    if (campo.memo) {
        auto* texto = new QPlainTextEdit(campo.valor.toString(), pai);
        texto->setTabChangesFocus(true);
        texto->setMinimumSize(280, 160);
        QObject::connect(texto, &QPlainTextEdit::textChanged, pai, aoMudar);
        return {texto, [texto] { return QVariant(texto->toPlainText()); }};
    }
    auto* linha = new QLineEdit(campo.valor.toString(), pai);
    if (campo.senha)
        linha->setEchoMode(QLineEdit::Password);
    QObject::connect(linha, &QLineEdit::textChanged, pai, aoMudar);
    return {linha, [linha] { return QVariant(linha->text()); }};
}

} // namespace

bool DialogoQuestionario(TnQuestionario& questionario, QWidget* pai)
{
    const QList<TnCampoQuestionario> iniciais = questionario.campos;
    QDialog dialogo(pai);
    dialogo.setWindowTitle(questionario.titulo);
    auto* layout = new QFormLayout(&dialogo);
    QList<TnEditor> editores;
    for (const TnCampoQuestionario& campo : iniciais) {
        QLabel* descricao = campo.descricao ? new QLabel(&dialogo) : nullptr;
        const qsizetype indice = editores.size();
        const auto descrever = [&editores, &campo, descricao, indice] {
            if (descricao && indice < editores.size())
                descricao->setText(campo.descricao(editores[indice].valor()));
        };
        editores.append(CriarEditor(campo, &dialogo, descrever));
        editores.last().widget->setObjectName(campo.nome);
        layout->addRow(campo.rotulo, editores.last().widget);
        if (descricao) {
            layout->addRow(QString(), descricao);
            descrever();
        }
    }
    auto* botoes = new QDialogButtonBox(&dialogo);
    botoes->addButton(questionario.confirmar, QDialogButtonBox::AcceptRole);
    botoes->addButton(questionario.cancelar, QDialogButtonBox::RejectRole);
    constexpr int kInterrompido = 2;
    if (!questionario.interromper.isEmpty()) {
        QPushButton* interromper = botoes->addButton(questionario.interromper, QDialogButtonBox::DestructiveRole);
        QObject::connect(interromper, &QPushButton::clicked, &dialogo, [&dialogo] { dialogo.done(kInterrompido); });
    }
    layout->addRow(botoes);
    // Where Enter breaks a line, Ctrl+Enter confirms.
    for (const QKeySequence& tecla : {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)}) {
        auto* confirmar = new QShortcut(tecla, &dialogo);
        QObject::connect(confirmar, &QShortcut::activated, botoes, &QDialogButtonBox::accepted);
    }
    QObject::connect(botoes, &QDialogButtonBox::rejected, &dialogo, &QDialog::reject);
    const auto lerRespostas = [&] {
        for (qsizetype i = 0; i < editores.size(); ++i)
            questionario.campos[i].valor = editores[i].valor();
    };
    QObject::connect(botoes, &QDialogButtonBox::accepted, &dialogo, [&] {
        lerRespostas();
        if (const std::optional<TnRecusaQuestionario> recusa = questionario.Recusa()) {
            nMessageDlg(recusa->mensagem, TnTipoDlg::Aviso, {QStringLiteral("OK")});
            if (auto* campo = dialogo.findChild<QWidget*>(recusa->campo))
                campo->setFocus();
            return;
        }
        dialogo.accept();
    });
    const int resposta = dialogo.exec();
    if (resposta == QDialog::Accepted) {
        lerRespostas();
        return true;
    }
    questionario.campos = iniciais;
    if (resposta == kInterrompido)
        Abort();
    return false;
}
