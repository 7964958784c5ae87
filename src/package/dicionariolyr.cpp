#include "contribuicoeslyr.h"

QList<TnEntradaDicionario> DicionarioLyr()
{
    return {
        {"CODIGOPROTOCOLO", "Protocolo", "Informe o código do protocolo", "PROTOCOLO", "CODIGOPROTOCOLO", "OBSERVACAO"},
        {"SEQITEMPRO", "Seqüência", "", "", "", ""},
        {"CODIGODOCEMP", "Documento", "Informe o código do documento", "PROTOCOLODOCEMP", "CODIGODOCEMP", "DESCRDOCEMP", "DescrDocEmp"},
        {"SEQDOCEMP", "Seqüência", "", "", "", ""},
        {"CODIGOTIPODOC", "Tipo Documento", "Informe o tipo do documento", "PROTOCOLOTIPODOC", "CODIGOTIPODOC", "DESCRTIPODOC", "DescrTipoDoc"},
        {"CODIGOGRUPODOC", "Grupo", "Informe o grupo de tipos de documento", "PROTOCOLOGRUPODOC", "CODIGOGRUPODOC", "DESCRGRUPODOC", "DescrGrupoDoc"},
        {"CODIGOROTA", "Rota", "Informe a rota de entrega", "PROTOCOLOROTA", "CODIGOROTA", "DESCRROTA", "DescrRota", true},
        {"SEQROTA", "Seqüência", "", "", "", ""},
        {"CODIGOLOCAL", "Local", "Informe o local da caixa", "PROTOCOLOLOCALCAIXA", "CODIGOLOCAL", "DESCRLOCAL", "DescrLocal"},
        {"CODIGOCAIXAPRO", "Caixa", "Informe o código da caixa", "PROTOCOLODOCCAIXA", "CODIGOCAIXA", "", "", true},
        {"CODIGOENVELOPE", "Envelope", "Informe o envelope", "PROTOCOLODOCENVELOPE", "CODIGOCAIXA;CODIGOENVELOPE", "DESCRENVELOPE"},
        {"CODIGOHISTPRO", "Histórico", "", "HISTORICOPRO", "CODIGOHISTPRO", "DESCRISAOHISTPRO"},
        {"ORIGEMDADO", "Origem", "", "", "", ""},
    };
}

QList<TnUsoCadastro> UsosLyr()
{
    return {
        {"EMPRESA", "PROTOCOLO", "protocolos"},
        {"ESTAB", "PROTOCOLO", "protocolos"},
        {"DPTOESCRIT", "PROTOCOLODOCMOVIMENTO", "documentos"},
    };
}
