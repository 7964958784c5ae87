#pragma once

#include "classedeclarada.h"

#include <QList>

// The module's number among the host's modules.
inline constexpr int kModuloLyr = 13;

// The module's class table, in the order the package registers them.
const QList<TnClasseDeclarada>& ClassesLyr();

// One class of the module registered alone with its row, as the package
// would register it.
template <typename T>
TnInfoClasse InfoDaClasseLyr()
{
    return InfoDaClasseNaTabela<T>(ClassesLyr(), kModuloLyr, QStringLiteral("LyrPk"));
}

// The module's user right, after the base package's.
void GerarDireitosLyr(TnActionList& direitos);
