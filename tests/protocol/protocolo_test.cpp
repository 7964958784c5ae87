#include "bancoteste.h"
#include "conexao.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "direitos.h"
#include "erros.h"
#include "historicopro.h"
#include "lyrsfuncoes.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "respestab.h"
#include "selecaolyr.h"
#include "sqlservicos.h"
#include "sqldataset.h"

#include <QScopeGuard>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

class Protocolos : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        m_host->SetDireitos(std::make_unique<TnDMDireitoUsuario>());
        for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>(),
                                          InfoDaClasseLyr<TLyrDMHistoricoPro>(), InfoDaClasseLyr<TLyrDCHistoricoPro>(),
                                          InfoDaClasseLyr<TLyrDMProtocoloRespEstab>()})
            nRegisterClass(info);
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values "
                          "(1, 'ana', 'Ana Lima'), (2, 'bia', 'Bia Souza')");
        ExecutarSQLDireto("insert into PROTOCOLORESPESTAB (CODIGOEMPRESA, CODIGOESTAB, SEQ, NOMERESPONSAVEL) values (2, 1, 1, 'Maria D''Ávila')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (1, 'Contrato social', 0, '0', 0, '0')");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (2, 1, 1, '2', '1')");
        m_protocolo = CriarDM<TLyrDMProtocolo>("TLyrDMProtocolo");
        m_protocolo->DepoisConfigurar(nullptr);  // no form: the status label, no buttons
        m_protocolo->Abrir();
        m_protocolo->CriarDetalhe();
        m_itens = dynamic_cast<TLyrDMProtocoloItem*>(m_protocolo->Detalhes().front().get());
    }

    void TearDown() override
    {
        m_protocolo.reset();
        TesteComBanco::TearDown();
    }

    // A typed protocol of establishment 2/1 with items of these origin keys.
    qint64 NovoProtocolo(const QString& tipo, const QStringList& chaves, const QString& natureza = "1")
    {
        TnClientDataSet& ds = m_protocolo->nClientDataSet;
        ds.Append();
        ds.FieldByName("CODIGOEMPRESA").SetValue(2);
        ds.FieldByName("CODIGOESTAB").SetValue(1);
        ds.FieldByName("DATALCTOPRO").SetValue(QDate(2026, 12, 1));
        ds.FieldByName("TIPOPRO").SetValue(tipo);
        ds.FieldByName("NATUREZAPRO").SetValue(natureza);
        ds.Post();
        for (const QString& chave : chaves) {
            TnClientDataSet& itens = m_itens->nClientDataSet;
            itens.Append();
            itens.FieldByName("DESCRITEM").SetValue("Item " + chave);
            itens.FieldByName("CHAVEORIGEM").SetValue(chave);
            itens.Post();
        }
        return ds.FieldByName("CODIGOPROTOCOLO").AsLargeInt();
    }

    QString CanceladoNoBanco(qint64 protocolo)
    {
        return PegarValorCampo("PROTOCOLO", "CANCELADO", QStringLiteral("CODIGOPROTOCOLO = %1").arg(protocolo)).toString();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TLyrDMProtocolo> m_protocolo;
    TLyrDMProtocoloItem* m_itens = nullptr;
};

TEST_F(Protocolos, DigitadoGanhaCarimboTipoEItensNumerados)
{
    const qint64 codigo = NovoProtocolo("", {"", ""});
    EXPECT_EQ(codigo, 1);
    EXPECT_EQ(PegarValorCampo("PROTOCOLO", "TIPOPRO;CANCELADO;NATUREZAPRO;ORIGEMDADO;CODIGOUSUARIO", "CODIGOPROTOCOLO = 1").toList(),
              QVariantList({"2", "0", "1", 2, 1}));
    EXPECT_EQ(Valor("select max(SEQITEMPRO) from PROTOCOLOITEM where CODIGOPROTOCOLO = 1").toInt(), 2);
    EXPECT_EQ(Valor("select min(DATALCTOPRO) from PROTOCOLOITEM").toDate(), QDate(2026, 12, 1)) << "items take the protocol's date";
    EXPECT_EQ(m_itens->nClientDataSet.RecordCount(), 2);
}

