#pragma once

#include <QString>
#include <QStringList>

#include <QVariant>

#include <functional>
#include <optional>

class TnDMClientDataSet;
class TnDMPowerParam;
struct TnQuadroInformacoes;

// One field of a questionnaire put to the user. Its type is the type of `valor`
// (QString, int, bool, QDate or QDateTime), which also carries the answer.
struct TnCampoQuestionario {
    QString nome;                 // how the code finds it (and the widget's name)
    QString rotulo = {};
    QVariant valor = {};
    QStringList opcoes = {};      // texts offered to pick; another may be typed
    int minimo = 0;               // integers only
    int maximo = 0;
    // A text shown beside the field, following its value (a code's name).
    std::function<QString(const QVariant&)> descricao = {};
    bool senha = false;           // texts only: typed unseen
    bool memo = false;            // texts only: several lines (Ctrl+Enter confirms)
};

// Why a questionnaire cannot be confirmed: the message, and the field to go back to.
struct TnRecusaQuestionario {
    QString mensagem;
    QString campo = {};
};

// A questionnaire put to the user: its fields in order and the check run when it is
// confirmed. A refused confirmation shows the message and keeps it
// open with what was typed.
struct TnQuestionario {
    QString titulo;
    QString confirmar = QStringLiteral("OK");
    QList<TnCampoQuestionario> campos = {};
    std::function<std::optional<TnRecusaQuestionario>(const TnQuestionario&)> validar = {};
    QString cancelar = QStringLiteral("Cancelar");
    // When not empty, the caption of a third button that stops the whole
    // operation the question belongs to (a batch asking once per group):
    // nPedirQuestionario then raises EnAbort.
    QString interromper = {};

    QVariant Valor(const QString& nome) const;
    void SetValor(const QString& nome, const QVariant& valor);
    const TnCampoQuestionario* Campo(const QString& nome) const;
    std::optional<TnRecusaQuestionario> Recusa() const { return validar ? validar(*this) : std::nullopt; }
};

class TnFraProgresso;

// Kinds of nMessageDlg; they choose the dialog's icon and title.
namespace TnTipoDlg {
inline constexpr int Aviso = 0;
inline constexpr int Erro = 1;
inline constexpr int Informacao = 2;
inline constexpr int Confirmacao = 3;
}  // namespace TnTipoDlg

// Everything a data module asks the user, and the progress frames it shows
// while working. Data modules run without a screen (tests, command line,
// HTTP), so they never open a dialog themselves: the host in force holds one
// implementation of this interface (widgets on the desktop, a script in
// tests, refusal in batch) and the free functions below go to it.
class TnDialogos {
public:
    virtual ~TnDialogos() = default;

    // The 0-based index of the button pressed, or -1 when the dialog was
    // closed without one (module code treats that as the negative answer).
    virtual int MessageDlg(const QString& texto, int tipo, const QStringList& botoes) = 0;
    // A message that only needs to be read.
    virtual void ShowMessage(const QString& texto) = 0;
    // The text typed; nullopt when the user cancelled.
    virtual std::optional<QString> InputBox(const QString& titulo, const QString& pergunta,
                                            const QString& padrao) = 0;
    // The index of the entry chosen, -1 when the user cancelled.
    virtual int InputQueryListBox(const QString& titulo, const QStringList& opcoes) = 0;
    // A consultation shown modally to pick a row: true with its dataset on
    // the row chosen, false when the user cancelled (what dialogs that show
    // no consultations answer).
    virtual bool Consultar(TnDMClientDataSet& consulta);
    // The same to pick several rows: the values of `campo` in the rows
    // chosen, in the consultation's order; nullopt when the user cancelled
    // (what dialogs that show no consultations answer).
    virtual std::optional<QVariantList> ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo);
    // Shows the questionnaire starting from the values it holds; true when it
    // was confirmed with values its check accepts (they are then in it),
    // false when the user cancelled (what dialogs without questionnaires answer).
    virtual bool PedirQuestionario(TnQuestionario& questionario);
    // Shows a register on its screen, modally, until the user closes it (a
    // protocol opened from a query); dialogs without screens show nothing.
    virtual void MostrarCadastro(TnDMClientDataSet& cadastro);
    // Shows a process on its screen, modally, `altura` pixels high, until
    // the user closes it; dialogs without screens show nothing.
    virtual void MostrarProcesso(TnDMPowerParam& processo, int altura);
    // Shows a read-only frame in a window of its own, modally, until the
    // user closes it; dialogs without screens show nothing.
    virtual void MostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo);

    // A progress frame was created; the desktop attaches its view here (as an
    // observer of the frame, which says when it is freed).
    virtual void ProgressoCriado(TnFraProgresso& progresso);
};

// The dialogs of a host without a user (command line, scheduled runs):
// messages go to the Qt log, so the run's output keeps them, and every
// question raises EnErro naming it, because a guessed answer could change
// data the operator never agreed to change.
class TnDialogosSemUsuario : public TnDialogos {
public:
    int MessageDlg(const QString& texto, int tipo, const QStringList& botoes) override;
    void ShowMessage(const QString& texto) override;
    std::optional<QString> InputBox(const QString& titulo, const QString& pergunta,
                                    const QString& padrao) override;
    int InputQueryListBox(const QString& titulo, const QStringList& opcoes) override;
    bool Consultar(TnDMClientDataSet& consulta) override;
    std::optional<QVariantList> ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo) override;
    bool PedirQuestionario(TnQuestionario& questionario) override;
};

// The dialogs of the host in force; those of TnDialogosSemUsuario when no
// host exists.
TnDialogos& DialogosAtuais();

// The 0-based index of the button pressed; -1 when closed without one.
// tipo is one of TnTipoDlg; no buttons means a single "OK".
int nMessageDlg(const QString& texto, int tipo, const QStringList& botoes);
void nShowMessage(const QString& texto);
// The text typed; the default when the user cancels.
QString nInputBox(const QString& titulo, const QString& pergunta, const QString& padrao);
// As nInputBox, telling a cancel apart: false leaves `valor` untouched.
bool nInputQuery(const QString& titulo, const QString& pergunta, QString& valor);
// The index of the entry chosen (also put in `escolhido`), -1 when the user
// cancels. An empty list is not shown and answers -1.
int nInputQueryListBox(const QString& titulo, const QStringList& opcoes, QString* escolhido = nullptr);
// Shows a consultation to pick a row; true with its dataset on that row.
bool nConsultar(TnDMClientDataSet& consulta);
// Shows a consultation to pick several rows; the values of `campo` in them.
std::optional<QVariantList> nConsultarVarios(TnDMClientDataSet& consulta, const QString& campo);
// Shows a questionnaire; true when confirmed, with the answers in it.
// Answers its check refuses raise EnErro with the refusal, whoever gave them.
bool nPedirQuestionario(TnQuestionario& questionario);
// Shows a register modally until the user closes it.
void nMostrarCadastro(TnDMClientDataSet& cadastro);
// Shows a process modally (its parameters filled by the caller) until the
// user closes it.
void nMostrarProcesso(TnDMPowerParam& processo, int altura);
void nMostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo);
