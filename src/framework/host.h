#pragma once

#include <memory>

class nDMConexao;

// The one context of the running host: everything module code reaches
// without being handed it (the connection and its user; later the registry,
// the rights and the open data modules). Nothing else is global, so a test
// builds a fresh host on either database and drops it at the end.
class TnHost {
public:
    explicit TnHost(std::unique_ptr<nDMConexao> conexao);
    ~TnHost();
    TnHost(const TnHost&) = delete;
    TnHost& operator=(const TnHost&) = delete;

    // The host in force; raises EnErro when none was created.
    static TnHost& Atual();
    static bool Existe();

    nDMConexao& Conexao() { return *m_conexao; }

private:
    std::unique_ptr<nDMConexao> m_conexao;
    TnHost* m_anterior;
};

// The host connection (`nDMConexao` of the host in force).
nDMConexao& Conexao();
