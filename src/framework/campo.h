#pragma once

#include "decimal.h"

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>

class TnClientDataSet;
class TnField;

enum class TnFieldType { LargeInt, Integer, SmallInt, String, Memo, Date, DateTime, SQLTimeStamp, FMTBCD, BCD, Float };
// A data field is a column of the table; lookups and calculations are not stored.
enum class TnFieldKind { fkData, fkLookup, fkCalculated };

// Edit control a field asks for.
enum class TnTipoControle { Padrao, ntcComboBox, ntcActData, ntcLink, ntcMemo, ntcCheckListBox };
enum class TnTipoData { Normal, ntdMesAno };
enum class TnGridButtonStyle { Padrao, cbsAuto };

// The field's dictionary definition: what the screens built from the
// declaration need beyond the value (label and limits live on the field).
struct TnDefinicao {
    QString Dicionario;
    QStringList DicListaProperty;
    bool AutoIncrementar = false;
    int DadoEscala = 0;
    int DadoPrecisao = 0;
    int MaxLength = 0;
    QString Hint;
    QStringList NomesValores;  // "Caption=valor", in display order
    TnTipoControle TipoControle = TnTipoControle::Padrao;
    TnTipoData TipoData = TnTipoData::Normal;
    QString LinkKeyFields;  // columns of this dataset naming a row of the linked register
    QString LinkLookupCadastro;  // component name of the linked register's consultation
    QString LinkLookupKeyFields;
    QString LinkLookupResultField;
    bool TabStop = true;
    TnGridButtonStyle GridButtonStyle = TnGridButtonStyle::Padrao;
    std::function<void(TnField&)> OnExit;
    std::function<void(TnField&)> OnButtonClick;

    // The caption of a stored value and the value of a caption ("Retirado=1").
    QString CaptionDoValor(const QString& valor) const;
    QString ValorDoCaption(const QString& caption) const;
    QStringList Captions() const;
};

// A column of a TnClientDataSet: its declaration (label, limits, format),
// set when a data module declares its fields, and the value of the current
// row, which the methods convert to the field's type.
class TnField {
public:
    TnField(TnClientDataSet& dataSet, const QString& nome, TnFieldType tipo, int tamanho = 0);
    virtual ~TnField() = default;
    TnField(const TnField&) = delete;
    TnField& operator=(const TnField&) = delete;

    const QString& FieldName() const { return m_nome; }
    TnFieldType DataType() const { return m_tipo; }
    int Index() const { return m_indice; }
    TnClientDataSet& DataSet() const { return m_dataSet; }
    bool EhNumerico() const;
    bool EhData() const;
    bool EhTexto() const;

    // Declaration, set when a data module declares its fields.
    TnFieldKind FieldKind() const { return m_fieldKind; }
    void SetFieldKind(TnFieldKind tipo) { m_fieldKind = tipo; }
    const QString& DisplayLabel() const { return m_displayLabel; }
    void SetDisplayLabel(const QString& rotulo) { m_displayLabel = rotulo; }
    int DisplayWidth() const { return m_displayWidth; }
    void SetDisplayWidth(int caracteres) { m_displayWidth = caracteres; }
    bool Required() const { return m_required; }
    void SetRequired(bool exigido) { m_required = exigido; }
    bool Visible() const { return m_visible; }
    void SetVisible(bool visivel) { m_visible = visivel; }
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool somenteLeitura) { m_readOnly = somenteLeitura; }
    // Characters of a string; decimals of a BCD field.
    int Size() const { return m_size; }
    void SetSize(int tamanho) { m_size = tamanho; }
    bool FixedChar() const { return m_fixedChar; }
    void SetFixedChar(bool fixo) { m_fixedChar = fixo; }
    // Digits of a BCD field.
    int Precision() const { return m_precision; }
    void SetPrecision(int digitos) { m_precision = digitos; }
    const QVariant& MinValue() const { return m_minValue; }
    void SetMinValue(const QVariant& valor) { m_minValue = valor; }
    const QVariant& MaxValue() const { return m_maxValue; }
    void SetMaxValue(const QVariant& valor) { m_maxValue = valor; }
    const QString& ConstraintErrorMessage() const { return m_constraintErrorMessage; }
    void SetConstraintErrorMessage(const QString& mensagem) { m_constraintErrorMessage = mensagem; }
    // A quoted literal, "'1'", or a number.
    const QString& DefaultExpression() const { return m_defaultExpression; }
    void SetDefaultExpression(const QString& expressao) { m_defaultExpression = expressao; }
    // "#,##0.00", "dd/mm/yyyy".
    const QString& DisplayFormat() const { return m_displayFormat; }
    void SetDisplayFormat(const QString& formato) { m_displayFormat = formato; }
    const QString& EditMask() const { return m_editMask; }
    void SetEditMask(const QString& mascara) { m_editMask = mascara; }
    // Horizontal alignment in grids; none: numbers to the right, the rest to the left.
    Qt::Alignment Alignment() const { return m_alignment; }
    void SetAlignment(Qt::Alignment alinhamento) { m_alignment = alinhamento; }
    // The dictionary definition, filled in place while declaring.
    const TnDefinicao& Definicao() const { return m_definicao; }
    TnDefinicao& Definicao() { return m_definicao; }

    // A lookup field shows a column of another table for the key in this row:
    // fields of this dataset, in the table's key order; the table, its key
    // columns and the column shown.
    const QStringList& LookupKeyFields() const { return m_lookupKeyFields; }
    void SetLookupKeyFields(const QStringList& campos) { m_lookupKeyFields = campos; }
    const QString& LookupTabela() const { return m_lookupTabela; }
    void SetLookupTabela(const QString& tabela) { m_lookupTabela = tabela; }
    const QStringList& LookupChaveTabela() const { return m_lookupChaveTabela; }
    void SetLookupChaveTabela(const QStringList& colunas) { m_lookupChaveTabela = colunas; }
    const QString& LookupResultField() const { return m_lookupResultField; }
    void SetLookupResultField(const QString& coluna) { m_lookupResultField = coluna; }

    // Events.
    using TnAoMudar = std::function<void(TnField&)>;
    using TnAoLerTexto = std::function<QString(const TnField&, bool paraExibir)>;
    using TnAoGravarTexto = std::function<void(TnField&, const QString&)>;
    const TnAoMudar& OnChange() const { return m_onChange; }
    void SetOnChange(TnAoMudar evento) { m_onChange = std::move(evento); }
    void SetOnGetText(TnAoLerTexto evento) { m_onGetText = std::move(evento); }
    void SetOnSetText(TnAoGravarTexto evento) { m_onSetText = std::move(evento); }

    // Value of the current row (or of the row being edited).
    QVariant Value() const;
    void SetValue(const QVariant& valor);
    void Clear() { SetValue(QVariant()); }
    bool IsNull() const { return Value().isNull(); }
    // The value when the row was read or last stored; NewValue is Value.
    QVariant OldValue() const;
    QVariant NewValue() const { return Value(); }

    QString AsString() const;
    void SetAsString(const QString& texto);
    qint64 AsLargeInt() const;
    int AsInteger() const { return static_cast<int>(AsLargeInt()); }
    double AsFloat() const;
    TnDecimal AsDecimal() const;
    QDateTime AsDateTime() const;
    QDate AsDate() const { return AsDateTime().date(); }

    // The text a screen shows (value list caption, DisplayFormat) and the
    // text it types back.
    QString DisplayText() const;
    // How a value of this field reads on screen (any row of a grid).
    QString TextoExibicao(const QVariant& valor) const;
    QString Text() const;
    void SetText(const QString& texto);

    // The value converted to this field's type; raises EnErro when it cannot be.
    QVariant Converter(const QVariant& valor) const;
    // Checks limits and custom constraint of a value; raises EnField.
    void ValidarLimites(const QVariant& valor) const;
    // Refuses a text longer than `limite` characters (what was typed is never cut).
    void ValidarTamanho(const QString& texto, int limite) const;

    QString Rotulo() const { return m_displayLabel.isEmpty() ? m_nome : m_displayLabel; }

    // The lookup's value for the key fields read through `valorDaChave`.
    QVariant ValorLookup(const std::function<QVariant(const QString&)>& valorDaChave) const;

