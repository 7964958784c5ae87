// The pending documents of a competence ticked off as they arrive: the list
// loaded from the pending query, marks, the save that registers each ticked
// document with its first movement (or nothing at all), the dismissal of a
// slot, and another user registering the same slot meanwhile.
#include "classeslyr.h"
#include "consultadocpendente.h"
#include "dialogosroteiro.h"
#include "documentospendentes.h"
#include "painelpendencias.h"
#include "erros.h"
#include "pendenciasteste.h"
#include "registro.h"
#include "sqldataset.h"

#include <future>
#include <thread>

namespace {

class DocumentosPendentes : public TestePendencias {
protected:
    void SetUp() override
    {
        TestePendencias::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        nRegisterClass(InfoDaClasseLyr<TLyrDPConsultaDocPendente>());
        m_processo.DataModuleCreate();
        Carregar("2");
    }

    void Carregar(const QString& empresas)
    {
        m_processo.SetParam("pCompet", "03/2027");
        m_processo.SetParam("pCodigoEmpresa", empresas);
        m_processo.Processar();
    }
    TnClientDataSet& Ds() { return m_processo.nClientDataSet; }
    // "codigo recebido" of every row, in the grid's order.
    QStringList Marcas()
    {
        QStringList marcas;
        for (int linha = 0; linha < Ds().RecordCount(); ++linha)
            marcas.append(QStringLiteral("%1 %2").arg(Ds().ValorNaLinha(linha, Ds().FieldByName("CODIGODOCUMENTO").Index()).toInt())
                              .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("RECEBIDO").Index()).toInt()));
        return marcas;
    }
    void Marcar(int codigo)
    {
        ASSERT_TRUE(Ds().Locate("CODIGODOCUMENTO", double(codigo)));
        m_processo.MarcarUm();
    }
    void Gravar(int responsavel = 1)
    {
        m_usuario->Esperar("Deseja realmente salvar estes documentos como entregues?", "Sim")
            .EsperarQuestionario("Informe o código do usuário responsável pelo documento!", {{"usuario", responsavel}})
            .Esperar("Documentos gravados com sucesso!", "OK");
        m_processo.actGravarExecute();
        m_usuario->Verificar();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPDocumentosPendentes m_processo;
};

} // namespace

TEST_F(DocumentosPendentes, ListaDaConsultaEMarcas)
{
    EXPECT_EQ(Ds().RecordCount(), 12);
    EXPECT_FALSE(Ds().FieldByName("CODIGOEMPRESA").Visible()) << "one company: its code would repeat on every row";
    EXPECT_EQ(Ds().FieldByName("DESCRDOCEMP").AsString(), "Balancete");
    EXPECT_FALSE(m_processo.TemAlteracao());
    // The message tree says why 3/1 has nothing (in the query run for a list).
    Carregar("2;3");
    EXPECT_TRUE(Ds().FieldByName("CODIGOEMPRESA").Visible());
    ASSERT_EQ(m_processo.MsgTreeLista().Linhas().size(), 3);
    EXPECT_EQ(m_processo.MsgTreeLista().Linhas().last().texto, "Grupo 2 não possui tipos de documentos associados a ele!");

    Marcar(502);
    Marcar(503);
    Marcar(503);
    EXPECT_TRUE(m_processo.TemAlteracao());
    EXPECT_EQ(Marcas().mid(0, 4), QStringList({"501 0", "502 1", "503 0", "504 0"})) << "twice is not received";
    EXPECT_EQ(Ds().FieldByName("ALTERUSER").AsInteger(), 0);
    Ds().SetRecNo(4);
    m_processo.MarcarTodos();
    EXPECT_EQ(Ds().RecNo(), 4);
    EXPECT_EQ(Marcas().mid(0, 4), QStringList({"501 1", "502 0", "503 1", "504 1"})) << "each row inverted";

    // A row typed in by hand is numbered after the list.
    Ds().Append();
    EXPECT_EQ(Ds().FieldByName("CODIGODOCUMENTO").AsInteger(), 513);
    Ds().Cancel();
    // Cancelling reads the list again: the marks are gone.
    m_processo.actCancelarExecute();
    EXPECT_FALSE(Marcas().contains("501 1"));
    EXPECT_FALSE(m_processo.TemAlteracao());
}

