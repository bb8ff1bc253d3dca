#include "ui/entry_dlg.h"

#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "platform/desktop.h"
#include "platform/fonts.h"
#include "platform/integer_text.h"
#include "platform/modal.h"
#include "platform/tone.h"
#include "platform/up_down.h"
#include "ui/grid/grid_cell.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/page_texts.h"
#include "ui/table_dlg.h"

namespace {

enum : int {
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
    ID_SETTINGS = 32773,
};

const int kSizeControls[] = {IDC_EQUATIONS_LABEL, IDC_EQUATIONS, IDC_EQUATIONS_SPIN,
                             IDC_UNKNOWNS_LABEL,  IDC_UNKNOWNS,  IDC_UNKNOWNS_SPIN};

const char kInputError[] = "Ошибка ввода";
const char kTitle[] = "Таблитор";
constexpr COLORREF kEntryBackground = RGB(255, 255, 224);

QRect Shifted(const QRect& rect, int top, int bottom)
{
    return QRect(QPoint(rect.left(), rect.top() + top), QPoint(rect.right(), rect.bottom() + bottom));
}

} // namespace

const DialogTemplate& CEntryDlg::Template()
{
    using enum ControlKind;
    using enum ControlFlag;
    static const DialogTemplate table{
        "Таблитор", 350, 222, "MS Sans Serif", 8,
        {
            {IDC_INFO, CentredStatic, 7, 7, 336, 187, "Info"},
            {IDC_HEADING, CentredStatic, 7, 10, 336, 52, "", Hidden},
            {IDC_EQUATIONS_LABEL, Static, 15, 65, 328, 10, "Введите количество уравнений канонической системы m ", Hidden},
            {IDC_EQUATIONS, Edit, 70, 83, 31, 12, "", Hidden},
            {IDC_EQUATIONS_SPIN, UpDown, 100, 82, 11, 14, "", Hidden | AutoBuddy},
            {IDC_UNKNOWNS_LABEL, Static, 15, 104, 328, 9, "Введите общее количество неизвестных (базисных и свободных) n", Hidden},
            {IDC_UNKNOWNS, Edit, 70, 124, 31, 12, "", Hidden},
            {IDC_UNKNOWNS_SPIN, UpDown, 100, 124, 11, 14, "", Hidden | AutoBuddy},
            {IDC_GRID_CAPTION, Static, 19, 8, 147, 12, "Введите элементы матрицы", Hidden},
            {IDC_GRID, Custom, 7, 27, 336, 89, "", Hidden, "TutorGridCtrl"},
            {IDC_FUNCTION_CAPTION, Static, 19, 126, 310, 11, "Введите элементы функции", Hidden},
            {IDC_DESIGNATION, Edit, 47, 157, 40, 12, "", Hidden},
            {IDC_SENSE, DropDownList, 17, 158, 39, 49, "", Hidden | Sorted},
            {IDC_FUNCTION_LABEL, Static, 65, 158, 20, 11, "F(x)", Hidden},
            {IDC_OBJECTIVE_GRID, Custom, 94, 150, 249, 38, "", Hidden, "TutorGridCtrl"},
            {IDC_REASON, Static, 7, 198, 274, 16, ""},
            {IDC_START, Button, 7, 200, 50, 14, "Начать", Hidden},
            {IDC_BACK, Button, 157, 200, 50, 14, "< Назад", Hidden},
            {IDC_NEXT, Button, 207, 200, 50, 14, "Далее >"},
            {IdCancel, Button, 293, 200, 50, 14, "Отмена"},
        },
        {{"Настройки", ID_SETTINGS, "Прочие"}},
    };
    return table;
}

CEntryDlg::CEntryDlg(QWidget* parent)
    : TemplateDialog(Template(), parent),
      coefficientTexts(kMaxSize + 1, std::vector<QString>(kMaxSize + 1)),
      rightHandSideTexts(kMaxSize + 1),
      objectiveTexts(kMaxSize + 1)
{
}

CGridCtrl* CEntryDlg::MatrixGrid() const { return ControlAs<CGridCtrl>(IDC_GRID); }
CGridCtrl* CEntryDlg::ObjectiveGrid() const { return ControlAs<CGridCtrl>(IDC_OBJECTIVE_GRID); }

