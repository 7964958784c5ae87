#pragma once

#include "dicionario.h"
#include "dmclientdataset.h"

// A consultation made from a dictionary entry: the register's key and its
// description, to pick codes from (a link field's F4, a code-list parameter).
class TnConsultaDicionario : public TnDMClientDataSet {
public:
    // condicao: the rows offered ("t_t.CODIGOEMPRESA = 2"); empty: all of them.
    TnConsultaDicionario(const TnEntradaDicionario& entrada, const QString& condicao);

    // Columns read as the office names them: the codes by their dictionary
    // labels, the description as what it is.
    void nClientDataSetAfterOpen() override;
    QString ClassName() const override { return QStringLiteral("TnConsultaDicionario"); }

private:
    QString m_descricao;
};
