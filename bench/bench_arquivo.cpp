// The archive save and the route save, against the raw statements of the
// same rows in one transaction:
//
//   lyr_bench_arquivo [--documentos 5000] [--paradas 500] [--database postgresql://...]
//
// A client of the demo gets a box and `documentos` documents not yet
// archived; "Arquivar Documentos" lists them, marks them all (Ctrl+Ins) and
// saves (timed without the reading of the box again that follows it on the
// screen): new envelopes, archive rows, flags and archiving movements. The
// raw side writes the same with one prepared statement per table, bound per
// row. Then a route of `paradas` stops is saved by its configuration screen
// against a delete and one prepared insert per stop.

#include "arquivardocs.h"
#include "bancobench.h"
#include "configurarrota.h"
#include "medicao.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

namespace {

constexpr int kEmpresa = 901;
constexpr int kCaixa = 9001;
constexpr int kRota = 901;

void Executar(QSqlQuery& comando, const QVariantList& valores)
{
    for (const QVariant& valor : valores)
        comando.addBindValue(valor);
    if (!comando.exec())
        Falhar(comando.lastError().text());
}

int Contar(const QString& consulta)
{
    return ExecutarSQL(consulta)->Valor(0, 0).toInt();
}

void Preparar(QSqlQuery& comando, const QString& texto)
{
    if (!comando.prepare(texto))
        Falhar(comando.lastError().text());
}

void MedirArquivo(nDMConexao& conexao, int documentos)
{
    CadastrarRedeDeLojas(kEmpresa, 1, 1);
    const qint64 primeiro = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"));
    EmTransacao([&] {
        ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLODOCCAIXA (CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL) values (:c, :e, 1, 1)"),
                          {kCaixa, kEmpresa});
        TnSQLDataSet documento(conexao);
        documento.SetCommandText(QStringLiteral("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, "
                                                "ARQUIVADO) values (:d, :t, :e, 1, :l, '0')"));
        for (int i = 0; i < documentos; ++i) {
            documento.SetParamValues({primeiro + i, 1 + i % 10, kEmpresa, QDate(2025, 1 + i % 12, 1)});
            documento.ExecSQL();
        }
    });
    TLyrDPArquivarDocs processo;
    processo.DataModuleCreate();
    processo.SetParam(QStringLiteral("pCodigoCaixaPro"), QString::number(kCaixa));
    processo.SetParam(QStringLiteral("pSomenteArq"), QStringLiteral("0"));
    // What the save writes, undone before each run of either side.
    const auto desfazer = [&] {
        EmTransacao([&] {
            ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCARQUIVO where CODIGOCAIXA = :c"), {kCaixa});
            ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP >= :d"), {primeiro});
            ExecutarSQLDireto(QStringLiteral("update PROTOCOLODOCEMP set ARQUIVADO = '0' where CODIGODOCEMP >= :d"), {primeiro});
            ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLODOCENVELOPE where CODIGOCAIXA = :c"), {kCaixa});
        });
    };
    // The envelopes and rows the load proposes, as the raw side writes them.
    desfazer();
    processo.Processar();
    QList<QPair<int, qint64>> linhas;
    for (int linha = 0; linha < processo.nClientDataSet.RecordCount(); ++linha)
        linhas.append({processo.nClientDataSet.ValorNaLinha(linha, processo.nClientDataSet.FieldByName(QStringLiteral("CodigoEnvelope")).Index()).toInt(),
                       processo.nClientDataSet.ValorNaLinha(linha, processo.nClientDataSet.FieldByName(QStringLiteral("CODIGODOCEMP")).Index())
                           .toLongLong()});
    const auto conferir = [&] {
        if (const int arquivados = Contar(QStringLiteral("select count(*) from PROTOCOLODOCARQUIVO where CODIGOCAIXA = %1").arg(kCaixa));
            arquivados != documentos)
            Falhar(QStringLiteral("%1 documentos arquivados, não %2").arg(arquivados).arg(documentos));
    };
    const auto [gravar, bruto] = MedirEmTurnos(
        {[&] {
             desfazer();
             processo.Processar();
             // Marking all alternates with unmarking: pressed until marked.
             while (processo.nClientDataSet.FieldByName(QStringLiteral("Status")).AsInteger() != TLyrDPArquivarDocs::AArquivar)
                 processo.actMarcarTodasExecute();
         },
         [&] {
             processo.GravarMarcados();
             conferir();
         }},
        {desfazer, [&] {
             QSqlDatabase banco = conexao.Database();
             banco.transaction();
             QSqlQuery envelope(banco), arquivo(banco), marca(banco), movimento(banco);
             Preparar(envelope, QStringLiteral("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA, CODIGOENVELOPE, DESCRENVELOPE) values (?, ?, ?)"));
             Preparar(arquivo, QStringLiteral("insert into PROTOCOLODOCARQUIVO (CODIGOCAIXA, CODIGOENVELOPE, CODIGODOCEMP) values (?, ?, ?)"));
             Preparar(marca, QStringLiteral("update PROTOCOLODOCEMP set ARQUIVADO = '1' where CODIGODOCEMP = ?"));
             Preparar(movimento, QStringLiteral("insert into PROTOCOLODOCMOVIMENTO (CODIGODOCEMP, SEQDOCEMP, OBSERVACAO, TIPOLOCAL, DATALCTOPRO, "
                                                "DATAHORA, CODIGOUSUARIO, ORIGEMDADO) values (?, 1, ?, '1', ?, ?, ?, 2)"));
             const QDateTime agora = QDateTime::currentDateTime();
             QSet<int> envelopes;
             for (const auto& [numero, documento] : std::as_const(linhas)) {
                 if (!envelopes.contains(numero)) {
                     envelopes.insert(numero);
                     Executar(envelope, {kCaixa, numero, QStringLiteral("Envelope")});
                 }
                 Executar(arquivo, {kCaixa, numero, documento});
                 Executar(marca, {documento});
                 Executar(movimento, {documento, QStringLiteral("Arquivado em - Caixa"), QDate(2025, 1, 1), agora, conexao.CodigoUsuario()});
             }
             if (!banco.commit())
                 Falhar(banco.lastError().text());
             conferir();
         }});
    Relatar(QStringLiteral("arquivar documentos numa caixa"), documentos, gravar, bruto);
}

