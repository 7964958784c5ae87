#include "grade.h"

#include "dialogoarquivo.h"
#include "exportacao.h"

#include "acaosegura.h"
#include "clientdataset.h"
#include "controlecampo.h"
#include "dialogoarquivo.h"
#include "dialogos.h"
#include "exportacao.h"
#include "icones.h"
#include "modelodataset.h"
#include "painellinha.h"

#include <QApplication>
#include <QComboBox>
#include <QDateTime>
#include <QHeaderView>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QMouseEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyledItemDelegate>

namespace {

// The titles' height comes from laying out their texts in the font, which is
// slow, and Qt does it again at each layout of the grid: once for every row a
// screen appends. It is kept until the titles, their number, the font or the
// style change.
class TnCabecalhoGrade : public QHeaderView {
public:
    explicit TnCabecalhoGrade(QWidget* pai) : QHeaderView(Qt::Horizontal, pai)
    {
        // As the table's own header.
        setSectionsClickable(true);
        setHighlightSections(true);
        connect(this, &QHeaderView::sectionCountChanged, this, &TnCabecalhoGrade::Esquecer);
        connect(this, &QHeaderView::sortIndicatorChanged, this, &TnCabecalhoGrade::Esquecer);
    }

    void setModel(QAbstractItemModel* modelo) override
    {
        if (model())
            disconnect(model(), nullptr, this, nullptr);
        QHeaderView::setModel(modelo);
        Esquecer();
        if (!modelo)
            return;
        connect(modelo, &QAbstractItemModel::headerDataChanged, this, &TnCabecalhoGrade::Esquecer);
        connect(modelo, &QAbstractItemModel::modelReset, this, &TnCabecalhoGrade::Esquecer);
        connect(modelo, &QAbstractItemModel::layoutChanged, this, &TnCabecalhoGrade::Esquecer);
    }

    QSize sizeHint() const override
    {
        if (!m_tamanho.isValid())
            m_tamanho = QHeaderView::sizeHint();
        return m_tamanho;
    }

protected:
    void changeEvent(QEvent* evento) override
    {
        if (evento->type() == QEvent::FontChange || evento->type() == QEvent::StyleChange)
            Esquecer();
        QHeaderView::changeEvent(evento);
    }

private:
    void Esquecer() { m_tamanho = QSize(); }

    mutable QSize m_tamanho;
};

// Cells of fields with a value list are edited in a combo of its captions.
class TnDelegadoGrade : public QStyledItemDelegate {
public:
    TnDelegadoGrade(TnModeloDataSet& modelo, QObject* pai) : QStyledItemDelegate(pai), m_modelo(modelo) {}

