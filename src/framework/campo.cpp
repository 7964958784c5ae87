#include "campo.h"

#include "clientdataset.h"
#include "erros.h"
#include "sqlservicos.h"
#include "valores.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QLocale& Brasil()
{
    static const QLocale brasil(QLocale::Portuguese, QLocale::Brazil);
    return brasil;
}

qint64 InteiroNaFaixa(const TnField& campo, const QVariant& valor, qint64 minimo, qint64 maximo)
{
    const qint64 numero = Valores::ParaInteiro(valor);
    if (numero < minimo || numero > maximo)
        throw EnErro(QStringLiteral("%1 está fora da faixa do campo \"%2\".").arg(numero).arg(campo.Rotulo()));
    return numero;
}

// The date masks of the office's screens to Qt's ("mm" is the month
// except right after hours, where it reads as minutes; "nn" is minutes).
QString MascaraDeData(QString mascara)
{
    mascara.replace(QStringLiteral("nn"), QStringLiteral("@@"));
    QString qt;
    bool depoisDeHora = false;
    for (qsizetype i = 0; i < mascara.size(); ++i) {
        const QChar c = mascara[i];
        if (c == u'm' || c == u'M') {
            qt += depoisDeHora ? u'm' : u'M';
            continue;
        }
        if (c == u'h' || c == u'H')
            depoisDeHora = true;
        else if (c.isLetter())
            depoisDeHora = false;
        qt += c == u'h' ? u'H' : c;
    }
    return qt.replace(QStringLiteral("@@"), QStringLiteral("mm"));
}

} // namespace

// --- value lists --------------------------------------------------------------

QString TnDefinicao::CaptionDoValor(const QString& valor) const
{
    for (const QString& entrada : NomesValores) {
        const qsizetype igual = entrada.lastIndexOf(u'=');
        if (igual >= 0 && entrada.mid(igual + 1) == valor)
            return entrada.left(igual);
    }
    return valor;
}

QString TnDefinicao::ValorDoCaption(const QString& caption) const
{
    for (const QString& entrada : NomesValores) {
        const qsizetype igual = entrada.lastIndexOf(u'=');
        if (igual >= 0 && entrada.left(igual).compare(caption, Qt::CaseInsensitive) == 0)
            return entrada.mid(igual + 1);
    }
    return caption;
}

QStringList TnDefinicao::Captions() const
{
    QStringList captions;
    for (const QString& entrada : NomesValores)
        captions.append(entrada.left(entrada.lastIndexOf(u'=')));
    return captions;
}

// --- TnField ----------------------------------------------------------------

TnField::TnField(TnClientDataSet& dataSet, const QString& nome, TnFieldType tipo, int tamanho)
    : m_dataSet(dataSet), m_nome(nome), m_tipo(tipo), m_size(tamanho)
{
    if (nome.trimmed().isEmpty())
        throw EnErro(QStringLiteral("Campo sem nome."));
}

bool TnField::EhNumerico() const
{
    switch (m_tipo) {
    case TnFieldType::LargeInt:
    case TnFieldType::Integer:
    case TnFieldType::SmallInt:
    case TnFieldType::FMTBCD:
    case TnFieldType::BCD:
    case TnFieldType::Float:
        return true;
    default:
        return false;
    }
}

bool TnField::EhData() const
{
    return m_tipo == TnFieldType::Date || m_tipo == TnFieldType::DateTime || m_tipo == TnFieldType::SQLTimeStamp;
}

bool TnField::EhTexto() const
{
    return m_tipo == TnFieldType::String || m_tipo == TnFieldType::Memo;
}

QVariant TnField::Converter(const QVariant& valor) const
{
    if (valor.isNull())
        return QVariant();
    // An empty text clears a field that is not text.
    if (!EhTexto() && valor.typeId() == QMetaType::QString && valor.toString().trimmed().isEmpty())
        return QVariant();
    switch (m_tipo) {
    case TnFieldType::LargeInt:
        return static_cast<qlonglong>(Valores::ParaInteiro(valor));
    case TnFieldType::Integer:
        return static_cast<qlonglong>(InteiroNaFaixa(*this, valor, std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()));
    case TnFieldType::SmallInt:
        return static_cast<qlonglong>(InteiroNaFaixa(*this, valor, std::numeric_limits<qint16>::min(), std::numeric_limits<qint16>::max()));
    case TnFieldType::String: {
        // A text longer than the field is cut, as the column would hold it.
        const QString texto = valor.typeId() == QMetaType::QString ? valor.toString() : Valores::TextoPadrao(valor);
        return m_size > 0 && texto.size() > m_size ? texto.left(m_size) : texto;
    }
    case TnFieldType::Memo:
        return valor.typeId() == QMetaType::QString ? valor.toString() : Valores::TextoPadrao(valor);
    case TnFieldType::Date:
        return Valores::ParaData(valor);
    case TnFieldType::DateTime:
    case TnFieldType::SQLTimeStamp:
        return Valores::ParaDataHora(valor);
    case TnFieldType::FMTBCD:
    case TnFieldType::BCD:
        return QVariant::fromValue(Valores::ParaDecimal(valor, m_size));
    case TnFieldType::Float:
        return Valores::ParaFloat(valor);
    }
    return valor;
}

