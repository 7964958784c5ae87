#include "controlecampo.h"

#include "acaosegura.h"
#include "clientdataset.h"
#include "consultadicionario.h"
#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "listacampos.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QToolTip>
#include <QToolButton>

const TnEntradaDicionario* EntradaDaLigacao(const TnField& campo)
{
    const TnEntradaDicionario* entrada =
        EntradaDicionario(campo.Definicao().Dicionario.isEmpty() ? campo.FieldName() : campo.Definicao().Dicionario);
    return entrada && !entrada->tabela.isEmpty() ? entrada : nullptr;
}

// The fields of this row that hold the register's key, each with its key
// column. The link names the register's key columns in order; a shorter link
// takes the last ones.
QList<std::pair<QString, QString>> ChaveDaLigacao(const TnField& campo, const TnEntradaDicionario& entrada)
{
    const QStringList locais = campo.Definicao().LinkKeyFields.isEmpty() ? QStringList{campo.FieldName()}
                                                                       : DividirLista(campo.Definicao().LinkKeyFields);
    const QStringList remotas = DividirLista(entrada.chave);
    QList<std::pair<QString, QString>> pares;
    for (int i = 0; i < locais.size(); ++i)
        pares.append({locais[i], remotas.value(remotas.size() - locais.size() + i)});
    return pares;
}

bool EscolherNoCadastro(TnField& campo)
{
    const TnEntradaDicionario* entrada = EntradaDaLigacao(campo);
    if (!entrada)
        return false;
    // The leading key columns already filled narrow the choice: an
    // establishment is picked among its company's.
    const QList<std::pair<QString, QString>> chave = ChaveDaLigacao(campo, *entrada);
    QStringList condicoes;
    for (int i = 0; i + 1 < chave.size(); ++i) {
        const TnField* origem = campo.DataSet().FindField(chave[i].first);
        if (origem && !origem->IsNull())
            condicoes.append(ValorParaSQL(QStringLiteral("t_t.") + chave[i].second, QStringLiteral("="), origem->Value()));
    }
    TnConsultaDicionario consulta(*entrada, condicoes.join(QStringLiteral(" and ")));
    consulta.Abrir();
    if (!nConsultar(consulta))
        return false;
    TnClientDataSet& dataSet = campo.DataSet();
    if (dataSet.State() == TnDataSetState::dsBrowse)
        dataSet.Edit();
    for (const auto& [local, remota] : ChaveDaLigacao(campo, *entrada)) {
        if (TnField* destino = dataSet.FindField(local))
            destino->SetValue(consulta.FieldByName(remota).Value());
    }
    return true;
}

// What the code points at (a company's name beside its code); empty while the
// code is incomplete or points at nothing.
QString DescricaoDaLigacao(const TnField& campo)
{
    const TnEntradaDicionario* entrada = EntradaDaLigacao(campo);
    if (!entrada || entrada->descricao.isEmpty() || campo.IsNull())
        return {};
    QStringList condicao;
    for (const auto& [local, remota] : ChaveDaLigacao(campo, *entrada)) {
        const TnField* origem = campo.DataSet().FindField(local);
        if (!origem || origem->IsNull())
            return {};
        condicao.append(ValorParaSQL(remota, QStringLiteral("="), origem->Value()));
    }
    try {
        return PegarValorCampo(entrada->tabela, entrada->descricao, condicao.join(QStringLiteral(" and "))).toString();
    } catch (const EnErro&) {
        return {};
    }
}

