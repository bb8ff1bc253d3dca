#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/number_text.h"
#include "core/questions.h"
#include "core/simplex.h"
#include "core/table_layout.h"
#include "core/tutoring_run.h"

// A table window without widgets, and a scripted student who answers its questions through the
// same judges as the dialogs. Unless told otherwise the student answers right; queued answers
// are given first, one per press of OK.
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
    using Texts = std::map<std::pair<int, int>, std::string>;

    explicit FakeTutoringWindow(Problem& problem) : problem(problem), run(*this, problem)
    {
        problem.ComputeIndexRow();
        WriteTableHeaders(*this, problem, displayMode);
        FillTable();
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
    std::map<Grid, Texts> texts;
    std::map<Grid, std::map<std::pair<int, int>, COLORREF>> colours;
    std::pair<int, int> mainFocus{-1, -1};
    std::vector<Texts> snapshots;
    std::vector<Event> events;
    std::string status;
    bool runActive = true;
    bool keyRowEnabled = false;
    int keyRowColumns = 0;
    DisplayMode displayMode = DisplayMode::CommonFractions;

    std::string Text(Grid grid, int row, int column) const
    {
        auto cells = texts.find(grid);
        if (cells == texts.end())
            return "";
        auto cell = cells->second.find({row, column});
        return cell == cells->second.end() ? "" : cell->second;
    }

    std::vector<Event> EventsOf(const std::string& kind) const
    {
        std::vector<Event> found;
        for (const auto& e : events)
            if (e.kind == kind)
                found.push_back(e);
        return found;
    }

    void SetCellText(Grid grid, int row, int column, const std::string& text) override
    {
        texts[grid][{row, column}] = text;
    }
    void SetCellBackColor(Grid grid, int row, int column, COLORREF colour) override
    {
        colours[grid][{row, column}] = colour;
    }
    COLORREF GetCellBackColor(Grid grid, int row, int column) const override
    {
        auto cells = colours.find(grid);
        if (cells == colours.end())
            return CLR_DEFAULT;
        auto cell = cells->second.find({row, column});
        return cell == cells->second.end() ? CLR_DEFAULT : cell->second;
    }
    void SetFocusCell(Grid grid, int row, int column) override
    {
        if (grid == Grid::Main)
            mainFocus = {row, column};
    }
    void Redraw(Grid) override {}
    void EnableKeyRow(bool enabled) override { keyRowEnabled = enabled; }
    void SetKeyRowColumnCount(int count) override { keyRowColumns = count; }
    void ClearKeyRow() override
    {
        texts[Grid::KeyRow].clear();
        colours[Grid::KeyRow].clear();
        keyRowColumns = 0;
    }
    void FillTable() override { WriteTableBody(*this, problem, run.TableNumber(), displayMode); }
    void TakeSnapshot() override { snapshots.push_back(texts[Grid::Main]); }
    void SetStatusText(const std::string& text) override { status = text; }
    DisplayMode GetDisplayMode() const override { return displayMode; }

    QuestionOutcome AskBasis(int equation) override
    {
        Notify({"basis", "", "", equation, 0});
        BasisQuestion question(*this, problem, equation);
        return Answer([&] {
            std::optional<std::string> answer = problem.unknownNames[problem.basis[equation]];
            if (!basisAnswers.empty()) {
                answer = basisAnswers.front();
                basisAnswers.pop_front();
            }
            return question.Submit(answer);
        });
    }

    QuestionOutcome AskElement(ElementMode mode, int row, int column, const std::string& prompt) override
    {
        Notify({"element", prompt, std::to_string(static_cast<int>(mode)), row, column});
        ElementQuestion question(*this, problem, mode, row, column);
        return Answer([&] {
            std::string answer = ToText(problem.DisplayValue(row, column));
            if (!elementAnswers.empty()) {
                answer = elementAnswers.front();
                elementAnswers.pop_front();
            }
            return question.Submit(answer);
        });
    }

    KeyAnswer AskKeyColumn(int expectedColumn) override
    {
        Notify({"key column", "", "", 0, expectedColumn});
        KeyQuestion question(*this, problem, KeyQuestion::Mode::Column, expectedColumn, run.TableNumber());
        QuestionOutcome outcome = Answer([&] {
            std::optional<int> answer = chooseKeyColumn ? chooseKeyColumn(problem) : expectedColumn;
            if (!keyColumnAnswers.empty()) {
                answer = keyColumnAnswers.front();
                keyColumnAnswers.pop_front();
            }
            if (answer)
                question.OnNumberChanged(*answer);
            return question.Submit(answer);
        });
        return {outcome, question.Column()};
    }

    KeyAnswer AskKeyElement(int column) override
    {
        Notify({"key element", "", "", 0, column});
        KeyQuestion question(*this, problem, KeyQuestion::Mode::Element, column, run.TableNumber());
        QuestionOutcome outcome = Answer([&] {
            std::optional<int> answer = chooseKeyRow ? chooseKeyRow(problem, column) : FindKeyRow(problem, column);
            if (!keyElementAnswers.empty()) {
                answer = keyElementAnswers.front();
                keyElementAnswers.pop_front();
            }
            if (answer)
                question.OnNumberChanged(*answer);
            return question.Submit(answer);
        });
        return {outcome, question.KeyRow()};
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

    bool RunActive() const override { return runActive; }
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