void CEntryDlg::OnInitDialog() { InitControls(); }

void CEntryDlg::SetUpGrid(CGridCtrl* grid)
{
    grid->GetDefaultCell(false, false)->SetBackColor(kEntryBackground);
    grid->SetColumnResize(false);
    grid->SetRowResize(false);
    grid->EnableSelection(false);
}

void CEntryDlg::InitControls()
{
    for (int spin : {IDC_EQUATIONS_SPIN, IDC_UNKNOWNS_SPIN})
        ControlAs<UpDownControl>(spin)->SetRange(1, kMaxSize);
    // The fields show the sizes the program will use.
    SetControlText(IDC_EQUATIONS, QString::number(equationCount));
    SetControlText(IDC_UNKNOWNS, QString::number(unknownCount));
    ControlAs<QLineEdit>(IDC_DESIGNATION)->setMaxLength(1);

    SetUpGrid(MatrixGrid());
    SetUpGrid(ObjectiveGrid());

    headingFont = MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic);
    textFont = MakeFont("Times New Roman", 10, 0, FontCharset::Cyrillic);
    for (int id : {IDC_FUNCTION_CAPTION, IDC_GRID_CAPTION, IDC_FUNCTION_LABEL, IDC_HEADING, IDC_UNKNOWNS_LABEL,
                   IDC_EQUATIONS_LABEL, IDC_INFO, IDC_REASON})
        Control(id)->setFont(headingFont);

    AddListItem(IDC_SENSE, "Max");
    AddListItem(IDC_SENSE, "Min");
    SetControlText(IDC_SENSE, "Max");

    infoText = PageTexts::About();
    headingText = PageTexts::SizesHeading();
    matrixCaption = ControlText(IDC_GRID_CAPTION);
    functionCaption = ControlText(IDC_FUNCTION_CAPTION);
    designationLabel = ControlText(IDC_FUNCTION_LABEL);

    headingRect = ControlRect(IDC_HEADING);
    gridRect = ControlRect(IDC_GRID);
    matrixCaptionRect = ControlRect(IDC_GRID_CAPTION);
    functionCaptionRect = ControlRect(IDC_FUNCTION_CAPTION);
    gridNamesRect = Shifted(gridRect, 100, 15);
    matrixCaptionNamesRect = Shifted(matrixCaptionRect, 100, 100);
    functionCaptionNamesRect = Shifted(functionCaptionRect, 20, 20);

    ShowControl(IDC_REASON, false);
    RefreshFromData();
}

void CEntryDlg::RefreshFromData()
{
    SetControlText(IDC_INFO, infoText);
    SetControlText(IDC_HEADING, headingText);
    // The names heading is five lines of the heading font, a few pixels more than its place in
    // the layout; there is room below it, so it grows rather than losing its last line.
    QRect heading = headingRect;
    heading.setHeight(std::max(heading.height(), ControlAs<QLabel>(IDC_HEADING)->heightForWidth(heading.width())));
    MoveControl(IDC_HEADING, heading);
    SetControlText(IDC_GRID_CAPTION, matrixCaption);
    SetControlText(IDC_FUNCTION_CAPTION, functionCaption);
    SetControlText(IDC_FUNCTION_LABEL, designationLabel);
    SetControlText(IDC_REASON, reasonText);
}

void CEntryDlg::OnCommand(int id)
{
    switch (id) {
    case IDC_NEXT:
        OnNext();
        break;
    case IDC_BACK:
        OnBack();
        break;
    case IDC_START:
        OnStart();
        break;
    case ID_SETTINGS:
        OnSettings();
        break;
    default:
        TemplateDialog::OnCommand(id);
    }
}

// Every change of a size field reaches m or n as soon as the field holds an integer; other
// text is reported when the page is left.
void CEntryDlg::OnEditChange(int id)
{
    if (id != IDC_EQUATIONS && id != IDC_UNKNOWNS)
        return;
    if (auto value = ParseInteger(ControlText(id)))
        (id == IDC_EQUATIONS ? equationCount : unknownCount) = *value;
}

