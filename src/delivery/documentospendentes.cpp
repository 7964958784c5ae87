#include "documentospendentes.h"

#include "calendariodoc.h"
#include "conexao.h"
#include "consultadocpendente.h"
#include "dialogos.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "insercaolote.h"
#include "progresso.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QHash>
#include <QScopeGuard>

namespace {

const QString kEmpresa = QStringLiteral("CODIGOEMPRESA");
const QString kEstab = QStringLiteral("CODIGOESTAB");
const QString kCodigo = QStringLiteral("CODIGODOCUMENTO");
const QString kData = QStringLiteral("DATALCTO");
const QString kTipo = QStringLiteral("CODIGOTIPODOC");
const QString kDescricao = QStringLiteral("DESCRDOCEMP");
const QString kRecebido = QStringLiteral("RECEBIDO");
const QString kAlterado = QStringLiteral("ALTERUSER");

} // namespace

TLyrDPDocumentosPendentes::TLyrDPDocumentosPendentes()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Documentos Pendentes");
    p.AddCompetencia(QStringLiteral("pCompet"), QStringLiteral("Competência"), 0);
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 2, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Estab"), 3, QStringLiteral("CODIGOESTAB"));
    SetGradeEditavel(true);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    // The description as long as the documents' column that stores it.
    nClientDataSet.SetFieldDefs({{kEmpresa, TnFieldType::SmallInt},
                                 {kEstab, TnFieldType::SmallInt},
                                 {kCodigo, TnFieldType::Float},
                                 {kData, TnFieldType::DateTime},
                                 {kTipo, TnFieldType::SmallInt},
                                 {kDescricao, TnFieldType::String, 50},
                                 {kRecebido, TnFieldType::SmallInt},
                                 {kAlterado, TnFieldType::SmallInt}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOEMPRESA", "Empresa", 7}, {"CODIGOESTAB", "Filial", 6}, {"CODIGODOCUMENTO", "Documento", 10},
                                   {"DATALCTO", "Data Lcto", 10, "dd/mm/yyyy"}, {"CODIGOTIPODOC", "Tipo Documento", 8},
                                   {"DESCRDOCEMP", "Descrição", 40}, {"RECEBIDO", "Recebido", 8}});
    LigarAoDicionario(nClientDataSet.FieldByName(kEmpresa), kEmpresa);
    LigarAoDicionario(nClientDataSet.FieldByName(kEstab), kEstab, QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"));
    LigarAoDicionario(nClientDataSet.FieldByName(kTipo), kTipo);
    // The code is handed out, never typed.
    nClientDataSet.FieldByName(kCodigo).SetReadOnly(true);
    TnField& recebido = nClientDataSet.FieldByName(kRecebido);
    recebido.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    recebido.Definicao().NomesValores = {QStringLiteral("Não=0"), QStringLiteral("Sim=1")};
    recebido.Definicao().GridButtonStyle = TnGridButtonStyle::cbsAuto;

    // A row typed in by hand takes the code after the highest of the list.
    nClientDataSet.SetAfterInsert([this](TnClientDataSet& ds) {
        if (m_carregando)
            return;
        SetTemAlteracao(true);
        m_maiorCodigo += 1;
        ds.FieldByName(kCodigo).SetValue(m_maiorCodigo);
        ds.FieldByName(kRecebido).SetValue(0);
        ds.FieldByName(kAlterado).SetValue(0);
    });
    nClientDataSet.SetAfterEdit([this](TnClientDataSet&) { SetTemAlteracao(true); });
    nClientDataSet.SetAfterPost([this](TnClientDataSet&) {
        if (!m_carregando)
            SetTemAlteracao(true);
    });
    TnAparenciaGrade& aparencia = nClientDataSet.Tela().Aparencia;
    aparencia.CorDoTexto = [this](int linha) {
        return nClientDataSet.ValorNaLinha(linha, nClientDataSet.FieldByName(kAlterado).Index()).toInt() == 1 ? QStringLiteral("#008000")
                                                                                                               : QString();
    };
    aparencia.AoClicarDuasVezes = [this] { MarcarUm(); };
    aparencia.MenuDeContexto = {{QStringLiteral("Marcar Recebido"), 39, [this] { MarcarUm(); }},
                                {QStringLiteral("Marcar Todos Recebido"), 196, [this] { MarcarTodos(); }},
                                {QStringLiteral("Baixa Justificada"), 6, [this] { BaixaJustificada(); }}};
}

void TLyrDPDocumentosPendentes::DataModuleCreate()
{
    TnDMPowerParamTab::DataModuleCreate();
    SetMsgTreeExibir(true);
}

