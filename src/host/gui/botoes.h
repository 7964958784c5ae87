#pragma once

class QAction;
class QToolBar;
class TnAction;

// Dresses a tool bar button after its action: caption (or, for an action
// that shows its icon alone, its hint), shortcut, and a tooltip that names
// the shortcut. Call it once the button is on the bar.
void VestirBotao(QToolBar& barra, QAction& botao, const TnAction& acao);
