#pragma once

#include "pacote.h"

#include <QStringList>

#include <memory>
#include <vector>

// The package libraries of this installation: those LYR_PACOTES names
// (files or folders, separated by ':'), else every library in the "pacotes"
// folder beside the program. A library there without a package's metadata is
// not one of ours and is left alone.
QStringList ArquivosDosPacotes();

// Every installed package, loaded into the host in force in the order found
// (by file name), or none: the first refusal unloads what went in and is
// raised. Unloaded, in the reverse order, when the object goes.
class TnPacotesInstalados {
public:
    TnPacotesInstalados() = default;
    TnPacotesInstalados(const TnPacotesInstalados&) = delete;
    TnPacotesInstalados& operator=(const TnPacotesInstalados&) = delete;
    ~TnPacotesInstalados();

    // Every package read (described, nothing registered): what the
    // migrations and the command table need before a host is open.
    void Ler();
    // Read (when not yet) and registered with the host in force.
    void Carregar();
    // Every package withdrawn and unloaded, the last loaded first.
    void Descarregar();
    const std::vector<std::unique_ptr<TnPacote>>& Pacotes() const { return m_pacotes; }
    QList<const TnDescricaoPacote*> Descricoes() const;

private:
    std::vector<std::unique_ptr<TnPacote>> m_pacotes;
};
