// The document generation: slots per period and month, the run over a
// selection and its rerun, and a failure that leaves the last run in place.
#include "bancoteste.h"
#include "classeslyr.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "gerardocumento.h"
#include "msgtree.h"
#include "registro.h"
#include "sqlservicos.h"

#include <QDate>

namespace {

// Establishments 2/1 and 2/2 configured with group 1, 3/1 without
// configuration, 2/3 inactive. Group 1: type 10 monthly every month, 11
// fortnightly in February, 12 ten-daily in February and March, 13 monthly
// without occurrence months, 14 monthly but not automatic.
class GerarDocumento : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        nRegisterClass(InfoDaClasseLyr<TLyrDPGerarDocumento>());
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{2, 3}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("update ESTAB set ATIVO = '0' where CODIGOEMPRESA = 2 and CODIGOESTAB = 3");
        ExecutarSQLDireto("insert into PROTOCOLOTIPODOC (CODIGOTIPODOC, DESCRTIPODOC, PERIODODIASDESCARTE, GERARAUTO, PERIODODOC, "
                          "MESOCORRENCIA, GERARENVELOPE) values "
                          "(10, 'Folha de pagamento', 0, '1', 1, '1;2;3;4;5;6;7;8;9;10;11;12', '0'), "
                          "(11, 'Notas de entrada', 0, '1', 2, '2', '0'), (12, 'Extrato bancário', 0, '1', 3, '2;3', '0'), "
                          "(13, 'Balancete', 0, '1', 1, null, '0'), (14, 'Contrato', 0, '0', 1, '1;2;3', '0')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Comércio'), (2, 'Vazio')");
        ExecutarSQLDireto("insert into PROTOCOLOGRUPOTIPODOC (CODIGOGRUPODOC, CODIGOTIPODOC) values (1, 10), (1, 11), (1, 12), (1, 13), (1, 14)");
        ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) values "
                          "(2, 1, 1, '2', '1'), (2, 2, 1, '2', '1'), (2, 3, 1, '2', '1')");
        m_processo = CriarDM<TLyrDPGerarDocumento>("TLyrDPGerarDocumento");
    }

    // A run over the first quarter of 2027, confirmed.
    void Gerar(const QString& empresas = "2;3", const QString& estabs = {})
    {
        m_processo->SetParam("pCompetInicial", "01/01/2027");
        m_processo->SetParam("pCompetFinal", "01/03/2027");
        m_processo->SetParam("pCodigoEmpresa", empresas);
        m_processo->SetParam("pCodigoEstab", estabs);
        m_usuario->Esperar("Todos os documentos já gerados automáticamente neste período serão deletados", "Sim");
        m_processo->Processar();
        m_usuario->Verificar();
    }

    int Documentos(const QString& condicao = "1 = 1")
    {
        return Valor("select count(*) from PROTOCOLODOCEMP where " + condicao).toInt();
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    std::unique_ptr<TLyrDPGerarDocumento> m_processo;
};

} // namespace

TEST_F(GerarDocumento, CadaFilialConfiguradaRecebeOsDocumentosDosSeusTipos)
{
    ExecutarSQLDireto("insert into PROTOCOLODOCEMP (CODIGODOCEMP, CODIGOTIPODOC, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, ORIGEMDADO) "
                      "values (1, 10, 2, 1, '2027-01-05', 2), (2, 10, 2, 1, '2026-12-01', 1)");
    Gerar();
    // Per establishment: type 10 three months, 11 two in February, 12 three in February and three in March.
    EXPECT_EQ(Documentos("ORIGEMDADO = 1 and DATALCTOPRO >= '2027-01-01'"), 22);
    EXPECT_EQ(Documentos("CODIGOESTAB = 2 and CODIGOTIPODOC = 12 and DATALCTOPRO in ('2027-02-01', '2027-02-11', '2027-02-21')"), 3);
    EXPECT_EQ(Documentos("CODIGOTIPODOC = 11 and DATALCTOPRO = '2027-02-16'"), 2);
    EXPECT_EQ(Documentos("CODIGOTIPODOC in (13, 14) or CODIGOESTAB = 3 or CODIGOEMPRESA = 3"), 0);
    EXPECT_EQ(Valor("select DESCRDOCEMP from PROTOCOLODOCEMP where CODIGOTIPODOC = 12 and CODIGOESTAB = 1 and DATALCTOPRO = '2027-03-21'")
                  .toString(),
              "Extrato bancário");
    EXPECT_EQ(Documentos("ARQUIVADO = '0'"), 24) << "the table's default";
    EXPECT_EQ(m_processo->DocumentosGerados(), 22);

    const TnMsgTree& mensagens = m_processo->MsgTreeLista();
    const QList<TnMsgNo> topo = mensagens.Filhos();
    ASSERT_EQ(topo.size(), 3);
    EXPECT_EQ(mensagens.Texto(topo[0]), "Empresa: 2 - Empresa 2");
    const QList<TnMsgNo> filiais = mensagens.Filhos(topo[0]);
    ASSERT_EQ(filiais.size(), 2) << "two establishments under one company line; the inactive one left out";
    EXPECT_EQ(mensagens.Texto(filiais[1]), "Filial: 2 - Filial 2");
    EXPECT_EQ(mensagens.Filhos(filiais[0]).size(), 11);
    EXPECT_TRUE(mensagens.Texto(mensagens.Filhos(filiais[0]).first()).startsWith("Documento Número: "));
    const TnMsgNo semConfiguracao = mensagens.Filhos(mensagens.Filhos(topo[1]).first()).first();
    EXPECT_EQ(mensagens.Texto(semConfiguracao), "Filial não possui configuração no protocolo!");
    EXPECT_EQ(mensagens.Tipo(semConfiguracao), TnTipoMsg::Erro);
    EXPECT_EQ(mensagens.Texto(topo[2]), "Operação concluída com sucesso!");

    // Again, for establishment 1 only: its automatic documents replaced with
    // new codes; establishment 2's, the hand-made one and December's stay.
    const qint64 maior = Valor("select max(CODIGODOCEMP) from PROTOCOLODOCEMP").toLongLong();
    ExecutarSQLDireto("update PROTOCOLOGRUPOTIPODOC set CODIGOGRUPODOC = 2 where CODIGOTIPODOC <> 10");
    Gerar("2", "1");
    EXPECT_EQ(Documentos("CODIGOESTAB = 1 and ORIGEMDADO = 1 and DATALCTOPRO >= '2027-01-01'"), 3);
    EXPECT_EQ(Documentos(QStringLiteral("CODIGOESTAB = 1 and ORIGEMDADO = 1 and CODIGODOCEMP <= %1 and DATALCTOPRO >= '2027-01-01'").arg(maior)),
              0);
    EXPECT_EQ(Documentos("CODIGOESTAB = 2 and ORIGEMDADO = 1"), 11);
    EXPECT_EQ(Documentos("CODIGODOCEMP in (1, 2)"), 2);
}

