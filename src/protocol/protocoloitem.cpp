#include "protocoloitem.h"

#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "erros.h"
#include "historicopro.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "protocolo.h"
#include "registro.h"
#include "sqlservicos.h"

namespace {

// Origin keys of items that are only marked: payroll, termination,
// vacation, the "00" keys and the financial documents.
bool SoMarca(const QString& chaveOrigem)
{
    static const QStringList prefixos = {QStringLiteral("FP"), QStringLiteral("RF"), QStringLiteral("RE"), QStringLiteral("00"),
                                         QStringLiteral("FI")};
    return prefixos.contains(chaveOrigem.left(2));
}

} // namespace

TLyrDMProtocoloItem::TLyrDMProtocoloItem()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOPROTOCOLO,t_t.SEQITEMPRO,t_t.DESCRITEM,t_t.COMPETENCIA,t_t.DATALCTOPRO,t_t.VENCIMENTO,t_t.VALOR,"
        "t_t.CODIGOIMPOSTO,t_t.VARIACAOIMPOSTO,t_t.CODIGODOCEMP,t_t.CODIGOFUNCCONTR,t_t.CANCELADO,t_t.CHAVEORIGEM,"
        "t_t.CODIGOUSUARIO,t_t.DATAHORACADASTRO,t_t.ORIGEMDADO from PROTOCOLOITEM t_t ORDER BY t_t.CodigoProtocolo,t_t.SeqItemPro"));
    nClientDataSet.Tela().Caption = QStringLiteral("Protocolo - Itens");
    DefAdic.Ordem = QStringLiteral("CodigoProtocolo,SeqItemPro");

    TnField& protocolo = Campo<TnLargeIntField>(QStringLiteral("CODIGOPROTOCOLO"));
    protocolo.SetRequired(true);
    protocolo.SetVisible(false);
    protocolo.Definicao().Dicionario = QStringLiteral("CODIGOPROTOCOLO");
    protocolo.Definicao().LinkKeyFields = QStringLiteral("CODIGOPROTOCOLO");
    TnField& seq = Campo<TnSmallIntField>(QStringLiteral("SEQITEMPRO"));
    seq.SetDisplayLabel(QStringLiteral("Seqüência"));
    seq.SetDisplayWidth(15);
    seq.SetRequired(true);
    seq.SetMinValue(1);
    seq.SetMaxValue(9999);
    seq.SetReadOnly(true);
    seq.Definicao().AutoIncrementar = true;
    seq.Definicao().TabStop = false;
    seq.Definicao().Dicionario = QStringLiteral("SEQITEMPRO");
    TnField& descricao = Campo<TnStringField>(QStringLiteral("DESCRITEM"), 200);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.SetDisplayWidth(50);
    descricao.SetRequired(true);
    descricao.Definicao().Hint = QStringLiteral("Informe a descrição do item");
    descricao.Definicao().TipoControle = TnTipoControle::ntcLink;
    descricao.Definicao().OnButtonClick = [this](TnField& campo) { nClientDataSetDESCRITEMDefIntButtonClick(campo); };
    TnField& competencia = Campo<TnDateField>(QStringLiteral("COMPETENCIA"));
    competencia.SetDisplayLabel(QStringLiteral("Competência"));
    competencia.SetDisplayWidth(15);
    competencia.Definicao().Hint = QStringLiteral("Informe a competência do item");
    competencia.Definicao().TipoData = TnTipoData::ntdMesAno;
    TnField& data = Campo<TnDateField>(QStringLiteral("DATALCTOPRO"));
    data.SetRequired(true);
    data.SetVisible(false);
    Campo<TnDateField>(QStringLiteral("VENCIMENTO")).SetDisplayLabel(QStringLiteral("Vencimento"));
    TnField& valor = Campo<TnFMTBCDField>(QStringLiteral("VALOR"), 18, 2);
    valor.SetDisplayLabel(QStringLiteral("Valor"));
    valor.SetDisplayFormat(QStringLiteral("#,##0.00"));
    valor.Definicao().Hint = QStringLiteral("Informe o valor da guia ou documento");
    valor.Definicao().DadoEscala = 14;
    valor.Definicao().DadoPrecisao = 2;
    TnField& imposto = Campo<TnIntegerField>(QStringLiteral("CODIGOIMPOSTO"));
    imposto.SetDisplayLabel(QStringLiteral("Imposto"));
    imposto.Definicao().Dicionario = QStringLiteral("CODIGOIMPOSTO");
    TnField& variacao = Campo<TnSmallIntField>(QStringLiteral("VARIACAOIMPOSTO"));
    variacao.Definicao().Dicionario = QStringLiteral("VARIACAOIMPOSTO");
    variacao.Definicao().LinkKeyFields = QStringLiteral("CODIGOIMPOSTO;VARIACAOIMPOSTO");
    TnField& documento = Campo<TnLargeIntField>(QStringLiteral("CODIGODOCEMP"));
    documento.Definicao().Dicionario = QStringLiteral("CODIGODOCEMP");
    documento.Definicao().LinkKeyFields = QStringLiteral("CODIGODOCEMP");
    Campo<TnIntegerField>(QStringLiteral("CODIGOFUNCCONTR")).SetDisplayLabel(QStringLiteral("Contrato do Empregado"));
    TnField& cancelado = Campo<TnStringField>(QStringLiteral("CANCELADO"), 1);
    cancelado.SetVisible(false);
    Campo<TnStringField>(QStringLiteral("CHAVEORIGEM"), 25).SetVisible(false);
    TnField& usuario = Campo<TnSmallIntField>(QStringLiteral("CODIGOUSUARIO"));
    usuario.SetRequired(true);
    usuario.SetVisible(false);
    TnField& cadastro = Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORACADASTRO"));
    cadastro.SetRequired(true);
    cadastro.SetVisible(false);
    TnField& origem = Campo<TnSmallIntField>(QStringLiteral("ORIGEMDADO"));
    origem.SetRequired(true);
    origem.SetVisible(false);
    AplicarDicionario(nClientDataSet);

    // The tax and its variation go together: a variation of another tax is dropped.
    imposto.SetOnChange([this](TnField& campo) {
        TnField& variacaoAtual = FieldByName(QStringLiteral("VARIACAOIMPOSTO"));
        if (!variacaoAtual.IsNull()
            && (campo.IsNull()
                || !PegarTemRegistro(QStringLiteral("IMPOSTO"), QStringLiteral("CODIGOIMPOSTO"),
                                     ValorParaSQL(QStringLiteral("CODIGOIMPOSTO"), QStringLiteral("="), campo.Value()) + QStringLiteral(" and ")
                                         + ValorParaSQL(QStringLiteral("VARIACAOIMPOSTO"), QStringLiteral("="), variacaoAtual.Value()))))
            variacaoAtual.Clear();
    });
    nClientDataSet.Tela().Aparencia.AoConfirmarCelula = [this](int tecla, const QString& campo, const QString& texto) {
        return ConfirmarCelula(tecla, campo, texto);
    };
    nClientDataSet.Tela().Aparencia.CorDoTexto = [this](int linha) {
        const int indice = FieldByName(QStringLiteral("CANCELADO")).Index();
        return nClientDataSet.ValorNaLinha(linha, indice).toString() == u"1" ? QStringLiteral("red") : QString();
    };
    // Shift+F6 in the grid cancels the item, not the protocol's shortcut on the same key.
    nClientDataSet.Tela().Aparencia.TeclasProprias = {QKeyCombination(Qt::ShiftModifier, Qt::Key_F6).toCombined()};
    nClientDataSet.Tela().Aparencia.AoTeclar = [this](int tecla, int modificadores) {
        if (tecla == Qt::Key_F6 && (modificadores & Qt::ShiftModifier)) {
            actCancelarItem(this);
            return true;
        }
        return false;
    };
}

