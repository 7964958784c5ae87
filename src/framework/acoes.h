#pragma once

#include <QList>
#include <QPointer>
#include <QString>

#include <bitset>
#include <functional>
#include <memory>

class TnAction;

// The host numbers its modules; a menu is built for a set of them.
using TnModulos = std::bitset<192>;

using TnOnExecute = std::function<void(TnAction&)>;

// A command of the host: a menu entry, a right, a tool-bar button.
class TnAction {
public:
    QString Name;
    QString Category;  // menu path, levels split by "\", each led by its order number
    QString Caption;
    QString Hint;
    QString ShortCut;  // "Ctrl+S", "F8"
    TnOnExecute OnExecute;
    int ImageIndex = -1;
    int Index = 0;
    int Tag = 0;
    bool Separador = false;
    QString VerificaSelecao;
    bool CriarHTTP = false;
    bool CriarMenu = true;
    bool ControlaDireito = true;

    // Runs OnExecute; nothing when disabled.
    void Execute();

    // State, which views follow as it changes.
    bool Enabled() const { return m_habilitada; }
    bool Visible() const { return m_visivel; }
    void SetEnabled(bool habilitada);
    void SetVisible(bool visivel);
    // `aviso` runs after each change of Enabled or Visible, while `contexto`
    // (the view that asked) exists.
    void AoMudarEstado(QObject* contexto, std::function<void()> aviso);

private:
    void Avisar();

    bool m_habilitada = true;
    bool m_visivel = true;
    struct TnOuvinte {
        QPointer<QObject> contexto;
        std::function<void()> aviso;
    };
    std::vector<TnOuvinte> m_ouvintes;
};

// Owns its actions, in the order they were added.
class TnActionList {
public:
    TnAction& Adicionar(std::unique_ptr<TnAction> acao);
    TnAction& Nova(const QString& nome);
    int Count() const { return static_cast<int>(m_acoes.size()); }
    TnAction& Actions(int indice) const { return *m_acoes.at(static_cast<size_t>(indice)); }
    TnAction* Find(const QString& nome) const;
    QList<TnAction*> Todas() const;
    void Clear() { m_acoes.clear(); }

private:
    std::vector<std::unique_ptr<TnAction>> m_acoes;
};