void CEntryDlg::OnNext()
{
    switch (++page) {
    case 2:
        Control(IDC_INFO)->setFont(textFont);
        infoText = PageTexts::FirstInstruction();
        ShowControl(IDC_BACK);
        break;
    case 3:
        infoText = PageTexts::SecondInstruction();
        break;
    case 4:
        ShowControl(IDC_INFO, false);
        ShowControl(IDC_HEADING);
        ShowSizeControls(true);
        break;
    case 5:
        if (!LeaveSizesPage()) {
            page = 4;
            return;
        }
        EnterNamesPage();
        break;
    case 6:
        if (!LeaveNamesPage()) {
            page = 5;
            return;
        }
        EnterMatrixPage();
        break;
    default:
        page = 6;
        return;
    }
    RefreshFromData();
}

void CEntryDlg::OnBack()
{
    if (page == 1)
        return;
    switch (page--) {
    case 2:
        Control(IDC_INFO)->setFont(headingFont);
        infoText = PageTexts::About();
        ShowControl(IDC_BACK, false);
        break;
    case 3:
        infoText = PageTexts::FirstInstruction();
        break;
    case 4:
        ShowControl(IDC_HEADING, false);
        ShowSizeControls(false);
        ShowControl(IDC_INFO);
        infoText = PageTexts::SecondInstruction();
        break;
    case 5:
        // Going back keeps the names whole, as typed.
        for (int k = 1; k <= unknownCount; ++k)
            names[k] = MatrixGrid()->GetCellText(1, k);
        functionName = ControlText(IDC_DESIGNATION);
        headingText = PageTexts::SizesHeading();
        ShowControl(IDC_DESIGNATION, false);
        ShowControl(IDC_GRID, false);
        ShowSizeControls(true);
        ShowControl(IDC_GRID_CAPTION, false);
        ShowControl(IDC_FUNCTION_CAPTION, false);
        break;
    case 6:
        ReturnToNamesPage();
        break;
    }
    RefreshFromData();
}

void CEntryDlg::ShowSizeControls(bool show)
{
    for (int id : kSizeControls)
        ShowControl(id, show);
}

// Sizes that are no integers, or lie outside 1..100, keep the wizard on the page.
bool CEntryDlg::LeaveSizesPage()
{
    if (!ReadInteger(IDC_EQUATIONS, equationCount) || !ReadInteger(IDC_UNKNOWNS, unknownCount))
        return false;
    if (auto message = CheckSizes(equationCount, unknownCount)) {
        MessageBox(QString::fromStdString(*message), kInputError, MessageBoxIcon::Exclamation);
        return false;
    }
    return true;
}

void CEntryDlg::EnterNamesPage()
{
    headingText = PageTexts::NamesHeading();
    ShowSizeControls(false);
    MoveControl(IDC_GRID, gridNamesRect);
    BuildNamesTable();
    ShowControl(IDC_GRID);
    functionCaption = "Обозначение функции";
    MoveControl(IDC_FUNCTION_CAPTION, functionCaptionNamesRect);
    ShowControl(IDC_FUNCTION_CAPTION);
    matrixCaption = "Обозначения переменных";
    MoveControl(IDC_GRID_CAPTION, matrixCaptionNamesRect);
    ShowControl(IDC_GRID_CAPTION);
    SetControlText(IDC_DESIGNATION, functionName);
    ShowControl(IDC_DESIGNATION);
}

// Names are cut to three characters; an empty name or designation keeps the wizard on the page.
bool CEntryDlg::LeaveNamesPage()
{
    std::vector<std::string> typed(unknownCount + 1);
    for (int k = 1; k <= unknownCount; ++k)
        typed[k] = MatrixGrid()->GetCellText(1, k).toStdString();
    NamesVerdict verdict = CheckNames(typed, ControlText(IDC_DESIGNATION).toStdString());
    for (int k = 1; k <= verdict.takenCount; ++k)
        names[k] = QString::fromStdString(verdict.names[k]);
    if (verdict.message) {
        MessageBox(QString::fromStdString(*verdict.message), kInputError, MessageBoxIcon::Exclamation);
        return false;
    }
    functionName = ControlText(IDC_DESIGNATION);
    return true;
}

