// Entry of the LyrPk package: registers the module's classes with the host,
// in the order of the module's units, and withdraws them at unload.

#include "classeslyr.h"
#include "direitos.h"
#include "historicopro.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "respestab.h"
#include "selecaolyr.h"
#include "host.h"
#include "registro.h"

#include <QHash>

namespace {

// The classes implemented so far, by name; registered in table order.
QHash<QString, TnInfoClasse> ClassesImplementadas()
{
    QHash<QString, TnInfoClasse> classes;
    const auto incluir = [&classes](TnInfoClasse info) { classes.insert(info.nome, std::move(info)); };
    incluir(InfoDaClasse<TLyrDMHistoricoPro>());
    incluir(InfoDaClasse<TLyrDCHistoricoPro>());
    incluir(InfoDaClasse<TLyrDMProtocoloItem>());
    incluir(InfoDaClasse<TLyrDMProtocolo>());
    incluir(InfoDaClasse<TLyrDCProtocolo>());
    incluir(InfoDaClasse<TLyrDMProtocoloRespEstab>());
    return classes;
}

} // namespace

extern "C" Q_DECL_EXPORT void LyrPkInicializar()
{
    QHash<QString, TnInfoClasse> implementadas = ClassesImplementadas();
    for (const TnClasseLyr& classe : ClassesLyr()) {
        if (implementadas.contains(classe.nome))
            nRegisterClass(implementadas.take(classe.nome));
    }
    // The selection class is registered too, so the host can create it by name.
    nRegisterClass(InfoDaClasse<TLyrDMSelecao>());
    TnHost::Atual().Registro().FnDMSelecaoClass[kModuloLyr] = TLyrDMSelecao::NomeDaClasse();
    if (TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos())
        direitos->FOnGerarPrincActionMods[kModuloLyr] = GerarDireitosLyr;
}

extern "C" Q_DECL_EXPORT void LyrPkFinalizar()
{
    const QList<TnClasseLyr>& classes = ClassesLyr();
    for (auto it = classes.crbegin(); it != classes.crend(); ++it)
        nUnRegisterClass(it->nome);
    nUnRegisterClass(TLyrDMSelecao::NomeDaClasse());
    TnHost::Atual().Registro().FnDMSelecaoClass[kModuloLyr].clear();
    if (TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos())
        direitos->FOnGerarPrincActionMods[kModuloLyr] = nullptr;
}
