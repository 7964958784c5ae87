#include "erros.h"

EnErro::EnErro(QString mensagem)
    : m_mensagem(std::move(mensagem)), m_utf8(m_mensagem.toStdString())
{
}

EnSQL::EnSQL(const QString& mensagem, QString comando)
    : EnErro(mensagem), m_comando(std::move(comando))
{
}
