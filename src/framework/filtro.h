#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>

// The filter of an in-memory dataset, given as text and compiled once:
//
//   (EMP <= 0 or EMP is null) and NOMEEMPRESA like 'D''Ávila%'
//
// or / and / not (in that order of precedence, keywords in any case),
// parentheses, = <> != < <= > >=, is [not] null, [not] in (literal, ...),
// [not] like 'pattern' with % and _. Operands are field names (any case;
// [Name With Blanks] in brackets), numbers, 'quoted texts' with '' for a quote,
// and null. Values compare as Valores::Comparar does, and nulls as in SQL: a
// comparison with a null side is unknown, "not unknown" too, and only the rows
// where the whole filter is true pass.
class TnFiltro {
public:
    TnFiltro();  // lets every row pass

    // Raises EnErro naming the position of the fault in the text.
    static TnFiltro Compilar(const QString& texto);

    const QString& Texto() const;
    bool Vazio() const;

    // The field names the filter uses, each once, as first written.
    const QStringList& Campos() const;

    // valorCampo(i) is the current row's value of Campos()[i].
    bool Avaliar(const std::function<QVariant(int)>& valorCampo) const;

private:
    struct Compilado;
    class Analisador;

    explicit TnFiltro(std::shared_ptr<const Compilado> compilado);

    // Immutable once compiled, so copies share it.
    std::shared_ptr<const Compilado> m_compilado;
};
