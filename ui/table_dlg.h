#pragma once

#include <QFont>
#include <QString>
#include <QTimer>

#include <vector>

#include "core/table_layout.h"
#include "core/tutoring_run.h"
#include "core/tutoring_window.h"
#include "platform/template_dialog.h"
#include "ui/layout_anchor.h"
#include "ui/run_owner.h"

class CGridCtrl;

// "Результаты": the window in which a run takes place. It shows the current table in the main
// grid and, at the first pivot, the key row of the new table in a one-row grid; it carries the
// table's title and a status line. The run starts by itself shortly after the window appears,
// and the window stays open with its last table until the student closes it.
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
    };

    explicit CTableDlg(RunOwner& owner, QWidget* parent = nullptr);

    static const DialogTemplate& Template();

    CGridCtrl* MainGrid() const;
    CGridCtrl* KeyRowGrid() const;
    const std::vector<TableSnapshot>& Snapshots() const { return snapshots; }
    int TableNumber() const { return run.TableNumber(); }
    // True once the run has ended (or could not start); from then on the window may be closed.
    bool RunEnded() const { return runEnded; }

    // The run's side of the window.
    void SetCellText(Grid grid, int row, int column, const std::string& text) override;
    void SetCellBackColor(Grid grid, int row, int column, COLORREF colour) override;
    COLORREF GetCellBackColor(Grid grid, int row, int column) const override;
    void SetFocusCell(Grid grid, int row, int column) override;
    void Redraw(Grid grid) override;
    void EnableKeyRow(bool enabled) override;
    void SetKeyRowColumnCount(int count) override;
    void ClearKeyRow() override;
    void FillTable() override;
    void TakeSnapshot() override;
    void SetStatusText(const std::string& text) override;
    DisplayMode GetDisplayMode() const override;
    QuestionOutcome AskBasis(int equation) override;
    QuestionOutcome AskElement(ElementMode mode, int row, int column, const std::string& prompt) override;
    KeyAnswer AskKeyColumn(int expectedColumn) override;
    KeyAnswer AskKeyElement(int column) override;
    bool AskYesNo(const std::string& text, const std::string& caption) override;
    void ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon) override;
    bool RunActive() const override;
    void FailRun() override;

protected:
    void OnInitDialog() override;
    void OnSize() override;
    // "Вывод результатов" writes the tables so far into a spreadsheet.
    void OnCommand(int id) override;
    // Enter, Escape and the close box close the window once the run has ended.
    void OnOK() override;
    void OnCancel() override;

private:
    void SetUpGrids();
    void OnTimer();
    void OnReport();
    CGridCtrl* GridOf(Grid grid) const;
    // The title and the status line reach their statics.
    void RefreshFromData();

    RunOwner& owner;
    Problem& problem;
    TutoringRun run;
    CLayoutAnchor anchor;
    QTimer startTimer;
    QFont statusFont;
    QString titleText;
    QString statusText;
    std::vector<TableSnapshot> snapshots;
    // Memory ran out before the first table was complete: the timer reports instead of running.
    bool firstTableIncomplete = false;
    bool runEnded = false;
};
