#pragma once

#include "classedeclarada.h"

class TLyrDMProtocolo;

// The items of a protocol, edited as a grid under it. Items are never
// deleted: they are cancelled, which also undoes their source's link to the
// protocol; the protocol is cancelled with its last active item.
class TLyrDMProtocoloItem : public TnCadastroDeclarado<TLyrDMProtocoloItem> {
    LYR_DATAMODULE(TLyrDMProtocoloItem)
public:
    static QString PegarVerificaSelecao() { return QStringLiteral("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"); }

    TLyrDMProtocoloItem();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ConfigurarCampo() override;
    void ValidarDado() override;
    void nClientDataSetBeforeOpen() override;
    void nClientDataSetAfterInsert() override;
    void nClientDataSetAfterScroll() override;
    void nClientDataSetBeforeDelete() override;

    // Cancels the current item. Asked about only when the sender is this
    // data module itself (its own button), not from the protocol's cancel-all.
    void actCancelarItem(const void* sender);
    // Tab or Enter in a grid cell being edited; true keeps the user in it.
    bool ConfirmarCelula(int tecla, const QString& campo, const QString& texto);
    // Takes the history text of that code as the description: -1 when there
    // is none, 1 when it expects a complement, 0 otherwise.
    int UsarHistorico(int codigo);

private:
    TLyrDMProtocolo* Protocolo() const;
    bool ProtocoloBaixado() const;
    bool ProtocoloCancelado() const;
    bool ProtocoloEditavel() const;
    void MarcarCancelado();
    void nClientDataSetDESCRITEMDefIntButtonClick(TnField& campo);

    bool m_baixado = false;
    bool m_cancelando = false;
};
