#include "gerarprotocolo.h"

#include "comandosfontes.h"
#include "conexao.h"
#include "dicionario.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "sqlservicos.h"
#include "tiposprotocolo.h"
#include "valores.h"

#include <QDateTime>
#include <QScopeGuard>

#include <tuple>

namespace {

QString Titulos(const QList<int>& tipos)
{
    QStringList titulos;
    for (int tipo : tipos)
        titulos.append(GetTitulo(tipo));
    return titulos.join(QStringLiteral(", "));
}

// "0042": a whole number with at least `digitos` digits.
QString Zeros(const QVariant& valor, int digitos)
{
    return QStringLiteral("%1").arg(Valores::ParaInteiro(valor), digitos, 10, QChar(u'0'));
}

} // namespace

TLyrDPGerarProtocolo::TLyrDPGerarProtocolo()
{
    TnpqPowerParam& p = npqPowerParam;
    p.AddData(QStringLiteral("pDataInicial"), QStringLiteral("Data Inicial"), 0).Requerid = true;
    p.AddData(QStringLiteral("pDataFinal"), QStringLiteral("Data Final"), 1).Requerid = true;
    p.AddCombo(QStringLiteral("pTipoData"), QStringLiteral("Filtrar"), 2, QStringLiteral("Data Apuração=1;Data Vencimento=2;"), QStringLiteral("1"),
               QStringLiteral("Selecione o tipo de data que deseja usar para filtro das informações"))
        .Requerid = true;
    p.AddCombo(QStringLiteral("pFormaGer"), QStringLiteral("Gerar"), 3, QStringLiteral("Protocolo Único=1;Dividido em Tipos=2;"),
               QStringLiteral("2"), QStringLiteral("Selecione a maneira que deseja gerar o protocolo"))
        .Requerid = true;
    TnpqParamItem& tipo = p.Add(QStringLiteral("pTipo"), QStringLiteral("Tipo"), 4);
    tipo.CtrlType = TnTipoControle::ntcCheckListBox;
    tipo.CtrlNameValues = NomesValoresTiposGeracao().join(u';');
    tipo.Value = QStringLiteral("1;2;3;4;5");
    tipo.Requerid = true;
    p.AddCombo(QStringLiteral("pTipoFolha"), QStringLiteral("Tipo Folha"), 5, QStringLiteral("Totalizar=1;Por Funcionário=2;"),
               QStringLiteral("1"), QStringLiteral("Selecione como serão listados os valores da folha"))
        .Requerid = true;
    p.AddCombo(QStringLiteral("pListarDebitos"), QStringLiteral("Listar"), 10, QStringLiteral("Sem Protocolo=0;Todos=1"), QString())
        .Requerid = true;
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 13, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Estab"), 15, QStringLiteral("CODIGOESTAB"));
    npqPowerParam.OnParamChange = [this](TnpqParamItem& item) { npqPowerParamParamChange(item); };
    npqPowerParamParamChange(tipo);
}

void TLyrDPGerarProtocolo::DataModuleCreate()
{
    TLyrDPGerarProtocoloBase::DataModuleCreate();
    SetMsgTreeExibir(true);
    SetActionGravar(true);
    SetActionCancelar(true);
}

void TLyrDPGerarProtocolo::DepoisConfigurar(TnFormulario* formulario)
{
    TLyrDPGerarProtocoloBase::DepoisConfigurar(formulario);
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Selecionar item."), QStringLiteral("Selecionar item."), 112,
                    [this](TnAction&) {
                        // Items of an open protocol, or every item of the protocol.
                        if (nClientDataSetDet.Filtered())
                            MarcarItem();
                        else
                            MarcarItensMaster();
                    },
                    QStringLiteral("Ctrl+Return"))
        .SetEnabled(false);
    CriarToolButton(QStringLiteral("Selecionar todos."), QStringLiteral("Selecionar todos."), 196, [this](TnAction&) { SelecionarTodos(); },
                    QStringLiteral("Ctrl+Ins"))
        .SetEnabled(false);
}

