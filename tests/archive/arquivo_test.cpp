// The archive's registers: places with distinct descriptions, boxes whose
// final competence is kept as the month's last day, envelopes numbered
// within their box, and archive rows that mark their document archived.
#include "arquivo.h"
#include "consultadocumentoscaixa.h"
#include "consultalocalcaixas.h"
#include "descarte.h"
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "sqlservicos.h"

namespace {

// Place 1 "Sala 1"; establishment 2/1 with documents 57 and 58 of type 1;
// box 1 of 2/1 in place 1.
class Arquivo : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        RegistrarCadastrosHost();
        for (const TnInfoClasse& classe :
             {InfoDaClasseLyr<TLyrDMProtocoloLocalCaixa>(), InfoDaClasseLyr<TLyrDMProtocoloDocCaixa>(), InfoDaClasseLyr<TLyrDMProtocoloDocEnvelope>(),
              InfoDaClasseLyr<TLyrDMProtocoloDocArquivo>()})
            nRegisterClass(classe);
        CadastrarFilial(2, 1);
        ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (1, 'Sala 1')");
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, GERARENVELOPE) "
                          "values (1, 'Extrato', 1825, '0', 0, '0')");
        ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                          "values (57, 1, 2, 1, '2026-11-01', '0'), (58, 1, 2, 1, '2026-11-01', '0')");
        ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL) values (1, 2, 1, 1)");
    }
};

} // namespace

TEST_F(Arquivo, LocaisComDescricoesDistintas)
{
    TLyrDMProtocoloLocalCaixa locais;
    locais.Abrir();
    TnClientDataSet& ds = locais.nClientDataSet;
    ds.Append();
    ds.FieldByName("DESCRLOCAL").SetValue("Sala 1");
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Já existe cadastrado um local com a mesma descrição.");
    ds.Cancel();
    ds.Append();
    ds.FieldByName("DESCRLOCAL").SetValue("Depósito");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("CODIGOLOCAL").AsInteger(), 2);
    ds.Edit();
    ds.FieldByName("DESCRLOCAL").SetValue("Sala 1");
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Já existe cadastrado um local com a mesma descrição.");
    ds.Cancel();
    ASSERT_TRUE(ds.Locate("CODIGOLOCAL", 1));
    ds.Edit();
    ds.FieldByName("DESCRLOCAL").SetValue("SALA 1");
    ds.Post();
    EXPECT_EQ(Valor("select DESCRLOCAL from PROTOCOLOLOCALCAIXA where CODIGOLOCAL = 1").toString(), "SALA 1");
    ds.Append();
    ds.FieldByName("CODIGOLOCAL").SetValue(10000);
    ds.FieldByName("DESCRLOCAL").SetValue("Arquivo morto");
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "Código do local inválido!");
    ds.Cancel();
}

TEST_F(Arquivo, CaixaTerminaNoUltimoDiaEEnvelopesNumeradosNaCaixa)
{
    TLyrDMProtocoloDocCaixa caixas;
    caixas.DataModuleCreate();
    caixas.Abrir();
    caixas.CriarDetalhe();
    TnClientDataSet& ds = caixas.nClientDataSet;
    const auto novaCaixa = [&](const QVariant& inicial, const QVariant& final) {
        ds.Append();
        for (const auto& [campo, valor] : {std::pair{"CODIGOEMPRESA", QVariant(2)}, std::pair{"CODIGOESTAB", QVariant(1)},
                                           std::pair{"CODIGOLOCAL", QVariant(1)}, std::pair{"COMPETINICIAL", inicial},
                                           std::pair{"COMPETFINAL", final}})
            ds.FieldByName(campo).SetValue(valor);
    };
    novaCaixa(QDate(2021, 1, 1), QDate(2021, 12, 5));
    ds.Post();
    EXPECT_EQ(Valor("select COMPETFINAL from PROTOCOLODOCCAIXA where CODIGOCAIXA = 2").toDate(), QDate(2021, 12, 31));
    novaCaixa(QDate(2024, 1, 1), QDate(2024, 2, 1));
    ds.Post();
    EXPECT_EQ(Valor("select COMPETFINAL from PROTOCOLODOCCAIXA where CODIGOCAIXA = 3").toDate(), QDate(2024, 2, 29)) << "a leap February";
    novaCaixa(QDate(2024, 1, 1), QVariant());
    ds.Post();
    EXPECT_TRUE(Valor("select COMPETFINAL from PROTOCOLODOCCAIXA where CODIGOCAIXA = 4").isNull());
    novaCaixa(QDate(2024, 5, 1), QDate(2024, 3, 1));
    EXPECT_EQ(Recusa([&] { ds.Post(); }), "A competência final não pode ser anterior à competência inicial.");
    ds.Cancel();

    // Each box numbers its own envelopes from 1.
    TnDMClientDataSet* envelopes = caixas.Detalhe("TLyrDMProtocoloDocEnvelope");
    ASSERT_NE(envelopes, nullptr);
    EXPECT_FALSE(envelopes->FieldByName("CODIGOCAIXA").Visible());
    for (int caixa : {1, 2}) {
        ASSERT_TRUE(ds.Locate("CODIGOCAIXA", caixa));
        envelopes->nClientDataSet.Append();
        envelopes->FieldByName("DESCRENVELOPE").SetValue("Extratos");
        envelopes->nClientDataSet.Post();
        EXPECT_EQ(envelopes->FieldByName("CODIGOENVELOPE").AsInteger(), 1);
    }
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCENVELOPE where CODIGOENVELOPE = 1").toInt(), 2);
}

