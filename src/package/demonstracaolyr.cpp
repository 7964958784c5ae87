// The module's rows of the demo office, seeded after the host's own:
// the source-type templates, document types and groups, delivery set-up of
// most establishments, routes and archive places, and the protocols an office
// running for months already has (debits, payrolls and boletos of the older
// months, delivered or still open; one cancelled, one with a cancelled item).

#include "calendariodoc.h"
#include "contribuicoeslyr.h"

#include "conexao.h"
#include "decimal.h"
#include "lyrsfuncoes.h"
#include "sqldataset.h"

#include <QDateTime>
#include <QHash>

#include <map>
#include <memory>

namespace {

QVariant Nulo()
{
    return QVariant();
}

// The third working day of the month after the competence: when the guides
// of a month go out.
QDate DiaDeEnvio(const QDate& competencia)
{
    QDate data = competencia.addMonths(1);
    data = QDate(data.year(), data.month(), 3);
    while (data.dayOfWeek() > 5)
        data = data.addDays(1);
    return data;
}

struct TnEstabDemo {
    int empresa;
    int estab;
    bool ativo;
    QString formaEntrega = {};  // empty: not configured
};

struct TnEnderecoEntrega {
    QString rua;
    QString cidade;
    QString uf;
    QString cep;
};

const QList<TnEnderecoEntrega> kEnderecos = {{"Rua Barão de Jaguara", "Campinas", "SP", "13015-001"},
                                             {"Avenida Paulista", "São Paulo", "SP", "01310-100"},
                                             {"Rua do Rosário", "Jundiaí", "SP", "13201-010"}};

class TnDemonstracaoLyr {
public:
    explicit TnDemonstracaoLyr(TnDemonstracaoPacote& demo) : m_demo(demo)
    {
        for (int k = 6; k >= 1; --k) {
            const QDate mes = demo.referencia.addMonths(-k);
            m_competencias.append(QDate(mes.year(), mes.month(), 1));
        }
    }

    void Gerar()
    {
        LerEstabs();
        Modelos();
        Documentos();
        Entrega();
        RotasEArquivo();
        ProtocolosDaFolha();
        ProtocolosDosDebitos();
        ProtocolosDosBoletos();
        ProtocolosCancelados();
        DireitoDoEstagiario();
        DocumentosDasFiliais();
        ConfiguracaoDasRestantes();
        Arquivo();
    }

private:
    void Inserir(const QString& tabela, const QStringList& colunas, const QVariantList& valores)
    {
        m_demo.inserir(tabela, colunas, valores);
    }

    int Entre(int minimo, int maximo) { return m_demo.aleatorio(minimo, maximo); }
    bool Chance(int percentual) { return Entre(1, 100) <= percentual; }
    template <typename T>
    const T& Escolher(const QList<T>& lista)
    {
        return lista[Entre(0, static_cast<int>(lista.size()) - 1)];
    }
    QString NomePessoa() { return m_demo.nomePessoa(); }
    int UsuarioEquipe() { return Entre(2, 8); }
    QDateTime Momento(const QDate& dia) { return QDateTime(dia, QTime(Entre(8, 17), Entre(0, 59), Entre(0, 59))); }

    std::unique_ptr<TnSQLDataSet> Consulta(const QString& comando, const QVariantList& valores = {})
    {
        auto consulta = std::make_unique<TnSQLDataSet>(m_demo.conexao);
        consulta->SetCommandText(comando);
        consulta->SetParamValues(valores);
        consulta->Open();
        return consulta;
    }

    QString FormaDe(int empresa, int estab) const
    {
        const QString forma = m_formas.value({empresa, estab});
        return forma.isEmpty() ? QStringLiteral("2") : forma;
    }

    void LerEstabs()
    {
        auto estabs = Consulta(QStringLiteral("select CODIGOEMPRESA, CODIGOESTAB, ATIVO from ESTAB where CODIGOEMPRESA > 1 "
                                              "order by CODIGOEMPRESA, CODIGOESTAB"));
        for (; !estabs->Eof(); estabs->Next())
            m_estabs.append({estabs->Fields(0).AsInteger(), estabs->Fields(1).AsInteger(), estabs->Fields(2).AsString() == u"1"});
    }

