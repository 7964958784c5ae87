#include "demonstracao.h"

#include "cnpjcpf.h"

#include "aleatorio.h"
#include "conexao.h"
#include "decimal.h"
#include "erros.h"
#include "pacote.h"
#include "insercoespreparadas.h"
#include "lyrsfuncoes.h"
#include "senha.h"
#include "sqldataset.h"

#include <QCryptographicHash>
#include <QHash>
#include <QMap>

namespace {

QVariant Nulo()
{
    return QVariant();
}

QVariant Dinheiro(qint64 centavos)
{
    return QVariant::fromValue(TnDecimal(centavos, 2));
}

QDate UltimoDia(const QDate& dia)
{
    return QDate(dia.year(), dia.month(), dia.daysInMonth());
}

// The day of the month, moved to the next Monday when it falls on a weekend.
QDate DiaUtil(int ano, int mes, int dia)
{
    QDate data(ano, mes, std::min(dia, QDate(ano, mes, 1).daysInMonth()));
    while (data.dayOfWeek() > 5)
        data = data.addDays(1);
    return data;
}

QDate DiaUtilDoMesSeguinte(const QDate& competencia, int dia)
{
    const QDate seguinte = competencia.addMonths(1);
    return DiaUtil(seguinte.year(), seguinte.month(), dia);
}

QString Cnpj(int raiz, int filial)
{
    return CnpjCpf::ComDigitos(QStringLiteral("%1%2").arg(raiz, 8, 10, QChar(u'0')).arg(filial, 4, 10, QChar(u'0')));
}

QString Cpf(int numero)
{
    return CnpjCpf::ComDigitos(QStringLiteral("%1").arg(numero, 9, 10, QChar(u'0')));
}

const QList<QString> kRamos = {"Padaria", "Comercial", "Transportes", "Auto Peças", "Clínica", "Construtora",
                                "Restaurante", "Farmácia", "Mercado", "Oficina Mecânica", "Distribuidora",
                                "Confecções", "Papelaria", "Academia", "Escola", "Pet Shop", "Imobiliária",
                                "Laboratório", "Gráfica", "Serralheria"};
const QList<QString> kSobrenomes = {"Silva", "Souza", "Oliveira", "Santos", "Pereira", "Lima", "Costa", "Almeida",
                                     "Ferreira", "Rodrigues", "Gomes", "Martins", "Araújo", "Barbosa", "Ribeiro",
                                     "Carvalho", "Rocha", "Dias", "Teixeira", "Moreira", "D'Ávila", "Nogueira"};
const QList<QString> kNomes = {"Ana", "João", "Maria", "José", "Francisca", "Antônio", "Adriana", "Carlos",
                                "Juliana", "Paulo", "Márcia", "Pedro", "Fernanda", "Lucas", "Patrícia", "Marcos",
                                "Aline", "Rafael", "Camila", "Bruno", "Letícia", "Gabriel", "Sandra", "Rodrigo"};
const QList<QString> kSufixos = {"Ltda", "Ltda", "ME", "EIRELI", "S/A"};
struct TnCidade {
    QString nome;
    QString uf;
    QString cep;
};
const QList<TnCidade> kCidades = {{"São Paulo", "SP", "01310-100"}, {"Campinas", "SP", "13015-000"},
                                  {"Santo André", "SP", "09010-000"}, {"Jundiaí", "SP", "13201-000"},
                                  {"Sorocaba", "SP", "18035-000"},   {"Guarulhos", "SP", "07010-000"}};
const QList<QString> kRuas = {"Rua das Flores", "Avenida Brasil", "Rua XV de Novembro", "Rua Sete de Setembro",
                               "Avenida Paulista", "Rua Tiradentes", "Rua Dom Pedro II", "Avenida Getúlio Vargas"};
const QList<QString> kCargos = {"Auxiliar Administrativo", "Vendedor", "Motorista", "Recepcionista",
                                 "Gerente", "Auxiliar de Produção", "Técnico", "Atendente", "Analista"};

struct TnImposto {
    int codigo;
    int variacao;
    int tipo;  // source type of its debits
    QString descricao;
    QString descricaoProtocolo;
    QString receita;
    int vencimento;  // day of the month after the competence
};

const QList<TnImposto> kImpostos = {
    {1, 1, 1, "IRPJ - Lucro Presumido", "DARF IRPJ", "2089", 28},
    {1, 2, 1, "IRPJ - Estimativa Mensal", "DARF IRPJ Estimativa", "5993", 28},
    {2, 1, 1, "CSLL - Lucro Presumido", "DARF CSLL", "2372", 28},
    {3, 1, 1, "PIS - Faturamento", "DARF PIS", "8109", 25},
    {4, 1, 1, "COFINS - Faturamento", "DARF COFINS", "2172", 25},
    {5, 1, 1, "IRRF - Trabalho Assalariado", "DARF IRRF Folha", "0561", 20},
    {5, 2, 1, "IRRF - Serviços de Terceiros", "DARF IRRF Serviços", "1708", 20},
    {20, 1, 2, "ICMS - Operações Próprias", "Guia ICMS", "046-2", 10},
    {20, 2, 2, "ICMS - Substituição Tributária", "Guia ICMS ST", "063-2", 10},
    {30, 1, 3, "ISS - Próprio", "Guia ISS", "ISS", 15},
    {30, 2, 3, "ISS - Retido na Fonte", "Guia ISS Retido", "ISSRF", 15},
    {40, 1, 4, "Contribuição Sindical Patronal", "Boleto Sindical", "SIND", 30},
    {41, 1, 4, "Contribuição Assistencial", "Boleto Assistencial", "ASSIST", 10},
    {50, 1, 5, "INSS - Empresa", "GPS", "2100", 20},
    {60, 1, 9, "FGTS - Mensal", "Guia FGTS", "FGTS", 20},
    {60, 2, 9, "FGTS - Rescisório", "Guia FGTS Rescisório", "FGTSR", 20},
};

struct TnEstab {
    int empresa;
    int estab;
    QString nome;
    QString apelido;
    bool ativo;
};

struct TnContrato {
    int empresa;
    int contrato;
    int pessoa;
    QString nome;
    QDate admissao;
    QDate demissao;
    qint64 salario;  // cents
    QList<QPair<QDate, int>> locais;  // transfer date, establishment

