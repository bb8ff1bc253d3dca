#pragma once

#include <QFont>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <vector>

#include "core/solution.h"
#include "core/tutoring_run.h"
#include "core/tutoring_window.h"
#include "platform/template_dialog.h"
#include "ui/layout_anchor.h"
#include "ui/picture_wnd.h"
#include "ui/table_grids.h"
#include "ui/run_owner.h"
#include "ui/step_dlg.h"

class CGridCtrl;

// "Результаты": the window in which a run takes place. It shows the current table in the main
// grid and, at the first pivot, the key row of the new table in a one-row grid; it carries the
// table's title and a status line. The run starts by itself shortly after the window appears,
// and the window stays open with its last table until the student closes it; from then on
// "Решение" shows the program's own solution, and the report carries it too.
class CTableDlg : public TemplateDialog, public TutoringWindow {
    Q_OBJECT

public:
    enum ControlId : int {
        IDC_MAIN_GRID = 1012,
        IDC_REPORT = 1027,
        IDC_TITLE = 1038,
        IDC_KEY_ROW_GRID = 1047,
        IDC_KEY_ROW_CAPTION = 1048,
        IDC_STATUS = 1051,
        IDC_PICTURE = 1060,
        IDC_SOLUTION = 1065,
    };

    explicit CTableDlg(RunOwner& owner, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

    CGridCtrl* MainGrid() const;
    CGridCtrl* KeyRowGrid() const;
    const TableState& State() const { return run.GetState(); }
    TutoringRun& Run() { return run; }
    // The texts of every completed table of the run, as the main grid showed them.
    std::vector<TableSnapshot> Snapshots() const;
    // The sheets of a report: the run's tables, and once it has ended the program's own solution.
    std::vector<ReportSheet> ReportSheets();
    int TableNumber() const { return run.TableNumber(); }
    // True once the run has ended (or could not start); from then on the window may be closed.
    bool RunEnded() const { return runEnded; }
    // The picture of the path, for a problem with two free unknowns; nullptr for any other.
    CPictureWnd* Picture() const { return picture; }

    // The run's side of the window.
    void ShowState(const TableState& state) override;
    QuestionOutcome AskBasis(BasisQuestion& question) override;
    QuestionOutcome AskElement(ElementQuestion& question) override;
    QuestionOutcome AskKey(KeyQuestion& question) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    void FailRun() override;

protected:
    void OnInitDialog() override;
    void OnSize() override;
    // "Вывод результатов" writes the tables so far into a spreadsheet; "График" shows the picture.
    void OnCommand(int id) override;
    // Enter, Escape and the close box close the window once the run has ended; before that,
    // Escape and the close box offer to stop the run.
    void OnOK() override;
    void OnCancel() override;

private:
    void OnTimer();
    void OnRunEnded();
    // The program's own solution of the problem, worked out once; none when memory ran out.
    const Solution* ProgramSolution();
    void ShowSolution();
    template <class Dialog, class Question>
    QuestionOutcome Ask(Question& question);
    void OnReport();

    RunOwner& owner;
    Problem& problem;
    TableGrids grids;
    TutoringRun run;
    CLayoutAnchor anchor;
    QTimer startTimer;
    QFont statusFont;
    CPictureWnd* picture = nullptr;
    // Memory ran out before the first table was complete: the timer reports instead of running.
    bool firstTableIncomplete = false;
    bool runEnded = false;
    std::optional<Solution> solution;
    // The question open over the window, if any.
    QPointer<CStepDlg> openQuestion;
};