TEST_F(Protocolos, SaidaEstabelecimentoLeConfiguracaoUmaVezPorPar)
{
    TnClientDataSet& ds = m_protocolo->nClientDataSet;
    ds.Append();
    ds.FieldByName("CODIGOEMPRESA").SetValue(2);
    ds.FieldByName("CODIGOESTAB").SetValue(1);
    ds.FieldByName("CODIGOESTAB").Definicao().OnExit(ds.FieldByName("CODIGOESTAB"));
    EXPECT_EQ(ds.FieldByName("FORMAENTREGA").AsString(), "2");
    ExecutarSQLDireto("update CFGESTABPRO set FORMAENTREGA = '3'");
    ds.FieldByName("CODIGOESTAB").Definicao().OnExit(ds.FieldByName("CODIGOESTAB"));
    EXPECT_EQ(ds.FieldByName("FORMAENTREGA").AsString(), "2") << "the same pair is read once";
    ds.Cancel();
    m_protocolo->Refresh();
    ds.Append();
    ds.FieldByName("CODIGOEMPRESA").SetValue(2);
    ds.FieldByName("CODIGOESTAB").SetValue(1);
    ds.FieldByName("CODIGOESTAB").Definicao().OnExit(ds.FieldByName("CODIGOESTAB"));
    EXPECT_EQ(ds.FieldByName("FORMAENTREGA").AsString(), "3") << "read again after a refresh";
    ds.Cancel();
}

TEST_F(Protocolos, DireitoDecideSomenteLeitura)
{
    NovoProtocolo("2", {""});
    ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO, PERMITIDO) values (2, 'DireitoAltProtocolo', '0')");
    Con().SetCodigoUsuario(2);
    m_protocolo->Refresh();
    m_protocolo->nClientDataSet.First();
    EXPECT_FALSE(m_protocolo->PodeEditar());
    m_protocolo->nClientDataSet.Edit();
    m_protocolo->FieldByName("OBSERVACAO").SetValue("mudada");
    EXPECT_FALSE(Recusa([&] { m_protocolo->nClientDataSet.Post(); }).isEmpty());
    m_protocolo->nClientDataSet.Cancel();
    m_usuario->Esperar("Não é permitido incluir itens", "OK");
    m_itens->nClientDataSet.Append();
    EXPECT_EQ(m_itens->nClientDataSet.State(), TnDataSetState::dsBrowse);
    const qint64 novo = NovoProtocolo("2", {});
    EXPECT_EQ(novo, 2) << "a new protocol can still be typed";
}

