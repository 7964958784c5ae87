#include "visaomsgtree.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyle>

TnVisaoMsgTree::TnVisaoMsgTree(TnMsgTree& arvore, QWidget* pai) : QTreeWidget(pai), m_arvore(arvore)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setUniformRowHeights(true);
    header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    Recarregar();
    m_arvore.AdicionarObservador(this);
}

TnVisaoMsgTree::~TnVisaoMsgTree()
{
    m_arvore.RemoverObservador(this);
}

QIcon TnVisaoMsgTree::Icone(TnMsgIcone icone)
{
    QStyle* estilo = QApplication::style();
    switch (icone) {
    case TnMsgIcone::Erro:
        return estilo->standardIcon(QStyle::SP_MessageBoxCritical);
    case TnMsgIcone::Aviso:
        return estilo->standardIcon(QStyle::SP_MessageBoxWarning);
    case TnMsgIcone::Confirmacao:
        return estilo->standardIcon(QStyle::SP_DialogApplyButton);
    case TnMsgIcone::Informacao:
        break;
    }
    return estilo->standardIcon(QStyle::SP_MessageBoxInformation);
}

bool TnVisaoMsgTree::TemErro() const
{
    return m_erros > 0;
}

void TnVisaoMsgTree::Recarregar()
{
    clear();
    m_itens.clear();
    m_erros = 0;
    for (const TnMsgLinha& linha : m_arvore.Linhas())
        Incluir(linha.no, linha.pai);
}

QTreeWidgetItem* TnVisaoMsgTree::Incluir(TnMsgNo no, TnMsgNo pai)
{
    QTreeWidgetItem* itemPai = pai ? Item(pai) : nullptr;
    auto* item = itemPai ? new QTreeWidgetItem(itemPai) : new QTreeWidgetItem(this);
    item->setText(0, m_arvore.Texto(no));
    item->setData(0, PapelNo, no.Id());
    item->setData(0, PapelIcone, -1);
    MarcarIcone(*item, m_arvore.Icone(no));
    m_itens.insert(no.Id(), item);
    // What a company or establishment went through is what the user looks for.
    if (itemPai)
        itemPai->setExpanded(true);
    return item;
}

void TnVisaoMsgTree::MarcarIcone(QTreeWidgetItem& item, TnMsgIcone icone)
{
    const int anterior = item.data(0, PapelIcone).toInt();
    if (anterior == static_cast<int>(TnMsgIcone::Erro))
        --m_erros;
    if (icone == TnMsgIcone::Erro)
        ++m_erros;
    item.setData(0, PapelIcone, static_cast<int>(icone));
    item.setIcon(0, Icone(icone));
}

void TnVisaoMsgTree::Esquecer(QTreeWidgetItem* item)
{
    for (int i = 0; i < item->childCount(); ++i)
        Esquecer(item->child(i));
    if (item->data(0, PapelIcone).toInt() == static_cast<int>(TnMsgIcone::Erro))
        --m_erros;
    m_itens.remove(item->data(0, PapelNo).toULongLong());
}

void TnVisaoMsgTree::NoIncluido(const TnMsgTree&, TnMsgNo no)
{
    Incluir(no, m_arvore.Pai(no));
}

void TnVisaoMsgTree::IconeAlterado(const TnMsgTree&, TnMsgNo no)
{
    if (QTreeWidgetItem* item = Item(no))
        MarcarIcone(*item, m_arvore.Icone(no));
}

void TnVisaoMsgTree::NoExcluido(const TnMsgTree&, TnMsgNo no)
{
    QTreeWidgetItem* item = Item(no);
    if (!item)
        return;
    Esquecer(item);
    delete item;
}

void TnVisaoMsgTree::ArvoreLimpa(const TnMsgTree&)
{
    clear();
    m_itens.clear();
    m_erros = 0;
}
