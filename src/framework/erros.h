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

// A rule refused the value of a field; the screen shows the message at it.
class EnField : public EnErro {
public:
    EnField(QString campo, const QString& mensagem);

    const QString& Campo() const { return m_campo; }

private:
    QString m_campo;
};

// A process parameter is missing or wrong; the screen shows it at the parameter.
class EnParam : public EnErro {
public:
    EnParam(QString alias, const QString& mensagem);

    const QString& Alias() const { return m_alias; }

private:
    QString m_alias;
};

// Stops an operation without a message (a hook that declines, the user who
// answers "Não"); whoever shows errors ignores it.
class EnAbort : public std::exception {
public:
    const char* what() const noexcept override { return "Operação interrompida"; }
};

[[noreturn]] void Abort();

// A statement the database refused; keeps the statement for support.
// Which of the database's own rules refused a statement.
enum class TnRegraBanco {
    Nenhuma,
    ChaveDuplicada,   // a unique or primary key
    Referencia,       // a foreign key
};

class EnSQL : public EnErro {
public:
    EnSQL(const QString& mensagem, QString comando, TnRegraBanco regra = TnRegraBanco::Nenhuma);

    const QString& Comando() const { return m_comando; }
    // The row was refused because its key is taken (another user saved it first).
    bool ChaveDuplicada() const { return m_regra == TnRegraBanco::ChaveDuplicada; }
    // The row names a row that does not exist, or is named by rows that would be left pointing nowhere.
    bool Referencia() const { return m_regra == TnRegraBanco::Referencia; }

private:
    QString m_comando;
    TnRegraBanco m_regra;
};
