// Packages for the loader's tests, each built into its own library (PACOTE
// names it, MODO says what it is): those that go wrong prove the host
// registers a package wholly or not at all; MODO 5 is a small package of
// its own (a table, its register, a dictionary entry, a command) that the
// host takes without knowing it.
#include "datamodule.h"
#include "dicionario.h"
#include "dmclientdataset.h"
#include "host.h"
#include "pacote.h"
#include "sqldataset.h"

#include <QObject>
#include <QTextStream>

#include <stdexcept>

#define LYR_JUNTAR(a, b) a##b
#define LYR_ENTRADA(pacote) LYR_JUNTAR(pacote, Descrever)

namespace {

class TTesteDMPrimeiro : public TnDataModule {
    LYR_DATAMODULE(TTesteDMPrimeiro)
};
class TTesteDMSegundo : public TnDataModule {
    LYR_DATAMODULE(TTesteDMSegundo)
};
// Its name is one the host already has (registered by the test).
class TTesteDMJaExiste : public TnDataModule {
    LYR_DATAMODULE(TTesteDMJaExiste)
};

// The metadata the host reads without loading the library.
class TTestePkMetadados : public QObject {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID "br.com.lyr.Pacote" FILE "pacote.json")
};

#if MODO == 2
// A package for another interface must be refused from its metadata alone:
// loading the library at all leaves this mark.
[[maybe_unused]] const bool kCarregado = [] { return qputenv("LYR_TESTE_PACOTE_CARREGADO", "1"); }();
#endif

#if MODO == 5
// Notes kept by the office: a register on the package's own table, its code
// labelled by the package's dictionary entry.
class TTesteDMNota : public TnDMClientDataSet {
    LYR_DATAMODULE(TTesteDMNota)
public:
    TTesteDMNota()
    {
        Tabela = QStringLiteral("TESTENOTA");
        ChaveTabela = QStringLiteral("CODIGONOTA");
        nClientDataSet.SetCommandText(QStringLiteral("select t_t.CODIGONOTA, t_t.DESCRNOTA from TESTENOTA t_t order by t_t.CODIGONOTA"));
        Campo<TnSmallIntField>(QStringLiteral("CODIGONOTA")).SetRequired(true);
        Campo<TnStringField>(QStringLiteral("DESCRNOTA"), 50).SetDisplayLabel(QStringLiteral("Texto"));
        AplicarDicionario(nClientDataSet);
    }
};

void DescreverNotas(TnDescricaoPacote& descricao)
{
    descricao.nome = QStringLiteral("TestePkNotas");
    descricao.modulo = 41;
    descricao.classes = {InfoDaClasse<TTesteDMNota>()};
    descricao.tabelas = {{QStringLiteral("TESTENOTA"), {Small(QStringLiteral("CODIGONOTA")).Req(), Str(QStringLiteral("DESCRNOTA"), 50)},
                          {QStringLiteral("CODIGONOTA")}}};
    descricao.migracoes = {{1, QStringLiteral("Notas"), {QStringLiteral("TESTENOTA")}}};
    descricao.dicionario = {{QStringLiteral("CODIGONOTA"), QStringLiteral("Nota"), QStringLiteral("Informe a nota"),
                             QStringLiteral("TESTENOTA"), QStringLiteral("CODIGONOTA"), QStringLiteral("DESCRNOTA")}};
    descricao.comandos = {{QStringLiteral("notas"), {}, QStringLiteral("conta as notas do escritório"), 1,
                           {{{QStringLiteral("texto")}, QStringLiteral("Só as que têm este texto."), QStringLiteral("texto")}},
                           false, {},
                           [](const TnArgumentosComando& argumentos, QTextStream& saida) {
                               TnSQLDataSet contagem(Conexao());
                               contagem.SetCommandText(QStringLiteral("select count(*) from TESTENOTA where DESCRNOTA like :t"));
                               contagem.SetParamValues({QStringLiteral("%%1%").arg(argumentos.valor(QStringLiteral("texto")))});
                               contagem.Open();
                               saida << "Notas: " << contagem.Fields(0).AsInteger() << Qt::endl;
                               return 0;
                           }}};
}
#endif

} // namespace

#if MODO != 0  // MODO 0 exports no entry at all
extern "C" Q_DECL_EXPORT bool LYR_ENTRADA(PACOTE)(TnDescricaoPacote& descricao, QString& erro)
{
    try {
        descricao.versaoInterface = MODO == 2 ? kVersaoInterfacePacote + 1 : kVersaoInterfacePacote;
        descricao.nome = QStringLiteral("Teste");
        descricao.versao = QStringLiteral("9.9");
#if MODO == 5
        DescreverNotas(descricao);
        return true;
#endif
        descricao.modulo = 40;
        descricao.classes = {InfoDaClasse<TTesteDMPrimeiro>(), InfoDaClasse<TTesteDMSegundo>()};
        descricao.classeSelecao = TTesteDMSegundo::NomeDaClasse();
        descricao.gerarDireitos = [](TnActionList&) {};
        if (MODO == 3)  // registering fails on the third class
            descricao.classes.append(InfoDaClasse<TTesteDMJaExiste>());
        if (MODO == 4)  // describing fails half way
            throw std::runtime_error("a configuração do pacote está corrompida");
        return true;
    } catch (const std::exception& falha) {
        erro = QString::fromUtf8(falha.what());
    }
    return false;
}
#endif

#include "pacotes_de_teste.moc"
