#pragma once

#include "dmpowerparam.h"
#include "insercaolote.h"
#include "sqldataset.h"

#include <map>

class TnFraProgresso;

// A protocol of the preview, bound to the protocol dataset's fields.
struct TLyr {
    explicit TLyr(TnClientDataSet& dataSet);
    TnField& CODIGOPROTOCOLO;  // the preview's code, never written
    TnField& CODIGOEMPRESA;
    TnField& CODIGOESTAB;
    TnField& EMPRESA;  // "code - name"
    TnField& ESTAB;
    TnField& DATALCTOPRO;
    TnField& TIPOPRO;
    TnField& OBSERVACAO;
    TnField& DATAHORACADASTRO;
    TnField& CODIGOUSUARIO;
    TnField& FORMAENTREGA;
    TnField& NATUREZAPRO;
    TnField& CANCELADO;
    TnField& ORIGEMDADO;
    TnField& TODOSSELECIONADOS;  // 1 when every selectable item is marked
};

// An item of the preview, bound to the item dataset's fields.
struct TLyrItem {
    explicit TLyrItem(TnClientDataSet& dataSet);
    TnField& CODIGOPROTOCOLO;  // its protocol's preview code
    TnField& SEQITEMPRO;
    TnField& TIPODEBITO;
    TnField& DESCRITEM;
    TnField& DATALCTOPRO;
    TnField& VENCIMENTO;
    TnField& VALOR;
    TnField& CODIGOIMPOSTO;
    TnField& VARIACAOIMPOSTO;
    TnField& CODIGODOCEMP;
    TnField& CodigoFuncContr;
    TnField& CANCELADO;
    TnField& CHAVEORIGEM;
    TnField& CHAVEDEBITO;
    TnField& CODIGOUSUARIO;
    TnField& DATAHORACADASTRO;
    TnField& ORIGEMDADO;
    TnField& COMPETENCIA;
    TnField& PROTOCOLO;  // a protocol that already holds the source row
    TnField& GERAR;      // the user's mark
    TnField& TABELA;     // source table to update on save
    TnField& TABELACHAVE;
    TnField& MODULO;
    TnField& PROTOCOLOFONTE;  // the protocol the source row carried when read (financial items)
};

// What every protocol-generating process shares: the two-level preview
// (protocols and their candidate items, in memory), the user's marks, and
// the save that writes the protocols with marked items in one transaction
// and marks their sources as delivered. A derived process fills the preview
// in GerarProtocolo.
class TLyrDPGerarProtocoloBase : public TnDMPowerParamTab {
    LYR_DATAMODULE(TLyrDPGerarProtocoloBase)
public:
    TLyrDPGerarProtocoloBase();
    ~TLyrDPGerarProtocoloBase() override;

    // The items of the preview (nClientDataSet holds its protocols).
    TnClientDataSet nClientDataSetDet;

    QString GetFormClass() const override { return QStringLiteral("TnFrmGerarProtocolo"); }
    // The items of the protocol on the grid's current row, below it.
    TnClientDataSet* DataSetDetalhe() override { return &nClientDataSetDet; }
    void AbrirDetalhe() override { FiltrarItensDoProtocolo(true); }
    void DepoisConfigurar(TnFormulario* formulario) override;
    void Executar() override;
    void actGravarExecute() override;
    void actCancelarExecute() override;

    // Shows only the items of the current protocol (the protocol row opened
    // in the form); off shows them all.
    void FiltrarItensDoProtocolo(bool ligado);
    void MarcarItem();
    void MarcarItensMaster();
    void DesmarcarItens();

protected:
    // Items without a source table: the derived process marks their source.
    // The protocol and item rows may still be gathered in their batch.
    virtual void AtualizarOrigemItem(qint64 codigo, int seq);
    virtual void PrepararSQL();
    virtual void PegarValoresIniciais();
    virtual void GerarProtocolo() {}
    void PegarCfgDescr(int tipo);
    // A statement of the save, prepared once per batch and kept by its text.
    TnSQLDataSet& ComandoDoLote(const QString& texto);
    // The update of the current item's source row changed nothing: raises
    // why (deleted, or delivered or changed by another user since the
    // preview was read), telling the user to generate again.
    [[noreturn]] void RecusarOrigem(const QString& tabela, const QString& condicao);
    // Writes one protocol and its items now, not through the preview: in one
    // transaction, on the statements PrepararSQL prepared, the code taken
    // under the same numbering lock as the batch save's (two users never
    // write the same code). `protocolo` holds the protocol's columns after
    // the code; each item its columns after the code and the sequence, which
    // count from 1. `junto`, when given, runs in the same transaction with
    // the code (what the protocol is made for records it). Answers the code
    // written; on failure nothing is written.
    qint64 GravarProtocolo(const QVariantList& protocolo, const QList<QVariantList>& itens,
                           const std::function<void(qint64 codigo)>& junto = {});

    TLyr& Pro() { return *m_pro; }
    TLyrItem& Item() { return *m_item; }

    QString m_modelo;           // the template of the type being built
    double m_codigoAtual = 0;   // the preview code of the protocol being filled
    qint64 m_primeiroCodigoDoLote = 0;  // the first code the running save writes
    int m_formaEntrega = 2;
    int m_empresa = 0;
    int m_estab = 0;
    QString m_nomeEmpresa;
    QString m_nomeEstab;

private:
    void LigarRegistros();
    void DeclararGrades();
    struct TnLinhasGravadas {
        QList<TnBookmark> itens;
        QList<TnBookmark> protocolos;
    };
    TnLinhasGravadas Gravar(TnFraProgresso& progresso);
    void MarcarDebitoEntregue(qint64 codigo);

    TLyr* m_pro = nullptr;
    TLyrItem* m_item = nullptr;
    // Prepared once per execution (PrepararSQL), bound per row.
    std::unique_ptr<TnInsercaoEmLote> sqlInsertPro;
    std::unique_ptr<TnInsercaoEmLote> sqlInsertItensPro;
    std::map<QString, std::unique_ptr<TnSQLDataSet>> m_comandosDoLote;  // by text: sqlUpdateDebito per table, …
};
