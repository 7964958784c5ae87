#pragma once

#include <QTableView>

#include <functional>
#include <memory>
#include <span>

class QMenu;

class TnClientDataSet;
class TnField;
class TnModeloDataSet;
class TnPainelLinha;

// The grid of a dataset: keeps the selected row and the dataset's current
// row together, orders by a column when its title is clicked, edits cells
// when editable (Insert appends, Ctrl+Del deletes, Esc cancels, arrow down
// on the last row appends) and hands keys to its dataset's declared handler
// first (see TnAparenciaGrade::AoTeclar).
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
    // The pop-up menu: the dataset's entries, then exporting the rows as shown.
    std::unique_ptr<QMenu> CriarMenuDeContexto();
    // Writes the rows as shown to a spreadsheet (XLSX) or a CSV file the user names.
    void Exportar(bool planilha);

    // A panel that opens inside the grid under the current row (see
    // TnPainelLinha); "+" or Ctrl+Down opens it, "-" or Ctrl+Up closes it.
    void SetPainelDeLinha(QWidget* painel, std::function<void()> aoAbrir);
    void FecharPainel();
    // The row the panel is open under; -1 when there is none.
    int LinhaDoPainel() const;
    // The height of a row without a panel (the part of a row its cells use).
    int AlturaDaLinha() const;

    // Columns follow the grid's width: those of codes, dates and amounts
    // keep their declared widths, long texts share the rest in proportion.
    void AjustarLarguras();

    bool OrdenarPeloTitulo = true;

signals:
    // Enter or double click on a row (the pick of a consultation).
    void RegistroEscolhido();

protected:
    bool event(QEvent* evento) override;
    // A row dropped onto another, where the dataset lets rows be dragged.
    void dropEvent(QDropEvent* evento) override;
    bool edit(const QModelIndex& indice, EditTrigger gatilho, QEvent* evento) override;
    QModelIndex moveCursor(CursorAction acao, Qt::KeyboardModifiers modificadores) override;
    void keyPressEvent(QKeyEvent* evento) override;
    void currentChanged(const QModelIndex& atual, const QModelIndex& anterior) override;
    void updateGeometries() override;
    void scrollContentsBy(int dx, int dy) override;

private:
    enum class TnOndeVale;
    struct TnTecla;
    static std::span<const TnTecla> Teclas();
    const TnTecla* TeclaDaGrade(const QKeyEvent& evento, bool exata) const;
    void Agir(const std::function<void()>& acao);
    void SeguirDataSet(int linha);
    void MostrarAtual();
    void OrdenarPor(int coluna);
    QWidget* EditorAberto() const;
    void SairDaLinha();
    void Excluir();
    void DistribuirLarguras();
    int LarguraDosValores(const TnField& campo) const;

    TnModeloDataSet* m_modelo;
    bool m_sincronizando = false;
    // The cursor followed the dataset; the view scrolls to it and repaints
    // at the next turn of the event loop.
    bool m_mostrarAtual = false;
    bool m_adiandoVista = false;
    int m_coluna = 0;  // column of the current cell
    int m_colunaOrdem = -1;
    bool m_decrescente = false;
    TnPainelLinha* m_painel = nullptr;  // a child of the grid, when it has one
    QList<int> m_largurasDeclaradas;  // per column, when the widths follow the grid's
    int m_larguraDistribuida = -1;    // the viewport width they were last fitted to
};
