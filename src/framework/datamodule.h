#pragma once

#include "acoes.h"

#include <QString>

#include <functional>
#include <memory>
#include <vector>

class TnFormulario;

// A label or panel a data module puts on its screen (the status of a row,
// "Cancelado"), described without widgets: the screen shows and follows it.
struct TnRotulo {
    QString Nome;
    QString Texto;
    QString Cor;  // text colour ("#c00000", "red"); empty: the default
    bool Visivel = true;
    bool Painel = false;  // a framed panel instead of a plain label
};

// What every data module is: a named, non-visual owner of datasets and rules
// that the host creates by class name. A form, when there is one, is a view
// of it; module code that touches the form checks that it has one.
//
// The class-level hooks (ChavePrimaria, PegarTipoObjeto, PegarVerificaSelecao,
// GerarPrincAction) are static: the host asks them of a registered class
// without creating it. Derived classes hide them with their own.
class TnDataModule {
public:
    TnDataModule();
    virtual ~TnDataModule();
    TnDataModule(const TnDataModule&) = delete;
    TnDataModule& operator=(const TnDataModule&) = delete;

    // Component name: the class name without the leading "T".
    QString Name;
    virtual QString ClassName() const = 0;

    static QString ChavePrimaria() { return {}; }
    static int PegarTipoObjeto() { return 0; }
    static QString PegarVerificaSelecao() { return {}; }
    static void GerarPrincAction(TnActionList&, const TnOnExecute&, const TnModulos&) {}

    // What the opener asked for ("Individual": one new row), given at creation.
    QString Argumento;

    // Life, in the order the host calls it.
    virtual void DataModuleCreate() {}
    // Gets ready to be shown: a register opens its dataset.
    virtual void Preparar() {}
    virtual void DepoisConfigurar(TnFormulario* formulario);
    virtual void DataModuleDestroy() {}

    TnFormulario* Formulario() const { return m_formulario; }
    void SetFormulario(TnFormulario* formulario) { m_formulario = formulario; }

    // The host's alternate-origin flag: rows typed here get ORIGEMDADO 3.
    bool OrigemAlternativa = false;
    int OrigemDado() const { return OrigemAlternativa ? 3 : 2; }

    // Buttons the module adds to its form's tool bar (views build them).
    TnActionList& ToolButtons() { return m_botoes; }
    // Labels and panels the module adds to its form; change them at will,
    // the screen reads them again whenever it refreshes.
    TnRotulo& CriarRotulo(const QString& nome, const QString& texto = {}, bool painel = false);
    TnRotulo* Rotulo(const QString& nome);
    const std::vector<std::unique_ptr<TnRotulo>>& Rotulos() const { return m_rotulos; }
    // `imagem` numbers a picture of the host's image list (-1: none);
    // `mostrarCaption` false shows the button as its icon alone.
    TnAction& CriarToolButton(const QString& caption, const QString& hint, int imagem, const TnOnExecute& acao,
                              const QString& atalho = {}, bool mostrarCaption = true);

private:
    TnFormulario* m_formulario = nullptr;
    TnActionList m_botoes;
    std::vector<std::unique_ptr<TnRotulo>> m_rotulos;
};

// Declares the class name of a data module class for the registry and for
// ClassName(); used once in each class body.
#define LYR_DATAMODULE(Classe)                                                  \
public:                                                                         \
    static QString NomeDaClasse() { return QStringLiteral(#Classe); }           \
    QString ClassName() const override { return NomeDaClasse(); }              \
                                                                                \
private:
