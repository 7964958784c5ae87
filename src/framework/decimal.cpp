#include "decimal.h"

#include "erros.h"

#include <cmath>
#include <cstdlib>

namespace {

qint64 Potencia10(int expoente)
{
    qint64 resultado = 1;
    for (int i = 0; i < expoente; ++i)
        resultado *= 10;
    return resultado;
}

qint64 Multiplicar(qint64 valor, qint64 fator)
{
    qint64 resultado = 0;
    if (__builtin_mul_overflow(valor, fator, &resultado))
        throw EnErro(QStringLiteral("Valor decimal fora do limite de 18 dígitos."));
    return resultado;
}

// Divides rounding half away from zero.
qint64 DividirArredondando(qint64 valor, qint64 divisor)
{
    const qint64 quociente = valor / divisor;
    const qint64 resto = valor % divisor;
    if (std::llabs(resto) * 2 >= divisor)
        return quociente + (valor < 0 ? -1 : 1);
    return quociente;
}

} // namespace

TnDecimal::TnDecimal(qint64 semEscala, int escala)
    : m_semEscala(semEscala), m_escala(escala)
{
    if (escala < 0 || escala > kEscalaMaxima)
        throw EnErro(QStringLiteral("Número de casas decimais inválido: %1.").arg(escala));
}

TnDecimal TnDecimal::DeDouble(double valor, int escala)
{
    const double escalado = std::round(valor * static_cast<double>(Potencia10(escala)));
    if (!std::isfinite(escalado) || std::fabs(escalado) > 9.2e18)
        throw EnErro(QStringLiteral("Valor decimal fora do limite de 18 dígitos."));
    return TnDecimal(static_cast<qint64>(escalado), escala);
}

TnDecimal TnDecimal::DeTexto(QStringView texto, bool* ok)
{
    if (ok)
        *ok = false;
    texto = texto.trimmed();
    bool negativo = false;
    if (!texto.isEmpty() && (texto.front() == u'-' || texto.front() == u'+')) {
        negativo = texto.front() == u'-';
        texto = texto.mid(1);
    }
    qint64 semEscala = 0;
    int escala = 0;
    bool viuSeparador = false;
    bool viuDigito = false;
    for (QChar c : texto) {
        if (c == u'.' || c == u',') {
            if (viuSeparador)
                return {};
            viuSeparador = true;
            continue;
        }
        if (!c.isDigit())
            return {};
        if (viuSeparador) {
            if (escala == kEscalaMaxima)
                continue;  // digits beyond the supported scale are dropped
            ++escala;
        }
        viuDigito = true;
        if (__builtin_mul_overflow(semEscala, qint64(10), &semEscala)
            || __builtin_add_overflow(semEscala, qint64(c.digitValue()), &semEscala))
            return {};
    }
    if (!viuDigito)
        return {};
    if (ok)
        *ok = true;
    return TnDecimal(negativo ? -semEscala : semEscala, escala);
}

TnDecimal TnDecimal::ComEscala(int escala) const
{
    if (escala == m_escala)
        return *this;
    if (escala > m_escala)
        return TnDecimal(Multiplicar(m_semEscala, Potencia10(escala - m_escala)), escala);
    return TnDecimal(DividirArredondando(m_semEscala, Potencia10(m_escala - escala)), escala);
}

QString TnDecimal::ParaTexto() const
{
    QString digitos = QString::number(std::llabs(m_semEscala));
    if (m_escala > 0) {
        if (digitos.size() <= m_escala)
            digitos = QString(m_escala - digitos.size() + 1, u'0') + digitos;
        digitos.insert(digitos.size() - m_escala, u'.');
    }
    return m_semEscala < 0 ? u'-' + digitos : digitos;
}

double TnDecimal::ParaDouble() const
{
    return static_cast<double>(m_semEscala) / static_cast<double>(Potencia10(m_escala));
}

TnDecimal TnDecimal::operator+(const TnDecimal& outro) const
{
    const int escala = std::max(m_escala, outro.m_escala);
    qint64 soma = 0;
    if (__builtin_add_overflow(ComEscala(escala).m_semEscala, outro.ComEscala(escala).m_semEscala, &soma))
        throw EnErro(QStringLiteral("Valor decimal fora do limite de 18 dígitos."));
    return TnDecimal(soma, escala);
}

TnDecimal TnDecimal::operator-(const TnDecimal& outro) const
{
    return *this + (-outro);
}

int TnDecimal::Comparar(const TnDecimal& outro) const
{
    const int escala = std::max(m_escala, outro.m_escala);
    const qint64 a = ComEscala(escala).m_semEscala;
    const qint64 b = outro.ComEscala(escala).m_semEscala;
    return a < b ? -1 : (a > b ? 1 : 0);
}
