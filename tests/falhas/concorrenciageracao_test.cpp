// Two users generating at the same time, each in a process of its own.
//
// Protocols from the same documents: both previews propose the same
// boletos, both save at once. One batch is written; the other is refused whole with a message that
// tells its user to generate again. No document ends up in two protocols.
#include "bancoteste.h"
#include "financeiroteste.h"
#include "processolinhas.h"
#include "sqlservicos.h"

#include <QProcess>

namespace {

constexpr int kRodadas = 15;

class ConcorrenciaGeracao : public TesteComBanco {};

} // namespace

TEST_F(ConcorrenciaGeracao, DoisUsuariosGravandoAMesmaPreviaUmGravaOOutroGeraDeNovo)
{
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
    ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
    for (const auto& [empresa, estab] : {std::pair{1, 1}, {7, 2}}) {
        CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (:e, :f, 1, '2', '1')",
                          {empresa, estab});
    }
    CadastrarEscritorio(1, 1, 1);
    CadastrarPessoaFin(10, "Padaria Sete", 7, 2);
    CadastrarPessoaFin(11, "João Avulso", {}, {});

    // One user takes invoices and boletos, the other boletos only: they
    // overlap on the boletos whoever comes first.
    const QString banco = TextoDoBanco(m_banco->Config());
    TnProcessoLinhas ana(QStringLiteral(LYR_GERADOR), {banco, QStringLiteral("11;12")});
    TnProcessoLinhas bruno(QStringLiteral(LYR_GERADOR), {banco, QStringLiteral("12")});
    int gravados = 0;
    int recusados = 0;
    for (int rodada = 0; rodada < kRodadas; ++rodada) {
        // This round's documents: two per client.
        for (int i = 0; i < 2; ++i) {
            for (int cliente : {10, 11}) {
                const int numero = 1000 + rodada * 10 + i * 2 + (cliente - 10);
                CadastrarBoleto(1, numero, cliente, 100 + numero);
                CadastrarNota(1, numero, cliente, 100 + numero, false, 2);
            }
        }
        ana.Enviar("gerar");
        bruno.Enviar("gerar");
        EXPECT_EQ(ana.Resposta(), "pronto 8");
        EXPECT_EQ(bruno.Resposta(), "pronto 4");
        ana.Enviar("gravar");
        bruno.Enviar("gravar");
        int okNaRodada = 0;
        for (const QString& resposta : {ana.Resposta(), bruno.Resposta()}) {
            if (resposta.startsWith(u"ok ")) {
                ++okNaRodada;
            } else {
                ++recusados;
                EXPECT_TRUE(resposta.startsWith(u"recusa ") && resposta.contains(u"por outro usuário. Execute a geração de novo."))
                    << resposta.toStdString();
            }
        }
        EXPECT_EQ(okNaRodada, 1) << "round " << rodada;
        gravados += okNaRodada;
    }
    EXPECT_EQ(gravados, kRodadas);
    EXPECT_EQ(recusados, kRodadas);

    // Every document of every round delivered once: its row names the
    // protocol and item that hold its key, and no key is held twice.
    EXPECT_EQ(Valor("select count(*) from CONTARECEBER where CODIGOPROTOCOLO is null").toInt(), 0);
    EXPECT_EQ(Valor("select count(*) from (select CHAVEORIGEM from PROTOCOLOITEM group by CHAVEORIGEM having count(*) > 1) repetidas").toInt(),
              0);
    EXPECT_EQ(Valor("select count(*) from CONTARECEBER C join PROTOCOLOITEM I on I.CODIGOPROTOCOLO = C.CODIGOPROTOCOLO and "
                    "I.SEQITEMPRO = C.SEQITEMPRO")
                  .toInt(),
              4 * kRodadas);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOITEM").toInt(),
              Valor("select count(*) from CONTARECEBER").toInt() + Valor("select count(*) from SERVICONOTA where CODIGOPROTOCOLO is not null").toInt())
        << "a refused batch leaves nothing behind";
}

// Two users generating the same quarter's documents at once, again and
// again (`lyr gerar-documentos`, each a process of its own): the second run
// waits for the first and replaces its documents, so the quarter always
// holds one run's documents, never both, and no run fails.
TEST_F(ConcorrenciaGeracao, DuasGeracoesDeDocumentosAoMesmoTempoDeixamUmaSo)
{
    ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                      "MESOCORRENCIA, GERARENVELOPE) values (1, 'Extrato', 0, '1', 3, '1;2;3', '0'), (2, 'Notas', 0, '1', 2, '1;2;3', '0')");
    ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
    ExecutarSQLDireto("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) values (1, 1), (1, 2)");
    for (int estab = 1; estab <= 20; ++estab) {
        CadastrarFilial(7, estab);
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                          "values (7, :f, 1, '2', '1')",
                          {estab});
    }
    const int porExecucao = 20 * 3 * (3 + 2);
    const QStringList argumentos = {"--database", TextoDoBanco(m_banco->Config()), "gerar-documentos", "--de", "2027-01", "--ate", "2027-03"};
    for (int rodada = 0; rodada < 5; ++rodada) {
        QProcess ana;
        QProcess bruno;
        ana.start(QStringLiteral(LYR_BINARIO), argumentos);
        bruno.start(QStringLiteral(LYR_BINARIO), argumentos);
        for (QProcess* usuario : {&ana, &bruno}) {
            ASSERT_TRUE(usuario->waitForFinished(60000));
            EXPECT_EQ(usuario->exitCode(), 0) << usuario->readAllStandardError().toStdString();
            EXPECT_TRUE(usuario->readAllStandardOutput().contains(QByteArray("Documentos gerados: ") + QByteArray::number(porExecucao)));
        }
        EXPECT_EQ(Valor("select count(*) from PROTOCOLODOCEMP").toInt(), porExecucao) << "round " << rodada;
        EXPECT_EQ(Valor("select count(*) from (select 1 from PROTOCOLODOCEMP group by CODIGOTIPODOC, CODIGOESTAB, DATALCTOPRO "
                        "having count(*) > 1) repetidos")
                      .toInt(),
                  0);
    }
}
