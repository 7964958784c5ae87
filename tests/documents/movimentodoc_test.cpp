// A document's movements under its register, and the protocol made from
// the newest one through the individual-protocol dialog.
#include "bancoteste.h"
#include "classeslyr.h"
#include "consultadocumento.h"
#include "dialogosroteiro.h"
#include "docemp.h"
#include "documentosfora.h"
#include "erros.h"
#include "movimentodoc.h"
#include "protocoloindividual.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QDate>

#include <memory>

namespace {

const QString kIgual = QStringLiteral("O último movimento não pode ser igual ao que está sendo cadastrado.");

// Document 1 of establishment 2/1 (type 5, 2026-12-01, "Livro Diário 2026"),
// its register open on December with the movements under it; departments 1
// and 2; user 7; the establishment delivers by "Retirado" (1).
class MovimentoDoc : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDMProtocoloDocEmp>(), InfoDaClasseLyr<TLyrDMProtocoloDocMovimento>(),
                                           InfoDaClasseLyr<TLyrDPGerarProIndividual>()})
            nRegisterClass(classe);
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into DPTOESCRIT (CODIGODPTOESCRIT, DESCRDPTOESCRIT) values (1, 'Recepção'), (2, 'Fiscal')");
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (7, 'ana', 'Ana Souza')");
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (5, 'Livro Diário', 1825, '0', 0, '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (2, 1, 1, '1', '1')");
        ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, DESCRDOCEMP) "
                          "values (1, 5, 2, 1, '2026-12-01', 'Livro Diário 2026')");
        m_documentos = std::make_unique<TLyrDMProtocoloDocEmp>();
        m_documentos->DataModuleCreate();
        m_documentos->Abrir({{QStringLiteral("DataLctoPro_MAIORIGUAL"), QDate(2026, 12, 1)},
                             {QStringLiteral("DataLctoPro_MENORIGUAL"), QDate(2026, 12, 31)}});
        m_documentos->CriarDetalhe();
        m_movimentos = dynamic_cast<TLyrDMProtocoloDocMovimento*>(m_documentos->Detalhe("TLyrDMProtocoloDocMovimento"));
        ASSERT_NE(m_movimentos, nullptr);
    }

    TnClientDataSet& Ds() { return m_movimentos->nClientDataSet; }

    // A new movement to department `departamento` (internal) or out (external, 0).
    void Novo(int departamento, const QString& observacao = {})
    {
        Ds().Append();
        Ds().FieldByName("TIPOLOCAL").SetValue(departamento ? "1" : "2");
        if (departamento)
            Ds().FieldByName("CODIGODPTOESCRIT").SetValue(departamento);
        Ds().FieldByName("OBSERVACAO").SetValue(observacao);
    }

    // The refusal of posting the row being typed; the row stays as it was.
    QString RecusaAoGravar()
    {
        const TnDataSetState estado = Ds().State();
        const QString mensagem = Recusa([&] { Ds().Post(); });
        EXPECT_EQ(Ds().State(), estado) << "the row stays as typed";
        return mensagem;
    }

    int Movimentos() { return Valor("select count(*) from PROTOCOLODOCMOVIMENTO").toInt(); }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TLyrDMProtocoloDocEmp> m_documentos;
    TLyrDMProtocoloDocMovimento* m_movimentos = nullptr;
};

} // namespace

