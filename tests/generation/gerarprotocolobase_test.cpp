// The generation base with a preview filled by a test process: marks, the
// save that writes only marked items under new codes, and its failure.
#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "gerarprotocolobase.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QDate>

namespace {

// Two protocols of establishment 2/1: the first with three tax-debit items
// (the last already in protocol 5), the second with one payroll item.
class TTesteDPGeracao : public TLyrDPGerarProtocoloBase {
    LYR_DATAMODULE(TTesteDPGeracao)
public:
    QList<std::pair<qint64, int>> origens;  // AtualizarOrigemItem calls
    int falharNaOrigem = 0;                 // the call that raises (0: none)

protected:
    void GerarProtocolo() override
    {
        NovoProtocolo(m_codigoAtual + 1);
        NovoItem(m_codigoAtual + 1, 1, "DARF IRPJ", {}, "DEBITOFEDERAL", 101);
        NovoItem(m_codigoAtual + 1, 2, "DARF CSLL", {}, "DEBITOFEDERAL", 102);
        NovoItem(m_codigoAtual + 1, 3, "DARF PIS", 5, "DEBITOFEDERAL", 103);
        NovoProtocolo(m_codigoAtual + 2);
        NovoItem(m_codigoAtual + 2, 1, "Folha de pagamento", {}, {}, 0);
    }

    void AtualizarOrigemItem(qint64 codigo, int seq) override
    {
        origens.append({codigo, seq});
        if (origens.size() == falharNaOrigem)
            throw EnErro(QStringLiteral("origem indisponível"));
    }

private:
    void NovoProtocolo(double codigo)
    {
        nClientDataSet.Append();
        Pro().CODIGOPROTOCOLO.SetValue(codigo);
        Pro().CODIGOEMPRESA.SetValue(2);
        Pro().CODIGOESTAB.SetValue(1);
        Pro().EMPRESA.SetValue("0002 - Padaria Silva");
        Pro().ESTAB.SetValue("0001 - Matriz");
        Pro().DATALCTOPRO.SetValue(QDate(2026, 12, 1));
        Pro().TIPOPRO.SetValue(1);
        Pro().DATAHORACADASTRO.SetValue(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        Pro().CODIGOUSUARIO.SetValue(1);
        Pro().FORMAENTREGA.SetValue(QString::number(m_formaEntrega));
        Pro().NATUREZAPRO.SetValue("1");
        Pro().CANCELADO.SetValue(0);
        Pro().ORIGEMDADO.SetValue(1);
        Pro().TODOSSELECIONADOS.SetValue(0);
        nClientDataSet.Post();
    }

    void NovoItem(double protocolo, int seq, const QString& descricao, const QVariant& jaEm, const QString& tabela, qint64 chave)
    {
        nClientDataSetDet.Append();
        Item().CODIGOPROTOCOLO.SetValue(protocolo);
        Item().SEQITEMPRO.SetValue(seq);
        Item().TIPODEBITO.SetValue(tabela.isEmpty() ? "Folha de Pagamento" : "Débitos Federais");
        Item().DESCRITEM.SetValue(descricao);
        Item().DATALCTOPRO.SetValue(QDate(2026, 12, 1));
        Item().VALOR.SetValue(10.5 * seq);
        Item().CANCELADO.SetValue(0);
        Item().CHAVEORIGEM.SetValue(tabela.isEmpty() ? "FPA" : QStringLiteral("01%1").arg(chave));
        Item().CODIGOUSUARIO.SetValue(1);
        Item().DATAHORACADASTRO.SetValue(QDateTime(QDate(2026, 12, 7), QTime(9, 0)));
        Item().ORIGEMDADO.SetValue(1);
        Item().PROTOCOLO.SetValue(jaEm);
        Item().GERAR.SetValue(0);
        Item().TABELA.SetValue(tabela);
        Item().TABELACHAVE.SetValue(tabela.isEmpty() ? QString() : QStringLiteral("FED"));
        if (chave > 0)
            Item().CHAVEDEBITO.SetValue(chave);
        nClientDataSetDet.Post();
    }
};

class GeracaoBase : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, "
                          "CODIGOUSUARIO, ORIGEMDADO) values (7, 2, 1, '2026-11-01', '1', '2026-11-01', 1, 2)");
        for (int chave : {101, 102, 103})
            ExecutarSQLDireto(QStringLiteral("insert into DEBITOFEDERAL (CODIGOEMPRESA, CHAVEDEBITOFED, CODIGOESTAB, DATALCTOCTR, VALORDEBITO) "
                                             "values (2, %1, 1, '2026-12-01', 10)")
                                  .arg(chave));
        m_processo.Processar();
    }

    // Goes to the item of that description (in the whole preview).
    void IrParaItem(const QString& descricao)
    {
        m_processo.FiltrarItensDoProtocolo(false);
        ASSERT_TRUE(m_processo.nClientDataSetDet.Locate("DESCRITEM", descricao));
        ASSERT_TRUE(m_processo.nClientDataSet.Locate("CODIGOPROTOCOLO", m_processo.nClientDataSetDet.FieldByName("CODIGOPROTOCOLO").Value()));
    }

    int Gerar(const QString& descricao) { return m_processo.nClientDataSetDet.Lookup("DESCRITEM", {descricao}, "GERAR").toInt(); }
    int TodosSelecionados(int linha)
    {
        m_processo.nClientDataSet.SetRecNo(linha);
        return m_processo.nClientDataSet.FieldByName("TODOSSELECIONADOS").AsInteger();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TTesteDPGeracao m_processo;
};

} // namespace

