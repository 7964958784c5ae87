#include "senha.h"

#include "erros.h"

#include <QCryptographicHash>

#include <sodium.h>

namespace Senha {

namespace {

constexpr int kRodadasAntigas = 20000;
const unsigned long long kOperacoes = crypto_pwhash_OPSLIMIT_INTERACTIVE;
const size_t kMemoria = crypto_pwhash_MEMLIMIT_INTERACTIVE;

void IniciarSodium()
{
    if (sodium_init() < 0)
        throw EnErro(QStringLiteral("A biblioteca de criptografia (libsodium) não pôde ser iniciada."));
}

QByteArray Base64(const unsigned char* dados, size_t tamanho)
{
    QByteArray texto(static_cast<qsizetype>(sodium_base64_ENCODED_LEN(tamanho, sodium_base64_VARIANT_ORIGINAL_NO_PADDING)), '\0');
    sodium_bin2base64(texto.data(), static_cast<size_t>(texto.size()), dados, tamanho, sodium_base64_VARIANT_ORIGINAL_NO_PADDING);
    texto.truncate(static_cast<qsizetype>(qstrlen(texto.constData())));
    return texto;
}

// The digest of the former kind: SHA-256 of salt, password and salt, iterated.
QString ResumoAntigo(const QString& senha, const QString& sal)
{
    QByteArray resumo = (sal + u':' + senha).toUtf8();
    for (int i = 0; i < kRodadasAntigas; ++i)
        resumo = QCryptographicHash::hash(resumo + sal.toLatin1(), QCryptographicHash::Sha256);
    return QString::fromLatin1(resumo.toHex());
}

bool EhArgon2(const QString& resumo)
{
    return resumo.startsWith(QStringLiteral("$argon2id$"));
}

} // namespace

QString Resumir(const QString& senha, const QByteArray& salDado)
{
    IniciarSodium();
    const QByteArray texto = senha.toUtf8();
    unsigned char sal[crypto_pwhash_SALTBYTES];
    if (salDado.size() == static_cast<qsizetype>(sizeof sal))
        memcpy(sal, salDado.constData(), sizeof sal);
    else
        randombytes_buf(sal, sizeof sal);
    unsigned char chave[32];
    if (crypto_pwhash(chave, sizeof chave, texto.constData(), static_cast<unsigned long long>(texto.size()), sal, kOperacoes, kMemoria,
                      crypto_pwhash_ALG_ARGON2ID13)
        != 0)
        throw EnErro(QStringLiteral("Não há memória para proteger a senha."));
    // The encoding libsodium's own crypto_pwhash_str writes and verifies.
    const QByteArray resumo = "$argon2id$v=19$m=" + QByteArray::number(static_cast<qulonglong>(kMemoria / 1024)) + ",t="
                              + QByteArray::number(kOperacoes) + ",p=1$" + Base64(sal, sizeof sal) + '$' + Base64(chave, sizeof chave);
    sodium_memzero(chave, sizeof chave);
    return QString::fromLatin1(resumo);
}

bool Confere(const QString& senha, const QString& sal, const QString& resumo)
{
    if (resumo.isEmpty())
        return false;
    if (!EhArgon2(resumo))
        return !sal.isEmpty() && ResumoAntigo(senha, sal) == resumo;
    IniciarSodium();
    const QByteArray texto = senha.toUtf8();
    return crypto_pwhash_str_verify(resumo.toLatin1().constData(), texto.constData(), static_cast<unsigned long long>(texto.size())) == 0;
}

bool PrecisaRefazer(const QString& resumo)
{
    if (!EhArgon2(resumo))
        return true;
    IniciarSodium();
    return crypto_pwhash_str_needs_rehash(resumo.toLatin1().constData(), kOperacoes, kMemoria) != 0;
}

} // namespace Senha