TEST_F(MovimentoDoc, SoAUltimaMudaOuSaiENovaDifereDaAnterior)
{
    Novo(1);
    Ds().Post();
    EXPECT_EQ(Valor("select DATALCTOPRO from PROTOCOLODOCMOVIMENTO where SEQDOCEMP = 1").toDate(), QDate(2026, 12, 1))
        << "the document's launch date";
    EXPECT_EQ(Valor("select CODIGOUSUARIO from PROTOCOLODOCMOVIMENTO where SEQDOCEMP = 1").toInt(), 1);
    EXPECT_EQ(Valor("select ORIGEMDADO from PROTOCOLODOCMOVIMENTO where SEQDOCEMP = 1").toInt(), 2);
    Novo(1);
    Ds().Post();  // the comparison starts with the third movement
    Novo(1);
    EXPECT_EQ(RecusaAoGravar(), kIgual);
    Ds().FieldByName("CODIGOUSUARIORESP").SetValue(7);  // the same department, now to Ana: another destination
    Ds().Post();
    EXPECT_EQ(Ds().FieldByName("SEQDOCEMP").AsInteger(), 3);

    Ds().Edit();
    Ds().FieldByName("CODIGOUSUARIORESP").Clear();
    EXPECT_EQ(RecusaAoGravar(), kIgual) << "the newest changed into the one before it";
    Ds().FieldByName("CODIGODPTOESCRIT").SetValue(2);
    Ds().Post();

    Ds().First();
    Ds().Edit();
    Ds().FieldByName("OBSERVACAO").SetValue("corrigido");
    EXPECT_EQ(RecusaAoGravar(), "Somente é permitido alterar a última movimentação.");
    Ds().Cancel();
    EXPECT_EQ(Recusa([&] { Ds().Delete(); }), "Somente é permitido excluir a última movimentação.");
    Ds().Last();
    Ds().Delete();
    EXPECT_EQ(Movimentos(), 2);
}

// Another screen added a movement since this grid was read: the grid's
// newest is no longer the newest.
TEST_F(MovimentoDoc, UltimaEAdoBancoNaoADaGrade)
{
    Novo(1);
    Ds().Post();
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, DATALCTOPRO, DATAHORA, "
                      "CODIGOUSUARIO, ORIGEMDADO) values (1, 2, '1', 2, '2026-12-01', '2026-12-08 10:00:00', 1, 2)");
    Ds().Edit();
    Ds().FieldByName("OBSERVACAO").SetValue("na recepção");
    EXPECT_EQ(RecusaAoGravar(), "Somente é permitido alterar a última movimentação.");
    Ds().Cancel();
    EXPECT_EQ(Recusa([&] { Ds().Delete(); }), "Somente é permitido excluir a última movimentação.");
}

// A new external movement asks for its protocol; the dialog shows only what
// the user may change, proposes "Saída" and the document's description, and
// the code written comes back into the movement, which then stays.
TEST_F(MovimentoDoc, ProtocoloDaMovimentacaoExternaFicaLigadoEImpedeExcluir)
{
    Novo(1);
    Ds().Post();
    Novo(0, QStringLiteral("  Entregue ao contador da empresa  "));
    QStringList mostrados;
    m_usuario->Esperar("Deseja gerar um protocolo desta movimentação?", "Sim")
        .EsperarProcesso("Gerar Protocolo Individual", [&](TnDMPowerParam& processo) {
            for (const TnpqParamItem* item : processo.npqPowerParam.Itens()) {
                if (item->ParType == TnParType::npqptUser)
                    mostrados.append(item->Alias);
            }
            EXPECT_EQ(processo.Param("pNatureza"), "1") << "external: outgoing";
            EXPECT_EQ(processo.Param("pObservacao"), "Livro Diário 2026");
            EXPECT_EQ(processo.Param("pFormaEntrega"), "1");
            processo.Processar();
        });
    Ds().Post();
    m_usuario->Verificar();
    EXPECT_EQ(mostrados, QStringList({"pObservacao", "pFormaEntrega", "pNatureza", "pDescricaoItem"}));
    const qint64 protocolo = Ds().FieldByName("CODIGOPROTOCOLO").AsLargeInt();
    ASSERT_GT(protocolo, 0);
    EXPECT_EQ(Valor(QStringLiteral("select CODIGOPROTOCOLO from PROTOCOLODOCMOVIMENTO where SEQDOCEMP = 2")).toLongLong(), protocolo);
    const QString doProtocolo = QStringLiteral(" from PROTOCOLO where CODIGOPROTOCOLO = %1").arg(protocolo);
    EXPECT_EQ(Valor("select NATUREZAPRO" + doProtocolo).toString(), "1");
    EXPECT_EQ(Valor("select CODIGOEMPRESA * 100 + CODIGOESTAB" + doProtocolo).toInt(), 201);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = " + QString::number(protocolo)).toInt(), 1);
    EXPECT_EQ(Valor("select DESCRITEM from PROTOCOLOITEM where CODIGOPROTOCOLO = " + QString::number(protocolo)).toString(),
              "Entregue ao contador da empresa");

    EXPECT_EQ(Recusa([&] { Ds().Delete(); }), "Impossível excluir movimentação com Protocolo ativo.");
    m_usuario->Esperar("Esta movimentação já possui protocolo!", "OK");
    m_movimentos->actGerarProtocolo();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 1);
}

