#include "gerarprotocolobase.h"

#include "conexao.h"
#include "dialogos.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "registro.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDateTime>
#include <QScopeGuard>

TLyr::TLyr(TnClientDataSet& d)
    : CODIGOPROTOCOLO(d.FieldByName(QStringLiteral("CODIGOPROTOCOLO"))), CODIGOEMPRESA(d.FieldByName(QStringLiteral("CODIGOEMPRESA"))),
      CODIGOESTAB(d.FieldByName(QStringLiteral("CODIGOESTAB"))), EMPRESA(d.FieldByName(QStringLiteral("EMPRESA"))),
      ESTAB(d.FieldByName(QStringLiteral("ESTAB"))), DATALCTOPRO(d.FieldByName(QStringLiteral("DATALCTOPRO"))),
      TIPOPRO(d.FieldByName(QStringLiteral("TIPOPRO"))), OBSERVACAO(d.FieldByName(QStringLiteral("OBSERVACAO"))),
      DATAHORACADASTRO(d.FieldByName(QStringLiteral("DATAHORACADASTRO"))), CODIGOUSUARIO(d.FieldByName(QStringLiteral("CODIGOUSUARIO"))),
      FORMAENTREGA(d.FieldByName(QStringLiteral("FORMAENTREGA"))), NATUREZAPRO(d.FieldByName(QStringLiteral("NATUREZAPRO"))),
      CANCELADO(d.FieldByName(QStringLiteral("CANCELADO"))), ORIGEMDADO(d.FieldByName(QStringLiteral("ORIGEMDADO"))),
      TODOSSELECIONADOS(d.FieldByName(QStringLiteral("TODOSSELECIONADOS")))
{
}

TLyrItem::TLyrItem(TnClientDataSet& d)
    : CODIGOPROTOCOLO(d.FieldByName(QStringLiteral("CODIGOPROTOCOLO"))), SEQITEMPRO(d.FieldByName(QStringLiteral("SEQITEMPRO"))),
      TIPODEBITO(d.FieldByName(QStringLiteral("TIPODEBITO"))), DESCRITEM(d.FieldByName(QStringLiteral("DESCRITEM"))),
      DATALCTOPRO(d.FieldByName(QStringLiteral("DATALCTOPRO"))), VENCIMENTO(d.FieldByName(QStringLiteral("VENCIMENTO"))),
      VALOR(d.FieldByName(QStringLiteral("VALOR"))), CODIGOIMPOSTO(d.FieldByName(QStringLiteral("CODIGOIMPOSTO"))),
      VARIACAOIMPOSTO(d.FieldByName(QStringLiteral("VARIACAOIMPOSTO"))), CODIGODOCEMP(d.FieldByName(QStringLiteral("CODIGODOCEMP"))),
      CodigoFuncContr(d.FieldByName(QStringLiteral("CodigoFuncContr"))), CANCELADO(d.FieldByName(QStringLiteral("CANCELADO"))),
      CHAVEORIGEM(d.FieldByName(QStringLiteral("CHAVEORIGEM"))), CHAVEDEBITO(d.FieldByName(QStringLiteral("CHAVEDEBITO"))),
      CODIGOUSUARIO(d.FieldByName(QStringLiteral("CODIGOUSUARIO"))), DATAHORACADASTRO(d.FieldByName(QStringLiteral("DATAHORACADASTRO"))),
      ORIGEMDADO(d.FieldByName(QStringLiteral("ORIGEMDADO"))), COMPETENCIA(d.FieldByName(QStringLiteral("COMPETENCIA"))),
      PROTOCOLO(d.FieldByName(QStringLiteral("PROTOCOLO"))), GERAR(d.FieldByName(QStringLiteral("GERAR"))),
      TABELA(d.FieldByName(QStringLiteral("TABELA"))), TABELACHAVE(d.FieldByName(QStringLiteral("TABELACHAVE"))),
      MODULO(d.FieldByName(QStringLiteral("MODULO"))), PROTOCOLOFONTE(d.FieldByName(QStringLiteral("PROTOCOLOFONTE")))
{
}