void TnField::ValidarTamanho(const QString& texto, int limite) const
{
    if (limite > 0 && texto.size() > limite)
        throw EnField(m_nome, QStringLiteral("O campo \"%1\" aceita no máximo %2 caracteres.").arg(Rotulo()).arg(limite));
}

void TnField::ValidarLimites(const QVariant& valor) const
{
    if (valor.isNull())
        return;
    const auto foraDaFaixa = [&]() {
        const QString mensagem = !m_constraintErrorMessage.isEmpty()
                                     ? m_constraintErrorMessage
                                     : QStringLiteral("O valor do campo \"%1\" deve estar entre %2 e %3.")
                                           .arg(Rotulo(), Valores::TextoPadrao(m_minValue), Valores::TextoPadrao(m_maxValue));
        return EnField(m_nome, mensagem);
    };
    if (!m_minValue.isNull() && Valores::Comparar(valor, m_minValue) < 0)
        throw foraDaFaixa();
    if (!m_maxValue.isNull() && Valores::Comparar(valor, m_maxValue) > 0)
        throw foraDaFaixa();
}

QVariant TnField::Value() const
{
    if (m_fieldKind == TnFieldKind::fkLookup)
        return ValorLookup([this](const QString& nome) { return m_dataSet.FieldByName(nome).Value(); });
    return m_dataSet.ValorDoCampo(m_indice);
}

QVariant TnField::ValorLookup(const std::function<QVariant(const QString&)>& valorDaChave) const
{
    QStringList condicoes;
    QString chave;
    for (int i = 0; i < m_lookupKeyFields.size() && i < m_lookupChaveTabela.size(); ++i) {
        const QVariant valor = valorDaChave(m_lookupKeyFields[i]);
        if (valor.isNull())
            return QVariant();
        condicoes.append(ValorParaSQL(m_lookupChaveTabela[i], QStringLiteral("="), valor));
        chave += Valores::TextoPadrao(valor) + u'\x1f';
    }
    if (condicoes.isEmpty() || m_lookupTabela.isEmpty())
        return QVariant();
    // Codes repeat down a grid: each is read once.
    const auto lido = m_lookups.constFind(chave);
    if (lido != m_lookups.cend())
        return *lido;
    const QVariant valor = PegarValorCampo(m_lookupTabela, m_lookupResultField, condicoes.join(QStringLiteral(" and ")));
    m_lookups.insert(chave, valor);
    return valor;
}

void TnField::SetValue(const QVariant& valor)
{
    if (m_fieldKind == TnFieldKind::fkLookup)
        throw EnErro(QStringLiteral("O campo \"%1\" mostra um valor de outro cadastro e não pode ser alterado.").arg(Rotulo()));
    m_dataSet.GravarValorDoCampo(m_indice, valor);
}

QVariant TnField::OldValue() const
{
    return m_dataSet.ValorOriginal(m_indice);
}

QString TnField::AsString() const
{
    return Valores::TextoPadrao(Value());
}

void TnField::SetAsString(const QString& texto)
{
    SetValue(texto);
}

qint64 TnField::AsLargeInt() const
{
    return Valores::ParaInteiro(Value());
}

double TnField::AsFloat() const
{
    return Valores::ParaFloat(Value());
}

TnDecimal TnField::AsDecimal() const
{
    return Valores::ParaDecimal(Value(), m_tipo == TnFieldType::FMTBCD || m_tipo == TnFieldType::BCD ? m_size : 0);
}

QDateTime TnField::AsDateTime() const
{
    return Valores::ParaDataHora(Value());
}

QString TnField::DisplayText() const
{
    if (m_onGetText)
        return m_onGetText(*this, true);
    return TextoExibicao(Value());
}