TEST_F(GeracaoBase, MarcasDeItensEDoProtocolo)
{
    ASSERT_EQ(m_processo.nClientDataSet.RecordCount(), 2);
    EXPECT_EQ(m_processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").AsInteger(), 8) << "preview codes follow the last in use";
    EXPECT_FALSE(m_processo.TemAlteracao());

    // An item already in a protocol is not marked.
    IrParaItem("DARF PIS");
    m_usuario->EsperarMensagem("Este item não pode ser selecionado, pois já teve o protocolo 5 gerado.");
    m_processo.MarcarItem();
    EXPECT_EQ(Gerar("DARF PIS"), 0);
    EXPECT_FALSE(m_processo.TemAlteracao());

    // The last selectable item marked makes the protocol "all selected"; the PIS item does not count.
    IrParaItem("DARF IRPJ");
    m_processo.FiltrarItensDoProtocolo(true);
    m_processo.MarcarItem();
    EXPECT_EQ(TodosSelecionados(1), 0);
    IrParaItem("DARF CSLL");
    m_processo.FiltrarItensDoProtocolo(true);
    m_processo.MarcarItem();
    EXPECT_EQ(Gerar("DARF CSLL"), 1);
    EXPECT_EQ(TodosSelecionados(1), 1);
    EXPECT_TRUE(m_processo.TemAlteracao());

    // Ctrl+Enter on a protocol toggles each selectable item; twice returns the marks.
    m_processo.nClientDataSet.First();
    m_processo.MarcarItensMaster();
    EXPECT_EQ(Gerar("DARF IRPJ"), 0);
    EXPECT_EQ(TodosSelecionados(1), 0);
    m_processo.nClientDataSet.First();
    m_processo.MarcarItensMaster();
    EXPECT_EQ(Gerar("DARF IRPJ"), 1);
    EXPECT_EQ(Gerar("DARF CSLL"), 1);
    EXPECT_EQ(Gerar("DARF PIS"), 0);
    EXPECT_EQ(TodosSelecionados(1), 1);

    m_processo.actCancelarExecute();
    m_processo.FiltrarItensDoProtocolo(false);
    EXPECT_EQ(Gerar("DARF IRPJ"), 0);
    EXPECT_EQ(TodosSelecionados(1), 0);
    EXPECT_FALSE(m_processo.TemAlteracao());
    m_processo.actGravarExecute();  // nothing toggled: nothing written
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 1);
    m_usuario->Verificar();
}

