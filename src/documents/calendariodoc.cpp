#include "calendariodoc.h"

#include "valores.h"

#include <QHash>

namespace CalendarioDoc {

QDate LerCompetencia(const QString& texto)
{
    const QString limpo = texto.trimmed();
    bool ok = false;
    const QDate data = Valores::LerDataHora(limpo, &ok).date();
    if (ok && data.isValid())
        return QDate(data.year(), data.month(), 1);
    for (const QString& formato : {QStringLiteral("MM/yyyy"), QStringLiteral("yyyy-MM")}) {
        const QDate mes = QDate::fromString(limpo, formato);
        if (mes.isValid())
            return mes;
    }
    return {};
}

QDate CompetenciaOuMesAtual(const QString& texto)
{
    const QDate competencia = LerCompetencia(texto);
    if (competencia.isValid())
        return competencia;
    const QDate hoje = QDate::currentDate();
    return QDate(hoje.year(), hoje.month(), 1);
}

QList<QDate> DatasDoPeriodo(int periodo, const QDate& mes)
{
    static const QHash<int, QList<int>> dias = {{1, {1}}, {2, {1, 16}}, {3, {1, 11, 21}}};
    QList<QDate> datas;
    for (int dia : dias.value(periodo))
        datas.append(QDate(mes.year(), mes.month(), dia));
    return datas;
}

bool OcorreNoMes(const QString& mesesOcorrencia, int mes)
{
    return !mesesOcorrencia.isEmpty() && mesesOcorrencia.split(u';').contains(QString::number(mes));
}

bool Cobre(int periodo, const QDateTime& vaga, const QDateTime& lancamento)
{
    if (periodo == 1)
        return vaga.date().year() == lancamento.date().year() && vaga.date().month() == lancamento.date().month();
    const qint64 limite = periodo == 2 ? 15 : periodo == 3 ? 10 : 0;
    // Whole days: 15 days and some hours are 15 days. Counted on the wall
    // clock, so that a change of daylight saving time in between does not
    // make 15 days 14 days and 23 hours.
    const auto relogio = [](const QDateTime& momento) { return QDateTime(momento.date(), momento.time(), Qt::UTC); };
    const qint64 dias = qAbs(relogio(vaga).msecsTo(relogio(lancamento))) / (24LL * 60 * 60 * 1000);
    return dias < limite;
}

} // namespace CalendarioDoc
