#include "dmselecao.h"

#include "dialogos.h"

bool TnDMSelecao::ShowSelecionar()
{
    QList<QPair<QString, QVariant>> valores;
    for (int i = 0; i < nSelecao.size() && i < QuantidadeDeParametrosMostrar(); ++i)
        valores.append({nSelecao[i].nome, nSelecao[i].valor});
    for (;;) {
        // A refused confirmation opens the dialog again with what was typed.
        if (!DialogosAtuais().PedirSelecao(valores, Titulo))
            return false;
        const QString recusa = ValidarSelecao(valores);
        if (recusa.isEmpty())
            break;
        nMessageDlg(recusa, TnTipoDlg::Aviso, {QStringLiteral("OK")});
    }
    AplicarSelecao(valores);
    DepoisConfirmacao();
    return true;
}

QString TnDMSelecao::ValidarSelecao(const QList<QPair<QString, QVariant>>&) const
{
    return {};
}

void TnDMSelecao::AplicarSelecao(const QList<QPair<QString, QVariant>>& valores)
{
    for (int i = 0; i < valores.size() && i < nSelecao.size(); ++i)
        nSelecao[i].valor = valores[i].second;
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
