#include "comandosfontes.h"

#include "erros.h"
#include "sqlservicos.h"

// Statement texts of the generation sources, kept exactly as the generation
// has always run them. Both databases accept them as they stand (PostgreSQL
// through the text-number comparison operators of its schema).

namespace {

// Replaces each "%s" of the model, in order, by the next value.
QString Preencher(QString modelo, const QStringList& valores)
{
    for (const QString& valor : valores) {
        const qsizetype marca = modelo.indexOf(QStringLiteral("%s"));
        if (marca < 0)
            throw EnErro(QStringLiteral("Modelo de comando com menos marcas do que valores."));
        modelo.replace(marca, 2, valor);
    }
    return modelo;
}

// The payroll event whose value is listed: the net pay.
const QString kEventoLiquido = QStringLiteral("5020");

const QString kComandoDebitoImposto =
    QStringLiteral("select D.CODIGOEMPRESA ,D.CHAVEDEBITO%s CHAVEDEBITO ,D.CODIGOESTAB ,D.CODIGOIMPOSTO ,D.VARIACAOIMPOSTO ,D.DATALCTOCTR ,D.DATAFINAL ,D.VALORDEBITO ,D.DATAVENCIMENTO ,D.FORMADEBITO ,D.SITUACAODEBITO ,D.CODIGOTABCTBCTR ,D.CHAVEORIGEM ,D.CODIGOUSUARIO ,D.DATAHORADEBITO ,D.CODIGOPROTOCOLO ,I.DESCRIMPOSTO ,I.DESCRPROTOCOLO %s from %s D join IMPOSTO I on D.CODIGOIMPOSTO = I.CODIGOIMPOSTO and D.VARIACAOIMPOSTO = I.VARIACAOIMPOSTO where CODIGOEMPRESA = :pCodigoEmpresa and CODIGOESTAB = :pCodigoEstab and %s between :pDataInicial and :pDataFinal and ((:pListarDebitos = 0 and D.CODIGOPROTOCOLO is null) or (:pListarDebitos = 1)) and FORMADEBITO in (0, 2) ");

const QString kComandoDebitoFolha =
    QStringLiteral("select D.CODIGOEMPRESA ,D.CHAVEDEBITO%s CHAVEDEBITO ,D.CODIGOESTAB ,null as CODIGOIMPOSTO ,null as VARIACAOIMPOSTO ,D.DATALCTOCTR ,D.DATALCTOCTR as DATAFINAL ,D.VALORDEBITO ,D.DATAVENCIMENTO ,null as FORMADEBITO ,D.SITUACAODEBITO ,D.CODIGOTABCTBCTR ,D.CHAVEORIGEM ,D.CODIGOUSUARIO ,D.DATAHORADEBITO ,D.CODIGOPROTOCOLO ,null as DESCRIMPOSTO ,null as DESCRPROTOCOLO ,D.OBSERVDEBITO ,D.CodigoFuncContr ,F.NOMEFUNC %s from %s D JOIN FUNCIONARIO F ON F.CODIGOEMPRESA = D.CODIGOEMPRESA AND F.CodigoFuncContr = D.CodigoFuncContr where D.CODIGOEMPRESA = :pCodigoEmpresa and D.CODIGOESTAB = :pCodigoEstab and D.%s between :pDataInicial and :pDataFinal and ((:pListarDebitos = 0 and D.CODIGOPROTOCOLO is null) or (:pListarDebitos = 1))  ");

// An open, not written-off protocol that already holds a payroll item for the
// same establishment and payment date (and employee, or an item without one).
const QString kJuncaoProtocoloFolha =
    QStringLiteral(" LEFT JOIN( SELECT PR.CODIGOEMPRESA, PR.CODIGOESTAB, PR.CODIGOPROTOCOLO, PIT.VENCIMENTO, PIT.CODIGOFUNCCONTR FROM PROTOCOLO PR JOIN PROTOCOLOITEM PIT ON PIT.CODIGOPROTOCOLO = PR.CODIGOPROTOCOLO AND PIT.CHAVEORIGEM = 'FPA' WHERE PR.CANCELADO = 0 AND PR.TIPOPRO = '1' AND PIT.COMPETENCIA IS NOT NULL AND PR.DATAHORABAIXA IS NULL GROUP BY PR.CODIGOEMPRESA, PR.CODIGOESTAB, PR.CODIGOPROTOCOLO, PIT.VENCIMENTO, PIT.CODIGOFUNCCONTR) PROT ON PROT.CODIGOEMPRESA = FL.CODIGOEMPRESA AND PROT.CODIGOESTAB = FL.CODIGOESTAB AND PROT.VENCIMENTO = P.DATAPGTO AND (PROT.CODIGOFUNCCONTR = F.CODIGOFUNCCONTR OR PROT.CODIGOFUNCCONTR IS NULL) ");

// From the calculation period to the calculated events of each contract.
const QString kJuncoesFolha =
    QStringLiteral("PERIODOCALCULO P JOIN FUNCPERCALCULO FPC ON FPC.CODIGOEMPRESA = P.CODIGOEMPRESA AND FPC.CODIGOPERCALCULO = P.CODIGOPERCALCULO JOIN FUNCCONTRATO F ON F.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND F.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR JOIN FUNCPESSOA FP ON FP.CODIGOFUNCPESSOA = F.CODIGOFUNCPESSOA JOIN FUNCLOCAL FL ON FL.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND FL.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR AND FL.DATATRANSF = FPC.DATALOCAL JOIN CALCULOEVENTO CE ON CE.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND CE.CODIGOPERCALCULO = FPC.CODIGOPERCALCULO AND CE.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR ");

// Terminations and vacation receipts have no source row that a save could
// mark as delivered, and offices run the month more than once: handing the
// same paper twice is what a protocol exists to prevent. So, like the
// payroll, a receipt already held by a protocol (same establishment,
// employee, payment date and type, under its type's origin key) is found
// here: it comes with that protocol's code and cannot be marked, and it is
// left out when only what has no protocol is listed. Unlike the payroll's
// look-up, a written-off protocol holds its receipts too: once the paper was
// handed over, proposing it again is exactly the fault; only a cancelled
// protocol lets them go. The lowest code answers when two protocols hold
// it, so a receipt is listed once.
QString JuncaoProtocoloRecibo(int tipo, const QString& pagamento)
{
    return QStringLiteral("left join (select PR.CODIGOEMPRESA, PR.CODIGOESTAB, PIT.VENCIMENTO, PIT.CODIGOFUNCCONTR, min(PR.CODIGOPROTOCOLO) as CODIGOPROTOCOLO "
                          "from PROTOCOLO PR join PROTOCOLOITEM PIT on PIT.CODIGOPROTOCOLO = PR.CODIGOPROTOCOLO and PIT.CHAVEORIGEM = '%1' "
                          "where PR.CANCELADO = 0 and PR.TIPOPRO = '1' and PIT.COMPETENCIA is not null "
                          "group by PR.CODIGOEMPRESA, PR.CODIGOESTAB, PIT.VENCIMENTO, PIT.CODIGOFUNCCONTR) PROT "
                          "on PROT.CODIGOEMPRESA = R.CODIGOEMPRESA and PROT.CODIGOESTAB = L.CODIGOESTAB and PROT.VENCIMENTO = %2 "
                          "and PROT.CODIGOFUNCCONTR = R.CodigoFuncContr ")
        .arg(ChaveOrigemFolha(tipo), pagamento);
}

const QString kSemProtocoloOuTodos =
    QStringLiteral("and ((:pListarDebitos = 0 and PROT.CODIGOPROTOCOLO is null) or (:pListarDebitos = 1)) ");

} // namespace

