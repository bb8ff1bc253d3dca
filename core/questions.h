#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/explanations.h"
#include "core/number_text.h"
#include "core/problem.h"
#include "core/table_state.h"

// The judging behind the three step dialogs. A dialog shows the question, forwards every press of
// OK to Submit and does what the verdict says; wrong answers are counted here, and on the last
// tolerated mistake the judge has the run end itself.

// How a run tutors, as the student set the program up: the display mode of its values, and whether
// a wrong answer's message goes on to explain the mistake.
struct RunOptions {
    DisplayMode displayMode = DisplayMode::CommonFractions;
    bool explainMistakes = true;
};

// What a question may do to its run besides judging.
class QuestionHost {
public:
    virtual ~QuestionHost() = default;

    virtual const RunOptions& Options() const = 0;
    virtual TableState& State() = 0;
    // The window shows the state again.
    virtual void StateChanged() = 0;
    // The student has failed: the reason goes into the status line, then the parting routine.
    virtual void Fail(const std::string& reason) = 0;
};

// Which element a value question asks for.
enum class ElementMode { IndexRow = 1, KeyRow = 2, NewTable = 3 };
struct Verdict {
    enum class Outcome {
        Accepted, // close the dialog with OK
        Retry,    // a counted wrong answer: show the message, stay open
        Refused,  // input that cannot be judged: show the message, stay open, nothing counted
        Failed,   // the run has ended (status line written, parting routine called): close with 0
        Aborted,  // the numbers outgrew the exact arithmetic: close with 0
    };

    Outcome outcome = Outcome::Accepted;
    std::string message; // shown with the exclamation icon and an OK button
    std::string caption;
};

// Which unknown is basic in an equation: one wrong name is forgiven.
class BasisQuestion {
public:
    BasisQuestion(QuestionHost& host, const Problem& problem, int equation);

    std::string Prompt() const;
    int Equation() const { return equation; }
    // The names of the unknowns in their order, for the list.
    std::vector<std::string> Choices() const;
    // `selected` is empty when no name is chosen.
    Verdict Submit(const std::optional<std::string>& selected);

private:
    QuestionHost& host;
    const Problem& problem;
    int equation;
    int attempt = 1;
};

// The value of one table element, typed as a number or an expression: two wrong values are
// forgiven, the third ends the run.
class ElementQuestion {
public:
    // An element of the new table (the key row or another) names the pivot's key element, from
    // which its explanation is built; the table on screen is then the one before the pivot.
    ElementQuestion(QuestionHost& host, const Problem& problem, ElementMode mode, int row, int column,
                    std::optional<KeyElement> key = std::nullopt);

    // What the student is to compute, by the mode.
    std::string Prompt() const;
    // "Ind(c)=" for the index row, "B(i)=" for a right-hand side, "A(i,k)=" otherwise.
    std::string Label() const;
    ElementMode Mode() const { return mode; }
    int Row() const { return row; }
    int Column() const { return column; }
    Verdict Submit(const std::string& typed);

private:
    std::string FailureText() const;
    // Why the typed value is wrong: the rule, or after the second wrong value its numbers.
    std::string Explanation(const TypedValue& typed) const;

    QuestionHost& host;
    const Problem& problem;
    ElementMode mode;
    int row;
    int column;
    std::optional<KeyElement> key;
    int attempt = 1;
};

// The key column or the key element: one wrong choice is forgiven. The table shows the
// choice while the number changes.
class KeyQuestion {
public:
    enum class Mode { Column = 1, Element = 2 };

    // Column mode: `column` is the column the rules expect. Element mode: the accepted key
    // column. `tableNumber` is the number of the table the window shows.
    KeyQuestion(QuestionHost& host, const Problem& problem, Mode mode, int column, int tableNumber);

    Mode GetMode() const { return mode; }
    std::string Label() const;
    std::string Caption() const;
    // The numbers the up-down control offers once the student has touched it, and the only
    // ones judged: 1..RangeMax().
    int RangeMax() const;
    void OnNumberChanged(int number);
    // `number` is empty when the field holds no integer.
    Verdict Submit(const std::optional<int>& number);

    int Column() const { return column; }
    int KeyRow() const { return keyRow; }

private:
    Verdict WrongChoice(int number);
    void MarkColumn(int number);
    void MarkCandidate(int number);

    QuestionHost& host;
    const Problem& problem;
    Mode mode;
    int column;
    int tableNumber;
    int keyRow = 0;
    int attempt = 1;
};
