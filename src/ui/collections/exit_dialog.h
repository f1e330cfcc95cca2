#pragma once

#include "core/collections/exit_decision.h"

#include <QDialog>

class QRadioButton;

namespace pelto::ui {

// The exit prompt: save the open pages for the next start, or not, and what to do at the
// following exits.
class TfrmExit : public QDialog {
    Q_OBJECT
public:
    // Opens centred on the monitor that holds the stored window position.
    TfrmExit(int storedLeft, int storedTop, QWidget* parent = nullptr);

    // Shows the prompt and returns how it was closed, with the choice of its radio buttons.
    core::ExitPromptAnswer ask();
    core::ActionWhenExit selected() const;
    void select(core::ActionWhenExit choice);
    // Ends the prompt as its buttons do.
    void answer(core::ExitPromptAnswer answer);

private:
    core::ExitPromptAnswer m_answer = core::ExitPromptAnswer::Cancel;
    QRadioButton* m_prompt = nullptr;
    QRadioButton* m_save = nullptr;
    QRadioButton* m_exitDirectly = nullptr;
};

}  // namespace pelto::ui
