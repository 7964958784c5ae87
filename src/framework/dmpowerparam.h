#pragma once

#include "campo.h"
#include "clientdataset.h"
#include "datamodule.h"
#include "msgtree.h"
#include "quadro.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

enum class TnParType { npqptUser, npqptFixo };

// A parameter of a process's panel.
struct TnpqParamItem {
    QString Alias;  // "pDataInicial"
    QString Caption;
    QString Hint;
    int Position = 0;
    TnParType ParType = TnParType::npqptUser;
    QString Value;  // current text; the declared default until the user types
    bool Requerid = false;
    TnTipoControle CtrlType = TnTipoControle::Padrao;
    QString CtrlNameValues;  // "Saída=1;Entrada=2;"
    QString Dicionario;
    QString ConsultFields;
    bool ConsultMultSelect = false;
    bool EhData = false;
    bool Habilitado = true;  // a disabled parameter is shown but not typed in

    // "Caption=valor" entries of CtrlNameValues, in order.
    QStringList NomesValores() const;
    // The ticked values of a check list, or the codes of a multiple selection.
    QStringList Valores() const;
    // Is `valor` one of the values its list (combo or check list) offers?
    bool Oferece(const QString& valor) const;
};

// The parameter panel; its Caption is the screen's title.
class TnpqPowerParam {
public:
    QString Caption;
    std::function<void(TnpqParamItem&)> OnParamChange;

    TnpqParamItem& Add(const QString& alias);
    // The same with its caption, at that place in the panel.
    TnpqParamItem& Add(const QString& alias, const QString& caption, int posicao);
    // Chosen from a list ("Saída=1;Entrada=2;"), starting on `padrao`.
    TnpqParamItem& AddCombo(const QString& alias, const QString& caption, int posicao, const QString& nomesValores,
                            const QString& padrao, const QString& dica = {});
    // Codes and ranges ("1;5-9") picked from the dictionary entry's consultation.
    TnpqParamItem& AddCodigos(const QString& alias, const QString& caption, int posicao, const QString& dicionario);
    // A month and year, required ("12/2026").
    TnpqParamItem& AddCompetencia(const QString& alias, const QString& caption, int posicao);
    // A date ("31/12/2026"), typed or picked.
    TnpqParamItem& AddData(const QString& alias, const QString& caption, int posicao);
    TnpqParamItem* Find(const QString& alias);
    const TnpqParamItem* Find(const QString& alias) const;
    TnpqParamItem& ParamByAlias(const QString& alias);
    // In panel order (Position, then declaration order).
    QList<TnpqParamItem*> Itens();

private:
    std::vector<std::unique_ptr<TnpqParamItem>> m_itens;
};

// Bars drawn on a tab of a process's result (what the process computed,
// summed up): one bar per label, in the order given, the first on top.
class TnGraficoBarras {
public:
    QString titulo;
    QString eixoValores;  // what the values count ("Documentos pendentes")

    void SetBarras(QList<QPair<QString, double>> barras)
    {
        m_barras = std::move(barras);
        ++m_versao;
    }
    const QList<QPair<QString, double>>& Barras() const { return m_barras; }
    // Changes with every SetBarras: the screen redraws when it differs.
    int Versao() const { return m_versao; }

private:
    QList<QPair<QString, double>> m_barras;
    int m_versao = 0;
};

// A process: a parameter panel, an in-memory result grid, an execution that
// fills it and, on the tabbed kind, save and cancel actions that write it.
class TnDMPowerParam : public TnDataModule {
public:
    TnDMPowerParam();
    ~TnDMPowerParam() override;

    TnpqPowerParam npqPowerParam;
    TnClientDataSet nClientDataSet;

    // The parameter's current text ("" when empty or unknown).
    QString Param(const QString& alias) const;
    void SetParam(const QString& alias, const QString& valor);
    // Forgets every parameter's value (the remembered ones and the declared
    // defaults), for a caller that fills them itself.
    void LimparParamsINI();
    // Opens the consultation of a code-list parameter's dictionary entry to
    // pick several rows; their codes are added to what the parameter holds,
    // as if typed. A leading key column that another code-list parameter
    // holds narrows the rows (the establishments of the companies typed).
    // False when there is nothing to pick from or the user cancelled.
    bool EscolherCodigos(const QString& alias);

    // Parameters still empty take the host's default of the same name (the
    // period last chosen, for one).
    void Preparar() override;

    // Checks the parameters as typed, reading nothing from the database, so
    // that the command line refuses them before it opens one: the inherited
    // step refuses with EnParam required ones left empty, malformed code
    // lists and ticks a check list does not offer. Processes add their own
    // checks of that kind after it.
    virtual void ConferirParametros();
    // Checks the parameters: ConferirParametros, then what the process needs
    // the database for, added by processes after the inherited step.
    virtual void ValidarDado();
    // Fills the result; the host calls ValidarDado first (see Processar).
    virtual void Executar() {}
    // What the Execute button does: validate, then execute.
    void Processar();

    // Unsaved changes in the grid: asked about before closing.
    void SetTemAlteracao(bool temAlteracao);
    bool TemAlteracao() const { return m_temAlteracao; }
    // Asks what to do with unsaved changes; false keeps the screen open.
    bool PodeFechar();

