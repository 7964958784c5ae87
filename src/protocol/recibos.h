#pragma once

#include "relatorio.h"

#include <QString>

// The receipts of protocols, the papers the client signs: one per protocol
// ("LyrRRProtocolo") or one per company listing its establishments'
// protocols ("LyrRRProtocoloEmpresa"). Each protocol carries its code as a
// barcode, which the batch write-off reads back. `selecao` lists protocol
// codes and ranges ("1;5-9"); cancelled items are left out.
TnRelatorio MontarRecibos(const QString& selecao, bool porEmpresa);

class TnSQLDataSet;

// Pieces the office's papers share.
TnBlocoRelatorio BlocoRelatorio(TnBlocoRelatorio::Tipo tipo, const QString& texto = {}, const QStringList& linhas = {});
// The office's name and address, then the paper's title.
void CabecalhoDoEscritorio(TnPaginaRelatorio& pagina, const QString& titulo);
// Where an establishment's papers go: its own address, or the one its
// delivery configuration sends them to. For a select from ESTAB F: the
// columns go into its list, the joins after it, and EnderecoDeEntrega
// reads the address from the column the first of them landed on.
QString ColunasEnderecoEntrega();
QString JuncoesEnderecoEntrega();
QString EnderecoDeEntrega(const TnSQLDataSet& linha, int primeira);