// "Não" leaves the movement without protocol; the button asks again, and a
// dialog closed without executing writes nothing. An older movement gets none.
TEST_F(MovimentoDoc, SemProtocoloAteOUsuarioExecutar)
{
    Novo(0);
    m_usuario->Esperar("Deseja gerar um protocolo", "Não");
    Ds().Post();
    m_usuario->EsperarProcesso("Gerar Protocolo Individual");
    m_movimentos->actGerarProtocolo();
    m_usuario->Verificar();
    EXPECT_TRUE(Ds().FieldByName("CODIGOPROTOCOLO").IsNull());
    Novo(1);
    Ds().Post();
    Ds().First();
    m_movimentos->actGerarProtocolo();  // not the newest: nothing asked
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 0);
}

// Another user moved the document while the protocol dialog was open: the
// protocol would belong to no movement, so none is written.
TEST_F(MovimentoDoc, ProtocoloEVinculoNaMesmaTransacao)
{
    Novo(0);
    m_usuario->Esperar("Deseja gerar um protocolo", "Não");
    Ds().Post();
    QString recusa;
    m_usuario->EsperarProcesso("Gerar Protocolo Individual", [&](TnDMPowerParam& processo) {
        ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, DATALCTOPRO, DATAHORA, "
                          "CODIGOUSUARIO, ORIGEMDADO) values (1, 2, '1', 1, '2026-12-01', '2026-12-08 10:00:00', 1, 2)");
        processo.SetParam("pDescricaoItem", "Devolução");
        recusa = Recusa([&] { processo.Processar(); });
        EXPECT_TRUE(processo.Param("pCodigoPro").isEmpty());
    });
    m_movimentos->actGerarProtocolo();
    m_usuario->Verificar();
    EXPECT_TRUE(recusa.startsWith("A movimentação foi alterada por outro usuário")) << recusa.toStdString();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), 0);
    EXPECT_TRUE(Ds().FieldByName("CODIGOPROTOCOLO").IsNull());
}

// Until the archive lands, the archived mark is set by hand.
TEST_F(MovimentoDoc, DocumentoArquivadoNaoRecebeMovimentacao)
{
    Novo(1);
    Ds().Post();
    ExecutarSQLDireto("update PROTOCOLODOCEMP set ARQUIVADO = '1' where CODIGODOCEMP = 1");
    Novo(2);
    EXPECT_EQ(RecusaAoGravar(), "O tramite do documento foi encerrado, pois o mesmo já está guardado no envelope.");
    Ds().Cancel();
    try {
        m_movimentos->actGerarProtocolo();
        ADD_FAILURE() << "an archived document gets no protocol";
    } catch (const EnField& erro) {
        EXPECT_EQ(erro.Campo(), "SEQDOCEMP");
        EXPECT_EQ(erro.Mensagem(), "Documento arquivado! Impossível gerar protocolo.");
    }
    Ds().Delete();
    EXPECT_EQ(Movimentos(), 0) << "the newest movement without protocol may still go";
}

