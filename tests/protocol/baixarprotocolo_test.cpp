// "Baixar Protocolo": what the load lists, the marks (Enter, all, a scanned
// code), and the save that asks the write-off data once per establishment.
#include "baixarprotocolo.h"
#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "sqlservicos.h"

namespace {

class BaixarProtocolos : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        CadastrarFilial(2, 1);
        CadastrarFilial(2, 2);
        CadastrarFilial(3, 1);
        ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
        // Open outgoing protocols of three establishments, one incoming, one written off.
        Protocolo(10, 3, 1, "2026-11-03", "1", "1");
        Protocolo(11, 2, 2, "2026-11-10", "2", "1");
        Protocolo(12, 2, 1, "2026-11-20", "1", "1");
        Protocolo(13, 2, 1, "2026-12-01", "2", "1");
        Protocolo(14, 2, 1, "2026-11-20", "1", "2");
        Protocolo(15, 2, 1, "2026-11-20", "1", "1", true);
        m_processo.DataModuleCreate();
    }

    // A protocol with one item, active unless `itemCancelado`.
    void Protocolo(int codigo, int empresa, int estab, const char* data, const char* tipo, const char* natureza, bool baixado = false,
                   bool itemCancelado = false)
    {
        const QDateTime cadastro(QDate(2026, 11, 1), QTime(9, 0));
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, NATUREZAPRO, "
                          "OBSERVACAO, DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO, DATAHORABAIXA) values (:c, :e, :f, :d, :t, :n, "
                          ":o, :h, 1, 2, :b)",
                          {codigo, empresa, estab, QDate::fromString(QLatin1String(data), Qt::ISODate), tipo, natureza,
                           QStringLiteral("Obs %1").arg(codigo), cadastro,
                           baixado ? QVariant(QDateTime(QDate(2026, 11, 25), QTime(10, 0))) : QVariant()});
        ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, CANCELADO, CODIGOUSUARIO, "
                          "DATAHORACADASTRO, ORIGEMDADO) values (:c, 1, 'Guia', :d, :x, 1, :h, 2)",
                          {codigo, QDate::fromString(QLatin1String(data), Qt::ISODate), itemCancelado ? "1" : "0", cadastro});
    }

    // The protocol codes in the grid, in its order.
    QList<int> Codigos()
    {
        QList<int> codigos;
        TnClientDataSet& grade = m_processo.nClientDataSet;
        for (grade.First(); !grade.Eof(); grade.Next())
            codigos.append(grade.FieldByName("CODIGOPROTOCOLO").AsInteger());
        return codigos;
    }

    // The marks (BAIXAR, ALTERUSER) of the protocol's row.
    QPair<int, int> Marca(int codigo)
    {
        TnClientDataSet& grade = m_processo.nClientDataSet;
        EXPECT_TRUE(grade.Locate("CODIGOPROTOCOLO", codigo)) << codigo;
        return {grade.FieldByName("BAIXAR").AsInteger(), grade.FieldByName("ALTERUSER").AsInteger()};
    }

    void Marcar(int codigo)
    {
        ASSERT_TRUE(m_processo.nClientDataSet.Locate("CODIGOPROTOCOLO", codigo));
        m_processo.InverterMarca();
    }

    QString Baixa(int codigo)
    {
        return Valor(QStringLiteral("select USUARIOEXT from PROTOCOLO where CODIGOPROTOCOLO = %1").arg(codigo)).toString();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPBaixarProtocolo m_processo;
};

} // namespace

