#pragma once

#include <QString>

#include <exception>
#include <string>

// Plain error of the framework: a Portuguese message meant for the user.
class EnErro : public std::exception {
public:
    explicit EnErro(QString mensagem);

    const QString& Mensagem() const { return m_mensagem; }
    const char* what() const noexcept override { return m_utf8.c_str(); }

private:
    QString m_mensagem;
    std::string m_utf8;
};

// A statement the database refused; keeps the statement for support.
class EnSQL : public EnErro {
public:
    EnSQL(const QString& mensagem, QString comando);

    const QString& Comando() const { return m_comando; }

private:
    QString m_comando;
};
