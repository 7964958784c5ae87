// Archiving documents into a box: the list with its envelopes proposed,
// the marks and their guards, the reader line, and the save that writes the
// archive, the flags, the movements and the new envelopes in one
// transaction, or nothing.
#include "arquivardocs.h"
#include "arquivo.h"
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QRegularExpression>

namespace {

// Box 3 of establishment 2/1 with envelopes 1 to 4. Types 1 "Notas" and 2
// "Folha" ask for their own envelope, 3 and 4 do not. Not archived: 101 and
// 102 (type 1), 103 (2), 104 (3), 105 (4); 106 (type 1) lies in envelope 2,
// archived by movement 1; 201 belongs to 3/1.
class ArquivarDocs : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        RegistrarCadastrosHost();
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocCaixa>());
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (1, 'Sala 1')");
        ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL) values (3, 2, 1, 1)");
        ExecutarSQLDireto("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE, DESCRENVELOPE) values (3, 1, 'A'), (3, 2, 'B'), "
                          "(3, 3, 'C'), (3, 4, 'D')");
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, GERARENVELOPE) "
                          "values (1, 'Notas', 0, '0', 0, '1'), (2, 'Folha', 0, '0', 0, '1'), (3, 'Recibos', 0, '0', 0, '0'), "
                          "(4, 'Extratos', 0, '0', 0, '0')");
        ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) values "
                          "(101, 1, 2, 1, '2026-10-01', '0'), (102, 1, 2, 1, '2026-11-01', '0'), (103, 2, 2, 1, '2026-11-01', '0'), "
                          "(104, 3, 2, 1, '2026-11-01', '0'), (105, 4, 2, 1, '2026-11-01', '0'), (106, 1, 2, 1, '2026-09-01', '1'), "
                          "(201, 1, 3, 1, '2026-11-01', '0')");
        ExecutarSQLDireto("insert into PROTOCOLODOCARQUIVO (CODIGOCAIXA, CODIGOENVELOPE, CODIGODOCEMP) values (3, 2, 106)");
        ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, OBSERVACAO, TIPOLOCAL, DATALCTOPRO, DATAHORA, CODIGOUSUARIO, "
                          "ORIGEMDADO) values (106, 1, 'Arquivado em 02/09/2026 10:00  -  Caixa 3', '1', '2026-09-01', '2026-09-02 10:00:00', 1, 2)");
        m_processo.DataModuleCreate();
        Carregar("0");
    }

    void Carregar(const QString& somenteArquivados)
    {
        m_processo.SetParam("pCodigoCaixaPro", "3");
        m_processo.SetParam("pSomenteArq", somenteArquivados);
        m_processo.Processar();
    }
    TnClientDataSet& Ds() { return m_processo.nClientDataSet; }
    // "documento:envelope:status" of every row, in the grid's order.
    QStringList Linhas()
    {
        QStringList linhas;
        for (int linha = 0; linha < Ds().RecordCount(); ++linha)
            linhas.append(QStringLiteral("%1:%2:%3")
                              .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("CODIGODOCEMP").Index()).toLongLong())
                              .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("CodigoEnvelope").Index()).toInt())
                              .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("Status").Index()).toInt()));
        return linhas;
    }
    void IrPara(int documento) { ASSERT_TRUE(Ds().Locate("CODIGODOCEMP", documento)); }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPArquivarDocs m_processo;
};

} // namespace

TEST_F(ArquivarDocs, ListaComEnvelopesPropostosEMarcas)
{
    // By type, status, date: the archived keeps its envelope; types 1 and 2
    // get one new envelope each after the box's highest (4), 3 and 4 share one.
    EXPECT_EQ(Linhas(), QStringList({"106:2:1", "101:5:2", "102:5:2", "103:6:2", "104:7:2", "105:7:2"}));
    Carregar("1");
    EXPECT_EQ(Linhas(), QStringList({"106:2:1"})) << "the archived only";
    m_processo.SetParam("pDataFinal", "01/10/2026");
    Carregar("0");
    EXPECT_EQ(Ds().RecordCount(), 6) << "a final date alone filters nothing";
    m_processo.SetParam("pDataInicial", "15/10/2026");
    m_processo.SetParam("pDataFinal", "");
    Carregar("0");
    EXPECT_EQ(Ds().RecordCount(), 4) << "from the initial date to today";
    m_processo.SetParam("pDataInicial", "");
    Carregar("0");

    // Removal marks only on the archived; the archived row is not edited
    // or deleted by hand.
    IrPara(101);
    m_processo.actMarcarRemoverExecute();
    EXPECT_FALSE(m_processo.TemAlteracao());
    IrPara(106);
    EXPECT_EQ(Recusa([&] { Ds().Edit(); }), "Impossivel alterar documento arquivado!");
    EXPECT_EQ(Recusa([&] { Ds().Delete(); }), "Impossivel excluir documento arquivado");
    m_processo.actMarcarExecute();
    EXPECT_EQ(Linhas().first(), "106:2:1") << "marking does not touch the archived";
    m_processo.actMarcarRemoverExecute();
    EXPECT_EQ(Linhas().first(), "106:2:4");
    m_processo.actMarcarTodasExecute();
    EXPECT_EQ(Linhas(), QStringList({"106:2:4", "101:5:3", "102:5:3", "103:6:3", "104:7:3", "105:7:3"}));
    m_processo.actMarcarTodasExecute();
    m_processo.actMarcarRemoverTodasExecute();
    EXPECT_EQ(Linhas().first(), "106:2:4");
    m_processo.actMarcarRemoverTodasExecute();
    EXPECT_EQ(Linhas(), QStringList({"106:2:1", "101:5:2", "102:5:2", "103:6:2", "104:7:2", "105:7:2"})) << "each pressed twice";

    // The reader line: a label's ten digits mark the row, or say why not.
    m_processo.MarcarPeloCodigo("0000000103");
    EXPECT_EQ(Linhas()[3], "103:6:3");
    EXPECT_EQ(Recusa([&] { m_processo.MarcarPeloCodigo("0000000106"); }), "O documento 106 já está arquivado nesta caixa.");
    EXPECT_EQ(Recusa([&] { m_processo.MarcarPeloCodigo("0000000201"); }),
              "O documento 201 é da filial 3/1, não da filial 2/1 desta caixa.");
    EXPECT_EQ(Recusa([&] { m_processo.MarcarPeloCodigo("999"); }), "Documento 999 não encontrado.");
}