TEST_F(BaixarProtocolos, CarregaOsAbertosDaNaturezaComOsFiltros)
{
    m_processo.Processar();
    EXPECT_EQ(Codigos(), QList<int>({10, 11, 12, 13})) << "open, outgoing, by code";
    ASSERT_TRUE(m_processo.nClientDataSet.Locate("CODIGOPROTOCOLO", 11));
    EXPECT_EQ(m_processo.nClientDataSet.FieldByName("TIPOPRO").AsString(), "DOC");
    EXPECT_EQ(m_processo.nClientDataSet.FieldByName("BAIXAR").DisplayText(), "Não");
    EXPECT_EQ(Marca(10), qMakePair(0, 0));

    m_processo.SetParam("pTipo", "2");
    m_processo.Processar();
    EXPECT_EQ(Codigos(), QList<int>({14}));

    m_processo.SetParam("pTipo", "1");
    m_processo.SetParam("pDataInicial", "10/11/2026");
    m_processo.SetParam("pDataFinal", "20/11/2026");
    m_processo.Processar();
    EXPECT_EQ(Codigos(), QList<int>({11, 12})) << "both days of the period included";

    m_processo.SetParam("pDataFinal", "");
    m_processo.SetParam("pCodigoEmpresa", "2");
    m_processo.SetParam("pCodigoProtocolo", "10-12;13");
    m_processo.Processar();
    EXPECT_EQ(Codigos(), QList<int>({11, 12, 13})) << "to today without a final date";

    m_processo.SetParam("pDataInicial", "");
    m_processo.SetParam("pDataFinal", "20/11/2026");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Para informar o período final, é necessário informar a data inicial!");
    m_processo.SetParam("pDataFinal", "");
    // Malformed code lists are refused on their parameter, before any statement.
    for (const char* malformado : {"1-", "a;b", "5-2", "1) or (1=1"}) {
        m_processo.SetParam("pCodigoProtocolo", malformado);
        try {
            m_processo.Processar();
            ADD_FAILURE() << malformado << " aceito";
        } catch (const EnParam& erro) {
            EXPECT_EQ(erro.Alias(), "pCodigoProtocolo") << malformado;
        }
    }
}

TEST_F(BaixarProtocolos, EnterMarcarTodasEOLeitorDeCodigos)
{
    m_processo.Processar();
    Marcar(11);
    EXPECT_EQ(Marca(11), qMakePair(1, 1));
    EXPECT_TRUE(m_processo.TemAlteracao());
    Marcar(11);
    Marcar(11);
    EXPECT_EQ(Marca(11), qMakePair(1, 1)) << "marked, unmarked and marked again";

    // Mark-all covers the hand marks; a second one unmarks every row.
    m_processo.actMarcarTodasExecute();
    for (int codigo : {10, 11, 12, 13})
        EXPECT_EQ(Marca(codigo), qMakePair(1, 1)) << codigo;
    m_processo.actMarcarTodasExecute();
    for (int codigo : {10, 11, 12, 13})
        EXPECT_EQ(Marca(codigo), qMakePair(0, 0)) << codigo;

    // A scanned code marks its row and never unmarks it.
    m_processo.MarcarPeloCodigo(" 12\n");
    m_processo.MarcarPeloCodigo("12");
    EXPECT_EQ(Marca(12), qMakePair(1, 1));
    EXPECT_EQ(m_processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").AsInteger(), 12) << "the scanned row is shown";
    EXPECT_EQ(Recusa([&] { m_processo.MarcarPeloCodigo("15"); }), "Protocolo 15 não está entre os protocolos a baixar.");
    EXPECT_EQ(Recusa([&] { m_processo.MarcarPeloCodigo("12a"); }), "\"12a\" não é um código de protocolo.");
    EXPECT_EQ(Marca(12), qMakePair(1, 1)) << "a refused code keeps the marks";

    EXPECT_EQ(Recusa([&] { m_processo.nClientDataSet.Append(); }), "Não é permitido inserir registros.");
    EXPECT_EQ(m_processo.nClientDataSet.RecordCount(), 4);

    // Cancel loads the protocols again, unmarked.
    m_processo.actCancelarExecute();
    EXPECT_EQ(Marca(12), qMakePair(0, 0));
    EXPECT_FALSE(m_processo.TemAlteracao());
}

// Marked protocols of three establishments: the data is asked once per
// establishment in company and establishment order; the cancelled one keeps
// its protocols open and marked; a protocol written off by another user
// after the load keeps that user's data and stays in the grid, and so does
// one whose items are all cancelled (the register refuses to write it off).
TEST_F(BaixarProtocolos, UmaPerguntaPorFilialNaOrdemECanceladaFicaMarcada)
{
    Protocolo(16, 2, 1, "2026-11-21", "1", "1", false, true);
    m_processo.Processar();
    m_processo.actMarcarTodasExecute();
    ExecutarSQLDireto("update PROTOCOLO set DATAHORABAIXA = :b, USUARIOEXT = 'Outro' where CODIGOPROTOCOLO = 13",
                      {QDateTime(QDate(2026, 12, 2), QTime(8, 0))});
    m_usuario->EsperarDadosBaixa("Maria").EsperarDadosBaixa("").EsperarDadosBaixa("José");
    m_processo.actGravarExecute();
    m_usuario->Verificar();
    QStringList titulos;
    for (const TnPerguntaFeita& pergunta : m_usuario->Perguntas())
        titulos.append(pergunta.titulo);
    EXPECT_EQ(titulos, QStringList({"Baixar Protocolo - Empresa 2, Filial 1 (Empresa 2)", "Baixar Protocolo - Empresa 2, Filial 2 (Empresa 2)",
                                    "Baixar Protocolo - Empresa 3, Filial 1 (Empresa 3)"}));
    EXPECT_EQ(Baixa(12), "Maria");
    EXPECT_EQ(Baixa(13), "Outro") << "not written off twice";
    EXPECT_EQ(Baixa(11), "");
    EXPECT_EQ(Baixa(10), "José");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO where DATAHORABAIXA is not null and DATAHORAENTREGA is not null "
                    "and CODIGOUSUARIOINT = 1").toInt(), 2);
    EXPECT_EQ(Baixa(16), "");
    EXPECT_EQ(Codigos(), QList<int>({11, 13, 16}));
    EXPECT_EQ(Marca(11), qMakePair(1, 1));
    // What was not written off is told under its establishment.
    const QString mensagens = m_processo.MsgTreeLista().ComoTexto();
    EXPECT_TRUE(mensagens.contains("Empresa 2, Filial 1: 1 protocolo(s) baixado(s).\n"
                                   "  [!] Protocolo 16 sem itens ativos não pode ser baixado.\n"
                                   "  [!] Protocolo 13 já havia sido baixado por outro usuário."))
        << mensagens.toStdString();
    EXPECT_TRUE(mensagens.contains("Empresa 2, Filial 2: dados da baixa não informados; 1 protocolo(s) continuam marcados."));
}

