#pragma once

#include "acoes.h"
#include "clientdataset.h"
#include "dicionario.h"
#include "dmclientdataset.h"

#include <QList>
#include <QString>

// The module's number among the host's modules.
inline constexpr int kModuloLyr = 13;

// One class of the module as the host sees it: its table and key, the kind
// of object, its twin and grid, and its menu entry.
struct TnClasseLyr {
    QString nome;
    QString tabela;
    QString chave;
    int tipo;  // 1 register, 2 consultation, 0 process
    QString gemeo;
    TnTipoForm grade;
    QString caption;  // empty: no menu entry of its own
    QString categoria;
    int indice;
    int imagem;  // -1: the host's default
    bool separador;
    bool criarHTTP;
    bool criarMenu;
    bool controlaDireito;
    bool httpSoNaDeclaracao;  // the declaration's menu item offers HTTP, the action does not
};

// Every class of the module, in the order the package registers them.
const QList<TnClasseLyr>& ClassesLyr();
const TnClasseLyr& ClasseLyr(const QString& nome);

// The main menu action of a class, created in `dono` when the module set
// holds the module.
void GerarAcaoPrincipal(const TnClasseLyr& classe, TnActionList& dono, const TnOnExecute& aoExecutar,
                        const TnModulos& modulos, const QString& verificaSelecao);
// The menu item a register declares in its DefAdic.
TnMenuItem ItemDeMenu(const TnClasseLyr& classe);

// The module's user right, after the base package's.
void GerarDireitosLyr(TnActionList& direitos);

// Base of the module's registers and consultations: the class-level hooks and
// the declaration that the class table gives.
template <typename Self, typename Base = TnDMClientDataSet>
class TLyrCadastro : public Base {
public:
    static QString ChavePrimaria() { return ClasseLyr(Self::NomeDaClasse()).chave; }
    static int PegarTipoObjeto() { return ClasseLyr(Self::NomeDaClasse()).tipo; }
    static void GerarPrincAction(TnActionList& dono, const TnOnExecute& aoExecutar, const TnModulos& modulos)
    {
        GerarAcaoPrincipal(ClasseLyr(Self::NomeDaClasse()), dono, aoExecutar, modulos, Self::PegarVerificaSelecao());
    }

protected:
    TLyrCadastro()
    {
        const TnClasseLyr& classe = ClasseLyr(Self::NomeDaClasse());
        this->Tabela = classe.tabela;
        this->ChaveTabela = classe.chave;
        this->nClientDataSet.CadCons = classe.gemeo;
        this->nClientDataSet.TipoForm = classe.grade;
        this->nClientDataSet.PodeAlterarChave = false;
        this->nClientDataSet.nLogChanges = classe.tipo != 2;
        this->DefAdic.Menus = {ItemDeMenu(classe)};
        this->DefAdic.VerificaSelecao = Self::PegarVerificaSelecao();
    }
};

// Base of the module's processes: only the menu action comes from the table.
template <typename Self, typename Base>
class TLyrProcesso : public Base {
public:
    static void GerarPrincAction(TnActionList& dono, const TnOnExecute& aoExecutar, const TnModulos& modulos)
    {
        GerarAcaoPrincipal(ClasseLyr(Self::NomeDaClasse()), dono, aoExecutar, modulos, Self::PegarVerificaSelecao());
    }
};
