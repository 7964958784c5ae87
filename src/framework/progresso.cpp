#include "progresso.h"

#include "dialogos.h"
#include "erros.h"

#include <algorithm>

TnFraProgresso::TnFraProgresso()
{
    DialogosAtuais().ProgressoCriado(*this);
}

TnFraProgresso::~TnFraProgresso()
{
    const QList<TnObservadorProgresso*> observadores = m_observadores;
    m_observadores.clear();
    for (TnObservadorProgresso* observador : observadores)
        observador->ProgressoLiberado(*this);
}

void TnFraProgresso::MostrarSimples(const QString& texto)
{
    m_modo = TnModoProgresso::Simples;
    if (!texto.isEmpty())
        m_total.texto = texto;
    m_visivel = true;
    Avisar();
}

void TnFraProgresso::MostrarMultiplo(const QString& texto)
{
    m_modo = TnModoProgresso::Multiplo;
    if (!texto.isEmpty())
        m_total.texto = texto;
    m_visivel = true;
    Avisar();
}

void TnFraProgresso::Mostrar()
{
    m_visivel = true;
    Avisar();
}

void TnFraProgresso::Ocultar()
{
    m_visivel = false;
    Avisar();
}

void TnFraProgresso::SetTexto(const QString& texto)
{
    m_total.texto = texto;
    Avisar();
}

void TnFraProgresso::SetTextoParcial(const QString& texto)
{
    m_parcial.texto = texto;
    Avisar();
}

void TnFraProgresso::SetEhCircular(bool circular)
{
    m_circular = circular;
    Avisar();
}

void TnFraProgresso::Configurar(TnBarraProgresso& barra, int primeiro, int ultimo, const QString& texto)
{
    barra.maximo = std::max(ultimo, 0);
    barra.minimo = std::clamp(primeiro - 1, 0, barra.maximo);
    barra.posicao = barra.minimo;
    if (!texto.isEmpty())
        barra.texto = texto;
}

void TnFraProgresso::ConfigurarProgressoTotal(int quantidade, const QString& texto)
{
    ConfigurarProgressoTotal(1, quantidade, texto);
}

void TnFraProgresso::ConfigurarProgressoTotal(int primeiro, int ultimo, const QString& texto)
{
    Configurar(m_total, primeiro, ultimo, texto);
    Avisar();
}

void TnFraProgresso::ConfigurarProgressoParcial(int primeiro, int ultimo, const QString& texto)
{
    Configurar(m_parcial, primeiro, ultimo, texto);
    Avisar();
}

void TnFraProgresso::LimparProgressoParcial()
{
    m_parcial = TnBarraProgresso();
    Avisar();
}

void TnFraProgresso::Avancar(TnBarraProgresso& barra, const QString& texto)
{
    barra.posicao = std::min(barra.posicao + 1, barra.maximo);
    if (!texto.isEmpty())
        barra.texto = texto;
}

void TnFraProgresso::IncProgressoTotal(const QString& texto)
{
    Avancar(m_total, texto);
    Avisar();
}

void TnFraProgresso::IncProgressoParcial(const QString& texto)
{
    Avancar(m_parcial, texto);
    Avisar();
}

void TnFraProgresso::SetPodeCancelar(bool pode)
{
    m_podeCancelar = pode;
    Avisar();
}

void TnFraProgresso::SolicitarCancelamento()
{
    // A process that cannot stop would leave the request unanswered.
    if (!m_podeCancelar || m_cancelamentoSolicitado)
        return;
    m_cancelamentoSolicitado = true;
    Avisar();
}

void TnFraProgresso::ChecarCancelamento() const
{
    if (m_cancelamentoSolicitado)
        Abort();
}

void TnFraProgresso::AdicionarObservador(TnObservadorProgresso* observador)
{
    if (observador && !m_observadores.contains(observador))
        m_observadores.append(observador);
}

void TnFraProgresso::RemoverObservador(TnObservadorProgresso* observador)
{
    m_observadores.removeOne(observador);
}

void TnFraProgresso::Avisar()
{
    const QList<TnObservadorProgresso*> observadores = m_observadores;
    for (TnObservadorProgresso* observador : observadores)
        if (m_observadores.contains(observador))
            observador->ProgressoAlterado(*this);
}

std::unique_ptr<TnFraProgresso> CriarProgresso()
{
    return std::make_unique<TnFraProgresso>();
}
