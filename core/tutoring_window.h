#pragma once

#include <string>

#include "core/colorref.h"
#include "core/number_text.h"

// Highlights of a run, as grid cell backgrounds.
constexpr COLORREF PromptColour = RGB(254, 204, 163);    // the cell being asked
constexpr COLORREF ChoiceColour = RGB(199, 178, 153);    // the column being chosen; the key-row grid
constexpr COLORREF CandidateColour = RGB(199, 0, 0);     // the candidate key element

enum class MessageIcon { Information, Question, Exclamation };

// Which element a value question asks for; the numbers are the dialog's modes.
enum class ElementMode { IndexRow = 1, KeyRow = 2, NewTable = 3 };

// How a question ended: a right answer, the student's failure (the run flag is cleared), or
// the numbers of the table outgrew the exact arithmetic (not the student's doing).
enum class QuestionOutcome { Answered, Failed, Aborted };

struct KeyAnswer {
    QuestionOutcome outcome = QuestionOutcome::Failed;
    int number = 0;
};

// The table window and its wizard as a run sees them. The window shows the current table in its
// main grid (row g shows matrix row g - 1, column h matrix column h - 1) and, at the first pivot,
// the key row of the new table in a one-row grid; it puts the questions as modal dialogs.
class TutoringWindow {
public:
    enum class Grid { Main, KeyRow };

    virtual ~TutoringWindow() = default;

    virtual void SetCellText(Grid grid, int row, int column, const std::string& text) = 0;
    virtual void SetCellBackColor(Grid grid, int row, int column, COLORREF colour) = 0;
    virtual COLORREF GetCellBackColor(Grid grid, int row, int column) const = 0;
    virtual void SetFocusCell(Grid grid, int row, int column) = 0;
    virtual void Redraw(Grid grid) = 0;

    // The key-row caption and grid: enabled while the key row is asked. The grid gets `count`
    // columns of the output width, and is cleared at the end of the step.
    virtual void EnableKeyRow(bool enabled) = 0;
    virtual void SetKeyRowColumnCount(int count) = 0;
    virtual void ClearKeyRow() = 0;

    // Shows the current table and its title; the numbers of the first table are "?".
    virtual void FillTable() = 0;
    virtual void TakeSnapshot() = 0;
    // Sets the status line and refreshes the window.
    virtual void SetStatusText(const std::string& text) = 0;
    virtual DisplayMode GetDisplayMode() const = 0;

    // The questions. Each returns once the answer was right or the run ended.
    virtual QuestionOutcome AskBasis(int equation) = 0;
    virtual QuestionOutcome AskElement(ElementMode mode, int row, int column, const std::string& prompt) = 0;
    virtual KeyAnswer AskKeyColumn(int expectedColumn) = 0;
    virtual KeyAnswer AskKeyElement(int column) = 0;
    virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
    virtual void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) = 0;

    // The wizard's run flag and parting routine.
    virtual bool RunActive() const = 0;
    virtual void FailRun() = 0;
};

// The background of an unmarked cell of the main grid, so that a highlight is cleared to what
// the window paints, not to a colour of the run's own. It is read from cell (2, 0), the price of
// the first equation: that cell is marked only while the first table asks for its basis, and
// nothing reads the background then.
inline COLORREF NormalBackground(const TutoringWindow& window)
{
    return window.GetCellBackColor(TutoringWindow::Grid::Main, 2, 0);
}