    void Modelos()
    {
        const QList<QPair<int, QString>> modelos = {
            {1, "[DESCRPROTOCOLO] - Competência [COMPETENCIA] - Vencimento [DATAVENCIMENTO]"},
            {2, "[DESCRPROTOCOLO] - Competência [COMPETENCIA]"},
            {3, "[DESCRPROTOCOLO] - Competência [COMPETENCIA]"},
            {4, "[DESCRIMPOSTO] - Competência [COMPETENCIA]"},
            {5, "GPS - Competência [COMPETENCIA] - Vencimento [DATAVENCIMENTO]"},
            {6, "Folha de Pagamento [QUANTIDADE][CodigoFuncContr] [NOMEFUNC]"},
            {7, "Rescisão [CodigoFuncContr] - [NOMEFUNC] - Data [DATARESC]"},
            {8, "Recibo de Férias - [NOMEFUNC] - [DATAINICIALFERIAS] a [DATAFINALFERIAS]"},
            {9, "FGTS - Competência [COMPETENCIA] - Vencimento [DATAVENCIMENTO]"},
            {10, "Débito de Folha - [CodigoFuncContr] [NOMEFUNC] - [OBSERVDEBITO]"},
            {11, "Nota Fiscal [SERIENS]-[NUMERONS] de [DATAEMISSAONS] ([VISTAPRAZO])"},
            {12, "Boleto [NUMERODCTOCR] - Vencimento [DATAVCTOCR]"},
        };
        for (const auto& [tipo, modelo] : modelos)
            Inserir("CFGTIPOPROTOCOLO", {"CODIGOTIPOPROTOCOLO", "DESCRTIPOPROTOCOLO"}, {tipo, modelo});
        const QList<QPair<QString, QString>> historicos = {
            {"Guias de impostos federais da competência", "0"},
            {"Guias de impostos estaduais e municipais", "0"},
            {"Folha de pagamento, holerites e recibos", "0"},
            {"Extratos bancários originais devolvidos", "0"},
            {"Documentos para assinatura do responsável: ", "1"},
            {"Termo de rescisão do contrato de trabalho de ", "1"},
            {"Contrato social e alterações contratuais", "0"},
            {"Declarações entregues: ", "1"},
        };
        for (int i = 0; i < historicos.size(); ++i)
            Inserir("HISTORICOPRO", {"CODIGOHISTPRO", "DESCRISAOHISTPRO", "TEMCOMPLEMENTOHISTORICO"},
                    {i + 1, historicos[i].first, historicos[i].second});
    }

    void Documentos()
    {
        struct TnTipoDoc {
            QString descricao;
            int descarte;
            QString gerarAuto;
            int periodo;
            QString meses;
            QString envelope;
        };
        const QString todos = QStringLiteral("1;2;3;4;5;6;7;8;9;10;11;12");
        const QList<TnTipoDoc> tipos = {
            {"Extrato Bancário", 1825, "1", 1, todos, "1"},
            {"Notas Fiscais de Entrada", 1825, "1", 1, todos, "1"},
            {"Notas Fiscais de Saída", 1825, "1", 1, todos, "1"},
            {"Folha de Ponto", 1825, "1", 1, todos, "0"},
            {"Recibos de Despesas", 1825, "1", 3, todos, "0"},
            {"Comprovantes de Pagamento", 1825, "1", 2, todos, "0"},
            {"Livro Caixa", 3650, "0", 0, QString(), "1"},
            {"Contrato Social", 0, "0", 0, QString(), "0"},
            {"Inventário de Estoque", 1825, "1", 1, "12", "1"},
            {"Informe de Rendimentos", 1825, "1", 1, "2", "0"},
            {"Extrato de Cartão de Crédito", 1825, "1", 1, todos, "0"},
            {"Extrato de Aplicações", 1825, "1", 1, todos, "0"},
            {"Notas Fiscais de Serviços Tomados", 1825, "1", 1, todos, "1"},
            {"Notas Fiscais de Serviços Prestados", 1825, "1", 1, todos, "1"},
            {"Relatório de Vendas", 1825, "1", 1, todos, "0"},
            {"Controle de Estoque", 1825, "1", 1, todos, "0"},
            {"Duplicatas a Receber", 1825, "1", 1, todos, "0"},
            {"Duplicatas a Pagar", 1825, "1", 1, todos, "0"},
            {"Contas de Consumo", 1825, "1", 1, todos, "0"},
            {"Boletos Pagos", 1825, "1", 2, todos, "0"},
            {"Cupons Fiscais", 1825, "1", 3, todos, "1"},
            {"Relatório de Caixa", 1825, "1", 3, todos, "0"},
            {"Comprovantes de Depósito", 1825, "1", 2, todos, "0"},
            {"Atestados Médicos", 1825, "1", 1, todos, "0"},
            {"Vales-Transporte", 1825, "1", 1, todos, "0"},
            {"Horas Extras", 1825, "1", 2, todos, "0"},
            {"Documentos de Admissão", 7300, "0", 0, QString(), "1"},
            {"Documentos de Rescisão", 7300, "0", 0, QString(), "1"},
            {"Avisos e Recibos de Férias", 1825, "1", 1, todos, "0"},
            {"Contrato de Aluguel", 3650, "0", 0, QString(), "0"},
            {"Recibo de Aluguel", 1825, "1", 1, todos, "0"},
            {"Carnê do IPTU", 1825, "1", 1, "2", "0"},
            {"IPVA dos Veículos", 1825, "1", 1, "1", "0"},
            {"Licenciamento dos Veículos", 1825, "1", 1, "4", "0"},
            {"Alvará de Funcionamento", 1825, "1", 1, "3", "0"},
            {"Certidões Negativas", 730, "1", 1, "3;6;9;12", "0"},
            {"Balancete do Cliente", 1825, "1", 1, "3;6;9;12", "0"},
            {"Declaração de Faturamento", 1825, "1", 1, todos, "0"},
            {"Relatório de Comissões", 1825, "1", 1, todos, "0"},
            {"Notas de Importação", 1825, "1", 1, todos, "1"},
        };
        for (int i = 0; i < tipos.size(); ++i) {
            const TnTipoDoc& tipo = tipos[i];
            Inserir("PROTOCOLOTIPODOC",
                    {"CODIGOTIPODOC", "DESCRTIPODOC", "PERIODODIASDESCARTE", "GERARAUTO", "PERIODODOC", "MESOCORRENCIA", "GERARENVELOPE"},
                    {i + 1, tipo.descricao, tipo.descarte, tipo.gerarAuto, tipo.periodo,
                     tipo.meses.isEmpty() ? Nulo() : QVariant(tipo.meses), tipo.envelope});
        }
        // From 10 types (a small client of the Simples Nacional) to all 40 (an industry).
        QList<int> todosOsTipos;
        for (int tipo = 1; tipo <= static_cast<int>(tipos.size()); ++tipo)
            todosOsTipos.append(tipo);
        const QList<QPair<QString, QList<int>>> grupos = {
            {"Comércio", {1, 2, 3, 4, 6, 9, 11, 12, 15, 16, 17, 18, 19, 20, 21, 22, 25, 26, 31, 32, 35, 38}},
            {"Serviços", {1, 3, 4, 5, 6, 11, 13, 14, 19, 24, 25, 33, 38, 39}},
            {"Indústria", todosOsTipos},
            {"Simples Nacional", {1, 3, 6, 10, 11, 19, 20, 28, 36, 38}},
        };
        for (int g = 0; g < grupos.size(); ++g) {
            Inserir("PROTOCOLOGRUPODOC", {"CODIGOGRUPODOC", "DESCRGRUPODOC"}, {g + 1, grupos[g].first});
            for (int tipo : grupos[g].second)
                Inserir("PROTOCOLOGRUPOTIPODOC", {"CODIGOGRUPODOC", "CODIGOTIPODOC"}, {g + 1, tipo});
        }
    }