    int EstabEm(const QDate& dia) const
    {
        int estab = locais.first().second;
        for (const auto& [data, codigo] : locais) {
            if (data <= dia)
                estab = codigo;
        }
        return estab;
    }

    QDate TransferenciaEm(const QDate& dia) const
    {
        QDate transferencia = locais.first().first;
        for (const auto& local : locais) {
            if (local.first <= dia)
                transferencia = local.first;
        }
        return transferencia;
    }
};

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

class TnGerador {
public:
    TnGerador(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes)
        : m_conexao(conexao), m_opcoes(opcoes), m_aleatorio(opcoes.inicio), m_insercoes(conexao)
    {
        for (int k = 6; k >= 1; --k) {
            const QDate mes = opcoes.referencia.addMonths(-k);
            m_competencias.append(QDate(mes.year(), mes.month(), 1));
        }
    }

    TnResumoDemonstracao Gerar(const QList<const TnDescricaoPacote*>& pacotes)
    {
        Departamentos();
        Usuarios();
        Empresas();
        Impostos();
        Folha();
        Debitos();
        Financeiro();
        for (const TnDescricaoPacote* pacote : pacotes) {
            if (!pacote->demonstracao)
                continue;
            TnDemonstracaoPacote parte{m_conexao, m_opcoes.tamanho, m_opcoes.referencia,
                                       [this](const QString& tabela, const QStringList& colunas, const QVariantList& valores) {
                                           Inserir(tabela, colunas, valores);
                                       },
                                       [this](int minimo, int maximo) { return m_aleatorio.Entre(minimo, maximo); }};
            pacote->demonstracao(parte);
        }

        TnResumoDemonstracao resumo;
        resumo.linhasPorTabela = m_insercoes.LinhasPorTabela();
        resumo.usuario = QString::fromLatin1(kUsuarioDemonstracao);
        resumo.senha = QString::fromLatin1(kSenhaDemonstracao);
        return resumo;
    }

private:
    void Inserir(const QString& tabela, const QStringList& colunas, const QVariantList& valores)
    {
        m_insercoes.Inserir(tabela, colunas, valores);
    }

