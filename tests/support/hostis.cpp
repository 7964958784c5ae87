#include "hostis.h"

#include "erros.h"

#include <gtest/gtest.h>

QStringList ValoresHostis()
{
    const QStringList base = {
        "'", "''", "\"", "'; drop table PROTOCOLO; --", "' or '1'='1", "--", "/* x */", "1; delete from USUARIO", "\\", "\\'",
        "%", "_", "%' --", "NULL", "null", "select", "\t", "\n", "\r\n", "a\tb\nc", QString(QChar(0x01)) + QChar(0x1b) + "[31m",
        "😀", "👨‍👩‍👧", "e\u0301", "ção à ü", "ÁÉÍÓÚ", "\u202e", "\ufeff", "\u00a0", "<script>alert(1)</script>", "${HOME}", "$(rm -rf /)",
        "%s%n", "{}", "[]", "31/02/2026", "00/00/0000", "2026-02-31", "99/99/9999", "13/2026", "29/02/2025", "01/01/10000",
        "-1", "-0", "0", "+5", "9999999999", "99999999999999999999", "1e309", "NaN", "inf", "1,5", "1.234,56", "-1.234,56",
        "1-", "a;b", "5-2", "1--2", ";", ";;", ",", "1;", "-", " ", "  1  ", "0x10", "１２３", "١٢٣", "1 2", "1;2-", "-5-",
        QString(51, u'x'), QString(200, u'y'), QString(201, u'z'), QString(5000, u'w'), QString("😀").repeated(100),
    };
    QStringList valores = base;
    for (const QString& valor : base) {
        if (valor.size() > 50)
            continue;
        valores.append(QStringLiteral("  %1  ").arg(valor));
        valores.append(QStringLiteral("2;%1").arg(valor));
    }
    valores.removeDuplicates();
    return valores;
}

// A refusal the user can read: ours, in Portuguese, not the database's.
void EsperarMensagemClara(const QString& mensagem)
{
    EXPECT_FALSE(mensagem.trimmed().isEmpty());
    for (const char* bruto : {"syntax error", "unrecognized token", "invalid input", "near \"", "SQLSTATE", "QSQL", "Parameter count"})
        EXPECT_FALSE(mensagem.contains(QLatin1String(bruto), Qt::CaseInsensitive)) << mensagem.toStdString();
}

// Runs the action: true when it went through, false when it was refused
// with a clear message. A database error is a failure of the test.
bool Aceito(const std::function<void()>& acao)
{
    try {
        acao();
        return true;
    } catch (const EnSQL& erro) {
        ADD_FAILURE() << "database error shown to the user: " << erro.Mensagem().toStdString();
    } catch (const EnAbort&) {
    } catch (const EnErro& erro) {
        EsperarMensagemClara(erro.Mensagem());
    }
    return false;
}

