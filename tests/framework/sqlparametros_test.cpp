#include "sqlparametros.h"

#include <gtest/gtest.h>

TEST(ConverterParametros, NomesRepetidosEmCaixasDiferentesTomamUmValor)
{
    const TnComandoPosicional comando = ConverterParametros(
        QStringLiteral("select * from T where A = :pListarDebitos and (:PLISTARDEBITOS = 1 or B = :pOutro)"));
    EXPECT_EQ(comando.texto, "select * from T where A = ? and (? = 1 or B = ?)");
    EXPECT_EQ(comando.nomes, QStringList({"pListarDebitos", "pOutro"}));
    EXPECT_EQ(comando.posicoes, QList<int>({0, 0, 1}));
}

TEST(ConverterParametros, IgnoraTextosComentariosEConversoes)
{
    const TnComandoPosicional comando = ConverterParametros(QStringLiteral(
        "select 'Recebido em: 10:30', 'D''Ávila :x', \"COL:y\", V::text -- :comentario\n"
        "from T /* :bloco */ where C = :c"));
    EXPECT_EQ(comando.nomes, QStringList({"c"}));
    EXPECT_TRUE(comando.texto.contains("'Recebido em: 10:30'"));
    EXPECT_TRUE(comando.texto.contains("V::text"));
    EXPECT_TRUE(comando.texto.endsWith("where C = ?"));
}
