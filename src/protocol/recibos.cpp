#include "recibos.h"

#include "decimal.h"
#include "erros.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QDate>
#include <QHash>
#include <QLocale>

namespace {

struct TnItemRecibo {
    QString descricao;
    QDate competencia;
    QDate vencimento;
    TnDecimal valor;
    bool temValor = false;
};

struct TnProtocoloRecibo {
    qint64 codigo = 0;
    int empresa = 0;
    int estab = 0;
    QDate data;
    QString natureza;
    QString formaEntrega;
    QString observacao;
    bool cancelado = false;
    QString nomeEmpresa;
    QString nomeEstab;
    QString cnpj;
    QString enderecoEntrega;
    QList<TnItemRecibo> itens;
};

QString Juntar(const QStringList& partes, const QString& separador)
{
    QStringList cheias;
    for (const QString& parte : partes) {
        if (!parte.trimmed().isEmpty())
            cheias.append(parte.trimmed());
    }
    return cheias.join(separador);
}

// "Rua X, 10 - Sala 2 - Centro - Campinas/SP - CEP 13000-000" from the columns that follow `primeira`.
QString Endereco(const TnSQLDataSet& linha, int primeira)
{
    const auto campo = [&](int deslocamento) { return linha.Fields(primeira + deslocamento).AsString(); };
    const QString rua = Juntar({campo(0), campo(1)}, QStringLiteral(", "));
    const QString cidade = Juntar({campo(4), campo(5)}, QStringLiteral("/"));
    const QString cep = campo(6).trimmed().isEmpty() ? QString() : QStringLiteral("CEP ") + campo(6);
    return Juntar({rua, campo(2), campo(3), cidade, cep}, QStringLiteral(" - "));
}

QString Dinheiro(const TnDecimal& valor)
{
    static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    return brasil.toString(valor.ParaTexto().toDouble(), 'f', 2);
}

QString Data(const QDate& data, const QString& formato = QStringLiteral("dd/MM/yyyy"))
{
    return data.isValid() ? data.toString(formato) : QString();
}

QString Natureza(const QString& valor)
{
    return valor == QStringLiteral("2") ? QStringLiteral("Entrada") : QStringLiteral("Saída");
}

QString FormaEntrega(const QString& valor)
{
    static const QHash<QString, QString> formas = {{QStringLiteral("1"), QStringLiteral("Retirado")},
                                                   {QStringLiteral("2"), QStringLiteral("Entregue em Mãos")},
                                                   {QStringLiteral("3"), QStringLiteral("Entregue via Internet")}};
    return formas.value(valor);
}

// The office that hands the documents over: its name and its own address.
QPair<QString, QString> Escritorio()
{
    auto lido = ExecutarSQL(QStringLiteral("select E.NOMEESCRIT, F.ENDERECO, F.NUMERO, F.COMPLEMENTO, F.BAIRRO, F.CIDADE, F.UF, F.CEP, "
                                           "F.TELEFONE from ESCRITORIO E left join ESTAB F on F.CODIGOEMPRESA = E.CODIGOEMPRESA and "
                                           "F.CODIGOESTAB = E.CODIGOESTAB order by E.CODIGOESCRIT"));
    QPair<QString, QString> escritorio;
    if (!lido->IsEmpty()) {
        const QString telefone = lido->Fields(8).AsString().trimmed();
        escritorio = {lido->Fields(0).AsString(),
                      Juntar({Endereco(*lido, 1), telefone.isEmpty() ? QString() : QStringLiteral("Tel. ") + telefone}, QStringLiteral(" - "))};
    }
    DestruirSQL(lido);
    return escritorio;
}

// The protocols of the selection with their establishment and delivery
// address, and their active items: two statements, whatever their number.
QList<TnProtocoloRecibo> LerProtocolos(const QString& selecao)
{
    ValidarSelecaoDeCodigos(selecao);
    const QString condicao = FilterInterval(QStringLiteral("P.CODIGOPROTOCOLO"), selecao, false);
    if (condicao.isEmpty())
        throw EnErro(QStringLiteral("Informe os protocolos a imprimir."));
    // The delivery address is the establishment's unless its delivery
    // configuration says otherwise and it has one of its own.
    auto lidos = ExecutarSQL(
        QStringLiteral("select P.CODIGOPROTOCOLO, P.CODIGOEMPRESA, P.CODIGOESTAB, P.DATALCTOPRO, P.NATUREZAPRO, P.FORMAENTREGA, "
                       "P.OBSERVACAO, P.CANCELADO, E.NOMEEMPRESA, F.NOMEESTAB, F.CNPJ, %2 "
                       "from PROTOCOLO P join ESTAB F on F.CODIGOEMPRESA = P.CODIGOEMPRESA and F.CODIGOESTAB = P.CODIGOESTAB "
                       "join EMPRESA E on E.CODIGOEMPRESA = P.CODIGOEMPRESA %3 "
                       "where %1 order by P.CODIGOEMPRESA, P.CODIGOESTAB, P.CODIGOPROTOCOLO")
            .arg(condicao, ColunasEnderecoEntrega(), JuncoesEnderecoEntrega()));
    QList<TnProtocoloRecibo> protocolos;
    QHash<qint64, qsizetype> posicao;
    for (; !lidos->Eof(); lidos->Next()) {
        TnProtocoloRecibo protocolo;
        protocolo.codigo = lidos->Fields(0).AsLargeInt();
        protocolo.empresa = lidos->Fields(1).AsInteger();
        protocolo.estab = lidos->Fields(2).AsInteger();
        protocolo.data = lidos->Fields(3).AsDate();
        protocolo.natureza = Natureza(lidos->Fields(4).AsString());
        protocolo.formaEntrega = FormaEntrega(lidos->Fields(5).AsString());
        protocolo.observacao = lidos->Fields(6).AsString();
        protocolo.cancelado = lidos->Fields(7).AsString() == QStringLiteral("1");
        protocolo.nomeEmpresa = lidos->Fields(8).AsString();
        protocolo.nomeEstab = lidos->Fields(9).AsString();
        protocolo.cnpj = lidos->Fields(10).AsString();
        protocolo.enderecoEntrega = EnderecoDeEntrega(*lidos, 11);
        posicao.insert(protocolo.codigo, protocolos.size());
        protocolos.append(protocolo);
    }
    DestruirSQL(lidos);
    auto itens = ExecutarSQL(QStringLiteral("select I.CODIGOPROTOCOLO, I.DESCRITEM, I.COMPETENCIA, I.VENCIMENTO, I.VALOR from PROTOCOLOITEM I "
                                            "join PROTOCOLO P on P.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO "
                                            "where %1 and I.CANCELADO = '0' order by I.CODIGOPROTOCOLO, I.SEQITEMPRO")
                                 .arg(condicao));
    for (; !itens->Eof(); itens->Next()) {
        const qsizetype indice = posicao.value(itens->Fields(0).AsLargeInt(), -1);
        if (indice < 0)
            continue;
        TnItemRecibo item;
        item.descricao = itens->Fields(1).AsString();
        item.competencia = itens->Fields(2).AsDate();
        item.vencimento = itens->Fields(3).AsDate();
        item.temValor = !itens->Fields(4).IsNull();
        item.valor = itens->Fields(4).AsDecimal();
        protocolos[indice].itens.append(item);
    }
    DestruirSQL(itens);
    return protocolos;
}

void Cabecalho(TnPaginaRelatorio& pagina, const QPair<QString, QString>& escritorio, const QString& titulo)
{
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Titulo, escritorio.first));
    if (!escritorio.second.isEmpty())
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Texto, {}, {escritorio.second}));
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Espaco));
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Titulo, titulo));
}

