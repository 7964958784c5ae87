#pragma once

#include "relatorio.h"

#include <QString>

// The receipts of protocols, the papers the client signs: one per protocol
// ("LyrRRProtocolo") or one per company listing its establishments'
// protocols ("LyrRRProtocoloEmpresa"). Each protocol carries its code as a
// barcode, which the batch write-off reads back. `selecao` lists protocol
// codes and ranges ("1;5-9"); cancelled items are left out.
TnRelatorio MontarRecibos(const QString& selecao, bool porEmpresa);
