#include "banco.h"

#include "migracoes.h"

QString TextoBancoConfigurado(const QString& opcao)
{
    if (!opcao.isEmpty())
        return opcao;
    const QString ambiente = qEnvironmentVariable("LYR_DATABASE");
    return ambiente.isEmpty() ? QStringLiteral("data/lyr.db") : ambiente;
}

std::unique_ptr<nDMConexao> AbrirBanco(const TnConfigBanco& config)
{
    auto conexao = std::make_unique<nDMConexao>(config);
    TnMigrador(*conexao).Atualizar();
    return conexao;
}
