#include "movimentodoc.h"

#include "camposdoc.h"
#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "dmpowerparam.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "protocoloindividual.h"
#include "registro.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDateTime>
#include <QScopeGuard>

#include <algorithm>

namespace {

const QString kDocumento = QStringLiteral("CODIGODOCEMP");
const QString kSeq = QStringLiteral("SEQDOCEMP");
const QString kTipoLocal = QStringLiteral("TIPOLOCAL");
const QString kDepartamento = QStringLiteral("CODIGODPTOESCRIT");
const QString kResponsavel = QStringLiteral("CODIGOUSUARIORESP");
const QString kProtocolo = QStringLiteral("CODIGOPROTOCOLO");
const QString kRetorno = QStringLiteral("DATARETORNOPREV");
const QString kResponsavelRetorno = QStringLiteral("RESPRETORNO");

TnField& Oculto(TnField& campo)
{
    campo.SetVisible(false);
    return campo;
}

// The local type as a number: empty or not a number counts as internal.
int TipoLocal(const QVariant& valor)
{
    bool ok = false;
    const int tipo = valor.toString().trimmed().toInt(&ok);
    return ok ? tipo : 1;
}

} // namespace

TLyrDMProtocoloDocMovimento::TLyrDMProtocoloDocMovimento()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGODOCEMP,t_t.SEQDOCEMP,t_t.OBSERVACAO,t_t.TIPOLOCAL,t_t.CODIGODPTOESCRIT,t_t.CODIGOUSUARIORESP,"
        "t_t.CODIGOPROTOCOLO,t_t.DATARETORNOPREV,t_t.RESPRETORNO,t_t.DATALCTOPRO,t_t.DATAHORA,t_t.CODIGOUSUARIO,t_t.ORIGEMDADO "
        "from PROTOCOLODOCMOVIMENTO t_t "
        "ORDER BY t_t.CodigoDocEmp,t_t.SeqDocEmp"));
    nClientDataSet.Tela().Caption = QStringLiteral("Documento - Movimentação");
    DefAdic.Ordem = QStringLiteral("CodigoDocEmp,SeqDocEmp");

    TnField& documento = Oculto(Campo<TnLargeIntField>(kDocumento));
    documento.SetRequired(true);
    LigarAoDicionario(documento, kDocumento);
    TnField& seq = CampoNumerado<TnSmallIntField>(*this, kSeq, 9999);
    seq.SetReadOnly(true);
    seq.Definicao().TabStop = false;
    TnField& observacao = Campo<TnStringField>(QStringLiteral("OBSERVACAO"), 50);
    observacao.SetDisplayLabel(QStringLiteral("Observação"));
    observacao.Definicao().Hint = QStringLiteral("Informe uma observação para o movimento do documento");
    TnField& tipoLocal = Campo<TnStringField>(kTipoLocal, 1);
    tipoLocal.SetDisplayLabel(QStringLiteral("Tipo Local"));
    tipoLocal.SetRequired(true);
    tipoLocal.Definicao().Hint = QStringLiteral("Selecione caso o tipo do local da movimentação seja interno ou externo");
    tipoLocal.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    tipoLocal.Definicao().NomesValores = {QStringLiteral("Interno=1"), QStringLiteral("Externo=2")};
    tipoLocal.Definicao().GridButtonStyle = TnGridButtonStyle::cbsAuto;
    // The department follows the local type at once.
    tipoLocal.SetOnChange([this](TnField&) { ConfigurarCampo(); });
    LigarAoDicionario(Campo<TnSmallIntField>(kDepartamento), kDepartamento);
    TnField& responsavel = Campo<TnSmallIntField>(kResponsavel);
    responsavel.SetDisplayLabel(QStringLiteral("Responsável"));
    responsavel.Definicao().Hint = QStringLiteral("Informe o código do responsável pela movimentação do documento");
    LigarAoDicionario(responsavel, QStringLiteral("CODIGOUSUARIO"));
    LigarAoDicionario(Campo<TnLargeIntField>(kProtocolo), kProtocolo);
    TnField& retorno = Campo<TnDateField>(kRetorno);
    retorno.SetDisplayLabel(QStringLiteral("Retorno Previsto"));
    retorno.Definicao().Hint = QStringLiteral("Data em que o documento emprestado deve voltar ao escritório");
    TnField& quemDevolve = Campo<TnStringField>(kResponsavelRetorno, 50);
    quemDevolve.SetDisplayLabel(QStringLiteral("Responsável pelo Retorno"));
    quemDevolve.Definicao().Hint = QStringLiteral("Quem deve devolver o documento (o banco, o cartório, o próprio cliente)");
    TnField& data = Oculto(Campo<TnDateField>(QStringLiteral("DATALCTOPRO")));
    data.SetDisplayLabel(QStringLiteral("Data Lançamento"));
    data.SetRequired(true);
    data.Definicao().Hint = QStringLiteral("Data de lançamento usada para filtro do período (F8)");
    TnField& momento = Oculto(Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORA")));
    momento.SetDisplayLabel(QStringLiteral("Data/Hora"));
    momento.SetRequired(true);
    momento.Definicao().Hint = QStringLiteral("Data e hora de cadastro");
    TnField& usuario = Oculto(Campo<TnSmallIntField>(QStringLiteral("CODIGOUSUARIO")));
    usuario.SetRequired(true);
    usuario.Definicao().Dicionario = QStringLiteral("CODIGOUSUARIO");
    TnField& origem = Oculto(Campo<TnSmallIntField>(QStringLiteral("ORIGEMDADO")));
    origem.SetRequired(true);
    origem.Definicao().Dicionario = QStringLiteral("ORIGEMDADO");
    AplicarDicionario(nClientDataSet);
}

