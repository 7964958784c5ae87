#include "configuracaoentrega.h"

#include "conexao.h"
#include "dialogos.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "progresso.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QScopeGuard>

namespace {

const QString kGrupo = QStringLiteral("CODIGOGRUPODOC");
const QString kForma = QStringLiteral("FORMAENTREGA");
const QString kMesmoEndereco = QStringLiteral("MESMOENDERECOENT");
const QStringList kFormas = {QStringLiteral("Retirado=1"), QStringLiteral("Entregue em Mãos=2"), QStringLiteral("Entregue via Internet=3")};

} // namespace

TLyrDPConfiguracaoEntrega::TLyrDPConfiguracaoEntrega()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Configurar Forma Entrega");
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 0, QStringLiteral("CODIGOEMPRESA")).Hint =
        QStringLiteral("Informe o código da empresa");
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Filial"), 1, QStringLiteral("CODIGOESTAB")).Hint =
        QStringLiteral("Informe o código da filial");
    SetGradeEditavel(true);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},
                                 {kGrupo, TnFieldType::SmallInt},
                                 {kForma, TnFieldType::String, 20},
                                 {kMesmoEndereco, TnFieldType::String, 20}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOEMPRESA", "Empresa"}, {"CODIGOESTAB", "Filial"}, {"CODIGOGRUPODOC", "Grupo Documento"},
                                   {"FORMAENTREGA", "Forma Entrega", 20}, {"MESMOENDERECOENT", "Mesmo Endereço", 10}});
    for (const char* chave : {"CODIGOEMPRESA", "CODIGOESTAB"})
        nClientDataSet.FieldByName(QLatin1String(chave)).SetReadOnly(true);
    LigarAoDicionario(nClientDataSet.FieldByName(kGrupo), kGrupo);
    for (const auto& [campo, valores] : {std::pair{kForma, kFormas}, std::pair{kMesmoEndereco, QStringList{QStringLiteral("Sim=1"), QStringLiteral("Não=0")}}}) {
        TnField& lista = nClientDataSet.FieldByName(campo);
        lista.Definicao().TipoControle = TnTipoControle::ntcComboBox;
        lista.Definicao().NomesValores = valores;
        lista.Definicao().GridButtonStyle = TnGridButtonStyle::cbsAuto;
    }
    nClientDataSet.SetAfterPost([this](TnClientDataSet&) { SetTemAlteracao(true); });
    nClientDataSet.Tela().Aparencia.OrdenarPeloTitulo = true;
    nClientDataSet.Tela().Aparencia.MenuDeContexto = {
        {QStringLiteral("Configurar Grupo de Documentos/Forma Entrega"), 46, [this] { ConfigurarLinha(); }},
        {QStringLiteral("Configurar Grupo de Documentos/Forma Entrega (Todos)"), 45, [this] { ConfigurarTodas(); }}};
}

void TLyrDPConfiguracaoEntrega::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Configuração da Forma de Entrega do Documento"));
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Cofiguracoes"), QStringLiteral("Efetuar configurações (Registro selecionado)"), 46,
                    [this](TnAction&) { ConfigurarLinha(); }, QStringLiteral("Ctrl+T"));
    CriarToolButton(QStringLiteral("ConfiguracoesTodos"), QStringLiteral("Efetuar configurações (Todos os registros)"), 45,
                    [this](TnAction&) { ConfigurarTodas(); }, QStringLiteral("Ctrl+Ins"));
}

