// "Gerar Protocolo" on the demo office: parameters and their messages, the
// first pass over tax debits and payroll, single or divided protocols, and
// the save of what was marked.
#include "bancoteste.h"
#include "campo.h"
#include "decimal.h"
#include "demonstracao.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "gerarprotocolo.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>

namespace {

const QDate kReferencia(2026, 12, 6);

class GerarProtocoloDemo : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        GerarDemonstracao(Con(), {1, kReferencia, 20261206}, Pacotes());
        m_processo.DataModuleCreate();
        m_processo.SetParam("pDataInicial", "01/11/2026");
        m_processo.SetParam("pDataFinal", "30/11/2026");
        m_processo.SetParam("pListarDebitos", "0");
    }

    int Protocolos() const { return m_processo.nClientDataSet.RecordCount(); }
    int Itens()
    {
        m_processo.FiltrarItensDoProtocolo(false);
        return m_processo.nClientDataSetDet.RecordCount();
    }
    // Items of the whole preview marked to be saved.
    int Marcados()
    {
        int marcados = 0;
        m_processo.FiltrarItensDoProtocolo(false);
        for (m_processo.nClientDataSetDet.First(); !m_processo.nClientDataSetDet.Eof(); m_processo.nClientDataSetDet.Next())
            marcados += m_processo.nClientDataSetDet.FieldByName("GERAR").AsInteger();
        return marcados;
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPGerarProtocolo m_processo;
};

} // namespace

TEST_F(GerarProtocoloDemo, ParametrosRecusadosComAsMensagensDoProcesso)
{
    m_processo.SetParam("pDataInicial", "31/02/2026");
    try {
        m_processo.Processar();
        ADD_FAILURE() << "an impossible date went through";
    } catch (const EnParam& erro) {
        EXPECT_EQ(erro.Alias(), "pDataInicial");
        EXPECT_EQ(erro.Mensagem(), "Valor de data inicial invalido.");
    }
    m_processo.SetParam("pDataInicial", "01/11/2026");
    // Only what the lists offer: a value set outside the panel (the command line) may hold anything.
    for (const char* forma : {"x", "3"}) {
        m_processo.SetParam("pFormaGer", forma);
        EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Valor invalido para forma de geração.") << forma;
    }
    m_processo.SetParam("pFormaGer", "2");
    m_processo.SetParam("pDataFinal", "01/10/2026");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "A data inicial não pode ser posterior à data final.");
    m_processo.SetParam("pDataFinal", "30/11/2026");
    m_processo.SetParam("pCodigoEmpresa", "a;b");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }),
              "\"a\" não é um código nem uma faixa de códigos. Informe códigos e faixas como 1;3;5-9.");
    m_processo.SetParam("pCodigoEmpresa", "9999");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Nenhuma filial ativa corresponde às empresas e filiais informadas.");
    m_processo.SetParam("pCodigoEmpresa", "");
    m_processo.SetParam("pTipo", "");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Informe o parâmetro \"Tipo\".");
    for (const char* tipos : {"1;abc", "99"}) {
        m_processo.SetParam("pTipo", tipos);
        EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), QStringLiteral("\"%1\" não é uma das opções.").arg(QString(tipos).section(u';', -1)));
    }
    m_processo.SetParam("pTipo", "1;2;3;4;5");
    // The payroll mode only matters with payroll ticked.
    EXPECT_FALSE(m_processo.npqPowerParam.ParamByAlias("pTipoFolha").Habilitado);
    m_processo.SetParam("pTipoFolha", "x");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "");
    m_processo.SetParam("pTipo", "1;6");
    EXPECT_TRUE(m_processo.npqPowerParam.ParamByAlias("pTipoFolha").Habilitado);
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Valor invalido.");
    m_processo.SetParam("pTipoFolha", "3");
    EXPECT_EQ(Recusa([&] { m_processo.Processar(); }), "Valor invalido.");
}

