#include "arquivardocs.h"

#include "arquivo.h"
#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "insercaolote.h"
#include "progresso.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QHash>
#include <QScopeGuard>
#include <QSet>

namespace {

const QString kEnvelope = QStringLiteral("CodigoEnvelope");
const QString kDocumento = QStringLiteral("CODIGODOCEMP");
const QString kData = QStringLiteral("DataLctoDoc");
const QString kTipo = QStringLiteral("CodigoTipoDoc");
const QString kStatus = QStringLiteral("Status");

} // namespace

TLyrDPArquivarDocs::TLyrDPArquivarDocs()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Arquivar Documentos");
    TnpqParamItem& caixa = p.Add(QStringLiteral("pCodigoCaixaPro"), QString(), 0);
    caixa.Dicionario = QStringLiteral("CODIGOCAIXAPRO");
    caixa.Requerid = true;
    p.AddCombo(QStringLiteral("pSomenteArq"), QStringLiteral("Somente Arquivados"), 1, QStringLiteral("Sim=1;Não=0;"), QStringLiteral("0"))
        .Requerid = true;
    p.Add(QStringLiteral("pCodigoEnvelope"), QString(), 2).Dicionario = QStringLiteral("CODIGOENVELOPE");
    p.AddData(QStringLiteral("pDataInicial"), QStringLiteral("Data Inicial"), 3);
    p.AddData(QStringLiteral("pDataFinal"), QStringLiteral("Data Final"), 4);
    p.AddCodigos(QStringLiteral("pCodigoDocEmp"), QString(), 5, QStringLiteral("CODIGODOCEMP"));
    p.AddCodigos(QStringLiteral("pCodigoTipoDoc"), QString(), 6, QStringLiteral("CODIGOTIPODOC"));
    SetMostrarParams(true);
    SetGradeEditavel(true);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    LigarAoDicionario(nClientDataSet.AddField<TnIntegerField>(kEnvelope), QStringLiteral("CODIGOENVELOPE"));
    LigarAoDicionario(nClientDataSet.AddField<TnLargeIntField>(kDocumento), kDocumento);
    nClientDataSet.AddField<TnDateTimeField>(kData).SetDisplayLabel(QStringLiteral("Data Lcto"));
    LigarAoDicionario(nClientDataSet.AddField<TnSmallIntField>(kTipo), QStringLiteral("CODIGOTIPODOC"));
    TnField& status = nClientDataSet.AddField<TnSmallIntField>(kStatus);
    status.SetDisplayLabel(QStringLiteral("Status"));
    status.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    status.Definicao().NomesValores = {QStringLiteral("Arquivado=1"), QStringLiteral("Não Arquivado=2"), QStringLiteral("A Arquivar=3"),
                                      QStringLiteral("A Remover=4")};
    // Changed by the marks only: a removal set on a document not in the box
    // would take away a movement it never had.
    status.SetReadOnly(true);
    for (const char* campo : {"CodigoEnvelope", "CODIGODOCEMP", "CodigoTipoDoc"})
        nClientDataSet.FieldByName(QLatin1String(campo)).SetReadOnly(true);
    AplicarDicionario(nClientDataSet);
    AddFieldLookup(nClientDataSet);
    nClientDataSet.CreateDataSet();

    nClientDataSet.SetAfterInsert([this](TnClientDataSet&) { SetTemAlteracao(true); });
    nClientDataSet.SetAfterEdit([this](TnClientDataSet& ds) {
        if (!m_edicaoInterna && ds.FieldByName(kStatus).AsInteger() == Arquivado) {
            ds.Cancel();
            throw EnErro(QStringLiteral("Impossivel alterar documento arquivado!"));
        }
        SetTemAlteracao(true);
    });
    nClientDataSet.SetBeforeDelete([](TnClientDataSet& ds) {
        if (ds.FieldByName(kStatus).AsInteger() == Arquivado)
            throw EnErro(QStringLiteral("Impossivel excluir documento arquivado"));
    });
    TnAparenciaGrade& aparencia = nClientDataSet.Tela().Aparencia;
    aparencia.CorDoTexto = [this](int linha) {
        switch (nClientDataSet.ValorNaLinha(linha, nClientDataSet.FieldByName(kStatus).Index()).toInt()) {
        case Arquivado: return QStringLiteral("#0000c0");
        case AArquivar: return QStringLiteral("#008000");
        case ARemover: return QStringLiteral("#c00000");
        default: return QString();
        }
    };
    aparencia.AoClicarDuasVezes = [this] { actMarcarExecute(); };
    // Ctrl+Delete takes out every archived row here; the rows themselves
    // are not deleted with it.
    aparencia.AoTeclar = [this](int tecla, int modificadores) {
        if (tecla != Qt::Key_Delete || modificadores != Qt::ControlModifier)
            return false;
        actMarcarRemoverTodasExecute();
        return true;
    };
    SetLeitor({QStringLiteral("&Ler documento:"),
               QStringLiteral("Digite ou leia com o leitor de código de barras o código da etiqueta do documento e tecle Enter"),
               [this](const QString& texto) { MarcarPeloCodigo(texto); }});
}

