#pragma once

#include "classedeclarada.h"

// The host's own registers (companies, the office, users), module 0: always
// loaded, whatever packages are.
inline constexpr int kModuloHost = 0;

// Images of the host's list for its own registers' buttons.
inline constexpr int kImagemSenha = 300;
inline constexpr int kImagemDireitos = 301;


// Registers the host's classes and marks module 0 loaded.
void RegistrarCadastrosHost();