// Every row starts empty: what is saved replaces what is stored.
void TLyrDPConfiguracaoEntrega::Executar()
{
    TnDMPowerParamTab::Executar();
    TnSemControles semControles(nClientDataSet);
    nClientDataSet.EmptyDataSet();
    std::unique_ptr<TnSQLDataSet> filiais =
        CriarListaEmpresaEstab(Param(QStringLiteral("pCodigoEmpresa")), Param(QStringLiteral("pCodigoEstab")));
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Carregando filiais..."));
    progresso->ConfigurarProgressoTotal(filiais->RecordCount());
    for (int linha = 0; linha < filiais->RecordCount(); ++linha) {
        nClientDataSet.AppendRecord({filiais->Valor(linha, 0), filiais->Valor(linha, 1), QVariant(), QVariant(), QVariant()});
        progresso->IncProgressoTotal();
    }
    nClientDataSet.SetIndexFieldNames(QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"));
    nClientDataSet.First();
    SetTemAlteracao(false);
}

bool TLyrDPConfiguracaoEntrega::PedirConfiguracao(bool umaLinha)
{
    QStringList formas;
    for (const QString& forma : kFormas)
        formas.append(forma.section(u'=', 0, 0));
    TnQuestionario configuracao{QStringLiteral("Informe as configurações!")};
    TnCampoQuestionario grupo{QStringLiteral("grupo"), QStringLiteral("Grupo Tipo Doc"), 0};
    grupo.minimo = 0;
    grupo.maximo = 9999;
    grupo.descricao = [](const QVariant& codigo) {
        return PegarValorCampo(QStringLiteral("PROTOCOLOGRUPODOC"), QStringLiteral("DESCRGRUPODOC"),
                               ValorParaSQL(kGrupo, QStringLiteral("="), codigo.toInt()))
            .toString();
    };
    configuracao.campos = {grupo, {QStringLiteral("forma"), QStringLiteral("Forma de Entrega"), formas.at(1), formas}};
    configuracao.validar = [formas](const TnQuestionario& q) -> std::optional<TnRecusaQuestionario> {
        const int codigo = q.Valor(QStringLiteral("grupo")).toInt();
        if (!PegarTemRegistro(QStringLiteral("PROTOCOLOGRUPODOC"), kGrupo, ValorParaSQL(kGrupo, QStringLiteral("="), codigo)))
            return TnRecusaQuestionario{QStringLiteral("Grupo %1 não cadastrado.").arg(codigo), QStringLiteral("grupo")};
        if (!formas.contains(q.Valor(QStringLiteral("forma")).toString()))
            return TnRecusaQuestionario{QStringLiteral("Escolha a forma de entrega na lista."), QStringLiteral("forma")};
        return std::nullopt;
    };
    if (!nPedirQuestionario(configuracao))
        return false;
    m_grupo = configuracao.Valor(QStringLiteral("grupo")).toInt();
    m_formaEntrega = static_cast<int>(formas.indexOf(configuracao.Valor(QStringLiteral("forma")).toString())) + 1;
    // Delivered by hand: at the establishment's address, or at another one.
    if (m_formaEntrega != 2)
        return true;
    m_mesmoEndereco = nMessageDlg(QStringLiteral("O endereço de entrega dos protocolos é o mesmo da filial?"), TnTipoDlg::Confirmacao,
                                  {QStringLiteral("Sim"), QStringLiteral("Não")})
                      == 0;
    if (m_mesmoEndereco)
        return true;
    if (!umaLinha) {
        nMessageDlg(QStringLiteral("Atenção! Após a geração você terá que cadastrar o novo endereço para entrega dos protocolos."),
                    TnTipoDlg::Informacao, {QStringLiteral("OK")});
        return true;
    }
    // The address typed now, for the establishment of the row.
    std::unique_ptr<TnDMClientDataSet> enderecos = CriarDM<TnDMClientDataSet>(QStringLiteral("TnDMEstabEntrega"));
    if (!enderecos)
        return true;
    enderecos->Abrir({{QStringLiteral("CODIGOEMPRESA_IGUAL"), nClientDataSet.FieldByName(QStringLiteral("CODIGOEMPRESA")).Value()},
                      {QStringLiteral("CODIGOESTAB_IGUAL"), nClientDataSet.FieldByName(QStringLiteral("CODIGOESTAB")).Value()}});
    for (const char* chave : {"CODIGOEMPRESA", "CODIGOESTAB"})
        enderecos->FieldByName(QLatin1String(chave)).SetVisible(false);
    if (enderecos->nClientDataSet.IsEmpty()) {
        enderecos->nClientDataSet.Append();
        for (const char* chave : {"CODIGOEMPRESA", "CODIGOESTAB"})
            enderecos->FieldByName(QLatin1String(chave)).SetValue(nClientDataSet.FieldByName(QLatin1String(chave)).Value());
    }
    nMostrarCadastro(*enderecos);
    return true;
}

void TLyrDPConfiguracaoEntrega::PreencherLinha()
{
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    nClientDataSet.FieldByName(kGrupo).SetValue(m_grupo);
    nClientDataSet.FieldByName(kForma).SetValue(QString::number(m_formaEntrega));
    nClientDataSet.FieldByName(kMesmoEndereco).SetValue(m_mesmoEndereco ? QStringLiteral("1") : QStringLiteral("0"));
    nClientDataSet.Post();
}

void TLyrDPConfiguracaoEntrega::ConfigurarLinha()
{
    if (nClientDataSet.IsEmpty() || !PedirConfiguracao(true))
        return;
    PreencherLinha();
}

// Rows above the current one are left as they are.
void TLyrDPConfiguracaoEntrega::ConfigurarTodas()
{
    if (nClientDataSet.IsEmpty() || !PedirConfiguracao(false))
        return;
    const int atual = nClientDataSet.RecNo();
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Configurando filiais..."));
    progresso->ConfigurarProgressoTotal(atual, nClientDataSet.RecordCount());
    {
        TnSemControles semControles(nClientDataSet);
        const auto voltar = qScopeGuard([&] { nClientDataSet.SetRecNo(atual); });
        for (; !nClientDataSet.Eof(); nClientDataSet.Next()) {
            PreencherLinha();
            progresso->IncProgressoTotal();
        }
    }
}

void TLyrDPConfiguracaoEntrega::ConferirLinhas()
{
    const QList<QPair<QString, QString>> campos = {{kGrupo, QStringLiteral("Grupo Documento")},
                                                   {kForma, QStringLiteral("Forma Entrega")},
                                                   {kMesmoEndereco, QStringLiteral("Mesmo Endereço")}};
    for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
        int vazios = 0;
        for (const auto& campo : campos)
            vazios += nClientDataSet.FieldByName(campo.first).AsString().trimmed().isEmpty() ? 1 : 0;
        if (vazios == 0 || vazios == campos.size())
            continue;
        for (const auto& [campo, rotulo] : campos) {
            if (nClientDataSet.FieldByName(campo).AsString().trimmed().isEmpty())
                throw EnField(campo, QStringLiteral("Preencha o campo ") + rotulo);
        }
    }
}

