#include "bancoteste.h"

#include <QDir>
#include <QRegularExpression>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUrl>
#include <QUrlQuery>

namespace {

struct TnSaida {
    int codigo;
    QString texto;
    QString erros;
};

// Only what a login shell on a machine without a display would have: no
// DISPLAY, no Qt platform, no LYR_* of the developer running the tests.
QProcessEnvironment AmbienteLimpo()
{
    QProcessEnvironment ambiente;
    ambiente.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    ambiente.insert(QStringLiteral("HOME"), QDir::tempPath());
    ambiente.insert(QStringLiteral("LANG"), QStringLiteral("C.UTF-8"));
    return ambiente;
}

TnSaida Lyr(const QStringList& argumentos, const QProcessEnvironment& ambiente = QProcessEnvironment::systemEnvironment(),
            const QString& pasta = {}, int limite = 120000, const QByteArray& entrada = {})
{
    QProcess processo;
    processo.setProcessEnvironment(ambiente);
    if (!pasta.isEmpty())
        processo.setWorkingDirectory(pasta);
    processo.start(QStringLiteral(LYR_BINARIO), argumentos);
    processo.write(entrada);
    processo.closeWriteChannel();
    if (!processo.waitForFinished(limite)) {
        processo.kill();
        processo.waitForFinished();
        ADD_FAILURE() << "lyr " << argumentos.join(u' ').toStdString() << " did not finish in " << limite << " ms";
        return {-1, {}, QString::fromUtf8(processo.readAllStandardError())};
    }
    // A crash (an abort for want of a display) is no answer either.
    const int codigo = processo.exitStatus() == QProcess::NormalExit ? processo.exitCode() : -2;
    return {codigo, QString::fromUtf8(processo.readAllStandardOutput()), QString::fromUtf8(processo.readAllStandardError())};
}

} // namespace

