#include "visaoquadro.h"

#include "campo.h"
#include "grade.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

TnVisaoQuadro::TnVisaoQuadro(const TnQuadroInformacoes& quadro, QWidget* pai)
    : QWidget(pai), m_quadro(quadro), m_dados(quadro.dados)
{
    setObjectName(quadro.nome);
    resize(quadro.largura, quadro.altura);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // The panels' heights follow the frame's, not the reverse.
    layout->setSizeConstraint(QLayout::SetNoConstraint);
    auto* topo = new QWidget(this);
    topo->setObjectName(QStringLiteral("nPanelInfo"));
    topo->setFixedHeight(quadro.alturaTopo);
    auto* campos = new QGridLayout(topo);
    for (const TnQuadroInformacoes::Campo& campo : quadro.campos) {
        auto* editor = new QLineEdit(topo);
        editor->setObjectName(campo.nome);
        editor->setReadOnly(true);
        auto* rotulo = new QLabel(campo.rotulo, topo);
        rotulo->setBuddy(editor);
        campos->addWidget(rotulo, campo.linha, campo.coluna * 2, Qt::AlignRight);
        campos->addWidget(editor, campo.linha, campo.coluna * 2 + 1);
        m_editores.append({editor, campo.campo});
    }
    layout->addWidget(topo);
    for (const TnQuadroInformacoes::Grade& declarada : quadro.grades) {
        auto* painel = new QWidget(this);
        auto* coluna = new QVBoxLayout(painel);
        coluna->setContentsMargins(0, 0, 0, 0);
        coluna->setSpacing(0);
        auto* titulo = new QLabel(QLatin1Char(' ') + declarada.titulo, painel);
        titulo->setFixedHeight(18);
        titulo->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        titulo->setStyleSheet(QStringLiteral("color: white; background: #1f4e9c;"));
        coluna->addWidget(titulo);
        auto* grade = new TnGrade(*declarada.dados, false, painel);
        grade->setObjectName(declarada.nome);
        coluna->addWidget(grade, 1);
        layout->addWidget(painel);
        m_paineis.append(painel);
    }
    layout->addStretch(1);
    if (m_dados)
        m_dados->AdicionarObservador(this);
    MostrarCampos();
}

TnVisaoQuadro::~TnVisaoQuadro()
{
    if (m_dados)
        m_dados->RemoverObservador(this);
}

QLineEdit* TnVisaoQuadro::Editor(const QString& nome) const
{
    return findChild<QLineEdit*>(nome);
}

TnGrade* TnVisaoQuadro::Grade(const QString& nome) const
{
    return findChild<TnGrade*>(nome);
}

QWidget* TnVisaoQuadro::PainelDaGrade(const QString& nome) const
{
    TnGrade* grade = Grade(nome);
    return grade ? grade->parentWidget() : nullptr;
}

void TnVisaoQuadro::resizeEvent(QResizeEvent* evento)
{
    QWidget::resizeEvent(evento);
    const int altura = std::max(0, m_quadro.AlturaDaGrade(height()));
    for (QWidget* painel : std::as_const(m_paineis))
        painel->setFixedHeight(altura);
}

void TnVisaoQuadro::MostrarCampos()
{
    const bool comLinha = m_dados && m_dados->Active() && !m_dados->IsEmpty();
    for (const auto& [editor, campo] : std::as_const(m_editores)) {
        const TnField* field = comLinha ? m_dados->FindField(campo) : nullptr;
        editor->setText(field ? field->DisplayText() : QString());
    }
}
