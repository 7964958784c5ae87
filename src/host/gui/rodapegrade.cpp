#include "rodapegrade.h"

#include "clientdataset.h"
#include "grade.h"
#include "modelodataset.h"
#include "valores.h"

#include <QHeaderView>
#include <QPainter>
#include <QScrollBar>

TnRodapeGrade::TnRodapeGrade(TnGrade& grade, QWidget* pai) : QWidget(pai), m_grade(grade)
{
    setObjectName(QStringLiteral("rodape"));
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    const TnModeloDataSet* modelo = &grade.Modelo();
    connect(modelo, &QAbstractItemModel::modelReset, this, &TnRodapeGrade::Desatualizar);
    connect(modelo, &QAbstractItemModel::layoutChanged, this, &TnRodapeGrade::Desatualizar);
    connect(modelo, &QAbstractItemModel::dataChanged, this, &TnRodapeGrade::Desatualizar);
    connect(modelo, &QAbstractItemModel::rowsInserted, this, &TnRodapeGrade::Desatualizar);
    connect(modelo, &QAbstractItemModel::rowsRemoved, this, &TnRodapeGrade::Desatualizar);
    connect(grade.horizontalHeader(), &QHeaderView::sectionResized, this, qOverload<>(&QWidget::update));
    connect(grade.horizontalHeader(), &QHeaderView::geometriesChanged, this, qOverload<>(&QWidget::update));
    connect(grade.horizontalScrollBar(), &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
}

QSize TnRodapeGrade::sizeHint() const
{
    return {QWidget::sizeHint().width(), fontMetrics().height() + 8};
}

QString TnRodapeGrade::Texto(int coluna) const
{
    Somar();
    return m_textos.value(coluna);
}

void TnRodapeGrade::Desatualizar()
{
    m_desatualizado = true;
    update();
}

void TnRodapeGrade::Somar() const
{
    if (!std::exchange(m_desatualizado, false))
        return;
    const TnModeloDataSet& modelo = m_grade.Modelo();
    const TnClientDataSet& dataSet = modelo.DataSet();
    const QStringList& somados = dataSet.Tela().Aparencia.CamposSomados;
    m_textos = QList<QString>(modelo.columnCount());
    for (int coluna = 0; coluna < modelo.columnCount() && dataSet.Active(); ++coluna) {
        const TnField& campo = modelo.Campo(coluna);
        if (!somados.contains(campo.FieldName(), Qt::CaseInsensitive))
            continue;
        // Amounts add up exactly in their own decimals; other numbers in a few.
        const bool decimal = campo.DataType() == TnFieldType::BCD || campo.DataType() == TnFieldType::FMTBCD;
        const int escala = decimal ? std::clamp(campo.Size(), 0, TnDecimal::kEscalaMaxima) : campo.DataType() == TnFieldType::Float ? 6 : 0;
        TnDecimal soma(0, escala);
        for (int linha = 0; linha < dataSet.RecordCount(); ++linha)
            soma = soma + Valores::ParaDecimal(dataSet.ValorNaLinha(linha, campo.Index()), escala);
        m_textos[coluna] = campo.TextoExibicao(QVariant::fromValue(soma));
    }
}

void TnRodapeGrade::paintEvent(QPaintEvent*)
{
    Somar();
    QPainter pintor(this);
    pintor.fillRect(rect(), palette().window());
    pintor.setPen(palette().mid().color());
    pintor.drawLine(rect().topLeft(), rect().topRight());
    pintor.setPen(palette().windowText().color());
    QFont negrito = font();
    negrito.setBold(true);
    pintor.setFont(negrito);
    const QHeaderView& titulos = *m_grade.horizontalHeader();
    // Columns start where the grid's viewport starts (after its left margin).
    const int inicio = mapFromGlobal(m_grade.viewport()->mapToGlobal(QPoint(0, 0))).x();
    for (int coluna = 0; coluna < m_textos.size(); ++coluna) {
        if (m_textos[coluna].isEmpty() || titulos.isSectionHidden(coluna))
            continue;
        const QRect area(inicio + titulos.sectionViewportPosition(coluna) + 4, 0, titulos.sectionSize(coluna) - 8, height());
        pintor.drawText(area, Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, m_textos[coluna]);
    }
}
