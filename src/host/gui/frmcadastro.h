#pragma once

#include "clientdataset.h"
#include "formulario.h"
#include "relatorio.h"

#include <functional>

#include <QHash>

class TnAction;
class TnControleCampo;
class TnDMClientDataSet;
class TnGrade;
class QAction;
class QLabel;
struct TnRotulo;
class QLineEdit;
class QToolBar;

// The screen of a register, built from its declaration: the navigation and
// edit tool bar with its shortcuts and the data module's own buttons, then
// one labelled control per visible field (or, for a register declared as a
// grid, an editable grid), then the grid of each detail.
class TnFrmCadastro : public TnFormulario, private TnObservadorDataSet {
    Q_OBJECT
public:
    TnFrmCadastro(TnDMClientDataSet& cadastro, QWidget* pai = nullptr);
    ~TnFrmCadastro() override;

    TnDMClientDataSet& Cadastro() const { return m_cadastro; }
    TnControleCampo* Controle(const QString& campo) const;
    TnGrade* Grade() const { return m_grade; }
    const QList<TnGrade*>& GradesDetalhe() const { return m_detalhes; }
    QAction* Acao(const QString& nome) const;

    void FocarCampo(const QString& nome) override;
    bool PodeFechar() override;

    // Refreshes every control and the enabled state of the actions.
    void AtualizarTela();
    // The register the user is working in: a detail whose grid has the focus,
    // else the screen's own. The tool bar's dataset actions act on it.
    TnDMClientDataSet& RegistroComFoco() const;

    // Ctrl+P: the user picks one of the register's reports, for the current
    // row or for every row on the screen, and sees it in the print preview
    // (print it or save it as PDF from there). Tests show it elsewhere.
    void Imprimir();
    void SetMostrarRelatorio(std::function<void(const TnRelatorio&)> mostrar) { m_mostrarRelatorio = std::move(mostrar); }

private:
    struct TnAreaRotulos {
        TnDataModule* modulo;
        QWidget* area;
    };

    void CriarBarra();
    void SeguirAcoes(TnDMClientDataSet& registro);
    void CriarBotoesDoModulo(TnDataModule& modulo, QToolBar* barra, QWidget* escopo);
    QWidget* CriarAreaRotulos(TnDataModule& modulo, QWidget* pai);
    void AtualizarRotulos();
    void ExecutarAcaoDoDataSet(const QString& nome);
    void Executar(TnAction& acao, TnGrade* grade);
    bool PrepararAcao(TnDMClientDataSet& alvo);
    bool GravarDetalhesPendentes();
    TnGrade* GradeDe(const TnDMClientDataSet& registro) const;
    void CriarCampos(QWidget* area);
    void Pesquisar(const QString& texto);
    void GravarControleComFoco();
    void GravarEdicoes();
    void FocarPrimeiroEditavel();
    void DadosRecarregados() override { AtualizarTela(); }
    void RegistroAtualAlterado() override { AtualizarTela(); }
    void EstadoAlterado() override { AtualizarTela(); }
    void MudancaConcluida() override;
    void DataSetLiberado() override { m_liberado = true; }
    void AtualizarAcoes();
    void AtualizarEstadoDosControles();

    TnDMClientDataSet& m_cadastro;
    bool m_liberado = false;  // the register went first
    QToolBar* m_barra = nullptr;
    QLineEdit* m_pesquisa = nullptr;
    std::function<void(const TnRelatorio&)> m_mostrarRelatorio;
    QList<TnAreaRotulos> m_areasRotulos;
    QHash<const TnRotulo*, QLabel*> m_rotulos;
    TnGrade* m_grade = nullptr;
    TnGrade* m_lista = nullptr;
    QList<TnGrade*> m_detalhes;
    QHash<QString, TnControleCampo*> m_controles;  // by upper-case field name
    QHash<QAction*, TnAction*> m_acoes;
    bool m_atualizando = false;
};

// The icon-theme name of a button's image number; empty when the host has none.