    QWidget* createEditor(QWidget* pai, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override
    {
        const TnField& campo = m_modelo.Campo(indice.column());
        if (campo.Definicao().NomesValores.isEmpty()) {
            QWidget* editor = QStyledItemDelegate::createEditor(pai, opcao, indice);
            if (editor)
                editor->setProperty("coluna", indice.column());
            // Dates are typed as digits; the slashes are put in for the user.
            if (auto* linha = qobject_cast<QLineEdit*>(editor); linha && campo.EhData())
                linha->setInputMask(MascaraDeEdicao(campo));
            return editor;
        }
        auto* combo = new QComboBox(pai);
        combo->addItems(campo.Definicao().Captions());
        if (m_abrirLista) {
            m_abrirLista = false;
            QMetaObject::invokeMethod(combo, &QComboBox::showPopup, Qt::QueuedConnection);
        }
        return combo;
    }

    // A list cell whose field asks for it (cbsAuto) shows its drop-down
    // button on the current cell of an editable grid; a click on the button
    // opens the cell with its list dropped.
    static bool MostraBotao(const TnModeloDataSet& modelo, const QModelIndex& indice)
    {
        const auto* grade = qobject_cast<const TnGrade*>(modelo.parent());
        if (!grade || indice != grade->currentIndex() || !(modelo.flags(indice) & Qt::ItemIsEditable))
            return false;
        const TnDefinicao& definicao = modelo.Campo(indice.column()).Definicao();
        return definicao.GridButtonStyle == TnGridButtonStyle::cbsAuto && !definicao.NomesValores.isEmpty();
    }

    static QRect AreaDoBotao(const QRect& celula)
    {
        const int largura = std::min(celula.height(), 18);
        return QRect(celula.right() - largura + 1, celula.top(), largura, celula.height());
    }

    bool editorEvent(QEvent* evento, QAbstractItemModel* modelo, const QStyleOptionViewItem& opcao, const QModelIndex& indice) override
    {
        if (evento->type() == QEvent::MouseButtonPress && MostraBotao(m_modelo, indice)
            && AreaDoBotao(opcao.rect).contains(static_cast<QMouseEvent*>(evento)->position().toPoint())) {
            if (auto* grade = qobject_cast<TnGrade*>(parent())) {
                m_abrirLista = true;
                grade->edit(indice);
                m_abrirLista = false;
                return true;
            }
        }
        return QStyledItemDelegate::editorEvent(evento, modelo, opcao, indice);
    }

    void setEditorData(QWidget* editor, const QModelIndex& indice) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor)) {
            combo->setCurrentText(indice.data(Qt::EditRole).toString());
            return;
        }
        QStyledItemDelegate::setEditorData(editor, indice);
    }

    // An empty masked date reads as its separators only.
    void setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const override;

    // A row with a selection colour of its own shows it under the cursor,
    // with the grid's normal text over it.
    void initStyleOption(QStyleOptionViewItem* opcao, const QModelIndex& indice) const override
    {
        QStyledItemDelegate::initStyleOption(opcao, indice);
        if (!(opcao->state & QStyle::State_Selected))
            return;
        const QColor cor = indice.data(TnModeloDataSet::PapelCorDaSelecao).value<QColor>();
        if (!cor.isValid())
            return;
        opcao->palette.setColor(QPalette::Highlight, cor);
        opcao->palette.setColor(QPalette::HighlightedText, opcao->widget ? opcao->widget->palette().color(QPalette::Text) : QColor(Qt::black));
    }

    // The row with a panel under it draws its cells in its top part.
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcao, const QModelIndex& indice) const override
    {
        const auto* grade = qobject_cast<const TnGrade*>(parent());
        if (!grade || indice.row() != grade->LinhaDoPainel()) {
            QStyledItemDelegate::paint(pintor, opcao, indice);
            if (MostraBotao(m_modelo, indice)) {
                QStyleOption seta;
                seta.rect = AreaDoBotao(opcao.rect).adjusted(3, 3, -3, -3);
                seta.palette = opcao.palette;
                seta.state = QStyle::State_Enabled;
                const QWidget* widget = opcao.widget;
                (widget ? widget->style() : QApplication::style())->drawPrimitive(QStyle::PE_IndicatorArrowDown, &seta, pintor, widget);
            }
            return;
        }
        QStyleOptionViewItem topo(opcao);
        topo.rect.setHeight(grade->AlturaDaLinha());
        QStyledItemDelegate::paint(pintor, topo, indice);
    }


protected:
    // Tab and Enter in a text editor go first to the dataset's handler, which
    // may rewrite the text (a code becomes its text) and keep the editor open.
    bool eventFilter(QObject* objeto, QEvent* evento) override
    {
        auto* editor = qobject_cast<QLineEdit*>(objeto);
        TnClientDataSet& dataSet = m_modelo.DataSet();
        // Ctrl+S in a cell being typed stores the row (not the register above).
        if (editor && (evento->type() == QEvent::ShortcutOverride || evento->type() == QEvent::KeyPress)) {
            const auto* tecla = static_cast<QKeyEvent*>(evento);
            if (tecla->key() == Qt::Key_S && (tecla->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier) {
                evento->accept();
                if (evento->type() == QEvent::KeyPress) {
                    emit commitData(editor);
                    emit closeEditor(editor);
                    AcaoSegura([&] {
                        if (dataSet.State() != TnDataSetState::dsBrowse)
                            dataSet.Post();
                    });
                }
                return true;
            }
        }
        // F4 in a code cell: what was typed goes in, then the pick opens.
        if (editor && evento->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(evento)->key() == Qt::Key_F4
            && editor->property("coluna").isValid()) {
            TnField& campo = m_modelo.Campo(editor->property("coluna").toInt());
            if (EhLigacao(campo)) {
                emit commitData(editor);
                emit closeEditor(editor);
                AcaoSegura([&campo] { AcionarBotao(campo); });
                return true;
            }
        }
        if (editor && evento->type() == QEvent::KeyPress && dataSet.Tela().Aparencia.AoConfirmarCelula) {
            const int tecla = static_cast<QKeyEvent*>(evento)->key();
            const QVariant coluna = editor->property("coluna");
            if ((tecla == Qt::Key_Tab || tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && coluna.isValid()) {
                const TnField& campo = m_modelo.Campo(coluna.toInt());
                const QVariant antes = campo.Value();
                bool manter = false;
                AcaoSegura([&] { manter = dataSet.Tela().Aparencia.AoConfirmarCelula(tecla, campo.FieldName(), editor->text()); });
                if (campo.Value() != antes)
                    editor->setText(campo.AsString());
                if (manter) {
                    editor->end(false);
                    return true;
                }
            }
        }
        return QStyledItemDelegate::eventFilter(objeto, evento);
    }

private:
    TnModeloDataSet& m_modelo;
    mutable bool m_abrirLista = false;  // the next list editor drops its list at once
};

void TnDelegadoGrade::setModelData(QWidget* editor, QAbstractItemModel* modelo, const QModelIndex& indice) const
{
    AcaoSegura([&] {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            modelo->setData(indice, combo->currentText());
        else if (auto* linha = qobject_cast<QLineEdit*>(editor); linha && !linha->inputMask().isEmpty())
            modelo->setData(indice, TextoDaMascara(*linha));
        else
            QStyledItemDelegate::setModelData(editor, modelo, indice);
    });
}

} // namespace

