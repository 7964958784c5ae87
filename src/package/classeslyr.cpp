#include "classeslyr.h"

#include "direitos.h"
#include "erros.h"


using namespace Qt::StringLiterals;

namespace {

// Name, table, key, object type, twin, grid, menu caption, category, index,
// image, separator, HTTP, shown in the menu, subject to rights, HTTP only in
// the declaration.
const QList<TnClasseDeclarada> kClasses = {
    {u"TLyrDMHistoricoPro"_s, u"HISTORICOPRO"_s, u"CODIGOHISTPRO"_s, 1, u"LyrDCHistoricoPro"_s, TnTipoForm::Normal, u"Históricos e Observações"_s, u"Cadastros\\Documentos"_s, 25, -1, true, true, true, true, false},
    {u"TLyrDCHistoricoPro"_s, u"HISTORICOPRO"_s, u"CODIGOHISTPRO"_s, 2, u"LyrDMHistoricoPro"_s, TnTipoForm::ntfConGrid, u"Históricos e Observações"_s, u"01 Cadastros\\00 Consultas"_s, 25, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloLocalCaixa"_s, u"PROTOCOLOLOCALCAIXA"_s, u"CODIGOLOCAL"_s, 1, u""_s, TnTipoForm::Normal, u"Protocolo Local Caixa"_s, u"01 Cadastros\\05 Arquivamento"_s, 0, -1, false, true, true, true, false},
    {u"TLyrDCProtocoloLocalCaixa"_s, u"PROTOCOLOLOCALCAIXA"_s, u"CODIGOLOCAL"_s, 2, u"LyrDMProtocoloLocalCaixa"_s, TnTipoForm::ntfConGrid, u"Protocolo Local Caixa"_s, u"03 Consultas"_s, 0, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloDocArquivo"_s, u"PROTOCOLODOCARQUIVO"_s, u"CODIGOCAIXA;CODIGOENVELOPE;CODIGODOCEMP"_s, 1, u"LyrDCProtocoloDocArquivo"_s, TnTipoForm::Normal, u"Arquivo de Documentos"_s, u"01 Cadastros\\20 Arquivamento"_s, 1, -1, false, false, false, true, false},
    {u"TLyrDCProtocoloDocArquivo"_s, u"PROTOCOLODOCARQUIVO"_s, u"CODIGOCAIXA;CODIGOENVELOPE;CODIGODOCEMP"_s, 1, u"LyrDMProtocoloDocArquivo"_s, TnTipoForm::Normal, u"Arquivo de Documentos"_s, u"01 Cadastros\\20 Documentos\\00 Consultas"_s, 0, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloItem"_s, u"PROTOCOLOITEM"_s, u"CODIGOPROTOCOLO;SEQITEMPRO"_s, 1, u""_s, TnTipoForm::ntfCadGrid, u"Protocolo - Itens"_s, u"02 Movimentos\\10 Protocolos"_s, 2, -1, false, false, false, true, false},
    {u"TLyrDMProtocolo"_s, u"PROTOCOLO"_s, u"CODIGOPROTOCOLO"_s, 1, u"LyrDCProtocolo"_s, TnTipoForm::Normal, u"Protocolo"_s, u"02 Movimentos\\01 Protocolos"_s, 0, 115, false, false, true, true, true},
    {u"TLyrDCProtocolo"_s, u"PROTOCOLO"_s, u"CODIGOPROTOCOLO"_s, 2, u"LyrDMProtocolo"_s, TnTipoForm::ntfConGrid, u"Protocolo"_s, u"03 Consultas"_s, 0, 115, false, false, false, true, false},
    {u"TLyrDMProtocoloRespEstab"_s, u"PROTOCOLORESPESTAB"_s, u"CODIGOEMPRESA;CODIGOESTAB;SEQ"_s, 1, u""_s, TnTipoForm::ntfCadGrid, u"Responsáveis"_s, u"02 Movimentos\\10 Protocolos"_s, 2, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloDocEnvelope"_s, u"PROTOCOLODOCENVELOPE"_s, u"CODIGOCAIXA;CODIGOENVELOPE"_s, 1, u"LyrDCProtocoloDocEnvelope"_s, TnTipoForm::ntfCadGrid, u"Envelopes de Documentos"_s, u"01 Cadastros\\05 Arquivamento"_s, 1, -1, false, false, false, true, false},
    {u"TLyrDCProtocoloDocEnvelope"_s, u"PROTOCOLODOCENVELOPE"_s, u"CODIGOCAIXA;CODIGOENVELOPE"_s, 2, u"LyrDMProtocoloDocEnvelope"_s, TnTipoForm::ntfConGrid, u"Envelopes de Documentos"_s, u"01 Cadastros\\20 Documentos\\00 Consultas"_s, 0, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloDocCaixa"_s, u"PROTOCOLODOCCAIXA"_s, u"CODIGOCAIXA"_s, 1, u"LyrDCProtocoloDocCaixa"_s, TnTipoForm::Normal, u"Caixas de Documentos"_s, u"01 Cadastros\\05 Arquivamento"_s, 1, -1, false, true, true, true, false},
    {u"TLyrDCProtocoloDocCaixa"_s, u"PROTOCOLODOCCAIXA"_s, u"CODIGOCAIXA"_s, 2, u"LyrDMProtocoloDocCaixa"_s, TnTipoForm::ntfConGrid, u"Caixas de Documentos"_s, u"01 Cadastros\\20 Documentos\\00 Consultas"_s, 0, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloDocEmp"_s, u"PROTOCOLODOCEMP"_s, u"CODIGODOCEMP"_s, 1, u"LyrDCProtocoloDocEmp"_s, TnTipoForm::Normal, u"Documentos da Empresa"_s, u"02 Movimentos\\20 Documentos"_s, 1, 53, false, true, true, true, false},
    {u"TLyrDCProtocoloDocEmp"_s, u"PROTOCOLODOCEMP"_s, u"CODIGODOCEMP"_s, 2, u"LyrDMProtocoloDocEmp"_s, TnTipoForm::ntfConGrid, u"Documentos da Empresa"_s, u"02 Movimentos\\20 Documentos\\00 Consultas"_s, 0, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloGrupoDoc"_s, u"PROTOCOLOGRUPODOC"_s, u"CODIGOGRUPODOC"_s, 1, u"LyrDCProtocoloGrupoDoc"_s, TnTipoForm::Normal, u"Grupos de Tipos de Documentos"_s, u"01 Cadastros\\04 Documentos"_s, 1, -1, false, true, true, true, false},
    // The groups' consultation twin, which the group register names and the
    // delivery configuration opens to pick a group.
    {u"TLyrDCProtocoloGrupoDoc"_s, u"PROTOCOLOGRUPODOC"_s, u"CODIGOGRUPODOC"_s, 2, u"LyrDMProtocoloGrupoDoc"_s, TnTipoForm::ntfConGrid, u"Grupos de Tipos de Documentos"_s, u"01 Cadastros\\04 Documentos\\00 Consultas"_s, 0, -1, false, false, false, false, false},
    {u"TLyrDMProtocoloGrupoTipoDoc"_s, u"PROTOCOLOGRUPOTIPODOC"_s, u"CODIGOGRUPODOC;CODIGOTIPODOC"_s, 1, u"LyrDCProtocoloGrupoTipoDoc"_s, TnTipoForm::ntfCadGrid, u"Tipos de Documentos em Grupos"_s, u"01 Cadastros\\20 Documentos"_s, 3, -1, false, false, false, true, false},
    {u"TLyrDCProtocoloGrupoTipoDoc"_s, u"PROTOCOLOGRUPOTIPODOC"_s, u"CODIGOGRUPODOC;CODIGOTIPODOC"_s, 2, u"LyrDMProtocoloGrupoTipoDoc"_s, TnTipoForm::ntfConGrid, u"Tipos de Documentos em Grupos"_s, u"01 Cadastros\\20 Documentos\\00 Consultas"_s, 0, -1, false, false, false, false, false},
    {u"TLyrDMProtocoloRota"_s, u"PROTOCOLOROTA"_s, u"CODIGOROTA"_s, 1, u"LyrDCProtocoloRota"_s, TnTipoForm::Normal, u"Rotas de Entrega"_s, u"01 Cadastros\\01 Clientes"_s, 3, -1, true, true, true, true, false},
    {u"TLyrDCProtocoloRota"_s, u"PROTOCOLOROTA"_s, u"CODIGOROTA"_s, 2, u"LyrDMProtocoloRota"_s, TnTipoForm::ntfConGrid, u"Rotas de Entrega"_s, u"01 Cadastros\\01 Clientes\\00 Consultas"_s, 0, -1, false, false, false, false, false},
    {u"TLyrDMProtocoloRotaEntrega"_s, u"PROTOCOLOROTAENTREGA"_s, u"CODIGOROTA;SEQROTA"_s, 1, u""_s, TnTipoForm::Normal, u"Rotas de Entrega - Configuração"_s, u"01 Cadastros\\01 Clientes"_s, 2, -1, false, false, false, true, false},
    {u"TLyrDMProtocoloTipoDoc"_s, u"PROTOCOLOTIPODOC"_s, u"CODIGOTIPODOC"_s, 1, u"LyrDCProtocoloTipoDoc"_s, TnTipoForm::Normal, u"Tipos de Documentos"_s, u"01 Cadastros\\04 Documentos"_s, 2, -1, false, true, true, true, false},
    {u"TLyrDCProtocoloTipoDoc"_s, u"PROTOCOLOTIPODOC"_s, u"CODIGOTIPODOC"_s, 2, u"LyrDMProtocoloTipoDoc"_s, TnTipoForm::ntfConGrid, u"Tipos de Documentos"_s, u"01 Cadastros\\04 Documentos\\00 Consultas"_s, 0, -1, false, false, false, false, false},
    {u"TLyrDMProtocoloDocMovimento"_s, u"PROTOCOLODOCMOVIMENTO"_s, u"CODIGODOCEMP;SEQDOCEMP"_s, 1, u""_s, TnTipoForm::ntfCadGrid, u"Documento - Movimentação"_s, u"02 Movimentos\\20 Documentos"_s, 2, -1, false, false, false, true, false},
    {u"TLyrDMCfgTipoProtocolo"_s, u"CFGTIPOPROTOCOLO"_s, u"CODIGOTIPOPROTOCOLO"_s, 1, u""_s, TnTipoForm::Normal, u"Tipos Protocolos"_s, u"02 Movimentos\\01 Protocolos"_s, 4, -1, true, true, true, true, false},
    {u"TLyrDPBaixarProtocolo"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Baixar Protocolo"_s, u"02 Movimentos\\01 Protocolos"_s, 3, -1, false, false, true, true, false},
    {u"TnFrmGerarProtocolo"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u""_s, u""_s, 0, -1, false, false, true, true, false},
    {u"TLyrDPGerarProtocoloBase"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u""_s, u""_s, 0, -1, false, false, true, true, false},
    {u"TLyrDPGerarProtocolo"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Gerar Protocolo"_s, u"02 Movimentos\\01 Protocolos"_s, 1, -1, true, false, true, true, false},
    // In the menu, as the process itself declares: the documents of a range
    // are generated from the desktop too, not only by `lyr gerar-documentos`.
    {u"TLyrDPGerarDocumento"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Gerar Documento"_s, u"02 Movimentos\\20 Documentos"_s, 2, -1, false, false, true, true, false},
    {u"TLyrDPGerarProIndividual"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Gerar Protocolo Individual"_s, u"01 Cadastros\\20 Protocolo"_s, 2, -1, false, false, false, true, false},
    {u"TLyrDPConfigurarRotaEntrega"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Configuração da Rota de Entrega"_s, u"01 Cadastros\\01 Clientes"_s, 4, -1, false, true, true, true, false},
    {u"TLyrDPConsultaDocumento"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Documentos"_s, u"04 Consultas"_s, 1, -1, false, false, false, true, false},
    // The documents lent out and not yet back, per client.
    {u"TLyrDPDocumentosFora"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Documentos Emprestados"_s, u"04 Consultas"_s, 2, -1, false, false, true, true, false},
    {u"TLyrDPConsultaProtocoloBase"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u""_s, u""_s, 0, -1, false, false, true, true, false},
    {u"TLyrDPConsultaProtocoloBaixado"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Protocolos Baixados/Recebidos"_s, u"04 Consultas"_s, 1, -1, true, true, true, true, false},
    {u"TLyrDPConsultaProtocoloEntregue"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Protocolos Entregues/Retirados"_s, u"04 Consultas"_s, 1, -1, false, true, true, true, false},
    {u"TLyrDPConfiguracaoEntrega"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Configurar Forma Entrega"_s, u"01 Cadastros\\01 Clientes"_s, 2, -1, false, true, true, true, false},
    {u"TLyrDPConfiguradorTipoGrupo"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Configurador dos Tipos de Documento nos Grupos"_s, u"01 Cadastros\\04 Documentos"_s, 9, -1, true, true, true, true, false},
    {u"TLyrDPConsultaDocPendente"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Documentos Pendentes"_s, u"04 Consultas"_s, 1, -1, false, true, true, true, false},
    {u"TLyrDPDocumentosPendentes"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Documentos Pendentes"_s, u"02 Movimentos\\20 Documentos"_s, 1, -1, false, false, true, true, false},
    {u"TLyrDPConsultaProtocoloLocalCaixas"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Local de Caixas"_s, u"04 Consultas"_s, 1, -1, false, true, true, true, false},
    {u"TLyrDPConsultaDocumentosCaixa"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Consulta de Documentos/Caixa"_s, u"04 Consultas"_s, 1, -1, false, false, true, true, false},
    {u"TLyrDPArquivarDocs"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Arquivar Documentos"_s, u"01 Cadastros\\05 Arquivamento"_s, 1, -1, true, true, true, true, false},
    // The pending documents of a competence summed up per client and type, with the clients that owe most.
    {u"TLyrDPPainelPendencias"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Painel de Documentos Pendentes"_s, u"04 Consultas"_s, 3, -1, false, false, true, true, false},
    // The pending slots dismissed as not due, listed and undone here.
    {u"TLyrDMDocBaixaJustificada"_s, u"PROTOCOLODOCBAIXAJUST"_s, u"CODIGOEMPRESA;CODIGOESTAB;CODIGOTIPODOC;DATALCTOPRO"_s, 1, u""_s, TnTipoForm::ntfCadGrid, u"Baixas Justificadas de Documentos"_s, u"02 Movimentos\\20 Documentos"_s, 3, -1, false, false, true, true, false},
    // The archived documents past their discard date, by box.
    {u"TLyrDPConsultaDescarte"_s, u""_s, u""_s, 0, u""_s, TnTipoForm::Normal, u"Documentos a Descartar"_s, u"04 Consultas"_s, 4, -1, false, false, true, true, false},
};

} // namespace

const QList<TnClasseDeclarada>& ClassesLyr()
{
    return kClasses;
}

void GerarDireitosLyr(TnActionList& direitos)
{
    TnLeaPermissoes::nLeaDoGerarPrincAction(direitos);
    TnAction& direito = direitos.Nova(QStringLiteral("DireitoAltProtocolo"));
    direito.SetCategory(QStringLiteral("03 Protocolos"));
    direito.SetCaption(QStringLiteral("Usuário pode Alterar Protocolo"));
    direito.SetIndex(1000);
    direito.SetTag(3);
}
