#include "direitos.h"

#include "conexao.h"
#include "host.h"
#include "sqlservicos.h"

void TnDMDireitoUsuario::GerarListaDireitos(TnActionList& direitos) const
{
    // Each module's handler lets the base package list its permissions first.
    for (const auto& gerar : FOnGerarPrincActionMods) {
        if (gerar)
            gerar(direitos);
    }
}

bool UsuarioAdministrador()
{
    return PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("ADMINISTRADOR"),
                           ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), Conexao().CodigoUsuario()))
               .toString()
           == u"1";
}

int TnDMDireitoUsuario::PegarDireito(const QString& nome) const
{
    if (UsuarioAdministrador())
        return kDireitoConcedido;
    const QString doUsuario = ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), Conexao().CodigoUsuario());
    const QVariant permitido = PegarValorCampo(QStringLiteral("USUARIODIREITO"), QStringLiteral("PERMITIDO"),
                                               doUsuario + QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("NOMEDIREITO"), QStringLiteral("="), nome));
    return permitido.isNull() || permitido.toString() == u"1" ? kDireitoConcedido : 0;
}

void TnLeaPermissoes::nLeaDoGerarPrincAction(TnActionList& direitos)
{
    struct TnDireitoBase {
        const char* nome;
        const char* caption;
    };
    static constexpr TnDireitoBase kBase[] = {
        {"DireitoAdmUsuarios", "Usuário pode cadastrar usuários e direitos"},
        {"DireitoAltConfiguracao", "Usuário pode alterar a configuração do sistema"},
    };
    int indice = 0;
    for (const TnDireitoBase& base : kBase) {
        ++indice;
        if (direitos.Find(QString::fromLatin1(base.nome)))
            continue;  // several modules ask for them; they are listed once
        TnAction& direito = direitos.Nova(QString::fromLatin1(base.nome));
        direito.SetCategory(QStringLiteral("00 Sistema"));
        direito.SetCaption(QString::fromUtf8(base.caption));
        direito.SetIndex(indice);
    }
}

int PegarDireito(const QString& nome)
{
    const TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos();
    return direitos ? direitos->PegarDireito(nome) : kDireitoConcedido;
}
