#pragma once

#include "gerarprotocolobase.h"
#include "mapperfinanceiro.h"

#include <QDate>
#include <QSet>
#include <QStringList>

#include <memory>

class QDateTime;
class TnFraProgresso;

// "Gerar Protocolo": for a period, the ticked source types and the chosen
// companies and establishments, proposes protocols with their items (one per
// establishment, or one per type with "Dividido em Tipos"); the user marks
// what to deliver and the base saves it. The first pass covers tax debits
// and payroll; the second, the office's invoices and boletos to its clients.
class TLyrDPGerarProtocolo : public TLyrDPGerarProtocoloBase {
    LYR_DATAMODULE(TLyrDPGerarProtocolo)
public:
    TLyrDPGerarProtocolo();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ConferirParametros() override;
    void ValidarDado() override;
    void Executar() override;

    // Toggles every selectable item of the preview (Ctrl+Ins).
    void SelecionarTodos() override;

protected:
    void GerarProtocolo() override;
    void PegarValoresIniciais() override;
    // Marks a saved invoice or boleto as delivered in the protocol.
    void AtualizarOrigemItem(qint64 codigo, int seq) override;
    // Appends a preview protocol for the establishment; answers 1.
    int InserirPro(int empresa, int estab, const QString& nomeEmpresa, const QString& nomeEstab);
    // The rows of the current type for the current establishment; 1 when any.
    int CarregarDados();
    // Appends them as items of the current protocol; answers how many.
    int InserirItensPro();
    // Appends an item to the current protocol with what every source fills
    // alike (protocol, sequence, type, competence, audit, unmarked); the
    // caller adds what its source gives and posts it.
    void NovoItem(const QDateTime& agora);
    QString MontarDescricaoCTR() const;
    QString MontarDescricaoFPA() const;
    // The competence of every generated item: the first day of the end date's month.
    QDate Competencia() const { return QDate(m_fim.year(), m_fim.month(), 1); }

    // --- financial documents (types 11 and 12) ------------------------------
    // Recipient modes: documents of clients without a company link go to the
    // office's own establishment (0), those of linked clients to their
    // company's establishment (1).
    static constexpr int kEscritorio = 0;
    static constexpr int kCliente = 1;
    // One establishment of the office, the current financial type.
    void GerarFinanceiro(int empresa, int estab, int modo);
    // The message lines and the preview protocol of a client row; answers the
    // protocols appended (0 or 1).
    int InserirProCliente(TnClientDataSet& cliente);
    // The client's documents as items of the current protocol; answers how many.
    int InserirItensFin(TnClientDataSet& cliente, int modo);
    QString MontarDescricaoFIN(const TnMapperFinanceiro& documento);

    QDate m_inicio;
    QDate m_fim;
    int m_formaGeracao = 2;  // 1 single protocol, 2 divided in types
    int m_modoFolha = 1;     // 1 totals, 2 per employee
    QString m_empresas;
    QString m_estabs;
    QStringList m_tipos;
    int m_tipoAtual = 0;
    QString m_tituloAtual;
    QString m_tabelaDebito;
    QString m_sufixo;
    int m_seqItem = 0;
    double m_ultimoCodigo = 0;  // the highest preview code handed out
    std::unique_ptr<TnSQLDataSet> m_consulta;
    std::unique_ptr<TnSQLDataSet> m_lista;  // the establishments of the run

private:
    void npqPowerParamParamChange(TnpqParamItem& item);
    void PrimeiraPassagem();
    // The establishment's protocol configuration allows generation; when it
    // does not, says so under the current nodes of the message tree.
    bool ChecarFilial(int empresa, int estab);
    // Its form of delivery as a number; 2 when it has none.
    static int FormaEntrega(int empresa, int estab);
    void SegundaPassagem();
    void PassagemFinanceira(TnSQLDataSet& lista, int modo);
    // The documents of the current type issued by the office's establishment
    // (read once per establishment and type, shared by its clients).
    TnClientDataSet& Documentos(int empresa, int estab);
    // "Listar": 0 only what has no protocol yet (also when not a number), 1 all.
    int ListarDebitos() const;
    int CarregarDadosCtr();
    int CarregarDadosFpa();
    int InserirItensCtr();
    int InserirItensFpa();
    TnMsgNo m_raiz;
    TnMsgNo m_noEmpresa;
    TnMsgNo m_noEstab;
    std::unique_ptr<TnClientDataSet> m_documentos;
    // The recipient of the client row being processed is not registered: its
    // documents are reported, not listed.
    bool m_destinoInexistente = false;
    QSet<QString> m_listados;  // origin keys of the documents listed by this run
    TnFraProgresso* m_progressoFin = nullptr;
};
