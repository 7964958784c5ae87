// "Gerar Protocolo" over the office's invoices and boletos: who receives each
// document, the descriptions and warnings, the write-back on save and the
// guard against a document delivered meanwhile by another user.
#include "bancoteste.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "financeiroteste.h"
#include "gerarprotocolo.h"
#include "lyrsfuncoes.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QDate>
#include <QSqlQuery>

namespace {

class GerarFinanceiro : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
        // The office is company 1: establishment 1 bills as office 1, establishment 2 as office 2.
        for (const auto& [empresa, estab] : {std::pair{1, 1}, {1, 2}, {7, 2}, {8, 1}}) {
            CadastrarFilial(empresa, estab);
            ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                              "values (:e, :f, 1, '2', '1')",
                              {empresa, estab});
        }
        CadastrarEscritorio(1, 1, 1);
        CadastrarEscritorio(2, 1, 2);
        ExecutarSQLDireto("insert into CFGTIPOPROTOCOLO (CODIGOTIPOPROTOCOLO, DESCRTIPOPROTOCOLO) values "
                          "(11, 'NF [SeriENS]-[NUMERONS] [CANCELADANS] [VISTAPRAZO]'), (12, 'Boleto [NUMERODCTOCR] venc [DATAVCTOCR]')");

        CadastrarPessoaFin(10, "Padaria Sete", 7, 2);
        CadastrarBoleto(1, 501, 10, 1000);
        CadastrarNota(1, 501, 10, 1000, false, 2);
        CadastrarPessoaFin(11, "João Avulso", {}, {});
        CadastrarBoleto(1, 502, 11, 10.456);
        CadastrarBoleto(1, 508, 11, 0);
        CadastrarBoleto(1, 509, 11, -3.2);
        CadastrarNota(1, 502, 11, 150, true, 1);
        CadastrarPessoaFin(12, "Importada Zero", 0, 0);  // linked with zeros by an old import
        CadastrarBoleto(1, 503, 12, 80);
        CadastrarPessoaFin(13, "Vínculo Perdido", 9, 1);  // company 9 is not registered
        CadastrarBoleto(1, 504, 13, 90);
        CadastrarPessoaFin(14, "Já Entregue", 7, 2);
        CadastrarBoleto(1, 505, 14, 70, 900);
        CadastrarPessoaFin(16, "Escritório Mesmo", 1, 1);  // a client linked to the office's own establishment
        CadastrarBoleto(1, 506, 16, 60);
        CadastrarPessoaFin(21, "Maria Avulsa", {}, {});
        CadastrarBoleto(2, 601, 21, 40);
        CadastrarPessoaFin(15, "Oito Ltda", 8, 1);
        CadastrarBoleto(2, 602, 15, 50);

        m_processo.DataModuleCreate();
        m_processo.SetParam("pDataInicial", "01/11/2026");
        m_processo.SetParam("pDataFinal", "30/11/2026");
        m_processo.SetParam("pTipo", "11;12");
        m_processo.SetParam("pListarDebitos", "0");
    }

    // November's boletos generated and every one of them saved.
    void GravarTodosOsBoletos()
    {
        m_processo.SetParam("pTipo", "12");
        m_processo.Processar();
        m_processo.SelecionarTodos();
        m_processo.actGravarExecute();
    }

    // Company/establishment of the preview protocol that holds the item with this origin key.
    QString Destino(const QString& chave)
    {
        TnClientDataSet& itens = m_processo.nClientDataSetDet;
        m_processo.FiltrarItensDoProtocolo(false);
        if (!itens.Locate("CHAVEORIGEM", chave))
            return QStringLiteral("não listado");
        if (!m_processo.nClientDataSet.Locate("CODIGOPROTOCOLO", itens.FieldByName("CODIGOPROTOCOLO").Value()))
            return QStringLiteral("sem protocolo");
        return m_processo.nClientDataSet.FieldByName("CODIGOEMPRESA").AsString() + u'/'
               + m_processo.nClientDataSet.FieldByName("CODIGOESTAB").AsString();
    }

    QString Item(const QString& chave, const char* campo)
    {
        m_processo.FiltrarItensDoProtocolo(false);
        EXPECT_TRUE(m_processo.nClientDataSetDet.Locate("CHAVEORIGEM", chave)) << chave.toStdString();
        return m_processo.nClientDataSetDet.FieldByName(QLatin1String(campo)).AsString();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPGerarProtocolo m_processo;
};

} // namespace

