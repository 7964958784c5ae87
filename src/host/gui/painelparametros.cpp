#include "painelparametros.h"

#include "acaosegura.h"
#include "dicionario.h"
#include "dmpowerparam.h"

#include <QAction>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDate>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpressionValidator>
#include <QToolButton>

#include <algorithm>
#include <utility>

namespace {

const QString kFormatoData = QStringLiteral("dd/MM/yyyy");

struct TnOpcao {
    QString caption;
    QString valor;
};

// "Saída=1;Entrada=2;": an entry without "=" stores its caption.
QList<TnOpcao> Opcoes(const TnpqParamItem& item)
{
    QList<TnOpcao> opcoes;
    for (const QString& entrada : item.NomesValores()) {
        const qsizetype igual = entrada.indexOf(u'=');
        if (igual < 0)
            opcoes.append({entrada.trimmed(), entrada.trimmed()});
        else
            opcoes.append({entrada.left(igual).trimmed(), entrada.mid(igual + 1).trimmed()});
    }
    return opcoes;
}

QString Caption(const TnpqParamItem& item)
{
    if (!item.Caption.isEmpty())
        return item.Caption;
    if (const TnEntradaDicionario* entrada = EntradaDicionario(item.Dicionario); entrada && !entrada->rotulo.isEmpty())
        return entrada->rotulo;
    return item.Alias;
}

QString Dica(const TnpqParamItem& item)
{
    if (!item.Hint.isEmpty())
        return item.Hint;
    const TnEntradaDicionario* entrada = EntradaDicionario(item.Dicionario);
    return entrada ? entrada->dica : QString();
}

// An empty masked date reads as its separators only.
QString TextoData(const QLineEdit& edicao)
{
    return QString(edicao.text()).remove(u'/').trimmed().isEmpty() ? QString() : edicao.text();
}

void AbrirCalendario(QLineEdit* edicao)
{
    auto* calendario = new QCalendarWidget(edicao);
    calendario->setWindowFlags(Qt::Popup);
    calendario->setAttribute(Qt::WA_DeleteOnClose);
    const QDate atual = QDate::fromString(TextoData(*edicao), kFormatoData);
    calendario->setSelectedDate(atual.isValid() ? atual : QDate::currentDate());
    const auto escolher = [edicao, calendario](QDate data) {
        edicao->setText(data.toString(kFormatoData));
        calendario->close();
        edicao->setFocus(Qt::PopupFocusReason);
    };
    QObject::connect(calendario, &QCalendarWidget::clicked, edicao, escolher);
    QObject::connect(calendario, &QCalendarWidget::activated, edicao, escolher);
    calendario->move(edicao->mapToGlobal(QPoint(0, edicao->height())));
    calendario->show();
    calendario->setFocus(Qt::PopupFocusReason);
}

// The editor on a line of its own with a "…" button beside it.
std::pair<QWidget*, QToolButton*> ComBotao(QLineEdit* edicao, const QString& dica)
{
    auto* linha = new QWidget(edicao->parentWidget());
    linha->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    auto* layout = new QHBoxLayout(linha);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    edicao->setParent(linha);
    layout->addWidget(edicao);
    auto* botao = new QToolButton(linha);
    botao->setText(QStringLiteral("…"));
    botao->setToolTip(dica);
    botao->setFocusPolicy(Qt::NoFocus);
    layout->addWidget(botao);
    return {linha, botao};
}

} // namespace