namespace {

QString TextoDoCodigo(const TnField& codigo)
{
    return QString::number(codigo.AsLargeInt());
}

} // namespace

TLyrDPGerarProtocoloBase::TLyrDPGerarProtocoloBase()
{
    npqPowerParam.Caption = QStringLiteral("Gerar Protocolo");
    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetFieldDefs({
        {QStringLiteral("CODIGOPROTOCOLO"), TnFieldType::Float},   {QStringLiteral("CODIGOEMPRESA"), TnFieldType::Integer},
        {QStringLiteral("CODIGOESTAB"), TnFieldType::Integer},     {QStringLiteral("EMPRESA"), TnFieldType::String, 200},
        {QStringLiteral("ESTAB"), TnFieldType::String, 200},       {QStringLiteral("DATALCTOPRO"), TnFieldType::DateTime},
        {QStringLiteral("TIPOPRO"), TnFieldType::Integer},         {QStringLiteral("OBSERVACAO"), TnFieldType::String, 50},
        {QStringLiteral("DATAHORACADASTRO"), TnFieldType::DateTime}, {QStringLiteral("CODIGOUSUARIO"), TnFieldType::Integer},
        {QStringLiteral("FORMAENTREGA"), TnFieldType::String, 1},  {QStringLiteral("NATUREZAPRO"), TnFieldType::String, 1},
        {QStringLiteral("CANCELADO"), TnFieldType::Integer},       {QStringLiteral("ORIGEMDADO"), TnFieldType::Integer},
        {QStringLiteral("TODOSSELECIONADOS"), TnFieldType::Integer},
    });
    nClientDataSetDet.SetName(QStringLiteral("nClientDataSetDet"));
    // A working set, like the protocols': marks are undone by DesmarcarItens.
    nClientDataSetDet.SetnLogChanges(false);
    nClientDataSetDet.SetFieldDefs({
        {QStringLiteral("CODIGOPROTOCOLO"), TnFieldType::Float},   {QStringLiteral("SEQITEMPRO"), TnFieldType::Integer},
        {QStringLiteral("TIPODEBITO"), TnFieldType::String, 50},   {QStringLiteral("DESCRITEM"), TnFieldType::String, 200},
        {QStringLiteral("COMPETENCIA"), TnFieldType::DateTime},    {QStringLiteral("DATALCTOPRO"), TnFieldType::DateTime},
        {QStringLiteral("VENCIMENTO"), TnFieldType::DateTime},     {QStringLiteral("VALOR"), TnFieldType::Float},
        {QStringLiteral("CODIGOIMPOSTO"), TnFieldType::Integer},   {QStringLiteral("VARIACAOIMPOSTO"), TnFieldType::Integer},
        {QStringLiteral("PROTOCOLO"), TnFieldType::Float},         {QStringLiteral("CODIGODOCEMP"), TnFieldType::Float},
        {QStringLiteral("CodigoFuncContr"), TnFieldType::Integer}, {QStringLiteral("CANCELADO"), TnFieldType::Integer},
        {QStringLiteral("CHAVEORIGEM"), TnFieldType::String, 25},  {QStringLiteral("CHAVEDEBITO"), TnFieldType::Integer},
        {QStringLiteral("CODIGOUSUARIO"), TnFieldType::Integer},   {QStringLiteral("DATAHORACADASTRO"), TnFieldType::DateTime},
        {QStringLiteral("ORIGEMDADO"), TnFieldType::Integer},      {QStringLiteral("GERAR"), TnFieldType::Integer},
        {QStringLiteral("TABELA"), TnFieldType::String, 50},       {QStringLiteral("TABELACHAVE"), TnFieldType::String, 50},
        {QStringLiteral("MODULO"), TnFieldType::String, 50},       {QStringLiteral("PROTOCOLOFONTE"), TnFieldType::Float},
    });
    // Open (and empty) from the start, so the form's grids know their columns.
    LigarRegistros();
}

TLyrDPGerarProtocoloBase::~TLyrDPGerarProtocoloBase() = default;

