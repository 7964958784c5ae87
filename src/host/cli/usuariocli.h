#pragma once

#include <QString>
#include <QStringList>

class QTextStream;

// `lyr usuario …`: users, passwords and rights set up without the desktop.
// Passwords are read from the standard input (unseen on a terminal), never
// from the command line, where other users of the machine would see them.
//   adicionar LOGIN --nome "Nome" [--administrador]
//   senha LOGIN
//   direito LOGIN DIREITO sim|nao
//   direitos LOGIN
int ExecutarUsuario(const QStringList& argumentos, const QString& nome, bool administrador, QTextStream& saida);
