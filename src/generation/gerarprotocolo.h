#pragma once

#include "gerarprotocolobase.h"

#include <QDate>
#include <QStringList>

#include <memory>

class TnFraProgresso;

// "Gerar Protocolo": for a period, the ticked source types and the chosen
// companies and establishments, proposes protocols with their items (one per
// establishment, or one per type with "Dividido em Tipos"); the user marks
// what to deliver and the base saves it. The first pass covers tax debits
// and payroll; the second, the office's invoices and boletos, is
// SegundaPassagem.
class TLyrDPGerarProtocolo : public TLyrProcesso<TLyrDPGerarProtocolo, TLyrDPGerarProtocoloBase> {
    LYR_DATAMODULE(TLyrDPGerarProtocolo)
public:
    TLyrDPGerarProtocolo();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;

    // Toggles every selectable item of the preview (Ctrl+Ins).
    void SelecionarTodos() override;

protected:
    void GerarProtocolo() override;
    // The financial documents' pass; nothing yet.
    virtual void SegundaPassagem() {}
    // Appends a preview protocol for the establishment; answers 1.
    int InserirPro(int empresa, int estab, const QString& nomeEmpresa, const QString& nomeEstab);
    // The rows of the current type for the current establishment; 1 when any.
    int CarregarDados();
    // Appends them as items of the current protocol; answers how many.
    int InserirItensPro();
    QString MontarDescricaoCTR() const;
    QString MontarDescricaoFPA() const;

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
    std::unique_ptr<TnSQLDataSet> m_consulta;
    std::unique_ptr<TnSQLDataSet> m_lista;  // the establishments of the run

private:
    void npqPowerParamParamChange(TnpqParamItem& item);
    void PrimeiraPassagem();
    int CarregarDadosCtr();
    int CarregarDadosFpa();
    int InserirItensCtr();
    int InserirItensFpa();
    TnMsgNo m_raiz;
    TnMsgNo m_noEmpresa;
    TnMsgNo m_noEstab;
};
