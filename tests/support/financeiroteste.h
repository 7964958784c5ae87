#pragma once

#include <QString>
#include <QVariant>

// Rows of the office's financial module for generation tests, on the host
// connection. Documents are issued on 03/11/2026, due on 10/11/2026.

// The office's establishment `escritorio` bills as (company, establishment).
void CadastrarEscritorio(int escritorio, int empresa, int estab);
// A client of the office; empresa/estab link it to a client company (null: no link).
void CadastrarPessoaFin(int codigo, const QString& nome, const QVariant& empresa, const QVariant& estab);
// A boleto: a receivable with a bank number, for invoice "A"-numero.
void CadastrarBoleto(int escritorio, int numero, int cliente, double valor, const QVariant& protocolo = {});
// A service invoice of series "A".
void CadastrarNota(int escritorio, int numero, int cliente, double valor, bool cancelada, int vistaPrazo);