TEST_F(GerarProtocoloDemo, DivididoEmTiposUmProtocoloPorTipoComItensEMensagens)
{
    m_processo.SetParam("pTipo", "1;5;6;7");
    m_processo.SetParam("pTipoFolha", "1");
    m_processo.Processar();
    ASSERT_GT(Protocolos(), 0);
    ASSERT_GT(Itens(), Protocolos());
    // Each protocol holds items of one type, and its observation starts with that type's title.
    for (m_processo.nClientDataSet.First(); !m_processo.nClientDataSet.Eof(); m_processo.nClientDataSet.Next()) {
        m_processo.FiltrarItensDoProtocolo(true);
        const QString observacao = m_processo.nClientDataSet.FieldByName("OBSERVACAO").AsString();
        for (m_processo.nClientDataSetDet.First(); !m_processo.nClientDataSetDet.Eof(); m_processo.nClientDataSetDet.Next())
            EXPECT_TRUE(observacao.startsWith(m_processo.nClientDataSetDet.FieldByName("TIPODEBITO").AsString() + " - Gerado em "))
                << observacao.toStdString();
    }
    const TnMsgTree& mensagens = m_processo.MsgTreeLista();
    ASSERT_EQ(mensagens.Filhos().size(), 2);
    EXPECT_EQ(mensagens.Texto(mensagens.Filhos()[0]),
              "Débitos Federais, Débitos Estaduais, Débitos Municipais, Débitos Sindicais, Débitos GPS, Débitos FGTS, "
              "Débitos de Folha, Folha de Pagamento, Rescisão, Férias");
    EXPECT_EQ(mensagens.Texto(mensagens.Filhos()[1]), "Notas Fiscais, Boletos");
    EXPECT_TRUE(mensagens.ComoTexto().contains("itens listados")) << mensagens.ComoTexto().toStdString();
    // Templates expanded: the demo's federal template names the due date.
    m_processo.FiltrarItensDoProtocolo(false);
    ASSERT_TRUE(m_processo.nClientDataSetDet.Locate("TIPODEBITO", "Débitos Federais"));
    EXPECT_TRUE(m_processo.nClientDataSetDet.FieldByName("DESCRITEM").AsString().contains("Vencimento "))
        << m_processo.nClientDataSetDet.FieldByName("DESCRITEM").AsString().toStdString();
    EXPECT_FALSE(m_processo.nClientDataSetDet.FieldByName("DESCRITEM").AsString().contains("["));
    for (TnAction* botao : m_processo.ToolButtons().Todas())
        EXPECT_TRUE(botao->Enabled());
}

TEST_F(GerarProtocoloDemo, ProtocoloUnicoESalvarMarcaOsDebitos)
{
    m_processo.SetParam("pTipo", "1;2;3");
    m_processo.SetParam("pFormaGer", "1");
    m_processo.Processar();
    ASSERT_GT(Protocolos(), 0);
    // One protocol per establishment, with consecutive preview codes even where an establishment had nothing.
    QList<int> codigos;
    QSet<QString> filiais;
    for (m_processo.nClientDataSet.First(); !m_processo.nClientDataSet.Eof(); m_processo.nClientDataSet.Next()) {
        codigos.append(m_processo.nClientDataSet.FieldByName("CODIGOPROTOCOLO").AsInteger());
        filiais.insert(m_processo.nClientDataSet.FieldByName("EMPRESA").AsString() + m_processo.nClientDataSet.FieldByName("ESTAB").AsString());
    }
    EXPECT_EQ(filiais.size(), codigos.size());
    for (int i = 1; i < codigos.size(); ++i)
        EXPECT_EQ(codigos[i], codigos[i - 1] + 1);
    const int livres = Valor("select count(*) from DEBITOFEDERAL where CODIGOPROTOCOLO is null and DATALCTOCTR between '2026-11-01' and "
                             "'2026-11-30' and FORMADEBITO in (0, 2)").toInt();
    const int protocolosAntes = Valor("select count(*) from PROTOCOLO").toInt();

    m_processo.SelecionarTodos();
    EXPECT_EQ(Marcados(), Itens()) << "Ctrl+Ins marks every selectable item";
    m_processo.actGravarExecute();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLO").toInt(), protocolosAntes + codigos.size());
    EXPECT_LT(Valor("select count(*) from DEBITOFEDERAL where CODIGOPROTOCOLO is null and DATALCTOCTR between '2026-11-01' and "
                    "'2026-11-30' and FORMADEBITO in (0, 2)").toInt(),
              livres) << "the debits written carry their protocol";
    EXPECT_EQ(Protocolos(), 0) << "everything marked was written";

    // Run again: what was delivered is not proposed any more.
    m_processo.Processar();
    EXPECT_EQ(Itens(), 0);
    m_usuario->Verificar();
}

