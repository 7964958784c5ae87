#include "migracoes.h"

#include "lyrsfuncoes.h"  // TabelasDebito

namespace {

// Columns shared by the seven tax-debit tables.
QList<TnColuna> ColunasDebito(const QString& sufixo)
{
    return {
        Small("CODIGOEMPRESA").Req(),
        Big("CHAVEDEBITO" + sufixo).Req(),
        Small("CODIGOESTAB").Req(),
        Int("CODIGOIMPOSTO"),
        Small("VARIACAOIMPOSTO"),
        Data("DATALCTOCTR").Req(),
        Data("DATAFINAL"),
        Num("VALORDEBITO", 18, 2).Req(),
        Data("DATAVENCIMENTO"),
        Small("FORMADEBITO").Req().Padrao("0"),  // 0 guia, 1 débito automático, 2 guia avulsa, 3 parcelamento
        Small("SITUACAODEBITO").Req().Padrao("0"),  // 0 em aberto, 1 pago
        Int("CODIGOTABCTBCTR"),
        Str("CHAVEORIGEM", 25),
        Small("CODIGOUSUARIO"),
        Stamp("DATAHORADEBITO"),
        Big("CODIGOPROTOCOLO"),
        Str("OBSERVDEBITO", 100),
    };
}

QList<TnTabela> CriarTabelasHost()
{
    QList<TnTabela> tabelas = {
        {"EMPRESA",
         {Small("CODIGOEMPRESA").Req(), Str("NOMEEMPRESA", 100).Req(), Str("APELIDOEMPRESA", 30),
          Str("CNPJ", 18), Data("DATACADASTRO"), Chr("ATIVA", 1).Req().Padrao("'1'")},
         {"CODIGOEMPRESA"}},
        {"ESTAB",
         {Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(), Str("NOMEESTAB", 100).Req(),
          Str("APELIDOESTAB", 30).Req(), Str("CNPJ", 18), Str("INSCRICAOESTADUAL", 20),
          Str("INSCRICAOMUNICIPAL", 20), Str("ENDERECO", 100), Str("NUMERO", 10), Str("COMPLEMENTO", 50),
          Str("BAIRRO", 50), Str("CIDADE", 50), Chr("UF", 2), Str("CEP", 9), Str("TELEFONE", 20),
          Str("EMAIL", 100), Chr("ATIVO", 1).Req().Padrao("'1'"), Data("DATAENCERRAMENTO")},
         {"CODIGOEMPRESA", "CODIGOESTAB"},
         {},
         {{{"CODIGOEMPRESA"}, "EMPRESA"}}},
        // Where documents are delivered when it is not the establishment's own address.
        {"ESTABENTREGA",
         {Small("CODIGOEMPRESA").Req(), Small("CODIGOESTAB").Req(), Str("ENDERECO", 100).Req(),
          Str("NUMERO", 10), Str("COMPLEMENTO", 50), Str("BAIRRO", 50), Str("CIDADE", 50), Chr("UF", 2),
          Str("CEP", 9), Str("CONTATO", 100), Str("TELEFONE", 20), Str("OBSERVACAO", 200)},
         {"CODIGOEMPRESA", "CODIGOESTAB"},
         {},
         {{{"CODIGOEMPRESA", "CODIGOESTAB"}, "ESTAB", true}}},
        {"DPTOESCRIT",
         {Small("CODIGODPTOESCRIT").Req(), Str("DESCRDPTOESCRIT", 50).Req(), Chr("ATIVO", 1).Req().Padrao("'1'")},
         {"CODIGODPTOESCRIT"}},
        {"USUARIO",
         {Small("CODIGOUSUARIO").Req(), Str("NOMEUSUARIO", 30).Req(), Str("NOMEUSUARIOCOMPL", 100).Req(),
          Str("EMAIL", 100), Small("CODIGODPTOESCRIT"), Str("SENHASAL", 32), Str("SENHAHASH", 128),
          Chr("ADMINISTRADOR", 1).Req().Padrao("'0'"), Chr("ATIVO", 1).Req().Padrao("'1'")},
         {"CODIGOUSUARIO"},
         {{{"NOMEUSUARIO"}, true}}},
        // Rights granted or refused per user, by the name of the action they guard.
        {"USUARIODIREITO",
         {Small("CODIGOUSUARIO").Req(), Str("NOMEDIREITO", 100).Req(), Chr("PERMITIDO", 1).Req().Padrao("'1'")},
         {"CODIGOUSUARIO", "NOMEDIREITO"},
         {},
         {{{"CODIGOUSUARIO"}, "USUARIO", true}}},
        // A tax and its variations (e.g. IRPJ quarterly and monthly estimate).
        {"IMPOSTO",
         {Int("CODIGOIMPOSTO").Req(), Small("VARIACAOIMPOSTO").Req(), Str("DESCRIMPOSTO", 100).Req(),
          Str("DESCRPROTOCOLO", 100), Str("CODIGORECEITA", 10), Small("ESFERA").Req(),
          Chr("ATIVO", 1).Req().Padrao("'1'")},
         {"CODIGOIMPOSTO", "VARIACAOIMPOSTO"}},
        // Payroll.
        {"FUNCPESSOA",
         {Int("CODIGOFUNCPESSOA").Req(), Str("NOMEFUNC", 100).Req(), Str("CPF", 14), Data("DATANASCIMENTO"),
          Str("PIS", 14)},
         {"CODIGOFUNCPESSOA"}},
        {"FUNCCONTRATO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Int("CODIGOFUNCPESSOA").Req(),
          Data("DATAADMISSAO").Req(), Data("DATADEMISSAO"), Str("CARGO", 50), Num("SALARIO", 18, 2)},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR"}},
        // Where an employee works from a date on.
        {"FUNCLOCAL",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Data("DATATRANSF").Req(),
          Small("CODIGOESTAB").Req()},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATATRANSF"}},
        {"PERIODOCALCULO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOPERCALCULO").Req(), Str("DESCRPERCALCULO", 50),
          Small("TIPOFOLHA").Req().Padrao("1"), Data("COMPETENCIA").Req(), Data("DATAINICIALFOLHA").Req(),
          Data("DATAFINALFOLHA").Req(), Data("DATAPGTO").Req()},
         {"CODIGOEMPRESA", "CODIGOPERCALCULO"}},
        {"FUNCPERCALCULO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOPERCALCULO").Req(), Int("CODIGOFUNCCONTR").Req(),
          Data("DATAPGTOFOLHA").Req(), Data("DATALOCAL").Req()},
         {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR"}},
        {"CALCULOEVENTO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOPERCALCULO").Req(), Int("CODIGOFUNCCONTR").Req(),
          Int("CODIGOEVENTO").Req(), Num("REFERENCIA", 18, 2), Num("VALOREVENTO", 18, 2).Req()},
         {"CODIGOEMPRESA", "CODIGOPERCALCULO", "CODIGOFUNCCONTR", "CODIGOEVENTO"}},
        {"RESCISAO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Chr("COMPLEMENTAR", 1).Req().Padrao("'0'"),
          Small("CODIGOCAUSA"), Str("CODIGOSAQUE", 5), Str("TIPOAFASTSEFIP", 3), Small("TIPOAFASTCAGED"),
          Small("TIPOAFASTRAIS"), Small("CODIGOMOTDEM"), Data("DATARESC").Req(), Data("DATAAVPREVIO"),
          Data("DATAPGTORESC"), Small("DIASTRAB"), Small("DIASAVINDEN"), Small("DIASAVREAV"),
          Small("DIASESTABIL"), Small("DIASGRATIF"), Num("SALFINAL", 18, 2), Num("FGTSMESANT", 18, 2),
          Small("CODIGOFPAS"), Small("CODIGOOUTEMP"), Num("SALDOFGTS", 18, 2), Num("REMMULTA", 18, 2),
          Num("VALORMULTA", 18, 2), Num("REMMULTARECOL", 18, 2), Num("VALORMULTARECOL", 18, 2),
          Num("BASEINSS", 18, 2), Num("DEDUCAO", 18, 2), Num("FGTSRECOL", 18, 2), Num("VALORINSS", 18, 2),
          Num("REMUNRESCISAO", 18, 2), Chr("REPOSICAOVAGA", 1), Chr("AVISOPREVIO", 1)},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR"}},
        {"RESCISAOEVENTO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Int("CODIGOEVENTO").Req(),
          Num("REFERENCIA", 18, 2), Num("VALOREVENTO", 18, 2).Req()},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "CODIGOEVENTO"}},
        {"RECIBOFERIAS",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Data("DATAINICIAL").Req(),
          Data("DATAINICIALFERIAS").Req(), Data("DATAFINALFERIAS").Req(), Data("DATAABONO"),
          Chr("PAGAADTO13", 1).Req().Padrao("'0'"), Data("DATAPGTO").Req(), Chr("DESCADTO", 1),
          Small("FORMAGERACAO"), Small("DIASDOBROFERIAS"), Small("DIASDOBROABONO"), Small("TIPORECIBO"),
          Data("DATARETORNOFERIAS"), Data("DATAAVISO"), Data("DATASOLICABONO"), Small("DIASABONO"),
          Small("DIASFERIAS"), Small("DIASREMUN"), Chr("DESCONTPARCELA", 1), Small("NUMEROPARCELA"),
          Data("COMPETINICIAL"), Small("DIASPREMIO")},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS"}},
        {"FERIASEVENTO",
         {Small("CODIGOEMPRESA").Req(), Int("CODIGOFUNCCONTR").Req(), Data("DATAINICIAL").Req(),
          Data("DATAINICIALFERIAS").Req(), Int("CODIGOEVENTO").Req(), Num("REFERENCIA", 18, 2),
          Num("VALOREVENTO", 18, 2).Req()},
         {"CODIGOEMPRESA", "CODIGOFUNCCONTR", "DATAINICIAL", "DATAINICIALFERIAS", "CODIGOEVENTO"}},
        // Financial module: the office's branches that bill clients, the people
        // it deals with, its clients, boletos (receivables) and service invoices.
        {"ESCRITORIO",
         {Small("CODIGOESCRIT").Req(), Str("NOMEESCRIT", 100).Req(), Small("CODIGOEMPRESA").Req(),
          Small("CODIGOESTAB").Req()},
         {"CODIGOESCRIT"}},
        {"PESSOAFINANCEIRO",
         {Int("CODIGOPESSOAFIN").Req(), Str("NOME", 100).Req(), Str("CNPJCPF", 18), Small("CODIGOEMPRESA"),
          Small("CODIGOESTAB"), Str("EMAIL", 100), Str("TELEFONE", 20), Chr("ATIVO", 1).Req().Padrao("'1'")},
         {"CODIGOPESSOAFIN"}},
        {"PESSOAFINCLIENTE",
         {Int("CODIGOPESSOAFIN").Req(), Data("DATACADASTRO"), Small("DIAVENCIMENTO"), Num("VALORHONORARIO", 18, 2)},
         {"CODIGOPESSOAFIN"}},
        {"CONTARECEBER",
         {Small("CODIGOESCRIT").Req(), Int("NUMERODCTOCR").Req(), Big("NOSSONUMERO").Req().Padrao("0"),
          Data("DATAEMISSAOCR").Req(), Data("DATAVCTOCR").Req(), Num("VALORCR", 18, 2).Req(),
          Int("CODIGOCLIENTE").Req(), Str("SERIENS", 5), Int("NUMERONS"), Data("DATAPGTOCR"),
          Big("CODIGOPROTOCOLO"), Small("SEQITEMPRO")},
         {"CODIGOESCRIT", "NUMERODCTOCR"},
         {{{"CODIGOESCRIT", "SERIENS", "NUMERONS"}, false}, {{"CODIGOCLIENTE"}, false}}},
        {"SERVICONOTA",
         {Small("CODIGOESCRIT").Req(), Str("SERIENS", 5).Req(), Int("NUMERONS").Req(),
          Data("DATAEMISSAONS").Req(), Int("CODIGOCLIENTE").Req(), Num("VALORBRUTO", 18, 2).Req(),
          Num("VALORLIQUIDO", 18, 2).Req(), Small("VISTAPRAZO").Req().Padrao("1"),
          Small("CANCELADANS").Req().Padrao("0"), Str("DISCRIMINACAO", 200), Big("CODIGOPROTOCOLO"),
          Small("SEQITEMPRO")},
         {"CODIGOESCRIT", "SERIENS", "NUMERONS"}},
    };
    for (const TnTabelaDebito& debito : TabelasDebito()) {
        TnTabela tabela{debito.tabela, ColunasDebito(debito.sufixo), {"CODIGOEMPRESA", "CHAVEDEBITO" + debito.sufixo}};
        if (debito.tabela == "DEBITOFOLHA")
            tabela.colunas.append(Int("CODIGOFUNCCONTR"));
        tabela.indices.append({{"CODIGOEMPRESA", "CODIGOESTAB", "DATALCTOCTR"}, false});
        tabelas.append(tabela);
    }
    return tabelas;
}

} // namespace

const QList<TnTabela>& TabelasHost()
{
    static const QList<TnTabela> tabelas = CriarTabelasHost();
    return tabelas;
}

const QList<TnVisao>& VisoesHost()
{
    // The payroll reads employees by contract with their names.
    static const QList<TnVisao> visoes = {
        {"FUNCIONARIO",
         "select FC.CODIGOEMPRESA, FC.CODIGOFUNCCONTR, FP.NOMEFUNC, FP.CPF, FC.DATAADMISSAO, FC.DATADEMISSAO, "
         "FC.CARGO from FUNCCONTRATO FC join FUNCPESSOA FP on FP.CODIGOFUNCPESSOA = FC.CODIGOFUNCPESSOA"},
    };
    return visoes;
}