// The individual protocol on its own: the establishment's form of delivery
// unless one is chosen, its checks, and a failed write that leaves nothing.
TEST_F(MovimentoDoc, ProtocoloIndividualUmItemEOCodigoDevolvido)
{
    auto processo = CriarDM<TLyrDPGerarProIndividual>("TLyrDPGerarProIndividual");
    ASSERT_NE(processo, nullptr);
    const auto preencher = [&](const QString& estab, const QString& forma, const QString& documento) {
        processo->LimparParamsINI();
        processo->SetParam("pCodigoEmpresa", "2");
        processo->SetParam("pCodigoEstab", estab);
        processo->SetParam("pDataLctoPro", "01/12/2026");
        processo->SetParam("pObservacao", "  como digitado ");
        processo->SetParam("pFormaEntrega", forma);
        processo->SetParam("pNatureza", "2");
        processo->SetParam("pDescricaoItem", " Contrato social ");
        processo->SetParam("pCodigoDocumento", documento);
    };
    preencher("1", "", " 1 ");
    processo->Processar();
    const QString codigo = processo->Param("pCodigoPro");
    EXPECT_EQ(codigo, Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO").toString());
    const QString doProtocolo = " from PROTOCOLO where CODIGOPROTOCOLO = " + codigo;
    EXPECT_EQ(Valor("select FORMAENTREGA" + doProtocolo).toString(), "1") << "the establishment's form of delivery";
    EXPECT_EQ(Valor("select OBSERVACAO" + doProtocolo).toString(), "  como digitado ");
    EXPECT_EQ(Valor("select TIPOPRO" + doProtocolo).toInt(), 2);
    EXPECT_EQ(Valor("select DATALCTOPRO" + doProtocolo).toDate(), QDate::currentDate());
    EXPECT_EQ(Valor("select DESCRITEM || '/' || CODIGODOCEMP || '/' || SEQITEMPRO from PROTOCOLOITEM where CODIGOPROTOCOLO = " + codigo)
                  .toString(),
              "Contrato social/1/1");

    preencher("1", "3", "");
    processo->Processar();
    EXPECT_EQ(Valor("select FORMAENTREGA from PROTOCOLO where CODIGOPROTOCOLO = " + processo->Param("pCodigoPro")).toString(), "3");

    preencher("", "", "");
    EXPECT_EQ(Recusa([&] { processo->Processar(); }), "Valor invalido para código da filial.");
    preencher("1", "", "");
    processo->SetParam("pCodigoEmpresa", "dois");
    EXPECT_EQ(Recusa([&] { processo->Processar(); }), "Valor invalido para código da empresa.");

    // The item refused by the database: the protocol goes with it.
    FalharInsercoes("PROTOCOLOITEM");
    preencher("1", "", "");
    EXPECT_TRUE(Recusa([&] { processo->Processar(); }).contains("falha injetada"));
    EXPECT_TRUE(processo->Param("pCodigoPro").isEmpty());
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), 2);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(), 2);
}

// The query of the documents' movements: both kinds, one kind, a person.
TEST_F(MovimentoDoc, ConsultaListaAsMovimentacoesPedidas)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO) "
                      "values (2, 5, 2, 1, '2026-12-02')");
    Novo(1);
    Ds().Post();
    Novo(0);
    m_usuario->Esperar("Deseja gerar um protocolo", "Não");
    Ds().Post();
    Novo(2);
    Ds().FieldByName("CODIGOUSUARIORESP").SetValue(7);
    Ds().Post();
    TLyrDPConsultaDocumento consulta;
    const auto listar = [&](const QString& tipoLocal, const QString& usuarios = {}) {
        consulta.SetParam("pCodigoDocumento", "1;2");
        consulta.SetParam("pTipoLocal", tipoLocal);
        consulta.SetParam("pCodigoUsuario", usuarios);
        consulta.Processar();
        QStringList linhas;
        TnClientDataSet& ds = consulta.nClientDataSet;
        for (ds.First(); !ds.Eof(); ds.Next())
            linhas.append(QStringLiteral("%1/%2 %3 %4 %5").arg(ds.FieldByName("CodigoDocEmp").AsString(), ds.FieldByName("SeqDocEmp").AsString(),
                                                                ds.FieldByName("TipoLocal").AsString(), ds.FieldByName("Departamento").AsString(),
                                                                ds.FieldByName("Responsavel").AsString()).trimmed());
        return linhas;
    };
    EXPECT_EQ(listar("0"), QStringList({"1/1 Interno Recepção", "1/2 Externo", "1/3 Interno Fiscal Ana Souza", "2/"}));
    EXPECT_EQ(listar("1"), QStringList({"1/1 Interno Recepção", "1/3 Interno Fiscal Ana Souza"}));
    EXPECT_EQ(listar("2"), QStringList({"1/2 Externo"}));
    EXPECT_EQ(listar("0", "7"), QStringList({"1/3 Interno Fiscal Ana Souza"}));
    consulta.SetParam("pCodigoDocumento", "");
    EXPECT_EQ(Recusa([&] { consulta.Processar(); }), "Informe o parâmetro \"Documento\".");
    consulta.SetParam("pCodigoDocumento", "1");
    consulta.SetParam("pCodigoEmpresa", "2;3");
    EXPECT_EQ(Recusa([&] { consulta.Processar(); }), "Informe um código só, em números.");
}

