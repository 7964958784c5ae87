#pragma once

#include "classedeclarada.h"
#include "dmpowerparam.h"
#include "pendencias.h"

#include <QDate>

// The documents the establishments chosen still owe for a competence, each
// with the code it will get when registered: a read-only list, and what the
// pending documents screen loads and ticks off. The message tree says why an
// establishment of the selection has nothing listed.
class TLyrDPConsultaDocPendente : public TnDMPowerParamGrid {
    LYR_DATAMODULE(TLyrDPConsultaDocPendente)
public:
    TLyrDPConsultaDocPendente();

    void DataModuleCreate() override;
    void ValidarDado() override;
    void Executar() override;

    // The first day of the competence read by the last validation.
    const QDate& Competencia() const { return m_competencia; }
    // Lists the message tree's lines of why each establishment of the
    // selection has nothing pending (reads the selection's establishments).
    void SetExplicar(bool explicar) { m_explicar = explicar; }
    const QList<TLyrFilialSemPendencia>& FiliaisSemPendencia() const { return m_semPendencia; }
    // Those establishments in a process's message tree, under their companies.
    static void ListarSemPendencia(TnDMPowerParam& processo, const QList<TLyrFilialSemPendencia>& filiais);

private:
    QDate m_competencia;
    QString m_empresas;
    QString m_estabs;
    int m_periodo = 0;
    bool m_explicar = true;
    QList<TLyrFilialSemPendencia> m_semPendencia;
};
