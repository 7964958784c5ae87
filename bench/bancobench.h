#pragma once

// The database a benchmark runs on: a temporary SQLite file, or a schema of
// its own on the PostgreSQL server given (dropped at the end), with the
// packages built beside the benchmark and a fresh demo office.

#include "banco.h"
#include "demonstracao.h"
#include "dialogos.h"
#include "erros.h"
#include "host.h"
#include "medicao.h"
#include "pacotes.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <memory>

// A disagreement: the run stops, its database dropped on the way out.
struct TnFalha {
    QString mensagem;
};

[[noreturn]] inline void Falhar(const QString& mensagem)
{
    throw TnFalha{mensagem};
}

// The user of a benchmark's saves: yes to every question, the answers
// offered to every questionnaire (the user logged in answers for them).
class TnRespostas : public TnDialogosSemUsuario {
public:
    int MessageDlg(const QString&, int, const QStringList&) override { return 0; }
    bool PedirQuestionario(TnQuestionario&) override { return true; }
};

// Runs a benchmark's cases, telling a disagreement or a refusal apart.
inline int RodarBench(const std::function<void()>& casos)
{
    try {
        casos();
    } catch (const TnFalha& falha) {
        Saida() << "FALHA: " << falha.mensagem << Qt::endl;
        return 1;
    } catch (const EnErro& erro) {
        Saida() << "FALHA: " << erro.Mensagem() << Qt::endl;
        return 1;
    }
    return 0;
}

class TnBancoBench {
public:
    // `uri`: a postgresql:// URI, or empty for SQLite.
    TnBancoBench(const QString& uri, int tamanho)
    {
        if (!uri.isEmpty()) {
            m_config = TnConfigBanco::Ler(uri);
            m_config.esquema = QStringLiteral("bench_%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar(u'0'));
        } else {
            m_config.arquivo = m_pasta.filePath(QStringLiteral("bench.db"));
        }
        // The packages built beside the benchmark, unless LYR_PACOTES names others.
        if (qEnvironmentVariableIsEmpty("LYR_PACOTES"))
            qputenv("LYR_PACOTES", LYR_PASTA_PACOTES);
        m_pacotes.Ler();
        m_host = std::make_unique<TnHost>(AbrirBanco(m_config, m_pacotes.Descricoes()));
        m_pacotes.Carregar();
        const TnOpcoesDemonstracao opcoes{tamanho, QDate(2026, 12, 6), 20261206};
        QElapsedTimer relogio;
        relogio.start();
        GerarDemonstracao(Conexao(), opcoes, m_pacotes.Descricoes());
        Saida() << "Demonstração tamanho " << tamanho << " em " << Conexao().Config().Descrever() << ": " << relogio.elapsed() << " ms"
                << Qt::endl;
    }
    ~TnBancoBench()
    {
        if (!m_config.esquema.isEmpty())
            ExecutarSQLDireto(QStringLiteral("DROP SCHEMA ") + m_config.esquema + QStringLiteral(" CASCADE"));
    }

    TnHost& Host() { return *m_host; }
    nDMConexao& Conexao() { return m_host->Conexao(); }

private:
    QTemporaryDir m_pasta;
    TnConfigBanco m_config;
    TnPacotesInstalados m_pacotes;
    std::unique_ptr<TnHost> m_host;
};

// A client company of `filiais` establishments ("Loja 1", "Loja 2", ...),
// every one configured to hand in the documents of group `grupo`.
inline void CadastrarRedeDeLojas(int empresa, int filiais, int grupo)
{
    EmTransacao([&] {
        ExecutarSQLDireto(QStringLiteral("insert into EMPRESA (CODIGOEMPRESA, NOMEEMPRESA) values (:e, 'Rede de Lojas')"), {empresa});
        TnSQLDataSet filial(::Conexao());
        filial.SetCommandText(QStringLiteral("insert into ESTAB (CODIGOEMPRESA, CODIGOESTAB, NOMEESTAB, APELIDOESTAB) values (:e, :f, :n, :a)"));
        TnSQLDataSet configuracao(::Conexao());
        configuracao.SetCommandText(QStringLiteral("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, "
                                                   "MESMOENDERECOENT) values (:e, :f, :g, '2', '1')"));
        for (int estab = 1; estab <= filiais; ++estab) {
            filial.SetParamValues({empresa, estab, QStringLiteral("Loja %1").arg(estab), QStringLiteral("Loja %1").arg(estab)});
            filial.ExecSQL();
            configuracao.SetParamValues({empresa, estab, grupo});
            configuracao.ExecSQL();
        }
    });
}

// Resident memory of this process, in MB (Linux).
inline double MemoriaResidenteMB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& linha : status.readAll().split('\n')) {
        if (linha.startsWith("VmRSS:"))
            return linha.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}