void TLyrDPGerarProtocoloBase::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    // The preview's page: the protocols, and below them the items of the current one.
    SetCaptionTab(0, QStringLiteral("Gerar Protocolo"));
    SetTemAlteracao(false);
}

void TLyrDPGerarProtocoloBase::LigarRegistros()
{
    for (TnClientDataSet* dataSet : {&nClientDataSet, &nClientDataSetDet}) {
        if (!dataSet->Active())
            dataSet->CreateDataSet();
    }
    m_pro = &nClientDataSet.MapearFields<TLyr>();
    m_item = &nClientDataSetDet.MapearFields<TLyrItem>();
    DeclararGrades();
}

// Columns, labels and formats of the two grids; colours and keys of their rows.
void TLyrDPGerarProtocoloBase::DeclararGrades()
{
    const auto mostrar = [](TnClientDataSet& dataSet, const QStringList& visiveis) {
        for (int i = 0; i < dataSet.FieldCount(); ++i)
            dataSet.Fields(i).SetVisible(visiveis.contains(dataSet.Fields(i).FieldName()));
    };
    mostrar(nClientDataSet, {QStringLiteral("EMPRESA"), QStringLiteral("ESTAB"), QStringLiteral("DATALCTOPRO")});
    m_pro->EMPRESA.SetDisplayLabel(QStringLiteral("Empresa"));
    m_pro->EMPRESA.SetDisplayWidth(40);
    m_pro->ESTAB.SetDisplayLabel(QStringLiteral("Filial"));
    m_pro->ESTAB.SetDisplayWidth(40);
    m_pro->DATALCTOPRO.SetDisplayLabel(QStringLiteral("Data Protocolo"));
    m_pro->DATALCTOPRO.SetDisplayFormat(QStringLiteral("dd/mm/yyyy"));
    m_pro->DATALCTOPRO.SetAlignment(Qt::AlignHCenter);
    mostrar(nClientDataSetDet, {QStringLiteral("TIPODEBITO"), QStringLiteral("DESCRITEM"), QStringLiteral("COMPETENCIA"),
                                QStringLiteral("VENCIMENTO"), QStringLiteral("VALOR"), QStringLiteral("CODIGOIMPOSTO"),
                                QStringLiteral("VARIACAOIMPOSTO"), QStringLiteral("PROTOCOLO"), QStringLiteral("MODULO")});
    m_item->TIPODEBITO.SetDisplayLabel(QStringLiteral("Tipo do Débito"));
    m_item->TIPODEBITO.SetDisplayWidth(20);
    m_item->DESCRITEM.SetDisplayLabel(QStringLiteral("Descrição"));
    m_item->DESCRITEM.SetDisplayWidth(30);
    m_item->COMPETENCIA.SetDisplayLabel(QStringLiteral("Competência"));
    m_item->COMPETENCIA.SetDisplayFormat(QStringLiteral("mm/yyyy"));
    m_item->VENCIMENTO.SetDisplayLabel(QStringLiteral("Vencimento"));
    m_item->VENCIMENTO.SetDisplayFormat(QStringLiteral("dd/mm/yyyy"));
    for (TnField* data : {&m_item->COMPETENCIA, &m_item->DATALCTOPRO, &m_item->VENCIMENTO})
        data->SetAlignment(Qt::AlignHCenter);
    m_item->VALOR.SetDisplayLabel(QStringLiteral("Valor R$"));
    m_item->VALOR.SetDisplayFormat(QStringLiteral("#,##0.00"));
    m_item->CODIGOIMPOSTO.SetDisplayLabel(QStringLiteral("Imposto"));
    m_item->VARIACAOIMPOSTO.SetDisplayLabel(QStringLiteral("Variação"));
    m_item->PROTOCOLO.SetDisplayLabel(QStringLiteral("Protocolo"));
    m_item->MODULO.SetDisplayLabel(QStringLiteral("Módulo"));
    m_item->MODULO.SetDisplayWidth(25);

    // Green: every selectable item marked (protocols) or marked (items);
    // silver: already in a protocol, whatever else, under the cursor too
    // (the selected row takes silver as its background).
    nClientDataSet.Tela().Aparencia.CorDoTexto = [this](int linha) {
        const int coluna = m_pro->TODOSSELECIONADOS.Index();
        return nClientDataSet.ValorNaLinha(linha, coluna).toInt() == 1 ? QStringLiteral("#008000") : QString();
    };
    const auto prata = [this](int linha) {
        return nClientDataSetDet.ValorNaLinha(linha, m_item->PROTOCOLO.Index()).isNull() ? QString() : QStringLiteral("#c0c0c0");
    };
    nClientDataSetDet.Tela().Aparencia.CorDoTexto = [this, prata](int linha) {
        if (const QString cor = prata(linha); !cor.isEmpty())
            return cor;
        return nClientDataSetDet.ValorNaLinha(linha, m_item->GERAR.Index()).toInt() == 1 ? QStringLiteral("#008000") : QString();
    };
    nClientDataSetDet.Tela().Aparencia.CorDaSelecao = prata;
    // Ctrl+Enter or a double click marks: a protocol's items, or one item.
    const auto ctrlEnter = [](int tecla, int modificadores) {
        return (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) && (modificadores & Qt::ControlModifier);
    };
    nClientDataSet.Tela().Aparencia.TeclasProprias = {QKeyCombination(Qt::ControlModifier, Qt::Key_Return).toCombined()};
    nClientDataSet.Tela().Aparencia.AoTeclar = [this, ctrlEnter](int tecla, int modificadores) {
        if (!ctrlEnter(tecla, modificadores))
            return false;
        MarcarItensMaster();
        return true;
    };
    nClientDataSet.Tela().Aparencia.AoClicarDuasVezes = [this] { MarcarItensMaster(); };
    nClientDataSetDet.Tela().Aparencia.TeclasProprias = nClientDataSet.Tela().Aparencia.TeclasProprias;
    nClientDataSetDet.Tela().Aparencia.AoTeclar = [this, ctrlEnter](int tecla, int modificadores) {
        if (!ctrlEnter(tecla, modificadores))
            return false;
        MarcarItem();
        return true;
    };
    nClientDataSetDet.Tela().Aparencia.AoClicarDuasVezes = [this] { MarcarItem(); };
    nClientDataSetDet.Tela().Aparencia.CamposSomados = {QStringLiteral("VALOR")};
    nClientDataSet.Tela().Aparencia.OrdenarPeloTitulo = false;
    nClientDataSetDet.Tela().Aparencia.OrdenarPeloTitulo = false;
}

