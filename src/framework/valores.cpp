#include "valores.h"

#include "erros.h"

#include <QLocale>

#include <cmath>

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
        return momento.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
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

QDateTime LerDataHora(const QString& texto, bool* ok)
{
    const QString limpo = texto.trimmed();
    // Dates and timestamps as the databases store them, read without trying every format.
    if (limpo.size() >= 10 && limpo[4] == u'-' && limpo[7] == u'-') {
        const QDate data = QDate::fromString(limpo.left(10), Qt::ISODate);
        QTime hora(0, 0);
        if (limpo.size() >= 19)
            hora = QTime::fromString(limpo.mid(11, 8), QStringLiteral("HH:mm:ss"));
        if (data.isValid() && hora.isValid() && (limpo.size() == 10 || limpo.size() >= 19)) {
            if (ok)
                *ok = true;
            return QDateTime(data, hora);
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
    return ParaDataHora(valor).date();
}

} // namespace Valores
