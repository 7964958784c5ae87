#include "menu.h"

#include "acoes.h"

#include <QRegularExpression>

#include <algorithm>

namespace {

const QRegularExpression& Prefixo()
{
    static const QRegularExpression prefixo(QStringLiteral("^(\\d+)\\s+"));
    return prefixo;
}

// Levels with a leading number come first, in number order.
bool NivelAntes(const QString& a, const QString& b)
{
    const QRegularExpressionMatch x = Prefixo().match(a);
    const QRegularExpressionMatch y = Prefixo().match(b);
    if (x.hasMatch() != y.hasMatch())
        return x.hasMatch();
    if (x.hasMatch() && x.captured(1).toInt() != y.captured(1).toInt())
        return x.captured(1).toInt() < y.captured(1).toInt();
    return TituloSemOrdem(a).localeAwareCompare(TituloSemOrdem(b)) < 0;
}

void Ordenar(TnNoMenu& no)
{
    std::stable_sort(no.submenus.begin(), no.submenus.end(), [](const TnNoMenu& a, const TnNoMenu& b) { return NivelAntes(a.titulo, b.titulo); });
    std::stable_sort(no.acoes.begin(), no.acoes.end(), [](const TnAction* a, const TnAction* b) {
        return a->Index() != b->Index() ? a->Index() < b->Index() : a->Caption().localeAwareCompare(b->Caption()) < 0;
    });
    for (TnNoMenu& submenu : no.submenus)
        Ordenar(submenu);
}

} // namespace

QString TituloSemOrdem(const QString& nivel)
{
    return QString(nivel).remove(Prefixo()).trimmed();
}

TnNoMenu MontarMenu(const QList<TnAction*>& acoes, bool incluirOcultas)
{
    TnNoMenu raiz;
    for (TnAction* acao : acoes) {
        if (!acao->CriarMenu() && !incluirOcultas)
            continue;
        TnNoMenu* no = &raiz;
        for (const QString& nivel : acao->Category().split(u'\\', Qt::SkipEmptyParts)) {
            // "Cadastros" and "01 Cadastros" are one menu (shown without its number),
            // placed by the number when some entry gives one.
            const QString titulo = TituloSemOrdem(nivel);
            auto existente = std::find_if(no->submenus.begin(), no->submenus.end(),
                                          [&titulo](const TnNoMenu& submenu) { return TituloSemOrdem(submenu.titulo) == titulo; });
            if (existente == no->submenus.end()) {
                no->submenus.append(TnNoMenu{nivel, {}, {}});
                existente = std::prev(no->submenus.end());
            } else if (!Prefixo().match(existente->titulo).hasMatch()) {
                existente->titulo = nivel;
            }
            no = &*existente;
        }
        no->acoes.append(acao);
    }
    Ordenar(raiz);
    return raiz;
}
