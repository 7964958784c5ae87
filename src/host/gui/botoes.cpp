#include "botoes.h"

#include "acoes.h"
#include "atalho.h"

#include <QAction>
#include <QToolBar>
#include <QToolButton>

void VestirBotao(QToolBar& barra, QAction& botao, const TnAction& acao)
{
    const QString dica = acao.Hint().isEmpty() ? acao.Caption() : acao.Hint();
    const bool soIcone = !acao.MostrarCaption() && !botao.icon().isNull();
    // The text also names the button in the bar's overflow menu and to screen readers.
    botao.setText(soIcone ? dica : acao.Caption());
    botao.setShortcut(Atalho(acao.ShortCut()));
    botao.setToolTip(acao.ShortCut().isEmpty() ? dica : QStringLiteral("%1 (%2)").arg(dica, acao.ShortCut()));
    if (auto* widget = qobject_cast<QToolButton*>(barra.widgetForAction(&botao)))
        widget->setToolButtonStyle(soIcone ? Qt::ToolButtonIconOnly : barra.toolButtonStyle());
}
