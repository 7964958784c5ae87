#pragma once

#include "classedeclarada.h"

// A protocol: the receipt of one hand-over of documents to or from an
// establishment. Its items are the detail grid under it.
class TLyrDMProtocolo : public TnCadastroDeclarado<TLyrDMProtocolo> {
    LYR_DATAMODULE(TLyrDMProtocolo)
public:
    static QString PegarVerificaSelecao() { return QStringLiteral("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"); }

    TLyrDMProtocolo();

    void DataModuleCreate() override;
    void DataModuleDestroy() override;
    void DepoisConfigurar(TnFormulario* formulario) override;
    void ConfigurarCampo() override;
    void ValidarDado() override;
    void Refresh() override;
    QString TituloRelatorio(const QString& nome) const override;
    TnRelatorio MontarRelatorio(const QString& nome, const QString& selecao) override;
    void nClientDataSetBeforeInsert() override;
    void nClientDataSetNewRecord() override;
    void nClientDataSetBeforePost() override;
    void nClientDataSetAfterPost() override;
    void nClientDataSetAfterScroll() override;
    void nClientDataSetBeforeDelete() override;

    // "Baixar Protocolo" (F6), "InformacoesBaixa" (Shift+F6), "Cancelar Tudo" (Alt+F6).
    void BaixarProtocolo();
    void InformacoesBaixa();
    void CancelarTudo();

    bool Baixado() const { return !FieldByName(QStringLiteral("DATAHORABAIXA")).IsNull(); }
    bool Cancelado() const { return FieldByName(QStringLiteral("CANCELADO")).AsString() == u"1"; }

private:
    void nClientDataSetCODIGOPROTOCOLOChange(TnField& campo);
    void nClientDataSetCODIGOESTABDefIntExit(TnField& campo);
    void EstadoDosControles();
    bool TemItemAtivo() const;

    QString m_ultimoEstab;        // "company;establishment" whose configuration was read last
    QString m_formaConfigurada;   // its form of delivery
    bool m_baixando = false;      // the register stores its own write-off
};

// The protocols as a grid to pick one.
class TLyrDCProtocolo : public TnCadastroDeclarado<TLyrDCProtocolo> {
    LYR_DATAMODULE(TLyrDCProtocolo)
public:
    static QString PegarVerificaSelecao() { return QStringLiteral("DataLctoPro_MAIORIGUAL;DataLctoPro_MENORIGUAL"); }

    TLyrDCProtocolo();
};

// The condition an item of a protocol meets while it is active (not
// cancelled), with the items' alias ("I."): a protocol is written off only
// with one, by the register and by the batch alike.
QString CondicaoItemAtivo(const QString& prefixo = {});