void TLyrDPGerarProtocoloBase::Executar()
{
    LigarRegistros();
    {
        TnSemControles semProtocolos(nClientDataSet);
        TnSemControles semItens(nClientDataSetDet);
        FiltrarItensDoProtocolo(false);
        nClientDataSet.EmptyDataSet();
        nClientDataSetDet.EmptyDataSet();
        nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
        nClientDataSetDet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
        PrepararSQL();
        PegarValoresIniciais();
        GerarProtocolo();
        nClientDataSet.First();
        nClientDataSetDet.First();
    }
    AtualizarDM(QStringLiteral("TLyrDMProtocolo"));
    SetTemAlteracao(false);
}

void TLyrDPGerarProtocoloBase::PrepararSQL()
{
    // Written in groups of rows (one statement per group): a save of
    // thousands of items would otherwise pay a round trip per row.
    sqlInsertPro = std::make_unique<TnInsercaoEmLote>(
        Conexao(), QStringLiteral("PROTOCOLO"),
        QStringList{QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOESTAB"),
                    QStringLiteral("DATALCTOPRO"), QStringLiteral("TIPOPRO"), QStringLiteral("OBSERVACAO"),
                    QStringLiteral("DATAHORACADASTRO"), QStringLiteral("CODIGOUSUARIO"), QStringLiteral("FORMAENTREGA"),
                    QStringLiteral("NATUREZAPRO"), QStringLiteral("CANCELADO"), QStringLiteral("ORIGEMDADO")});
    sqlInsertItensPro = std::make_unique<TnInsercaoEmLote>(
        Conexao(), QStringLiteral("PROTOCOLOITEM"),
        QStringList{QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("SEQITEMPRO"), QStringLiteral("DESCRITEM"),
                    QStringLiteral("DATALCTOPRO"), QStringLiteral("VENCIMENTO"), QStringLiteral("VALOR"),
                    QStringLiteral("CODIGOIMPOSTO"), QStringLiteral("VARIACAOIMPOSTO"), QStringLiteral("CODIGODOCEMP"),
                    QStringLiteral("CodigoFuncContr"), QStringLiteral("CANCELADO"), QStringLiteral("CHAVEORIGEM"),
                    QStringLiteral("CODIGOUSUARIO"), QStringLiteral("DATAHORACADASTRO"), QStringLiteral("ORIGEMDADO"),
                    QStringLiteral("COMPETENCIA")});
    sqlInsertItensPro->DependeDe(*sqlInsertPro);
    m_comandosDoLote.clear();
}

