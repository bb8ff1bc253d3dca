#include "ui/table_dlg.h"

#include <new>

#include "core/captions.h"
#include "core/questions.h"
#include "platform/desktop.h"
#include "platform/fonts.h"
#include "platform/modal.h"
#include "ui/app_icon.h"
#include "ui/basis_dlg.h"
#include "ui/element_dlg.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/key_dlg.h"
#include "ui/report_output.h"

namespace {

constexpr COLORREF kTableBackground = RGB(255, 255, 224);
constexpr int kStartDelayMs = 100;
constexpr int kRiseAboveWizard = 100;

QString Text(const std::string& text) { return QString::fromStdString(text); }

MessageBoxIcon ToBoxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information: return MessageBoxIcon::Information;
    case MessageIcon::Question: return MessageBoxIcon::Question;
    case MessageIcon::Exclamation: break;
    }
    return MessageBoxIcon::Exclamation;
}

// The main grid follows every edge of the window; the controls below it keep their size and
// their distance to the bottom left corner; the key-row grid stretches with the width only.
constexpr AnchorEdge kFromLeft{AnchorOffset, AnchorClientArea, EdgeLeft};
constexpr AnchorEdge kFromTop{AnchorOffset, AnchorClientArea, EdgeTop};
constexpr AnchorEdge kFromRight{AnchorOffset, AnchorClientArea, EdgeRight};
constexpr AnchorEdge kFromBottom{AnchorOffset, AnchorClientArea, EdgeBottom};
constexpr AnchorEdge kKeepWidth{AnchorKeepWidth, AnchorClientArea, EdgeRight};
constexpr AnchorEdge kKeepHeight{AnchorKeepHeight, AnchorClientArea, EdgeTop};

const AnchorSpec kAnchors[] = {
    {CTableDlg::IDC_MAIN_GRID, kFromLeft, kFromTop, kFromRight, kFromBottom},
    {CTableDlg::IDC_KEY_ROW_CAPTION, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_REPORT, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_STATUS, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_KEY_ROW_GRID, kFromLeft, kFromBottom, kFromRight, kKeepHeight},
};

} // namespace

const DialogTemplate& CTableDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        ResultsTitle, 436, 186, "MS Sans Serif", 8,
        {
            {IDC_MAIN_GRID, Custom, 7, 25, 422, 84, "", None, "TutorGridCtrl"},
            {IDC_REPORT, Button, 7, 161, 76, 18, "Вывод результатов"},
            {IDC_TITLE, CentredStatic, 136, 8, 162, 12},
            {IDC_KEY_ROW_GRID, Custom, 7, 128, 422, 22, "", Disabled, "TutorGridCtrl"},
            {IDC_KEY_ROW_CAPTION, CentredStatic, 136, 114, 162, 11, "Ключевая строка новой таблицы", Disabled},
            {IDC_STATUS, Static, 106, 159, 323, 20},
        },
        {},
        true,
    };
    return table;
}

CTableDlg::CTableDlg(RunOwner& owner, QWidget* parent)
    : TemplateDialog(Template(), parent), owner(owner), problem(owner.GetProblem()), run(*this, problem)
{
    setWindowIcon(TutorIcon());
    startTimer.setSingleShot(true);
    connect(&startTimer, &QTimer::timeout, this, &CTableDlg::OnTimer);
}

CGridCtrl* CTableDlg::MainGrid() const { return ControlAs<CGridCtrl>(IDC_MAIN_GRID); }
CGridCtrl* CTableDlg::KeyRowGrid() const { return ControlAs<CGridCtrl>(IDC_KEY_ROW_GRID); }

CGridCtrl* CTableDlg::GridOf(Grid grid) const { return grid == Grid::Main ? MainGrid() : KeyRowGrid(); }

void CTableDlg::OnInitDialog()
{
    statusFont = MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic);
    Control(IDC_STATUS)->setFont(statusFont);
    anchor.Init(*this, nullptr, kAnchors, static_cast<int>(std::size(kAnchors)));
    SetCaption(IDC_MAIN_GRID, IDC_TITLE);
    SetCaption(IDC_KEY_ROW_GRID, IDC_KEY_ROW_CAPTION);
    SetUpGrids();
    try {
        problem.ComputeIndexRow();
    } catch (const std::bad_alloc&) {
        // The first table shows its coefficients; the timer reports instead of running.
        firstTableIncomplete = true;
    }
    FillTable();
    MoveWindowWithinScreen(this, 0, -kRiseAboveWizard);
    startTimer.start(kStartDelayMs);
}

void CTableDlg::OnSize() { anchor.Relayout(); }

void CTableDlg::OnCommand(int id)
{
    if (id == IDC_REPORT)
        OnReport();
    else
        TemplateDialog::OnCommand(id);
}

// The button's tip keeps the last report's file at hand, where the status line keeps the run's end.
void CTableDlg::OnReport()
{
    if (const std::optional<QString> path = OutputReport(problem.equationCount, problem.workUnknownCount, snapshots))
        Control(IDC_REPORT)->setToolTip(ReportWrittenText(*path));
}