TEST_F(GerarFinanceiro, CadaDocumentoVaiParaQuemORecebeComDescricaoEAvisos)
{
    m_processo.Processar();
    // Linked clients in their company's protocol, unlinked ones in the issuing establishment's.
    EXPECT_EQ(Destino("FIN;12;1;501"), "7/2");
    EXPECT_EQ(Destino("FIN;11;1;A;501"), "7/2");
    EXPECT_EQ(Destino("FIN;12;1;502"), "1/1");
    EXPECT_EQ(Destino("FIN;11;1;A;502"), "1/1");
    EXPECT_EQ(Destino("FIN;12;1;506"), "1/1");
    EXPECT_EQ(Destino("FIN;12;2;601"), "1/2");
    EXPECT_EQ(Destino("FIN;12;2;602"), "8/1");
    // Already in a protocol, or linked to nowhere: not proposed.
    EXPECT_EQ(Destino("FIN;12;1;505"), "não listado");
    EXPECT_EQ(Destino("FIN;12;1;503"), "não listado");
    EXPECT_EQ(Destino("FIN;12;1;504"), "não listado");

    EXPECT_EQ(Item("FIN;11;1;A;501", "DESCRITEM"), "NF A-501 Não A Prazo");
    EXPECT_EQ(Item("FIN;11;1;A;502", "DESCRITEM"), "NF A-502 Sim À Vista") << "a cancelled invoice says so";
    EXPECT_EQ(Item("FIN;12;1;501", "DESCRITEM"), "Boleto 501 venc 10/11/2026");
    EXPECT_EQ(Item("FIN;12;1;501", "MODULO"), "FIN");
    EXPECT_EQ(Item("FIN;12;1;501", "PROTOCOLO"), "") << "financial items are always selectable";
    EXPECT_EQ(Item("FIN;12;1;502", "VALOR"), "10,46") << "amounts in cents";
    EXPECT_EQ(Item("FIN;12;1;509", "VALOR"), "-3,2");
    EXPECT_EQ(Item("FIN;12;1;501", "COMPETENCIA"), "01/11/2026");

    const QString mensagens = m_processo.MsgTreeLista().ComoTexto();
    // One warning per document of a client without a link.
    EXPECT_EQ(mensagens.count("Pessoa 11 - João Avulso com os campos Empresa e Filial não informados para o tipo Boletos, verifique no "
                              "módulo Financeiro menu Cadastros / Pessoas."),
              3)
        << mensagens.toStdString();
    EXPECT_EQ(mensagens.count("Pessoa 11 - João Avulso com os campos Empresa e Filial não informados para o tipo Notas Fiscais"), 1);
    EXPECT_EQ(mensagens.count("Pessoa 13 - Vínculo Perdido está vinculada à empresa 9, filial 1, que não existe: \"Boleto 504 venc "
                              "10/11/2026\" não foi listado."),
              1)
        << mensagens.toStdString();
    EXPECT_EQ(mensagens.count("Pessoa 12 - Importada Zero está vinculada à empresa 0, filial 0, que não existe"), 1)
        << "zeros count as no link, but the document is proposed once";
    EXPECT_TRUE(mensagens.contains("Empresa: 7 - Empresa 7")) << mensagens.toStdString();
    EXPECT_TRUE(mensagens.contains("1 Protocolo(s) - 1 Iten(s) listado(s)")) << mensagens.toStdString();
    m_usuario->Verificar();
}