void TLyrDMProtocoloItem::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    m_cancelando = false;
}

TLyrDMProtocolo* TLyrDMProtocoloItem::Protocolo() const
{
    return dynamic_cast<TLyrDMProtocolo*>(DmMaster());
}

bool TLyrDMProtocoloItem::ProtocoloBaixado() const
{
    const TLyrDMProtocolo* protocolo = Protocolo();
    return protocolo && !protocolo->nClientDataSet.IsEmpty() && protocolo->Baixado();
}

bool TLyrDMProtocoloItem::ProtocoloCancelado() const
{
    const TLyrDMProtocolo* protocolo = Protocolo();
    return protocolo && !protocolo->nClientDataSet.IsEmpty() && protocolo->Cancelado();
}

bool TLyrDMProtocoloItem::ProtocoloEditavel() const
{
    const TLyrDMProtocolo* protocolo = Protocolo();
    return !protocolo || (protocolo->PodeEditar() && protocolo->EstadoControle(QStringLiteral("OBSERVACAO")).habilitado
                          && !protocolo->EstadoControle(QStringLiteral("OBSERVACAO")).somenteLeitura);
}

void TLyrDMProtocoloItem::DepoisConfigurar(TnFormulario* formulario)
{
    TnCadastroDeclarado::DepoisConfigurar(formulario);
    CriarRotulo(QStringLiteral("pnlCancelado"), QStringLiteral("Cancelado"), true).Cor = QStringLiteral("red");
    if (formulario)
        CriarToolButton(QStringLiteral("Cancelar Item"), QStringLiteral("Cancelar um item"), 168, [this](TnAction&) { actCancelarItem(this); },
                        QStringLiteral("Shift+F6"));
}

