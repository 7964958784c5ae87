#pragma once

#include "pacote.h"

#include <QList>

// What the package contributes to the host beside its classes: each is read
// by the host through the package's description, never by name.

// Its tables and the steps that create them in an office's database.
const QList<TnTabela>& TabelasLyr();
QList<TnMigracao> MigracoesLyr();

// Its field-dictionary entries.
QList<TnEntradaDicionario> DicionarioLyr();
// The host registers its rows name (refused deletions).
QList<TnUsoCadastro> UsosLyr();

// Its command-line commands: gerar and recibo.
QList<TnComandoLinha> ComandosLyr();
// Its line of `lyr status`.
QString SituacaoLyr(nDMConexao& conexao);

// Its rows of the demo office: configuration, templates and the protocols
// already delivered.
void DemonstracaoLyr(TnDemonstracaoPacote& demonstracao);
