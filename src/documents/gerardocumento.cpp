#include "gerardocumento.h"

#include "calendariodoc.h"
#include "conexao.h"
#include "dialogos.h"
#include "erros.h"
#include "host.h"
#include "insercaolote.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QHash>

#include <tuple>

namespace {

struct TnTipoGerado {
    int codigo;
    int periodo;
    QString meses;
    QString descricao;
};

} // namespace

TLyrDPGerarDocumento::TLyrDPGerarDocumento()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Gerar Documento");
    p.AddCompetencia(QStringLiteral("pCompetInicial"), QStringLiteral("Competência Inicial"), 0);
    p.AddCompetencia(QStringLiteral("pCompetFinal"), QStringLiteral("Competência Final"), 1);
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 2, QStringLiteral("CODIGOEMPRESA")).Requerid = true;
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QString(), 3, QStringLiteral("CODIGOESTAB"));
}

void TLyrDPGerarDocumento::DataModuleCreate()
{
    TnDMPowerParam::DataModuleCreate();
    SetMsgTreeExibir(true);
}

void TLyrDPGerarDocumento::ConferirParametros()
{
    TnDMPowerParam::ConferirParametros();
    m_inicio = CalendarioDoc::LerCompetencia(Param(QStringLiteral("pCompetInicial")));
    const QDate final = CalendarioDoc::LerCompetencia(Param(QStringLiteral("pCompetFinal")));
    if (!m_inicio.isValid())
        throw EnParam(QStringLiteral("pCompetInicial"), QStringLiteral("Competência inicial inválida!"));
    if (!final.isValid())
        throw EnParam(QStringLiteral("pCompetFinal"), QStringLiteral("Competência final inválida!"));
    m_fim = final.addMonths(1).addDays(-1);
    if (m_inicio > m_fim)
        throw EnParam(QStringLiteral("pCompetInicial"), QStringLiteral("Competência inicial não pode ser maior do que a competência final!"));
}

