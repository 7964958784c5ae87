#include "configurarrota.h"

#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QScopeGuard>
#include <QSet>

namespace {

const QString kSeq = QStringLiteral("Seq");
const QString kEmpresa = QStringLiteral("CodigoEmpresa");
const QString kEstab = QStringLiteral("CodigoEstab");
const QString kObs = QStringLiteral("Obs");

} // namespace

TLyrDPConfigurarRotaEntrega::TLyrDPConfigurarRotaEntrega()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Configuração da Rota de Entrega");
    TnpqParamItem& rota = p.Add(QStringLiteral("pCodigoRota"), QStringLiteral("Rota Entrega"), 0);
    rota.Dicionario = QStringLiteral("CODIGOROTA");
    rota.Requerid = true;
    SetMostrarParams(true);
    SetGradeEditavel(true);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    TnField& seq = nClientDataSet.AddField<TnIntegerField>(kSeq);
    seq.SetDisplayLabel(QStringLiteral("Sequência"));
    seq.Definicao().MaxLength = 9;
    // A new stop starts on its company; its place is handed out.
    seq.Definicao().TabStop = false;
    LigarAoDicionario(nClientDataSet.AddField<TnIntegerField>(kEmpresa), QStringLiteral("CODIGOEMPRESA"));
    LigarAoDicionario(nClientDataSet.AddField<TnIntegerField>(kEstab), QStringLiteral("CODIGOESTAB"), QStringLiteral("CodigoEmpresa;CodigoEstab"));
    TnField& obs = nClientDataSet.AddField<TnMemoField>(kObs);
    obs.SetDisplayLabel(QStringLiteral("Obs"));
    obs.SetDisplayWidth(30);
    // In the grid: the first 28 characters, a line break shown as a blank.
    obs.SetOnGetText([](const TnField& campo, bool paraExibir) {
        const QString texto = campo.Value().toString();
        return paraExibir ? texto.left(28).replace(QStringLiteral("\r\n"), QStringLiteral(" ")) : texto;
    });
    AplicarDicionario(nClientDataSet);
    AddFieldLookup(nClientDataSet);
    nClientDataSet.CreateDataSet();
    nClientDataSet.SetIndexFieldNames(QStringLiteral("SEQ"));

    nClientDataSet.SetAfterInsert([this](TnClientDataSet& ds) {
        if (ds.RecordCount() <= 1)
            m_ultimaSequencia = 0;
        ds.FieldByName(kSeq).SetValue(m_ultimaSequencia + 1);
    });
    nClientDataSet.SetBeforePost([this](TnClientDataSet& ds) { m_ultimaSequencia = ds.FieldByName(kSeq).AsInteger(); });
    nClientDataSet.SetAfterPost([this](TnClientDataSet& ds) {
        SetTemAlteracao(true);
        if (ds.FieldByName(kEmpresa).IsNull())
            throw EnField(kEmpresa, QStringLiteral("O código da empresa não pode ser nulo!"));
        if (ds.FieldByName(kEstab).IsNull())
            throw EnField(kEstab, QStringLiteral("O código da filial não pode ser nulo!"));
    });
    for (const auto evento : {&TnClientDataSet::SetAfterEdit, &TnClientDataSet::SetBeforeDelete})
        (nClientDataSet.*evento)([this](TnClientDataSet&) { SetTemAlteracao(true); });

    TnAparenciaGrade& aparencia = nClientDataSet.Tela().Aparencia;
    aparencia.OrdenarPeloTitulo = false;
    aparencia.MenuDeContexto = {{QStringLiteral("Copiar sequência"), 53, [this] { CopiarDados(); }},
                                {QStringLiteral("Colar sequência"), 223, [this] { ColarDados(); }},
                                {QStringLiteral("Reordenar Sequência"), 63, [this] { ReconstruirSequencia(); }}};
    // Enter on the observation opens it; Ctrl+C and Ctrl+V copy a stop's
    // establishment to another.
    aparencia.AoTeclarNaCelula = [this](int tecla, int modificadores, const QString& campo) {
        if ((modificadores & Qt::ControlModifier) && (tecla == Qt::Key_C || tecla == Qt::Key_V)) {
            tecla == Qt::Key_C ? CopiarDados() : ColarDados();
            return true;
        }
        if ((tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && modificadores == Qt::NoModifier && campo.compare(kObs, Qt::CaseInsensitive) == 0) {
            actObservacoes();
            return true;
        }
        return false;
    };
    // A stop dragged with the mouse onto another takes its place.
    aparencia.AoArrastarLinha = [this](int de, int para) { MoverPara(de + 1, para + 1); };
    aparencia.TeclasProprias = {QKeyCombination(Qt::ControlModifier, Qt::Key_C).toCombined(),
                                QKeyCombination(Qt::ControlModifier, Qt::Key_V).toCombined()};
    aparencia.AoClicarDuasVezesNaCelula = [this](const QString& campo) {
        if (campo.compare(kObs, Qt::CaseInsensitive) != 0)
            return false;
        actObservacoes();
        return true;
    };
}