// The headless run is the same process: it proposes what the screen would
// for the same parameters, and --gravar saves it all. A server's locale
// (LANG=C) and zone do not change the observation's Brazilian local form.
TEST_F(GerarProtocoloDemo, LinhaDeComandoPropoeOMesmoEGrava)
{
    // Each type's total is exact: these amounts, added up as doubles, end
    // some cents off.
    const qint64 centavos = 987654321098765;
    ExecutarSQLDireto(QStringLiteral("update DEBITOFEDERAL set VALORDEBITO = %1").arg(TnDecimal(centavos, 2).ParaTexto()));
    // A client with debits whose delivery was never configured.
    ExecutarSQLDireto("delete from CFGESTABPRO where CODIGOEMPRESA = (select min(CODIGOEMPRESA) from DEBITOFEDERAL where CODIGOEMPRESA > 1)");
    m_processo.SetParam("pTipo", "1;2;6;7;8");
    m_processo.Processar();
    int federais = 0;
    m_processo.FiltrarItensDoProtocolo(false);
    for (m_processo.nClientDataSetDet.First(); !m_processo.nClientDataSetDet.Eof(); m_processo.nClientDataSetDet.Next())
        federais += m_processo.nClientDataSetDet.FieldByName("TIPODEBITO").AsString() == "Débitos Federais";
    double aproximado = 0;
    for (int i = 0; i < federais; ++i)
        aproximado += centavos / 100.0;
    const TnDecimal total(centavos * federais, 2);
    ASSERT_NE(QString::number(aproximado, 'f', 2), total.ParaTexto()) << "the amounts no longer defeat doubles";
    const QString esperado = QStringLiteral("Protocolos propostos: %1   Itens: %2").arg(Protocolos()).arg(Itens());
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    for (const char* variavel : {"LANG", "LC_ALL", "LC_TIME"})
        ambiente.insert(QLatin1String(variavel), QStringLiteral("C"));
    ambiente.insert(QStringLiteral("TZ"), QStringLiteral("BRT3"));
    const auto lyr = [&](const QStringList& argumentos) {
        QProcess processo;
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(LYR_BINARIO), QStringList{"--database", TextoDoBanco(m_banco->Config()), "gerar", "--de",
                                                                  "2026-11-01", "--ate", "2026-11-30", "--tipos", "1;2;6;7;8"} + argumentos);
        EXPECT_TRUE(processo.waitForFinished(120000));
        EXPECT_EQ(processo.exitCode(), 0) << processo.readAllStandardError().toStdString();
        return QString::fromUtf8(processo.readAllStandardOutput());
    };
    const QString proposta = lyr({});
    EXPECT_TRUE(proposta.startsWith(esperado)) << proposta.toStdString() << " / " << esperado.toStdString();
    EXPECT_TRUE(proposta.contains("Folha de Pagamento")) << proposta.toStdString();
    const QRegularExpressionMatch linhaFederais = QRegularExpression("Débitos Federais\\.* +(\\d+) itens  R\\$ (\\S+)\n").match(proposta);
    ASSERT_TRUE(linhaFederais.hasMatch()) << proposta.toStdString();
    EXPECT_EQ(linhaFederais.captured(1).toInt(), federais);
    EXPECT_EQ(linhaFederais.captured(2).toStdString(), FormatarExibicao(QVariant::fromValue(total), "#,##0.00").toStdString());
    // What could not be listed is told, under its company and establishment.
    EXPECT_TRUE(proposta.contains(QRegularExpression("Avisos \\(\\d+\\):\n  Empresa: \\d+ - .+ / Filial: \\d+ - .+: Filial não "
                                                     "configurada no Protocolo.")))
        << proposta.toStdString();
    const int ultimo = Valor("select max(CODIGOPROTOCOLO) from PROTOCOLO").toInt();
    const QString gravada = lyr({"--gravar"});
    EXPECT_TRUE(gravada.contains(QStringLiteral("%1 protocolo(s) gravado(s).").arg(Protocolos()))) << gravada.toStdString();
    // Whole, with the title of its type: the moment it was written, as written in local time.
    TnSQLDataSet gravados(Con());
    gravados.SetCommandText(QStringLiteral("select OBSERVACAO, DATAHORACADASTRO from PROTOCOLO where CODIGOPROTOCOLO > %1").arg(ultimo));
    gravados.Open();
    ASSERT_FALSE(gravados.Eof());
    for (; !gravados.Eof(); gravados.Next()) {
        const QString observacao = gravados.FieldByName("OBSERVACAO").AsString();
        EXPECT_TRUE(observacao.contains(QRegularExpression("^(Débitos Federais|Débitos Estaduais|Folha de Pagamento|Rescisão|Férias) - Gerado em ")))
            << observacao.toStdString();
        EXPECT_TRUE(observacao.endsWith(
            "Gerado em " + Valores::TextoDataHora(gravados.FieldByName("DATAHORACADASTRO").AsDateTime())))
            << observacao.toStdString();
    }
    // Debits, terminations and vacations delivered are not listed again;
    // payroll is, but already in its protocol.
    EXPECT_TRUE(lyr({"--gravar"}).contains("Nada a gravar.")) << "nothing delivered twice";
}