    void Entrega()
    {
        const QStringList colunas = {"CODIGOEMPRESA", "CODIGOESTAB", "CODIGOGRUPODOC", "FORMAENTREGA", "MESMOENDERECOENT"};
        // The office's own establishments receive the protocols of the
        // invoices and boletos of clients not linked to a company.
        for (int estab = 1; estab <= 2; ++estab)
            Inserir("CFGESTABPRO", colunas, {1, estab, 2, "1", "1"});
        // Most establishments are configured; a few are left for the office to set up.
        for (TnEstabDemo& estab : m_estabs) {
            if (!estab.ativo || Chance(12))
                continue;
            const int sorteio = Entre(1, 100);
            estab.formaEntrega = sorteio <= 45 ? "1" : (sorteio <= 80 ? "2" : "3");
            m_formas.insert({estab.empresa, estab.estab}, estab.formaEntrega);
            const bool mesmoEndereco = estab.formaEntrega != "2" || !Chance(20);
            Inserir("CFGESTABPRO", colunas, {estab.empresa, estab.estab, Entre(1, 4), estab.formaEntrega, mesmoEndereco ? "1" : "0"});
            if (!mesmoEndereco) {
                const TnEnderecoEntrega& endereco = Escolher(kEnderecos);
                Inserir("ESTABENTREGA",
                        {"CODIGOEMPRESA", "CODIGOESTAB", "ENDERECO", "NUMERO", "BAIRRO", "CIDADE", "UF", "CEP", "CONTATO", "TELEFONE"},
                        {estab.empresa, estab.estab, endereco.rua, QString::number(Entre(1, 999)), "Centro", endereco.cidade,
                         endereco.uf, endereco.cep, NomePessoa(), "(11) 99876-5432"});
            }
            if (Chance(50)) {
                const int pessoas = Entre(1, 2);
                for (int seq = 1; seq <= pessoas; ++seq)
                    Inserir("PROTOCOLORESPESTAB", {"CODIGOEMPRESA", "CODIGOESTAB", "SEQ", "NOMERESPONSAVEL"},
                            {estab.empresa, estab.estab, seq, NomePessoa()});
            }
        }
    }

