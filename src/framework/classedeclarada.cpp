#include "classedeclarada.h"

#include "erros.h"

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
