#pragma once

#include "dialogos.h"
#include "progresso.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <functional>
#include <optional>

class TnHost;

enum class TnTipoPergunta { MessageDlg, ShowMessage, InputBox, ListBox, Consulta, ConsultaVarios, Questionario, Cadastro, Processo, Quadro };

// A question module code asked, as the user would have seen it.
struct TnPerguntaFeita {
    TnTipoPergunta tipo = TnTipoPergunta::MessageDlg;
    int tipoDlg = -1;     // kind of a MessageDlg (TnTipoDlg)
    QString titulo;       // InputBox, ListBox and Questionario
    QString texto;        // the message, or the prompt of an InputBox
    QStringList opcoes;   // the buttons, the entries of a list, a form's field labels, or a process's parameters shown
    QString padrao;       // the text an InputBox offered
    int linhas = -1;      // the rows a consultation offered
    QString Descrever() const;
};

// The user of a test: answers the questions the test scripted, in order, and
// fails the test on any other. The test queues what it expects with the text
// of each question (or a part of it) and the answer:
//
//   auto& usuario = TnDialogosRoteiro::Instalar(host);
//   usuario.Esperar("cancelar todos os ítens", "Sim").EsperarMensagem("gerado");
//
// A question asked when none was expected, or other than the next expected
// one, adds a GoogleTest failure naming both and gets the answer that changes
// nothing: no button (-1), a cancelled input or list, and the test runs on
// (an exception could be swallowed or reworded by the module's own error
// handling, and would hide what the module does next). The expected question
// stays at the head of the queue. Expected questions never asked fail the
// test in Verificar(), which the destructor calls.
//
// Progress frames created meanwhile are watched too: the texts they showed
// and how many are still open.
class TnDialogosRoteiro : public TnDialogos, private TnObservadorProgresso {
public:
    TnDialogosRoteiro() = default;
    ~TnDialogosRoteiro() override;
    TnDialogosRoteiro(const TnDialogosRoteiro&) = delete;
    TnDialogosRoteiro& operator=(const TnDialogosRoteiro&) = delete;

    // A new script handed to the host, which owns it.
    static TnDialogosRoteiro& Instalar(TnHost& host);

    // nMessageDlg answered with the button of that caption ("Sim"), or by its
    // index (-1: closed without a button).
    TnDialogosRoteiro& Esperar(const QString& trecho, const QString& botao);
    TnDialogosRoteiro& Esperar(const QString& trecho, int botao);
    // nShowMessage.
    TnDialogosRoteiro& EsperarMensagem(const QString& trecho);
    // nInputBox, matched on its title or prompt; nullopt cancels.
    TnDialogosRoteiro& EsperarInputBox(const QString& trecho, std::optional<QString> resposta);
    // nInputQueryListBox, matched on its title; answered with the entry of
    // that text, or by index (-1 cancels).
    TnDialogosRoteiro& EsperarEscolha(const QString& trecho, const QString& opcao);
    TnDialogosRoteiro& EsperarEscolha(const QString& trecho, int indice);
    // nConsultar, matched on the consultation's name or caption; answered by
    // locating the row of that key (an empty key cancels).
    TnDialogosRoteiro& EsperarConsulta(const QString& trecho, const QVariantList& chave);
    // nConsultarVarios, matched the same way; answered with these values of
    // the column asked for, each of which the consultation must offer (an
    // empty list cancels).
    TnDialogosRoteiro& EsperarConsultaVarios(const QString& trecho, const QVariantList& valores);
    // nPedirQuestionario, matched on its title; the fields named take these
    // values, the others keep what the form offered; no values cancels. A
    // confirmation the form refuses shows its message (scripted like any
    // other) and the form is answered again by the next expected one, as the
    // dialog stays open for the user.
    TnDialogosRoteiro& EsperarQuestionario(const QString& trecho, const QVariantMap& valores);
    // The write-off data: the person typed or picked (empty cancels); the
    // moment keeps the default offered, the office user too unless given.
    TnDialogosRoteiro& EsperarDadosBaixa(const QString& pessoa, int usuario = 0);
    // nMostrarCadastro, matched on the register's name or caption; `olhar`
    // sees the register as the user would, before it is closed.
    TnDialogosRoteiro& EsperarCadastro(const QString& trecho, std::function<void(TnDMClientDataSet&)> olhar = {});
    // nMostrarProcesso, matched on the process's name or caption; `usar`
    // does what the user would (types parameters, executes) before it is closed.
    TnDialogosRoteiro& EsperarProcesso(const QString& trecho, std::function<void(TnDMPowerParam&)> usar = {});
    // nMostrarQuadro, matched on its title; `olhar` sees the frame shown.
    TnDialogosRoteiro& EsperarQuadro(const QString& trecho, std::function<void(const TnQuadroInformacoes&)> olhar = {});
    // A register's selection, answered with these values in order (empty cancels).
    TnDialogosRoteiro& EsperarSelecao(const QVariantList& valores);
    // Questionnaires shown by this (the desktop's dialog, in screen tests)
    // instead of answered from the script; the questions it asks still are.
    void SetMostrarQuestionario(std::function<bool(TnQuestionario&)> mostrar) { m_mostrarQuestionario = std::move(mostrar); }
    // The last questionnaire asked, as it was offered.
    const TnQuestionario& UltimoQuestionario() const { return m_questionario; }

