// lyr_bench_pendencias [--filiais N] [--entregues P] [--marcados N] [--vezes N] [--database URI]
//
// The pending documents of December 2026 on a demo office grown by a chain
// of N stores, each owing every type of the office (40: monthly, fortnightly
// and ten-daily, some of every month, some of a few), P% of the month's
// slots already handed in and a few dismissed:
//  - CalcularPendencias over every establishment, against one hand-written
//    query that finds the same slots (generated in SQL, matched by the same
//    coverage rule); both must give the same rows, numbered alike, and the
//    engine as many statements for one store as for all of them;
//  - saving N ticked rows of the pending list (a register of their own
//    each, with its first movement), against one prepared INSERT per table
//    bound per row in one transaction. The rows written are deleted again
//    before each run, so that both sides write the same codes.
//
// Any disagreement ends the run with a message and a non-zero exit.

#include "bancobench.h"
#include "calendariodoc.h"
#include "dialogos.h"
#include "documentospendentes.h"
#include "erros.h"
#include "insercaolote.h"
#include "medicao.h"
#include "pendencias.h"
#include "sqlservicos.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr int kEmpresa = 900;
constexpr int kGrupo = 99;
const QDate kCompetencia(2026, 12, 1);

// The chain's group holds every type of the office; of each store's slots
// of the month, `entregues`% were handed in (launched on the slot's day or
// up to some days after, so that a late paper may stand for the next slot)
// and about 1% of the others dismissed.
void PrepararEscritorio(int filiais, int entregues)
{
    ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (:g, 'Rede')"), {kGrupo});
    ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) select :g, CODIGOTIPODOC from PROTOCOLOTIPODOC"),
                      {kGrupo});
    CadastrarRedeDeLojas(kEmpresa, filiais, kGrupo);

    struct TnTipo {
        int codigo;
        int periodo;
        QString descricao;
    };
    QList<TnTipo> tipos;
    {
        std::unique_ptr<TnSQLDataSet> lidos = ExecutarSQL(QStringLiteral(
            "select CODIGOTIPODOC, PERIODODOC, DESCRTIPODOC, MESOCORRENCIA from PROTOCOLOTIPODOC where GERARAUTO = '1' order by CODIGOTIPODOC"));
        for (int linha = 0; linha < lidos->RecordCount(); ++linha) {
            if (CalendarioDoc::OcorreNoMes(lidos->Valor(linha, 3).toString(), kCompetencia.month()))
                tipos.append({lidos->Valor(linha, 0).toInt(), lidos->Valor(linha, 1).toInt(), lidos->Valor(linha, 2).toString()});
        }
    }
    QRandomGenerator sorteio(20261206);
    qint64 codigo = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"));
    qint64 documentos = 0;
    qint64 baixas = 0;
    EmTransacao([&] {
        TnInsercaoEmLote documento(::Conexao(), QStringLiteral("PROTOCOLODOCEMP"),
                                   {QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGOTIPODOC"), QStringLiteral("CODIGOEMPRESA"),
                                    QStringLiteral("CODIGOESTAB"), QStringLiteral("DATALCTOPRO"), QStringLiteral("DESCRDOCEMP"),
                                    QStringLiteral("ARQUIVADO"), QStringLiteral("ORIGEMDADO")});
        TnInsercaoEmLote baixa(::Conexao(), QStringLiteral("PROTOCOLODOCBAIXAJUST"),
                               {QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOESTAB"), QStringLiteral("CODIGOTIPODOC"),
                                QStringLiteral("DATALCTOPRO"), QStringLiteral("MOTIVO"), QStringLiteral("CODIGOUSUARIO"),
                                QStringLiteral("DATAHORA"), QStringLiteral("ORIGEMDADO")});
        const QDateTime agora(QDate(2026, 12, 6), QTime(10, 0));
        for (int estab = 1; estab <= filiais; ++estab) {
            for (const TnTipo& tipo : std::as_const(tipos)) {
                for (const QDate& vaga : CalendarioDoc::DatasDoPeriodo(tipo.periodo, kCompetencia)) {
                    const int chance = int(sorteio.bounded(100));
                    if (chance < entregues) {
                        const QDate lancamento = std::min(vaga.addDays(sorteio.bounded(12)), vaga.addDays(vaga.daysInMonth() - vaga.day()));
                        documento.Adicionar({codigo++, tipo.codigo, kEmpresa, estab, lancamento, tipo.descricao, QStringLiteral("0"), 2});
                        ++documentos;
                    } else if (chance == 99) {
                        baixa.Adicionar({kEmpresa, estab, tipo.codigo, vaga, QStringLiteral("Sem movimento"), 1, agora, 1});
                        ++baixas;
                    }
                }
            }
        }
        documento.Descarregar();
        baixa.Descarregar();
    });
    Saida() << "rede de " << filiais << " lojas, " << tipos.size() << " tipos devidos em " << kCompetencia.toString(QStringLiteral("MM/yyyy"))
            << ": " << documentos << " documentos entregues, " << baixas << " baixas justificadas" << Qt::endl;
}

