// Routes and their stops: one description per route, one stop per
// establishment in a route, the stops under their route and numbered in it;
// a route's stops laid out in the configuration's working grid and saved.
#include "bancoteste.h"
#include "classeshost.h"
#include "classeslyr.h"
#include "configurarrota.h"
#include "dialogosroteiro.h"
#include "erros.h"
#include "relatorio.h"
#include "rotas.h"
#include "sqldataset.h"
#include "sqlservicos.h"

namespace {

// Routes 1 "Centro" and 2 "Zona Norte"; establishments 2/1, 2/2 and 3/1;
// route 1 stops at 2/1.
class Rotas : public TesteComBanco {
protected:
    void SetUp() override
    {
        TesteComBanco::SetUp();
        RegistrarCadastrosHost();
        for (const TnInfoClasse& classe : {InfoDaClasseLyr<TLyrDMProtocoloRota>(), InfoDaClasseLyr<TLyrDCProtocoloRota>(),
                                           InfoDaClasseLyr<TLyrDMProtocoloRotaEntrega>()})
            nRegisterClass(classe);
        for (const auto& [empresa, estab] : {std::pair{2, 1}, std::pair{2, 2}, std::pair{3, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into PROTOCOLOROTA (CODIGOROTA, DESCRROTA) values (1, 'Centro'), (2, 'Zona Norte')");
        ExecutarSQLDireto("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB) values (1, 1, 2, 1)");
    }

    static QString Recusado(TnClientDataSet& ds)
    {
        const QString recusa = Recusa([&] { ds.Post(); });
        EXPECT_NE(ds.State(), TnDataSetState::dsBrowse) << "left to be corrected";
        ds.Cancel();
        return recusa;
    }
};

} // namespace

TEST_F(Rotas, DescricaoUnicaETwinDeConsulta)
{
    TLyrDMProtocoloRota rotas;
    rotas.Abrir();
    TnClientDataSet& ds = rotas.nClientDataSet;
    EXPECT_EQ(ds.Tela().CadCons, "LyrDCProtocoloRota");
    EXPECT_FALSE(ds.PodeAlterarChave());
    ds.Append();
    ds.FieldByName("DESCRROTA").SetValue("Centro");
    EXPECT_EQ(Recusado(ds), "Já existe cadastrado uma rota com a mesma descrição.");
    ds.Append();
    ds.FieldByName("DESCRROTA").SetValue("Campinas");
    ds.Post();
    EXPECT_EQ(ds.FieldByName("CODIGOROTA").AsInteger(), 3) << "numbered by the register";

    ASSERT_TRUE(ds.Locate("CODIGOROTA", 1));
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("CENTRO");
    ds.Post();
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("Zona Norte");
    EXPECT_EQ(Recusado(ds), "Já existe cadastrado uma rota com a mesma descrição.");
    ds.Edit();
    ds.FieldByName("DESCRROTA").SetValue("Centro Expandido");
    ds.Post();
    EXPECT_EQ(Valor("select DESCRROTA from PROTOCOLOROTA where CODIGOROTA = 1").toString(), "Centro Expandido");

    TLyrDCProtocoloRota consulta;
    consulta.Abrir();
    EXPECT_EQ(consulta.nClientDataSet.RecordCount(), 3);
    EXPECT_EQ(consulta.nClientDataSet.Tela().CadCons, "LyrDMProtocoloRota");
    EXPECT_EQ(consulta.nClientDataSet.Tela().Indexs.first().Fields, "DESCRROTA");
    EXPECT_EQ(consulta.nClientDataSet.Tela().OrdemCaption, "Código Rota");
}

TEST_F(Rotas, ParadasDaRotaNumeradasEUmaPorFilial)
{
    TLyrDMProtocoloRota rotas;
    rotas.DataModuleCreate();
    rotas.Abrir();
    rotas.CriarDetalhe();
    TnDMClientDataSet* paradas = rotas.Detalhe("TLyrDMProtocoloRotaEntrega");
    ASSERT_NE(paradas, nullptr);
    TnClientDataSet& ds = paradas->nClientDataSet;
    EXPECT_FALSE(paradas->FieldByName("CODIGOROTA").Visible()) << "every stop has it";
    EXPECT_EQ(ds.RecordCount(), 1);
    EXPECT_EQ(paradas->FieldByName("OBSERVACAO").Definicao().TipoControle, TnTipoControle::ntcMemo);

    const auto parar = [&](int empresa, int estab) {
        ds.Append();
        paradas->FieldByName("CODIGOEMPRESA").SetValue(empresa);
        paradas->FieldByName("CODIGOESTAB").SetValue(estab);
    };
    parar(2, 1);
    EXPECT_EQ(Recusado(ds), "Já existe cadastrada um estabelecimento nesta rota de entrega.");
    parar(2, 2);
    ds.Post();
    parar(3, 1);
    ds.Post();
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 and SEQROTA in (2, 3)").toInt(), 2)
        << "numbered 1, 2, 3 within the route";
    // Only the observation changed: no check; moving the stop onto another
    // establishment of the route is refused.
    ASSERT_TRUE(ds.Locate("SEQROTA", 1));
    ds.Edit();
    paradas->FieldByName("OBSERVACAO").SetValue("Entregar na recepção");
    ds.Post();
    ds.Edit();
    paradas->FieldByName("CODIGOESTAB").SetValue(2);
    EXPECT_EQ(Recusado(ds), "Já existe cadastrada um estabelecimento nesta rota de entrega.");

    // The next route: its own stops, and 2/1 may be one of them.
    rotas.nClientDataSet.Next();
    EXPECT_EQ(rotas.nClientDataSet.FieldByName("CODIGOROTA").AsInteger(), 2);
    EXPECT_EQ(ds.RecordCount(), 0) << "the stops of the current route only";
    parar(2, 1);
    ds.Post();
    EXPECT_EQ(Valor("select SEQROTA from PROTOCOLOROTAENTREGA where CODIGOROTA = 2 and CODIGOEMPRESA = 2").toInt(), 1);
}

namespace {

// Route 1 laid out in the configuration's working grid, with stops at 2/1,
// 2/2, 3/1, 3/2 and 4/1 in that order.
class ConfigurarRota : public Rotas {
protected:
    void SetUp() override
    {
        Rotas::SetUp();
        for (const auto& [empresa, estab] : {std::pair{3, 2}, std::pair{4, 1}})
            CadastrarFilial(empresa, estab);
        ExecutarSQLDireto("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB, OBSERVACAO) values "
                          "(1, 2, 2, 2, null), (1, 3, 3, 1, null), (1, 4, 3, 2, null), (1, 5, 4, 1, null)");
        m_usuario = &TnDialogosRoteiro::Instalar(*m_host);
        m_processo.DataModuleCreate();
        m_processo.SetParam("pCodigoRota", "1");
        m_processo.Processar();
    }
    TnClientDataSet& Ds() { return m_processo.nClientDataSet; }
    // "seq:empresa/estab" of every row, in the grid's order.
    QStringList Paradas()
    {
        QStringList paradas;
        for (int linha = 0; linha < Ds().RecordCount(); ++linha)
            paradas.append(QStringLiteral("%1:%2/%3")
                               .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("Seq").Index()).toInt())
                               .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("CodigoEmpresa").Index()).toInt())
                               .arg(Ds().ValorNaLinha(linha, Ds().FieldByName("CodigoEstab").Index()).toInt()));
        return paradas;
    }
    QString Gravar(bool grava)
    {
        m_usuario->Esperar("Deseja realmente apagar a configuração da rota antiga e criar esta nova?", "Sim");
        if (grava)
            m_usuario->Esperar("Configuração de rota gravada com sucesso!", "OK");
        return Recusa([&] { m_processo.actGravarExecute(); });
    }

