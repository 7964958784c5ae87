#pragma once

#include "classedeclarada.h"
#include "dicionario.h"

#include <QList>
#include <QString>

// The module's number among the host's modules.
inline constexpr int kModuloLyr = 13;

// The module's class table, in the order the package registers them.
struct TnTabelaLyr {
    static constexpr int kModulo = kModuloLyr;
    static const TnClasseDeclarada& Classe(const QString& nome);
};
const QList<TnClasseDeclarada>& ClassesLyr();
inline const TnClasseDeclarada& ClasseLyr(const QString& nome) { return TnTabelaLyr::Classe(nome); }

// The module's user right, after the base package's.
void GerarDireitosLyr(TnActionList& direitos);

// Base of the module's registers and consultations.
template <typename Self, typename Base = TnDMClientDataSet>
class TLyrCadastro : public TnCadastroDeclarado<Self, TnTabelaLyr, Base> {
};

// Base of the module's processes.
template <typename Self, typename Base>
class TLyrProcesso : public TnProcessoDeclarado<Self, TnTabelaLyr, Base> {
};
