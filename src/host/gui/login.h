#pragma once

class QString;
class QWidget;

// Asks the user and password and logs the host connection in as that user.
// Answers false when the user gives up.
bool Entrar(QWidget* pai = nullptr);

// The check behind the login: the user's code, or 0 when the login and
// password do not match an active user.
int ConferirLogin(const QString& login, const QString& senha);

// Seconds the login waits after that many failures in a row.
int EsperaAposFalhas(int falhas);