TEST_F(GerarDocumento, GrupoSemTiposAvisaEDizerNaoNaoGeraNada)
{
    ExecutarSQLDireto("update CFGESTABPRO set CODIGOGRUPODOC = 2 where CODIGOESTAB = 2");
    m_processo->SetParam("pCompetInicial", "01/2027");
    m_processo->SetParam("pCompetFinal", "01/2027");
    m_processo->SetParam("pCodigoEmpresa", "2");
    m_usuario->Esperar("Deseja realmente gerar os documentos?", "Não");
    m_processo->Processar();
    EXPECT_EQ(Documentos(), 0);
    m_usuario->Esperar("Deseja realmente gerar os documentos?", "Sim");
    m_processo->Processar();
    EXPECT_EQ(Documentos(), 1);
    const TnMsgTree& mensagens = m_processo->MsgTreeLista();
    const TnMsgNo filial2 = mensagens.Filhos(mensagens.Filhos().first())[1];
    EXPECT_EQ(mensagens.Texto(mensagens.Filhos(filial2).first()), "Grupo 2 não possui tipos de documentos associados a ele!");
}

TEST_F(GerarDocumento, FalhaOuCancelamentoDeixaADaVezAnteriorENaoGravaNada)
{
    Gerar();
    const QVariant codigos = Valor("select sum(CODIGODOCEMP) from PROTOCOLODOCEMP");
    // "Cancelar" on the progress while the second establishment is processed.
    m_usuario->CancelarProgressoAoMostrar("Filial: 2 - Filial 2");
    m_usuario->Esperar("Deseja realmente gerar", "Sim");
    EXPECT_THROW(m_processo->Processar(), EnAbort);
    m_usuario->Verificar();
    EXPECT_EQ(Valor("select sum(CODIGODOCEMP) from PROTOCOLODOCEMP"), codigos);
    FalharInsercoes("PROTOCOLODOCEMP");
    m_processo->SetParam("pCompetInicial", "01/01/2027");
    m_usuario->Esperar("Deseja realmente gerar", "Sim");
    const QString erro = Recusa([&] { m_processo->Processar(); });
    EXPECT_TRUE(erro.startsWith("Operação cancelada! Não foi possível efetuar a operação!\n")) << erro.toStdString();
    EXPECT_TRUE(erro.contains("falha injetada"));
    EXPECT_EQ(Valor("select sum(CODIGODOCEMP) from PROTOCOLODOCEMP"), codigos) << "the first run's documents, as they were";
    bool cancelada = false;
    for (const TnMsgLinha& linha : m_processo->MsgTreeLista().Linhas())
        cancelada = cancelada || (linha.texto == "Operação cancelada! Nenhum documento foi gerado!" && linha.tipo == TnTipoMsg::Erro);
    EXPECT_TRUE(cancelada);
}

TEST_F(GerarDocumento, CompetenciasLidasEEmOrdem)
{
    m_processo->SetParam("pCodigoEmpresa", "2");
    m_processo->SetParam("pCompetInicial", "13/2027");
    m_processo->SetParam("pCompetFinal", "01/2027");
    EXPECT_EQ(Recusa([&] { m_processo->ConferirParametros(); }), "Competência inicial inválida!");
    m_processo->SetParam("pCompetInicial", "02/2027");
    m_processo->SetParam("pCompetFinal", "2027-1");
    EXPECT_EQ(Recusa([&] { m_processo->ConferirParametros(); }), "Competência final inválida!");
    m_processo->SetParam("pCompetFinal", "2027-01");
    EXPECT_EQ(Recusa([&] { m_processo->ConferirParametros(); }), "Competência inicial não pode ser maior do que a competência final!");
    m_processo->SetParam("pCompetFinal", "28/02/2027");
    EXPECT_EQ(Recusa([&] { m_processo->ConferirParametros(); }), "");
}
