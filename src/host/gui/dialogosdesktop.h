#pragma once

#include "dialogos.h"

class QWidget;
class TnFrmConsulta;

// The dialogs of the desktop: message boxes with the Portuguese captions the
// module asks for, input and list boxes, consultations shown modally to pick
// a row, and progress frames in a window of their own.
class TnDialogosDesktop : public TnDialogos {
public:
    explicit TnDialogosDesktop(QWidget* janela = nullptr) : m_janela(janela) {}
    void SetJanela(QWidget* janela) { m_janela = janela; }

    // Unattended (a capture): nobody would answer a dialog, so instead of
    // showing one the run stops with the text on stderr and exit status 1;
    // the dialog answers as if cancelled so that the code asking unwinds.
    void SetDesatendido(bool desatendido) { m_desatendido = desatendido; }
    bool Interrompido() const { return m_interrompido; }

    int MessageDlg(const QString& texto, int tipo, const QStringList& botoes) override;
    void ShowMessage(const QString& texto) override;
    std::optional<QString> InputBox(const QString& titulo, const QString& pergunta, const QString& padrao) override;
    int InputQueryListBox(const QString& titulo, const QStringList& opcoes) override;
    bool Consultar(TnDMClientDataSet& consulta) override;
    std::optional<QVariantList> ConsultarVarios(TnDMClientDataSet& consulta, const QString& campo) override;
    bool PedirQuestionario(TnQuestionario& questionario) override;
    void MostrarCadastro(TnDMClientDataSet& cadastro) override;
    void MostrarProcesso(TnDMPowerParam& processo, int altura) override;
    void MostrarQuadro(const TnQuadroInformacoes& quadro, const QString& titulo) override;
    void ProgressoCriado(TnFraProgresso& progresso) override;

private:
    QWidget* Janela() const;
    bool SemResposta(const QString& texto);
    // The consultation in a modal dialog; on a choice `aoEscolher` reads it.
    bool MostrarConsulta(TnDMClientDataSet& consulta, bool varias, const std::function<void(TnFrmConsulta&)>& aoEscolher);

    QWidget* m_janela;
    bool m_desatendido = false;
    bool m_interrompido = false;
};
