#include "listacampos.h"

QStringList DividirLista(const QString& lista)
{
    QStringList itens;
    for (const QString& bruto : QString(lista).replace(u',', u';').split(u';', Qt::SkipEmptyParts)) {
        const QString item = bruto.trimmed();
        if (!item.isEmpty())
            itens.append(item);
    }
    return itens;
}

TnCampoOrdem LerCampoOrdem(const QString& campo)
{
    static const QString kDecrescente = QStringLiteral(" DESC");
    const QString nome = campo.trimmed();
    if (nome.endsWith(kDecrescente, Qt::CaseInsensitive))
        return {nome.chopped(kDecrescente.size()).trimmed(), true};
    return {nome, false};
}
