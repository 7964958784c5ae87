#pragma once

#include "acoes.h"
#include "datamodule.h"

#include <QList>
#include <QString>

#include <array>
#include <functional>
#include <memory>

struct TnClasseDeclarada;
struct TnDescricaoPacote;

// What the host knows of a registered class without creating it.
struct TnInfoClasse {
    QString nome;  // the class name, as its package registers it
    std::function<std::unique_ptr<TnDataModule>()> criar;
    std::function<QString()> ChavePrimaria;
    std::function<int()> PegarTipoObjeto;
    std::function<QString()> PegarVerificaSelecao;
    std::function<void(TnActionList&, const TnOnExecute&, const TnModulos&)> GerarPrincAction;
    // Its row in its package's class table, when it was registered from one.
    std::shared_ptr<const TnClasseDeclarada> declaracao;
};

// The registration record of a data module class: its factory and its
// class-level hooks (the statics of T, or of its nearest base).
template <typename T>
TnInfoClasse InfoDaClasse()
{
    return {T::NomeDaClasse(), [] { return std::unique_ptr<TnDataModule>(std::make_unique<T>()); }, &T::ChavePrimaria,
            &T::PegarTipoObjeto, &T::PegarVerificaSelecao, &T::GerarPrincAction, {}};
}

// The host's class registry, its per-module tables and the data modules
// open at the moment (the global data modules).
class TnRegistro {
public:
    static constexpr int kModulos = 192;

    void Registrar(TnInfoClasse info);
    void Remover(const QString& nome);
    const TnInfoClasse* Classe(const QString& nome) const;
    QList<const TnInfoClasse*> Classes() const;

    // Selection data-module class of each module number.
    std::array<QString, kModulos> FnDMSelecaoClass;
    // The modules whose packages are loaded (their menus and rights show).
    TnModulos ModulosCarregados;

    // The descriptions of the packages registered, in the order they came:
    // their dictionary entries, the uses of the host's registers, their
    // commands. Each stays the package's, and is removed before it unloads.
    void AdicionarDescricao(const TnDescricaoPacote* descricao);
    void RemoverDescricao(const TnDescricaoPacote* descricao);
    const QList<const TnDescricaoPacote*>& Descricoes() const { return m_descricoes; }

    void Aberto(TnDataModule* dataModule);
    void Fechado(TnDataModule* dataModule);
    const QList<TnDataModule*>& Abertos() const { return m_abertos; }

private:
    std::vector<std::unique_ptr<TnInfoClasse>> m_classes;
    QList<TnDataModule*> m_abertos;
    QList<const TnDescricaoPacote*> m_descricoes;
};

void nRegisterClass(TnInfoClasse info);
void nUnRegisterClass(const QString& nome);

// Creates a new data module of a registered class (with what its opener asks
// for) and runs its DataModuleCreate.
std::unique_ptr<TnDataModule> CriarDM(const QString& classe, const QString& argumento = {});
template <typename T>
std::unique_ptr<T> CriarDM(const QString& classe, const QString& argumento = {})
{
    std::unique_ptr<TnDataModule> criado = CriarDM(classe, argumento);
    T* convertido = dynamic_cast<T*>(criado.get());
    if (!convertido)
        return nullptr;
    criado.release();
    return std::unique_ptr<T>(convertido);
}
// A second instance beside one already open (a register opened to add one
// row from another screen); every creation is a new instance.
inline std::unique_ptr<TnDataModule> CriarDMNovo(const QString& classe)
{
    return CriarDM(classe);
}
// Lets a created data module get ready to be shown (a register opens).
void PrepararDM(TnDataModule& dataModule);
// Reads again the rows of every open register of that component name (each
// screen of the class: a batch that changed their rows tells them all).
// Data modules reach their collaborators through their owners, never by name.
void AtualizarDM(const QString& nome);
// Runs DataModuleDestroy and frees the data module.
void DestruirDM(std::unique_ptr<TnDataModule>& dataModule);

// Asks every registered class, in registration order, for its menu action.
void GerarPrincActions(TnActionList& acoes, const TnOnExecute& aoExecutar, const TnModulos& modulos);
