#include "semeadura.h"

namespace {

const QList<QString> kCargos = {"Auxiliar Administrativo", "Vendedor", "Motorista", "Recepcionista",
                                 "Gerente", "Auxiliar de Produção", "Técnico", "Atendente", "Analista"};

// The clients' employees and their six months of payroll, with some
// terminations and vacations.
class TnFolhaDemo {
public:
    explicit TnFolhaDemo(TnSemeadura& demo) : m_demo(demo) {}

    void Semear() { Folha(); }

private:
    void Folha()
    {
        QHash<int, QList<int>> estabsAtivos;
        for (const TnEstab& estab : std::as_const(m_demo.estabs)) {
            if (estab.ativo)
                estabsAtivos[estab.empresa].append(estab.estab);
        }
        const QDate inicioJanela = m_demo.competencias.first();
        int pessoa = 0;
        for (int empresa = 2; estabsAtivos.contains(empresa); ++empresa) {
            if (m_demo.aleatorio.Chance(20))
                continue;  // companies without employees
            const QList<int>& estabs = estabsAtivos[empresa];
            const int quantidade = m_demo.aleatorio.Entre(2, 10);
            for (int c = 1; c <= quantidade; ++c) {
                TnContrato contrato{empresa, c, ++pessoa, m_demo.NomePessoa(), {}, {}, 0, {}};
                contrato.admissao = m_demo.aleatorio.Chance(10)
                                        ? inicioJanela.addDays(m_demo.aleatorio.Entre(0, 120))
                                        : m_demo.opcoes.referencia.addDays(-m_demo.aleatorio.Entre(240, 2500));
                contrato.salario = m_demo.aleatorio.Entre(1518, 9000) * 100 + m_demo.aleatorio.Entre(0, 99);
                contrato.locais.append({contrato.admissao, m_demo.aleatorio.Escolher(estabs)});
                if (estabs.size() > 1 && m_demo.aleatorio.Chance(15)) {
                    const QDate transferencia = m_demo.aleatorio.Escolher(m_demo.competencias);
                    if (transferencia > contrato.admissao) {
                        int destino = m_demo.aleatorio.Escolher(estabs);
                        if (destino == contrato.locais.first().second)
                            destino = estabs.first() == destino ? estabs.last() : estabs.first();
                        contrato.locais.append({transferencia, destino});
                    }
                }
                if (m_demo.aleatorio.Chance(6)) {
                    const QDate mes = m_demo.competencias[m_demo.aleatorio.Entre(1, 5)];
                    const QDate rescisao = mes.addDays(m_demo.aleatorio.Entre(0, mes.daysInMonth() - 1));
                    if (rescisao > contrato.admissao.addDays(30))
                        contrato.demissao = rescisao;
                }
                InserirContrato(contrato);
                m_demo.contratos[empresa].append(contrato);
            }
            PeriodosDeCalculo(empresa);
        }
    }

    void InserirContrato(const TnContrato& contrato)
    {
        m_demo.Inserir("FUNCPESSOA", {"CODIGOFUNCPESSOA", "NOMEFUNC", "CPF", "DATANASCIMENTO", "PIS"},
                {contrato.pessoa, contrato.nome, Cpf(100000000 + contrato.pessoa * 7331),
                 QDate(m_demo.aleatorio.Entre(1965, 2004), m_demo.aleatorio.Entre(1, 12), m_demo.aleatorio.Entre(1, 28)),
                 QString::number(12000000000LL + contrato.pessoa)});
        m_demo.Inserir("FUNCCONTRATO",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOFUNCPESSOA", "DATAADMISSAO", "DATADEMISSAO", "CARGO", "SALARIO"},
                {contrato.empresa, contrato.contrato, contrato.pessoa, contrato.admissao,
                 contrato.demissao.isValid() ? QVariant(contrato.demissao) : Nulo(), m_demo.aleatorio.Escolher(kCargos),
                 Dinheiro(contrato.salario)});
        for (const auto& [data, estab] : contrato.locais)
            m_demo.Inserir("FUNCLOCAL", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATATRANSF", "CODIGOESTAB"},
                    {contrato.empresa, contrato.contrato, data, estab});
        if (contrato.demissao.isValid())
            InserirRescisao(contrato);
        else if (contrato.admissao < m_demo.opcoes.referencia.addYears(-1) && m_demo.aleatorio.Chance(12))
            InserirFerias(contrato);
    }