TEST_F(Protocolos, BaixaPropriaPassaInformaPelaNaturezaEDepoisRecusaAlteracoes)
{
    NovoProtocolo("1", {""}, "1");
    m_usuario->EsperarDadosBaixa("Maria D'Ávila")
        .Esperar("Usuário Entrega: 1 - Ana Lima\n\nResponsável Recebimento: Maria D'Ávila\n\nData Entrega: ", "OK");
    m_protocolo->BaixarProtocolo();
    m_protocolo->InformacoesBaixa();
    ASSERT_NE(m_usuario->UltimoQuestionario().Campo("pessoa"), nullptr);
    EXPECT_EQ(m_usuario->UltimoQuestionario().Campo("pessoa")->opcoes, QStringList({"Maria D'Ávila"}));
    EXPECT_EQ(m_usuario->UltimoQuestionario().Valor("usuario").toInt(), 1) << "the user logged in is offered";
    EXPECT_TRUE(m_protocolo->Baixado());
    EXPECT_EQ(PegarValorCampo("PROTOCOLO", "USUARIOEXT", "CODIGOPROTOCOLO = 1").toString(), "Maria D'Ávila");
    EXPECT_FALSE(PegarValorCampo("PROTOCOLO", "DATAHORABAIXA", "CODIGOPROTOCOLO = 1").isNull());
    m_protocolo->ConfigurarCampo();
    ASSERT_NE(m_protocolo->Rotulo("lblStatus"), nullptr);
    EXPECT_EQ(m_protocolo->Rotulo("lblStatus")->Texto, "Baixado");
    EXPECT_TRUE(m_protocolo->Rotulo("lblStatus")->Visivel);

    m_protocolo->nClientDataSet.Edit();
    m_protocolo->FieldByName("OBSERVACAO").SetValue("depois da baixa");
    EXPECT_EQ(Recusa([&] { m_protocolo->nClientDataSet.Post(); }), "Não é permitido alterar protocolo baixado!");
    EXPECT_EQ(m_protocolo->nClientDataSet.State(), TnDataSetState::dsBrowse) << "pending changes discarded";
    EXPECT_TRUE(PegarValorCampo("PROTOCOLO", "OBSERVACAO", "CODIGOPROTOCOLO = 1").isNull());
    m_protocolo->BaixarProtocolo();  // already written off: nothing is asked
    EXPECT_EQ(Recusa([&] { m_itens->nClientDataSet.Edit(); m_itens->FieldByName("DESCRITEM").SetValue("x"); m_itens->nClientDataSet.Post(); }),
              "Impossível alterar itens de protocolo baixado!");
    EXPECT_EQ(Recusa([&] { m_protocolo->nClientDataSet.Delete(); }), "Protocolo baixado não pode ser excluído.") << "ahead of its items";

    // A protocol received tells it the other way round.
    NovoProtocolo("1", {""}, "2");
    m_usuario->EsperarDadosBaixa("João").Esperar("Responsável Entrega: João\n\nUsuário Recebimento: 1 - Ana Lima", "OK");
    m_protocolo->BaixarProtocolo();
    m_protocolo->InformacoesBaixa();
    m_usuario->Verificar();
    EXPECT_TRUE(m_usuario->Perguntas().last().texto.contains("Data/Hora Baixa: "));
}

TEST_F(Protocolos, UltimoItemAtivoCancelaOProtocoloQueRecusaAlteracaoEBaixa)
{
    NovoProtocolo("2", {"FPA", ""});
    m_itens->nClientDataSet.First();
    m_itens->actCancelarItem(m_protocolo.get());  // from cancel-all: nothing asked
    EXPECT_EQ(CanceladoNoBanco(1), "0") << "one of two";
    m_itens->nClientDataSet.Last();
    m_usuario->Esperar("cancelar este item", "Sim");
    m_itens->actCancelarItem(m_itens);
    EXPECT_EQ(CanceladoNoBanco(1), "1");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CANCELADO = '1'").toInt(), 2);
    EXPECT_TRUE(m_protocolo->Cancelado());
    EXPECT_EQ(Recusa([&] { m_protocolo->BaixarProtocolo(); }), "Impossível baixar um protocolo cancelado!");
    m_protocolo->nClientDataSet.Edit();
    m_protocolo->FieldByName("OBSERVACAO").SetValue("x");
    EXPECT_EQ(Recusa([&] { m_protocolo->nClientDataSet.Post(); }), "Impossivel alterar protocolo cancelado!");
    m_usuario->Verificar();
}

TEST_F(Protocolos, ItemDeDebitoLiberaODebitoEFolhaSoMarca)
{
    const QString chave = MontarChaveOrigem(1, 2, 77);
    NovoProtocolo("1", {"FPA", chave});
    ExecutarSQLDireto("insert into DEBITOFEDERAL (CODIGOEMPRESA, CHAVEDEBITOFED, CODIGOESTAB, DATALCTOCTR, VALORDEBITO, CODIGOPROTOCOLO) "
                      "values (2, 77, 1, '2026-11-30', 100, 1), (2, 78, 1, '2026-11-30', 100, 1)");
    m_itens->nClientDataSet.First();
    m_itens->actCancelarItem(m_protocolo.get());
    EXPECT_EQ(Valor("select count(*) from DEBITOFEDERAL where CODIGOPROTOCOLO is null").toInt(), 0) << "payroll items touch no debit";
    m_itens->nClientDataSet.Last();
    m_itens->actCancelarItem(m_protocolo.get());
    EXPECT_TRUE(PegarValorCampo("DEBITOFEDERAL", "CODIGOPROTOCOLO", "CHAVEDEBITOFED = 77").isNull());
    EXPECT_EQ(PegarValorCampo("DEBITOFEDERAL", "CODIGOPROTOCOLO", "CHAVEDEBITOFED = 78").toInt(), 1);
    EXPECT_EQ(m_itens->FieldByName("CANCELADO").AsString(), "1");
    EXPECT_EQ(Con().Profundidade(), 0);

    // A debit already freed elsewhere: the item stays active, nothing else changes.
    NovoProtocolo("1", {MontarChaveOrigem(1, 2, 999)});
    m_itens->actCancelarItem(m_protocolo.get());
    EXPECT_EQ(m_itens->FieldByName("CANCELADO").AsString(), "0");
    EXPECT_EQ(CanceladoNoBanco(2), "0");
}