TEST_F(ArquivarDocs, GravarArquivaRemoveECriaEnvelopes)
{
    for (int documento : {101, 103, 104})
        (IrPara(documento), m_processo.actMarcarExecute());
    IrPara(106);
    m_processo.actMarcarRemoverExecute();
    // A document moved to envelope 9 by hand: not in the box, not proposed.
    IrPara(105);
    m_processo.actMarcarExecute();
    Ds().Edit();
    Ds().FieldByName("CodigoEnvelope").SetValue(9);
    Ds().Post();
    m_usuario->Esperar("Envelope 9 não cadastrado para caixa 3!", "OK").EsperarInputBox("Descrição do Envelope", QStringLiteral("Avulsos"));
    m_processo.actGravarExecute();
    m_usuario->Verificar();

    EXPECT_EQ(Linhas(), QStringList({"101:5:1", "106:10:2", "102:10:2", "103:6:1", "104:7:1", "105:9:1"}))
        << "read again: the rest of type 1 proposed a new envelope after the highest (9)";
    EXPECT_FALSE(m_processo.TemAlteracao());
    const auto envelopes = ExecutarSQL("select CODIGOENVELOPE, DESCRENVELOPE from PROTOCOLODOCENVELOPE where CODIGOCAIXA = 3 and CODIGOENVELOPE > 4 "
                                       "order by 1");
    QStringList criados;
    for (int linha = 0; linha < envelopes->RecordCount(); ++linha)
        criados.append(envelopes->Valor(linha, 0).toString() + " " + envelopes->Valor(linha, 1).toString());
    EXPECT_EQ(criados, QStringList({"5 Notas", "6 Folha", "7 Documentos diversos", "9 Avulsos"})) << "the proposed descriptions, asked for 9 only";
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP where ARQUIVADO = '1'").toInt(), 4);
    EXPECT_TRUE(Valor("select OBSERVACAO from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = 101 and SEQDOCEMP = 1")
                    .toString()
                    .contains(QRegularExpression("^Arquivado em \\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d  -  Caixa 3$")));
    EXPECT_EQ(Valor("select DATALCTOPRO from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = 101").toDate(), QDate(2026, 10, 1));
    // 106 taken out: its archiving movement, its flag and its row gone.
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = 106").toInt(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCARQUIVO where CODIGODOCEMP = 106").toInt(), 0);

    // A failure in the middle writes nothing, envelopes included.
    IrPara(102);
    m_processo.actMarcarExecute();
    FalharInsercoes("PROTOCOLODOCMOVIMENTO");
    const QString recusa = Recusa([&] { m_processo.actGravarExecute(); });
    EXPECT_TRUE(recusa.contains("falha injetada")) << recusa.toStdString();
    EXPECT_EQ(Valor("select ARQUIVADO from PROTOCOLODOCEMP where CODIGODOCEMP = 102").toString(), "0");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCENVELOPE where CODIGOCAIXA = 3").toInt(), 8);
}

// A box that is not registered may be registered from here, its code typed.
TEST_F(ArquivarDocs, CaixaNaoCadastradaPodeSerCadastrada)
{
    nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocEnvelope>());
    m_usuario->Esperar("A caixa informada não foi encontrada!", "Sim").EsperarCadastro("Caixas de Documentos", [](TnDMClientDataSet& caixa) {
        EXPECT_EQ(caixa.nClientDataSet.State(), TnDataSetState::dsInsert);
        EXPECT_EQ(caixa.FieldByName("CODIGOCAIXA").AsInteger(), 77);
        caixa.CriarDetalhe();
        EXPECT_EQ(caixa.Detalhes().size(), 1u) << "its envelopes under it, once";
    });
    m_processo.SetParam("pCodigoCaixaPro", "77");
    m_processo.Processar();
    m_usuario->Verificar();
    EXPECT_EQ(Ds().RecordCount(), 0);
}