void TLyrDPConfigurarRotaEntrega::DataModuleCreate()
{
    TnDMPowerParamTab::DataModuleCreate();
    m_empresaCopiada = 0;
    m_estabCopiado = 0;
}

void TLyrDPConfigurarRotaEntrega::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Configurar Rota"));
    SetTemAlteracao(false);
    if (!formulario)
        return;
    struct TnBotao {
        const char* caption;
        int imagem;
        const char* atalho;
        void (TLyrDPConfigurarRotaEntrega::*acao)();
    };
    for (const TnBotao& botao : {TnBotao{"Deletar sequência", 6, "Shift+Del", &TLyrDPConfigurarRotaEntrega::actDeletarSequencia},
                                 TnBotao{"Mover para cima", 153, "Ctrl+Up", &TLyrDPConfigurarRotaEntrega::actMoverParaCima},
                                 TnBotao{"Mover para baixo", 154, "Ctrl+Down", &TLyrDPConfigurarRotaEntrega::actMoverParaBaixo},
                                 TnBotao{"Reordenar Sequência", 63, "Ctrl+R", &TLyrDPConfigurarRotaEntrega::ReconstruirSequencia},
                                 TnBotao{"Adicionar Observações", 115, "Ctrl+M", &TLyrDPConfigurarRotaEntrega::actObservacoes}}) {
        const QString caption = QString::fromUtf8(botao.caption);
        CriarToolButton(caption, caption, botao.imagem, [this, acao = botao.acao](TnAction&) { (this->*acao)(); },
                        QString::fromLatin1(botao.atalho));
    }
}

// A route code that is not a number is route 0 (none).
void TLyrDPConfigurarRotaEntrega::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    m_rota = Param(QStringLiteral("pCodigoRota")).trimmed().toInt();
}

void TLyrDPConfigurarRotaEntrega::Executar()
{
    TnDMPowerParamTab::Executar();
    nClientDataSet.EmptyDataSet();
    CarregarRota();
    SetTemAlteracao(false);
    nClientDataSet.SetIndexFieldNames(QStringLiteral("SEQ"));
    nClientDataSet.First();
}

void TLyrDPConfigurarRotaEntrega::CarregarRota()
{
    std::unique_ptr<TnSQLDataSet> paradas = ExecutarSQL(
        QStringLiteral("select SEQROTA ,CODIGOEMPRESA ,CODIGOESTAB ,OBSERVACAO from PROTOCOLOROTAENTREGA where CODIGOROTA = :pCodigoRota order by SEQROTA "),
        {m_rota});
    TnSemControles semControles(nClientDataSet);
    m_ultimaSequencia = 0;
    for (int linha = 0; linha < paradas->RecordCount(); ++linha) {
        nClientDataSet.AppendRecord({paradas->Valor(linha, 0).toInt(), paradas->Valor(linha, 1).toInt(), paradas->Valor(linha, 2).toInt(),
                                     paradas->Valor(linha, 3)});
        m_ultimaSequencia = paradas->Valor(linha, 0).toInt();
    }
}

