#include "erros.h"

EnErro::EnErro(QString mensagem)
    : m_mensagem(std::move(mensagem)), m_utf8(m_mensagem.toStdString())
{
}

EnSQL::EnSQL(const QString& mensagem, QString comando, TnRegraBanco regra)
    : EnErro(mensagem), m_comando(std::move(comando)), m_regra(regra)
{
}

EnField::EnField(QString campo, const QString& mensagem)
    : EnErro(mensagem), m_campo(std::move(campo))
{
}

EnParam::EnParam(QString alias, const QString& mensagem)
    : EnErro(mensagem), m_alias(std::move(alias))
{
}

void Abort()
{
    throw EnAbort();
}
