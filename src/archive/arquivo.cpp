#include "arquivo.h"

#include "camposdoc.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "duplicidade.h"
#include "erros.h"
#include "sqlservicos.h"

#include <QDate>

namespace {

void DeclararLocal(TnDMClientDataSet& dm)
{
    dm.nClientDataSet.SetCommandText(
        QStringLiteral("Select t_t.CODIGOLOCAL,t_t.DESCRLOCAL from PROTOCOLOLOCALCAIXA t_t ORDER BY t_t.CodigoLocal"));
    dm.nClientDataSet.Tela().Caption = QStringLiteral("Protocolo Local Caixa");
    dm.DefAdic.Ordem = QStringLiteral("CodigoLocal");
    TnField& codigo = CampoNumerado<TnSmallIntField>(dm, QStringLiteral("CODIGOLOCAL"), 9999);
    codigo.SetDisplayLabel(QStringLiteral("Codigo"));
    codigo.SetConstraintErrorMessage(QStringLiteral("Código do local inválido!"));
    TnField& descricao = dm.Campo<TnStringField>(QStringLiteral("DESCRLOCAL"), 50);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.SetRequired(true);
    descricao.Definicao().Hint = QStringLiteral("Informe a descrição do local");
    AplicarDicionario(dm.nClientDataSet);
}

TnField& CampoCaixa(TnDMClientDataSet& dm)
{
    TnField& caixa = LigarAoDicionario(dm.Campo<TnSmallIntField>(QStringLiteral("CODIGOCAIXA")), QStringLiteral("CODIGOCAIXAPRO"));
    caixa.SetRequired(true);
    return caixa;
}

TnField& CampoEnvelope(TnDMClientDataSet& dm)
{
    TnField& envelope = dm.Campo<TnIntegerField>(QStringLiteral("CODIGOENVELOPE"));
    envelope.SetRequired(true);
    envelope.Definicao().MaxLength = 9;
    return envelope;
}

void DeclararEnvelope(TnDMClientDataSet& dm)
{
    dm.nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOCAIXA,t_t.CODIGOENVELOPE,t_t.DESCRENVELOPE from PROTOCOLODOCENVELOPE t_t ORDER BY t_t.CodigoCaixa,t_t. CodigoEnvelope"));
    dm.nClientDataSet.Tela().Caption = QStringLiteral("Envelopes de Documentos");
    dm.DefAdic.Ordem = QStringLiteral("CodigoCaixa, CodigoEnvelope");
    CampoCaixa(dm);
    TnField& envelope = CampoNumerado<TnIntegerField>(dm, QStringLiteral("CODIGOENVELOPE"), 999999999);
    envelope.Definicao().Dicionario = QStringLiteral("CODIGOENVELOPE");
    TnField& descricao = dm.Campo<TnStringField>(QStringLiteral("DESCRENVELOPE"), 50);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.Definicao().Hint = QStringLiteral("Informe uma descrição que identifique o envelope");
    AplicarDicionario(dm.nClientDataSet);
}

void DeclararArquivo(TnDMClientDataSet& dm)
{
    dm.nClientDataSet.SetCommandText(QStringLiteral("Select t_t.CODIGOCAIXA,t_t.CODIGOENVELOPE,t_t.CODIGODOCEMP from PROTOCOLODOCARQUIVO t_t ORDER "
                                                    "BY t_t.CodigoCaixa,t_t.CodigoEnvelope,t_t.CodigoDocEmp"));
    dm.nClientDataSet.Tela().Caption = QStringLiteral("Arquivo de Documentos");
    dm.DefAdic.Ordem = QStringLiteral("CodigoCaixa, CodigoEnvelope, CodigoDocEmp");
    CampoCaixa(dm);
    LigarAoDicionario(CampoEnvelope(dm), QStringLiteral("CODIGOENVELOPE"), QStringLiteral("CODIGOCAIXA;CODIGOENVELOPE"));
    TnField& documento = LigarAoDicionario(dm.Campo<TnLargeIntField>(QStringLiteral("CODIGODOCEMP")), QStringLiteral("CODIGODOCEMP"));
    documento.SetRequired(true);
    documento.Definicao().MaxLength = 10;
    AplicarDicionario(dm.nClientDataSet);
}

} // namespace

TLyrDMProtocoloLocalCaixa::TLyrDMProtocoloLocalCaixa()
{
    DeclararLocal(*this);
}

void TLyrDMProtocoloLocalCaixa::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorExistencia(nClientDataSet, {QStringLiteral("PROTOCOLOLOCALCAIXA"), QStringLiteral("CODIGOLOCAL"),
                                                       {QStringLiteral("DESCRLOCAL")}, false,
                                                       QStringLiteral("Já existe cadastrado um local com a mesma descrição.")});
}

TLyrDCProtocoloLocalCaixa::TLyrDCProtocoloLocalCaixa()
{
    DeclararLocal(*this);
    DefAdic.Atributos = QStringLiteral("CODIGOLOCAL, DESCRLOCAL");
}