// The current stop and its neighbour exchange places; the moved stop stays
// the current row.
void TLyrDPConfigurarRotaEntrega::Mover(int passo)
{
    const int atual = nClientDataSet.RecNo();
    const int vizinho = atual + passo;
    if (nClientDataSet.RecordCount() <= 1 || vizinho < 1 || vizinho > nClientDataSet.RecordCount())
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    TnSemControles semControles(nClientDataSet);
    const int indiceSeq = nClientDataSet.FieldByName(kSeq).Index();
    const int seqAtual = nClientDataSet.ValorNaLinha(atual - 1, indiceSeq).toInt();
    const int seqVizinho = nClientDataSet.ValorNaLinha(vizinho - 1, indiceSeq).toInt();
    // Equal places (typed by hand) still change order.
    const int novoAtual = seqAtual == seqVizinho ? seqVizinho + passo : seqVizinho;
    nClientDataSet.SetRecNo(vizinho);
    nClientDataSet.Edit();
    nClientDataSet.FieldByName(kSeq).SetValue(seqAtual);
    nClientDataSet.Post();
    nClientDataSet.SetRecNo(atual);
    nClientDataSet.Edit();
    nClientDataSet.FieldByName(kSeq).SetValue(novoAtual);
    nClientDataSet.Post();
    nClientDataSet.SetRecNo(vizinho);
}

void TLyrDPConfigurarRotaEntrega::MoverPara(int de, int para)
{
    if (de < 1 || para < 1 || de > nClientDataSet.RecordCount() || para > nClientDataSet.RecordCount())
        return;
    nClientDataSet.SetRecNo(de);
    for (int lugar = de; lugar != para; lugar += para > de ? 1 : -1)
        Mover(para > de ? 1 : -1);
}

void TLyrDPConfigurarRotaEntrega::ReconstruirSequencia()
{
    if (nClientDataSet.IsEmpty())
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    const int atual = nClientDataSet.RecNo();
    TnSemControles semControles(nClientDataSet);
    const auto voltar = qScopeGuard([&] { nClientDataSet.SetRecNo(atual <= nClientDataSet.RecordCount() ? atual : 1); });
    // Renumbering in order keeps the order: each row takes its own position.
    for (int linha = 1; linha <= nClientDataSet.RecordCount(); ++linha) {
        nClientDataSet.SetRecNo(linha);
        if (nClientDataSet.FieldByName(kSeq).AsInteger() == linha)
            continue;
        nClientDataSet.Edit();
        nClientDataSet.FieldByName(kSeq).SetValue(linha);
        nClientDataSet.Post();
    }
}

void TLyrDPConfigurarRotaEntrega::actDeletarSequencia()
{
    if (nClientDataSet.IsEmpty())
        return;
    nClientDataSet.Delete();
    ReconstruirSequencia();
}

void TLyrDPConfigurarRotaEntrega::CopiarDados()
{
    if (nClientDataSet.IsEmpty())
        return;
    m_empresaCopiada = nClientDataSet.FieldByName(kEmpresa).AsInteger();
    m_estabCopiado = nClientDataSet.FieldByName(kEstab).AsInteger();
}

void TLyrDPConfigurarRotaEntrega::ColarDados()
{
    if (nClientDataSet.IsEmpty() || m_empresaCopiada == 0 || m_estabCopiado == 0)
        return;
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    nClientDataSet.FieldByName(kEmpresa).SetValue(m_empresaCopiada);
    nClientDataSet.FieldByName(kEstab).SetValue(m_estabCopiado);
    nClientDataSet.Post();
}

void TLyrDPConfigurarRotaEntrega::actObservacoes()
{
    if (nClientDataSet.IsEmpty())
        return;
    TnQuestionario pergunta{QStringLiteral("Digite a observação:"), QStringLiteral("Incluir")};
    TnCampoQuestionario observacao{QStringLiteral("observacao"), QString(), nClientDataSet.FieldByName(kObs).Value().toString()};
    observacao.memo = true;
    pergunta.campos = {observacao};
    // Closed without "Incluir", it keeps the text it had.
    nPedirQuestionario(pergunta);
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    const QString texto = pergunta.Valor(QStringLiteral("observacao")).toString();
    nClientDataSet.FieldByName(kObs).SetValue(texto.isEmpty() ? QVariant() : QVariant(texto));
    nClientDataSet.Post();
}

