#pragma once

// A dataset of typed rows in memory: opening and closing, moving between the
// rows, editing one through the browse / edit / insert states with their
// events, field values, bookmarks, and telling the views what changed.

#include "campo.h"
#include "declaracaotela.h"
#include "linhasdataset.h"
#include "visaodataset.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <memory>
#include <typeindex>
#include <unordered_map>
#include <vector>

class nDMConexao;
class TnSQLDataSet;

enum class TnDataSetState { dsInactive, dsBrowse, dsEdit, dsInsert };
// A row is being typed (a stored one changed, or a new one): its buffer is
// not yet what the dataset holds.
inline bool EmEdicao(TnDataSetState estado)
{
    return estado == TnDataSetState::dsEdit || estado == TnDataSetState::dsInsert;
}

// A column of an in-memory dataset declared before it exists.
struct TnFieldDef {
    QString Name;
    TnFieldType DataType;
    int Size = 0;
    int Precision = 0;
};

// How a result column is shown: its label, width in characters (0: the
// field's) and display format ("dd/mm/yyyy"; empty: the field's).
struct TnColunaMostrada {
    const char* campo;
    const char* rotulo;
    int largura = 0;
    const char* formato = "";
};

// What a view of the dataset (grid, form) is told.
class TnObservadorDataSet {
public:
    virtual ~TnObservadorDataSet() = default;
    // Opened, closed, read again, filtered or ordered: redraw everything.
    virtual void DadosRecarregados() = 0;
    // The current row moved or its values changed.
    virtual void RegistroAtualAlterado() = 0;
    // State (browse, edit, insert) changed.
    virtual void EstadoAlterado() {}
    // One row comes into the view, leaves it or moves in it (Entra, Sai,
    // Muda): told before the view changes and again after.
    virtual void AntesDeMudarLinha(const TnDestinoLinha& /*mudanca*/) {}
    virtual void LinhaMudou(const TnDestinoLinha& /*mudanca*/) {}
    // What the dataset was asked to do is over, its After hooks included:
    // what they set (actions, controls) can be read now.
    virtual void MudancaConcluida() {}
    // The dataset is being destroyed: forget it (no RemoverObservador later).
    virtual void DataSetLiberado() = 0;
};

using TnEventoDataSet = std::function<void(TnClientDataSet&)>;

// The rows of a register's select, a consultation or a process grid. The rows
// themselves, their change log and save points are kept by TnLinhasDataSet;
// which are shown and in what order by TnVisaoDataSet; what the screen shows
// of it is declared in TnDeclaracaoTela. Storing rows in tables is the
// business of the data module that owns it.
class TnClientDataSet {
public:
    explicit TnClientDataSet(QString nome = {});
    ~TnClientDataSet();
    TnClientDataSet(const TnClientDataSet&) = delete;
    TnClientDataSet& operator=(const TnClientDataSet&) = delete;

    const QString& Name() const { return m_name; }
    void SetName(const QString& nome) { m_name = nome; }

    // --- declaration -------------------------------------------------------
    const QString& CommandText() const { return m_commandText; }
    void SetCommandText(const QString& comando) { m_commandText = comando; }
    bool PodeAlterarChave() const { return m_podeAlterarChave; }
    void SetPodeAlterarChave(bool pode) { m_podeAlterarChave = pode; }
    // Changes kept apart until merged (false: a posted row is its own original).
    bool nLogChanges() const { return m_linhas.RegistraAlteracoes(); }
    void SetnLogChanges(bool manter) { m_linhas.SetRegistraAlteracoes(manter); }
    const QList<TnFieldDef>& FieldDefs() const { return m_fieldDefs; }
    void SetFieldDefs(const QList<TnFieldDef>& definicoes) { m_fieldDefs = definicoes; }
    // Labels, widths and formats of the fields named (texts in UTF-8).
    void MostrarColunas(std::initializer_list<TnColunaMostrada> colunas);
    // What the screen that shows the rows is told: captions, orders offered,
    // how its grids look and answer keys (filled in place while declaring).
    // The dataset only carries it; the desktop reads it.
    TnDeclaracaoTela& Tela() { return m_tela; }
    const TnDeclaracaoTela& Tela() const { return m_tela; }

