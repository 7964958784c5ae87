#include "baixarprotocolo.h"

#include "protocolo.h"

#include "conexao.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDateTime>
#include <QScopeGuard>

namespace {

// The write-off of one establishment's marked protocols, as its data were answered.
struct TnBaixaDoEstab {
    int empresa = 0;
    int estab = 0;
    bool confirmada = false;
    QString pessoa;
    int usuario = 0;
    QDateTime entrega;
    QList<QPair<TnBookmark, qint64>> protocolos;
    int baixados = 0;
    QList<qint64> semItensAtivos;
    QList<qint64> jaBaixados;
};

bool EhEnter(int tecla)
{
    return tecla == Qt::Key_Return || tecla == Qt::Key_Enter;
}

} // namespace

TLyrDPBaixarProtocolo::TLyrDPBaixarProtocolo()
{
    npqPowerParam.Caption = QStringLiteral("Baixar Protocolo");
    TnpqPowerParam& p = npqPowerParam;
    p.AddCombo(QStringLiteral("pTipo"), QStringLiteral("Tipo"), 0, QStringLiteral("Saída=1;Entrada=2;"), QStringLiteral("1"),
               QStringLiteral("Informe o tipo do protocolo a ser baixado"))
        .Requerid = true;
    TnpqParamItem& inicial = p.Add(QStringLiteral("pDataInicial"), QStringLiteral("Data Inicial"), 1);
    inicial.EhData = true;
    inicial.Hint = QStringLiteral("Informe a data inicial para o filtro");
    TnpqParamItem& final = p.Add(QStringLiteral("pDataFinal"), QStringLiteral("Data Final"), 2);
    final.EhData = true;
    final.Hint = QStringLiteral("Informe a data final para o filtro");
    p.AddCodigos(QStringLiteral("pCodigoProtocolo"), QStringLiteral("Protocolo"), 3, QStringLiteral("CODIGOPROTOCOLO")).Hint =
        QStringLiteral("Informe o código do protocolo");
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 4, QStringLiteral("CODIGOEMPRESA")).Hint =
        QStringLiteral("Informe o código da empresa");
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Filial"), 5, QStringLiteral("CODIGOESTAB")).Hint =
        QStringLiteral("Informe o código da filial");

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    // Marks are a working set: a cancel loads the protocols again.
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({
        {QStringLiteral("CODIGOPROTOCOLO"), TnFieldType::Float},  {QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
        {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},   {QStringLiteral("DATALCTOPRO"), TnFieldType::DateTime},
        {QStringLiteral("TIPOPRO"), TnFieldType::String, 10},     {QStringLiteral("OBSERVACAO"), TnFieldType::String, 50},
        {QStringLiteral("BAIXAR"), TnFieldType::SmallInt},        {QStringLiteral("ALTERUSER"), TnFieldType::SmallInt},
    });
    // Open (and empty) from the start, so the form's grid knows its columns.
    nClientDataSet.CreateDataSet();
    DeclararGrade();
}

void TLyrDPBaixarProtocolo::DeclararGrade()
{
    const auto rotulo = [this](const char* campo, const QString& texto) -> TnField& {
        TnField& field = nClientDataSet.FieldByName(QLatin1String(campo));
        field.SetDisplayLabel(texto);
        return field;
    };
    rotulo("CODIGOPROTOCOLO", QStringLiteral("Protocolo")).SetDisplayFormat(QStringLiteral("0"));
    rotulo("CODIGOEMPRESA", QStringLiteral("Empresa"));
    rotulo("CODIGOESTAB", QStringLiteral("Filial"));
    rotulo("DATALCTOPRO", QStringLiteral("Data Protocolo")).SetDisplayFormat(QStringLiteral("dd/mm/yyyy"));
    rotulo("TIPOPRO", QStringLiteral("Tipo"));
    rotulo("OBSERVACAO", QStringLiteral("Observação")).SetDisplayWidth(40);
    rotulo("BAIXAR", QStringLiteral("Baixar")).Definicao().NomesValores = {QStringLiteral("Não=0"), QStringLiteral("Sim=1")};
    nClientDataSet.FieldByName(QStringLiteral("ALTERUSER")).SetVisible(false);

    // Rows are appended by the load only, with the controls off.
    nClientDataSet.SetBeforeInsert([](TnClientDataSet& dataSet) {
        if (!dataSet.ControlsDisabled())
            throw EnErro(QStringLiteral("Não é permitido inserir registros."));
    });
    // Green: the rows the save will write off.
    nClientDataSet.Tela().Aparencia.CorDoTexto = [this](int linha) {
        const int coluna = nClientDataSet.FieldByName(QStringLiteral("ALTERUSER")).Index();
        return nClientDataSet.ValorNaLinha(linha, coluna).toInt() == 1 ? QStringLiteral("#008000") : QString();
    };
    nClientDataSet.Tela().Aparencia.TeclasProprias = {Qt::Key_Return, Qt::Key_Enter};
    nClientDataSet.Tela().Aparencia.AoTeclar = [this](int tecla, int modificadores) {
        if (!EhEnter(tecla) || modificadores != Qt::NoModifier)
            return false;
        InverterMarca();
        return true;
    };
    nClientDataSet.Tela().Aparencia.AoClicarDuasVezes = [this] { InverterMarca(); };
    // A click on a title orders by that column, and again the other way.
    nClientDataSet.Tela().Aparencia.OrdenarPeloTitulo = true;
}

