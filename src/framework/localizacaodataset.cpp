// Finding a row of a dataset: by the values of some of its fields (Locate,
// FindKey, Lookup, all through the view's one row search) or by bookmark.

#include "clientdataset.h"

#include "erros.h"

// --- lookup -----------------------------------------------------------------

bool TnClientDataSet::IrPara(const QList<int>& campos, const QVariantList& valores, TnLocateOptions opcoes)
{
    const int posicao = m_visao.Procurar(campos, valores, opcoes);
    if (posicao < 0)
        return false;
    Rolar(posicao);
    return true;
}

bool TnClientDataSet::Locate(const QString& campos, const QVariantList& valores, TnLocateOptions opcoes)
{
    ExigirNavegacao();
    const QList<int> indices = IndicesDosCampos(campos);
    if (indices.size() != valores.size())
        throw EnErro(QStringLiteral("Locate em %1: %2 campo(s) e %3 valor(es).").arg(m_name).arg(indices.size()).arg(valores.size()));
    return IrPara(indices, valores, opcoes);
}

bool TnClientDataSet::FindKey(const QVariantList& valores)
{
    const QList<int> ordem = m_visao.CamposDaOrdem();
    if (ordem.size() < valores.size())
        throw EnErro(QStringLiteral("A ordem ativa de %1 não tem %2 campo(s).").arg(m_name).arg(valores.size()));
    ExigirNavegacao();
    return IrPara(ordem.mid(0, valores.size()), valores, {});
}

QVariant TnClientDataSet::Lookup(const QString& camposChave, const QVariantList& valores, const QString& camposResultado) const
{
    const QList<int> chave = IndicesDosCampos(camposChave);
    const QList<int> resultado = IndicesDosCampos(camposResultado);
    const int posicao = m_visao.Procurar(chave, valores, {});
    if (posicao < 0)
        return QVariant();
    const TnLinha& linha = *m_visao.Linha(posicao);
    if (resultado.size() == 1)
        return linha.valores.value(resultado.first());
    QVariantList lista;
    for (int indice : resultado)
        lista.append(linha.valores.value(indice));
    return lista;
}

// --- bookmarks --------------------------------------------------------------

TnBookmark TnClientDataSet::GetBookmark() const
{
    const TnLinha* linha = LinhaAtual();
    return linha ? linha->id : 0;
}

bool TnClientDataSet::BookmarkValid(TnBookmark marca) const
{
    return m_visao.Posicao(marca) >= 0;
}

void TnClientDataSet::GotoBookmark(TnBookmark marca)
{
    ExigirNavegacao();
    const int posicao = m_visao.Posicao(marca);
    if (posicao >= 0) {
        Rolar(posicao);
        return;
    }
    throw EnErro(QStringLiteral("Registro marcado não encontrado em %1.").arg(m_name));
}
