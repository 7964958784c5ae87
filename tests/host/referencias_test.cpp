// The foreign keys the schema declares, tried one by one on the database:
// a row naming a missing row is refused, a row still named is not deleted
// (or takes its dependants along where the key says so), with our message.
#include "bancoteste.h"
#include "erros.h"
#include "esquema.h"
#include "migracoes.h"
#include "pacote.h"
#include "sqldataset.h"
#include "sqlservicos.h"

#include <QDate>

namespace {

// A value of the column's type; key and reference columns all take 1, so
// that the rows made for one table name each other.
QVariant ValorDeTeste(const TnColuna& coluna)
{
    switch (coluna.tipo) {
    case TnTipoColuna::Char:
    case TnTipoColuna::VarChar:
        return QStringLiteral("1");
    case TnTipoColuna::Memo:
        return QStringLiteral("texto");
    case TnTipoColuna::Date:
        return QDate(2026, 1, 1);
    case TnTipoColuna::Timestamp:
        return QDateTime(QDate(2026, 1, 1), QTime(8, 0));
    default:
        return 1;
    }
}

class Referencias : public TesteComBanco {
protected:
    // The host's tables and the installed packages', as migrated.
    QList<TnTabela> Tabelas()
    {
        QList<TnTabela> tabelas = TabelasHost();
        for (const TnDescricaoPacote* pacote : Pacotes())
            tabelas += pacote->tabelas;
        return tabelas;
    }

    QList<TnTabela> TabelasComReferencias()
    {
        QList<TnTabela> comReferencias;
        for (const TnTabela& tabela : Tabelas()) {
            if (!tabela.referencias.isEmpty())
                comReferencias.append(tabela);
        }
        return comReferencias;
    }

    // The row of `tabela` whose columns are all ValorDeTeste, after the rows
    // it names (recursively); nothing when it is there already.
    void CriarLinha(const TnTabela& tabela)
    {
        QStringList iguais;
        for (const TnColuna& coluna : tabela.colunas) {
            if (tabela.chave.contains(coluna.nome))
                iguais.append(ValorParaSQL(coluna.nome, QStringLiteral("="), ValorDeTeste(coluna)));
        }
        if (PegarTemRegistro(tabela.nome, tabela.chave.first(), iguais.join(QStringLiteral(" and "))))
            return;
        for (const TnReferencia& referencia : tabela.referencias)
            CriarLinha(*AcharTabela(Tabelas(), referencia.tabela));
        Inserir(tabela, {});
    }

    // Inserts a row of ValorDeTeste with some columns changed.
    void Inserir(const TnTabela& tabela, const QVariantMap& outros)
    {
        QStringList colunas;
        QStringList parametros;
        QVariantList valores;
        for (const TnColuna& coluna : tabela.colunas) {
            colunas.append(coluna.nome);
            parametros.append(QStringLiteral(":p") + coluna.nome);
            valores.append(outros.value(coluna.nome, ValorDeTeste(coluna)));
        }
        ExecutarSQLDireto(QStringLiteral("insert into %1 (%2) values (%3)").arg(tabela.nome, colunas.join(u','), parametros.join(u',')),
                          valores);
    }

    // The message of the refusal `acao` raises; fails when it raises none
    // or when another rule refused it.
    QString RecusaDaReferencia(const std::function<void()>& acao)
    {
        try {
            acao();
        } catch (const EnSQL& erro) {
            EXPECT_TRUE(erro.Referencia()) << erro.what();
            return erro.Mensagem();
        }
        ADD_FAILURE() << "nothing refused";
        return {};
    }
};

} // namespace