struct TnVaga {
    int empresa = 0;
    int estab = 0;
    int tipo = 0;
    QDate data;
    qint64 codigo = 0;

    bool operator==(const TnVaga&) const = default;
    QString Texto() const
    {
        return QStringLiteral("%1/%2 tipo %3 em %4 código %5").arg(empresa).arg(estab).arg(tipo).arg(data.toString(Qt::ISODate)).arg(codigo);
    }
};

// The pending slots of the month in one statement: the slots of each type of
// each configured establishment's group (a small table of period and day of
// the month), less those a document of the month stands for (the same
// month for monthly types; fewer than 15 or 10 whole days away for
// fortnightly and ten-daily ones) or that were dismissed. Numbered from
// `proximo` on, in the engine's order.
QList<TnVaga> PendentesBruto(nDMConexao& conexao, const QDate& mes, qint64 proximo)
{
    const bool sqlite = conexao.Banco() == TnBanco::SQLite;
    const QString vaga = sqlite ? QStringLiteral("date(:mes, '+' || V.DESLOCAMENTO || ' days')") : QStringLiteral("cast(:mes as date) + V.DESLOCAMENTO");
    const QString distancia =
        sqlite ? QStringLiteral("abs(julianday(D.DATALCTOPRO) - julianday(P.DATAVAGA))") : QStringLiteral("abs(D.DATALCTOPRO - P.DATAVAGA)");
    QSqlQuery consulta(conexao.Database());
    consulta.setForwardOnly(true);
    consulta.prepare(
        QStringLiteral(
            "with VAGA (PERIODO, DESLOCAMENTO, LIMITE) as (values (1, 0, 0), (2, 0, 15), (2, 15, 15), (3, 0, 10), (3, 10, 10), (3, 20, 10)), "
            "ESPERADA as (select C.CODIGOEMPRESA, C.CODIGOESTAB, T.CODIGOTIPODOC, V.DESLOCAMENTO, V.LIMITE, %1 as DATAVAGA from CFGESTABPRO C "
            "join PROTOCOLOGRUPOTIPODOC G on G.CODIGOGRUPODOC = C.CODIGOGRUPODOC "
            "join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = G.CODIGOTIPODOC "
            "join VAGA V on V.PERIODO = T.PERIODODOC "
            "where trim(T.GERARAUTO) = '1' and ';' || trim(T.MESOCORRENCIA) || ';' like :ocorre) "
            "select P.CODIGOEMPRESA, P.CODIGOESTAB, P.CODIGOTIPODOC, P.DATAVAGA, "
            "row_number() over (order by P.CODIGOEMPRESA, P.CODIGOESTAB, P.CODIGOTIPODOC, P.DESLOCAMENTO) + :antes as CODIGO "
            "from ESPERADA P "
            "where not exists (select 1 from PROTOCOLODOCEMP D where D.CODIGOEMPRESA = P.CODIGOEMPRESA and D.CODIGOESTAB = P.CODIGOESTAB "
            "and D.CODIGOTIPODOC = P.CODIGOTIPODOC and D.DATALCTOPRO between :inicio and :fim and (P.LIMITE = 0 or %2 < P.LIMITE)) "
            "and not exists (select 1 from PROTOCOLODOCBAIXAJUST B where B.CODIGOEMPRESA = P.CODIGOEMPRESA and B.CODIGOESTAB = P.CODIGOESTAB "
            "and B.CODIGOTIPODOC = P.CODIGOTIPODOC and B.DATALCTOPRO = P.DATAVAGA) "
            "order by CODIGO")
            .arg(vaga, distancia));
    consulta.bindValue(QStringLiteral(":mes"), mes.toString(Qt::ISODate));
    consulta.bindValue(QStringLiteral(":ocorre"), QStringLiteral("%;%1;%").arg(mes.month()));
    consulta.bindValue(QStringLiteral(":antes"), proximo - 1);
    consulta.bindValue(QStringLiteral(":inicio"), mes.toString(Qt::ISODate));
    consulta.bindValue(QStringLiteral(":fim"), mes.addMonths(1).addDays(-1).toString(Qt::ISODate));
    if (!consulta.exec())
        Falhar(consulta.lastError().text());
    QList<TnVaga> vagas;
    while (consulta.next())
        vagas.append({consulta.value(0).toInt(), consulta.value(1).toInt(), consulta.value(2).toInt(), consulta.value(3).toDate(),
                      consulta.value(4).toLongLong()});
    return vagas;
}