QString ChaveOrigemFolha(int tipo)
{
    return tipo == 6 ? QStringLiteral("FPA") : QStringLiteral("FPA;%1").arg(tipo);
}

QString SufixoChaveDebito(const QString& tabela)
{
    if (tabela.contains(QStringLiteral("FGTS")))
        return QStringLiteral("FGTS");
    if (tabela.contains(QStringLiteral("FOLHA")))
        return QStringLiteral("FOLHA");
    QString sufixo = tabela.mid(tabela.indexOf(u'O') + 1, 3);
    if (tabela.contains(QStringLiteral("SINDICAL")))
        sufixo += u'D';
    return sufixo;
}

QString ComandoDebitos(const QString& tabela, const QString& tipoData)
{
    const QString extras = tabela.contains(QStringLiteral("SINDICAL")) ? QString() : QStringLiteral(", D.OBSERVDEBITO");
    const QString colunaData = tipoData.trimmed() == u"2" ? QStringLiteral("DATAVENCIMENTO") : QStringLiteral("DATALCTOCTR");
    const QString& modelo = tabela == u"DEBITOFOLHA" ? kComandoDebitoFolha : kComandoDebitoImposto;
    return Preencher(modelo, {SufixoChaveDebito(tabela), extras, tabela, colunaData});
}

