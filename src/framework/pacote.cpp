#include "pacote.h"

#include "erros.h"

namespace {
using TnEntradaPacote = void (*)();
}

TnPacote::TnPacote(QString nome, QString arquivo) : m_nome(std::move(nome)), m_biblioteca(arquivo) {}

TnPacote::~TnPacote()
{
    try {
        Descarregar();
    } catch (...) {
        // Leaving: a package that fails to finalise cannot be helped now.
    }
}

void TnPacote::Carregar()
{
    if (m_estado == Estado::Inicializado)
        return;
    if (!m_biblioteca.load()) {
        m_estado = Estado::Falhou;
        throw EnErro(QStringLiteral("Não foi possível carregar o pacote %1: %2").arg(m_nome, m_biblioteca.errorString()));
    }
    m_estado = Estado::Carregado;
    const auto inicializar = reinterpret_cast<TnEntradaPacote>(m_biblioteca.resolve((m_nome + QStringLiteral("Inicializar")).toLatin1()));
    const auto finalizar = reinterpret_cast<TnEntradaPacote>(m_biblioteca.resolve((m_nome + QStringLiteral("Finalizar")).toLatin1()));
    if (!inicializar || !finalizar) {
        m_biblioteca.unload();
        m_estado = Estado::Falhou;
        throw EnErro(QStringLiteral("O pacote %1 não exporta %1Inicializar e %1Finalizar.").arg(m_nome));
    }
    inicializar();
    m_estado = Estado::Inicializado;
}

void TnPacote::Descarregar()
{
    if (m_estado == Estado::Inicializado) {
        const auto finalizar = reinterpret_cast<TnEntradaPacote>(m_biblioteca.resolve((m_nome + QStringLiteral("Finalizar")).toLatin1()));
        m_estado = Estado::Carregado;
        if (finalizar)
            finalizar();
    }
    if (m_estado == Estado::Carregado) {
        m_biblioteca.unload();
        m_estado = Estado::Descarregado;
    }
}
