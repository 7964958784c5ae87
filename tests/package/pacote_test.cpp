#include "bancoteste.h"
#include "classeslyr.h"
#include "dicionario.h"
#include "direitos.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "menu.h"
#include "migracoes.h"
#include "pacotes.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

TnModulos Modulos(std::initializer_list<int> numeros)
{
    TnModulos modulos;
    for (int numero : numeros)
        modulos.set(static_cast<size_t>(numero));
    return modulos;
}

// Every class of the table asked for its action, as the host does once all are registered.
TnActionList AcoesDaTabela(const TnModulos& modulos)
{
    TnActionList acoes;
    for (const TnClasseDeclarada& classe : ClassesLyr())
        GerarAcaoPrincipal(classe, kModuloLyr, acoes, {}, modulos, {});
    return acoes;
}

const TnClasseDeclarada& ClasseLyr(const QString& nome)
{
    return ClasseNaTabela(ClassesLyr(), nome, QStringLiteral("LyrPk"));
}

} // namespace

TEST(ClassesLyr, UmaAcaoPorClasseComMenuSoParaOModulo13)
{
    EXPECT_EQ(ClassesLyr().size(), 49);
    EXPECT_EQ(AcoesDaTabela(Modulos({1, 12, 14, 191})).Count(), 0);
    const TnActionList acoes = AcoesDaTabela(Modulos({13}));
    ASSERT_EQ(acoes.Count(), 46);
    for (const TnAction* acao : acoes.Todas()) {
        EXPECT_TRUE(acao->Name().startsWith("actT")) << acao->Name().toStdString();
        EXPECT_FALSE(acao->Caption().isEmpty());
    }
    const TnAction* protocolo = acoes.Find("actTLyrDMProtocolo");
    ASSERT_NE(protocolo, nullptr);
    EXPECT_EQ(protocolo->Category(), "02 Movimentos\\01 Protocolos");
    EXPECT_EQ(protocolo->ImageIndex(), 115);
    EXPECT_FALSE(protocolo->CriarHTTP()) << "HTTP only in the register's declaration";
    EXPECT_TRUE(protocolo->CriarMenu());
    const TnAction* rota = acoes.Find("actTLyrDCProtocoloRota");
    EXPECT_FALSE(rota->CriarMenu());
    EXPECT_FALSE(rota->ControlaDireito());
    const TnAction* gerar = acoes.Find("actTLyrDPGerarProtocolo");
    EXPECT_EQ(gerar->Index(), 1);
    EXPECT_TRUE(gerar->Separador());
    EXPECT_EQ(acoes.Find("actTLyrDPBaixarProtocolo")->ImageIndex(), -1);
    EXPECT_EQ(acoes.Find("actTLyrDMProtocoloDocEmp")->ImageIndex(), 53);
    EXPECT_EQ(acoes.Find("actTLyrDPGerarProtocoloBase"), nullptr);
    EXPECT_TRUE(ItemDeMenu(ClasseLyr("TLyrDMProtocolo")).CriarHTTP);
}

TEST(ClassesLyr, ChavesCompostasSemBrancos)
{
    EXPECT_EQ(ClasseLyr("TLyrDMProtocoloItem").chave, "CODIGOPROTOCOLO;SEQITEMPRO");
    EXPECT_EQ(ClasseLyr("TLyrDMProtocoloDocArquivo").chave, "CODIGOCAIXA;CODIGOENVELOPE;CODIGODOCEMP");
    for (const TnClasseDeclarada& classe : ClassesLyr())
        EXPECT_FALSE(classe.chave.contains(u' ')) << classe.nome.toStdString();
    EXPECT_EQ(ClasseLyr("TLyrDCProtocoloDocArquivo").tipo, 1);
    EXPECT_THROW(ClasseLyr("TLyrDMInexistente"), EnErro);
}