    QString NomePessoa()
    {
        return m_aleatorio.Escolher(kNomes) + u' ' + m_aleatorio.Escolher(kSobrenomes) + u' '
               + m_aleatorio.Escolher(kSobrenomes);
    }

    int UsuarioEquipe() { return m_aleatorio.Entre(2, 8); }

    QDateTime Momento(const QDate& dia)
    {
        return QDateTime(dia, QTime(m_aleatorio.Entre(8, 17), m_aleatorio.Entre(0, 59), m_aleatorio.Entre(0, 59)));
    }

    void Departamentos()
    {
        const QStringList nomes = {"Fiscal", "Pessoal", "Contábil", "Financeiro", "Recepção", "Arquivo"};
        for (int i = 0; i < nomes.size(); ++i)
            Inserir("DPTOESCRIT", {"CODIGODPTOESCRIT", "DESCRDPTOESCRIT", "ATIVO"}, {i + 1, nomes[i], "1"});
    }

    void Usuarios()
    {
        struct TnUsuario {
            QString login;
            QString nome;
            int departamento;
            QString administrador;
        };
        const QList<TnUsuario> usuarios = {
            {kUsuarioDemonstracao, "Usuário de Demonstração", 1, "1"},
            {"marina", "Marina Costa Almeida", 1, "0"},
            {"roberto", "Roberto Nogueira Dias", 2, "0"},
            {"tatiane", "Tatiane Ribeiro Rocha", 2, "0"},
            {"eduardo", "Eduardo D'Ávila Martins", 3, "0"},
            {"claudia", "Cláudia Ferreira Lima", 4, "0"},
            {"sergio", "Sérgio Barbosa Gomes", 5, "0"},
            {"estagiario", "Estagiário da Recepção", 5, "0"},
        };
        const QStringList colunas = {"CODIGOUSUARIO", "NOMEUSUARIO",      "NOMEUSUARIOCOMPL", "EMAIL", "CODIGODPTOESCRIT",
                                     "SENHASAL",      "SENHAHASH",        "ADMINISTRADOR",    "ATIVO"};
        for (int i = 0; i < usuarios.size(); ++i) {
            const TnUsuario& usuario = usuarios[i];
            // A fixed salt per user keeps the demo reproducible; real users get a random one.
            const QByteArray sal = QCryptographicHash::hash("demo" + QByteArray::number(i + 1), QCryptographicHash::Md5);
            const QString senha = i == 0 ? QString::fromLatin1(kSenhaDemonstracao) : usuario.login;
            Inserir("USUARIO", colunas,
                    {i + 1, usuario.login, usuario.nome, usuario.login + "@lyrcontabil.com.br", usuario.departamento, QVariant(),
                     Senha::Resumir(senha, sal), usuario.administrador, "1"});
        }
    }

    void InserirEstab(const TnEstab& estab, int raizCnpj, const TnCidade& cidade)
    {
        const QStringList colunas = {"CODIGOEMPRESA", "CODIGOESTAB", "NOMEESTAB", "APELIDOESTAB", "CNPJ",
                                     "INSCRICAOESTADUAL", "INSCRICAOMUNICIPAL", "ENDERECO", "NUMERO",
                                     "COMPLEMENTO", "BAIRRO", "CIDADE", "UF", "CEP", "TELEFONE", "EMAIL",
                                     "ATIVO", "DATAENCERRAMENTO"};
        Inserir("ESTAB", colunas,
                {estab.empresa, estab.estab, estab.nome, estab.apelido, Cnpj(raizCnpj, estab.estab),
                 QString::number(m_aleatorio.Entre(100000000, 999999999)), QString::number(m_aleatorio.Entre(10000, 99999)),
                 m_aleatorio.Escolher(kRuas), QString::number(m_aleatorio.Entre(10, 2500)),
                 m_aleatorio.Chance(30) ? QVariant(QStringLiteral("Sala %1").arg(m_aleatorio.Entre(1, 40))) : Nulo(),
                 "Centro", cidade.nome, cidade.uf, cidade.cep,
                 QStringLiteral("(11) 3%1-%2").arg(m_aleatorio.Entre(100, 999)).arg(m_aleatorio.Entre(1000, 9999)),
                 QStringLiteral("contato%1.%2@cliente.com.br").arg(estab.empresa).arg(estab.estab),
                 estab.ativo ? "1" : "0", estab.ativo ? Nulo() : QVariant(m_competencias.first().addDays(-1))});
    }

