#include "cnpjcpf.h"

#include <QList>

namespace {

QString Digitos(const QString& texto)
{
    QString digitos;
    for (const QChar c : texto) {
        if (c.isDigit())
            digitos.append(c);
    }
    return digitos;
}

const QList<int> kPesosCpf = {11, 10, 9, 8, 7, 6, 5, 4, 3, 2};
const QList<int> kPesosCnpj = {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2};

// Modulo-11 check digit over the first digits of `digitos`, one per weight
// (the last weights of `pesos` when fewer are needed).
int DigitoVerificador(const QString& digitos, qsizetype quantos, const QList<int>& pesos)
{
    const QList<int> usados = pesos.mid(pesos.size() - quantos);
    int soma = 0;
    for (qsizetype i = 0; i < quantos; ++i)
        soma += digitos[i].digitValue() * usados[i];
    const int resto = soma % 11;
    return resto < 2 ? 0 : 11 - resto;
}

bool DigitosConferem(const QString& digitos)
{
    if (digitos.count(digitos.front()) == digitos.size())
        return false;  // 000.000.000-00 and the like pass the arithmetic but are not ids
    const QList<int>& pesos = digitos.size() == 11 ? kPesosCpf : kPesosCnpj;
    const qsizetype base = digitos.size() - 2;
    return DigitoVerificador(digitos, base, pesos) == digitos[base].digitValue()
           && DigitoVerificador(digitos, base + 1, pesos) == digitos[base + 1].digitValue();
}

} // namespace

namespace CnpjCpf {

QString Recusa(const QString& texto)
{
    const QString limpo = texto.trimmed();
    if (limpo.isEmpty())
        return {};
    for (const QChar c : limpo) {
        if (!c.isDigit() && c != u'.' && c != u'/' && c != u'-')
            return QStringLiteral("CNPJ/CPF \"%1\" inválido: use só números, pontos, barra e hífen.").arg(limpo);
    }
    const QString digitos = Digitos(limpo);
    if (digitos.size() != 11 && digitos.size() != 14)
        return QStringLiteral("CNPJ/CPF \"%1\" inválido: um CNPJ tem 14 dígitos e um CPF, 11.").arg(limpo);
    if (!DigitosConferem(digitos))
        return QStringLiteral("%1 \"%2\" inválido: os dígitos verificadores não conferem.")
            .arg(digitos.size() == 14 ? QStringLiteral("CNPJ") : QStringLiteral("CPF"), limpo);
    return {};
}

QString Formatar(const QString& texto)
{
    if (!Recusa(texto).isEmpty() || texto.trimmed().isEmpty())
        return texto;
    const QString d = Digitos(texto);
    if (d.size() == 11)
        return QStringLiteral("%1.%2.%3-%4").arg(d.mid(0, 3), d.mid(3, 3), d.mid(6, 3), d.mid(9, 2));
    return QStringLiteral("%1.%2.%3/%4-%5").arg(d.mid(0, 2), d.mid(2, 3), d.mid(5, 3), d.mid(8, 4), d.mid(12, 2));
}

QString ComDigitos(const QString& base)
{
    QString numero = Digitos(base);
    const QList<int>& pesos = numero.size() == 9 ? kPesosCpf : kPesosCnpj;
    for (int digito = 0; digito < 2; ++digito)
        numero += QString::number(DigitoVerificador(numero, numero.size(), pesos));
    return Formatar(numero);
}

} // namespace CnpjCpf
