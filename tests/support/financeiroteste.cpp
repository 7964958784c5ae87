#include "financeiroteste.h"

#include "sqlservicos.h"

#include <QDate>

void CadastrarEscritorio(int escritorio, int empresa, int estab)
{
    ExecutarSQLDireto("insert into ESCRITORIO (CODIGOESCRIT, NOMEESCRIT, CODIGOEMPRESA, CODIGOESTAB) values (:c, :n, :e, :f)",
                      {escritorio, QStringLiteral("Escritório %1").arg(escritorio), empresa, estab});
}

void CadastrarPessoaFin(int codigo, const QString& nome, const QVariant& empresa, const QVariant& estab)
{
    ExecutarSQLDireto("insert into PESSOAFINANCEIRO (CODIGOPESSOAFIN, NOME, CODIGOEMPRESA, CODIGOESTAB) values (:c, :n, :e, :f)",
                      {codigo, nome, empresa, estab});
    ExecutarSQLDireto("insert into PESSOAFINCLIENTE (CODIGOPESSOAFIN) values (:c)", {codigo});
}

void CadastrarBoleto(int escritorio, int numero, int cliente, double valor, const QVariant& protocolo)
{
    ExecutarSQLDireto("insert into CONTARECEBER (CODIGOESCRIT, NUMERODCTOCR, NOSSONUMERO, DATAEMISSAOCR, DATAVCTOCR, VALORCR, "
                      "CODIGOCLIENTE, SERIENS, NUMERONS, CODIGOPROTOCOLO) values (:e, :n, :b, :d, :v, :valor, :c, 'A', :n2, :p)",
                      {escritorio, numero, 100000 + numero, QDate(2026, 11, 3), QDate(2026, 11, 10), valor, cliente, numero, protocolo});
}

void CadastrarNota(int escritorio, int numero, int cliente, double valor, bool cancelada, int vistaPrazo)
{
    ExecutarSQLDireto("insert into SERVICONOTA (CODIGOESCRIT, SERIENS, NUMERONS, DATAEMISSAONS, CODIGOCLIENTE, VALORBRUTO, "
                      "VALORLIQUIDO, VISTAPRAZO, CANCELADANS) values (:e, 'A', :n, :d, :c, :v, :v2, :p, :x)",
                      {escritorio, numero, QDate(2026, 11, 3), cliente, valor, valor, vistaPrazo, cancelada ? 1 : 0});
}
