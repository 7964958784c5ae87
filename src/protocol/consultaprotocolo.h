#pragma once

#include "dmpowerparam.h"

#include <QDate>

// The protocols that have progressed, by a condition each query class gives
// (GetCampoFiltro); a double click or Ctrl+Enter opens the protocol in its
// register.
class TLyrDPConsultaProtocoloBase : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPConsultaProtocoloBase)
public:
    TLyrDPConsultaProtocoloBase();

    void DepoisConfigurar(TnFormulario* formulario) override;
    void ValidarDado() override;
    void Executar() override;

    // Opens the protocol of the current row in its register, modally.
    void actAbrirLcto();

protected:
    virtual QString GetCampoFiltro() const { return {}; }

private:
    QString m_protocolos;
    QString m_empresas;
    QString m_estabs;
    int m_formaEntrega = 0;
    int m_tipoProtocolo = 0;
    QDate m_inicial;
    QDate m_final;
    bool m_avisarAlteracoes = true;
};

class TLyrDPConsultaProtocoloBaixado : public TLyrDPConsultaProtocoloBase {
    LYR_DATAMODULE(TLyrDPConsultaProtocoloBaixado)
public:
    TLyrDPConsultaProtocoloBaixado() { npqPowerParam.Caption = QStringLiteral("Consulta de Protocolos Baixados/Recebidos"); }

protected:
    QString GetCampoFiltro() const override { return QStringLiteral(" DATAHORABAIXA is not null "); }
};

class TLyrDPConsultaProtocoloEntregue : public TLyrDPConsultaProtocoloBase {
    LYR_DATAMODULE(TLyrDPConsultaProtocoloEntregue)
public:
    TLyrDPConsultaProtocoloEntregue() { npqPowerParam.Caption = QStringLiteral("Consulta de Protocolos Entregues/Retirados"); }

protected:
    QString GetCampoFiltro() const override { return QStringLiteral(" DATAHORAENTREGA is not null "); }
};