void TLyrDPGerarProtocoloBase::PegarValoresIniciais()
{
    m_codigoAtual = static_cast<double>(PegarProximoCodigo(QStringLiteral("PROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"), {}, 0, 1) - 1);
    bool numero = false;
    m_formaEntrega = PegarFormaEntrega(m_empresa, m_estab).toInt(&numero);
    if (!numero)
        m_formaEntrega = 2;
}

void TLyrDPGerarProtocoloBase::PegarCfgDescr(int tipo)
{
    m_modelo = PegarValorCampo(QStringLiteral("CFGTIPOPROTOCOLO"), QStringLiteral("DESCRTIPOPROTOCOLO"),
                               QStringLiteral("CODIGOTIPOPROTOCOLO = ") + QString::number(tipo))
                   .toString();
}

void TLyrDPGerarProtocoloBase::AtualizarOrigemItem(qint64, int) {}

TnSQLDataSet& TLyrDPGerarProtocoloBase::ComandoDoLote(const QString& texto)
{
    std::unique_ptr<TnSQLDataSet>& comando = m_comandosDoLote[texto];
    if (!comando) {
        comando = std::make_unique<TnSQLDataSet>(Conexao());
        comando->SetCommandText(texto);
    }
    return *comando;
}

void TLyrDPGerarProtocoloBase::RecusarOrigem(const QString& tabela, const QString& condicao)
{
    const QString descricao = m_item->DESCRITEM.AsString();
    if (!PegarTemRegistro(tabela, QStringLiteral("CODIGOPROTOCOLO"), condicao))
        throw EnErro(QStringLiteral("\"%1\" foi excluído por outro usuário. Execute a geração de novo.").arg(descricao));
    const QVariant entregue = PegarValorCampo(tabela, QStringLiteral("CODIGOPROTOCOLO"), condicao);
    if (entregue.isNull())
        throw EnErro(QStringLiteral("\"%1\" foi alterado por outro usuário. Execute a geração de novo.").arg(descricao));
    throw EnErro(QStringLiteral("\"%1\" já foi entregue no protocolo %2 por outro usuário. Execute a geração de novo.")
                     .arg(descricao, Valores::TextoPadrao(entregue)));
}

// Marks the item's debit as delivered in protocol `codigo`. The update only
// takes a debit still free: one delivered by another user since the preview
// was built (or deleted) stops the batch, which is undone, rather than put
// the debit in two protocols.
void TLyrDPGerarProtocoloBase::MarcarDebitoEntregue(qint64 codigo)
{
    const QString tabela = m_item->TABELA.AsString();
    const QString chave = QStringLiteral("CHAVEDEBITO") + m_item->TABELACHAVE.AsString();
    TnSQLDataSet& sqlUpdateDebito = ComandoDoLote(QStringLiteral("update %1 set CODIGOPROTOCOLO = :pCodigoPro where %2 = :pChaveDebito and "
                                                                 "CODIGOEMPRESA = :pCodigoEmpresa and CODIGOPROTOCOLO is null")
                                                      .arg(tabela, chave));
    sqlUpdateDebito.SetParamValues({codigo, m_item->CHAVEDEBITO.Value(), m_pro->CODIGOEMPRESA.Value()});
    if (sqlUpdateDebito.ExecSQL() == 1)
        return;
    RecusarOrigem(tabela, ValorParaSQL(chave, QStringLiteral("="), m_item->CHAVEDEBITO.Value()) + QStringLiteral(" and ")
                              + ValorParaSQL(QStringLiteral("CODIGOEMPRESA"), QStringLiteral("="), m_pro->CODIGOEMPRESA.Value()));
}

