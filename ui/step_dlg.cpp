#include "ui/step_dlg.h"

#include "core/captions.h"
#include "platform/desktop.h"
#include "platform/modal.h"

namespace {

constexpr int kDropBelowTable = 300;

} // namespace

CStepDlg::CStepDlg(const DialogTemplate& layout, QWidget* parent) : TemplateDialog(layout, parent) {}

void CStepDlg::Act(const Verdict& verdict)
{
    using Outcome = Verdict::Outcome;
    switch (verdict.outcome) {
    case Outcome::Accepted:
        outcome = QuestionOutcome::Answered;
        done(IdOk);
        break;
    case Outcome::Retry:
    case Outcome::Refused:
        MessageBox(QString::fromStdString(verdict.message), QString::fromStdString(verdict.caption),
                   MessageBoxIcon::Exclamation, MessageBoxButtons::Ok, this);
        FocusAnswer();
        break;
    case Outcome::Failed:
        outcome = QuestionOutcome::Failed;
        done(0);
        break;
    case Outcome::Aborted:
        outcome = QuestionOutcome::Aborted;
        done(0);
        break;
    }
}

void CStepDlg::Cancel()
{
    outcome = QuestionOutcome::Cancelled;
    done(0);
}

bool CStepDlg::ConfirmStop(QWidget* owner)
{
    return MessageBox(tr("Прервать решение задачи?"), QString::fromStdString(ProgramName()), MessageBoxIcon::Question,
                      MessageBoxButtons::YesNo, owner) == IdYes;
}

void CStepDlg::OnCancel()
{
    if (ConfirmStop(this))
        Cancel();
}

void CStepDlg::showEvent(QShowEvent* event)
{
    TemplateDialog::showEvent(event);
    if (!moved) {
        moved = true;
        MoveWindowWithinScreen(this, 0, kDropBelowTable);
    }
}