void TLyrDPDocumentosPendentes::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Documentos Pendentes"));
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Marcar"), QStringLiteral("Marcar Recebido para Sim ou Não"), 39, [this](TnAction&) { MarcarUm(); },
                    QStringLiteral("Ctrl+M"));
    CriarToolButton(QStringLiteral("MarcarTodos"), QStringLiteral("Marcar todos Recebido para Sim ou Não"), 196,
                    [this](TnAction&) { MarcarTodos(); }, QStringLiteral("Ctrl+Ins"));
    CriarToolButton(QStringLiteral("Baixa Justificada"), QStringLiteral("Dispensar o documento selecionado nesta competência, informando o motivo"),
                    6, [this](TnAction&) { BaixaJustificada(); }, QStringLiteral("Ctrl+J"));
}

void TLyrDPDocumentosPendentes::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_competencia = CalendarioDoc::CompetenciaOuMesAtual(Param(QStringLiteral("pCompet")));
}

// The pending documents computed by their query, copied into the grid to be
// ticked off.
void TLyrDPDocumentosPendentes::Executar()
{
    TnDMPowerParamTab::Executar();
    LimparMsgTreeLista();
    nClientDataSet.EmptyDataSet();
    std::unique_ptr<TLyrDPConsultaDocPendente> consulta =
        CriarDM<TLyrDPConsultaDocPendente>(TLyrDPConsultaDocPendente::NomeDaClasse(), QStringLiteral("Individual"));
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    // One company chosen: its code would repeat on every row.
    bool umaEmpresa = false;
    m_empresas.toInt(&umaEmpresa);
    for (const QString& campo : {kEmpresa, kEstab})
        nClientDataSet.FieldByName(campo).SetVisible(!umaEmpresa);

    progresso->MostrarSimples(QStringLiteral("Verificando documentos pendentes..."));
    progresso->ConfigurarProgressoTotal(2);
    consulta->SetParam(QStringLiteral("pCompet"), m_competencia.toString(QStringLiteral("MM/yyyy")));
    consulta->SetParam(QStringLiteral("pTipoPeriodo"), QStringLiteral("0"));
    consulta->SetParam(QStringLiteral("pCodigoEmpresa"), m_empresas);
    consulta->SetParam(QStringLiteral("pCodigoEstab"), m_estabs);
    m_primeiroCodigo = PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"));
    consulta->Processar();
    TLyrDPConsultaDocPendente::ListarSemPendencia(*this, consulta->FiliaisSemPendencia());

    TnClientDataSet& resultado = consulta->nClientDataSet;
    progresso->ConfigurarProgressoTotal(resultado.RecordCount(), QStringLiteral("Carregando documentos pendentes..."));
    resultado.SetIndexFieldNames(kCodigo);
    // Rows typed in by hand are numbered after the list, or from the next
    // free code when it is empty.
    m_maiorCodigo = double(m_primeiroCodigo - 1);
    m_carregando = true;
    {
        const auto fim = qScopeGuard([this] { m_carregando = false; });
        TnSemControles semControles(nClientDataSet);
        for (resultado.First(); !resultado.Eof(); resultado.Next()) {
            nClientDataSet.AppendRecord({resultado.FieldByName(kEmpresa).AsInteger(), resultado.FieldByName(kEstab).AsInteger(),
                                         resultado.FieldByName(kCodigo).AsFloat(), resultado.FieldByName(kData).AsDateTime(),
                                         resultado.FieldByName(kTipo).AsInteger(), resultado.FieldByName(kDescricao).AsString(), 0, 0});
            m_maiorCodigo = std::max(m_maiorCodigo, resultado.FieldByName(kCodigo).AsFloat());
            progresso->IncProgressoTotal();
        }
    }
    nClientDataSet.First();
    SetTemAlteracao(false);
}

void TLyrDPDocumentosPendentes::Alternar()
{
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    for (const QString& campo : {kRecebido, kAlterado}) {
        TnField& marca = nClientDataSet.FieldByName(campo);
        marca.SetValue(marca.AsInteger() == 1 ? 0 : 1);
    }
    nClientDataSet.Post();
}

void TLyrDPDocumentosPendentes::MarcarUm()
{
    if (!nClientDataSet.IsEmpty())
        Alternar();
}

void TLyrDPDocumentosPendentes::MarcarTodos()
{
    if (nClientDataSet.IsEmpty())
        return;
    SetTemAlteracao(true);
    const int atual = nClientDataSet.RecNo();
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Atualizando Documentos Pendentes..."));
    progresso->ConfigurarProgressoTotal(nClientDataSet.RecordCount());
    TnSemControles semControles(nClientDataSet);
    const auto voltar = qScopeGuard([&] { nClientDataSet.SetRecNo(atual); });
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        Alternar();
        progresso->IncProgressoTotal();
    }
}

