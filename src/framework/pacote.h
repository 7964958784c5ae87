#pragma once

#include "acoes.h"
#include "dicionario.h"
#include "esquema.h"
#include "registro.h"
#include "relatorio.h"

#include <QLibrary>
#include <QDate>
#include <QList>
#include <QString>
#include <QVariant>

#include <functional>

class QTextStream;

// The host interface packages are built against. A package built for
// another one is refused before anything of it is registered.
inline constexpr int kVersaoInterfacePacote = LYR_VERSAO_INTERFACE_PACOTE;

// A host register whose rows a package's rows name: deleting a row still
// named is refused, in the host's words, with what names it ("A empresa 2
// tem protocolos…"). The package's table carries the register's key columns
// under the same names.
struct TnUsoCadastro {
    QString cadastro;  // the host's table: "EMPRESA"
    QString tabela;    // the package's table whose rows name it
    QString oQue;      // what those rows are, in the plural
};

// An option of a command-line command.
struct TnOpcaoComando {
    QStringList nomes;  // "saida"; a one-letter name is given with one dash
    QString descricao;
    QString valor = {};   // the name of its value, when it takes one
    QString requer = {};  // another option of the command it only goes with
};

// What the host lends a running command: its arguments and the services a
// package has no code for (paper and PDF are painted by the host).
struct TnArgumentosComando {
    QStringList posicionais;  // after the command's name
    std::function<QString(const QString&)> valor;
    std::function<bool(const QString&)> marcada;
    // EnErro naming the file when a PDF cannot be written there.
    std::function<void(const QString&)> conferirArquivoPdf;
    std::function<void(const TnRelatorio&, const QString&, const std::function<void(int folha)>&)> gravarPdf;
};

// A command of the lyr command line: the host's own and those packages add
// are one table, from which the help is printed and the chosen one is run.
struct TnComandoLinha {
    QString nome;
    QString argumento = {};  // the positional arguments it takes, if any
    QString descricao = {};
    int maximo = 1;          // how many (a command with sub-commands checks them itself)
    QList<TnOpcaoComando> opcoes = {};
    bool pinta = false;      // paints reports: needs fonts, though not a screen
    // Checks the arguments before the database is opened (EnErro).
    std::function<void(const TnArgumentosComando&)> conferir = {};
    // Runs with the host in force (its packages registered); answers the exit status.
    std::function<int(const TnArgumentosComando&, QTextStream& saida)> executar = {};
};

// The demo office as seeded by the host, handed to each package's hook to add
// its own rows in the same transaction. `inserir` writes one row through the
// host's prepared statements (and counts it for the summary); `aleatorio`
// draws from the demo's fixed sequence, so the same options give the same
// rows; `nomePessoa` a person's name from it, as the host names its own.
struct TnDemonstracaoPacote {
    nDMConexao& conexao;
    int tamanho;
    QDate referencia;
    std::function<void(const QString& tabela, const QStringList& colunas, const QVariantList& valores)> inserir;
    std::function<int(int minimo, int maximo)> aleatorio;
    std::function<QString()> nomePessoa;
};

// What a package contributes, described by the package itself.
struct TnDescricaoPacote {
    int versaoInterface = 0;  // kVersaoInterfacePacote of the host it was built for
    QString nome;
    QString versao;
    int modulo = -1;               // its number among the host's modules
    QList<TnInfoClasse> classes;   // registered in this order
    QString classeSelecao;         // one of the classes: the selection asked before its registers
    std::function<void(TnActionList&)> gerarDireitos;  // the rights it adds to the rights tree
    // Its tables, and the steps that bring an office's database to them (its
    // own versions, recorded under its name, after the host's tables).
    QList<TnTabela> tabelas;
    QList<TnMigracao> migracoes;
    // Its field-dictionary entries, beside the host's own.
    QList<TnEntradaDicionario> dicionario;
    QList<TnUsoCadastro> usos;
    QList<TnComandoLinha> comandos;
    // Its rows of the demo office, after the host's own.
    std::function<void(TnDemonstracaoPacote&)> demonstracao;
    // What `lyr status` says of its rows ("Protocolos: 120").
    std::function<QString(nDMConexao&)> situacao;
};

// What a package says of itself in its library's metadata: a JSON object
// that Qt's plugin loader reads from the file without loading it, so that a
// package for another interface is refused before any of its code runs.
// The library declares it with
//   Q_PLUGIN_METADATA(IID "br.com.lyr.Pacote" FILE "pacote.json")
// and pacote.json holds {"nome": …, "versao": …, "versaoInterface": …}.
struct TnMetadadosPacote {
    QString nome;
    QString versao;
    int versaoInterface = 0;
};

inline constexpr const char* kIidPacote = "br.com.lyr.Pacote";

// The metadata of the library at `arquivo`; EnErro when it has none, or not
// a package's (the message names the file and what is missing).
TnMetadadosPacote LerMetadadosPacote(const QString& arquivo);

// The one entry a package exports, with C linkage, as "<Nome>Descrever": it
// fills the description and answers true, or answers false with the reason.
// No exception leaves it.
using TnDescreverPacote = bool (*)(TnDescricaoPacote& descricao, QString& erro);

// A module package loaded at run time. Its life is explicit: Carregar reads
// the library's metadata (name, version, interface) without running it,
// loads the library, reads its description, checks it and registers all of it with
// the host in force, or none of it (what was registered is withdrawn and the
// library released); Descarregar withdraws it and releases the library (also
// when the object goes; its code stays mapped until the process ends, see
// Ler). The description is kept while the package is read or loaded.
class TnPacote {
public:
    enum class Estado { Descarregado, Lido, Inicializado, Falhou };

    explicit TnPacote(QString arquivo);
    ~TnPacote();
    TnPacote(const TnPacote&) = delete;
    TnPacote& operator=(const TnPacote&) = delete;

    // Reads the metadata, loads the library and reads its description,
    // registering nothing (the migrations and the command table need only
    // that). Raises EnErro naming the package and the reason when it cannot
    // be used.
    void Ler();
    // Ler, then registers all of it with the host in force.
    void Carregar();
    void Descarregar();

    Estado EstadoAtual() const { return m_estado; }
    // From the metadata, once read (the file's name until then).
    const QString& Nome() const { return m_nome; }
    const TnMetadadosPacote& Metadados() const { return m_metadados; }
    // Why the last Carregar failed (empty otherwise).
    const QString& Erro() const { return m_erro; }
    // The package's own description, while it is read or loaded.
    const TnDescricaoPacote& Descricao() const { return m_descricao; }

private:
    [[noreturn]] void Falhar(const QString& motivo);
    void Registrar();
    void Retirar();

    QString m_nome;
    QString m_arquivo;
    QLibrary m_biblioteca;
    TnMetadadosPacote m_metadados;
    Estado m_estado = Estado::Descarregado;
    QString m_erro;
    TnDescricaoPacote m_descricao;
    QStringList m_registradas;  // classes of this package in the registry, in order
};
