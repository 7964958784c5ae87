#pragma once

#include "clientdataset.h"
#include "datamodule.h"
#include "relatorio.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

class TnSQLDataSet;

// A menu item of a register's declaration.
struct TnMenuItem {
    QString Caption;
    QString Category;
    int Index = 0;
    QString Modulo = QStringLiteral("Lyr");
    int ImageIndex = -1;
    bool Separador = false;
    bool CriarHTTP = false;
    bool CriarMenu = true;
};

// The declaration block of a register.
struct TnDefAdic {
    QString Ordem;         // "CodigoProtocolo,SeqItemPro"
    QString OrdemCaption;
    QString Atributos = QStringLiteral("*");
    QList<TnMenuItem> Menus;
    QString VerificaSelecao;  // "DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"
};

// Values of the selection asked before a register opens. A name is a column
// and a comparison: "DataLctoPro_MAIORIGUAL" is DATALCTOPRO >= value.
struct TnValorSelecao {
    QString nome;
    QVariant valor;
};
using TnSelecao = QList<TnValorSelecao>;

class TnDMClientDataSet;
class TnField;
// The field points at a register through a dictionary entry: the entry
// names its label, the register it is looked up in and the description
// shown beside it. `chave`: the fields the register's key is read from
// ("CODIGOEMPRESA;CODIGOESTAB"); empty, the field alone.
TnField& LigarAoDicionario(TnField& campo, const QString& dicionario, const QString& chave = {});
// A required code of 4 digits linked through the dictionary entry of its name.
TnField& CampoLigado(TnDMClientDataSet& dm, const QString& nome, const QString& chave = {});
// The company and establishment a row belongs to (CODIGOEMPRESA,
// CODIGOESTAB), required and looked up in their registers.
void CamposDaFilial(TnDMClientDataSet& dm);

// The condition of a selection on the columns of the given alias ("t_t");
// empty values are left out. Unknown comparisons raise EnErro.
QString CondicaoSelecao(const TnSelecao& selecao, const QString& apelido);
// The select statement with the condition added before its ORDER BY.
QString ComandoComCondicao(const QString& comando, const QString& condicao);

// What a view honours for a field's control.
struct TnEstadoControle {
    bool habilitado = true;
    bool somenteLeitura = false;
};

// A register: one table edited through one dataset. Rows are stored into the
// table when posted and deleted from it when deleted, after the host's own
// checks (ValidarDado). The hooks are virtual, and an override calls the
// inherited one: BeforePost and BeforeDelete write to the table, so a rule
// that may refuse the row runs before them; the other hooks keep the form's
// controls and actions in step with the dataset.
class TnDMClientDataSet : public TnDataModule {
public:
    TnDMClientDataSet();
    ~TnDMClientDataSet() override;

    TnDefAdic DefAdic;
    TnClientDataSet nClientDataSet;
    QString Tabela;       // the table the rows are stored into
    QString ChaveTabela;  // its key columns, ";"-separated, in key order

    // Declares a field of the select list (in its order).
    template <typename F, typename... Args>
    F& Campo(const QString& nome, Args&&... args)
    {
        return nClientDataSet.AddField<F>(nome, std::forward<Args>(args)...);
    }
    TnField& FieldByName(const QString& nome) const { return nClientDataSet.FieldByName(nome); }

    // Opens the dataset with the declared statement under the selection.
    void Abrir(const TnSelecao& selecao = {});
    const TnSelecao& Selecao() const { return m_selecao; }
    // Goes to the row whose (one-column) key is the text typed; a key that is
    // not among the rows is a field error saying whether it exists at all.
    void IrParaChave(const QString& texto);
    // Reads the rows again, keeping the current one when it still exists.
    virtual void Refresh();
    // The reports the register prints (named in nClientDataSet.Relatorios):
    // the caption a user picks from, and the report for the rows whose key
    // (its first column) is in `selecao`, codes and ranges as "1;5-9".
    virtual QString TituloRelatorio(const QString& nome) const { return nome; }
    virtual TnRelatorio MontarRelatorio(const QString& nome, const QString& selecao);
    void Preparar() override;