    void RotasEArquivo()
    {
        const QStringList rotas = {"Centro", "Zona Norte", "Campinas e Jundiaí"};
        for (int r = 0; r < rotas.size(); ++r)
            Inserir("PROTOCOLOROTA", {"CODIGOROTA", "DESCRROTA"}, {r + 1, "Rota " + rotas[r]});
        QHash<int, int> paradas;
        for (const TnEstabDemo& estab : std::as_const(m_estabs)) {
            if (estab.formaEntrega != "2")
                continue;
            const int rota = Entre(1, static_cast<int>(rotas.size()));
            Inserir("PROTOCOLOROTAENTREGA", {"CODIGOROTA", "SEQROTA", "CODIGOEMPRESA", "CODIGOESTAB", "OBSERVACAO"},
                    {rota, ++paradas[rota], estab.empresa, estab.estab, Chance(25) ? QVariant(QStringLiteral("Entregar na recepção")) : Nulo()});
        }
        Inserir("PROTOCOLOLOCALCAIXA", {"CODIGOLOCAL", "DESCRLOCAL"}, {1, "Arquivo - Sala 1"});
        Inserir("PROTOCOLOLOCALCAIXA", {"CODIGOLOCAL", "DESCRLOCAL"}, {2, "Depósito externo"});
    }

    qint64 NovoProtocolo(int empresa, int estab, const QDate& data, bool baixado, const QString& observacao)
    {
        const qint64 codigo = ++m_ultimoProtocolo;
        const QDateTime entrega = Momento(data.addDays(Entre(1, 5)));
        Inserir("PROTOCOLO",
                {"CODIGOPROTOCOLO", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "TIPOPRO", "OBSERVACAO",
                 "DATAHORACADASTRO", "CODIGOUSUARIO", "FORMAENTREGA", "NATUREZAPRO", "DATAHORAENTREGA",
                 "CODIGOUSUARIOINT", "USUARIOEXT", "DATAHORABAIXA", "CANCELADO", "ORIGEMDADO"},
                {codigo, empresa, estab, data, "1", observacao, Momento(data), UsuarioEquipe(), FormaDe(empresa, estab), "1",
                 baixado ? QVariant(entrega) : Nulo(), baixado ? QVariant(UsuarioEquipe()) : Nulo(),
                 baixado ? QVariant(NomePessoa().left(50)) : Nulo(), baixado ? QVariant(entrega) : Nulo(), "0", 1});
        return codigo;
    }

    int NovoItem(qint64 protocolo, const QDate& data, const QString& descricao, const QDate& competencia, const QVariant& vencimento,
                 const QVariant& valor, const QVariant& imposto, const QVariant& variacao, const QString& chaveOrigem)
    {
        const int seq = ++m_itens[protocolo];
        Inserir("PROTOCOLOITEM",
                {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "COMPETENCIA", "DATALCTOPRO", "VENCIMENTO", "VALOR",
                 "CODIGOIMPOSTO", "VARIACAOIMPOSTO", "CODIGODOCEMP", "CODIGOFUNCCONTR", "CANCELADO", "CHAVEORIGEM",
                 "CODIGOUSUARIO", "DATAHORACADASTRO", "ORIGEMDADO"},
                {protocolo, seq, descricao.left(200), competencia, data, vencimento, valor, imposto, variacao, Nulo(), Nulo(), "0",
                 chaveOrigem, UsuarioEquipe(), Momento(data), 1});
        return seq;
    }

    // Two months ago some companies' payrolls already went out in an open
    // protocol per establishment.
    void ProtocolosDaFolha()
    {
        const QDate competencia = m_competencias[m_competencias.size() - 2];
        auto folhas = Consulta(QStringLiteral(
            "select P.CODIGOEMPRESA, FL.CODIGOESTAB, P.DATAPGTO, sum(E.VALOREVENTO) from PERIODOCALCULO P "
            "join FUNCPERCALCULO F on F.CODIGOEMPRESA = P.CODIGOEMPRESA and F.CODIGOPERCALCULO = P.CODIGOPERCALCULO "
            "join FUNCLOCAL FL on FL.CODIGOEMPRESA = F.CODIGOEMPRESA and FL.CODIGOFUNCCONTR = F.CODIGOFUNCCONTR "
            "and FL.DATATRANSF = F.DATALOCAL "
            "join CALCULOEVENTO E on E.CODIGOEMPRESA = F.CODIGOEMPRESA and E.CODIGOPERCALCULO = F.CODIGOPERCALCULO "
            "and E.CODIGOFUNCCONTR = F.CODIGOFUNCCONTR and E.CODIGOEVENTO = 5020 "
            "where P.COMPETENCIA = :c group by P.CODIGOEMPRESA, FL.CODIGOESTAB, P.DATAPGTO order by P.CODIGOEMPRESA, FL.CODIGOESTAB"),
            {competencia});
        int empresa = 0;
        bool protocolar = false;
        for (; !folhas->Eof(); folhas->Next()) {
            if (folhas->Fields(0).AsInteger() != empresa) {
                empresa = folhas->Fields(0).AsInteger();
                protocolar = Chance(30);
            }
            if (!protocolar)
                continue;
            const QDate pagamento = folhas->Fields(2).AsDate();
            const QDate data = pagamento.addDays(-1);
            const qint64 protocolo = NovoProtocolo(empresa, folhas->Fields(1).AsInteger(), data, false, "Folha " + competencia.toString("MM/yyyy"));
            NovoItem(protocolo, data, "Folha de Pagamento " + competencia.toString("MM/yyyy"), competencia, pagamento,
                     folhas->Fields(3).Value(), Nulo(), Nulo(), "FPA");
        }
    }

