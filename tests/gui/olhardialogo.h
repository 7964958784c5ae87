#pragma once

#include <QApplication>
#include <QDialog>
#include <QTimer>

#include <functional>

// Runs `olhar` once on the modal dialog the code under test opens, as soon
// as it is up: for dialogs that come after work of their own (a
// consultation read from the database). Lives as long as the test's scope.
class TnOlharDialogo {
public:
    explicit TnOlharDialogo(std::function<void(QDialog&)> olhar) : m_olhar(std::move(olhar))
    {
        m_relogio.setInterval(10);
        QObject::connect(&m_relogio, &QTimer::timeout, [this] {
            auto* dialogo = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dialogo)
                return;
            m_relogio.stop();
            m_olhar(*dialogo);
        });
        m_relogio.start();
    }

private:
    std::function<void(QDialog&)> m_olhar;
    QTimer m_relogio;
};
