#pragma once

#include <QByteArray>
#include <QString>

// Passwords are kept as Argon2id digests (libsodium), never as text. Digests
// of the former kind (a salt and an iterated SHA-256) are still checked, so
// that their users can log in and have them replaced.
namespace Senha {

// An Argon2id digest in the standard "$argon2id$v=19$m=...,t=...,p=1$..."
// form, with a random salt; a given 16-byte salt makes it reproducible (the
// demo office).
QString Resumir(const QString& senha, const QByteArray& sal = {});
// Whether the password is the one of the stored digest (with its salt, for
// the former kind).
bool Confere(const QString& senha, const QString& sal, const QString& resumo);
// Whether a stored digest should be replaced at the next successful login:
// the former kind, or Argon2id with costs below today's.
bool PrecisaRefazer(const QString& resumo);

} // namespace Senha