// A package registers its classes in its table's order, each with its row; a
// class the table does not know is refused, not registered without a menu.
TEST(ClassesLyr, OrdemDaTabelaEClasseForaDelaRecusada)
{
    const auto info = [](const char* nome) {
        return TnInfoClasse{nome, [] { return std::unique_ptr<TnDataModule>(); }, {}, {}, {}, {}, {}};
    };
    const QList<TnInfoClasse> classes =
        ClassesNaOrdemDaTabela(ClassesLyr(), kModuloLyr, {info("TLyrDPGerarProtocolo"), info("TLyrDMProtocolo")}, "LyrPk");
    ASSERT_EQ(classes.size(), 2);
    EXPECT_EQ(classes[0].nome, "TLyrDMProtocolo");
    EXPECT_EQ(classes[0].declaracao->tabela, "PROTOCOLO");
    EXPECT_EQ(classes[0].ChavePrimaria(), "CODIGOPROTOCOLO");
    TnActionList acoes;
    classes[1].GerarPrincAction(acoes, {}, Modulos({13}));
    EXPECT_EQ(acoes.Find("actTLyrDPGerarProtocolo")->Caption(), "Gerar Protocolo");
    try {
        ClassesNaOrdemDaTabela(ClassesLyr(), kModuloLyr, {info("TLyrDMProtocolo"), info("TLyrDMProtocolox")}, "LyrPk");
        FAIL();
    } catch (const EnErro& erro) {
        EXPECT_EQ(erro.Mensagem(), "A classe TLyrDMProtocolox não está na tabela de classes de LyrPk.");
    }
}

TEST(MontarMenu, NiveisPeloNumeroEEntradasPeloIndice)
{
    TnActionList acoes;
    const auto nova = [&acoes](const char* nome, const char* categoria, int indice) {
        TnAction& acao = acoes.Nova(nome);
        acao.SetCategory(categoria);
        acao.SetCaption(nome);
        acao.SetIndex(indice);
        return &acao;
    };
    nova("b", "02 Movimentos\\01 Protocolos", 3);
    nova("a", "02 Movimentos\\01 Protocolos", 1);
    nova("c", "01 Cadastros\\10 Clientes", 0);
    nova("d", "01 Cadastros\\2 Documentos", 0);
    nova("oculta", "01 Cadastros\\2 Documentos", 0)->SetCriarMenu(false);
    nova("e", "Cadastros\\Documentos", 25);
    nova("f", "Relatórios", 0);
    const TnNoMenu menu = MontarMenu(acoes.Todas());
    ASSERT_EQ(menu.submenus.size(), 3);
    EXPECT_EQ(menu.submenus[0].titulo, "01 Cadastros");
    EXPECT_EQ(menu.submenus[0].submenus[0].titulo, "2 Documentos");
    // "Cadastros\Documentos" is the same menu as "01 Cadastros\2 Documentos": one menu, not two of one name.
    ASSERT_EQ(menu.submenus[0].submenus[0].acoes.size(), 2);
    EXPECT_EQ(menu.submenus[0].submenus[0].acoes[1]->Name(), "e");
    EXPECT_EQ(menu.submenus[1].submenus[0].acoes[0]->Name(), "a");
    EXPECT_EQ(menu.submenus[2].titulo, "Relatórios") << "levels without a number come last";
    EXPECT_EQ(TituloSemOrdem("02 Movimentos"), "Movimentos");
}

class PacoteLyr : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_host->SetDireitos(std::make_unique<TnDMDireitoUsuario>());
    }
};

