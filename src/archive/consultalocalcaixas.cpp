#include "consultalocalcaixas.h"

#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

namespace {

QDate LerData(const QString& texto)
{
    bool ok = false;
    const QDate data = Valores::LerDataHora(texto.trimmed(), &ok).date();
    return ok ? data : QDate();
}

} // namespace

TLyrDPConsultaProtocoloLocalCaixas::TLyrDPConsultaProtocoloLocalCaixas()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Consulta de Local de Caixas");
    p.AddData(QStringLiteral("pDataInicial"), QStringLiteral("Data Inicial"), 0);
    p.AddData(QStringLiteral("pDataFinal"), QStringLiteral("Data Final"), 1);
    p.AddCodigos(QStringLiteral("pCodigoLocal"), QStringLiteral("Codigo Local"), 2, QStringLiteral("CODIGOLOCAL"));
    p.AddCodigos(QStringLiteral("pCodigoCaixaPro"), QStringLiteral("Codigo Caixa"), 3, QStringLiteral("CODIGOCAIXAPRO"));
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QString(), 4, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QString(), 5, QStringLiteral("CODIGOESTAB"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},
                                 {QStringLiteral("CodigoLocal"), TnFieldType::Integer},
                                 {QStringLiteral("CodigoCaixa"), TnFieldType::Integer},
                                 {QStringLiteral("CompetInicial"), TnFieldType::Date},
                                 {QStringLiteral("CompetFinal"), TnFieldType::Date}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOEMPRESA", "Empresa", 7}, {"CODIGOESTAB", "Filial", 6}, {"CodigoLocal", "Local", 6},
                                   {"CodigoCaixa", "Caixa", 6}, {"CompetInicial", "Competência Inicial", 12, "mm/yyyy"},
                                   {"CompetFinal", "Competência Final", 12, "mm/yyyy"}});
    nClientDataSet.Tela().Caption = QStringLiteral("Local de Caixas");
}

void TLyrDPConsultaProtocoloLocalCaixas::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    m_inicial = LerData(Param(QStringLiteral("pDataInicial")));
    m_final = LerData(Param(QStringLiteral("pDataFinal")));
    m_locais = Param(QStringLiteral("pCodigoLocal")).trimmed();
    m_caixas = Param(QStringLiteral("pCodigoCaixaPro")).trimmed();
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
}

// A date left out leaves that side of the range open: with an initial date
// only, the boxes from it on; with a final date only, those up to it.
void TLyrDPConsultaProtocoloLocalCaixas::Executar()
{
    TnDMPowerParamGrid::Executar();
    nClientDataSet.EmptyDataSet();
    QString condicao;
    QVariantList valores;
    for (const char* coluna : {"COMPETINICIAL", "COMPETFINAL"}) {
        if (m_inicial.isValid()) {
            condicao += QStringLiteral(" and C.%1 >= :pDe%1").arg(QLatin1String(coluna));
            valores.append(m_inicial);
        }
        if (m_final.isValid()) {
            condicao += QStringLiteral(" and C.%1 <= :pAte%1").arg(QLatin1String(coluna));
            valores.append(m_final);
        }
    }
    for (const auto& [selecao, coluna] : {std::pair{&m_empresas, "C.CODIGOEMPRESA"}, std::pair{&m_estabs, "C.CODIGOESTAB"},
                                          std::pair{&m_locais, "C.CODIGOLOCAL"}, std::pair{&m_caixas, "C.CODIGOCAIXA"}})
        condicao += FilterInterval(QLatin1String(coluna), *selecao);
    std::unique_ptr<TnSQLDataSet> caixas = ExecutarSQL(
        QStringLiteral("select C.CODIGOEMPRESA ,C.CODIGOESTAB ,C.CODIGOLOCAL ,C.CODIGOCAIXA ,C.COMPETINICIAL ,C.COMPETFINAL from PROTOCOLODOCCAIXA C "
                       "where 1=1 ")
            + condicao + QStringLiteral(" order by C.CODIGOLOCAL, C.CODIGOCAIXA"),
        valores);
    TnSemControles semControles(nClientDataSet);
    for (int linha = 0; linha < caixas->RecordCount(); ++linha)
        nClientDataSet.AppendRecord({caixas->Valor(linha, 0), caixas->Valor(linha, 1), caixas->Valor(linha, 2), caixas->Valor(linha, 3),
                                     caixas->Valor(linha, 4), caixas->Valor(linha, 5)});
    nClientDataSet.First();
}
