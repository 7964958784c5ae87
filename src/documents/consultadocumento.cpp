#include "consultadocumento.h"

#include "erros.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QScopeGuard>


TLyrDPConsultaDocumento::TLyrDPConsultaDocumento()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Consulta de Documentos");
    p.AddCodigos(QStringLiteral("pCodigoDocumento"), QStringLiteral("Documento"), 0, QStringLiteral("CODIGODOCEMP")).Requerid = true;
    p.AddCombo(QStringLiteral("pTipoLocal"), QStringLiteral("Tipo Local"), 1, QStringLiteral("Ambos=0;Interno=1;Externo=2;"), QStringLiteral("0"),
               QStringLiteral("Informe o tipo do local a ser considerado no filtro"))
        .Requerid = true;
    p.Add(QStringLiteral("pCodigoEmpresa"), QString(), 2).Dicionario = QStringLiteral("CODIGOEMPRESA");
    p.AddCodigos(QStringLiteral("pCodigoEstab"), QString(), 3, QStringLiteral("CODIGOESTAB"));
    p.Add(QStringLiteral("pCodigoDepartamento"), QString(), 4).Dicionario = QStringLiteral("CODIGODPTOESCRIT");
    p.AddCodigos(QStringLiteral("pCodigoTipoDcto"), QString(), 5, QStringLiteral("CODIGOTIPODOC"));
    p.AddCodigos(QStringLiteral("pCodigoUsuario"), QStringLiteral("Responsável"), 6, QStringLiteral("CODIGOUSUARIO"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({
        {QStringLiteral("CodigoDocEmp"), TnFieldType::LargeInt},      {QStringLiteral("DescrDocEmp"), TnFieldType::String, 50},
        {QStringLiteral("CodigoEmpresa"), TnFieldType::SmallInt},     {QStringLiteral("CodigoEstab"), TnFieldType::SmallInt},
        {QStringLiteral("DescrTipoDoc"), TnFieldType::String, 50},    {QStringLiteral("DataLctoPro"), TnFieldType::Date},
        {QStringLiteral("SeqDocEmp"), TnFieldType::SmallInt},         {QStringLiteral("TipoLocal"), TnFieldType::String, 7},
        {QStringLiteral("Departamento"), TnFieldType::String, 50},    {QStringLiteral("Responsavel"), TnFieldType::String, 100},
        {QStringLiteral("CodigoProtocolo"), TnFieldType::LargeInt},   {QStringLiteral("DataHora"), TnFieldType::DateTime},
    });
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"CodigoDocEmp", "Documento", 10}, {"DescrDocEmp", "Descrição", 30}, {"CodigoEmpresa", "Empresa", 7},
                                   {"CodigoEstab", "Filial", 6}, {"DescrTipoDoc", "Tipo", 25}, {"DataLctoPro", "Data Lançamento", 12, "dd/mm/yyyy"},
                                   {"SeqDocEmp", "Seqüência", 8}, {"TipoLocal", "Tipo Local", 8}, {"Departamento", "Departamento", 20},
                                   {"Responsavel", "Responsável", 25}, {"CodigoProtocolo", "Protocolo", 10},
                                   {"DataHora", "Data/Hora", 16, "dd/mm/yyyy hh:nn"}});
}

// The single codes (company, department) are whole numbers; what the lists
// hold the host has checked.
void TLyrDPConsultaDocumento::ValidarDado()
{
    TnDMPowerParamGrid::ValidarDado();
    for (const char* nome : {"pCodigoEmpresa", "pCodigoDepartamento"}) {
        const QString alias = QLatin1String(nome);
        const QString texto = Param(alias).trimmed();
        bool numero = texto.isEmpty();
        if (!numero)
            texto.toInt(&numero);
        if (!numero)
            throw EnParam(alias, QStringLiteral("Informe um código só, em números."));
    }
    m_documentos = Param(QStringLiteral("pCodigoDocumento")).trimmed();
    bool ok = false;
    m_tipoLocal = Param(QStringLiteral("pTipoLocal")).trimmed().toInt(&ok);
    if (!ok)
        m_tipoLocal = 0;
    m_empresa = Param(QStringLiteral("pCodigoEmpresa")).trimmed();
    m_estabs = Param(QStringLiteral("pCodigoEstab")).trimmed();
    m_departamento = Param(QStringLiteral("pCodigoDepartamento")).trimmed();
    m_tipos = Param(QStringLiteral("pCodigoTipoDcto")).trimmed();
    m_usuarios = Param(QStringLiteral("pCodigoUsuario")).trimmed();
}

void TLyrDPConsultaDocumento::Executar()
{
    TnDMPowerParamGrid::Executar();
    nClientDataSet.EmptyDataSet();
    // Conditions on the movements narrow the movements listed; a document
    // shows without movement only when no such condition is given.
    QString movimento;
    if (m_tipoLocal == 1 || m_tipoLocal == 2)
        movimento += QStringLiteral(" and M.TIPOLOCAL = ") + ValorParaSQL(QString::number(m_tipoLocal), TnTipoValor::Texto);
    for (const auto& [codigos, coluna] : {std::pair{&m_departamento, "M.CODIGODPTOESCRIT"}, std::pair{&m_usuarios, "M.CODIGOUSUARIORESP"}}) {
        if (!codigos->isEmpty())
            movimento += FilterInterval(QLatin1String(coluna), *codigos);
    }
    QString comando = QStringLiteral(
        "select D.CODIGODOCEMP, D.DESCRDOCEMP, D.CODIGOEMPRESA, D.CODIGOESTAB, T.DESCRTIPODOC, D.DATALCTOPRO, M.SEQDOCEMP, "
        "case M.TIPOLOCAL when '1' then 'Interno' when '2' then 'Externo' end, DP.DESCRDPTOESCRIT, U.NOMEUSUARIOCOMPL, "
        "M.CODIGOPROTOCOLO, M.DATAHORA from PROTOCOLODOCEMP D join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = D.CODIGOTIPODOC "
        "%1 join PROTOCOLODOCMOVIMENTO M on M.CODIGODOCEMP = D.CODIGODOCEMP%2 "
        "left join DPTOESCRIT DP on DP.CODIGODPTOESCRIT = M.CODIGODPTOESCRIT "
        "left join USUARIO U on U.CODIGOUSUARIO = M.CODIGOUSUARIORESP where 1 = 1")
                          .arg(movimento.isEmpty() ? QStringLiteral("left") : QString(), movimento);
    for (const auto& [codigos, coluna] : {std::pair{&m_documentos, "D.CODIGODOCEMP"}, std::pair{&m_empresa, "D.CODIGOEMPRESA"},
                                          std::pair{&m_estabs, "D.CODIGOESTAB"}, std::pair{&m_tipos, "D.CODIGOTIPODOC"}}) {
        if (!codigos->isEmpty())
            comando += FilterInterval(QLatin1String(coluna), *codigos);
    }
    comando += QStringLiteral(" order by D.CODIGODOCEMP, M.SEQDOCEMP");
    auto consulta = ExecutarSQL(comando);
    const auto liberar = qScopeGuard([&] { DestruirSQL(consulta); });
    TnSemControles semControles(nClientDataSet);
    for (int linha = 0; linha < consulta->RecordCount(); ++linha) {
        QVariantList valores;
        for (int coluna = 0; coluna < consulta->FieldCount(); ++coluna)
            valores.append(consulta->Valor(linha, coluna));
        nClientDataSet.AppendRecord(valores);
    }
    nClientDataSet.First();
}
