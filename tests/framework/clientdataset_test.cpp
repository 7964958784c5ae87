#include "bancoteste.h"
#include "clientdataset.h"
#include "erros.h"
#include "sqlservicos.h"

namespace {

// A process grid: company, establishment, a code, a text and a value.
class Grade {
public:
    Grade()
    {
        ds.SetName(QStringLiteral("Grade"));
        ds.AddField<TnSmallIntField>("EMP");
        ds.AddField<TnSmallIntField>("EST");
        ds.AddField<TnFloatField>("CODIGO");
        ds.AddField<TnStringField>("DESCRICAO", 10);
        ds.AddField<TnFMTBCDField>("VALOR", 18, 2);
        ds.CreateDataSet();
    }

    void Linha(const QVariant& emp, const QVariant& est, double codigo, const QString& descricao = {}, const QString& valor = {})
    {
        ds.Append();
        ds.FieldByName("EMP").SetValue(emp);
        ds.FieldByName("EST").SetValue(est);
        ds.FieldByName("CODIGO").SetValue(codigo);
        ds.FieldByName("DESCRICAO").SetValue(descricao);
        ds.FieldByName("VALOR").SetValue(valor);
        ds.Post();
    }

    QList<int> Codigos()
    {
        QList<int> codigos;
        for (ds.First(); !ds.Eof(); ds.Next())
            codigos.append(ds.FieldByName("CODIGO").AsInteger());
        return codigos;
    }

    TnClientDataSet ds;
};

class Registro : public TnObservadorDataSet {
public:
    void DadosRecarregados() override { ++recargas; }
    void RegistroAtualAlterado() override { ++registros; }
    void DataSetLiberado() override { liberado = true; }
    void AntesDeMudarLinha(const TnDestinoLinha& mudanca) override
    {
        static const char* const tipos[] = {"no lugar", "entra", "sai", "muda", "fora"};
        mudancas.append(QStringLiteral("%1 %2 %3").arg(tipos[static_cast<int>(mudanca.tipo)]).arg(mudanca.de).arg(mudanca.para));
    }
    void MudancaConcluida() override { ++conclusoes; }
    int recargas = 0;
    int registros = 0;
    bool liberado = false;
    QStringList mudancas;
    int conclusoes = 0;
};

} // namespace

TEST(TnClientDataSet, EventosNaOrdemDeInclusaoGravacaoEdicaoEExclusao)
{
    Grade grade;
    QStringList eventos;
    const auto anotar = [&eventos](const char* nome) { return [&eventos, nome](TnClientDataSet&) { eventos.append(nome); }; };
    TnClientDataSet& ds = grade.ds;
    ds.SetBeforeInsert(anotar("BeforeInsert"));
    ds.SetOnNewRecord(anotar("OnNewRecord"));
    ds.SetAfterInsert(anotar("AfterInsert"));
    ds.SetBeforeEdit(anotar("BeforeEdit"));
    ds.SetAfterEdit(anotar("AfterEdit"));
    ds.SetBeforePost(anotar("BeforePost"));
    ds.SetAfterPost(anotar("AfterPost"));
    ds.SetBeforeCancel(anotar("BeforeCancel"));
    ds.SetAfterCancel(anotar("AfterCancel"));
    ds.SetBeforeDelete(anotar("BeforeDelete"));
    ds.SetAfterDelete(anotar("AfterDelete"));
    ds.SetBeforeScroll(anotar("BeforeScroll"));
    ds.SetAfterScroll(anotar("AfterScroll"));
    ds.FieldByName("CODIGO").SetOnChange([&eventos](TnField&) { eventos.append("CODIGOChange"); });

    ds.Append();
    ds.FieldByName("CODIGO").SetValue(1);
    ds.Post();
    EXPECT_EQ(eventos, QStringList({"BeforeInsert", "BeforeScroll", "OnNewRecord", "AfterInsert", "AfterScroll",
                                    "CODIGOChange", "BeforePost", "AfterPost"}));
    eventos.clear();
    ds.Edit();
    ds.Cancel();
    ds.Delete();
    EXPECT_EQ(eventos, QStringList({"BeforeEdit", "AfterEdit", "BeforeCancel", "AfterCancel", "BeforeDelete",
                                    "BeforeScroll", "AfterDelete", "AfterScroll"}));
}

