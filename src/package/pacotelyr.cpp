// Entry of the LyrPk package: the description the host registers it from.

#include "baixarprotocolo.h"
#include "cfgtipoprotocolo.h"
#include "classeslyr.h"
#include "consultaprotocolo.h"
#include "gerarprotocolo.h"
#include "gerarprotocolobase.h"
#include "historicopro.h"
#include "protocolo.h"
#include "protocoloitem.h"
#include "respestab.h"
#include "selecaolyr.h"
#include "pacote.h"
#include "registro.h"

#include <QHash>

namespace {

// The classes implemented so far, by name; registered in table order.
QHash<QString, TnInfoClasse> ClassesImplementadas()
{
    QHash<QString, TnInfoClasse> classes;
    const auto incluir = [&classes](TnInfoClasse info) { classes.insert(info.nome, std::move(info)); };
    incluir(InfoDaClasse<TLyrDMHistoricoPro>());
    incluir(InfoDaClasse<TLyrDCHistoricoPro>());
    incluir(InfoDaClasse<TLyrDMProtocoloItem>());
    incluir(InfoDaClasse<TLyrDMProtocolo>());
    incluir(InfoDaClasse<TLyrDCProtocolo>());
    incluir(InfoDaClasse<TLyrDPBaixarProtocolo>());
    incluir(InfoDaClasse<TLyrDMProtocoloRespEstab>());
    incluir(InfoDaClasse<TLyrDMCfgTipoProtocolo>());
    incluir(InfoDaClasse<TLyrDPGerarProtocoloBase>());
    incluir(InfoDaClasse<TLyrDPGerarProtocolo>());
    incluir(InfoDaClasse<TLyrDPConsultaProtocoloBase>());
    incluir(InfoDaClasse<TLyrDPConsultaProtocoloBaixado>());
    incluir(InfoDaClasse<TLyrDPConsultaProtocoloEntregue>());
    return classes;
}

} // namespace

// The package as the host loads it: the module's classes in the order of
// its units, its selection class and its user right.
extern "C" Q_DECL_EXPORT bool LyrPkDescrever(TnDescricaoPacote& descricao, QString& erro)
{
    try {
        descricao.versaoInterface = kVersaoInterfacePacote;
        descricao.nome = QStringLiteral("LyrPk");
        descricao.versao = QStringLiteral(LYR_VERSAO);
        descricao.modulo = kModuloLyr;
        QHash<QString, TnInfoClasse> implementadas = ClassesImplementadas();
        for (const TnClasseDeclarada& classe : ClassesLyr()) {
            if (implementadas.contains(classe.nome))
                descricao.classes.append(implementadas.take(classe.nome));
        }
        descricao.classes.append(InfoDaClasse<TLyrDMSelecao>());
        descricao.classeSelecao = TLyrDMSelecao::NomeDaClasse();
        descricao.gerarDireitos = GerarDireitosLyr;
        return true;
    } catch (const std::exception& falha) {
        erro = QString::fromUtf8(falha.what());
    } catch (...) {
        erro = QStringLiteral("falha desconhecida ao descrever o pacote.");
    }
    return false;
}
