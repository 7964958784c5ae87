#include "bancoteste.h"
#include "demonstracao.h"
#include "erros.h"
#include "pacote.h"
#include "insercoespreparadas.h"
#include "lyrsfuncoes.h"
#include "migracoes.h"
#include "senha.h"
#include "sqlservicos.h"

#include <QCryptographicHash>

namespace {

const TnOpcoesDemonstracao kOpcoes{1, QDate(2026, 12, 6), 20261206};

// A digest of every row of the tables, in key order: equal digests mean equal data.
QByteArray Impressao(nDMConexao& conexao, const QList<const TnDescricaoPacote*>& pacotes)
{
    QCryptographicHash resumo(QCryptographicHash::Sha256);
    QList<TnTabela> tabelas = TabelasHost();
    for (const TnDescricaoPacote* pacote : pacotes)
        tabelas += pacote->tabelas;
    for (const TnTabela& tabela : tabelas) {
        TnSQLDataSet consulta(conexao);
        consulta.SetCommandText(QStringLiteral("select * from %1 order by %2").arg(tabela.nome, tabela.chave.join(u',')));
        consulta.Open();
        for (; !consulta.Eof(); consulta.Next()) {
            for (int c = 0; c < consulta.FieldCount(); ++c)
                resumo.addData(consulta.Fields(c).AsString().toUtf8() + '|');
        }
    }
    return resumo.result();
}

} // namespace

// The statements bind by position: a second column list of the same length
// must not reuse the first one's statement.
using InsercoesPreparadas = TesteComBanco;
TEST_F(InsercoesPreparadas, CadaListaDeColunasTemSeuComando)
{
    TnInsercoesPreparadas insercoes(Con());
    insercoes.Inserir("PROTOCOLOLOCALCAIXA", {"CODIGOLOCAL", "DESCRLOCAL"}, {1, "Arquivo"});
    insercoes.Inserir("PROTOCOLOLOCALCAIXA", {"DESCRLOCAL", "CODIGOLOCAL"}, {"Depósito", 2});
    EXPECT_EQ(Valor("select DESCRLOCAL from PROTOCOLOLOCALCAIXA where CODIGOLOCAL = 2").toString(), "Depósito");
    EXPECT_EQ(insercoes.LinhasPorTabela(), (QList<QPair<QString, int>>{{"PROTOCOLOLOCALCAIXA", 2}}));
}

class Demonstracao : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_resumo = GerarDemonstracao(Con(), kOpcoes, Pacotes());
    }

    int Contar(const QString& consulta) { return Valor(consulta).toInt(); }

    TnResumoDemonstracao m_resumo;
};

TEST_F(Demonstracao, MesmasOpcoesMesmoEscritorio)
{
    TnBancoTeste outroBanco;
    nDMConexao outra(outroBanco.Config());
    TnMigrador(outra, Pacotes()).Atualizar();
    GerarDemonstracao(outra, kOpcoes, Pacotes());
    EXPECT_EQ(Impressao(Con(), Pacotes()).toHex(), Impressao(outra, Pacotes()).toHex());
}

TEST_F(Demonstracao, SoGeraEmBancoVazioENaoTocaNoExistente)
{
    const int protocolos = Contar("select count(*) from PROTOCOLO");
    EXPECT_THROW(GerarDemonstracao(Con(), kOpcoes, Pacotes()), EnErro);
    EXPECT_EQ(Contar("select count(*) from PROTOCOLO"), protocolos);
    EXPECT_EQ(Con().Profundidade(), 0);
}

TEST_F(Demonstracao, LoginDeDemonstracaoConfere)
{
    const QVariantList usuario = PegarValorCampo("USUARIO", "SENHASAL;SENHAHASH", "NOMEUSUARIO = 'demo'").toList();
    ASSERT_EQ(usuario.size(), 2);
    EXPECT_TRUE(Senha::Confere(m_resumo.senha, usuario[0].toString(), usuario[1].toString()));
    EXPECT_FALSE(Senha::Confere("errada", usuario[0].toString(), usuario[1].toString()));
    EXPECT_NE(usuario[1].toString(), m_resumo.senha);
}