// The protocol's own lines: its data, its items with their total, its barcode.
void BlocosDoProtocolo(TnPaginaRelatorio& pagina, const TnProtocoloRecibo& protocolo, bool comEstab)
{
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {},
                               {QStringLiteral("Protocolo"), QString::number(protocolo.codigo), QStringLiteral("Data"), Data(protocolo.data),
                                QStringLiteral("Natureza"), protocolo.natureza, QStringLiteral("Forma de entrega"), protocolo.formaEntrega}));
    if (comEstab) {
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {},
                                   {QStringLiteral("Filial"), QStringLiteral("%1 - %2").arg(protocolo.estab).arg(protocolo.nomeEstab),
                                    QStringLiteral("CNPJ"), protocolo.cnpj, QStringLiteral("Endereço de entrega"), protocolo.enderecoEntrega}));
    }
    if (!protocolo.observacao.trimmed().isEmpty())
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {}, {QStringLiteral("Observação"), protocolo.observacao}));
    if (protocolo.cancelado)
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Titulo, QStringLiteral("PROTOCOLO CANCELADO")));
    TnBlocoRelatorio tabela = BlocoRelatorio(TnBlocoRelatorio::Tipo::Tabela);
    tabela.colunas = {QStringLiteral("Descrição"), QStringLiteral("Competência"), QStringLiteral("Vencimento"), QStringLiteral("Valor R$")};
    tabela.larguras = {55, 15, 15, 15};
    tabela.aDireita = {false, false, false, true};
    TnDecimal total;
    for (const TnItemRecibo& item : protocolo.itens) {
        tabela.celulas.append({item.descricao, Data(item.competencia, QStringLiteral("MM/yyyy")), Data(item.vencimento),
                               item.temValor ? Dinheiro(item.valor) : QString()});
        total = total + item.valor;
    }
    tabela.celulas.append({QStringLiteral("Total (%1 item(ns))").arg(protocolo.itens.size()), QString(), QString(), Dinheiro(total)});
    tabela.total = true;
    pagina.blocos.append(tabela);
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::CodigoBarras, QString::number(protocolo.codigo)));
}