QList<int> TLyrDPDocumentosPendentes::LinhasMarcadas()
{
    const int recebido = nClientDataSet.FieldByName(kRecebido).Index();
    struct TnExigido {
        QString campo;
        QString rotulo;
        int indice;
    };
    QList<TnExigido> exigidos = {{kEmpresa, QStringLiteral("Empresa"), 0}, {kEstab, QStringLiteral("Filial"), 0},
                                 {kData, QStringLiteral("Data Lcto"), 0}, {kTipo, QStringLiteral("Tipo Documento"), 0}};
    for (TnExigido& exigido : exigidos)
        exigido.indice = nClientDataSet.FieldByName(exigido.campo).Index();
    QList<int> linhas;
    for (int linha = 0; linha < nClientDataSet.RecordCount(); ++linha) {
        if (nClientDataSet.ValorNaLinha(linha, recebido).toInt() != 1)
            continue;
        for (const auto& [campo, rotulo, indice] : exigidos) {
            if (nClientDataSet.ValorNaLinha(linha, indice).isNull()) {
                nClientDataSet.SetRecNo(linha + 1);
                throw EnField(campo, QStringLiteral("Preencha o campo ") + rotulo);
            }
        }
        linhas.append(linha);
    }
    return linhas;
}

// Documents registered since the list was loaded carry codes from the
// first free code of then on: only those are read. A slot one of them
// stands for, or a code one of them took, would make a second document of
// the slot or a key the table refuses; both are told apart here, and
// nothing is written.
void TLyrDPDocumentosPendentes::ConferirConcorrencia(const QList<int>& linhas)
{
    std::unique_ptr<TnSQLDataSet> novos = ExecutarSQL(
        QStringLiteral("select CODIGODOCEMP ,CODIGOEMPRESA ,CODIGOESTAB ,CODIGOTIPODOC ,DATALCTOPRO from PROTOCOLODOCEMP where CODIGODOCEMP >= :pCodigo"),
        {m_primeiroCodigo});
    if (novos->RecordCount() == 0)
        return;
    QHash<int, int> periodos;
    {
        std::unique_ptr<TnSQLDataSet> tipos = ExecutarSQL(QStringLiteral("select CODIGOTIPODOC ,PERIODODOC from PROTOCOLOTIPODOC"));
        for (int linha = 0; linha < tipos->RecordCount(); ++linha)
            periodos.insert(tipos->Valor(linha, 0).toInt(), tipos->Valor(linha, 1).toInt());
    }
    const auto valor = [this](int linha, const QString& campo) { return nClientDataSet.ValorNaLinha(linha, nClientDataSet.FieldByName(campo).Index()); };
    for (int linha : linhas) {
        const int empresa = valor(linha, kEmpresa).toInt();
        const int estab = valor(linha, kEstab).toInt();
        const int tipo = valor(linha, kTipo).toInt();
        const QDateTime data = valor(linha, kData).toDateTime();
        const qint64 codigo = qint64(valor(linha, kCodigo).toDouble());
        for (int novo = 0; novo < novos->RecordCount(); ++novo) {
            const QDateTime lancamento = novos->Valor(novo, 4).toDateTime();
            const bool mesmaVaga = novos->Valor(novo, 1).toInt() == empresa && novos->Valor(novo, 2).toInt() == estab
                                   && novos->Valor(novo, 3).toInt() == tipo && lancamento.date().month() == data.date().month()
                                   && lancamento.date().year() == data.date().year()
                                   && CalendarioDoc::Cobre(periodos.value(tipo), data, lancamento);
            if (mesmaVaga) {
                nClientDataSet.SetRecNo(linha + 1);
                throw EnErro(QStringLiteral("O documento do tipo %1 de %2 da filial %3/%4 já foi registrado por outro usuário (documento %5). "
                                            "Execute novamente para atualizar a lista.")
                                 .arg(tipo)
                                 .arg(data.toString(QStringLiteral("dd/MM/yyyy")))
                                 .arg(empresa)
                                 .arg(estab)
                                 .arg(novos->Valor(novo, 0).toLongLong()));
            }
            if (novos->Valor(novo, 0).toLongLong() == codigo) {
                nClientDataSet.SetRecNo(linha + 1);
                throw EnErro(QStringLiteral("O código %1 já foi usado por outro documento, registrado depois que esta lista foi carregada. "
                                            "Execute novamente para atualizar a lista.")
                                 .arg(codigo));
            }
        }
    }
}

