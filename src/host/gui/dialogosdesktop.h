#pragma once

#include "dialogos.h"

class QWidget;

// The dialogs of the desktop: message boxes with the Portuguese captions the
// module asks for, input and list boxes, consultations shown modally to pick
// a row, and progress frames in a window of their own.
class TnDialogosDesktop : public TnDialogos {
public:
    explicit TnDialogosDesktop(QWidget* janela = nullptr) : m_janela(janela) {}
    void SetJanela(QWidget* janela) { m_janela = janela; }

    int MessageDlg(const QString& texto, int tipo, const QStringList& botoes) override;
    void ShowMessage(const QString& texto) override;
    std::optional<QString> InputBox(const QString& titulo, const QString& pergunta, const QString& padrao) override;
    int InputQueryListBox(const QString& titulo, const QStringList& opcoes) override;
    bool Consultar(TnDMClientDataSet& consulta) override;
    bool PedirDadosBaixa(TnDadosBaixa& dados) override;
    bool PedirSelecao(QList<QPair<QString, QVariant>>& valores, const QString& titulo) override;
    void ProgressoCriado(TnFraProgresso& progresso) override;

private:
    QWidget* Janela() const;

    QWidget* m_janela;
};
