#include "valores.h"

#include "erros.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QHash>
#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The office reads Brazilian dates whatever locale the machine was set up
// with (a server's LANG=C would give "8 Dec 2026"): every program linking
// the framework — the desktop, the command line, the tests — makes it the
// default form as its application object is created, before any text.
void AdotarFormaBrasileira()
{
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(AdotarFormaBrasileira)

namespace Valores {

namespace {

EnErro ValorInvalido(const QVariant& valor, const QString& tipo)
{
    return EnErro(QStringLiteral("'%1' não é um valor válido para %2.").arg(valor.toString(), tipo));
}

} // namespace

QString TextoSQLDouble(double valor)
{
    QString texto = QString::number(valor, 'f', 10);
    while (texto.endsWith(u'0'))
        texto.chop(1);
    if (texto.endsWith(u'.'))
        texto.chop(1);
    return texto;
}

QString TextoSQLData(const QDate& data)
{
    return data.toString(QStringLiteral("yyyy-MM-dd"));
}

QString TextoSQLDataHora(const QDateTime& momento)
{
    if (momento.time() == QTime(0, 0))
        return TextoSQLData(momento.date());
    return momento.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant ParaBanco(const QVariant& valor)
{
    if (valor.isNull())
        return QVariant();
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return TextoSQLData(valor.toDate());
    case QMetaType::QDateTime:
        return TextoSQLDataHora(valor.toDateTime());
    case QMetaType::Bool:
        return valor.toBool() ? 1 : 0;
    case QMetaType::Double: {
        // Codes travel as floating numbers in in-memory grids; bind them whole.
        const double numero = valor.toDouble();
        if (std::isfinite(numero) && numero == std::trunc(numero) && std::fabs(numero) < 9.0e15)
            return static_cast<qlonglong>(numero);
        return numero;
    }
    default:
        break;
    }
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ParaTexto();
    return valor;
}

QString TextoPadrao(const QVariant& valor)
{
    if (valor.isNull())
        return QString();
    static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    switch (valor.typeId()) {
    case QMetaType::QDate:
        return valor.toDate().toString(QStringLiteral("dd/MM/yyyy"));
    case QMetaType::QDateTime: {
        const QDateTime momento = valor.toDateTime();
        if (momento.time() == QTime(0, 0))
            return momento.toString(QStringLiteral("dd/MM/yyyy"));
        return TextoDataHora(momento);
    }
    case QMetaType::Double:
    case QMetaType::Float:
        return TextoSQLDouble(valor.toDouble()).replace(u'.', u',');
    default:
        break;
    }
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ParaTexto().replace(u'.', u',');
    return valor.toString();
}

QString TextoDataHora(const QDateTime& momento)
{
    return momento.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

bool EhInteiro(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

qint64 ParaInteiro(const QVariant& valor)
{
    if (valor.isNull())
        return 0;
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ComEscala(0).SemEscala();
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return std::llround(valor.toDouble());
    if (valor.typeId() == QMetaType::QString) {
        const QString texto = valor.toString().trimmed();
        if (texto.isEmpty())
            return 0;
        // Plain digits, as the databases write them, need no locale.
        if (texto.size() <= 18) {
            const bool negativo = texto[0] == u'-';
            qint64 numero = 0;
            qsizetype i = negativo ? 1 : 0;
            for (; i < texto.size() && texto[i] >= u'0' && texto[i] <= u'9'; ++i)
                numero = numero * 10 + (texto[i].unicode() - u'0');
            if (i == texto.size() && i > (negativo ? 1 : 0))
                return negativo ? -numero : numero;
        }
        bool ok = false;
        const qint64 numero = texto.toLongLong(&ok);
        if (!ok)
            throw ValorInvalido(valor, QStringLiteral("número inteiro"));
        return numero;
    }
    bool ok = false;
    const qint64 numero = valor.toLongLong(&ok);
    if (!ok)
        throw ValorInvalido(valor, QStringLiteral("número inteiro"));
    return numero;
}

double ParaFloat(const QVariant& valor)
{
    if (valor.isNull())
        return 0.0;
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ParaDouble();
    if (valor.typeId() == QMetaType::QString) {
        const QString texto = valor.toString().trimmed();
        if (texto.isEmpty())
            return 0.0;
        bool ok = false;
        const TnDecimal decimal = TnDecimal::DeTexto(texto, &ok);
        if (!ok)
            throw ValorInvalido(valor, QStringLiteral("número"));
        return decimal.ParaDouble();
    }
    bool ok = false;
    const double numero = valor.toDouble(&ok);
    if (!ok)
        throw ValorInvalido(valor, QStringLiteral("número"));
    return numero;
}

TnDecimal ParaDecimal(const QVariant& valor, int escala)
{
    if (valor.isNull())
        return TnDecimal(0, escala);
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ComEscala(escala);
    if (valor.typeId() == QMetaType::Double || valor.typeId() == QMetaType::Float)
        return TnDecimal::DeDouble(valor.toDouble(), escala);
    if (valor.typeId() == QMetaType::QString) {
        bool ok = false;
        const TnDecimal decimal = TnDecimal::DeTexto(valor.toString(), &ok);
        if (!ok)
            throw ValorInvalido(valor, QStringLiteral("número"));
        return decimal.ComEscala(escala);
    }
    return TnDecimal::DeInteiro(ParaInteiro(valor)).ComEscala(escala);
}

// A local date and time. Building one asks the C library for the offset,
// which reads the time zone file each time: grids of thousands of rows ask
// once per local hour instead.
static QDateTime DataHoraLocal(const QDate& data, const QTime& hora)
{
    static thread_local QHash<qint64, int> deslocamentos;
    const qint64 chave = data.toJulianDay() * 24 + hora.hour();
    auto achado = deslocamentos.constFind(chave);
    if (achado == deslocamentos.constEnd()) {
        // Hours a clock change skips or repeats keep the library's own answer.
        const QDateTime inicio(data, QTime(hora.hour(), 0));
        const QDateTime fim(data, QTime(hora.hour(), 59, 59));
        if (inicio.offsetFromUtc() != fim.offsetFromUtc())
            return QDateTime(data, hora);
        if (deslocamentos.size() > 100000)
            deslocamentos.clear();
        achado = deslocamentos.insert(chave, inicio.offsetFromUtc());
    }
    return QDateTime(data, hora, Qt::OffsetFromUTC, *achado);
}

// Read digit by digit: the format parser costs more than the rest of a row.
QDate LerDataIso(QStringView texto)
{
    if (texto.size() < 10 || texto[4] != u'-' || texto[7] != u'-')
        return {};
    int numeros[3] = {0, 0, 0};
    const int inicio[3] = {0, 5, 8};
    const int tamanho[3] = {4, 2, 2};
    for (int parte = 0; parte < 3; ++parte) {
        for (int i = inicio[parte]; i < inicio[parte] + tamanho[parte]; ++i) {
            const char16_t c = texto[i].unicode();
            if (c < u'0' || c > u'9')
                return {};
            numeros[parte] = numeros[parte] * 10 + (c - u'0');
        }
    }
    return QDate(numeros[0], numeros[1], numeros[2]);
}

QDateTime LerDataHora(const QString& texto, bool* ok)
{
    const QString limpo = texto.trimmed();
    // Dates and timestamps as the databases store them, read without trying every format.
    if (const QDate data = LerDataIso(limpo); data.isValid()) {
        QTime hora(0, 0);
        if (limpo.size() >= 19) {
            // "HH:mm:ss" read by hand: the format parser costs more than the rest of the row.
            const auto numero = [&limpo](int posicao) {
                const QChar dezena = limpo[posicao];
                const QChar unidade = limpo[posicao + 1];
                return dezena.isDigit() && unidade.isDigit() ? dezena.digitValue() * 10 + unidade.digitValue() : -1;
            };
            hora = limpo[13] == u':' && limpo[16] == u':' ? QTime(numero(11), numero(14), numero(17)) : QTime();
        }
        if (hora.isValid() && (limpo.size() == 10 || limpo.size() >= 19)) {
            if (ok)
                *ok = true;
            return DataHoraLocal(data, hora);
        }
    }
    static const QStringList formatos = {
        QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"), QStringLiteral("yyyy-MM-dd HH:mm:ss"),
        QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"), QStringLiteral("yyyy-MM-ddTHH:mm:ss"),
        QStringLiteral("dd/MM/yyyy HH:mm:ss"),     QStringLiteral("dd/MM/yyyy HH:mm"),
    };
    QDateTime momento;
    for (const QString& formato : formatos) {
        momento = QDateTime::fromString(limpo, formato);
        if (momento.isValid())
            break;
    }
    if (!momento.isValid()) {
        QDate data = QDate::fromString(limpo, QStringLiteral("yyyy-MM-dd"));
        if (!data.isValid())
            data = QDate::fromString(limpo, QStringLiteral("dd/MM/yyyy"));
        if (data.isValid())
            momento = data.startOfDay();
    }
    if (ok)
        *ok = momento.isValid();
    return momento;
}

QDateTime ParaDataHora(const QVariant& valor)
{
    if (valor.isNull())
        return QDateTime();
    if (valor.typeId() == QMetaType::QDateTime)
        return valor.toDateTime();
    if (valor.typeId() == QMetaType::QDate)
        return valor.toDate().startOfDay();
    if (valor.typeId() == QMetaType::QString) {
        if (valor.toString().trimmed().isEmpty())
            return QDateTime();
        bool ok = false;
        const QDateTime momento = LerDataHora(valor.toString(), &ok);
        if (!ok)
            throw ValorInvalido(valor, QStringLiteral("data"));
        return momento;
    }
    throw ValorInvalido(valor, QStringLiteral("data"));
}

QDate ParaData(const QVariant& valor)
{
    // Dates as the databases give them need no time of day (nor time zone).
    if (valor.typeId() == QMetaType::QDate)
        return valor.toDate();
    if (valor.typeId() == QMetaType::QString) {
        const QString texto = valor.toString();
        if (const QDate data = LerDataIso(texto); data.isValid() && texto.size() == 10)
            return data;
    }
    return ParaDataHora(valor).date();
}

} // namespace Valores

namespace Valores {

namespace {

template <typename T>
int Sinal(const T& a, const T& b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

qint64 Potencia10(int expoente)
{
    qint64 resultado = 1;
    for (int i = 0; i < expoente; ++i)
        resultado *= 10;
    return resultado;
}

enum class Especie { Numero, Data, Texto };

Especie EspecieDe(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
    case QMetaType::Double:
    case QMetaType::Float:
        return Especie::Numero;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return Especie::Data;
    default:
        break;
    }
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return Especie::Numero;
    return Especie::Texto;
}

// A number in the one form every number is compared in: exact up to 18
// digits, a floating value beyond that, or NaN (before every other number).
struct Numero {
    enum Forma { Indefinido, Exato, Enorme };
    Forma forma = Exato;
    TnDecimal exato;
    double enorme = 0.0;
};

Numero NumeroExato(const TnDecimal& decimal)
{
    return {Numero::Exato, decimal, 0.0};
}

Numero NumeroDeDouble(double valor)
{
    if (std::isnan(valor))
        return {Numero::Indefinido, {}, 0.0};
    constexpr double kLimite = 9.0e18;
    const double absoluto = std::fabs(valor);
    if (!(absoluto < kLimite))
        return {Numero::Enorme, {}, valor};
    // As many decimals as fit in 64 bits, up to the 9 a TnDecimal keeps.
    int escala = TnDecimal::kEscalaMaxima;
    while (escala > 0 && absoluto * static_cast<double>(Potencia10(escala)) >= kLimite)
        --escala;
    return NumeroExato(TnDecimal::DeDouble(valor, escala));
}

Numero NumeroDe(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return NumeroDeDouble(valor.toDouble());
    case QMetaType::Bool:
        return NumeroExato(TnDecimal::DeInteiro(valor.toBool() ? 1 : 0));
    case QMetaType::ULongLong:
    case QMetaType::ULong: {
        const qulonglong numero = valor.toULongLong();
        if (numero > static_cast<qulonglong>(std::numeric_limits<qint64>::max()))
            return {Numero::Enorme, {}, static_cast<double>(numero)};
        return NumeroExato(TnDecimal::DeInteiro(static_cast<qint64>(numero)));
    }
    default:
        break;
    }
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return NumeroExato(valor.value<TnDecimal>());
    return NumeroExato(TnDecimal::DeInteiro(valor.toLongLong()));
}

// Whole parts first, then the fractions: no rescaling that could overflow.
int CompararExatos(const TnDecimal& a, const TnDecimal& b)
{
    if (a.Escala() == b.Escala())
        return Sinal(a.SemEscala(), b.SemEscala());
    const qint64 fatorA = Potencia10(a.Escala());
    const qint64 fatorB = Potencia10(b.Escala());
    const int inteiras = Sinal(a.SemEscala() / fatorA, b.SemEscala() / fatorB);
    if (inteiras != 0)
        return inteiras;
    const int escala = std::max(a.Escala(), b.Escala());
    return Sinal((a.SemEscala() % fatorA) * Potencia10(escala - a.Escala()),
                 (b.SemEscala() % fatorB) * Potencia10(escala - b.Escala()));
}

// An exact number against a floating one of 9e18 or more in magnitude, which
// is a whole number (or infinite), so the comparison stays exact.
int CompararComEnorme(const TnDecimal& exato, double enorme)
{
    constexpr double k2a63 = 9223372036854775808.0;
    if (enorme >= k2a63)
        return -1;
    if (enorme < -k2a63)
        return 1;
    const qint64 fator = Potencia10(exato.Escala());
    const int inteiras = Sinal(exato.SemEscala() / fator, static_cast<qint64>(enorme));
    if (inteiras != 0)
        return inteiras;
    return Sinal(exato.SemEscala() % fator, qint64(0));
}

int CompararNumeros(const Numero& a, const Numero& b)
{
    if (a.forma == Numero::Indefinido || b.forma == Numero::Indefinido)
        return int(b.forma == Numero::Indefinido) - int(a.forma == Numero::Indefinido);
    if (a.forma == Numero::Exato && b.forma == Numero::Exato)
        return CompararExatos(a.exato, b.exato);
    if (a.forma == Numero::Exato)
        return CompararComEnorme(a.exato, b.enorme);
    if (b.forma == Numero::Exato)
        return -CompararComEnorme(b.exato, a.enorme);
    return Sinal(a.enorme, b.enorme);
}

// Date and time apart, so that values in different time zones compare as written.
int CompararMomentos(const QDateTime& a, const QDateTime& b)
{
    const int datas = Sinal(a.date(), b.date());
    return datas != 0 ? datas : Sinal(a.time(), b.time());
}

QDateTime MomentoDe(const QVariant& valor)
{
    if (valor.typeId() == QMetaType::QDate)
        return QDateTime(valor.toDate(), QTime(0, 0));
    return valor.toDateTime();
}

int CompararTextos(const QString& a, const QString& b)
{
    const int resultado = QString::compare(a, b, Qt::CaseSensitive);
    return resultado < 0 ? -1 : (resultado > 0 ? 1 : 0);
}

// The text a number or a date is compared as when the other side is a text
// that reads as neither.
QString TextoComparavel(const QVariant& valor)
{
    switch (valor.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return TextoSQLDouble(valor.toDouble());
    case QMetaType::Bool:
        return valor.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::QDate:
        return TextoSQLData(valor.toDate());
    case QMetaType::QDateTime:
        return TextoSQLDataHora(valor.toDateTime());
    default:
        break;
    }
    if (valor.metaType() == QMetaType::fromType<TnDecimal>())
        return valor.value<TnDecimal>().ParaTexto();
    return valor.toString();
}

// A number or a date against a text.
int CompararComTexto(const QVariant& valor, Especie especie, const QString& texto)
{
    bool ok = false;
    if (especie == Especie::Numero) {
        const TnDecimal numero = TnDecimal::DeTexto(texto, &ok);
        if (ok)
            return CompararNumeros(NumeroDe(valor), NumeroExato(numero));
    } else {
        const QDateTime momento = LerDataHora(texto, &ok);
        if (ok)
            return CompararMomentos(MomentoDe(valor), momento);
    }
    return CompararTextos(TextoComparavel(valor), texto);
}

} // namespace

int Comparar(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return int(b.isNull()) - int(a.isNull());
    const int tipoA = a.typeId();
    const int tipoB = b.typeId();
    if (tipoA == QMetaType::QString && tipoB == QMetaType::QString)
        return CompararTextos(a.toString(), b.toString());
    if (EhInteiro(a) && EhInteiro(b) && tipoA != QMetaType::ULongLong && tipoB != QMetaType::ULongLong)
        return Sinal(a.toLongLong(), b.toLongLong());

    const Especie especieA = EspecieDe(a);
    const Especie especieB = EspecieDe(b);
    if (especieA == especieB) {
        switch (especieA) {
        case Especie::Numero:
            return CompararNumeros(NumeroDe(a), NumeroDe(b));
        case Especie::Data:
            return CompararMomentos(MomentoDe(a), MomentoDe(b));
        case Especie::Texto:
            return CompararTextos(a.toString(), b.toString());
        }
    }
    if (especieB == Especie::Texto)
        return CompararComTexto(a, especieA, b.toString());
    if (especieA == Especie::Texto)
        return -CompararComTexto(b, especieB, a.toString());
    return especieA == Especie::Numero ? -1 : 1;
}

} // namespace Valores