TEST_F(DocumentosPendentes, GravarRegistraOsMarcadosComOPrimeiroMovimento)
{
    // Nothing ticked: asked, nothing written, no responsible asked.
    m_usuario->Esperar("Deseja realmente salvar", "Sim").Esperar("Documentos gravados com sucesso!", "OK");
    m_processo.actGravarExecute();
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP").toInt(), 1);

    Marcar(502);
    Marcar(510);
    Gravar(2);
    EXPECT_EQ(Ds().RecordCount(), 10);
    EXPECT_FALSE(Ds().Locate("CODIGODOCUMENTO", 502.0));
    EXPECT_FALSE(m_processo.TemAlteracao());
    EXPECT_EQ(Valor("select CODIGOTIPODOC || ' ' || CODIGOEMPRESA || '/' || CODIGOESTAB || ' ' || DESCRDOCEMP || ' ' || ARQUIVADO "
                    "from PROTOCOLODOCEMP where CODIGODOCEMP = 502")
                  .toString(),
              "11 2/1 Folha quinzenal 0");
    EXPECT_EQ(Valor("select DATALCTOPRO from PROTOCOLODOCEMP where CODIGODOCEMP = 510").toDate(), QDate(2027, 3, 1));
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP in (502, 510) and SEQDOCEMP = 1 and TIPOLOCAL = '1' "
                    "and ORIGEMDADO = 2 and CODIGOUSUARIO = 1 and CODIGOUSUARIORESP = 2 and OBSERVACAO = 'Documento recebido em: 01/03/2027'")
                  .toInt(),
              2);
    EXPECT_EQ(Valor("select DATALCTOPRO from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = 502").toDate(), QDate(2027, 3, 1));

    // Gone from the next run; the codes proposed start after them.
    Carregar("2");
    EXPECT_EQ(Ds().RecordCount(), 10);
    Ds().First();
    EXPECT_EQ(Ds().FieldByName("CODIGODOCUMENTO").AsInteger(), 511);
}

TEST_F(DocumentosPendentes, FalhaNoMeioNaoGravaNadaEMantemAGrade)
{
    Marcar(501);
    Marcar(512);
    const QStringList antes = Marcas();
    FalharInsercoes("PROTOCOLODOCMOVIMENTO");
    m_usuario->Esperar("Deseja realmente salvar", "Sim").EsperarQuestionario("responsável", {{"usuario", 1}});
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    EXPECT_TRUE(recusa.startsWith("Operação cancelada! Não foi possível efetuar a operação!\n")) << recusa.toStdString();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP").toInt(), 1) << "no document without its movement";
    EXPECT_EQ(Marcas(), antes) << "the grid as it was, ticks included";
    EXPECT_TRUE(m_processo.TemAlteracao());
}

// Another user registered documents after this list was loaded: the slot
// he registered, or a code he took, stops the save before anything is written.
TEST_F(DocumentosPendentes, OutroUsuarioRegistrouAVagaOuOCodigo)
{
    Documento(501, 2, 1, 11, "2027-03-05");  // stands for the slot of 502 and takes 501
    Marcar(502);
    m_usuario->Esperar("Deseja realmente salvar", "Sim").EsperarQuestionario("responsável", {{"usuario", 1}});
    EXPECT_EQ(Recusa([&] { m_processo.actGravarExecute(); }),
              "Operação cancelada! Não foi possível efetuar a operação!\nO documento do tipo 11 de 01/03/2027 da filial 2/1 já foi registrado "
              "por outro usuário (documento 501). Execute novamente para atualizar a lista.");
    Marcar(502);
    Marcar(501);
    m_usuario->Esperar("Deseja realmente salvar", "Sim").EsperarQuestionario("responsável", {{"usuario", 1}});
    EXPECT_EQ(Recusa([&] { m_processo.actGravarExecute(); }),
              "Operação cancelada! Não foi possível efetuar a operação!\nO código 501 já foi usado por outro documento, registrado depois que "
              "esta lista foi carregada. Execute novamente para atualizar a lista.");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP").toInt(), 2);
}

TEST_F(DocumentosPendentes, BaixaJustificadaTiraDaListaAteSerDesfeita)
{
    ASSERT_TRUE(Ds().Locate("CODIGODOCUMENTO", 504.0));
    m_usuario->EsperarQuestionario("Baixa justificada", {{"motivo", ""}}).Esperar("Informe o motivo da baixa.", "OK")
        .EsperarQuestionario("Baixa justificada", {{"motivo", "Sem movimento em março"}});
    m_processo.BaixaJustificada();
    m_usuario->Verificar();
    EXPECT_EQ(Ds().RecordCount(), 11);
    EXPECT_EQ(Valor("select MOTIVO || ' ' || CODIGOUSUARIO || ' ' || CODIGOTIPODOC from PROTOCOLODOCBAIXAJUST where CODIGOEMPRESA = 2 "
                    "and CODIGOESTAB = 1 and DATALCTOPRO = '2027-03-01'")
                  .toString(),
              "Sem movimento em março 1 12");
    Carregar("2");
    EXPECT_EQ(Ds().RecordCount(), 11);
    ExecutarSQLDireto("delete from PROTOCOLODOCBAIXAJUST");
    Carregar("2");
    EXPECT_EQ(Ds().RecordCount(), 12) << "undone, the slot is pending again";
}