TnGrade::TnGrade(TnClientDataSet& dataSet, bool editavel, QWidget* pai)
    : QTableView(pai), m_modelo(new TnModeloDataSet(dataSet, this))
{
    m_modelo->Editavel = editavel;
    setHorizontalHeader(new TnCabecalhoGrade(this));
    setModel(m_modelo);
    setItemDelegate(new TnDelegadoGrade(*m_modelo, this));
    setSelectionBehavior(editavel ? QAbstractItemView::SelectItems : QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setAlternatingRowColors(true);
    setEditTriggers(editavel ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed
                             : QAbstractItemView::NoEditTriggers);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->hide();
    // A hidden row header has no current row to paint; told of each one, it
    // would measure the rows above it again after every row appended.
    QObject::disconnect(selectionModel(), nullptr, verticalHeader(), nullptr);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setSectionsClickable(true);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this, &TnGrade::OrdenarPor);
    connect(m_modelo, &TnModeloDataSet::RegistroAtualMudou, this, &TnGrade::SeguirDataSet);
    setContextMenuPolicy(Qt::CustomContextMenu);
    connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& posicao) {
        if (std::unique_ptr<QMenu> menu = CriarMenuDeContexto())
            menu->exec(viewport()->mapToGlobal(posicao));
    });
    if (dataSet.Tela().Aparencia.AoArrastarLinha) {
        setDragEnabled(true);
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::InternalMove);
        setDefaultDropAction(Qt::MoveAction);
        setDropIndicatorShown(true);
    }
    connect(this, &QTableView::doubleClicked, this, [this](const QModelIndex& celula) {
        bool tratado = false;
        if (DataSet().Tela().Aparencia.AoClicarDuasVezesNaCelula && celula.isValid())
            AcaoSegura([&] { tratado = DataSet().Tela().Aparencia.AoClicarDuasVezesNaCelula(m_modelo->Campo(celula.column()).FieldName()); });
        if (tratado)
            viewport()->update();
        else if (DataSet().Tela().Aparencia.AoClicarDuasVezes)
            AcaoSegura([this] { DataSet().Tela().Aparencia.AoClicarDuasVezes(); });
        else if (!m_modelo->Editavel)
            emit RegistroEscolhido();
    });
    // Column widths from the declaration (LarguraDosValores). A title longer
    // than its column takes two lines.
    for (int coluna = 0; coluna < m_modelo->columnCount(); ++coluna) {
        const TnField& campo = m_modelo->Campo(coluna);
        const int largura = LarguraDosValores(campo);
        const int titulo = fontMetrics().horizontalAdvance(campo.Rotulo()) + 16;
        const int tituloPartido = fontMetrics().size(0, m_modelo->TituloEmLinhas(coluna)).width() + 16;
        setColumnWidth(coluna, std::max(largura, std::min(titulo, tituloPartido)));
        m_modelo->PartirTitulo(coluna, titulo > largura && tituloPartido < titulo);
    }
    SeguirDataSet(m_modelo->LinhaAtual());
}

namespace {

// Fields shown in a fixed format: dates, codes and amounts (not texts, nor
// numbers shown as the captions of a value list).
bool FormatoFixo(const TnField& campo)
{
    return !campo.EhTexto() && campo.Definicao().NomesValores.isEmpty();
}

} // namespace

