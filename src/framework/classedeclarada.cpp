#include "classedeclarada.h"

#include "erros.h"
#include "host.h"

#include <algorithm>

void GerarAcaoPrincipal(const TnClasseDeclarada& classe, int modulo, TnActionList& dono, const TnOnExecute& aoExecutar,
                        const TnModulos& modulos, const QString& verificaSelecao)
{
    if (!modulos.test(modulo) || classe.caption.isEmpty())
        return;
    auto acao = std::make_unique<TnAction>();
    acao->SetCategory(classe.categoria);
    acao->SetCaption(classe.caption);
    acao->SetName(QStringLiteral("act") + classe.nome);
    acao->SetOnExecute(aoExecutar);
    if (classe.indice != 0)
        acao->SetIndex(classe.indice);
    if (classe.separador)
        acao->SetSeparador(true);
    if (classe.imagem >= 0)
        acao->SetImageIndex(classe.imagem);
    acao->SetVerificaSelecao(verificaSelecao);
    if (classe.criarHTTP)
        acao->SetCriarHTTP(true);
    if (!classe.criarMenu)
        acao->SetCriarMenu(false);
    if (!classe.controlaDireito)
        acao->SetControlaDireito(false);
    dono.Adicionar(std::move(acao));
}

TnMenuItem ItemDeMenu(const TnClasseDeclarada& classe)
{
    TnMenuItem item;
    item.Caption = classe.caption;
    item.Category = classe.categoria;
    item.Index = classe.indice;
    item.ImageIndex = classe.imagem;
    item.Separador = classe.separador;
    item.CriarHTTP = classe.criarHTTP || classe.httpSoNaDeclaracao;
    item.CriarMenu = classe.criarMenu;
    return item;
}

const TnClasseDeclarada& ClasseNaTabela(const QList<TnClasseDeclarada>& tabela, const QString& nome, const QString& dono)
{
    for (const TnClasseDeclarada& classe : tabela) {
        if (classe.nome == nome)
            return classe;
    }
    throw EnErro(QStringLiteral("A classe %1 não pertence a %2.").arg(nome, dono));
}

QList<TnInfoClasse> ClassesNaOrdemDaTabela(const QList<TnClasseDeclarada>& tabela, int modulo, QList<TnInfoClasse> implementadas,
                                           const QString& dono)
{
    QList<TnInfoClasse> classes;
    for (const TnClasseDeclarada& classe : tabela) {
        const auto implementada = std::ranges::find(implementadas, classe.nome, &TnInfoClasse::nome);
        if (implementada == implementadas.end())
            continue;
        TnInfoClasse info = std::move(*implementada);
        implementadas.erase(implementada);
        auto declaracao = std::make_shared<const TnClasseDeclarada>(classe);
        info.declaracao = declaracao;
        info.ChavePrimaria = [declaracao] { return declaracao->chave; };
        info.PegarTipoObjeto = [declaracao] { return declaracao->tipo; };
        info.GerarPrincAction = [declaracao, modulo, verificaSelecao = info.PegarVerificaSelecao](
                                    TnActionList& dono, const TnOnExecute& aoExecutar, const TnModulos& modulos) {
            GerarAcaoPrincipal(*declaracao, modulo, dono, aoExecutar, modulos, verificaSelecao ? verificaSelecao() : QString());
        };
        classes.append(std::move(info));
    }
    if (!implementadas.isEmpty())
        throw EnErro(QStringLiteral("A classe %1 não está na tabela de classes de %2.").arg(implementadas.first().nome, dono));
    return classes;
}

const TnClasseDeclarada& DeclaracaoDaClasse(const QString& nome)
{
    const TnInfoClasse* info = TnHost::Atual().Registro().Classe(nome);
    if (!info)
        throw EnErro(QStringLiteral("A classe %1 não está registrada.").arg(nome));
    if (!info->declaracao)
        throw EnErro(QStringLiteral("A classe %1 foi registrada sem a sua linha na tabela de classes.").arg(nome));
    return *info->declaracao;
}