    TnDialogosRoteiro* m_usuario = nullptr;
    TLyrDPConfigurarRotaEntrega m_processo;
};

} // namespace

TEST_F(ConfigurarRota, MoverApagarCopiarEAnotar)
{
    EXPECT_EQ(Paradas(), QStringList({"1:2/1", "2:2/2", "3:3/1", "4:3/2", "5:4/1"}));
    EXPECT_FALSE(m_processo.TemAlteracao());
    EXPECT_EQ(Ds().FieldByName("NomeEstab").AsString(), "Filial 1") << "the names looked up";

    // The moved stop changes place with its neighbour and stays current;
    // nothing moves past either end.
    Ds().SetRecNo(2);
    m_processo.actMoverParaCima();
    EXPECT_EQ(Paradas().mid(0, 2), QStringList({"1:2/2", "2:2/1"}));
    EXPECT_EQ(Ds().RecNo(), 1);
    m_processo.actMoverParaCima();
    m_processo.actMoverParaBaixo();
    m_processo.actMoverParaBaixo();
    EXPECT_EQ(Paradas().mid(0, 3), QStringList({"1:2/1", "2:3/1", "3:2/2"}));
    EXPECT_EQ(Ds().RecNo(), 3);
    Ds().Last();
    m_processo.actMoverParaBaixo();
    EXPECT_EQ(Paradas().last(), "5:4/1");
    // Dragged (the mouse's move): the last stop to the second place.
    m_processo.MoverPara(5, 2);
    EXPECT_EQ(Paradas(), QStringList({"1:2/1", "2:4/1", "3:3/1", "4:2/2", "5:3/2"}));
    EXPECT_EQ(Ds().RecNo(), 2);
    m_processo.MoverPara(2, 5);
    EXPECT_TRUE(m_processo.TemAlteracao());

    // Deleting the third renumbers 1 to 4 and stays on the third place.
    Ds().SetRecNo(3);
    m_processo.actDeletarSequencia();
    EXPECT_EQ(Paradas(), QStringList({"1:2/1", "2:3/1", "3:3/2", "4:4/1"}));
    EXPECT_EQ(Ds().RecNo(), 3);

    // Nothing copied yet: pasting does nothing; then the establishment
    // (only) of the first stop onto the current one.
    m_processo.ColarDados();
    EXPECT_EQ(Paradas()[2], "3:3/2");
    Ds().First();
    m_processo.CopiarDados();
    Ds().SetRecNo(3);
    m_processo.ColarDados();
    EXPECT_EQ(Paradas()[2], "3:2/1");

    // The observation typed in its dialog; the grid shows 28 characters, a
    // line break as a blank.
    m_usuario->EsperarQuestionario("Digite a observação:", {{"observacao", "Portão\r\nlateral, tocar a campainha duas vezes"}});
    m_processo.actObservacoes();
    EXPECT_EQ(Ds().FieldByName("Obs").DisplayText(), "Portão lateral, tocar a cam") << "cut at 28, then the line break made one blank";
    m_usuario->EsperarQuestionario("Digite a observação:", {});
    m_processo.actObservacoes();
    EXPECT_TRUE(Ds().FieldByName("Obs").AsString().startsWith("Portão")) << "closed without Incluir: kept";

    // A new stop comes after the last one posted.
    Ds().Append();
    EXPECT_EQ(Ds().FieldByName("Seq").AsInteger(), 4) << "after the observation's stop, posted last";
    Ds().FieldByName("CodigoEmpresa").SetValue(4);
    EXPECT_EQ(Recusa([&] { Ds().Post(); }), "O código da filial não pode ser nulo!");
    EXPECT_EQ(Ds().State(), TnDataSetState::dsBrowse) << "the row stays posted";
}