// Single form: the financial items join the recipient's protocol, and a new
// recipient after an earlier one was reused still gets a code of its own.
TEST_F(GerarFinanceiro, ProtocoloUnicoReuneOsDocumentosComCodigosDistintos)
{
    m_processo.SetParam("pFormaGer", "1");
    m_processo.Processar();
    QSet<double> codigos;
    QSet<QString> destinos;
    TnClientDataSet& protocolos = m_processo.nClientDataSet;
    for (protocolos.First(); !protocolos.Eof(); protocolos.Next()) {
        codigos.insert(protocolos.FieldByName("CODIGOPROTOCOLO").AsFloat());
        destinos.insert(protocolos.FieldByName("CODIGOEMPRESA").AsString() + u'/' + protocolos.FieldByName("CODIGOESTAB").AsString());
    }
    EXPECT_EQ(codigos.size(), protocolos.RecordCount());
    EXPECT_EQ(destinos, QSet<QString>({"1/1", "1/2", "7/2", "8/1"}));
    EXPECT_EQ(Destino("FIN;12;1;506"), "1/1");
    EXPECT_EQ(Destino("FIN;12;2;602"), "8/1");
    EXPECT_EQ(Destino("FIN;11;1;A;501"), "7/2");
    EXPECT_EQ(Destino("FIN;12;1;501"), "7/2");

    m_processo.SelecionarTodos();
    m_processo.actGravarExecute();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 4);
    EXPECT_EQ(Valor("select I.CHAVEORIGEM from PROTOCOLOITEM I join SERVICONOTA N on N.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO and "
                    "N.SEQITEMPRO = I.SEQITEMPRO where N.NUMERONS = 501")
                  .toString(),
              "FIN;11;1;A;501")
        << "the invoice carries its protocol and item";
    EXPECT_EQ(Valor("select P.CODIGOEMPRESA * 10 + P.CODIGOESTAB from CONTARECEBER C join PROTOCOLO P on P.CODIGOPROTOCOLO = "
                    "C.CODIGOPROTOCOLO where C.NUMERODCTOCR = 602")
                  .toInt(),
              81);
    EXPECT_EQ(Valor("select cast(round(sum(I.VALOR) * 100) as integer) from PROTOCOLOITEM I join PROTOCOLO P on P.CODIGOPROTOCOLO = "
                    "I.CODIGOPROTOCOLO where P.CODIGOEMPRESA = 1 and P.CODIGOESTAB = 1")
                  .toInt(),
              1046 + 0 - 320 + 15000 + 6000)
        << "amounts kept to the cent, none lost or doubled";
}

// Single form with a tax debit: the establishment's protocol of the first
// pass takes the financial items too.
TEST_F(GerarFinanceiro, ProtocoloUnicoDaPrimeiraPassagemRecebeOsDocumentos)
{
    ExecutarSQLDireto("insert into IMPOSTO (CODIGOIMPOSTO, VARIACAOIMPOSTO, DESCRIMPOSTO, ESFERA) values (1, 1, 'IRPJ', 1)");
    ExecutarSQLDireto("insert into DEBITOFEDERAL (CODIGOEMPRESA, CHAVEDEBITOFED, CODIGOESTAB, CODIGOIMPOSTO, VARIACAOIMPOSTO, DATALCTOCTR, "
                      "VALORDEBITO, DATAVENCIMENTO) values (7, 1, 2, 1, 1, '2026-11-05', 500, '2026-11-20')");
    m_processo.SetParam("pFormaGer", "1");
    m_processo.SetParam("pTipo", "1;11;12");
    m_processo.Processar();
    const QString debito = MontarChaveOrigem(1, 7, 1);
    ASSERT_EQ(Destino(debito), "7/2");
    const QVariant protocolo = m_processo.nClientDataSetDet.FieldByName("CODIGOPROTOCOLO").Value();
    for (const char* chave : {"FIN;11;1;A;501", "FIN;12;1;501"}) {
        EXPECT_EQ(Destino(chave), "7/2");
        EXPECT_EQ(m_processo.nClientDataSetDet.FieldByName("CODIGOPROTOCOLO").Value(), protocolo) << chave;
    }
}