    void Empresas()
    {
        const QStringList colunas = {"CODIGOEMPRESA", "NOMEEMPRESA", "APELIDOEMPRESA", "CNPJ", "DATACADASTRO", "ATIVA"};
        // Company 1 is the office itself, with its head office and one branch.
        Inserir("EMPRESA", colunas, {1, "Lyr Contabilidade Ltda", "Lyr Contabilidade", Cnpj(11222333, 1), QDate(2015, 3, 2), "1"});
        for (int estab = 1; estab <= 2; ++estab) {
            TnEstab escritorio{1, estab, estab == 1 ? "Lyr Contabilidade - Matriz" : "Lyr Contabilidade - Filial Campinas",
                               estab == 1 ? "Matriz" : "Filial Campinas", true};
            InserirEstab(escritorio, 11222333, kCidades[estab - 1]);
        }
        const int clientes = std::min(25 * m_opcoes.tamanho, 30000);
        for (int empresa = 2; empresa <= clientes + 1; ++empresa) {
            const QString sobrenome = m_aleatorio.Escolher(kSobrenomes);
            const QString ramo = m_aleatorio.Escolher(kRamos);
            const QString nome = QStringLiteral("%1 %2 %3").arg(ramo, sobrenome, m_aleatorio.Escolher(kSufixos));
            m_nomesEmpresa.insert(empresa, nome);
            const int raiz = 10000000 + empresa * 7919 % 89999999;
            Inserir("EMPRESA", colunas,
                    {empresa, nome, QStringLiteral("%1 %2").arg(ramo, sobrenome).left(30), Cnpj(raiz, 1),
                     m_opcoes.referencia.addDays(-m_aleatorio.Entre(200, 3000)), "1"});
            const int filiais = m_aleatorio.Chance(30) ? m_aleatorio.Entre(2, 3) : 1;
            for (int estab = 1; estab <= filiais; ++estab) {
                const TnCidade& cidade = m_aleatorio.Escolher(kCidades);
                const QString apelido = estab == 1 ? QStringLiteral("Matriz") : QStringLiteral("Filial %1").arg(cidade.nome);
                TnEstab novo{empresa, estab, QStringLiteral("%1 - %2").arg(nome, apelido).left(100), apelido.left(30),
                             estab == 1 || !m_aleatorio.Chance(15)};
                InserirEstab(novo, raiz, cidade);
                m_estabs.append(novo);
            }
        }
    }

    void Impostos()
    {
        const QStringList colunas = {"CODIGOIMPOSTO", "VARIACAOIMPOSTO", "DESCRIMPOSTO", "DESCRPROTOCOLO",
                                     "CODIGORECEITA", "ESFERA", "ATIVO"};
        for (const TnImposto& imposto : kImpostos) {
            Inserir("IMPOSTO", colunas,
                    {imposto.codigo, imposto.variacao, imposto.descricao, imposto.descricaoProtocolo, imposto.receita,
                     imposto.tipo, "1"});
        }
    }

    // --- payroll -----------------------------------------------------------

