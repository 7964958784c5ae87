#pragma once

#include <QLibrary>
#include <QString>

// A module package loaded at run time: a shared library exporting
// "<Nome>Inicializar" and "<Nome>Finalizar" (C linkage, no arguments), which
// register and withdraw its classes with the host in force. Its life is
// explicit: loaded and initialised by Carregar, finalised and unloaded by
// Descarregar (or when the object goes).
class TnPacote {
public:
    enum class Estado { Descarregado, Carregado, Inicializado, Falhou };

    TnPacote(QString nome, QString arquivo);
    ~TnPacote();
    TnPacote(const TnPacote&) = delete;
    TnPacote& operator=(const TnPacote&) = delete;

    // Raises EnErro naming the package and the reason when it cannot be used.
    void Carregar();
    void Descarregar();

    Estado EstadoAtual() const { return m_estado; }
    const QString& Nome() const { return m_nome; }

private:
    QString m_nome;
    QLibrary m_biblioteca;
    Estado m_estado = Estado::Descarregado;
};