TEST_F(PacoteLyr, CarregaRegistraNaOrdemEDescarregaRetirando)
{
    TnPacote pacote(LYR_PACOTE);
    pacote.Carregar();
    EXPECT_EQ(pacote.EstadoAtual(), TnPacote::Estado::Inicializado);
    EXPECT_EQ(pacote.Nome(), "LyrPk");
    EXPECT_EQ(pacote.Metadados().versao, pacote.Descricao().versao) << "the metadata and the description agree";
    EXPECT_EQ(pacote.Metadados().versaoInterface, kVersaoInterfacePacote);
    QStringList nomes;
    for (const TnInfoClasse* classe : m_host->Registro().Classes())
        nomes.append(classe->nome);
    // Table order for the module's classes; the selection class last.
    EXPECT_EQ(nomes, QStringList({"TLyrDMHistoricoPro", "TLyrDCHistoricoPro", "TLyrDMProtocoloLocalCaixa", "TLyrDCProtocoloLocalCaixa",
                                  "TLyrDMProtocoloDocArquivo", "TLyrDCProtocoloDocArquivo", "TLyrDMProtocoloItem", "TLyrDMProtocolo",
                                  "TLyrDCProtocolo", "TLyrDMProtocoloRespEstab", "TLyrDMProtocoloDocEnvelope", "TLyrDCProtocoloDocEnvelope",
                                  "TLyrDMProtocoloDocCaixa", "TLyrDCProtocoloDocCaixa", "TLyrDMProtocoloDocEmp",
                                  "TLyrDCProtocoloDocEmp", "TLyrDMProtocoloGrupoDoc", "TLyrDCProtocoloGrupoDoc",
                                  "TLyrDMProtocoloGrupoTipoDoc", "TLyrDCProtocoloGrupoTipoDoc", "TLyrDMProtocoloRota",
                                  "TLyrDCProtocoloRota", "TLyrDMProtocoloRotaEntrega", "TLyrDMProtocoloTipoDoc",
                                  "TLyrDCProtocoloTipoDoc", "TLyrDMProtocoloDocMovimento", "TLyrDMCfgTipoProtocolo", "TLyrDPBaixarProtocolo", "TLyrDPGerarProtocoloBase",
                                  "TLyrDPGerarProtocolo", "TLyrDPGerarDocumento", "TLyrDPGerarProIndividual", "TLyrDPConfigurarRotaEntrega", "TLyrDPConsultaDocumento", "TLyrDPDocumentosFora",
                                  "TLyrDPConsultaProtocoloBase", "TLyrDPConsultaProtocoloBaixado",
                                  "TLyrDPConsultaProtocoloEntregue", "TLyrDPConfiguracaoEntrega", "TLyrDPConfiguradorTipoGrupo", "TLyrDPConsultaDocPendente",
                                  "TLyrDPDocumentosPendentes", "TLyrDPConsultaProtocoloLocalCaixas", "TLyrDPConsultaDocumentosCaixa", "TLyrDPArquivarDocs", "TLyrDPPainelPendencias", "TLyrDMDocBaixaJustificada", "TLyrDPConsultaDescarte", "TLyrDMSelecao"}));
    const TnInfoClasse* consulta = m_host->Registro().Classe("TLyrDCHistoricoPro");
    EXPECT_EQ(consulta->ChavePrimaria(), "CODIGOHISTPRO");
    EXPECT_EQ(consulta->PegarTipoObjeto(), 2);
    EXPECT_EQ(m_host->Registro().Classe("TLyrDMProtocoloItem")->ChavePrimaria(), "CODIGOPROTOCOLO;SEQITEMPRO");
    EXPECT_EQ(m_host->Registro().Classe("TLyrDMProtocolo")->PegarVerificaSelecao(), "DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL");
    EXPECT_EQ(m_host->Registro().FnDMSelecaoClass[13], "TLyrDMSelecao");
    EXPECT_TRUE(m_host->Registro().ModulosCarregados.test(13)) << "the module number comes from the package";
    EXPECT_EQ(pacote.Descricao().nome, "LyrPk");
    EXPECT_FALSE(pacote.Descricao().versao.isEmpty());

    TnActionList menu;
    GerarPrincActions(menu, {}, Modulos({13}));
    EXPECT_EQ(menu.Count(), 46) << "the selection class and the two bases have no menu entry";
    EXPECT_EQ(menu.Find("actTLyrDPConsultaProtocoloEntregue")->Category(), "04 Consultas");
    EXPECT_EQ(menu.Find("actTLyrDPBaixarProtocolo")->Caption(), "Baixar Protocolo");
    EXPECT_TRUE(menu.Find("actTLyrDPGerarProtocolo")->Separador());
    EXPECT_EQ(menu.Find("actTLyrDMCfgTipoProtocolo")->Category(), "02 Movimentos\\01 Protocolos");
    EXPECT_EQ(menu.Find("actTLyrDMProtocolo")->VerificaSelecao(), "DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL");
    TnActionList semModulo;
    GerarPrincActions(semModulo, {}, Modulos({2}));
    EXPECT_EQ(semModulo.Count(), 0);

    TnActionList direitos;
    m_host->Direitos()->GerarListaDireitos(direitos);
    QList<TnAction*> doModulo;
    for (TnAction* direito : direitos.Todas()) {
        if (direito->Category() == "03 Protocolos")
            doModulo.append(direito);
    }
    ASSERT_EQ(doModulo.size(), 1);
    EXPECT_EQ(doModulo[0]->Name(), "DireitoAltProtocolo");
    EXPECT_EQ(doModulo[0]->Caption(), "Usuário pode Alterar Protocolo");
    EXPECT_EQ(doModulo[0]->Index(), 1000);
    EXPECT_EQ(doModulo[0]->Tag(), 3);
    EXPECT_EQ(direitos.Todas().last(), doModulo[0]) << "after the base package's permissions";

    pacote.Descarregar();
    EXPECT_EQ(m_host->Registro().Classes().size(), 0);
    EXPECT_FALSE(m_host->Registro().ModulosCarregados.test(13));
    EXPECT_TRUE(m_host->Registro().FnDMSelecaoClass[13].isEmpty());
    TnActionList depois;
    m_host->Direitos()->GerarListaDireitos(depois);
    EXPECT_EQ(depois.Find("DireitoAltProtocolo"), nullptr);
}