TEST_F(Protocolos, ItemDeDocumentoSemDocumentoNaoCancelaEFalhaNaoMudaNada)
{
    NovoProtocolo("3", {"", ""});
    m_itens->nClientDataSet.First();
    m_itens->actCancelarItem(m_protocolo.get());
    EXPECT_EQ(m_itens->FieldByName("CANCELADO").AsString(), "0") << "no document, nothing to undo";

    // With a document but the movement table unavailable: the error rolls back.
    m_itens->nClientDataSet.Edit();
    m_itens->FieldByName("CODIGODOCEMP").SetValue(5);
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) values (5, 1, 2, 1, '2026-12-01')");
    m_itens->nClientDataSet.Post();
    ExecutarSQLDireto("alter table PROTOCOLODOCMOVIMENTO rename to MOVIMENTOGUARDADO");
    EXPECT_THROW(m_itens->actCancelarItem(m_protocolo.get()), EnSQL);
    EXPECT_EQ(Con().Profundidade(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CANCELADO = '1'").toInt(), 0);
    ExecutarSQLDireto("alter table MOVIMENTOGUARDADO rename to PROTOCOLODOCMOVIMENTO");
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, DATALCTOPRO, DATAHORA, CODIGOUSUARIO, "
                      "ORIGEMDADO, CODIGOPROTOCOLO) values (5, 1, '1', '2026-12-01', '2026-12-01', 1, 2, 1)");
    m_itens->actCancelarItem(m_protocolo.get());
    EXPECT_EQ(m_itens->FieldByName("CANCELADO").AsString(), "1");
    EXPECT_TRUE(PegarValorCampo("PROTOCOLODOCMOVIMENTO", "CODIGOPROTOCOLO", "CODIGODOCEMP = 5").isNull());
}

// Cancel-all asks once, and on a second screen of the class cancels that
// screen's protocol only.
TEST_F(Protocolos, CancelarTudoPerguntaUmaVezECadaTelaComSeusItens)
{
    const qint64 primeiro = NovoProtocolo("2", {"FPA"});
    const qint64 segundo = NovoProtocolo("2", {"FPA", "FPA", ""});
    std::unique_ptr<TLyrDMProtocolo> outra = CriarDM<TLyrDMProtocolo>("TLyrDMProtocolo");
    outra->DepoisConfigurar(nullptr);
    outra->Abrir();
    outra->CriarDetalhe();
    m_protocolo->nClientDataSet.First();
    outra->nClientDataSet.Last();
    m_usuario->Esperar("cancelar todos os ítens", "Sim");
    outra->CancelarTudo();
    m_usuario->Verificar();
    EXPECT_EQ(m_usuario->Perguntas().size(), 1);
    EXPECT_EQ(CanceladoNoBanco(segundo), "1");
    EXPECT_EQ(CanceladoNoBanco(primeiro), "0") << "the first screen's protocol is not touched";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CANCELADO = '1'").toInt(), 3);
    outra->CancelarTudo();  // cancelled: nothing asked
    EXPECT_EQ(m_usuario->Perguntas().size(), 1);
}

