#pragma once

// How the benchmarks time a case and print it: best of a few runs, and the
// ratio to what it is measured against.

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <utility>

inline QTextStream& Saida()
{
    static QTextStream saida(stdout);
    return saida;
}

// How many times each case runs (--vezes); big runs take one or two.
inline int& Vezes()
{
    static int vezes = 5;
    return vezes;
}

// Best of a few runs, in milliseconds; `preparar` runs untimed before each.
inline double Medir(const std::function<void()>& preparar, const std::function<void()>& trabalho)
{
    double melhor = 1e300;
    for (int vez = 0; vez < Vezes(); ++vez) {
        preparar();
        QElapsedTimer relogio;
        relogio.start();
        trabalho();
        melhor = std::min(melhor, relogio.nsecsElapsed() / 1e6);
    }
    return melhor;
}

// One side of a comparison: `preparar` runs untimed before each `trabalho`.
struct TnLado {
    std::function<void()> preparar;
    std::function<void()> trabalho;
};

// The two sides in turns, run after run, so that what else the machine does
// meanwhile weighs on both alike; the best of each, in milliseconds.
inline std::pair<double, double> MedirEmTurnos(const TnLado& primeiro, const TnLado& segundo)
{
    double melhor[2] = {1e300, 1e300};
    for (int vez = 0; vez < Vezes(); ++vez) {
        int lado = 0;
        for (const TnLado* caso : {&primeiro, &segundo}) {
            if (caso->preparar)
                caso->preparar();
            QElapsedTimer relogio;
            relogio.start();
            caso->trabalho();
            melhor[lado] = std::min(melhor[lado], relogio.nsecsElapsed() / 1e6);
            ++lado;
        }
    }
    return {melhor[0], melhor[1]};
}

inline void Relatar(const QString& caso, qint64 linhas, double medido, double base, const QString& nomeDaBase = QStringLiteral("bruto"))
{
    Saida() << caso.leftJustified(44) << QString::number(linhas).rightJustified(8) << " linhas  "
            << QString::number(medido, 'f', 1).rightJustified(9) << " ms  " << nomeDaBase << ' '
            << QString::number(base, 'f', 1).rightJustified(9) << " ms  razão " << QString::number(medido / base, 'f', 2) << Qt::endl;
}
