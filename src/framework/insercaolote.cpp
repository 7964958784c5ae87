#include "insercaolote.h"

#include "erros.h"

#include <algorithm>
#include <bit>

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
        Descarregar();
}

// The pending rows go in statements of the full group's size or of a power
// of two: whatever the number of rows, a flush runs a few statements, and
// each size is prepared once (a parent flushed before each group of its
// children would otherwise prepare a statement of a new size every time).
void TnInsercaoEmLote::Descarregar()
{
    if (m_pai)
        m_pai->Descarregar();
    if (m_pendentes == 0)
        return;
    // The rows leave the group whether the statements run or not: after a
    // failure the transaction is rolled back and nothing pending is wanted.
    const QVariantList valores = std::exchange(m_valores, {});
    const int linhas = std::exchange(m_pendentes, 0);
    m_valores.reserve(valores.size());
    const qsizetype colunas = m_colunas.size();
    for (int feitas = 0; feitas < linhas;) {
        const int restantes = linhas - feitas;
        const int tamanho = restantes >= m_linhasPorComando ? m_linhasPorComando : static_cast<int>(std::bit_floor(static_cast<unsigned>(restantes)));
        std::unique_ptr<TnSQLDataSet>& comando = m_comandos[tamanho];
        if (!comando) {
            comando = std::make_unique<TnSQLDataSet>(m_conexao);
            comando->SetCommandText(Comando(tamanho));
            comando->Prepare();
        }
        comando->SetParamValues(valores.mid(feitas * colunas, tamanho * colunas));
        comando->ExecSQL();
        feitas += tamanho;
    }
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
