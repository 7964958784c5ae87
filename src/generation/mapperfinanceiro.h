#pragma once

#include "clientdataset.h"

// A financial document of the generation's second pass, bound to the
// columns of the same names of the document rows (invoices or boletos).
struct TnMapperFinanceiro {
    explicit TnMapperFinanceiro(TnClientDataSet& d)
        : CodigoEscrit(d.FieldByName(QStringLiteral("CODIGOESCRIT"))), DataEmissao(d.FieldByName(QStringLiteral("DATAEMISSAO"))),
          DataVcto(d.FieldByName(QStringLiteral("DATAVCTO"))), Valor(d.FieldByName(QStringLiteral("VALOR"))),
          CodigoProtocolo(d.FieldByName(QStringLiteral("CODIGOPROTOCOLO"))), CodigoCliente(d.FieldByName(QStringLiteral("CODIGOCLIENTE"))),
          NomeCliente(d.FieldByName(QStringLiteral("NOMECLIENTE"))), NumeroDocumento(d.FieldByName(QStringLiteral("NUMERODOCUMENTO")))
    {
    }
    TnField& CodigoEscrit;
    TnField& DataEmissao;
    TnField& DataVcto;
    TnField& Valor;
    TnField& CodigoProtocolo;  // of the document's own table, as read
    TnField& CodigoCliente;    // the client, or the office for unlinked clients
    TnField& NomeCliente;
    TnField& NumeroDocumento;
};

// A service invoice (type 11).
struct TnMapperFinNotaFiscal : TnMapperFinanceiro {
    explicit TnMapperFinNotaFiscal(TnClientDataSet& d)
        : TnMapperFinanceiro(d), SerieNS(d.FieldByName(QStringLiteral("SERIENS"))), NumeroNS(d.FieldByName(QStringLiteral("NUMERONS"))),
          VistaPrazo(d.FieldByName(QStringLiteral("VISTAPRAZO"))), CanceladaNS(d.FieldByName(QStringLiteral("CANCELADANS")))
    {
    }
    TnField& SerieNS;
    TnField& NumeroNS;
    TnField& VistaPrazo;
    TnField& CanceladaNS;
};

// A boleto (type 12): a receivable with a bank number.
struct TnMapperFinBoleto : TnMapperFinanceiro {
    explicit TnMapperFinBoleto(TnClientDataSet& d)
        : TnMapperFinanceiro(d), NumeroDctoCR(d.FieldByName(QStringLiteral("NUMERODCTOCR"))),
          NossoNumero(d.FieldByName(QStringLiteral("NOSSONUMERO")))
    {
    }
    TnField& NumeroDctoCR;
    TnField& NossoNumero;
};
