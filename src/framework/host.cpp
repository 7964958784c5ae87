#include "host.h"

#include "conexao.h"
#include "dialogos.h"
#include "erros.h"
#include "direitos.h"
#include "registro.h"

namespace {
TnHost* g_hostAtual = nullptr;
}

TnHost::TnHost(std::unique_ptr<nDMConexao> conexao)
    : m_conexao(std::move(conexao)),
      m_dialogos(std::make_unique<TnDialogosSemUsuario>()),
      m_registro(std::make_unique<TnRegistro>()),
      m_anterior(g_hostAtual)
{
    if (!m_conexao)
        throw EnErro(QStringLiteral("O host precisa de uma conexão com o banco de dados."));
    g_hostAtual = this;
}

TnHost::~TnHost()
{
    g_hostAtual = m_anterior;
}

void TnHost::SetDireitos(std::unique_ptr<TnDMDireitoUsuario> direitos)
{
    m_direitos = std::move(direitos);
}

TnHost& TnHost::Atual()
{
    if (!g_hostAtual)
        throw EnErro(QStringLiteral("Nenhuma conexão com o banco de dados está aberta."));
    return *g_hostAtual;
}

void TnHost::SetDialogos(std::unique_ptr<TnDialogos> dialogos)
{
    m_dialogos = dialogos ? std::move(dialogos) : std::make_unique<TnDialogosSemUsuario>();
}

bool TnHost::Existe()
{
    return g_hostAtual != nullptr;
}

nDMConexao& Conexao()
{
    return TnHost::Atual().Conexao();
}
