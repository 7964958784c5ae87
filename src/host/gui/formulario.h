#pragma once

#include <QWidget>

class TnDataModule;

// A screen of a data module: the desktop's view of it. Data modules reach
// their form only through this (in DepoisConfigurar) and check they have one.
class TnFormulario : public QWidget {
    Q_OBJECT
public:
    TnFormulario(TnDataModule& dataModule, QWidget* pai = nullptr) : QWidget(pai), m_dataModule(dataModule) {}

    TnDataModule& DataModule() const { return m_dataModule; }
    // Puts the focus on the control of a field or parameter (after an error).
    virtual void FocarCampo(const QString& nome) { Q_UNUSED(nome); }
    // May the screen close now? (Unsaved work is asked about.)
    virtual bool PodeFechar() { return true; }

private:
    TnDataModule& m_dataModule;
};
