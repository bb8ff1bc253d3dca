#pragma once

#include <string>

#include "core/table_state.h"

class BasisQuestion;
class ElementQuestion;
class KeyQuestion;

enum class MessageIcon { Information, Question, Exclamation };

// How a question ended: a right answer, the student's failure (the run has been ended), the
// numbers of the table outgrew the exact arithmetic (not the student's doing), or the student
// chose to stop solving.
enum class QuestionOutcome { Answered, Failed, Aborted, Cancelled };

// The table window and its wizard as a run sees them: the window shows the run's state, puts the
// questions as modal dialogs and the messages as message boxes.
class TutoringWindow {
public:
    virtual ~TutoringWindow() = default;

    // The state has changed: the window shows it.
    virtual void ShowState(const TableState& state) = 0;

    // The questions. Each returns once the answer was right or the run ended.
    virtual QuestionOutcome AskBasis(BasisQuestion& question) = 0;
    virtual QuestionOutcome AskElement(ElementQuestion& question) = 0;
    virtual QuestionOutcome AskKey(KeyQuestion& question) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

    // The wizard's parting routine after the student has failed.
    virtual void FailRun() = 0;
};