TEST_F(Protocolos, ItemDeUmProtocoloNovoGravaOProtocoloAntes)
{
    TnClientDataSet& ds = m_protocolo->nClientDataSet;
    TnClientDataSet& itens = m_itens->nClientDataSet;
    ds.Append();
    ds.FieldByName("CODIGOEMPRESA").SetValue(2);
    EXPECT_THROW(itens.Append(), EnErro) << "a protocol without its establishment is refused first";
    EXPECT_EQ(itens.State(), TnDataSetState::dsBrowse);
    EXPECT_EQ(ds.State(), TnDataSetState::dsInsert);
    ds.FieldByName("CODIGOESTAB").SetValue(1);
    itens.Append();
    const qint64 codigo = ds.FieldByName("CODIGOPROTOCOLO").AsLargeInt();
    EXPECT_EQ(ds.State(), TnDataSetState::dsBrowse);
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLO where CODIGOPROTOCOLO = %1").arg(codigo)).toInt(), 1);
    itens.FieldByName("DESCRITEM").SetValue("Guias");
    itens.Post();
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = %1").arg(codigo)).toInt(), 1);
}

TEST_F(Protocolos, CodigoDeHistoricoNaDescricao)
{
    ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO, TEMCOMPLEMENTOHISTORICO) values "
                      "(12, 'Guias de impostos federais', '0'), (13, 'Termo de rescisão de ', '1')");
    NovoProtocolo("2", {});
    TnClientDataSet& itens = m_itens->nClientDataSet;
    itens.Append();
    const auto confirmar = [&](int tecla, const QString& campo, const QString& texto) {
        return itens.Tela().Aparencia.AoConfirmarCelula(tecla, campo, texto);
    };
    EXPECT_FALSE(confirmar(Qt::Key_Tab, "DESCRITEM", " 12 ")) << "a complete text lets Tab move on";
    EXPECT_EQ(itens.FieldByName("DESCRITEM").AsString(), "Guias de impostos federais");
    EXPECT_TRUE(confirmar(Qt::Key_Return, "DESCRITEM", "13")) << "a text to be completed keeps the user in the cell";
    EXPECT_EQ(itens.FieldByName("DESCRITEM").AsString(), "Termo de rescisão de ");
    for (const auto& [tecla, campo, texto] : {std::tuple{Qt::Key_Tab, "DESCRITEM", "99"}, std::tuple{Qt::Key_Tab, "DESCRITEM", "0"},
                                              std::tuple{Qt::Key_Tab, "DESCRITEM", "Texto livre 12"},
                                              std::tuple{Qt::Key_Tab, "CODIGOIMPOSTO", "12"}, std::tuple{Qt::Key_Space, "DESCRITEM", "12"}}) {
        EXPECT_FALSE(confirmar(tecla, campo, texto)) << campo << " " << texto;
        EXPECT_EQ(itens.FieldByName("DESCRITEM").AsString(), "Termo de rescisão de ") << "nothing taken for " << campo << " " << texto;
    }
    itens.Cancel();
}