// Terminations and vacation receipts mark no source row when saved: a run
// of the same month finds those a protocol already holds, by their type,
// even once it was written off; a cancelled protocol gives them back.
TEST_F(GerarProtocoloDemo, RescisoesEFeriasJaEmProtocoloNaoSaoEntreguesDeNovo)
{
    m_processo.SetParam("pDataInicial", "01/10/2026");  // the demo's last two months hold both
    m_processo.SetParam("pTipo", "7;8");
    m_processo.Processar();
    const int propostos = Itens();
    QSet<QString> tipos;
    for (m_processo.nClientDataSetDet.First(); !m_processo.nClientDataSetDet.Eof(); m_processo.nClientDataSetDet.Next())
        tipos.insert(m_processo.nClientDataSetDet.FieldByName("TIPODEBITO").AsString());
    ASSERT_EQ(tipos, (QSet<QString>{"Rescisão", "Férias"}));
    const qint64 ultimoAntes = Valor("select coalesce(max(CODIGOPROTOCOLO), 0) from PROTOCOLO").toLongLong();
    m_processo.SelecionarTodos();
    m_processo.actGravarExecute();
    ASSERT_EQ(Protocolos(), 0);
    // Handed over and written off: still held.
    ExecutarSQLDireto(QStringLiteral("update PROTOCOLO set DATAHORABAIXA = DATAHORACADASTRO where CODIGOPROTOCOLO > %1").arg(ultimoAntes));

    m_processo.Processar();
    EXPECT_EQ(Itens(), 0) << "\"Sem Protocolo\": nothing left to deliver";
    // "Todos": each one with the protocol just written that holds its
    // employee, so none can be marked.
    m_processo.SetParam("pListarDebitos", "1");
    m_processo.Processar();
    ASSERT_EQ(Itens(), propostos);
    QVariant rescisao;
    QVariant ferias;
    for (m_processo.nClientDataSetDet.First(); !m_processo.nClientDataSetDet.Eof(); m_processo.nClientDataSetDet.Next()) {
        const QVariant protocolo = m_processo.nClientDataSetDet.FieldByName("PROTOCOLO").Value();
        ASSERT_GT(protocolo.toLongLong(), ultimoAntes);
        EXPECT_EQ(Valor(QStringLiteral("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO = %1 and CODIGOFUNCCONTR = %2")
                            .arg(protocolo.toLongLong())
                            .arg(m_processo.nClientDataSetDet.FieldByName("CodigoFuncContr").AsInteger()))
                      .toInt(),
                  1);
        (m_processo.nClientDataSetDet.FieldByName("TIPODEBITO").AsString() == "Férias" ? ferias : rescisao) = protocolo;
    }
    m_processo.SelecionarTodos();
    EXPECT_EQ(Marcados(), 0);

    // A payroll item of the same employee and payment date does not hold a
    // termination; a cancelled protocol holds nothing.
    ExecutarSQLDireto(QStringLiteral("update PROTOCOLOITEM set CHAVEORIGEM = 'FPA' where CODIGOPROTOCOLO = %1").arg(rescisao.toLongLong()));
    ExecutarSQLDireto(QStringLiteral("update PROTOCOLO set CANCELADO = '1' where CODIGOPROTOCOLO = %1").arg(ferias.toLongLong()));
    m_processo.SetParam("pListarDebitos", "0");
    m_processo.Processar();
    EXPECT_EQ(Itens(), Valor(QStringLiteral("select count(*) from PROTOCOLOITEM where CODIGOPROTOCOLO in (%1, %2)")
                                 .arg(rescisao.toLongLong())
                                 .arg(ferias.toLongLong()))
                           .toInt());
    m_usuario->Verificar();
}

