#pragma once

#include <QString>
#include <QStringView>
#include <QVariant>
#include <QVariantList>

#include <optional>

// The stored values of one dataset row, packed in a single block: a type
// byte and 8 bytes per value, texts in UTF-16 at the end of the block.
// A QVariantList costs 32 bytes a value plus an allocation per text, and a
// generation preview keeps millions of values.
//
// A packed row never changes: rows are written whole (a posted edit buffer,
// a row read from a statement). Copies share the block, so a row's original
// values cost nothing until the row is changed. Datasets live in one thread;
// the sharing count is not atomic.
class TnValoresLinha {
public:
    TnValoresLinha() = default;
    explicit TnValoresLinha(const QVariantList& valores);
    TnValoresLinha(const TnValoresLinha& outra);
    TnValoresLinha(TnValoresLinha&& outra) noexcept;
    TnValoresLinha& operator=(const TnValoresLinha& outra);
    TnValoresLinha& operator=(TnValoresLinha&& outra) noexcept;
    ~TnValoresLinha();

    int size() const;
    bool isEmpty() const { return size() == 0; }
    // The value as it was given (same type); QVariant() past the end.
    QVariant value(int indice) const;
    QVariantList Lista() const;
    // The text of a text value without copying it; nullopt for any other.
    std::optional<QStringView> Texto(int indice) const;

private:
    struct TnBloco;
    struct TnLiberarBloco {
        void operator()(TnBloco* bloco) const;
    };
    void Soltar();

    TnBloco* m_bloco = nullptr;
};
