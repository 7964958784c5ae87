#pragma once

#include <QWidget>

#include <functional>

class QLabel;

class TnField;
class QLineEdit;

// Whether the field has a button: a link to a register or a handler of its own.
bool EhLigacao(const TnField& campo);
// The button of such a field: its own handler, else picking the code from the
// register its dictionary entry names (F4 in controls and grid cells).
void AcionarBotao(TnField& campo);

// The editor of one field, chosen by its declaration: a combo for a value
// list, a check list, a memo, a date (or month/year) edit, an edit with a
// button for links and button handlers, a plain edit limited to its size.
// It shows the field of the current row and writes what the user typed back
// to it, putting the dataset in edit mode first.
class TnControleCampo : public QWidget {
    Q_OBJECT
public:
    TnControleCampo(TnField& campo, QWidget* pai = nullptr);

    TnField& Campo() const { return m_campo; }
    QWidget* Editor() const { return m_editor; }

    // Field -> control.
    void Atualizar();
    // Control -> field; false when the field refused the text.
    bool Gravar();
    void SetEstado(bool habilitado, bool somenteLeitura);
    void Focar();
    // A code typed over a stored row looks that row up instead of changing
    // the row's key: the text goes to irPara when confirmed.
    void IrParaAoDigitar(std::function<void(const QString&)> irPara) { m_irPara = std::move(irPara); }

private:
    void CriarEditor();
    bool ComecarEdicao();
    bool BuscandoChave() const;
    void ClicarBotao();
    QString Texto() const;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

    TnField& m_campo;
    QWidget* m_editor = nullptr;
    QLabel* m_descricao = nullptr;  // what a code points at
    bool m_atualizando = false;
    bool m_gravando = false;  // a write (and the refusal it may show) is under way
    std::function<void(const QString&)> m_irPara;
};

// The input mask of a date field's editor (day or month and year).
QString MascaraDeEdicao(const TnField& campo);
// The text of a masked editor: empty while only the separators are there.
QString TextoDaMascara(const QLineEdit& editor);

// Picks, in the register a code field points at (its dictionary entry), the
// row whose key goes into the field's link columns. Answers whether one was chosen.
bool EscolherNoCadastro(TnField& campo);