TEST_F(PacoteLyr, PacoteInexistenteDizPorQue)
{
    TnPacote pacote("/nao/existe/libLyrPk.so");
    EXPECT_EQ(Recusa([&] { pacote.Carregar(); }),
              "O pacote LyrPk não pôde ser carregado: o arquivo /nao/existe/libLyrPk.so não existe.");
    EXPECT_EQ(pacote.EstadoAtual(), TnPacote::Estado::Falhou);
}

// The installation's packages: a folder's libraries with a package's
// metadata (another library beside them is not one), or the files named;
// a named file that is no package is refused and nothing stays loaded.
TEST_F(PacoteLyr, PacotesInstaladosPelaPastaOuPelosArquivos)
{
    QTemporaryDir pasta;
    const QString lyr = pasta.filePath("libLyrPk.so");
    const QString outra = pasta.filePath("libOutra.so");
    ASSERT_TRUE(QFile::copy(LYR_PACOTE, lyr));
    ASSERT_TRUE(QFile::copy(LYR_PACOTES_TESTE "/libTestePkFalha.so", outra));
    // A library that is nobody's package: the test packages' metadata stripped.
    ASSERT_TRUE(QFile::remove(outra));
    ASSERT_TRUE(QFile::copy(QCoreApplication::applicationFilePath(), outra));

    qputenv("LYR_PACOTES", pasta.path().toUtf8());
    EXPECT_EQ(ArquivosDosPacotes(), QStringList({lyr}));
    {
        TnPacotesInstalados pacotes;
        pacotes.Carregar();
        ASSERT_EQ(pacotes.Pacotes().size(), 1U);
        EXPECT_EQ(pacotes.Pacotes().front()->Nome(), "LyrPk");
        EXPECT_TRUE(m_host->Registro().ModulosCarregados.test(13));
    }
    EXPECT_FALSE(m_host->Registro().ModulosCarregados.test(13)) << "unloaded with the object";

    qputenv("LYR_PACOTES", (lyr + ':' + outra).toUtf8());
    TnPacotesInstalados pacotes;
    EXPECT_EQ(Recusa([&] { pacotes.Carregar(); }),
              "O pacote Outra não pôde ser carregado: " + outra + " não traz os metadados de um pacote do Lyr.");
    EXPECT_TRUE(pacotes.Pacotes().empty());
    EXPECT_FALSE(m_host->Registro().ModulosCarregados.test(13)) << "the one loaded before was withdrawn";
    qunsetenv("LYR_PACOTES");
}

namespace {

class TTesteDMJaExiste : public TnDataModule {
    LYR_DATAMODULE(TTesteDMJaExiste)
};

QStringList NomesRegistrados(TnHost& host)
{
    QStringList nomes;
    for (const TnInfoClasse* classe : host.Registro().Classes())
        nomes.append(classe->nome);
    return nomes;
}

} // namespace

// A package that cannot be registered whole leaves the host as it was and
// says why; the library is unloaded, no factory of it stays behind.
TEST_F(PacoteLyr, PacoteQuebradoDeixaORegistroComoEstavaEDizPorQue)
{
    nRegisterClass(InfoDaClasse<TTesteDMJaExiste>());
    m_host->Registro().FnDMSelecaoClass[40] = "TAnterior";
    const QStringList antes = NomesRegistrados(*m_host);
    const struct {
        const char* nome;
        const char* motivo;
    } casos[] = {
        {"TestePkSemEntrada", "a biblioteca não exporta TestePkSemEntradaDescrever."},
        {"TestePkVersao", "ele foi feito para a interface %1 do sistema, e este sistema usa a interface %2."},
        {"TestePkDuplicado", "A classe TTesteDMJaExiste já está registrada."},
        {"TestePkFalha", "a configuração do pacote está corrompida"},
    };
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        TnPacote pacote(QStringLiteral(LYR_PACOTES_TESTE "/lib%1.so").arg(caso.nome));
        const QString motivo = QString::fromUtf8(caso.motivo).arg(kVersaoInterfacePacote + 1).arg(kVersaoInterfacePacote);
        const QString esperado = QStringLiteral("O pacote %1 não pôde ser carregado: %2").arg(caso.nome, motivo);
        EXPECT_EQ(Recusa([&] { pacote.Carregar(); }), esperado);
        EXPECT_EQ(pacote.EstadoAtual(), TnPacote::Estado::Falhou);
        EXPECT_EQ(pacote.Erro(), esperado);
        EXPECT_EQ(NomesRegistrados(*m_host), antes);
        EXPECT_EQ(m_host->Registro().FnDMSelecaoClass[40], "TAnterior");
        EXPECT_FALSE(m_host->Registro().ModulosCarregados.test(40));
        pacote.Descarregar();  // nothing to withdraw
        EXPECT_EQ(NomesRegistrados(*m_host), antes);
    }
    EXPECT_FALSE(qEnvironmentVariableIsSet("LYR_TESTE_PACOTE_CARREGADO")) << "the other interface's package was loaded";
}

