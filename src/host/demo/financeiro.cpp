#include "semeadura.h"

namespace {

// The office's billing: its two branches, its clients (most of them the
// companies, a few linked otherwise or private persons), a service invoice
// and mostly a boleto for each client every month.
class TnFinanceiroDemo {
public:
    explicit TnFinanceiroDemo(TnSemeadura& demo) : m_demo(demo) {}

    void Semear() { Financeiro(); }

private:
    struct TnCliente {
        int pessoa;
        int escritorio;
        int diaVencimento;
        qint64 honorario;
        QVariant empresa;
        QVariant estab;
    };

    void Financeiro()
    {
        m_demo.Inserir("ESCRITORIO", {"CODIGOESCRIT", "NOMEESCRIT", "CODIGOEMPRESA", "CODIGOESTAB"}, {1, "Lyr Contabilidade - Matriz", 1, 1});
        m_demo.Inserir("ESCRITORIO", {"CODIGOESCRIT", "NOMEESCRIT", "CODIGOEMPRESA", "CODIGOESTAB"}, {2, "Lyr Contabilidade - Campinas", 1, 2});

        QList<TnCliente> clientes;
        int pessoa = 0;
        QHash<int, QList<int>> estabsPorEmpresa;
        for (const TnEstab& estab : std::as_const(m_demo.estabs))
            estabsPorEmpresa[estab.empresa].append(estab.estab);
        for (int empresa = 2; estabsPorEmpresa.contains(empresa); ++empresa) {
            TnCliente cliente{++pessoa, m_demo.aleatorio.Chance(30) ? 2 : 1, m_demo.aleatorio.Escolher(QList<int>{5, 10, 15, 20}),
                              m_demo.aleatorio.Entre(450, 4500) * 100, empresa, 1};
            const int vinculo = m_demo.aleatorio.Entre(1, 100);
            if (vinculo > 80 && vinculo <= 88) {
                cliente.estab = m_demo.aleatorio.Escolher(estabsPorEmpresa[empresa]);
            } else if (vinculo > 88 && vinculo <= 95) {
                cliente.empresa = cliente.estab = Nulo();  // a client not linked to its company yet
            } else if (vinculo > 95) {
                cliente.empresa = cliente.estab = 0;  // linked with zeros by an old import
            }
            InserirCliente(cliente, m_demo.nomesEmpresa.value(empresa), Cnpj(10000000 + empresa * 7919 % 89999999, 1));
            clientes.append(cliente);
        }
        const int particulares = 5 * m_demo.opcoes.tamanho;
        for (int i = 0; i < particulares; ++i) {
            TnCliente cliente{++pessoa, 1, 10, m_demo.aleatorio.Entre(150, 600) * 100, Nulo(), Nulo()};
            InserirCliente(cliente, m_demo.NomePessoa(), Cpf(200000000 + pessoa * 5113));
            clientes.append(cliente);
        }

        QHash<int, int> numeroNota;
        QHash<int, int> numeroDocumento;
        qint64 nossoNumero = 100000;
        for (int k = 0; k < m_demo.competencias.size(); ++k) {
            const QDate competencia = m_demo.competencias[k];
            for (const TnCliente& cliente : std::as_const(clientes)) {
                const QDate emissao = DiaUtil(competencia.year(), competencia.month(), m_demo.aleatorio.Entre(1, 3));
                const QDate vencimento = DiaUtil(competencia.year(), competencia.month(), cliente.diaVencimento);
                const int nota = ++numeroNota[cliente.escritorio];
                const int documento = ++numeroDocumento[cliente.escritorio];
                const bool cancelada = m_demo.aleatorio.Chance(3);
                const qint64 liquido = cliente.honorario - (m_demo.aleatorio.Chance(30) ? cliente.honorario * 2 / 100 : 0);
                m_demo.Inserir("SERVICONOTA",
                        {"CODIGOESCRIT", "SERIENS", "NUMERONS", "DATAEMISSAONS", "CODIGOCLIENTE", "VALORBRUTO",
                         "VALORLIQUIDO", "VISTAPRAZO", "CANCELADANS", "DISCRIMINACAO"},
                        {cliente.escritorio, "A", nota, emissao, cliente.pessoa, Dinheiro(cliente.honorario),
                         Dinheiro(liquido), m_demo.aleatorio.Chance(80) ? 2 : 1, cancelada ? 1 : 0,
                         "Honorários contábeis - competência " + competencia.toString("MM/yyyy")});
                const bool comBoleto = !m_demo.aleatorio.Chance(10);
                m_demo.Inserir("CONTARECEBER",
                        {"CODIGOESCRIT", "NUMERODCTOCR", "NOSSONUMERO", "DATAEMISSAOCR", "DATAVCTOCR", "VALORCR",
                         "CODIGOCLIENTE", "SERIENS", "NUMERONS", "DATAPGTOCR"},
                        {cliente.escritorio, documento, comBoleto ? ++nossoNumero : 0, emissao, vencimento, Dinheiro(liquido),
                         cliente.pessoa, "A", nota,
                         vencimento < m_demo.opcoes.referencia && m_demo.aleatorio.Chance(85) ? QVariant(vencimento) : Nulo()});
            }
        }
    }

    void InserirCliente(const TnCliente& cliente, const QString& nome, const QString& documento)
    {
        m_demo.Inserir("PESSOAFINANCEIRO",
                {"CODIGOPESSOAFIN", "NOME", "CNPJCPF", "CODIGOEMPRESA", "CODIGOESTAB", "EMAIL", "TELEFONE", "ATIVO"},
                {cliente.pessoa, nome, documento, cliente.empresa, cliente.estab,
                 QStringLiteral("financeiro%1@cliente.com.br").arg(cliente.pessoa), "(11) 4002-8922", "1"});
        m_demo.Inserir("PESSOAFINCLIENTE", {"CODIGOPESSOAFIN", "DATACADASTRO", "DIAVENCIMENTO", "VALORHONORARIO"},
                {cliente.pessoa, m_demo.competencias.first().addDays(-m_demo.aleatorio.Entre(30, 900)), cliente.diaVencimento,
                 Dinheiro(cliente.honorario)});
    }

private:
    TnSemeadura& m_demo;
};

} // namespace

void SemearFinanceiro(TnSemeadura& demo)
{
    TnFinanceiroDemo(demo).Semear();
}