void TLyrDPBaixarProtocolo::DataModuleCreate()
{
    TnDMPowerParamTab::DataModuleCreate();
    SetActionGravar(true);
    SetActionCancelar(true);
    SetMsgTreeExibir(true);
    m_marcarTodas = 0;
    SetLeitor({QStringLiteral("&Ler protocolo:"),
               QStringLiteral("Digite ou leia com o leitor de código de barras o código do protocolo assinado e tecle Enter"),
               [this](const QString& texto) { MarcarPeloCodigo(texto); }});
}

void TLyrDPBaixarProtocolo::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Protocolos a Baixar"));
    if (formulario) {
        CriarToolButton(QStringLiteral("MarcarTodas"), QStringLiteral("Marcar todas para Sim ou para Não"), 196,
                        [this](TnAction&) { actMarcarTodasExecute(); }, QStringLiteral("Ctrl+Ins"));
    }
    SetTemAlteracao(false);
}

void TLyrDPBaixarProtocolo::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    bool ok = false;
    const QString inicial = Param(QStringLiteral("pDataInicial")).trimmed();
    const QString final = Param(QStringLiteral("pDataFinal")).trimmed();
    if (inicial.isEmpty()) {
        if (!final.isEmpty())
            throw EnParam(QStringLiteral("pDataInicial"), QStringLiteral("Para informar o período final, é necessário informar a data inicial!"));
        m_filtrarPeriodo = false;
        return;
    }
    m_de = Valores::LerDataHora(inicial, &ok).date();
    if (!ok)
        throw EnParam(QStringLiteral("pDataInicial"), QStringLiteral("Data inicial inválida."));
    m_filtrarPeriodo = true;
    m_ate = Valores::LerDataHora(final, &ok).date();
    if (final.isEmpty() || !ok)
        m_ate = QDate::currentDate();
}

void TLyrDPBaixarProtocolo::Executar()
{
    TnDMPowerParamTab::Executar();
    nClientDataSet.EmptyDataSet();
    SetTemAlteracao(false);
    // Every row starts unmarked: the next "MarcarTodas" marks them all.
    m_marcarTodas = 0;
    QString comando = QStringLiteral("select CODIGOPROTOCOLO ,CODIGOEMPRESA ,CODIGOESTAB ,DATALCTOPRO ,TIPOPRO ,OBSERVACAO from PROTOCOLO  "
                                     "where DATAHORABAIXA is null ");
    // The nature is a one-character text column: compared as text on both databases.
    comando += QStringLiteral(" and NATUREZAPRO = ") + ValorParaSQL(Param(QStringLiteral("pTipo")).trimmed(), TnTipoValor::Texto);
    if (m_filtrarPeriodo)
        comando += QStringLiteral(" and DATALCTOPRO between ") + ValorParaSQL(m_de, TnTipoValor::Data) + QStringLiteral(" and ")
                   + ValorParaSQL(m_ate, TnTipoValor::Data);
    for (const auto& [alias, coluna] : {std::pair{"pCodigoProtocolo", "CODIGOPROTOCOLO"}, std::pair{"pCodigoEmpresa", "CODIGOEMPRESA"},
                                        std::pair{"pCodigoEstab", "CODIGOESTAB"}}) {
        const QString codigos = Param(QLatin1String(alias)).trimmed();
        if (!codigos.isEmpty())
            comando += FilterInterval(QLatin1String(coluna), codigos);
    }
    auto consulta = ExecutarSQL(comando);
    const auto liberar = qScopeGuard([&] { DestruirSQL(consulta); });
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples();
    progresso->ConfigurarProgressoTotal(*consulta, QStringLiteral("Carregando Protocolos..."));
    {
        TnSemControles semControles(nClientDataSet);
        for (; !consulta->Eof(); consulta->Next()) {
            progresso->IncProgressoTotal();
            nClientDataSet.AppendRecord({consulta->Fields(0).Value(), consulta->Fields(1).Value(), consulta->Fields(2).Value(),
                                         consulta->Fields(3).Value(),
                                         consulta->Fields(4).AsString() == QStringLiteral("1") ? QStringLiteral("GUIA") : QStringLiteral("DOC"),
                                         consulta->Fields(5).Value(), 0, 0});
        }
        nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
        nClientDataSet.First();
    }
}

