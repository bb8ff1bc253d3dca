#include "ui/table_dlg.h"

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
#include "ui/solution_dlg.h"

namespace {

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

// "График" keeps to the top right corner.
constexpr AnchorEdge kFromRightToLeft{AnchorOffset, AnchorClientArea, EdgeRight};

const AnchorSpec kAnchors[] = {
    {CTableDlg::IDC_MAIN_GRID, kFromLeft, kFromTop, kFromRight, kFromBottom},
    {CTableDlg::IDC_KEY_ROW_CAPTION, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_REPORT, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_SOLUTION, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_STATUS, kFromLeft, kFromBottom, kKeepWidth, kKeepHeight},
    {CTableDlg::IDC_KEY_ROW_GRID, kFromLeft, kFromBottom, kFromRight, kKeepHeight},
    {CTableDlg::IDC_PICTURE, kFromRightToLeft, kFromTop, kKeepWidth, kKeepHeight},
};

PathEnd PathEndOf(TutoringRun::Ending ending)
{
    switch (ending) {
    case TutoringRun::Ending::Success: return PathEnd::Optimum;
    case TutoringRun::Ending::Unbounded: return PathEnd::Unbounded;
    default: return PathEnd::Going;
    }
}

// The picture exists only for a problem with two free unknowns.
CPictureWnd* MakePicture(const Problem& problem, QWidget* table)
{
    try {
        std::optional<PlaneProblem> plane = GeneralPlaneProblem(problem);
        if (!plane)
            plane = CanonicalPlaneProblem(problem);
        if (plane)
            return new CPictureWnd(MakePathPicture(std::move(*plane)), table);
    } catch (const std::bad_alloc&) {
        // Numbers too big to picture: the run goes on without one.
    }
    return nullptr;
}

} // namespace

const DialogTemplate& CTableDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        QT_TRANSLATE_NOOP("Dialogs", "Результаты"), 436, 186, "MS Sans Serif", 8,
        {
            {IDC_MAIN_GRID, Custom, 7, 25, 422, 84, "", None, "TutorGridCtrl"},
            {IDC_REPORT, Button, 7, 161, 76, 18, QT_TRANSLATE_NOOP("Dialogs", "Вывод результатов")},
            {IDC_SOLUTION, Button, 87, 161, 44, 18, QT_TRANSLATE_NOOP("Dialogs", "Решение"), Disabled},
            {IDC_TITLE, CentredStatic, 136, 8, 162, 12},
            {IDC_KEY_ROW_GRID, Custom, 7, 128, 422, 22, "", Disabled, "TutorGridCtrl"},
            {IDC_KEY_ROW_CAPTION, CentredStatic, 136, 114, 162, 11, QT_TRANSLATE_NOOP("Dialogs", "Ключевая строка новой таблицы"), Disabled},
            {IDC_STATUS, Static, 136, 159, 293, 20},
            {IDC_PICTURE, Button, 379, 6, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "График"), Disabled},
        },
        {},
        true,
    };
    return table;
}

CTableDlg::CTableDlg(RunOwner& owner, QWidget* parent)
    : TemplateDialog(Template(), parent),
      owner(owner),
      problem(owner.GetProblem()),
      grids(*MainGrid(), *KeyRowGrid(), owner.GetSettings().displayMode, owner.GetSettings().outputWidth),
      run(*this, problem, RunOptions{owner.GetSettings().displayMode, owner.GetSettings().explainMistakes})
{
    setWindowIcon(TutorIcon());
    startTimer.setSingleShot(true);
    connect(&startTimer, &QTimer::timeout, this, &CTableDlg::OnTimer);
}

CGridCtrl* CTableDlg::MainGrid() const { return ControlAs<CGridCtrl>(IDC_MAIN_GRID); }
CGridCtrl* CTableDlg::KeyRowGrid() const { return ControlAs<CGridCtrl>(IDC_KEY_ROW_GRID); }

void CTableDlg::OnInitDialog()
{
    statusFont = MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic);
    Control(IDC_STATUS)->setFont(statusFont);
    anchor.Init(*this, nullptr, kAnchors, static_cast<int>(std::size(kAnchors)));
    SetCaption(IDC_MAIN_GRID, IDC_TITLE);
    SetCaption(IDC_KEY_ROW_GRID, IDC_KEY_ROW_CAPTION);
    grids.SetUp(problem.LastRow(), problem.workUnknownCount);
    picture = MakePicture(problem, this);
    EnableControl(IDC_PICTURE, picture != nullptr);
    firstTableIncomplete = !run.OpenFirstTable();
    MoveWindowWithinScreen(this, 0, -kRiseAboveWizard);
    startTimer.start(kStartDelayMs);
}

void CTableDlg::OnSize() { anchor.Relayout(); }

void CTableDlg::OnCommand(int id)
{
    if (id == IDC_REPORT)
        OnReport();
    else if (id == IDC_PICTURE && picture)
        picture->ShowAgain();
    else if (id == IDC_SOLUTION)
        ShowSolution();
    else
        TemplateDialog::OnCommand(id);
}