// Texts vary: their display width, else their size (capped), in average
// characters. A fixed format is measured: a full value of it with this
// grid's font, every digit as wide as the widest one ("28/12/2000" for
// "dd/mm/yyyy", as many digits as the display width for codes and amounts),
// plus the margins the style leaves around a cell's text, so that no value
// is cut short.
int TnGrade::LarguraDosValores(const TnField& campo) const
{
    const QFontMetrics medidas = fontMetrics();
    if (!FormatoFixo(campo)) {
        const int caracteres = campo.DisplayWidth() > 0 ? campo.DisplayWidth() : std::min(campo.EhTexto() && campo.Size() > 0 ? campo.Size() : 10, 45);
        return caracteres * medidas.averageCharWidth() + 12;
    }
    QString amostra(campo.DisplayWidth() > 0 ? campo.DisplayWidth() : 10, u'0');
    if (campo.DataType() == TnFieldType::Date)
        amostra = campo.TextoExibicao(QDate(2000, 12, 28));
    else if (campo.EhData())
        amostra = campo.TextoExibicao(QDateTime(QDate(2000, 12, 28), QTime(23, 59, 59)));
    int digito = 0;
    for (char16_t c = u'0'; c <= u'9'; ++c)
        digito = std::max(digito, medidas.horizontalAdvance(QChar(c)));
    int largura = 0;
    for (const QChar c : amostra)
        largura += c.isDigit() ? digito : medidas.horizontalAdvance(c);
    // The style's text margin on each side, the grid line and a little air.
    const int margem = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
    return std::max(largura, medidas.horizontalAdvance(amostra)) + 2 * margem + 1 + 4;
}

TnClientDataSet& TnGrade::DataSet() const
{
    return m_modelo->DataSet();
}

QWidget* TnGrade::EditorAberto() const
{
    if (state() != QAbstractItemView::EditingState)
        return nullptr;
    // Closed editors are hidden until they are deleted.
    for (QWidget* filho : viewport()->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!filho->isHidden() && (filho->property("coluna").isValid() || qobject_cast<QComboBox*>(filho)))
            return filho;
    }
    return nullptr;
}

// A new row starts where typing starts: its first column in the tab order.
void TnGrade::IrParaPrimeiraColunaEditavel()
{
    if (DataSet().State() != TnDataSetState::dsInsert)
        return;
    for (int coluna = 0; coluna < m_modelo->columnCount(); ++coluna) {
        const TnField& campo = m_modelo->Campo(coluna);
        if (!isColumnHidden(coluna) && campo.Definicao().TabStop && (m_modelo->flags(m_modelo->index(0, coluna)) & Qt::ItemIsEditable)) {
            setCurrentIndex(m_modelo->index(m_modelo->LinhaAtual(), coluna));
            return;
        }
    }
}

