// Two users saving at the same time, each in a process of its own: keys are
// numbered when each row is saved, so nobody meets a taken code, nothing is
// duplicated and the codes have no holes.
#include "bancoteste.h"
#include "sqlservicos.h"

#include <QProcess>

class Concorrencia : public TesteComBanco {};

TEST_F(Concorrencia, DoisProcessosGravandoAoMesmoTempoNumeramSemFalhaNemBuraco)
{
    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (1, 'ana', 'Ana Lima')");
    CadastrarFilial(2, 1);
    ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Geral')");
    ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) "
                      "values (2, 1, 1, '2', '1')");
    constexpr int kRodadas = 100;
    std::vector<std::unique_ptr<QProcess>> usuarios;
    for (int i = 0; i < 2; ++i) {
        usuarios.push_back(std::make_unique<QProcess>());
        usuarios.back()->start(QStringLiteral(LYR_GRAVADOR), {TextoDoBanco(m_banco->Config()), QString::number(kRodadas)});
    }
    for (const auto& processo : usuarios) {
        ASSERT_TRUE(processo->waitForFinished(180000));
        EXPECT_EQ(processo->exitCode(), 0) << processo->readAllStandardError().toStdString();
    }

    const auto valor = [this](const QString& consulta) { return Valor(consulta).toInt(); };
    EXPECT_EQ(valor("select count(distinct CODIGOPROTOCOLO) from PROTOCOLO"), 2 * kRodadas);
    EXPECT_EQ(valor("select max(CODIGOPROTOCOLO) from PROTOCOLO"), 2 * kRodadas) << "no holes";
    EXPECT_EQ(valor("select count(*) from PROTOCOLOITEM where SEQITEMPRO = 1"), 2 * kRodadas) << "one item in each";
    EXPECT_EQ(valor("select count(distinct CODIGOHISTPRO) from HISTORICOPRO"), 2 * kRodadas);
    EXPECT_EQ(valor("select max(CODIGOHISTPRO) from HISTORICOPRO"), 2 * kRodadas);
}
