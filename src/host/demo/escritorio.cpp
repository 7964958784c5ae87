#include "semeadura.h"

#include "senha.h"

#include <QCryptographicHash>

namespace {

const QList<QString> kRamos = {"Padaria", "Comercial", "Transportes", "Auto Peças", "Clínica", "Construtora",
                                "Restaurante", "Farmácia", "Mercado", "Oficina Mecânica", "Distribuidora",
                                "Confecções", "Papelaria", "Academia", "Escola", "Pet Shop", "Imobiliária",
                                "Laboratório", "Gráfica", "Serralheria"};
const QList<QString> kSufixos = {"Ltda", "Ltda", "ME", "EIRELI", "S/A"};

// The office itself: its departments and staff (the demo login among them),
// its client companies and establishments, the taxes it handles.
class TnEscritorioDemo {
public:
    explicit TnEscritorioDemo(TnSemeadura& demo) : m_demo(demo) {}

    void Semear()
    {
        Departamentos();
        Usuarios();
        Empresas();
        Impostos();
    }

private:
    void Departamentos()
    {
        const QStringList nomes = {"Fiscal", "Pessoal", "Contábil", "Financeiro", "Recepção", "Arquivo"};
        for (int i = 0; i < nomes.size(); ++i)
            m_demo.Inserir("DPTOESCRIT", {"CODIGODPTOESCRIT", "DESCRDPTOESCRIT", "ATIVO"}, {i + 1, nomes[i], "1"});
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
            m_demo.Inserir("USUARIO", colunas,
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
        m_demo.Inserir("ESTAB", colunas,
                {estab.empresa, estab.estab, estab.nome, estab.apelido, Cnpj(raizCnpj, estab.estab),
                 QString::number(m_demo.aleatorio.Entre(100000000, 999999999)), QString::number(m_demo.aleatorio.Entre(10000, 99999)),
                 m_demo.aleatorio.Escolher(kRuas), QString::number(m_demo.aleatorio.Entre(10, 2500)),
                 m_demo.aleatorio.Chance(30) ? QVariant(QStringLiteral("Sala %1").arg(m_demo.aleatorio.Entre(1, 40))) : Nulo(),
                 "Centro", cidade.nome, cidade.uf, cidade.cep,
                 QStringLiteral("(11) 3%1-%2").arg(m_demo.aleatorio.Entre(100, 999)).arg(m_demo.aleatorio.Entre(1000, 9999)),
                 QStringLiteral("contato%1.%2@cliente.com.br").arg(estab.empresa).arg(estab.estab),
                 estab.ativo ? "1" : "0", estab.ativo ? Nulo() : QVariant(m_demo.competencias.first().addDays(-1))});
    }

    void Empresas()
    {
        const QStringList colunas = {"CODIGOEMPRESA", "NOMEEMPRESA", "APELIDOEMPRESA", "CNPJ", "DATACADASTRO", "ATIVA"};
        // Company 1 is the office itself, with its head office and one branch.
        m_demo.Inserir("EMPRESA", colunas, {1, "Lyr Contabilidade Ltda", "Lyr Contabilidade", Cnpj(11222333, 1), QDate(2015, 3, 2), "1"});
        for (int estab = 1; estab <= 2; ++estab) {
            TnEstab escritorio{1, estab, estab == 1 ? "Lyr Contabilidade - Matriz" : "Lyr Contabilidade - Filial Campinas",
                               estab == 1 ? "Matriz" : "Filial Campinas", true};
            InserirEstab(escritorio, 11222333, kCidades[estab - 1]);
        }
        const int clientes = std::min(25 * m_demo.opcoes.tamanho, 30000);
        for (int empresa = 2; empresa <= clientes + 1; ++empresa) {
            const QString sobrenome = m_demo.aleatorio.Escolher(kSobrenomes);
            const QString ramo = m_demo.aleatorio.Escolher(kRamos);
            const QString nome = QStringLiteral("%1 %2 %3").arg(ramo, sobrenome, m_demo.aleatorio.Escolher(kSufixos));
            m_demo.nomesEmpresa.insert(empresa, nome);
            const int raiz = 10000000 + empresa * 7919 % 89999999;
            m_demo.Inserir("EMPRESA", colunas,
                    {empresa, nome, QStringLiteral("%1 %2").arg(ramo, sobrenome).left(30), Cnpj(raiz, 1),
                     m_demo.opcoes.referencia.addDays(-m_demo.aleatorio.Entre(200, 3000)), "1"});
            const int filiais = m_demo.aleatorio.Chance(30) ? m_demo.aleatorio.Entre(2, 3) : 1;
            for (int estab = 1; estab <= filiais; ++estab) {
                const TnCidade& cidade = m_demo.aleatorio.Escolher(kCidades);
                const QString apelido = estab == 1 ? QStringLiteral("Matriz") : QStringLiteral("Filial %1").arg(cidade.nome);
                TnEstab novo{empresa, estab, QStringLiteral("%1 - %2").arg(nome, apelido).left(100), apelido.left(30),
                             estab == 1 || !m_demo.aleatorio.Chance(15)};
                InserirEstab(novo, raiz, cidade);
                m_demo.estabs.append(novo);
            }
        }
    }

    void Impostos()
    {
        const QStringList colunas = {"CODIGOIMPOSTO", "VARIACAOIMPOSTO", "DESCRIMPOSTO", "DESCRPROTOCOLO",
                                     "CODIGORECEITA", "ESFERA", "ATIVO"};
        for (const TnImposto& imposto : kImpostos) {
            m_demo.Inserir("IMPOSTO", colunas,
                    {imposto.codigo, imposto.variacao, imposto.descricao, imposto.descricaoProtocolo, imposto.receita,
                     imposto.tipo, "1"});
        }
    }

private:
    TnSemeadura& m_demo;
};

} // namespace

void SemearEscritorio(TnSemeadura& demo)
{
    TnEscritorioDemo(demo).Semear();
}
