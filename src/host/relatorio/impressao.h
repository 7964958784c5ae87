#pragma once

#include "relatorio.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;

// Paints a report on A4 pages of a printer or PDF writer: each report page
// starts a new sheet and flows onto more when it does not fit (a table goes
// on with its header repeated). Barcodes are Code 128, drawn from zint's
// vector output so they stay sharp at any resolution. `aoPaginar` hears of
// every sheet started (progress on long prints).
void ImprimirRelatorio(const TnRelatorio& relatorio, QPagedPaintDevice& dispositivo,
                       const std::function<void(int folha)>& aoPaginar = {});
// EnErro naming the file and the reason when a PDF cannot be written there
// (a folder that does not exist, a folder given for the file, no permission).
void ConferirArquivoPdf(const QString& arquivo);
// The report as a PDF file; EnErro when the file cannot be written.
void GravarRelatorioPdf(const TnRelatorio& relatorio, const QString& arquivo,
                        const std::function<void(int folha)>& aoPaginar = {});
