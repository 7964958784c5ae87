#pragma once

#include "classedeclarada.h"

// One paper the office holds for an establishment: its type and launch
// date, a description, and whether it lies archived in an envelope.
class TLyrDMProtocoloDocEmp : public TnCadastroDeclarado<TLyrDMProtocoloDocEmp> {
    LYR_DATAMODULE(TLyrDMProtocoloDocEmp)
public:
    static QString PegarVerificaSelecao() { return QStringLiteral("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"); }

    TLyrDMProtocoloDocEmp();

    // Its movements, as a grid under it.
    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    // The red "Arquivado" beside the key shows whether the current document is archived.
    void ConfigurarCampo() override;
    // The current document's filing, movements and protocols, in a window.
    void actInformacoes();
    // Labels of the documents chosen, with the code as a barcode: on A4
    // sheets of 3 by 8, or one to a page of a 100 x 50 mm label printer.
    QString TituloRelatorio(const QString& nome) const override;
    TnRelatorio MontarRelatorio(const QString& nome, const QString& selecao) override;
    // The code a label carries: the document's code in ten digits, which the
    // code field reads back as it is typed or scanned.
    static QString CodigoDaEtiqueta(qint64 documento);

protected:
    void nClientDataSetNewRecord() override;
    // The host's checks, then: one document of a type per establishment and launch date.
    void ValidarDado() override;

private:
    QString TextoFora() const;
};

// The grid to pick a document from.
class TLyrDCProtocoloDocEmp : public TnCadastroDeclarado<TLyrDCProtocoloDocEmp> {
    LYR_DATAMODULE(TLyrDCProtocoloDocEmp)
public:
    static QString PegarVerificaSelecao() { return TLyrDMProtocoloDocEmp::PegarVerificaSelecao(); }

    TLyrDCProtocoloDocEmp();
};
