// The package's commands of the lyr command line: the generation process
// and the receipts, run without the desktop as a scheduler would.

#include "calendariodoc.h"
#include "classeslyr.h"
#include "contribuicoeslyr.h"
#include "descarte.h"
#include "docemp.h"
#include "documentosfora.h"
#include "gerardocumento.h"
#include "gerarprotocolo.h"
#include "painelpendencias.h"
#include "protocolo.h"

#include "campo.h"
#include "conexao.h"
#include "erros.h"
#include "exportacao.h"
#include "host.h"
#include "msgtree.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSaveFile>

#include <QDate>
#include <QMap>
#include <QTextStream>

#include <functional>

namespace {

// `lyr gerar`: the "Gerar Protocolo" process: the same preview, a summary
// of it, and with --gravar every proposable item marked and saved, as
// "Selecionar todos" and "Gravar" would on the screen.
struct TnOpcoesGerar {
    QString de;        // AAAA-MM-DD
    QString ate;
    QString tipos;     // "1;2;5"; empty: the process's default
    QString empresas;  // codes and ranges
    QString forma;     // "1" single protocol, "2" divided in types
    bool gravar = false;

    explicit TnOpcoesGerar(const TnArgumentosComando& argumentos)
        : de(argumentos.valor(QStringLiteral("de"))), ate(argumentos.valor(QStringLiteral("ate"))),
          tipos(argumentos.valor(QStringLiteral("tipos"))), empresas(argumentos.valor(QStringLiteral("empresas"))),
          forma(argumentos.valor(QStringLiteral("forma"))), gravar(argumentos.marcada(QStringLiteral("gravar")))
    {
    }
};

QString DataDoParametro(const QString& texto, const char* opcao)
{
    const QDate data = QDate::fromString(texto, Qt::ISODate);
    if (!data.isValid())
        throw EnErro(QStringLiteral("--%1 espera uma data AAAA-MM-DD, não \"%2\".").arg(QLatin1String(opcao), texto));
    return data.toString(QStringLiteral("dd/MM/yyyy"));
}

// The errors of the run (establishments without configuration, documents
// that could not be listed), each after the company and establishment lines
// it sits under (the top lines, the types of each pass, are left out); once.
void JuntarAvisos(const TnMsgTree& mensagens, TnMsgNo pai, const QString& caminho, QStringList& avisos)
{
    for (TnMsgNo no : mensagens.Filhos(pai)) {
        const QString texto = mensagens.Texto(no);
        const QString aviso = caminho.isEmpty() ? texto : caminho + QStringLiteral(": ") + texto;
        if (mensagens.Tipo(no) == 0 && !avisos.contains(aviso))
            avisos.append(aviso);
        const QString abaixo = !pai.Valido() ? QString() : (caminho.isEmpty() ? texto : caminho + QStringLiteral(" / ") + texto);
        JuntarAvisos(mensagens, no, abaixo, avisos);
    }
}

std::unique_ptr<TLyrDPGerarProtocolo> CriarProcesso()
{
    std::unique_ptr<TLyrDPGerarProtocolo> processo = CriarDM<TLyrDPGerarProtocolo>(TLyrDPGerarProtocolo::NomeDaClasse());
    PrepararDM(*processo);
    processo->SetParam(QStringLiteral("pListarDebitos"), QStringLiteral("0"));
    return processo;
}

// Runs `passo`; a refusal of a parameter names it as the panel does.
void ComoParametro(TnDMPowerParam& processo, const std::function<void()>& passo)
{
    try {
        passo();
    } catch (const EnParam& erro) {
        const TnpqParamItem* item = processo.npqPowerParam.Find(erro.Alias());
        throw EnErro(QStringLiteral("%1: %2").arg(item && !item->Caption.isEmpty() ? item->Caption : erro.Alias(), erro.Mensagem()));
    }
}

// Runs `passo` with the options on the process's parameters.
void ComAsOpcoes(TLyrDPGerarProtocolo& processo, const TnOpcoesGerar& opcoes, const std::function<void()>& passo)
{
    if (opcoes.de.isEmpty() || opcoes.ate.isEmpty())
        throw EnErro(QStringLiteral("Use: lyr gerar --de AAAA-MM-DD --ate AAAA-MM-DD [--tipos 1;2;5] [--empresas 1;3] [--forma 1|2] [--gravar]"));
    processo.SetParam(QStringLiteral("pDataInicial"), DataDoParametro(opcoes.de, "de"));
    processo.SetParam(QStringLiteral("pDataFinal"), DataDoParametro(opcoes.ate, "ate"));
    if (!opcoes.tipos.isEmpty())
        processo.SetParam(QStringLiteral("pTipo"), opcoes.tipos);
    if (!opcoes.forma.isEmpty())
        processo.SetParam(QStringLiteral("pFormaGer"), opcoes.forma);
    processo.SetParam(QStringLiteral("pCodigoEmpresa"), opcoes.empresas);
    ComoParametro(processo, passo);
}

void ConferirGerar(const TnArgumentosComando& argumentos)
{
    // The process checks its parameters within a host: one of its own over
    // an in-memory database, so that nothing is opened, created or migrated
    // for options the process refuses.
    const TnOpcoesGerar opcoes(argumentos);
    TnConfigBanco emMemoria;
    emMemoria.arquivo = QStringLiteral(":memory:");
    TnHost rascunho(std::make_unique<nDMConexao>(emMemoria));
    nRegisterClass(InfoDaClasseLyr<TLyrDPGerarProtocolo>());
    std::unique_ptr<TLyrDPGerarProtocolo> processo = CriarProcesso();
    ComAsOpcoes(*processo, opcoes, [&] { processo->ConferirParametros(); });
}

int ExecutarGerar(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    const TnOpcoesGerar opcoes(argumentos);
    std::unique_ptr<TLyrDPGerarProtocolo> processo = CriarProcesso();
    ComAsOpcoes(*processo, opcoes, [&] { processo->Processar(); });
    TnClientDataSet& protocolos = processo->nClientDataSet;
    TnClientDataSet& itens = *processo->DataSetDetalhe();
    itens.SetFiltered(false);
    // Money is summed in cents: thousands of doubles drift off the last cent.
    QMap<QString, QPair<int, TnDecimal>> porTipo;
    int proponiveis = 0;
    for (itens.First(); !itens.Eof(); itens.Next()) {
        auto& total = porTipo[itens.FieldByName(QStringLiteral("TIPODEBITO")).AsString()];
        total.first += 1;
        total.second = total.second + Valores::ParaDecimal(itens.FieldByName(QStringLiteral("VALOR")).Value(), 2);
        if (itens.FieldByName(QStringLiteral("PROTOCOLO")).IsNull())
            ++proponiveis;
    }
    saida << "Protocolos propostos: " << protocolos.RecordCount() << "   Itens: " << itens.RecordCount() << Qt::endl;
    for (auto it = porTipo.cbegin(); it != porTipo.cend(); ++it)
        saida << "  " << it.key().leftJustified(32, u'.') << ' ' << QString::number(it.value().first).rightJustified(6) << " itens  R$ "
              << FormatarExibicao(QVariant::fromValue(it.value().second), QStringLiteral("#,##0.00")) << Qt::endl;
    QStringList avisos;
    JuntarAvisos(processo->MsgTreeLista(), {}, {}, avisos);
    if (!avisos.isEmpty()) {
        saida << "Avisos (" << avisos.size() << "):" << Qt::endl;
        for (const QString& aviso : avisos)
            saida << "  " << aviso << Qt::endl;
    }
    if (!opcoes.gravar)
        return 0;
    if (proponiveis == 0) {
        saida << "Nada a gravar." << Qt::endl;
        return 0;
    }
    // What "Selecionar todos" and "Gravar" do on the screen.
    processo->SelecionarTodos();
    processo->actGravarExecute();
    saida << processo->MsgTreeLista().Filhos().size() << " protocolo(s) gravado(s)." << Qt::endl;
    return 0;
}

// `lyr gerar-documentos`: the "Gerar Documento" process over a range of
// competences; typing the command is the user's confirmation.
std::unique_ptr<TLyrDPGerarDocumento> ProcessoGerarDocumentos(const TnArgumentosComando& argumentos)
{
    const QString de = argumentos.valor(QStringLiteral("de"));
    const QString ate = argumentos.valor(QStringLiteral("ate"));
    if (de.isEmpty() || ate.isEmpty())
        throw EnErro(QStringLiteral("Use: lyr gerar-documentos --de AAAA-MM --ate AAAA-MM [--empresas 1;3] [--filiais 1;2]"));
    std::unique_ptr<TLyrDPGerarDocumento> processo = CriarDM<TLyrDPGerarDocumento>(TLyrDPGerarDocumento::NomeDaClasse());
    processo->SetPerguntarAntes(false);
    processo->SetParam(QStringLiteral("pCompetInicial"), de);
    processo->SetParam(QStringLiteral("pCompetFinal"), ate);
    // All companies unless some are named: the panel asks for them, the command line does not.
    const QString empresas = argumentos.valor(QStringLiteral("empresas")).trimmed();
    processo->SetParam(QStringLiteral("pCodigoEmpresa"), empresas.isEmpty() ? QStringLiteral("0-32767") : empresas);
    processo->SetParam(QStringLiteral("pCodigoEstab"), argumentos.valor(QStringLiteral("filiais")));
    return processo;
}

void ConferirGerarDocumentos(const TnArgumentosComando& argumentos)
{
    TnConfigBanco emMemoria;
    emMemoria.arquivo = QStringLiteral(":memory:");
    TnHost rascunho(std::make_unique<nDMConexao>(emMemoria));
    nRegisterClass(InfoDaClasseLyr<TLyrDPGerarDocumento>());
    std::unique_ptr<TLyrDPGerarDocumento> processo = ProcessoGerarDocumentos(argumentos);
    ComoParametro(*processo, [&] { processo->ConferirParametros(); });
}

int ExecutarGerarDocumentos(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    std::unique_ptr<TLyrDPGerarDocumento> processo = ProcessoGerarDocumentos(argumentos);
    QElapsedTimer relogio;
    relogio.start();
    try {
        ComoParametro(*processo, [&] { processo->Processar(); });
    } catch (const EnErro&) {
        saida << processo->MsgTreeLista().ComoTexto();
        throw;
    }
    saida << processo->MsgTreeLista().ComoTexto();
    saida << "Documentos gerados: " << processo->DocumentosGerados() << " (" << relogio.elapsed() << " ms)" << Qt::endl;
    return 0;
}

// `lyr documentos-fora`: the documents lent out, per client.
void ConferirDocumentosFora(const TnArgumentosComando& argumentos)
{
    ValidarSelecaoDeCodigos(argumentos.valor(QStringLiteral("empresas")));
}

int ExecutarDocumentosFora(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    const QDate hoje = QDate::currentDate();
    const QList<TnDocumentoFora> fora =
        TLyrDPDocumentosFora::Listar(argumentos.valor(QStringLiteral("empresas")), argumentos.marcada(QStringLiteral("vencidos")), hoje);
    QPair<int, int> filial{-1, -1};
    int vencidos = 0;
    for (const TnDocumentoFora& documento : fora) {
        if (filial != QPair<int, int>{documento.empresa, documento.estab}) {
            filial = {documento.empresa, documento.estab};
            saida << documento.empresa << " - " << documento.nomeEmpresa << " / " << documento.estab << " - " << documento.nomeEstab << Qt::endl;
        }
        vencidos += documento.diasEmAtraso > 0 ? 1 : 0;
        saida << "  " << QString::number(documento.documento).rightJustified(8) << "  "
              << (documento.descricao.isEmpty() ? documento.tipo : documento.descricao).left(36).leftJustified(36) << "  fora desde "
              << documento.foraDesde.date().toString(QStringLiteral("dd/MM/yyyy")) << ", retorno "
              << documento.retornoPrevisto.toString(QStringLiteral("dd/MM/yyyy"))
              << (documento.diasEmAtraso > 0 ? QStringLiteral(" (%1 dias em atraso)").arg(documento.diasEmAtraso) : QString())
              << (documento.responsavel.isEmpty() ? QString() : QStringLiteral(" - ") + documento.responsavel) << Qt::endl;
    }
    saida << "Documentos fora: " << fora.size() << ", vencidos: " << vencidos << Qt::endl;
    return 0;
}

// `lyr pendentes`: the dashboard of a competence's pending documents, as
// text, and each pending document in a CSV file (";", as spreadsheets here
// read it).
void ConferirPendentes(const TnArgumentosComando& argumentos)
{
    if (!CalendarioDoc::LerCompetencia(argumentos.valor(QStringLiteral("competencia"))).isValid())
        throw EnErro(QStringLiteral("Use: lyr pendentes --competencia AAAA-MM [--empresas 1;5-9] [--csv arquivo.csv]"));
    ValidarSelecaoDeCodigos(argumentos.valor(QStringLiteral("empresas")));
    const QString csv = argumentos.valor(QStringLiteral("csv"));
    if (!csv.isEmpty() && !QFileInfo(csv).absoluteDir().exists())
        throw EnErro(QStringLiteral("A pasta de %1 não existe.").arg(csv));
}

int ExecutarPendentes(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    std::unique_ptr<TLyrDPPainelPendencias> painel = CriarDM<TLyrDPPainelPendencias>(TLyrDPPainelPendencias::NomeDaClasse());
    const QDate competencia = CalendarioDoc::LerCompetencia(argumentos.valor(QStringLiteral("competencia")));
    painel->SetParam(QStringLiteral("pCompet"), competencia.toString(QStringLiteral("MM/yyyy")));
    painel->SetParam(QStringLiteral("pCodigoEmpresa"), argumentos.valor(QStringLiteral("empresas")));
    painel->SetParam(QStringLiteral("pCodigoEstab"), QString());
    painel->Processar();
    TnClientDataSet& filiais = painel->nClientDataSet;
    saida << "Competência " << competencia.toString(QStringLiteral("MM/yyyy")) << ": " << painel->Pendentes().size()
          << " documento(s) pendente(s) em " << filiais.RecordCount() << " filial(is)" << Qt::endl;
    QHash<QPair<int, int>, QPair<QString, QString>> nomes;
    if (!filiais.IsEmpty())
        saida << Qt::endl << "Por filial (mais pendências primeiro):" << Qt::endl;
    for (filiais.First(); !filiais.Eof(); filiais.Next()) {
        const int empresa = filiais.FieldByName(QStringLiteral("CODIGOEMPRESA")).AsInteger();
        const int estab = filiais.FieldByName(QStringLiteral("CODIGOESTAB")).AsInteger();
        const QString nome = filiais.FieldByName(QStringLiteral("NOMEEMPRESA")).AsString();
        const QString apelido = filiais.FieldByName(QStringLiteral("APELIDOESTAB")).AsString();
        nomes.insert({empresa, estab}, {nome, apelido});
        saida << "  " << QString::number(empresa).rightJustified(5) << " - " << nome.left(35).leftJustified(35) << " / "
              << QString::number(estab).rightJustified(3) << " - " << apelido.left(20).leftJustified(20)
              << QString::number(filiais.FieldByName(QStringLiteral("PENDENTES")).AsInteger()).rightJustified(6) << Qt::endl;
    }
    TnClientDataSet& tipos = painel->PorTipo;
    if (!tipos.IsEmpty())
        saida << Qt::endl << "Por tipo de documento:" << Qt::endl;
    for (tipos.First(); !tipos.Eof(); tipos.Next())
        saida << "  " << QString::number(tipos.FieldByName(QStringLiteral("CODIGOTIPODOC")).AsInteger()).rightJustified(5) << " - "
              << tipos.FieldByName(QStringLiteral("DESCRTIPODOC")).AsString().left(40).leftJustified(40)
              << QString::number(tipos.FieldByName(QStringLiteral("FILIAIS")).AsInteger()).rightJustified(5) << " filial(is)"
              << QString::number(tipos.FieldByName(QStringLiteral("PENDENTES")).AsInteger()).rightJustified(7) << Qt::endl;
    const QString csv = argumentos.valor(QStringLiteral("csv"));
    if (csv.isEmpty())
        return 0;
    // Written whole or not at all: a half-written file never replaces the last one.
    QSaveFile arquivo(csv);
    if (!arquivo.open(QIODevice::WriteOnly | QIODevice::Text))
        throw EnErro(QStringLiteral("Não foi possível gravar %1: %2").arg(csv, arquivo.errorString()));
    QTextStream linhas(&arquivo);
    linhas << "Empresa;Nome;Filial;Apelido;Documento;Tipo;Descrição;Data\n";
    for (const TLyrDocPendente& documento : painel->Pendentes()) {
        const QPair<QString, QString> nome = nomes.value({documento.empresa, documento.estab});
        linhas << documento.empresa << ';' << CelulaCsv(nome.first) << ';' << documento.estab << ';' << CelulaCsv(nome.second) << ';'
               << documento.codigo << ';' << documento.tipo << ';' << CelulaCsv(documento.descricao) << ';'
               << documento.data.date().toString(QStringLiteral("dd/MM/yyyy")) << '\n';
    }
    linhas.flush();
    if (!arquivo.commit())
        throw EnErro(QStringLiteral("Não foi possível gravar %1: %2").arg(csv, arquivo.errorString()));
    saida << Qt::endl << "Arquivo: " << csv << " (" << painel->Pendentes().size() << " documento(s))" << Qt::endl;
    return 0;
}

// `lyr descarte`: the archived documents that may be thrown away by a date,
// per box, and each of them in a CSV file.
void ConferirDescarte(const TnArgumentosComando& argumentos)
{
    if (!QDate::fromString(argumentos.valor(QStringLiteral("ate")).trimmed(), Qt::ISODate).isValid())
        throw EnErro(QStringLiteral("Use: lyr descarte --ate AAAA-MM-DD [--csv arquivo.csv]"));
    const QString csv = argumentos.valor(QStringLiteral("csv"));
    if (!csv.isEmpty() && !QFileInfo(csv).absoluteDir().exists())
        throw EnErro(QStringLiteral("A pasta de %1 não existe.").arg(csv));
}

int ExecutarDescarte(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    std::unique_ptr<TLyrDPConsultaDescarte> consulta = CriarDM<TLyrDPConsultaDescarte>(TLyrDPConsultaDescarte::NomeDaClasse());
    const QDate ate = QDate::fromString(argumentos.valor(QStringLiteral("ate")).trimmed(), Qt::ISODate);
    consulta->SetParam(QStringLiteral("pDataDescarte"), ate.toString(QStringLiteral("dd/MM/yyyy")));
    consulta->SetParam(QStringLiteral("pCodigoEmpresa"), QString());
    consulta->SetParam(QStringLiteral("pCodigoCaixaPro"), QString());
    consulta->Processar();
    TnClientDataSet& caixas = consulta->PorCaixa;
    saida << "Descartáveis até " << ate.toString(QStringLiteral("dd/MM/yyyy")) << ": " << consulta->nClientDataSet.RecordCount()
          << " documento(s) em " << caixas.RecordCount() << " caixa(s)" << Qt::endl;
    for (caixas.First(); !caixas.Eof(); caixas.Next())
        saida << "  Caixa " << QString::number(caixas.FieldByName(QStringLiteral("CODIGOCAIXA")).AsInteger()).rightJustified(5) << "  "
              << caixas.FieldByName(QStringLiteral("DESCRLOCAL")).AsString().left(25).leftJustified(25) << "  "
              << caixas.FieldByName(QStringLiteral("DESCARTAVEIS")).AsInteger() << " de " << caixas.FieldByName(QStringLiteral("DOCUMENTOS")).AsInteger()
              << " - " << caixas.FieldByName(QStringLiteral("SITUACAO")).AsString() << Qt::endl;
    const QString csv = argumentos.valor(QStringLiteral("csv"));
    if (!csv.isEmpty()) {
        ExportarCsv(consulta->nClientDataSet, csv);
        saida << "Arquivo: " << csv << Qt::endl;
    }
    return 0;
}

// `lyr etiquetas`: the documents' labels as a PDF.
void ConferirEtiquetas(const TnArgumentosComando& argumentos)
{
    const QString documentos = argumentos.valor(QStringLiteral("documentos"));
    const QString arquivo = argumentos.valor(QStringLiteral("saida"));
    if (documentos.trimmed().isEmpty() || arquivo.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Use: lyr etiquetas --documentos 1;5-9 --saida etiquetas.pdf [--impressora-etiquetas]"));
    ValidarSelecaoDeCodigos(documentos);
    argumentos.conferirArquivoPdf(arquivo);
}

int ExecutarEtiquetas(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    const QString arquivo = argumentos.valor(QStringLiteral("saida"));
    std::unique_ptr<TLyrDMProtocoloDocEmp> documentos = CriarDM<TLyrDMProtocoloDocEmp>(TLyrDMProtocoloDocEmp::NomeDaClasse());
    const QString relatorio = documentos->nClientDataSet.Tela().Relatorios.value(argumentos.marcada(QStringLiteral("impressora-etiquetas")) ? 1 : 0);
    const TnRelatorio etiquetas = documentos->MontarRelatorio(relatorio, argumentos.valor(QStringLiteral("documentos")));
    int folhas = 0;
    argumentos.gravarPdf(etiquetas, arquivo, [&](int folha) { folhas = folha; });
    saida << "Etiquetas: " << etiquetas.paginas.size() << ", folhas: " << folhas << ", arquivo: " << arquivo << Qt::endl;
    return 0;
}

// `lyr recibo`: the receipts of protocols as a PDF.
void ConferirRecibo(const TnArgumentosComando& argumentos)
{
    const QString protocolos = argumentos.valor(QStringLiteral("protocolos"));
    const QString arquivo = argumentos.valor(QStringLiteral("saida"));
    if (protocolos.trimmed().isEmpty() || arquivo.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Use: lyr recibo --protocolos 1;5-9 --saida recibos.pdf [--por-empresa]"));
    ValidarSelecaoDeCodigos(protocolos);
    argumentos.conferirArquivoPdf(arquivo);
}

int ExecutarRecibo(const TnArgumentosComando& argumentos, QTextStream& saida)
{
    const QString arquivo = argumentos.valor(QStringLiteral("saida"));
    std::unique_ptr<TLyrDMProtocolo> protocolo = CriarDM<TLyrDMProtocolo>(TLyrDMProtocolo::NomeDaClasse());
    QElapsedTimer relogio;
    relogio.start();
    const TnRelatorio relatorio =
        protocolo->MontarRelatorio(argumentos.marcada(QStringLiteral("por-empresa")) ? QStringLiteral("LyrRRProtocoloEmpresa")
                                                                                     : QStringLiteral("LyrRRProtocolo"),
                                   argumentos.valor(QStringLiteral("protocolos")));
    int folhas = 0;
    argumentos.gravarPdf(relatorio, arquivo, [&](int folha) { folhas = folha; });
    saida << "Recibos: " << relatorio.paginas.size() << ", folhas: " << folhas << ", arquivo: " << arquivo << " ("
          << relogio.elapsed() << " ms)" << Qt::endl;
    return 0;
}

} // namespace

QList<TnComandoLinha> ComandosLyr()
{
    return {
        {QStringLiteral("gerar"), {}, QStringLiteral("gera protocolos do período (Gerar Protocolo, sem a janela)"), 1,
         {{{QStringLiteral("de")}, QStringLiteral("Início do período (obrigatório)."), QStringLiteral("AAAA-MM-DD")},
          {{QStringLiteral("ate")}, QStringLiteral("Fim do período (obrigatório)."), QStringLiteral("AAAA-MM-DD")},
          {{QStringLiteral("tipos")}, QStringLiteral("Tipos de origem, como 1;2;5 (padrão: os débitos 1 a 5)."), QStringLiteral("lista")},
          {{QStringLiteral("empresas")}, QStringLiteral("Empresas, como 1;3;5-9 (padrão: todas)."), QStringLiteral("lista")},
          {{QStringLiteral("forma")}, QStringLiteral("1 um protocolo por filial, 2 um por tipo (padrão)."), QStringLiteral("1|2")},
          {{QStringLiteral("gravar")}, QStringLiteral("Grava todos os itens propostos.")}},
         false, ConferirGerar, ExecutarGerar},
        {QStringLiteral("gerar-documentos"), {}, QStringLiteral("gera os documentos esperados das filiais configuradas (Gerar Documento, sem a janela)"), 1,
         {{{QStringLiteral("de")}, QStringLiteral("Competência inicial (obrigatória)."), QStringLiteral("AAAA-MM")},
          {{QStringLiteral("ate")}, QStringLiteral("Competência final (obrigatória)."), QStringLiteral("AAAA-MM")},
          {{QStringLiteral("empresas")}, QStringLiteral("Empresas, como 1;3;5-9 (padrão: todas)."), QStringLiteral("lista")},
          {{QStringLiteral("filiais")}, QStringLiteral("Filiais, como 1;2 (padrão: todas)."), QStringLiteral("lista")}},
         false, ConferirGerarDocumentos, ExecutarGerarDocumentos},
        {QStringLiteral("documentos-fora"), {}, QStringLiteral("lista os documentos emprestados que ainda não voltaram, por cliente"), 1,
         {{{QStringLiteral("vencidos")}, QStringLiteral("Só os que já passaram do retorno previsto.")},
          {{QStringLiteral("empresas")}, QStringLiteral("Empresas, como 1;3;5-9 (padrão: todas)."), QStringLiteral("lista")}},
         false, ConferirDocumentosFora, ExecutarDocumentosFora},
        {QStringLiteral("pendentes"), {}, QStringLiteral("mostra quantos documentos cada cliente ainda deve na competência, por filial e por tipo"), 1,
         {{{QStringLiteral("competencia")}, QStringLiteral("Competência (obrigatória)."), QStringLiteral("AAAA-MM")},
          {{QStringLiteral("empresas")}, QStringLiteral("Empresas, como 1;3;5-9 (padrão: todas)."), QStringLiteral("lista")},
          {{QStringLiteral("csv")}, QStringLiteral("Grava cada documento pendente neste arquivo CSV."), QStringLiteral("arquivo")}},
         false, ConferirPendentes, ExecutarPendentes},
        {QStringLiteral("descarte"), {}, QStringLiteral("lista os documentos arquivados que já podem ser descartados, por caixa"), 1,
         {{{QStringLiteral("ate")}, QStringLiteral("Descartáveis até esta data (obrigatória)."), QStringLiteral("AAAA-MM-DD")},
          {{QStringLiteral("csv")}, QStringLiteral("Grava cada documento descartável neste arquivo CSV."), QStringLiteral("arquivo")}},
         false, ConferirDescarte, ExecutarDescarte},
        {QStringLiteral("recibo"), {}, QStringLiteral("grava em PDF os recibos dos protocolos, com o código de barras de cada um"), 1,
         {{{QStringLiteral("protocolos")}, QStringLiteral("Protocolos, como 1;5-9 (obrigatório)."), QStringLiteral("lista")},
          {{QStringLiteral("saida")}, QStringLiteral("Arquivo PDF a gravar (obrigatório)."), QStringLiteral("arquivo")},
          {{QStringLiteral("por-empresa")}, QStringLiteral("Um recibo por empresa com os protocolos das suas filiais.")}},
         true, ConferirRecibo, ExecutarRecibo},
        {QStringLiteral("etiquetas"), {}, QStringLiteral("grava em PDF as etiquetas dos documentos, com o código de barras de cada um"), 1,
         {{{QStringLiteral("documentos")}, QStringLiteral("Documentos, como 1;5-9 (obrigatório)."), QStringLiteral("lista")},
          {{QStringLiteral("saida")}, QStringLiteral("Arquivo PDF a gravar (obrigatório)."), QStringLiteral("arquivo")},
          {{QStringLiteral("impressora-etiquetas")}, QStringLiteral("Uma etiqueta por página de 100 x 50 mm (padrão: folhas A4 de 3 x 8).")}},
         true, ConferirEtiquetas, ExecutarEtiquetas},
    };
}

QString SituacaoLyr(nDMConexao& conexao)
{
    TnSQLDataSet contagem(conexao);
    contagem.SetCommandText(QStringLiteral("select count(*) from PROTOCOLO"));
    contagem.Open();
    return QStringLiteral("Protocolos: %1").arg(contagem.Fields(0).AsLargeInt());
}