    // --- events ------------------------------------------------------------
    void SetBeforeOpen(TnEventoDataSet evento) { m_beforeOpen = std::move(evento); }
    void SetAfterOpen(TnEventoDataSet evento) { m_afterOpen = std::move(evento); }
    void SetBeforeClose(TnEventoDataSet evento) { m_beforeClose = std::move(evento); }
    void SetAfterClose(TnEventoDataSet evento) { m_afterClose = std::move(evento); }
    void SetBeforeInsert(TnEventoDataSet evento) { m_beforeInsert = std::move(evento); }
    void SetOnNewRecord(TnEventoDataSet evento) { m_onNewRecord = std::move(evento); }
    void SetAfterInsert(TnEventoDataSet evento) { m_afterInsert = std::move(evento); }
    void SetBeforeEdit(TnEventoDataSet evento) { m_beforeEdit = std::move(evento); }
    void SetAfterEdit(TnEventoDataSet evento) { m_afterEdit = std::move(evento); }
    void SetBeforePost(TnEventoDataSet evento) { m_beforePost = std::move(evento); }
    void SetAfterPost(TnEventoDataSet evento) { m_afterPost = std::move(evento); }
    void SetBeforeCancel(TnEventoDataSet evento) { m_beforeCancel = std::move(evento); }
    void SetAfterCancel(TnEventoDataSet evento) { m_afterCancel = std::move(evento); }
    void SetBeforeDelete(TnEventoDataSet evento) { m_beforeDelete = std::move(evento); }
    void SetAfterDelete(TnEventoDataSet evento) { m_afterDelete = std::move(evento); }
    void SetBeforeScroll(TnEventoDataSet evento) { m_beforeScroll = std::move(evento); }
    void SetAfterScroll(TnEventoDataSet evento) { m_afterScroll = std::move(evento); }
    // Set on a detail whose rows are read again for each master row (instead
    // of all of them filtered in memory): called when the master moves.
    void SetAoMudarMestre(std::function<void()> evento) { m_aoMudarMestre = std::move(evento); }

    // --- fields ------------------------------------------------------------
    template <typename F, typename... Args>
    F& AddField(const QString& nome, Args&&... args)
    {
        auto campo = std::make_unique<F>(*this, nome, std::forward<Args>(args)...);
        F& referencia = *campo;
        AdicionarCampo(std::move(campo));
        return referencia;
    }
    TnField& AddField(const TnFieldDef& def);
    void RemoverCampos();
    int FieldCount() const { return static_cast<int>(m_campos.size()); }
    TnField& Fields(int indice) const;
    TnField* FindField(const QString& nome) const;
    TnField& FieldByName(const QString& nome) const;
    QStringList FieldNames() const;
    // A bound field record of this dataset: an object of T, built from the
    // dataset, whose members are its fields (bound once, by name), so rows
    // are read and written without a lookup per row. Created at the first
    // request and kept with the dataset (one per record class) until its
    // fields change.
    template <typename T>
    T& MapearFields()
    {
        auto registro = m_registros.find(std::type_index(typeid(T)));
        if (registro == m_registros.end())
            registro = m_registros.emplace(std::type_index(typeid(T)), std::make_shared<T>(*this)).first;
        return *static_cast<T*>(registro->second.get());
    }

    // --- opening -----------------------------------------------------------
    // An empty in-memory dataset with the fields of FieldDefs (or those added).
    void CreateDataSet();
    // Runs CommandText on the connection (with the values given by position)
    // and keeps its rows; fields missing from the declaration are created.
    void Open(nDMConexao& conexao, const QVariantList& parametros = {});
    void Close();
    bool Active() const { return m_estado != TnDataSetState::dsInactive; }
    TnDataSetState State() const { return m_estado; }
    // Empties the rows (and the change log), keeping fields and state.
    void EmptyDataSet();