void TnGrade::GravarEdicao()
{
    if (QWidget* editor = EditorAberto()) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

void TnGrade::FocarCampo(const QString& campo)
{
    const int coluna = m_modelo->ColunaDoCampo(campo);
    const int linha = m_modelo->LinhaAtual();
    if (linha >= 0)
        setCurrentIndex(m_modelo->index(linha, coluna >= 0 ? coluna : std::max(currentIndex().column(), 0)));
    setFocus(Qt::OtherFocusReason);
}

// F2 opens the cell with the cursor after its text, to complete it; a key
// typed over a cell replaces it.
bool TnGrade::edit(const QModelIndex& indice, EditTrigger gatilho, QEvent* evento)
{
    m_modelo->AvisarAlteradas();
    const bool abriu = QTableView::edit(indice, gatilho, evento);
    if (abriu && gatilho == QAbstractItemView::EditKeyPressed) {
        if (auto* linha = qobject_cast<QLineEdit*>(EditorAberto())) {
            linha->deselect();
            linha->end(false);
        }
    }
    return abriu;
}

// The cursor takes the dataset's row at once (what reads the grid's current
// cell finds it there); selecting it, scrolling to it and repainting wait
// for the next turn of the event loop, so that rows posted one by one by
// code cost the table one layout, not one each. An open editor is closed at
// once.
void TnGrade::SeguirDataSet(int linha)
{
    if (m_sincronizando || linha < 0 || linha >= m_modelo->rowCount())
        return;
    // Values typed into the row, or a row posted where it stood: the cursor
    // is already there.
    if (currentIndex().isValid() && currentIndex().row() == linha)
        return;
    m_sincronizando = true;
    // A reset of the model loses the current cell: the column stays the one the user was in.
    const int coluna = currentIndex().isValid() ? currentIndex().column() : m_coluna;
    const QModelIndex destino = m_modelo->index(linha, coluna);
    if (state() == QAbstractItemView::EditingState || !isVisible()) {
        setCurrentIndex(destino);
    } else {
        m_adiandoVista = true;
        selectionModel()->setCurrentIndex(destino, QItemSelectionModel::NoUpdate);
        m_adiandoVista = false;
        if (!std::exchange(m_mostrarAtual, true))
            QMetaObject::invokeMethod(this, &TnGrade::MostrarAtual, Qt::QueuedConnection);
    }
    m_sincronizando = false;
}

void TnGrade::MostrarAtual()
{
    m_mostrarAtual = false;
    const QModelIndex atual = currentIndex();
    if (atual.isValid()) {
        selectionModel()->select(atual, selectionCommand(atual));
        // The rows that came are laid out first (the scroll bar's range with them).
        executeDelayedItemsLayout();
        scrollTo(atual);
    }
    viewport()->update();
}

void TnGrade::AjustarLarguras()
{
    m_largurasDeclaradas.clear();
    for (int coluna = 0; coluna < m_modelo->columnCount(); ++coluna)
        m_largurasDeclaradas.append(columnWidth(coluna));
    horizontalHeader()->setStretchLastSection(false);
    DistribuirLarguras();
}

void TnGrade::DistribuirLarguras()
{
    // Codes, dates and amounts keep their widths; the long texts share the
    // rest. A grid too narrow for the first scrolls sideways.
    constexpr int kLarguraFixa = 100;
    const int disponivel = viewport()->width();
    m_larguraDistribuida = disponivel;
    int fixas = 0;
    int elasticas = 0;
    const auto fixa = [this](int coluna) {
        return m_largurasDeclaradas[coluna] <= kLarguraFixa || FormatoFixo(m_modelo->Campo(coluna));
    };
    for (int coluna = 0; coluna < m_largurasDeclaradas.size(); ++coluna) {
        if (!isColumnHidden(coluna))
            (fixa(coluna) ? fixas : elasticas) += m_largurasDeclaradas[coluna];
    }
    if (elasticas == 0 || disponivel <= fixas)
        return;
    int usada = fixas;
    int ultima = -1;
    for (int coluna = 0; coluna < m_largurasDeclaradas.size(); ++coluna) {
        const int declarada = m_largurasDeclaradas[coluna];
        if (isColumnHidden(coluna))
            continue;
        if (fixa(coluna)) {
            setColumnWidth(coluna, declarada);
            continue;
        }
        const int largura = std::max(40, declarada * (disponivel - fixas) / elasticas);
        setColumnWidth(coluna, largura);
        usada += largura;
        ultima = coluna;
    }
    // What rounding left over goes to the last long text.
    if (ultima >= 0 && usada < disponivel)
        setColumnWidth(ultima, columnWidth(ultima) + disponivel - usada);
}

int TnGrade::AlturaDaLinha() const
{
    return verticalHeader()->defaultSectionSize();
}

void TnGrade::SetPainelDeLinha(QWidget* painel, std::function<void()> aoAbrir)
{
    FecharPainel();
    delete m_painel;
    m_painel = new TnPainelLinha(*this, painel, std::move(aoAbrir));
}

void TnGrade::FecharPainel()
{
    if (m_painel)
        m_painel->Fechar();
}

int TnGrade::LinhaDoPainel() const
{
    return m_painel ? m_painel->Linha() : -1;
}

void TnGrade::updateGeometries()
{
    QTableView::updateGeometries();
    // The viewport's width changes with the grid's and with the vertical scroll bar.
    if (!m_largurasDeclaradas.isEmpty() && viewport()->width() != m_larguraDistribuida)
        DistribuirLarguras();
    if (m_painel)
        m_painel->Posicionar();
}

void TnGrade::scrollContentsBy(int dx, int dy)
{
    QTableView::scrollContentsBy(dx, dy);
    if (m_painel)
        m_painel->Posicionar();
}

void TnGrade::currentChanged(const QModelIndex& atual, const QModelIndex& anterior)
{
    if (!m_adiandoVista)
        QTableView::currentChanged(atual, anterior);
    if (LinhaDoPainel() >= 0 && atual.row() != LinhaDoPainel())
        FecharPainel();
    if (atual.isValid())
        m_coluna = atual.column();
    if (m_sincronizando || !atual.isValid() || (anterior.isValid() && atual.row() == anterior.row()))
        return;
    TnClientDataSet& dataSet = DataSet();
    if (atual.row() == m_modelo->LinhaAtual())
        return;
    m_sincronizando = true;
    // Leaving a row posts it (a refusal keeps the user on it); a new row in
    // which nothing was typed is dropped instead.
    const bool descartar = m_modelo->LinhaNovaEmBranco();
    const bool ok = AcaoSegura([&] {
        if (descartar)
            dataSet.Cancel();
        if (atual.row() < dataSet.RecordCount())
            dataSet.SetRecNo(atual.row() + 1);
    });
    m_sincronizando = false;
    if (!ok || descartar)
        SeguirDataSet(m_modelo->LinhaAtual());
}

void TnGrade::OrdenarPor(int coluna)
{
    if (!OrdenarPeloTitulo || !DataSet().Tela().Aparencia.OrdenarPeloTitulo || coluna < 0)
        return;
    m_decrescente = coluna == m_colunaOrdem && !m_decrescente;
    m_colunaOrdem = coluna;
    const QString campo = m_modelo->Campo(coluna).FieldName();
    AcaoSegura([&] { DataSet().SetIndexFieldNames(m_decrescente ? campo + QStringLiteral(" DESC") : campo); });
    horizontalHeader()->setSortIndicatorShown(true);
    horizontalHeader()->setSortIndicator(coluna, m_decrescente ? Qt::DescendingOrder : Qt::AscendingOrder);
}

// Where a key of the grid applies.
enum class TnGrade::TnOndeVale { Editavel, SomenteLeitura, ComPainel };

struct TnGrade::TnTecla {
    Qt::Key tecla;
    Qt::KeyboardModifiers modificadores;
    TnOndeVale onde;
    // False leaves the key to the view (F4 outside a code cell); none: the
    // view's own handling, the grid only keeps the key from the screen (F2).
    bool (*acao)(TnGrade& grade, const QKeyEvent& evento);
};

// The grid's own keys, read by the shortcut-override path (these keys reach
// the grid before the screen's shortcuts on the same keys: Ins, Ctrl+S, Esc
// act on the grid's rows, not on the register above it) and by the key
// handler. The first entry that matches wins.
std::span<const TnGrade::TnTecla> TnGrade::Teclas()
{
    using enum TnOndeVale;
    const auto abrirPainel = [](TnGrade& grade, const QKeyEvent&) {
        grade.m_painel->Abrir();
        return true;
    };
    const auto fecharPainel = [](TnGrade& grade, const QKeyEvent&) {
        grade.FecharPainel();
        return true;
    };
    const auto escolher = [](TnGrade& grade, const QKeyEvent&) {
        emit grade.RegistroEscolhido();
        return true;
    };
    const auto proximaColuna = [](TnGrade& grade, const QKeyEvent&) {
        if (!grade.DataSet().Tela().Aparencia.EnterMudaDeColuna || !grade.currentIndex().isValid())
            return false;
        grade.setCurrentIndex(grade.moveCursor(MoveNext, Qt::NoModifier));
        return true;
    };
    const auto navegar = [](TnGrade& grade, const QKeyEvent& evento) {
        TnClientDataSet& dataSet = grade.DataSet();
        grade.Agir([&] {
            grade.SairDaLinha();
            switch (evento.key()) {
            case Qt::Key_Home: dataSet.First(); break;
            case Qt::Key_End: dataSet.Last(); break;
            case Qt::Key_PageUp: dataSet.Prior(); break;
            default: dataSet.Next(); break;
            }
        });
        return true;
    };
    static const TnTecla teclas[] = {
        {Qt::Key_Plus, Qt::NoModifier, ComPainel, abrirPainel},
        {Qt::Key_Down, Qt::ControlModifier, ComPainel, abrirPainel},
        {Qt::Key_Minus, Qt::NoModifier, ComPainel, fecharPainel},
        {Qt::Key_Up, Qt::ControlModifier, ComPainel, fecharPainel},
        {Qt::Key_Return, Qt::NoModifier, SomenteLeitura, escolher},
        {Qt::Key_Enter, Qt::NoModifier, SomenteLeitura, escolher},
        {Qt::Key_Return, Qt::NoModifier, Editavel, proximaColuna},
        {Qt::Key_Enter, Qt::NoModifier, Editavel, proximaColuna},
        {Qt::Key_F2, Qt::NoModifier, Editavel, nullptr},
        {Qt::Key_F4, Qt::NoModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             if (!grade.currentIndex().isValid() || !EhLigacao(grade.m_modelo->Campo(grade.currentIndex().column())))
                 return false;
             AcaoSegura([&] { AcionarBotao(grade.m_modelo->Campo(grade.currentIndex().column())); });
             grade.viewport()->update();
             return true;
         }},
        {Qt::Key_Insert, Qt::NoModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             grade.Agir([&] {
                 grade.SairDaLinha();
                 grade.DataSet().Append();
             });
             grade.IrParaPrimeiraColunaEditavel();
             return true;
         }},
        {Qt::Key_Delete, Qt::ControlModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             grade.Agir([&] { grade.Excluir(); });
             return true;
         }},
        {Qt::Key_S, Qt::ControlModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             grade.Agir([&] {
                 if (grade.DataSet().State() != TnDataSetState::dsBrowse)
                     grade.DataSet().Post();
             });
             return true;
         }},
        {Qt::Key_Escape, Qt::NoModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             grade.Agir([&] { grade.DataSet().Cancel(); });
             return true;
         }},
        {Qt::Key_Home, Qt::ControlModifier, Editavel, navegar},
        {Qt::Key_End, Qt::ControlModifier, Editavel, navegar},
        {Qt::Key_PageUp, Qt::ControlModifier, Editavel, navegar},
        {Qt::Key_PageDown, Qt::ControlModifier, Editavel, navegar},
        // Arrow down on the last row starts a new one, posting the row being
        // typed first; a new row with nothing typed stays as it is.
        {Qt::Key_Down, Qt::NoModifier, Editavel,
         [](TnGrade& grade, const QKeyEvent&) {
             if (grade.currentIndex().row() != grade.m_modelo->rowCount() - 1 || grade.m_modelo->LinhaNovaEmBranco())
                 return false;
             TnClientDataSet& dataSet = grade.DataSet();
             AcaoSegura([&] {
                 if (dataSet.State() != TnDataSetState::dsBrowse)
                     dataSet.Post();
                 dataSet.Append();
             });
             return true;
         }},
    };
    return teclas;
}

