#pragma once

#include <QString>

#include <functional>

// Runs what a user's gesture asked for and shows what went wrong the way the
// office expects: nothing for an abort, the message beside the field for a
// field error (the form is asked to focus it), a message box otherwise.
// Answers whether it ran to the end.
bool AcaoSegura(const std::function<void()>& acao, const std::function<void(const QString& campo)>& focarCampo = {});