void TLyrDPArquivarDocs::DataModuleCreate()
{
    TnDMPowerParamTab::DataModuleCreate();
    m_marcarTodas = NaoArquivado;
    m_removerTodas = Arquivado;
}

void TLyrDPArquivarDocs::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Documentos por Caixa"));
    SetTemAlteracao(false);
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Marcar"), QStringLiteral("Marcar Para Arquivamento"), 39, [this](TnAction&) { actMarcarExecute(); },
                    QStringLiteral("Ctrl+M"));
    CriarToolButton(QStringLiteral("MarcarTodos"), QStringLiteral("Marcar Todos Para Arquivamento"), 196,
                    [this](TnAction&) { actMarcarTodasExecute(); }, QStringLiteral("Ctrl+Ins"));
    CriarToolButton(QStringLiteral("Desarquivar"), QStringLiteral("Marcar para Remover do Arquivo"), 6,
                    [this](TnAction&) { actMarcarRemoverExecute(); }, QStringLiteral("Ctrl+R"));
    CriarToolButton(QStringLiteral("DesmarcarTodos"), QStringLiteral("Marcar Todos Para Remover do Arquivo"), 168,
                    [this](TnAction&) { actMarcarRemoverTodasExecute(); }, QStringLiteral("Ctrl+Delete"));
}

