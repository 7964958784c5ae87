#include "baixajustificada.h"

#include "dicionario.h"
#include "dmclientdataset.h"

TLyrDMDocBaixaJustificada::TLyrDMDocBaixaJustificada()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.CODIGOTIPODOC,t_t.DATALCTOPRO,t_t.MOTIVO,t_t.CODIGOUSUARIO,t_t.DATAHORA,"
        "t_t.ORIGEMDADO from PROTOCOLODOCBAIXAJUST t_t ORDER BY t_t.DATALCTOPRO,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.CODIGOTIPODOC"));
    nClientDataSet.Tela().Caption = QStringLiteral("Baixas Justificadas de Documentos");
    DefAdic.Ordem = QStringLiteral("DATALCTOPRO, CODIGOEMPRESA, CODIGOESTAB, CODIGOTIPODOC");
    CamposDaFilial(*this);
    CampoLigado(*this, QStringLiteral("CODIGOTIPODOC"));
    TnField& data = Campo<TnDateField>(QStringLiteral("DATALCTOPRO"));
    data.SetDisplayLabel(QStringLiteral("Data do Documento"));
    data.SetRequired(true);
    data.Definicao().Hint = QStringLiteral("Data do documento dispensado (a do período em que era esperado)");
    TnField& motivo = Campo<TnStringField>(QStringLiteral("MOTIVO"), 200);
    motivo.SetDisplayLabel(QStringLiteral("Motivo"));
    motivo.SetRequired(true);
    motivo.Definicao().Hint = QStringLiteral("Por que o documento não é devido nesta competência");
    TnField& usuario = Campo<TnSmallIntField>(QStringLiteral("CODIGOUSUARIO"));
    usuario.SetRequired(true);
    usuario.SetReadOnly(true);
    LigarAoDicionario(usuario, QStringLiteral("CODIGOUSUARIO"));
    usuario.SetDisplayLabel(QStringLiteral("Baixado por"));
    TnField& momento = Campo<TnSQLTimeStampField>(QStringLiteral("DATAHORA"));
    momento.SetDisplayLabel(QStringLiteral("Data/Hora"));
    momento.SetRequired(true);
    momento.SetReadOnly(true);
    TnField& origem = Campo<TnSmallIntField>(QStringLiteral("ORIGEMDADO"));
    origem.SetVisible(false);
    origem.SetRequired(true);
    origem.Definicao().Dicionario = QStringLiteral("ORIGEMDADO");
    AplicarDicionario(nClientDataSet);
}

void TLyrDMDocBaixaJustificada::ValidarDado()
{
    CarimbarAuditoria(QStringLiteral("DATAHORA"));
    TnCadastroDeclarado::ValidarDado();
}
