#pragma once

#include <QIcon>
#include <QString>

// An icon of the desktop's theme; where the theme has none (no desktop
// environment, a theme of symbolic icons only), the style's own picture.
QIcon IconeDoTema(const QString& nome);
// The theme's name for an image number of the host's image list ("" when none).
QString IconeDaImagem(int imagem);
// The icon of an image number.
inline QIcon IconeDoModulo(int imagem)
{
    return IconeDoTema(IconeDaImagem(imagem));
}

class TnAction;
// The icon of an action on a tool bar: the theme's for the host's standard
// actions (navigation, editing, a process's run, save and cancel), else
// that of the action's image number.
QIcon IconeDaAcao(const TnAction& acao);