void TLyrDPGerarProtocolo::npqPowerParamParamChange(TnpqParamItem& item)
{
    if (item.Alias.compare(QStringLiteral("pTipo"), Qt::CaseInsensitive) != 0)
        return;
    TnpqParamItem& folha = npqPowerParam.ParamByAlias(QStringLiteral("pTipoFolha"));
    const bool comFolha = item.Valores().contains(QStringLiteral("6"));
    folha.Habilitado = comFolha;
    folha.Requerid = comFolha;
}

void TLyrDPGerarProtocolo::ConferirParametros()
{
    TLyrDPGerarProtocoloBase::ConferirParametros();
    bool ok = false;
    m_inicio = Valores::LerDataHora(Param(QStringLiteral("pDataInicial")), &ok).date();
    if (!ok)
        throw EnParam(QStringLiteral("pDataInicial"), QStringLiteral("Valor de data inicial invalido."));
    m_fim = Valores::LerDataHora(Param(QStringLiteral("pDataFinal")), &ok).date();
    if (!ok)
        throw EnParam(QStringLiteral("pDataFinal"), QStringLiteral("Valor de data final invalido."));
    if (m_inicio > m_fim)
        throw EnParam(QStringLiteral("pDataInicial"), QStringLiteral("A data inicial não pode ser posterior à data final."));
    // Only the forms the list offers: any other number would list nothing
    // and save nothing, without a word.
    const TnpqParamItem& forma = npqPowerParam.ParamByAlias(QStringLiteral("pFormaGer"));
    m_formaGeracao = forma.Value.toInt(&ok);
    if (!ok || !forma.Oferece(forma.Value))
        throw EnParam(QStringLiteral("pFormaGer"), QStringLiteral("Valor invalido para forma de geração."));
    m_empresas = Param(QStringLiteral("pCodigoEmpresa"));
    m_estabs = Param(QStringLiteral("pCodigoEstab"));
    m_tipos = Param(QStringLiteral("pTipo")).split(u';', Qt::SkipEmptyParts);
    const TnpqParamItem& folha = npqPowerParam.ParamByAlias(QStringLiteral("pTipoFolha"));
    if (folha.Habilitado) {
        m_modoFolha = folha.Value.toInt(&ok);
        if (!ok || !folha.Oferece(folha.Value))
            throw EnParam(QStringLiteral("pTipoFolha"), QStringLiteral("Valor invalido."));
    }
}

