#include "registro.h"

#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"

void TnRegistro::Registrar(TnInfoClasse info)
{
    if (info.nome.isEmpty() || !info.criar)
        throw EnErro(QStringLiteral("Registro de classe sem nome ou sem fábrica."));
    if (Classe(info.nome))
        throw EnErro(QStringLiteral("A classe %1 já está registrada.").arg(info.nome));
    m_classes.push_back(std::make_unique<TnInfoClasse>(std::move(info)));
}

void TnRegistro::Remover(const QString& nome)
{
    std::erase_if(m_classes, [&nome](const auto& info) { return info->nome.compare(nome, Qt::CaseInsensitive) == 0; });
}

const TnInfoClasse* TnRegistro::Classe(const QString& nome) const
{
    for (const auto& info : m_classes) {
        if (info->nome.compare(nome, Qt::CaseInsensitive) == 0)
            return info.get();
    }
    return nullptr;
}

QList<const TnInfoClasse*> TnRegistro::Classes() const
{
    QList<const TnInfoClasse*> classes;
    for (const auto& info : m_classes)
        classes.append(info.get());
    return classes;
}

void TnRegistro::Aberto(TnDataModule* dataModule)
{
    if (!m_abertos.contains(dataModule))
        m_abertos.append(dataModule);
}

void TnRegistro::Fechado(TnDataModule* dataModule)
{
    m_abertos.removeAll(dataModule);
}

void TnRegistro::AdicionarDescricao(const TnDescricaoPacote* descricao)
{
    if (!m_descricoes.contains(descricao))
        m_descricoes.append(descricao);
}

void TnRegistro::RemoverDescricao(const TnDescricaoPacote* descricao)
{
    m_descricoes.removeAll(descricao);
}

void nRegisterClass(TnInfoClasse info)
{
    TnHost::Atual().Registro().Registrar(std::move(info));
}

void nUnRegisterClass(const QString& nome)
{
    TnHost::Atual().Registro().Remover(nome);
}

std::unique_ptr<TnDataModule> CriarDM(const QString& classe, const QString& argumento)
{
    const TnInfoClasse* info = TnHost::Atual().Registro().Classe(classe);
    if (!info)
        throw EnErro(QStringLiteral("A classe %1 não está registrada.").arg(classe));
    std::unique_ptr<TnDataModule> dataModule = info->criar();
    if (dataModule->Name.isEmpty())
        dataModule->Name = info->nome.startsWith(u'T') ? info->nome.mid(1) : info->nome;
    dataModule->Argumento = argumento;
    dataModule->DataModuleCreate();
    return dataModule;
}

void PrepararDM(TnDataModule& dataModule)
{
    dataModule.Preparar();
}

void AtualizarDM(const QString& nome)
{
    if (!TnHost::Existe())
        return;
    // A copy: a refresh may open or close data modules.
    const QList<TnDataModule*> abertos = TnHost::Atual().Registro().Abertos();
    for (TnDataModule* dataModule : abertos) {
        auto* registro = dynamic_cast<TnDMClientDataSet*>(dataModule);
        if (registro && registro->Name.compare(nome, Qt::CaseInsensitive) == 0 && TnHost::Atual().Registro().Abertos().contains(dataModule))
            registro->Refresh();
    }
}

void DestruirDM(std::unique_ptr<TnDataModule>& dataModule)
{
    if (!dataModule)
        return;
    dataModule->DataModuleDestroy();
    dataModule.reset();
}

void GerarPrincActions(TnActionList& acoes, const TnOnExecute& aoExecutar, const TnModulos& modulos)
{
    for (const TnInfoClasse* info : TnHost::Atual().Registro().Classes()) {
        if (info->GerarPrincAction)
            info->GerarPrincAction(acoes, aoExecutar, modulos);
    }
}