    // Older competences were partly delivered already: the guides of a month
    // of a configured establishment in one protocol, handed over when older still.
    void ProtocolosDosDebitos()
    {
        for (int k = 0; k < m_competencias.size(); ++k) {
            const int mesesAtras = static_cast<int>(m_competencias.size()) - k;
            if (mesesAtras < 3)
                continue;
            const QDate competencia = m_competencias[k];
            const QDate fim(competencia.year(), competencia.month(), competencia.daysInMonth());
            for (const TnEstabDemo& estab : std::as_const(m_estabs)) {
                if (estab.formaEntrega.isEmpty() || !Chance(60))
                    continue;
                qint64 protocolo = 0;
                const QDate data = DiaDeEnvio(competencia);
                for (const TnTabelaDebito& tabela : TabelasDebito()) {
                    if (tabela.tipo == 10)
                        continue;  // payroll debits go with the payroll
                    auto debitos = Consulta(
                        QStringLiteral("select D.CHAVEDEBITO%1, D.CODIGOIMPOSTO, D.VARIACAOIMPOSTO, D.DATAVENCIMENTO, D.VALORDEBITO, "
                                       "I.DESCRPROTOCOLO from %2 D join IMPOSTO I on I.CODIGOIMPOSTO = D.CODIGOIMPOSTO "
                                       "and I.VARIACAOIMPOSTO = D.VARIACAOIMPOSTO where D.CODIGOEMPRESA = :e and D.CODIGOESTAB = :f "
                                       "and D.DATALCTOCTR = :d and D.FORMADEBITO in (0, 2) order by D.CHAVEDEBITO%1")
                            .arg(tabela.sufixo, tabela.tabela),
                        {estab.empresa, estab.estab, fim});
                    for (; !debitos->Eof(); debitos->Next()) {
                        if (protocolo == 0)
                            protocolo = NovoProtocolo(estab.empresa, estab.estab, data, mesesAtras >= 4, "Guias " + competencia.toString("MM/yyyy"));
                        const qint64 chave = debitos->Fields(0).AsLargeInt();
                        NovoItem(protocolo, data,
                                 QStringLiteral("%1 - Competência %2").arg(debitos->Fields(5).AsString(), competencia.toString("MM/yyyy")),
                                 competencia, debitos->Fields(3).Value(), debitos->Fields(4).Value(), debitos->Fields(1).Value(),
                                 debitos->Fields(2).Value(), MontarChaveOrigem(tabela.tipo, estab.empresa, chave));
                        Marcar(tabela.tabela, QStringLiteral("CODIGOEMPRESA = :e and CHAVEDEBITO%1 = :c").arg(tabela.sufixo),
                               {protocolo, estab.empresa, chave});
                    }
                }
            }
        }
    }

    // Half of the boletos of the older months of clients linked to a
    // company went out, delivered, in a protocol of their own.
    void ProtocolosDosBoletos()
    {
        const QDate limite = m_competencias[m_competencias.size() - 4].addMonths(1);
        auto boletos = Consulta(QStringLiteral(
            "select C.CODIGOESCRIT, C.NUMERODCTOCR, C.DATAEMISSAOCR, C.DATAVCTOCR, C.VALORCR, P.CODIGOEMPRESA, P.CODIGOESTAB "
            "from CONTARECEBER C join PESSOAFINANCEIRO P on P.CODIGOPESSOAFIN = C.CODIGOCLIENTE "
            "where C.NOSSONUMERO > 0 and C.DATAEMISSAOCR < :l and P.CODIGOEMPRESA > 0 "
            "order by C.DATAEMISSAOCR, C.CODIGOESCRIT, C.NUMERODCTOCR"),
            {limite});
        for (; !boletos->Eof(); boletos->Next()) {
            if (!Chance(50))
                continue;
            const int escritorio = boletos->Fields(0).AsInteger();
            const int documento = boletos->Fields(1).AsInteger();
            const QDate emissao = boletos->Fields(2).AsDate();
            const QDate vencimento = boletos->Fields(3).AsDate();
            const QDate data = emissao.addDays(1);
            const qint64 protocolo = NovoProtocolo(boletos->Fields(5).AsInteger(), boletos->Fields(6).AsInteger(), data, true,
                                                   "Boleto de honorários");
            const int seq = NovoItem(protocolo, data,
                                     QStringLiteral("Boleto %1 - Vencimento %2").arg(documento).arg(vencimento.toString("dd/MM/yyyy")),
                                     QDate(emissao.year(), emissao.month(), 1), vencimento, boletos->Fields(4).Value(), Nulo(), Nulo(),
                                     QStringLiteral("FIN;12;%1;%2").arg(escritorio).arg(documento));
            Marcar(QStringLiteral("CONTARECEBER"), QStringLiteral("CODIGOESCRIT = :e and NUMERODCTOCR = :n"),
                   {protocolo, escritorio, documento}, seq);
        }
    }

