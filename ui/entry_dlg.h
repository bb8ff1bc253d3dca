#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "core/entry_checks.h"
#include "core/problem.h"
#include "platform/template_dialog.h"
#include "ui/run_owner.h"
#include "ui/settings_dlg.h"
#include "ui/table_places.h"

class CGridCtrl;
class QDragEnterEvent;
class QDropEvent;

// The program's main window: a wizard of six pages in one dialog (about, two instruction pages,
// the sizes, the names, the matrix with the objective). "Начать" checks the entered problem and
// starts a run in the table window. The wizard owns the problem, the display settings and the
// run flag.
class CEntryDlg : public TemplateDialog, public RunOwner {
    Q_OBJECT

public:
    // The controls of the wizard's table, and the settings command of its menu.
    enum ControlId : int {
        IDC_GRID = 1001,
        IDC_OBJECTIVE_GRID = 1002,
        IDC_SENSE = 1003,
        IDC_START = 1004,
        IDC_EQUATIONS = 1005,
        IDC_UNKNOWNS = 1006,
        IDC_EQUATIONS_SPIN = 1007,
        IDC_UNKNOWNS_SPIN = 1008,
        IDC_GRID_CAPTION = 1009,
        IDC_FUNCTION_CAPTION = 1010,
        IDC_FUNCTION_LABEL = 1011,
        IDC_EQUATIONS_LABEL = 1027,
        IDC_UNKNOWNS_LABEL = 1028,
        IDC_BACK = 1030,
        IDC_NEXT = 1031,
        IDC_INFO = 1033,
        IDC_HEADING = 1034,
        IDC_DESIGNATION = 1036,
        IDC_REASON = 1052,
        IDC_OPEN = 1070,
        IDC_SAVE = 1071,
        ID_SETTINGS = 32773,
    };

    explicit CEntryDlg(QWidget* parent = nullptr);

    static const DialogTemplate& Template();

    int Page() const { return page; }
    Problem& GetProblem() override;
    DisplaySettings& Settings() { return settings; }
    const DisplaySettings& GetSettings() const override { return settings; }
    bool RunActive() const override { return runActive; }
    int EntryFailures() const { return checker.EntryFailures(); }
    // The parting routine after the student has failed: the reason shows, a beep, the parting
    // message; "Начать" is disabled and no further run is possible.
    void FailRun() override;

    // Puts the problem of an LP file into the wizard and shows its matrix page; a file that
    // cannot be taken is refused with a message, and the wizard keeps what it had.
    bool OpenFile(const QString& path);

protected:
    void OnInitDialog() override;
    void OnCommand(int id) override;
    void OnEditChange(int id) override;
    // Enter never closes the wizard.
    void OnOK() override {}
    void OnCancel() override;
    // An .lp file dropped on the wizard is opened.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    static constexpr int kMaxSize = 100;

    void InitControls();
    void OnNext();
    void OnBack();
    void OnStart();
    void OnSettings();
    // "Открыть..." and "Сохранить...": problems in LP files (entry_dlg_files.cpp).
    void InitFileCommands();
    void OnOpen();
    void OnSave();
    void ShowEntry(const EntryTexts& texts);
    void EndEditing();

    // Shows page newPage: its texts, grids and places first, then its controls.
    void ShowPage(int newPage);
    void PreparePage();
    const QFont& TextFont();
    void PrepareNamesPage();
    void PrepareMatrixPage();
    void FocusFirstField();

    bool LeavePageForward();
    bool LeaveSizesPage();
    bool LeaveNamesPage();
    void KeepTypedNames();

    void BuildNamesTable();
    QString TypedName(int unknown) const;
    void BuildMatrixGrids();
    void FillMatrixFromStore();
    void StoreMatrixTexts();
    void ShowSignColumn();
    void StoreSignTexts();
    QString& KeptCoefficient(int equation, int unknown);
    // Calls keep for every text of page 6 that the wizard keeps across page changes, with the
    // grid and the cell that show it.
    using KeepText = std::function<void(CGridCtrl& grid, int row, int column, QString& text)>;
    void ForEachKeptText(const KeepText& keep);
    void SetUpGrid(CGridCtrl* grid);
    EntryTexts CollectEntryTexts() const;
    std::pair<CGridCtrl*, GridCell> FieldCell(const EntryField& field) const;
    void ShowVerdict(const EntryVerdict& verdict);
    void OpenTableWindow();

    // The texts of the statics live here and reach the controls with the next refresh.
    void RefreshFromData();

    CGridCtrl* MatrixGrid() const;
    CGridCtrl* ObjectiveGrid() const;

    int page = 1;
    int equationCount = 3;
    int unknownCount = 3;
    // Made when first asked for, at the first "Начать": the pages before it never need its
    // megabyte and more.
    std::unique_ptr<Problem> problem;
    DisplaySettings settings;
    EntryChecker checker;
    bool runActive = true;

    std::array<QString, kMaxSize + 1> names;
    QString functionName;
    // The file last opened or saved, where the file dialogs start.
    QString problemFile;

    // Page 6's texts by equation and unknown, kept across page changes and size changes. An
    // equation's row of coefficients is made when first kept (KeptCoefficient).
    std::vector<std::vector<QString>> coefficientTexts;
    std::vector<QString> rightHandSideTexts;
    std::vector<QString> objectiveTexts;
    // Each equation's sign in a general problem.
    std::vector<QString> signTexts;
    QString freeTermText;

    QString infoText;
    QString headingText;
    QString matrixCaption;
    QString functionCaption;
    QString designationLabel;
    QString reasonText;

    QFont headingFont;
    // Made at the first visit of the instructions: the about page has no use for it.
    std::optional<QFont> textFont;

    QRect headingRect;
    QRect gridRect, gridNamesRect;
    QRect matrixCaptionRect, matrixCaptionNamesRect;
    QRect functionCaptionRect, functionCaptionNamesRect;
};
