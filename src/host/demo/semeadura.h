#pragma once

#include "aleatorio.h"
#include "demonstracao.h"
#include "insercoespreparadas.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QList>
#include <QPair>
#include <QString>
#include <QVariant>

// The context the demo office is seeded in, stage after stage: its options,
// one random sequence (equal options give equal rows), the six months it
// covers, the prepared inserts, and what earlier stages wrote that later
// ones read (client establishments, employees, company names).

QVariant Nulo();
QVariant Dinheiro(qint64 centavos);
QDate UltimoDia(const QDate& dia);
// The day of the month, moved to the next Monday when it falls on a weekend.
QDate DiaUtil(int ano, int mes, int dia);
QDate DiaUtilDoMesSeguinte(const QDate& competencia, int dia);
QString Cnpj(int raiz, int filial);
QString Cpf(int numero);

struct TnCidade {
    QString nome;
    QString uf;
    QString cep;
};
extern const QList<TnCidade> kCidades;
extern const QList<QString> kRuas;
extern const QList<QString> kSobrenomes;

struct TnImposto {
    int codigo;
    int variacao;
    int tipo;  // source type of its debits
    QString descricao;
    QString descricaoProtocolo;
    QString receita;
    int vencimento;  // day of the month after the competence
};
extern const QList<TnImposto> kImpostos;

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

class TnSemeadura {
public:
    TnSemeadura(nDMConexao& conexao, const TnOpcoesDemonstracao& opcoes);

    void Inserir(const QString& tabela, const QStringList& colunas, const QVariantList& valores)
    {
        insercoes.Inserir(tabela, colunas, valores);
    }
    QString NomePessoa();
    int UsuarioEquipe() { return aleatorio.Entre(2, 8); }
    QDateTime Momento(const QDate& dia);

    nDMConexao& conexao;
    TnOpcoesDemonstracao opcoes;
    TnAleatorio aleatorio;
    QList<QDate> competencias;  // first days of the last six months, oldest first
    QList<TnEstab> estabs;      // client establishments
    QHash<int, QList<TnContrato>> contratos;  // by company
    QHash<int, QString> nomesEmpresa;
    TnInsercoesPreparadas insercoes;
};

// The stages, in the order they are seeded.
void SemearEscritorio(TnSemeadura& demo);  // departments, staff, clients, taxes
void SemearFolha(TnSemeadura& demo);       // employees, payrolls, terminations, vacations
void SemearDebitos(TnSemeadura& demo);     // the tax debits of the six months
void SemearFinanceiro(TnSemeadura& demo);  // the office's invoices and boletos