// The route's stops deleted and the grid's written, numbered by their place
// in the grid, in one transaction. A stop whose company or establishment is
// not registered, or an establishment twice, stops it before anything is
// touched.
void TLyrDPConfigurarRotaEntrega::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (nMessageDlg(QStringLiteral("Deseja realmente apagar a configuração da rota antiga e criar esta nova?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    TnSQLDataSet insercao(Conexao());
    insercao.SetCommandText(QStringLiteral("insert into PROTOCOLOROTAENTREGA ( CODIGOROTA ,SEQROTA ,CODIGOEMPRESA ,CODIGOESTAB ,OBSERVACAO) "
                                           "values (:pCODIGOROTA ,:pSEQROTA ,:pCODIGOEMPRESA ,:pCODIGOESTAB ,:pOBSERVACAO) "));
    insercao.Prepare();
    TnSemControles semControles(nClientDataSet);
    // The companies and establishments the stops name, read at once (the
    // names the grid looks up, row by row, would cost a read per stop).
    QSet<int> empresas;
    QSet<QPair<int, int>> cadastradas;
    {
        QStringList codigos;
        for (int linha = 0; linha < nClientDataSet.RecordCount(); ++linha)
            codigos.append(nClientDataSet.ValorNaLinha(linha, nClientDataSet.FieldByName(kEmpresa).Index()).toString());
        codigos.removeAll(QString());
        if (!codigos.isEmpty()) {
            std::unique_ptr<TnSQLDataSet> lidas = ExecutarSQL(
                QStringLiteral("select E.CODIGOEMPRESA, F.CODIGOESTAB from EMPRESA E left join ESTAB F on F.CODIGOEMPRESA = E.CODIGOEMPRESA where ")
                + FilterInterval(QStringLiteral("E.CODIGOEMPRESA"), codigos.join(u';'), false));
            for (int linha = 0; linha < lidas->RecordCount(); ++linha) {
                empresas.insert(lidas->Valor(linha, 0).toInt());
                cadastradas.insert({lidas->Valor(linha, 0).toInt(), lidas->Valor(linha, 1).toInt()});
            }
        }
    }
    QSet<QPair<int, int>> filiais;
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        if (!empresas.contains(nClientDataSet.FieldByName(kEmpresa).AsInteger()))
            throw EnField(kEmpresa, QStringLiteral("O Codigo da Empresa não pode ser nulo!"));
        if (!cadastradas.contains({nClientDataSet.FieldByName(kEmpresa).AsInteger(), nClientDataSet.FieldByName(kEstab).AsInteger()}))
            throw EnField(kEstab, QStringLiteral("O Codigo do Estab não pode ser nulo!"));
        // The table keeps one stop per establishment in a route.
        const QPair<int, int> filial{nClientDataSet.FieldByName(kEmpresa).AsInteger(), nClientDataSet.FieldByName(kEstab).AsInteger()};
        if (filiais.contains(filial))
            throw EnField(kEstab, QStringLiteral("Já existe cadastrada um estabelecimento nesta rota de entrega."));
        filiais.insert(filial);
    }
    GravarEmTransacao([&] {
        ExecutarSQLDireto(QStringLiteral("delete from PROTOCOLOROTAENTREGA  where CODIGOROTA = :pCODIGOROTA "), {m_rota});
        for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
            insercao.SetParamValues({m_rota, nClientDataSet.RecNo(), nClientDataSet.FieldByName(kEmpresa).AsInteger(),
                                     nClientDataSet.FieldByName(kEstab).AsInteger(), nClientDataSet.FieldByName(kObs).Value()});
            insercao.ExecSQL();
        }
    });
    nMessageDlg(QStringLiteral("Configuração de rota gravada com sucesso!"), TnTipoDlg::Informacao, {QStringLiteral("OK")});
    SetTemAlteracao(false);
    nClientDataSet.First();
}

// What was changed is dropped: the route's stops are read again.
void TLyrDPConfigurarRotaEntrega::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Cancel();
    Processar();
}