void TLyrDMProtocoloItem::nClientDataSetBeforeOpen()
{
    TnCadastroDeclarado::nClientDataSetBeforeOpen();
    FieldByName(QStringLiteral("CODIGOIMPOSTO")).SetDisplayLabel(QStringLiteral("Imposto"));
}

void TLyrDMProtocoloItem::ConfigurarCampo()
{
    TnCadastroDeclarado::ConfigurarCampo();
    m_baixado = ProtocoloBaixado();
    if (!Protocolo())
        return;
    if (TnRotulo* painel = Rotulo(QStringLiteral("pnlCancelado")))
        painel->Visivel = !nClientDataSet.IsEmpty() && FieldByName(QStringLiteral("CANCELADO")).AsString() == u"1" && !ProtocoloCancelado();
    SetPodeEditar(ProtocoloEditavel());
    actDataSetInsert->SetEnabled(actDataSetInsert->Enabled() && !ProtocoloCancelado());
    actDataSetDelete->SetEnabled(actDataSetDelete->Enabled() && !ProtocoloCancelado());
}

void TLyrDMProtocoloItem::nClientDataSetAfterInsert()
{
    TnCadastroDeclarado::nClientDataSetAfterInsert();
    FieldByName(QStringLiteral("CANCELADO")).SetValue(QStringLiteral("0"));
    if (const TLyrDMProtocolo* protocolo = Protocolo())
        FieldByName(QStringLiteral("DATALCTOPRO")).SetValue(protocolo->FieldByName(QStringLiteral("DATALCTOPRO")).Value());
    if (!ProtocoloEditavel()) {
        nClientDataSet.Cancel();
        nMessageDlg(QStringLiteral("Não é permitido incluir itens em protocolos já existentes, verifique seus direitos de acesso com o "
                                   "Administrador do Sistema."),
                    TnTipoDlg::Aviso, {QStringLiteral("OK")});
    }
}

void TLyrDMProtocoloItem::nClientDataSetAfterScroll()
{
    TnCadastroDeclarado::nClientDataSetAfterScroll();
    if (!nClientDataSet.IsEmpty())
        FieldByName(QStringLiteral("DESCRITEM")).Definicao().Hint = FieldByName(QStringLiteral("DESCRITEM")).AsString().left(255);
}

void TLyrDMProtocoloItem::nClientDataSetBeforeDelete()
{
    // Items are cancelled, never deleted.
    Abort();
}

void TLyrDMProtocoloItem::ValidarDado()
{
    CarimbarAuditoria();
    TnCadastroDeclarado::ValidarDado();
    if (ProtocoloBaixado()) {
        nClientDataSet.Cancel();
        throw EnField(QStringLiteral("DESCRITEM"), QStringLiteral("Impossível alterar itens de protocolo baixado!"));
    }
    if (!m_cancelando && FieldByName(QStringLiteral("CANCELADO")).AsString() == u"1") {
        nClientDataSet.Cancel();
        throw EnField(QStringLiteral("DESCRITEM"), QStringLiteral("Item cancelado, impossível alterar!"));
    }
}

void TLyrDMProtocoloItem::MarcarCancelado()
{
    m_cancelando = true;
    try {
        nClientDataSet.Edit();
        FieldByName(QStringLiteral("CANCELADO")).SetValue(QStringLiteral("1"));
        nClientDataSet.Post();
    } catch (...) {
        m_cancelando = false;
        throw;
    }
    m_cancelando = false;
}

