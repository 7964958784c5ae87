#include "demonstracao.h"

#include "conexao.h"
#include "erros.h"
#include "pacote.h"
#include "semeadura.h"
#include "sqldataset.h"

namespace {

// The host's office, stage by stage, then each package's rows over it.
TnResumoDemonstracao Semear(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes, const QList<const TnDescricaoPacote*>& pacotes)
{
    TnSemeadura demo(conexao, opcoes);
    SemearEscritorio(demo);
    SemearFolha(demo);
    SemearDebitos(demo);
    SemearFinanceiro(demo);
    for (const TnDescricaoPacote* pacote : pacotes) {
        if (!pacote->demonstracao)
            continue;
        TnDemonstracaoPacote parte{conexao, opcoes.tamanho, opcoes.referencia,
                                   [&demo](const QString& tabela, const QStringList& colunas, const QVariantList& valores) {
                                       demo.Inserir(tabela, colunas, valores);
                                   },
                                   [&demo](int minimo, int maximo) { return demo.aleatorio.Entre(minimo, maximo); },
                                   [&demo] { return demo.NomePessoa(); }};
        pacote->demonstracao(parte);
    }
    TnResumoDemonstracao resumo;
    resumo.linhasPorTabela = demo.insercoes.LinhasPorTabela();
    resumo.usuario = QString::fromLatin1(kUsuarioDemonstracao);
    resumo.senha = QString::fromLatin1(kSenhaDemonstracao);
    return resumo;
}

} // namespace

TnResumoDemonstracao GerarDemonstracao(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes,
                                       const QList<const TnDescricaoPacote*>& pacotes)
{
    if (opcoes.tamanho < 1)
        throw EnErro(QStringLiteral("O tamanho da demonstração deve ser pelo menos 1."));
    TnSQLDataSet existentes(conexao);
    existentes.SetCommandText(QStringLiteral("select count(*) from EMPRESA"));
    existentes.Open();
    if (existentes.Fields(0).AsInteger() > 0)
        throw EnErro(QStringLiteral("O banco de dados já tem empresas cadastradas; a demonstração só é gerada em um banco novo."));

    conexao.StartTransaction();
    try {
        TnResumoDemonstracao resumo = Semear(conexao, opcoes, pacotes);
        conexao.Commit();
        return resumo;
    } catch (...) {
        conexao.RollBack();
        throw;
    }
}
