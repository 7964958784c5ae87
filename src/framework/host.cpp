#include "host.h"

#include "conexao.h"
#include "erros.h"

namespace {
TnHost* g_hostAtual = nullptr;
}

TnHost::TnHost(std::unique_ptr<nDMConexao> conexao)
    : m_conexao(std::move(conexao)), m_anterior(g_hostAtual)
{
    if (!m_conexao)
        throw EnErro(QStringLiteral("O host precisa de uma conexão com o banco de dados."));
    g_hostAtual = this;
}

TnHost::~TnHost()
{
    g_hostAtual = m_anterior;
}

TnHost& TnHost::Atual()
{
    if (!g_hostAtual)
        throw EnErro(QStringLiteral("Nenhuma conexão com o banco de dados está aberta."));
    return *g_hostAtual;
}

bool TnHost::Existe()
{
    return g_hostAtual != nullptr;
}

nDMConexao& Conexao()
{
    return TnHost::Atual().Conexao();
}