TEST(TnClientDataSet, AbortNoBeforeParaSemMensagemEMantemOEstado)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    grade.Linha(1, 1, 10);
    ds.SetBeforePost([](TnClientDataSet& d) {
        if (d.FieldByName("CODIGO").AsInteger() == 99)
            Abort();
    });
    ds.Edit();
    ds.FieldByName("CODIGO").SetValue(99);
    EXPECT_THROW(ds.Post(), EnAbort);
    EXPECT_EQ(ds.State(), TnDataSetState::dsEdit);
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 99);
    EXPECT_EQ(ds.FieldByName("CODIGO").OldValue().toInt(), 10);
    ds.Cancel();
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 10);

    ds.SetBeforeDelete([](TnClientDataSet&) { Abort(); });
    EXPECT_THROW(ds.Delete(), EnAbort);
    EXPECT_EQ(ds.RecordCount(), 1);
}

TEST(TnClientDataSet, FiltroComNulosZeroEPositivosLigaEDesliga)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    grade.Linha(QVariant(), QVariant(), 1);
    grade.Linha(0, 0, 2);
    grade.Linha(7, 2, 3);
    grade.Linha(7, QVariant(), 4);
    ds.SetFilter("(EMP <= 0 or EMP is null) and (EST <= 0 or EST is null)");
    EXPECT_EQ(grade.Codigos(), QList<int>({1, 2, 3, 4})) << "not filtered until switched on";
    ds.SetFiltered(true);
    EXPECT_EQ(grade.Codigos(), QList<int>({1, 2}));
    ds.SetFilter("(EMP > 0 or EMP is not null) and (EST > 0 or EST is not null)");
    EXPECT_EQ(grade.Codigos(), QList<int>({2, 3}));
    ds.SetFiltered(false);
    EXPECT_EQ(ds.RecordCount(), 4);
    EXPECT_THROW(ds.SetFilter("NAOEXISTE = 1"), EnErro);
    EXPECT_EQ(ds.RecordCount(), 4);

    // A row edited out of the filter leaves the view.
    ds.SetFilter("CODIGO > 2");
    ds.SetFiltered(true);
    ds.First();
    ds.Edit();
    ds.FieldByName("CODIGO").SetValue(1.0);
    ds.Post();
    EXPECT_EQ(grade.Codigos(), QList<int>({4}));
}

TEST(TnClientDataSet, OrdensCrescentesDecrescentesENomeadas)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    grade.Linha(2, 1, 1, "b");
    grade.Linha(1, 2, 2, "a");
    grade.Linha(2, 1, 3, "c");
    grade.Linha(1, 1, 4, "a");
    ds.SetIndexFieldNames("EMP;EST");
    EXPECT_EQ(grade.Codigos(), QList<int>({4, 2, 1, 3})) << "equal keys keep their order";
    ds.SetIndexFieldNames("DESCRICAO DESC;CODIGO");
    EXPECT_EQ(grade.Codigos(), QList<int>({3, 1, 2, 4}));
    ds.AddIndex("CHANGEINDEX", "EMP;CODIGO", "CODIGO");
    ds.SetIndexName("CHANGEINDEX");
    EXPECT_EQ(grade.Codigos(), QList<int>({4, 2, 3, 1}));
    EXPECT_THROW(ds.SetIndexName("NAOEXISTE"), EnErro);

    // A posted row takes its place in the order and stays current.
    ds.SetIndexFieldNames("CODIGO");
    grade.Linha(1, 1, 2.5);
    EXPECT_EQ(ds.FieldByName("CODIGO").AsFloat(), 2.5);
    EXPECT_EQ(ds.RecNo(), 3);
    ds.Next();
    EXPECT_EQ(ds.FieldByName("CODIGO").AsFloat(), 3.0);
}

TEST(TnClientDataSet, LocalizaPorChaveEMarcadores)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    grade.Linha(1, 1, 10, "Padaria");
    grade.Linha(1, 2, 20, "Mercado");
    grade.Linha(2, 1, 30, "Padaria");
    EXPECT_TRUE(ds.Locate("EMP;EST", {2, 1}));
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 30);
    EXPECT_TRUE(ds.Locate("DESCRICAO", "merc", {true, true}));
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 20);
    EXPECT_FALSE(ds.Locate("DESCRICAO", "Oficina"));
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 20) << "a failed search does not move";
    EXPECT_EQ(ds.Lookup("EMP;EST", {1, 1}, "DESCRICAO").toString(), "Padaria");
    EXPECT_TRUE(ds.Lookup("EMP;EST", {9, 9}, "DESCRICAO").isNull());

    const TnBookmark marca = ds.GetBookmark();
    ds.SetIndexFieldNames("CODIGO DESC");
    ds.First();
    ds.GotoBookmark(marca);
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 20);
    ds.SetIndexFieldNames("EMP;EST");
    EXPECT_TRUE(ds.FindKey({2, 1}));
    EXPECT_EQ(ds.FieldByName("CODIGO").AsInteger(), 30);
    ds.GotoBookmark(marca);
    ds.Delete();
    EXPECT_FALSE(ds.BookmarkValid(marca));
    EXPECT_THROW(ds.GotoBookmark(marca), EnErro);
}

