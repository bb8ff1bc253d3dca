#pragma once

#include "core/questions.h"
#include "core/tutoring_window.h"
#include "platform/template_dialog.h"

// The common ground of the three question dialogs of a run. A question can be left only through
// a right answer, through the end of the run, or by stopping the run: Escape and the close box
// ask whether to stop. Each dialog opens 300 pixels below where it would stand, so that the
// table stays in sight, and the table may be scrolled while it is open.
class CStepDlg : public TemplateDialog {
    Q_OBJECT

public:
    // How the question ended, once the dialog has closed.
    QuestionOutcome Outcome() const { return outcome; }
    // The student chose to stop the run: the dialog closes with the question unanswered.
    void Cancel();

    // "Прервать решение задачи?": true when the student says yes.
    static bool ConfirmStop(QWidget* owner);

protected:
    CStepDlg(const DialogTemplate& layout, QWidget* parent);

    // Does what the judge decided: close with OK, show the message and stay, or close with 0.
    void Act(const Verdict& verdict);
    // After a message the dialog stays open; the answer's field takes the focus again.
    virtual void FocusAnswer() {}

    void OnCancel() override;
    void showEvent(QShowEvent* event) override;

private:
    QuestionOutcome outcome = QuestionOutcome::Failed;
    bool moved = false;
};