// The archive row and its document's flag together: a row refused (an
// envelope that does not exist) leaves the document as it was.
TEST_F(Arquivo, LinhaDoArquivoMarcaSoOSeuDocumento)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE, DESCRENVELOPE) values (1, 1, 'Extratos')");
    TLyrDMProtocoloDocArquivo arquivo;
    arquivo.Abrir();
    TnClientDataSet& ds = arquivo.nClientDataSet;
    const auto arquivar = [&](int envelope, int documento) {
        ds.Append();
        ds.FieldByName("CODIGOCAIXA").SetValue(1);
        ds.FieldByName("CODIGOENVELOPE").SetValue(envelope);
        ds.FieldByName("CODIGODOCEMP").SetValue(documento);
        return Recusa([&] { ds.Post(); });
    };
    EXPECT_EQ(arquivar(1, 57), "");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP where ARQUIVADO = '1'").toInt(), 1);
    EXPECT_EQ(Valor("select ARQUIVADO from PROTOCOLODOCEMP where CODIGODOCEMP = 57").toString(), "1");
    EXPECT_FALSE(arquivar(9, 58).isEmpty());
    ds.Cancel();
    EXPECT_EQ(Valor("select ARQUIVADO from PROTOCOLODOCEMP where CODIGODOCEMP = 58").toString(), "0");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCARQUIVO").toInt(), 1);
}

// Which boxes lie where: by place, box, company and establishment, and by
// a competence range both ends of a box must lie in (a side left out open).
TEST_F(Arquivo, LocalDasCaixasPorPeriodoELocal)
{
    ExecutarSQLDireto("insert into PROTOCOLOLOCALCAIXA (CODIGOLOCAL, DESCRLOCAL) values (2, 'Depósito')");
    ExecutarSQLDireto("update PROTOCOLODOCCAIXA set COMPETINICIAL = '2025-01-01', COMPETFINAL = '2025-06-30' where CODIGOCAIXA = 1");
    ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, COMPETINICIAL, COMPETFINAL, CODIGOLOCAL) values "
                      "(2, 2, 1, '2025-07-01', '2025-12-31', 2), (3, 2, 1, '2026-01-01', null, 2)");
    TLyrDPConsultaProtocoloLocalCaixas consulta;
    consulta.DataModuleCreate();
    const auto caixas = [&](const QString& de, const QString& ate, const QString& locais) {
        consulta.SetParam("pDataInicial", de);
        consulta.SetParam("pDataFinal", ate);
        consulta.SetParam("pCodigoLocal", locais);
        consulta.Processar();
        QStringList lidas;
        for (consulta.nClientDataSet.First(); !consulta.nClientDataSet.Eof(); consulta.nClientDataSet.Next())
            lidas.append(consulta.nClientDataSet.FieldByName("CodigoCaixa").AsString() + "@" + consulta.nClientDataSet.FieldByName("CodigoLocal").AsString());
        return lidas.join(' ');
    };
    EXPECT_EQ(caixas("", "", ""), "1@1 2@2 3@2");
    EXPECT_EQ(caixas("", "", "2"), "2@2 3@2");
    EXPECT_EQ(caixas("01/01/2025", "31/12/2025", ""), "1@1 2@2") << "both ends in the range; an open box is not";
    EXPECT_EQ(caixas("01/03/2025", "", ""), "2@2") << "from the initial date on";
    EXPECT_EQ(caixas("", "30/06/2025", ""), "1@1") << "up to the final date";
}