// "Listar: Todos" shows what is already in a protocol, which cannot be
// marked; payroll totals one item per payment, per employee one per contract.
TEST_F(GerarProtocoloDemo, ListarTodosEFolhaTotalOuPorFuncionario)
{
    // September: the demo delivered some of its debits already.
    m_processo.SetParam("pDataInicial", "01/09/2026");
    m_processo.SetParam("pDataFinal", "30/09/2026");
    m_processo.SetParam("pTipo", "1");
    m_processo.Processar();
    const int semProtocolo = Itens();
    m_processo.SetParam("pListarDebitos", "1");
    m_processo.Processar();
    ASSERT_GT(Itens(), semProtocolo) << "delivered debits are listed too";
    ASSERT_TRUE(m_processo.nClientDataSetDet.Locate("PROTOCOLO", Valor("select min(CODIGOPROTOCOLO) from DEBITOFEDERAL where "
                                                                         "DATALCTOCTR between '2026-09-01' and '2026-09-30'")));
    m_usuario->EsperarMensagem("Este item não pode ser selecionado, pois já teve o protocolo");
    m_processo.FiltrarItensDoProtocolo(false);
    m_processo.MarcarItem();
    EXPECT_EQ(m_processo.nClientDataSetDet.FieldByName("GERAR").AsInteger(), 0);

    m_processo.SetParam("pListarDebitos", "0");
    m_processo.SetParam("pDataInicial", "01/11/2026");
    m_processo.SetParam("pDataFinal", "30/11/2026");
    m_processo.SetParam("pTipo", "6");
    m_processo.SetParam("pTipoFolha", "1");
    m_processo.Processar();
    const int totais = Itens();
    ASSERT_GT(totais, 0);
    m_processo.nClientDataSetDet.First();
    EXPECT_TRUE(m_processo.nClientDataSetDet.FieldByName("CodigoFuncContr").IsNull());
    m_processo.SetParam("pTipoFolha", "2");
    m_processo.Processar();
    EXPECT_GT(Itens(), totais) << "one item per employee";
    m_processo.nClientDataSetDet.First();
    EXPECT_FALSE(m_processo.nClientDataSetDet.FieldByName("CodigoFuncContr").IsNull());
    m_usuario->Verificar();
}