TnControleCampo::TnControleCampo(TnField& campo, QWidget* pai) : QWidget(pai), m_campo(campo)
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    CriarEditor();
    m_editor->setObjectName(campo.FieldName());
    m_editor->setToolTip(campo.Definicao().Hint);
    m_editor->installEventFilter(this);
    if (!campo.Definicao().TabStop)
        m_editor->setFocusPolicy(Qt::ClickFocus);
    layout->addWidget(m_editor, m_editor->maximumWidth() < QWIDGETSIZE_MAX ? 0 : 1);
    if (EhLigacao(campo) && campo.FieldKind() == TnFieldKind::fkData) {
        auto* botao = new QToolButton(this);
        botao->setText(QStringLiteral("…"));
        botao->setToolTip(QStringLiteral("Escolher (F4)"));
        botao->setFocusPolicy(Qt::NoFocus);
        connect(botao, &QToolButton::clicked, this, &TnControleCampo::ClicarBotao);
        layout->addWidget(botao);
        if (const TnEntradaDicionario* entrada = EntradaDaLigacao(campo); entrada && !entrada->descricao.isEmpty()) {
            m_descricao = new QLabel(this);
            m_descricao->setObjectName(QStringLiteral("descricao"));
            m_descricao->setEnabled(false);  // greyed: it is shown, not typed
            layout->addWidget(m_descricao);
        }
    }
    if (m_editor->maximumWidth() < QWIDGETSIZE_MAX)
        layout->addStretch(1);
    Atualizar();
}

void TnControleCampo::CriarEditor()
{
    const TnDefinicao& definicao = m_campo.Definicao();
    if (definicao.TipoControle == TnTipoControle::ntcCheckListBox) {
        auto* lista = new QListWidget(this);
        for (const QString& caption : definicao.Captions()) {
            auto* item = new QListWidgetItem(caption, lista);
            item->setCheckState(Qt::Unchecked);
        }
        lista->setMaximumHeight(lista->sizeHintForRow(0) * std::min(6, lista->count()) + 6);
        connect(lista, &QListWidget::itemChanged, this, [this] { Gravar(); });
        m_editor = lista;
        return;
    }
    if (!definicao.NomesValores.isEmpty()) {
        auto* combo = new QComboBox(this);
        combo->addItem(QString());
        combo->addItems(definicao.Captions());
        combo->setMaximumWidth(combo->sizeHint().width() + 24);
        connect(combo, &QComboBox::activated, this, [this] { Gravar(); });
        m_editor = combo;
        return;
    }
    if (m_campo.DataType() == TnFieldType::Memo || definicao.TipoControle == TnTipoControle::ntcMemo) {
        auto* memo = new QPlainTextEdit(this);
        memo->setTabChangesFocus(true);
        memo->setMaximumHeight(memo->fontMetrics().height() * 5);
        m_editor = memo;
        return;
    }
    auto* edicao = new QLineEdit(this);
    if (m_campo.EhData())
        edicao->setInputMask(MascaraDeEdicao(m_campo));
    const int limite = definicao.MaxLength > 0 ? definicao.MaxLength : (m_campo.DataType() == TnFieldType::String ? m_campo.Size() : 0);
    if (limite > 0)
        edicao->setMaxLength(limite);
    if (m_campo.EhNumerico()) {
        edicao->setAlignment(Qt::AlignRight);
        // Only what makes a number gets in; anything else is refused where it is typed.
        const bool inteiro = m_campo.DataType() == TnFieldType::LargeInt || m_campo.DataType() == TnFieldType::Integer
                             || m_campo.DataType() == TnFieldType::SmallInt;
        edicao->setValidator(new QRegularExpressionValidator(
            QRegularExpression(inteiro ? QStringLiteral("-?[0-9]*") : QStringLiteral("-?[0-9.]*(,[0-9]*)?")), edicao));
        connect(edicao, &QLineEdit::inputRejected, edicao, [edicao, inteiro] {
            QToolTip::showText(edicao->mapToGlobal(QPoint(0, edicao->height())),
                               inteiro ? QStringLiteral("Digite somente números.") : QStringLiteral("Digite um número (ex.: 1.234,56)."), edicao);
        });
    }
    // Short codes and dates get short boxes: the eye finds them faster.
    const int caracteres = m_campo.EhData() ? 12 : limite;
    if (caracteres > 0 && caracteres <= 20)
        edicao->setMaximumWidth(edicao->fontMetrics().averageCharWidth() * (caracteres + 4) + 12);
    if (m_campo.ReadOnly() || m_campo.FieldKind() != TnFieldKind::fkData)
        edicao->setReadOnly(true);
    connect(edicao, &QLineEdit::editingFinished, this, [this] { Gravar(); });
    connect(edicao, &QLineEdit::textEdited, this, [this, edicao] {
        const QString texto = edicao->text();
        const int cursor = edicao->cursorPosition();
        if (ComecarEdicao()) {
            edicao->setText(texto);
            edicao->setCursorPosition(cursor);
        }
    });
    m_editor = edicao;
}

