#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/questions.h"
#include "core/simplex.h"
#include "core/table_state.h"
#include "core/tutoring_run.h"

// The table's own places, short.
constexpr int Price = TablePlace::PriceColumn;
constexpr int Basis = TablePlace::BasisColumn;
constexpr int Headings = TablePlace::HeadingRow;

// A table window without widgets, and a scripted student who answers its questions through the
// same judges as the dialogs. Unless told otherwise the student answers right; queued answers
// are given first, one per press of OK. What the window shows is the run's state, read in the
// table's own terms.
class FakeTutoringWindow : public TutoringWindow {
public:
    struct Event {
        std::string kind; // "basis", "element", "key column", "key element", "yes/no", "message", "fail"
        std::string text;
        std::string caption;
        int row = 0;
        int column = 0;
        MessageIcon icon = MessageIcon::Exclamation;
    };

    // Unless a test asks for explanations, messages are the judges' first lines alone.
    explicit FakeTutoringWindow(Problem& problem, RunOptions options = {DisplayMode::CommonFractions, false})
        : problem(problem), run(*this, problem, options), displayMode(options.displayMode)
    {
        run.OpenFirstTable();
    }

    // The scripted answers, consumed before the right answer is given.
    std::deque<std::optional<std::string>> basisAnswers;
    std::deque<std::string> elementAnswers;
    std::deque<std::optional<int>> keyColumnAnswers;
    std::deque<std::optional<int>> keyElementAnswers;
    std::deque<bool> decisions;
    // The student's own way of choosing, used instead of the right answer once the queue is spent:
    // the key column from the table, the key row from the table and the accepted column.
    std::function<int(const Problem&)> chooseKeyColumn;
    std::function<int(const Problem&, int column)> chooseKeyRow;
    // Called with every question before it is answered, to look at the window as the student does.
    std::function<void(const Event&)> onQuestion;

    Problem& problem;
    TutoringRun run;
    std::vector<Event> events;
    bool runActive = true;
    int statesShown = 0;
    DisplayMode displayMode;

    const TableState& State() const { return run.GetState(); }
    const std::string& Status() const { return State().status; }
    std::string Shown(TablePlace place) const { return CellText(State().table.At(place), displayMode); }
    CellMark MarkAt(TablePlace place) const { return State().table.At(place).mark; }
    bool KeyRowShown() const { return !State().keyRow.Empty(); }
    std::string KeyRowText(int column) const
    {
        return KeyRowShown() ? CellText(State().keyRow.At(column), displayMode) : "";
    }
    CellMark KeyRowMark(int column) const { return State().keyRow.At(column).mark; }
    const std::vector<TableView>& Snapshots() const { return State().completedTables; }
    std::string SnapshotText(size_t table, TablePlace place) const
    {
        return CellText(Snapshots().at(table).At(place), displayMode);
    }

    std::vector<Event> EventsOf(const std::string& kind) const
    {
        std::vector<Event> found;
        for (const auto& e : events)
            if (e.kind == kind)
                found.push_back(e);
        return found;
    }

    void ShowState(const TableState&) override { ++statesShown; }

    QuestionOutcome AskBasis(BasisQuestion& question) override
    {
        const int equation = question.Equation();
        Notify({"basis", "", "", equation, 0});
        return Answer([&] {
            std::optional<std::string> answer = problem.unknownNames[problem.basis[equation]];
            if (!basisAnswers.empty()) {
                answer = basisAnswers.front();
                basisAnswers.pop_front();
            }
            return question.Submit(answer);
        });
    }

    QuestionOutcome AskElement(ElementQuestion& question) override
    {
        const int row = question.Row();
        const int column = question.Column();
        Notify({"element", question.Prompt(), std::to_string(static_cast<int>(question.Mode())), row, column});
        return Answer([&] {
            std::string answer = ToText(problem.DisplayValue(row, column));
            if (!elementAnswers.empty()) {
                answer = elementAnswers.front();
                elementAnswers.pop_front();
            }
            return question.Submit(answer);
        });
    }

    QuestionOutcome AskKey(KeyQuestion& question) override
    {
        return question.GetMode() == KeyQuestion::Mode::Column ? AskKeyColumn(question) : AskKeyElement(question);
    }

    QuestionOutcome AskKeyColumn(KeyQuestion& question)
    {
        const int expectedColumn = question.Column();
        Notify({"key column", "", "", 0, expectedColumn});
        return Answer([&] {
            std::optional<int> answer = chooseKeyColumn ? chooseKeyColumn(problem) : expectedColumn;
            if (!keyColumnAnswers.empty()) {
                answer = keyColumnAnswers.front();
                keyColumnAnswers.pop_front();
            }
            if (answer)
                question.OnNumberChanged(*answer);
            return question.Submit(answer);
        });
    }

    QuestionOutcome AskKeyElement(KeyQuestion& question)
    {
        const int column = question.Column();
        Notify({"key element", "", "", 0, column});
        return Answer([&] {
            std::optional<int> answer = chooseKeyRow ? chooseKeyRow(problem, column) : FindKeyRow(problem, column);
            if (!keyElementAnswers.empty()) {
                answer = keyElementAnswers.front();
                keyElementAnswers.pop_front();
            }
            if (answer)
                question.OnNumberChanged(*answer);
            return question.Submit(answer);
        });
    }

    bool AskYesNo(const std::string& text, const std::string& caption) override
    {
        Notify({"yes/no", text, caption});
        if (!decisions.empty()) {
            bool yes = decisions.front();
            decisions.pop_front();
            return yes;
        }
        StepStatus status = ClassifyTable(problem);
        return status == StepStatus::Continue && !HasBlockedColumn(problem);
    }

    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override
    {
        events.push_back({"message", text, caption, 0, 0, icon});
    }

    void FailRun() override
    {
        events.push_back({"fail", "", ""});
        runActive = false;
    }

private:
    void Notify(const Event& event)
    {
        events.push_back(event);
        if (onQuestion)
            onQuestion(event);
    }

    // Presses OK until the dialog would close; the messages it would show are recorded.
    QuestionOutcome Answer(const std::function<Verdict()>& press)
    {
        for (int presses = 0; presses < 100; ++presses) {
            Verdict verdict = press();
            switch (verdict.outcome) {
            case Verdict::Outcome::Accepted:
                return QuestionOutcome::Answered;
            case Verdict::Outcome::Failed:
                return QuestionOutcome::Failed;
            case Verdict::Outcome::Aborted:
                return QuestionOutcome::Aborted;
            case Verdict::Outcome::Retry:
            case Verdict::Outcome::Refused:
                events.push_back({"message", verdict.message, verdict.caption});
                break;
            }
        }
        events.push_back({"stuck", "", ""});
        return QuestionOutcome::Failed;
    }
};
