#include "erros.h"
#include "msgtree.h"

#include <gtest/gtest.h>

namespace {

// Records what a view would be told, reading the tree as the view would.
class ObservadorGravador : public TnObservadorMsgTree {
public:
    void NoIncluido(const TnMsgTree& arvore, TnMsgNo no) override { eventos << "+" + arvore.Texto(no); }
    void IconeAlterado(const TnMsgTree& arvore, TnMsgNo no) override { eventos << "*" + arvore.Texto(no); }
    void NoExcluido(const TnMsgTree& arvore, TnMsgNo no) override
    {
        eventos << "-" + arvore.Texto(no) + "/" + QString::number(arvore.Filhos(no).size());
    }
    void ArvoreLimpa(const TnMsgTree&) override { eventos << QStringLiteral("limpa"); }

    QStringList eventos;
};

}  // namespace

TEST(TnMsgTree, MontaAArvoreDeUmaGeracaoELeComoTexto)
{
    TnMsgTree arvore;
    const TnMsgNo raiz = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Guias, Folha"));
    const TnMsgNo empresa = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Empresa: 1 - Padaria"), raiz);
    const TnMsgNo matriz = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Filial: 1 - Matriz"), empresa);
    arvore.MsgTree(TnTipoMsg::Sucesso, QStringLiteral("DARF: 2 itens listados"), matriz);
    const TnMsgNo loja = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Filial: 2 - Loja"), empresa);
    arvore.MsgTree(TnTipoMsg::Erro, QStringLiteral("Filial não configurada no Protocolo."), loja);
    arvore.MsgTree(TnTipoMsg::Alerta, QStringLiteral("Grupo 3 não possui tipos"), loja);
    arvore.MsgTree(3, QStringLiteral("tipo sem nome"), loja);
    arvore.SetarIconErro(loja);
    arvore.SetarIconConfirmacao(empresa);
    arvore.SetarIconConfirmacao(matriz);
    arvore.MsgTree(TnTipoMsg::Aviso, QStringLiteral("Segunda raiz"));

    EXPECT_EQ(arvore.ComoTexto(),
              "[i] Guias, Folha\n"
              "  [v] Empresa: 1 - Padaria\n"
              "    [v] Filial: 1 - Matriz\n"
              "      [v] DARF: 2 itens listados\n"
              "    [x] Filial: 2 - Loja\n"
              "      [x] Filial não configurada no Protocolo.\n"
              "      [!] Grupo 3 não possui tipos\n"
              "      [i] tipo sem nome\n"
              "[!] Segunda raiz\n");

    // The kind stays as given when the icon changes; lines keep their parents.
    EXPECT_EQ(arvore.Tipo(loja), TnTipoMsg::Informacao);
    EXPECT_EQ(arvore.Icone(loja), TnMsgIcone::Erro);
    EXPECT_EQ(arvore.Pai(loja), empresa);
    EXPECT_FALSE(arvore.Pai(raiz).Valido());
    EXPECT_EQ(arvore.Filhos(empresa), (QList<TnMsgNo>{matriz, loja}));
    const QList<TnMsgLinha> linhas = arvore.Linhas();
    ASSERT_EQ(linhas.size(), 9);
    EXPECT_EQ(linhas.at(5).nivel, 3);
    EXPECT_EQ(linhas.at(5).pai, loja);
    EXPECT_EQ(linhas.at(5).tipo, TnTipoMsg::Erro);
}

TEST(TnMsgTree, ExcluirELimparInvalidamAsLinhasSemConfundirComAsNovas)
{
    TnMsgTree arvore;
    const TnMsgNo empresa = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Empresa: 1"));
    const TnMsgNo filial = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Filial: 1"), empresa);
    arvore.MsgTree(TnTipoMsg::Sucesso, QStringLiteral("Documento 10 gerado."), filial);
    const TnMsgNo outra = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Empresa: 2"));

    arvore.ExcluirNo(filial);
    EXPECT_EQ(arvore.Quantidade(), 2);
    EXPECT_TRUE(arvore.Filhos(empresa).isEmpty());
    EXPECT_FALSE(arvore.Existe(filial));
    arvore.ExcluirNo(filial);  // already gone
    arvore.SetarIconErro(filial);
    arvore.SetarIconErro(TnMsgNo());
    EXPECT_THROW(arvore.Texto(filial), EnErro);
    // A line put under a deleted one would never be seen.
    EXPECT_THROW(arvore.MsgTree(TnTipoMsg::Erro, QStringLiteral("perdida"), filial), EnErro);

    arvore.LimparMsgTreeLista();
    EXPECT_TRUE(arvore.Vazia());
    EXPECT_TRUE(arvore.ComoTexto().isEmpty());
    const TnMsgNo nova = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Nova"));
    for (TnMsgNo antiga : {empresa, filial, outra}) {
        EXPECT_NE(antiga, nova);
        EXPECT_FALSE(arvore.Existe(antiga));
    }
}

TEST(TnMsgTree, AvisaAsVistasDoQueMuda)
{
    TnMsgTree arvore;
    ObservadorGravador vista;
    arvore.AdicionarObservador(&vista);
    arvore.AdicionarObservador(&vista);  // once is enough

    const TnMsgNo empresa = arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Empresa"));
    arvore.MsgTree(TnTipoMsg::Erro, QStringLiteral("Filial"), empresa);
    arvore.SetarIconErro(empresa);
    arvore.SetarIconErro(empresa);  // no change, no notice
    arvore.ExcluirNo(empresa);
    arvore.LimparMsgTreeLista();
    EXPECT_EQ(vista.eventos, (QStringList{"+Empresa", "+Filial", "*Empresa", "-Empresa/1", "limpa"}));

    arvore.RemoverObservador(&vista);
    arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("sem vista"));
    EXPECT_EQ(vista.eventos.size(), 5);
}

TEST(TnMsgTree, VistaQueSaiDuranteOAvisoNaoEAvisadaDeNovo)
{
    struct VistaQueFecha : TnObservadorMsgTree {
        TnMsgTree* arvore = nullptr;
        TnObservadorMsgTree* outra = nullptr;
        int avisos = 0;
        void NoIncluido(const TnMsgTree&, TnMsgNo) override
        {
            ++avisos;
            arvore->RemoverObservador(this);
            arvore->RemoverObservador(outra);
        }
    };
    TnMsgTree arvore;
    ObservadorGravador removida;
    VistaQueFecha fecha;
    fecha.arvore = &arvore;
    fecha.outra = &removida;
    arvore.AdicionarObservador(&fecha);
    arvore.AdicionarObservador(&removida);

    arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("a"));
    arvore.MsgTree(TnTipoMsg::Informacao, QStringLiteral("b"));
    EXPECT_EQ(fecha.avisos, 1);
    EXPECT_TRUE(removida.eventos.isEmpty());
}
