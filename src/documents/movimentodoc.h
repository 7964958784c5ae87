#pragma once

#include "classedeclarada.h"

#include <QVariant>

// The steps of a company document: to a department of the office or a
// person (internal), or out of the office (external), numbered within the
// document and edited as a grid under it. The history only grows: the newest
// movement alone may change or go, one with a protocol stays, and an
// archived document takes no new or changed movement. An external movement
// is handed over with a protocol made on the spot.
class TLyrDMProtocoloDocMovimento : public TnCadastroDeclarado<TLyrDMProtocoloDocMovimento> {
    LYR_DATAMODULE(TLyrDMProtocoloDocMovimento)
public:
    static QString PegarVerificaSelecao() { return QStringLiteral("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"); }

    TLyrDMProtocoloDocMovimento();

    void DataModuleCreate() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    // The department is typed only for internal movements.
    void ConfigurarCampo() override;
    // Makes the protocol of the current (newest) movement through the
    // individual-protocol dialog and links its code to the movement.
    void actGerarProtocolo();

protected:
    void nClientDataSetNewRecord() override;
    void ValidarDado() override;
    void nClientDataSetBeforeDelete() override;
    void nClientDataSetAfterPost() override;
    void nClientDataSetAfterDelete() override;
    void nClientDataSetAfterCancel() override;

private:
    // The newest stored movements of the current document, newest first
    // (at most two), read from the table: another screen may have added one.
    struct TnUltimos {
        QList<QVariantList> linhas;  // SEQDOCEMP, TIPOLOCAL, CODIGODPTOESCRIT, CODIGOUSUARIORESP, CODIGOPROTOCOLO
        int UltimaSeq() const { return linhas.isEmpty() ? 0 : linhas.first().first().toInt(); }
    };
    TnUltimos Ultimos() const;
    bool EhAUltima(const TnUltimos& ultimos) const;
    bool DocumentoArquivado() const;
    void CopiarDataDoDocumento();
    // Writes the protocol's code into the newest movement of the document,
    // still without one and not archived; raises when it is no longer so.
    void VincularProtocolo(const QVariant& documento, const QVariant& seq, qint64 codigo);

    // Set when a new movement is started; the question after a store asks
    // while it stands, and the protocol action clears it.
    bool m_novoMovimento = false;
};
