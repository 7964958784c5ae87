// Packages that go wrong, each built into its own library (PACOTE names it,
// MODO says how it fails), to prove the host registers a package wholly or
// not at all.
#include "datamodule.h"
#include "pacote.h"

#include <QObject>

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

} // namespace

#if MODO != 0  // MODO 0 exports no entry at all
extern "C" Q_DECL_EXPORT bool LYR_ENTRADA(PACOTE)(TnDescricaoPacote& descricao, QString& erro)
{
    try {
        descricao.versaoInterface = MODO == 2 ? kVersaoInterfacePacote + 1 : kVersaoInterfacePacote;
        descricao.nome = QStringLiteral("Teste");
        descricao.versao = QStringLiteral("9.9");
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