// The period the user selects becomes the processes' default; a refused one
// keeps the dialog open and sets nothing.
TEST_F(Protocolos, SelecaoDoPeriodoViraPadraoDosProcessos)
{
    m_host->ValoresPadrao().insert("pDataInicial", QDate(2026, 1, 1));
    TLyrDMSelecao selecao;
    const QVariantList invertido = {QDate(2026, 12, 31), QDate(2026, 12, 1)};
    const QString recusa = "A data inicial da seleção não pode ser posterior";
    m_usuario->EsperarSelecao(invertido).Esperar(recusa, "OK").EsperarSelecao({});
    EXPECT_FALSE(selecao.ShowSelecionar());
    EXPECT_EQ(m_host->ValoresPadrao().value("pDataInicial").toDate(), QDate(2026, 1, 1)) << "the refused period set nothing";
    EXPECT_FALSE(m_host->ValoresPadrao().contains("gDATALCTOPRO_MAIORIGUAL"));
    EXPECT_TRUE(selecao.nSelecao.value(0).valor.isNull());

    m_usuario->EsperarSelecao(invertido).Esperar(recusa, "OK").EsperarSelecao({QDate(2026, 11, 1), QDate(2026, 11, 30)});
    ASSERT_TRUE(selecao.ShowSelecionar());
    EXPECT_EQ(selecao.nSelecao.value(0).valor.toDate(), QDate(2026, 11, 1));
    EXPECT_EQ(m_host->ValoresPadrao().value("pDataInicial").toDate(), QDate(2026, 11, 1));
    EXPECT_EQ(m_host->ValoresPadrao().value("pCompetenciaFim").toDate(), QDate(2026, 11, 30));
    EXPECT_EQ(m_host->ValoresPadrao().value("gDATALCTOPRO_MENORIGUALAtiva").toDate(), QDate(2026, 11, 30));
    m_usuario->EsperarSelecao({});
    EXPECT_FALSE(selecao.ShowSelecionar()) << "cancelled";
    EXPECT_EQ(selecao.nSelecao.value(1).valor.toDate(), QDate(2026, 11, 30)) << "cancel keeps the values";

    // Every pair of a screen's selection takes the period.
    selecao.Declarar("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL;DataVencto_MAIORIGUAL;DataVencto_MENORIGUAL");
    m_usuario->EsperarSelecao({QDate(2026, 11, 1), QDate(2026, 11, 30)});
    ASSERT_TRUE(selecao.ShowSelecionar());
    EXPECT_EQ(selecao.nSelecao.size(), 4);
    EXPECT_EQ(m_host->ValoresPadrao().value("gDATAVENCTO_MAIORIGUAL").toDate(), QDate(2026, 11, 1));
    EXPECT_EQ(m_host->ValoresPadrao().value("pDATAVENCTO_MENORIGUAL").toDate(), QDate(2026, 11, 30));
    m_usuario->Verificar();
}

TEST_F(Protocolos, ResponsaveisSoComNomeESemRepetir)
{
    TLyrDMProtocoloRespEstab responsaveis;
    responsaveis.Abrir();
    TnClientDataSet& ds = responsaveis.nClientDataSet;
    ds.Append();
    ds.FieldByName("CODIGOEMPRESA").SetValue(2);
    ds.FieldByName("CODIGOESTAB").SetValue(1);
    ds.FieldByName("SEQ").SetValue(1);
    EXPECT_TRUE(Recusa([&] { ds.Post(); }).startsWith("Informe o campo"));
    ds.FieldByName("NOMERESPONSAVEL").SetValue("João");
    EXPECT_TRUE(Recusa([&] { ds.Post(); }).startsWith("Já existe um registro cadastrado"));
    ds.FieldByName("SEQ").SetValue(2);
    ds.Post();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLORESPESTAB").toInt(), 2);
}

TEST_F(Protocolos, SoSeExcluiProtocoloSemItensEItemNunca)
{
    TnClientDataSet& ds = m_protocolo->nClientDataSet;
    const qint64 comItem = NovoProtocolo("2", {""});
    EXPECT_EQ(Recusa([&] { ds.Delete(); }), "Protocolo com itens não pode ser excluído; cancele os itens.");
    EXPECT_THROW(m_itens->nClientDataSet.Delete(), EnAbort) << "items are refused silently";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), 1);

    const qint64 vazio = NovoProtocolo("2", {});
    ds.Delete();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 1);
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLO where CODIGOPROTOCOLO = %1").arg(vazio)).toInt(), 0);
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLO where CODIGOPROTOCOLO = %1").arg(comItem)).toInt(), 1);
}