// "Empresa" and "Estab" take several codes picked from their registers'
// consultations: they join what was typed, once each; establishments are
// offered for the companies typed only; a cancel changes nothing.
TEST_F(GerarProtocoloDemo, EmpresasEFiliaisEscolhidasNaConsulta)
{
    m_processo.SetParam("pCodigoEmpresa", "2");
    m_usuario->EsperarConsultaVarios("Empresa", {3, 4}).EsperarConsultaVarios("Empresa", {4, 8}).EsperarConsultaVarios("Empresa", {});
    EXPECT_TRUE(m_processo.EscolherCodigos("pCodigoEmpresa"));
    EXPECT_EQ(m_processo.Param("pCodigoEmpresa"), "2;3;4");
    EXPECT_TRUE(m_processo.EscolherCodigos("pCodigoEmpresa"));
    EXPECT_EQ(m_processo.Param("pCodigoEmpresa"), "2;3;4;8");
    EXPECT_FALSE(m_processo.EscolherCodigos("pCodigoEmpresa"));
    EXPECT_EQ(m_processo.Param("pCodigoEmpresa"), "2;3;4;8");
    EXPECT_EQ(m_usuario->Perguntas().first().linhas, Valor("select count(*) from EMPRESA").toInt());

    m_processo.SetParam("pCodigoEmpresa", "3-4");
    m_usuario->EsperarConsultaVarios("Filial", {2});
    EXPECT_TRUE(m_processo.EscolherCodigos("pCodigoEstab"));
    EXPECT_EQ(m_processo.Param("pCodigoEstab"), "2");
    const int filiais = Valor("select count(*) from ESTAB where CODIGOEMPRESA in (3, 4)").toInt();
    ASSERT_LT(filiais, Valor("select count(*) from ESTAB").toInt());
    EXPECT_EQ(m_usuario->Perguntas().last().linhas, filiais);
    // A company list the statement cannot take is refused on its own parameter, before any consultation.
    m_processo.SetParam("pCodigoEmpresa", "4-3");
    try {
        m_processo.EscolherCodigos("pCodigoEstab");
        ADD_FAILURE() << "a reversed range narrowed the establishments";
    } catch (const EnParam& erro) {
        EXPECT_EQ(erro.Alias(), "pCodigoEmpresa");
    }
    m_usuario->Verificar();
}

// "Cancelar" on the progress stops the listing before the next establishment;
// what was listed stays in the preview, and the message tree says so.
TEST_F(GerarProtocoloDemo, CancelarNoProgressoPara)
{
    m_processo.SetParam("pTipo", "1;2;3;4;5;11;12");
    m_processo.Processar();
    const int todos = Itens();
    ASSERT_GT(todos, 0);
    // Pressed as the first establishment shows on the total bar ("code - company  -  code - establishment").
    m_usuario->CancelarProgressoAoMostrar("  -  ");
    m_processo.Processar();
    EXPECT_LT(Itens(), todos);
    const QString mensagens = m_processo.MsgTreeLista().ComoTexto();
    EXPECT_TRUE(mensagens.contains("Geração interrompida pelo usuário: a prévia tem só o que foi listado até então.")) << mensagens.toStdString();
    EXPECT_FALSE(mensagens.contains("Notas Fiscais, Boletos")) << "the second pass never started";
    EXPECT_EQ(m_usuario->ProgressosAbertos(), 0) << "the progress frame is gone";
}
