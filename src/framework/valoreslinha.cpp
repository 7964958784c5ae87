#include "valoreslinha.h"

#include "decimal.h"

#include <QDate>
#include <QDateTime>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

namespace {

// What a value is; a decimal keeps its scale in the type byte.
enum Tipo : quint8 {
    kInvalido,
    kInt,
    kLongLong,
    kDouble,
    kBool,
    kTexto,
    kTextoNulo,
    kData,
    kDataHora,
    kOutro,  // any other value, kept whole on the heap
    kDecimal,  // kDecimal + scale, up to kDecimal + TnDecimal::kEscalaMaxima
};

union TnCelula {
    qint64 inteiro;
    double real;
    struct {
        quint32 inicio;  // in UTF-16 units after the cells
        quint32 tamanho;
    } texto;
    QVariant* outro;
    alignas(QDateTime) unsigned char momento[sizeof(QDateTime)];
};
static_assert(sizeof(TnCelula) == 8, "a packed value takes 8 bytes");

constexpr size_t Arredondar8(size_t tamanho)
{
    return (tamanho + 7) & ~size_t(7);
}

template <typename T>
const T& Dado(const QVariant& valor)
{
    return *static_cast<const T*>(valor.constData());
}

const QDateTime& MomentoDa(const TnCelula& celula)
{
    return *std::launder(reinterpret_cast<const QDateTime*>(celula.momento));
}

} // namespace

// Header, then the type bytes, the cells (8-aligned) and the texts.
struct TnValoresLinha::TnBloco {
    int referencias;
    int quantidade;

    quint8* Tipos() { return reinterpret_cast<quint8*>(this + 1); }
    TnCelula* Celulas() { return reinterpret_cast<TnCelula*>(reinterpret_cast<char*>(this + 1) + Arredondar8(size_t(quantidade))); }
    const char16_t* Textos() { return reinterpret_cast<const char16_t*>(Celulas() + quantidade); }
};
static_assert(sizeof(int) * 2 % 8 == 0, "cells stay 8-aligned after the header");

TnValoresLinha::TnValoresLinha(const QVariantList& valores)
{
    if (valores.isEmpty())
        return;
    const int quantidade = static_cast<int>(valores.size());
    size_t unidadesDeTexto = 0;
    for (const QVariant& valor : valores) {
        if (valor.typeId() == QMetaType::QString)
            unidadesDeTexto += static_cast<size_t>(Dado<QString>(valor).size());
    }
    const size_t tamanho = sizeof(TnBloco) + Arredondar8(size_t(quantidade)) + sizeof(TnCelula) * size_t(quantidade)
                           + sizeof(char16_t) * unidadesDeTexto;
    void* memoria = std::malloc(tamanho);
    if (!memoria)
        throw std::bad_alloc();
    // Owned here until every value is in: copying a value may throw (an
    // allocation, a type's own copy), and the values already copied and the
    // block must then go. A type byte is written only once its cell is whole.
    std::unique_ptr<TnBloco, TnLiberarBloco> bloco(new (memoria) TnBloco{1, quantidade});
    quint8* tipos = bloco->Tipos();
    std::memset(tipos, kInvalido, size_t(quantidade));
    TnCelula* celulas = bloco->Celulas();
    char16_t* textos = const_cast<char16_t*>(bloco->Textos());
    quint32 proximoTexto = 0;
    for (int i = 0; i < quantidade; ++i) {
        const QVariant& valor = valores[i];
        TnCelula& celula = celulas[i];
        celula.inteiro = 0;
        quint8 tipo = kOutro;
        switch (valor.typeId()) {
        case QMetaType::UnknownType:
            tipo = kInvalido;
            break;
        case QMetaType::Int:
            tipo = kInt;
            celula.inteiro = Dado<int>(valor);
            break;
        case QMetaType::LongLong:
            tipo = kLongLong;
            celula.inteiro = Dado<qlonglong>(valor);
            break;
        case QMetaType::Double:
            tipo = kDouble;
            celula.real = Dado<double>(valor);
            break;
        case QMetaType::Bool:
            tipo = kBool;
            celula.inteiro = Dado<bool>(valor) ? 1 : 0;
            break;
        case QMetaType::QString: {
            const QString& texto = Dado<QString>(valor);
            if (texto.isNull()) {
                tipo = kTextoNulo;
                break;
            }
            tipo = kTexto;
            celula.texto = {proximoTexto, static_cast<quint32>(texto.size())};
            std::memcpy(textos + proximoTexto, texto.utf16(), sizeof(char16_t) * size_t(texto.size()));
            proximoTexto += static_cast<quint32>(texto.size());
            break;
        }
        case QMetaType::QDate:
            tipo = kData;
            celula.inteiro = Dado<QDate>(valor).toJulianDay();
            break;
        case QMetaType::QDateTime:
            tipo = kDataHora;
            new (celula.momento) QDateTime(Dado<QDateTime>(valor));
            break;
        default:
            if (valor.metaType() == QMetaType::fromType<TnDecimal>()) {
                const TnDecimal& numero = Dado<TnDecimal>(valor);
                tipo = static_cast<quint8>(kDecimal + numero.Escala());
                celula.inteiro = numero.SemEscala();
            }
            break;
        }
        // A null value of a type (QVariant(QMetaType)) is kept whole, as given.
        if (valor.isValid() && valor.isNull() && tipo != kTextoNulo) {
            if (tipo == kDataHora)
                MomentoDa(celula).~QDateTime();
            tipo = kOutro;
        }
        if (tipo == kOutro)
            celula.outro = new QVariant(valor);
        tipos[i] = tipo;
    }
    m_bloco = bloco.release();
}