QList<TnVaga> Pendentes(const TLyrFiltroPendencias& filtro, qint64 proximo)
{
    QList<TnVaga> vagas;
    for (const TLyrDocPendente& pendente : CalcularPendencias(filtro, proximo))
        vagas.append({pendente.empresa, pendente.estab, pendente.tipo, pendente.data.date(), pendente.codigo});
    return vagas;
}

void ConferirIguais(const QList<TnVaga>& motor, const QList<TnVaga>& bruto)
{
    for (qsizetype i = 0; i < std::min(motor.size(), bruto.size()); ++i) {
        if (!(motor[i] == bruto[i]))
            Falhar(QStringLiteral("a linha %1 difere: %2 no cálculo, %3 na consulta").arg(i + 1).arg(motor[i].Texto(), bruto[i].Texto()));
    }
    if (motor.size() != bruto.size())
        Falhar(QStringLiteral("o cálculo dá %1 pendências, a consulta %2").arg(motor.size()).arg(bruto.size()));
}

int ComandosDe(const std::function<void()>& trabalho)
{
    int comandos = 0;
    nDMConexao::SetObservadorComandos([&comandos](const QString&) { ++comandos; });
    trabalho();
    nDMConexao::SetObservadorComandos({});
    return comandos;
}

// The rows ticked, as the raw side writes them.
struct TnRecebido {
    qint64 codigo;
    QVariant tipo;
    QVariant estab;
    QDate data;
    QVariant descricao;
};

void GravarBruto(nDMConexao& conexao, const QList<TnRecebido>& recebidos)
{
    QSqlDatabase banco = conexao.Database();
    banco.transaction();
    QSqlQuery documento(banco);
    documento.prepare(QStringLiteral("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, "
                                     "DESCRDOCEMP, ARQUIVADO) values (?, ?, ?, ?, ?, ?, '0')"));
    QSqlQuery movimento(banco);
    movimento.prepare(QStringLiteral("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, TIPOLOCAL, DATALCTOPRO, OBSERVACAO, "
                                     "DATAHORA, CODIGOUSUARIO, CODIGOUSUARIORESP, ORIGEMDADO) values (?, 1, '1', ?, ?, ?, ?, ?, 2)"));
    const QDateTime agora = QDateTime::currentDateTime();
    for (const TnRecebido& recebido : recebidos) {
        for (const QVariant& valor : QVariantList{recebido.codigo, recebido.tipo, kEmpresa, recebido.estab, recebido.data, recebido.descricao})
            documento.addBindValue(valor);
        if (!documento.exec())
            Falhar(documento.lastError().text());
        for (const QVariant& valor : QVariantList{recebido.codigo, recebido.data,
                                                  QStringLiteral("Documento recebido em: ") + recebido.data.toString(QStringLiteral("dd/MM/yyyy")),
                                                  agora, conexao.CodigoUsuario(), conexao.CodigoUsuario()})
            movimento.addBindValue(valor);
        if (!movimento.exec())
            Falhar(movimento.lastError().text());
    }
    if (!banco.commit())
        Falhar(banco.lastError().text());
}