TEST_F(GerarFinanceiro, GravarMarcaOsDocumentosEOutroUsuarioNaoEntregaDuasVezes)
{
    GravarTodosOsBoletos();
    // The boleto carries the protocol and the item it went in.
    const QVariant protocolo = Valor("select CODIGOPROTOCOLO from CONTARECEBER where NUMERODCTOCR = 501");
    ASSERT_FALSE(protocolo.isNull());
    EXPECT_EQ(Valor("select CODIGOEMPRESA * 10 + CODIGOESTAB from PROTOCOLO where CODIGOPROTOCOLO = " + protocolo.toString()).toInt(), 72);
    EXPECT_EQ(Valor("select I.CHAVEORIGEM from PROTOCOLOITEM I join CONTARECEBER C on C.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO and "
                    "C.SEQITEMPRO = I.SEQITEMPRO where C.NUMERODCTOCR = 501")
                  .toString(),
              "FIN;12;1;501");
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from CONTARECEBER where NUMERODCTOCR = 504").isNull());
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from SERVICONOTA where NUMERONS = 501").isNull()) << "invoices were not ticked";

    // "Todos" proposes delivered documents again, and they can be marked.
    m_processo.SetParam("pListarDebitos", "1");
    m_processo.Processar();
    EXPECT_EQ(Destino("FIN;12;1;505"), "7/2");
    ASSERT_EQ(Destino("FIN;12;1;501"), "7/2");
    m_processo.FiltrarItensDoProtocolo(false);
    ASSERT_TRUE(m_processo.nClientDataSetDet.Locate("CHAVEORIGEM", "FIN;12;1;501"));
    m_processo.MarcarItem();
    // Meanwhile another user delivers it again.
    auto outro = OutraConexao();
    QSqlQuery(outro->Database()).exec("update CONTARECEBER set CODIGOPROTOCOLO = 777 where NUMERODCTOCR = 501");
    const int antes = Valor("select count(*) from PROTOCOLOITEM").toInt();
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    EXPECT_TRUE(recusa.contains("\"Boleto 501 venc 10/11/2026\" já foi entregue no protocolo 777 por outro usuário. Execute a geração de novo."))
        << recusa.toStdString();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), antes) << "the batch is undone";
    EXPECT_EQ(Valor("select CODIGOPROTOCOLO from CONTARECEBER where NUMERODCTOCR = 501").toInt(), 777);
    m_usuario->Verificar();
}

// A delivered document's item cancelled in the protocol register is only
// marked cancelled, as every item of a "FI" key: the boleto keeps the
// protocol it went out in.
TEST_F(GerarFinanceiro, CancelarItemFinanceiroSoMarcaOItem)
{
    GravarTodosOsBoletos();
    const QVariant codigo = Valor("select CODIGOPROTOCOLO from CONTARECEBER where NUMERODCTOCR = 501");
    const QVariant seq = Valor("select SEQITEMPRO from CONTARECEBER where NUMERODCTOCR = 501");

    for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>()})
        nRegisterClass(info);
    auto protocolo = CriarDM<TLyrDMProtocolo>(QStringLiteral("TLyrDMProtocolo"));
    protocolo->Abrir();
    protocolo->CriarDetalhe();
    ASSERT_TRUE(protocolo->nClientDataSet.Locate("CODIGOPROTOCOLO", codigo));
    auto* itens = dynamic_cast<TLyrDMProtocoloItem*>(protocolo->Detalhes().front().get());
    ASSERT_NE(itens, nullptr);
    ASSERT_TRUE(itens->nClientDataSet.Locate("SEQITEMPRO", seq));
    itens->actCancelarItem(protocolo.get());
    EXPECT_EQ(Valor(QStringLiteral("select CANCELADO from PROTOCOLOITEM where CODIGOPROTOCOLO = %1 and SEQITEMPRO = %2")
                        .arg(codigo.toString(), seq.toString()))
                  .toString(),
              "1");
    EXPECT_EQ(Valor("select CODIGOPROTOCOLO from CONTARECEBER where NUMERODCTOCR = 501"), codigo);
}
