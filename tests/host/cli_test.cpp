#include "bancoteste.h"

#include <QProcess>
#include <QUrl>
#include <QUrlQuery>

namespace {

struct TnSaida {
    int codigo;
    QString texto;
    QString erros;
};

TnSaida Lyr(const QStringList& argumentos)
{
    QProcess processo;
    processo.start(QStringLiteral(LYR_BINARIO), argumentos);
    processo.waitForFinished(120000);
    return {processo.exitCode(), QString::fromUtf8(processo.readAllStandardOutput()),
            QString::fromUtf8(processo.readAllStandardError())};
}

// The test database as the command line names it.
QString TextoDoBanco(const TnConfigBanco& config)
{
    if (config.banco == TnBanco::SQLite)
        return config.arquivo;
    QUrl url;
    url.setScheme("postgresql");
    url.setHost(config.servidor);
    url.setPort(config.porta);
    url.setUserName(config.usuario);
    url.setPassword(config.senha);
    url.setPath("/" + config.nomeBanco);
    url.setQuery("schema=" + config.esquema);
    return url.toString();
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
}

TEST(LinhaDeComando, VersaoEComandoDesconhecido)
{
    EXPECT_TRUE(Lyr({"--version"}).texto.contains("lyr 0.1.0"));
    const TnSaida desconhecido = Lyr({"--database", "/nao/existe/x.db", "exportar"});
    EXPECT_EQ(desconhecido.codigo, 1);
    EXPECT_TRUE(desconhecido.erros.contains("Comando desconhecido: exportar"));
}
