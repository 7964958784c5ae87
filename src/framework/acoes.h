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
    // Declaration.
    const QString& Name() const { return m_name; }
    void SetName(const QString& nome) { m_name = nome; }
    // Menu path, levels split by "\", each led by its order number.
    const QString& Category() const { return m_category; }
    void SetCategory(const QString& categoria) { m_category = categoria; }
    const QString& Caption() const { return m_caption; }
    void SetCaption(const QString& caption) { m_caption = caption; }
    const QString& Hint() const { return m_hint; }
    void SetHint(const QString& dica) { m_hint = dica; }
    // Whether a tool bar shows the caption beside the icon; when not, the
    // button is the icon alone and goes by its hint.
    bool MostrarCaption() const { return m_mostrarCaption; }
    void SetMostrarCaption(bool mostrar) { m_mostrarCaption = mostrar; }
    // "Ctrl+S", "F8".
    const QString& ShortCut() const { return m_shortCut; }
    void SetShortCut(const QString& atalho) { m_shortCut = atalho; }
    void SetOnExecute(TnOnExecute evento) { m_onExecute = std::move(evento); }
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int imagem) { m_imageIndex = imagem; }
    int Index() const { return m_index; }
    void SetIndex(int indice) { m_index = indice; }
    int Tag() const { return m_tag; }
    void SetTag(int tag) { m_tag = tag; }
    bool Separador() const { return m_separador; }
    void SetSeparador(bool separador) { m_separador = separador; }
    const QString& VerificaSelecao() const { return m_verificaSelecao; }
    void SetVerificaSelecao(const QString& selecao) { m_verificaSelecao = selecao; }
    bool CriarHTTP() const { return m_criarHTTP; }
    void SetCriarHTTP(bool criar) { m_criarHTTP = criar; }
    bool CriarMenu() const { return m_criarMenu; }
    void SetCriarMenu(bool criar) { m_criarMenu = criar; }
    bool ControlaDireito() const { return m_controlaDireito; }
    void SetControlaDireito(bool controla) { m_controlaDireito = controla; }

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

    QString m_name;
    QString m_category;
    QString m_caption;
    QString m_hint;
    bool m_mostrarCaption = true;
    QString m_shortCut;
    TnOnExecute m_onExecute;
    int m_imageIndex = -1;
    int m_index = 0;
    int m_tag = 0;
    bool m_separador = false;
    QString m_verificaSelecao;
    bool m_criarHTTP = false;
    bool m_criarMenu = true;
    bool m_controlaDireito = true;

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
