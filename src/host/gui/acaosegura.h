#pragma once

#include <QApplication>
#include <QString>

#include <functional>

// Runs what a user's gesture asked for and shows what went wrong the way the
// office expects: nothing for an abort, the message beside the field for a
// field error (the form is asked to focus it), a message box otherwise.
// Answers whether it ran to the end.
bool AcaoSegura(const std::function<void()>& acao, const std::function<void(const QString& campo)>& focarCampo = {});

// The hourglass while a gesture runs; restored before its error is shown.
class TnCursorEspera {
public:
    TnCursorEspera() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TnCursorEspera() { QApplication::restoreOverrideCursor(); }
    TnCursorEspera(const TnCursorEspera&) = delete;
    TnCursorEspera& operator=(const TnCursorEspera&) = delete;
};