TEST_F(PacoteLyr, DireitoDoUsuarioLogado)
{
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL, ADMINISTRADOR) values "
                      "(1, 'ana', 'Ana', '1'), (2, 'bia', 'Bia', '0'), (3, 'caio', 'Caio', '0')");
    ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO, PERMITIDO) values "
                      "(1, 'DireitoAltProtocolo', '0'), (2, 'DireitoAltProtocolo', '0'), (3, 'DireitoAltProtocolo', '1')");
    EXPECT_EQ(PegarDireito("DireitoAltProtocolo"), kDireitoConcedido) << "administrators have every right";
    Con().SetCodigoUsuario(2);
    EXPECT_EQ(PegarDireito("DireitoAltProtocolo"), 0);
    EXPECT_EQ(PegarDireito("OutroDireito"), kDireitoConcedido);
    Con().SetCodigoUsuario(3);
    EXPECT_EQ(PegarDireito("DireitoAltProtocolo"), kDireitoConcedido);
    Con().SetCodigoUsuario(2);
    m_host->SetDireitos(nullptr);
    EXPECT_EQ(PegarDireito("DireitoAltProtocolo"), kDireitoConcedido) << "no rights module: granted";
}

// A package the host has never heard of brings a table, its register, a
// dictionary entry and a command: the host takes each from the package's
// description, on the command line and in process.
TEST_F(PacoteLyr, PacoteNovoTrazTabelaCadastroDicionarioEComando)
{
    const QString notas = QStringLiteral(LYR_PACOTES_TESTE "/libTestePkNotas.so");
    QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
    ambiente.insert("LYR_PACOTES", qEnvironmentVariable("LYR_PACOTES") + u':' + notas);
    const auto lyr = [&](const QStringList& argumentos) {
        QProcess processo;
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(LYR_BINARIO), argumentos);
        processo.waitForFinished(60000);
        EXPECT_EQ(processo.exitCode(), 0) << processo.readAllStandardError().toStdString();
        return QString::fromUtf8(processo.readAllStandardOutput());
    };
    const QString ajuda = lyr({"--help"});
    EXPECT_TRUE(ajuda.contains(QRegularExpression("\n  notas +conta as notas do escritório\n"))) << ajuda.toStdString();
    EXPECT_TRUE(ajuda.contains(QRegularExpression("--texto <texto> +Com notas: só as que têm este texto."))) << ajuda.toStdString();
    QTemporaryDir pasta;
    const QString banco = pasta.filePath("notas.db");
    EXPECT_EQ(lyr({"-d", banco, "notas", "--texto", "x"}), "Notas: 0\n") << "its table was created by its step";
    EXPECT_TRUE(lyr({"-d", banco, "status"}).contains("Pacote: TestePkNotas 9.9 (módulo 41, 1 classes, esquema versão 1)"));

    TnPacote pacote(notas);
    pacote.Ler();
    EXPECT_EQ(TnMigrador(Con(), {&pacote.Descricao()}).Atualizar(), 1);
    pacote.Carregar();
    auto nota = CriarDM<TnDMClientDataSet>(QStringLiteral("TTesteDMNota"));
    ASSERT_NE(nota, nullptr);
    EXPECT_EQ(nota->FieldByName("CODIGONOTA").DisplayLabel(), "Nota");
    EXPECT_EQ(nota->FieldByName("CODIGONOTA").Definicao().Hint, "Informe a nota");
    nota->Abrir();
    nota->nClientDataSet.Append();
    nota->FieldByName("CODIGONOTA").SetValue(7);
    nota->FieldByName("DESCRNOTA").SetValue("Levar o contrato");
    nota->nClientDataSet.Post();
    EXPECT_EQ(Valor("select DESCRNOTA from TESTENOTA where CODIGONOTA = 7").toString(), "Levar o contrato");
    nota.reset();
    pacote.Descarregar();
    EXPECT_EQ(EntradaDicionario("CODIGONOTA"), nullptr) << "the entry leaves with its package";
}
