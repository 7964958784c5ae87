#pragma once

#include "conexao.h"

#include <QList>

#include <memory>

struct TnDescricaoPacote;

// The database the user asked for: the option, else LYR_DATABASE, else the
// office's default file data/lyr.db (see TnConfigBanco for the forms). Only
// the default's folder is created here; a path the user typed must exist.
TnConfigBanco BancoConfigurado(const QString& opcao);

// Opens the database and brings its schema up to date: the host's, then
// each package's.
std::unique_ptr<nDMConexao> AbrirBanco(const TnConfigBanco& config, const QList<const TnDescricaoPacote*>& pacotes);