    // The host's row (debit, boleto) delivered in the protocol: the
    // statement of each table prepared once, bound per row.
    void Marcar(const QString& tabela, const QString& condicao, const QVariantList& valores, int seq = 0)
    {
        std::unique_ptr<TnSQLDataSet>& alteracao = m_marcacoes[tabela];
        if (!alteracao) {
            alteracao = std::make_unique<TnSQLDataSet>(m_demo.conexao);
            alteracao->SetCommandText(QStringLiteral("update %1 set CODIGOPROTOCOLO = :p%2 where %3")
                                          .arg(tabela, seq ? QStringLiteral(", SEQITEMPRO = :s") : QString(), condicao));
        }
        QVariantList parametros = valores;
        if (seq)
            parametros.insert(1, seq);
        alteracao->SetParamValues(parametros);
        alteracao->ExecSQL();
    }

    // Some protocols went wrong: one cancelled whole, one with a cancelled item.
    void ProtocolosCancelados()
    {
        auto abertos = Consulta(QStringLiteral(
            "select P.CODIGOPROTOCOLO, count(*) from PROTOCOLO P join PROTOCOLOITEM I on I.CODIGOPROTOCOLO = P.CODIGOPROTOCOLO "
            "where P.DATAHORABAIXA is null group by P.CODIGOPROTOCOLO order by P.CODIGOPROTOCOLO"));
        qint64 cancelado = 0;
        qint64 comItemCancelado = 0;
        for (; !abertos->Eof(); abertos->Next()) {
            if (cancelado == 0 && abertos->Fields(1).AsInteger() == 1)
                cancelado = abertos->Fields(0).AsLargeInt();
            else if (comItemCancelado == 0 && abertos->Fields(1).AsInteger() > 1)
                comItemCancelado = abertos->Fields(0).AsLargeInt();
        }
        TnSQLDataSet alteracao(m_demo.conexao);
        if (cancelado != 0) {
            alteracao.SetCommandText(QStringLiteral("update PROTOCOLOITEM set CANCELADO = '1' where CODIGOPROTOCOLO = :p"));
            alteracao.SetParamValues({cancelado});
            alteracao.ExecSQL();
            alteracao.SetCommandText(QStringLiteral("update PROTOCOLO set CANCELADO = '1' where CODIGOPROTOCOLO = :p"));
            alteracao.SetParamValues({cancelado});
            alteracao.ExecSQL();
        }
        if (comItemCancelado != 0) {
            alteracao.SetCommandText(QStringLiteral("update PROTOCOLOITEM set CANCELADO = '1' where CODIGOPROTOCOLO = :p and SEQITEMPRO = 1"));
            alteracao.SetParamValues({comItemCancelado});
            alteracao.ExecSQL();
        }
    }

    // The newest of the office's staff, a trainee, may not change protocols.
    void DireitoDoEstagiario()
    {
        auto ultimo = Consulta(QStringLiteral("select max(CODIGOUSUARIO) from USUARIO where ADMINISTRADOR = '0'"));
        if (!ultimo->Fields(0).IsNull())
            Inserir("USUARIODIREITO", {"CODIGOUSUARIO", "NOMEDIREITO", "PERMITIDO"}, {ultimo->Fields(0).AsInteger(), "DireitoAltProtocolo", "0"});
    }