TEST_F(ConfigurarRota, GravarNumeraPelaOrdemESubstituiTudo)
{
    // Places typed by hand (1, 3, 3, 9...) are stored as 1, 2, 3… in grid order.
    Ds().SetRecNo(2);
    Ds().Edit();
    Ds().FieldByName("Seq").SetValue(3);
    Ds().Post();
    Ds().Last();
    Ds().Edit();
    Ds().FieldByName("Seq").SetValue(9);
    Ds().Post();
    const QStringList ordem = Paradas();
    // The same establishment twice, or one not registered: nothing written.
    Ds().First();
    m_processo.CopiarDados();
    Ds().Last();
    m_processo.ColarDados();
    EXPECT_EQ(Gravar(false), "Já existe cadastrada um estabelecimento nesta rota de entrega.");
    Ds().Edit();
    Ds().FieldByName("CodigoEmpresa").SetValue(99);
    Ds().Post();
    EXPECT_EQ(Gravar(false), "O Codigo da Empresa não pode ser nulo!");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOROTAENTREGA where CODIGOROTA = 1").toInt(), 5);
    Ds().Edit();
    Ds().FieldByName("CodigoEmpresa").SetValue(4);
    Ds().FieldByName("CodigoEstab").SetValue(1);
    Ds().Post();
    EXPECT_EQ(Gravar(true), "");
    EXPECT_FALSE(m_processo.TemAlteracao());
    const auto gravadas = [this] {
        auto lidas = ExecutarSQL("select SEQROTA, CODIGOEMPRESA, CODIGOESTAB from PROTOCOLOROTAENTREGA where CODIGOROTA = 1 order by SEQROTA");
        QStringList paradas;
        for (int linha = 0; linha < lidas->RecordCount(); ++linha)
            paradas.append(QStringLiteral("%1:%2/%3").arg(lidas->Valor(linha, 0).toInt()).arg(lidas->Valor(linha, 1).toInt()).arg(lidas->Valor(linha, 2).toInt()));
        return paradas;
    };
    QStringList esperadas;
    for (int i = 0; i < ordem.size(); ++i)
        esperadas.append(QStringLiteral("%1:%2").arg(i + 1).arg(ordem[i].section(u':', 1)));
    EXPECT_EQ(gravadas(), esperadas);

    // A failure in the middle (after the deletion) leaves the stops as they were.
    m_processo.actMoverParaCima();
    FalharInsercoes("PROTOCOLOROTAENTREGA");
    EXPECT_TRUE(Gravar(false).startsWith("Operação cancelada! Não foi possível efetuar a operação!\n"));
    EXPECT_EQ(gravadas(), esperadas);
    ExecutarSQLDireto(BancoDoTeste() == TnBanco::SQLite ? "drop trigger FALHA_PROTOCOLOROTAENTREGA"
                                                        : "drop trigger FALHA_PROTOCOLOROTAENTREGA on PROTOCOLOROTAENTREGA");

    // Cancelling reads the route again; an empty grid saved empties it.
    m_processo.actDeletarSequencia();
    m_processo.actCancelarExecute();
    EXPECT_EQ(Ds().RecordCount(), 5);
    Ds().EmptyDataSet();
    EXPECT_EQ(Gravar(true), "");
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOROTAENTREGA where CODIGOROTA = 1").toInt(), 0);
    EXPECT_EQ(Valor("select count(*) from PROTOCOLOROTAENTREGA").toInt(), 0);
}

