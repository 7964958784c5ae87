#include "insercoespreparadas.h"

#include "erros.h"
#include "sqldataset.h"

struct TnInsercoesPreparadas::TnInsercao {
    TnInsercao(nDMConexao& conexao, const QString& tabela, const QStringList& colunas) : comando(conexao)
    {
        QStringList parametros;
        for (const QString& coluna : colunas)
            parametros.append(u':' + coluna);
        comando.SetCommandText(QStringLiteral("insert into %1 (%2) values (%3)")
                                   .arg(tabela, colunas.join(u','), parametros.join(u',')));
        comando.Prepare();
    }

    TnSQLDataSet comando;
};

TnInsercoesPreparadas::TnInsercoesPreparadas(nDMConexao& conexao) : m_conexao(conexao) {}

TnInsercoesPreparadas::~TnInsercoesPreparadas() = default;

void TnInsercoesPreparadas::Inserir(const QString& tabela, const QStringList& colunas, const QVariantList& valores)
{
    const QString chave = tabela + u'(' + colunas.join(u',') + u')';
    auto& insercao = m_insercoes[chave];
    if (!insercao)
        insercao = std::make_shared<TnInsercao>(m_conexao, tabela, colunas);
    if (valores.size() != colunas.size())
        throw EnErro(QStringLiteral("Inserção com %1 valores para %2 colunas: %3")
                         .arg(valores.size())
                         .arg(colunas.size())
                         .arg(insercao->comando.CommandText()));
    insercao->comando.SetParamValues(valores);
    insercao->comando.ExecSQL();
    if (!m_linhas.contains(tabela))
        m_ordem.append(tabela);
    ++m_linhas[tabela];
}

QList<QPair<QString, int>> TnInsercoesPreparadas::LinhasPorTabela() const
{
    QList<QPair<QString, int>> linhas;
    for (const QString& tabela : m_ordem)
        linhas.append({tabela, m_linhas.value(tabela)});
    return linhas;
}