QString TnControleCampo::Texto() const
{
    if (auto* combo = qobject_cast<QComboBox*>(m_editor))
        return combo->currentText();
    if (auto* lista = qobject_cast<QListWidget*>(m_editor)) {
        QStringList valores;
        for (int i = 0; i < lista->count(); ++i) {
            if (lista->item(i)->checkState() == Qt::Checked)
                valores.append(m_campo.Definicao().ValorDoCaption(lista->item(i)->text()));
        }
        return valores.join(u';');
    }
    if (auto* memo = qobject_cast<QPlainTextEdit*>(m_editor))
        return memo->toPlainText();
    return TextoDaMascara(*qobject_cast<QLineEdit*>(m_editor));
}

QString MascaraDeEdicao(const TnField& campo)
{
    return campo.Definicao().TipoData == TnTipoData::ntdMesAno ? QStringLiteral("99/9999;_") : QStringLiteral("99/99/9999;_");
}

QString TextoDaMascara(const QLineEdit& editor)
{
    if (editor.inputMask().isEmpty())
        return editor.text();
    QString texto = editor.text();
    return texto.remove(u'/').trimmed().isEmpty() ? QString() : editor.text();
}

void TnControleCampo::Atualizar()
{
    m_atualizando = true;
    const TnClientDataSet& dataSet = m_campo.DataSet();
    const bool temValor = dataSet.Active() && (!dataSet.IsEmpty() || dataSet.State() == TnDataSetState::dsInsert);
    QString texto;
    if (temValor) {
        // A check list shows the stored values themselves, not one caption.
        texto = qobject_cast<QListWidget*>(m_editor) ? m_campo.AsString() : m_campo.Text();
        if (m_campo.EhData() && !m_campo.IsNull())
            texto = m_campo.AsDateTime().toString(m_campo.Definicao().TipoData == TnTipoData::ntdMesAno ? QStringLiteral("MM/yyyy")
                                                                                                   : QStringLiteral("dd/MM/yyyy"));
    }
    if (auto* combo = qobject_cast<QComboBox*>(m_editor)) {
        combo->setCurrentText(texto);
    } else if (auto* lista = qobject_cast<QListWidget*>(m_editor)) {
        const QStringList marcados = texto.split(u';', Qt::SkipEmptyParts);
        for (int i = 0; i < lista->count(); ++i) {
            const QString valor = m_campo.Definicao().ValorDoCaption(lista->item(i)->text());
            lista->item(i)->setCheckState(marcados.contains(valor) ? Qt::Checked : Qt::Unchecked);
        }
    } else if (auto* memo = qobject_cast<QPlainTextEdit*>(m_editor)) {
        if (memo->toPlainText() != texto)
            memo->setPlainText(texto);
    } else if (auto* edicao = qobject_cast<QLineEdit*>(m_editor)) {
        // Rewriting the same text would move the cursor of the user typing.
        if (Texto() != texto)
            edicao->setText(texto);
    }
    if (m_descricao)
        m_descricao->setText(temValor ? DescricaoDaLigacao(m_campo) : QString());
    m_atualizando = false;
}

// The first key typed in a browsing row puts it in edit mode, so that the
// screen offers to save or cancel at once. True when the mode changed.
bool TnControleCampo::ComecarEdicao()
{
    TnClientDataSet& dataSet = m_campo.DataSet();
    if (BuscandoChave())
        return false;
    if (m_atualizando || m_campo.FieldKind() != TnFieldKind::fkData || m_campo.ReadOnly() || !dataSet.Active()
        || dataSet.State() != TnDataSetState::dsBrowse)
        return false;
    if (!AcaoSegura([&] { dataSet.Edit(); })) {
        Atualizar();
        return false;
    }
    return true;
}

