#pragma once

#include "acoes.h"

#include <QString>

#include <array>
#include <functional>

// Answer of PegarDireito for a right the user has.
inline constexpr int kDireitoConcedido = 56;

// The host's user-rights data module: builds the list of rights (the base
// package's, then each module's through its handler) and answers whether the
// logged-in user has one. A right is granted unless USUARIODIREITO refuses it;
// administrators have every right.
class TnDMDireitoUsuario {
public:
    static constexpr int kModulos = 192;

    std::array<std::function<void(TnActionList&)>, kModulos> FOnGerarPrincActionMods;

    void GerarListaDireitos(TnActionList& direitos) const;
    int PegarDireito(const QString& nome) const;
};

// The base package's own permissions; a module's rights handler lists them
// before its own (once, however many modules ask).
class TnLeaPermissoes {
public:
    static void nLeaDoGerarPrincAction(TnActionList& direitos);
};

// Whether the logged-in user is an administrator (who has every right and
// alone manages users and their rights).
bool UsuarioAdministrador();

// 56 when the logged-in user has the right; granted when the host has no
// rights module.
int PegarDireito(const QString& nome);