QString TnField::TextoExibicao(const QVariant& valor) const
{
    if (valor.isNull())
        return QString();
    if (!m_definicao.NomesValores.isEmpty())
        return m_definicao.CaptionDoValor(Valores::TextoPadrao(valor));
    if (!m_displayFormat.isEmpty())
        return FormatarExibicao(valor, m_displayFormat);
    if (m_definicao.TipoData == TnTipoData::ntdMesAno && EhData())
        return FormatarExibicao(valor, QStringLiteral("mm/yyyy"));
    return Valores::TextoPadrao(valor);
}

QString TnField::Text() const
{
    if (m_onGetText)
        return m_onGetText(*this, false);
    if (!m_definicao.NomesValores.isEmpty())
        return m_definicao.CaptionDoValor(AsString());
    return AsString();
}

void TnField::SetText(const QString& texto)
{
    if (m_onSetText) {
        m_onSetText(*this, texto);
        return;
    }
    if (!m_definicao.NomesValores.isEmpty()) {
        SetValue(m_definicao.ValorDoCaption(texto));
        return;
    }
    QString digitado = texto.trimmed();
    // Dates typed as digits alone: "01112026", and "112026" for a month.
    if (EhData() && !digitado.isEmpty() && std::all_of(digitado.cbegin(), digitado.cend(), [](QChar c) { return c.isDigit(); })) {
        if (m_definicao.TipoData == TnTipoData::ntdMesAno && digitado.size() == 6)
            digitado.insert(2, u'/');
        else if (digitado.size() == 8)
            digitado = digitado.left(2) + u'/' + digitado.mid(2, 2) + u'/' + digitado.mid(4);
    }
    if (m_definicao.TipoData == TnTipoData::ntdMesAno && EhData() && digitado.size() <= 7 && !digitado.isEmpty()) {
        const QDate mes = QDate::fromString(QStringLiteral("01/") + digitado, QStringLiteral("dd/MM/yyyy"));
        if (!mes.isValid())
            throw EnField(m_nome, QStringLiteral("'%1' não é uma competência válida (mm/aaaa).").arg(texto));
        SetValue(mes);
        return;
    }
    if (EhData()) {
        SetValue(digitado);
        return;
    }
    if (m_tipo == TnFieldType::String)
        ValidarTamanho(texto, m_size);
    if (EhNumerico()) {
        // Typed numbers use the decimal comma and may carry thousands dots.
        QString numero = digitado;
        if (numero.contains(u','))
            numero.remove(u'.').replace(u',', u'.');
        SetValue(numero);
        return;
    }
    SetValue(texto);
}

QString FormatarExibicao(const QVariant& valor, const QString& mascara)
{
    if (valor.isNull())
        return QString();
    if (valor.typeId() == QMetaType::QDate || valor.typeId() == QMetaType::QDateTime)
        return Valores::ParaDataHora(valor).toString(MascaraDeData(mascara));
    const qsizetype ponto = mascara.indexOf(u'.');
    const int decimais = ponto < 0 ? 0 : static_cast<int>(mascara.size() - ponto - 1);
    const bool agrupar = mascara.contains(u',');
    const TnDecimal numero = Valores::ParaDecimal(valor, decimais);
    QString digitos = QString::number(std::llabs(numero.SemEscala()));
    if (digitos.size() <= decimais)
        digitos = QString(decimais - digitos.size() + 1, u'0') + digitos;
    QString inteira = digitos.left(digitos.size() - decimais);
    if (agrupar) {
        for (qsizetype i = inteira.size() - 3; i > 0; i -= 3)
            inteira.insert(i, Brasil().groupSeparator());
    }
    QString texto = inteira;
    if (decimais > 0)
        texto += Brasil().decimalPoint() + digitos.right(decimais);
    return numero.SemEscala() < 0 ? u'-' + texto : texto;
}

TnField& ComoSimNao(TnField& campo, bool padrao)
{
    campo.SetRequired(true);
    campo.SetFixedChar(true);
    campo.SetDefaultExpression(padrao ? QStringLiteral("'1'") : QStringLiteral("'0'"));
    campo.Definicao().Dicionario = QStringLiteral("DICSIMNAO");
    campo.Definicao().NomesValores = {QStringLiteral("Sim=1"), QStringLiteral("Não=0")};
    campo.Definicao().TipoControle = TnTipoControle::ntcComboBox;
    return campo;
}
