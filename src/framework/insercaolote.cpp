#include "insercaolote.h"

#include "erros.h"

#include <algorithm>

namespace {
// Both databases take at least 32766 parameters per statement (SQLite since
// 3.32, PostgreSQL 65535); stay well below.
constexpr int kMaxParametros = 30000;
}  // namespace

TnInsercaoEmLote::TnInsercaoEmLote(nDMConexao& conexao, QString tabela, QStringList colunas, int linhasPorComando)
    : m_conexao(conexao), m_tabela(std::move(tabela)), m_colunas(std::move(colunas))
{
    if (m_colunas.isEmpty())
        throw EnErro(QStringLiteral("Inserção em lote em %1 sem colunas.").arg(m_tabela));
    m_linhasPorComando = std::clamp(linhasPorComando, 1, static_cast<int>(kMaxParametros / m_colunas.size()));
    m_valores.reserve(static_cast<qsizetype>(m_linhasPorComando) * m_colunas.size());
}

TnInsercaoEmLote::~TnInsercaoEmLote() = default;

void TnInsercaoEmLote::Adicionar(const QVariantList& valores)
{
    if (valores.size() != m_colunas.size())
        throw EnErro(QStringLiteral("Inserção em lote em %1: a linha tem %2 valor(es) para %3 coluna(s).")
                         .arg(m_tabela)
                         .arg(valores.size())
                         .arg(m_colunas.size()));
    m_valores.append(valores);
    if (++m_pendentes == m_linhasPorComando)
        Executar(m_cheio, m_linhasPorComando);
}

void TnInsercaoEmLote::Descarregar()
{
    if (m_pai)
        m_pai->Descarregar();
    if (m_pendentes == 0)
        return;
    if (m_linhasDoResto != m_pendentes) {
        m_resto.reset();
        m_linhasDoResto = m_pendentes;
    }
    Executar(m_resto, m_pendentes);
}

void TnInsercaoEmLote::Descartar()
{
    m_valores.clear();
    m_pendentes = 0;
}

QString TnInsercaoEmLote::Comando(int linhas) const
{
    // Named parameters, one per value (":v<row>_<column>"), so the statement
    // binds the flat list of values in order.
    QString comando = QStringLiteral("insert into %1 (%2) values ").arg(m_tabela, m_colunas.join(QLatin1Char(',')));
    comando.reserve(comando.size() + linhas * m_colunas.size() * 10);
    for (int linha = 0; linha < linhas; ++linha) {
        comando += linha == 0 ? QStringLiteral("(") : QStringLiteral(",(");
        for (qsizetype coluna = 0; coluna < m_colunas.size(); ++coluna) {
            if (coluna > 0)
                comando += QLatin1Char(',');
            comando += QStringLiteral(":v%1_%2").arg(linha).arg(coluna);
        }
        comando += QLatin1Char(')');
    }
    return comando;
}

void TnInsercaoEmLote::Executar(std::unique_ptr<TnSQLDataSet>& comando, int linhas)
{
    if (m_pai)
        m_pai->Descarregar();
    if (!comando) {
        comando = std::make_unique<TnSQLDataSet>(m_conexao);
        comando->SetCommandText(Comando(linhas));
        comando->Prepare();
    }
    // The rows leave the group whether the statement runs or not: after a
    // failure the transaction is rolled back and nothing pending is wanted.
    const QVariantList valores = std::exchange(m_valores, {});
    m_pendentes = 0;
    m_valores.reserve(valores.size());
    comando->SetParamValues(valores);
    comando->ExecSQL();
}