    // The papers of the last three months and of this one: a share of the
    // documents each client was expected to hand in (the rest still pending),
    // most received at the reception and passed on
    // to a department, some already handed back to the client with a
    // protocol made on the spot; and a contract kept by some clients.
    void DocumentosDasFiliais()
    {
        enum { Fiscal = 1, Pessoal = 2, Contabil = 3, Recepcao = 5 };
        auto configuradas = Consulta(QStringLiteral(
            "select C.CODIGOEMPRESA, C.CODIGOESTAB, T.CODIGOTIPODOC, T.PERIODODOC, T.MESOCORRENCIA, T.DESCRTIPODOC from CFGESTABPRO C "
            "join PROTOCOLOGRUPOTIPODOC G on G.CODIGOGRUPODOC = C.CODIGOGRUPODOC "
            "join PROTOCOLOTIPODOC T on T.CODIGOTIPODOC = G.CODIGOTIPODOC and T.GERARAUTO = '1' "
            "where C.CODIGOEMPRESA > 1 order by C.CODIGOEMPRESA, C.CODIGOESTAB, T.CODIGOTIPODOC"));
        const QStringList colunas = {"CODIGODOCEMP", "CODIGOTIPODOC", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "DESCRDOCEMP",
                                     "ARQUIVADO", "ORIGEMDADO"};
        const QStringList movimento = {"CODIGODOCEMP", "SEQDOCEMP", "OBSERVACAO", "TIPOLOCAL", "CODIGODPTOESCRIT", "CODIGOUSUARIORESP",
                                       "CODIGOPROTOCOLO", "DATALCTOPRO", "DATAHORA", "CODIGOUSUARIO", "ORIGEMDADO"};
        // The share of the expected documents already handed in, by month:
        // nearly all three months ago, few yet this month.
        const QDate atual(m_demo.referencia.year(), m_demo.referencia.month(), 1);
        const QList<QPair<QDate, int>> recebidos = {
            {m_competencias[3], 97}, {m_competencias[4], 88}, {m_competencias[5], 70}, {atual, 30}};
        qint64 documento = 0;
        QPair<int, int> ultimaFilial;
        for (; !configuradas->Eof(); configuradas->Next()) {
            const int empresa = configuradas->Fields(0).AsInteger();
            const int estab = configuradas->Fields(1).AsInteger();
            for (int k = 0; k < recebidos.size(); ++k) {
                const QDate mes = recebidos[k].first;
                if (!CalendarioDoc::OcorreNoMes(configuradas->Fields(4).AsString(), mes.month()))
                    continue;
                for (const QDate& data : CalendarioDoc::DatasDoPeriodo(configuradas->Fields(3).AsInteger(), mes)) {
                    if (data > m_demo.referencia || !Chance(recebidos[k].second))
                        continue;
                    Inserir("PROTOCOLODOCEMP", colunas,
                            {++documento, configuradas->Fields(2).AsInteger(), empresa, estab, data, configuradas->Fields(5).AsString(), "0", 1});
                    if (!Chance(70))
                        continue;
                    QDate quando = data.addDays(Entre(3, 12));
                    int seq = 0;
                    const auto mover = [&](const QString& local, const QVariant& departamento, const QVariant& protocolo, const QString& obs) {
                        Inserir("PROTOCOLODOCMOVIMENTO", movimento,
                                {documento, ++seq, obs.isEmpty() ? Nulo() : QVariant(obs), local, departamento, Nulo(), protocolo, data,
                                 Momento(quando), UsuarioEquipe(), 2});
                        quando = quando.addDays(Entre(1, 6));
                    };
                    mover("1", Recepcao, Nulo(), "Recebido do cliente");
                    if (!Chance(60))
                        continue;
                    mover("1", Escolher(QList<int>{Fiscal, Pessoal, Contabil}), Nulo(), QString());
                    if (!Chance(25))
                        continue;
                    const qint64 protocolo = NovoProtocolo(empresa, estab, quando, Chance(70), configuradas->Fields(5).AsString());
                    Inserir("PROTOCOLOITEM",
                            {"CODIGOPROTOCOLO", "SEQITEMPRO", "DESCRITEM", "DATALCTOPRO", "CODIGODOCEMP", "CANCELADO", "CODIGOUSUARIO",
                             "DATAHORACADASTRO", "ORIGEMDADO"},
                            {protocolo, ++m_itens[protocolo], "Devolução ao cliente", quando, documento, "0", UsuarioEquipe(), Momento(quando), 1});
                    mover("2", Nulo(), protocolo, "Devolução ao cliente");
                }
            }
            // One contract per establishment for some clients, kept at the office.
            if (ultimaFilial != QPair<int, int>{empresa, estab} && Chance(15)) {
                Inserir("PROTOCOLODOCEMP", colunas,
                        {++documento, 8, empresa, estab, m_competencias.first(), "Contrato Social e alterações", "0", 2});
                Inserir("PROTOCOLODOCMOVIMENTO", movimento,
                        {documento, 1, "Guardado no arquivo", "1", 6, Nulo(), Nulo(), m_competencias.first(),
                         Momento(m_competencias.first()), UsuarioEquipe(), 2});
                // Some lent out lately, to a bank or a notary; a few overdue.
                if (Chance(50)) {
                    const QDate saida = m_demo.referencia.addDays(-Entre(5, 40));
                    Inserir("PROTOCOLODOCMOVIMENTO", movimento + QStringList{"DATARETORNOPREV", "RESPRETORNO"},
                            {documento, 2, "Emprestado para abertura de conta", "2", Nulo(), Nulo(), Nulo(), m_competencias.first(),
                             Momento(saida), UsuarioEquipe(), 2, saida.addDays(Entre(10, 45)),
                             Escolher(QList<QString>{"Banco do Brasil", "Caixa Econômica", "1º Tabelionato de Notas", NomePessoa()})});
                }
            }
            ultimaFilial = {empresa, estab};
        }
    }

