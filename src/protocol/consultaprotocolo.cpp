#include "consultaprotocolo.h"

#include "dialogos.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "erros.h"
#include "registro.h"
#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QScopeGuard>

TLyrDPConsultaProtocoloBase::TLyrDPConsultaProtocoloBase()
{
    TnpqPowerParam& p = npqPowerParam;
    p.AddCodigos(QStringLiteral("pCodigoProtocolo"), QStringLiteral("Protocolo"), 0, QStringLiteral("CODIGOPROTOCOLO")).Requerid = true;
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 1, QStringLiteral("CODIGOEMPRESA")).Hint =
        QStringLiteral("Informe o código da empresa");
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QStringLiteral("Filial"), 2, QStringLiteral("CODIGOESTAB")).Hint =
        QStringLiteral("Informe o código da filial");
    p.AddCombo(QStringLiteral("pFormaEntrega"), QStringLiteral("Forma Entrega"), 3,
               QStringLiteral("Todos=0;Retirado=1;Entregue em Mãos=2;Entregue via Internet=3"), QStringLiteral("1"),
               QStringLiteral("Informe o tipo da forma de entrega a ser considerado no filtro"));
    p.AddCombo(QStringLiteral("pTipoProtocolo"), QStringLiteral("Tipo"), 4, QStringLiteral("Ambos=0;Guias=1;Documentos=2;"), QStringLiteral("0"),
               QStringLiteral("Informe o tipo do protocolo a ser considerado no filtro"));
    p.AddData(QStringLiteral("pDataLctoInicial"), QStringLiteral("Data Lcto Inicial"), 5);
    p.AddData(QStringLiteral("pDataLctoFinal"), QStringLiteral("Data Lcto Final"), 6);

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({
        {QStringLiteral("CodigoProtocolo"), TnFieldType::Float}, {QStringLiteral("CodigoEmpresa"), TnFieldType::SmallInt},
        {QStringLiteral("CodigoEstab"), TnFieldType::SmallInt},  {QStringLiteral("DataLctoPro"), TnFieldType::Date},
        {QStringLiteral("Observacao"), TnFieldType::String, 50},
    });
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CodigoProtocolo", "Protocolo", 0, "0"}, {"CodigoEmpresa", "Empresa"}, {"CodigoEstab", "Filial"},
                                   {"DataLctoPro", "Data Protocolo", 0, "dd/mm/yyyy"}, {"Observacao", "Obs", 40}});
    nClientDataSet.Tela().Aparencia.AoClicarDuasVezes = [this] { actAbrirLcto(); };
    nClientDataSet.Tela().Aparencia.MenuDeContexto = {{QStringLiteral("Abrir Cadastro do Lançamento"), 160, [this] { actAbrirLcto(); }}};
}

void TLyrDPConsultaProtocoloBase::DepoisConfigurar(TnFormulario* formulario)
{
    TnDMPowerParamGrid::DepoisConfigurar(formulario);
    m_avisarAlteracoes = true;
    if (formulario) {
        CriarToolButton(QStringLiteral("Cadastro dos Lançamentos"), QStringLiteral("Cadastro dos Lançamentos"), 160,
                        [this](TnAction&) { actAbrirLcto(); }, QStringLiteral("Ctrl+Return"));
    }
}

void TLyrDPConsultaProtocoloBase::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    m_protocolos = Param(QStringLiteral("pCodigoProtocolo")).trimmed();
    m_empresas = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_formaEntrega = Param(QStringLiteral("pFormaEntrega")).toInt();
    m_tipoProtocolo = Param(QStringLiteral("pTipoProtocolo")).toInt();
    const auto data = [this](const char* alias) {
        bool ok = false;
        const QDate lida = Valores::LerDataHora(Param(QLatin1String(alias)), &ok).date();
        return ok ? lida : QDate();
    };
    m_inicial = data("pDataLctoInicial");
    m_final = data("pDataLctoFinal");
}

void TLyrDPConsultaProtocoloBase::Executar()
{
    TnDMPowerParamGrid::Executar();
    nClientDataSet.EmptyDataSet();
    QString comando = QStringLiteral("select CODIGOPROTOCOLO ,CODIGOEMPRESA ,CODIGOESTAB ,DATALCTOPRO ,OBSERVACAO from PROTOCOLO where ")
                      + GetCampoFiltro();
    for (const auto& [codigos, coluna] : {std::pair{&m_protocolos, "CODIGOPROTOCOLO"}, std::pair{&m_empresas, "CODIGOEMPRESA"},
                                          std::pair{&m_estabs, "CODIGOESTAB"}}) {
        if (!codigos->isEmpty())
            comando += FilterInterval(QLatin1String(coluna), *codigos);
    }
    const QString inicial = ValorParaSQL(m_inicial, TnTipoValor::Data);
    const QString final = ValorParaSQL(m_final, TnTipoValor::Data);
    if (m_inicial.isValid() && m_final.isValid())
        comando += QStringLiteral(" and DATALCTOPRO between ") + inicial + QStringLiteral(" and ") + final;
    else if (m_inicial.isValid())
        comando += QStringLiteral(" and DATALCTOPRO > ") + inicial;
    else if (m_final.isValid())
        comando += QStringLiteral(" and DATALCTOPRO < ") + final;
    // Both are one-character text columns: compared as text on both databases.
    if (m_formaEntrega != 0)
        comando += QStringLiteral(" and FORMAENTREGA = ") + ValorParaSQL(QString::number(m_formaEntrega), TnTipoValor::Texto);
    if (m_tipoProtocolo != 0)
        comando += QStringLiteral(" and TIPOPRO = ") + ValorParaSQL(QString::number(m_tipoProtocolo), TnTipoValor::Texto);
    auto consulta = ExecutarSQL(comando);
    const auto liberar = qScopeGuard([&] { DestruirSQL(consulta); });
    TnSemControles semControles(nClientDataSet);
    for (; !consulta->Eof(); consulta->Next()) {
        nClientDataSet.AppendRecord({consulta->Fields(0).Value(), consulta->Fields(1).Value(), consulta->Fields(2).Value(),
                                     consulta->Fields(3).Value(), consulta->Fields(4).Value()});
    }
    nClientDataSet.First();
}

void TLyrDPConsultaProtocoloBase::actAbrirLcto()
{
    if (!nClientDataSet.Active() || nClientDataSet.IsEmpty())
        return;
    const QVariant codigo = nClientDataSet.FieldByName(QStringLiteral("CodigoProtocolo")).Value();
    if (codigo.isNull())
        return;
    // The register on that protocol alone; the query's own rows are not read again.
    std::unique_ptr<TnDMClientDataSet> protocolo = CriarDM<TnDMClientDataSet>(QStringLiteral("TLyrDMProtocolo"));
    protocolo->Name += QStringLiteral("Individual");
    protocolo->Abrir({{QStringLiteral("CODIGOPROTOCOLO_IGUAL"), Valores::ParaInteiro(codigo)}});
    protocolo->CriarDetalhe();
    nMostrarCadastro(*protocolo);
    if (m_avisarAlteracoes) {
        nMessageDlg(QStringLiteral("As alterações feitas no cadastro somente serão visualizadas na consulta quando o processo for executado "
                                   "novamente."),
                    TnTipoDlg::Informacao, {QStringLiteral("Ok")});
        m_avisarAlteracoes = false;
    }
}