// The courier's sheet: the route's stops in order, each with its delivery
// address (the configured one when not its own) and the protocols still to
// hand over there.
TEST_F(Rotas, FolhaDaRotaComEnderecosEProtocolosAEntregar)
{
    ExecutarSQLDireto("insert into PROTOCOLOROTAENTREGA (CODIGOROTA, SEQROTA, CODIGOEMPRESA, CODIGOESTAB, OBSERVACAO) values (1, 2, 3, 1, 'Portão azul')");
    ExecutarSQLDireto("update ESTAB set ENDERECO = 'Rua A', NUMERO = '10', CIDADE = 'Campinas', UF = 'SP' where CODIGOEMPRESA = 3");
    ExecutarSQLDireto("insert into PROTOCOLOGRUPODOC (CODIGOGRUPODOC, DESCRGRUPODOC) values (1, 'Comércio')");
    ExecutarSQLDireto("insert into CFGESTABPRO (CODIGOEMPRESA, CODIGOESTAB, CODIGOGRUPODOC, FORMAENTREGA, MESMOENDERECOENT) values (2, 1, 1, '2', '0')");
    ExecutarSQLDireto("insert into ESTABENTREGA (CODIGOEMPRESA, CODIGOESTAB, ENDERECO, NUMERO, CIDADE, UF) values (2, 1, 'Av. Brasil', '500', 'Jundiaí', 'SP')");
    // Open, written off, cancelled, coming in: only the first goes on the sheet.
    ExecutarSQLDireto("insert into PROTOCOLO (CODIGOPROTOCOLO, CODIGOEMPRESA, CODIGOESTAB, DATALCTOPRO, TIPOPRO, DATAHORACADASTRO, CODIGOUSUARIO, "
                      "ORIGEMDADO, NATUREZAPRO, CANCELADO, DATAHORABAIXA) values "
                      "(11, 2, 1, '2026-12-01', '1', '2026-12-01 09:00:00', 1, 1, '1', '0', null), "
                      "(12, 2, 1, '2026-12-01', '1', '2026-12-01 09:00:00', 1, 1, '1', '0', '2026-12-02 10:00:00'), "
                      "(13, 2, 1, '2026-12-01', '1', '2026-12-01 09:00:00', 1, 1, '1', '1', null), "
                      "(14, 3, 1, '2026-12-01', '1', '2026-12-01 09:00:00', 1, 1, '2', '0', null)");
    TLyrDMProtocoloRota rotas;
    ASSERT_EQ(rotas.nClientDataSet.Tela().Relatorios, QStringList({"LyrRRRotaEntrega"}));
    const TnRelatorio folha = rotas.MontarRelatorio("LyrRRRotaEntrega", "1-2");
    ASSERT_EQ(folha.paginas.size(), 1) << "route 2 has no stop";
    const TnPaginaRelatorio& pagina = folha.paginas.first();
    const auto tabela = std::find_if(pagina.blocos.cbegin(), pagina.blocos.cend(),
                                     [](const TnBlocoRelatorio& bloco) { return bloco.tipo == TnBlocoRelatorio::Tipo::Tabela; });
    ASSERT_NE(tabela, pagina.blocos.cend());
    ASSERT_EQ(tabela->celulas.size(), 2);
    EXPECT_EQ(tabela->celulas[0], QStringList({"1", "2/1 - Empresa 2 - Empresa 2", "Av. Brasil, 500 - Jundiaí/SP", "11", ""}));
    EXPECT_EQ(tabela->celulas[1], QStringList({"2", "3/1 - Empresa 3 - Empresa 3", "Rua A, 10 - Campinas/SP (Portão azul)", "", ""}));
    EXPECT_EQ(pagina.blocos.last().tipo, TnBlocoRelatorio::Tipo::Assinaturas);
    EXPECT_FALSE(Recusa([&] { rotas.MontarRelatorio("LyrRRRotaEntrega", "2"); }).isEmpty());
}