    virtual void actGravarExecute() {}
    virtual void actCancelarExecute() {}
    void SetActionGravar(bool habilitada)
    {
        actGravar->SetVisible(habilitada);
        actGravar->SetEnabled(habilitada);
    }
    void SetActionCancelar(bool habilitada)
    {
        actCancelar->SetVisible(habilitada);
        actCancelar->SetEnabled(habilitada);
    }
    TnActionList& Actions() { return m_acoes; }
    TnAction* actExecutar = nullptr;
    TnAction* actGravar = nullptr;
    TnAction* actCancelar = nullptr;

    // Tabs of the result area (the grid's tab is the first, "Resultado"
    // unless the process names it).
    int CriarTab(const QString& caption);
    // A tab with a read-only grid of other rows the process fills (a
    // summary by another key), or with bars; the process keeps them.
    int CriarTab(const QString& caption, TnClientDataSet& dataSet);
    int CriarTab(const QString& caption, TnGraficoBarras& grafico);
    TnClientDataSet* DataSetDaAba(int indice) const;
    const TnGraficoBarras* GraficoDaAba(int indice) const;
    void SetCaptionTab(int indice, const QString& caption);
    // The rows under a row of the grid (a protocol's items), shown in a
    // panel opened under that row; none by default. AbrirDetalhe runs when
    // the user opens the panel of the grid's current row, to show its rows.
    virtual TnClientDataSet* DataSetDetalhe() { return nullptr; }
    // Toggles the mark of every row the process lets the user mark (Ctrl+Ins
    // on a generation's preview); nothing by default.
    virtual void SelecionarTodos() {}
    virtual void AbrirDetalhe() {}
    const QStringList& Tabs() const { return m_abas; }

    // The message tree shown after a run when switched on.
    TnMsgTree& MsgTreeLista() { return m_mensagens; }
    TnMsgNo MsgTree(int tipo, const QString& texto, TnMsgNo pai = {}) { return m_mensagens.MsgTree(tipo, texto, pai); }
    void LimparMsgTreeLista() { m_mensagens.LimparMsgTreeLista(); }
    void SetMsgTreeExibir(bool exibir) { m_exibirMensagens = exibir; }
    bool MsgTreeExibir() const { return m_exibirMensagens; }

    // The rows of the result typed in by the user (a configuration filled
    // row by row before it is saved); read-only fields stay as they are.
    // Being a working copy, its rows go without asking and Enter walks the
    // columns.
    void SetGradeEditavel(bool editavel)
    {
        m_gradeEditavel = editavel;
        nClientDataSet.Tela().Aparencia.ExcluirSemPerguntar = editavel;
        nClientDataSet.Tela().Aparencia.EnterMudaDeColuna = editavel;
    }
    bool GradeEditavel() const { return m_gradeEditavel; }

    // A read-only frame shown beside the result grid, following its datasets
    // (what the current row holds, in detail).
    void SetQuadroAoLado(const TnQuadroInformacoes& quadro) { m_quadro = quadro; }
    const TnQuadroInformacoes* QuadroAoLado() const { return m_quadro ? &*m_quadro : nullptr; }

    // A process on tabs keeps its parameters above the result instead of on
    // a tab of their own (what is being configured stays in sight).
    void SetMostrarParams(bool mostrar) { m_mostrarParams = mostrar; }
    bool MostrarParams() const { return m_mostrarParams; }

    // A process shown as a dialog to run once (a protocol made from another
    // screen) closes it after an execution that ended well.
    void SetFecharAoExecutar(bool fechar) { m_fecharAoExecutar = fechar; }
    bool FecharAoExecutar() const { return m_fecharAoExecutar; }

    // The host form class that shows this process, when not the standard one.
    virtual QString GetFormClass() const { return {}; }

    // A line above the grid where the user types or scans codes: a barcode
    // reader types the code and Enter, and `aoLer` gets the text. What it
    // raises is shown like any error; the line is cleared for the next code.
    struct TnLeitor {
        QString rotulo;
        QString dica;
        std::function<void(const QString& texto)> aoLer;
    };
    void SetLeitor(TnLeitor leitor) { m_leitor = std::move(leitor); }
    const TnLeitor* Leitor() const { return m_leitor.aoLer ? &m_leitor : nullptr; }

private:
    TnLeitor m_leitor;
    TnActionList m_acoes;
    QStringList m_abas;
    struct TnConteudoAba {
        TnClientDataSet* dataSet = nullptr;
        TnGraficoBarras* grafico = nullptr;
    };
    QList<TnConteudoAba> m_conteudos;  // one per tab
    TnMsgTree m_mensagens;
    bool m_temAlteracao = false;
    bool m_exibirMensagens = false;
    bool m_fecharAoExecutar = false;
    bool m_gradeEditavel = false;
    bool m_mostrarParams = false;
    std::optional<TnQuadroInformacoes> m_quadro;
};

// Parameters on a tab, with save and cancel actions.
class TnDMPowerParamTab : public TnDMPowerParam {
public:
    TnDMPowerParamTab();
};

// Parameters above a searchable result grid.
class TnDMPowerParamGrid : public TnDMPowerParam {
public:
    TnDMPowerParamGrid();
};
