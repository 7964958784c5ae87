#pragma once

#include <QString>

// Protocol helpers of the host's base package.

// Origin key of a generated tax-debit item: the source type (2 digits), the
// company (5) and the debit key (10 or more), so its first two characters
// never read "FP", "RF", "RE", "00" or "FI".
QString MontarChaveOrigem(int tipo, int empresa, qint64 chaveDebito);
// The source type an origin key was built for; 0 when it is not such a key.
int PegarTipo(const QString& chaveOrigem);
