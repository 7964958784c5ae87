#include "bancoteste.h"
#include "conexao.h"
#include "dialogos.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "host.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QStringList SimNao{QStringLiteral("Sim"), QStringLiteral("Não")};

// A host whose connection is a throwaway in-memory SQLite database: these
// tests only need the host's dialogs.
class DialogosDoHost : public ::testing::Test {
protected:
    static std::unique_ptr<nDMConexao> ConexaoEmMemoria()
    {
        TnConfigBanco config;
        config.arquivo = QStringLiteral(":memory:");
        return std::make_unique<nDMConexao>(config);
    }

    TnHost m_host{ConexaoEmMemoria()};
};

// Dialogs that answer every question with one fixed index.
class DialogosFixos : public TnDialogos {
public:
    explicit DialogosFixos(int resposta) : m_resposta(resposta) {}
    int MessageDlg(const QString&, int, const QStringList&) override { return m_resposta; }
    void ShowMessage(const QString&) override {}
    std::optional<QString> InputBox(const QString&, const QString&, const QString&) override { return {}; }
    int InputQueryListBox(const QString&, const QStringList&) override { return m_resposta; }

private:
    int m_resposta;
};


}  // namespace

TEST(TnDialogosSemUsuario, MostraMensagensERecusaPerguntas)
{
    ASSERT_FALSE(TnHost::Existe());
    nShowMessage(QStringLiteral("Protocolo gerado."));
    EXPECT_EQ(nMessageDlg(QStringLiteral("Dados gravados."), TnTipoDlg::Informacao, {QStringLiteral("OK")}), 0);
    EXPECT_EQ(nMessageDlg(QStringLiteral("Sem botões."), TnTipoDlg::Aviso, {}), 0);

    EXPECT_EQ(Recusa([] { nMessageDlg(QStringLiteral("Excluir o protocolo 12?"), TnTipoDlg::Confirmacao, SimNao); }),
              QStringLiteral("Esta operação precisa de uma resposta do usuário: Excluir o protocolo 12?"));
    EXPECT_EQ(Recusa([] { nInputBox(QStringLiteral("Rota"), QStringLiteral("Nome da cópia"), QStringLiteral("x")); }),
              QStringLiteral("Esta operação precisa de uma resposta do usuário: Rota - Nome da cópia"));
    EXPECT_EQ(Recusa([] { nInputQueryListBox(QStringLiteral("Configuração Nome Arquivo"), {QStringLiteral("a")}); }),
              QStringLiteral("Esta operação precisa de uma resposta do usuário: Configuração Nome Arquivo"));
    // Nothing to choose from is not a question.
    EXPECT_EQ(nInputQueryListBox(QStringLiteral("Vazia"), {}), -1);
}

TEST_F(DialogosDoHost, RecusaTipoOuRespostaInvalidos)
{
    EXPECT_THROW(nMessageDlg(QStringLiteral("?"), 7, SimNao), EnErro);

    m_host.SetDialogos(std::make_unique<DialogosFixos>(2));
    EXPECT_THROW(nMessageDlg(QStringLiteral("?"), TnTipoDlg::Confirmacao, SimNao), EnErro);
    EXPECT_THROW(nInputQueryListBox(QStringLiteral("?"), SimNao), EnErro);
    m_host.SetDialogos(std::make_unique<DialogosFixos>(-1));
    EXPECT_EQ(nMessageDlg(QStringLiteral("?"), TnTipoDlg::Confirmacao, SimNao), -1);
}

TEST_F(DialogosDoHost, HostSemDialogosRecusaEDevolvidoVoltaARecusar)
{
    EXPECT_THROW(nMessageDlg(QStringLiteral("Continuar?"), TnTipoDlg::Confirmacao, SimNao), EnErro);

    auto& usuario = TnDialogosRoteiro::Instalar(m_host);
    usuario.Esperar(QStringLiteral("Continuar"), QStringLiteral("Sim"));
    EXPECT_EQ(nMessageDlg(QStringLiteral("Continuar?"), TnTipoDlg::Confirmacao, SimNao), 0);

    m_host.SetDialogos(nullptr);
    EXPECT_THROW(nMessageDlg(QStringLiteral("Continuar?"), TnTipoDlg::Confirmacao, SimNao), EnErro);
}