qint64 TLyrDPGerarProtocoloBase::GravarProtocolo(const QVariantList& protocolo, const QList<QVariantList>& itens,
                                                 const std::function<void(qint64)>& junto)
{
    nDMConexao& conexao = Conexao();
    conexao.StartTransaction(1);
    try {
        conexao.TravarNumeracao(QStringLiteral("PROTOCOLO"));
        const qint64 codigo = PegarProximoCodigo(QStringLiteral("PROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"), {}, 0, 1);
        sqlInsertPro->Adicionar(QVariantList{codigo} + protocolo);
        int seq = 0;
        for (const QVariantList& item : itens)
            sqlInsertItensPro->Adicionar(QVariantList{codigo, ++seq} + item);
        sqlInsertPro->Descarregar();
        sqlInsertItensPro->Descarregar();
        if (junto)
            junto(codigo);
        conexao.Commit(1);
        return codigo;
    } catch (...) {
        conexao.RollBack(1);
        sqlInsertPro->Descartar();
        sqlInsertItensPro->Descartar();
        throw;
    }
}

void TLyrDPGerarProtocoloBase::FiltrarItensDoProtocolo(bool ligado)
{
    if (ligado && nClientDataSet.Active() && !nClientDataSet.IsEmpty()) {
        nClientDataSetDet.SetFilter(QStringLiteral("CODIGOPROTOCOLO = ") + TextoDoCodigo(m_pro->CODIGOPROTOCOLO));
        nClientDataSetDet.SetFiltered(true);
    } else {
        nClientDataSetDet.SetFiltered(false);
    }
}

void TLyrDPGerarProtocoloBase::MarcarItem()
{
    if (!m_item || nClientDataSetDet.IsEmpty())
        return;
    if (!m_item->PROTOCOLO.IsNull()) {
        nShowMessage(QStringLiteral("Este item não pode ser selecionado, pois já teve o protocolo ") + m_item->PROTOCOLO.AsString()
                     + QStringLiteral(" gerado."));
        return;
    }
    nClientDataSetDet.Edit();
    m_item->GERAR.SetValue(m_item->GERAR.AsInteger() == 1 ? 0 : 1);
    nClientDataSetDet.CheckBrowseMode();
    SetTemAlteracao(true);
    int todos = 1;
    {
        TnSemControles semItens(nClientDataSetDet);
        const TnBookmark marca = nClientDataSetDet.GetBookmark();
        for (nClientDataSetDet.First(); !nClientDataSetDet.Eof(); nClientDataSetDet.Next()) {
            if (m_item->PROTOCOLO.IsNull() && m_item->GERAR.AsInteger() == 0)
                todos = 0;
        }
        // The protocol of the marked item (the walk may have left the protocol row).
        nClientDataSetDet.GotoBookmark(marca);
        if (nClientDataSet.Locate(QStringLiteral("CODIGOPROTOCOLO"), m_item->CODIGOPROTOCOLO.Value())) {
            nClientDataSet.Edit();
            m_pro->TODOSSELECIONADOS.SetValue(todos);
            nClientDataSet.Post();
        }
    }
}

