#include "bancoteste.h"
#include "classeslyr.h"
#include "docemp.h"
#include "erros.h"
#include "sqlservicos.h"

#include <QDate>

#include <memory>

namespace {

// Establishments 2/1 and 2/2, document type 5, and document 1 of type 5 for
// 2/1 on 2026-12-01, archived.
class DocEmp : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        nRegisterClass(InfoDaClasseLyr<TLyrDMProtocoloDocEmp>());
        nRegisterClass(InfoDaClasseLyr<TLyrDCProtocoloDocEmp>());
        CadastrarFilial(2, 1);
        CadastrarFilial(2, 2);
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "GERARENVELOPE) values (5, 'Guia de FGTS', 1825, '1', 1, '0')");
        ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ARQUIVADO) "
                          "values (1, 5, 2, 1, '2026-12-01', '1')");
        m_registro = std::make_unique<TLyrDMProtocoloDocEmp>();
        m_registro->Abrir({{QStringLiteral("DataLctoPro_MAIORIGUAL"), QDate(2026, 11, 1)},
                            {QStringLiteral("DataLctoPro_MENORIGUAL"), QDate(2026, 12, 31)}});
    }

    // A new document of type 5 for establishment 2/`estab` on that day of December.
    void Novo(int estab, int dia)
    {
        TnClientDataSet& ds = Documentos().nClientDataSet;
        ds.Append();
        ds.FieldByName("CODIGOTIPODOC").SetValue(5);
        ds.FieldByName("CODIGOEMPRESA").SetValue(2);
        ds.FieldByName("CODIGOESTAB").SetValue(estab);
        ds.FieldByName("DATALCTOPRO").SetValue(QDate(2026, 12, dia));
    }

    void Recusado()
    {
        TnClientDataSet& ds = Documentos().nClientDataSet;
        const TnDataSetState estado = ds.State();
        EXPECT_EQ(Recusa([&] { ds.Post(); }), "Este tipo de documento já foi cadastrado nesta data de lançamento.");
        EXPECT_EQ(ds.State(), estado) << "the row stays as typed";
        ds.Cancel();
    }

    std::unique_ptr<TLyrDMProtocoloDocEmp> m_registro;
    TLyrDMProtocoloDocEmp& Documentos() { return *m_registro; }
};

TEST_F(DocEmp, UmDocumentoDoTipoPorFilialEData)
{
    TnClientDataSet& ds = Documentos().nClientDataSet;
    EXPECT_EQ(ds.Tela().CadCons, "LyrDCProtocoloDocEmp");
    Novo(1, 1);
    Recusado();
    Novo(1, 2);
    EXPECT_EQ(ds.FieldByName("ARQUIVADO").AsString(), "0") << "a new document is not archived";
    ds.Post();
    Novo(2, 1);
    ds.Post();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP where ARQUIVADO = '0'").toInt(), 2);

    // Document 2 (2/1 on the 2nd): onto the 1st is refused, onto the 3rd not;
    // its description alone always passes.
    ASSERT_TRUE(ds.Locate("CODIGODOCEMP", 2));
    ds.Edit();
    ds.FieldByName("DATALCTOPRO").SetValue(QDate(2026, 12, 1));
    Recusado();
    ds.Edit();
    ds.FieldByName("DESCRDOCEMP").SetValue("competência novembro");
    ds.Post();
    ds.Edit();
    ds.FieldByName("DATALCTOPRO").SetValue(QDate(2026, 12, 3));
    ds.Post();
    EXPECT_EQ(Valor("select DESCRDOCEMP from PROTOCOLODOCEMP where CODIGODOCEMP = 2 and DATALCTOPRO = '2026-12-03'").toString(),
              "competência novembro");

    // Written on another register's behalf, the flag is left to the writer.
    Documentos().OrigemAlternativa = true;
    ds.Append();
    EXPECT_TRUE(ds.FieldByName("ARQUIVADO").IsNull());
    ds.Cancel();

    TLyrDCProtocoloDocEmp consulta;
    consulta.Abrir({{QStringLiteral("DataLctoPro_MAIORIGUAL"), QDate(2026, 12, 2)}, {QStringLiteral("DataLctoPro_MENORIGUAL"), QDate(2026, 12, 31)}});
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 1) << "the selected period only";
    EXPECT_EQ(consulta.nClientDataSet.FieldCount(), 4);
}

} // namespace