    // --- navigation --------------------------------------------------------
    int RecordCount() const { return m_visao.size(); }
    bool IsEmpty() const { return m_visao.empty(); }
    int RecNo() const { return m_atual + 1; }  // 1-based; 0 when empty
    void SetRecNo(int numero);
    void First();
    void Last();
    void Next();
    void Prior();
    void MoveBy(int distancia);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }

    // --- editing -----------------------------------------------------------
    void Append();
    void Insert();
    void Edit();
    void Post();
    // Refuses the row being edited when a required field is empty (a text
    // of blanks is empty) or a value is out of its field's limits.
    void ValidarCampos() const;
    void Cancel();
    void Delete();
    // Removes these rows at once, without the per-row delete events: for
    // working sets a process empties in bulk (one view rebuild, not one per row).
    void ExcluirLinhas(const QList<TnBookmark>& linhas);
    // Post when editing or inserting (the dataset leaves edit mode for a scroll).
    void CheckBrowseMode();
    // Appends and posts a row with the values in field order; an invalid
    // QVariant() keeps what the new row got (a default, a number). A refused
    // row is cancelled.
    void AppendRecord(const QVariantList& valores);
    bool Modified() const { return m_modificado; }
    TnUpdateStatus UpdateStatus() const;

    // --- change log and save points ---------------------------------------
    int ChangeCount() const;
    void MergeChangeLog();
    void CancelUpdates();
    int SetSavePoint();
    void RestoreSavePoint(int ponto);

    // --- filter and order --------------------------------------------------
    QString Filter() const { return m_visao.Filter(); }
    void SetFilter(const QString& texto);
    bool Filtered() const { return m_visao.Filtered(); }
    void SetFiltered(bool ligado);
    // Extra row test of the code (OnFilterRecord), applied with the filter.
    void SetOnFilterRecord(std::function<bool(TnClientDataSet&)> teste);

    QString IndexFieldNames() const { return m_visao.IndexFieldNames(); }
    void SetIndexFieldNames(const QString& campos);  // "A;B", a field may end in " DESC"
    const QList<TnIndexDef>& IndexDefs() const { return m_visao.IndexDefs(); }
    void AddIndex(const QString& nome, const QString& campos, const QString& camposDecrescentes = {});
    void AddIndex(const TnIndexDef& definicao) { m_visao.AddIndex(definicao); }
    QString IndexName() const { return m_visao.IndexName(); }
    void SetIndexName(const QString& nome);

    // Shows only the rows whose detail fields equal the master's current row;
    // new rows take the master's values. Empty master: all rows.
    void SetMaster(TnClientDataSet* mestre, const QString& camposMestre, const QString& camposDetalhe);
    TnClientDataSet* Master() const { return m_visao.Master(); }

    // --- lookup ------------------------------------------------------------
    bool Locate(const QString& campos, const QVariantList& valores, TnLocateOptions opcoes = {});
    bool Locate(const QString& campo, const QVariant& valor, TnLocateOptions opcoes = {})
    {
        return Locate(campo, QVariantList{valor}, opcoes);
    }
    // Row with these values of the active order's first fields.
    bool FindKey(const QVariantList& valores);
    QVariant Lookup(const QString& camposChave, const QVariantList& valores, const QString& camposResultado) const;

    // --- bookmarks ---------------------------------------------------------
    TnBookmark GetBookmark() const;
    bool BookmarkValid(TnBookmark marca) const;
    void GotoBookmark(TnBookmark marca);

    // --- views -------------------------------------------------------------
    void DisableControls() { ++m_controlesDesligados; }
    void EnableControls();
    bool ControlsDisabled() const { return m_controlesDesligados > 0; }
    void AdicionarObservador(TnObservadorDataSet* observador);
    void RemoverObservador(TnObservadorDataSet* observador);

    // The value of a field in a row of the current view (grids).
    QVariant ValorNaLinha(int linha, int campo) const;

