#include "selecaolyr.h"

#include "dialogos.h"
#include "host.h"
#include "valores.h"

TLyrDMSelecao::TLyrDMSelecao()
{
    nSelecao = {{QStringLiteral("DataLctoPro_MAIORIGUAL"), QVariant()}, {QStringLiteral("DataLctoPro_MENORIGUAL"), QVariant()}};
}

bool TLyrDMSelecao::ShowSelecionar()
{
    // Only the first pair is shown; the others take the same period on confirmation.
    const TnSelecao completa = nSelecao;
    while (nSelecao.size() > QuantidadeDeParametrosMostrar())
        nSelecao.removeLast();
    for (;;) {
        if (!TnDMSelecao::ShowSelecionar()) {
            nSelecao = completa;
            return false;
        }
        const QVariant de = nSelecao.value(0).valor;
        const QVariant ate = nSelecao.value(1).valor;
        if (de.isNull() || ate.isNull() || Valores::Comparar(de, ate) <= 0)
            break;
        nMessageDlg(QStringLiteral("Período inválido: a data inicial é posterior à data final."), TnTipoDlg::Aviso, {QStringLiteral("OK")});
    }
    TnSelecao atualizada = completa;
    for (int i = 0; i < atualizada.size(); ++i)
        atualizada[i].valor = nSelecao.value(i % 2).valor;
    nSelecao = atualizada;
    return true;
}

void TLyrDMSelecao::DepoisConfirmacao()
{
    TnDMSelecao::DepoisConfirmacao();
    if (!TnHost::Existe())
        return;
    QHash<QString, QVariant>& padroes = TnHost::Atual().ValoresPadrao();
    for (const TnValorSelecao& parametro : std::as_const(nSelecao)) {
        const QString nome = parametro.nome.toUpper();
        for (const QString& chave : {u'g' + nome, u'p' + nome, u'p' + nome + QStringLiteral("_Pad"), u'g' + nome + QStringLiteral("Ativa")})
            padroes.insert(chave, parametro.valor);
    }
    const QVariant inicio = padroes.value(QStringLiteral("gDATALCTOPRO_MAIORIGUAL"));
    const QVariant fim = padroes.value(QStringLiteral("gDATALCTOPRO_MENORIGUAL"));
    for (const char* nome : {"pDataInicial", "pCompetInicial", "pCompetenciaInicial", "pPeriodoInicial", "pCompetenciaIni"})
        padroes.insert(QString::fromLatin1(nome), inicio);
    for (const char* nome : {"pDataFinal", "pCompetFinal", "pCompetenciaFinal", "pPeriodoFinal", "pCompetenciaFim"})
        padroes.insert(QString::fromLatin1(nome), fim);
}