// A box that is not registered may be registered at once.
void TLyrDPArquivarDocs::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    m_caixa = Param(QStringLiteral("pCodigoCaixaPro")).trimmed().toInt();
    bool ok = false;
    const int somente = Param(QStringLiteral("pSomenteArq")).trimmed().toInt(&ok);
    m_somenteArquivados = !ok || somente == 1;
    if (PegarTemRegistro(QStringLiteral("PROTOCOLODOCCAIXA"), QStringLiteral("CODIGOCAIXA"),
                         ValorParaSQL(QStringLiteral("CODIGOCAIXA"), QStringLiteral("="), m_caixa)))
        return;
    if (nMessageDlg(QStringLiteral("A caixa informada não foi encontrada!\r\nDeseja cadastrar?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    std::unique_ptr<TnDMClientDataSet> caixas = CriarDM<TnDMClientDataSet>(TLyrDMProtocoloDocCaixa::NomeDaClasse());
    if (!caixas)
        return;
    caixas->Abrir();
    caixas->nClientDataSet.Append();
    caixas->FieldByName(QStringLiteral("CODIGOCAIXA")).SetValue(m_caixa);
    nMostrarCadastro(*caixas);
}

void TLyrDPArquivarDocs::Executar()
{
    TnDMPowerParamTab::Executar();
    const auto fim = qScopeGuard([this] { SetTemAlteracao(false); });
    nClientDataSet.EmptyDataSet();
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->SetEhCircular(true);
    progresso->MostrarSimples(QStringLiteral("Carregando dados..."));
    CarregarDados();
}

// The box's establishment, and the documents, types and dates asked.
QString TLyrDPArquivarDocs::MontarFiltro()
{
    const QVariant filial = PegarValorCampo(QStringLiteral("PROTOCOLODOCCAIXA"), QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"),
                                            ValorParaSQL(QStringLiteral("CODIGOCAIXA"), QStringLiteral("="), m_caixa));
    const QVariantList codigos = filial.toList();
    m_empresa = codigos.value(0).toInt();
    m_estab = codigos.value(1).toInt();
    QString filtro = QStringLiteral(" and CODIGOEMPRESA = %1 AND CODIGOESTAB = %2 ").arg(m_empresa).arg(m_estab);
    for (const auto& [alias, coluna] : {std::pair{"pCodigoDocEmp", "D.CODIGODOCEMP"}, std::pair{"pCodigoTipoDoc", "D.CODIGOTIPODOC"}})
        filtro += FilterInterval(QLatin1String(coluna), Param(QLatin1String(alias)).trimmed());
    bool ok = false;
    const QDate inicial = Valores::LerDataHora(Param(QStringLiteral("pDataInicial")).trimmed(), &ok).date();
    if (ok && inicial.isValid()) {
        bool okFinal = false;
        QDate final = Valores::LerDataHora(Param(QStringLiteral("pDataFinal")).trimmed(), &okFinal).date();
        if (!okFinal || !final.isValid())
            final = QDate::currentDate();
        filtro += QStringLiteral(" AND D.DATALCTOPRO between %1 and %2").arg(ValorParaSQL(inicial), ValorParaSQL(final));
    }
    return filtro;
}

void TLyrDPArquivarDocs::CarregarDados()
{
    const QString filtro = MontarFiltro();
    QString comando = QStringLiteral(
        "select A.CODIGOENVELOPE ,A.CODIGODOCEMP ,D.DESCRDOCEMP ,D.DATALCTOPRO ,D.CODIGOTIPODOC ,cast(1 as Integer) STATUS ,T.GERARENVELOPE "
        "from PROTOCOLODOCARQUIVO A join PROTOCOLODOCEMP D on D.CODIGODOCEMP = A.CODIGODOCEMP join PROTOCOLOTIPODOC T on "
        "T.CODIGOTIPODOC = D.CODIGOTIPODOC where A.CODIGOCAIXA = :pCodigoCaixa ");
    if (const QString envelopes = Param(QStringLiteral("pCodigoEnvelope")).trimmed(); !envelopes.isEmpty())
        comando += FilterInterval(QStringLiteral("A.CODIGOENVELOPE"), envelopes);
    comando += filtro;
    if (!m_somenteArquivados)
        comando += QStringLiteral(" union select cast(0 as Integer) ENVELOPE ,D.CODIGODOCEMP ,D.DESCRDOCEMP ,D.DATALCTOPRO ,D.CODIGOTIPODOC ,cast(2 "
                                  "as Integer) STATUS ,T.GERARENVELOPE from PROTOCOLODOCEMP D join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = "
                                  "D.CODIGOTIPODOC where D.ARQUIVADO = 0 ")
                   + filtro;
    comando += QStringLiteral(" order by 5, 6, 4 ");
    std::unique_ptr<TnSQLDataSet> documentos = ExecutarSQL(comando, {m_caixa});
    // The types' descriptions, for the envelopes they get.
    QHash<int, QString> tipos;
    {
        std::unique_ptr<TnSQLDataSet> lidos = ExecutarSQL(QStringLiteral("select CODIGOTIPODOC, DESCRTIPODOC from PROTOCOLOTIPODOC"));
        for (int linha = 0; linha < lidos->RecordCount(); ++linha)
            tipos.insert(lidos->Valor(linha, 0).toInt(), lidos->Valor(linha, 1).toString());
    }
    int proximo = static_cast<int>(PegarProximoCodigo(QStringLiteral("PROTOCOLODOCENVELOPE"), QStringLiteral("CODIGOENVELOPE"),
                                                      ValorParaSQL(QStringLiteral("CODIGOCAIXA"), QStringLiteral("="), m_caixa)))
                  - 1;
    int atual = 0;
    int ultimoTipo = 0;
    int compartilhado = 0;
    TnSemControles semControles(nClientDataSet);
    for (int linha = 0; linha < documentos->RecordCount(); ++linha) {
        const int status = documentos->Valor(linha, 5).toInt();
        const int tipo = documentos->Valor(linha, 4).toInt();
        if (status == Arquivado) {
            atual = documentos->Valor(linha, 0).toInt();
        } else if (documentos->Valor(linha, 6).toString().trimmed() == QLatin1String("1")) {
            // One new envelope per type that asks for its own, described by it.
            if (tipo != ultimoTipo) {
                ultimoTipo = tipo;
                atual = ++proximo;
                if (!m_descricoes.contains(atual))
                    m_descricoes.insert(atual, tipos.value(tipo));
            }
        } else {
            // The shared envelope is described too, so that saving what the
            // load proposed asks nothing.
            if (compartilhado == 0) {
                compartilhado = ++proximo;
                if (!m_descricoes.contains(compartilhado))
                    m_descricoes.insert(compartilhado, QStringLiteral("Documentos diversos"));
            }
            atual = compartilhado;
        }
        nClientDataSet.AppendRecord({atual, documentos->Valor(linha, 1), documentos->Valor(linha, 3), tipo, status});
    }
    nClientDataSet.First();
}

void TLyrDPArquivarDocs::MudarStatus(int status)
{
    nClientDataSet.Edit();
    nClientDataSet.FieldByName(kStatus).SetValue(status);
    nClientDataSet.Post();
}

void TLyrDPArquivarDocs::actMarcarExecute()
{
    if (nClientDataSet.IsEmpty())
        return;
    const int status = nClientDataSet.FieldByName(kStatus).AsInteger();
    if (status == Arquivado || status == ARemover)
        return;
    SetTemAlteracao(true);
    MudarStatus(status == NaoArquivado ? AArquivar : NaoArquivado);
}

void TLyrDPArquivarDocs::actMarcarTodasExecute()
{
    if (nClientDataSet.IsEmpty())
        return;
    m_marcarTodas = m_marcarTodas == NaoArquivado ? AArquivar : NaoArquivado;
    const int atual = nClientDataSet.RecNo();
    TnSemControles semControles(nClientDataSet);
    const auto voltar = qScopeGuard([&] { nClientDataSet.SetRecNo(atual); });
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        const int status = nClientDataSet.FieldByName(kStatus).AsInteger();
        if ((status == NaoArquivado || status == AArquivar) && status != m_marcarTodas)
            MudarStatus(m_marcarTodas);
    }
}

void TLyrDPArquivarDocs::actMarcarRemoverExecute()
{
    if (nClientDataSet.IsEmpty())
        return;
    const int status = nClientDataSet.FieldByName(kStatus).AsInteger();
    if (status != Arquivado && status != ARemover)
        return;
    m_edicaoInterna = true;
    const auto fim = qScopeGuard([this] { m_edicaoInterna = false; });
    SetTemAlteracao(true);
    MudarStatus(status == Arquivado ? ARemover : Arquivado);
}

void TLyrDPArquivarDocs::actMarcarRemoverTodasExecute()
{
    if (nClientDataSet.IsEmpty())
        return;
    m_removerTodas = m_removerTodas == Arquivado ? ARemover : Arquivado;
    const int atual = nClientDataSet.RecNo();
    TnSemControles semControles(nClientDataSet);
    m_edicaoInterna = true;
    const auto voltar = qScopeGuard([&] {
        m_edicaoInterna = false;
        nClientDataSet.SetRecNo(atual);
    });
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        const int status = nClientDataSet.FieldByName(kStatus).AsInteger();
        if ((status == Arquivado || status == ARemover) && status != m_removerTodas)
            MudarStatus(m_removerTodas);
    }
    SetTemAlteracao(true);
}