TEST_F(GeracaoBase, GravaSoOsMarcadosComCodigosNovosEItensRenumerados)
{
    IrParaItem("DARF IRPJ");
    m_processo.FiltrarItensDoProtocolo(true);
    m_processo.MarcarItem();
    IrParaItem("Folha de pagamento");
    m_processo.FiltrarItensDoProtocolo(true);
    m_processo.MarcarItem();
    m_processo.actGravarExecute();

    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CODIGOPROTOCOLO in (8, 9)").toInt(), 2) << "consecutive codes after 7";
    EXPECT_EQ(Valor("select DESCRITEM from PROTOCOLOITEM where CODIGOPROTOCOLO = 8 and SEQITEMPRO = 1").toString(), "DARF IRPJ");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 8").toInt(), 1);
    EXPECT_EQ(Valor("select FORMAENTREGA from PROTOCOLO where CODIGOPROTOCOLO = 8").toString(), "2") << "no delivery configuration: 2";
    EXPECT_EQ(Valor("select CODIGOPROTOCOLO from DEBITOFEDERAL where CHAVEDEBITOFED = 101").toInt(), 8) << "the debit is delivered";
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from DEBITOFEDERAL where CHAVEDEBITOFED = 102").isNull());
    EXPECT_EQ(m_processo.origens, (QList<std::pair<qint64, int>>{{9, 1}})) << "items without a source table go to the hook";

    // The unmarked items stay under their protocol; the fully written one leaves.
    EXPECT_EQ(m_processo.nClientDataSet.RecordCount(), 1);
    m_processo.FiltrarItensDoProtocolo(false);
    EXPECT_EQ(m_processo.nClientDataSetDet.RecordCount(), 2);
    const TnMsgTree& mensagens = m_processo.MsgTreeLista();
    ASSERT_EQ(mensagens.Filhos().size(), 2);
    EXPECT_EQ(mensagens.Texto(mensagens.Filhos().first()),
              "Protocolo 8 gerado com sucesso para a Empresa 0002 - Padaria Silva, Filial 0001 - Matriz");
    EXPECT_EQ(mensagens.Texto(mensagens.Filhos(mensagens.Filhos().first()).first()), "Débitos Federais - DARF IRPJ");
    EXPECT_FALSE(m_processo.TemAlteracao());

    // A second item of the same protocol is numbered 1 in a new protocol.
    IrParaItem("DARF CSLL");
    m_processo.FiltrarItensDoProtocolo(true);
    m_processo.MarcarItem();
    m_processo.actGravarExecute();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 10 and SEQITEMPRO = 1").toInt(), 1);
}

TEST_F(GeracaoBase, FalhaNoMeioDesfazOLoteEDizOnde)
{
    m_processo.falharNaOrigem = 1;
    m_processo.nClientDataSet.First();
    m_processo.MarcarItensMaster();
    m_processo.nClientDataSet.Last();
    m_processo.MarcarItensMaster();
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    EXPECT_EQ(recusa, "Empresa: 2\r\nFilial: 1\r\nProtocolo: 9\r\nFolha de Pagamento: origem indisponível");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 1) << "nothing of the batch stays";
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from DEBITOFEDERAL where CHAVEDEBITOFED = 101").isNull());
    EXPECT_TRUE(m_processo.MsgTreeLista().Vazia());
    EXPECT_EQ(Con().Profundidade(), 0);
}

// Another user delivered a debit of the preview meanwhile: the save stops,
// nothing of it stays, and the user is told to generate again.
TEST_F(GeracaoBase, FonteEntregueNoMeioTempoDesfazOLote)
{
    m_processo.nClientDataSet.First();
    m_processo.MarcarItensMaster();
    m_processo.nClientDataSet.Last();
    m_processo.MarcarItensMaster();
    auto outro = OutraConexao();
    TnSQLDataSet entrega(*outro);
    entrega.SetCommandText("update DEBITOFEDERAL set CODIGOPROTOCOLO = 7 where CHAVEDEBITOFED = 102");
    entrega.ExecSQL();
    EXPECT_EQ(Recusa([&] { m_processo.actGravarExecute(); }),
              "Empresa: 2\r\nFilial: 1\r\nProtocolo: 8\r\nDébitos Federais: \"DARF CSLL\" já foi entregue no protocolo 7 por outro "
              "usuário. Execute a geração de novo.");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 1);
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from DEBITOFEDERAL where CHAVEDEBITOFED = 101").isNull()) << "the first debit is undone too";
}
