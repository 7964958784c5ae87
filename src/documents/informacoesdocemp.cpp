#include "informacoesdocemp.h"

#include "host.h"
#include "sqlservicos.h"
#include "valores.h"


namespace {

// Reads the statement's rows for the document; the columns are labelled
// on the first reading.
void Ler(TnClientDataSet& dados, const QString& comando, qint64 documento, std::initializer_list<TnColunaMostrada> colunas)
{
    dados.Close();
    dados.SetCommandText(comando);
    dados.Open(Conexao(), {documento});
    dados.MostrarColunas(colunas);
}

} // namespace

TLyrFraInformacoesDocEmp::TLyrFraInformacoesDocEmp() : nDSInfo(&m_info), nDSDocs(&m_docs), nDSMovs(&m_movs), nDSProt(&m_prot)
{
    for (TnClientDataSet* dados : {&m_info, &m_docs, &m_movs, &m_prot})
        dados->SetnLogChanges(false);
}

TnQuadroInformacoes TLyrFraInformacoesDocEmp::Quadro() const
{
    TnQuadroInformacoes quadro;
    quadro.nome = QStringLiteral("LyrFraInformacoesDocEmp");
    quadro.dados = nDSInfo;
    quadro.campos = {
        {QStringLiteral("nDBEditEmp"), QStringLiteral("Empresa"), QStringLiteral("EMPRESA"), 0, 0},
        {QStringLiteral("nDBEditEst"), QStringLiteral("Filial"), QStringLiteral("FILIAL"), 1, 0},
        {QStringLiteral("nDBEditEnv"), QStringLiteral("Envelope"), QStringLiteral("ENVELOPE"), 2, 0},
        {QStringLiteral("nDBEditLoc"), QStringLiteral("Local Caixa"), QStringLiteral("LOCALCAIXA"), 3, 0},
        {QStringLiteral("nDBEditPer"), QStringLiteral("Período"), QStringLiteral("PERIODO"), 3, 1},
    };
    quadro.grades = {
        {QStringLiteral("nDBGridDocs"), QStringLiteral("Documentos"), nDSDocs},
        {QStringLiteral("nDBGridMovs"), QStringLiteral("Movimentações do Documentos"), nDSMovs},
        {QStringLiteral("nDBGridProt"), QStringLiteral("Protocolos do Documento"), nDSProt},
    };
    return quadro;
}