// A label carries the document's code in ten digits.
void TLyrDPArquivarDocs::MarcarPeloCodigo(const QString& texto)
{
    const QString lido = texto.trimmed();
    bool ok = false;
    const qint64 codigo = lido.toLongLong(&ok);
    if (!ok || codigo <= 0)
        throw EnErro(QStringLiteral("\"%1\" não é um código de documento.").arg(lido));
    if (nClientDataSet.Active() && nClientDataSet.Locate(kDocumento, codigo)) {
        const int status = nClientDataSet.FieldByName(kStatus).AsInteger();
        if (status == Arquivado || status == ARemover)
            throw EnErro(QStringLiteral("O documento %1 já está arquivado nesta caixa.").arg(codigo));
        if (status == NaoArquivado) {
            SetTemAlteracao(true);
            MudarStatus(AArquivar);
        }
        return;
    }
    const QVariantList documento = PegarValorCampo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGOEMPRESA;CODIGOESTAB;ARQUIVADO"),
                                                   ValorParaSQL(kDocumento, QStringLiteral("="), codigo))
                                       .toList();
    if (documento.isEmpty() || documento.value(0).isNull())
        throw EnErro(QStringLiteral("Documento %1 não encontrado.").arg(codigo));
    if (documento.value(0).toInt() != m_empresa || documento.value(1).toInt() != m_estab)
        throw EnErro(QStringLiteral("O documento %1 é da filial %2/%3, não da filial %4/%5 desta caixa.")
                         .arg(codigo)
                         .arg(documento.value(0).toInt())
                         .arg(documento.value(1).toInt())
                         .arg(m_empresa)
                         .arg(m_estab));
    if (documento.value(2).toString().trimmed() == QLatin1String("1"))
        throw EnErro(QStringLiteral("O documento %1 já está arquivado em outra caixa.").arg(codigo));
    throw EnErro(QStringLiteral("O documento %1 não está na lista: execute com \"Somente Arquivados\" = Não e os filtros que o incluam.").arg(codigo));
}

