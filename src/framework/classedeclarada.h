#pragma once

#include "acoes.h"
#include "clientdataset.h"
#include "dmclientdataset.h"

#include <QString>

// One class as the host sees it before creating it: its table and key, the
// kind of object, its twin and grid, and its menu entry. A package (or the
// host itself) lists its classes in a table of these.
struct TnClasseDeclarada {
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

// The main menu action of a class, created in `dono` when the module set
// holds its module.
void GerarAcaoPrincipal(const TnClasseDeclarada& classe, int modulo, TnActionList& dono, const TnOnExecute& aoExecutar,
                        const TnModulos& modulos, const QString& verificaSelecao);
// The menu item a register declares in its DefAdic.
TnMenuItem ItemDeMenu(const TnClasseDeclarada& classe);

// Base of registers and consultations declared in a class table. `Tabela`
// gives `static const TnClasseDeclarada& Classe(const QString& nome)` and
// `static constexpr int kModulo`.
template <typename Self, typename Tabela, typename Base = TnDMClientDataSet>
class TnCadastroDeclarado : public Base {
public:
    static QString ChavePrimaria() { return Tabela::Classe(Self::NomeDaClasse()).chave; }
    static int PegarTipoObjeto() { return Tabela::Classe(Self::NomeDaClasse()).tipo; }
    static void GerarPrincAction(TnActionList& dono, const TnOnExecute& aoExecutar, const TnModulos& modulos)
    {
        GerarAcaoPrincipal(Tabela::Classe(Self::NomeDaClasse()), Tabela::kModulo, dono, aoExecutar, modulos,
                           Self::PegarVerificaSelecao());
    }

protected:
    TnCadastroDeclarado()
    {
        const TnClasseDeclarada& classe = Tabela::Classe(Self::NomeDaClasse());
        this->Tabela = classe.tabela;
        this->ChaveTabela = classe.chave;
        this->nClientDataSet.SetCadCons(classe.gemeo);
        this->nClientDataSet.SetTipoForm(classe.grade);
        this->nClientDataSet.SetPodeAlterarChave(false);
        this->nClientDataSet.SetnLogChanges(classe.tipo != 2);
        this->DefAdic.Menus = {ItemDeMenu(classe)};
        this->DefAdic.VerificaSelecao = Self::PegarVerificaSelecao();
    }
};

// Base of processes declared in a class table: only the menu action comes from it.
template <typename Self, typename Tabela, typename Base>
class TnProcessoDeclarado : public Base {
public:
    static void GerarPrincAction(TnActionList& dono, const TnOnExecute& aoExecutar, const TnModulos& modulos)
    {
        GerarAcaoPrincipal(Tabela::Classe(Self::NomeDaClasse()), Tabela::kModulo, dono, aoExecutar, modulos,
                           Self::PegarVerificaSelecao());
    }
};

// The class of that name in a class table; EnErro naming the table's owner when none.
const TnClasseDeclarada& ClasseNaTabela(const QList<TnClasseDeclarada>& tabela, const QString& nome, const QString& dono);