TEST_F(Referencias, LinhaQueApontaParaONadaERecusada)
{
    int referencias = 0;
    for (const TnTabela& tabela : TabelasComReferencias()) {
        for (const TnReferencia& referencia : tabela.referencias) {
            SCOPED_TRACE((tabela.nome + " -> " + referencia.tabela).toStdString());
            Con().StartTransaction();
            // The table's own row made and taken away again: only its parents stay.
            CriarLinha(tabela);
            ExecutarSQLDireto(QStringLiteral("delete from %1").arg(tabela.nome));
            QVariantMap orfa;
            for (const QString& coluna : referencia.colunas)
                orfa.insert(coluna, 999);
            EXPECT_EQ(RecusaDaReferencia([&] { Inserir(tabela, orfa); }),
                      "O registro não pode ser gravado: ele se refere a um registro que não existe.");
            Con().RollBack();
            ++referencias;
        }
    }
    EXPECT_GE(referencias, 20);
    EXPECT_EQ(Valor("select count(*) from EMPRESA").toInt(), 0) << "each case was rolled back";
}

TEST_F(Referencias, LinhaReferidaNaoSeExcluiOuLevaAsDependentes)
{
    for (const TnTabela& tabela : TabelasComReferencias()) {
        for (const TnReferencia& referencia : tabela.referencias) {
            SCOPED_TRACE((tabela.nome + " -> " + referencia.tabela).toStdString());
            Con().StartTransaction();
            CriarLinha(tabela);
            const QString excluir = QStringLiteral("delete from %1").arg(referencia.tabela);
            if (referencia.cascata) {
                ExecutarSQLDireto(excluir);
                EXPECT_EQ(Valor(QStringLiteral("select count(*) from %1").arg(tabela.nome)).toInt(), 0);
            } else {
                EXPECT_EQ(RecusaDaReferencia([&] { ExecutarSQLDireto(excluir); }),
                          "Este registro não pode ser excluído: outros registros dependem dele.");
            }
            Con().RollBack();
        }
    }
}

class ReferenciasNaMigracao : public TesteComBanco {
protected:
    bool Migrar() const override { return false; }
};

// A database made before the foreign keys: rows that would break them stop
// the update with their names and leave it as it was; once fixed, it takes them.
TEST_F(ReferenciasNaMigracao, BancoAntigoRecebeAsChavesDepoisDeCorrigido)
{
    TnMigrador migrador(Con(), Pacotes());
    migrador.Atualizar(3);
    TnTabela direitoAntigo = *TabelaDoHost("USUARIODIREITO");
    direitoAntigo.referencias.clear();
    ExecutarSQLDireto("drop table USUARIODIREITO");
    for (const QString& comando : ComandosCriarTabela(direitoAntigo, Con().Banco()))
        ExecutarSQLDireto(comando);
    ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO) values (77, 'DireitoX')");
    try {
        migrador.Atualizar();
        ADD_FAILURE() << "the orphan right went through";
    } catch (const EnErro& erro) {
        EXPECT_TRUE(erro.Mensagem().contains("1 linha(s) de USUARIODIREITO com CODIGOUSUARIO inexistente em USUARIO")) << erro.what();
    }
    EXPECT_EQ(migrador.VersaoAtual(), 3);
    EXPECT_EQ(Valor("select count(*) from USUARIODIREITO").toInt(), 1);

    ExecutarSQLDireto("insert into USUARIO (CODIGOUSUARIO, NOMEUSUARIO, NOMEUSUARIOCOMPL) values (77, 'joana', 'Joana')");
    EXPECT_GE(migrador.Atualizar(), 1);
    EXPECT_EQ(Valor("select NOMEDIREITO from USUARIODIREITO where CODIGOUSUARIO = 77").toString(), "DireitoX") << "rows kept";
    EXPECT_THROW(ExecutarSQLDireto("insert into USUARIODIREITO (CODIGOUSUARIO, NOMEDIREITO) values (78, 'DireitoX')"), EnSQL);
    // The key deletes a user's rights with the user.
    ExecutarSQLDireto("delete from USUARIO where CODIGOUSUARIO = 77");
    EXPECT_EQ(Valor("select count(*) from USUARIODIREITO").toInt(), 0);
}
