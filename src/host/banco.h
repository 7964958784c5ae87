#pragma once

#include "conexao.h"

#include <memory>

// Opens the configured database and brings its schema up to date.
// The text is an option, else LYR_DATABASE, else data/lyr.db (see TnConfigBanco).
QString TextoBancoConfigurado(const QString& opcao);
std::unique_ptr<nDMConexao> AbrirBanco(const TnConfigBanco& config);
