#pragma once

#include "banco.h"
#include "host.h"
#include "pacotes.h"

#include <memory>

// A test's other process (a second user, one killed mid-save, a desktop
// holding the file): the host on the database named, with the packages of
// the test run (LYR_PACOTES) registered and user 1 logged in, as the
// application opens it.
class TnHostDoProcesso {
public:
    explicit TnHostDoProcesso(const QString& banco)
    {
        m_pacotes.Ler();
        m_host = std::make_unique<TnHost>(AbrirBanco(TnConfigBanco::Ler(banco), m_pacotes.Descricoes()));
        m_host->Conexao().SetCodigoUsuario(1);
        m_pacotes.Carregar();
    }

    TnHost& Host() { return *m_host; }

private:
    TnPacotesInstalados m_pacotes;  // unloaded after the host goes
    std::unique_ptr<TnHost> m_host;
};
