// What the protocol receipts say: the office, the establishment and where
// its documents go, the active items with their total, the barcode's code;
// one receipt per protocol or one per company.
#include "bancoteste.h"
#include "erros.h"
#include "recibos.h"
#include "sqlservicos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>

namespace {

class Recibos : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        CadastrarFilial(1, 1);
        ExecutarSQLDireto("update ESTAB set ENDERECO = 'Rua do Escritório', NUMERO = '10', CIDADE = 'Campinas', UF = 'SP' "
                          "where CODIGOEMPRESA = 1");
        ExecutarSQLDireto("insert into ESCRITORIO (CODIGOESCRIT, NOMEESCRIT, CODIGOEMPRESA, CODIGOESTAB) values (1, 'Lyr Contabilidade', 1, 1)");
        CadastrarFilial(2, 1);
        CadastrarFilial(2, 2);
        CadastrarFilial(3, 1);
        ExecutarSQLDireto("update ESTAB set CNPJ = '11.222.333/0001-81', ENDERECO = 'Rua A', NUMERO = '1', BAIRRO = 'Centro' "
                          "where CODIGOEMPRESA = 2 and CODIGOESTAB = 1");
        // Filial 2/2 takes its documents elsewhere; 3/1 has a delivery address it does not use.
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) values "
                          "(2, 2, 1, '2', '0'), (3, 1, 1, '1', '1')");
        ExecutarSQLDireto("insert into ESTABENTREGA (CODIGOEMPRESA, CODIGOESTAB, ENDERECO, NUMERO, CIDADE) values "
                          "(2, 2, 'Av. Entrega', '99', 'Jundiaí'), (3, 1, 'Rua Ignorada', '5', 'Itu')");
        ExecutarSQLDireto("update ESTAB set ENDERECO = 'Rua da Filial 3' where CODIGOEMPRESA = 3");
        Protocolo(41, 2, 1, "1", "2");
        Protocolo(42, 2, 2, "2", "1");
        Protocolo(43, 3, 1, "1", "3");
        Item(41, 1, "DARF IRPJ", "1234.5", "0");
        Item(41, 2, "DARF cancelado", "99", "1");
        Item(41, 3, "GPS", "0.05", "0");
        Item(42, 1, "Contrato social", QString(), "0");
        Item(43, 1, "FGTS", "10", "0");
    }

    void Protocolo(int codigo, int empresa, int estab, const char* natureza, const char* forma)
    {
        ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, NATUREZAPRO, "
                          "FORMAENTREGA, DATAHORACADASTRO, CODIGOUSUARIO, ORIGEMDADO) values (:c, :e, :f, '2026-11-30', '1', :n, :fe, "
                          "'2026-11-30 09:00:00', 1, 2)",
                          {codigo, empresa, estab, natureza, forma});
    }

    void Item(int protocolo, int seq, const char* descricao, const QString& valor, const char* cancelado)
    {
        ExecutarSQLDireto("insert into PROTOCOLOITEM (CODIGOPROTOCOLO, SEQITEMPRO, DESCRITEM, DATALCTOPRO, COMPETENCIA, VENCIMENTO, "
                          "VALOR, CANCELADO, CODIGOUSUARIO, DATAHORACADASTRO, ORIGEMDADO) values (:p, :s, :d, '2026-11-30', "
                          "'2026-10-01', '2026-11-20', :v, :c, 1, '2026-11-30 09:00:00', 2)",
                          {protocolo, seq, descricao, valor.isEmpty() ? QVariant() : QVariant(valor), cancelado});
    }
};

// Every text of a page, in order, one per line.
QString Texto(const TnPaginaRelatorio& pagina)
{
    QStringList linhas;
    for (const TnBlocoRelatorio& bloco : pagina.blocos) {
        linhas << bloco.texto << bloco.linhas << bloco.colunas;
        for (const QStringList& celulas : bloco.celulas)
            linhas << celulas.join(u'|');
    }
    linhas.removeAll(QString());
    return linhas.join(u'\n');
}

QStringList CodigosDeBarras(const TnPaginaRelatorio& pagina)
{
    QStringList codigos;
    for (const TnBlocoRelatorio& bloco : pagina.blocos) {
        if (bloco.tipo == TnBlocoRelatorio::Tipo::CodigoBarras)
            codigos.append(bloco.texto);
    }
    return codigos;
}

} // namespace

