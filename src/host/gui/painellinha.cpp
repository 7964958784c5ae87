#include "painellinha.h"

#include "acaosegura.h"
#include "clientdataset.h"
#include "grade.h"
#include "modelodataset.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace {

// The left margin of a grid with a row panel: "+" on each row, "-" on the
// row whose panel is open.
class TnMargemDoPainel : public QHeaderView {
public:
    explicit TnMargemDoPainel(TnGrade& grade) : QHeaderView(Qt::Vertical, &grade), m_grade(grade)
    {
        setSectionsClickable(true);
        setSectionResizeMode(QHeaderView::Fixed);
        setToolTip(QStringLiteral("Abre (+ ou Ctrl+Seta para baixo) ou fecha (- ou Ctrl+Seta para cima) os itens da linha"));
    }

    QSize sizeHint() const override
    {
        return {fontMetrics().horizontalAdvance(u'+') + 14, QHeaderView::sizeHint().height()};
    }

protected:
    void paintSection(QPainter* pintor, const QRect& area, int linha) const override
    {
        pintor->save();
        pintor->fillRect(area, palette().button());
        pintor->setPen(palette().mid().color());
        pintor->drawLine(area.topRight(), area.bottomRight());
        pintor->setPen(palette().buttonText().color());
        QRect topo = area;
        topo.setHeight(std::min(area.height(), m_grade.AlturaDaLinha()));
        pintor->drawText(topo, Qt::AlignCenter, linha == m_grade.LinhaDoPainel() ? QStringLiteral("−") : QStringLiteral("+"));
        pintor->restore();
    }

private:
    TnGrade& m_grade;
};

} // namespace

TnPainelLinha::TnPainelLinha(TnGrade& grade, QWidget* painel, std::function<void()> aoAbrir)
    : QObject(&grade), m_grade(grade), m_painel(painel), m_aoAbrir(std::move(aoAbrir))
{
    const int altura = grade.AlturaDaLinha();
    grade.setVerticalHeader(new TnMargemDoPainel(grade));
    grade.verticalHeader()->setDefaultSectionSize(altura);
    connect(grade.verticalHeader(), &QHeaderView::sectionPressed, this, [this](int linha) {
        if (linha == m_linha) {
            Fechar();
            return;
        }
        m_grade.setCurrentIndex(m_grade.Modelo().index(linha, std::max(m_grade.currentIndex().column(), 0)));
        if (m_grade.Modelo().LinhaAtual() == linha)
            Abrir();
    });
    // A reset keeps the panel under its row when that row is still the current one.
    connect(&grade.Modelo(), &QAbstractItemModel::modelReset, this, &TnPainelLinha::Reaplicar);
    connect(&grade.Modelo(), &QAbstractItemModel::layoutChanged, this, &TnPainelLinha::Reaplicar);
    // A row that comes, goes or moves shifts the panel's row (and its height) with it.
    connect(&grade.Modelo(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex&, int primeira, int ultima) {
        if (m_linha >= primeira)
            m_linha += ultima - primeira + 1;
        Reaplicar();
    });
    connect(&grade.Modelo(), &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex&, int primeira, int ultima) {
        if (m_linha > ultima)
            m_linha -= ultima - primeira + 1;
        else if (m_linha >= primeira) {
            // The row went, and its height with it.
            m_linha = -1;
            if (m_painel)
                m_painel->hide();
            return;
        }
        Reaplicar();
    });
    connect(&grade.Modelo(), &QAbstractItemModel::rowsMoved, this, [this](const QModelIndex&, int de, int, const QModelIndex&, int para) {
        if (m_linha == de)
            m_linha = para > de ? para - 1 : para;
        else if (de < m_linha && para > m_linha)
            --m_linha;
        else if (de > m_linha && para <= m_linha)
            ++m_linha;
        Reaplicar();
    });
    painel->setParent(grade.viewport());
    painel->hide();
    for (QWidget* parte : painel->findChildren<QWidget*>())
        parte->installEventFilter(this);
}

void TnPainelLinha::Abrir()
{
    const QModelIndex atual = m_grade.currentIndex();
    if (!m_painel || !atual.isValid() || m_grade.Modelo().rowCount() == 0)
        return;
    if (m_linha != atual.row()) {
        Fechar();
        if (m_aoAbrir && !AcaoSegura(m_aoAbrir))
            return;
        m_linha = atual.row();
        m_registro = m_grade.DataSet().GetBookmark();
        AbrirEspaco();
        m_grade.scrollTo(atual, QAbstractItemView::PositionAtTop);
    }
    for (QWidget* parte : m_painel->findChildren<QWidget*>()) {
        if (parte->focusPolicy() & Qt::TabFocus) {
            parte->setFocus();
            break;
        }
    }
}

void TnPainelLinha::Fechar()
{
    if (m_linha < 0)
        return;
    const int linha = std::exchange(m_linha, -1);
    const bool tinhaFoco = m_painel && m_painel->isAncestorOf(QApplication::focusWidget());
    if (m_painel)
        m_painel->hide();
    if (linha < m_grade.Modelo().rowCount())
        m_grade.setRowHeight(linha, m_grade.AlturaDaLinha());
    if (tinhaFoco)
        m_grade.setFocus();
}

// Rows reloaded, removed or reordered under the panel: it stays only while
// its own row is still there and current. The header keeps each row's height
// through a reset, so a closing panel gives its row's height back.
void TnPainelLinha::Reaplicar()
{
    if (m_linha < 0)
        return;
    const TnModeloDataSet& modelo = m_grade.Modelo();
    if (m_linha >= modelo.rowCount() || modelo.LinhaAtual() != m_linha || m_grade.DataSet().GetBookmark() != m_registro) {
        Fechar();
        return;
    }
    AbrirEspaco();
}

// The row with the panel grows by the panel's height: most of the grid, at least six rows.
void TnPainelLinha::AbrirEspaco()
{
    const int altura = m_grade.AlturaDaLinha();
    const int painel = std::max(6 * altura, m_grade.viewport()->height() * 3 / 5);
    m_grade.setRowHeight(m_linha, altura + painel);
    Posicionar();
}

void TnPainelLinha::Posicionar()
{
    if (!m_painel)
        return;
    if (m_linha < 0 || m_linha >= m_grade.Modelo().rowCount()) {
        m_painel->hide();
        return;
    }
    const int altura = m_grade.AlturaDaLinha();
    const int topo = m_grade.rowViewportPosition(m_linha) + altura;
    m_painel->setGeometry(0, topo, m_grade.viewport()->width(), m_grade.rowHeight(m_linha) - altura);
    m_painel->show();
    m_painel->raise();
}

// Keys inside the panel that close it: Ctrl+Up and Esc.
bool TnPainelLinha::eventFilter(QObject* objeto, QEvent* evento)
{
    if (evento->type() == QEvent::KeyPress && m_linha >= 0) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        const bool ctrlAcima = tecla->key() == Qt::Key_Up && (tecla->modifiers() & Qt::ControlModifier);
        if (ctrlAcima || (tecla->key() == Qt::Key_Escape && tecla->modifiers() == Qt::NoModifier)) {
            Fechar();
            return true;
        }
    }
    return QObject::eventFilter(objeto, evento);
}
