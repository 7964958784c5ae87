// A user whose machine dies in the middle of a save: prepares one batch
// save on the database given, prints what the batch holds, then saves it.
//
//   lyr_interrompido_teste BANCO SALVAMENTO contar     runs the save inside a transaction it
//                                                      then undoes; counts the statements
//   lyr_interrompido_teste BANCO SALVAMENTO N          killed (SIGKILL) right before the
//                                                      save's N-th statement
//   lyr_interrompido_teste BANCO SALVAMENTO gravar     saves it all
//
// SALVAMENTO: "geracao" (Gerar Protocolo, every item marked), "baixa"
// (Baixar Protocolo, every open outgoing protocol), "cancelamento"
// (Cancelar Tudo on the active protocol with most tax-debit items: each item
// cancelled and its debit freed in a transaction of its own), "documentos"
// (Gerar Documento from 11/2026 to 01/2027 for every company: November's
// automatic documents replaced, December's and January's written),
// "pendentes" (Documentos Pendentes of 12/2026 for every company, every row
// ticked as received), "configuracao" (Configurar Forma Entrega of every
// establishment listed: all of them set to group 1, delivered by hand at
// their own address), "grupo" (the group of fewest types given every type
// but its first), "arquivo" (Arquivar Documentos of box 2, every document of
// its establishment not yet archived marked) or "rota" (route 1's stops in
// reverse order).
//
// Output lines: "lote <rows the batch writes or changes>" before the save;
// "comandos <statements of the save>" when counting (its commit is the next).
#include "arquivardocs.h"
#include "baixarprotocolo.h"
#include "banco.h"
#include "hostdoprocesso.h"
#include "classeslyr.h"
#include "configuracaoentrega.h"
#include "configuradortipogrupo.h"
#include "configurarrota.h"
#include "dialogos.h"
#include "documentospendentes.h"
#include "erros.h"
#include "gerardocumento.h"
#include "gerarprotocolo.h"
#include "host.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QCoreApplication>
#include <QSet>
#include <QTextStream>

#include <csignal>
#include <unistd.h>

