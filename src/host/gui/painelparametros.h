#pragma once

#include <QList>
#include <QWidget>

class QLabel;
class TnDMPowerParam;
struct TnpqParamItem;

// The parameter panel of a process, built from its declaration in panel
// order: one labelled control per parameter the user enters (required ones
// in bold with "*", the hint as tooltip). A date is typed as dd/MM/yyyy or
// picked in a calendar; a value list is a combo of its captions that stores
// the value; a check list stores the ticked values joined by ";"; a multiple
// selection takes codes and ranges ("1;3;5-9"), typed or picked from the
// register of its dictionary entry (F4); anything else is plain text.
// What the user changes goes to the process at once (SetParam, so its
// OnParamChange runs); what the process changes comes back with Ler().
class TnPainelParametros : public QWidget {
    Q_OBJECT
public:
    explicit TnPainelParametros(TnDMPowerParam& processo, QWidget* pai = nullptr);

    TnDMPowerParam& Processo() const { return m_processo; }
    // The editor of a parameter (QLineEdit, QComboBox or QListWidget); nullptr when not shown.
    QWidget* Controle(const QString& alias) const;
    QLabel* Rotulo(const QString& alias) const;
    // The value the control holds, as the parameter stores it.
    QString Valor(const QString& alias) const;

    // Shows the process's values in the controls that differ.
    void Ler();
    // Puts the focus on the parameter's control; false when it has none.
    bool Focar(const QString& alias);

signals:
    // The user changed a parameter and the process took it.
    void ParametroAlterado(const QString& alias);

private:
    struct TnParametro {
        TnpqParamItem* item;
        QLabel* rotulo;
        QWidget* editor;
    };

    QWidget* CriarEditor(TnParametro& parametro);
    void MostrarEstado(const TnParametro& parametro);
    const TnParametro* Achar(const QString& alias) const;
    QString ValorDe(const TnParametro& parametro) const;
    void Mostrar(const TnParametro& parametro, const QString& valor);
    void Gravar(const TnParametro& parametro);
    void Ler(const TnParametro* exceto);
    void EscolherCodigos(const QString& alias);

    TnDMPowerParam& m_processo;
    QList<TnParametro> m_parametros;
    bool m_lendo = false;
};