// Per establishment listed: its stored configuration deleted, and the row's
// written when complete; all in one transaction.
void TLyrDPConfiguracaoEntrega::actGravarExecute()
{
    TnDMPowerParamTab::actGravarExecute();
    if (!nClientDataSet.Active() || nClientDataSet.IsEmpty())
        return;
    if (nMessageDlg(QStringLiteral("Deseja realmente excluir as configurações antigas e gravar as novas?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    {
        TnSemControles semControles(nClientDataSet);
        ConferirLinhas();
    }
    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarSimples(QStringLiteral("Inserindo as configurações..."));
    progresso->ConfigurarProgressoTotal(nClientDataSet.RecordCount());
    nDMConexao& conexao = Conexao();
    TnSQLDataSet exclusao(conexao);
    exclusao.SetCommandText(QStringLiteral("delete from CFGESTABPRO where CODIGOEMPRESA = :pCodigoEmpresa and CODIGOESTAB = :pCodigoEstab"));
    TnSQLDataSet insercao(conexao);
    insercao.SetCommandText(QStringLiteral("insert into CFGESTABPRO (CODIGOEMPRESA ,CODIGOESTAB ,CODIGOGRUPODOC ,FORMAENTREGA ,MESMOENDERECOENT) "
                                           "values (:pCODIGOEMPRESA ,:pCODIGOESTAB ,:pCODIGOGRUPODOC ,:pFORMAENTREGA ,:pMESMOENDERECOENT )"));
    TnSemControles semControles(nClientDataSet);
    GravarEmTransacao([&] {
        for (nClientDataSet.First(); !nClientDataSet.Eof(); nClientDataSet.Next()) {
            const QVariant empresa = nClientDataSet.FieldByName(QStringLiteral("CODIGOEMPRESA")).Value();
            const QVariant estab = nClientDataSet.FieldByName(QStringLiteral("CODIGOESTAB")).Value();
            exclusao.SetParamValues({empresa, estab});
            exclusao.ExecSQL();
            const TnField& grupo = nClientDataSet.FieldByName(kGrupo);
            if (!grupo.IsNull()) {
                insercao.SetParamValues({empresa, estab, grupo.AsInteger(), nClientDataSet.FieldByName(kForma).AsString().trimmed(),
                                         nClientDataSet.FieldByName(kMesmoEndereco).AsString().trimmed()});
                insercao.ExecSQL();
            }
            progresso->IncProgressoTotal();
        }
    });
    progresso.reset();
    nMessageDlg(QStringLiteral("Configuração gravada com sucesso!"), TnTipoDlg::Informacao, {QStringLiteral("OK")});
    SetTemAlteracao(false);
    nClientDataSet.First();
}

// What was typed is dropped: the list is read again.
void TLyrDPConfiguracaoEntrega::actCancelarExecute()
{
    TnDMPowerParamTab::actCancelarExecute();
    if (nClientDataSet.Active())
        Executar();
}
