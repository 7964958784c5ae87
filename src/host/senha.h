#pragma once

#include <QString>

// Passwords are kept as a salted, stretched SHA-256 digest, never as text.
namespace Senha {

QString NovoSal();
QString Resumo(const QString& senha, const QString& sal);
bool Confere(const QString& senha, const QString& sal, const QString& resumo);

} // namespace Senha