void CEntryDlg::EnterMatrixPage()
{
    MoveControl(IDC_FUNCTION_CAPTION, functionCaptionRect);
    MoveControl(IDC_GRID_CAPTION, matrixCaptionRect);
    MoveControl(IDC_GRID, gridRect);
    ShowControl(IDC_DESIGNATION, false);
    matrixCaption = "Введите элементы матрицы";
    functionCaption = "Введите коэффициенты целевой функции";
    ShowControl(IDC_HEADING, false);
    ShowControl(IDC_OBJECTIVE_GRID);
    ShowControl(IDC_FUNCTION_LABEL);
    ShowControl(IDC_SENSE);
    SetupMatrixPage();
    ShowControl(IDC_NEXT, false);
    FillMatrixFromStore();
    ShowControl(IDC_START);
}

void CEntryDlg::ReturnToNamesPage()
{
    StoreMatrixTexts();
    ShowControl(IDC_OBJECTIVE_GRID, false);
    ShowControl(IDC_FUNCTION_LABEL, false);
    ShowControl(IDC_SENSE, false);
    MoveControl(IDC_FUNCTION_CAPTION, functionCaptionNamesRect);
    MoveControl(IDC_GRID_CAPTION, matrixCaptionNamesRect);
    functionCaption = "Обозначение функции";
    matrixCaption = "Обозначения переменных";
    MoveControl(IDC_GRID, gridNamesRect);
    ShowControl(IDC_DESIGNATION);
    BuildNamesTable();
    SetControlText(IDC_DESIGNATION, functionName);
    headingText = PageTexts::NamesHeading();
    ShowControl(IDC_HEADING);
    ShowControl(IDC_NEXT);
    ShowControl(IDC_START, false);
}

void CEntryDlg::BuildNamesTable()
{
    CGridCtrl* grid = MatrixGrid();
    grid->DeleteAllCells();
    grid->SetRowCount(2);
    grid->SetColumnCount(unknownCount + 1);
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnWidth(0, 100);
    for (int k = 1; k <= unknownCount; ++k) {
        grid->SetColumnWidth(k, settings.inputWidth);
        grid->SetCellText(0, k, QString::number(k));
        grid->SetCellText(1, k, names[k]);
    }
    grid->SetCellText(0, 0, "№ Переменной");
    grid->SetCellText(1, 0, "Обозначение");
    grid->Refresh();
}

void CEntryDlg::SetupMatrixPage()
{
    const int m = equationCount;
    const int n = unknownCount;
    CGridCtrl* matrix = MatrixGrid();
    matrix->DeleteAllCells();
    matrix->SetRowCount(m + 1);
    matrix->SetColumnCount(n + 2);
    matrix->SetFixedRowCount(1);
    matrix->SetFixedColumnCount(0);
    for (int k = 1; k <= n; ++k)
        matrix->SetCellText(0, k - 1, names[k]);
    matrix->SetCellText(0, n, "Знак");
    matrix->SetCellText(0, n + 1, "b");
    for (int i = 1; i <= m; ++i)
        matrix->SetCellText(i, n, "=");

    CGridCtrl* objective = ObjectiveGrid();
    objective->DeleteAllCells();
    objective->SetRowCount(2);
    objective->SetColumnCount(n + 1);
    objective->SetFixedRowCount(1);
    objective->SetCellText(0, 0, "Св.чл.");
    for (int k = 1; k <= n; ++k)
        objective->SetCellText(0, k, names[k]);

    for (int c = 0; c <= n + 1; ++c)
        matrix->SetColumnWidth(c, settings.inputWidth);
    for (int c = 0; c <= n; ++c)
        objective->SetColumnWidth(c, settings.inputWidth);

    designationLabel = functionName + "(x)";
    RefreshFromData();
    matrix->Refresh();
    objective->Refresh();
}

