#include "painelpendencias.h"

#include "calendariodoc.h"
#include "lyrsfuncoes.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QHash>
#include <QMap>

TLyrDPPainelPendencias::TLyrDPPainelPendencias()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Painel de Documentos Pendentes");
    p.AddCompetencia(QStringLiteral("pCompet"), QStringLiteral("Competência"), 0);
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 1, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Estab"), 2, QStringLiteral("CODIGOESTAB"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
                                 {QStringLiteral("NOMEEMPRESA"), TnFieldType::String, 100},
                                 {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},
                                 {QStringLiteral("APELIDOESTAB"), TnFieldType::String, 50},
                                 {QStringLiteral("PENDENTES"), TnFieldType::Integer}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOEMPRESA", "Empresa", 7}, {"NOMEEMPRESA", "Nome", 35}, {"CODIGOESTAB", "Filial", 6},
                                   {"APELIDOESTAB", "Apelido", 20}, {"PENDENTES", "Pendentes", 9}});
    nClientDataSet.Tela().Aparencia.CamposSomados = {QStringLiteral("PENDENTES")};
    SetCaptionTab(0, QStringLiteral("Por Filial"));

    PorTipo.SetName(QStringLiteral("PorTipo"));
    PorTipo.SetnLogChanges(false);
    PorTipo.SetFieldDefs({{QStringLiteral("CODIGOTIPODOC"), TnFieldType::SmallInt},
                          {QStringLiteral("DESCRTIPODOC"), TnFieldType::String, 50},
                          {QStringLiteral("FILIAIS"), TnFieldType::Integer},
                          {QStringLiteral("PENDENTES"), TnFieldType::Integer}});
    PorTipo.CreateDataSet();
    PorTipo.MostrarColunas({{"CODIGOTIPODOC", "Tipo", 6}, {"DESCRTIPODOC", "Descrição", 35}, {"FILIAIS", "Filiais", 7},
                            {"PENDENTES", "Pendentes", 9}});
    PorTipo.Tela().Aparencia.CamposSomados = {QStringLiteral("PENDENTES")};
    CriarTab(QStringLiteral("Por Tipo de Documento"), PorTipo);
    Grafico.titulo = QStringLiteral("Clientes que mais devem documentos");
    Grafico.eixoValores = QStringLiteral("Documentos pendentes");
    CriarTab(QStringLiteral("Gráfico"), Grafico);
}

void TLyrDPPainelPendencias::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    m_filtro.empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_filtro.estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_filtro.competencia = CalendarioDoc::CompetenciaOuMesAtual(Param(QStringLiteral("pCompet")));
}

void TLyrDPPainelPendencias::Executar()
{
    TnDMPowerParamGrid::Executar();
    m_pendentes = CalcularPendencias(m_filtro, PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP")));
    // Names of the establishments counted, read once.
    QHash<QPair<int, int>, QPair<QString, QString>> nomes;
    {
        std::unique_ptr<TnSQLDataSet> filiais = ExecutarSQL(
            QStringLiteral("select E.CODIGOEMPRESA, E.CODIGOESTAB, M.NOMEEMPRESA, E.APELIDOESTAB from ESTAB E "
                           "join EMPRESA M on M.CODIGOEMPRESA = E.CODIGOEMPRESA where 1 = 1")
            + FilterInterval(QStringLiteral("E.CODIGOEMPRESA"), m_filtro.empresas) + FilterInterval(QStringLiteral("E.CODIGOESTAB"), m_filtro.estabs));
        for (int linha = 0; linha < filiais->RecordCount(); ++linha)
            nomes.insert({filiais->Valor(linha, 0).toInt(), filiais->Valor(linha, 1).toInt()},
                         {filiais->Valor(linha, 2).toString(), filiais->Valor(linha, 3).toString()});
    }
    QMap<QPair<int, int>, int> porFilial;
    QMap<int, QPair<QString, QPair<QSet<QPair<int, int>>, int>>> porTipo;
    QHash<int, int> porEmpresa;
    for (const TLyrDocPendente& documento : std::as_const(m_pendentes)) {
        ++porFilial[{documento.empresa, documento.estab}];
        auto& tipo = porTipo[documento.tipo];
        tipo.first = documento.descricao;
        tipo.second.first.insert({documento.empresa, documento.estab});
        ++tipo.second.second;
        ++porEmpresa[documento.empresa];
    }
    {
        TnSemControles semControles(nClientDataSet);
        nClientDataSet.EmptyDataSet();
        for (auto filial = porFilial.cbegin(); filial != porFilial.cend(); ++filial) {
            const QPair<QString, QString> nome = nomes.value(filial.key());
            nClientDataSet.AppendRecord({filial.key().first, nome.first, filial.key().second, nome.second, *filial});
        }
        // Who owes most first; ties by company and establishment.
        nClientDataSet.SetIndexFieldNames(QStringLiteral("PENDENTES DESC;CODIGOEMPRESA;CODIGOESTAB"));
        nClientDataSet.First();
    }
    {
        TnSemControles semControles(PorTipo);
        PorTipo.EmptyDataSet();
        for (auto tipo = porTipo.cbegin(); tipo != porTipo.cend(); ++tipo)
            PorTipo.AppendRecord({tipo.key(), tipo->first, int(tipo->second.first.size()), tipo->second.second});
        PorTipo.SetIndexFieldNames(QStringLiteral("PENDENTES DESC;CODIGOTIPODOC"));
        PorTipo.First();
    }
    QList<std::pair<int, int>> empresas;  // (pending, company)
    for (auto empresa = porEmpresa.cbegin(); empresa != porEmpresa.cend(); ++empresa)
        empresas.append({*empresa, empresa.key()});
    std::sort(empresas.begin(), empresas.end(), [](const auto& a, const auto& b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
    QList<QPair<QString, double>> barras;
    for (int i = 0; i < std::min<int>(kEmpresasNoGrafico, empresas.size()); ++i) {
        const int empresa = empresas[i].second;
        QString nome;
        for (auto filial = nomes.cbegin(); filial != nomes.cend() && nome.isEmpty(); ++filial) {
            if (filial.key().first == empresa)
                nome = filial->first;
        }
        barras.append({QStringLiteral("%1 - %2").arg(empresa).arg(nome.left(30)), double(empresas[i].first)});
    }
    Grafico.SetBarras(barras);
}
