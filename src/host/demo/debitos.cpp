#include "semeadura.h"

#include "lyrsfuncoes.h"

namespace {

struct TnDebito {
    int tipo;
    QString tabela;
    QString sufixo;
    int empresa;
    int estab;
    qint64 chave;
    const TnImposto* imposto;
    QDate lancamento;
    QDate vencimento;
    qint64 valor;
    int forma;
    int contrato = 0;
    QString observacao;
};

// Each active establishment's tax debits of each month: federal always,
// state, municipal and union ones by chance, GPS and FGTS over its payroll.
class TnDebitosDemo {
public:
    explicit TnDebitosDemo(TnSemeadura& demo) : m_demo(demo) {}

    void Semear() { Debitos(); }

private:
    QList<const TnImposto*> ImpostosDoTipo(int tipo) const
    {
        QList<const TnImposto*> lista;
        for (const TnImposto& imposto : kImpostos) {
            if (imposto.tipo == tipo)
                lista.append(&imposto);
        }
        return lista;
    }

    int FormaDebito()
    {
        const int sorteio = m_demo.aleatorio.Entre(1, 100);
        return sorteio <= 70 ? 0 : (sorteio <= 85 ? 2 : (sorteio <= 95 ? 1 : 3));
    }

    void NovoDebito(QList<TnDebito>& debitos, int tipo, int empresa, int estab, const QDate& competencia,
                    const TnImposto* imposto, qint64 valor, int contrato = 0, const QString& observacao = {})
    {
        const TnTabelaDebito* tabela = TabelaDebitoDoTipo(tipo);
        TnDebito debito{tipo, tabela->tabela, tabela->sufixo, empresa, estab, ++m_chavesDebito[{tabela->tabela, empresa}],
                        imposto, UltimoDia(competencia),
                        DiaUtilDoMesSeguinte(competencia, imposto ? imposto->vencimento : 5), valor, FormaDebito(),
                        contrato, observacao};
        if (debito.observacao.isEmpty() && debito.forma == 3)
            debito.observacao = QStringLiteral("Parcela %1/12").arg(m_demo.aleatorio.Entre(1, 12));
        debitos.append(debito);
    }

    void Debitos()
    {
        for (int k = 0; k < m_demo.competencias.size(); ++k) {
            const QDate competencia = m_demo.competencias[k];
            for (const TnEstab& estab : std::as_const(m_demo.estabs)) {
                if (!estab.ativo)
                    continue;
                QList<TnDebito> debitos;
                const QList<const TnImposto*> federais = ImpostosDoTipo(1);
                const int quantosFederais = m_demo.aleatorio.Entre(2, 3);
                for (int i = 0; i < quantosFederais; ++i)
                    NovoDebito(debitos, 1, estab.empresa, estab.estab, competencia, federais[m_demo.aleatorio.Entre(0, static_cast<int>(federais.size()) - 1)],
                               m_demo.aleatorio.Entre(5000, 1500000));
                if (m_demo.aleatorio.Chance(50))
                    NovoDebito(debitos, 2, estab.empresa, estab.estab, competencia, m_demo.aleatorio.Escolher(ImpostosDoTipo(2)),
                               m_demo.aleatorio.Entre(10000, 2500000));
                if (m_demo.aleatorio.Chance(70))
                    NovoDebito(debitos, 3, estab.empresa, estab.estab, competencia, m_demo.aleatorio.Escolher(ImpostosDoTipo(3)),
                               m_demo.aleatorio.Entre(3000, 400000));
                if (m_demo.aleatorio.Chance(15))
                    NovoDebito(debitos, 4, estab.empresa, estab.estab, competencia, m_demo.aleatorio.Escolher(ImpostosDoTipo(4)),
                               m_demo.aleatorio.Entre(5000, 60000));
                qint64 folha = 0;
                for (const TnContrato& contrato : m_demo.contratos.value(estab.empresa)) {
                    if (contrato.EstabEm(UltimoDia(competencia)) != estab.estab
                        || contrato.admissao > UltimoDia(competencia)
                        || (contrato.demissao.isValid() && contrato.demissao < competencia))
                        continue;
                    folha += contrato.salario;
                    if (m_demo.aleatorio.Chance(8))
                        NovoDebito(debitos, 10, estab.empresa, estab.estab, competencia, nullptr, contrato.salario * 15 / 100,
                                   contrato.contrato,
                                   m_demo.aleatorio.Chance(50) ? QStringLiteral("Pensão alimentícia") : QStringLiteral("Empréstimo consignado"));
                }
                if (folha > 0) {
                    NovoDebito(debitos, 5, estab.empresa, estab.estab, competencia, ImpostosDoTipo(5).first(), folha * 28 / 100);
                    NovoDebito(debitos, 9, estab.empresa, estab.estab, competencia, ImpostosDoTipo(9).first(), folha * 8 / 100);
                }
                InserirDebitos(debitos);
            }
        }
    }

    void InserirDebitos(const QList<TnDebito>& debitos)
    {
        for (const TnDebito& debito : debitos) {
            QStringList colunas = {"CODIGOEMPRESA", "CHAVEDEBITO" + debito.sufixo, "CODIGOESTAB", "CODIGOIMPOSTO",
                                   "VARIACAOIMPOSTO", "DATALCTOCTR", "DATAFINAL", "VALORDEBITO", "DATAVENCIMENTO",
                                   "FORMADEBITO", "SITUACAODEBITO", "CODIGOTABCTBCTR", "CHAVEORIGEM", "CODIGOUSUARIO",
                                   "DATAHORADEBITO", "OBSERVDEBITO"};
            const bool pago = debito.vencimento < m_demo.opcoes.referencia && m_demo.aleatorio.Chance(80);
            QVariantList valores = {debito.empresa, debito.chave, debito.estab,
                                    debito.imposto ? QVariant(debito.imposto->codigo) : Nulo(),
                                    debito.imposto ? QVariant(debito.imposto->variacao) : Nulo(), debito.lancamento,
                                    debito.lancamento, Dinheiro(debito.valor), debito.vencimento, debito.forma, pago ? 1 : 0,
                                    2100 + debito.tipo, m_demo.aleatorio.Chance(80) ? "APURACAO" : "MANUAL", m_demo.UsuarioEquipe(),
                                    m_demo.Momento(debito.lancamento.addDays(m_demo.aleatorio.Entre(1, 4))),
                                    debito.observacao.isEmpty() ? Nulo() : QVariant(debito.observacao)};
            if (debito.tabela == "DEBITOFOLHA") {
                colunas.append("CODIGOFUNCCONTR");
                valores.append(debito.contrato);
            }
            m_demo.Inserir(debito.tabela, colunas, valores);
        }
    }

private:
    TnSemeadura& m_demo;
    QMap<QPair<QString, int>, qint64> m_chavesDebito;
};

} // namespace

void SemearDebitos(TnSemeadura& demo)
{
    TnDebitosDemo(demo).Semear();
}
