// Hostile values through a process's parameter panel, typed or pasted as a
// user would: each parameter keeps what its control accepted, and the run
// either goes through or is refused with a clear message; no database error
// reaches the user and no row changes.
#include "bancoteste.h"
#include "dialogosroteiro.h"
#include "dmpowerparam.h"
#include "erros.h"
#include "hostis.h"
#include "gerarprotocolo.h"
#include "painelparametros.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// A listing by companies (codes and ranges), a name and a start date: what
// the module's processes take.
class TTesteDPFiltro : public TnDMPowerParam {
    LYR_DATAMODULE(TTesteDPFiltro)
public:
    TTesteDPFiltro()
    {
        TnpqParamItem& empresas = npqPowerParam.Add(QStringLiteral("pEmpresas"));
        empresas.Caption = QStringLiteral("Empresas");
        empresas.ConsultMultSelect = true;
        TnpqParamItem& nome = npqPowerParam.Add(QStringLiteral("pNome"));
        nome.Caption = QStringLiteral("Nome");
        nome.Requerid = true;
        TnpqParamItem& data = npqPowerParam.Add(QStringLiteral("pDataInicial"));
        data.Caption = QStringLiteral("Data inicial");
        data.EhData = true;
    }

    void ValidarDado() override
    {
        TnDMPowerParam::ValidarDado();
        bool ok = true;
        if (!Param(QStringLiteral("pDataInicial")).isEmpty())
            Valores::LerDataHora(Param(QStringLiteral("pDataInicial")), &ok);
        if (!ok)
            throw EnParam(QStringLiteral("pDataInicial"), QStringLiteral("Data inicial inválida."));
    }

    void Executar() override
    {
        const QString empresas = FilterInterval(QStringLiteral("CODIGOEMPRESA"), Param(QStringLiteral("pEmpresas")), true);
        TnSQLDataSet consulta(Conexao());
        consulta.SetCommandText(QStringLiteral("select count(*) from EMPRESA where NOMEEMPRESA <> :nome") + empresas);
        consulta.SetParamValues({Param(QStringLiteral("pNome"))});
        consulta.Open();
        linhas = consulta.Fields(0).AsInteger();
    }

    int linhas = -1;
};

class ParametrosHostis : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        TnDialogosRoteiro::Instalar(*m_host);
        CadastrarFilial(2, 1);
    }
};

} // namespace

TEST_F(ParametrosHostis, CadaParametroGuardaOQueOControleAceitouEARodadaRecusaComClareza)
{
    const QStringList valores = ValoresHostis();
    ASSERT_GE(valores.size(), 200);
    TTesteDPFiltro processo;
    TnPainelParametros painel(processo);
    int rodadas = 0;
    for (const QString& valor : valores) {
        SCOPED_TRACE(valor.left(40).toStdString());
        for (const char* alias : {"pEmpresas", "pNome", "pDataInicial"}) {
            auto* editor = qobject_cast<QLineEdit*>(painel.Controle(alias));
            ASSERT_NE(editor, nullptr) << alias;
            // As pasted: the control's validator and mask decide what stays.
            editor->clear();
            editor->insert(valor);
            emit editor->editingFinished();
            EXPECT_EQ(processo.Param(alias), painel.Valor(alias)) << alias << ": the process has what the control shows";
        }
        EXPECT_EQ(processo.Param("pNome"), valor) << "a text parameter keeps every character";
        processo.linhas = -1;
        if (Aceito([&] { processo.Processar(); })) {
            EXPECT_GE(processo.linhas, 0);
            ++rodadas;
        }
        EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 1);
    }
    EXPECT_GT(rodadas, 0) << "some values are plain enough to run";
}

// A parameter that another one switches: ticking the payroll in "Tipo"
// enables "Tipo Folha" and makes it required, on the panel at once.
TEST_F(ParametrosHostis, TipoFolhaSegueAFolhaMarcadaEmTipo)
{
    TLyrDPGerarProtocolo processo;
    TnPainelParametros painel(processo);
    QWidget* folha = painel.Controle("pTipoFolha");
    ASSERT_NE(folha, nullptr);
    EXPECT_FALSE(folha->isEnabled());
    EXPECT_FALSE(painel.Rotulo("pTipoFolha")->font().bold());
    auto* tipos = qobject_cast<QListWidget*>(painel.Controle("pTipo"));
    ASSERT_NE(tipos, nullptr);
    const QList<QListWidgetItem*> achados = tipos->findItems("Folha de Pagamento", Qt::MatchExactly);
    ASSERT_EQ(achados.size(), 1);
    achados.first()->setCheckState(Qt::Checked);
    EXPECT_TRUE(folha->isEnabled());
    EXPECT_TRUE(painel.Rotulo("pTipoFolha")->font().bold());
    EXPECT_EQ(painel.Rotulo("pTipoFolha")->text(), "Tipo Folha *");
    EXPECT_TRUE(processo.Param("pTipo").split(';').contains("6"));
}
