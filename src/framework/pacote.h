#pragma once

#include "acoes.h"
#include "registro.h"

#include <QLibrary>
#include <QList>
#include <QString>

#include <functional>

// The host interface packages are built against. A package built for
// another one is refused before anything of it is registered.
inline constexpr int kVersaoInterfacePacote = 1;

// What a package contributes, described by the package itself.
struct TnDescricaoPacote {
    int versaoInterface = 0;  // kVersaoInterfacePacote of the host it was built for
    QString nome;
    QString versao;
    int modulo = -1;               // its number among the host's modules
    QList<TnInfoClasse> classes;   // registered in this order
    QString classeSelecao;         // one of the classes: the selection asked before its registers
    std::function<void(TnActionList&)> gerarDireitos;  // the rights it adds to the rights tree
};

// The one entry a package exports, with C linkage, as "<Nome>Descrever": it
// fills the description and answers true, or answers false with the reason.
// No exception leaves it.
using TnDescreverPacote = bool (*)(TnDescricaoPacote& descricao, QString& erro);

// A module package loaded at run time. Its life is explicit: Carregar loads
// the library, reads its description, checks it and registers all of it with
// the host in force, or none of it (what was registered is withdrawn and the
// library unloaded); Descarregar withdraws it and unloads the library (also
// when the object goes). The description is kept for the library's lifetime.
class TnPacote {
public:
    enum class Estado { Descarregado, Inicializado, Falhou };

    TnPacote(QString nome, QString arquivo);
    ~TnPacote();
    TnPacote(const TnPacote&) = delete;
    TnPacote& operator=(const TnPacote&) = delete;

    // Raises EnErro naming the package and the reason when it cannot be used.
    void Carregar();
    void Descarregar();

    Estado EstadoAtual() const { return m_estado; }
    const QString& Nome() const { return m_nome; }
    // Why the last Carregar failed (empty otherwise).
    const QString& Erro() const { return m_erro; }
    // The package's own description, while it is loaded.
    const TnDescricaoPacote& Descricao() const { return m_descricao; }

private:
    [[noreturn]] void Falhar(const QString& motivo);
    void Registrar();
    void Retirar();

    QString m_nome;
    QLibrary m_biblioteca;
    Estado m_estado = Estado::Descarregado;
    QString m_erro;
    TnDescricaoPacote m_descricao;
    QStringList m_registradas;  // classes of this package in the registry, in order
};