TEST_F(DialogosDoHost, RoteiroRespondeNaOrdemERegistraAsPerguntas)
{
    auto& usuario = TnDialogosRoteiro::Instalar(m_host);
    usuario.Esperar(QStringLiteral("cancelar todos os ítens"), QStringLiteral("Não"))
        .Esperar(QStringLiteral("cancelar este item"), 0)
        .EsperarMensagem(QStringLiteral("já teve o protocolo 7"))
        .EsperarInputBox(QStringLiteral("Nova rota"), QStringLiteral("Centro"))
        .EsperarInputBox(QStringLiteral("Nova rota"), std::nullopt)
        .EsperarInputBox(QStringLiteral("Copiar"), std::nullopt)
        .EsperarEscolha(QStringLiteral("Nome Arquivo"), QStringLiteral("Série [SERIENS]"))
        .EsperarEscolha(QStringLiteral("Nome Arquivo"), -1);

    EXPECT_EQ(nMessageDlg(QStringLiteral("Tem certeza que deseja cancelar todos os ítens do protocolo?"),
                          TnTipoDlg::Confirmacao, SimNao), 1);
    EXPECT_EQ(nMessageDlg(QStringLiteral("Tem certeza que deseja cancelar este item do protocolo?"),
                          TnTipoDlg::Confirmacao, SimNao), 0);
    nShowMessage(QStringLiteral("Este item não pode ser selecionado, pois já teve o protocolo 7 gerado."));
    EXPECT_EQ(nInputBox(QStringLiteral("Rotas"), QStringLiteral("Nova rota"), QStringLiteral("Rota 1")), "Centro");
    // Cancelling answers the default; nInputQuery tells it apart and keeps the value.
    EXPECT_EQ(nInputBox(QStringLiteral("Rotas"), QStringLiteral("Nova rota"), QStringLiteral("Rota 1")), "Rota 1");
    QString nome = QStringLiteral("Rota 1");
    EXPECT_FALSE(nInputQuery(QStringLiteral("Copiar"), QStringLiteral("Nome"), nome));
    EXPECT_EQ(nome, "Rota 1");

    const QStringList entradas{QStringLiteral("Escritório [CODIGOESCRIT]"), QStringLiteral("Série [SERIENS]")};
    QString escolhido;
    EXPECT_EQ(nInputQueryListBox(QStringLiteral("Configuração Nome Arquivo"), entradas, &escolhido), 1);
    EXPECT_EQ(escolhido, "Série [SERIENS]");
    escolhido.clear();
    EXPECT_EQ(nInputQueryListBox(QStringLiteral("Configuração Nome Arquivo"), entradas, &escolhido), -1);
    EXPECT_TRUE(escolhido.isEmpty());

    usuario.Verificar();
    ASSERT_EQ(usuario.Perguntas().size(), 8);
    const TnPerguntaFeita& primeira = usuario.Perguntas().first();
    EXPECT_EQ(primeira.tipo, TnTipoPergunta::MessageDlg);
    EXPECT_EQ(primeira.tipoDlg, TnTipoDlg::Confirmacao);
    EXPECT_EQ(primeira.opcoes, SimNao);
    EXPECT_EQ(usuario.Perguntas().at(3).padrao, "Rota 1");
    EXPECT_EQ(usuario.Perguntas().at(6).opcoes, entradas);
}

TEST_F(DialogosDoHost, RoteiroReprovaPerguntaInesperadaERespondeNao)
{
    TnDialogosRoteiro::Instalar(m_host);
    int resposta = 0;
    EXPECT_NONFATAL_FAILURE(
        resposta = nMessageDlg(QStringLiteral("Excluir tudo?"), TnTipoDlg::Confirmacao, SimNao),
        "Pergunta inesperada: nMessageDlg (tipo 3) \"Excluir tudo?\" {Sim | Não}");
    EXPECT_EQ(resposta, -1);
    QString texto = QStringLiteral("padrão");
    EXPECT_NONFATAL_FAILURE(texto = nInputBox(QStringLiteral("T"), QStringLiteral("P"), texto), "Pergunta inesperada");
    EXPECT_EQ(texto, "padrão");
}

TEST_F(DialogosDoHost, RoteiroReprovaOrdemTipoERespostaQueNaoCabem)
{
    auto& usuario = TnDialogosRoteiro::Instalar(m_host);
    usuario.Esperar(QStringLiteral("primeira"), QStringLiteral("Sim")).Esperar(QStringLiteral("segunda"), QStringLiteral("Sim"));

    // Out of order: the second fails and stays expected; the first still matches.
    EXPECT_NONFATAL_FAILURE(nMessageDlg(QStringLiteral("a segunda"), TnTipoDlg::Confirmacao, SimNao),
                            "esperada: nMessageDlg com \"primeira\"");
    EXPECT_EQ(nMessageDlg(QStringLiteral("a primeira"), TnTipoDlg::Confirmacao, SimNao), 0);
    // The same text through another dialog is another question.
    EXPECT_NONFATAL_FAILURE(nShowMessage(QStringLiteral("a segunda")), "Pergunta fora do roteiro: nShowMessage");
    // A button the dialog does not have.
    int resposta = 0;
    EXPECT_NONFATAL_FAILURE(resposta = nMessageDlg(QStringLiteral("a segunda"), TnTipoDlg::Aviso, {QStringLiteral("OK")}),
                            "não está entre as opções");
    EXPECT_EQ(resposta, -1);

    usuario.EsperarMensagem(QStringLiteral("nunca mostrada"));
    EXPECT_NONFATAL_FAILURE(usuario.Verificar(), "Pergunta esperada e não feita: nShowMessage com \"nunca mostrada\"");
    usuario.Verificar();  // already reported: nothing more
}