    void Folha()
    {
        QHash<int, QList<int>> estabsAtivos;
        for (const TnEstab& estab : std::as_const(m_estabs)) {
            if (estab.ativo)
                estabsAtivos[estab.empresa].append(estab.estab);
        }
        const QDate inicioJanela = m_competencias.first();
        int pessoa = 0;
        for (int empresa = 2; estabsAtivos.contains(empresa); ++empresa) {
            if (m_aleatorio.Chance(20))
                continue;  // companies without employees
            const QList<int>& estabs = estabsAtivos[empresa];
            const int quantidade = m_aleatorio.Entre(2, 10);
            for (int c = 1; c <= quantidade; ++c) {
                TnContrato contrato{empresa, c, ++pessoa, NomePessoa(), {}, {}, 0, {}};
                contrato.admissao = m_aleatorio.Chance(10)
                                        ? inicioJanela.addDays(m_aleatorio.Entre(0, 120))
                                        : m_opcoes.referencia.addDays(-m_aleatorio.Entre(240, 2500));
                contrato.salario = m_aleatorio.Entre(1518, 9000) * 100 + m_aleatorio.Entre(0, 99);
                contrato.locais.append({contrato.admissao, m_aleatorio.Escolher(estabs)});
                if (estabs.size() > 1 && m_aleatorio.Chance(15)) {
                    const QDate transferencia = m_aleatorio.Escolher(m_competencias);
                    if (transferencia > contrato.admissao) {
                        int destino = m_aleatorio.Escolher(estabs);
                        if (destino == contrato.locais.first().second)
                            destino = estabs.first() == destino ? estabs.last() : estabs.first();
                        contrato.locais.append({transferencia, destino});
                    }
                }
                if (m_aleatorio.Chance(6)) {
                    const QDate mes = m_competencias[m_aleatorio.Entre(1, 5)];
                    const QDate rescisao = mes.addDays(m_aleatorio.Entre(0, mes.daysInMonth() - 1));
                    if (rescisao > contrato.admissao.addDays(30))
                        contrato.demissao = rescisao;
                }
                InserirContrato(contrato);
                m_contratos[empresa].append(contrato);
            }
            PeriodosDeCalculo(empresa);
        }
    }

    void InserirContrato(const TnContrato& contrato)
    {
        Inserir("FUNCPESSOA", {"CODIGOFUNCPESSOA", "NOMEFUNC", "CPF", "DATANASCIMENTO", "PIS"},
                {contrato.pessoa, contrato.nome, Cpf(100000000 + contrato.pessoa * 7331),
                 QDate(m_aleatorio.Entre(1965, 2004), m_aleatorio.Entre(1, 12), m_aleatorio.Entre(1, 28)),
                 QString::number(12000000000LL + contrato.pessoa)});
        Inserir("FUNCCONTRATO",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOFUNCPESSOA", "DATAADMISSAO", "DATADEMISSAO", "CARGO", "SALARIO"},
                {contrato.empresa, contrato.contrato, contrato.pessoa, contrato.admissao,
                 contrato.demissao.isValid() ? QVariant(contrato.demissao) : Nulo(), m_aleatorio.Escolher(kCargos),
                 Dinheiro(contrato.salario)});
        for (const auto& [data, estab] : contrato.locais)
            Inserir("FUNCLOCAL", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATATRANSF", "CODIGOESTAB"},
                    {contrato.empresa, contrato.contrato, data, estab});
        if (contrato.demissao.isValid())
            InserirRescisao(contrato);
        else if (contrato.admissao < m_opcoes.referencia.addYears(-1) && m_aleatorio.Chance(12))
            InserirFerias(contrato);
    }

    void InserirRescisao(const TnContrato& contrato)
    {
        const qint64 liquido = contrato.salario * m_aleatorio.Entre(110, 260) / 100;
        Inserir("RESCISAO",
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
        Inserir("RESCISAOEVENTO", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, 5020, Nulo(), Dinheiro(liquido)});
        Inserir("RESCISAOEVENTO", {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, 1, Dinheiro(3000), Dinheiro(contrato.salario)});
    }

    void InserirFerias(const TnContrato& contrato)
    {
        const QDate mes = m_aleatorio.Escolher(m_competencias);
        const QDate inicio = DiaUtil(mes.year(), mes.month(), m_aleatorio.Entre(1, 20));
        QDate aquisitivo = contrato.admissao;
        while (aquisitivo.addYears(2) <= inicio)
            aquisitivo = aquisitivo.addYears(1);
        const qint64 liquido = contrato.salario * 4 / 3 * 85 / 100;
        Inserir("RECIBOFERIAS",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS", "DATAFINALFERIAS", "DATAABONO",
                 "PAGAADTO13", "DATAPGTO", "DESCADTO", "FORMAGERACAO", "DIASDOBROFERIAS", "DIASDOBROABONO",
                 "TIPORECIBO", "DATARETORNOFERIAS", "DATAAVISO", "DATASOLICABONO", "DIASABONO", "DIASFERIAS",
                 "DIASREMUN", "DESCONTPARCELA", "NUMEROPARCELA", "COMPETINICIAL", "DIASPREMIO"},
                {contrato.empresa, contrato.contrato, aquisitivo, inicio, inicio.addDays(29), Nulo(), "0",
                 inicio.addDays(-2), "0", 1, 0, 0, 1, inicio.addDays(30), inicio.addDays(-30), Nulo(), 0, 30, 30, "0", 0,
                 QDate(inicio.year(), inicio.month(), 1), 0});
        Inserir("FERIASEVENTO",
                {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"},
                {contrato.empresa, contrato.contrato, aquisitivo, inicio, 5020, Nulo(), Dinheiro(liquido)});
    }