void TLyrFraInformacoesDocEmp::Carregar(qint64 documento)
{
    // One row of texts: the company and establishment with their names,
    // the envelope and box place when filed, and the box's period
    // ("01/2026 a 06/2026").
    std::unique_ptr<TnSQLDataSet> arquivo = ExecutarSQL(
        QStringLiteral("select D.CODIGOEMPRESA, E.NOMEEMPRESA, D.CODIGOESTAB, F.APELIDOESTAB, A.CODIGOCAIXA, A.CODIGOENVELOPE, "
                       "V.DESCRENVELOPE, L.DESCRLOCAL, C.COMPETINICIAL, C.COMPETFINAL "
                       "from PROTOCOLODOCEMP D join EMPRESA E on E.CODIGOEMPRESA = D.CODIGOEMPRESA "
                       "join ESTAB F on F.CODIGOEMPRESA = D.CODIGOEMPRESA and F.CODIGOESTAB = D.CODIGOESTAB "
                       "left join PROTOCOLODOCARQUIVO A on A.CODIGODOCEMP = D.CODIGODOCEMP "
                       "left join PROTOCOLODOCENVELOPE V on V.CODIGOCAIXA = A.CODIGOCAIXA and V.CODIGOENVELOPE = A.CODIGOENVELOPE "
                       "left join PROTOCOLODOCCAIXA C on C.CODIGOCAIXA = A.CODIGOCAIXA "
                       "left join PROTOCOLOLOCALCAIXA L on L.CODIGOLOCAL = C.CODIGOLOCAL where D.CODIGODOCEMP = :pDocumento"),
        {documento});
    if (!m_info.Active()) {
        m_info.SetFieldDefs({{QStringLiteral("EMPRESA"), TnFieldType::String, 120}, {QStringLiteral("FILIAL"), TnFieldType::String, 50},
                             {QStringLiteral("ENVELOPE"), TnFieldType::String, 80}, {QStringLiteral("LOCALCAIXA"), TnFieldType::String, 50},
                             {QStringLiteral("PERIODO"), TnFieldType::String, 20}});
        m_info.CreateDataSet();
    }
    m_info.EmptyDataSet();
    if (!arquivo->IsEmpty()) {
        const auto valor = [&](int coluna) { return arquivo->Valor(0, coluna); };
        const auto codigoENome = [&](int codigo, int nome) { return valor(codigo).toString() + QStringLiteral(" - ") + valor(nome).toString(); };
        const auto mes = [&](int coluna) { return valor(coluna).isNull() ? QString() : Valores::ParaData(valor(coluna)).toString(QStringLiteral("MM/yyyy")); };
        const QString envelope = valor(5).isNull() ? QString()
                                                   : QStringLiteral("%1/%2").arg(valor(4).toString(), valor(5).toString())
                                                         + (valor(6).toString().isEmpty() ? QString() : QStringLiteral(" - ") + valor(6).toString());
        const QString periodo = valor(8).isNull() && valor(9).isNull() ? QString() : mes(8) + QStringLiteral(" a ") + mes(9);
        m_info.AppendRecord({codigoENome(0, 1), codigoENome(2, 3), envelope, valor(7), periodo});
    }
    DestruirSQL(arquivo);
    Ler(m_docs,
        QStringLiteral("select D.CODIGODOCEMP, T.DESCRTIPODOC, D.DATALCTOPRO, D.DESCRDOCEMP, "
                       "case D.ARQUIVADO when '1' then 'Sim' else 'Não' end as ARQUIVADO from PROTOCOLODOCEMP D "
                       "join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = D.CODIGOTIPODOC where D.CODIGODOCEMP = :pDocumento"),
        documento,
        {{"CODIGODOCEMP", "Documento"}, {"DESCRTIPODOC", "Tipo"}, {"DATALCTOPRO", "Data Lançamento", 0, "dd/mm/yyyy"},
         {"DESCRDOCEMP", "Descrição"}, {"ARQUIVADO", "Arquivado"}});
    Ler(m_movs,
        QStringLiteral("select M.SEQDOCEMP, case M.TIPOLOCAL when '1' then 'Interno' when '2' then 'Externo' end as TIPOLOCAL, "
                       "P.DESCRDPTOESCRIT, U.NOMEUSUARIOCOMPL, M.CODIGOPROTOCOLO, M.DATAHORA, M.OBSERVACAO "
                       "from PROTOCOLODOCMOVIMENTO M left join DPTOESCRIT P on P.CODIGODPTOESCRIT = M.CODIGODPTOESCRIT "
                       "left join USUARIO U on U.CODIGOUSUARIO = M.CODIGOUSUARIORESP where M.CODIGODOCEMP = :pDocumento "
                       "order by M.SEQDOCEMP"),
        documento,
        {{"SEQDOCEMP", "Seqüência"}, {"TIPOLOCAL", "Tipo Local"}, {"DESCRDPTOESCRIT", "Departamento"},
         {"NOMEUSUARIOCOMPL", "Responsável"}, {"CODIGOPROTOCOLO", "Protocolo"}, {"DATAHORA", "Data/Hora", 0, "dd/mm/yyyy hh:nn"},
         {"OBSERVACAO", "Observação"}});
    Ler(m_prot,
        QStringLiteral("select P.CODIGOPROTOCOLO, P.DATALCTOPRO, I.DESCRITEM, "
                       "case P.NATUREZAPRO when '1' then 'Saída' when '2' then 'Entrada' end as NATUREZA, P.DATAHORABAIXA, "
                       "case when P.CANCELADO = '1' or I.CANCELADO = '1' then 'Sim' else 'Não' end as CANCELADO "
                       "from PROTOCOLOITEM I join PROTOCOLO P on P.CODIGOPROTOCOLO = I.CODIGOPROTOCOLO "
                       "where I.CODIGODOCEMP = :pDocumento order by P.CODIGOPROTOCOLO, I.SEQITEMPRO"),
        documento,
        {{"CODIGOPROTOCOLO", "Protocolo"}, {"DATALCTOPRO", "Data Protocolo", 0, "dd/mm/yyyy"}, {"DESCRITEM", "Item"},
         {"NATUREZA", "Natureza"}, {"DATAHORABAIXA", "Baixado em", 0, "dd/mm/yyyy hh:nn"}, {"CANCELADO", "Cancelado"}});
}