void TLyrDPGerarProtocolo::ValidarDado()
{
    TLyrDPGerarProtocoloBase::ValidarDado();
    // The establishments of the run, read once: checked here, walked by the first pass.
    m_lista = CriarListaEmpresaEstab(m_empresas, m_estabs);
    if (m_lista->IsEmpty())
        throw EnParam(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Nenhuma filial ativa corresponde às empresas e filiais informadas."));
}

void TLyrDPGerarProtocolo::Executar()
{
    LimparMsgTreeLista();
    for (TnAction* botao : ToolButtons().Todas())
        botao->SetEnabled(true);
    TLyrDPGerarProtocoloBase::Executar();
    for (TnAction* botao : ToolButtons().Todas())
        botao->SetEnabled(!nClientDataSet.IsEmpty());
}

void TLyrDPGerarProtocolo::GerarProtocolo()
{
    try {
        m_raiz = MsgTree(4, Titulos(ListaConstCTR() + ListaConstFPA()));
        PrimeiraPassagem();
        m_raiz = MsgTree(4, Titulos(ListaConstFIN()));
        SegundaPassagem();
    } catch (const EnAbort&) {
        // "Cancelar" on the progress: what was listed stays, to be marked
        // and saved like any preview.
        MsgTreeLista().SetarIconInformacao(
            MsgTree(4, QStringLiteral("Geração interrompida pelo usuário: a prévia tem só o que foi listado até então.")));
    }
}

void TLyrDPGerarProtocolo::PrimeiraPassagem()
{
    if (!m_lista)
        m_lista = CriarListaEmpresaEstab(m_empresas, m_estabs);
    TnSQLDataSet* lista = m_lista.get();
    m_consulta = std::make_unique<TnSQLDataSet>(Conexao());
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    const auto liberar = qScopeGuard([&] {
        m_consulta.reset();
        m_lista.reset();
    });
    progresso->MostrarMultiplo();
    progresso->SetPodeCancelar(true);
    progresso->ConfigurarProgressoTotal(*lista);
    int ultimaEmpresa = 0;
    for (lista->First(); !lista->Eof(); lista->Next()) {
        progresso->ChecarCancelamento();
        int itensDoEstab = 0;
        m_empresa = lista->FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
        m_estab = lista->FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
        m_nomeEmpresa = lista->FieldByName(QStringLiteral("NOMEEMPRESA")).AsString();
        m_nomeEstab = lista->FieldByName(QStringLiteral("APELIDOESTAB")).AsString();
        if (m_empresa != ultimaEmpresa)
            m_noEmpresa = MsgTree(4, QStringLiteral("Empresa: %1 - %2").arg(m_empresa).arg(m_nomeEmpresa), m_raiz);
        m_noEstab = MsgTree(4, QStringLiteral("Filial: %1 - %2").arg(m_estab).arg(m_nomeEstab), m_noEmpresa);
        progresso->ConfigurarProgressoParcial(1, static_cast<int>(m_tipos.size()));
        progresso->IncProgressoTotal(QStringLiteral("%1 - %2  -  %3 - %4").arg(m_empresa).arg(m_nomeEmpresa).arg(m_estab).arg(m_nomeEstab));
        ultimaEmpresa = m_empresa;
        if (!ChecarFilial(m_empresa, m_estab))
            continue;
        m_formaEntrega = FormaEntrega(m_empresa, m_estab);
        int protocolos = 0;
        if (m_formaGeracao == 1)
            protocolos = InserirPro(m_empresa, m_estab, m_nomeEmpresa, m_nomeEstab);
        for (const QString& tipo : std::as_const(m_tipos)) {
            m_tipoAtual = tipo.toInt();
            int itensDoTipo = 0;
            m_tituloAtual = GetTitulo(m_tipoAtual);
            progresso->IncProgressoParcial(m_tituloAtual);
            if (CarregarDados() == 1) {
                if (m_formaGeracao == 2)
                    protocolos += InserirPro(m_empresa, m_estab, m_nomeEmpresa, m_nomeEstab);
                itensDoTipo = InserirItensPro();
                itensDoEstab += itensDoTipo;
            }
            if (itensDoTipo > 0)
                MsgTree(5, QStringLiteral("%1: %2 itens listados").arg(m_tituloAtual).arg(itensDoTipo), m_noEstab);
        }
        if (itensDoEstab >= 1) {
            MsgTreeLista().SetarIconConfirmacao(m_noEmpresa);
            MsgTreeLista().SetarIconConfirmacao(m_noEstab);
        } else {
            if (protocolos > 0)
                nClientDataSet.Delete();
            if (m_formaGeracao == 1)
                m_codigoAtual = --m_ultimoCodigo;
            MsgTreeLista().SetarIconInformacao(MsgTree(4, QStringLiteral("Nenhum item foi listado"), m_noEstab));
        }
    }
}

void TLyrDPGerarProtocolo::PegarValoresIniciais()
{
    TLyrDPGerarProtocoloBase::PegarValoresIniciais();
    m_ultimoCodigo = m_codigoAtual;
}

bool TLyrDPGerarProtocolo::ChecarFilial(int empresa, int estab)
{
    if (ChecarConfiguracaoPro(empresa, estab))
        return true;
    MsgTree(0, QStringLiteral("Filial não configurada no Protocolo."), m_noEstab);
    MsgTreeLista().SetarIconErro(m_noEstab);
    MsgTreeLista().SetarIconErro(m_noEmpresa);
    return false;
}

int TLyrDPGerarProtocolo::FormaEntrega(int empresa, int estab)
{
    bool numero = false;
    const int forma = PegarFormaEntrega(empresa, estab).toInt(&numero);
    return numero ? forma : 2;
}

// A financial client's items may go into an earlier protocol (single form),
// so a new protocol takes the next code after the highest handed out, never
// one after the current protocol's.
int TLyrDPGerarProtocolo::InserirPro(int empresa, int estab, const QString& nomeEmpresa, const QString& nomeEstab)
{
    m_codigoAtual = ++m_ultimoCodigo;
    const QDateTime agora = QDateTime::currentDateTime();
    QString observacao = QStringLiteral("Gerado em ") + Valores::TextoDataHora(agora);
    if (m_formaGeracao == 2)
        observacao = m_tituloAtual + QStringLiteral(" - ") + observacao;
    nClientDataSet.Append();
    Pro().CODIGOPROTOCOLO.SetValue(m_codigoAtual);
    Pro().CODIGOEMPRESA.SetValue(empresa);
    Pro().CODIGOESTAB.SetValue(estab);
    Pro().EMPRESA.SetValue(QStringLiteral("%1 - %2").arg(empresa).arg(nomeEmpresa));
    Pro().ESTAB.SetValue(QStringLiteral("%1 - %2").arg(estab).arg(nomeEstab));
    Pro().DATALCTOPRO.SetValue(agora);
    Pro().TIPOPRO.SetValue(1);
    Pro().OBSERVACAO.SetValue(observacao.left(50));
    Pro().DATAHORACADASTRO.SetValue(agora);
    Pro().CODIGOUSUARIO.SetValue(Conexao().CodigoUsuario());
    Pro().FORMAENTREGA.SetValue(QString::number(m_formaEntrega));
    Pro().NATUREZAPRO.SetValue(QStringLiteral("1"));
    Pro().CANCELADO.SetValue(0);
    Pro().ORIGEMDADO.SetValue(1);
    Pro().TODOSSELECIONADOS.SetValue(0);
    nClientDataSet.Post();
    m_seqItem = 0;
    return 1;
}

int TLyrDPGerarProtocolo::CarregarDados()
{
    m_consulta->Close();
    if (InIntArray(m_tipoAtual, ListaConstCTR())) {
        if (const TnTabelaDebito* tabela = TabelaDebitoDoTipo(m_tipoAtual))
            m_tabelaDebito = tabela->tabela;
        return CarregarDadosCtr();
    }
    if (InIntArray(m_tipoAtual, ListaConstFPA()))
        return CarregarDadosFpa();
    return 0;
}

int TLyrDPGerarProtocolo::ListarDebitos() const
{
    bool numero = false;
    const int listar = Param(QStringLiteral("pListarDebitos")).toInt(&numero);
    return numero ? listar : 0;
}

int TLyrDPGerarProtocolo::CarregarDadosCtr()
{
    m_sufixo = SufixoChaveDebito(m_tabelaDebito);
    m_consulta->SetCommandText(ComandoDebitos(m_tabelaDebito, Param(QStringLiteral("pTipoData"))));
    m_consulta->SetParamValues({m_empresa, m_estab, m_inicio, m_fim, ListarDebitos()});
    m_consulta->Open();
    return m_consulta->IsEmpty() ? 0 : 1;
}

int TLyrDPGerarProtocolo::CarregarDadosFpa()
{
    bool numero = false;
    int tipoData = Param(QStringLiteral("pTipoData")).toInt(&numero);
    if (!numero)
        tipoData = 1;
    m_consulta->SetCommandText(ComandoFolha(m_tipoAtual, m_modoFolha, tipoData));
    m_consulta->ParamByName(QStringLiteral("pDataInicial")).SetValue(m_inicio);
    m_consulta->ParamByName(QStringLiteral("pDataFinal")).SetValue(m_fim);
    m_consulta->ParamByName(QStringLiteral("pCodigoEmpresa")).SetValue(m_empresa);
    m_consulta->ParamByName(QStringLiteral("pCodigoEstab")).SetValue(m_estab);
    if (m_tipoAtual != 6)
        m_consulta->ParamByName(QStringLiteral("pListarDebitos")).SetValue(ListarDebitos());
    m_consulta->Open();
    return m_consulta->IsEmpty() ? 0 : 1;
}

int TLyrDPGerarProtocolo::InserirItensPro()
{
    PegarCfgDescr(m_tipoAtual);
    if (InIntArray(m_tipoAtual, ListaConstCTR()))
        return InserirItensCtr();
    if (InIntArray(m_tipoAtual, ListaConstFPA()))
        return InserirItensFpa();
    return 0;
}

void TLyrDPGerarProtocolo::NovoItem(const QDateTime& agora)
{
    ++m_seqItem;
    nClientDataSetDet.Append();
    Item().CODIGOPROTOCOLO.SetValue(m_codigoAtual);
    Item().SEQITEMPRO.SetValue(m_seqItem);
    Item().TIPODEBITO.SetValue(m_tituloAtual);
    Item().COMPETENCIA.SetValue(Competencia());
    Item().DATALCTOPRO.SetValue(agora);
    Item().DATAHORACADASTRO.SetValue(agora);
    Item().CODIGOUSUARIO.SetValue(Conexao().CodigoUsuario());
    Item().ORIGEMDADO.SetValue(1);
    Item().CANCELADO.SetValue(0);
    Item().GERAR.SetValue(0);
}

int TLyrDPGerarProtocolo::InserirItensCtr()
{
    int quantos = 0;
    const QDateTime agora = QDateTime::currentDateTime();
    for (m_consulta->First(); !m_consulta->Eof(); m_consulta->Next()) {
        const auto coluna = [this](const char* nome) { return m_consulta->FieldByName(QString::fromLatin1(nome)); };
        NovoItem(agora);
        Item().DESCRITEM.SetValue(MontarDescricaoCTR());
        Item().VENCIMENTO.SetValue(coluna("DATAVENCIMENTO").Value());
        Item().VALOR.SetValue(coluna("VALORDEBITO").Value());
        Item().CODIGOIMPOSTO.SetValue(coluna("CODIGOIMPOSTO").AsString().isEmpty() ? QVariant() : QVariant(coluna("CODIGOIMPOSTO").AsInteger()));
        Item().VARIACAOIMPOSTO.SetValue(coluna("VARIACAOIMPOSTO").AsString().isEmpty() ? QVariant()
                                                                                        : QVariant(coluna("VARIACAOIMPOSTO").AsInteger()));
        Item().CHAVEORIGEM.SetValue(MontarChaveOrigem(m_tipoAtual, m_empresa, coluna("CHAVEDEBITO").AsLargeInt()));
        Item().MODULO.SetValue(coluna("CHAVEORIGEM").AsString());
        Item().CHAVEDEBITO.SetValue(coluna("CHAVEDEBITO").Value());
        Item().PROTOCOLO.SetValue(coluna("CODIGOPROTOCOLO").IsNull() ? QVariant() : coluna("CODIGOPROTOCOLO").Value());
        Item().TABELA.SetValue(m_tabelaDebito);
        Item().TABELACHAVE.SetValue(m_sufixo);
        nClientDataSetDet.Post();
        ++quantos;
    }
    return quantos;
}

int TLyrDPGerarProtocolo::InserirItensFpa()
{
    int quantos = 0;
    const QDateTime agora = QDateTime::currentDateTime();
    for (m_consulta->First(); !m_consulta->Eof(); m_consulta->Next()) {
        QVariant empregado;
        if (m_modoFolha == 2 || m_tipoAtual == 7 || m_tipoAtual == 8)
            empregado = m_consulta->FieldByName(QStringLiteral("CodigoFuncContr")).Value();
        NovoItem(agora);
        Item().DESCRITEM.SetValue(MontarDescricaoFPA());
        Item().VENCIMENTO.SetValue(m_consulta->FieldByName(QStringLiteral("DATAPGTO")).Value());
        Item().VALOR.SetValue(m_consulta->FieldByName(QStringLiteral("VALOR")).Value());
        Item().CodigoFuncContr.SetValue(empregado);
        Item().CHAVEORIGEM.SetValue(ChaveOrigemFolha(m_tipoAtual));
        Item().MODULO.SetValue(QStringLiteral("FPA"));
        Item().PROTOCOLO.SetValue(m_consulta->FieldByName(QStringLiteral("CODIGOPROTOCOLO")).Value());
        nClientDataSetDet.Post();
        ++quantos;
    }
    return quantos;
}

QString TLyrDPGerarProtocolo::MontarDescricaoCTR() const
{
    const auto posicao = [this](int indice) { return m_consulta->Fields(indice).Value(); };
    const auto texto = [&](int indice) { return Valores::TextoPadrao(posicao(indice)); };
    QList<std::pair<QString, QString>> valores = {
        {QStringLiteral("[CODIGOEMPRESA]"), Zeros(posicao(0), 4)},
        {QStringLiteral("[CHAVEDEBITO]"), Zeros(posicao(1), 6)},
        {QStringLiteral("[CODIGOESTAB]"), Zeros(posicao(2), 4)},
        {QStringLiteral("[CODIGOIMPOSTO]"), texto(3)},
        {QStringLiteral("[VARIACAOIMPOSTO]"), texto(4)},
        {QStringLiteral("[DATALCTOCTR]"), texto(5)},
        {QStringLiteral("[DATAFINAL]"), texto(6)},
        {QStringLiteral("[COMPETENCIA]"), posicao(6).isNull() ? QString() : Valores::ParaData(posicao(6)).toString(QStringLiteral("MM/yyyy"))},
        {QStringLiteral("[VALORDEBITO]"), texto(7)},
        {QStringLiteral("[DATAVENCIMENTO]"), texto(8)},
        {QStringLiteral("[FORMADEBITO]"), texto(9)},
        {QStringLiteral("[SITUACAODEBITO]"), texto(10)},
        {QStringLiteral("[CODIGOTABCTBCTR]"), texto(11)},
        {QStringLiteral("[CHAVEORIGEM]"), texto(12)},
        {QStringLiteral("[CODIGOUSUARIO]"), texto(13)},
        {QStringLiteral("[DATAHORADEBITO]"), texto(14)},
        {QStringLiteral("[DESCRIMPOSTO]"), texto(16)},
        {QStringLiteral("[DESCRPROTOCOLO]"), texto(17)},
    };
    const bool comEmpregado = m_consulta->FindField(QStringLiteral("CodigoFuncContr")).Index() >= 0;
    if (m_consulta->FindField(QStringLiteral("OBSERVDEBITO")).Index() >= 0)
        valores.append({QStringLiteral("[OBSERVDEBITO]"), texto(18)});
    if (comEmpregado)
        valores.append({QStringLiteral("[CodigoFuncContr]"), Zeros(posicao(19), 4)});
    if (m_consulta->FindField(QStringLiteral("NOMEFUNC")).Index() >= 0)
        valores.append({QStringLiteral("[NOMEFUNC]"), texto(20)});
    QString descricao = ExpandirModelo(m_modelo, valores);
    if (descricao.isEmpty())
        descricao = texto(16);
    if (descricao.isEmpty())
        descricao = comEmpregado ? Zeros(posicao(19), 4) + QStringLiteral(" - ") + texto(20)
                                 : QStringLiteral("Sem descrição para o débito ") + texto(0);
    return descricao.left(100);
}

QString TLyrDPGerarProtocolo::MontarDescricaoFPA() const
{
    const auto texto = [this](const QString& coluna) { return Valores::TextoPadrao(m_consulta->FieldByName(coluna).Value()); };
    QList<std::pair<QString, QString>> valores;
    if (m_tipoAtual == 6 && m_modoFolha == 1) {
        valores = {{QStringLiteral("[QUANTIDADE]"), QStringLiteral("Qtde ") + Zeros(m_consulta->FieldByName(QStringLiteral("QUANTIDADE")).Value(), 4)},
                   {QStringLiteral("[CodigoFuncContr]"), QString()},
                   {QStringLiteral("[NOMEFUNC]"), QString()}};
    } else if (m_tipoAtual == 6) {
        valores = {{QStringLiteral("[QUANTIDADE]"), QString()},
                   {QStringLiteral("[CodigoFuncContr]"), Zeros(m_consulta->FieldByName(QStringLiteral("CodigoFuncContr")).Value(), 4)},
                   {QStringLiteral("[NOMEFUNC]"), texto(QStringLiteral("NOMEFUNC"))}};
    } else if (m_tipoAtual == 7) {
        valores = {{QStringLiteral("[CodigoFuncContr]"), Zeros(m_consulta->FieldByName(QStringLiteral("CodigoFuncContr")).Value(), 4)},
                   {QStringLiteral("[NOMEFUNC]"), texto(QStringLiteral("NOMEFUNC"))}};
        for (const char* coluna : {"COMPLEMENTAR", "CODIGOCAUSA", "CODIGOSAQUE", "TIPOAFASTSEFIP", "TIPOAFASTCAGED", "TIPOAFASTRAIS",
                                   "CODIGOMOTDEM", "DATARESC", "DATAAVPREVIO", "DIASTRAB", "DIASAVINDEN", "DIASAVREAV", "DIASESTABIL",
                                   "DIASGRATIF", "SALFINAL", "FGTSMESANT", "CODIGOFPAS", "CODIGOOUTEMP", "SALDOFGTS", "REMMULTA",
                                   "VALORMULTA", "REMMULTARECOL", "VALORMULTARECOL", "BASEINSS", "DEDUCAO", "FGTSRECOL", "VALORINSS",
                                   "REMUNRESCISAO", "REPOSICAOVAGA", "AVISOPREVIO"})
            valores.append({QStringLiteral("[%1]").arg(QLatin1String(coluna)), texto(QLatin1String(coluna))});
    } else if (m_tipoAtual == 8) {
        valores = {{QStringLiteral("[CodigoFuncContr]"), texto(QStringLiteral("CodigoFuncContr"))}};
        for (const char* coluna : {"DATAINICIAL", "DATAINICIALFERIAS", "DATAFINALFERIAS", "DATAABONO", "PAGAADTO13", "DATAPGTO", "DESCADTO",
                                   "FORMAGERACAO", "DIASDOBROFERIAS", "DIASDOBROABONO", "TIPORECIBO", "DATARETORNOFERIAS", "DATAAVISO",
                                   "DATASOLICABONO", "DIASABONO", "DIASFERIAS", "DIASREMUN", "DESCONTPARCELA", "NUMEROPARCELA",
                                   "COMPETINICIAL", "DIASPREMIO", "VALOR", "NOMEFUNC"})
            valores.append({QStringLiteral("[%1]").arg(QLatin1String(coluna)), texto(QLatin1String(coluna))});
    }
    const QString descricao = ExpandirModelo(m_modelo, valores);
    return descricao.isEmpty() ? QStringLiteral("Geração automática") : descricao;
}

void TLyrDPGerarProtocolo::SelecionarTodos()
{
    if (!nClientDataSet.Active())
        return;
    {
        nClientDataSet.DisableControls();
        nClientDataSetDet.DisableControls();
        // Every item of the preview, not only those of the protocol the
        // screen shows below the protocols.
        const bool filtrado = nClientDataSetDet.Filtered();
        nClientDataSetDet.SetFiltered(false);
        const auto ligar = qScopeGuard([this, filtrado] {
            nClientDataSetDet.SetFiltered(filtrado);
            nClientDataSet.First();
            nClientDataSet.EnableControls();
            nClientDataSetDet.EnableControls();
        });
        for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
            nClientDataSet.Edit();
            Pro().TODOSSELECIONADOS.SetValue(1);
            nClientDataSet.Post();
        }
        for (nClientDataSetDet.First(); !nClientDataSetDet.Eof(); nClientDataSetDet.Next()) {
            if (!Item().PROTOCOLO.IsNull())
                continue;
            nClientDataSetDet.Edit();
            if (Item().GERAR.AsInteger() != 1) {
                Item().GERAR.SetValue(1);
            } else {
                Item().GERAR.SetValue(0);
                if (nClientDataSet.Locate(QStringLiteral("CODIGOPROTOCOLO"), Item().CODIGOPROTOCOLO.Value())) {
                    nClientDataSet.Edit();
                    Pro().TODOSSELECIONADOS.SetValue(0);
                    nClientDataSet.Post();
                }
            }
            nClientDataSetDet.Post();
        }
    }
    SetTemAlteracao(true);
}
