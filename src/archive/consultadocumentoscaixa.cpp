#include "consultadocumentoscaixa.h"

#include "calendariodoc.h"
#include "progresso.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

namespace {

// The rows of a select into a dataset, column for column.
void Copiar(const QString& comando, TnClientDataSet& destino)
{
    std::unique_ptr<TnSQLDataSet> lidas = ExecutarSQL(comando);
    TnSemControles semControles(destino);
    for (int linha = 0; linha < lidas->RecordCount(); ++linha) {
        QVariantList valores;
        for (int coluna = 0; coluna < destino.FieldCount() && coluna < lidas->FieldCount(); ++coluna)
            valores.append(lidas->Valor(linha, coluna));
        destino.AppendRecord(valores);
    }
    destino.First();
}

} // namespace

TLyrDPConsultaDocumentosCaixa::TLyrDPConsultaDocumentosCaixa()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Consulta de Documentos/Caixa");
    for (const auto& [alias, caption, posicao] :
         {std::tuple{"pCompetInicial", "Competência Inicial", 0}, std::tuple{"pCompetFinal", "Competência Final", 1}}) {
        TnpqParamItem& competencia = p.Add(QLatin1String(alias), QString::fromUtf8(caption), posicao);
        competencia.Dicionario = QStringLiteral("DICDATAMESANO");
        competencia.EhData = true;
    }
    p.AddCodigos(QStringLiteral("pCodigoCaixaPro"), QString(), 2, QStringLiteral("CODIGOCAIXAPRO"));
    p.Add(QStringLiteral("pCodigoLocal"), QString(), 3).Dicionario = QStringLiteral("CODIGOLOCAL");
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QString(), 4, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QString(), 5, QStringLiteral("CODIGOESTAB"));
    p.AddCodigos(QStringLiteral("pCodigoDocEmp"), QString(), 6, QStringLiteral("CODIGODOCEMP"));
    p.AddCodigos(QStringLiteral("pCodigoTipoDcto"), QString(), 7, QStringLiteral("CODIGOTIPODOC"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOCAIXA"), TnFieldType::Integer},
                                 {QStringLiteral("CODIGOENVELOPE"), TnFieldType::Integer},
                                 {QStringLiteral("Empresa"), TnFieldType::String, 50},
                                 {QStringLiteral("Estab"), TnFieldType::String, 50},
                                 {QStringLiteral("Envelope"), TnFieldType::String, 50},
                                 {QStringLiteral("LocalCaixa"), TnFieldType::String, 50},
                                 {QStringLiteral("Periodo"), TnFieldType::String, 50}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOCAIXA", "Codigo Caixa", 8}, {"CODIGOENVELOPE", "Codigo Envelope", 9}});
    nClientDataSet.Tela().Caption = QStringLiteral("Envelopes");

    cdsDocumentos.SetFieldDefs({{QStringLiteral("CODIGOCAIXA"), TnFieldType::Integer},
                                {QStringLiteral("CODIGOENVELOPE"), TnFieldType::Integer},
                                {QStringLiteral("CODIGODOCEMP"), TnFieldType::Float},
                                {QStringLiteral("DataLancamento"), TnFieldType::DateTime},
                                {QStringLiteral("Descricao"), TnFieldType::String, 50}});
    cdsDocumentos.CreateDataSet();
    cdsDocumentos.MostrarColunas({{"CODIGODOCEMP", "Documento", 10}, {"DataLancamento", "Data Lançamento", 12, "dd/mm/yyyy"},
                                  {"Descricao", "Descrição", 30}});
    cdsMovimentacao.SetFieldDefs({{QStringLiteral("CODIGODOCEMP"), TnFieldType::Float},
                                  {QStringLiteral("Seq"), TnFieldType::Integer},
                                  {QStringLiteral("Observacao"), TnFieldType::String, 50},
                                  {QStringLiteral("TipoLocal"), TnFieldType::Integer},
                                  {QStringLiteral("Responsavel"), TnFieldType::String, 50}});
    cdsMovimentacao.CreateDataSet();
    cdsMovimentacao.MostrarColunas({{"Seq", "Seq", 4}, {"Observacao", "Observação", 30}, {"TipoLocal", "Local", 8}, {"Responsavel", "Responsável", 10}});
    cdsMovimentacao.FieldByName(QStringLiteral("TipoLocal")).Definicao().NomesValores = {QStringLiteral("Interno=1"), QStringLiteral("Externo=2")};
    cdsProtocolo.SetFieldDefs({{QStringLiteral("CODIGODOCEMP"), TnFieldType::Float},
                               {QStringLiteral("CodigoProtocolo"), TnFieldType::Float},
                               {QStringLiteral("DataProtocolo"), TnFieldType::DateTime},
                               {QStringLiteral("Observacao"), TnFieldType::String, 50},
                               {QStringLiteral("FormaEntrega"), TnFieldType::Integer},
                               {QStringLiteral("Natureza"), TnFieldType::Integer}});
    cdsProtocolo.CreateDataSet();
    cdsProtocolo.MostrarColunas({{"CodigoProtocolo", "Protocolo", 10}, {"DataProtocolo", "Data Protocolo", 12, "dd/mm/yyyy"},
                                 {"Observacao", "Observação", 25}, {"FormaEntrega", "Forma Entrega", 14}, {"Natureza", "Natureza", 8}});
    cdsProtocolo.FieldByName(QStringLiteral("FormaEntrega")).Definicao().NomesValores = {
        QStringLiteral("Retirado=1"), QStringLiteral("Entregue em Mãos=2"), QStringLiteral("Entregue via Internet=3")};
    cdsProtocolo.FieldByName(QStringLiteral("Natureza")).Definicao().NomesValores = {QStringLiteral("Saída=1"), QStringLiteral("Entrada=2")};

    // Moving in a list narrows the next one.
    cdsDocumentos.SetIndexFieldNames(QStringLiteral("CODIGOCAIXA;CODIGOENVELOPE;CODIGODOCEMP"));
    cdsDocumentos.SetMaster(&nClientDataSet, QStringLiteral("CODIGOCAIXA;CODIGOENVELOPE"), QStringLiteral("CODIGOCAIXA;CODIGOENVELOPE"));
    cdsMovimentacao.SetIndexFieldNames(QStringLiteral("CODIGODOCEMP;SEQ"));
    cdsMovimentacao.SetMaster(&cdsDocumentos, QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGODOCEMP"));
    cdsProtocolo.SetIndexFieldNames(QStringLiteral("CODIGODOCEMP;CODIGOPROTOCOLO"));
    cdsProtocolo.SetMaster(&cdsDocumentos, QStringLiteral("CODIGODOCEMP"), QStringLiteral("CODIGODOCEMP"));

    m_quadro.nDSInfo = &nClientDataSet;
    m_quadro.nDSDocs = &cdsDocumentos;
    m_quadro.nDSMovs = &cdsMovimentacao;
    m_quadro.nDSProt = &cdsProtocolo;
    TnQuadroInformacoes quadro = m_quadro.Quadro();
    for (TnQuadroInformacoes::Campo& campo : quadro.campos) {
        if (campo.campo == QLatin1String("FILIAL"))
            campo.campo = QStringLiteral("Estab");
    }
    SetQuadroAoLado(quadro);
}

void TLyrDPConsultaDocumentosCaixa::DataModuleCreate()
{
    TnDMPowerParamTab::DataModuleCreate();
    SetActionGravar(false);
    SetActionCancelar(false);
}

void TLyrDPConsultaDocumentosCaixa::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamTab::DepoisConfigurar(formulario);
    SetCaptionTab(0, QStringLiteral("Documentos por Caixa"));
    SetTemAlteracao(false);
}

void TLyrDPConsultaDocumentosCaixa::ValidarDado()
{
    TnDMPowerParamTab::ValidarDado();
    bool ok = false;
    const QDate inicial = Valores::LerDataHora(Param(QStringLiteral("pCompetInicial")).trimmed(), &ok).date();
    m_competInicial = ok ? inicial : QDate();
    m_competFinal = CalendarioDoc::CompetenciaOuMesAtual(Param(QStringLiteral("pCompetFinal")));
    m_caixas = Param(QStringLiteral("pCodigoCaixaPro")).trimmed();
    const int local = Param(QStringLiteral("pCodigoLocal")).trimmed().toInt(&ok);
    m_local = ok ? local : -1;
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_documentos = Param(QStringLiteral("pCodigoDocEmp")).trimmed();
    m_tipos = Param(QStringLiteral("pCodigoTipoDcto")).trimmed();
}

void TLyrDPConsultaDocumentosCaixa::Executar()
{
    TnDMPowerParamTab::Executar();
    for (TnClientDataSet* dataSet : {&nClientDataSet, &cdsDocumentos, &cdsMovimentacao, &cdsProtocolo})
        dataSet->EmptyDataSet();
    // One condition for the four reads: each names the box C, the document D
    // and the archive row A.
    QStringList condicoes;
    for (const auto& [selecao, coluna] : {std::pair{&m_empresas, "C.CODIGOEMPRESA"}, std::pair{&m_estabs, "C.CODIGOESTAB"}}) {
        if (!selecao->isEmpty())
            condicoes.append(FilterInterval(QLatin1String(coluna), *selecao, false));
    }
    if (m_competInicial.isValid())
        condicoes.append(QStringLiteral("C.COMPETINICIAL between %1 and %2").arg(ValorParaSQL(m_competInicial), ValorParaSQL(m_competFinal)));
    for (const auto& [selecao, coluna] : {std::pair{&m_caixas, "C.CODIGOCAIXA"}, std::pair{&m_documentos, "A.CODIGODOCEMP"},
                                          std::pair{&m_tipos, "D.CODIGOTIPODOC"}}) {
        if (!selecao->isEmpty())
            condicoes.append(FilterInterval(QLatin1String(coluna), *selecao, false));
    }
    if (m_local != -1)
        condicoes.append(QStringLiteral("C.CODIGOLOCAL = %1").arg(m_local));
    const QString condicao = condicoes.isEmpty() ? QString() : QStringLiteral(" where ") + condicoes.join(QStringLiteral(" and "));

    std::unique_ptr<TnFraProgresso> progresso = CriarProgresso();
    progresso->MostrarMultiplo(QStringLiteral("Carregando dados..."));
    progresso->ConfigurarProgressoTotal(4);
    progresso->SetTextoParcial(QStringLiteral("Carregando caixas..."));
    {
        std::unique_ptr<TnSQLDataSet> envelopes = ExecutarSQL(
            QStringLiteral("select distinct C.CODIGOCAIXA ,V.CODIGOENVELOPE ,C.CODIGOEMPRESA ,E.NOMEEMPRESA ,C.CODIGOESTAB ,F.APELIDOESTAB "
                           ",V.DESCRENVELOPE ,C.CODIGOLOCAL ,L.DESCRLOCAL ,C.COMPETINICIAL ,C.COMPETFINAL from PROTOCOLODOCCAIXA C join "
                           "PROTOCOLODOCENVELOPE V on C.CODIGOCAIXA = V.CODIGOCAIXA join PROTOCOLODOCARQUIVO A on C.CODIGOCAIXA = A.CODIGOCAIXA "
                           "and V.CODIGOENVELOPE = A.CODIGOENVELOPE join PROTOCOLODOCEMP D on A.CODIGODOCEMP = D.CODIGODOCEMP join EMPRESA E on "
                           "E.CODIGOEMPRESA = C.CODIGOEMPRESA join ESTAB F on C.CODIGOEMPRESA = F.CODIGOEMPRESA and C.CODIGOESTAB = F.CODIGOESTAB "
                           "join PROTOCOLOLOCALCAIXA L on C.CODIGOLOCAL = L.CODIGOLOCAL ")
            + condicao + QStringLiteral(" order by 1, 2"));
        TnSemControles semControles(nClientDataSet);
        const auto competencia = [](const QVariant& data) {
            return data.isNull() ? QString() : Valores::ParaData(data).toString(QStringLiteral("MM/yyyy"));
        };
        for (int linha = 0; linha < envelopes->RecordCount(); ++linha) {
            const auto valor = [&](int coluna) { return envelopes->Valor(linha, coluna); };
            const QString inicial = competencia(valor(9));
            nClientDataSet.AppendRecord({valor(0), valor(1), QStringLiteral("%1 - %2").arg(valor(2).toInt(), 4, 10, QChar(u'0')).arg(valor(3).toString()),
                                         QStringLiteral("%1 - %2").arg(valor(4).toInt(), 3, 10, QChar(u'0')).arg(valor(5).toString()), valor(6),
                                         QStringLiteral("%1 - %2").arg(valor(7).toInt(), 3, 10, QChar(u'0')).arg(valor(8).toString()),
                                         inicial.isEmpty() ? QString() : inicial + QStringLiteral(" a ") + competencia(valor(10))});
        }
        nClientDataSet.First();
    }
    progresso->IncProgressoTotal();
    progresso->SetTextoParcial(QStringLiteral("Carregando documentos..."));
    Copiar(QStringLiteral("select A.CODIGOCAIXA ,A.CODIGOENVELOPE ,A.CODIGODOCEMP ,D.DATALCTOPRO ,D.DESCRDOCEMP from PROTOCOLODOCARQUIVO A join "
                          "PROTOCOLODOCEMP D on A.CODIGODOCEMP = D.CODIGODOCEMP join PROTOCOLODOCCAIXA C on C.CODIGOCAIXA = A.CODIGOCAIXA ")
               + condicao,
           cdsDocumentos);
    progresso->IncProgressoTotal();
    progresso->SetTextoParcial(QStringLiteral("Carregando movimento..."));
    Copiar(QStringLiteral("select M.CODIGODOCEMP ,M.SEQDOCEMP ,M.OBSERVACAO ,M.TIPOLOCAL ,M.CODIGOUSUARIORESP from PROTOCOLODOCMOVIMENTO M join "
                          "PROTOCOLODOCEMP D on D.CODIGODOCEMP = M.CODIGODOCEMP join PROTOCOLODOCARQUIVO A on A.CODIGODOCEMP = M.CODIGODOCEMP join "
                          "PROTOCOLODOCCAIXA C on A.CODIGOCAIXA = C.CODIGOCAIXA ")
               + condicao,
           cdsMovimentacao);
    progresso->IncProgressoTotal();
    progresso->SetTextoParcial(QStringLiteral("Carregando protocolos..."));
    Copiar(QStringLiteral("select I.CODIGODOCEMP ,I.CODIGOPROTOCOLO ,I.DATALCTOPRO ,P.OBSERVACAO ,P.FORMAENTREGA ,P.NATUREZAPRO from PROTOCOLOITEM I "
                          "join PROTOCOLODOCEMP D on D.CODIGODOCEMP = I.CODIGODOCEMP join PROTOCOLODOCARQUIVO A on A.CODIGODOCEMP = I.CODIGODOCEMP "
                          "join PROTOCOLODOCCAIXA C on A.CODIGOCAIXA = C.CODIGOCAIXA join PROTOCOLO P on I.CODIGOPROTOCOLO = P.CODIGOPROTOCOLO ")
               + condicao,
           cdsProtocolo);
    progresso->IncProgressoTotal();
    nClientDataSet.First();
}