TEST(LinhaDeComando, InitDemoESqlRespondem)
{
    TnBancoTeste banco;
    const QString texto = TextoDoBanco(banco.Config());

    const TnSaida init = Lyr({"--database", texto, "init", "--demo", "--reference", "2026-12-06"});
    ASSERT_EQ(init.codigo, 0) << init.erros.toStdString();
    EXPECT_TRUE(init.texto.contains("usuário \"demo\", senha \"demo\"")) << init.texto.toStdString();

    const TnSaida consulta = Lyr({"--database", texto, "sql", "select CODIGOEMPRESA, NOMEEMPRESA from EMPRESA where CODIGOEMPRESA = 1"});
    ASSERT_EQ(consulta.codigo, 0) << consulta.erros.toStdString();
    EXPECT_TRUE(consulta.texto.contains("Lyr Contabilidade Ltda")) << consulta.texto.toStdString();
    EXPECT_TRUE(consulta.texto.contains("(1 linha)"));

    const TnSaida repetida = Lyr({"--database", texto, "init", "--demo"});
    EXPECT_EQ(repetida.codigo, 1);
    EXPECT_TRUE(repetida.erros.contains("já tem empresas")) << repetida.erros.toStdString();

    const TnSaida erro = Lyr({"--database", texto, "sql", "select NAOEXISTE from EMPRESA"});
    EXPECT_EQ(erro.codigo, 1);
    EXPECT_TRUE(erro.erros.contains("select NAOEXISTE from EMPRESA"));

    const TnSaida alteracao = Lyr({"--database", texto, "sql", "update EMPRESA set APELIDOEMPRESA = 'Escritório' where CODIGOEMPRESA = 1"});
    EXPECT_TRUE(alteracao.texto.contains("1 linha afetada.")) << alteracao.texto.toStdString();

    // What the clients still owe this month: told per establishment and
    // type, and each document in the CSV file.
    QTemporaryDir pasta;
    const TnSaida pendentes = Lyr({"--database", texto, "pendentes", "--competencia", "2026-12", "--csv", pasta.filePath("p.csv")});
    ASSERT_EQ(pendentes.codigo, 0) << pendentes.erros.toStdString();
    const QRegularExpressionMatch total = QRegularExpression("Competência 12/2026: (\\d+) documento\\(s\\) pendente\\(s\\)").match(pendentes.texto);
    ASSERT_TRUE(total.hasMatch()) << pendentes.texto.toStdString();
    EXPECT_GT(total.captured(1).toInt(), 0);
    EXPECT_TRUE(pendentes.texto.contains("Por tipo de documento:")) << pendentes.texto.toStdString();
    QFile csv(pasta.filePath("p.csv"));
    ASSERT_TRUE(csv.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList linhas = QString::fromUtf8(csv.readAll()).split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(linhas.first(), "Empresa;Nome;Filial;Apelido;Documento;Tipo;Descrição;Data");
    EXPECT_EQ(linhas.size() - 1, total.captured(1).toInt());

    // The archived papers past their discard date, per box, each in the CSV.
    const TnSaida descarte = Lyr({"--database", texto, "descarte", "--ate", "2026-12-06", "--csv", pasta.filePath("d.csv")});
    ASSERT_EQ(descarte.codigo, 0) << descarte.erros.toStdString();
    const QRegularExpressionMatch descartaveis = QRegularExpression("Descartáveis até 06/12/2026: (\\d+) documento").match(descarte.texto);
    ASSERT_TRUE(descartaveis.hasMatch()) << descarte.texto.toStdString();
    EXPECT_GT(descartaveis.captured(1).toInt(), 0);
    EXPECT_TRUE(descarte.texto.contains("Pode ser esvaziada")) << descarte.texto.toStdString();
    QFile documentos(pasta.filePath("d.csv"));
    ASSERT_TRUE(documentos.open(QIODevice::ReadOnly | QIODevice::Text));
    EXPECT_EQ(QString::fromUtf8(documentos.readAll()).count(u'\n') - 1, descartaveis.captured(1).toInt());
}

TEST(LinhaDeComando, SemTelaAjudaVersaoEErrosRespondemEmTexto)
{
    const QProcessEnvironment semTela = AmbienteLimpo();
    EXPECT_TRUE(Lyr({"--version"}, semTela).texto.contains("lyr 0.1.0"));

    const TnSaida desconhecido = Lyr({"foo"}, semTela);
    EXPECT_EQ(desconhecido.codigo, 1) << desconhecido.erros.toStdString();
    EXPECT_TRUE(desconhecido.erros.contains("Comando desconhecido: foo")) << desconhecido.erros.toStdString();
    // Without its package a package's command is unknown, and the message says why;
    // the host's own commands go on working.
    QProcessEnvironment semPacotes = semTela;
    semPacotes.insert("LYR_PACOTES", "/nao/existe.so");
    const TnSaida semGerar = Lyr({"gerar", "--de", "2026-11-01", "--ate", "2026-11-30"}, semPacotes);
    EXPECT_EQ(semGerar.codigo, 1);
    EXPECT_TRUE(semGerar.erros.contains("Comando desconhecido: gerar. O pacote existe não pôde ser carregado")) << semGerar.erros.toStdString();
    const TnSaida ajudaSemPacotes = Lyr({"--help"}, semPacotes);
    EXPECT_EQ(ajudaSemPacotes.codigo, 0);
    EXPECT_TRUE(ajudaSemPacotes.texto.contains("Os comandos dos pacotes não estão disponíveis")) << ajudaSemPacotes.texto.toStdString();
    EXPECT_FALSE(ajudaSemPacotes.texto.contains("  gerar "));

    const TnSaida opcao = Lyr({"--databse", "x.db"}, semTela);
    EXPECT_EQ(opcao.codigo, 1) << opcao.erros.toStdString();
    EXPECT_TRUE(opcao.erros.contains("Opção desconhecida: --databse")) << opcao.erros.toStdString();
    const TnSaida semValor = Lyr({"status", "--database"}, semTela);
    EXPECT_EQ(semValor.codigo, 1);
    EXPECT_TRUE(semValor.erros.contains("Falta o valor de --database")) << semValor.erros.toStdString();

    const TnSaida desktop = Lyr({"--database", "/nao/existe/x.db"}, semTela);
    EXPECT_EQ(desktop.codigo, 1);
    EXPECT_TRUE(desktop.erros.contains("Não há tela para abrir o sistema")) << desktop.erros.toStdString();

    const TnSaida ajuda = Lyr({"--help"}, semTela);
    ASSERT_EQ(ajuda.codigo, 0) << ajuda.erros.toStdString();
    for (const char* ingles : {"Usage", "Options:", "Arguments:", "Displays", "commandline"})
        EXPECT_FALSE(ajuda.texto.contains(ingles, Qt::CaseInsensitive)) << ingles << "\n" << ajuda.texto.toStdString();
    for (const char* item : {"--database", "-d,", "--demo", "--size", "--reference", "--tsv", "--abrir", "--captura",
                             "--help", "--version", "init", "sql", "menu", "status", "Opções:", "Comandos:"})
        EXPECT_TRUE(ajuda.texto.contains(item)) << item << "\n" << ajuda.texto.toStdString();
}

TEST(LinhaDeComando, ArgumentosErradosNaoCriamOBanco)
{
    QTemporaryDir pasta;
    const QString arquivo = pasta.filePath("x.db");
    const QList<QPair<QStringList, QString>> casos = {
        {{"init", "--demo", "--size", "0"}, "--size espera um número inteiro a partir de 1"},
        {{"init", "--demo", "--size", "-1"}, "--size espera"},
        {{"init", "--demo", "--size", "abc"}, "não \"abc\""},
        {{"init", "--demo", "--reference", "2026-02-31"}, "--reference espera uma data válida"},
        {{"init", "--demo", "--reference", "ontem"}, "não \"ontem\""},
        {{"init", "--size", "2"}, "A opção --size só vale com init --demo."},
        {{"status", "extra"}, "Argumento a mais: extra."},
        {{"init", "x"}, "Argumento a mais: x."},
        {{"sql", "select 1", "select 2"}, "Argumento a mais: select 2. Use: lyr sql"},
        {{"sql", " "}, "Falta o argumento do comando sql."},
        {{"sql"}, "Falta o argumento do comando sql."},
        {{"status", "--tsv"}, "A opção --tsv só vale com o comando menu."},
        {{"init", "--abrir", "TLyrDMHistoricoPro"}, "A opção --abrir só vale sem comando"},
        {{"--tsv"}, "A opção --tsv só vale com o comando menu."},
        // The process's own check of its parameters, named as on its panel.
        {{"gerar", "--de", "2026-11-01"}, "Use: lyr gerar --de"},
        {{"gerar", "--de", "2026-11-31", "--ate", "2026-11-30"}, "--de espera uma data AAAA-MM-DD, não \"2026-11-31\"."},
        {{"gerar", "--de", "2026-12-01", "--ate", "2026-11-30"}, "Data Inicial: A data inicial não pode ser posterior à data final."},
        {{"gerar", "--de", "2026-11-01", "--ate", "2026-11-30", "--forma", "3", "--gravar"}, "Gerar: Valor invalido para forma de geração."},
        {{"gerar", "--de", "2026-11-01", "--ate", "2026-11-30", "--tipos", "1;abc"}, "Tipo: \"abc\" não é uma das opções."},
        {{"gerar", "--de", "2026-11-01", "--ate", "2026-11-30", "--tipos", "99"}, "Tipo: \"99\" não é uma das opções."},
        {{"gerar", "--de", "2026-11-01", "--ate", "2026-11-30", "--empresas", "1;x"}, "Empresa: \"x\" não é um código"},
        {{"recibo", "--protocolos", "1", "--saida", pasta.filePath("nao/r.pdf")},
         QStringLiteral("Não foi possível gravar o arquivo %1: a pasta %2 não existe.").arg(pasta.filePath("nao/r.pdf"), pasta.filePath("nao"))},
        {{"recibo", "--protocolos", "1", "--saida", pasta.path()},
         QStringLiteral("Não foi possível gravar o arquivo %1: é uma pasta.").arg(pasta.path())},
        {{"recibo", "--protocolos", "1-x", "--saida", pasta.filePath("r.pdf")}, "\"1-x\" não é um código"},
        {{"pendentes", "--competencia", "dezembro"}, "Use: lyr pendentes --competencia AAAA-MM"},
        {{"descarte", "--ate", "2026-13-01"}, "Use: lyr descarte --ate AAAA-MM-DD"},
        {{"pendentes", "--competencia", "2026-12", "--csv", pasta.filePath("nao/p.csv")},
         QStringLiteral("A pasta de %1 não existe.").arg(pasta.filePath("nao/p.csv"))},
    };
    for (const auto& [argumentos, mensagem] : casos) {
        const TnSaida saida = Lyr(QStringList{"--database", arquivo} + argumentos, AmbienteLimpo());
        const std::string caso = argumentos.join(u' ').toStdString();
        EXPECT_EQ(saida.codigo, 1) << caso;
        EXPECT_TRUE(saida.erros.contains(mensagem)) << caso << ": " << saida.erros.toStdString();
        EXPECT_FALSE(QFile::exists(arquivo)) << caso;
        EXPECT_FALSE(QFile::exists(pasta.filePath("r.pdf"))) << caso;
    }
}

TEST(LinhaDeComando, PastaInexistenteEEnderecosDeOutrosBancosSaoRecusados)
{
    QTemporaryDir pasta;
    const TnSaida semPasta = Lyr({"--database", pasta.filePath("nao/existe/x.db"), "init"}, AmbienteLimpo());
    EXPECT_EQ(semPasta.codigo, 1);
    EXPECT_EQ(semPasta.erros.trimmed(), QStringLiteral("lyr: A pasta %1 não existe.").arg(pasta.filePath("nao/existe")));
    EXPECT_FALSE(QDir(pasta.filePath("nao")).exists());

    for (const char* endereco : {"mysql://lyr@servidor/lyr", "http://servidor/lyr.db"}) {
        const TnSaida saida = Lyr({"--database", endereco, "status"}, AmbienteLimpo(), pasta.path());
        EXPECT_EQ(saida.codigo, 1) << endereco;
        EXPECT_TRUE(saida.erros.contains("O Lyr não usa bancos")) << saida.erros.toStdString();
        EXPECT_TRUE(saida.erros.contains("postgresql://")) << saida.erros.toStdString();
    }
    EXPECT_TRUE(QDir(pasta.path()).isEmpty()) << "nothing is created for a refused address";

    // The default database, though, makes its own folder.
    const TnSaida padrao = Lyr({"status"}, AmbienteLimpo(), pasta.path());
    EXPECT_EQ(padrao.codigo, 0) << padrao.erros.toStdString();
    EXPECT_TRUE(QFile::exists(pasta.filePath("data/lyr.db")));
    EXPECT_TRUE(padrao.texto.contains(QRegularExpression("Pacote: LyrPk [0-9.]+ \\(módulo 13, [0-9]+ classes, esquema versão 3\\)"))) << padrao.texto.toStdString();
}

TEST(LinhaDeComando, ArquivoQueNaoEDoLyrFicaComoEstava)
{
    QTemporaryDir pasta;
    const QString texto = pasta.filePath("notas.txt");
    {
        QFile arquivo(texto);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
        arquivo.write("Reunião com o cliente na segunda-feira.\n");
    }
    const TnSaida naoSQLite = Lyr({"--database", texto, "status"}, AmbienteLimpo());
    EXPECT_EQ(naoSQLite.codigo, 1);
    EXPECT_EQ(naoSQLite.erros.trimmed(), QStringLiteral("lyr: O arquivo %1 não é um banco do Lyr.").arg(texto));
    EXPECT_EQ(QFileInfo(texto).size(), qint64(QByteArray("Reunião com o cliente na segunda-feira.\n").size()));

    // Another program's SQLite database is not turned into an office.
    const QString alheio = pasta.filePath("outro.db");
    {
        QSqlDatabase banco = QSqlDatabase::addDatabase("QSQLITE", "alheio");
        banco.setDatabaseName(alheio);
        ASSERT_TRUE(banco.open());
        ASSERT_TRUE(QSqlQuery(banco).exec("create table CLIENTES (ID integer)"));
        banco.close();
    }
    QSqlDatabase::removeDatabase("alheio");
    const TnSaida outroPrograma = Lyr({"--database", alheio, "init"}, AmbienteLimpo());
    EXPECT_EQ(outroPrograma.codigo, 1);
    EXPECT_EQ(outroPrograma.erros.trimmed(), QStringLiteral("lyr: O arquivo %1 não é um banco do Lyr.").arg(alheio));
    {
        QSqlDatabase banco = QSqlDatabase::addDatabase("QSQLITE", "alheio");
        banco.setDatabaseName(alheio);
        ASSERT_TRUE(banco.open());
        QSqlQuery tabelas(banco);
        ASSERT_TRUE(tabelas.exec("select count(*) from sqlite_master where type = 'table'"));
        ASSERT_TRUE(tabelas.next());
        EXPECT_EQ(tabelas.value(0).toInt(), 1) << "no table was added";
    }
    QSqlDatabase::removeDatabase("alheio");

    // An empty file is a new database, and a directory is not a file.
    const QString vazio = pasta.filePath("vazio.db");
    {
        QFile arquivo(vazio);
        ASSERT_TRUE(arquivo.open(QIODevice::WriteOnly));
    }
    const TnSaida novo = Lyr({"--database", vazio, "init"}, AmbienteLimpo());
    EXPECT_EQ(novo.codigo, 0) << novo.erros.toStdString();
    EXPECT_TRUE(novo.texto.contains("Banco de dados pronto")) << novo.texto.toStdString();
    const TnSaida doisComandos = Lyr({"--database", vazio, "sql", "select 1; select 2"}, AmbienteLimpo());
    EXPECT_EQ(doisComandos.codigo, 1);
    EXPECT_TRUE(doisComandos.erros.startsWith("lyr: Execute um comando SQL por vez.")) << doisComandos.erros.toStdString();
    const TnSaida pastaComoBanco = Lyr({"--database", pasta.path(), "status"}, AmbienteLimpo());
    EXPECT_EQ(pastaComoBanco.codigo, 1);
    EXPECT_TRUE(pastaComoBanco.erros.contains("é uma pasta")) << pastaComoBanco.erros.toStdString();
}

// An unattended desktop run nobody can answer ends, and says why.
TEST(LinhaDeComando, CapturaSemRespostaTerminaComErro)
{
    QTemporaryDir pasta;
    const QString banco = pasta.filePath("x.db");
    ASSERT_EQ(Lyr({"init", "--demo", "--database", banco}, AmbienteLimpo()).codigo, 0);
    const QString captura = pasta.filePath("x.png");
    QProcessEnvironment ambiente = AmbienteLimpo();
    ambiente.insert("QT_QPA_PLATFORM", "offscreen");
    ambiente.insert("LYR_USUARIO", "demo");

    ambiente.insert("LYR_SENHA", "errada");
    const TnSaida senhaErrada = Lyr({"--database", banco, "--captura", captura}, ambiente, {}, 60000);
    EXPECT_EQ(senhaErrada.codigo, 1);
    EXPECT_TRUE(senhaErrada.erros.contains("LYR_USUARIO e LYR_SENHA não conferem.")) << senhaErrada.erros.toStdString();

    ambiente.insert("LYR_SENHA", "demo");
    const TnSaida telaQueNaoExiste = Lyr({"--database", banco, "--abrir", "TNaoExiste", "--captura", captura}, ambiente, {}, 60000);
    EXPECT_EQ(telaQueNaoExiste.codigo, 1);
    EXPECT_TRUE(telaQueNaoExiste.erros.contains("interrompida por um diálogo")) << telaQueNaoExiste.erros.toStdString();
    EXPECT_FALSE(QFile::exists(captura));

    ambiente.remove("LYR_USUARIO");
    const TnSaida semUsuario = Lyr({"--database", banco, "--captura", captura}, ambiente, {}, 60000);
    EXPECT_EQ(semUsuario.codigo, 1);
    EXPECT_TRUE(semUsuario.erros.contains("LYR_USUARIO")) << semUsuario.erros.toStdString();

    ambiente.insert("LYR_USUARIO", "demo");
    const TnSaida sobreOBanco = Lyr({"--database", banco, "--captura", banco}, ambiente, {}, 60000);
    EXPECT_EQ(sobreOBanco.codigo, 1);
    EXPECT_TRUE(sobreOBanco.erros.contains("um arquivo do banco de dados")) << sobreOBanco.erros.toStdString();
    const TnSaida certa = Lyr({"--database", banco, "--captura", captura}, ambiente, {}, 60000);
    EXPECT_EQ(certa.codigo, 0) << certa.erros.toStdString();
    EXPECT_TRUE(QFile::exists(captura));

    // The period asked before the protocols is not a question left unanswered:
    // an unattended run takes the period the dialog offers.
    QFile::remove(captura);
    const TnSaida protocolos = Lyr({"--database", banco, "--abrir", "TLyrDMProtocolo", "--captura", captura}, ambiente, {}, 60000);
    EXPECT_EQ(protocolos.codigo, 0) << protocolos.erros.toStdString();
    EXPECT_TRUE(QFile::exists(captura));
}

// Users set up without the desktop: the password comes from the standard
// input (and never shows in the output), the rights the package offers are
// granted or refused by name.
TEST(LinhaDeComando, UsuarioSenhaEDireitos)
{
    TnBancoTeste banco;
    const QString texto = TextoDoBanco(banco.Config());
    ASSERT_EQ(Lyr({"--database", texto, "init"}).codigo, 0);
    const auto usuario = [&](const QStringList& argumentos, const QByteArray& entrada = {}) {
        return Lyr(QStringList{"--database", texto, "usuario"} + argumentos, QProcessEnvironment::systemEnvironment(), {}, 120000, entrada);
    };

    const TnSaida adicionado = usuario({"adicionar", "joana", "--nome", "Joana Prado", "--administrador"}, "segredo-joana\n");
    ASSERT_EQ(adicionado.codigo, 0) << adicionado.erros.toStdString();
    EXPECT_EQ(adicionado.texto, "Usuário 1 (joana) cadastrado como administrador.\n");
    EXPECT_FALSE((adicionado.texto + adicionado.erros).contains("segredo")) << "the password is never printed";
    const TnSaida hash = Lyr({"--database", texto, "sql", "select SENHAHASH from USUARIO where NOMEUSUARIO = 'joana'"});
    EXPECT_TRUE(hash.texto.contains("$argon2id$")) << hash.texto.toStdString();

    EXPECT_TRUE(usuario({"adicionar", "joana", "--nome", "Outra"}, "outra-senha\n").erros.contains("Já existe um usuário com o login \"joana\"."));
    EXPECT_TRUE(usuario({"senha", "joana"}, "curta\n").erros.contains("A senha precisa ter ao menos 6 caracteres."));
    EXPECT_TRUE(usuario({"senha", "ninguem"}, "qualquer-senha\n").erros.contains("Usuário \"ninguem\" não cadastrado."));
    EXPECT_EQ(usuario({"senha", "joana"}, "nova-senha-1\n").texto, "Senha de joana alterada.\n");

    EXPECT_EQ(usuario({"direito", "joana", "DireitoAltProtocolo", "nao"}).texto, "Direito DireitoAltProtocolo retirado de joana.\n");
    const TnSaida direitos = usuario({"direitos", "joana"});
    EXPECT_TRUE(direitos.texto.contains("[ ] 03 Protocolos  DireitoAltProtocolo  Usuário pode Alterar Protocolo")) << direitos.texto.toStdString();
    EXPECT_TRUE(direitos.texto.contains("[x] 00 Sistema  DireitoAdmUsuarios")) << direitos.texto.toStdString();
    EXPECT_TRUE(usuario({"direito", "joana", "DireitoAltProtocolo", "talvez"}).erros.contains("Use sim ou nao"));
    EXPECT_TRUE(usuario({"direito", "joana", "DireitoVoar", "sim"}).erros.contains("Direito \"DireitoVoar\" desconhecido."));
    EXPECT_TRUE(usuario({"remover", "joana"}).erros.contains("Use: lyr usuario adicionar|senha|direito|direitos"));
    EXPECT_TRUE(Lyr({"--database", texto, "sql", "--nome", "x", "select 1"}).erros.contains("--nome só vale com o comando usuario"));
}