// What may be thrown away by a date: a type's days after the launch date
// (a type of 0 days is kept for good); per box, whether it empties whole.
TEST_F(Arquivo, DescarteDosArquivadosPorCaixa)
{
    ExecutarSQLDireto("update PROTOCOLOTIPODOC set PERIODODIASDESCARTE = 30 where CODIGOTIPODOC = 1");
    ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, GERARENVELOPE) "
                      "values (2, 'Contrato', 0, '0', 0, '0')");
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                      "values (59, 2, 2, 1, '2020-01-01', '1')");
    ExecutarSQLDireto("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL) values (2, 2, 1, 1)");
    ExecutarSQLDireto("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE) values (1, 1), (2, 1)");
    ExecutarSQLDireto("insert into PROTOCOLODOCARQUIVO (CODIGOCAIXA, CODIGOENVELOPE, CODIGODOCEMP) values (1, 1, 57), (2, 1, 58), (2, 1, 59)");
    TLyrDPConsultaDescarte descarte;
    descarte.DataModuleCreate();
    descarte.SetParam("pDataDescarte", "30/11/2026");
    descarte.Processar();
    EXPECT_EQ(descarte.nClientDataSet.RecordCount(), 0) << "launched on 01/11, kept 30 days: not yet";
    descarte.SetParam("pDataDescarte", "01/12/2026");
    descarte.Processar();
    ASSERT_EQ(descarte.nClientDataSet.RecordCount(), 2);
    EXPECT_EQ(descarte.nClientDataSet.FieldByName("DATADESCARTE").AsDate(), QDate(2026, 12, 1));
    QStringList caixas;
    for (descarte.PorCaixa.First(); !descarte.PorCaixa.Eof(); descarte.PorCaixa.Next())
        caixas.append(descarte.PorCaixa.FieldByName("CODIGOCAIXA").AsString() + " " + descarte.PorCaixa.FieldByName("SITUACAO").AsString());
    EXPECT_EQ(caixas, QStringList({"1 Pode ser esvaziada", "2 Descarte parcial"})) << "the contract keeps box 2";

    // Days counted across month ends and a leap February.
    ExecutarSQLDireto("update PROTOCOLOTIPODOC set PERIODODIASDESCARTE = 365 where CODIGOTIPODOC = 1");
    ExecutarSQLDireto("update PROTOCOLODOCEMP set DATALCTOPRO = '2024-02-29' where CODIGODOCEMP = 57");
    ExecutarSQLDireto("update PROTOCOLODOCEMP set DATALCTOPRO = '2025-01-31' where CODIGODOCEMP = 58");
    descarte.SetParam("pDataDescarte", "27/02/2025");
    descarte.Processar();
    EXPECT_EQ(descarte.nClientDataSet.RecordCount(), 0);
    descarte.SetParam("pDataDescarte", "28/02/2025");
    descarte.Processar();
    ASSERT_EQ(descarte.nClientDataSet.RecordCount(), 1) << "29/02/2024 plus 365 days";
    descarte.SetParam("pDataDescarte", "31/01/2026");
    descarte.Processar();
    ASSERT_EQ(descarte.nClientDataSet.RecordCount(), 2);
    descarte.nClientDataSet.Last();
    EXPECT_EQ(descarte.nClientDataSet.FieldByName("DATADESCARTE").AsDate(), QDate(2026, 1, 31)) << "31/01/2025 plus 365 days";
}

// The envelopes holding archived documents, and what the one chosen holds:
// its documents, and the chosen document's movements and protocols.
TEST_F(Arquivo, DocumentosDaCaixaPorEnvelope)
{
    ExecutarSQLDireto("update PROTOCOLODOCCAIXA set COMPETINICIAL = '2026-01-01' where CODIGOCAIXA = 1");
    ExecutarSQLDireto("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE, DESCRENVELOPE) values (1, 1, 'Extratos'), (1, 2, 'Vazio'), "
                      "(1, 3, 'Notas')");
    ExecutarSQLDireto("insert into PROTOCOLODOCARQUIVO (CODIGOCAIXA, CODIGOENVELOPE, CODIGODOCEMP) values (1, 1, 57), (1, 3, 58)");
    ExecutarSQLDireto("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, OBSERVACAO, TIPOLOCAL, DATALCTOPRO, DATAHORA, CODIGOUSUARIO, "
                      "ORIGEMDADO) values (57, 1, 'Recebido', '1', '2026-11-01', '2026-11-02 10:00:00', 1, 2), "
                      "(57, 2, 'Arquivado', '1', '2026-11-01', '2026-11-03 10:00:00', 1, 2)");
    TLyrDPConsultaDocumentosCaixa consulta;
    consulta.DataModuleCreate();
    ASSERT_NE(consulta.QuadroAoLado(), nullptr) << "the document frame beside the list";
    consulta.Processar();
    ASSERT_EQ(consulta.nClientDataSet.RecordCount(), 2) << "the empty envelope is not listed";
    EXPECT_EQ(consulta.nClientDataSet.FieldByName("Empresa").AsString(), "0002 - Empresa 2");
    EXPECT_EQ(consulta.nClientDataSet.FieldByName("LocalCaixa").AsString(), "001 - Sala 1");
    EXPECT_EQ(consulta.nClientDataSet.FieldByName("Periodo").AsString(), "01/2026 a ") << "a box without a final competence";
    EXPECT_EQ(consulta.cdsDocumentos.RecordCount(), 1) << "the documents of the current envelope";
    EXPECT_EQ(consulta.cdsDocumentos.FieldByName("CODIGODOCEMP").AsInteger(), 57);
    EXPECT_EQ(consulta.cdsMovimentacao.RecordCount(), 2);
    consulta.nClientDataSet.Last();
    EXPECT_EQ(consulta.cdsDocumentos.FieldByName("CODIGODOCEMP").AsInteger(), 58);
    EXPECT_EQ(consulta.cdsMovimentacao.RecordCount(), 0);

    consulta.SetParam("pCodigoDocEmp", "58");
    consulta.Processar();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 1);
    consulta.SetParam("pCodigoDocEmp", "");
    consulta.SetParam("pCodigoLocal", "2");
    consulta.Processar();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 0);
}