private:
    friend class TnField;
    friend class TnVisaoDataSet;

    void AdicionarCampo(std::unique_ptr<TnField> campo);
    QList<int> IndicesDosCampos(const QString& campos) const;
    void ExigirAtivo() const;
    void ExigirNavegacao();
    void Disparar(const TnEventoDataSet& evento);
    QVariant ValorDoCampo(int indice) const;
    void GravarValorDoCampo(int indice, const QVariant& valor);
    QVariant ValorOriginal(int indice) const;
    TnLinha* LinhaAtual() const;
    void NovoRegistro(bool noFim);
    void AplicarDefaults();
    // The field of each column of a result, declared or created for it.
    QList<const TnField*> CamposDoResultado(const TnSQLDataSet& consulta);
    void Rolar(int novaPosicao);
    // Goes to the first row of the view whose fields equal the values.
    bool IrPara(const QList<int>& campos, const QVariantList& valores, TnLocateOptions opcoes);
    // The rows shown are worked out again, keeping `manter` current if shown.
    void ReconstruirVisao(TnBookmark manter);
    // Filter, order or master changed: rebuild the view, keeping the current row.
    void AtualizarVisao();
    // A posted row takes its place in the view.
    void PosicionarNaVisao(TnLinha* linha, bool inseriu);
    void Notificar(const std::function<void(TnObservadorDataSet&)>& aviso);
    void NotificarDados();
    void NotificarRegistro();
    void NotificarEstado();
    void NotificarLinha(const TnDestinoLinha& mudanca, bool antes);
    void MestreMudou();
    void AvisarDetalhes();

    QString m_name;
    QString m_commandText;
    TnDeclaracaoTela m_tela;
    bool m_podeAlterarChave = false;
    QList<TnFieldDef> m_fieldDefs;
    TnEventoDataSet m_beforeOpen, m_afterOpen, m_beforeClose, m_afterClose;
    TnEventoDataSet m_beforeInsert, m_onNewRecord, m_afterInsert;
    TnEventoDataSet m_beforeEdit, m_afterEdit;
    TnEventoDataSet m_beforePost, m_afterPost;
    TnEventoDataSet m_beforeCancel, m_afterCancel;
    TnEventoDataSet m_beforeDelete, m_afterDelete;
    TnEventoDataSet m_beforeScroll, m_afterScroll;
    std::function<void()> m_aoMudarMestre;

    std::vector<std::unique_ptr<TnField>> m_campos;
    QHash<QString, int> m_indicePorNome;  // upper-case name -> field index

    TnLinhasDataSet m_linhas;
    TnVisaoDataSet m_visao{*this};

    TnDataSetState m_estado = TnDataSetState::dsInactive;
    int m_atual = -1;  // position in m_visao
    bool m_eof = true;
    bool m_bof = true;
    QVariantList m_buffer;  // values of the row being edited or inserted
    bool m_modificado = false;
    int m_atualAntesInsercao = -1;
    int m_posicaoInsercao = -1;

    // Operations under way (a hook may start another): the outermost tells
    // the views when it is over.
    class TnOperacao;
    int m_operacoes = 0;
    int m_controlesDesligados = 0;
    QList<TnObservadorDataSet*> m_observadores;
    std::unordered_map<std::type_index, std::shared_ptr<void>> m_registros;  // bound field records
};

// Copies the rows of origem into destino, field by field of the same name.
void CopyDataCDS(TnClientDataSet& origem, TnClientDataSet& destino);

// The controls of a dataset switched off for a walk, and on again however it ends.
class TnSemControles {
public:
    explicit TnSemControles(TnClientDataSet& dataSet) : m_dataSet(dataSet) { m_dataSet.DisableControls(); }
    ~TnSemControles() { m_dataSet.EnableControls(); }
    TnSemControles(const TnSemControles&) = delete;
    TnSemControles& operator=(const TnSemControles&) = delete;

private:
    TnClientDataSet& m_dataSet;
};
