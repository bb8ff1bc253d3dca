#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/problem.h"

// Every check of what the student typed into the entry wizard, and the conversion of the
// accepted texts into a Problem. No widgets here: the wizard copies its texts in and shows
// what comes back.

// "Введите допустимые значения" when m or n lies outside 1..100.
std::optional<std::string> CheckSizes(int equationCount, int unknownCount);

// The first `count` characters of UTF-8 text (characters, not bytes).
std::string FirstCharacters(const std::string& text, int count);

// Leaving the names page forward: names 1..n cut to three characters, then the designation.
struct NamesVerdict {
    // Names 1..n as far as they were taken (entry 0 unused): on a failure, the names before the
    // empty one keep their new values.
    std::vector<std::string> names;
    int takenCount = 0;
    std::optional<std::string> message;
};
NamesVerdict CheckNames(const std::vector<std::string>& typedNames, const std::string& designation);

// The texts behind "Начать".
struct EntryTexts {
    int equationCount = 0;
    int unknownCount = 0;
    // coefficients[i][k]: unknown k's coefficient in equation i, both counted from 1.
    std::vector<std::vector<std::string>> coefficients;
    // rightHandSides[i] and signs[i]: equation i's, counted from 1. The signs are read only for
    // a general problem.
    std::vector<std::string> rightHandSides;
    std::vector<std::string> signs;
    // The free term at 0, unknown k's coefficient at k.
    std::vector<std::string> objective;
    std::string sense; // "Max" or "Min"
    // The general problem: the signs are read, and the program brings the problem to the
    // canonical form itself (canonical_form.h).
    bool general = false;
    std::vector<std::string> unknownNames; // entries 1..n
    std::string functionName;

    // Every text empty, the lists sized for m equations and n unknowns.
    static EntryTexts OfSize(int m, int n);
};

// A cell of the entry, by what it holds.
struct EntryField {
    enum class Kind { None, Coefficient, Sign, RightHandSide, FreeTerm, ObjectiveCoefficient };

    Kind kind = Kind::None;
    int equation = 0;
    int unknown = 0;

    friend bool operator==(const EntryField&, const EntryField&) = default;
};

// What the wizard does after a press of "Начать".
struct EntryVerdict {
    enum class Action {
        ShowMessage, // an uncounted failure: the message, then the focus cell
        Warn,        // a counted failure below the limit: the message
        FailRun,     // the third counted failure: the reason, hide the buttons, the parting routine
        StartRun,    // every check passed: the problem is filled
    };
    Action action = Action::StartRun;
    std::string message; // caption "Ошибка ввода", exclamation icon
    EntryField focus;   // the cell that takes the focus after the message
    std::string reason; // the text of the reason line, for FailRun
    // StartRun of a general problem: what bringing it to the canonical form did, a line per
    // equation; empty when nothing was done.
    std::vector<std::string> conversion;
};

// Runs the checks in their order and counts the failures of the sign and canonical-form
// checks across presses: two warnings, then the end of all runs. A general problem has no such
// failures: the program brings it to the canonical form.
class EntryChecker {
public:
    EntryVerdict Check(const EntryTexts& texts, Problem& problem);
    int EntryFailures() const { return entryFailures; }

private:
    EntryVerdict CountedFailure(const std::string& reason);
    EntryVerdict StartGeneralProblem(const EntryTexts& texts, Problem& problem);

    int entryFailures = 0;
};

// The steps of the check, in the order Check runs them.
std::optional<EntryVerdict> CheckCellFormats(const EntryTexts& texts);
// The number of the first equation with a negative right-hand side, or 0.
int FindNegativeRightHandSide(const EntryTexts& texts);
void BuildProblem(const EntryTexts& texts, Problem& problem);
// Sets the basis of every equation to its last unit column; false when some equation has none.
bool CheckCanonical(Problem& problem);
void ApplyObjectiveSense(const EntryTexts& texts, Problem& problem);