QString ComandoFolha(int tipo, int modoListagem, int tipoData)
{
    if (tipo == 6) {
        const QString periodo = tipoData == 1
            ? QStringLiteral("(P.DATAINICIALFOLHA >= :pDataInicial  and P.DATAFINALFOLHA <= :pDataFinal)")
            : QStringLiteral("FPC.DATAPGTOFOLHA between :pDataInicial and :pDataFinal");
        if (modoListagem == 1) {
            return Preencher(QStringLiteral(" SELECT SUM(CE.VALOREVENTO) VALOR, COUNT(*) QUANTIDADE , FPC.DATAPGTOFOLHA DATAPGTO, P.CODIGOPERCALCULO, PROT.CODIGOPROTOCOLO FROM PERIODOCALCULO P JOIN FUNCPERCALCULO FPC ON FPC.CODIGOEMPRESA = P.CODIGOEMPRESA AND FPC.CODIGOPERCALCULO = P.CODIGOPERCALCULO JOIN FUNCCONTRATO F ON F.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND F.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR JOIN FUNCPESSOA FP ON FP.CODIGOFUNCPESSOA = F.CODIGOFUNCPESSOA JOIN FUNCLOCAL FL ON FL.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND FL.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR AND FL.DATATRANSF = FPC.DATALOCAL JOIN CALCULOEVENTO CE ON CE.CODIGOEMPRESA = FPC.CODIGOEMPRESA AND CE.CODIGOPERCALCULO = FPC.CODIGOPERCALCULO AND CE.CODIGOFUNCCONTR = FPC.CODIGOFUNCCONTR ")
                + kJuncaoProtocoloFolha
                + QStringLiteral("WHERE %s ")
            + QStringLiteral("AND P.CODIGOEMPRESA = :PCODIGOEMPRESA ")
            + QStringLiteral("AND FL.CODIGOESTAB = :PCODIGOESTAB ")
            + QStringLiteral("AND CE.CODIGOEVENTO = ")
            + kEventoLiquido
            + QStringLiteral(" ")
            + QStringLiteral("GROUP BY FPC.DATAPGTOFOLHA, ")
            + QStringLiteral("P.CODIGOPERCALCULO, ")
            + QStringLiteral("PROT.CODIGOPROTOCOLO "),
                {periodo});
        }
        return Preencher(QStringLiteral(" SELECT CE.VALOREVENTO VALOR, F.CODIGOFUNCCONTR, FPC.DATAPGTOFOLHA DATAPGTO, P.CODIGOPERCALCULO, FP.NOMEFUNC, PROT.CODIGOPROTOCOLO FROM ") + kJuncoesFolha + kJuncaoProtocoloFolha
            + QStringLiteral("WHERE %s ")
            + QStringLiteral("AND P.CODIGOEMPRESA = :PCODIGOEMPRESA ")
            + QStringLiteral("AND FL.CODIGOESTAB = :PCODIGOESTAB ")
            + QStringLiteral("AND CE.CODIGOEVENTO = ")
            + kEventoLiquido
            + QStringLiteral(" "),
            {periodo});
    }
    if (tipo == 7) {
        return Preencher(QStringLiteral("select R.CODIGOEMPRESA ,R.CodigoFuncContr ,R.COMPLEMENTAR ,R.CODIGOCAUSA ,R.CODIGOSAQUE ,R.TIPOAFASTSEFIP ,R.TIPOAFASTCAGED ,R.TIPOAFASTRAIS ,R.CODIGOMOTDEM ,R.DATARESC ,R.DATAAVPREVIO ,R.DATAPGTORESC DATAPGTO ,R.DIASTRAB ,R.DIASAVINDEN ,R.DIASAVREAV ,R.DIASESTABIL ,R.DIASGRATIF ,R.SALFINAL ,R.FGTSMESANT ,R.CODIGOFPAS ,R.CODIGOOUTEMP ,R.SALDOFGTS ,R.REMMULTA ,R.VALORMULTA ,R.REMMULTARECOL ,R.VALORMULTARECOL ,R.BASEINSS ,R.DEDUCAO ,R.FGTSRECOL ,R.VALORINSS ,R.REMUNRESCISAO ,R.REPOSICAOVAGA ,R.AVISOPREVIO ,F.NOMEFUNC ,E.VALOREVENTO VALOR, PROT.CODIGOPROTOCOLO from RESCISAO R join FUNCIONARIO F on R.CODIGOEMPRESA = F.CODIGOEMPRESA and R.CodigoFuncContr = F.CodigoFuncContr join RESCISAOEVENTO E on E.CODIGOEMPRESA = R.CODIGOEMPRESA and E.CodigoFuncContr = R.CodigoFuncContr join FUNCLOCAL L on L.CODIGOEMPRESA = R.CODIGOEMPRESA and L.CodigoFuncContr = R.CodigoFuncContr and L.DATATRANSF = (select max(L1.DATATRANSF) from FUNCLOCAL L1 where L1.CODIGOEMPRESA = L.CODIGOEMPRESA and L1.CodigoFuncContr = L.CodigoFuncContr and L1.DATATRANSF <= R.DATARESC) ")
            + JuncaoProtocoloRecibo(7, QStringLiteral("R.DATAPGTORESC"))
            + QStringLiteral("where R.%s between :pDataInicial and :pDataFinal and R.CODIGOEMPRESA = :pCodigoEmpresa and L.CODIGOESTAB = :pCodigoEstab and E.CODIGOEVENTO = ")
            + kEventoLiquido
            + QStringLiteral(" ")
            + kSemProtocoloOuTodos,
            {tipoData == 1 ? QStringLiteral("DATARESC") : QStringLiteral("DATAPGTORESC")});
    }
    if (tipo == 8) {
        return Preencher(QStringLiteral("select R.CodigoFuncContr ,R.DATAINICIAL ,R.DATAINICIALFERIAS ,R.DATAFINALFERIAS ,R.DATAABONO ,R.PAGAADTO13 ,R.DATAPGTO ,R.DESCADTO ,R.FORMAGERACAO ,R.DIASDOBROFERIAS ,R.DIASDOBROABONO ,R.TIPORECIBO ,R.DATARETORNOFERIAS ,R.DATAAVISO ,R.DATASOLICABONO ,R.DIASABONO ,R.DIASFERIAS ,R.DIASREMUN ,R.DESCONTPARCELA ,R.NUMEROPARCELA ,R.COMPETINICIAL ,R.DIASPREMIO ,E.VALOREVENTO VALOR ,F.NOMEFUNC, PROT.CODIGOPROTOCOLO from RECIBOFERIAS R join FERIASEVENTO E on E.CODIGOEMPRESA = R.CODIGOEMPRESA and E.CodigoFuncContr = R.CodigoFuncContr and E.DATAINICIAL = R.DATAINICIAL and E.DATAINICIALFERIAS = R.DATAINICIALFERIAS and E.CODIGOEVENTO = ")
            + kEventoLiquido
            + QStringLiteral(" ")
            + QStringLiteral("join FUNCIONARIO F ")
            + QStringLiteral("on F.CODIGOEMPRESA = R.CODIGOEMPRESA ")
            + QStringLiteral("and F.CodigoFuncContr = R.CodigoFuncContr ")
            + QStringLiteral("join FUNCLOCAL L ")
            + QStringLiteral("on L.CODIGOEMPRESA = R.CODIGOEMPRESA ")
            + QStringLiteral("and L.CodigoFuncContr = R.CodigoFuncContr ")
            + QStringLiteral("and L.DATATRANSF = ")
            + QStringLiteral("(select max(L1.DATATRANSF) ")
            + QStringLiteral("from FUNCLOCAL L1 ")
            + QStringLiteral("where L1.CODIGOEMPRESA = L.CODIGOEMPRESA ")
            + QStringLiteral("and L1.CodigoFuncContr = L.CodigoFuncContr ")
            + QStringLiteral("and L1.DATATRANSF <= R.DATAINICIALFERIAS) ")
            + JuncaoProtocoloRecibo(8, QStringLiteral("R.DATAPGTO"))
            + QStringLiteral("where R.%s between :pDataInicial and :pDataFinal ")
            + QStringLiteral("and R.CODIGOEMPRESA = :pCodigoEmpresa ")
            + QStringLiteral("and L.CODIGOESTAB = :pCodigoEstab ")
            + kSemProtocoloOuTodos,
            {tipoData == 1 ? QStringLiteral("DATAINICIALFERIAS") : QStringLiteral("DATAPGTO")});
    }
    throw EnErro(QStringLiteral("Tipo %1 não é uma fonte da folha de pagamento.").arg(tipo));
}

