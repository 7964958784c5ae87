#pragma once

// What a data module declares for the screen that shows one of its datasets:
// the kind of form, captions and reports, the orders offered to the user,
// and how its grids look and answer keys, clicks and the pop-up menu. Data
// modules stay non-visual; the desktop reads this.

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

enum class TnTipoForm { Normal, ntfConGrid, ntfCadGrid };

// An extra order offered to the user on a register's screen.
struct TnIndexUsuario {
    QString Name;
    QString Fields;
};

// An entry of a grid's pop-up menu; `imagem` numbers a picture of the host's image list.
struct TnItemMenuGrade {
    QString caption;
    int imagem = -1;
    std::function<void()> acao;
};

struct TnAparenciaGrade {
    // Text colour of a row of the view ("#c00000", "red"); empty: the default.
    std::function<QString(int linha)> CorDoTexto;
    // Background of the row while it is the selected one, for a colour that
    // must not hide under the cursor; empty: the style's selection.
    std::function<QString(int linha)> CorDaSelecao;
    // A key pressed in the grid (Qt key code and modifiers); true when handled.
    std::function<bool(int tecla, int modificadores)> AoTeclar;
    // Keys (QKeyCombination::toCombined) that AoTeclar takes even where the
    // screen has a shortcut on the same key.
    QList<int> TeclasProprias;
    // Tab or Enter pressed while a cell is being edited: the field and the
    // editor's text. The handler may change the field (the editor shows the new
    // text); true keeps the user in the cell, false lets the key commit it.
    std::function<bool(int tecla, const QString& campo, const QString& texto)> AoConfirmarCelula;
    std::function<void()> AoClicarDuasVezes;
    // The same, told the field of the cell the key or the click is on; a
    // key it takes (true) goes no further. Run before the two above.
    std::function<bool(int tecla, int modificadores, const QString& campo)> AoTeclarNaCelula;
    std::function<bool(const QString& campo)> AoClicarDuasVezesNaCelula;
    // A row dragged with the mouse onto another (rows of the view, from 0):
    // the dataset puts it there. Rows are not dragged when empty.
    std::function<void(int de, int para)> AoArrastarLinha;
    // The grid's pop-up menu (right click, the Menu key); none when empty.
    QList<TnItemMenuGrade> MenuDeContexto;
    bool OrdenarPeloTitulo = true;
    // Rows typed in a working list (a configuration before it is saved):
    // Ctrl+Del drops the row without asking, and Enter outside an editor
    // goes to the next column (the next row's first at the end of a row)
    // instead of opening the cell.
    bool ExcluirSemPerguntar = false;
    bool EnterMudaDeColuna = false;
    // Fields whose sum over the rows shown sits in the grid's footer row.
    QStringList CamposSomados;
};

struct TnDeclaracaoTela {
    QString Caption;
    // The consultation twin of a register (its class name).
    QString CadCons;
    QStringList Relatorios;
    TnTipoForm TipoForm = TnTipoForm::Normal;
    QList<TnIndexUsuario> Indexs;
    QString OrdemCaption;
    bool PodeCriarIndexs = true;
    TnAparenciaGrade Aparencia;
};
