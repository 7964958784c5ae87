#include "tiposdoc.h"

#include "camposdoc.h"
#include "dicionario.h"
#include "duplicidade.h"

namespace {

TnField& CampoCodigo(TnDMClientDataSet& dm, const QString& nome)
{
    return CampoNumerado<TnSmallIntField>(dm, nome, 9999);
}

TnField& CampoDescricao(TnDMClientDataSet& dm, const QString& nome, const QString& dica)
{
    TnField& descricao = dm.Campo<TnStringField>(nome, 50);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.SetRequired(true);
    descricao.Definicao().Hint = dica;
    return descricao;
}

TnField& CampoSimNao(TnDMClientDataSet& dm, const QString& nome, const QString& rotulo, const QString& dica)
{
    TnField& campo = ComoSimNao(dm.Campo<TnStringField>(nome, 1), false);
    campo.SetDisplayLabel(rotulo);
    campo.Definicao().Hint = dica;
    return campo;
}

QStringList MesesDoAno()
{
    static const QStringList nomes = {QStringLiteral("Janeiro"), QStringLiteral("Fevereiro"), QStringLiteral("Março"),
                                      QStringLiteral("Abril"),   QStringLiteral("Maio"),      QStringLiteral("Junho"),
                                      QStringLiteral("Julho"),   QStringLiteral("Agosto"),    QStringLiteral("Setembro"),
                                      QStringLiteral("Outubro"), QStringLiteral("Novembro"),  QStringLiteral("Dezembro")};
    QStringList meses;
    for (int mes = 1; mes <= 12; ++mes)
        meses.append(QStringLiteral("%1=%2").arg(nomes[mes - 1]).arg(mes));
    return meses;
}

void DeclararCamposDoTipo(TnDMClientDataSet& dm)
{
    CampoCodigo(dm, QStringLiteral("CODIGOTIPODOC"));
    CampoDescricao(dm, QStringLiteral("DESCRTIPODOC"), QStringLiteral("Informe a descrição do tipo de documento"));
    TnField& descarte = dm.Campo<TnIntegerField>(QStringLiteral("PERIODODIASDESCARTE"));
    descarte.SetDisplayLabel(QStringLiteral("Período Descarte (Dias)"));
    descarte.SetRequired(true);
    descarte.Definicao().Hint = QStringLiteral("Informe o período em dias para descarte do documento");
    descarte.Definicao().MaxLength = 9;
    CampoSimNao(dm, QStringLiteral("GERARAUTO"), QStringLiteral("Gerar Automaticamente"),
                QStringLiteral("Informe sim para o tipo de documento fazer parte do porcesso de geração automática"));
    TnField& periodo = dm.Campo<TnSmallIntField>(QStringLiteral("PERIODODOC"));
    periodo.SetDisplayLabel(QStringLiteral("Período"));
    periodo.SetRequired(true);
    periodo.Definicao().Hint = QStringLiteral("Informe o período do documento");
    periodo.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    periodo.Definicao().NomesValores = {QStringLiteral("Indefinido=0"), QStringLiteral("Mensal=1"), QStringLiteral("Quinzenal=2"),
                                        QStringLiteral("Decendial=3")};
    periodo.Definicao().MaxLength = 4;
    TnField& meses = dm.Campo<TnStringField>(QStringLiteral("MESOCORRENCIA"), 27);
    meses.SetDisplayLabel(QStringLiteral("Mês Ocorrência"));
    meses.Definicao().Hint = QStringLiteral("Informe os meses em que a tarefa ocorrerá");
    meses.Definicao().TipoControle = TnTipoControle::ntcCheckListBox;
    meses.Definicao().NomesValores = MesesDoAno();
    CampoSimNao(dm, QStringLiteral("GERARENVELOPE"), QStringLiteral("Gerar Envelope"),
                QStringLiteral("Informe sim para o tipo de documento gerar e ser atribuido a um envelope automaticamente na "
                               "distribuição de documentos"));
    AplicarDicionario(dm.nClientDataSet);
}

void DeclararCamposDoGrupo(TnDMClientDataSet& dm)
{
    CampoCodigo(dm, QStringLiteral("CODIGOGRUPODOC"));
    CampoDescricao(dm, QStringLiteral("DESCRGRUPODOC"), QStringLiteral("Informe a descrição do grupo do tipo de documento"));
    AplicarDicionario(dm.nClientDataSet);
}

void DeclararCamposDoMembro(TnDMClientDataSet& dm)
{
    CampoLigado(dm, QStringLiteral("CODIGOGRUPODOC"));
    CampoLigado(dm, QStringLiteral("CODIGOTIPODOC"));
    AplicarDicionario(dm.nClientDataSet);
}

const QString kComandoMembros = QStringLiteral(
    "Select t_t.CODIGOGRUPODOC,t_t.CODIGOTIPODOC from PROTOCOLOGRUPOTIPODOC t_t ORDER BY t_t.CodigoGrupoDoc,t_t.CodigoTipoDoc");

} // namespace

TLyrDMProtocoloTipoDoc::TLyrDMProtocoloTipoDoc()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOTIPODOC,t_t.DESCRTIPODOC,t_t.PERIODODIASDESCARTE,t_t.GERARAUTO,t_t.PERIODODOC,t_t.MESOCORRENCIA,"
        "t_t.GERARENVELOPE from PROTOCOLOTIPODOC t_t ORDER BY t_t.CodigoTipoDoc"));
    nClientDataSet.Tela().Caption = QStringLiteral("Tipos de Documentos");
    DefAdic.Ordem = QStringLiteral("CodigoTipoDoc");
    DeclararCamposDoTipo(*this);
}

