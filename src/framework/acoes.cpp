#include "acoes.h"

#include "erros.h"

void TnAction::Execute()
{
    if (!Enabled)
        return;
    if (OnExecute)
        OnExecute(*this);
}

TnAction& TnActionList::Adicionar(std::unique_ptr<TnAction> acao)
{
    if (!acao->Name.isEmpty() && Find(acao->Name))
        throw EnErro(QStringLiteral("Já existe uma ação chamada %1.").arg(acao->Name));
    m_acoes.push_back(std::move(acao));
    return *m_acoes.back();
}

TnAction& TnActionList::Nova(const QString& nome)
{
    auto acao = std::make_unique<TnAction>();
    acao->Name = nome;
    return Adicionar(std::move(acao));
}

TnAction* TnActionList::Find(const QString& nome) const
{
    for (const auto& acao : m_acoes) {
        if (acao->Name.compare(nome, Qt::CaseInsensitive) == 0)
            return acao.get();
    }
    return nullptr;
}

QList<TnAction*> TnActionList::Todas() const
{
    QList<TnAction*> todas;
    for (const auto& acao : m_acoes)
        todas.append(acao.get());
    return todas;
}