void TLyrDMProtocoloItem::actCancelarItem(const void* sender)
{
    TLyrDMProtocolo* protocolo = Protocolo();
    if (nClientDataSet.IsEmpty() || !protocolo)
        return;
    m_baixado = ProtocoloBaixado();
    if (m_baixado || FieldByName(QStringLiteral("CANCELADO")).AsString() == u"1")
        return;
    if (sender == this
        && nMessageDlg(QStringLiteral("Tem certeza que deseja cancelar este item do protocolo?"), TnTipoDlg::Confirmacao,
                       {QStringLiteral("Sim"), QStringLiteral("Não")})
               != 0)
        return;
    const QString chave = FieldByName(QStringLiteral("CHAVEORIGEM")).AsString();
    const QVariant codigoProtocolo = protocolo->FieldByName(QStringLiteral("CODIGOPROTOCOLO")).Value();
    if (SoMarca(chave)) {
        MarcarCancelado();
    } else {
        nDMConexao& conexao = Conexao();
        conexao.StartTransaction(1);
        try {
            const QString tipo = protocolo->FieldByName(QStringLiteral("TIPOPRO")).AsString();
            if (tipo == u"1" || tipo == u"2") {
                if (chave.isEmpty() || PegarTipo(chave) == 6 || LimparProDeb(chave))
                    MarcarCancelado();
            } else if (!FieldByName(QStringLiteral("CODIGODOCEMP")).IsNull()) {
                conexao.StartTransaction(1);
                const int alterados = ExecutarSQLDireto(QStringLiteral("update PROTOCOLODOCMOVIMENTO set CODIGOPROTOCOLO = null  where CODIGODOCEMP = ")
                                                        + FieldByName(QStringLiteral("CODIGODOCEMP")).AsString() + QStringLiteral(" ")
                                                        + QStringLiteral("and CODIGOPROTOCOLO =") + ValorParaSQL(codigoProtocolo));
                conexao.Commit(1);
                if (alterados > 0)
                    MarcarCancelado();
            }
            conexao.Commit(1);
        } catch (...) {
            conexao.RollBack(1);
            nClientDataSet.Cancel();
            throw;
        }
    }
    // The protocol follows its last active item.
    const QString doProtocolo = ValorParaSQL(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("="), codigoProtocolo);
    if (!PegarTemRegistro(QStringLiteral("PROTOCOLOITEM"), QStringLiteral("SEQITEMPRO"), doProtocolo + QStringLiteral(" and CANCELADO = 0"))) {
        nDMConexao& conexao = Conexao();
        conexao.StartTransaction(1);
        try {
            ExecutarSQLDireto(QStringLiteral("update PROTOCOLO set CANCELADO = 1 where ") + doProtocolo);
            conexao.Commit(1);
        } catch (...) {
            conexao.RollBack(1);
            throw;
        }
    }
    protocolo->Refresh();
}

// A history-text code typed into the description and confirmed with Tab or
// Enter becomes that text; a text that expects a complement keeps the user in
// the cell to complete it.
bool TLyrDMProtocoloItem::ConfirmarCelula(int tecla, const QString& campo, const QString& texto)
{
    if ((tecla != Qt::Key_Tab && tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
        || campo.compare(QStringLiteral("DESCRITEM"), Qt::CaseInsensitive) != 0)
        return false;
    bool ok = false;
    const int codigo = texto.trimmed().toInt(&ok);
    return ok && codigo != 0 && UsarHistorico(codigo) == 1;
}

int TLyrDMProtocoloItem::UsarHistorico(int codigo)
{
    const QVariant texto = PegarValorCampo(QStringLiteral("HISTORICOPRO"), QStringLiteral("DESCRISAOHISTPRO"), QStringLiteral("CODIGOHISTPRO=%1").arg(codigo));
    if (texto.isNull())
        return -1;
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    FieldByName(QStringLiteral("DESCRITEM")).SetValue(texto);
    return PegarValorCampo(QStringLiteral("HISTORICOPRO"), QStringLiteral("TEMCOMPLEMENTOHISTORICO"), QStringLiteral("CODIGOHISTPRO=%1").arg(codigo)).toInt() == 1
               ? 1
               : 0;
}

void TLyrDMProtocoloItem::nClientDataSetDESCRITEMDefIntButtonClick(TnField&)
{
    std::unique_ptr<TnDataModule> consulta = CriarDM(QStringLiteral("TLyrDCHistoricoPro"));
    PrepararDM(*consulta);
    auto& historicos = dynamic_cast<TnDMClientDataSet&>(*consulta);
    if (!nConsultar(historicos))
        return;
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    FieldByName(QStringLiteral("DESCRITEM")).SetValue(historicos.FieldByName(QStringLiteral("DESCRISAOHISTPRO")).Value());
}
