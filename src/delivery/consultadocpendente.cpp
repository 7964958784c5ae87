#include "consultadocpendente.h"

#include "calendariodoc.h"
#include "sqlservicos.h"

TLyrDPConsultaDocPendente::TLyrDPConsultaDocPendente()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Consulta de Documentos Pendentes");
    p.AddCompetencia(QStringLiteral("pCompet"), QStringLiteral("Competência"), 0);
    p.AddCombo(QStringLiteral("pTipoPeriodo"), QStringLiteral("Período"), 1, QStringLiteral("Todos=0;Mensal=1;Quinzenal=2;Decendial=3;"),
               QStringLiteral("0"), QStringLiteral("Informe o período do Tipo de Documento"))
        .Requerid = true;
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 2, QStringLiteral("CODIGOEMPRESA"));
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Estab"), 3, QStringLiteral("CODIGOESTAB"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({{QStringLiteral("CODIGOEMPRESA"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGOESTAB"), TnFieldType::SmallInt},
                                 {QStringLiteral("CODIGODOCUMENTO"), TnFieldType::Float},
                                 {QStringLiteral("DESCRDOCEMP"), TnFieldType::String, 100},
                                 {QStringLiteral("DATALCTO"), TnFieldType::DateTime},
                                 {QStringLiteral("CODIGOTIPODOC"), TnFieldType::SmallInt}});
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CODIGOEMPRESA", "Empresa", 7}, {"CODIGOESTAB", "Filial", 6}, {"CODIGODOCUMENTO", "Documento", 10},
                                   {"DESCRDOCEMP", "Descrição", 40}, {"DATALCTO", "Data Lcto", 10, "dd/mm/yyyy"},
                                   {"CODIGOTIPODOC", "Tipo Documento", 8}});
}

void TLyrDPConsultaDocPendente::DataModuleCreate()
{
    TnDMPowerParamGrid::DataModuleCreate();
    SetMsgTreeExibir(true);
}

// An unreadable competence is this month; an unreadable period, every one.
void TLyrDPConsultaDocPendente::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_competencia = CalendarioDoc::CompetenciaOuMesAtual(Param(QStringLiteral("pCompet")));
    bool ok = false;
    m_periodo = Param(QStringLiteral("pTipoPeriodo")).trimmed().toInt(&ok);
    if (!ok)
        m_periodo = 0;
}

void TLyrDPConsultaDocPendente::Executar()
{
    TnDMPowerParamGrid::Executar();
    LimparMsgTreeLista();
    nClientDataSet.EmptyDataSet();
    m_semPendencia.clear();
    const QList<TLyrDocPendente> pendentes =
        CalcularPendencias({m_competencia, m_empresas, m_estabs, m_periodo},
                           PegarProximoCodigo(QStringLiteral("PROTOCOLODOCEMP"), QStringLiteral("CODIGODOCEMP")),
                           m_explicar ? &m_semPendencia : nullptr);
    {
        TnSemControles semControles(nClientDataSet);
        for (const TLyrDocPendente& documento : pendentes)
            nClientDataSet.AppendRecord({documento.empresa, documento.estab, double(documento.codigo), documento.descricao, documento.data,
                                         documento.tipo});
    }
    ListarSemPendencia(*this, m_semPendencia);
    nClientDataSet.First();
}

void TLyrDPConsultaDocPendente::ListarSemPendencia(TnDMPowerParam& processo, const QList<TLyrFilialSemPendencia>& filiais)
{
    TnMsgNo empresa;
    int empresaAnterior = -1;
    for (const TLyrFilialSemPendencia& filial : filiais) {
        if (filial.empresa != empresaAnterior) {
            empresa = processo.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Empresa: %1 - %2").arg(filial.empresa).arg(filial.nomeEmpresa));
            empresaAnterior = filial.empresa;
        }
        const TnMsgNo estab =
            processo.MsgTree(TnTipoMsg::Informacao, QStringLiteral("Filial: %1 - %2").arg(filial.estab).arg(filial.apelidoEstab), empresa);
        processo.MsgTree(TnTipoMsg::Alerta, filial.motivo, estab);
    }
}