// The shortcut-override path claims only the exact combination, so that a
// screen's Ctrl+Enter still works over a grid that takes Enter. The key
// handler also takes the key with more modifiers held ("+" is Shift+= on
// most keyboards; Shift+Ins still inserts).
const TnGrade::TnTecla* TnGrade::TeclaDaGrade(const QKeyEvent& evento, bool exata) const
{
    if (state() == QAbstractItemView::EditingState)
        return nullptr;
    const Qt::KeyboardModifiers modificadores = evento.modifiers() & ~Qt::KeypadModifier;
    for (const TnTecla& tecla : Teclas()) {
        if (tecla.tecla != evento.key())
            continue;
        if (exata ? modificadores != tecla.modificadores : (modificadores & tecla.modificadores) != tecla.modificadores)
            continue;
        const bool vale = tecla.onde == TnOndeVale::ComPainel ? m_painel != nullptr
                          : tecla.onde == TnOndeVale::Editavel ? m_modelo->Editavel
                                                               : !m_modelo->Editavel;
        if (vale)
            return &tecla;
    }
    return nullptr;
}

bool TnGrade::event(QEvent* evento)
{
    if (evento->type() == QEvent::ShortcutOverride && state() != QAbstractItemView::EditingState) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (DataSet().Tela().Aparencia.TeclasProprias.contains(tecla->keyCombination().toCombined()) || TeclaDaGrade(*tecla, true)) {
            evento->accept();
            return true;
        }
    }
    return QTableView::event(evento);
}

