// Entry of the LyrPk package: the description the host registers it from.

#include "arquivardocs.h"
#include "arquivo.h"
#include "consultadocumentoscaixa.h"
#include "consultalocalcaixas.h"
#include "descarte.h"
#include "baixajustificada.h"
#include "baixarprotocolo.h"
#include "cfgtipoprotocolo.h"
#include "classeslyr.h"
#include "contribuicoeslyr.h"
#include "configuracaoentrega.h"
#include "configuradortipogrupo.h"
#include "configurarrota.h"
#include "consultadocpendente.h"
#include "consultadocumento.h"
#include "docemp.h"
#include "documentosfora.h"
#include "documentospendentes.h"
#include "gerardocumento.h"
#include "movimentodoc.h"
#include "painelpendencias.h"
#include "protocoloindividual.h"
#include "consultaprotocolo.h"
#include "gerarprotocolo.h"
#include "gerarprotocolobase.h"
#include "historicopro.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "respestab.h"
#include "rotas.h"
#include "selecaolyr.h"
#include "tiposdoc.h"
#include "pacote.h"
#include "registro.h"

#include <QObject>

namespace {

// The classes implemented so far; registered in the order of the class table.
QList<TnInfoClasse> ClassesImplementadas()
{
    return {InfoDaClasse<TLyrDMHistoricoPro>(),
            InfoDaClasse<TLyrDCHistoricoPro>(),
            InfoDaClasse<TLyrDMProtocoloLocalCaixa>(),
            InfoDaClasse<TLyrDCProtocoloLocalCaixa>(),
            InfoDaClasse<TLyrDMProtocoloDocArquivo>(),
            InfoDaClasse<TLyrDCProtocoloDocArquivo>(),
            InfoDaClasse<TLyrDMProtocoloItem>(),
            InfoDaClasse<TLyrDMProtocoloDocEmp>(),
            InfoDaClasse<TLyrDCProtocoloDocEmp>(),
            InfoDaClasse<TLyrDMProtocoloGrupoDoc>(),
            InfoDaClasse<TLyrDCProtocoloGrupoDoc>(),
            InfoDaClasse<TLyrDMProtocoloGrupoTipoDoc>(),
            InfoDaClasse<TLyrDCProtocoloGrupoTipoDoc>(),
            InfoDaClasse<TLyrDMProtocoloRota>(),
            InfoDaClasse<TLyrDCProtocoloRota>(),
            InfoDaClasse<TLyrDMProtocoloRotaEntrega>(),
            InfoDaClasse<TLyrDMProtocoloTipoDoc>(),
            InfoDaClasse<TLyrDCProtocoloTipoDoc>(),
            InfoDaClasse<TLyrDMProtocoloDocMovimento>(),
            InfoDaClasse<TLyrDPGerarProIndividual>(),
            InfoDaClasse<TLyrDPGerarDocumento>(),
            InfoDaClasse<TLyrDPConfigurarRotaEntrega>(),
            InfoDaClasse<TLyrDPConsultaDocumento>(),
            InfoDaClasse<TLyrDPDocumentosFora>(),
            InfoDaClasse<TLyrDMProtocolo>(),
            InfoDaClasse<TLyrDCProtocolo>(),
            InfoDaClasse<TLyrDPBaixarProtocolo>(),
            InfoDaClasse<TLyrDMProtocoloRespEstab>(),
            InfoDaClasse<TLyrDMProtocoloDocEnvelope>(),
            InfoDaClasse<TLyrDCProtocoloDocEnvelope>(),
            InfoDaClasse<TLyrDMProtocoloDocCaixa>(),
            InfoDaClasse<TLyrDCProtocoloDocCaixa>(),
            InfoDaClasse<TLyrDMCfgTipoProtocolo>(),
            InfoDaClasse<TLyrDPGerarProtocoloBase>(),
            InfoDaClasse<TLyrDPGerarProtocolo>(),
            InfoDaClasse<TLyrDPConsultaProtocoloBase>(),
            InfoDaClasse<TLyrDPConsultaProtocoloBaixado>(),
            InfoDaClasse<TLyrDPConsultaProtocoloEntregue>(),
            InfoDaClasse<TLyrDPConfiguracaoEntrega>(),
            InfoDaClasse<TLyrDPConfiguradorTipoGrupo>(),
            InfoDaClasse<TLyrDPConsultaDocPendente>(),
            InfoDaClasse<TLyrDPDocumentosPendentes>(),
            InfoDaClasse<TLyrDPConsultaProtocoloLocalCaixas>(),
            InfoDaClasse<TLyrDPConsultaDocumentosCaixa>(),
            InfoDaClasse<TLyrDPArquivarDocs>(),
            InfoDaClasse<TLyrDPPainelPendencias>(),
            InfoDaClasse<TLyrDMDocBaixaJustificada>(),
            InfoDaClasse<TLyrDPConsultaDescarte>()};
}

// Carries the package's metadata (pacote.json) in the library, where the
// host reads it before loading any of this code; never instantiated.
class TLyrPkMetadados : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "br.com.lyr.Pacote" FILE "pacote.json")
};

} // namespace

// The package as the host loads it: the module's classes in the order of
// its units, its selection class, its user right, and what it brings to the
// host besides (schema, dictionary, commands, demo rows).
extern "C" Q_DECL_EXPORT bool LyrPkDescrever(TnDescricaoPacote& descricao, QString& erro)
{
    try {
        descricao.versaoInterface = kVersaoInterfacePacote;
        descricao.nome = QStringLiteral("LyrPk");
        descricao.versao = QStringLiteral(LYR_VERSAO);
        descricao.modulo = kModuloLyr;
        descricao.classes = ClassesNaOrdemDaTabela(ClassesLyr(), kModuloLyr, ClassesImplementadas(), QStringLiteral("LyrPk"));
        descricao.classes.append(InfoDaClasse<TLyrDMSelecao>());
        descricao.classeSelecao = TLyrDMSelecao::NomeDaClasse();
        descricao.gerarDireitos = GerarDireitosLyr;
        descricao.tabelas = TabelasLyr();
        descricao.migracoes = MigracoesLyr();
        descricao.dicionario = DicionarioLyr();
        descricao.usos = UsosLyr();
        descricao.comandos = ComandosLyr();
        descricao.demonstracao = DemonstracaoLyr;
        descricao.situacao = SituacaoLyr;
        return true;
    } catch (const std::exception& falha) {
        erro = QString::fromUtf8(falha.what());
    } catch (...) {
        erro = QStringLiteral("falha desconhecida ao descrever o pacote.");
    }
    return false;
}

#include "pacotelyr.moc"
