#pragma once

#include <QMetaType>
#include <QString>
#include <QStringView>

// Exact decimal number (money, quantities): a 64-bit unscaled value and a
// number of decimals, so 18 significant digits are kept without the errors
// of binary floating point.
class TnDecimal {
public:
    static constexpr int kEscalaMaxima = 9;

    TnDecimal() = default;
    TnDecimal(qint64 semEscala, int escala);

    static TnDecimal DeInteiro(qint64 valor) { return TnDecimal(valor, 0); }
    // Rounds half away from zero to the given number of decimals.
    static TnDecimal DeDouble(double valor, int escala);
    // Accepts "1234.5", "-0,25", "+7"; no thousands separators.
    static TnDecimal DeTexto(QStringView texto, bool* ok = nullptr);

    qint64 SemEscala() const { return m_semEscala; }
    int Escala() const { return m_escala; }

    // The same value with another number of decimals (rounded half away from zero).
    TnDecimal ComEscala(int escala) const;

    QString ParaTexto() const;  // "1234.50": '.' as separator, no grouping
    double ParaDouble() const;

    TnDecimal operator+(const TnDecimal& outro) const;
    TnDecimal operator-(const TnDecimal& outro) const;
    TnDecimal operator-() const { return TnDecimal(-m_semEscala, m_escala); }
    bool operator==(const TnDecimal& outro) const { return Comparar(outro) == 0; }
    bool operator<(const TnDecimal& outro) const { return Comparar(outro) < 0; }

private:
    int Comparar(const TnDecimal& outro) const;

    qint64 m_semEscala = 0;
    int m_escala = 0;
};

Q_DECLARE_METATYPE(TnDecimal)
