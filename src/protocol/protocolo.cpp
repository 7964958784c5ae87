#include "protocolo.h"

#include "recibos.h"

#include "conexao.h"
#include "dialogos.h"
#include "dicionario.h"
#include "direitos.h"
#include "erros.h"
#include "host.h"
#include "lyrsfuncoes.h"
#include "protocoloitem.h"
#include "registro.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDate>

namespace {

// The four fields the register and its consultation declare alike.
void DeclararCamposDaConsulta(TnDMClientDataSet& dm, const QStringList& ordem)
{
    for (const QString& nome : ordem) {
        if (nome == u"CODIGOPROTOCOLO") {
            TnField& codigo = dm.Campo<TnLargeIntField>(nome);
            codigo.SetRequired(true);
            codigo.SetMinValue(1);
            codigo.SetMaxValue(9999999999LL);
            codigo.SetConstraintErrorMessage(QStringLiteral("Código de protocolo inválido!"));
            codigo.Definicao().Dicionario = QStringLiteral("CODIGOPROTOCOLO");
            codigo.Definicao().AutoIncrementar = true;
            codigo.Definicao().MaxLength = 10;
        } else if (nome == u"CODIGOEMPRESA") {
            CampoLigado(dm, nome);
        } else if (nome == u"CODIGOESTAB") {
            CampoLigado(dm, nome, QStringLiteral("CODIGOEMPRESA;CODIGOESTAB"));
        } else if (nome == u"OBSERVACAO") {
            TnField& observacao = dm.Campo<TnStringField>(nome, 50);
            observacao.SetDisplayLabel(QStringLiteral("Observação"));
            observacao.Definicao().Hint = QStringLiteral("Informe uma observação para ajudar identificar o protocolo");
            observacao.Definicao().MaxLength = 50;
        }
    }
    AplicarDicionario(dm.nClientDataSet);
}

TnField& Oculto(TnField& campo)
{
    campo.SetVisible(false);
    return campo;
}

} // namespace

