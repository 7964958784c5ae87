#include "protocoloindividual.h"

#include "conexao.h"
#include "erros.h"
#include "host.h"

#include <QDateTime>

namespace {

// The whole number typed in a parameter, or raises `mensagem` on it.
int Inteiro(const TnDMPowerParam& processo, const QString& alias, const QString& mensagem)
{
    bool ok = false;
    const int valor = processo.Param(alias).trimmed().toInt(&ok);
    if (!ok)
        throw EnParam(alias, mensagem);
    return valor;
}

// Empty text is stored as no value.
QVariant OuNulo(const QString& texto)
{
    return texto.isEmpty() ? QVariant() : QVariant(texto);
}

} // namespace

TLyrDPGerarProIndividual::TLyrDPGerarProIndividual()
{
    TnpqPowerParam& p = npqPowerParam;
    p.Caption = QStringLiteral("Gerar Protocolo Individual");
    p.Add(QStringLiteral("pCodigoDocumento"), QStringLiteral("Documento"), 0).Dicionario = QStringLiteral("CODIGODOCEMP");
    p.Add(QStringLiteral("pCodFunc"), QStringLiteral("Funcionário"), 1);
    TnpqParamItem& empresa = p.Add(QStringLiteral("pCodigoEmpresa"), QString(), 2);
    empresa.Dicionario = QStringLiteral("CODIGOEMPRESA");
    empresa.Requerid = true;
    p.Add(QStringLiteral("pCodigoEstab"), QStringLiteral("Filial"), 3).Dicionario = QStringLiteral("CODIGOESTAB");
    TnpqParamItem& data = p.AddData(QStringLiteral("pDataLctoPro"), QStringLiteral("Data Protocolo"), 4);
    data.Requerid = true;
    p.Add(QStringLiteral("pObservacao"), QStringLiteral("Observação"), 5).Dicionario = QStringLiteral("DICTEXTO");
    p.AddCombo(QStringLiteral("pFormaEntrega"), QStringLiteral("Forma Entrega"), 6,
               QStringLiteral("Retirado=1;Entregue em Mãos=2;Entregue via Internet=3;"), QString());
    p.AddCombo(QStringLiteral("pNatureza"), QStringLiteral("Natureza"), 7, QStringLiteral("Saída=1;Entrada=2;"), QString()).Requerid = true;
    TnpqParamItem& descricao = p.Add(QStringLiteral("pDescricaoItem"), QStringLiteral("Descricao Item"), 8);
    descricao.Dicionario = QStringLiteral("DICTEXTO");
    descricao.Requerid = true;
    p.Add(QStringLiteral("pCodigoPro"), QStringLiteral("Codigo Protocolo"), 9);
    // Shown as a dialog to make one protocol: it closes once it is written.
    SetFecharAoExecutar(true);
}

// No preview here: the form's result area is the parameters' page.
void TLyrDPGerarProIndividual::DepoisConfigurar(TnFormulario* formulario)
{
    TLyrDPGerarProtocoloBase::DepoisConfigurar(formulario);
    SetCaptionTab(0, npqPowerParam.Caption);
}

// An empty establishment is refused here too, although not required.
void TLyrDPGerarProIndividual::ValidarDado()
{
    TLyrDPGerarProtocoloBase::ValidarDado();
    m_empresa = Inteiro(*this, QStringLiteral("pCodigoEmpresa"), QStringLiteral("Valor invalido para código da empresa."));
    m_estab = Inteiro(*this, QStringLiteral("pCodigoEstab"), QStringLiteral("Valor invalido para código da filial."));
}

// The rows carry the day of execution: the protocol is the receipt of what
// is handed over today, whatever the date of the document it goes with.
void TLyrDPGerarProIndividual::GerarProtocolo()
{
    TLyrDPGerarProtocoloBase::GerarProtocolo();
    if (const QString forma = Param(QStringLiteral("pFormaEntrega")).trimmed(); !forma.isEmpty()) {
        bool ok = false;
        m_formaEntrega = forma.toInt(&ok);
        if (!ok)
            m_formaEntrega = 2;
    }
    SetParam(QStringLiteral("pCodigoPro"), QString());
    const QDateTime agora = QDateTime::currentDateTime();
    const QDate hoje = agora.date();
    const int usuario = Conexao().CodigoUsuario();
    const qint64 codigo = GravarProtocolo(
        {m_empresa, m_estab, hoje, 2, Param(QStringLiteral("pObservacao")), agora, usuario, QString::number(m_formaEntrega),
         Param(QStringLiteral("pNatureza")), 0, 1},
        {{Param(QStringLiteral("pDescricaoItem")).trimmed(), hoje, QVariant(), QVariant(), QVariant(), QVariant(),
          OuNulo(Param(QStringLiteral("pCodigoDocumento")).trimmed()), OuNulo(Param(QStringLiteral("pCodFunc")).trimmed()), 0, QVariant(),
          usuario, agora, 1, QVariant()}},
        m_aoGravar);
    SetParam(QStringLiteral("pCodigoPro"), QString::number(codigo));
}
