#include "conexao.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "host.h"
#include "progresso.h"

#include <gtest/gtest.h>

namespace {

struct ListaEstabs {
    int RecordCount() const { return 3; }
};

void EsperarBarra(const TnBarraProgresso& barra, int minimo, int maximo, int posicao)
{
    EXPECT_EQ(barra.minimo, minimo);
    EXPECT_EQ(barra.maximo, maximo);
    EXPECT_EQ(barra.posicao, posicao);
}

class ContadorDeAvisos : public TnObservadorProgresso {
public:
    void ProgressoAlterado(const TnFraProgresso&) override { ++alteracoes; }
    void ProgressoLiberado(const TnFraProgresso&) override { ++liberacoes; }
    int alteracoes = 0;
    int liberacoes = 0;
};

std::unique_ptr<nDMConexao> ConexaoEmMemoria()
{
    TnConfigBanco config;
    config.arquivo = QStringLiteral(":memory:");
    return std::make_unique<nDMConexao>(config);
}

}  // namespace

TEST(TnFraProgresso, MultiploContaEstabelecimentosEPassosDeCada)
{
    auto progresso = CriarProgresso();
    EXPECT_FALSE(progresso->Visivel());
    progresso->MostrarMultiplo();
    progresso->ConfigurarProgressoTotal(ListaEstabs());
    EXPECT_EQ(progresso->Modo(), TnModoProgresso::Multiplo);
    EXPECT_TRUE(progresso->Visivel());
    EsperarBarra(progresso->Total(), 0, 3, 0);

    for (int estab = 1; estab <= 3; ++estab) {
        progresso->ConfigurarProgressoParcial(1, 2);
        progresso->IncProgressoTotal(QStringLiteral("1 - Padaria  -  %1 - Filial").arg(estab));
        progresso->IncProgressoParcial(QStringLiteral("DARF"));
        EsperarBarra(progresso->Parcial(), 0, 2, 1);
        progresso->IncProgressoParcial(QStringLiteral("Folha"));
    }
    EsperarBarra(progresso->Total(), 0, 3, 3);
    EXPECT_EQ(progresso->Texto(), "1 - Padaria  -  3 - Filial");
    EsperarBarra(progresso->Parcial(), 0, 2, 2);
    EXPECT_EQ(progresso->Parcial().texto, "Folha");

    // A step without a text keeps the one shown.
    progresso->LimparProgressoParcial();
    progresso->ConfigurarProgressoParcial(ListaEstabs(), QStringLiteral("Processando Clientes..."));
    progresso->IncProgressoParcial();
    EsperarBarra(progresso->Parcial(), 0, 3, 1);
    EXPECT_EQ(progresso->Parcial().texto, "Processando Clientes...");
}

TEST(TnFraProgresso, BarraComecaNoPassoDadoENaoPassaDoFim)
{
    TnFraProgresso progresso;
    progresso.MostrarSimples(QStringLiteral("Configurando filiais..."));
    // From the current record (5) to the last (10): records 1 to 4 count as done.
    progresso.ConfigurarProgressoTotal(5, 10);
    EsperarBarra(progresso.Total(), 4, 10, 4);
    for (int i = 0; i < 6; ++i)
        progresso.IncProgressoTotal();
    EsperarBarra(progresso.Total(), 4, 10, 10);
    // Advanced per item over a total counted in protocols: the bar stays full.
    progresso.IncProgressoTotal();
    EsperarBarra(progresso.Total(), 4, 10, 10);
    EXPECT_EQ(progresso.Texto(), "Configurando filiais...");

    progresso.ConfigurarProgressoTotal(0);
    progresso.IncProgressoTotal();
    EsperarBarra(progresso.Total(), 0, 0, 0);
    progresso.ConfigurarProgressoTotal(-3);
    EsperarBarra(progresso.Total(), 0, 0, 0);
    progresso.ConfigurarProgressoParcial(8, 3);
    EsperarBarra(progresso.Parcial(), 3, 3, 3);
}

TEST(TnFraProgresso, CancelamentoSoValeQuandoOProcessoPodeParar)
{
    TnFraProgresso progresso;
    progresso.SolicitarCancelamento();
    EXPECT_FALSE(progresso.CancelamentoSolicitado());
    EXPECT_NO_THROW(progresso.ChecarCancelamento());

    progresso.SetPodeCancelar(true);
    progresso.SolicitarCancelamento();
    EXPECT_TRUE(progresso.CancelamentoSolicitado());
    EXPECT_THROW(progresso.ChecarCancelamento(), EnAbort);
}

TEST(TnFraProgresso, AvisaAVistaAteSerLiberado)
{
    ContadorDeAvisos vista;
    {
        TnFraProgresso progresso;
        progresso.AdicionarObservador(&vista);
        progresso.SetEhCircular(true);
        progresso.SetTexto(QStringLiteral("Carregando dados..."));
        progresso.Mostrar();
        EXPECT_EQ(vista.alteracoes, 3);
        EXPECT_EQ(vista.liberacoes, 0);
    }
    EXPECT_EQ(vista.liberacoes, 1);
}

TEST(TnFraProgresso, DialogosDoHostAcompanhamCadaProgressoCriado)
{
    TnHost host(ConexaoEmMemoria());
    auto& usuario = TnDialogosRoteiro::Instalar(host);
    {
        auto progresso = CriarProgresso();
        progresso->SetEhCircular(true);
        progresso->MostrarSimples(QStringLiteral("Salvando dados..."));
        progresso->SetTexto(QStringLiteral("Salvando dados..."));
        auto segundo = CriarProgresso();
        segundo->MostrarMultiplo(QStringLiteral("Gerando Protocolos..."));
        EXPECT_EQ(usuario.ProgressosAbertos(), 2);
    }
    EXPECT_EQ(usuario.ProgressosAbertos(), 0);
    EXPECT_EQ(usuario.TextosProgresso(), (QStringList{"Salvando dados...", "Gerando Protocolos..."}));

    // A frame that outlives the dialogs no longer reports to them.
    auto sobrevivente = CriarProgresso();
    host.SetDialogos(nullptr);
    sobrevivente->SetTexto(QStringLiteral("depois"));
    sobrevivente.reset();
}
