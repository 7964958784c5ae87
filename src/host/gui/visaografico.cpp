#include "visaografico.h"

#include "dmpowerparam.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHorizontalBarSeries>
#include <QLocale>
#include <QValueAxis>
#include <QVBoxLayout>

TnVisaoGrafico::TnVisaoGrafico(const TnGraficoBarras& grafico, QWidget* pai) : QWidget(pai), m_grafico(grafico)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_visao = new QChartView(this);
    m_visao->setObjectName(QStringLiteral("grafico"));
    m_visao->setRenderHint(QPainter::Antialiasing);
    layout->addWidget(m_visao);
    Atualizar();
}

void TnVisaoGrafico::Atualizar()
{
    if (m_versao == m_grafico.Versao())
        return;
    m_versao = m_grafico.Versao();
    auto* grafico = new QChart;
    grafico->setTitle(m_grafico.titulo);
    grafico->legend()->hide();
    grafico->setLocalizeNumbers(true);
    grafico->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    auto* conjunto = new QBarSet(m_grafico.eixoValores);
    QStringList rotulos;
    double maior = 0;
    // Horizontal bars are drawn from the bottom up: the first goes last.
    const QList<QPair<QString, double>>& barras = m_grafico.Barras();
    for (auto barra = barras.crbegin(); barra != barras.crend(); ++barra) {
        rotulos.append(barra->first);
        *conjunto << barra->second;
        maior = std::max(maior, barra->second);
    }
    auto* serie = new QHorizontalBarSeries;
    serie->append(conjunto);
    serie->setLabelsVisible(true);
    serie->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    grafico->addSeries(serie);
    auto* categorias = new QBarCategoryAxis;
    categorias->append(rotulos);
    grafico->addAxis(categorias, Qt::AlignLeft);
    serie->attachAxis(categorias);
    auto* valores = new QValueAxis;
    valores->setTitleText(m_grafico.eixoValores);
    valores->setLabelFormat(QStringLiteral("%d"));
    valores->setRange(0, std::max(1.0, maior * 1.15));
    grafico->addAxis(valores, Qt::AlignBottom);
    serie->attachAxis(valores);
    QChart* anterior = m_visao->chart();
    m_visao->setChart(grafico);
    delete anterior;
}

QList<QPair<QString, double>> TnVisaoGrafico::Desenhado() const
{
    QList<QPair<QString, double>> desenhado;
    const auto series = m_visao->chart()->series();
    if (series.isEmpty())
        return desenhado;
    const auto* serie = static_cast<const QHorizontalBarSeries*>(series.first());
    const auto eixos = m_visao->chart()->axes(Qt::Vertical);
    const auto* categorias = eixos.isEmpty() ? nullptr : qobject_cast<const QBarCategoryAxis*>(eixos.first());
    if (serie->barSets().isEmpty() || !categorias)
        return desenhado;
    const QBarSet* conjunto = serie->barSets().first();
    for (int i = conjunto->count() - 1; i >= 0; --i)
        desenhado.append({categorias->at(i), conjunto->at(i)});
    return desenhado;
}