void TLyrDMProtocoloDocMovimento::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    m_novoMovimento = false;
}

void TLyrDMProtocoloDocMovimento::DepoisConfigurar(TnFormulario* formulario)
{
    TnCadastroDeclarado::DepoisConfigurar(formulario);
    if (formulario)
        CriarToolButton(QStringLiteral("Gerar Protocolo"), QStringLiteral("Gerar um protocolo da ultima movimentação"), 5,
                        [this](TnAction&) { actGerarProtocolo(); }, QStringLiteral("Ctrl+N"));
    // The protocol is only ever written by the protocol action.
    EdEnabledField(kProtocolo, false);
    EdReadOnlyField(kResponsavel, false);
}

void TLyrDMProtocoloDocMovimento::ConfigurarCampo()
{
    TnCadastroDeclarado::ConfigurarCampo();
    if (!nClientDataSet.Active())
        return;
    // The department for internal movements; the return for external ones.
    const bool interno = TipoLocal(FieldByName(kTipoLocal).Value()) == 1;
    EdEnabledField(kDepartamento, interno);
    EdEnabledField(kRetorno, !interno);
    EdEnabledField(kResponsavelRetorno, !interno);
}

// A movement carries its document's launch date, so the register's period
// finds the movements of the documents of the period.
void TLyrDMProtocoloDocMovimento::CopiarDataDoDocumento()
{
    const TnField& documento = FieldByName(kDocumento);
    if (documento.IsNull())
        return;
    FieldByName(QStringLiteral("DATALCTOPRO"))
        .SetValue(PegarValorCampo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("DATALCTOPRO"),
                                  ValorParaSQL(kDocumento, QStringLiteral("="), documento.Value())));
}

void TLyrDMProtocoloDocMovimento::nClientDataSetNewRecord()
{
    TnCadastroDeclarado::nClientDataSetNewRecord();
    CopiarDataDoDocumento();
    m_novoMovimento = true;
}

TLyrDMProtocoloDocMovimento::TnUltimos TLyrDMProtocoloDocMovimento::Ultimos() const
{
    TnUltimos ultimos;
    std::unique_ptr<TnSQLDataSet> consulta = ExecutarSQL(
        QStringLiteral("select SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, CODIGOUSUARIORESP, CODIGOPROTOCOLO from PROTOCOLODOCMOVIMENTO "
                       "where CODIGODOCEMP = :pCodigoDocEmp order by SEQDOCEMP desc limit 2"),
        {FieldByName(kDocumento).Value()});
    for (int linha = 0; linha < consulta->RecordCount(); ++linha)
        ultimos.linhas.append({consulta->Valor(linha, 0), consulta->Valor(linha, 1), consulta->Valor(linha, 2), consulta->Valor(linha, 3),
                               consulta->Valor(linha, 4)});
    DestruirSQL(consulta);
    return ultimos;
}

bool TLyrDMProtocoloDocMovimento::EhAUltima(const TnUltimos& ultimos) const
{
    const TnField& seq = FieldByName(kSeq);
    return !seq.IsNull() && seq.AsInteger() == ultimos.UltimaSeq();
}

bool TLyrDMProtocoloDocMovimento::DocumentoArquivado() const
{
    return PegarValorCampo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("ARQUIVADO"),
                           ValorParaSQL(kDocumento, QStringLiteral("="), FieldByName(kDocumento).Value()))
               .toString()
           == u"1";
}

