#pragma once

#include "acoes.h"
#include "clientdataset.h"
#include "dmclientdataset.h"
#include "registro.h"

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

// The registrations of a package's classes in the order of its class table:
// each implemented class gets its row (its key, kind and menu action come
// from it). EnErro, naming `dono`, when a class is not in the table.
QList<TnInfoClasse> ClassesNaOrdemDaTabela(const QList<TnClasseDeclarada>& tabela, int modulo, QList<TnInfoClasse> implementadas,
                                           const QString& dono);

// One class registered alone with its row of a table (tests, tools).
template <typename T>
TnInfoClasse InfoDaClasseNaTabela(const QList<TnClasseDeclarada>& tabela, int modulo, const QString& dono)
{
    return ClassesNaOrdemDaTabela(tabela, modulo, {InfoDaClasse<T>()}, dono).first();
}

// The row a registered class was registered with; EnErro when it has none.
const TnClasseDeclarada& DeclaracaoDaClasse(const QString& nome);

// The class of that name in a class table; EnErro naming the table's owner when none.
const TnClasseDeclarada& ClasseNaTabela(const QList<TnClasseDeclarada>& tabela, const QString& nome, const QString& dono);

// Base of registers and consultations registered from a class table: their
// table, key, twin, grid and menu entry come from their row.
template <typename Self, typename Base = TnDMClientDataSet>
class TnCadastroDeclarado : public Base {
protected:
    TnCadastroDeclarado()
    {
        const TnClasseDeclarada& classe = DeclaracaoDaClasse(Self::NomeDaClasse());
        this->Tabela = classe.tabela;
        this->ChaveTabela = classe.chave;
        this->nClientDataSet.Tela().CadCons = classe.gemeo;
        this->nClientDataSet.Tela().TipoForm = classe.grade;
        this->nClientDataSet.SetPodeAlterarChave(false);
        this->nClientDataSet.SetnLogChanges(classe.tipo != 2);
        this->DefAdic.Menus = {ItemDeMenu(classe)};
        this->DefAdic.VerificaSelecao = Self::PegarVerificaSelecao();
    }
};
