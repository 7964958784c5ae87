#pragma once

#include <QList>
#include <QString>

#include <concepts>
#include <memory>

class TnFraProgresso;

// Simple: one bar. Multiple: a total bar (the establishments of a run, say)
// over a partial bar (the steps of each one).
enum class TnModoProgresso { Simples, Multiplo };

// One bar: `posicao` runs from `minimo` (nothing done) up to `maximo`.
struct TnBarraProgresso {
    int minimo = 0;
    int maximo = 0;
    int posicao = 0;
    QString texto;
};

// What a view of the frame is told.
class TnObservadorProgresso {
public:
    virtual ~TnObservadorProgresso() = default;
    // Called on every step: a view that paints should not repaint each time.
    virtual void ProgressoAlterado(const TnFraProgresso& progresso) = 0;
    // The frame is being freed; the view closes and forgets it.
    virtual void ProgressoLiberado(const TnFraProgresso&) {}
};

// The progress frame a process shows while it works. It only holds the
// state; the host's dialogs are told of every frame created (see
// TnDialogos::ProgressoCriado) and the desktop shows it over the active form.
// Freeing the frame closes its view, so processes free it on every path.
class TnFraProgresso {
public:
    TnFraProgresso();
    ~TnFraProgresso();
    TnFraProgresso(const TnFraProgresso&) = delete;
    TnFraProgresso& operator=(const TnFraProgresso&) = delete;

    // Show the frame in a mode; a text given becomes the frame's text.
    void MostrarSimples(const QString& texto = {});
    void MostrarMultiplo(const QString& texto = {});
    void Mostrar();
    void Ocultar();

    // The frame's text is the total bar's (the only one when simple).
    void SetTexto(const QString& texto);
    void SetTextoParcial(const QString& texto);
    // Endless indicator for work of unknown size: the only bar when simple,
    // the partial bar when multiple (the total still counts steps).
    void SetEhCircular(bool circular);

    // The total bar counts `quantidade` steps, or runs from step `primeiro`
    // (1-based; the steps before it count as done) to step `ultimo`.
    void ConfigurarProgressoTotal(int quantidade, const QString& texto = {});
    void ConfigurarProgressoTotal(int primeiro, int ultimo, const QString& texto = {});
    template <typename DataSet>
        requires requires(const DataSet& d) { { d.RecordCount() } -> std::convertible_to<int>; }
    void ConfigurarProgressoTotal(const DataSet& dataSet, const QString& texto = {})
    {
        ConfigurarProgressoTotal(dataSet.RecordCount(), texto);
    }
    // The partial bar runs from step `primeiro` (1-based) to step `ultimo`.
    void ConfigurarProgressoParcial(int primeiro, int ultimo, const QString& texto = {});
    template <typename DataSet>
        requires requires(const DataSet& d) { { d.RecordCount() } -> std::convertible_to<int>; }
    void ConfigurarProgressoParcial(const DataSet& dataSet, const QString& texto = {})
    {
        ConfigurarProgressoParcial(1, dataSet.RecordCount(), texto);
    }
    void LimparProgressoParcial();

    // One step done; a text given replaces the bar's. Steps past the end
    // keep the bar full: callers often advance per detail row over a total
    // counted in master rows.
    void IncProgressoTotal(const QString& texto = {});
    void IncProgressoParcial(const QString& texto = {});

    // The view offers a cancel button only when the process can stop; the
    // process checks between steps.
    void SetPodeCancelar(bool pode);
    void SolicitarCancelamento();
    bool CancelamentoSolicitado() const { return m_cancelamentoSolicitado; }
    // Raises EnAbort when the user asked to stop.
    void ChecarCancelamento() const;

    // --- state, for views and tests ------------------------------------------
    TnModoProgresso Modo() const { return m_modo; }
    bool Visivel() const { return m_visivel; }
    bool EhCircular() const { return m_circular; }
    bool PodeCancelar() const { return m_podeCancelar; }
    const QString& Texto() const { return m_total.texto; }
    const TnBarraProgresso& Total() const { return m_total; }
    const TnBarraProgresso& Parcial() const { return m_parcial; }

    void AdicionarObservador(TnObservadorProgresso* observador);
    void RemoverObservador(TnObservadorProgresso* observador);

private:
    static void Configurar(TnBarraProgresso& barra, int primeiro, int ultimo, const QString& texto);
    static void Avancar(TnBarraProgresso& barra, const QString& texto);
    void Avisar();

    TnModoProgresso m_modo = TnModoProgresso::Simples;
    bool m_visivel = false;
    bool m_circular = false;
    bool m_podeCancelar = false;
    bool m_cancelamentoSolicitado = false;
    TnBarraProgresso m_total;
    TnBarraProgresso m_parcial;
    QList<TnObservadorProgresso*> m_observadores;
};

// A new progress frame, already known to the host's dialogs.
std::unique_ptr<TnFraProgresso> CriarProgresso();