TnPainelParametros::TnPainelParametros(TnDMPowerParam& processo, QWidget* pai) : QWidget(pai), m_processo(processo)
{
    auto* formulario = new QFormLayout(this);
    formulario->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    formulario->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    for (TnpqParamItem* item : processo.npqPowerParam.Itens()) {
        // Fixed parameters are the code's business.
        if (item->ParType != TnParType::npqptUser)
            continue;
        m_parametros.append({item, nullptr, nullptr});
    }
    for (qsizetype i = 0; i < m_parametros.size(); ++i) {
        TnParametro& parametro = m_parametros[i];
        const TnpqParamItem& item = *parametro.item;
        parametro.rotulo = new QLabel(this);
        QWidget* linha = CriarEditor(parametro);
        MostrarEstado(parametro);
        parametro.editor->setObjectName(item.Alias);
        parametro.editor->setToolTip(Dica(item));
        parametro.rotulo->setToolTip(Dica(item));
        parametro.rotulo->setBuddy(parametro.editor);
        formulario->addRow(parametro.rotulo, linha);
        Mostrar(parametro, item.Value);
    }
    // The rows keep to the top; what is left of the page stays below them.
    formulario->addItem(new QSpacerItem(0, 0, QSizePolicy::Minimum, QSizePolicy::Expanding));
    // Signals last: showing the declared values is not the user's doing.
    for (qsizetype i = 0; i < m_parametros.size(); ++i) {
        QWidget* editor = m_parametros[i].editor;
        const auto gravar = [this, i] { Gravar(m_parametros[i]); };
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            connect(combo, &QComboBox::currentIndexChanged, this, gravar);
        } else if (auto* lista = qobject_cast<QListWidget*>(editor)) {
            connect(lista, &QListWidget::itemChanged, this, gravar);
        } else if (auto* edicao = qobject_cast<QLineEdit*>(editor); edicao && m_parametros[i].item->EhData) {
            // A date goes as soon as it is whole (or erased); what is left
            // half typed goes on leaving, for the process to refuse.
            connect(edicao, &QLineEdit::textChanged, this, [this, i, edicao] {
                const QString texto = TextoData(*edicao);
                if (texto.isEmpty() || QDate::fromString(texto, kFormatoData).isValid())
                    Gravar(m_parametros[i]);
            });
            connect(edicao, &QLineEdit::editingFinished, this, gravar);
        } else if (auto* texto = qobject_cast<QLineEdit*>(editor)) {
            connect(texto, &QLineEdit::textChanged, this, gravar);
        }
    }
}

// Required parameters in bold with "*"; a disabled one greyed. Both may
// change as other parameters do (the process's OnParamChange).
void TnPainelParametros::MostrarEstado(const TnParametro& parametro)
{
    const TnpqParamItem& item = *parametro.item;
    parametro.rotulo->setText(Caption(item) + (item.Requerid ? QStringLiteral(" *") : QString()));
    QFont fonte = parametro.rotulo->font();
    fonte.setBold(item.Requerid);
    parametro.rotulo->setFont(fonte);
    parametro.rotulo->setEnabled(item.Habilitado);
    parametro.editor->setEnabled(item.Habilitado);
}

QWidget* TnPainelParametros::CriarEditor(TnParametro& parametro)
{
    const TnpqParamItem& item = *parametro.item;
    if (item.CtrlType == TnTipoControle::ntcComboBox) {
        auto* combo = new QComboBox(this);
        for (const TnOpcao& opcao : Opcoes(item))
            combo->addItem(opcao.caption, opcao.valor);
        parametro.editor = combo;
        return combo;
    }
    if (item.CtrlType == TnTipoControle::ntcCheckListBox) {
        auto* lista = new QListWidget(this);
        for (const TnOpcao& opcao : Opcoes(item)) {
            auto* entrada = new QListWidgetItem(opcao.caption, lista);
            entrada->setData(Qt::UserRole, opcao.valor);
            entrada->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
            entrada->setCheckState(Qt::Unchecked);
        }
        const int linhas = std::clamp(lista->count(), 1, 8);
        lista->setFixedHeight(lista->sizeHintForRow(0) * linhas + 2 * lista->frameWidth() + 2);
        parametro.editor = lista;
        return lista;
    }
    auto* edicao = new QLineEdit(this);
    parametro.editor = edicao;
    if (item.EhData) {
        edicao->setInputMask(QStringLiteral("99/99/9999;_"));
        edicao->setMaximumWidth(edicao->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) + 16);
        auto [linha, botao] = ComBotao(edicao, QStringLiteral("Calendário"));
        static_cast<QHBoxLayout*>(linha->layout())->addStretch(1);
        connect(botao, &QToolButton::clicked, edicao, [edicao] { AbrirCalendario(edicao); });
        return linha;
    }
    edicao->setClearButtonEnabled(true);
    if (!item.ConsultMultSelect)
        return edicao;
    // Codes and ranges: "1;3;5-9" (a comma is taken as ";"), typed or picked
    // from the register (F4 or the button).
    edicao->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9;,\\- ]*")), edicao));
    edicao->setPlaceholderText(QStringLiteral("1;3;5-9"));
    const TnEntradaDicionario* entrada = EntradaDicionario(item.Dicionario);
    if (!entrada || entrada->tabela.isEmpty())
        return edicao;
    auto [linha, botao] = ComBotao(edicao, QStringLiteral("Escolher (F4)"));
    auto* f4 = new QAction(edicao);
    f4->setShortcut(Qt::Key_F4);
    f4->setShortcutContext(Qt::WidgetShortcut);
    edicao->addAction(f4);
    const QString alias = item.Alias;
    const auto escolher = [this, alias] { EscolherCodigos(alias); };
    connect(botao, &QToolButton::clicked, this, escolher);
    connect(f4, &QAction::triggered, this, escolher);
    return linha;
}