namespace {

// Tail of the client, invoice and boleto statements: the period, the office's
// establishment, and the documents not yet in a protocol (or all of them).
QString Cauda(const QString& colunaData, const TnFiltroFinanceiro& filtro, bool somenteComBoleto)
{
    const QString listar = QString::number(filtro.listarDebitos);
    return colunaData + QStringLiteral(" between ") + ValorParaSQL(filtro.inicio, TnTipoValor::Data)
        + QStringLiteral(" and ") + ValorParaSQL(filtro.fim, TnTipoValor::Data) + QStringLiteral(" ")
        + QStringLiteral("and ES.CODIGOEMPRESA = ") + ValorParaSQL(filtro.empresa, TnTipoValor::Inteiro) + QStringLiteral(" ")
        + QStringLiteral("and ES.CODIGOESTAB = ") + ValorParaSQL(filtro.estab, TnTipoValor::Inteiro) + QStringLiteral(" ")
        + (somenteComBoleto ? QStringLiteral("and CR.NOSSONUMERO > cast(0 as Integer) ") : QString())
        + QStringLiteral("and ((") + listar + QStringLiteral(" = cast(0 as Integer) and CR.CODIGOPROTOCOLO is null) ")
        + QStringLiteral("or (") + listar + QStringLiteral(" = cast(1 as Integer))) ");
}

bool PorEmissao(const TnFiltroFinanceiro& filtro)
{
    return filtro.tipoData.trimmed() == u"1";
}

} // namespace

