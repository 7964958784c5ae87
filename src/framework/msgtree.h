#pragma once

#include <QHash>
#include <QList>
#include <QString>

// Kinds of message lines, as module code numbers them. Other numbers are
// kept as given and shown with the information icon.
namespace TnTipoMsg {
inline constexpr int Erro = 0;
inline constexpr int Aviso = 1;
inline constexpr int Alerta = 2;
inline constexpr int Informacao = 4;
inline constexpr int Sucesso = 5;
}  // namespace TnTipoMsg

enum class TnMsgIcone { Informacao, Confirmacao, Aviso, Erro };

// A line of a message tree, as module code holds it (the current company,
// the current establishment). An empty handle means "no line": the top level
// as a parent. Handles are never reused, so one kept past LimparMsgTreeLista
// or past the deletion of its line is recognised as gone.
class TnMsgNo {
public:
    TnMsgNo() = default;

    bool Valido() const { return m_id != 0; }
    explicit operator bool() const { return Valido(); }
    quint64 Id() const { return m_id; }
    friend bool operator==(TnMsgNo, TnMsgNo) = default;

private:
    friend class TnMsgTree;
    explicit TnMsgNo(quint64 id) : m_id(id) {}

    quint64 m_id = 0;
};

// One line read back from the tree, in display order.
struct TnMsgLinha {
    TnMsgNo no;
    TnMsgNo pai;
    int nivel = 0;  // 0 at the top level
    int tipo = TnTipoMsg::Informacao;
    TnMsgIcone icone = TnMsgIcone::Informacao;
    QString texto;
};

class TnMsgTree;

// What a view of the tree is told, as it happens, so a long run shows its
// lines while it works.
class TnObservadorMsgTree {
public:
    virtual ~TnObservadorMsgTree() = default;
    virtual void NoIncluido(const TnMsgTree&, TnMsgNo) {}
    virtual void IconeAlterado(const TnMsgTree&, TnMsgNo) {}
    // Told before the line and the lines under it go, while they can still be read.
    virtual void NoExcluido(const TnMsgTree&, TnMsgNo) {}
    virtual void ArvoreLimpa(const TnMsgTree&) {}
};

// The message tree of a process: what a run did and what went wrong, one
// line per company, establishment, document or problem, nested as the run
// walked them. Each line has a kind, which gives its first icon, and a text.
class TnMsgTree {
public:
    TnMsgTree() = default;
    TnMsgTree(const TnMsgTree&) = delete;
    TnMsgTree& operator=(const TnMsgTree&) = delete;

    // Adds a line under `pai` (at the top level when empty) and answers it.
    // A parent that is gone raises EnErro: the line would be lost unseen.
    TnMsgNo MsgTree(int tipo, const QString& texto, TnMsgNo pai = {});
    void LimparMsgTreeLista();
    // Removes the line with the lines under it; a line already gone is ignored.
    void ExcluirNo(TnMsgNo no);

    // Mark a line after the fact (an establishment that failed, a company
    // whose items were listed). An empty or gone line is ignored: error paths
    // mark the current nodes, which may not exist yet.
    void SetarIconErro(TnMsgNo no) { SetarIcone(no, TnMsgIcone::Erro); }
    void SetarIconConfirmacao(TnMsgNo no) { SetarIcone(no, TnMsgIcone::Confirmacao); }
    void SetarIconInformacao(TnMsgNo no) { SetarIcone(no, TnMsgIcone::Informacao); }
    void SetarIcone(TnMsgNo no, TnMsgIcone icone);

    // --- reading (a gone line raises EnErro) ---------------------------------
    bool Existe(TnMsgNo no) const { return m_nos.contains(no.m_id); }
    bool Vazia() const { return m_nos.isEmpty(); }
    int Quantidade() const { return static_cast<int>(m_nos.size()); }
    int Tipo(TnMsgNo no) const;
    QString Texto(TnMsgNo no) const;
    TnMsgIcone Icone(TnMsgNo no) const;
    TnMsgNo Pai(TnMsgNo no) const;
    // The lines under `pai` in the order added; the top level when empty.
    QList<TnMsgNo> Filhos(TnMsgNo pai = {}) const;
    // Every line, depth first, parents before their children.
    QList<TnMsgLinha> Linhas() const;
    // The tree as indented text for a terminal or a log: two blanks per level
    // and a mark of the icon, "[x]" error, "[!]" warning, "[v]" confirmation,
    // "[i]" information; one line each, ended by a line break.
    QString ComoTexto() const;

    static TnMsgIcone IconeDoTipo(int tipo);

    void AdicionarObservador(TnObservadorMsgTree* observador);
    void RemoverObservador(TnObservadorMsgTree* observador);

private:
    struct No {
        int tipo;
        TnMsgIcone icone;
        QString texto;
        quint64 pai;
        QList<quint64> filhos;
    };

    const No& Ler(TnMsgNo no) const;
    void Remover(quint64 id);
    void ListarEm(QList<TnMsgLinha>& linhas, const QList<quint64>& ids, int nivel) const;
    template <typename Aviso>
    void Avisar(Aviso aviso);

    QHash<quint64, No> m_nos;
    QList<quint64> m_raizes;
    quint64 m_ultimoId = 0;
    QList<TnObservadorMsgTree*> m_observadores;
};