void TLyrDPGerarProtocoloBase::MarcarItensMaster()
{
    if (!m_pro || nClientDataSet.IsEmpty())
        return;
    bool todos = true;
    {
        TnSemControles semItens(nClientDataSetDet);
        FiltrarItensDoProtocolo(true);
        for (nClientDataSetDet.First(); !nClientDataSetDet.Eof(); nClientDataSetDet.Next()) {
            if (!m_item->PROTOCOLO.IsNull())
                continue;
            nClientDataSetDet.Edit();
            if (m_item->GERAR.AsInteger() == 1) {
                m_item->GERAR.SetValue(0);
                todos = false;
            } else {
                m_item->GERAR.SetValue(1);
            }
            nClientDataSetDet.Post();
            SetTemAlteracao(true);
        }
        nClientDataSetDet.First();
    }
    nClientDataSet.Edit();
    m_pro->TODOSSELECIONADOS.SetValue(todos ? 1 : 0);
    nClientDataSet.Post();
}

void TLyrDPGerarProtocoloBase::DesmarcarItens()
{
    if (!m_item)
        return;
    TnSemControles semItens(nClientDataSetDet);
    const bool filtrado = nClientDataSetDet.Filtered();
    nClientDataSetDet.SetFiltered(false);
    for (nClientDataSetDet.First(); !nClientDataSetDet.Eof(); nClientDataSetDet.Next()) {
        if (m_item->GERAR.AsInteger() != 1)
            continue;
        nClientDataSetDet.Edit();
        m_item->GERAR.SetValue(0);
        nClientDataSetDet.Post();
        if (nClientDataSet.Locate(QStringLiteral("CODIGOPROTOCOLO"), m_item->CODIGOPROTOCOLO.Value())) {
            nClientDataSet.Edit();
            m_pro->TODOSSELECIONADOS.SetValue(0);
            nClientDataSet.Post();
        }
    }
    nClientDataSetDet.SetFiltered(filtrado);
    nClientDataSetDet.First();
}

void TLyrDPGerarProtocoloBase::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSetDet.Active() && TemAlteracao())
        nClientDataSetDet.CancelUpdates();
    DesmarcarItens();
    SetTemAlteracao(false);
}

void TLyrDPGerarProtocoloBase::actGravarExecute()
{
    LimparMsgTreeLista();
    if (!nClientDataSet.Active() || !nClientDataSetDet.Active() || !TemAlteracao() || !sqlInsertPro)
        return;
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples();
    progresso->ConfigurarProgressoTotal(nClientDataSet, QStringLiteral("Gerando Protocolos..."));
    const auto terminar = qScopeGuard([&] {
        progresso.reset();
        nClientDataSet.First();
        nClientDataSetDet.First();
        nClientDataSet.EnableControls();
        nClientDataSetDet.EnableControls();
        SetTemAlteracao(false);
    });
    nClientDataSetDet.SetFiltered(false);
    nClientDataSet.DisableControls();
    nClientDataSetDet.DisableControls();
    nClientDataSet.First();
    nClientDataSetDet.First();
    nDMConexao& conexao = Conexao();
    conexao.StartTransaction(1);
    try {
        // Two users saving at once. Another save waits here until this one
        // ends (an advisory lock on PostgreSQL; SQLite's transactions start
        // with the write lock), so the codes numbered from the highest one
        // stay free. Each source row is then taken by an update that only
        // matches while the row still carries what the preview read: a row
        // delivered meanwhile by the user who saved first matches nothing,
        // and this whole batch is undone with a message to generate again.
        // Row locks could not help (the preview is read minutes before, and
        // no transaction stays open while the user marks), and a serialisable
        // retry would save, unseen, a batch marked on rows that changed.
        conexao.TravarNumeracao(QStringLiteral("PROTOCOLO"));
        const TnLinhasGravadas gravadas = Gravar(*progresso);
        conexao.Commit(1);
        // What was written leaves the preview.
        nClientDataSetDet.ExcluirLinhas(gravadas.itens);
        nClientDataSet.ExcluirLinhas(gravadas.protocolos);
    } catch (const EnErro& erro) {
        conexao.RollBack(1);
        sqlInsertPro->Descartar();
        sqlInsertItensPro->Descartar();
        LimparMsgTreeLista();
        throw EnErro(QStringLiteral("Empresa: %1\r\nFilial: %2\r\nProtocolo: %3\r\n%4: %5")
                         .arg(m_pro->CODIGOEMPRESA.AsString(), m_pro->CODIGOESTAB.AsString(), m_pro->CODIGOPROTOCOLO.AsString(),
                              nClientDataSetDet.IsEmpty() ? QString() : m_item->TIPODEBITO.AsString(), erro.Mensagem()));
    }
}