QVariant TLyrDPDocumentosPendentes::PedirResponsavel()
{
    TnQuestionario pergunta{QStringLiteral("Informe o código do usuário responsável pelo documento!")};
    TnCampoQuestionario usuario{QStringLiteral("usuario"), QStringLiteral("Usuário Responsável"), Conexao().CodigoUsuario()};
    usuario.minimo = 0;
    usuario.maximo = 9999;
    usuario.descricao = [](const QVariant& codigo) {
        return PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("NOMEUSUARIOCOMPL"),
                               ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), codigo.toInt()))
            .toString();
    };
    pergunta.campos = {usuario};
    pergunta.validar = [](const TnQuestionario& q) -> std::optional<TnRecusaQuestionario> {
        const int codigo = q.Valor(QStringLiteral("usuario")).toInt();
        if (codigo != 0
            && !PegarTemRegistro(QStringLiteral("USUARIO"), QStringLiteral("CODIGOUSUARIO"),
                                 ValorParaSQL(QStringLiteral("CODIGOUSUARIO"), QStringLiteral("="), codigo)))
            return TnRecusaQuestionario{QStringLiteral("Usuário %1 não cadastrado.").arg(codigo), QStringLiteral("usuario")};
        return std::nullopt;
    };
    if (!nPedirQuestionario(pergunta) || pergunta.Valor(QStringLiteral("usuario")).toInt() == 0)
        return {};
    return pergunta.Valor(QStringLiteral("usuario")).toInt();
}

