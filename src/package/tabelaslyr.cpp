#include "contribuicoeslyr.h"

#include "sqlservicos.h"

namespace {

QList<TnTabela> CriarTabelas()
{
    return {
        {"PROTOCOLO",
         {Big("CODIGOPROTOCOLO").Req(), Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(),
          Data("DATALCTOPRO").Req(), Str("TIPOPRO", 1).Req(), Str("OBSERVACAO", 50),
          Stamp("DATAHORACADASTRO").Req(), Small("CODIGOUSUARIO").Req(), Str("FORMAENTREGA", 1),
          Str("NATUREZAPRO", 1).Req().Padrao("'1'"), Stamp("DATAHORAENTREGA"), Small("CODIGOUSUARIOINT"),
          Str("USUARIOEXT", 50), Stamp("DATAHORABAIXA"), Chr("CANCELADO", 1).Req().Padrao("'0'"),
          Small("ORIGEMDADO").Req()},
         {"CODIGOPROTOCOLO"},
         {{{"CODIGOEMPRESA", "CODIGOESTAB"}, false}, {{"DATALCTOPRO"}, false}},
         {{{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"PROTOCOLOITEM",
         {Big("CODIGOPROTOCOLO").Req(), Small("SEQITEMPRO").Req(), Str("DESCRITEM", 200).Req(),
          Data("COMPETENCIA"), Data("DATALCTOPRO").Req(), Data("VENCIMENTO"), Num("VALOR", 18, 2),
          Int("CODIGOIMPOSTO"), Small("VARIACAOIMPOSTO"), Big("CODIGODOCEMP"), Int("CODIGOFUNCCONTR"),
          Str("CANCELADO", 1).Padrao("'0'"), Str("CHAVEORIGEM", 25), Small("CODIGOUSUARIO").Req(),
          Stamp("DATAHORACADASTRO").Req(), Small("ORIGEMDADO").Req()},
         {"CODIGOPROTOCOLO", "SEQITEMPRO"},
         {{{"CHAVEORIGEM"}, false}, {{"CODIGODOCEMP"}, false}},
         {{{"CODIGOPROTOCOLO"}, "PROTOCOLO"}}},
        {"PROTOCOLORESPESTAB",
         {Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(), Small("SEQ").Req(),
          Str("NOMERESPONSAVEL", 100).Req()},
         {"CODIGOEMPRESA", "CODIGOESTAB", "SEQ"},
         {},
         {{{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"CFGTIPOPROTOCOLO",
         {Small("CODIGOTIPOPROTOCOLO").Req(), Str("DESCRTIPOPROTOCOLO", 100).Req()},
         {"CODIGOTIPOPROTOCOLO"}},
        {"PROTOCOLOTIPODOC",
         {Small("CODIGOTIPODOC").Req(), Str("DESCRTIPODOC", 50).Req(), Int("PERIODODIASDESCARTE").Req(),
          Chr("GERARAUTO", 1).Req(), Small("PERIODODOC").Req(), Str("MESOCORRENCIA", 27),
          Chr("GERARENVELOPE", 1).Req()},
         {"CODIGOTIPODOC"}},
        {"PROTOCOLOGRUPODOC",
         {Small("CODIGOGRUPODOC").Req(), Str("DESCRGRUPODOC", 50).Req()},
         {"CODIGOGRUPODOC"}},
        {"PROTOCOLOGRUPOTIPODOC",
         {Small("CODIGOGRUPODOC").Req(), Small("CODIGOTIPODOC").Req()},
         {"CODIGOGRUPODOC", "CODIGOTIPODOC"},
         {},
         {{{"CODIGOGRUPODOC"}, "PROTOCOLOGRUPODOC"}, {{"CODIGOTIPODOC"}, "PROTOCOLOTIPODOC"}}},
        {"PROTOCOLODOCEMP",
         {Big("CODIGODOCEMP").Req(), Small("CODIGOTIPODOC").Req(), Small("CODIGOEMPRESA").Req(),
          Small("CODIGOESTAB").Req(), Data("DATALCTOPRO").Req(), Str("DESCRDOCEMP", 50),
          Chr("ARQUIVADO", 1).Req().Padrao("'0'"), Small("ORIGEMDADO")},
         {"CODIGODOCEMP"},
         {{{"CODIGOEMPRESA", "CODIGOESTAB", "CODIGOTIPODOC", "DATALCTOPRO"}, false}, {{"DATALCTOPRO"}, false}},
         {{{"CODIGOTIPODOC"}, "PROTOCOLOTIPODOC"}, {{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"PROTOCOLODOCMOVIMENTO",
         {Big("CODIGODOCEMP").Req(), Small("SEQDOCEMP").Req(), Str("OBSERVACAO", 50), Str("TIPOLOCAL", 1).Req(),
          Small("CODIGODPTOESCRIT"), Small("CODIGOUSUARIORESP"), Big("CODIGOPROTOCOLO"),
          Data("DATALCTOPRO").Req(), Stamp("DATAHORA").Req(), Small("CODIGOUSUARIO").Req(),
          Small("ORIGEMDADO").Req(),
          // A document lent out (to a bank, a notary, the client): when it is
          // due back and who answers for its return.
          Data("DATARETORNOPREV"), Str("RESPRETORNO", 50)},
         {"CODIGODOCEMP", "SEQDOCEMP"},
         {},
         // Regenerating a period's automatic documents deletes them with their movements.
         {{{"CODIGODOCEMP"}, "PROTOCOLODOCEMP", true}}},
        {"CFGESTABPRO",
         {Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(), Small("CODIGOGRUPODOC").Req(),
          Str("FORMAENTREGA", 1).Req(), Str("MESMOENDERECOENT", 1).Req()},
         {"CODIGOEMPRESA", "CODIGOESTAB"},
         {},
         {{{"CODIGOGRUPODOC"}, "PROTOCOLOGRUPODOC"}, {{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"PROTOCOLOROTA",
         {Small("CODIGOROTA").Req(), Str("DESCRROTA", 50).Req()},
         {"CODIGOROTA"}},
        {"PROTOCOLOROTAENTREGA",
         {Small("CODIGOROTA").Req(), Small("SEQROTA").Req(), Small("CODIGOEMPRESA").Req(),
          Small("CODIGOESTAB").Req(), Memo("OBSERVACAO")},
         {"CODIGOROTA", "SEQROTA"},
         {{{"CODIGOROTA", "CODIGOEMPRESA", "CODIGOESTAB"}, true}},
         {{{"CODIGOROTA"}, "PROTOCOLOROTA"}, {{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"PROTOCOLOLOCALCAIXA",
         {Small("CODIGOLOCAL").Req(), Str("DESCRLOCAL", 50).Req()},
         {"CODIGOLOCAL"}},
        {"PROTOCOLODOCCAIXA",
         {Small("CODIGOCAIXA").Req(), Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(),
          Data("COMPETINICIAL"), Data("COMPETFINAL"), Small("CODIGOLOCAL").Req()},
         {"CODIGOCAIXA"},
         {},
         {{{"CODIGOLOCAL"}, "PROTOCOLOLOCALCAIXA"}, {{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"PROTOCOLODOCENVELOPE",
         {Small("CODIGOCAIXA").Req(), Int("CODIGOENVELOPE").Req(), Str("DESCRENVELOPE", 50)},
         {"CODIGOCAIXA", "CODIGOENVELOPE"},
         {},
         {{{"CODIGOCAIXA"}, "PROTOCOLODOCCAIXA"}}},
        {"PROTOCOLODOCARQUIVO",
         {Small("CODIGOCAIXA").Req(), Int("CODIGOENVELOPE").Req(), Big("CODIGODOCEMP").Req()},
         {"CODIGOCAIXA", "CODIGOENVELOPE", "CODIGODOCEMP"},
         {{{"CODIGODOCEMP"}, false}},
         {{{"CODIGOCAIXA", "CODIGOENVELOPE"}, "PROTOCOLODOCENVELOPE"},
          // An archived automatic document regenerated leaves its envelope.
          {{"CODIGODOCEMP"}, "PROTOCOLODOCEMP", true}}},
        // A pending slot the office dismissed as not due (a client without
        // movement that month owes no such document): the slot's date, the
        // reason, and who dismissed it when. Deleting the row brings the
        // slot back to the pending list.
        {"PROTOCOLODOCBAIXAJUST",
         {Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(), Small("CODIGOTIPODOC").Req(),
          Data("DATALCTOPRO").Req(), Str("MOTIVO", 200).Req(), Small("CODIGOUSUARIO").Req(), Stamp("DATAHORA").Req(),
          Small("ORIGEMDADO").Req()},
         {"CODIGOEMPRESA", "CODIGOESTAB", "CODIGOTIPODOC", "DATALCTOPRO"},
         {{{"DATALCTOPRO"}, false}},
         {{{"CODIGOTIPODOC"}, "PROTOCOLOTIPODOC"}, {{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB"}}},
        {"HISTORICOPRO",
         {Small("CODIGOHISTPRO").Req(), Str("DESCRISAOHISTPRO", 200).Req(),
          Chr("TEMCOMPLEMENTOHISTORICO", 1).Req().Padrao("'0'")},
         {"CODIGOHISTPRO"}},
    };
}

QStringList NomesDasTabelas()
{
    QStringList nomes;
    for (const TnTabela& tabela : TabelasLyr())
        nomes.append(tabela.nome);
    return nomes;
}

// Offices whose database the host built with these tables before the module
// recorded its own versions.
bool TabelasJaCriadas(nDMConexao& conexao)
{
    return TemTabela(conexao, QStringLiteral("PROTOCOLO"));
}

} // namespace

const QList<TnTabela>& TabelasLyr()
{
    static const QList<TnTabela> tabelas = CriarTabelas();
    return tabelas;
}

QList<TnMigracao> MigracoesLyr()
{
    return {
        {1, QStringLiteral("Tabelas do protocolo"), NomesDasTabelas(), {}, {}, TabelasJaCriadas},
        {2, QStringLiteral("Retorno previsto dos documentos emprestados"), {},
         [](TnBanco) {
             return QStringList{QStringLiteral("ALTER TABLE PROTOCOLODOCMOVIMENTO ADD COLUMN DATARETORNOPREV DATE"),
                                QStringLiteral("ALTER TABLE PROTOCOLODOCMOVIMENTO ADD COLUMN RESPRETORNO VARCHAR(50)")};
         },
         {},
         // Made by step 1 in a database created after this step was written.
         [](nDMConexao& conexao) { return TemColuna(conexao, QStringLiteral("PROTOCOLODOCMOVIMENTO"), QStringLiteral("DATARETORNOPREV")); }},
        {3, QStringLiteral("Baixas justificadas de documentos pendentes"), {QStringLiteral("PROTOCOLODOCBAIXAJUST")}, {}, {},
         [](nDMConexao& conexao) { return TemTabela(conexao, QStringLiteral("PROTOCOLODOCBAIXAJUST")); }},
    };
}