bool TnControleCampo::Gravar()
{
    if (m_atualizando || m_campo.FieldKind() != TnFieldKind::fkData || m_campo.ReadOnly())
        return true;
    // The message box of a refusal takes the focus from this editor, whose
    // focus-out would write the same refused text again and show the
    // refusal a second time; the text is put back once the box is closed.
    if (m_gravando)
        return false;
    m_gravando = true;
    const auto fim = qScopeGuard([this] { m_gravando = false; });
    TnClientDataSet& dataSet = m_campo.DataSet();
    if (!dataSet.Active())
        return true;
    const QString texto = Texto();
    // Nothing typed (or already written): a browsing row stays out of edit mode
    // and change handlers do not run twice.
    if (texto == m_campo.Text())
        return true;
    if (BuscandoChave()) {
        const bool achou = texto.trimmed().isEmpty() || AcaoSegura([&] { m_irPara(texto.trimmed()); });
        Atualizar();
        if (!achou)
            Focar();
        return achou;
    }
    if (m_campo.EhData() && dataSet.State() == TnDataSetState::dsBrowse && !m_campo.IsNull()
        && texto == m_campo.AsDateTime().toString(QStringLiteral("dd/MM/yyyy")))
        return true;
    const bool ok = AcaoSegura([&] {
        if (dataSet.State() == TnDataSetState::dsBrowse)
            dataSet.Edit();
        if (qobject_cast<QListWidget*>(m_editor))
            m_campo.SetValue(texto);
        else
            m_campo.SetText(texto);
    });
    if (!ok) {
        Atualizar();
        Focar();
    }
    return ok;
}

bool TnControleCampo::BuscandoChave() const
{
    return m_irPara && m_campo.DataSet().Active() && m_campo.DataSet().State() == TnDataSetState::dsBrowse;
}

bool EhLigacao(const TnField& campo)
{
    return campo.Definicao().TipoControle == TnTipoControle::ntcLink || campo.Definicao().OnButtonClick
           || !campo.Definicao().LinkKeyFields.isEmpty();
}

void AcionarBotao(TnField& campo)
{
    if (campo.Definicao().OnButtonClick)
        campo.Definicao().OnButtonClick(campo);
    else
        EscolherNoCadastro(campo);
}

void TnControleCampo::ClicarBotao()
{
    // The button acts on what is typed (a template gets the placeholder after it).
    if (!BuscandoChave() && !Gravar())
        return;
    AcaoSegura([&] { AcionarBotao(m_campo); });
    Atualizar();
}

void TnControleCampo::SetEstado(bool habilitado, bool somenteLeitura)
{
    m_editor->setEnabled(habilitado);
    // A code that looks rows up is typed also where the rows are read-only.
    if (auto* edicao = qobject_cast<QLineEdit*>(m_editor))
        edicao->setReadOnly(!BuscandoChave() && (somenteLeitura || m_campo.ReadOnly() || m_campo.FieldKind() != TnFieldKind::fkData));
    else if (auto* memo = qobject_cast<QPlainTextEdit*>(m_editor))
        memo->setReadOnly(somenteLeitura || m_campo.ReadOnly());
}

void TnControleCampo::Focar()
{
    m_editor->setFocus(Qt::OtherFocusReason);
    if (auto* edicao = qobject_cast<QLineEdit*>(m_editor))
        edicao->selectAll();
}

bool TnControleCampo::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == m_editor && evento->type() == QEvent::FocusOut) {
        // The exit handler sees what was typed: write it first.
        const bool gravado = !(qobject_cast<QLineEdit*>(m_editor) || qobject_cast<QPlainTextEdit*>(m_editor)) || Gravar();
        if (gravado && m_campo.Definicao().OnExit)
            AcaoSegura([&] { m_campo.Definicao().OnExit(m_campo); });
    }
    if (objeto == m_editor && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (tecla->key() == Qt::Key_F4 && EhLigacao(m_campo)) {
            ClicarBotao();
            return true;
        }
    }
    return QWidget::eventFilter(objeto, evento);
}