TEST(TnClientDataSet, PontosDeRestauracaoEDesfazerAlteracoes)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    grade.Linha(1, 1, 1);
    grade.Linha(1, 1, 2);
    ds.MergeChangeLog();
    EXPECT_EQ(ds.ChangeCount(), 0);

    const int ponto = ds.SetSavePoint();
    grade.Linha(1, 1, 3);
    ds.First();
    ds.Delete();
    ds.Edit();
    ds.FieldByName("CODIGO").SetValue(22);
    ds.Post();
    const int depois = ds.SetSavePoint();
    grade.Linha(1, 1, 4);
    EXPECT_EQ(grade.Codigos(), QList<int>({22, 3, 4}));
    ds.RestoreSavePoint(ponto);
    EXPECT_EQ(grade.Codigos(), QList<int>({1, 2}));
    EXPECT_THROW(ds.RestoreSavePoint(depois), EnErro) << "later points go with the restore";

    grade.Linha(1, 1, 5);
    ds.First();
    ds.Edit();
    ds.FieldByName("CODIGO").SetValue(11);
    ds.Post();
    ds.Next();
    ds.Delete();
    EXPECT_EQ(ds.ChangeCount(), 3);
    ds.CancelUpdates();
    EXPECT_EQ(grade.Codigos(), QList<int>({1, 2}));
    EXPECT_EQ(ds.ChangeCount(), 0);

    // Without a change log there is nothing to undo.
    ds.SetnLogChanges(false);
    ds.First();
    ds.Edit();
    ds.FieldByName("CODIGO").SetValue(7);
    ds.Post();
    EXPECT_EQ(ds.ChangeCount(), 0);
    ds.CancelUpdates();
    EXPECT_EQ(grade.Codigos(), QList<int>({7, 2}));
}

// Views are not redrawn row by row while controls are off; a view that
// outlives its dataset is told, and never touches it again.
TEST(TnClientDataSet, ControlesDesligadosNaoRedesenhamEObservadorSabeQuandoODataSetVai)
{
    Registro vista;
    auto grade = std::make_unique<Grade>();
    grade->ds.AdicionarObservador(&vista);
    grade->ds.DisableControls();
    for (int i = 0; i < 100; ++i)
        grade->Linha(1, 1, i);
    grade->ds.First();
    EXPECT_EQ(vista.recargas, 0);
    EXPECT_EQ(vista.registros, 0);
    grade->ds.EnableControls();
    EXPECT_EQ(vista.recargas, 1);
    grade->ds.Next();
    EXPECT_EQ(vista.registros, 1);
    EXPECT_FALSE(vista.liberado);
    grade.reset();
    EXPECT_TRUE(vista.liberado);
}

TEST(TnField, ConverteLimitaEFormata)
{
    Grade grade;
    TnClientDataSet& ds = grade.ds;
    TnField& est = ds.FieldByName("EST");
    TnField& descricao = ds.FieldByName("DESCRICAO");
    TnField& valor = ds.FieldByName("VALOR");
    ds.Append();
    EXPECT_THROW(est.SetValue(40000), EnErro);
    est.SetAsString("");
    EXPECT_TRUE(est.IsNull());
    descricao.SetValue("Texto maior que dez");
    EXPECT_EQ(descricao.AsString(), "Texto maio");
    valor.SetValue(0.1 + 0.2);
    EXPECT_EQ(valor.AsDecimal().ParaTexto(), "0.30");
    valor.SetText("1.234,5");
    EXPECT_EQ(valor.AsDecimal().ParaTexto(), "1234.50");
    valor.SetDisplayFormat("#,##0.00");
    EXPECT_EQ(valor.DisplayText(), "1.234,50");
    valor.SetValue("-0.5");
    EXPECT_EQ(valor.DisplayText(), "-0,50");
    EXPECT_THROW(valor.SetValue("doze"), EnErro);
    ds.Cancel();
}

