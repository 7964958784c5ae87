#include "frmconsulta.h"

#include "acaosegura.h"
#include "dmclientdataset.h"
#include "grade.h"
#include "listacampos.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <algorithm>

TnFrmConsulta::TnFrmConsulta(TnDMClientDataSet& consulta, QWidget* pai) : TnFormulario(consulta, pai), m_consulta(consulta)
{
    auto* layout = new QVBoxLayout(this);
    auto* barra = new QHBoxLayout;
    m_ordens = new QComboBox(this);
    m_ordens->setObjectName(QStringLiteral("ordens"));
    const QString ordemPadrao = !consulta.DefAdic.OrdemCaption.isEmpty() ? consulta.DefAdic.OrdemCaption
                                                                       : consulta.nClientDataSet.Tela().OrdemCaption;
    m_ordens->addItem(ordemPadrao.isEmpty() ? QStringLiteral("Código") : ordemPadrao);
    m_camposDasOrdens.append(consulta.DefAdic.Ordem.isEmpty() ? consulta.ChaveTabela : consulta.DefAdic.Ordem);
    for (const TnIndexUsuario& ordem : consulta.nClientDataSet.Tela().Indexs) {
        m_ordens->addItem(ordem.Name);
        m_camposDasOrdens.append(ordem.Fields);
    }
    m_pesquisa = new QLineEdit(this);
    m_pesquisa->setObjectName(QStringLiteral("pesquisa"));
    m_pesquisa->setPlaceholderText(QStringLiteral("Pesquisar (Ctrl+F)"));
    m_pesquisa->setClearButtonEnabled(true);
    barra->addWidget(new QLabel(QStringLiteral("Ordem:"), this));
    barra->addWidget(m_ordens);
    barra->addWidget(m_pesquisa, 1);
    layout->addLayout(barra);
    m_grade = new TnGrade(consulta.nClientDataSet, false, this);
    layout->addWidget(m_grade, 1);
    connect(m_ordens, &QComboBox::currentIndexChanged, this, &TnFrmConsulta::Ordenar);
    connect(m_pesquisa, &QLineEdit::textEdited, this, &TnFrmConsulta::Pesquisar);
    connect(m_pesquisa, &QLineEdit::returnPressed, this, &TnFrmConsulta::Escolhido);
    connect(m_grade, &TnGrade::RegistroEscolhido, this, &TnFrmConsulta::Escolhido);
    m_grade->installEventFilter(this);
    setFocusProxy(m_grade);
}

// Typing in the grid goes to the search box, before the grid sees the key.
bool TnFrmConsulta::eventFilter(QObject* objeto, QEvent* evento)
{
    if (objeto == m_grade && evento->type() == QEvent::KeyPress) {
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        if (!tecla->text().isEmpty() && tecla->text().at(0).isPrint() && !(tecla->modifiers() & Qt::ControlModifier)) {
            m_pesquisa->setFocus();
            m_pesquisa->setText(m_pesquisa->text() + tecla->text());
            Pesquisar(m_pesquisa->text());
            return true;
        }
    }
    return TnFormulario::eventFilter(objeto, evento);
}

void TnFrmConsulta::SetEscolhaMultipla()
{
    m_grade->setSelectionMode(QAbstractItemView::ExtendedSelection);
    auto* dica = new QLabel(QStringLiteral("Ctrl+clique ou Ctrl+Espaço marca mais de uma linha; Shift+setas, uma faixa; Ctrl+A, todas."), this);
    dica->setObjectName(QStringLiteral("dicaEscolhaMultipla"));
    static_cast<QVBoxLayout*>(layout())->addWidget(dica);
}

QList<int> TnFrmConsulta::LinhasEscolhidas() const
{
    QList<int> linhas;
    for (const QModelIndex& indice : m_grade->selectionModel()->selectedRows())
        linhas.append(indice.row());
    std::ranges::sort(linhas);
    if (linhas.isEmpty() && m_grade->currentIndex().isValid())
        linhas.append(m_grade->currentIndex().row());
    return linhas;
}

void TnFrmConsulta::Ordenar(int indice)
{
    if (indice < 0 || indice >= m_camposDasOrdens.size())
        return;
    AcaoSegura([&] { m_consulta.nClientDataSet.SetIndexFieldNames(QString(m_camposDasOrdens[indice]).replace(u',', u';')); });
    Pesquisar(m_pesquisa->text());
}

void TnFrmConsulta::Pesquisar(const QString& texto)
{
    if (texto.isEmpty())
        return;
    const QString campos = m_camposDasOrdens.value(m_ordens->currentIndex());
    const QString primeiro = LerCampoOrdem(DividirLista(campos).value(0)).nome;
    if (primeiro.isEmpty())
        return;
    AcaoSegura([&] { m_consulta.nClientDataSet.Locate(primeiro, texto, {true, true}); });
}
