#pragma once

struct TnQuestionario;
class QWidget;

// Shows a questionnaire as a dialog: a text with options is an editable list,
// a text a line (masked for passwords), a yes/no a check box, an integer a spin box, a date or a date and time an editor
// with its calendar; a field's description follows its value. Confirming runs
// the questionnaire's check: a refusal is shown and the cursor goes to the
// field named. True when confirmed, with the answers in the questionnaire;
// false when cancelled, leaving it as it was.
bool DialogoQuestionario(TnQuestionario& questionario, QWidget* pai = nullptr);
