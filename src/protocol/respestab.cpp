#include "respestab.h"

TLyrDMProtocoloRespEstab::TLyrDMProtocoloRespEstab()
{
    nClientDataSet.CommandText = QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.SEQ,t_t.NOMERESPONSAVEL from PROTOCOLORESPESTAB t_t ORDER BY "
        "t_t.CodigoEmpresa,t_t. CodigoEstab,t_t. Seq");
    nClientDataSet.Caption = QStringLiteral("Responsáveis");
    DefAdic.Ordem = QStringLiteral("CodigoEmpresa, CodigoEstab, Seq");
    TnField& empresa = Campo<TnSmallIntField>(QStringLiteral("CODIGOEMPRESA"));
    empresa.Required = true;
    empresa.Definicao.Dicionario = QStringLiteral("CODIGOEMPRESA");
    empresa.Definicao.LinkKeyFields = QStringLiteral("CODIGOEMPRESA");
    TnField& estab = Campo<TnSmallIntField>(QStringLiteral("CODIGOESTAB"));
    estab.Required = true;
    estab.Definicao.Dicionario = QStringLiteral("CODIGOESTAB");
    estab.Definicao.LinkKeyFields = QStringLiteral("CODIGOEMPRESA;CODIGOESTAB");
    TnField& seq = Campo<TnSmallIntField>(QStringLiteral("SEQ"));
    seq.DisplayLabel = QStringLiteral("Seq");
    seq.Required = true;
    TnField& nome = Campo<TnStringField>(QStringLiteral("NOMERESPONSAVEL"), 100);
    nome.DisplayLabel = QStringLiteral("Responsável");
    nome.Required = true;
    AplicarDicionario(nClientDataSet);
}