QMap<int, QString> TLyrDPArquivarDocs::EnvelopesNovos(QSet<int>& daCaixa)
{
    {
        std::unique_ptr<TnSQLDataSet> envelopes =
            ExecutarSQL(QStringLiteral("select CODIGOENVELOPE from PROTOCOLODOCENVELOPE where CODIGOCAIXA = :pCodigoCaixa"), {m_caixa});
        for (int linha = 0; linha < envelopes->RecordCount(); ++linha)
            daCaixa.insert(envelopes->Valor(linha, 0).toInt());
    }
    QMap<int, QString> novos;
    QSet<int> recusados;
    const int indiceStatus = nClientDataSet.FieldByName(kStatus).Index();
    const int indiceEnvelope = nClientDataSet.FieldByName(kEnvelope).Index();
    for (int linha = 0; linha < nClientDataSet.RecordCount(); ++linha) {
        const int envelope = nClientDataSet.ValorNaLinha(linha, indiceEnvelope).toInt();
        if (nClientDataSet.ValorNaLinha(linha, indiceStatus).toInt() != AArquivar || daCaixa.contains(envelope) || novos.contains(envelope)
            || recusados.contains(envelope))
            continue;
        if (m_descricoes.contains(envelope)) {
            novos.insert(envelope, m_descricoes.value(envelope));
            continue;
        }
        nMessageDlg(QStringLiteral("Envelope %1 não cadastrado para caixa %2!").arg(envelope).arg(m_caixa), TnTipoDlg::Erro, {QStringLiteral("OK")});
        QString descricao;
        if (nInputQuery(QStringLiteral("Descrição do Envelope"), QStringLiteral("Informe uma descrição para o novo envelope"), descricao))
            novos.insert(envelope, descricao.trimmed().left(50));
        else
            recusados.insert(envelope);
    }
    for (auto novo = novos.cbegin(); novo != novos.cend(); ++novo)
        daCaixa.insert(novo.key());
    return novos;
}

