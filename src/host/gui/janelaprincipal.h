#pragma once

#include "acoes.h"
#include "dmclientdataset.h"

#include <QMainWindow>

#include <memory>

class TnDataModule;
class TnDMSelecao;
class TnFormulario;
class QLabel;
class QTabWidget;

// The main window: the menu the registered classes contribute for module 13,
// the screens open at once as tabs, and the user and database in the status bar.
class TnJanelaPrincipal : public QMainWindow {
    Q_OBJECT
public:
    explicit TnJanelaPrincipal(QWidget* pai = nullptr);
    ~TnJanelaPrincipal() override;

    // Builds the menu again from the registered classes (after a package loads).
    void MontarMenus();
    // Opens the screen of a class (what its menu entry does); nullptr when
    // the user cancelled the selection or the class failed to open.
    TnFormulario* AbrirClasse(const QString& nomeClasse);
    QTabWidget& Abas() const { return *m_abas; }
    TnActionList& Acoes() { return m_acoes; }

protected:
    void closeEvent(QCloseEvent* evento) override;

private:
    bool FecharAba(int indice);
    TnDMSelecao& Selecao();
    void AtualizarStatus();
    QString TituloDaNovaAba(const QString& titulo) const;
    void MostrarPeriodo(const TnSelecao& selecao);

    TnActionList m_acoes;
    QTabWidget* m_abas;
    std::unique_ptr<TnDMSelecao> m_selecao;
    QLabel* m_periodo = nullptr;  // "Período: 01/11/2026 a 30/11/2026" once chosen
};