// A description another type has is refused; an edit that keeps its own, or
// changes only its letter case, passes.
void TLyrDMProtocoloTipoDoc::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorExistencia(nClientDataSet, {QStringLiteral("PROTOCOLOTIPODOC"), QStringLiteral("CODIGOTIPODOC"),
                                                       {QStringLiteral("DESCRTIPODOC")}, false,
                                                       QStringLiteral("Já existe cadastrado um tipo de documento com a mesma descrição")});
}

TLyrDCProtocoloTipoDoc::TLyrDCProtocoloTipoDoc()
{
    nClientDataSet.SetCommandText(
        QStringLiteral("Select t_t.CODIGOTIPODOC,t_t. DESCRTIPODOC from PROTOCOLOTIPODOC t_t ORDER BY t_t.CodigoTipoDoc"));
    nClientDataSet.Tela().Caption = QStringLiteral("Tipos de Documentos");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Código Tipo");
    nClientDataSet.Tela().Indexs = {{QStringLiteral("Descrição Tipo"), QStringLiteral("DESCRTIPODOC")}};
    DefAdic.Ordem = QStringLiteral("CodigoTipoDoc");
    DefAdic.OrdemCaption = QStringLiteral("Código Tipo");
    DefAdic.Atributos = QStringLiteral("CODIGOTIPODOC, DESCRTIPODOC");
    CampoCodigo(*this, QStringLiteral("CODIGOTIPODOC"));
    CampoDescricao(*this, QStringLiteral("DESCRTIPODOC"), QStringLiteral("Informe a descrição do tipo de documento"));
    AplicarDicionario(nClientDataSet);
}

TLyrDMProtocoloGrupoDoc::TLyrDMProtocoloGrupoDoc()
{
    nClientDataSet.SetCommandText(
        QStringLiteral("Select t_t.CODIGOGRUPODOC,t_t.DESCRGRUPODOC from PROTOCOLOGRUPODOC t_t ORDER BY t_t.CodigoGrupoDoc"));
    nClientDataSet.Tela().Caption = QStringLiteral("Grupos de Tipos de Documentos");
    DefAdic.Ordem = QStringLiteral("CodigoGrupoDoc");
    DeclararCamposDoGrupo(*this);
}

// The members of the group in a grid under its two fields: only those of
// the current group, and a new one takes the group's code.
void TLyrDMProtocoloGrupoDoc::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    AddInfoDetalhe(TLyrDMProtocoloGrupoTipoDoc::NomeDaClasse(), QStringLiteral("CODIGOGRUPODOC"), QStringLiteral("CODIGOGRUPODOC"));
}

// The group's own description passes (the code found is its own); the
// comparison is the database's equality on the column.
void TLyrDMProtocoloGrupoDoc::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorCodigo(nClientDataSet, {QStringLiteral("PROTOCOLOGRUPODOC"), QStringLiteral("CODIGOGRUPODOC"),
                                                   {QStringLiteral("DESCRGRUPODOC")}, false,
                                                   QStringLiteral("Já existe cadastrado um grupo com a mesma descrição.")});
}

TLyrDCProtocoloGrupoDoc::TLyrDCProtocoloGrupoDoc()
{
    nClientDataSet.SetCommandText(
        QStringLiteral("Select t_t.CODIGOGRUPODOC,t_t.DESCRGRUPODOC from PROTOCOLOGRUPODOC t_t ORDER BY t_t.CodigoGrupoDoc"));
    nClientDataSet.Tela().Caption = QStringLiteral("Grupos de Tipos de Documentos");
    DefAdic.Ordem = QStringLiteral("CodigoGrupoDoc");
    DefAdic.Atributos = QStringLiteral("CODIGOGRUPODOC, DESCRGRUPODOC");
    DeclararCamposDoGrupo(*this);
}

TLyrDMProtocoloGrupoTipoDoc::TLyrDMProtocoloGrupoTipoDoc()
{
    nClientDataSet.SetCommandText(kComandoMembros);
    nClientDataSet.Tela().Caption = QStringLiteral("Tipos de Documentos em Grupos");
    DefAdic.Ordem = QStringLiteral("CodigoGrupoDoc,CodigoTipoDoc");
    DeclararCamposDoMembro(*this);
}

void TLyrDMProtocoloGrupoTipoDoc::nClientDataSetBeforeOpen()
{
    TnCadastroDeclarado::nClientDataSetBeforeOpen();
    FieldByName(QStringLiteral("CODIGOGRUPODOC")).SetVisible(nClientDataSet.Master() == nullptr);
}

TLyrDCProtocoloGrupoTipoDoc::TLyrDCProtocoloGrupoTipoDoc()
{
    nClientDataSet.SetCommandText(kComandoMembros);
    nClientDataSet.Tela().Caption = QStringLiteral("Tipos de Documentos em Grupos");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Grupo de Tipo de Documento");
    nClientDataSet.Tela().Indexs = {{QStringLiteral("Código Grupo"), QStringLiteral("CODIGOGRUPODOC")},
                                    {QStringLiteral("Código Tipo"), QStringLiteral("CODIGOTIPODOC")}};
    DefAdic.Ordem = QStringLiteral("CodigoGrupoDoc,CodigoTipoDoc");
    DefAdic.OrdemCaption = QStringLiteral("Grupo de Tipo de Documento");
    DeclararCamposDoMembro(*this);
}