// The user who stops the batch at its second question, and a database
// failure in the middle of the save: nothing is written off and every mark
// stays, so the user saves again once the cause is gone.
TEST_F(BaixarProtocolos, InterrompidaOuComFalhaNaoBaixaNadaEMantemAsMarcas)
{
    m_processo.Processar();
    m_processo.actMarcarTodasExecute();
    const auto nadaBaixado = [&](const char* quando) {
        EXPECT_EQ(Valor("select count(*) from PROTOCOLO where DATAHORABAIXA is not null").toInt(), 1) << quando;
        EXPECT_EQ(Codigos(), QList<int>({10, 11, 12, 13})) << quando;
        for (int codigo : {10, 11, 12, 13})
            EXPECT_EQ(Marca(codigo), qMakePair(1, 1)) << quando << ' ' << codigo;
        EXPECT_TRUE(m_processo.TemAlteracao()) << quando;
        EXPECT_EQ(Con().Profundidade(), 0) << quando;
    };

    int perguntas = 0;
    m_usuario->SetMostrarQuestionario([&](TnQuestionario& questionario) {
        EXPECT_EQ(questionario.interromper, "Interromper a baixa");
        if (++perguntas == 2)
            Abort();
        questionario.SetValor("pessoa", "Maria");
        return true;
    });
    EXPECT_THROW(m_processo.actGravarExecute(), EnAbort);
    EXPECT_EQ(perguntas, 2);
    nadaBaixado("interrupted");
    EXPECT_TRUE(m_processo.MsgTreeLista().ComoTexto().contains(
        "Baixa interrompida na Empresa 2, Filial 2: nenhum protocolo foi baixado; os protocolos continuam marcados."));
    m_usuario->SetMostrarQuestionario({});

    if (Con().Banco() == TnBanco::PostgreSQL) {
        ExecutarSQLDireto("create function falha_baixa() returns trigger as $$ begin raise exception 'falha injetada'; end $$ "
                          "language plpgsql");
        ExecutarSQLDireto("create trigger falha_baixa before update on PROTOCOLO for each row when (new.CODIGOPROTOCOLO = 12) "
                          "execute function falha_baixa()");
    } else {
        ExecutarSQLDireto("create trigger falha_baixa before update on PROTOCOLO when new.CODIGOPROTOCOLO = 12 "
                          "begin select raise(abort, 'falha injetada'); end");
    }
    m_usuario->EsperarDadosBaixa("Maria").EsperarDadosBaixa("Paulo").EsperarDadosBaixa("José");
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    EXPECT_TRUE(recusa.startsWith("Nenhum protocolo foi baixado: ")) << recusa.toStdString();
    EXPECT_TRUE(recusa.contains("falha injetada")) << recusa.toStdString();
    EXPECT_TRUE(recusa.endsWith("Os protocolos continuam marcados; grave de novo.")) << recusa.toStdString();
    nadaBaixado("failed");
}