    void InserirRescisao(const TnContrato& contrato)
    {
        const qint64 liquido = contrato.salario * m_demo.aleatorio.Entre(110, 260) / 100;
        m_demo.Inserir("RESCISAO",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "COMPLEMENTAR", "CODIGOCAUSA", "CODIGOSAQUE", "TIPOAFASTSEFIP",
                 "TIPOAFASTCAGED", "TIPOAFASTRAIS", "CODIGOMOTDEM", "DATARESC", "DATAAVPREVIO", "DATAPGTORESC",
                 "DIASTRAB", "DIASAVINDEN", "DIASAVREAV", "DIASESTABIL", "DIASGRATIF", "SALFINAL", "FGTSMESANT",
                 "CODIGOFPAS", "CODIGOOUTEMP", "SALDOFGTS", "REMMULTA", "VALORMULTA", "REMMULTARECOL",
                 "VALORMULTARECOL", "BASEINSS", "DEDUCAO", "FGTSRECOL", "VALORINSS", "REMUNRESCISAO",
                 "REPOSICAOVAGA", "AVISOPREVIO"},
                {contrato.empresa, contrato.contrato, "0", 2, "01", "I1", 31, 11, 1, contrato.demissao,
                 contrato.demissao.addDays(-30), contrato.demissao.addDays(10), contrato.demissao.day(), 30, 0, 0, 0,
                 Dinheiro(contrato.salario), Dinheiro(contrato.salario * 8 / 100), 515, 115,
                 Dinheiro(contrato.salario * 3), Dinheiro(contrato.salario * 3), Dinheiro(contrato.salario * 3 * 40 / 100),
                 Dinheiro(0), Dinheiro(0), Dinheiro(contrato.salario), Dinheiro(0), Dinheiro(contrato.salario * 8 / 100),
                 Dinheiro(contrato.salario * 9 / 100), Dinheiro(liquido), "0", "1"});
        m_demo.Inserir("RESCISAOEVENTO", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, 5020, Nulo(), Dinheiro(liquido)});
        m_demo.Inserir("RESCISAOEVENTO", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, 1, Dinheiro(3000), Dinheiro(contrato.salario)});
    }

    void InserirFerias(const TnContrato& contrato)
    {
        const QDate mes = m_demo.aleatorio.Escolher(m_demo.competencias);
        const QDate inicio = DiaUtil(mes.year(), mes.month(), m_demo.aleatorio.Entre(1, 20));
        QDate aquisitivo = contrato.admissao;
        while (aquisitivo.addYears(2) <= inicio)
            aquisitivo = aquisitivo.addYears(1);
        const qint64 liquido = contrato.salario * 4 / 3 * 85 / 100;
        m_demo.Inserir("RECIBOFERIAS",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS", "DATAFINALFERIAS", "DATAABONO",
                 "PAGAADTO13", "DATAPGTO", "DESCADTO", "FORMAGERACAO", "DIASDOBROFERIAS", "DIASDOBROABONO",
                 "TIPORECIBO", "DATARETORNOFERIAS", "DATAAVISO", "DATASOLICABONO", "DIASABONO", "DIASFERIAS",
                 "DIASREMUN", "DESCONTPARCELA", "NUMEROPARCELA", "COMPETINICIAL", "DIASPREMIO"},
                {contrato.empresa, contrato.contrato, aquisitivo, inicio, inicio.addDays(29), Nulo(), "0",
                 inicio.addDays(-2), "0", 1, 0, 0, 1, inicio.addDays(30), inicio.addDays(-30), Nulo(), 0, 30, 30, "0", 0,
                 QDate(inicio.year(), inicio.month(), 1), 0});
        m_demo.Inserir("FERIASEVENTO",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, aquisitivo, inicio, 5020, Nulo(), Dinheiro(liquido)});
    }

    void PeriodosDeCalculo(int empresa)
    {
        for (int k = 0; k < m_demo.competencias.size(); ++k) {
            const QDate competencia = m_demo.competencias[k];
            const QDate fim = UltimoDia(competencia);
            const int codigo = competencia.year() * 100 + competencia.month();
            const QDate pagamento = DiaUtilDoMesSeguinte(competencia, 5);
            m_demo.Inserir("PERIODOCALCULO",
                    {"CODIGOEMPRESA", "CODIGOPERCALCULO", "DESCRPERCALCULO", "TIPOFOLHA", "COMPETENCIA",
                     "DATAINICIALFOLHA", "DATAFINALFOLHA", "DATAPGTO"},
                    {empresa, codigo, "Folha Mensal " + competencia.toString("MM/yyyy"), 1, competencia, competencia, fim,
                     pagamento});
            for (const TnContrato& contrato : m_demo.contratos.value(empresa)) {
                if (contrato.admissao > fim
                    || (contrato.demissao.isValid() && contrato.demissao <= fim))
                    continue;
                const qint64 inss = contrato.salario * 9 / 100;
                m_demo.Inserir("FUNCPERCALCULO",
                        {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR", "DATAPGTOFOLHA", "DATALOCAL"},
                        {empresa, codigo, contrato.contrato, pagamento, contrato.TransferenciaEm(fim)});
                const QStringList colunas = {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"};
                m_demo.Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 1, Dinheiro(3000), Dinheiro(contrato.salario)});
                m_demo.Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 901, Dinheiro(900), Dinheiro(inss)});
                m_demo.Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 5020, Nulo(), Dinheiro(contrato.salario - inss)});
            }
        }
    }

private:
    TnSemeadura& m_demo;
};

} // namespace

void SemearFolha(TnSemeadura& demo)
{
    TnFolhaDemo(demo).Semear();
}
