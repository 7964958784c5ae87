#pragma once

#include <QString>

// Brazilian tax ids: a company's CNPJ (14 digits) or a person's CPF (11),
// typed with or without their punctuation.
namespace CnpjCpf {

// Why the text is not a valid CNPJ or CPF (wrong length, wrong check
// digits, all digits equal); empty when it is, or when it is empty.
QString Recusa(const QString& texto);
// The id with its usual punctuation ("12.345.678/0001-95", "123.456.789-09");
// the text as it is when it is not an id.
QString Formatar(const QString& texto);
// The id completed with its check digits, punctuated: 12 digits give a
// CNPJ, 9 a CPF.
QString ComDigitos(const QString& base);

} // namespace CnpjCpf
