#include "lyrsfuncoes.h"

QString MontarChaveOrigem(int tipo, int empresa, qint64 chaveDebito)
{
    return QStringLiteral("%1%2%3").arg(tipo, 2, 10, QChar(u'0')).arg(empresa, 5, 10, QChar(u'0')).arg(chaveDebito, 10, 10, QChar(u'0'));
}

int PegarTipo(const QString& chaveOrigem)
{
    bool ok = false;
    const int tipo = chaveOrigem.left(2).toInt(&ok);
    return ok && chaveOrigem.size() >= 17 ? tipo : 0;
}
