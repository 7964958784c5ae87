#include "usuarios.h"

#include "camposhost.h"
#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "direitos.h"
#include "erros.h"
#include "host.h"
#include "senha.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <algorithm>

namespace {

QString DoUsuario(int usuario)
{
    return ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), usuario);
}

constexpr int kTamanhoMinimoSenha = 6;

} // namespace

namespace Usuarios {

void ExigirAdministrador()
{
    if (!UsuarioAdministrador())
        throw EnErro(QStringLiteral("Somente um administrador cadastra usuários e direitos."));
}

int CodigoDoLogin(const QString& login)
{
    const QVariant codigo = PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"),
                                            ValorParaSQL(QStringLiteral("NOMEUSUARIO"), QStringLiteral("="), login));
    if (codigo.isNull())
        throw EnErro(QStringLiteral("Usuário \"%1\" não cadastrado.").arg(login));
    return codigo.toInt();
}

QString RecusaSenha(const QString& senha, const QString& confirmacao)
{
    if (senha.size() < kTamanhoMinimoSenha)
        return QStringLiteral("A senha precisa ter ao menos %1 caracteres.").arg(kTamanhoMinimoSenha);
    if (senha != confirmacao)
        return QStringLiteral("A confirmação não é igual à senha.");
    return {};
}

int Adicionar(const QString& login, const QString& nome, const QString& senha, bool administrador)
{
    if (login.trimmed().isEmpty() || login.trimmed() != login || login.size() > 30)
        throw EnErro(QStringLiteral("Login \"%1\" inválido: de 1 a 30 caracteres, sem espaços nas pontas.").arg(login));
    if (nome.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Informe o nome do usuário."));
    if (const QString recusa = RecusaSenha(senha, senha); !recusa.isEmpty())
        throw EnErro(recusa);
    int codigo = 0;
    EmTransacao([&] {
        if (PegarTemRegistro(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"),
                             ValorParaSQL(QStringLiteral("NOMEUSUARIO"), QStringLiteral("="), login)))
            throw EnErro(QStringLiteral("Já existe um usuário com o login \"%1\".").arg(login));
        codigo = static_cast<int>(PegarProximoCodigoFaixa(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"), {}, 1, 32767));
        ExecutarSQLDireto(QStringLiteral("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL, SENHAHASH, ADMINISTRADOR, ATIVO) "
                                         "values (:c, :l, :n, :s, :a, '1')"),
                          {codigo, login, nome.trimmed(), Senha::Resumir(senha), administrador ? QStringLiteral("1") : QStringLiteral("0")});
    });
    return codigo;
}

void TrocarSenha(int usuario, const QString& senha)
{
    if (const QString recusa = RecusaSenha(senha, senha); !recusa.isEmpty())
        throw EnErro(recusa);
    if (ExecutarSQLDireto(QStringLiteral("update USUARIO set SENHASAL = null, SENHAHASH = :s where CODIGOUSUARIO = :c"),
                          {Senha::Resumir(senha), usuario})
        != 1)
        throw EnErro(QStringLiteral("Usuário %1 não cadastrado.").arg(usuario));
}

QList<TnDireitoDoUsuario> Direitos(int usuario)
{
    TnActionList lista;
    if (const TnDMDireitoUsuario* direitos = TnHost::Atual().Direitos())
        direitos->GerarListaDireitos(lista);
    QList<TnAction*> acoes = lista.Todas();
    std::stable_sort(acoes.begin(), acoes.end(), [](const TnAction* a, const TnAction* b) {
        return a->Category() != b->Category() ? a->Category() < b->Category() : a->Index() < b->Index();
    });
    QList<TnDireitoDoUsuario> resultado;
    auto recusados = ExecutarSQL(QStringLiteral("select NOMEDIREITO from USUARIODIREITO where %1 and PERMITIDO = '0'").arg(DoUsuario(usuario)));
    QStringList negados;
    for (; !recusados->Eof(); recusados->Next())
        negados.append(recusados->Fields(0).AsString());
    DestruirSQL(recusados);
    for (const TnAction* acao : std::as_const(acoes))
        resultado.append({acao->Name(), acao->Category(), acao->Caption(), !negados.contains(acao->Name())});
    return resultado;
}

void GravarDireitos(int usuario, const QList<TnDireitoDoUsuario>& direitos)
{
    EmTransacao([&] {
        TnSQLDataSet apagar(Conexao());
        apagar.SetCommandText(QStringLiteral("delete from USUARIODIREITO where CODIGOUSUARIO = :u and NOMEDIREITO = :n"));
        TnSQLDataSet inserir(Conexao());
        inserir.SetCommandText(QStringLiteral("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO, PERMITIDO) values (:u, :n, :p)"));
        for (const TnDireitoDoUsuario& direito : direitos) {
            apagar.SetParamValues({usuario, direito.nome});
            apagar.ExecSQL();
            inserir.SetParamValues({usuario, direito.nome, direito.permitido ? QStringLiteral("1") : QStringLiteral("0")});
            inserir.ExecSQL();
        }
    });
}

} // namespace Usuarios

TnDMUsuario::TnDMUsuario()
{
    nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOUSUARIO,t_t.NOMEUSUARIO,t_t.NOMEUSUARIOCOMPL,t_t.EMAIL,"
                                                "t_t.CODIGODPTOESCRIT,t_t.ADMINISTRADOR,t_t.ATIVO from USUARIO t_t ORDER BY t_t.CODIGOUSUARIO"));
    nClientDataSet.Tela().Caption = QStringLiteral("Usuários e Direitos");
    DefAdic.Ordem = QStringLiteral("CODIGOUSUARIO");
    CampoCodigo(*this, QStringLiteral("CODIGOUSUARIO"), QStringLiteral("Usuário"), 32767);
    CampoTexto(*this, QStringLiteral("NOMEUSUARIO"), 30, QStringLiteral("Login"), true);
    CampoTexto(*this, QStringLiteral("NOMEUSUARIOCOMPL"), 100, QStringLiteral("Nome completo"), true);
    CampoTexto(*this, QStringLiteral("EMAIL"), 100, QStringLiteral("E-mail"));
    Campo<TnSmallIntField>(QStringLiteral("CODIGODPTOESCRIT")).Definicao().LinkKeyFields = QStringLiteral("CODIGODPTOESCRIT");
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ADMINISTRADOR"), 1), false).SetDisplayLabel(QStringLiteral("Administrador"));
    ComoSimNao(Campo<TnStringField>(QStringLiteral("ATIVO"), 1), true).SetDisplayLabel(QStringLiteral("Ativo"));
    AplicarDicionario(nClientDataSet);
}