QString ComandoClientesFinanceiro(const TnFiltroFinanceiro& filtro)
{
    return QStringLiteral("select distinct (case when PF.CODIGOESTAB is not null or PF.CODIGOESTAB > cast(0 as Integer) then CR.CODIGOCLIENTE else ES.CODIGOESCRIT end) as CODIGOCLIENTE , ES.CODIGOESCRIT , ES.CODIGOEMPRESA , ES.CODIGOESTAB , PF.CODIGOEMPRESA as EMP , PF.CODIGOESTAB as EST , E.NOMEESTAB from CONTARECEBER CR join ESCRITORIO ES on ES.CODIGOESCRIT = CR.CODIGOESCRIT join PESSOAFINCLIENTE PFC on PFC.CODIGOPESSOAFIN = CR.CODIGOCLIENTE join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = PFC.CODIGOPESSOAFIN join ESTAB E on  E.CODIGOEMPRESA = ES.CODIGOEMPRESA and E.CODIGOESTAB = ES.CODIGOESTAB where ")
        + Cauda(PorEmissao(filtro) ? QStringLiteral("CR.DATAEMISSAOCR") : QStringLiteral("CR.DATAVCTOCR"), filtro, true);
}

QString ComandoNotasFiscais(const TnFiltroFinanceiro& filtro)
{
    return QStringLiteral("select SN.CODIGOESCRIT , SN.SERIENS , SN.NUMERONS , SN.DATAEMISSAONS DATAEMISSAO , coalesce(CR.DATAVCTOCR, SN.DATAEMISSAONS) DATAVCTO , SN.VALORLIQUIDO VALOR , SN.VISTAPRAZO , SN.CANCELADANS , SN.CODIGOPROTOCOLO , (case when PF.CODIGOESTAB is not null or PF.CODIGOESTAB > cast(0 as Integer) then CR.CODIGOCLIENTE else ES.CODIGOESCRIT end) as CODIGOCLIENTE , PF.NOME as NOMECLIENTE , CR.NUMERONS as NUMERODOCUMENTO , ES.CODIGOEMPRESA , ES.CODIGOESTAB , PF.CODIGOEMPRESA as EMP , PF.CODIGOESTAB as EST , CR.CODIGOCLIENTE as CODIGOCLI from SERVICONOTA SN join ESCRITORIO ES on ES.CODIGOESCRIT = SN.CODIGOESCRIT left join CONTARECEBER CR on CR.CODIGOESCRIT = SN.CODIGOESCRIT and CR.SERIENS = SN.SERIENS and CR.NUMERONS = SN.NUMERONS join PESSOAFINCLIENTE PFC on PFC.CODIGOPESSOAFIN = CR.CODIGOCLIENTE join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = PFC.CODIGOPESSOAFIN where ")
        + Cauda(PorEmissao(filtro) ? QStringLiteral("SN.DATAEMISSAONS")
                                   : QStringLiteral("coalesce(CR.DATAVCTOCR, SN.DATAEMISSAONS)"),
                filtro, false);
}