TEST(TnField, ObrigatorioLimitesPadraoELista)
{
    TnClientDataSet ds("Protocolos");
    TnField& codigo = ds.AddField<TnLargeIntField>("CODIGOPROTOCOLO");
    codigo.SetRequired(true);
    codigo.SetMinValue(1);
    codigo.SetMaxValue(9999999999LL);
    codigo.SetConstraintErrorMessage("Código de protocolo inválido!");
    TnField& forma = ds.AddField<TnStringField>("FORMAENTREGA", 1);
    forma.Definicao().NomesValores = {"Retirado=1", "Entregue em Mãos=2", "Entregue via Internet=3"};
    TnField& natureza = ds.AddField<TnStringField>("NATUREZAPRO", 1);
    natureza.SetDefaultExpression("'1'");
    TnField& data = ds.AddField<TnDateField>("DATALCTOPRO");
    data.SetDisplayLabel("Data Protocolo");
    data.SetRequired(true);
    ds.CreateDataSet();

    ds.Append();
    EXPECT_EQ(natureza.AsString(), "1");
    EXPECT_FALSE(ds.Modified()) << "defaults are not changes";
    forma.SetText("Entregue em Mãos");
    EXPECT_EQ(forma.AsString(), "2");
    EXPECT_EQ(forma.DisplayText(), "Entregue em Mãos");
    // Refusals name their field, so that the screen can take the user to it.
    const auto recusa = [&ds]() -> QString {
        try {
            ds.Post();
        } catch (const EnField& erro) {
            return erro.Campo() + ": " + erro.Mensagem();
        }
        return {};
    };
    codigo.SetValue(0);
    EXPECT_EQ(recusa(), "DATALCTOPRO: Informe o campo \"Data Protocolo\".");
    data.SetValue("06/12/2026");
    EXPECT_EQ(recusa(), "CODIGOPROTOCOLO: Código de protocolo inválido!");
    codigo.SetValue(10);
    ds.Post();
    EXPECT_EQ(data.AsDate(), QDate(2026, 12, 6));
    EXPECT_EQ(ds.RecordCount(), 1);

    // A required text of blanks is empty, here as in the registers.
    ds.Edit();
    natureza.SetRequired(true);
    natureza.SetValue("   ");
    EXPECT_TRUE(recusa().startsWith("NATUREZAPRO: "));
    ds.Cancel();
}

TEST(TnClientDataSet, DetalheSegueOMestreEHerdaAChave)
{
    TnClientDataSet mestre("Caixas");
    mestre.AddField<TnIntegerField>("CODIGOCAIXA");
    mestre.CreateDataSet();
    TnClientDataSet detalhe("Envelopes");
    detalhe.AddField<TnIntegerField>("CODIGOCAIXA");
    detalhe.AddField<TnIntegerField>("CODIGOENVELOPE");
    detalhe.CreateDataSet();
    detalhe.SetMaster(&mestre, "CODIGOCAIXA", "CODIGOCAIXA");
    for (int caixa : {1, 2}) {
        mestre.AppendRecord({caixa});
        for (int envelope = 1; envelope <= caixa + 1; ++envelope) {
            detalhe.Append();
            detalhe.FieldByName("CODIGOENVELOPE").SetValue(envelope);
            detalhe.Post();
        }
    }
    EXPECT_EQ(detalhe.RecordCount(), 3);
    EXPECT_EQ(detalhe.FieldByName("CODIGOCAIXA").AsInteger(), 2);
    mestre.First();
    EXPECT_EQ(detalhe.RecordCount(), 2);
    detalhe.Last();
    EXPECT_EQ(detalhe.FieldByName("CODIGOCAIXA").AsInteger(), 1);
    detalhe.SetMaster(nullptr, {}, {});
    EXPECT_EQ(detalhe.RecordCount(), 5);
}

TEST(CopyDataCDS, CopiaOsCamposDeMesmoNome)
{
    Grade origem;
    origem.Linha(1, 2, 3, "Guia", "10.5");
    origem.Linha(4, 5, 6, "Folha", "7");
    TnClientDataSet destino;
    destino.AddField<TnFloatField>("CODIGO");
    destino.AddField<TnFMTBCDField>("VALOR", 18, 2);
    destino.AddField<TnStringField>("OUTRO", 5);
    destino.CreateDataSet();
    CopyDataCDS(origem.ds, destino);
    ASSERT_EQ(destino.RecordCount(), 2);
    destino.Last();
    EXPECT_EQ(destino.FieldByName("CODIGO").AsInteger(), 6);
    EXPECT_EQ(destino.FieldByName("VALOR").AsDecimal().ParaTexto(), "7.00");
    EXPECT_TRUE(destino.FieldByName("OUTRO").IsNull());
}