// A document lent to a bank: its return date and who answers for it; the
// register says it is out; the list of documents out shows it, overdue
// after its date; back at the office it leaves the list.
TEST_F(MovimentoDoc, DocumentoEmprestadoFicaNaListaAteVoltar)
{
    const QDate hoje = QDate::currentDate();
    Ds().Append();
    EXPECT_TRUE(m_movimentos->EstadoControle("CODIGODPTOESCRIT").habilitado) << "an empty local type counts as internal";
    EXPECT_FALSE(m_movimentos->EstadoControle("DATARETORNOPREV").habilitado);
    Ds().Cancel();
    Novo(0, QStringLiteral("Emprestado ao banco"));
    Ds().FieldByName("DATARETORNOPREV").SetValue(hoje.addDays(-1));
    EXPECT_EQ(RecusaAoGravar(), "O retorno previsto não pode ser anterior à data da movimentação.");
    Ds().FieldByName("DATARETORNOPREV").SetValue(hoje.addDays(10));
    Ds().FieldByName("RESPRETORNO").SetValue("Banco do Brasil, ag. Centro");
    m_usuario->Esperar("Deseja gerar um protocolo", "Não");
    Ds().Post();
    EXPECT_FALSE(m_movimentos->EstadoControle("CODIGODPTOESCRIT").habilitado);
    EXPECT_TRUE(m_movimentos->EstadoControle("DATARETORNOPREV").habilitado);
    m_documentos->DepoisConfigurar(nullptr);
    m_documentos->ConfigurarCampo();
    ASSERT_NE(m_documentos->Rotulo("lblFora"), nullptr);
    EXPECT_EQ(m_documentos->Rotulo("lblFora")->Texto, QStringLiteral("Fora desde %1 (retorno previsto %2)")
                                                        .arg(hoje.toString("dd/MM/yyyy"), hoje.addDays(10).toString("dd/MM/yyyy")));
    EXPECT_TRUE(m_documentos->Rotulo("lblFora")->Visivel);

    EXPECT_TRUE(TLyrDPDocumentosFora::Listar({}, true, hoje).isEmpty()) << "not due yet";
    const QList<TnDocumentoFora> vencidos = TLyrDPDocumentosFora::Listar("2", true, hoje.addDays(15));
    ASSERT_EQ(vencidos.size(), 1);
    EXPECT_EQ(vencidos[0].documento, 1);
    EXPECT_EQ(vencidos[0].diasEmAtraso, 5);
    EXPECT_EQ(vencidos[0].responsavel, "Banco do Brasil, ag. Centro");
    EXPECT_TRUE(TLyrDPDocumentosFora::Listar("3", false, hoje).isEmpty()) << "another company";

    Novo(1, QStringLiteral("Devolvido pelo banco"));
    Ds().Post();
    EXPECT_TRUE(TLyrDPDocumentosFora::Listar({}, false, hoje.addDays(15)).isEmpty());
    EXPECT_FALSE(m_documentos->Rotulo("lblFora")->Visivel) << "the register follows the movement stored";
}