void Medir(const QCommandLineParser& argumentos)
{
    TnBancoBench banco(argumentos.value("database"), 1);
    nDMConexao& conexao = banco.Conexao();
    conexao.SetCodigoUsuario(1);
    banco.Host().SetDialogos(std::make_unique<TnRespostas>());
    const int filiais = std::clamp(argumentos.value("filiais").toInt(), 1, 9999);
    PrepararEscritorio(filiais, std::clamp(argumentos.value("entregues").toInt(), 0, 99));

    // Every establishment of the office, the chain's and the demo's.
    const qint64 proximo = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"));
    const TLyrFiltroPendencias todas{kCompetencia, QString(), QString(), 0};
    QList<TnVaga> motor;
    QList<TnVaga> bruto;
    const auto [calcular, consultar] = MedirEmTurnos({{}, [&] { motor = Pendentes(todas, proximo); }},
                                                     {{}, [&] { bruto = PendentesBruto(conexao, kCompetencia, proximo); }});
    ConferirIguais(motor, bruto);
    Relatar(QStringLiteral("pendências de %1 (todas as filiais)").arg(kCompetencia.toString(QStringLiteral("MM/yyyy"))), motor.size(),
            calcular, consultar, QStringLiteral("consulta"));
    const int comandosTodas = ComandosDe([&] { Pendentes(todas, proximo); });
    const int comandosUma = ComandosDe([&] { Pendentes({kCompetencia, QString::number(kEmpresa), QStringLiteral("1"), 0}, proximo); });
    Saida() << "comandos do cálculo: " << comandosTodas << " para todas as filiais, " << comandosUma << " para uma" << Qt::endl;
    if (comandosTodas != comandosUma)
        Falhar(QStringLiteral("o cálculo faz comandos por filial ou por tipo"));

    // The first stores whose list holds the rows to tick.
    const int marcados = std::max(1, argumentos.value("marcados").toInt());
    int ultimaLoja = 0;
    for (int contadas = 0; const TnVaga& vaga : std::as_const(motor)) {
        if (vaga.empresa == kEmpresa && ++contadas == marcados) {
            ultimaLoja = vaga.estab;
            break;
        }
    }
    if (ultimaLoja == 0)
        Falhar(QStringLiteral("a rede não deve %1 documentos").arg(marcados));
    motor.clear();
    bruto.clear();

    TLyrDPDocumentosPendentes processo;
    processo.DataModuleCreate();
    processo.SetParam(QStringLiteral("pCompet"), kCompetencia.toString(QStringLiteral("MM/yyyy")));
    processo.SetParam(QStringLiteral("pCodigoEmpresa"), QString::number(kEmpresa));
    processo.SetParam(QStringLiteral("pCodigoEstab"), QStringLiteral("1-%1").arg(ultimaLoja));
    TnClientDataSet& lista = processo.nClientDataSet;
    const auto carregarEMarcar = [&] {
        processo.Processar();
        for (int linha = 1; linha <= marcados; ++linha) {
            lista.SetRecNo(linha);
            processo.MarcarUm();
        }
    };
    carregarEMarcar();
    const int linhasDaLista = lista.RecordCount();
    QList<TnRecebido> recebidos;
    const auto valor = [&](int linha, const char* campo) { return lista.ValorNaLinha(linha, lista.FieldByName(QLatin1String(campo)).Index()); };
    for (int linha = 0; linha < marcados; ++linha)
        recebidos.append({qint64(valor(linha, "CODIGODOCUMENTO").toDouble()), valor(linha, "CODIGOTIPODOC"), valor(linha, "CODIGOESTAB"),
                          valor(linha, "DATALCTO").toDate(), valor(linha, "DESCRDOCEMP")});
    // Before each run, the previous one's documents and movements are
    // deleted: exactly the rows ticked, by either side.
    bool gravou = false;
    const auto desfazer = [&] {
        const int movimentos = ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP >= :c"), {proximo});
        const int documentos = ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCEMP where CODIGODOCEMP >= :c"), {proximo});
        const int esperados = gravou ? marcados : 0;
        if (documentos != esperados || movimentos != esperados)
            Falhar(QStringLiteral("a gravação escreveu %1 documentos e %2 movimentos, não %3").arg(documentos).arg(movimentos).arg(esperados));
        gravou = false;
    };
    const auto [gravar, gravarBruto] = MedirEmTurnos({[&] {
                                                          desfazer();
                                                          carregarEMarcar();
                                                      },
                                                      [&] {
                                                          processo.actGravarExecute();
                                                          gravou = true;
                                                      }},
                                                     {desfazer, [&] {
                                                          GravarBruto(conexao, recebidos);
                                                          gravou = true;
                                                      }});
    desfazer();
    if (lista.RecordCount() != linhasDaLista - marcados)
        Falhar(QStringLiteral("a lista ficou com %1 linhas, não %2").arg(lista.RecordCount()).arg(linhasDaLista - marcados));
    Relatar(QStringLiteral("gravar recebidos (lista de %1, lojas 1-%2)").arg(linhasDaLista).arg(ultimaLoja), marcados, gravar, gravarBruto,
            QStringLiteral("bruto"));
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QCommandLineParser argumentos;
    argumentos.addOptions({{"filiais", "Lojas da rede.", "N", "2000"},
                           {"entregues", "Porcentagem dos documentos do mês já entregues.", "P", "40"},
                           {"marcados", "Documentos marcados como recebidos e gravados.", "N", "5000"},
                           {"vezes", "Vezes que cada caso roda (vale a melhor).", "N", "3"},
                           {"database", "Banco PostgreSQL (postgresql://...); padrão: SQLite temporário.", "uri"}});
    argumentos.process(aplicacao);
    Vezes() = std::max(1, argumentos.value("vezes").toInt());
    return RodarBench([&] { Medir(argumentos); });
}
