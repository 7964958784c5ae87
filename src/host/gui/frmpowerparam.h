#pragma once

#include "dmpowerparam.h"
#include "formulario.h"

#include <QHash>
#include <QList>
#include <QStringList>

class TnAction;
class TnGrade;
class TnPainelParametros;
class TnVisaoMsgTree;
class TnVisaoGrafico;
class QAction;
class QLabel;
class QLineEdit;
class QTabWidget;
class QToolBar;

// The screen of a process, built from its declaration: the tool bar (Execute,
// Save, Cancel and the process's own buttons, with their shortcuts), the
// parameter panel, and the tabs of the result: the grid over the process's
// dataset on the first, empty pages for the tabs the process adds, and the
// message tree when the process shows it. The panel sits above the tabs, or
// on a tab of its own for a TnDMPowerParamTab; a TnDMPowerParamGrid gets a
// search box above the grid that finds rows as the user types.
//
// Every gesture goes through AcaoSegura; a parameter error puts the focus on
// the parameter's control. After each one the screen shows the process's
// state again (actions, buttons, tabs, grid columns). The process must
// outlive the form.
class TnFrmPowerParam : public TnFormulario {
    Q_OBJECT
public:
    explicit TnFrmPowerParam(TnDMPowerParam& processo, QWidget* pai = nullptr);

    TnDMPowerParam& Processo() const { return m_processo; }
    TnPainelParametros& Parametros() const { return *m_parametros; }
    TnGrade& Grade() const { return *m_grade; }
    // The search box of a TnDMPowerParamGrid; nullptr for the other kinds.
    QLineEdit* Pesquisa() const { return m_pesquisa; }
    QLineEdit* Leitor() const { return m_leitor; }
    QTabWidget& Abas() const { return *m_abas; }
    // The page of Tabs()[indice]; nullptr past the end.
    QWidget* Aba(int indice) const { return m_paginas.value(indice, nullptr); }
    TnVisaoMsgTree& Mensagens() const { return *m_mensagens; }
    // The tool-bar action of a process action (actExecutar, a tool button's
    // name); nullptr when there is none.
    QAction* Acao(const QString& nome) const;

    void FocarCampo(const QString& nome) override;
    bool PodeFechar() override;

    // Shows the process's state again: title, actions and buttons (new ones
    // too), tabs, the message tab and the row count.
    void Sincronizar();

signals:
    // An execution asked from the screen ended without an error.
    void Executado();

protected:
    // For forms that add components of their own: they build them and then
    // call Configurar(), so the process's DepoisConfigurar sees them.
    struct TnSemConfigurar {};
    TnFrmPowerParam(TnDMPowerParam& processo, QWidget* pai, TnSemConfigurar);
    void Configurar();

    // Called for each grid made over the process's dataset (they are remade
    // when its fields change, as when Executar creates the dataset).
    virtual void ConfigurarGrade(TnGrade& grade) { Q_UNUSED(grade); }

    void closeEvent(QCloseEvent* evento) override;

private:
    void Montar();
    void CriarGrade();
    void CriarLeitor(const TnDMPowerParam::TnLeitor& leitor, QWidget& pagina);
    void AtualizarGrade();
    QStringList AssinaturaCampos() const;
    void SincronizarBarra();
    void Gesto(TnAction& acao);
    void MostrarResultado();
    void Pesquisar(const QString& texto);

    TnDMPowerParam& m_processo;
    bool m_emAba;  // parameters on a tab of their own
    QToolBar* m_barra = nullptr;
    TnPainelParametros* m_parametros = nullptr;
    QWidget* m_paginaParametros = nullptr;
    QTabWidget* m_abas = nullptr;
    QList<QWidget*> m_paginas;  // one per Tabs()
    QList<TnVisaoGrafico*> m_graficos;
    QLineEdit* m_pesquisa = nullptr;
    QLineEdit* m_leitor = nullptr;
    TnGrade* m_grade = nullptr;
    TnGrade* m_gradeDetalhe = nullptr;    // the detail rows, when the process has them
    QWidget* m_painelDetalhe = nullptr;   // holds them, opened under a row of the grid
    QStringList m_assinatura;  // fields the grid was made for
    TnVisaoMsgTree* m_mensagens = nullptr;
    QWidget* m_paginaMensagens = nullptr;
    QLabel* m_contagem = nullptr;
    QHash<QAction*, TnAction*> m_acoes;
    QAction* m_separadorBotoes = nullptr;
};