// Writes each protocol row that has marked items with new consecutive codes
// and its marked items numbered from 1. Both previews are ordered by preview
// code, so one walk of each pairs a protocol with its items. Answers the
// rows that leave the preview: the items written and the protocols left
// without items.
TLyrDPGerarProtocoloBase::TnLinhasGravadas TLyrDPGerarProtocoloBase::Gravar(TnFraProgresso& progresso)
{
    TnLinhasGravadas gravadas;
    qint64 codigo = PegarProximoCodigo(QStringLiteral("PROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"), {}, 0, 1) - 1;
    m_primeiroCodigoDoLote = codigo + 1;
    nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
    nClientDataSetDet.SetIndexFieldNames(QStringLiteral("CODIGOPROTOCOLO"));
    nClientDataSetDet.First();
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        const double previa = m_pro->CODIGOPROTOCOLO.AsFloat();
        while (!nClientDataSetDet.Eof() && m_item->CODIGOPROTOCOLO.AsFloat() < previa)
            nClientDataSetDet.Next();
        int seq = 0;
        int restantes = 0;
        TnMsgNo noProtocolo;
        for (; !nClientDataSetDet.Eof() && m_item->CODIGOPROTOCOLO.AsFloat() == previa; nClientDataSetDet.Next()) {
            progresso.IncProgressoTotal();
            if (m_item->GERAR.AsInteger() != 1) {
                ++restantes;
                continue;
            }
            if (++seq == 1) {
                ++codigo;
                sqlInsertPro->Adicionar({codigo, m_pro->CODIGOEMPRESA.Value(), m_pro->CODIGOESTAB.Value(), m_pro->DATALCTOPRO.Value(),
                                         m_pro->TIPOPRO.Value(), m_pro->OBSERVACAO.Value(), m_pro->DATAHORACADASTRO.Value(),
                                         m_pro->CODIGOUSUARIO.Value(), m_pro->FORMAENTREGA.Value(), m_pro->NATUREZAPRO.Value(),
                                         m_pro->CANCELADO.Value(), m_pro->ORIGEMDADO.Value()});
                noProtocolo = MsgTree(5, QStringLiteral("Protocolo %1 gerado com sucesso para a Empresa %2, Filial %3")
                                             .arg(codigo)
                                             .arg(m_pro->EMPRESA.AsString(), m_pro->ESTAB.AsString()));
            }
            sqlInsertItensPro->Adicionar({codigo, QString::number(seq), m_item->DESCRITEM.Value(), m_item->DATALCTOPRO.Value(),
                                          m_item->VENCIMENTO.Value(), m_item->VALOR.Value(), m_item->CODIGOIMPOSTO.Value(),
                                          m_item->VARIACAOIMPOSTO.Value(), m_item->CODIGODOCEMP.Value(), m_item->CodigoFuncContr.Value(),
                                          m_item->CANCELADO.Value(), m_item->CHAVEORIGEM.Value(), m_item->CODIGOUSUARIO.Value(),
                                          m_item->DATAHORACADASTRO.Value(), m_item->ORIGEMDADO.Value(), m_item->COMPETENCIA.Value()});
            MsgTree(5, m_item->TIPODEBITO.AsString() + QStringLiteral(" - ") + m_item->DESCRITEM.AsString(), noProtocolo);
            if (!m_item->TABELA.AsString().isEmpty()) {
                MarcarDebitoEntregue(codigo);
            } else {
                AtualizarOrigemItem(codigo, seq);
            }
            gravadas.itens.append(nClientDataSetDet.GetBookmark());
        }
        if (restantes == 0)
            gravadas.protocolos.append(nClientDataSet.GetBookmark());
    }
    sqlInsertItensPro->Descarregar();
    return gravadas;
}