private:
    mutable QHash<QString, QVariant> m_lookups;  // key text -> value read
    friend class TnClientDataSet;

    TnClientDataSet& m_dataSet;
    QString m_nome;
    TnFieldType m_tipo;
    int m_indice = -1;

    TnFieldKind m_fieldKind = TnFieldKind::fkData;
    QString m_displayLabel;
    int m_displayWidth = 0;
    bool m_required = false;
    bool m_visible = true;
    bool m_readOnly = false;
    int m_size = 0;
    bool m_fixedChar = false;
    int m_precision = 0;
    QVariant m_minValue;
    QVariant m_maxValue;
    QString m_constraintErrorMessage;
    QString m_defaultExpression;
    QString m_displayFormat;
    QString m_editMask;
    Qt::Alignment m_alignment;
    TnDefinicao m_definicao;
    QStringList m_lookupKeyFields;
    QString m_lookupTabela;
    QStringList m_lookupChaveTabela;
    QString m_lookupResultField;
    TnAoMudar m_onChange;
    TnAoLerTexto m_onGetText;
    TnAoGravarTexto m_onSetText;
};

class TnLargeIntField : public TnField {
public:
    TnLargeIntField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::LargeInt) {}
};
class TnIntegerField : public TnField {
public:
    TnIntegerField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::Integer) {}
};
class TnSmallIntField : public TnField {
public:
    TnSmallIntField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::SmallInt) {}
};
class TnStringField : public TnField {
public:
    TnStringField(TnClientDataSet& dataSet, const QString& nome, int tamanho = 20)
        : TnField(dataSet, nome, TnFieldType::String, tamanho) {}
};
class TnMemoField : public TnField {
public:
    TnMemoField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::Memo) {}
};
class TnDateField : public TnField {
public:
    TnDateField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::Date) {}
};
class TnDateTimeField : public TnField {
public:
    TnDateTimeField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::DateTime) {}
};
class TnSQLTimeStampField : public TnField {
public:
    TnSQLTimeStampField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::SQLTimeStamp) {}
};
class TnFMTBCDField : public TnField {
public:
    TnFMTBCDField(TnClientDataSet& dataSet, const QString& nome, int precisao = 18, int decimais = 2)
        : TnField(dataSet, nome, TnFieldType::FMTBCD, decimais) { SetPrecision(precisao); }
};
class TnBCDField : public TnField {
public:
    TnBCDField(TnClientDataSet& dataSet, const QString& nome, int precisao = 18, int decimais = 2)
        : TnField(dataSet, nome, TnFieldType::BCD, decimais) { SetPrecision(precisao); }
};
class TnFloatField : public TnField {
public:
    TnFloatField(TnClientDataSet& dataSet, const QString& nome) : TnField(dataSet, nome, TnFieldType::Float) {}
};

// Formats a number or date with a display mask as the office expects:
// "#,##0.00" gives "1.234,56"; "dd/mm/yyyy", "mm/yyyy" and "hh:nn" for dates.
QString FormatarExibicao(const QVariant& valor, const QString& mascara);

// Declares a one-character flag shown as a "Sim"/"Não" choice ('1'/'0'),
// required, starting as `padrao`.
TnField& ComoSimNao(TnField& campo, bool padrao);
