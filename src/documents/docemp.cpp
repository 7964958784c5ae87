#include "docemp.h"

#include "camposdoc.h"
#include "dicionario.h"
#include "dialogos.h"
#include "duplicidade.h"
#include "informacoesdocemp.h"
#include "movimentodoc.h"
#include "sqlservicos.h"
#include "valores.h"

namespace {

const QString kRotuloArquivado = QStringLiteral("lblArquivado");
const QString kRotuloFora = QStringLiteral("lblFora");
const QString kEtiquetasA4 = QStringLiteral("LyrRREtiquetaDocumento");
const QString kEtiquetaImpressora = QStringLiteral("LyrRREtiquetaDocumentoImpressora");

TnField& CampoDocumento(TnDMClientDataSet& dm)
{
    return CampoNumerado<TnLargeIntField>(dm, QStringLiteral("CODIGODOCEMP"), 9999999999LL);
}

TnField& CampoDescricao(TnDMClientDataSet& dm)
{
    TnField& descricao = dm.Campo<TnStringField>(QStringLiteral("DESCRDOCEMP"), 50);
    descricao.SetDisplayLabel(QStringLiteral("Descrição"));
    descricao.Definicao().Hint = QStringLiteral("Informe uma descrição para identificar o documento");
    return descricao;
}

} // namespace

TLyrDMProtocoloDocEmp::TLyrDMProtocoloDocEmp()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGODOCEMP,t_t.CODIGOTIPODOC,t_t.CODIGOEMPRESA,t_t.CODIGOESTAB,t_t.DATALCTOPRO,t_t.DESCRDOCEMP,t_t.ARQUIVADO "
        "from PROTOCOLODOCEMP t_t ORDER BY t_t.CodigoDocEmp"));
    nClientDataSet.Tela().Caption = QStringLiteral("Documentos da Empresa");
    DefAdic.Ordem = QStringLiteral("CodigoDocEmp");
    CampoDocumento(*this);
    CampoLigado(*this, QStringLiteral("CODIGOTIPODOC"));
    CamposDaFilial(*this);
    TnField& data = Campo<TnDateField>(QStringLiteral("DATALCTOPRO"));
    data.SetDisplayLabel(QStringLiteral("Data Lançamento"));
    data.SetRequired(true);
    data.Definicao().Hint = QStringLiteral("Informe a data de lançamento do documento");
    data.Definicao().TipoControle = TnTipoControle::ntcActData;
    CampoDescricao(*this);
    nClientDataSet.Tela().Relatorios = {kEtiquetasA4, kEtiquetaImpressora};
    TnField& arquivado = Campo<TnStringField>(QStringLiteral("ARQUIVADO"), 1);
    arquivado.SetRequired(true);
    arquivado.SetFixedChar(true);
    arquivado.SetVisible(false);
    AplicarDicionario(nClientDataSet);
}

