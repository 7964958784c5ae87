#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// What a careless or hostile user may type: quotes and SQL, control
// characters, emoji and combining accents, impossible dates, numbers out of
// range, malformed lists of codes, very long texts; and the same values
// padded with blanks and inside a list of codes.
QStringList ValoresHostis();

// A refusal the user can read: ours, in Portuguese, not the database's.
void EsperarMensagemClara(const QString& mensagem);

// Runs the action: true when it went through, false when it was refused
// with a clear message. A database error is a failure of the test.
bool Aceito(const std::function<void()>& acao);
