#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>

// Another user's process (a helper program of these tests), driven line by
// line: each command written to its input is answered with one line on its
// output; "fim" ends it.
class TnProcessoLinhas {
public:
    TnProcessoLinhas(const QString& programa, const QStringList& argumentos)
    {
        m_processo.start(programa, argumentos);
        m_processo.waitForStarted();
    }
    ~TnProcessoLinhas()
    {
        m_processo.write("fim\n");
        m_processo.waitForFinished(30000);
    }
    TnProcessoLinhas(const TnProcessoLinhas&) = delete;
    TnProcessoLinhas& operator=(const TnProcessoLinhas&) = delete;

    void Enviar(const QString& comando) { m_processo.write(comando.toUtf8() + '\n'); }
    // The next line it writes (what it says on stderr when it says nothing for a minute).
    QString Resposta()
    {
        while (!m_processo.canReadLine()) {
            if (!m_processo.waitForReadyRead(60000))
                return QStringLiteral("sem resposta: ") + QString::fromUtf8(m_processo.readAllStandardError());
        }
        return QString::fromUtf8(m_processo.readLine()).trimmed();
    }
    QString Pedir(const QString& comando)
    {
        Enviar(comando);
        return Resposta();
    }

private:
    QProcess m_processo;
};