void MedirRota(nDMConexao& conexao, int paradas)
{
    CadastrarRedeDeLojas(kEmpresa + 1, paradas, 1);
    ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLOROTA (CODIGOROTA, DESCRROTA) values (:r, 'Rota da rede')"), {kRota});
    EmTransacao([&] {
        TnSQLDataSet parada(conexao);
        parada.SetCommandText(QStringLiteral("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB) values (:r, :s, :e, :f)"));
        for (int i = 1; i <= paradas; ++i) {
            parada.SetParamValues({kRota, i, kEmpresa + 1, paradas + 1 - i});
            parada.ExecSQL();
        }
    });
    TLyrDPConfigurarRotaEntrega processo;
    processo.DataModuleCreate();
    processo.SetParam(QStringLiteral("pCodigoRota"), QString::number(kRota));
    const auto [gravar, bruto] = MedirEmTurnos({[&] { processo.Processar(); }, [&] { processo.actGravarExecute(); }},
                                               {{}, [&] {
                                                    QSqlDatabase banco = conexao.Database();
                                                    banco.transaction();
                                                    QSqlQuery apagar(banco), inserir(banco);
                                                    Preparar(apagar, QStringLiteral("delete from PROTOCOLOROTAENTREGA where CODIGOROTA = ?"));
                                                    Executar(apagar, {kRota});
                                                    Preparar(inserir, QStringLiteral("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, "
                                                                                     "CODIGOEMPRESA, CODIGOESTAB, OBSERVACAO) values (?, ?, ?, ?, ?)"));
                                                    for (int i = 1; i <= paradas; ++i)
                                                        Executar(inserir, {kRota, i, kEmpresa + 1, paradas + 1 - i, QVariant()});
                                                    if (!banco.commit())
                                                        Falhar(banco.lastError().text());
                                                }});
    if (Contar(QStringLiteral("select count(*) from PROTOCOLOROTAENTREGA where CODIGOROTA = %1").arg(kRota)) != paradas)
        Falhar(QStringLiteral("a rota não ficou com %1 paradas").arg(paradas));
    Relatar(QStringLiteral("gravar as paradas de uma rota"), paradas, gravar, bruto);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QCommandLineParser argumentos;
    argumentos.addOptions({{"documentos", "Documentos arquivados numa caixa.", "N", "5000"},
                           {"paradas", "Paradas da rota.", "N", "500"},
                           {"vezes", "Vezes que cada caso roda (vale a melhor).", "N", "3"},
                           {"database", "Banco PostgreSQL (postgresql://...); padrão: SQLite temporário.", "uri"}});
    argumentos.process(aplicacao);
    Vezes() = std::max(1, argumentos.value("vezes").toInt());
    return RodarBench([&] {
        TnBancoBench banco(argumentos.value("database"), 1);
        banco.Conexao().SetCodigoUsuario(1);
        banco.Host().SetDialogos(std::make_unique<TnRespostas>());
        MedirArquivo(banco.Conexao(), std::clamp(argumentos.value("documentos").toInt(), 1, 100000));
        MedirRota(banco.Conexao(), std::clamp(argumentos.value("paradas").toInt(), 1, 9000));
    });
}
