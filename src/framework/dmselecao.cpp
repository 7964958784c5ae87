#include "dmselecao.h"

#include "dialogos.h"

bool TnDMSelecao::ShowSelecionar()
{
    QList<QPair<QString, QVariant>> valores;
    for (int i = 0; i < nSelecao.size() && i < QuantidadeDeParametrosMostrar(); ++i)
        valores.append({nSelecao[i].nome, nSelecao[i].valor});
    if (!DialogosAtuais().PedirSelecao(valores, Titulo))
        return false;
    for (int i = 0; i < valores.size(); ++i)
        nSelecao[i].valor = valores[i].second;
    DepoisConfirmacao();
    return true;
}

void TnDMSelecao::Declarar(const QString& verificaSelecao)
{
    TnSelecao declarada;
    for (const QString& nome : verificaSelecao.split(u';', Qt::SkipEmptyParts)) {
        QVariant valor;
        for (const TnValorSelecao& existente : std::as_const(nSelecao)) {
            if (existente.nome.compare(nome, Qt::CaseInsensitive) == 0)
                valor = existente.valor;
        }
        declarada.append({nome, valor});
    }
    nSelecao = declarada;
}