const TnPainelParametros::TnParametro* TnPainelParametros::Achar(const QString& alias) const
{
    for (const TnParametro& parametro : m_parametros) {
        if (parametro.item->Alias.compare(alias, Qt::CaseInsensitive) == 0)
            return &parametro;
    }
    return nullptr;
}

QWidget* TnPainelParametros::Controle(const QString& alias) const
{
    const TnParametro* parametro = Achar(alias);
    return parametro ? parametro->editor : nullptr;
}

QLabel* TnPainelParametros::Rotulo(const QString& alias) const
{
    const TnParametro* parametro = Achar(alias);
    return parametro ? parametro->rotulo : nullptr;
}

QString TnPainelParametros::Valor(const QString& alias) const
{
    const TnParametro* parametro = Achar(alias);
    return parametro ? ValorDe(*parametro) : QString();
}

QString TnPainelParametros::ValorDe(const TnParametro& parametro) const
{
    if (auto* combo = qobject_cast<QComboBox*>(parametro.editor))
        return combo->currentIndex() < 0 ? QString() : combo->currentData().toString();
    if (auto* lista = qobject_cast<QListWidget*>(parametro.editor)) {
        QStringList marcados;
        for (int i = 0; i < lista->count(); ++i) {
            if (lista->item(i)->checkState() == Qt::Checked)
                marcados.append(lista->item(i)->data(Qt::UserRole).toString());
        }
        return marcados.join(u';');
    }
    const auto* edicao = qobject_cast<QLineEdit*>(parametro.editor);
    return parametro.item->EhData ? TextoData(*edicao) : edicao->text();
}

void TnPainelParametros::Mostrar(const TnParametro& parametro, const QString& valor)
{
    const bool lendo = m_lendo;
    m_lendo = true;
    if (auto* combo = qobject_cast<QComboBox*>(parametro.editor)) {
        combo->setCurrentIndex(combo->findData(valor.trimmed()));
    } else if (auto* lista = qobject_cast<QListWidget*>(parametro.editor)) {
        QStringList marcados;
        for (const QString& marcado : valor.split(u';', Qt::SkipEmptyParts))
            marcados.append(marcado.trimmed());
        for (int i = 0; i < lista->count(); ++i) {
            QListWidgetItem* entrada = lista->item(i);
            entrada->setCheckState(marcados.contains(entrada->data(Qt::UserRole).toString()) ? Qt::Checked : Qt::Unchecked);
        }
    } else if (auto* edicao = qobject_cast<QLineEdit*>(parametro.editor)) {
        edicao->setText(valor);
    }
    m_lendo = lendo;
}

void TnPainelParametros::Gravar(const TnParametro& parametro)
{
    if (m_lendo)
        return;
    const QString valor = ValorDe(parametro);
    if (valor == parametro.item->Value)
        return;
    const QString alias = parametro.item->Alias;
    const bool aceito = AcaoSegura([&] { m_processo.SetParam(alias, valor); }, [this](const QString& nome) { Focar(nome); });
    // The process may have adjusted other parameters; the one being typed stays as typed.
    Ler(&parametro);
    if (aceito)
        emit ParametroAlterado(alias);
}

void TnPainelParametros::Ler()
{
    Ler(nullptr);
}

void TnPainelParametros::Ler(const TnParametro* exceto)
{
    for (const TnParametro& parametro : std::as_const(m_parametros)) {
        MostrarEstado(parametro);
        if (&parametro != exceto && ValorDe(parametro) != parametro.item->Value)
            Mostrar(parametro, parametro.item->Value);
    }
}

void TnPainelParametros::EscolherCodigos(const QString& alias)
{
    bool escolheu = false;
    AcaoSegura([&] { escolheu = m_processo.EscolherCodigos(alias); }, [this](const QString& nome) { Focar(nome); });
    if (escolheu) {
        Ler();
        emit ParametroAlterado(alias);
    }
    if (const TnParametro* parametro = Achar(alias))
        parametro->editor->setFocus(Qt::OtherFocusReason);
}

bool TnPainelParametros::Focar(const QString& alias)
{
    const TnParametro* parametro = Achar(alias);
    if (!parametro)
        return false;
    parametro->editor->setFocus(Qt::OtherFocusReason);
    if (auto* edicao = qobject_cast<QLineEdit*>(parametro->editor))
        edicao->selectAll();
    return true;
}
