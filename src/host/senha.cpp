#include "senha.h"

#include <QCryptographicHash>
#include <QRandomGenerator>

namespace Senha {

namespace {
constexpr int kRodadas = 20000;
}

QString NovoSal()
{
    QByteArray sal(16, Qt::Uninitialized);
    QRandomGenerator::system()->fillRange(reinterpret_cast<quint32*>(sal.data()), sal.size() / 4);
    return QString::fromLatin1(sal.toHex());
}

QString Resumo(const QString& senha, const QString& sal)
{
    QByteArray resumo = (sal + u':' + senha).toUtf8();
    for (int i = 0; i < kRodadas; ++i)
        resumo = QCryptographicHash::hash(resumo + sal.toLatin1(), QCryptographicHash::Sha256);
    return QString::fromLatin1(resumo.toHex());
}

bool Confere(const QString& senha, const QString& sal, const QString& resumo)
{
    return !resumo.isEmpty() && Resumo(senha, sal) == resumo;
}

} // namespace Senha
