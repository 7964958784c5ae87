#include "acoes.h"

#include "erros.h"

void TnAction::Execute()
{
    if (!m_habilitada)
        return;
    if (m_onExecute)
        m_onExecute(*this);
}

void TnAction::SetEnabled(bool habilitada)
{
    if (habilitada == m_habilitada)
        return;
    m_habilitada = habilitada;
    Avisar();
}

void TnAction::SetVisible(bool visivel)
{
    if (visivel == m_visivel)
        return;
    m_visivel = visivel;
    Avisar();
}

void TnAction::AoMudarEstado(QObject* contexto, std::function<void()> aviso)
{
    m_ouvintes.push_back({contexto, std::move(aviso)});
}

void TnAction::Avisar()
{
    // Views that went away are forgotten.
    std::erase_if(m_ouvintes, [](const TnOuvinte& ouvinte) { return ouvinte.contexto.isNull(); });
    // A copy: a view may ask for more news while being told.
    const std::vector<TnOuvinte> ouvintes = m_ouvintes;
    for (const TnOuvinte& ouvinte : ouvintes) {
        if (!ouvinte.contexto.isNull())
            ouvinte.aviso();
    }
}

TnAction& TnActionList::Adicionar(std::unique_ptr<TnAction> acao)
{
    if (!acao->Name().isEmpty() && Find(acao->Name()))
        throw EnErro(QStringLiteral("Já existe uma ação chamada %1.").arg(acao->Name()));
    m_acoes.push_back(std::move(acao));
    return *m_acoes.back();
}

TnAction& TnActionList::Nova(const QString& nome)
{
    auto acao = std::make_unique<TnAction>();
    acao->SetName(nome);
    return Adicionar(std::move(acao));
}

TnAction* TnActionList::Find(const QString& nome) const
{
    for (const auto& acao : m_acoes) {
        if (acao->Name().compare(nome, Qt::CaseInsensitive) == 0)
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
