#pragma once

#include <QPointer>
#include <QTableView>

#include <functional>
#include <memory>

class QMenu;

class TnClientDataSet;
class TnField;
class TnModeloDataSet;

// The grid of a dataset: keeps the selected row and the dataset's current
// row together, orders by a column when its title is clicked, edits cells
// when editable (Insert appends, Ctrl+Del deletes, Esc cancels, arrow down
// on the last row appends) and lets data modules add key handlers.
class TnGrade : public QTableView {
    Q_OBJECT
public:
    TnGrade(TnClientDataSet& dataSet, bool editavel, QWidget* pai = nullptr);

    using QTableView::edit;

    TnModeloDataSet& Modelo() const { return *m_modelo; }
    TnClientDataSet& DataSet() const;

    // Writes the text of a cell still being edited into its field and closes
    // the editor (before an action that reads the row).
    void GravarEdicao();
    // Puts the cursor on the field's cell in the current row (after an error).
    void FocarCampo(const QString& campo);
    // On a new row: the cursor goes to its first column in the tab order.
    void IrParaPrimeiraColunaEditavel();
    // The pop-up menu the dataset declares (right click, Menu key); none when empty.
    std::unique_ptr<QMenu> CriarMenuDeContexto();

    // A panel that opens inside the grid under one row at a time (a
    // protocol's items under the protocol). "+" or Ctrl+Down opens it under
    // the current row and moves the focus into it; "-" or Ctrl+Up closes it,
    // and so do Ctrl+Up and Esc inside the panel, giving the focus back to the
    // row; the "+" / "-" sign in the left margin opens and closes it with the
    // mouse. aoAbrir runs first (it fills the panel for the current row).
    // Moving to another row closes it, and so does a reload that takes its
    // row away or puts another row in its place.
    void SetPainelDeLinha(QWidget* painel, std::function<void()> aoAbrir);
    void AbrirPainel();
    void FecharPainel();
    int LinhaDoPainel() const { return m_linhaDoPainel; }
    // The height of a row without a panel (the part of a row its cells use).
    int AlturaDaLinha() const;

    // Columns follow the grid's width: those of codes, dates and amounts
    // keep their declared widths, long texts share the rest in proportion.
    void AjustarLarguras();

    // Answers true when it handled the key.
    std::function<bool(QKeyEvent*)> AoTeclar;
    bool OrdenarPeloTitulo = true;

signals:
    // Enter or double click on a row (the pick of a consultation).
    void RegistroEscolhido();

protected:
    bool event(QEvent* evento) override;
    bool edit(const QModelIndex& indice, EditTrigger gatilho, QEvent* evento) override;
    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void currentChanged(const QModelIndex& atual, const QModelIndex& anterior) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    void SeguirDataSet(int linha);
    void OrdenarPor(int coluna);
    QWidget* EditorAberto() const;
    void SairDaLinha();
    void Excluir();
    void PosicionarPainel();
    void ReaplicarPainel();
    void AbrirEspacoDoPainel();
    void DistribuirLarguras();
    int LarguraDosValores(const TnField& campo) const;

    TnModeloDataSet* m_modelo;
    bool m_sincronizando = false;
    int m_coluna = 0;  // column of the current cell
    int m_colunaOrdem = -1;
    bool m_decrescente = false;
    QPointer<QWidget> m_painel;
    std::function<void()> m_aoAbrirPainel;
    int m_linhaDoPainel = -1;
    qint64 m_registroDoPainel = -1;  // bookmark of the row the panel was opened under
    QList<int> m_largurasDeclaradas;  // per column, when the widths follow the grid's
    int m_larguraDistribuida = -1;    // the viewport width they were last fitted to
};