TEST_F(Protocolos, ItemDigitadoVaiJuntoQuandoOProtocoloMudaOuEBaixado)
{
    const qint64 primeiro = NovoProtocolo("2", {""});
    NovoProtocolo("2", {""});
    TnClientDataSet& itens = m_itens->nClientDataSet;
    itens.Append();
    itens.FieldByName("DESCRITEM").SetValue("Digitado antes de mudar de protocolo");
    m_protocolo->nClientDataSet.First();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = 2").toInt(), 2) << "stored, not dropped";

    itens.Append();  // nothing typed: dropped, nothing refused
    m_protocolo->nClientDataSet.Last();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), 3);

    m_protocolo->nClientDataSet.First();
    itens.Append();
    itens.FieldByName("DESCRITEM").SetValue("Guia digitada antes da baixa");
    m_usuario->EsperarDadosBaixa("Maria");
    m_protocolo->BaixarProtocolo();
    EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = %1").arg(primeiro)).toInt(), 2);
    EXPECT_TRUE(m_protocolo->Baixado());

    itens.Append();  // a refused row stops the header's action
    itens.FieldByName("VALOR").SetValue(10);
    EXPECT_TRUE(Recusa([&] { m_protocolo->nClientDataSet.Last(); }).startsWith("Informe o campo"));
    EXPECT_EQ(m_protocolo->FieldByName("CODIGOPROTOCOLO").AsLargeInt(), primeiro) << "the header stays where the row was typed";
    itens.Cancel();
    m_usuario->Verificar();
}

TEST_F(Protocolos, EmpresaEFilialFicamComOProtocoloGravado)
{
    CadastrarFilial(3, 1);
    NovoProtocolo("2", {});
    TnClientDataSet& ds = m_protocolo->nClientDataSet;
    ds.Edit();
    ds.FieldByName("CODIGOEMPRESA").SetValue(3);
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "A empresa e a filial de um protocolo gravado não podem ser alteradas.");
    EXPECT_EQ(ds.State(), TnDataSetState::dsBrowse);
    EXPECT_EQ(Valor("select CODIGOEMPRESA from PROTOCOLO").toInt(), 2);
    ds.Edit();
    ds.FieldByName("CODIGOEMPRESA").SetValue(999);
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Empresa 999 não cadastrada.");
    ds.Cancel();
}

TEST_F(Protocolos, BaixaPedeItemAtivoEUsuarioAtivo)
{
    NovoProtocolo("2", {});
    EXPECT_EQ(Recusa([&] { m_protocolo->BaixarProtocolo(); }), "Protocolo sem itens ativos não pode ser baixado.");
    NovoProtocolo("2", {""});
    ExecutarSQLDireto("update USUARIO set ATIVO = '0' where CODIGOUSUARIO = 2");
    // The dialog refuses the unknown and the inactive user and stays open; cancelled, nothing is written off.
    m_usuario->EsperarDadosBaixa("Maria", 99)
        .Esperar("Usuário 99 não cadastrado ou inativo.", "OK")
        .EsperarDadosBaixa("Maria", 2)
        .Esperar("Usuário 2 não cadastrado ou inativo.", "OK")
        .EsperarDadosBaixa("   ")
        .Esperar("Informe quem recebeu os documentos.", "OK")
        .EsperarDadosBaixa("");
    m_protocolo->BaixarProtocolo();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where DATAHORABAIXA is not null").toInt(), 0);
    m_usuario->Verificar();
    m_usuario->EsperarDadosBaixa("Maria", 1);
    m_protocolo->BaixarProtocolo();
    EXPECT_EQ(Valor("select USUARIOEXT from PROTOCOLO where DATAHORABAIXA is not null").toString(), "Maria");
    m_usuario->Verificar();
}

TEST_F(Protocolos, CancelarTudoVisitaCadaItemUmaVezEDizQuaisFicaram)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) "
                      "values (500, 1, 2, 1, '2026-12-01')");
    const qint64 codigo = NovoProtocolo("3", {"", "", ""});
    ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, CODIGOPROTOCOLO, DATALCTOPRO, "
                                     "DATAHORA, CODIGOUSUARIO, ORIGEMDADO) values (500, 1, '2', %1, '2026-12-01', '2026-12-01', 1, 2)")
                          .arg(codigo));
    ExecutarSQLDireto(QStringLiteral("update PROTOCOLOITEM set CODIGODOCEMP = 500 where SEQITEMPRO = 2 and CODIGOPROTOCOLO = %1").arg(codigo));
    m_itens->Refresh();
    m_usuario->Esperar("cancelar todos os ítens", "Sim").Esperar("não foi possível cancelar os itens 1, 3", "OK");
    m_protocolo->CancelarTudo();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select SEQITEMPRO from PROTOCOLOITEM where CANCELADO = '1'").toInt(), 2);
    EXPECT_TRUE(Valor("select CODIGOPROTOCOLO from PROTOCOLODOCMOVIMENTO").isNull());
    EXPECT_EQ(CanceladoNoBanco(codigo), "0");
}

