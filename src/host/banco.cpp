#include "banco.h"

#include "migracoes.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kBancoPadrao = QStringLiteral("data/lyr.db");

} // namespace

TnConfigBanco BancoConfigurado(const QString& opcao)
{
    QString texto = opcao.trimmed();
    if (texto.isEmpty())
        texto = qEnvironmentVariable("LYR_DATABASE").trimmed();
    if (texto.isEmpty()) {
        texto = kBancoPadrao;
        QDir().mkpath(QFileInfo(texto).path());
    }
    return TnConfigBanco::Ler(texto);
}

std::unique_ptr<nDMConexao> AbrirBanco(const TnConfigBanco& config, const QList<const TnDescricaoPacote*>& pacotes)
{
    auto conexao = std::make_unique<nDMConexao>(config);
    TnMigrador(*conexao, pacotes).Atualizar();
    return conexao;
}