void TLyrDPBaixarProtocolo::InverterMarca()
{
    if (!nClientDataSet.Active() || nClientDataSet.IsEmpty())
        return;
    TnField& baixar = nClientDataSet.FieldByName(QStringLiteral("BAIXAR"));
    TnField& alterUser = nClientDataSet.FieldByName(QStringLiteral("ALTERUSER"));
    nClientDataSet.Edit();
    baixar.SetValue(baixar.AsInteger() == 1 ? 0 : 1);
    alterUser.SetValue(alterUser.AsInteger() == 1 ? 0 : 1);
    nClientDataSet.Post();
    SetTemAlteracao(true);
}

void TLyrDPBaixarProtocolo::actMarcarTodasExecute()
{
    if (!nClientDataSet.Active())
        return;
    SetTemAlteracao(true);
    m_marcarTodas = m_marcarTodas == 1 ? 0 : 1;
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples();
    progresso->ConfigurarProgressoTotal(nClientDataSet, QStringLiteral("Atualizando Protocolos..."));
    TnSemControles semControles(nClientDataSet);
    const TnBookmark atual = nClientDataSet.GetBookmark();
    TnField& baixar = nClientDataSet.FieldByName(QStringLiteral("BAIXAR"));
    TnField& alterUser = nClientDataSet.FieldByName(QStringLiteral("ALTERUSER"));
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        progresso->IncProgressoTotal();
        nClientDataSet.Edit();
        baixar.SetValue(m_marcarTodas);
        alterUser.SetValue(m_marcarTodas);
        nClientDataSet.Post();
    }
    if (atual != 0)
        nClientDataSet.GotoBookmark(atual);
}

void TLyrDPBaixarProtocolo::MarcarPeloCodigo(const QString& texto)
{
    const QString lido = texto.trimmed();
    bool ok = false;
    const qint64 codigo = lido.toLongLong(&ok);
    if (!ok || codigo <= 0)
        throw EnErro(QStringLiteral("\"%1\" não é um código de protocolo.").arg(lido));
    if (!nClientDataSet.Active() || !nClientDataSet.Locate(QStringLiteral("CODIGOPROTOCOLO"), static_cast<double>(codigo)))
        throw EnErro(QStringLiteral("Protocolo %1 não está entre os protocolos a baixar.").arg(codigo));
    if (nClientDataSet.FieldByName(QStringLiteral("ALTERUSER")).AsInteger() == 1)
        return;
    nClientDataSet.Edit();
    nClientDataSet.FieldByName(QStringLiteral("BAIXAR")).SetValue(1);
    nClientDataSet.FieldByName(QStringLiteral("ALTERUSER")).SetValue(1);
    nClientDataSet.Post();
    SetTemAlteracao(true);
}