// The dataset moves the row; the view only tells it from where to where
// (below the last row: to the end).
void TnGrade::dropEvent(QDropEvent* evento)
{
    const auto& arrastar = DataSet().Tela().Aparencia.AoArrastarLinha;
    // Only the grid's own rows (what its model hands to a drag).
    const bool linhaDaGrade = evento->mimeData() && evento->mimeData()->hasFormat(m_modelo->mimeTypes().value(0));
    if (!arrastar || !linhaDaGrade || !currentIndex().isValid()) {
        QTableView::dropEvent(evento);
        return;
    }
    const QModelIndex alvo = indexAt(evento->position().toPoint());
    const int de = currentIndex().row();
    const int para = alvo.isValid() ? alvo.row() : m_modelo->rowCount() - 1;
    evento->setDropAction(Qt::IgnoreAction);
    evento->accept();
    if (de != para)
        Agir([&] { arrastar(de, para); });
}

// A gesture on the grid's rows: an error on a field puts the cursor on its cell.
void TnGrade::Agir(const std::function<void()>& acao)
{
    AcaoSegura(acao, [this](const QString& campo) { FocarCampo(campo); });
    viewport()->update();
}

// Before the cursor leaves the row: a new row with nothing typed is dropped,
// one being typed is stored (a refusal keeps the user on it).
void TnGrade::SairDaLinha()
{
    TnClientDataSet& dataSet = DataSet();
    if (m_modelo->LinhaNovaEmBranco())
        dataSet.Cancel();
    else if (dataSet.State() != TnDataSetState::dsBrowse)
        dataSet.Post();
}

