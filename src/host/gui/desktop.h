#pragma once

#include "conexao.h"

#include <QString>

struct TnOpcoesDesktop {
    TnConfigBanco banco;
    QString abrir;    // class whose screen opens at start
    QString captura;  // PNG the main window is saved to after start (then it closes)
};

// Runs the desktop: opens the database, asks for the login (or takes
// LYR_USUARIO and LYR_SENHA from the environment), loads the installed packages,
// shows the main window until the user leaves and unloads them. Needs
// a QApplication. A capture is an unattended run: nobody answers, so a failed
// login, an error or any question ends it with a message on stderr and 1.
int ExecutarDesktop(const TnOpcoesDesktop& opcoes);

// Installs Qt's Brazilian Portuguese translations (qt6-translations-l10n), so
// that Qt's own buttons and dialogs read "Cancelar", "Sim", "Não".
void CarregarTraducoesDoQt();
