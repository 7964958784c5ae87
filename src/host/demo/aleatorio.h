#pragma once

#include <QList>
#include <QtGlobal>

// Small deterministic generator (splitmix64): the same start value gives the
// same demo office on every machine, which std::uniform_*_distribution does
// not promise.
class TnAleatorio {
public:
    explicit TnAleatorio(quint64 inicio) : m_estado(inicio) {}

    quint64 Proximo()
    {
        quint64 z = (m_estado += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // A whole number from minimo to maximo, both included.
    int Entre(int minimo, int maximo)
    {
        return minimo + static_cast<int>(Proximo() % static_cast<quint64>(maximo - minimo + 1));
    }

    // True in `percentual` of the draws.
    bool Chance(int percentual) { return Entre(1, 100) <= percentual; }

    template <typename T>
    const T& Escolher(const QList<T>& lista)
    {
        return lista[Entre(0, static_cast<int>(lista.size()) - 1)];
    }

private:
    quint64 m_estado;
};