// The dashboard counts what the pending query lists, per establishment and
// per type, and draws the companies that owe most.
TEST_F(DocumentosPendentes, PainelContaOQueAConsultaLista)
{
    Documento(600, 2, 2, 12, "2027-03-02");
    TLyrDPConsultaDocPendente consulta;
    consulta.DataModuleCreate();
    TLyrDPPainelPendencias painel;
    painel.DataModuleCreate();
    for (TnDMPowerParam* processo : std::initializer_list<TnDMPowerParam*>{&consulta, &painel}) {
        processo->SetParam("pCompet", "03/2027");
        processo->Processar();
    }
    QMap<QString, int> porFilial;
    QMap<int, int> porTipo;
    for (consulta.nClientDataSet.First(); !consulta.nClientDataSet.Eof(); consulta.nClientDataSet.Next()) {
        ++porFilial[consulta.nClientDataSet.FieldByName("CODIGOEMPRESA").AsString() + "/" + consulta.nClientDataSet.FieldByName("CODIGOESTAB").AsString()];
        ++porTipo[consulta.nClientDataSet.FieldByName("CODIGOTIPODOC").AsInteger()];
    }
    QMap<QString, int> doPainel;
    QStringList ordem;
    for (painel.nClientDataSet.First(); !painel.nClientDataSet.Eof(); painel.nClientDataSet.Next()) {
        const QString filial = painel.nClientDataSet.FieldByName("CODIGOEMPRESA").AsString() + "/" + painel.nClientDataSet.FieldByName("CODIGOESTAB").AsString();
        doPainel.insert(filial, painel.nClientDataSet.FieldByName("PENDENTES").AsInteger());
        ordem.append(filial);
    }
    EXPECT_EQ(doPainel, porFilial);
    EXPECT_EQ(ordem, QStringList({"2/1", "2/2"})) << "who owes most first";
    EXPECT_EQ(painel.nClientDataSet.FieldByName("NOMEEMPRESA").AsString(), "Empresa 2");
    QMap<int, int> tiposDoPainel;
    for (painel.PorTipo.First(); !painel.PorTipo.Eof(); painel.PorTipo.Next())
        tiposDoPainel.insert(painel.PorTipo.FieldByName("CODIGOTIPODOC").AsInteger(), painel.PorTipo.FieldByName("PENDENTES").AsInteger());
    EXPECT_EQ(tiposDoPainel, porTipo);
    ASSERT_EQ(painel.Grafico.Barras().size(), 1) << "one company owes";
    EXPECT_EQ(painel.Grafico.Barras().first(), (QPair<QString, double>{"2 - Empresa 2", double(consulta.nClientDataSet.RecordCount())}));
}

// Two users ticked the same slot off the same list: the second save waits
// for the first and is refused; one document, not two.
TEST_F(DocumentosPendentes, DoisUsuariosNaMesmaVagaGravamUmSoDocumento)
{
    std::promise<void> travou;
    std::thread outroUsuario([&] {
        std::unique_ptr<nDMConexao> conexao = OutraConexao();
        conexao->StartTransaction(1);
        conexao->TravarNumeracao("PROTOCOLODOCEMP");
        TnSQLDataSet insercao(*conexao);
        insercao.SetCommandText("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                                "values (502, 11, 2, 1, '2027-03-01', '0')");
        insercao.ExecSQL();
        travou.set_value();
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        conexao->Commit(1);
    });
    travou.get_future().wait();
    Marcar(502);
    m_usuario->Esperar("Deseja realmente salvar", "Sim").EsperarQuestionario("responsável", {{"usuario", 1}});
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    outroUsuario.join();
    EXPECT_TRUE(recusa.contains("já foi registrado por outro usuário (documento 502)")) << recusa.toStdString();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP where CODIGOTIPODOC = 11").toInt(), 1);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO").toInt(), 0);
}