void TLyrDMProtocoloDocEmp::DataModuleCreate()
{
    TnCadastroDeclarado::DataModuleCreate();
    AddInfoDetalhe(TLyrDMProtocoloDocMovimento::NomeDaClasse(), QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGODOCEMP"));
}

void TLyrDMProtocoloDocEmp::DepoisConfigurar(TnFormulario* formulario)
{
    TnRotulo& arquivado = CriarRotulo(kRotuloArquivado, QStringLiteral("Arquivado"));
    arquivado.Cor = QStringLiteral("red");
    arquivado.Visivel = false;
    TnRotulo& fora = CriarRotulo(kRotuloFora);
    fora.Cor = QStringLiteral("#b35900");
    fora.Visivel = false;
    TnCadastroDeclarado::DepoisConfigurar(formulario);
    if (formulario)
        CriarToolButton(QStringLiteral("Informações"), QStringLiteral("Arquivo, movimentações e protocolos do documento"), 160,
                        [this](TnAction&) { actInformacoes(); }, QStringLiteral("Ctrl+I"));
    ConfigurarCampo();
}

void TLyrDMProtocoloDocEmp::actInformacoes()
{
    const TnField& codigo = FieldByName(QStringLiteral("CODIGODOCEMP"));
    if (!nClientDataSet.Active() || nClientDataSet.IsEmpty() || codigo.IsNull())
        return;
    TLyrFraInformacoesDocEmp informacoes;
    informacoes.Carregar(codigo.AsLargeInt());
    nMostrarQuadro(informacoes.Quadro(), QStringLiteral("Informações do Documento ") + codigo.AsString());
}

// A row without the flag yet leaves the label as it was.
void TLyrDMProtocoloDocEmp::ConfigurarCampo()
{
    TnCadastroDeclarado::ConfigurarCampo();
    TnRotulo* arquivado = Rotulo(kRotuloArquivado);
    if (!arquivado || !nClientDataSet.Active())
        return;
    const TnField& flag = FieldByName(QStringLiteral("ARQUIVADO"));
    if (!flag.IsNull())
        arquivado->Visivel = flag.AsString() == u"1";
    if (TnRotulo* fora = Rotulo(kRotuloFora)) {
        fora->Texto = TextoFora();
        fora->Visivel = !fora->Texto.isEmpty();
    }
}

// "Fora desde 02/12/2026 (retorno previsto 15/12/2026)" while the document
// is lent out: its newest movement is external with a return date.
QString TLyrDMProtocoloDocEmp::TextoFora() const
{
    const TnField& codigo = FieldByName(QStringLiteral("CODIGODOCEMP"));
    if (nClientDataSet.IsEmpty() || codigo.IsNull())
        return {};
    const QVariantList ultimo =
        PegarValorCampo(QStringLiteral("PROTOCOLODOCMOVIMENTO M"), QStringLiteral("M.TIPOLOCAL;M.DATAHORA;M.DATARETORNOPREV"),
                        ValorParaSQL(QStringLiteral("M.CODIGODOCEMP"), QStringLiteral("="), codigo.Value())
                            + QStringLiteral(" and M.SEQDOCEMP = (select max(U.SEQDOCEMP) from PROTOCOLODOCMOVIMENTO U where "
                                             "U.CODIGODOCEMP = M.CODIGODOCEMP)"))
            .toList();
    if (ultimo.size() < 3 || ultimo.at(0).toString() != u"2" || ultimo.at(2).isNull())
        return {};
    return QStringLiteral("Fora desde %1 (retorno previsto %2)")
        .arg(Valores::ParaDataHora(ultimo.at(1)).date().toString(QStringLiteral("dd/MM/yyyy")),
             Valores::ParaData(ultimo.at(2)).toString(QStringLiteral("dd/MM/yyyy")));
}

// A document comes unarchived, unless another register writes it on its
// own behalf (then the default of who writes it stands).
void TLyrDMProtocoloDocEmp::nClientDataSetNewRecord()
{
    TnCadastroDeclarado::nClientDataSetNewRecord();
    if (!OrigemAlternativa)
        FieldByName(QStringLiteral("ARQUIVADO")).SetValue(QStringLiteral("0"));
}

// Editing only the description, or saving unchanged, passes.
void TLyrDMProtocoloDocEmp::ValidarDado()
{
    TnCadastroDeclarado::ValidarDado();
    VerificarDuplicidadePorExistencia(nClientDataSet, {QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP"),
                                                       {QStringLiteral("CODIGOTIPODOC"), QStringLiteral("CODIGOEMPRESA"),
                                                        QStringLiteral("CODIGOESTAB"), QStringLiteral("DATALCTOPRO")},
                                                       true, QStringLiteral("Este tipo de documento já foi cadastrado nesta data de lançamento.")});
}

TLyrDCProtocoloDocEmp::TLyrDCProtocoloDocEmp()
{
    nClientDataSet.SetCommandText(QStringLiteral(
        "Select t_t.CODIGOEMPRESA,t_t. CODIGOESTAB,t_t. CODIGODOCEMP,t_t. DESCRDOCEMP from PROTOCOLODOCEMP t_t ORDER BY t_t.CodigoDocEmp"));
    nClientDataSet.Tela().Caption = QStringLiteral("Documentos da Empresa");
    nClientDataSet.Tela().OrdemCaption = QStringLiteral("Documento");
    DefAdic.Ordem = QStringLiteral("CodigoDocEmp");
    DefAdic.OrdemCaption = QStringLiteral("Documento");
    DefAdic.Atributos = QStringLiteral("CODIGOEMPRESA, CODIGOESTAB, CODIGODOCEMP, DESCRDOCEMP");
    CamposDaFilial(*this);
    CampoDocumento(*this);
    CampoDescricao(*this);
    AplicarDicionario(nClientDataSet);
}

QString TLyrDMProtocoloDocEmp::CodigoDaEtiqueta(qint64 documento)
{
    return QStringLiteral("%1").arg(documento, 10, 10, QChar(u'0'));
}

QString TLyrDMProtocoloDocEmp::TituloRelatorio(const QString& nome) const
{
    if (nome == kEtiquetasA4)
        return QStringLiteral("Etiquetas dos documentos (folha A4, 3 x 8)");
    if (nome == kEtiquetaImpressora)
        return QStringLiteral("Etiquetas dos documentos (impressora de etiquetas, 100 x 50 mm)");
    return TnCadastroDeclarado::TituloRelatorio(nome);
}

TnRelatorio TLyrDMProtocoloDocEmp::MontarRelatorio(const QString& nome, const QString& selecao)
{
    if (nome != kEtiquetasA4 && nome != kEtiquetaImpressora)
        return TnCadastroDeclarado::MontarRelatorio(nome, selecao);
    ValidarSelecaoDeCodigos(selecao);
    TnRelatorio relatorio;
    relatorio.titulo = QStringLiteral("Etiquetas de documentos");
    relatorio.etiquetas = nome == kEtiquetasA4 ? TnEtiquetas{3, 8, 0, 0} : TnEtiquetas{1, 1, 100, 50};
    auto documentos = ExecutarSQL(
        QStringLiteral("select D.CODIGODOCEMP, D.CODIGOEMPRESA, E.NOMEEMPRESA, D.CODIGOESTAB, F.APELIDOESTAB, T.DESCRTIPODOC, D.DATALCTOPRO, "
                       "D.DESCRDOCEMP from PROTOCOLODOCEMP D join EMPRESA E on E.CODIGOEMPRESA = D.CODIGOEMPRESA "
                       "join ESTAB F on F.CODIGOEMPRESA = D.CODIGOEMPRESA and F.CODIGOESTAB = D.CODIGOESTAB "
                       "join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = D.CODIGOTIPODOC where 1 = 1")
        + FilterInterval(QStringLiteral("D.CODIGODOCEMP"), selecao.trimmed()) + QStringLiteral(" order by D.CODIGODOCEMP"));
    for (int linha = 0; linha < documentos->RecordCount(); ++linha) {
        const auto valor = [&](int coluna) { return documentos->Valor(linha, coluna); };
        TnBlocoRelatorio texto;
        texto.tipo = TnBlocoRelatorio::Tipo::Texto;
        texto.linhas = {QStringLiteral("%1 - %2").arg(valor(1).toString(), valor(2).toString()),
                        QStringLiteral("Filial %1 - %2").arg(valor(3).toString(), valor(4).toString()),
                        QStringLiteral("%1 - %2").arg(valor(5).toString(), Valores::ParaData(valor(6)).toString(QStringLiteral("MM/yyyy")))};
        TnBlocoRelatorio codigo;
        codigo.tipo = TnBlocoRelatorio::Tipo::CodigoBarras;
        codigo.texto = CodigoDaEtiqueta(valor(0).toLongLong());
        relatorio.paginas.append({{texto, codigo}});
    }
    DestruirSQL(documentos);
    return relatorio;
}