// The marked protocols, in company and establishment order: the write-off
// data is asked once per establishment (a cancelled answer leaves its
// protocols open and marked), then every answered protocol is written off in
// one transaction, with the update prepared once. The update only takes a
// protocol still open: one written off by another user since the load stays
// in the grid, untouched. A failure writes nothing off and keeps every mark.
void TLyrDPBaixarProtocolo::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (!nClientDataSet.Active())
        return;
    LimparMsgTreeLista();
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    nClientDataSet.DisableControls();
    const auto restaurar = qScopeGuard([&] {
        progresso.reset();
        nClientDataSet.SetFiltered(false);
        nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
        nClientDataSet.First();
        nClientDataSet.EnableControls();
    });
    nClientDataSet.SetFilter(QStringLiteral("ALTERUSER = 1"));
    nClientDataSet.SetFiltered(true);
    nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOEMPRESA;CODIGOESTAB;"));
    SetTemAlteracao(false);
    progresso->MostrarSimples();
    progresso->ConfigurarProgressoTotal(nClientDataSet, QStringLiteral("Baixando Protocolos..."));

    bool numero = false;
    int natureza = Param(QStringLiteral("pTipo")).toInt(&numero);
    if (!numero)
        natureza = 1;
    QList<TnBaixaDoEstab> estabs;
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        const int empresa = nClientDataSet.FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
        const int estab = nClientDataSet.FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
        if (estabs.isEmpty() || estabs.last().empresa != empresa || estabs.last().estab != estab) {
            TnBaixaDoEstab baixa;
            baixa.empresa = empresa;
            baixa.estab = estab;
            try {
                baixa.confirmada = PegarDadosBaixa(natureza, empresa, estab, baixa.pessoa, baixa.usuario, baixa.entrega, true);
            } catch (const EnAbort&) {
                SetTemAlteracao(true);  // nothing was written off: the marks are still to be saved
                MsgTree(TnTipoMsg::Alerta, QStringLiteral("Baixa interrompida na Empresa %1, Filial %2: nenhum protocolo foi baixado; "
                                                          "os protocolos continuam marcados.")
                                               .arg(empresa)
                                               .arg(estab));
                throw;
            } catch (...) {
                SetTemAlteracao(true);
                throw;
            }
            estabs.append(baixa);
        }
        estabs.last().protocolos.append({nClientDataSet.GetBookmark(), nClientDataSet.FieldByName(QStringLiteral("CODIGOPROTOCOLO")).AsLargeInt()});
    }

    // Beyond "still open", the update takes only a protocol with an active
    // item: the register refuses to write off one without, and a batch must
    // not do what a single write-off refuses. A protocol the update skips is
    // then read once to tell the user why.
    TnSQLDataSet sqlBaixa(Conexao());
    sqlBaixa.SetCommandText(QStringLiteral("update PROTOCOLO set DATAHORAENTREGA = :pDATAHORAENTREGA ,CODIGOUSUARIOINT = :pCODIGOUSUARIOINT "
                                           ",USUARIOEXT = :pUSUARIOEXT ,DATAHORABAIXA = :pDATAHORABAIXA where CODIGOPROTOCOLO = :pCodigoProtocolo "
                                           " and DATAHORABAIXA is null and exists (select 1 from PROTOCOLOITEM I where "
                                           "I.CODIGOPROTOCOLO = PROTOCOLO.CODIGOPROTOCOLO and %1)")
                                .arg(CondicaoItemAtivo(QStringLiteral("I."))));
    TnSQLDataSet sqlAberto(Conexao());
    sqlAberto.SetCommandText(QStringLiteral("select count(*) from PROTOCOLO where CODIGOPROTOCOLO = :pCodigoProtocolo and DATAHORABAIXA is null"));
    QList<TnBookmark> baixadas;
    nDMConexao& conexao = Conexao();
    conexao.StartTransaction(1);
    try {
        for (TnBaixaDoEstab& baixa : estabs) {
            for (const auto& [marca, codigo] : std::as_const(baixa.protocolos)) {
                progresso->IncProgressoTotal();
                if (!baixa.confirmada)
                    continue;
                sqlBaixa.SetParamValues({baixa.entrega, baixa.usuario, baixa.pessoa, QDateTime::currentDateTime(), codigo});
                if (sqlBaixa.ExecSQL() > 0) {
                    baixadas.append(marca);
                    ++baixa.baixados;
                    continue;
                }
                sqlAberto.SetParamValues({codigo});
                sqlAberto.Open();
                (sqlAberto.Fields(0).AsInteger() > 0 ? baixa.semItensAtivos : baixa.jaBaixados).append(codigo);
                sqlAberto.Close();
            }
        }
        conexao.Commit(1);
    } catch (const EnErro& erro) {
        conexao.RollBack(1);
        SetTemAlteracao(true);
        throw EnErro(QStringLiteral("Nenhum protocolo foi baixado: %1\nOs protocolos continuam marcados; grave de novo.").arg(erro.Mensagem()));
    }
    // What was written off is no longer open: it leaves the grid.
    nClientDataSet.ExcluirLinhas(baixadas);
    for (const TnBaixaDoEstab& baixa : std::as_const(estabs)) {
        const QString estab = QStringLiteral("Empresa %1, Filial %2").arg(baixa.empresa).arg(baixa.estab);
        const int quantos = static_cast<int>(baixa.protocolos.size());
        if (!baixa.confirmada) {
            MsgTree(TnTipoMsg::Alerta,
                    QStringLiteral("%1: dados da baixa não informados; %2 protocolo(s) continuam marcados.").arg(estab).arg(quantos));
            continue;
        }
        const bool tudo = baixa.semItensAtivos.isEmpty() && baixa.jaBaixados.isEmpty();
        const TnMsgNo no = MsgTree(tudo ? TnTipoMsg::Sucesso : TnTipoMsg::Alerta,
                                   QStringLiteral("%1: %2 protocolo(s) baixado(s).").arg(estab).arg(baixa.baixados));
        for (qint64 codigo : std::as_const(baixa.semItensAtivos))
            MsgTree(TnTipoMsg::Alerta, QStringLiteral("Protocolo %1 sem itens ativos não pode ser baixado.").arg(codigo), no);
        for (qint64 codigo : std::as_const(baixa.jaBaixados))
            MsgTree(TnTipoMsg::Alerta, QStringLiteral("Protocolo %1 já havia sido baixado por outro usuário.").arg(codigo), no);
    }
    AtualizarDM(QStringLiteral("TLyrDMProtocolo"));
}

void TLyrDPBaixarProtocolo::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.Active() && TemAlteracao())
        Executar();
}