void TnGrade::Excluir()
{
    TnClientDataSet& dataSet = DataSet();
    if (dataSet.State() == TnDataSetState::dsInsert) {
        dataSet.Cancel();
        return;
    }
    if (dataSet.IsEmpty())
        return;
    if (!dataSet.Tela().Aparencia.ExcluirSemPerguntar
        && nMessageDlg(QStringLiteral("Confirma a exclusão do registro?"), TnTipoDlg::Confirmacao, {QStringLiteral("Sim"), QStringLiteral("Não")})
               != 0)
        return;
    dataSet.Delete();
}

// Tab and Shift+Tab go cell by cell, row after row, past the columns the
// declaration keeps out of the tab order.
QModelIndex TnGrade::moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores)
{
    if ((acao != MoveNext && acao != MovePrevious) || !currentIndex().isValid())
        return QTableView::moveCursor(acao, modificadores);
    const int passo = acao == MoveNext ? 1 : -1;
    const int colunas = m_modelo->columnCount();
    int linha = currentIndex().row();
    int coluna = currentIndex().column();
    for (int i = 0; i < colunas; ++i) {
        coluna += passo;
        if (coluna >= colunas || coluna < 0) {
            linha += passo;
            coluna = passo > 0 ? 0 : colunas - 1;
        }
        if (linha < 0 || linha >= m_modelo->rowCount())
            return currentIndex();
        if (!isColumnHidden(coluna) && m_modelo->Campo(coluna).Definicao().TabStop)
            return m_modelo->index(linha, coluna);
    }
    return currentIndex();
}

void TnGrade::keyPressEvent(QKeyEvent* evento)
{
    // The dataset's keys come first: a process may take a key the grid
    // would use otherwise (Enter marks the row instead of picking it).
    TnClientDataSet& dataSet = DataSet();
    if (dataSet.Tela().Aparencia.AoTeclarNaCelula && currentIndex().isValid()) {
        bool tratada = false;
        const QString campo = m_modelo->Campo(currentIndex().column()).FieldName();
        AcaoSegura([&] { tratada = dataSet.Tela().Aparencia.AoTeclarNaCelula(evento->key(), static_cast<int>(evento->modifiers()), campo); });
        if (tratada) {
            viewport()->update();
            return;
        }
    }
    if (dataSet.Tela().Aparencia.AoTeclar) {
        bool tratada = false;
        AcaoSegura([&] { tratada = dataSet.Tela().Aparencia.AoTeclar(evento->key(), static_cast<int>(evento->modifiers())); });
        if (tratada) {
            viewport()->update();
            return;
        }
    }
    if (const TnTecla* tecla = TeclaDaGrade(*evento, false); tecla && tecla->acao && tecla->acao(*this, *evento))
        return;
    QTableView::keyPressEvent(evento);
}

// The dataset's own entries, then the export of the rows as shown.
std::unique_ptr<QMenu> TnGrade::CriarMenuDeContexto()
{
    auto menu = std::make_unique<QMenu>(this);
    for (const TnItemMenuGrade& item : DataSet().Tela().Aparencia.MenuDeContexto) {
        QAction* acao = menu->addAction(IconeDoModulo(item.imagem), item.caption);
        const std::function<void()> executar = item.acao;
        connect(acao, &QAction::triggered, this, [executar] { AcaoSegura(executar); });
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    connect(menu->addAction(QStringLiteral("Exportar para planilha (XLSX)...")), &QAction::triggered, this, [this] { Exportar(true); });
    connect(menu->addAction(QStringLiteral("Exportar para CSV...")), &QAction::triggered, this, [this] { Exportar(false); });
    return menu;
}

void TnGrade::Exportar(bool planilha)
{
    GravarEdicao();
    const QString titulo = DataSet().Tela().Caption.isEmpty() ? QStringLiteral("Lyr") : DataSet().Tela().Caption;
    const QString arquivo = TnDialogoArquivo::EscolherParaGravar(
        this, planilha ? QStringLiteral("Exportar para planilha") : QStringLiteral("Exportar para CSV"),
        titulo + (planilha ? QStringLiteral(".xlsx") : QStringLiteral(".csv")),
        planilha ? QStringLiteral("Planilha do Excel (*.xlsx)") : QStringLiteral("CSV separado por ponto e vírgula (*.csv)"));
    if (arquivo.isEmpty())
        return;
    AcaoSegura([&] {
        TnCursorEspera espera;
        planilha ? ExportarXlsx(DataSet(), arquivo) : ExportarCsv(DataSet(), arquivo);
    });
}