// The newest movements are read from the table, not from the grid: another
// screen (or user) may have added one since this grid was read, and a new
// movement is checked in its save's transaction, under the numbering lock.
void TLyrDMProtocoloDocMovimento::ValidarDado()
{
    const bool inserindo = nClientDataSet.State() == TnDataSetState::dsInsert;
    const bool editando = nClientDataSet.State() == TnDataSetState::dsEdit;
    CarimbarAuditoria(QStringLiteral("DATAHORA"));
    if (FieldByName(QStringLiteral("DATALCTOPRO")).IsNull())
        CopiarDataDoDocumento();
    TnCadastroDeclarado::ValidarDado();
    const TnField& retorno = FieldByName(kRetorno);
    if (!retorno.IsNull() && retorno.AsDate() < FieldByName(QStringLiteral("DATAHORA")).AsDate())
        throw EnField(kRetorno, QStringLiteral("O retorno previsto não pode ser anterior à data da movimentação."));
    const TnUltimos ultimos = Ultimos();
    if (editando && !EhAUltima(ultimos))
        throw EnErro(QStringLiteral("Somente é permitido alterar a última movimentação."));
    if (DocumentoArquivado())
        throw EnErro(QStringLiteral("O tramite do documento foi encerrado, pois o mesmo já está guardado no envelope."));
    // A new movement goes somewhere else than the newest one; a change of
    // the newest must not make it the one before it. A change that leaves
    // the three columns alone (the protocol linked to the movement) is not
    // compared: it would refuse the protocol of a second movement that
    // repeats the first, which its own store accepted.
    const QStringList colunas = {kTipoLocal, kDepartamento, kResponsavel};
    const bool mudouDestino = inserindo || std::any_of(colunas.cbegin(), colunas.cend(), [this](const QString& nome) {
                                  const TnField& campo = FieldByName(nome);
                                  return Valores::Comparar(campo.Value(), campo.OldValue()) != 0;
                              });
    if (ultimos.linhas.size() < 2 || !(inserindo || editando) || !mudouDestino)
        return;
    const QVariantList& anterior = inserindo ? ultimos.linhas.at(0) : ultimos.linhas.at(1);
    QStringList destinoAnterior;
    QStringList destinoAtual;
    for (int i = 0; i < colunas.size(); ++i) {
        destinoAnterior.append(anterior.at(i + 1).toString().trimmed());
        destinoAtual.append(FieldByName(colunas.at(i)).AsString().trimmed());
    }
    if (destinoAnterior.join(u';') == destinoAtual.join(u';'))
        throw EnErro(QStringLiteral("O último movimento não pode ser igual ao que está sendo cadastrado."));
}

void TLyrDMProtocoloDocMovimento::nClientDataSetBeforeDelete()
{
    const TnUltimos ultimos = Ultimos();
    if (!EhAUltima(ultimos))
        throw EnErro(QStringLiteral("Somente é permitido excluir a última movimentação."));
    if (!ultimos.linhas.first().at(4).isNull() || !FieldByName(kProtocolo).IsNull())
        throw EnErro(QStringLiteral("Impossível excluir movimentação com Protocolo ativo."));
    TnCadastroDeclarado::nClientDataSetBeforeDelete();
}

void TLyrDMProtocoloDocMovimento::nClientDataSetAfterDelete()
{
    TnCadastroDeclarado::nClientDataSetAfterDelete();
    if (TnDMClientDataSet* documento = DmMaster())
        documento->ConfigurarCampo();
}