// The button's tip keeps the last report's file at hand, where the status line keeps the run's end.
void CTableDlg::OnReport()
{
    // The report's blocks have the grid's rows: with the parts at M, one more than m + 3.
    if (const std::optional<QString> path = OutputReport(problem.LastRow() - 1, problem.workUnknownCount, ReportSheets()))
        Control(IDC_REPORT)->setToolTip(ReportWrittenText(*path));
}

void CTableDlg::OnTimer()
{
    startTimer.stop();
    if (picture && owner.GetSettings().showPicture)
        picture->OpenBeside(*this);
    if (firstTableIncomplete)
        run.ReportOverflow();
    else if (owner.RunActive()) // no run once the runs have ended for good
        run.RunTutoring();
    OnRunEnded();
    // Stopped by the student: back to the wizard.
    if (run.GetEnding() == TutoringRun::Ending::Cancelled)
        TemplateDialog::OnCancel();
}

void CTableDlg::OnOK()
{
    if (runEnded)
        TemplateDialog::OnOK();
}

void CTableDlg::OnCancel()
{
    if (runEnded) {
        TemplateDialog::OnCancel();
        return;
    }
    if (!CStepDlg::ConfirmStop(this))
        return;
    if (openQuestion) {
        // The run ends as the question closes, and the window with it.
        openQuestion->Cancel();
        return;
    }
    startTimer.stop();
    OnRunEnded();
    TemplateDialog::OnCancel();
}

std::vector<TableSnapshot> CTableDlg::Snapshots() const
{
    std::vector<TableSnapshot> snapshots;
    for (const TableView& table : run.GetState().completedTables)
        snapshots.push_back(grids.Snapshot(table));
    return snapshots;
}

void CTableDlg::OnRunEnded()
{
    runEnded = true;
    EnableControl(IDC_SOLUTION);
}

const Solution* CTableDlg::ProgramSolution()
{
    if (!solution) {
        try {
            solution = SolveProblem(run.FirstTable(), owner.GetSettings().displayMode);
        } catch (const std::bad_alloc&) {
            MessageBox(tr("Не хватило памяти, чтобы решить задачу еще раз."), QString::fromStdString(ProgramName()),
                       MessageBoxIcon::Exclamation);
            return nullptr;
        }
    }
    return &*solution;
}

void CTableDlg::ShowSolution()
{
    if (const Solution* shown = ProgramSolution()) {
        CSolutionDlg dialog(*shown, problem, owner.GetSettings().displayMode, owner.GetSettings().outputWidth, this);
        RunModal(dialog);
    }
}

std::vector<ReportSheet> CTableDlg::ReportSheets()
{
    std::vector<ReportSheet> sheets{{StudentSheetName, Snapshots(), {}, {}}};
    if (picture) {
        const QByteArray png = picture->Png(CPictureWnd::FileSize());
        sheets.front().picturePng.assign(png.begin(), png.end());
    }
    if (const Solution* program = runEnded ? ProgramSolution() : nullptr) {
        ReportSheet& sheet = sheets.emplace_back(ReportSheet{ProgramSheetName, {}, program->answer, {}});
        for (const TableView& table : program->tables)
            sheet.snapshots.push_back(grids.Snapshot(table));
    }
    return sheets;
}

void CTableDlg::ShowState(const TableState& state)
{
    grids.Show(state);
    const bool keyRowShown = !state.keyRow.Empty();
    EnableControl(IDC_KEY_ROW_CAPTION, keyRowShown);
    EnableControl(IDC_KEY_ROW_GRID, keyRowShown);
    SetControlText(IDC_TITLE, Text(TableTitle(problem, state.titleNumber)));
    SetControlText(IDC_STATUS, Text(state.status));
    if (picture)
        picture->FollowRun(state.tableSolutions, PathEndOf(run.GetEnding()));
}

template <class Dialog, class Question>
QuestionOutcome CTableDlg::Ask(Question& question)
{
    Dialog dialog(question, this);
    openQuestion = &dialog;
    RunOverParent(dialog);
    openQuestion = nullptr;
    return dialog.Outcome();
}

QuestionOutcome CTableDlg::AskBasis(BasisQuestion& question) { return Ask<CBasisDlg>(question); }

QuestionOutcome CTableDlg::AskElement(ElementQuestion& question) { return Ask<CElementDlg>(question); }

QuestionOutcome CTableDlg::AskKey(KeyQuestion& question) { return Ask<CKeyDlg>(question); }

bool CTableDlg::AskYesNo(const std::string& text, const std::string& caption)
{
    // Below the window, so that the index row the answer rests on stays in sight.
    return MessageBox(Text(text), Text(caption), MessageBoxIcon::Question, MessageBoxButtons::YesNo, nullptr, this) ==
           IdYes;
}

void CTableDlg::ShowMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    MessageBox(Text(text), Text(caption), ToBoxIcon(icon));
}

void CTableDlg::FailRun() { owner.FailRun(); }
