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

// Delphi-style date masks of the office's screens to Qt's ("mm" is the month
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
    : Size(tamanho), m_dataSet(dataSet), m_nome(nome), m_tipo(tipo)
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
        return Size > 0 && texto.size() > Size ? texto.left(Size) : texto;
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
        return QVariant::fromValue(Valores::ParaDecimal(valor, Size));
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
        const QString mensagem = !ConstraintErrorMessage.isEmpty()
                                     ? ConstraintErrorMessage
                                     : QStringLiteral("O valor do campo \"%1\" deve estar entre %2 e %3.")
                                           .arg(Rotulo(), Valores::TextoPadrao(MinValue), Valores::TextoPadrao(MaxValue));
        return EnField(m_nome, mensagem);
    };
    if (!MinValue.isNull() && Valores::Comparar(valor, MinValue) < 0)
        throw foraDaFaixa();
    if (!MaxValue.isNull() && Valores::Comparar(valor, MaxValue) > 0)
        throw foraDaFaixa();
}

QVariant TnField::Value() const
{
    if (FieldKind == TnFieldKind::fkLookup)
        return ValorLookup([this](const QString& nome) { return m_dataSet.FieldByName(nome).Value(); });
    return m_dataSet.ValorDoCampo(m_indice);
}

QVariant TnField::ValorLookup(const std::function<QVariant(const QString&)>& valorDaChave) const
{
    QStringList condicoes;
    QString chave;
    for (int i = 0; i < LookupKeyFields.size() && i < LookupChaveTabela.size(); ++i) {
        const QVariant valor = valorDaChave(LookupKeyFields[i]);
        if (valor.isNull())
            return QVariant();
        condicoes.append(ValorParaSQL(LookupChaveTabela[i], QStringLiteral("="), valor));
        chave += Valores::TextoPadrao(valor) + u'\x1f';
    }
    if (condicoes.isEmpty() || LookupTabela.isEmpty())
        return QVariant();
    // Codes repeat down a grid: each is read once.
    const auto lido = m_lookups.constFind(chave);
    if (lido != m_lookups.cend())
        return *lido;
    const QVariant valor = PegarValorCampo(LookupTabela, LookupResultField, condicoes.join(QStringLiteral(" and ")));
    m_lookups.insert(chave, valor);
    return valor;
}

void TnField::SetValue(const QVariant& valor)
{
    if (FieldKind == TnFieldKind::fkLookup)
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
    return Valores::ParaDecimal(Value(), m_tipo == TnFieldType::FMTBCD || m_tipo == TnFieldType::BCD ? Size : 0);
}

QDateTime TnField::AsDateTime() const
{
    return Valores::ParaDataHora(Value());
}

QString TnField::DisplayText() const
{
    if (OnGetText)
        return OnGetText(*this, true);
    return TextoExibicao(Value());
}

QString TnField::TextoExibicao(const QVariant& valor) const
{
    if (valor.isNull())
        return QString();
    if (!Definicao.NomesValores.isEmpty())
        return Definicao.CaptionDoValor(Valores::TextoPadrao(valor));
    if (!DisplayFormat.isEmpty())
        return FormatarExibicao(valor, DisplayFormat);
    if (Definicao.TipoData == TnTipoData::ntdMesAno && EhData())
        return FormatarExibicao(valor, QStringLiteral("mm/yyyy"));
    return Valores::TextoPadrao(valor);
}

QString TnField::Text() const
{
    if (OnGetText)
        return OnGetText(*this, false);
    if (!Definicao.NomesValores.isEmpty())
        return Definicao.CaptionDoValor(AsString());
    return AsString();
}

void TnField::SetText(const QString& texto)
{
    if (OnSetText) {
        OnSetText(*this, texto);
        return;
    }
    if (!Definicao.NomesValores.isEmpty()) {
        SetValue(Definicao.ValorDoCaption(texto));
        return;
    }
    QString digitado = texto.trimmed();
    // Dates typed as digits alone: "01112026", and "112026" for a month.
    if (EhData() && !digitado.isEmpty() && std::all_of(digitado.cbegin(), digitado.cend(), [](QChar c) { return c.isDigit(); })) {
        if (Definicao.TipoData == TnTipoData::ntdMesAno && digitado.size() == 6)
            digitado.insert(2, u'/');
        else if (digitado.size() == 8)
            digitado = digitado.left(2) + u'/' + digitado.mid(2, 2) + u'/' + digitado.mid(4);
    }
    if (Definicao.TipoData == TnTipoData::ntdMesAno && EhData() && digitado.size() <= 7 && !digitado.isEmpty()) {
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
        ValidarTamanho(texto, Size);
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
    campo.Required = true;
    campo.FixedChar = true;
    campo.DefaultExpression = padrao ? QStringLiteral("'1'") : QStringLiteral("'0'");
    campo.Definicao.Dicionario = QStringLiteral("DICSIMNAO");
    campo.Definicao.NomesValores = {QStringLiteral("Sim=1"), QStringLiteral("Não=0")};
    campo.Definicao.TipoControle = TnTipoControle::ntcComboBox;
    return campo;
}