    void PeriodosDeCalculo(int empresa)
    {
        for (int k = 0; k < m_competencias.size(); ++k) {
            const QDate competencia = m_competencias[k];
            const QDate fim = UltimoDia(competencia);
            const int codigo = competencia.year() * 100 + competencia.month();
            const QDate pagamento = DiaUtilDoMesSeguinte(competencia, 5);
            Inserir("PERIODOCALCULO",
                    {"CODIGOEMPRESA", "CODIGOPERCALCULO", "DESCRPERCALCULO", "TIPOFOLHA", "COMPETENCIA",
                     "DATAINICIALFOLHA", "DATAFINALFOLHA", "DATAPGTO"},
                    {empresa, codigo, "Folha Mensal " + competencia.toString("MM/yyyy"), 1, competencia, competencia, fim,
                     pagamento});
            for (const TnContrato& contrato : m_contratos.value(empresa)) {
                if (contrato.admissao > fim
                    || (contrato.demissao.isValid() && contrato.demissao <= fim))
                    continue;
                const qint64 inss = contrato.salario * 9 / 100;
                Inserir("FUNCPERCALCULO",
                        {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR", "DATAPGTOFOLHA", "DATALOCAL"},
                        {empresa, codigo, contrato.contrato, pagamento, contrato.TransferenciaEm(fim)});
                const QStringList colunas = {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR", "CODIGOEVENTO", "REFERENCIA", "VALOREVENTO"};
                Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 1, Dinheiro(3000), Dinheiro(contrato.salario)});
                Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 901, Dinheiro(900), Dinheiro(inss)});
                Inserir("CALCULOEVENTO", colunas, {empresa, codigo, contrato.contrato, 5020, Nulo(), Dinheiro(contrato.salario - inss)});
            }
        }
    }

    // --- tax debits --------------------------------------------------------

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
        const int sorteio = m_aleatorio.Entre(1, 100);
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
            debito.observacao = QStringLiteral("Parcela %1/12").arg(m_aleatorio.Entre(1, 12));
        debitos.append(debito);
    }

    void Debitos()
    {
        for (int k = 0; k < m_competencias.size(); ++k) {
            const QDate competencia = m_competencias[k];
            for (const TnEstab& estab : std::as_const(m_estabs)) {
                if (!estab.ativo)
                    continue;
                QList<TnDebito> debitos;
                const QList<const TnImposto*> federais = ImpostosDoTipo(1);
                const int quantosFederais = m_aleatorio.Entre(2, 3);
                for (int i = 0; i < quantosFederais; ++i)
                    NovoDebito(debitos, 1, estab.empresa, estab.estab, competencia, federais[m_aleatorio.Entre(0, static_cast<int>(federais.size()) - 1)],
                               m_aleatorio.Entre(5000, 1500000));
                if (m_aleatorio.Chance(50))
                    NovoDebito(debitos, 2, estab.empresa, estab.estab, competencia, m_aleatorio.Escolher(ImpostosDoTipo(2)),
                               m_aleatorio.Entre(10000, 2500000));
                if (m_aleatorio.Chance(70))
                    NovoDebito(debitos, 3, estab.empresa, estab.estab, competencia, m_aleatorio.Escolher(ImpostosDoTipo(3)),
                               m_aleatorio.Entre(3000, 400000));
                if (m_aleatorio.Chance(15))
                    NovoDebito(debitos, 4, estab.empresa, estab.estab, competencia, m_aleatorio.Escolher(ImpostosDoTipo(4)),
                               m_aleatorio.Entre(5000, 60000));
                qint64 folha = 0;
                for (const TnContrato& contrato : m_contratos.value(estab.empresa)) {
                    if (contrato.EstabEm(UltimoDia(competencia)) != estab.estab
                        || contrato.admissao > UltimoDia(competencia)
                        || (contrato.demissao.isValid() && contrato.demissao < competencia))
                        continue;
                    folha += contrato.salario;
                    if (m_aleatorio.Chance(8))
                        NovoDebito(debitos, 10, estab.empresa, estab.estab, competencia, nullptr, contrato.salario * 15 / 100,
                                   contrato.contrato,
                                   m_aleatorio.Chance(50) ? QStringLiteral("Pensão alimentícia") : QStringLiteral("Empréstimo consignado"));
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
            const bool pago = debito.vencimento < m_opcoes.referencia && m_aleatorio.Chance(80);
            QVariantList valores = {debito.empresa, debito.chave, debito.estab,
                                    debito.imposto ? QVariant(debito.imposto->codigo) : Nulo(),
                                    debito.imposto ? QVariant(debito.imposto->variacao) : Nulo(), debito.lancamento,
                                    debito.lancamento, Dinheiro(debito.valor), debito.vencimento, debito.forma, pago ? 1 : 0,
                                    2100 + debito.tipo, m_aleatorio.Chance(80) ? "APURACAO" : "MANUAL", UsuarioEquipe(),
                                    Momento(debito.lancamento.addDays(m_aleatorio.Entre(1, 4))),
                                    debito.observacao.isEmpty() ? Nulo() : QVariant(debito.observacao)};
            if (debito.tabela == "DEBITOFOLHA") {
                colunas.append("CODIGOFUNCCONTR");
                valores.append(debito.contrato);
            }
            Inserir(debito.tabela, colunas, valores);
        }
    }

    // --- financial ---------------------------------------------------------

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
        Inserir("ESCRITORIO", {"CODIGOESCRIT", "NOMEESCRIT", "CODIGOEMPRESA", "CODIGOESTAB"}, {1, "Lyr Contabilidade - Matriz", 1, 1});
        Inserir("ESCRITORIO", {"CODIGOESCRIT", "NOMEESCRIT", "CODIGOEMPRESA", "CODIGOESTAB"}, {2, "Lyr Contabilidade - Campinas", 1, 2});

        QList<TnCliente> clientes;
        int pessoa = 0;
        QHash<int, QList<int>> estabsPorEmpresa;
        for (const TnEstab& estab : std::as_const(m_estabs))
            estabsPorEmpresa[estab.empresa].append(estab.estab);
        for (int empresa = 2; estabsPorEmpresa.contains(empresa); ++empresa) {
            TnCliente cliente{++pessoa, m_aleatorio.Chance(30) ? 2 : 1, m_aleatorio.Escolher(QList<int>{5, 10, 15, 20}),
                              m_aleatorio.Entre(450, 4500) * 100, empresa, 1};
            const int vinculo = m_aleatorio.Entre(1, 100);
            if (vinculo > 80 && vinculo <= 88) {
                cliente.estab = m_aleatorio.Escolher(estabsPorEmpresa[empresa]);
            } else if (vinculo > 88 && vinculo <= 95) {
                cliente.empresa = cliente.estab = Nulo();  // a client not linked to its company yet
            } else if (vinculo > 95) {
                cliente.empresa = cliente.estab = 0;  // linked with zeros by an old import
            }
            InserirCliente(cliente, m_nomesEmpresa.value(empresa), Cnpj(10000000 + empresa * 7919 % 89999999, 1));
            clientes.append(cliente);
        }
        const int particulares = 5 * m_opcoes.tamanho;
        for (int i = 0; i < particulares; ++i) {
            TnCliente cliente{++pessoa, 1, 10, m_aleatorio.Entre(150, 600) * 100, Nulo(), Nulo()};
            InserirCliente(cliente, NomePessoa(), Cpf(200000000 + pessoa * 5113));
            clientes.append(cliente);
        }

        QHash<int, int> numeroNota;
        QHash<int, int> numeroDocumento;
        qint64 nossoNumero = 100000;
        for (int k = 0; k < m_competencias.size(); ++k) {
            const QDate competencia = m_competencias[k];
            for (const TnCliente& cliente : std::as_const(clientes)) {
                const QDate emissao = DiaUtil(competencia.year(), competencia.month(), m_aleatorio.Entre(1, 3));
                const QDate vencimento = DiaUtil(competencia.year(), competencia.month(), cliente.diaVencimento);
                const int nota = ++numeroNota[cliente.escritorio];
                const int documento = ++numeroDocumento[cliente.escritorio];
                const bool cancelada = m_aleatorio.Chance(3);
                const qint64 liquido = cliente.honorario - (m_aleatorio.Chance(30) ? cliente.honorario * 2 / 100 : 0);
                Inserir("SERVICONOTA",
                        {"CODIGOESCRIT", "SERIENS", "NUMERONS", "DATAEMISSAONS", "CODIGOCLIENTE", "VALORBRUTO",
                         "VALORLIQUIDO", "VISTAPRAZO", "CANCELADANS", "DISCRIMINACAO"},
                        {cliente.escritorio, "A", nota, emissao, cliente.pessoa, Dinheiro(cliente.honorario),
                         Dinheiro(liquido), m_aleatorio.Chance(80) ? 2 : 1, cancelada ? 1 : 0,
                         "Honorários contábeis - competência " + competencia.toString("MM/yyyy")});
                const bool comBoleto = !m_aleatorio.Chance(10);
                Inserir("CONTARECEBER",
                        {"CODIGOESCRIT", "NUMERODCTOCR", "NOSSONUMERO", "DATAEMISSAOCR", "DATAVCTOCR", "VALORCR",
                         "CODIGOCLIENTE", "SERIENS", "NUMERONS", "DATAPGTOCR"},
                        {cliente.escritorio, documento, comBoleto ? ++nossoNumero : 0, emissao, vencimento, Dinheiro(liquido),
                         cliente.pessoa, "A", nota,
                         vencimento < m_opcoes.referencia && m_aleatorio.Chance(85) ? QVariant(vencimento) : Nulo()});
            }
        }
    }

    void InserirCliente(const TnCliente& cliente, const QString& nome, const QString& documento)
    {
        Inserir("PESSOAFINANCEIRO",
                {"CODIGOPESSOAFIN", "NOME", "CNPJCPF", "CODIGOEMPRESA", "CODIGOESTAB", "EMAIL", "TELEFONE", "ATIVO"},
                {cliente.pessoa, nome, documento, cliente.empresa, cliente.estab,
                 QStringLiteral("financeiro%1@cliente.com.br").arg(cliente.pessoa), "(11) 4002-8922", "1"});
        Inserir("PESSOAFINCLIENTE", {"CODIGOPESSOAFIN", "DATACADASTRO", "DIAVENCIMENTO", "VALORHONORARIO"},
                {cliente.pessoa, m_competencias.first().addDays(-m_aleatorio.Entre(30, 900)), cliente.diaVencimento,
                 Dinheiro(cliente.honorario)});
    }

    nDMConexao& m_conexao;
    TnOpcoesDemonstracao m_opcoes;
    TnAleatorio m_aleatorio;
    QList<QDate> m_competencias;  // first days of the last six months, oldest first
    QList<TnEstab> m_estabs;      // client establishments
    QHash<int, QList<TnContrato>> m_contratos;  // by company
    QHash<int, QString> m_nomesEmpresa;
    QMap<QPair<QString, int>, qint64> m_chavesDebito;
    TnInsercoesPreparadas m_insercoes;
};

} // namespace

TnResumoDemonstracao GerarDemonstracao(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes,
                                       const QList<const TnDescricaoPacote*>& pacotes)
{
    if (opcoes.tamanho < 1)
        throw EnErro(QStringLiteral("O tamanho da demonstração deve ser pelo menos 1."));
    TnSQLDataSet existentes(conexao);
    existentes.SetCommandText(QStringLiteral("select count(*) from EMPRESA"));
    existentes.Open();
    if (existentes.Fields(0).AsInteger() > 0)
        throw EnErro(QStringLiteral("O banco de dados já tem empresas cadastradas; a demonstração só é gerada em um banco novo."));

    conexao.StartTransaction();
    try {
        TnResumoDemonstracao resumo = TnGerador(conexao, opcoes).Gerar(pacotes);
        conexao.Commit();
        return resumo;
    } catch (...) {
        conexao.RollBack();
        throw;
    }
}
