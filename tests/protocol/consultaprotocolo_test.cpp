// The queries of written-off and delivered protocols: their conditions, the
// date bounds, and the protocol opened in its register from a row.
#include "bancoteste.h"
#include "classeslyr.h"
#include "consultaprotocolo.h"
#include "dialogosroteiro.h"
#include "dmclientdataset.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqlservicos.h"

namespace {

class ConsultasProtocolo : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        for (const TnInfoClasse& info : {InfoDaClasseLyr<TLyrDMProtocolo>(), InfoDaClasseLyr<TLyrDMProtocoloItem>()})
            nRegisterClass(info);
        CadastrarFilial(2, 1);
        const QDateTime baixa(QDate(2026, 11, 25), QTime(10, 0));
        // code, date, type, form of delivery, written off, delivered
        Protocolo(31, "2026-11-01", "1", "1", baixa, QVariant());
        Protocolo(32, "2026-11-10", "2", "1", QVariant(), baixa);
        Protocolo(33, "2026-11-20", "1", "2", baixa, baixa);
        Protocolo(34, "2026-11-20", "1", "1", QVariant(), QVariant());
    }

    void Protocolo(int codigo, const char* data, const char* tipo, const char* forma, const QVariant& baixa, const QVariant& entrega)
    {
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, FORMAENTREGA, "
                          "DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO, DATAHORABAIXA, DATAHORAENTREGA) values (:c, 2, 1, :d, :t, :f, "
                          ":h, 1, 2, :b, :e)",
                          {codigo, QDate::fromString(QLatin1String(data), Qt::ISODate), tipo, forma,
                           QDateTime(QDate(2026, 11, 1), QTime(9, 0)), baixa, entrega});
    }

    static QList<int> Listados(TLyrDPConsultaProtocoloBase& consulta)
    {
        consulta.Processar();
        QList<int> codigos;
        for (consulta.nClientDataSet.First(); !consulta.nClientDataSet.Eof(); consulta.nClientDataSet.Next())
            codigos.append(consulta.nClientDataSet.FieldByName("CodigoProtocolo").AsInteger());
        std::sort(codigos.begin(), codigos.end());
        return codigos;
    }

    TnDialogosRoteiro* m_usuario = nullptr;
};

} // namespace

TEST_F(ConsultasProtocolo, CondicaoDaConsultaDatasFormaETipo)
{
    TLyrDPConsultaProtocoloBaixado baixados;
    TLyrDPConsultaProtocoloEntregue entregues;
    for (TLyrDPConsultaProtocoloBase* consulta : {static_cast<TLyrDPConsultaProtocoloBase*>(&baixados),
                                                   static_cast<TLyrDPConsultaProtocoloBase*>(&entregues)}) {
        consulta->DataModuleCreate();
        consulta->SetParam("pCodigoProtocolo", "30-40");
        consulta->SetParam("pFormaEntrega", "0");
    }
    EXPECT_EQ(Listados(baixados), QList<int>({31, 33}));
    EXPECT_EQ(Listados(entregues), QList<int>({32, 33})) << "one written off and delivered is in both";

    baixados.SetParam("pFormaEntrega", "2");
    EXPECT_EQ(Listados(baixados), QList<int>({33}));
    baixados.SetParam("pFormaEntrega", "0");
    entregues.SetParam("pTipoProtocolo", "2");
    EXPECT_EQ(Listados(entregues), QList<int>({32}));

    baixados.SetParam("pDataLctoInicial", "01/11/2026");
    EXPECT_EQ(Listados(baixados), QList<int>({33})) << "an initial date alone leaves its own day out";
    baixados.SetParam("pDataLctoFinal", "20/11/2026");
    EXPECT_EQ(Listados(baixados), QList<int>({31, 33})) << "both dates include both days";
    baixados.SetParam("pDataLctoInicial", "");
    EXPECT_EQ(Listados(baixados), QList<int>({31})) << "a final date alone leaves its own day out";

    baixados.SetParam("pCodigoProtocolo", "");
    EXPECT_EQ(Recusa([&] { baixados.Processar(); }), "Informe o parâmetro \"Protocolo\".");
}

// The row's protocol opens alone in its register; the note about refreshing
// the query is shown the first time only.
TEST_F(ConsultasProtocolo, AbreOProtocoloNoCadastroEAvisaUmaVez)
{
    TLyrDPConsultaProtocoloBaixado consulta;
    consulta.DataModuleCreate();
    consulta.DepoisConfigurar(nullptr);
    consulta.SetParam("pCodigoProtocolo", "31;33");
    consulta.SetParam("pFormaEntrega", "0");
    consulta.Processar();
    ASSERT_TRUE(consulta.nClientDataSet.Locate("CodigoProtocolo", 33));
    QList<qint64> vistos;
    const auto olhar = [&](TnDMClientDataSet& cadastro) {
        EXPECT_EQ(cadastro.ClassName(), "TLyrDMProtocolo");
        EXPECT_EQ(cadastro.nClientDataSet.RecordCount(), 1);
        vistos.append(cadastro.FieldByName("CODIGOPROTOCOLO").AsLargeInt());
    };
    m_usuario->EsperarCadastro("Protocolo", olhar).Esperar("As alterações feitas no cadastro somente serão visualizadas", "Ok");
    consulta.actAbrirLcto();
    ASSERT_TRUE(consulta.nClientDataSet.Locate("CodigoProtocolo", 31));
    m_usuario->EsperarCadastro("Protocolo", olhar);
    consulta.nClientDataSet.Tela().Aparencia.AoClicarDuasVezes();
    m_usuario->Verificar();
    EXPECT_EQ(vistos, QList<qint64>({33, 31}));
}
