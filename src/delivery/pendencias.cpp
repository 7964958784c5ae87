#include "pendencias.h"

#include "calendariodoc.h"
#include "lyrsfuncoes.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QHash>
#include <QSet>

#include <functional>

namespace {

// Company, establishment and type packed in one key (each a 16-bit code).
quint64 Chave(int empresa, int estab, int tipo)
{
    return (quint64(quint16(empresa)) << 32) | (quint64(quint16(estab)) << 16) | quint16(tipo);
}

quint64 ChaveFilial(int empresa, int estab)
{
    return Chave(empresa, estab, 0);
}

// How an establishment's configuration rows turned out, worst to best.
enum class TnDesfecho { SemTipos, NadaEsperado, TudoEntregue, ComPendencias };

} // namespace

QList<TLyrDocPendente> CalcularPendencias(const TLyrFiltroPendencias& filtro, qint64 proximoCodigo,
                                          QList<TLyrFilialSemPendencia>* semPendencia)
{
    const QDate mes(filtro.competencia.year(), filtro.competencia.month(), 1);
    const QDateTime inicio(mes, QTime(0, 0));
    const QDateTime fim(mes.addMonths(1).addDays(-1), QTime(23, 59, 59, 999));
    const QString empresas = filtro.empresas.trimmed();
    const QString estabs = filtro.estabs.trimmed();
    ValidarSelecaoDeCodigos(empresas);
    ValidarSelecaoDeCodigos(estabs);
    const QString condicao =
        FilterInterval(QStringLiteral("C.CODIGOEMPRESA"), empresas) + FilterInterval(QStringLiteral("C.CODIGOESTAB"), estabs);

    // Company, establishment, type and date of the month's rows of a table.
    const auto lerDoMes = [&](const QString& tabela, const std::function<void(quint64 chave, const QVariant& data)>& guardar) {
        std::unique_ptr<TnSQLDataSet> linhas = ExecutarSQL(
            QStringLiteral("select C.CODIGOEMPRESA ,C.CODIGOESTAB ,C.CODIGOTIPODOC ,C.DATALCTOPRO from %1 C "
                           "where C.DATALCTOPRO between :pDataInicial and :pDataFinal")
                    .arg(tabela)
                + condicao,
            {inicio, fim});
        for (int linha = 0; linha < linhas->RecordCount(); ++linha)
            guardar(Chave(linhas->Valor(linha, 0).toInt(), linhas->Valor(linha, 1).toInt(), linhas->Valor(linha, 2).toInt()),
                    linhas->Valor(linha, 3));
    };
    // The launch dates of the documents of the month, per establishment and type.
    QHash<quint64, QList<QDateTime>> registrados;
    lerDoMes(QStringLiteral("PROTOCOLODOCEMP"), [&](quint64 chave, const QVariant& data) { registrados[chave].append(data.toDateTime()); });
    // The slots dismissed as not due, by their date.
    QSet<QPair<quint64, QDate>> dispensadas;
    lerDoMes(QStringLiteral("PROTOCOLODOCBAIXAJUST"), [&](quint64 chave, const QVariant& data) { dispensadas.insert({chave, data.toDate()}); });
    // Joined from the configuration so that a group without types still
    // shows (with a null type), to be told apart.
    std::unique_ptr<TnSQLDataSet> configuracao = ExecutarSQL(
        QStringLiteral("select C.CODIGOEMPRESA ,C.CODIGOESTAB ,C.CODIGOGRUPODOC ,T.CODIGOTIPODOC ,T.DESCRTIPODOC ,T.GERARAUTO ,T.PERIODODOC "
                       ",T.MESOCORRENCIA from CFGESTABPRO C left join PROTOCOLOGRUPOTIPODOC G on G.CODIGOGRUPODOC = C.CODIGOGRUPODOC "
                       "left join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = G.CODIGOTIPODOC")
        + (condicao.isEmpty() ? QString() : QStringLiteral(" where ") + condicao.mid(8))
        + QStringLiteral(" order by C.CODIGOEMPRESA ,C.CODIGOESTAB ,T.CODIGOTIPODOC"));

    QList<TLyrDocPendente> pendentes;
    QHash<quint64, TnDesfecho> desfechos;
    QHash<quint64, int> grupos;
    for (int linha = 0; linha < configuracao->RecordCount(); ++linha) {
        const int empresa = configuracao->Valor(linha, 0).toInt();
        const int estab = configuracao->Valor(linha, 1).toInt();
        auto achado = desfechos.find(ChaveFilial(empresa, estab));
        if (achado == desfechos.end())
            achado = desfechos.insert(ChaveFilial(empresa, estab), TnDesfecho::SemTipos);
        TnDesfecho& desfecho = *achado;
        grupos.insert(ChaveFilial(empresa, estab), configuracao->Valor(linha, 2).toInt());
        if (configuracao->Valor(linha, 3).isNull())
            continue;
        const int tipo = configuracao->Valor(linha, 3).toInt();
        const int periodo = configuracao->Valor(linha, 6).toInt();
        desfecho = std::max(desfecho, TnDesfecho::NadaEsperado);
        if (configuracao->Valor(linha, 5).toString().trimmed() != QLatin1String("1") || (filtro.periodo != 0 && periodo != filtro.periodo))
            continue;
        const QString meses = configuracao->Valor(linha, 7).toString().trimmed();
        const QList<QDateTime>& documentos = registrados.value(Chave(empresa, estab, tipo));
        for (const QDate& dia : CalendarioDoc::DatasDoPeriodo(periodo, mes)) {
            if (!CalendarioDoc::OcorreNoMes(meses, dia.month()))
                continue;
            desfecho = std::max(desfecho, TnDesfecho::TudoEntregue);
            const QDateTime vaga(dia, QTime(0, 0));
            const bool coberta = std::any_of(documentos.cbegin(), documentos.cend(),
                                             [&](const QDateTime& lancamento) { return CalendarioDoc::Cobre(periodo, vaga, lancamento); });
            if (coberta || dispensadas.contains({Chave(empresa, estab, tipo), dia}))
                continue;
            desfecho = TnDesfecho::ComPendencias;
            pendentes.append({empresa, estab, tipo, configuracao->Valor(linha, 4).toString(), vaga, proximoCodigo++});
        }
    }
    if (!semPendencia)
        return pendentes;

    std::unique_ptr<TnSQLDataSet> filiais = CriarListaEmpresaEstab(empresas, estabs);
    for (int linha = 0; linha < filiais->RecordCount(); ++linha) {
        const int empresa = filiais->Valor(linha, 0).toInt();
        const int estab = filiais->Valor(linha, 1).toInt();
        const auto desfecho = desfechos.constFind(ChaveFilial(empresa, estab));
        QString motivo;
        if (desfecho == desfechos.cend())
            motivo = QStringLiteral("Filial não possui configuração de entrega!");
        else if (*desfecho == TnDesfecho::SemTipos)
            motivo = QStringLiteral("Grupo %1 não possui tipos de documentos associados a ele!").arg(grupos.value(ChaveFilial(empresa, estab)));
        else if (*desfecho == TnDesfecho::NadaEsperado)
            motivo = QStringLiteral("Nenhum tipo de documento do grupo %1 é esperado nesta competência.")
                         .arg(grupos.value(ChaveFilial(empresa, estab)));
        else if (*desfecho == TnDesfecho::TudoEntregue)
            motivo = QStringLiteral("Todos os documentos esperados nesta competência já foram entregues.");
        if (!motivo.isEmpty())
            semPendencia->append({empresa, estab, filiais->Valor(linha, 2).toString(), filiais->Valor(linha, 3).toString(), motivo});
    }
    return pendentes;
}
