#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>

class nDMConexao;
class TnDialogos;
class TnRegistro;
class TnDMDireitoUsuario;

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

    // Registered classes, per-module tables and the data modules open now.
    TnRegistro& Registro() { return *m_registro; }

    // Named default values the screens start from ("pDataInicial"): the last
    // period chosen, for one.
    QHash<QString, QVariant>& ValoresPadrao() { return m_valoresPadrao; }

    // The user-rights module, when the host has one (no module: every right granted).
    TnDMDireitoUsuario* Direitos() const { return m_direitos.get(); }
    void SetDireitos(std::unique_ptr<TnDMDireitoUsuario> direitos);

    // Where the questions of module code go; until SetDialogos, the dialogs
    // of a run without a user (TnDialogosSemUsuario). nullptr restores those.
    TnDialogos& Dialogos() { return *m_dialogos; }
    void SetDialogos(std::unique_ptr<TnDialogos> dialogos);

private:
    std::unique_ptr<nDMConexao> m_conexao;
    std::unique_ptr<TnDialogos> m_dialogos;
    std::unique_ptr<TnRegistro> m_registro;
    std::unique_ptr<TnDMDireitoUsuario> m_direitos;
    QHash<QString, QVariant> m_valoresPadrao;
    TnHost* m_anterior;
};

// The host connection (`nDMConexao` of the host in force).
nDMConexao& Conexao();
