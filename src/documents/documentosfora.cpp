#include "documentosfora.h"

#include "sqldataset.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QScopeGuard>


TLyrDPDocumentosFora::TLyrDPDocumentosFora()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Documentos Emprestados");
    p.AddCodigos(QStringLiteral("pCodigoEmpresa"), QStringLiteral("Empresa"), 0, QStringLiteral("CODIGOEMPRESA"));
    p.AddCombo(QStringLiteral("pVencidos"), QStringLiteral("Listar"), 1, QStringLiteral("Todos=0;Só os vencidos=1;"), QStringLiteral("0"),
               QStringLiteral("Todos os documentos fora do escritório, ou só os que já deviam ter voltado"));

    nClientDataSet.SetName(QStringLiteral("nClientDataSet"));
    nClientDataSet.SetnLogChanges(false);
    nClientDataSet.SetFieldDefs({
        {QStringLiteral("Empresa"), TnFieldType::String, 110},     {QStringLiteral("Filial"), TnFieldType::String, 40},
        {QStringLiteral("CodigoDocEmp"), TnFieldType::LargeInt},   {QStringLiteral("DescrDocEmp"), TnFieldType::String, 50},
        {QStringLiteral("Tipo"), TnFieldType::String, 50},         {QStringLiteral("ForaDesde"), TnFieldType::DateTime},
        {QStringLiteral("RetornoPrevisto"), TnFieldType::Date},    {QStringLiteral("Responsavel"), TnFieldType::String, 50},
        {QStringLiteral("DiasEmAtraso"), TnFieldType::Integer},
    });
    nClientDataSet.CreateDataSet();
    nClientDataSet.MostrarColunas({{"Empresa", "Empresa", 30}, {"Filial", "Filial", 15}, {"CodigoDocEmp", "Documento", 10},
                                   {"DescrDocEmp", "Descrição", 30}, {"Tipo", "Tipo", 20}, {"ForaDesde", "Fora desde", 12, "dd/mm/yyyy"},
                                   {"RetornoPrevisto", "Retorno previsto", 12, "dd/mm/yyyy"},
                                   {"Responsavel", "Responsável pelo retorno", 25}, {"DiasEmAtraso", "Dias em atraso", 8}});
    // Overdue documents in red.
    nClientDataSet.Tela().Aparencia.CorDoTexto = [this](int linha) {
        const int coluna = nClientDataSet.FieldByName(QStringLiteral("DiasEmAtraso")).Index();
        return nClientDataSet.ValorNaLinha(linha, coluna).toInt() > 0 ? QStringLiteral("red") : QString();
    };
}

void TLyrDPDocumentosFora::Executar()
{
    TnDMPowerParamGrid::Executar();
    nClientDataSet.EmptyDataSet();
    TnSemControles semControles(nClientDataSet);
    for (const TnDocumentoFora& fora : Listar(Param(QStringLiteral("pCodigoEmpresa")), Param(QStringLiteral("pVencidos")) == u"1",
                                              QDate::currentDate()))
        nClientDataSet.AppendRecord({QStringLiteral("%1 - %2").arg(fora.empresa).arg(fora.nomeEmpresa),
                                     QStringLiteral("%1 - %2").arg(fora.estab).arg(fora.nomeEstab), fora.documento, fora.descricao, fora.tipo,
                                     fora.foraDesde, fora.retornoPrevisto, fora.responsavel, fora.diasEmAtraso});
    nClientDataSet.First();
}

QList<TnDocumentoFora> TLyrDPDocumentosFora::Listar(const QString& empresas, bool soVencidos, const QDate& hoje)
{
    ValidarSelecaoDeCodigos(empresas);
    QString comando = QStringLiteral(
        "select D.CODIGOEMPRESA, E.NOMEEMPRESA, D.CODIGOESTAB, F.APELIDOESTAB, D.CODIGODOCEMP, D.DESCRDOCEMP, T.DESCRTIPODOC, "
        "M.DATAHORA, M.DATARETORNOPREV, M.RESPRETORNO from PROTOCOLODOCMOVIMENTO M "
        "join PROTOCOLODOCEMP D on D.CODIGODOCEMP = M.CODIGODOCEMP join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = D.CODIGOTIPODOC "
        "join EMPRESA E on E.CODIGOEMPRESA = D.CODIGOEMPRESA "
        "join ESTAB F on F.CODIGOEMPRESA = D.CODIGOEMPRESA and F.CODIGOESTAB = D.CODIGOESTAB "
        "where M.TIPOLOCAL = '2' and M.DATARETORNOPREV is not null and M.SEQDOCEMP = "
        "(select max(U.SEQDOCEMP) from PROTOCOLODOCMOVIMENTO U where U.CODIGODOCEMP = M.CODIGODOCEMP)");
    if (soVencidos)
        comando += QStringLiteral(" and M.DATARETORNOPREV < :pHoje");
    comando += FilterInterval(QStringLiteral("D.CODIGOEMPRESA"), empresas.trimmed());
    comando += QStringLiteral(" order by D.CODIGOEMPRESA, D.CODIGOESTAB, M.DATARETORNOPREV, D.CODIGODOCEMP");
    auto consulta = ExecutarSQL(comando, soVencidos ? QVariantList{hoje} : QVariantList{});
    const auto liberar = qScopeGuard([&] { DestruirSQL(consulta); });
    QList<TnDocumentoFora> fora;
    for (int linha = 0; linha < consulta->RecordCount(); ++linha) {
        const auto valor = [&](int coluna) { return consulta->Valor(linha, coluna); };
        const QDate retorno = Valores::ParaData(valor(8));
        fora.append({valor(0).toInt(), valor(1).toString(), valor(2).toInt(), valor(3).toString(), valor(4).toLongLong(), valor(5).toString(),
                     valor(6).toString(), Valores::ParaDataHora(valor(7)), retorno, valor(9).toString(),
                     static_cast<int>(std::max<qint64>(0, retorno.daysTo(hoje)))});
    }
    return fora;
}