QString ComandoBoletos(const TnFiltroFinanceiro& filtro)
{
    return QStringLiteral("select CR.CODIGOESCRIT , CR.NUMERODCTOCR , CR.NOSSONUMERO , CR.DATAEMISSAOCR DATAEMISSAO , CR.DATAVCTOCR DATAVCTO , CR.VALORCR VALOR , CR.CODIGOPROTOCOLO , (case when PF.CODIGOESTAB is not null or PF.CODIGOESTAB > cast(0 as Integer) then CR.CODIGOCLIENTE else ES.CODIGOESCRIT end) as CODIGOCLIENTE , PF.NOME as NOMECLIENTE , CR.NUMERONS as NUMERODOCUMENTO , ES.CODIGOEMPRESA , ES.CODIGOESTAB , PF.CODIGOEMPRESA as EMP , PF.CODIGOESTAB as EST , CR.CODIGOCLIENTE as CODIGOCLI from CONTARECEBER CR join ESCRITORIO ES on ES.CODIGOESCRIT = CR.CODIGOESCRIT join PESSOAFINCLIENTE PFC on PFC.CODIGOPESSOAFIN = CR.CODIGOCLIENTE join PESSOAFINANCEIRO PF on PF.CODIGOPESSOAFIN = PFC.CODIGOPESSOAFIN where ")
        + Cauda(PorEmissao(filtro) ? QStringLiteral("CR.DATAEMISSAOCR") : QStringLiteral("CR.DATAVCTOCR"), filtro, true);
}