void TLyrDMProtocoloDocMovimento::nClientDataSetAfterPost()
{
    TnCadastroDeclarado::nClientDataSetAfterPost();
    // The document shows whether it is out of the office.
    if (TnDMClientDataSet* documento = DmMaster())
        documento->ConfigurarCampo();
    if (!m_novoMovimento || TipoLocal(FieldByName(kTipoLocal).Value()) != 2)
        return;
    if (nMessageDlg(QStringLiteral("Deseja gerar um protocolo desta movimentação?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        == 0)
        actGerarProtocolo();
}

void TLyrDMProtocoloDocMovimento::nClientDataSetAfterCancel()
{
    TnCadastroDeclarado::nClientDataSetAfterCancel();
    m_novoMovimento = false;
}

void TLyrDMProtocoloDocMovimento::actGerarProtocolo()
{
    m_novoMovimento = false;
    // A row still being typed is stored first (the flag is down: no question).
    nClientDataSet.CheckBrowseMode();
    if (nClientDataSet.IsEmpty())
        return;
    if (!FieldByName(kProtocolo).IsNull()) {
        nMessageDlg(QStringLiteral("Esta movimentação já possui protocolo!"), TnTipoDlg::Informacao, {QStringLiteral("OK")});
        return;
    }
    if (DocumentoArquivado())
        throw EnField(kSeq, QStringLiteral("Documento arquivado! Impossível gerar protocolo."));
    if (!EhAUltima(Ultimos()))
        return;
    const QVariantList documento =
        PegarValorCampo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGOEMPRESA;CODIGOESTAB;DESCRDOCEMP"),
                        ValorParaSQL(kDocumento, QStringLiteral("="), FieldByName(kDocumento).Value()))
            .toList();
    if (documento.size() < 3)
        return;
    std::unique_ptr<TnDataModule> criado = CriarDM(QStringLiteral("TLyrDPGerarProIndividual"));
    const auto destruir = qScopeGuard([&criado] { DestruirDM(criado); });
    auto* processo = dynamic_cast<TnDMPowerParam*>(criado.get());
    if (!processo)
        return;
    processo->LimparParamsINI();
    const auto fixo = [processo](const QString& alias, const QString& valor) {
        TnpqParamItem& item = processo->npqPowerParam.ParamByAlias(alias);
        item.Value = valor;
        item.ParType = TnParType::npqptFixo;
    };
    const int empresa = documento.at(0).toInt();
    const int estab = documento.at(1).toInt();
    fixo(QStringLiteral("pCodigoPro"), {});
    fixo(QStringLiteral("pCodFunc"), {});
    fixo(QStringLiteral("pCodigoDocumento"), FieldByName(kDocumento).AsString());
    fixo(QStringLiteral("pCodigoEmpresa"), QString::number(empresa));
    fixo(QStringLiteral("pCodigoEstab"), QString::number(estab));
    fixo(QStringLiteral("pDataLctoPro"), FieldByName(QStringLiteral("DATALCTOPRO")).AsDateTime().toString(QStringLiteral("dd/MM/yyyy")));
    processo->SetParam(QStringLiteral("pObservacao"), documento.at(2).toString());
    processo->SetParam(QStringLiteral("pFormaEntrega"), PegarFormaEntrega(empresa, estab));
    processo->SetParam(QStringLiteral("pNatureza"), TipoLocal(FieldByName(kTipoLocal).Value()) == 1 ? QStringLiteral("2") : QStringLiteral("1"));
    processo->SetParam(QStringLiteral("pDescricaoItem"), FieldByName(QStringLiteral("OBSERVACAO")).AsString());
    // The protocol and its link to this movement are one transaction: a
    // movement changed meanwhile (another one after it, a protocol, the
    // document archived) leaves no protocol behind.
    if (auto* individual = dynamic_cast<TLyrDPGerarProIndividual*>(processo)) {
        individual->SetAoGravar([this, documentoAtual = FieldByName(kDocumento).Value(), seq = FieldByName(kSeq).Value()](qint64 codigo) {
            VincularProtocolo(documentoAtual, seq, codigo);
        });
    }
    nMostrarProcesso(*processo, 200);
    if (processo->Param(QStringLiteral("pCodigoPro")).trimmed().isEmpty())
        return;
    Refresh();
}

void TLyrDMProtocoloDocMovimento::VincularProtocolo(const QVariant& documento, const QVariant& seq, qint64 codigo)
{
    const int alterados = ExecutarSQLDireto(
        QStringLiteral("update PROTOCOLODOCMOVIMENTO set CODIGOPROTOCOLO = :pCodigoPro, DATAHORA = :pDataHora, CODIGOUSUARIO = :pUsuario, "
                       "ORIGEMDADO = :pOrigem where CODIGODOCEMP = :pDocumento and SEQDOCEMP = :pSeq and CODIGOPROTOCOLO is null "
                       "and SEQDOCEMP = (select max(U.SEQDOCEMP) from PROTOCOLODOCMOVIMENTO U where U.CODIGODOCEMP = :pDocumento) "
                       "and exists (select 1 from PROTOCOLODOCEMP D where D.CODIGODOCEMP = :pDocumento and D.ARQUIVADO = '0')"),
        {codigo, QDateTime::currentDateTime(), Conexao().CodigoUsuario(), OrigemDado(), documento, seq});
    if (alterados != 1)
        throw EnErro(QStringLiteral("A movimentação foi alterada por outro usuário enquanto o protocolo era feito (outra movimentação, "
                                    "outro protocolo ou o arquivamento do documento). Nenhum protocolo foi gerado."));
}