    // Fails the test for every expected question not asked, then forgets them.
    void Verificar();

    const QList<TnPerguntaFeita>& Perguntas() const { return m_perguntas; }
    // Every text the progress frames showed, in order; a frame that shows the
    // same text again (each step of a loop) adds it once.
    const QStringList& TextosProgresso() const { return m_textosProgresso; }
    int ProgressosAbertos() const { return static_cast<int>(m_progressos.size()); }
    // Presses "Cancelar" on the progress frame the first time it shows a
    // text containing `trecho`.
    void CancelarProgressoAoMostrar(const QString& trecho) { m_cancelarAoMostrar = trecho; }

    int MessageDlg(const QString& texto, int tipo, const QStringList& botoes) override;
    void ShowMessage(const QString& texto) override;
    std::optional<QString> InputBox(const QString& titulo, const QString& pergunta,
                                    const QString& padrao) override;
    int InputQueryListBox(const QString& titulo, const QStringList& opcoes) override;
    bool Consultar(TnDMClientDataSet& consulta) override;
    std::optional<QVariantList> ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo) override;
    bool PedirQuestionario(TnQuestionario& questionario) override;
    void MostrarCadastro(TnDMClientDataSet& cadastro) override;
    void MostrarProcesso(TnDMPowerParam& processo, int altura) override;
    void MostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo) override;
    void ProgressoCriado(TnFraProgresso& progresso) override;

private:
    struct Esperada {
        TnTipoPergunta tipo;
        QString trecho;
        QString rotulo;                 // button or entry sought by text
        int indice = -1;                // used when rotulo is empty
        std::optional<QString> digitado;  // InputBox
        QVariantList chave = {};          // Consulta, ConsultaVarios; Questionario: values in field order
        QVariantMap campos = {};          // Questionario: values by field name
        std::function<void(TnDMClientDataSet&)> olhar = {};  // Cadastro
        std::function<void(TnDMPowerParam&)> usar = {};      // Processo
        std::function<void(const TnQuadroInformacoes&)> quadro = {};  // Quadro
        QString Descrever() const;
    };
    struct Acompanhado {
        TnFraProgresso* progresso;
        QString ultimoTexto;
    };

    TnDialogosRoteiro& Enfileirar(Esperada esperada);
    // The expected question that answers `pergunta`, taken off the queue;
    // nullopt (after failing the test) when it is not the next one.
    std::optional<Esperada> Atender(const TnPerguntaFeita& pergunta);
    // The index that answers among `opcoes`; -1 (after failing) when invalid.
    static int Escolher(const Esperada& esperada, const TnPerguntaFeita& pergunta);
    // A consultation as the user sees it: its column titles and rows.
    static TnPerguntaFeita PerguntaDaConsulta(TnTipoPergunta tipo, TnDMClientDataSet& consulta);

    void ProgressoAlterado(const TnFraProgresso& progresso) override;
    void ProgressoLiberado(const TnFraProgresso& progresso) override;

    QList<Esperada> m_esperadas;
    TnQuestionario m_questionario;
    std::function<bool(TnQuestionario&)> m_mostrarQuestionario;
    QList<TnPerguntaFeita> m_perguntas;
    QStringList m_textosProgresso;
    QHash<const TnFraProgresso*, Acompanhado> m_progressos;
    QString m_cancelarAoMostrar;
};

#include "bancoteste.h"

// A test of the module's screens: a database, a user who answers the
// dialogs from a script, and the module's menu entries offered (as its
// package would, for the module number 13).
class TesteDeTela : public TesteComBanco {
protected:
    void SetUp() override;

    TnDialogosRoteiro* m_usuario = nullptr;
};
