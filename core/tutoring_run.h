#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/problem.h"
#include "core/simplex.h"
#include "core/tutoring_window.h"

// One tutoring run in one table window: the student completes the first table, then decides at
// every step whether to go on, chooses the key column and the key element, and at the first
// pivot computes the key row and some elements of the new table.
class TutoringRun {
public:
    TutoringRun(TutoringWindow& window, Problem& problem);

    // The whole run; returns when it has ended. The window stays with its last table.
    void RunTutoring();

    // The numbers outgrew the memory that holds them exactly, which is not the student's failure:
    // the status line and a message say so. Also for a window that cannot even show its first table.
    void ReportOverflow();

    // The number of the table the window shows (1 for the first table).
    int TableNumber() const { return tableNumber; }
    // Indices (n + 1)(i - 1) + (c - 1) of the new-table elements asked or excluded at the first pivot.
    const std::vector<uint32_t>& AskedElements() const { return askedElements; }

private:
    void CompleteFirstTable();
    // One step; false when the run has ended with success.
    bool Step();
    void BuildNextTable(StepStatus status);
    void ShowNewTable();
    // Records the basis of the table just shown; the number of the latest earlier table with the
    // same basic unknowns, 0 when there is none.
    int RememberBasis();
    // `lowestNumbers`: the step took the choice that cannot cycle.
    void TellOfRepeatedBasis(StepStatus status, int earlierTable, bool lowestNumbers);
    void AskKeyRowAndElements(int keyRow, int column);
    void AskKeyRow(int keyRow, int column);
    void AskRandomElements();
    void WrongDecision(const char* message);
    void Succeed();

    // Throws when a question reports that the numbers outgrew the exact arithmetic.
    void Check(QuestionOutcome outcome);

    std::string ValueText(const TableValue& value) const;

    TutoringWindow& window;
    Problem& problem;
    int tableNumber = 1;
    std::vector<uint32_t> askedElements;
    bool firstPivotDone = false;
    // tableBases[k - 1]: the basic unknowns of table k, sorted.
    std::vector<std::vector<int>> tableBases;
    bool cycleReported = false;
};
