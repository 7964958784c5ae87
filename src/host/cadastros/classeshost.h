#pragma once

#include "classedeclarada.h"

// The host's own registers (companies, the office, users), module 0: always
// loaded, whatever packages are.
inline constexpr int kModuloHost = 0;

// Images of the host's list for its own registers' buttons.
inline constexpr int kImagemSenha = 300;
inline constexpr int kImagemDireitos = 301;

struct TnTabelaHost {
    static constexpr int kModulo = kModuloHost;
    static const TnClasseDeclarada& Classe(const QString& nome);
};
const QList<TnClasseDeclarada>& ClassesHost();

template <typename Self, typename Base = TnDMClientDataSet>
class TnCadastroHost : public TnCadastroDeclarado<Self, TnTabelaHost, Base> {
};

// Registers the host's classes and marks module 0 loaded.
void RegistrarCadastrosHost();