namespace {

// "Sim" to every question; forms answered at once: the write-off's
// recipient and the delivery settings' group filled in, the rest (the form
// of delivery, the user answering for documents received) as proposed.
class TnRespostas : public TnDialogosSemUsuario {
public:
    int MessageDlg(const QString&, int, const QStringList&) override { return 0; }
    bool PedirQuestionario(TnQuestionario& questionario) override
    {
        if (questionario.Campo(QStringLiteral("pessoa")))
            questionario.SetValor(QStringLiteral("pessoa"), QStringLiteral("Responsável da filial"));
        if (questionario.Campo(QStringLiteral("grupo")))
            questionario.SetValor(QStringLiteral("grupo"), 1);
        return true;
    }
};

int Linhas(TnClientDataSet& dataSet, const char* campo)
{
    int marcadas = 0;
    dataSet.SetFiltered(false);
    for (dataSet.First(); !dataSet.Eof(); dataSet.Next())
        marcadas += dataSet.FieldByName(QLatin1String(campo)).AsInteger() == 1 ? 1 : 0;
    return marcadas;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication aplicacao(argc, argv);
    QTextStream saida(stdout);
    if (argc != 4) {
        QTextStream(stderr) << "uso: lyr_interrompido_teste BANCO SALVAMENTO contar|gravar|N" << Qt::endl;
        return 2;
    }
    const QString salvamento = QString::fromLocal8Bit(argv[2]);
    const QString modo = QString::fromLocal8Bit(argv[3]);
    try {
        TnHostDoProcesso aberto(QString::fromLocal8Bit(argv[1]));
        TnHost& host = aberto.Host();
        host.SetDialogos(std::make_unique<TnRespostas>());
        std::function<void()> gravar;
        TLyrDPGerarProtocolo geracao;
        TLyrDPBaixarProtocolo baixa;
        TLyrDPGerarDocumento documentos;
        TLyrDPDocumentosPendentes pendentes;
        TLyrDPConfiguracaoEntrega configuracao;
        TLyrDPConfiguradorTipoGrupo grupo;
        TLyrDPArquivarDocs arquivo;
        TLyrDPConfigurarRotaEntrega rota;
        std::unique_ptr<TLyrDMProtocolo> protocolos;
        if (salvamento == u"geracao") {
            geracao.DataModuleCreate();
            geracao.SetParam(QStringLiteral("pDataInicial"), QStringLiteral("01/11/2026"));
            geracao.SetParam(QStringLiteral("pDataFinal"), QStringLiteral("30/11/2026"));
            geracao.SetParam(QStringLiteral("pTipo"), QStringLiteral("1;2;3;4;5;9;10;11;12"));
            geracao.SetParam(QStringLiteral("pListarDebitos"), QStringLiteral("0"));
            geracao.Processar();
            geracao.SelecionarTodos();
            // Every marked item is a row written and, but payroll, a source row marked.
            saida << "lote " << Linhas(geracao.nClientDataSetDet, "GERAR") << Qt::endl;
            gravar = [&] { geracao.actGravarExecute(); };
        } else if (salvamento == u"baixa") {
            baixa.DataModuleCreate();
            baixa.Processar();
            baixa.actMarcarTodasExecute();
            // A marked protocol without an active item (a cancelled one) is left open.
            const qint64 semItens = PegarValorCampo(QStringLiteral("PROTOCOLO P"), QStringLiteral("count(*)"),
                                                    QStringLiteral("P.DATAHORABAIXA is null and P.NATUREZAPRO = '1' and not exists "
                                                                   "(select 1 from PROTOCOLOITEM I where I.CODIGOPROTOCOLO = "
                                                                   "P.CODIGOPROTOCOLO and %1)")
                                                        .arg(CondicaoItemAtivo(QStringLiteral("I."))))
                                        .toLongLong();
            saida << "lote " << Linhas(baixa.nClientDataSet, "BAIXAR") - semItens << Qt::endl;
            gravar = [&] { baixa.actGravarExecute(); };
        } else if (salvamento == u"cancelamento") {
            auto maiores = ExecutarSQL(QStringLiteral(
                "select I.CODIGOPROTOCOLO from PROTOCOLOITEM I join PROTOCOLO P on P.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO where "
                "I.CANCELADO = '0' and I.CHAVEORIGEM not like 'F%' and P.CANCELADO = '0' and P.DATAHORABAIXA is null "
                "group by I.CODIGOPROTOCOLO order by count(*) desc, I.CODIGOPROTOCOLO"));
            const QVariant codigo = maiores->IsEmpty() ? QVariant() : maiores->Fields(0).Value();
            DestruirSQL(maiores);
            protocolos = CriarDM<TLyrDMProtocolo>(QStringLiteral("TLyrDMProtocolo"));
            protocolos->Abrir();
            protocolos->CriarDetalhe();
            if (codigo.isNull() || !protocolos->nClientDataSet.Locate(QStringLiteral("CODIGOPROTOCOLO"), codigo))
                throw EnErro(QStringLiteral("Nenhum protocolo para cancelar."));
            saida << "lote " << protocolos->Detalhes().front()->nClientDataSet.RecordCount() << Qt::endl;
            saida << "protocolo " << codigo.toLongLong() << Qt::endl;
            gravar = [&] { protocolos->CancelarTudo(); };
        } else if (salvamento == u"documentos") {
            documentos.DataModuleCreate();
            documentos.SetPerguntarAntes(false);
            documentos.SetParam(QStringLiteral("pCompetInicial"), QStringLiteral("11/2026"));
            documentos.SetParam(QStringLiteral("pCompetFinal"), QStringLiteral("01/2027"));
            documentos.SetParam(QStringLiteral("pCodigoEmpresa"), QStringLiteral("1-9999"));
            documentos.ValidarDado();
            // What the run deletes and what it writes: counted by a run undone.
            host.Conexao().StartTransaction();
            documentos.Executar();
            const auto contar = [] { return PegarValorCampo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("count(*)")).toLongLong(); };
            const qint64 depois = contar();
            host.Conexao().RollBack();
            const qint64 gerados = documentos.DocumentosGerados();
            saida << "lote " << gerados + (contar() - (depois - gerados)) << Qt::endl;
            gravar = [&] { documentos.Processar(); };
        } else if (salvamento == u"pendentes") {
            pendentes.DataModuleCreate();
            pendentes.SetParam(QStringLiteral("pCompet"), QStringLiteral("12/2026"));
            pendentes.Processar();
            pendentes.MarcarTodos();
            saida << "lote " << Linhas(pendentes.nClientDataSet, "RECEBIDO") << Qt::endl;
            gravar = [&] { pendentes.actGravarExecute(); };
        } else if (salvamento == u"configuracao") {
            configuracao.DataModuleCreate();
            configuracao.Processar();
            configuracao.nClientDataSet.First();
            configuracao.ConfigurarTodas();
            saida << "lote " << configuracao.nClientDataSet.RecordCount() << Qt::endl;
            gravar = [&] { configuracao.actGravarExecute(); };
        } else if (salvamento == u"grupo") {
            auto menor = ExecutarSQL(QStringLiteral(
                "select CODIGOGRUPODOC from PROTOCOLOGRUPOTIPODOC group by CODIGOGRUPODOC order by count(*), CODIGOGRUPODOC"));
            grupo.DataModuleCreate();
            grupo.SetParam(QStringLiteral("pCodigoGrupoDoc"), menor->Fields(0).AsString());
            DestruirSQL(menor);
            grupo.Processar();
            TnClientDataSet& membros = grupo.nClientDataSet;
            QSet<int> atuais;
            for (membros.First(); !membros.Eof(); membros.Next())
                atuais.insert(membros.FieldByName(QStringLiteral("CODIGOTIPODOC")).AsInteger());
            membros.First();
            membros.Delete();
            auto tipos = ExecutarSQL(QStringLiteral("select CODIGOTIPODOC from PROTOCOLOTIPODOC order by CODIGOTIPODOC"));
            for (; !tipos->Eof(); tipos->Next()) {
                if (atuais.contains(tipos->Fields(0).AsInteger()))
                    continue;
                membros.Append();
                membros.FieldByName(QStringLiteral("CODIGOTIPODOC")).SetValue(tipos->Fields(0).AsInteger());
                membros.Post();
            }
            DestruirSQL(tipos);
            saida << "lote " << membros.RecordCount() << Qt::endl;
            gravar = [&] { grupo.actGravarExecute(); };
        } else if (salvamento == u"arquivo") {
            arquivo.DataModuleCreate();
            arquivo.SetParam(QStringLiteral("pCodigoCaixaPro"), QStringLiteral("2"));
            arquivo.SetParam(QStringLiteral("pSomenteArq"), QStringLiteral("0"));
            arquivo.Processar();
            arquivo.actMarcarTodasExecute();
            int marcados = 0;
            for (int linha = 0; linha < arquivo.nClientDataSet.RecordCount(); ++linha)
                marcados += arquivo.nClientDataSet.ValorNaLinha(linha, arquivo.nClientDataSet.FieldByName(QStringLiteral("Status")).Index()).toInt()
                            == TLyrDPArquivarDocs::AArquivar;
            saida << "lote " << marcados << Qt::endl;
            gravar = [&] { arquivo.GravarMarcados(); };
        } else if (salvamento == u"rota") {
            rota.DataModuleCreate();
            rota.SetParam(QStringLiteral("pCodigoRota"), QStringLiteral("1"));
            rota.Processar();
            TnClientDataSet& paradas = rota.nClientDataSet;
            // The last stop moved up to the first place, the next last to the second...
            for (int lugar = 1; lugar < paradas.RecordCount(); ++lugar) {
                paradas.SetRecNo(paradas.RecordCount());
                for (int passo = paradas.RecordCount(); passo > lugar; --passo)
                    rota.actMoverParaCima();
            }
            saida << "lote " << paradas.RecordCount() << Qt::endl;
            gravar = [&] { rota.actGravarExecute(); };
        } else {
            QTextStream(stderr) << "salvamento desconhecido: " << salvamento << Qt::endl;
            return 2;
        }

        int comandos = 0;
        bool numero = false;
        const int matarEm = modo.toInt(&numero);
        const bool contar = modo == u"contar";
        if (contar) {
            // The save nested in a transaction of ours: its commit does not
            // commit, and everything is undone after it has run to the end.
            host.Conexao().StartTransaction();
            nDMConexao::SetObservadorComandos([&comandos](const QString&) { ++comandos; });
        } else if (numero) {
            nDMConexao::SetObservadorComandos([&comandos, matarEm](const QString&) {
                if (++comandos == matarEm)
                    ::kill(::getpid(), SIGKILL);
            });
        }
        gravar();
        if (contar) {
            nDMConexao::SetObservadorComandos({});
            host.Conexao().RollBack();
            saida << "comandos " << comandos << Qt::endl;
        }
        return 0;
    } catch (const EnErro& erro) {
        QTextStream(stderr) << erro.Mensagem() << Qt::endl;
        return 1;
    }
}
