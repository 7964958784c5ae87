#include "msgtree.h"

#include "erros.h"

// A view may stop observing while it is told something; it is not told again.
template <typename Aviso>
void TnMsgTree::Avisar(Aviso aviso)
{
    const QList<TnObservadorMsgTree*> observadores = m_observadores;
    for (TnObservadorMsgTree* observador : observadores)
        if (m_observadores.contains(observador))
            aviso(*observador);
}

TnMsgIcone TnMsgTree::IconeDoTipo(int tipo)
{
    switch (tipo) {
    case TnTipoMsg::Erro:
        return TnMsgIcone::Erro;
    case TnTipoMsg::Aviso:
    case TnTipoMsg::Alerta:
        return TnMsgIcone::Aviso;
    case TnTipoMsg::Sucesso:
        return TnMsgIcone::Confirmacao;
    default:
        return TnMsgIcone::Informacao;
    }
}

TnMsgNo TnMsgTree::MsgTree(int tipo, const QString& texto, TnMsgNo pai)
{
    if (pai && !Existe(pai))
        throw EnErro(QStringLiteral("A mensagem \"%1\" foi posta sob uma linha que não existe mais.").arg(texto));
    const quint64 id = ++m_ultimoId;
    m_nos.insert(id, No{tipo, IconeDoTipo(tipo), texto, pai.m_id, {}});
    if (pai)
        m_nos[pai.m_id].filhos.append(id);
    else
        m_raizes.append(id);
    const TnMsgNo no(id);
    Avisar([&](TnObservadorMsgTree& o) { o.NoIncluido(*this, no); });
    return no;
}

void TnMsgTree::LimparMsgTreeLista()
{
    m_nos.clear();
    m_raizes.clear();
    Avisar([&](TnObservadorMsgTree& o) { o.ArvoreLimpa(*this); });
}

void TnMsgTree::ExcluirNo(TnMsgNo no)
{
    if (!Existe(no))
        return;
    Avisar([&](TnObservadorMsgTree& o) { o.NoExcluido(*this, no); });
    const quint64 pai = m_nos.value(no.m_id).pai;
    if (pai)
        m_nos[pai].filhos.removeOne(no.m_id);
    else
        m_raizes.removeOne(no.m_id);
    Remover(no.m_id);
}

void TnMsgTree::Remover(quint64 id)
{
    const QList<quint64> filhos = m_nos.take(id).filhos;
    for (quint64 filho : filhos)
        Remover(filho);
}

void TnMsgTree::SetarIcone(TnMsgNo no, TnMsgIcone icone)
{
    auto it = m_nos.find(no.m_id);
    if (it == m_nos.end() || it->icone == icone)
        return;
    it->icone = icone;
    Avisar([&](TnObservadorMsgTree& o) { o.IconeAlterado(*this, no); });
}

const TnMsgTree::No& TnMsgTree::Ler(TnMsgNo no) const
{
    auto it = m_nos.constFind(no.m_id);
    if (it == m_nos.constEnd())
        throw EnErro(QStringLiteral("A linha %1 não existe na árvore de mensagens.").arg(no.m_id));
    return *it;
}

int TnMsgTree::Tipo(TnMsgNo no) const
{
    return Ler(no).tipo;
}

QString TnMsgTree::Texto(TnMsgNo no) const
{
    return Ler(no).texto;
}

TnMsgIcone TnMsgTree::Icone(TnMsgNo no) const
{
    return Ler(no).icone;
}

TnMsgNo TnMsgTree::Pai(TnMsgNo no) const
{
    return TnMsgNo(Ler(no).pai);
}

QList<TnMsgNo> TnMsgTree::Filhos(TnMsgNo pai) const
{
    const QList<quint64>& ids = pai ? Ler(pai).filhos : m_raizes;
    QList<TnMsgNo> filhos;
    filhos.reserve(ids.size());
    for (quint64 id : ids)
        filhos.append(TnMsgNo(id));
    return filhos;
}

QList<TnMsgLinha> TnMsgTree::Linhas() const
{
    QList<TnMsgLinha> linhas;
    linhas.reserve(m_nos.size());
    ListarEm(linhas, m_raizes, 0);
    return linhas;
}

void TnMsgTree::ListarEm(QList<TnMsgLinha>& linhas, const QList<quint64>& ids, int nivel) const
{
    for (quint64 id : ids) {
        const No& no = *m_nos.constFind(id);
        linhas.append(TnMsgLinha{TnMsgNo(id), TnMsgNo(no.pai), nivel, no.tipo, no.icone, no.texto});
        ListarEm(linhas, no.filhos, nivel + 1);
    }
}

QString TnMsgTree::ComoTexto() const
{
    QString texto;
    for (const TnMsgLinha& linha : Linhas()) {
        const char* marca = "[i]";
        switch (linha.icone) {
        case TnMsgIcone::Erro: marca = "[x]"; break;
        case TnMsgIcone::Aviso: marca = "[!]"; break;
        case TnMsgIcone::Confirmacao: marca = "[v]"; break;
        case TnMsgIcone::Informacao: break;
        }
        texto += QString(linha.nivel * 2, u' ') + QLatin1String(marca) + u' ' + linha.texto + u'\n';
    }
    return texto;
}

void TnMsgTree::AdicionarObservador(TnObservadorMsgTree* observador)
{
    if (observador && !m_observadores.contains(observador))
        m_observadores.append(observador);
}

void TnMsgTree::RemoverObservador(TnObservadorMsgTree* observador)
{
    m_observadores.removeOne(observador);
}