TnValoresLinha::TnValoresLinha(const TnValoresLinha& outra) : m_bloco(outra.m_bloco)
{
    if (m_bloco)
        ++m_bloco->referencias;
}

TnValoresLinha::TnValoresLinha(TnValoresLinha&& outra) noexcept : m_bloco(std::exchange(outra.m_bloco, nullptr)) {}

TnValoresLinha& TnValoresLinha::operator=(const TnValoresLinha& outra)
{
    if (outra.m_bloco)
        ++outra.m_bloco->referencias;
    Soltar();
    m_bloco = outra.m_bloco;
    return *this;
}

TnValoresLinha& TnValoresLinha::operator=(TnValoresLinha&& outra) noexcept
{
    if (this != &outra) {
        Soltar();
        m_bloco = std::exchange(outra.m_bloco, nullptr);
    }
    return *this;
}

TnValoresLinha::~TnValoresLinha()
{
    Soltar();
}

void TnValoresLinha::Soltar()
{
    if (m_bloco && --m_bloco->referencias == 0)
        TnLiberarBloco()(m_bloco);
    m_bloco = nullptr;
}

void TnValoresLinha::TnLiberarBloco::operator()(TnBloco* bloco) const
{
    const quint8* tipos = bloco->Tipos();
    TnCelula* celulas = bloco->Celulas();
    for (int i = 0; i < bloco->quantidade; ++i) {
        if (tipos[i] == kDataHora)
            MomentoDa(celulas[i]).~QDateTime();
        else if (tipos[i] == kOutro)
            delete celulas[i].outro;
    }
    std::free(bloco);
}

int TnValoresLinha::size() const
{
    return m_bloco ? m_bloco->quantidade : 0;
}

QVariant TnValoresLinha::value(int indice) const
{
    if (indice < 0 || indice >= size())
        return QVariant();
    const TnCelula& celula = m_bloco->Celulas()[indice];
    const quint8 tipo = m_bloco->Tipos()[indice];
    switch (tipo) {
    case kInvalido:
        return QVariant();
    case kInt:
        return QVariant(static_cast<int>(celula.inteiro));
    case kLongLong:
        return QVariant(static_cast<qlonglong>(celula.inteiro));
    case kDouble:
        return QVariant(celula.real);
    case kBool:
        return QVariant(celula.inteiro != 0);
    case kTexto: {
        const char16_t* inicio = m_bloco->Textos() + celula.texto.inicio;
        // An empty text stays a text (not a null one).
        return QVariant(celula.texto.tamanho == 0 ? QString(QLatin1StringView(""))
                                                  : QString(reinterpret_cast<const QChar*>(inicio), qsizetype(celula.texto.tamanho)));
    }
    case kTextoNulo:
        return QVariant(QString());
    case kData:
        return QVariant(QDate::fromJulianDay(celula.inteiro));
    case kDataHora:
        return QVariant(MomentoDa(celula));
    case kOutro:
        return *celula.outro;
    default:
        return QVariant::fromValue(TnDecimal(celula.inteiro, tipo - kDecimal));
    }
}

QVariantList TnValoresLinha::Lista() const
{
    QVariantList lista;
    lista.reserve(size());
    for (int i = 0; i < size(); ++i)
        lista.append(value(i));
    return lista;
}

std::optional<QStringView> TnValoresLinha::Texto(int indice) const
{
    if (indice < 0 || indice >= size() || m_bloco->Tipos()[indice] != kTexto)
        return std::nullopt;
    const TnCelula& celula = m_bloco->Celulas()[indice];
    return QStringView(m_bloco->Textos() + celula.texto.inicio, qsizetype(celula.texto.tamanho));
}