// The ticked rows become documents, each with its first movement, in one
// transaction; the rows saved leave the grid. On any failure nothing is
// written and the grid stays as it was, ticks included, to be saved again.
void TLyrDPDocumentosPendentes::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (nMessageDlg(QStringLiteral("Deseja realmente salvar estes documentos como entregues?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    const QList<int> linhas = LinhasMarcadas();
    const QVariant responsavel = linhas.isEmpty() ? QVariant() : PedirResponsavel();

    nDMConexao& conexao = Conexao();
    TnInsercaoEmLote documentos(conexao, QStringLiteral("PROTOCOLODOCEMP"),
                                {QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGOTIPODOC"), QStringLiteral("CODIGOEMPRESA"),
                                 QStringLiteral("CODIGOESTAB"), QStringLiteral("DATALCTOPRO"), QStringLiteral("DESCRDOCEMP"),
                                 QStringLiteral("ARQUIVADO")});
    TnInsercaoEmLote movimentos(conexao, QStringLiteral("PROTOCOLODOCMOVIMENTO"),
                                {QStringLiteral("CODIGODOCEMP"), QStringLiteral("SEQDOCEMP"), QStringLiteral("TIPOLOCAL"),
                                 QStringLiteral("DATALCTOPRO"), QStringLiteral("OBSERVACAO"), QStringLiteral("DATAHORA"),
                                 QStringLiteral("CODIGOUSUARIO"), QStringLiteral("CODIGOUSUARIORESP"), QStringLiteral("ORIGEMDADO")});
    movimentos.DependeDe(documentos);
    // The fields' places looked up once, not per row.
    QHash<QString, int> indices;
    for (const QString& campo : {kCodigo, kData, kTipo, kEmpresa, kEstab, kDescricao})
        indices.insert(campo, nClientDataSet.FieldByName(campo).Index());
    const auto valor = [&](int linha, const QString& campo) { return nClientDataSet.ValorNaLinha(linha, indices.value(campo)); };
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Gravando documentos recebidos..."));
    progresso->ConfigurarProgressoTotal(int(linhas.size()));
    GravarEmTransacao([&] {
        // Two saves at once: the second waits here, and then sees the first's documents.
        conexao.TravarNumeracao(QStringLiteral("PROTOCOLODOCEMP"));
        ConferirConcorrencia(linhas);
        const QDateTime agora = QDateTime::currentDateTime();
        for (int linha : linhas) {
            const QVariant codigo = qint64(valor(linha, kCodigo).toDouble());
            const QDate data = valor(linha, kData).toDate();
            documentos.Adicionar({codigo, valor(linha, kTipo), valor(linha, kEmpresa), valor(linha, kEstab), data,
                                  valor(linha, kDescricao), QStringLiteral("0")});
            movimentos.Adicionar({codigo, 1, QStringLiteral("1"), data,
                                  QStringLiteral("Documento recebido em: ") + data.toString(QStringLiteral("dd/MM/yyyy")), agora,
                                  conexao.CodigoUsuario(), responsavel, 2});
            progresso->IncProgressoTotal();
        }
        movimentos.Descarregar();
    });
    progresso.reset();
    // The rows saved leave the list; the others stay as they were.
    if (!linhas.isEmpty()) {
        QList<QVariantList> restantes;
        for (int linha = 0, proxima = 0; linha < nClientDataSet.RecordCount(); ++linha) {
            if (proxima < linhas.size() && linhas.at(proxima) == linha) {
                ++proxima;
                continue;
            }
            QVariantList registro;
            for (int campo = 0; campo < nClientDataSet.FieldCount(); ++campo)
                registro.append(nClientDataSet.ValorNaLinha(linha, campo));
            restantes.append(registro);
        }
        m_carregando = true;
        const auto fim = qScopeGuard([this] { m_carregando = false; });
        TnSemControles semControles(nClientDataSet);
        nClientDataSet.EmptyDataSet();
        for (const QVariantList& registro : restantes)
            nClientDataSet.AppendRecord(registro);
    }
    nMessageDlg(QStringLiteral("Documentos gravados com sucesso!"), TnTipoDlg::Informacao, {QStringLiteral("OK")});
    SetTemAlteracao(false);
    nClientDataSet.First();
}

// What was ticked or typed is dropped: the list is computed again.
void TLyrDPDocumentosPendentes::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Cancel();
    SetTemAlteracao(false);
    Processar();
}

// The slot is not due this month: kept with its reason, who and when, and
// gone from the pending list until the dismissal is deleted.
void TLyrDPDocumentosPendentes::BaixaJustificada()
{
    if (nClientDataSet.IsEmpty())
        return;
    if (nClientDataSet.State() != TnDataSetState::dsBrowse)
        nClientDataSet.Post();
    for (const QString& campo : {kEmpresa, kEstab, kTipo, kData}) {
        if (nClientDataSet.FieldByName(campo).IsNull())
            throw EnField(campo, QStringLiteral("Preencha o campo ") + nClientDataSet.FieldByName(campo).DisplayLabel());
    }
    const QVariant empresa = nClientDataSet.FieldByName(kEmpresa).Value();
    const QVariant estab = nClientDataSet.FieldByName(kEstab).Value();
    const QVariant tipo = nClientDataSet.FieldByName(kTipo).Value();
    const QDate data = nClientDataSet.FieldByName(kData).AsDateTime().date();
    TnQuestionario pergunta{QStringLiteral("Baixa justificada do documento pendente")};
    pergunta.campos = {{QStringLiteral("motivo"), QStringLiteral("Motivo"), QString()}};
    pergunta.validar = [](const TnQuestionario& q) -> std::optional<TnRecusaQuestionario> {
        const QString motivo = q.Valor(QStringLiteral("motivo")).toString().trimmed();
        if (motivo.isEmpty())
            return TnRecusaQuestionario{QStringLiteral("Informe o motivo da baixa."), QStringLiteral("motivo")};
        if (motivo.size() > 200)
            return TnRecusaQuestionario{QStringLiteral("O motivo tem no máximo 200 caracteres."), QStringLiteral("motivo")};
        return std::nullopt;
    };
    if (!nPedirQuestionario(pergunta))
        return;
    EmTransacao([&] {
        const QString condicao = ValorParaSQL(kEmpresa, QStringLiteral("="), empresa) + QStringLiteral(" and ")
                                 + ValorParaSQL(kEstab, QStringLiteral("="), estab) + QStringLiteral(" and ")
                                 + ValorParaSQL(kTipo, QStringLiteral("="), tipo) + QStringLiteral(" and ")
                                 + ValorParaSQL(QStringLiteral("DATALCTOPRO"), QStringLiteral("="), data);
        if (PegarTemRegistro(QStringLiteral("PROTOCOLODOCBAIXAJUST"), kEmpresa, condicao))
            throw EnErro(QStringLiteral("Este documento já teve baixa justificada nesta data."));
        ExecutarSQLDireto(QStringLiteral("insert into PROTOCOLODOCBAIXAJUST (CODIGOEMPRESA ,CODIGOESTAB ,CODIGOTIPODOC ,DATALCTOPRO ,MOTIVO "
                                         ",CODIGOUSUARIO ,DATAHORA ,ORIGEMDADO) values (:pEmpresa ,:pEstab ,:pTipo ,:pData ,:pMotivo ,:pUsuario ,:pDataHora ,:pOrigem)"),
                          QVariantList{empresa, estab, tipo, data, pergunta.Valor(QStringLiteral("motivo")).toString().trimmed(),
                           Conexao().CodigoUsuario(), QDateTime::currentDateTime(), 1});
    });
    const bool alterado = TemAlteracao();
    nClientDataSet.Delete();
    SetTemAlteracao(alterado);
}
