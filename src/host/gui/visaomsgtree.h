#pragma once

#include "msgtree.h"

#include <QHash>
#include <QTreeWidget>

// The message tree of a process as the user reads it: one line per message,
// nested as the run added them, each with the icon of its kind (or the one
// set later). It follows the tree as it changes, so a long run shows its
// lines while it works. The tree must outlive the view.
class TnVisaoMsgTree : public QTreeWidget, private TnObservadorMsgTree {
    Q_OBJECT
public:
    // Each line keeps its icon (as an int) and its message's id under these roles.
    static constexpr int PapelIcone = Qt::UserRole + 1;
    static constexpr int PapelNo = Qt::UserRole + 2;

    explicit TnVisaoMsgTree(TnMsgTree& arvore, QWidget* pai = nullptr);
    ~TnVisaoMsgTree() override;

    TnMsgTree& Arvore() const { return m_arvore; }
    // The line of a message; nullptr when it is not shown.
    QTreeWidgetItem* Item(TnMsgNo no) const { return m_itens.value(no.Id(), nullptr); }
    // Whether some line shows the error icon.
    bool TemErro() const;

    static QIcon Icone(TnMsgIcone icone);

private:
    void Recarregar();
    QTreeWidgetItem* Incluir(TnMsgNo no, TnMsgNo pai);
    void MarcarIcone(QTreeWidgetItem& item, TnMsgIcone icone);
    void Esquecer(QTreeWidgetItem* item);

    void NoIncluido(const TnMsgTree& arvore, TnMsgNo no) override;
    void IconeAlterado(const TnMsgTree& arvore, TnMsgNo no) override;
    void NoExcluido(const TnMsgTree& arvore, TnMsgNo no) override;
    void ArvoreLimpa(const TnMsgTree& arvore) override;

    TnMsgTree& m_arvore;
    QHash<quint64, QTreeWidgetItem*> m_itens;
    int m_erros = 0;  // lines showing the error icon
};