void CTableDlg::SetUpGrids()
{
    CGridCtrl* main = MainGrid();
    main->GetDefaultCell(false, false)->SetBackColor(kTableBackground);
    main->SetRowResize(false);
    main->SetColumnResize(false);
    main->EnableSelection(false);
    main->SetColumnCount(problem.workUnknownCount + 3);
    main->SetFixedRowCount(2);
    main->SetRowCount(problem.equationCount + 3);
    for (int c = 0; c < main->GetColumnCount(); ++c)
        main->SetColumnWidth(c, owner.GetSettings().outputWidth);
    WriteTableHeaders(*this, problem, GetDisplayMode());
    main->Refresh();

    CGridCtrl* keyRow = KeyRowGrid();
    keyRow->GetDefaultCell(false, false)->SetBackColor(ChoiceColour);
    keyRow->SetRowResize(false);
    keyRow->SetColumnResize(false);
    keyRow->EnableSelection(false);
    keyRow->SetRowCount(1);
}

void CTableDlg::OnTimer()
{
    startTimer.stop();
    if (firstTableIncomplete)
        run.ReportOverflow();
    else
        run.RunTutoring();
    runEnded = true;
}

void CTableDlg::OnOK()
{
    if (runEnded)
        TemplateDialog::OnOK();
}

void CTableDlg::OnCancel()
{
    if (runEnded)
        TemplateDialog::OnCancel();
}

void CTableDlg::RefreshFromData()
{
    SetControlText(IDC_TITLE, titleText);
    SetControlText(IDC_STATUS, statusText);
}

void CTableDlg::SetCellText(Grid grid, int row, int column, const std::string& text)
{
    GridOf(grid)->SetCellText(row, column, Text(text));
}

void CTableDlg::SetCellBackColor(Grid grid, int row, int column, COLORREF colour)
{
    GridOf(grid)->SetCellBackColor(row, column, colour);
}

COLORREF CTableDlg::GetCellBackColor(Grid grid, int row, int column) const
{
    return GridOf(grid)->GetCellBackColor(row, column);
}

void CTableDlg::SetFocusCell(Grid grid, int row, int column) { GridOf(grid)->SetFocusCell(row, column); }

void CTableDlg::Redraw(Grid grid) { GridOf(grid)->Refresh(); }

void CTableDlg::EnableKeyRow(bool enabled)
{
    EnableControl(IDC_KEY_ROW_CAPTION, enabled);
    EnableControl(IDC_KEY_ROW_GRID, enabled);
}

void CTableDlg::SetKeyRowColumnCount(int count)
{
    CGridCtrl* keyRow = KeyRowGrid();
    keyRow->SetRowCount(1);
    keyRow->SetColumnCount(count);
    for (int c = 0; c < count; ++c)
        keyRow->SetColumnWidth(c, owner.GetSettings().outputWidth);
}

void CTableDlg::ClearKeyRow() { KeyRowGrid()->DeleteAllCells(); }

void CTableDlg::FillTable()
{
    WriteTableBody(*this, problem, run.TableNumber(), GetDisplayMode());
    titleText = Text(TableTitle(problem, run.TableNumber()));
    RefreshFromData();
}

void CTableDlg::TakeSnapshot()
{
    const CGridCtrl* main = MainGrid();
    TableSnapshot snapshot(problem.equationCount + 3, std::vector<std::string>(problem.workUnknownCount + 3));
    for (int r = 0; r < int(snapshot.size()); ++r) {
        for (int c = 0; c < int(snapshot[r].size()); ++c)
            snapshot[r][c] = main->GetCellText(r, c).toStdString();
    }
    snapshots.push_back(std::move(snapshot));
}

void CTableDlg::SetStatusText(const std::string& text)
{
    statusText = Text(text);
    RefreshFromData();
}

DisplayMode CTableDlg::GetDisplayMode() const { return owner.GetSettings().displayMode; }

QuestionOutcome CTableDlg::AskBasis(int equation)
{
    BasisQuestion question(*this, problem, equation);
    CBasisDlg dialog(question, this);
    RunModal(dialog);
    return dialog.Outcome();
}

QuestionOutcome CTableDlg::AskElement(ElementMode mode, int row, int column, const std::string& prompt)
{
    ElementQuestion question(*this, problem, mode, row, column);
    CElementDlg dialog(question, Text(prompt), this);
    RunModal(dialog);
    return dialog.Outcome();
}

KeyAnswer CTableDlg::AskKeyColumn(int expectedColumn)
{
    KeyQuestion question(*this, problem, KeyQuestion::Mode::Column, expectedColumn, run.TableNumber());
    CKeyDlg dialog(question, this);
    RunModal(dialog);
    return {dialog.Outcome(), question.Column()};
}

KeyAnswer CTableDlg::AskKeyElement(int column)
{
    KeyQuestion question(*this, problem, KeyQuestion::Mode::Element, column, run.TableNumber());
    CKeyDlg dialog(question, this);
    RunModal(dialog);
    return {dialog.Outcome(), question.KeyRow()};
}

bool CTableDlg::AskYesNo(const std::string& text, const std::string& caption)
{
    // Below the window, so that the index row the answer rests on stays in sight.
    return MessageBox(Text(text), Text(caption), MessageBoxIcon::Question, MessageBoxButtons::YesNo, this) == IdYes;
}

void CTableDlg::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    MessageBox(Text(text), Text(caption), ToBoxIcon(icon));
}

bool CTableDlg::RunActive() const { return owner.RunActive(); }

void CTableDlg::FailRun() { owner.FailRun(); }
