#include "descarte.h"

#include "erros.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QMap>

TLyrDPConsultaDescarte::TLyrDPConsultaDescarte()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Documentos a Descartar");
    p.AddData(QStringLiteral("pDataDescarte"), QStringLiteral("Descartáveis até"), 0).Requerid = true;
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QString(), 1, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoCaixaPro"), QString(), 2, QStringLiteral("CODIGOCAIXAPRO"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOCAIXA"), TnFieldType::Integer},
                                 {QStringLiteral("CODIGOENVELOPE"), TnFieldType::Integer},
                                 {QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGODOCEMP"), TnFieldType::LargeInt},
                                 {QStringLiteral("DESCRTIPODOC"), TnFieldType::String, 50},
                                 {QStringLiteral("DATALCTOPRO"), TnFieldType::Date},
                                 {QStringLiteral("DATADESCARTE"), TnFieldType::Date}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOCAIXA", "Caixa", 6}, {"CODIGOENVELOPE", "Envelope", 8}, {"CODIGOEMPRESA", "Empresa", 7},
                                   {"CODIGOESTAB", "Filial", 6}, {"CODIGODOCEMP", "Documento", 10}, {"DESCRTIPODOC", "Tipo", 30},
                                   {"DATALCTOPRO", "Data Lançamento", 12, "dd/mm/yyyy"}, {"DATADESCARTE", "Descartável desde", 12, "dd/mm/yyyy"}});
    nClientDataSet.Tela().Caption = QStringLiteral("Documentos a Descartar");
    SetCaptionTab(0, QStringLiteral("Documentos"));

    PorCaixa.SetName(QStringLiteral("PorCaixa"));
    PorCaixa.SetnLogChanges(false);
    PorCaixa.SetFieldDefs({{QStringLiteral("CODIGOCAIXA"), TnFieldType::Integer},
                           {QStringLiteral("DESCRLOCAL"), TnFieldType::String, 50},
                           {QStringLiteral("DOCUMENTOS"), TnFieldType::Integer},
                           {QStringLiteral("DESCARTAVEIS"), TnFieldType::Integer},
                           {QStringLiteral("SITUACAO"), TnFieldType::String, 30}});
    PorCaixa.CreateDataSet();
    PorCaixa.MostrarColunas({{"CODIGOCAIXA", "Caixa", 6}, {"DESCRLOCAL", "Local", 25}, {"DOCUMENTOS", "Documentos", 10},
                             {"DESCARTAVEIS", "Descartáveis", 10}, {"SITUACAO", "Situação", 25}});
    PorCaixa.Tela().Caption = QStringLiteral("Caixas a Descartar");
    CriarTab(QStringLiteral("Por Caixa"), PorCaixa);
}

void TLyrDPConsultaDescarte::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    bool ok = false;
    m_ate = Valores::LerDataHora(Param(QStringLiteral("pDataDescarte")).trimmed(), &ok).date();
    if (!ok || !m_ate.isValid())
        throw EnParam(QStringLiteral("pDataDescarte"), QStringLiteral("Informe a data até a qual listar os documentos descartáveis."));
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_caixas = Param(QStringLiteral("pCodigoCaixaPro")).trimmed();
}

// One read of the archive in the selection; each document's discard date
// is its launch date plus its type's days, worked out here alike on every
// database.
void TLyrDPConsultaDescarte::Executar()
{
    TnDMPowerParamGrid::Executar();
    nClientDataSet.EmptyDataSet();
    PorCaixa.EmptyDataSet();
    std::unique_ptr<TnSQLDataSet> arquivados = ExecutarSQL(
        QStringLiteral("select A.CODIGOCAIXA ,A.CODIGOENVELOPE ,D.CODIGOEMPRESA ,D.CODIGOESTAB ,A.CODIGODOCEMP ,T.DESCRTIPODOC ,D.DATALCTOPRO "
                       ",T.PERIODODIASDESCARTE ,L.DESCRLOCAL from PROTOCOLODOCARQUIVO A join PROTOCOLODOCEMP D on D.CODIGODOCEMP = A.CODIGODOCEMP "
                       "join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = D.CODIGOTIPODOC join PROTOCOLODOCCAIXA C on C.CODIGOCAIXA = A.CODIGOCAIXA "
                       "join PROTOCOLOLOCALCAIXA L on L.CODIGOLOCAL = C.CODIGOLOCAL where 1 = 1")
        + FilterInterval(QStringLiteral("D.CODIGOEMPRESA"), m_empresas) + FilterInterval(QStringLiteral("A.CODIGOCAIXA"), m_caixas)
        + QStringLiteral(" order by A.CODIGOCAIXA, A.CODIGOENVELOPE, A.CODIGODOCEMP"));
    struct TnCaixa {
        QString local;
        int documentos = 0;
        int descartaveis = 0;
    };
    QMap<int, TnCaixa> caixas;
    {
        TnSemControles semControles(nClientDataSet);
        for (int linha = 0; linha < arquivados->RecordCount(); ++linha) {
            TnCaixa& caixa = caixas[arquivados->Valor(linha, 0).toInt()];
            caixa.local = arquivados->Valor(linha, 8).toString();
            ++caixa.documentos;
            const int dias = arquivados->Valor(linha, 7).toInt();
            const QDate lancamento = arquivados->Valor(linha, 6).toDate();
            if (dias <= 0 || !lancamento.isValid() || lancamento.addDays(dias) > m_ate)
                continue;
            ++caixa.descartaveis;
            nClientDataSet.AppendRecord({arquivados->Valor(linha, 0), arquivados->Valor(linha, 1), arquivados->Valor(linha, 2),
                                         arquivados->Valor(linha, 3), arquivados->Valor(linha, 4), arquivados->Valor(linha, 5), lancamento,
                                         lancamento.addDays(dias)});
        }
        nClientDataSet.First();
    }
    TnSemControles semControles(PorCaixa);
    for (auto caixa = caixas.cbegin(); caixa != caixas.cend(); ++caixa) {
        if (caixa->descartaveis == 0)
            continue;
        PorCaixa.AppendRecord({caixa.key(), caixa->local, caixa->documentos, caixa->descartaveis,
                               caixa->descartaveis == caixa->documentos ? QStringLiteral("Pode ser esvaziada") : QStringLiteral("Descarte parcial")});
    }
    PorCaixa.First();
}