TLyrDMProtocolo::TLyrDMProtocolo()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOPROTOCOLO,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.DATALCTOPRO,t_t.TIPOPRO,t_t.OBSERVACAO,"
        "t_t.DATAHORACADASTRO,t_t.CODIGOUSUARIO,t_t.FORMAENTREGA,t_t.NATUREZAPRO,t_t.DATAHORAENTREGA,"
        "t_t.CODIGOUSUARIOINT,t_t.USUARIOEXT,t_t.DATAHORABAIXA,t_t.CANCELADO,t_t.ORIGEMDADO from PROTOCOLO t_t "
        "ORDER BY t_t.CodigoProtocolo"));
    nClientDataSet.Tela().Caption = QStringLiteral("Protocolo");
    nClientDataSet.Tela().Relatorios = {QStringLiteral("LyrRRProtocolo"), QStringLiteral("LyrRRProtocoloEmpresa")};
    DefAdic.Ordem = QStringLiteral("CodigoProtocolo");
    DeclararCamposDaConsulta(*this, {QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOESTAB")});
    TnField& data = Campo<TnDateField>(QStringLiteral("DATALCTOPRO"));
    data.SetDisplayLabel(QStringLiteral("Data Protocolo"));
    data.SetRequired(true);
    data.Definicao().TipoControle = TnTipoControle::ntcActData;
    Oculto(Campo<TnStringField>(QStringLiteral("TIPOPRO"), 1)).SetRequired(true);
    DeclararCamposDaConsulta(*this, {QStringLiteral("OBSERVACAO")});
    Oculto(Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORACADASTRO"))).SetRequired(true);
    TnField& usuario = Oculto(Campo<TnSmallIntField>(QStringLiteral("CODIGOUSUARIO")));
    usuario.SetRequired(true);
    usuario.Definicao().Dicionario = QStringLiteral("CODIGOUSUARIO");
    TnField& forma = Campo<TnStringField>(QStringLiteral("FORMAENTREGA"), 1);
    forma.SetDisplayLabel(QStringLiteral("Forma de Entrega"));
    forma.Definicao().Hint = QStringLiteral("Informe qual será a forma de entrega dos documentos");
    forma.Definicao().NomesValores = {QStringLiteral("Retirado=1"), QStringLiteral("Entregue em Mãos=2"), QStringLiteral("Entregue via Internet=3")};
    forma.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    TnField& natureza = Campo<TnStringField>(QStringLiteral("NATUREZAPRO"), 1);
    natureza.SetDisplayLabel(QStringLiteral("Natureza"));
    natureza.SetRequired(true);
    natureza.SetDefaultExpression(QStringLiteral("'1'"));
    natureza.Definicao().Hint = QStringLiteral("Informe se o protocolo é de Entrada ou Saída");
    natureza.Definicao().NomesValores = {QStringLiteral("Saída=1"), QStringLiteral("Entrada=2")};
    natureza.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    Oculto(Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORAENTREGA")));
    Oculto(Campo<TnSmallIntField>(QStringLiteral("CODIGOUSUARIOINT"))).Definicao().Dicionario = QStringLiteral("CODIGOUSUARIO");
    Oculto(Campo<TnStringField>(QStringLiteral("USUARIOEXT"), 50));
    Oculto(Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORABAIXA")));
    TnField& cancelado = Oculto(Campo<TnStringField>(QStringLiteral("CANCELADO"), 1));
    cancelado.SetRequired(true);
    cancelado.SetFixedChar(true);
    Oculto(Campo<TnSmallIntField>(QStringLiteral("ORIGEMDADO"))).SetRequired(true);

    FieldByName(QStringLiteral("CODIGOPROTOCOLO")).SetOnChange([this](TnField& campo) { nClientDataSetCODIGOPROTOCOLOChange(campo); });
    FieldByName(QStringLiteral("CODIGOESTAB")).Definicao().OnExit = [this](TnField& campo) { nClientDataSetCODIGOESTABDefIntExit(campo); };
}

void TLyrDMProtocolo::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    m_baixando = false;
    AddInfoDetalhe(QStringLiteral("TLyrDMProtocoloItem"), QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"));
}

void TLyrDMProtocolo::DataModuleDestroy()
{
    TnCadastroDeclarado::DataModuleDestroy();
}

void TLyrDMProtocolo::DepoisConfigurar(TnFormulario* formulario)
{
    CriarRotulo(QStringLiteral("lblStatus"), QStringLiteral("Baixado")).Visivel = false;
    TnCadastroDeclarado::DepoisConfigurar(formulario);
    if (!formulario)
        return;
    CriarToolButton(QStringLiteral("Baixar Protocolo"), QStringLiteral("Baixar o protocolo após a entrega"), 65,
                    [this](TnAction&) { BaixarProtocolo(); }, QStringLiteral("F6"));
    CriarToolButton(QStringLiteral("InformacoesBaixa"), QStringLiteral("Informações sobre a baixa do protocolo"), 93,
                    [this](TnAction&) { InformacoesBaixa(); }, QStringLiteral("Shift+F6"), false);
    CriarToolButton(QStringLiteral("Cancelar Tudo"), QStringLiteral("Cancela todos os ítens do protocolo"), 168,
                    [this](TnAction&) { CancelarTudo(); }, QStringLiteral("Alt+F6"), false);
}

void TLyrDMProtocolo::EstadoDosControles()
{
    const bool inserindo = nClientDataSet.State() == TnDataSetState::dsInsert;
    EdEnabledField(QStringLiteral("CODIGOEMPRESA"), inserindo);
    EdEnabledField(QStringLiteral("CODIGOESTAB"), inserindo);
    EdEnabledField(QStringLiteral("CODIGOPROTOCOLO"), !inserindo);
}

void TLyrDMProtocolo::ConfigurarCampo()
{
    TnCadastroDeclarado::ConfigurarCampo();
    EstadoDosControles();
    TnRotulo* status = Rotulo(QStringLiteral("lblStatus"));
    if (!status || !nClientDataSet.Active())
        return;
    status->Visivel = false;
    if (nClientDataSet.IsEmpty() && nClientDataSet.State() != TnDataSetState::dsInsert)
        return;
    if (Baixado()) {
        status->Texto = QStringLiteral("Baixado");
        status->Cor = QStringLiteral("blue");
        status->Visivel = true;
    }
    if (Cancelado()) {
        status->Texto = QStringLiteral("Cancelado");
        status->Cor = QStringLiteral("red");
        status->Visivel = true;
    }
}

void TLyrDMProtocolo::nClientDataSetAfterScroll()
{
    // Without the right, existing protocols are read-only; new ones may still
    // be typed (PodeIncluir stays true).
    SetPodeEditar(!TnHost::Atual().Direitos() || PegarDireito(QStringLiteral("DireitoAltProtocolo")) == kDireitoConcedido
                  || nClientDataSet.State() == TnDataSetState::dsInsert);
    TnCadastroDeclarado::nClientDataSetAfterScroll();
}

void TLyrDMProtocolo::nClientDataSetBeforeInsert()
{
    TnCadastroDeclarado::nClientDataSetBeforeInsert();
    SetPodeEditar(true);
}

void TLyrDMProtocolo::nClientDataSetNewRecord()
{
    TnCadastroDeclarado::nClientDataSetNewRecord();
    FieldByName(QStringLiteral("NATUREZAPRO")).SetValue(QStringLiteral("1"));
    // A protocol typed by hand is usually today's.
    FieldByName(QStringLiteral("DATALCTOPRO")).SetValue(QDate::currentDate());
    EstadoDosControles();
}

void TLyrDMProtocolo::nClientDataSetBeforePost()
{
    // The audit columns are stamped by the register's checks (CarimbarAuditoria).
    if (FieldByName(QStringLiteral("TIPOPRO")).AsString().isEmpty())
        FieldByName(QStringLiteral("TIPOPRO")).SetValue(QStringLiteral("2"));
    if (FieldByName(QStringLiteral("CANCELADO")).AsString().isEmpty())
        FieldByName(QStringLiteral("CANCELADO")).SetValue(QStringLiteral("0"));
    TnCadastroDeclarado::nClientDataSetBeforePost();
}

void TLyrDMProtocolo::nClientDataSetAfterPost()
{
    TnCadastroDeclarado::nClientDataSetAfterPost();
    EstadoDosControles();
}

void TLyrDMProtocolo::ValidarDado()
{
    CarimbarAuditoria();
    TnCadastroDeclarado::ValidarDado();
    // Company and establishment are chosen when the protocol is typed, whatever
    // path stored it since (the screen locks them, another path may not).
    if (nClientDataSet.State() == TnDataSetState::dsEdit) {
        for (const QString& nome : {QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOESTAB")}) {
            const TnField& campo = FieldByName(nome);
            if (Valores::Comparar(campo.Value(), campo.OldValue()) != 0) {
                nClientDataSet.Cancel();
                throw EnField(nome, QStringLiteral("A empresa e a filial de um protocolo gravado não podem ser alteradas."));
            }
        }
    }
    if (!m_baixando && Baixado()) {
        nClientDataSet.Cancel();
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Não é permitido alterar protocolo baixado!"));
    }
    if (Cancelado()) {
        nClientDataSet.Cancel();
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Impossivel alterar protocolo cancelado!"));
    }
}

void TLyrDMProtocolo::nClientDataSetBeforeDelete()
{
    // Items are cancelled, never deleted: a protocol that has any stays, and
    // so do the sources that point at it.
    if (Baixado())
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Protocolo baixado não pode ser excluído."));
    if (Cancelado())
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Protocolo cancelado não pode ser excluído."));
    if (PegarTemRegistro(QStringLiteral("PROTOCOLOITEM"), QStringLiteral("SEQITEMPRO"),
                         ValorParaSQL(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("="), FieldByName(QStringLiteral("CODIGOPROTOCOLO")).Value())))
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Protocolo com itens não pode ser excluído; cancele os itens."));
    TnCadastroDeclarado::nClientDataSetBeforeDelete();
}

bool TLyrDMProtocolo::TemItemAtivo() const
{
    const TnField& codigo = FieldByName(QStringLiteral("CODIGOPROTOCOLO"));
    return !codigo.IsNull()
           && PegarTemRegistro(QStringLiteral("PROTOCOLOITEM"), QStringLiteral("SEQITEMPRO"),
                               ValorParaSQL(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("="), codigo.Value())
                                   + QStringLiteral(" and ") + CondicaoItemAtivo());
}

QString CondicaoItemAtivo(const QString& prefixo)
{
    return prefixo + QStringLiteral("CANCELADO = 0");
}

void TLyrDMProtocolo::Refresh()
{
    TnCadastroDeclarado::Refresh();
    m_ultimoEstab.clear();
}

void TLyrDMProtocolo::nClientDataSetCODIGOPROTOCOLOChange(TnField& campo)
{
    if (nClientDataSet.State() == TnDataSetState::dsInsert)
        return;
    bool ok = false;
    const qint64 codigo = campo.AsString().toLongLong(&ok);
    if (!ok || codigo == 0)
        return;
    if (PegarValorCampo(QStringLiteral("PROTOCOLO"), QStringLiteral("CODIGOPROTOCOLO"),
                        QStringLiteral("CODIGOPROTOCOLO = %1").arg(codigo))
            .toLongLong()
        == 0)
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Não existe registro com esta chave"));
}

void TLyrDMProtocolo::nClientDataSetCODIGOESTABDefIntExit(TnField&)
{
    if (nClientDataSet.State() != TnDataSetState::dsInsert)
        return;
    const TnField& empresa = FieldByName(QStringLiteral("CODIGOEMPRESA"));
    const TnField& estab = FieldByName(QStringLiteral("CODIGOESTAB"));
    if (!empresa.IsNull() && !estab.IsNull()) {
        const QString chave = empresa.AsString() + u';' + estab.AsString();
        // The configuration is read once per pair (again after a refresh).
        if (chave != m_ultimoEstab) {
            ChecarConfigurarEmpPro(empresa.AsInteger(), estab.AsInteger());
            m_formaConfigurada = PegarFormaEntrega(empresa.AsInteger(), estab.AsInteger());
            m_ultimoEstab = chave;
        }
    }
    FieldByName(QStringLiteral("FORMAENTREGA")).SetValue(m_formaConfigurada);
}

QString TLyrDMProtocolo::TituloRelatorio(const QString& nome) const
{
    if (nome == QStringLiteral("LyrRRProtocolo"))
        return QStringLiteral("Recibo por protocolo");
    if (nome == QStringLiteral("LyrRRProtocoloEmpresa"))
        return QStringLiteral("Recibo por empresa");
    return TnCadastroDeclarado::TituloRelatorio(nome);
}

TnRelatorio TLyrDMProtocolo::MontarRelatorio(const QString& nome, const QString& selecao)
{
    if (nome == QStringLiteral("LyrRRProtocolo") || nome == QStringLiteral("LyrRRProtocoloEmpresa"))
        return MontarRecibos(selecao, nome == QStringLiteral("LyrRRProtocoloEmpresa"));
    return TnCadastroDeclarado::MontarRelatorio(nome, selecao);
}

void TLyrDMProtocolo::BaixarProtocolo()
{
    if (nClientDataSet.IsEmpty() || Baixado())
        return;
    if (Cancelado())
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Impossível baixar um protocolo cancelado!"));
    // An item still being typed is written off with the protocol.
    GravarDetalhes();
    if (!TemItemAtivo())
        throw EnField(QStringLiteral("CODIGOPROTOCOLO"), QStringLiteral("Protocolo sem itens ativos não pode ser baixado."));
    QString pessoa;
    int usuario = 0;
    QDateTime entrega;
    if (!PegarDadosBaixa(FieldByName(QStringLiteral("NATUREZAPRO")).AsInteger(), FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger(),
                         FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger(), pessoa, usuario, entrega))
        return;
    if (nClientDataSet.State() == TnDataSetState::dsBrowse)
        nClientDataSet.Edit();
    FieldByName(QStringLiteral("DATAHORAENTREGA")).SetValue(entrega);
    FieldByName(QStringLiteral("USUARIOEXT")).SetValue(pessoa);
    FieldByName(QStringLiteral("CODIGOUSUARIOINT")).SetValue(usuario);
    FieldByName(QStringLiteral("DATAHORABAIXA")).SetValue(QDateTime::currentDateTime());
    m_baixando = true;
    try {
        nClientDataSet.Post();
    } catch (...) {
        m_baixando = false;
        throw;
    }
    m_baixando = false;
    ConfigurarCampo();
}

void TLyrDMProtocolo::InformacoesBaixa()
{
    if (nClientDataSet.IsEmpty() || !Baixado())
        return;
    const QString codigoUsuario = FieldByName(QStringLiteral("CODIGOUSUARIOINT")).AsString();
    const QString nomeUsuario = PegarValorCampo(QStringLiteral("USUARIO"), QStringLiteral("NOMEUSUARIOCOMPL"),
                                                QStringLiteral("CODIGOUSUARIO = ") + (codigoUsuario.isEmpty() ? QStringLiteral("0") : codigoUsuario))
                                    .toString();
    const QString usuario = codigoUsuario + QStringLiteral(" - ") + nomeUsuario;
    const QString pessoa = FieldByName(QStringLiteral("USUARIOEXT")).AsString();
    QStringList paragrafos;
    if (FieldByName(QStringLiteral("NATUREZAPRO")).AsString() == u"1")
        paragrafos = {QStringLiteral("Usuário Entrega: ") + usuario, QStringLiteral("Responsável Recebimento: ") + pessoa};
    else
        paragrafos = {QStringLiteral("Responsável Entrega: ") + pessoa, QStringLiteral("Usuário Recebimento: ") + usuario};
    paragrafos.append(QStringLiteral("Data Entrega: ") + FieldByName(QStringLiteral("DATAHORAENTREGA")).AsString());
    paragrafos.append(QStringLiteral("Data/Hora Baixa: ") + FieldByName(QStringLiteral("DATAHORABAIXA")).AsString());
    nMessageDlg(paragrafos.join(QStringLiteral("\n\n")), TnTipoDlg::Informacao, {QStringLiteral("OK")});
}

void TLyrDMProtocolo::CancelarTudo()
{
    auto* itens = dynamic_cast<TLyrDMProtocoloItem*>(Detalhe(TLyrDMProtocoloItem::NomeDaClasse()));
    if (!itens || nClientDataSet.IsEmpty())
        return;
    const TnRotulo* status = Rotulo(QStringLiteral("lblStatus"));
    if ((status && status->Visivel) || Baixado() || Cancelado())
        return;
    GravarDetalhes();
    if (nMessageDlg(QStringLiteral("Tem certeza que deseja cancelar todos os ítens do protocolo?"), TnTipoDlg::Confirmacao,
                    {QStringLiteral("Sim"), QStringLiteral("Não")})
        != 0)
        return;
    // Each cancellation reads the items again and moves their cursor: the walk
    // goes by the sequences read before it, each item once.
    TnClientDataSet& linhas = itens->nClientDataSet;
    QVariantList sequencias;
    for (linhas.First(); !linhas.Eof(); linhas.Next())
        sequencias.append(linhas.FieldByName(QStringLiteral("SEQITEMPRO")).Value());
    for (const QVariant& sequencia : std::as_const(sequencias)) {
        if (!linhas.Locate(QStringLiteral("SEQITEMPRO"), sequencia))
            continue;
        itens->actCancelarItem(this);
        if (Cancelado())
            break;
    }
    if (Cancelado())
        return;
    linhas.CancelUpdates();
    itens->Refresh();
    QStringList ativos;
    for (linhas.First(); !linhas.Eof(); linhas.Next()) {
        if (linhas.FieldByName(QStringLiteral("CANCELADO")).AsString() != u"1")
            ativos.append(linhas.FieldByName(QStringLiteral("SEQITEMPRO")).AsString());
    }
    linhas.First();
    if (!ativos.isEmpty())
        nMessageDlg(QStringLiteral("O protocolo continua ativo: não foi possível cancelar %1 %2.")
                        .arg(ativos.size() == 1 ? QStringLiteral("o item") : QStringLiteral("os itens"), ativos.join(QStringLiteral(", "))),
                    TnTipoDlg::Informacao, {QStringLiteral("OK")});
}

TLyrDCProtocolo::TLyrDCProtocolo()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t. CODIGOESTAB,t_t. CODIGOPROTOCOLO,t_t. OBSERVACAO from PROTOCOLO t_t ORDER BY t_t.CodigoProtocolo"));
    nClientDataSet.Tela().Caption = QStringLiteral("Protocolo");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Protocolo");
    DefAdic.Ordem = QStringLiteral("CodigoProtocolo");
    DefAdic.OrdemCaption = QStringLiteral("Protocolo");
    DefAdic.Atributos = QStringLiteral("CODIGOEMPRESA, CODIGOESTAB, CODIGOPROTOCOLO, OBSERVACAO");
    DeclararCamposDaConsulta(*this, {QStringLiteral("CODIGOEMPRESA"), QStringLiteral("CODIGOESTAB"), QStringLiteral("CODIGOPROTOCOLO"),
                                     QStringLiteral("OBSERVACAO")});
}