void Assinaturas(TnPaginaRelatorio& pagina, const QString& natureza)
{
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Espaco));
    pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Assinaturas, {},
                               {natureza == QStringLiteral("Entrada") ? QStringLiteral("Nome de quem entregou") : QStringLiteral("Nome do recebedor"),
                                QStringLiteral("Data"), QStringLiteral("Assinatura")}));
}

QString TituloDoRecibo(const QString& natureza)
{
    return natureza == QStringLiteral("Entrada") ? QStringLiteral("Protocolo de Recebimento de Documentos")
                                                 : QStringLiteral("Protocolo de Entrega de Documentos");
}

} // namespace

QString ColunasEnderecoEntrega()
{
    return QStringLiteral("F.ENDERECO, F.NUMERO, F.COMPLEMENTO, F.BAIRRO, F.CIDADE, F.UF, F.CEP, "
                          "case when C.MESMOENDERECOENT = '0' and D.ENDERECO is not null then 1 else 0 end, "
                          "D.ENDERECO, D.NUMERO, D.COMPLEMENTO, D.BAIRRO, D.CIDADE, D.UF, D.CEP");
}

QString JuncoesEnderecoEntrega()
{
    return QStringLiteral("left join CFGESTABPRO C on C.CODIGOEMPRESA = F.CODIGOEMPRESA and C.CODIGOESTAB = F.CODIGOESTAB "
                          "left join ESTABENTREGA D on D.CODIGOEMPRESA = F.CODIGOEMPRESA and D.CODIGOESTAB = F.CODIGOESTAB");
}

QString EnderecoDeEntrega(const TnSQLDataSet& linha, int primeira)
{
    return linha.Fields(primeira + 7).AsInteger() == 1 ? Endereco(linha, primeira + 8) : Endereco(linha, primeira);
}

TnBlocoRelatorio BlocoRelatorio(TnBlocoRelatorio::Tipo tipo, const QString& texto, const QStringList& linhas)
{
    TnBlocoRelatorio bloco;
    bloco.tipo = tipo;
    bloco.texto = texto;
    bloco.linhas = linhas;
    return bloco;
}

void CabecalhoDoEscritorio(TnPaginaRelatorio& pagina, const QString& titulo)
{
    Cabecalho(pagina, Escritorio(), titulo);
}

TnRelatorio MontarRecibos(const QString& selecao, bool porEmpresa)
{
    const QList<TnProtocoloRecibo> protocolos = LerProtocolos(selecao);
    if (protocolos.isEmpty())
        throw EnErro(QStringLiteral("Nenhum protocolo encontrado em \"%1\".").arg(selecao.trimmed()));
    const QPair<QString, QString> escritorio = Escritorio();
    TnRelatorio relatorio;
    relatorio.titulo = porEmpresa ? QStringLiteral("Recibos de protocolos por empresa") : QStringLiteral("Recibos de protocolos");
    for (qsizetype i = 0; i < protocolos.size(); ++i) {
        const TnProtocoloRecibo& protocolo = protocolos[i];
        if (!porEmpresa) {
            TnPaginaRelatorio pagina;
            Cabecalho(pagina, escritorio, TituloDoRecibo(protocolo.natureza));
            pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {},
                                       {QStringLiteral("Empresa"), QStringLiteral("%1 - %2").arg(protocolo.empresa).arg(protocolo.nomeEmpresa)}));
            BlocosDoProtocolo(pagina, protocolo, true);
            Assinaturas(pagina, protocolo.natureza);
            relatorio.paginas.append(pagina);
            continue;
        }
        // One receipt per company: its protocols one after another (they come ordered by company).
        if (i > 0 && protocolos[i - 1].empresa == protocolo.empresa)
            continue;
        TnPaginaRelatorio pagina;
        Cabecalho(pagina, escritorio, TituloDoRecibo(protocolo.natureza));
        pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Campos, {},
                                   {QStringLiteral("Empresa"), QStringLiteral("%1 - %2").arg(protocolo.empresa).arg(protocolo.nomeEmpresa)}));
        for (qsizetype j = i; j < protocolos.size() && protocolos[j].empresa == protocolo.empresa; ++j) {
            pagina.blocos.append(BlocoRelatorio(TnBlocoRelatorio::Tipo::Espaco));
            BlocosDoProtocolo(pagina, protocolos[j], true);
        }
        Assinaturas(pagina, protocolo.natureza);
        relatorio.paginas.append(pagina);
    }
    return relatorio;
}
