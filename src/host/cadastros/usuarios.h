#pragma once

#include "classeshost.h"

#include <QList>
#include <QString>

// A right the packages offer and whether a user has it.
struct TnDireitoDoUsuario {
    QString nome;       // the action it guards
    QString categoria;  // "03 Protocolos"
    QString caption;    // "Usuário pode Alterar Protocolo"
    bool permitido = true;
};

// The office's users, their passwords and rights: what the register, the
// rights form and `lyr usuario` share.
namespace Usuarios {

// Refuses (EnErro) anyone but an administrator.
void ExigirAdministrador();
// The code of the user with that login; EnErro when there is none.
int CodigoDoLogin(const QString& login);
// Why this password (typed twice) cannot be used; empty when it can.
QString RecusaSenha(const QString& senha, const QString& confirmacao);
// A new active user with that password; answers the code given.
int Adicionar(const QString& login, const QString& nome, const QString& senha, bool administrador);
void TrocarSenha(int usuario, const QString& senha);
// Every right the loaded packages offer, in their order, with the user's state.
QList<TnDireitoDoUsuario> Direitos(int usuario);
// Grants or refuses these rights, in one transaction.
void GravarDireitos(int usuario, const QList<TnDireitoDoUsuario>& direitos);

} // namespace Usuarios

// The users register; administrators only. Passwords and rights are set by
// its buttons; users are deactivated, never deleted (their codes stay on
// what they did).
class TnDMUsuario : public TnCadastroDeclarado<TnDMUsuario> {
    LYR_DATAMODULE(TnDMUsuario)
public:
    TnDMUsuario();
    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void nClientDataSetBeforeDelete() override;

    // Asks the new password twice and stores it (the current user's row).
    void AlterarSenha();
    // Shows the rights with the user's state and stores what is confirmed.
    void EditarDireitos();
};
