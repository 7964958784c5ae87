#include "dmselecao.h"

#include "dialogos.h"
#include "dicionario.h"
#include "listacampos.h"

namespace {

// "DataLctoPro_MAIORIGUAL" reads "Data de lançamento de".
QString RotuloDoParametro(const QString& nome)
{
    const qsizetype separador = nome.lastIndexOf(u'_');
    const QString coluna = nome.left(separador).toUpper();
    const QString comparacao = nome.mid(separador + 1).toUpper();
    QString rotulo = coluna == u"DATALCTOPRO" ? QStringLiteral("Data de lançamento") : coluna;
    if (const TnEntradaDicionario* entrada = EntradaDicionario(coluna))
        rotulo = entrada->rotulo;
    if (comparacao == u"MAIORIGUAL")
        return rotulo + QStringLiteral(" de");
    if (comparacao == u"MENORIGUAL")
        return rotulo + QStringLiteral(" até");
    return rotulo;
}

bool Inicial(const QString& nome)
{
    return nome.endsWith(QStringLiteral("_MAIORIGUAL"), Qt::CaseInsensitive);
}

bool Final(const QString& nome)
{
    return nome.endsWith(QStringLiteral("_MENORIGUAL"), Qt::CaseInsensitive);
}

}  // namespace

QDate TnDMSelecao::DataOferecida(const QString& nome, const QVariant& anterior)
{
    if (!anterior.isNull() && anterior.toDate().isValid())
        return anterior.toDate();
    const QDate hoje = QDate::currentDate();
    return Final(nome) ? QDate(hoje.year(), hoje.month(), hoje.daysInMonth()) : QDate(hoje.year(), hoje.month(), 1).addMonths(-2);
}

bool TnDMSelecao::ShowSelecionar()
{
    TnQuestionario questionario;
    questionario.titulo = QStringLiteral("Seleção - %1").arg(Titulo);
    questionario.confirmar = QStringLiteral("Confirmar");
    for (int i = 0; i < nSelecao.size() && i < QuantidadeDeParametrosMostrar(); ++i)
        questionario.campos.append({nSelecao[i].nome, RotuloDoParametro(nSelecao[i].nome), DataOferecida(nSelecao[i].nome, nSelecao[i].valor)});
    questionario.validar = [this](const TnQuestionario& mostrado) -> std::optional<TnRecusaQuestionario> {
        QList<QPair<QString, QVariant>> valores;
        for (const TnCampoQuestionario& campo : mostrado.campos)
            valores.append({campo.nome, campo.valor});
        if (const QString recusa = ValidarSelecao(valores); !recusa.isEmpty())
            return TnRecusaQuestionario{recusa, mostrado.campos.value(0).nome};
        return std::nullopt;
    };
    if (!nPedirQuestionario(questionario))
        return false;
    QList<QPair<QString, QVariant>> valores;
    for (const TnCampoQuestionario& campo : std::as_const(questionario.campos))
        valores.append({campo.nome, campo.valor});
    AplicarSelecao(valores);
    DepoisConfirmacao();
    return true;
}

QString TnDMSelecao::ValidarSelecao(const QList<QPair<QString, QVariant>>& valores) const
{
    // Each column's start may not come after its end.
    for (const auto& inicio : valores) {
        if (!Inicial(inicio.first))
            continue;
        const QString coluna = inicio.first.left(inicio.first.lastIndexOf(u'_'));
        for (const auto& fim : valores) {
            if (Final(fim.first) && fim.first.startsWith(coluna + u'_', Qt::CaseInsensitive)
                && inicio.second.toDate().isValid() && fim.second.toDate().isValid() && inicio.second.toDate() > fim.second.toDate())
                return QStringLiteral("A data inicial da seleção não pode ser posterior à data final.");
        }
    }
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
    for (const QString& nome : DividirLista(verificaSelecao)) {
        QVariant valor;
        for (const TnValorSelecao& existente : std::as_const(nSelecao)) {
            if (existente.nome.compare(nome, Qt::CaseInsensitive) == 0)
                valor = existente.valor;
        }
        declarada.append({nome, valor});
    }
    nSelecao = declarada;
}