    // The active establishments left without a delivery configuration are
    // configured too (new clients, nothing handed in yet): every client owes
    // its documents.
    void ConfiguracaoDasRestantes()
    {
        for (TnEstabDemo& estab : m_estabs) {
            if (!estab.ativo || !estab.formaEntrega.isEmpty())
                continue;
            estab.formaEntrega = QString::number(Entre(1, 3));
            Inserir("CFGESTABPRO", {"CODIGOEMPRESA", "CODIGOESTAB", "CODIGOGRUPODOC", "FORMAENTREGA", "MESMOENDERECOENT"},
                    {estab.empresa, estab.estab, Entre(1, 4), estab.formaEntrega, "1"});
        }
    }

    // The paper archive of some clients: a box of the papers of seven years
    // ago (past their discard date) in the outside store and a box of last
    // year's in the office, each with an envelope per type, every document
    // in it archived with its archiving movement.
    void Arquivo()
    {
        qint64 documento = Consulta(QStringLiteral("select max(CODIGODOCEMP) from PROTOCOLODOCEMP"))->Fields(0).AsLargeInt();
        int caixa = 0;
        const QList<int> tipos = {1, 2, 3, 5, 36};  // statements, invoices in and out, receipts, clearance certificates
        const QStringList colunasDoc = {"CODIGODOCEMP", "CODIGOTIPODOC", "CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOPRO", "DESCRDOCEMP",
                                        "ARQUIVADO", "ORIGEMDADO"};
        const QStringList colunasMov = {"CODIGODOCEMP", "SEQDOCEMP", "OBSERVACAO", "TIPOLOCAL", "DATALCTOPRO", "DATAHORA", "CODIGOUSUARIO",
                                        "ORIGEMDADO"};
        for (const TnEstabDemo& estab : std::as_const(m_estabs)) {
            if (!estab.ativo || !Chance(40))
                continue;
            for (const int anosAtras : {7, 1}) {
                const QDate inicio(m_demo.referencia.year() - anosAtras, 1, 1);
                const QDate fim(inicio.year(), 12, 31);
                ++caixa;
                Inserir("PROTOCOLODOCCAIXA", {"CODIGOCAIXA", "CODIGOEMPRESA", "CODIGOESTAB", "COMPETINICIAL", "COMPETFINAL", "CODIGOLOCAL"},
                        {caixa, estab.empresa, estab.estab, inicio, fim, anosAtras > 1 ? 2 : 1});
                const QDateTime arquivado(QDate(inicio.year() + 1, 2, Entre(1, 28)), QTime(Entre(8, 17), Entre(0, 59)));
                for (int envelope = 1; envelope <= tipos.size(); ++envelope) {
                    const int tipo = tipos[envelope - 1];
                    Inserir("PROTOCOLODOCENVELOPE", {"CODIGOCAIXA", "CODIGOENVELOPE", "DESCRENVELOPE"},
                            {caixa, envelope, QStringLiteral("%1 de %2").arg(tipo == 36 ? "Certidões" : tipo == 5 ? "Recibos" : "Extratos e notas")
                                                  .arg(inicio.year())});
                    for (int mes = 1; mes <= 12; mes += Entre(1, 3)) {
                        const QDate data(inicio.year(), mes, 1);
                        Inserir("PROTOCOLODOCEMP", colunasDoc, {++documento, tipo, estab.empresa, estab.estab, data, Nulo(), "1", 2});
                        Inserir("PROTOCOLODOCARQUIVO", {"CODIGOCAIXA", "CODIGOENVELOPE", "CODIGODOCEMP"}, {caixa, envelope, documento});
                        Inserir("PROTOCOLODOCMOVIMENTO", colunasMov,
                                {documento, 1, QStringLiteral("Arquivado em %1  -  Caixa %2").arg(arquivado.toString("dd/MM/yyyy HH:mm")).arg(caixa),
                                 "1", data, arquivado, UsuarioEquipe(), 2});
                    }
                }
            }
        }
    }

    TnDemonstracaoPacote& m_demo;
    QList<QDate> m_competencias;  // first days of the last six months, oldest first
    QList<TnEstabDemo> m_estabs;  // client establishments
    QHash<QPair<int, int>, QString> m_formas;
    QHash<qint64, int> m_itens;
    std::map<QString, std::unique_ptr<TnSQLDataSet>> m_marcacoes;
    qint64 m_ultimoProtocolo = 0;
};

} // namespace

void DemonstracaoLyr(TnDemonstracaoPacote& demonstracao)
{
    TnDemonstracaoLyr(demonstracao).Gerar();
}
