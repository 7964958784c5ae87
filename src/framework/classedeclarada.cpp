#include "classedeclarada.h"

#include "erros.h"

void GerarAcaoPrincipal(const TnClasseDeclarada& classe, int modulo, TnActionList& dono, const TnOnExecute& aoExecutar,
                        const TnModulos& modulos, const QString& verificaSelecao)
{
    if (!modulos.test(modulo) || classe.caption.isEmpty())
        return;
    auto acao = std::make_unique<TnAction>();
    acao->Category = classe.categoria;
    acao->Caption = classe.caption;
    acao->Name = QStringLiteral("act") + classe.nome;
    acao->OnExecute = aoExecutar;
    if (classe.indice != 0)
        acao->Index = classe.indice;
    if (classe.separador)
        acao->Separador = true;
    if (classe.imagem >= 0)
        acao->ImageIndex = classe.imagem;
    acao->VerificaSelecao = verificaSelecao;
    if (classe.criarHTTP)
        acao->CriarHTTP = true;
    if (!classe.criarMenu)
        acao->CriarMenu = false;
    if (!classe.controlaDireito)
        acao->ControlaDireito = false;
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