    // --- hooks -------------------------------------------------------------
    virtual void nClientDataSetBeforeOpen() {}
    virtual void nClientDataSetAfterOpen();
    virtual void nClientDataSetAfterScroll();
    virtual void nClientDataSetBeforeInsert() {}
    virtual void nClientDataSetNewRecord();
    virtual void nClientDataSetAfterInsert();
    virtual void nClientDataSetBeforeEdit() {}
    virtual void nClientDataSetAfterEdit();
    virtual void nClientDataSetBeforePost();
    virtual void nClientDataSetAfterPost();
    virtual void nClientDataSetBeforeDelete();
    virtual void nClientDataSetAfterDelete();
    virtual void nClientDataSetAfterCancel();
    // The host's checks before a row is stored: required fields, limits,
    // sizes, links that must exist, a key that is free and does not change.
    virtual void ValidarDado();
    // Refreshes the state of the form's controls (after scrolls and edits).
    virtual void ConfigurarCampo();
    // Enables the dataset actions from the dataset's state.
    virtual void HabilitaDesabilitaActions();

    // True when the row being edited differs from the stored one.
    bool HouveAlteracoes() const;
    // A new row, or a changed one, gets the audit columns: the user logged in
    // (CODIGOUSUARIO), now (in `momento`) and the origin (ORIGEMDADO).
    void CarimbarAuditoria(const QString& momento = QStringLiteral("DATAHORACADASTRO"));

    // --- details -------------------------------------------------------------
    void AddInfoDetalhe(const QString& classeDetalhe, const QString& camposMestre, const QString& camposDetalhe);
    // Creates and opens the declared details, linked to this register.
    void CriarDetalhe();
    const std::vector<std::unique_ptr<TnDMClientDataSet>>& Detalhes() const { return m_detalhes; }
    // The detail of that class opened for this register (nullptr when none).
    TnDMClientDataSet* Detalhe(const QString& classe) const;
    TnDMClientDataSet* DmMaster() const { return m_mestre; }
    // Stores the detail rows being typed before the master moves or changes;
    // a new row with nothing typed is dropped. A refusal stops the caller.
    void GravarDetalhes();

    // --- controls and actions -----------------------------------------------
    void EdEnabledField(const QString& campo, bool habilitado);
    void EdReadOnlyField(const QString& campo, bool somenteLeitura);
    TnEstadoControle EstadoControle(const QString& campo) const;
    // When false the register's stored rows are shown but not changed.
    bool PodeEditar() const { return m_podeEditar; }
    void SetPodeEditar(bool pode);
    // When false no row may be added; apart from PodeEditar, so a user may
    // type new rows where the stored ones are read-only to him.
    bool PodeIncluir() const { return m_podeIncluir; }
    void SetPodeIncluir(bool pode);

    TnActionList& Actions() { return m_acoes; }
    TnAction* actDataSetFirst = nullptr;
    TnAction* actDataSetPrior = nullptr;
    TnAction* actDataSetNext = nullptr;
    TnAction* actDataSetLast = nullptr;
    TnAction* actDataSetInsert = nullptr;
    TnAction* actDataSetEdit = nullptr;
    TnAction* actDataSetDelete = nullptr;
    TnAction* actDataSetPost = nullptr;
    TnAction* actDataSetCancel = nullptr;
    TnAction* actDataSetRefresh = nullptr;

private:
    struct TnInfoDetalhe {
        QString classe;
        QString camposMestre;
        QString camposDetalhe;
    };

    void LigarEventos();
    void CriarAcoes();
    QStringList CamposDaChave() const;
    void Gravar();
    void Apagar();
    QStringList NumerarChave();
    bool NumeraChave() const;
    void ValidarLigacoes();
    void ValidarChave();
    void RecusarExclusaoComDetalhes();
    QVariantList ChaveDoMestre() const;
    QString CondicaoDoMestre() const;
    void LerDoMestre();
    TnSQLDataSet& Comando(std::unique_ptr<TnSQLDataSet>& comando, const QString& texto);

    TnSelecao m_selecao;
    bool m_podeEditar = true;
    bool m_podeIncluir = true;
    // A detail reads only the rows of its master's current row.
    QStringList m_colunasMestre;
    QStringList m_colunasDetalhe;
    QVariantList m_chaveLida;  // the master key whose rows were read last
    QList<TnInfoDetalhe> m_infoDetalhes;
    std::vector<std::unique_ptr<TnDMClientDataSet>> m_detalhes;
    void GravarMestre();
    TnDMClientDataSet* m_mestre = nullptr;
    QHash<QString, TnEstadoControle> m_controles;
    TnActionList m_acoes;
    std::unique_ptr<TnSQLDataSet> m_insercao;
    std::unique_ptr<TnSQLDataSet> m_alteracao;
    std::unique_ptr<TnSQLDataSet> m_exclusao;
};
