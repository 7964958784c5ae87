#pragma once

#include "dmclientdataset.h"

#include <optional>

class QWidget;

// Asks the values of a register's selection ("DataLctoPro_MAIORIGUAL;
// DataLctoPro_MENORIGUAL": a period on DATALCTOPRO) before it opens. Answers
// nothing when the user cancels; refuses a start later than the end.
std::optional<TnSelecao> PedirSelecao(const QString& verificaSelecao, const QString& titulo, QWidget* pai = nullptr);