void CEntryDlg::FillMatrixFromStore()
{
    const int n = unknownCount;
    CGridCtrl* matrix = MatrixGrid();
    CGridCtrl* objective = ObjectiveGrid();
    for (int i = 1; i <= equationCount; ++i) {
        for (int k = 1; k <= n; ++k)
            matrix->SetCellText(i, k - 1, coefficientTexts[i][k]);
        matrix->SetCellText(i, n + 1, rightHandSideTexts[i]);
        matrix->SetCellState(i, n, matrix->GetCellState(i, n) | GCS_READONLY);
    }
    for (int k = 1; k <= n; ++k)
        objective->SetCellText(1, k, objectiveTexts[k]);
    objective->SetCellText(1, 0, freeTermText);
    matrix->Refresh();
    objective->Refresh();
}

void CEntryDlg::StoreMatrixTexts()
{
    const int n = unknownCount;
    CGridCtrl* matrix = MatrixGrid();
    CGridCtrl* objective = ObjectiveGrid();
    for (int i = 1; i <= equationCount; ++i) {
        for (int k = 1; k <= n; ++k)
            coefficientTexts[i][k] = matrix->GetCellText(i, k - 1);
        rightHandSideTexts[i] = matrix->GetCellText(i, n + 1);
    }
    for (int k = 1; k <= n; ++k)
        objectiveTexts[k] = objective->GetCellText(1, k);
    freeTermText = objective->GetCellText(1, 0);
}

EntryTexts CEntryDlg::CollectEntryTexts() const
{
    const int m = equationCount;
    const int n = unknownCount;
    EntryTexts texts;
    texts.equationCount = m;
    texts.unknownCount = n;
    texts.matrix.assign(m + 1, std::vector<std::string>(n + 2));
    for (int i = 1; i <= m; ++i) {
        for (int j = 0; j <= n + 1; ++j)
            texts.matrix[i][j] = MatrixGrid()->GetCellText(i, j).toStdString();
    }
    for (int k = 0; k <= n; ++k)
        texts.objective.push_back(ObjectiveGrid()->GetCellText(1, k).toStdString());
    texts.sense = ControlText(IDC_SENSE).toStdString();
    texts.unknownNames.resize(n + 1);
    for (int k = 1; k <= n; ++k)
        texts.unknownNames[k] = names[k].toStdString();
    texts.functionName = functionName.toStdString();
    return texts;
}

void CEntryDlg::OnStart()
{
    ShowVerdict(checker.Check(CollectEntryTexts(), problem));
}

void CEntryDlg::ShowVerdict(const EntryVerdict& verdict)
{
    using Action = EntryVerdict::Action;
    switch (verdict.action) {
    case Action::ShowMessage: {
        MessageBox(QString::fromStdString(verdict.message), kInputError, MessageBoxIcon::Exclamation);
        CGridCtrl* grid = verdict.focusGrid == EntryVerdict::Grid::Objective ? ObjectiveGrid() : MatrixGrid();
        if (verdict.focusGrid != EntryVerdict::Grid::None) {
            grid->SetFocusCell(verdict.focusRow, verdict.focusColumn);
            grid->setFocus();
            grid->Refresh();
        }
        break;
    }
    case Action::Warn:
        MessageBox(QString::fromStdString(verdict.message), kInputError, MessageBoxIcon::Exclamation);
        break;
    case Action::FailRun:
        reasonText = QString::fromStdString(verdict.reason);
        ShowControl(IDC_REASON);
        ShowControl(IDC_START, false);
        ShowControl(IDC_BACK, false);
        FailRun();
        break;
    case Action::StartRun:
        OpenTableWindow();
        break;
    }
}

// Each run has a window of its own: table 1, no snapshots.
void CEntryDlg::OpenTableWindow()
{
    CTableDlg tableWindow(*this, this);
    RunModal(tableWindow);
}

void CEntryDlg::FailRun()
{
    RefreshFromData();
    PlayTone(400, 500);
    MessageBox("Подготовьтесь, пожалуйста, получше и приходите\nв следующий раз!", kTitle,
               MessageBoxIcon::Information);
    EnableControl(IDC_START, false);
    runActive = false;
}

void CEntryDlg::OnSettings()
{
    CSettingsDlg dialog(settings, this);
    RunModal(dialog);
}

void CEntryDlg::OnCancel()
{
    if (QWidget* tableWindow = FindTopLevelWindow("Результаты"))
        tableWindow->close();
    TemplateDialog::OnCancel();
}
