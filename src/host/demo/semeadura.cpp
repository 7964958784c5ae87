#include "semeadura.h"

#include "cnpjcpf.h"
#include "decimal.h"

namespace {

const QList<QString> kNomes = {"Ana", "João", "Maria", "José", "Francisca", "Antônio", "Adriana", "Carlos",
                                "Juliana", "Paulo", "Márcia", "Pedro", "Fernanda", "Lucas", "Patrícia", "Marcos",
                                "Aline", "Rafael", "Camila", "Bruno", "Letícia", "Gabriel", "Sandra", "Rodrigo"};

} // namespace

const QList<QString> kSobrenomes = {"Silva", "Souza", "Oliveira", "Santos", "Pereira", "Lima", "Costa", "Almeida",
                                     "Ferreira", "Rodrigues", "Gomes", "Martins", "Araújo", "Barbosa", "Ribeiro",
                                     "Carvalho", "Rocha", "Dias", "Teixeira", "Moreira", "D'Ávila", "Nogueira"};

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

const QList<TnCidade> kCidades = {{"São Paulo", "SP", "01310-100"}, {"Campinas", "SP", "13015-000"},
                                  {"Santo André", "SP", "09010-000"}, {"Jundiaí", "SP", "13201-000"},
                                  {"Sorocaba", "SP", "18035-000"},   {"Guarulhos", "SP", "07010-000"}};
const QList<QString> kRuas = {"Rua das Flores", "Avenida Brasil", "Rua XV de Novembro", "Rua Sete de Setembro",
                               "Avenida Paulista", "Rua Tiradentes", "Rua Dom Pedro II", "Avenida Getúlio Vargas"};


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

TnSemeadura::TnSemeadura(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes)
    : conexao(conexao), opcoes(opcoes), aleatorio(opcoes.inicio), insercoes(conexao)
{
    for (int k = 6; k >= 1; --k) {
        const QDate mes = opcoes.referencia.addMonths(-k);
        competencias.append(QDate(mes.year(), mes.month(), 1));
    }
}

QString TnSemeadura::NomePessoa()
{
    return aleatorio.Escolher(kNomes) + u' ' + aleatorio.Escolher(kSobrenomes) + u' ' + aleatorio.Escolher(kSobrenomes);
}

QDateTime TnSemeadura::Momento(const QDate& dia)
{
    return QDateTime(dia, QTime(aleatorio.Entre(8, 17), aleatorio.Entre(0, 59), aleatorio.Entre(0, 59)));
}
