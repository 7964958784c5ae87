#include "tiposprotocolo.h"

#include <utility>

const QList<TnTipoProtocolo>& TiposProtocolo()
{
    static const QList<TnTipoProtocolo> tipos = {
        {1, QStringLiteral("Débitos Federais"), QStringLiteral("Débitos Federais"), QStringLiteral("Débitos Federais")},
        {2, QStringLiteral("Débitos Estaduais"), QStringLiteral("Débitos Estaduais"), QStringLiteral("Débitos Estaduais")},
        {3, QStringLiteral("Débitos Municipais"), QStringLiteral("Débitos Municipais"), QStringLiteral("Débitos Municipais")},
        {4, QStringLiteral("Débitos Sindicais"), QStringLiteral("Débitos Sindicais"), QStringLiteral("Débitos Sindicais")},
        {5, QStringLiteral("Débitos GPS"), QStringLiteral("Débitos GPS"), QStringLiteral("Débitos GPS")},
        {9, QStringLiteral("Débitos FGTS"), QStringLiteral("Débitos FGTS"), QStringLiteral("Débitos FGTS")},
        {10, QStringLiteral("Débitos FOLHA"), QStringLiteral("Débitos de Folha de Pagamento"), QStringLiteral("Débitos de Folha")},
        {6, QStringLiteral("Folha de Pagamento"), QStringLiteral("Folha de Pagamento"), QStringLiteral("Folha de Pagamento")},
        {7, QStringLiteral("Rescisão"), QStringLiteral("Rescisão"), QStringLiteral("Rescisão")},
        {8, QStringLiteral("Férias"), QStringLiteral("Férias"), QStringLiteral("Férias")},
        {11, QStringLiteral("Financeiro - Notas Fiscais"), QStringLiteral("Financeiro - Notas Fiscais"), QStringLiteral("Notas Fiscais")},
        {12, QStringLiteral("Financeiro - Boletos"), QStringLiteral("Financeiro - Boletos"), QStringLiteral("Boletos")},
    };
    return tipos;
}

QString GetTitulo(int tipo)
{
    for (const TnTipoProtocolo& conhecido : TiposProtocolo()) {
        if (conhecido.codigo == tipo && tipo != 10)
            return conhecido.titulo;
    }
    return QStringLiteral("Débitos de Folha");
}

