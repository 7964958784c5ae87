#pragma once

#include "acoes.h"
#include "registro.h"

#include <QLibrary>
#include <QList>
#include <QString>

#include <functional>

// The host interface packages are built against. A package built for
// another one is refused before anything of it is registered.
inline constexpr int kVersaoInterfacePacote = LYR_VERSAO_INTERFACE_PACOTE;

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

// What a package says of itself in its library's metadata: a JSON object
// that Qt's plugin loader reads from the file without loading it, so that a
// package for another interface is refused before any of its code runs.
// The library declares it with
//   Q_PLUGIN_METADATA(IID "br.com.lyr.Pacote" FILE "pacote.json")
// and pacote.json holds {"nome": …, "versao": …, "versaoInterface": …}.
struct TnMetadadosPacote {
    QString nome;
    QString versao;
    int versaoInterface = 0;
};

inline constexpr const char* kIidPacote = "br.com.lyr.Pacote";

// The metadata of the library at `arquivo`; EnErro when it has none, or not
// a package's (the message names the file and what is missing).
TnMetadadosPacote LerMetadadosPacote(const QString& arquivo);

// The one entry a package exports, with C linkage, as "<Nome>Descrever": it
// fills the description and answers true, or answers false with the reason.
// No exception leaves it.
using TnDescreverPacote = bool (*)(TnDescricaoPacote& descricao, QString& erro);

// A module package loaded at run time. Its life is explicit: Carregar reads
// the library's metadata (name, version, interface) without running it,
// loads the library, reads its description, checks it and registers all of it with
// the host in force, or none of it (what was registered is withdrawn and the
// library unloaded); Descarregar withdraws it and unloads the library (also
// when the object goes). The description is kept for the library's lifetime.
class TnPacote {
public:
    enum class Estado { Descarregado, Inicializado, Falhou };

    explicit TnPacote(QString arquivo);
    ~TnPacote();
    TnPacote(const TnPacote&) = delete;
    TnPacote& operator=(const TnPacote&) = delete;

    // Raises EnErro naming the package and the reason when it cannot be used.
    void Carregar();
    void Descarregar();

    Estado EstadoAtual() const { return m_estado; }
    // From the metadata, once read (the file's name until then).
    const QString& Nome() const { return m_nome; }
    const TnMetadadosPacote& Metadados() const { return m_metadados; }
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
    TnMetadadosPacote m_metadados;
    Estado m_estado = Estado::Descarregado;
    QString m_erro;
    TnDescricaoPacote m_descricao;
    QStringList m_registradas;  // classes of this package in the registry, in order
};