// Another user saves while this one types: the codes are taken when saving.
// On PostgreSQL the other save commits only once this one has numbered its
// row and sent it, so this one loses the race and numbers it again; on SQLite
// the save waits for the other to finish and numbers once.
TEST_F(Protocolos, CodigosNumeradosAoGravarMesmoComOutroUsuario)
{
    NovoProtocolo("2", {""});  // protocol 1
    TnClientDataSet& ds = m_protocolo->nClientDataSet;
    ds.Append();
    EXPECT_TRUE(ds.FieldByName("CODIGOPROTOCOLO").IsNull()) << "no code until it is saved";
    ds.FieldByName("CODIGOEMPRESA").SetValue(2);
    ds.FieldByName("CODIGOESTAB").SetValue(1);

    const bool postgres = Con().Banco() == TnBanco::PostgreSQL;
    const std::thread::id principal = std::this_thread::get_id();
    int numeracoes = 0;
    bool tentou = false;
    std::promise<void> primeiraTentativa;
    nDMConexao::SetObservadorComandos([&](const QString& comando) {
        if (std::this_thread::get_id() != principal)
            return;
        if (comando.startsWith("select max(CODIGOPROTOCOLO) from PROTOCOLO"))
            ++numeracoes;
        if (!tentou && comando.startsWith(postgres ? "insert into PROTOCOLO" : "BEGIN IMMEDIATE")) {
            tentou = true;
            primeiraTentativa.set_value();
        }
    });
    const auto semObservador = qScopeGuard([] { nDMConexao::SetObservadorComandos({}); });

    // The other user's save of protocol 2 is still open when this one saves.
    std::atomic<bool> aberta = false;
    std::thread outroUsuario([&] {
        auto outra = OutraConexao();
        outra->StartTransaction(1);
        TnSQLDataSet insercao(*outra);
        insercao.SetCommandText("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, "
                                "CODIGOUSUARIO, NATUREZAPRO, CANCELADO, ORIGEMDADO) values (2, 2, 1, '2026-12-01', '2', '2026-12-01', 2, '1', '0', 2)");
        insercao.ExecSQL();
        aberta = true;
        primeiraTentativa.get_future().wait_for(std::chrono::seconds(30));
        outra->Commit(1);
    });
    while (!aberta)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "");
    outroUsuario.join();
    EXPECT_EQ(numeracoes, postgres ? 2 : 1);
    EXPECT_EQ(ds.FieldByName("CODIGOPROTOCOLO").AsLargeInt(), 3) << "the final code shows after the save";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 3);

    // Items and history texts are numbered the same way.
    TnClientDataSet& itens = m_itens->nClientDataSet;
    itens.Append();
    itens.FieldByName("DESCRITEM").SetValue("Guia");
    ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, CANCELADO, CODIGOUSUARIO, "
                      "DATAHORACADASTRO, ORIGEMDADO) values (3, 1, 'De outro usuário', '2026-12-01', '0', 2, '2026-12-01', 2)");
    itens.Post();
    EXPECT_EQ(itens.FieldByName("SEQITEMPRO").AsInteger(), 2);
    TLyrDMHistoricoPro historicos;
    historicos.Abrir();
    TnClientDataSet& textos = historicos.nClientDataSet;
    textos.Append();
    textos.FieldByName("DESCRISAOHISTPRO").SetValue("Guias");
    ExecutarSQLDireto("insert into HISTORICOPRO (CODIGOHISTPRO, DESCRISAOHISTPRO, TEMCOMPLEMENTOHISTORICO) values (1, 'De outro', '0')");
    EXPECT_EQ(Recusa([&] { textos.Post(); }), "");
    EXPECT_EQ(textos.FieldByName("CODIGOHISTPRO").AsInteger(), 2);
}
