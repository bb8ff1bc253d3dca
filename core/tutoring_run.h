#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/problem.h"
#include "core/questions.h"
#include "core/simplex.h"
#include "core/table_state.h"
#include "core/tutoring_window.h"

// One tutoring run in one table window: the student completes the first table, then decides at
// every step whether to go on, chooses the key column and the key element, and at the first
// pivot computes the key row and some elements of the new table.
class TutoringRun : public QuestionHost {
public:
    // How a run ended.
    enum class Ending { None, Success, Unbounded, Infeasible, Failed, Overflow, Cancelled };

    TutoringRun(TutoringWindow& window, Problem& problem, RunOptions options);

    // Computes the first table and shows it with its "?"; false when memory ran out before the
    // table was complete, which the run then reports instead of asking.
    bool OpenFirstTable();

    // The whole run; returns when it has ended. The window stays with its last table.
    void RunTutoring();

    // The numbers outgrew the memory that holds them exactly, which is not the student's failure:
    // the status line and a message say so. Also for a window that cannot even show its first table.
    void ReportOverflow();

    const TableState& GetState() const { return state; }
    // The problem as its first table stood, for the program's own solution once the run has ended.
    const Problem& FirstTable() const { return *firstTable; }
    Ending GetEnding() const { return ending; }
    // The number of the table the run is working towards: the one shown while it is completed,
    // the next one once it is.
    int TableNumber() const { return tableNumber; }
    // Indices (n + 1)(i - 1) + (c - 1) of the new-table elements asked or excluded at the first
    // pivot, the index rows' among them.
    const std::vector<uint32_t>& AskedElements() const { return askedElements; }

    // The questions' side of the run.
    const RunOptions& Options() const override { return options; }
    TableState& State() override { return state; }
    void StateChanged() override;
    void Fail(const std::string& reason) override;

private:
    void CompleteFirstTable();
    void AskBasisOf(int equation);
    void AskIndexRowElement(int row, int column);
    // One step; false when the run has ended.
    bool Step();
    void BuildNextTable(StepStatus status);
    void ShowNewTable();
    void CompleteTable();
    // Records the basis of the table just shown; the number of the latest earlier table with the
    // same basic unknowns, 0 when there is none.
    int RememberBasis();
    // `lowestNumbers`: the step took the choice that cannot cycle.
    void TellOfRepeatedBasis(StepStatus status, int earlierTable, bool lowestNumbers);
    void AskKeyRowAndElements(int keyRow, int column);
    void AskKeyRow(int keyRow, int column);
    void AskRandomElements(KeyElement key);
    void WrongDecision(const std::string& message, StepStatus status);
    void Succeed();
    void EndUnbounded();
    void EndInfeasible();

    // Goes on after a right answer; any other outcome ends the run, by an exception that
    // RunTutoring catches.
    void Check(QuestionOutcome outcome);

    TutoringWindow& window;
    Problem& problem;
    RunOptions options;
    // Kept apart from the problem, which the run changes table by table; on the heap, as the
    // window that owns the run may live on the stack.
    std::unique_ptr<Problem> firstTable;
    TableState state;
    int tableNumber = 1;
    Ending ending = Ending::None;
    std::vector<uint32_t> askedElements;
    bool firstPivotDone = false;
    // tableBases[k - 1]: the basic unknowns of table k, sorted.
    std::vector<std::vector<int>> tableBases;
    bool cycleReported = false;
};
