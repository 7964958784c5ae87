#include "respestab.h"

#include "dicionario.h"

TLyrDMProtocoloRespEstab::TLyrDMProtocoloRespEstab()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.SEQ,t_t.NOMERESPONSAVEL from PROTOCOLORESPESTAB t_t ORDER BY "
        "t_t.CodigoEmpresa,t_t. CodigoEstab,t_t. Seq"));
    nClientDataSet.Tela().Caption = QStringLiteral("Responsáveis");
    DefAdic.Ordem = QStringLiteral("CodigoEmpresa, CodigoEstab, Seq");
    CamposDaFilial(*this);
    TnField& seq = Campo<TnSmallIntField>(QStringLiteral("SEQ"));
    seq.SetDisplayLabel(QStringLiteral("Seq"));
    seq.SetRequired(true);
    TnField& nome = Campo<TnStringField>(QStringLiteral("NOMERESPONSAVEL"), 100);
    nome.SetDisplayLabel(QStringLiteral("Responsável"));
    nome.SetRequired(true);
    AplicarDicionario(nClientDataSet);
}