TLyrDMProtocoloDocCaixa::TLyrDMProtocoloDocCaixa()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOCAIXA,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.COMPETINICIAL,t_t.COMPETFINAL,t_t.CODIGOLOCAL from PROTOCOLODOCCAIXA t_t "
        "ORDER BY t_t.CodigoCaixa"));
    nClientDataSet.Tela().Caption = QStringLiteral("Caixas de Documentos");
    DefAdic.Ordem = QStringLiteral("CodigoCaixa");
    CampoNumerado<TnSmallIntField>(*this, QStringLiteral("CODIGOCAIXA"), 9999).Definicao().Dicionario = QStringLiteral("CODIGOCAIXAPRO");
    CamposDaFilial(*this);
    for (const auto& [nome, rotulo, dica] :
         {std::tuple{"COMPETINICIAL", "Competência Inicial", "Informe a competência inicial da caixa"},
          std::tuple{"COMPETFINAL", "Competência Final", "Informe a competência final da caixa"}}) {
        TnField& competencia = Campo<TnDateField>(QLatin1String(nome));
        competencia.SetDisplayLabel(QString::fromUtf8(rotulo));
        competencia.Definicao().Hint = QString::fromUtf8(dica);
        competencia.Definicao().Dicionario = QStringLiteral("DICDATAMESANO");
        competencia.Definicao().TipoData = TnTipoData::ntdMesAno;
    }
    CampoLigado(*this, QStringLiteral("CODIGOLOCAL"));
    AplicarDicionario(nClientDataSet);
}

void TLyrDMProtocoloDocCaixa::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    AddInfoDetalhe(TLyrDMProtocoloDocEnvelope::NomeDaClasse(), QStringLiteral("CODIGOCAIXA"), QStringLiteral("CODIGOCAIXA"));
}

void TLyrDMProtocoloDocCaixa::ValidarDado()
{
    TnField& final = FieldByName(QStringLiteral("COMPETFINAL"));
    if (!final.IsNull()) {
        const QDate data = final.AsDate();
        final.SetValue(QDate(data.year(), data.month(), data.daysInMonth()));
    }
    TnCadastroDeclarado::ValidarDado();
    // Beyond the register's usual rules: a range that ends before it begins
    // would hide the box from every search by competence.
    const TnField& inicial = FieldByName(QStringLiteral("COMPETINICIAL"));
    if (!inicial.IsNull() && !final.IsNull() && final.AsDate() < inicial.AsDate())
        throw EnField(QStringLiteral("COMPETFINAL"), QStringLiteral("A competência final não pode ser anterior à competência inicial."));
}

TLyrDCProtocoloDocCaixa::TLyrDCProtocoloDocCaixa()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOCAIXA,t_t. CODIGOEMPRESA,t_t. CODIGOESTAB,t_t. CODIGOLOCAL from PROTOCOLODOCCAIXA t_t ORDER BY t_t.CodigoCaixa"));
    nClientDataSet.Tela().Caption = QStringLiteral("Caixas de Documentos");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Caixa");
    DefAdic.Ordem = QStringLiteral("CodigoCaixa");
    DefAdic.OrdemCaption = QStringLiteral("Caixa");
    DefAdic.Atributos = QStringLiteral("CODIGOCAIXA, CODIGOEMPRESA, CODIGOESTAB, CODIGOLOCAL");
    CampoNumerado<TnSmallIntField>(*this, QStringLiteral("CODIGOCAIXA"), 9999).Definicao().Dicionario = QStringLiteral("CODIGOCAIXAPRO");
    CamposDaFilial(*this);
    CampoLigado(*this, QStringLiteral("CODIGOLOCAL"));
    AplicarDicionario(nClientDataSet);
}

TLyrDMProtocoloDocEnvelope::TLyrDMProtocoloDocEnvelope()
{
    DeclararEnvelope(*this);
}

// Under a box the box's code is the master's: not shown.
void TLyrDMProtocoloDocEnvelope::nClientDataSetBeforeOpen()
{
    TnCadastroDeclarado::nClientDataSetBeforeOpen();
    FieldByName(QStringLiteral("CODIGOCAIXA")).SetVisible(nClientDataSet.Master() == nullptr);
}

TLyrDCProtocoloDocEnvelope::TLyrDCProtocoloDocEnvelope()
{
    DeclararEnvelope(*this);
}

TLyrDMProtocoloDocArquivo::TLyrDMProtocoloDocArquivo()
{
    DeclararArquivo(*this);
}

// The row and its document's flag are stored together: a document never
// lies in an envelope without being marked archived.
void TLyrDMProtocoloDocArquivo::nClientDataSetBeforePost()
{
    EmTransacao([this] {
        TnCadastroDeclarado::nClientDataSetBeforePost();
        const TnField& documento = FieldByName(QStringLiteral("CODIGODOCEMP"));
        if (!documento.IsNull())
            ExecutarSQLDireto(QStringLiteral("update PROTOCOLODOCEMP set ARQUIVADO = 1 where CODIGODOCEMP = :pCodigoDocEmp"), {documento.Value()});
    });
}

TLyrDCProtocoloDocArquivo::TLyrDCProtocoloDocArquivo()
{
    DeclararArquivo(*this);
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Caixa");
    DefAdic.OrdemCaption = QStringLiteral("Caixa");
}