void TnDMUsuario::DataModuleCreate()
{
    Usuarios::ExigirAdministrador();
    TnCadastroDeclarado::DataModuleCreate();
}

void TnDMUsuario::DepoisConfigurar(TnFormulario* formulario)
{
    TnCadastroDeclarado::DepoisConfigurar(formulario);
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Alterar Senha"), QStringLiteral("Define a senha do usuário"), kImagemSenha,
                    [this](TnAction&) { AlterarSenha(); }, QStringLiteral("F7"));
    CriarToolButton(QStringLiteral("Direitos"), QStringLiteral("Concede ou retira direitos do usuário"), kImagemDireitos,
                    [this](TnAction&) { EditarDireitos(); }, QStringLiteral("F8"));
}

void TnDMUsuario::ValidarDado()
{
    const QString login = FieldByName(QStringLiteral("NOMEUSUARIO")).AsString();
    if (login.trimmed() != login)
        throw EnField(QStringLiteral("NOMEUSUARIO"), QStringLiteral("O login não pode começar nem terminar com espaços."));
    const QVariant codigo = FieldByName(QStringLiteral("CODIGOUSUARIO")).Value();
    QString outro = ValorParaSQL(QStringLiteral("NOMEUSUARIO"), QStringLiteral("="), login);
    if (!codigo.isNull())
        outro += QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("<>"), codigo);
    if (PegarTemRegistro(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"), outro))
        throw EnField(QStringLiteral("NOMEUSUARIO"), QStringLiteral("Já existe um usuário com o login \"%1\".").arg(login));
    // Somebody must still be able to manage users after this change.
    const bool administradorAtivo = FieldByName(QStringLiteral("ADMINISTRADOR")).AsString() == u"1"
                                    && FieldByName(QStringLiteral("ATIVO")).AsString() == u"1";
    QString outrosAdministradores = QStringLiteral("ADMINISTRADOR = '1' and ATIVO = '1'");
    if (!codigo.isNull())
        outrosAdministradores += QStringLiteral(" and ") + ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("<>"), codigo);
    if (!administradorAtivo && !PegarTemRegistro(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"), outrosAdministradores))
        throw EnField(QStringLiteral("ADMINISTRADOR"), QStringLiteral("É preciso haver ao menos um administrador ativo."));
    TnCadastroDeclarado::ValidarDado();
}

void TnDMUsuario::nClientDataSetBeforeDelete()
{
    throw EnField(QStringLiteral("ATIVO"), QStringLiteral("Usuários não são excluídos: desative-o (Ativo = Não)."));
}

void TnDMUsuario::AlterarSenha()
{
    nClientDataSet.CheckBrowseMode();
    if (nClientDataSet.IsEmpty())
        return;
    const int usuario = FieldByName(QStringLiteral("CODIGOUSUARIO")).AsInteger();
    TnQuestionario questionario;
    questionario.titulo = QStringLiteral("Senha de %1").arg(FieldByName(QStringLiteral("NOMEUSUARIO")).AsString());
    questionario.confirmar = QStringLiteral("Gravar");
    questionario.campos = {{QStringLiteral("senha"), QStringLiteral("Nova senha"), QString()},
                           {QStringLiteral("confirmacao"), QStringLiteral("Confirme a senha"), QString()}};
    questionario.campos[0].senha = true;
    questionario.campos[1].senha = true;
    questionario.validar = [](const TnQuestionario& q) -> std::optional<TnRecusaQuestionario> {
        const QString recusa = Usuarios::RecusaSenha(q.Valor(QStringLiteral("senha")).toString(),
                                                     q.Valor(QStringLiteral("confirmacao")).toString());
        if (recusa.isEmpty())
            return std::nullopt;
        return TnRecusaQuestionario{recusa, QStringLiteral("senha")};
    };
    if (!nPedirQuestionario(questionario))
        return;
    Usuarios::TrocarSenha(usuario, questionario.Valor(QStringLiteral("senha")).toString());
    nShowMessage(QStringLiteral("Senha alterada."));
}

void TnDMUsuario::EditarDireitos()
{
    nClientDataSet.CheckBrowseMode();
    if (nClientDataSet.IsEmpty())
        return;
    const int usuario = FieldByName(QStringLiteral("CODIGOUSUARIO")).AsInteger();
    QList<TnDireitoDoUsuario> direitos = Usuarios::Direitos(usuario);
    TnQuestionario questionario;
    questionario.titulo = QStringLiteral("Direitos de %1").arg(FieldByName(QStringLiteral("NOMEUSUARIO")).AsString());
    questionario.confirmar = QStringLiteral("Gravar");
    for (const TnDireitoDoUsuario& direito : std::as_const(direitos)) {
        const QString grupo = direito.categoria.section(u' ', 1);  // "03 Protocolos" reads "Protocolos"
        questionario.campos.append({direito.nome, QStringLiteral("%1: %2").arg(grupo, direito.caption), direito.permitido});
    }
    if (FieldByName(QStringLiteral("ADMINISTRADOR")).AsString() == u"1")
        nShowMessage(QStringLiteral("Administradores têm todos os direitos, marcados ou não."));
    if (!nPedirQuestionario(questionario))
        return;
    for (TnDireitoDoUsuario& direito : direitos)
        direito.permitido = questionario.Valor(direito.nome).toBool();
    Usuarios::GravarDireitos(usuario, direitos);
}