// The questions (descriptions of envelopes not yet in the box) come first,
// so that no transaction waits on the user; then, in one transaction, the
// new envelopes and, per marked row, its archive row, the flag and the
// archiving movement, or the reverse. Whatever happens the box is read again.
void TLyrDPArquivarDocs::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    const auto recarregar = qScopeGuard([this] { Processar(); });
    GravarMarcados();
}

void TLyrDPArquivarDocs::GravarMarcados()
{
    QSet<int> envelopes;
    const QMap<int, QString> novos = EnvelopesNovos(envelopes);
    QList<int> arquivar;
    QList<int> remover;
    QStringList documentos;
    const int indiceStatus = nClientDataSet.FieldByName(kStatus).Index();
    const int indiceEnvelope = nClientDataSet.FieldByName(kEnvelope).Index();
    const int indiceDocumento = nClientDataSet.FieldByName(kDocumento).Index();
    for (int linha = 0; linha < nClientDataSet.RecordCount(); ++linha) {
        const int status = nClientDataSet.ValorNaLinha(linha, indiceStatus).toInt();
        if (status == AArquivar)
            arquivar.append(linha);
        else if (status == ARemover)
            remover.append(linha);
        else
            continue;
        documentos.append(nClientDataSet.ValorNaLinha(linha, indiceDocumento).toString());
    }
    if (documentos.isEmpty())
        return;
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->SetEhCircular(true);
    progresso->MostrarSimples(QStringLiteral("Salvando dados..."));
    nDMConexao& conexao = Conexao();
    const auto preparar = [&conexao](const QString& texto) {
        auto comando = std::make_unique<TnSQLDataSet>(conexao);
        comando->SetCommandText(texto);
        comando->Prepare();
        return comando;
    };
    auto envelope = preparar(QStringLiteral("insert into PROTOCOLODOCENVELOPE (CODIGOCAIXA ,CODIGOENVELOPE ,DESCRENVELOPE) values (:pCodigoCaixa "
                                            ",:pCodigoEnvelope ,:pDescrEnvelope) "));
    // The rows archived and their movements go many to a statement; the
    // documents' flags, a few hundred to an update.
    TnInsercaoEmLote inserir(conexao, QStringLiteral("PROTOCOLODOCARQUIVO"),
                             {QStringLiteral("CODIGOCAIXA"), QStringLiteral("CODIGOENVELOPE"), QStringLiteral("CODIGODOCEMP")});
    TnInsercaoEmLote inserirMov(conexao, QStringLiteral("PROTOCOLODOCMOVIMENTO"),
                                {QStringLiteral("CODIGODOCEMP"), QStringLiteral("SEQDOCEMP"), QStringLiteral("OBSERVACAO"), QStringLiteral("TIPOLOCAL"),
                                 QStringLiteral("DATALCTOPRO"), QStringLiteral("DATAHORA"), QStringLiteral("CODIGOUSUARIO"), QStringLiteral("ORIGEMDADO")});
    QStringList arquivados;
    const auto marcarArquivados = [&] {
        if (arquivados.isEmpty())
            return;
        ExecutarSQLDireto(QStringLiteral("update PROTOCOLODOCEMP set ARQUIVADO = 1 where ")
                          + FilterInterval(QStringLiteral("CODIGODOCEMP"), arquivados.join(u';'), false));
        arquivados.clear();
    };
    auto excluir = preparar(QStringLiteral("delete from PROTOCOLODOCARQUIVO where CODIGOCAIXA = :pCodigoCaixa and CODIGOENVELOPE = :pCodigoEnvelope "
                                           "and CODIGODOCEMP = :pCodigoDocEmp "));
    auto excluirMov = preparar(QStringLiteral("delete from PROTOCOLODOCMOVIMENTO where CODIGODOCEMP = :pCodigoDocEmp and SEQDOCEMP = :pSeqDocEmp "));
    auto marcar = preparar(QStringLiteral("update PROTOCOLODOCEMP set ARQUIVADO = :pArquivado  where CODIGODOCEMP = :pCodigoDocEmp"));
    EmTransacao([&] {
        // Each document's launch date and newest movement, read once for
        // all the rows (under the lock that numbers movements).
        conexao.TravarNumeracao(QStringLiteral("PROTOCOLODOCMOVIMENTO"));
        struct TnDoc {
            QDateTime lancamento;
            int ultimaSeq = 0;
            QString ultimaObs;
        };
        QHash<qint64, TnDoc> docs;
        std::unique_ptr<TnSQLDataSet> lidos = ExecutarSQL(
            QStringLiteral("select D.CODIGODOCEMP, D.DATALCTOPRO, M.SEQDOCEMP, M.OBSERVACAO from PROTOCOLODOCEMP D left join PROTOCOLODOCMOVIMENTO M "
                           "on M.CODIGODOCEMP = D.CODIGODOCEMP and M.SEQDOCEMP = (select max(U.SEQDOCEMP) from PROTOCOLODOCMOVIMENTO U where "
                           "U.CODIGODOCEMP = D.CODIGODOCEMP) where ")
            + FilterInterval(QStringLiteral("D.CODIGODOCEMP"), documentos.join(u';'), false));
        for (int linha = 0; linha < lidos->RecordCount(); ++linha)
            docs.insert(lidos->Valor(linha, 0).toLongLong(),
                        {Valores::ParaDataHora(lidos->Valor(linha, 1)), lidos->Valor(linha, 2).toInt(), lidos->Valor(linha, 3).toString()});
        for (auto novo = novos.cbegin(); novo != novos.cend(); ++novo) {
            envelope->SetParamValues({m_caixa, novo.key(), novo.value()});
            envelope->ExecSQL();
        }
        const QDateTime agora = QDateTime::currentDateTime();
        const QString observacao = QStringLiteral("Arquivado em %1  -  Caixa %2").arg(agora.toString(QStringLiteral("dd/MM/yyyy HH:mm"))).arg(m_caixa);
        for (int linha : std::as_const(arquivar)) {
            const int numero = nClientDataSet.ValorNaLinha(linha, indiceEnvelope).toInt();
            const qint64 codigo = nClientDataSet.ValorNaLinha(linha, indiceDocumento).toLongLong();
            const TnDoc& doc = docs[codigo];
            // An envelope whose description was not given leaves its rows out.
            if (!envelopes.contains(numero))
                continue;
            inserir.Adicionar({m_caixa, numero, codigo});
            arquivados.append(QString::number(codigo));
            if (arquivados.size() == 500)
                marcarArquivados();
            inserirMov.Adicionar({codigo, doc.ultimaSeq + 1, observacao, QStringLiteral("1"), doc.lancamento.isValid() ? doc.lancamento : agora, agora,
                                  conexao.CodigoUsuario(), 2});
        }
        inserir.Descarregar();
        inserirMov.Descarregar();
        marcarArquivados();
        for (int linha : std::as_const(remover)) {
            const qint64 codigo = nClientDataSet.ValorNaLinha(linha, indiceDocumento).toLongLong();
            const TnDoc& doc = docs[codigo];
            // Only the archiving movement goes: a document with no movement,
            // or whose newest one is not its archiving, stays archived.
            if (doc.ultimaSeq == 0 || !doc.ultimaObs.startsWith(QLatin1String("Arquivado em ")))
                continue;
            excluirMov->SetParamValues({codigo, doc.ultimaSeq});
            if (excluirMov->ExecSQL() == 0)
                continue;
            marcar->SetParamValues({0, codigo});
            if (marcar->ExecSQL() == 0)
                continue;
            excluir->SetParamValues({m_caixa, nClientDataSet.ValorNaLinha(linha, indiceEnvelope), codigo});
            excluir->ExecSQL();
        }
    });
}

void TLyrDPArquivarDocs::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Cancel();
    Processar();
}
