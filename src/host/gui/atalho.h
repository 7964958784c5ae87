#pragma once

#include <QKeySequence>
#include <QString>

// The key sequence of an action's declared shortcut ("F6", "Shift+F6",
// "Ins", "Esc", "Ctrl+Del").
inline QKeySequence Atalho(const QString& texto)
{
    if (texto == u"Ins")
        return QKeySequence(Qt::Key_Insert);
    if (texto == u"Esc")
        return QKeySequence(Qt::Key_Escape);
    return QKeySequence::fromString(texto);
}