class ClientDataSetBanco : public TesteComBanco {};

TEST_F(ClientDataSetBanco, AbreUmaConsultaComCamposDeclaradosOuCriados)
{
    ExecutarSQLDireto("insert into IMPOSTO (CODIGOIMPOSTO, VARIACAOIMPOSTO, DESCRIMPOSTO, ESFERA) values "
                      "(1, 1, 'IRPJ', 1), (20, 2, 'ICMS ST', 2)");
    TnClientDataSet impostos("Impostos");
    impostos.SetCommandText("Select t_t.CODIGOIMPOSTO,t_t.VARIACAOIMPOSTO,t_t.DESCRIMPOSTO from IMPOSTO t_t "
                           "where t_t.ESFERA >= :esfera ORDER BY t_t.CodigoImposto");
    impostos.AddField<TnSmallIntField>("VARIACAOIMPOSTO").SetDisplayLabel("Variação");
    impostos.Open(Con(), {1});
    EXPECT_EQ(impostos.RecordCount(), 2);
    EXPECT_EQ(impostos.FieldNames(), QStringList({"VARIACAOIMPOSTO", "CODIGOIMPOSTO", "DESCRIMPOSTO"}));
    EXPECT_EQ(impostos.FieldByName("CODIGOIMPOSTO").DataType(), TnFieldType::LargeInt);
    impostos.Last();
    EXPECT_EQ(impostos.FieldByName("DESCRIMPOSTO").AsString(), "ICMS ST");
    EXPECT_EQ(impostos.FieldByName("VARIACAOIMPOSTO").AsInteger(), 2);
    EXPECT_EQ(impostos.ChangeCount(), 0);
}

// A walk that edits rows of equal keys in an ordered view sees each row
// once: an edited row that still sorts where it stands keeps its place.
TEST(TnClientDataSet, PercursoQueEditaLinhasDeChaveIgualVeCadaUmaUmaVez)
{
    TnClientDataSet ds;
    ds.AddField<TnIntegerField>("GRUPO");
    ds.AddField<TnIntegerField>("MARCA");
    ds.CreateDataSet();
    for (int i = 0; i < 6; ++i)
        ds.AppendRecord({i % 2, 0});
    ds.SetIndexFieldNames("GRUPO");
    int visitas = 0;
    for (ds.First(); !ds.Eof(); ds.Next()) {
        ds.Edit();
        ds.FieldByName("MARCA").SetValue(ds.FieldByName("MARCA").AsInteger() + 1);
        ds.Post();
        ++visitas;
    }
    EXPECT_EQ(visitas, 6);
    for (ds.First(); !ds.Eof(); ds.Next())
        EXPECT_EQ(ds.FieldByName("MARCA").AsInteger(), 1);
    // A row whose key changes still moves to its new place.
    ds.First();
    ds.Edit();
    ds.FieldByName("GRUPO").SetValue(5);
    ds.Post();
    EXPECT_EQ(ds.RecNo(), 6);
}

// A posted or deleted row is told to the views as that row alone; that the
// change is over comes once, after the After hooks (even one that scrolls).
TEST(TnClientDataSet, AvisaSoALinhaQueMudaEOFimDepoisDosGanchos)
{
    Grade grade;
    for (int codigo : {10, 20, 30})
        grade.Linha(1, 1, codigo);
    grade.ds.SetIndexFieldNames("CODIGO");
    Registro vista;
    grade.ds.AdicionarObservador(&vista);
    int noGancho = -1;
    grade.ds.SetAfterPost([&](TnClientDataSet& ds) {
        noGancho = vista.conclusoes;
        ds.First();
    });
    grade.ds.Append();
    grade.ds.FieldByName("CODIGO").SetValue(15);
    const int antes = vista.conclusoes;
    grade.ds.Post();
    EXPECT_EQ(noGancho, antes);
    EXPECT_EQ(vista.conclusoes, antes + 1);
    grade.ds.SetAfterPost({});

    grade.ds.Edit();
    grade.ds.FieldByName("CODIGO").SetValue(25);
    grade.ds.Post();
    grade.ds.Edit();
    grade.ds.FieldByName("DESCRICAO").SetValue("no lugar");
    grade.ds.Post();
    grade.ds.Delete();
    EXPECT_EQ(vista.mudancas, QStringList({"entra -1 1", "muda 0 2", "sai 2 -1"}));
    EXPECT_EQ(grade.Codigos(), QList<int>({15, 20, 30}));
    EXPECT_EQ(vista.recargas, 0);
    grade.ds.RemoverObservador(&vista);
}