void TLyrDPGerarDocumento::Executar()
{
    TnDMPowerParam::Executar();
    LimparMsgTreeLista();
    m_gerados = 0;
    if (m_perguntarAntes
        && nMessageDlg(QStringLiteral("Atenção! Todos os documentos já gerados automáticamente neste período serão deletados! Deseja "
                                      "realmente gerar os documentos?"),
                       TnTipoDlg::Confirmacao, {QStringLiteral("Sim"), QStringLiteral("Não")})
               != 0)
        return;
    const QString empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    const QString estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    std::unique_ptr<TnSQLDataSet> ativas = CriarListaEstabAtiva(empresas, estabs, m_inicio);
    // The group configured for each establishment of the selection.
    QHash<QPair<int, int>, int> grupos;
    {
        QString condicao = FilterInterval(QStringLiteral("CODIGOEMPRESA"), empresas, false);
        if (!estabs.isEmpty())
            condicao += FilterInterval(QStringLiteral("CODIGOESTAB"), estabs);
        std::unique_ptr<TnSQLDataSet> configuracoes = ExecutarSQL(
            QStringLiteral("select CODIGOEMPRESA ,CODIGOESTAB ,CODIGOGRUPODOC from CFGESTABPRO")
            + (condicao.isEmpty() ? QString() : QStringLiteral(" where ") + condicao));
        for (int linha = 0; linha < configuracoes->RecordCount(); ++linha)
            grupos.insert({configuracoes->Valor(linha, 0).toInt(), configuracoes->Valor(linha, 1).toInt()},
                          configuracoes->Valor(linha, 2).toInt());
    }
    // The automatic types of each group, read once per group.
    TnSQLDataSet tiposDoGrupo(Conexao());
    tiposDoGrupo.SetCommandText(QStringLiteral(
        "select PT.CODIGOTIPODOC ,PT.PERIODODOC ,PT.MESOCORRENCIA ,PT.DESCRTIPODOC from PROTOCOLOTIPODOC PT join PROTOCOLOGRUPOTIPODOC PG "
        "on PG.CODIGOTIPODOC = PT.CODIGOTIPODOC where PG.CODIGOGRUPODOC = :pCodigoGrupoDoc and PT.GERARAUTO = '1' "
        "order by PT.CODIGOTIPODOC"));
    QHash<int, QList<TnTipoGerado>> tiposPorGrupo;
    const auto tipos = [&](int grupo) -> const QList<TnTipoGerado>& {
        auto achado = tiposPorGrupo.find(grupo);
        if (achado != tiposPorGrupo.end())
            return *achado;
        QList<TnTipoGerado> lidos;
        tiposDoGrupo.SetParamValues({grupo});
        tiposDoGrupo.Open();
        for (int linha = 0; linha < tiposDoGrupo.RecordCount(); ++linha)
            lidos.append({tiposDoGrupo.Valor(linha, 0).toInt(), tiposDoGrupo.Valor(linha, 1).toInt(),
                          tiposDoGrupo.Valor(linha, 2).toString().trimmed(), tiposDoGrupo.Valor(linha, 3).toString()});
        tiposDoGrupo.Close();
        return *tiposPorGrupo.insert(grupo, lidos);
    };
    const int meses = (m_fim.year() - m_inicio.year()) * 12 + m_fim.month() - m_inicio.month() + 1;

    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Gerando documentos..."));
    progresso->ConfigurarProgressoTotal(*ativas);
    progresso->SetPodeCancelar(true);
    nDMConexao& conexao = Conexao();
    TnInsercaoEmLote inserir(conexao, QStringLiteral("PROTOCOLODOCEMP"),
                             {QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGOTIPODOC"), QStringLiteral("CODIGOEMPRESA"),
                              QStringLiteral("CODIGOESTAB"), QStringLiteral("DATALCTOPRO"), QStringLiteral("ORIGEMDADO"),
                              QStringLiteral("DESCRDOCEMP")});
    TnMsgNo noEmpresa;
    TnMsgNo noFilial;
    int empresaAnterior = 0;
    conexao.StartTransaction(1);
    try {
        // Two runs at once: the second waits here for the first to end, so
        // it deletes what the first wrote and numbers after it.
        conexao.TravarNumeracao(QStringLiteral("PROTOCOLODOCEMP"));
        // Numbered once, under the lock (no one else writes documents until
        // the commit), from the highest code before the deletion: the code of
        // a replaced document, on a label already printed, never names
        // another one.
        qint64 codigo = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP")) - 1;
        QString exclusao = QStringLiteral("delete from PROTOCOLODOCEMP where DATALCTOPRO between :pDataInicial and :pDataFinal and ORIGEMDADO = 1 ")
                           + FilterInterval(QStringLiteral("CodigoEmpresa"), empresas);
        if (!estabs.isEmpty())
            exclusao += FilterInterval(QStringLiteral("CodigoEstab"), estabs);
        ExecutarSQLDireto(exclusao, {m_inicio, m_fim});
        for (int linha = 0; linha < ativas->RecordCount(); ++linha) {
            const int empresa = ativas->Valor(linha, 0).toInt();
            const int estab = ativas->Valor(linha, 1).toInt();
            if (empresa != empresaAnterior) {
                noFilial = {};
                noEmpresa = MsgTree(TnTipoMsg::Informacao,
                                    QStringLiteral("Empresa: %1 - %2").arg(empresa).arg(ativas->Valor(linha, 2).toString()));
                empresaAnterior = empresa;
            }
            const QString filial = QStringLiteral("Filial: %1 - %2").arg(estab).arg(ativas->Valor(linha, 3).toString());
            noFilial = MsgTree(TnTipoMsg::Informacao, filial, noEmpresa);
            progresso->ChecarCancelamento();
            progresso->IncProgressoTotal(filial);
            const auto grupo = grupos.constFind({empresa, estab});
            if (grupo == grupos.cend()) {
                MsgTree(TnTipoMsg::Erro, QStringLiteral("Filial não possui configuração no protocolo!"), noFilial);
                continue;
            }
            const QList<TnTipoGerado>& doGrupo = tipos(*grupo);
            if (doGrupo.isEmpty())
                MsgTree(TnTipoMsg::Alerta, QStringLiteral("Grupo %1 não possui tipos de documentos associados a ele!").arg(*grupo), noFilial);
            for (const TnTipoGerado& tipo : doGrupo) {
                for (int m = 0; m < meses; ++m) {
                    const QDate mes = m_inicio.addMonths(m);
                    if (!CalendarioDoc::OcorreNoMes(tipo.meses, mes.month()))
                        continue;
                    for (const QDate& data : CalendarioDoc::DatasDoPeriodo(tipo.periodo, mes)) {
                        inserir.Adicionar({++codigo, tipo.codigo, empresa, estab, data, 1, tipo.descricao});
                        MsgTree(TnTipoMsg::Sucesso, QStringLiteral("Documento Número: %1 gerado.").arg(codigo), noFilial);
                        ++m_gerados;
                    }
                }
            }
        }
        inserir.Descarregar();
        conexao.Commit(1);
    } catch (const EnAbort&) {
        // Stopped by the user: the same undoing, without an error to show.
        conexao.RollBack(1);
        inserir.Descartar();
        m_gerados = 0;
        MsgTree(TnTipoMsg::Erro, QStringLiteral("Operação cancelada! Nenhum documento foi gerado!"), noFilial);
        throw;
    } catch (const EnErro& erro) {
        conexao.RollBack(1);
        inserir.Descartar();
        m_gerados = 0;
        MsgTree(TnTipoMsg::Erro, QStringLiteral("Operação cancelada! Nenhum documento foi gerado!"), noFilial);
        MsgTreeLista().SetarIconErro(noFilial);
        MsgTreeLista().SetarIconErro(noEmpresa);
        throw EnErro(QStringLiteral("Operação cancelada! Não foi possível efetuar a operação!\n") + erro.Mensagem());
    }
    MsgTree(TnTipoMsg::Sucesso, QStringLiteral("Operação concluída com sucesso!"));
}
