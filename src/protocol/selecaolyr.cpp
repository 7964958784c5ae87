#include "selecaolyr.h"

#include "dialogos.h"
#include "host.h"

TLyrDMSelecao::TLyrDMSelecao()
{
    nSelecao = {{QStringLiteral("DataLctoPro_MAIORIGUAL"), QVariant()}, {QStringLiteral("DataLctoPro_MENORIGUAL"), QVariant()}};
}

void TLyrDMSelecao::AplicarSelecao(const QList<QPair<QString, QVariant>>& valores)
{
    for (int i = 0; i < nSelecao.size(); ++i)
        nSelecao[i].valor = valores.value(i % 2).second;
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