namespace {

QStringList NomesValores(QString TnTipoProtocolo::*caption)
{
    QStringList nomes;
    for (const TnTipoProtocolo& tipo : TiposProtocolo())
        nomes.append(QStringLiteral("%1=%2").arg(tipo.*caption).arg(tipo.codigo));
    return nomes;
}

QStringList Entradas(const char* const* entradas, qsizetype quantas)
{
    QStringList lista;
    for (qsizetype i = 0; i < quantas; ++i)
        lista.append(QString::fromUtf8(entradas[i]));
    return lista;
}

template <qsizetype N>
QStringList Entradas(const char* const (&entradas)[N])
{
    return Entradas(entradas, N);
}

// Types 1 to 5; the last entry is not offered for 4.
constexpr const char* kDebitosComImposto[] = {
    "Código da Empresa [CODIGOEMPRESA]", "Chave do Débito [CHAVEDEBITO]", "Código da Filial [CODIGOESTAB]",
    "Código do Imposto [CODIGOIMPOSTO]", "Descrição do Imposto [DESCRIMPOSTO]", "Descrição para Protocolo [DESCRPROTOCOLO]",
    "Variação do Imposto [VARIACAOIMPOSTO]", "Data do Lançamento no Controle de Tributos [DATALCTOCTR]",
    "Período Final do Débito [DATAFINAL]", "Competência do Débito [COMPETENCIA]", "Valor do Débito [VALORDEBITO]",
    "Data do Vencimento do Débito [DATAVENCIMENTO]", "Previsão do Valor dos Juros [PREVVALORJUROS]",
    "Previsão do Valor da Multa [PREVVALORMULTA]", "Data Previsão para Juros/Multa [DATAPREV]",
    "Situação do Débito [SITUACAODEBITO]", "Código da Tabela Contábil [CODIGOTABCTBCTR]", "Observação [OBSERVDEBITO]",
};
constexpr const char* kDebitosDeFolha[] = {
    "Código da Empresa [CODIGOEMPRESA]", "Chave do Débito [CHAVEDEBITO]", "Código da Filial [CODIGOESTAB]",
    "Código do Funcionário [CodigoFuncContr]", "Nome do Funcionário [NOMEFUNC]",
    "Data do Lançamento no Controle de Tributos [DATALCTOCTR]", "Período Final do Débito [DATAFINAL]",
    "Competência do Débito [COMPETENCIA]", "Valor do Débito [VALORDEBITO]", "Data do Vencimento do Débito [DATAVENCIMENTO]",
    "Situação do Débito [SITUACAODEBITO]", "Código da Tabela Contábil [CODIGOTABCTBCTR]", "Observação [OBSERVDEBITO]",
};
constexpr const char* kFolha[] = {
    "Nome do Funcionário [NOMEFUNC]", "Código do Funcionário [CodigoFuncContr]", "Quantidade de Funcionários [QUANTIDADE]",
};
constexpr const char* kRescisao[] = {
    "Nome do Funcionário [NOMEFUNC]", "Código do Funcionário [CodigoFuncContr]", "Rescisão Complementar [COMPLEMENTAR]",
    "Código da Causa [CODIGOCAUSA]", "Código do Saque [CODIGOSAQUE]", "Tipo do Afastamento na SEFIP [TIPOAFASTSEFIP]",
    "Tipo do Afastamento no CAGED [TIPOAFASTCAGED]", "Tipo do Afastamento na RAIS [TIPOAFASTRAIS]",
    "Código do Motivo de Demissão[CODIGOMOTDEM]", "Data da Rescisão [DATARESC]", "Data do Aviso Prévio [DATAAVPREVIO]",
    "Dias Trabalhados [DIASTRAB]", "Dias de Aviso Prévio Indenizado [DIASAVINDEN]", "Dias de Aviso Prévio Reavido[DIASAVREAV]",
    "Dias de Estabilidade [DIASESTABIL]", "Dias de Gratificação [DIASGRATIF]", "Salário Final[SALFINAL]",
    "FGTS do Mês Anterior [FGTSMESANT]", "Código do FPAS [CODIGOFPAS]", "Código da Outra Empresa[CODIGOOUTEMP]",
    "Saldo do FGTS [SALDOFGTS]", "Remuneração da Multa [REMMULTA]", "Valor da Multa [VALORMULTA]",
    "Remuneração da Multa Recolhida [REMMULTARECOL]", "Valor da Multa Recolhido [VALORMULTARECOL]", "Base do INSS [BASEINSS]",
    "Dedução [DEDUCAO]", "FGTS Recolhido [FGTSRECOL]", "Valor do INSS [VALORINSS]", "Remuneração na Rescisão [REMUNRESCISAO]",
    "Reposição da Vaga [REPOSICAOVAGA]", "Aviso Prévio [AVISOPREVIO]",
};
constexpr const char* kFerias[] = {
    "Nome do Funcionário [NOMEFUNC]", "Código do Funcionário [CodigoFuncContr]", "Data Inicial[DATAINICIAL]",
    "Data Inicial da Férias [DATAINICIALFERIAS]", "Data Final das Férias [DATAFINALFERIAS]", "Data do Abono [DATAABONO]",
    "Paga Adiantamento de 13º Salário [PAGAADTO13]", "Data do Pagamento [DATAPGTO]", "Descontar Adiantamentos [DESCADTO]",
    "Forma de Geração [FORMAGERACAO]", "Dias em Dobro das Férias [DIASDOBROFERIAS]", "Dias em Dobro do Abono [DIASDOBROABONO]",
    "Tipo do Recibo [TIPORECIBO]", "Data de Retorno das Férias [DATARETORNOFERIAS]", "Data do Aviso das Férias [DATAAVISO]",
    "Data da Solicitação do Abono [DATASOLICABONO]", "Quantidade de Dias de Abono [DIASABONO]",
    "Quantidade de Dias de Férias [DIASFERIAS]", "Quantidade de Dias Remunerados [DIASREMUN]",
    "Descontar em Parcelas [DESCONTPARCELA]", "Numero de Parcelas para Desconto em Vale[NUMEROPARCELA]",
    "Quantidade de Dias de Premio [DIASPREMIO]", "Valor [VALOR]",
};
constexpr const char* kNotasFiscais[] = {
    "Escritório [CODIGOESCRIT]", "Série [SERIENS]", "Número [NUMERONS]", "Data Emissão [DATAEMISSAONS]",
    "Forma de Pagamento [VISTAPRAZO]", "Nota Cancelada [CANCELADANS]",
};
constexpr const char* kBoletos[] = {
    "Escritório [CODIGOESCRIT]", "Nosso Número do boleto [NOSSONUMERO]", "Data de emissão [DATAEMISSAOCR]",
    "Data de Vencimento [DATAVCTOCR]", "Número do Documento [NUMERODCTOCR]",
};

} // namespace

QStringList NomesValoresTiposCadastro()
{
    return NomesValores(&TnTipoProtocolo::captionCadastro);
}

QStringList NomesValoresTiposGeracao()
{
    return NomesValores(&TnTipoProtocolo::captionGeracao);
}

QStringList EntradasDoSeletor(int tipo)
{
    switch (tipo) {
    case 1:
    case 2:
    case 3:
    case 5:
        return Entradas(kDebitosComImposto);
    case 4:
        return Entradas(kDebitosComImposto, std::size(kDebitosComImposto) - 1);
    case 10:
        return Entradas(kDebitosDeFolha);
    case 6:
        return Entradas(kFolha);
    case 7:
        return Entradas(kRescisao);
    case 8:
        return Entradas(kFerias);
    case 11:
        return Entradas(kNotasFiscais);
    case 12:
        return Entradas(kBoletos);
    default:
        return {};  // type 9 among them
    }
}

QString MarcadorDaEntrada(const QString& entrada)
{
    const qsizetype inicio = entrada.indexOf(u'[');
    return inicio < 0 ? entrada : entrada.mid(inicio);
}

QString ExpandirModelo(const QString& modelo, const QList<std::pair<QString, QString>>& valores)
{
    QString texto = modelo;
    for (const auto& [marcador, valor] : valores)
        texto.replace(marcador, valor, Qt::CaseInsensitive);
    return texto;
}
