#include "dicionario.h"

#include <QHash>
#include <QList>

namespace {

const QList<TnEntradaDicionario>& Entradas()
{
    static const QList<TnEntradaDicionario> entradas = {
        {"CODIGOEMPRESA", "Empresa", "Informe o código da empresa", "EMPRESA", "CODIGOEMPRESA", "NOMEEMPRESA"},
        {"CODIGOESTAB", "Filial", "Informe o código da filial", "ESTAB", "CODIGOEMPRESA;CODIGOESTAB", "APELIDOESTAB"},
        {"CODIGOUSUARIO", "Usuário", "Informe o código do usuário", "USUARIO", "CODIGOUSUARIO", "NOMEUSUARIOCOMPL"},
        {"CODIGODPTOESCRIT", "Departamento", "Informe o departamento do escritório", "DPTOESCRIT", "CODIGODPTOESCRIT", "DESCRDPTOESCRIT"},
        {"CODIGOIMPOSTO", "Imposto", "Informe o código do imposto", "IMPOSTO", "CODIGOIMPOSTO", "DESCRIMPOSTO"},
        {"VARIACAOIMPOSTO", "Variação", "Informe a variação do imposto", "IMPOSTO", "CODIGOIMPOSTO;VARIACAOIMPOSTO", "DESCRIMPOSTO"},
        {"CODIGOFUNCCONTR", "Contrato", "Informe o contrato do empregado", "FUNCCONTRATO", "CODIGOEMPRESA;CODIGOFUNCCONTR", ""},
        {"CODIGOPROTOCOLO", "Protocolo", "Informe o código do protocolo", "PROTOCOLO", "CODIGOPROTOCOLO", "OBSERVACAO"},
        {"SEQITEMPRO", "Seqüência", "", "", "", ""},
        {"CODIGODOCEMP", "Documento", "Informe o código do documento", "PROTOCOLODOCEMP", "CODIGODOCEMP", "DESCRDOCEMP"},
        {"SEQDOCEMP", "Seqüência", "", "", "", ""},
        {"CODIGOTIPODOC", "Tipo Documento", "Informe o tipo do documento", "PROTOCOLOTIPODOC", "CODIGOTIPODOC", "DESCRTIPODOC"},
        {"CODIGOGRUPODOC", "Grupo", "Informe o grupo de tipos de documento", "PROTOCOLOGRUPODOC", "CODIGOGRUPODOC", "DESCRGRUPODOC"},
        {"CODIGOROTA", "Rota", "Informe a rota de entrega", "PROTOCOLOROTA", "CODIGOROTA", "DESCRROTA"},
        {"SEQROTA", "Seqüência", "", "", "", ""},
        {"CODIGOLOCAL", "Local", "Informe o local da caixa", "PROTOCOLOLOCALCAIXA", "CODIGOLOCAL", "DESCRLOCAL"},
        {"CODIGOCAIXAPRO", "Caixa", "Informe o código da caixa", "PROTOCOLODOCCAIXA", "CODIGOCAIXA", ""},
        {"CODIGOENVELOPE", "Envelope", "Informe o envelope", "PROTOCOLODOCENVELOPE", "CODIGOCAIXA;CODIGOENVELOPE", "DESCRENVELOPE"},
        {"CODIGOHISTPRO", "Histórico", "", "HISTORICOPRO", "CODIGOHISTPRO", "DESCRISAOHISTPRO"},
        {"ORIGEMDADO", "Origem", "", "", "", ""},
        {"DICDATA", "Data", "Informe a data", "", "", ""},
        {"DICDATAMESANO", "Competência", "Informe o mês e o ano", "", "", ""},
        {"DICTEXTO", "Texto", "", "", "", ""},
        {"DICSIMNAO", "Sim/Não", "", "", "", ""},
    };
    return entradas;
}

} // namespace

const TnEntradaDicionario* EntradaDicionario(const QString& nome)
{
    static const QHash<QString, const TnEntradaDicionario*> porNome = [] {
        QHash<QString, const TnEntradaDicionario*> indice;
        for (const TnEntradaDicionario& entrada : Entradas())
            indice.insert(entrada.nome, &entrada);
        return indice;
    }();
    return porNome.value(nome.trimmed().toUpper(), nullptr);
}
