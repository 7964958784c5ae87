#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "dmpowerparam.h"
#include "erros.h"

namespace {

// A write-off style process: a required type, an optional period and codes.
class TTesteDPBaixa : public TnDMPowerParamTab {
    LYR_DATAMODULE(TTesteDPBaixa)
public:
    TTesteDPBaixa()
    {
        npqPowerParam.Caption = QStringLiteral("Baixar Protocolo");
        TnpqParamItem& tipo = npqPowerParam.Add(QStringLiteral("pTipo"));
        tipo.Caption = QStringLiteral("Tipo");
        tipo.CtrlType = TnTipoControle::ntcComboBox;
        tipo.CtrlNameValues = QStringLiteral("Saída=1;Entrada=2;");
        tipo.Value = QStringLiteral("1");
        tipo.Requerid = true;
        TnpqParamItem& data = npqPowerParam.Add(QStringLiteral("pDataInicial"));
        data.Caption = QStringLiteral("Data Inicial");
        data.EhData = true;
        data.Requerid = true;
        TnpqParamItem& empresas = npqPowerParam.Add(QStringLiteral("pCodigoEmpresa"));
        empresas.Caption = QStringLiteral("Empresa");
        empresas.ConsultMultSelect = true;
        nClientDataSet.SetFieldDefs({{"CODIGOPROTOCOLO", TnFieldType::Float}, {"BAIXAR", TnFieldType::SmallInt}});
        npqPowerParam.OnParamChange = [this](TnpqParamItem& item) { alterados.append(item.Alias); };
    }

    void Executar() override
    {
        ++execucoes;
        if (!nClientDataSet.Active())
            nClientDataSet.CreateDataSet();
        for (const QString& empresa : npqPowerParam.ParamByAlias("pCodigoEmpresa").Valores())
            nClientDataSet.AppendRecord({empresa.toDouble(), 0});
        MsgTree(5, QStringLiteral("%1 protocolo(s) listados").arg(nClientDataSet.RecordCount()));
    }

    void actGravarExecute() override
    {
        ++gravacoes;
        SetTemAlteracao(false);
    }

    int execucoes = 0;
    int gravacoes = 0;
    QStringList alterados;
};

} // namespace

TEST(TnDMPowerParam, ParametroObrigatorioVazioImpedeAExecucao)
{
    TTesteDPBaixa processo;
    EXPECT_EQ(processo.Param("pTipo"), "1");
    try {
        processo.Processar();
        FAIL() << "expected EnParam";
    } catch (const EnParam& erro) {
        EXPECT_EQ(erro.Alias(), "pDataInicial");
        EXPECT_EQ(erro.Mensagem(), "Informe o parâmetro \"Data Inicial\".");
    }
    EXPECT_EQ(processo.execucoes, 0);
    processo.SetParam("pDataInicial", "01/11/2026");
    processo.SetParam("pCodigoEmpresa", "2; 7;;9");
    EXPECT_EQ(processo.alterados, QStringList({"pDataInicial", "pCodigoEmpresa"}));
    processo.actExecutar->Execute();
    EXPECT_EQ(processo.execucoes, 1);
    EXPECT_EQ(processo.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").DataType(), TnFieldType::Float);
    EXPECT_EQ(processo.MsgTreeLista().ComoTexto().trimmed(), "[v] 3 protocolo(s) listados");
    EXPECT_EQ(processo.npqPowerParam.ParamByAlias("pTipo").NomesValores(), QStringList({"Saída=1", "Entrada=2"}));
    EXPECT_THROW(processo.SetParam("pNaoExiste", "1"), EnErro);
}

TEST(TnDMPowerParam, AbasBotoesEAcoesDosTiposDeProcesso)
{
    TTesteDPBaixa comAba;
    EXPECT_TRUE(comAba.actGravar->Enabled());
    EXPECT_TRUE(comAba.actCancelar->Visible());
    EXPECT_EQ(comAba.CriarTab("Protocolos a Baixar"), 1);
    EXPECT_EQ(comAba.Tabs(), QStringList({"Resultado", "Protocolos a Baixar"}));
    int marcados = 0;
    TnAction& marcar = comAba.CriarToolButton("Marcar Todos", "Marca todos os protocolos", 10, [&marcados](TnAction&) { ++marcados; }, "Ctrl+M");
    marcar.Execute();
    EXPECT_EQ(marcados, 1);
    EXPECT_EQ(comAba.ToolButtons().Count(), 1);
    EXPECT_EQ(marcar.ShortCut(), "Ctrl+M");

    class TTesteDPConsulta : public TnDMPowerParamGrid {
        LYR_DATAMODULE(TTesteDPConsulta)
    } grade;
    EXPECT_FALSE(grade.actGravar->Enabled());
    EXPECT_FALSE(grade.actCancelar->Visible());
}

class PerguntaAoFechar : public TesteComBanco {};

TEST_F(PerguntaAoFechar, AlteracoesNaoGravadasSaoPerguntadas)
{
    TnDialogosRoteiro& usuario = TnDialogosRoteiro::Instalar(*m_host);
    TTesteDPBaixa processo;
    EXPECT_TRUE(processo.PodeFechar()) << "nothing to ask without changes";
    processo.SetTemAlteracao(true);
    usuario.Esperar("não foram gravadas", "Cancelar").Esperar("não foram gravadas", "Não").Esperar("não foram gravadas", "Sim");
    EXPECT_FALSE(processo.PodeFechar());
    EXPECT_TRUE(processo.PodeFechar());
    EXPECT_EQ(processo.gravacoes, 0);
    EXPECT_TRUE(processo.PodeFechar());
    EXPECT_EQ(processo.gravacoes, 1);
    EXPECT_FALSE(processo.TemAlteracao());
    usuario.Verificar();
}