TEST_F(Demonstracao, DebitosDeTodosOsTiposComFormasEProtocolos)
{
    for (const TnTabelaDebito& debito : TabelasDebito())
        EXPECT_GT(Contar("select count(*) from " + debito.tabela), 0) << debito.tabela.toStdString();
    EXPECT_GT(Contar("select count(*) from DEBITOFEDERAL where FORMADEBITO not in (0, 2)"), 0);
    EXPECT_GT(Contar("select count(*) from DEBITOFEDERAL where FORMADEBITO in (0, 2) and CODIGOPROTOCOLO is null"), 0);

    // Every debit already delivered has its item, keyed by its origin, in that protocol.
    auto entregues = ExecutarSQL("select CODIGOEMPRESA, CHAVEDEBITOFED, CODIGOPROTOCOLO from DEBITOFEDERAL "
                                 "where CODIGOPROTOCOLO is not null");
    ASSERT_GT(entregues->RecordCount(), 0);
    for (; !entregues->Eof(); entregues->Next()) {
        const QString chave = MontarChaveOrigem(1, entregues->Fields(0).AsInteger(), entregues->Fields(1).AsLargeInt());
        EXPECT_TRUE(PegarTemRegistro("PROTOCOLOITEM", "SEQITEMPRO",
                                     "CODIGOPROTOCOLO = " + entregues->Fields(2).AsString() + " and CHAVEORIGEM = " + ValorParaSQL(chave)))
            << chave.toStdString();
        EXPECT_EQ(PegarTipo(chave), 1);
    }
    EXPECT_GT(Contar("select count(*) from PROTOCOLO where DATAHORABAIXA is not null"), 0);
    EXPECT_GT(Contar("select count(*) from PROTOCOLO where DATAHORABAIXA is null"), 0);
    EXPECT_EQ(Contar("select count(*) from PROTOCOLO where CANCELADO = '1'"), 1);
    EXPECT_EQ(Contar("select count(*) from PROTOCOLOITEM I join PROTOCOLO P on P.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO "
                     "where I.CANCELADO = '1' and P.CANCELADO = '0'"),
              1);
}

TEST_F(Demonstracao, FolhaEFinanceiroParaTodasAsFontes)
{
    EXPECT_GT(Contar("select count(*) from CALCULOEVENTO where CODIGOEVENTO = 5020"), 0);
    EXPECT_GT(Contar("select count(*) from RESCISAOEVENTO where CODIGOEVENTO = 5020"), 0);
    EXPECT_GT(Contar("select count(*) from FERIASEVENTO where CODIGOEVENTO = 5020"), 0);
    // Each payroll row points at the location in force, as the payroll statements join them.
    EXPECT_EQ(Contar("select count(*) from FUNCPERCALCULO FPC where not exists (select 1 from FUNCLOCAL FL where "
                     "FL.CODIGOEMPRESA = FPC.CODIGOEMPRESA and FL.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR and "
                     "FL.DATATRANSF = FPC.DATALOCAL)"),
              0);
    EXPECT_GT(Contar("select count(*) from PESSOAFINANCEIRO where CODIGOEMPRESA > 0"), 0);
    EXPECT_GT(Contar("select count(*) from PESSOAFINANCEIRO where CODIGOEMPRESA is null"), 0);
    EXPECT_GT(Contar("select count(*) from PESSOAFINANCEIRO where CODIGOEMPRESA = 0"), 0);
    EXPECT_GT(Contar("select count(*) from CONTARECEBER where NOSSONUMERO = 0"), 0);
    EXPECT_GT(Contar("select count(*) from CONTARECEBER where CODIGOPROTOCOLO is not null"), 0);
    EXPECT_GT(Contar("select count(*) from SERVICONOTA where CANCELADANS = 1"), 0);
    EXPECT_EQ(Contar("select count(*) from CFGTIPOPROTOCOLO"), 12);
}