TEST_F(Recibos, UmPorProtocoloComItensAtivosTotalEEnderecoDeEntrega)
{
    const TnRelatorio recibos = MontarRecibos("41-43", false);
    ASSERT_EQ(recibos.paginas.size(), 3);
    const QString primeiro = Texto(recibos.paginas[0]);
    for (const char* esperado : {"Lyr Contabilidade", "Rua do Escritório, 10 - Campinas/SP", "Protocolo de Entrega de Documentos",
                                 "2 - Empresa 2", "1 - Empresa 2", "11.222.333/0001-81", "Rua A, 1 - Centro", "Entregue em Mãos",
                                 "DARF IRPJ|10/2026|20/11/2026|1.234,50", "GPS|10/2026|20/11/2026|0,05",
                                 "Total (2 item(ns))|||1.234,55", "Nome do recebedor"})
        EXPECT_TRUE(primeiro.contains(QString::fromUtf8(esperado))) << esperado << "\n" << primeiro.toStdString();
    EXPECT_FALSE(primeiro.contains("cancelado")) << "cancelled items are not on the receipt";
    EXPECT_EQ(CodigosDeBarras(recibos.paginas[0]), QStringList({"41"}));

    const QString segundo = Texto(recibos.paginas[1]);
    EXPECT_TRUE(segundo.contains("Protocolo de Recebimento de Documentos"));
    EXPECT_TRUE(segundo.contains("Av. Entrega, 99 - Jundiaí")) << "its own delivery address";
    EXPECT_TRUE(segundo.contains("Contrato social|10/2026|20/11/2026|\n")) << "an item without amount shows none";
    EXPECT_TRUE(segundo.contains("Nome de quem entregou"));
    const QString terceiro = Texto(recibos.paginas[2]);
    EXPECT_TRUE(terceiro.contains("Rua da Filial 3")) << "the same address as the establishment";
    EXPECT_FALSE(terceiro.contains("Rua Ignorada"));
    EXPECT_TRUE(terceiro.contains("Entregue via Internet"));
}

TEST_F(Recibos, UmPorEmpresaComOsProtocolosDasFiliais)
{
    const TnRelatorio recibos = MontarRecibos("41;42;43", true);
    ASSERT_EQ(recibos.paginas.size(), 2);
    EXPECT_EQ(CodigosDeBarras(recibos.paginas[0]), QStringList({"41", "42"}));
    EXPECT_EQ(CodigosDeBarras(recibos.paginas[1]), QStringList({"43"}));
    EXPECT_TRUE(Texto(recibos.paginas[0]).contains("2 - Empresa 2"));

    EXPECT_EQ(Recusa([] { MontarRecibos("900-999", false); }), "Nenhum protocolo encontrado em \"900-999\".");
    EXPECT_FALSE(Recusa([] { MontarRecibos("41) or (1=1", false); }).isEmpty());
    EXPECT_EQ(Recusa([] { MontarRecibos(" ", false); }), "Informe os protocolos a imprimir.");
}

// `lyr recibo` writes the same receipts as a PDF, without a screen.
TEST_F(Recibos, LinhaDeComandoGravaOPdf)
{
    const QString pdf = QDir::temp().filePath(QStringLiteral("lyr_recibos_%1.pdf").arg(QCoreApplication::applicationPid()));
    const auto lyr = [this](const QStringList& argumentos) {
        QProcess processo;
        QProcessEnvironment ambiente = QProcessEnvironment::systemEnvironment();
        ambiente.remove(QStringLiteral("QT_QPA_PLATFORM"));
        ambiente.remove(QStringLiteral("DISPLAY"));
        processo.setProcessEnvironment(ambiente);
        processo.start(QStringLiteral(LYR_BINARIO), QStringList{"--database", TextoDoBanco(m_banco->Config()), "recibo"} + argumentos);
        EXPECT_TRUE(processo.waitForFinished(120000));
        return QPair<int, QString>(processo.exitCode(),
                                   QString::fromUtf8(processo.readAllStandardOutput() + processo.readAllStandardError()));
    };
    const auto [codigo, saida] = lyr({"--protocolos", "41-43", "--saida", pdf, "--por-empresa"});
    EXPECT_EQ(codigo, 0) << saida.toStdString();
    EXPECT_TRUE(saida.startsWith("Recibos: 2, folhas: 2")) << saida.toStdString();
    QProcess texto;
    texto.start("pdftotext", {pdf, "-"});
    ASSERT_TRUE(texto.waitForFinished(30000));
    const QString lido = QString::fromUtf8(texto.readAllStandardOutput());
    EXPECT_TRUE(lido.contains("Protocolo: 42")) << lido.toStdString();
    EXPECT_TRUE(lido.contains("Protocolo: 43")) << lido.toStdString();
    QFile::remove(pdf);

    const auto [semSaida, erro] = lyr({"--protocolos", "41"});
    EXPECT_EQ(semSaida, 1);
    EXPECT_TRUE(erro.contains("Use: lyr recibo --protocolos 1;5-9 --saida recibos.pdf")) << erro.toStdString();

    // Never over the office's database.
    if (m_banco->Config().banco == TnBanco::SQLite) {
        const auto [sobreOBanco, recusa] = lyr({"--protocolos", "41", "--saida", m_banco->Config().arquivo});
        EXPECT_EQ(sobreOBanco, 1);
        EXPECT_TRUE(recusa.contains("é um arquivo do banco de dados do Lyr")) << recusa.toStdString();
        EXPECT_EQ(Valor("select count(*) from PROTOCOLO where CODIGOPROTOCOLO = 41").toInt(), 1);
    }
}
