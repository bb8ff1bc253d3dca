#include "ui/entry_dlg.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <string>
#include <vector>

#include "core/canonical_form.h"
#include "core/captions.h"
#include "platform/desktop.h"
#include "platform/fonts.h"
#include "platform/integer_text.h"
#include "platform/modal.h"
#include "platform/tone.h"
#include "platform/up_down.h"
#include "ui/grid/grid_cell.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/page_texts.h"
#include "ui/settings_store.h"
#include "ui/table_dlg.h"
#include "ui/table_places.h"

namespace {

using enum CEntryDlg::ControlId;

// The wizard's pages in their order.
enum WizardPage : int {
    AboutPage = 1,
    FirstInstructionPage,
    SecondInstructionPage,
    SizesPage,
    NamesPage,
    MatrixPage,
};

// The controls that come and go with the pages, each with the pages that show it. Both ways
// through the wizard show a page by this table. The reason line is no page's: it appears when
// the runs have ended.
struct PagedControl {
    int id;
    std::vector<int> pages;
};

const PagedControl kPagedControls[] = {
    {IDC_INFO, {AboutPage, FirstInstructionPage, SecondInstructionPage}},
    {IDC_HEADING, {SizesPage, NamesPage}},
    {IDC_EQUATIONS_LABEL, {SizesPage}},
    {IDC_EQUATIONS, {SizesPage}},
    {IDC_EQUATIONS_SPIN, {SizesPage}},
    {IDC_UNKNOWNS_LABEL, {SizesPage}},
    {IDC_UNKNOWNS, {SizesPage}},
    {IDC_UNKNOWNS_SPIN, {SizesPage}},
    {IDC_GRID_CAPTION, {NamesPage, MatrixPage}},
    {IDC_GRID, {NamesPage, MatrixPage}},
    {IDC_FUNCTION_CAPTION, {NamesPage, MatrixPage}},
    {IDC_DESIGNATION, {NamesPage}},
    {IDC_SENSE, {MatrixPage}},
    {IDC_FUNCTION_LABEL, {MatrixPage}},
    {IDC_OBJECTIVE_GRID, {MatrixPage}},
    {IDC_START, {MatrixPage}},
    {IDC_OPEN, {AboutPage, FirstInstructionPage, SecondInstructionPage, SizesPage, NamesPage, MatrixPage}},
    {IDC_SAVE, {MatrixPage}},
    {IDC_BACK, {FirstInstructionPage, SecondInstructionPage, SizesPage, NamesPage, MatrixPage}},
    {IDC_NEXT, {AboutPage, FirstInstructionPage, SecondInstructionPage, SizesPage, NamesPage}},
};

// Each field's caption, by page: a screen reader calls a field what the student reads for it.
struct CaptionedField {
    int page;
    int field;
    int caption;
};

const CaptionedField kCaptions[] = {
    {SizesPage, IDC_EQUATIONS, IDC_EQUATIONS_LABEL},
    {SizesPage, IDC_UNKNOWNS, IDC_UNKNOWNS_LABEL},
    {NamesPage, IDC_GRID, IDC_GRID_CAPTION},
    {NamesPage, IDC_DESIGNATION, IDC_FUNCTION_CAPTION},
    {MatrixPage, IDC_GRID, IDC_GRID_CAPTION},
    {MatrixPage, IDC_OBJECTIVE_GRID, IDC_FUNCTION_CAPTION},
    {MatrixPage, IDC_SENSE, IDC_FUNCTION_LABEL},
};

// On the names page the grid's row 1 holds unknown k's name in column k, under its number.
constexpr int kNameRow = 1;

std::string CellText(const CGridCtrl& grid, int row, int column) { return grid.GetCellText(row, column).toStdString(); }

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
        QT_TRANSLATE_NOOP("Dialogs", "Таблитор"), 350, 222, "MS Sans Serif", 8,
        {
            {IDC_INFO, CentredStatic, 7, 7, 336, 187, "Info"},
            {IDC_HEADING, CentredStatic, 7, 10, 336, 52, "", Hidden},
            {IDC_EQUATIONS_LABEL, Static, 15, 65, 328, 10, QT_TRANSLATE_NOOP("Dialogs", "Введите количество уравнений канонической системы m "), Hidden},
            {IDC_EQUATIONS, Edit, 70, 83, 31, 12, "", Hidden},
            {IDC_EQUATIONS_SPIN, UpDown, 100, 82, 11, 14, "", Hidden | AutoBuddy},
            {IDC_UNKNOWNS_LABEL, Static, 15, 104, 328, 9, QT_TRANSLATE_NOOP("Dialogs", "Введите общее количество неизвестных (базисных и свободных) n"), Hidden},
            {IDC_UNKNOWNS, Edit, 70, 124, 31, 12, "", Hidden},
            {IDC_UNKNOWNS_SPIN, UpDown, 100, 124, 11, 14, "", Hidden | AutoBuddy},
            {IDC_GRID_CAPTION, Static, 19, 8, 147, 12, QT_TRANSLATE_NOOP("Dialogs", "Введите элементы матрицы"), Hidden},
            {IDC_GRID, Custom, 7, 27, 336, 89, "", Hidden, "TutorGridCtrl"},
            {IDC_FUNCTION_CAPTION, Static, 19, 126, 310, 11, QT_TRANSLATE_NOOP("Dialogs", "Введите элементы функции"), Hidden},
            {IDC_DESIGNATION, Edit, 47, 157, 40, 12, "", Hidden},
            {IDC_SENSE, DropDownList, 17, 158, 39, 49, "", Hidden | Sorted},
            {IDC_FUNCTION_LABEL, Static, 65, 158, 20, 11, "F(x)", Hidden},
            {IDC_OBJECTIVE_GRID, Custom, 94, 150, 249, 38, "", Hidden, "TutorGridCtrl"},
            {IDC_REASON, Static, 7, 198, 274, 16, ""},
            {IDC_START, Button, 7, 200, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "Начать"), Hidden},
            {IDC_OPEN, Button, 60, 200, 44, 14, QT_TRANSLATE_NOOP("Dialogs", "Открыть...")},
            {IDC_SAVE, Button, 106, 200, 49, 14, QT_TRANSLATE_NOOP("Dialogs", "Сохранить..."), Hidden},
            {IDC_BACK, Button, 157, 200, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "< Назад"), Hidden},
            {IDC_NEXT, Button, 207, 200, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "Далее >")},
            {IdCancel, Button, 293, 200, 50, 14, QT_TRANSLATE_NOOP("Dialogs", "Отмена")},
        },
        {{QT_TRANSLATE_NOOP("Dialogs", "Настройки"), ID_SETTINGS, QT_TRANSLATE_NOOP("Dialogs", "Прочие")}},
    };
    return table;
}

CEntryDlg::CEntryDlg(QWidget* parent)
    : TemplateDialog(Template(), parent),
      settings(LoadSettings()),
      coefficientTexts(kMaxSize + 1),
      rightHandSideTexts(kMaxSize + 1),
      objectiveTexts(kMaxSize + 1),
      signTexts(kMaxSize + 1, "=")
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
    // Enter does nothing in the wizard, whichever button has the focus: a student confirming a
    // field must not open a file dialog or leave the page. Space still presses the button.
    for (QPushButton* button : findChildren<QPushButton*>())
        button->setAutoDefault(false);
    for (int spin : {IDC_EQUATIONS_SPIN, IDC_UNKNOWNS_SPIN})
        ControlAs<UpDownControl>(spin)->SetRange(1, kMaxSize);
    // The fields show the sizes the program will use.
    SetControlText(IDC_EQUATIONS, QString::number(equationCount));
    SetControlText(IDC_UNKNOWNS, QString::number(unknownCount));
    ControlAs<QLineEdit>(IDC_DESIGNATION)->setMaxLength(1);

    SetUpGrid(MatrixGrid());
    SetUpGrid(ObjectiveGrid());

    headingFont = MakeFont("Times New Roman", 11, 600, FontCharset::Cyrillic);
    for (int id : {IDC_FUNCTION_CAPTION, IDC_GRID_CAPTION, IDC_FUNCTION_LABEL, IDC_HEADING, IDC_UNKNOWNS_LABEL,
                   IDC_EQUATIONS_LABEL, IDC_INFO, IDC_REASON})
        Control(id)->setFont(headingFont);

    AddListItem(IDC_SENSE, "Max");
    AddListItem(IDC_SENSE, "Min");
    SetControlText(IDC_SENSE, "Max");

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

    // Hidden fields are named too, by the last page that shows them, until their page names them.
    for (const CaptionedField& captioned : kCaptions)
        SetCaption(captioned.field, captioned.caption);
    ShowControl(IDC_REASON, false);
    InitFileCommands();
    ShowPage(AboutPage);
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
    case IDC_OPEN:
        OnOpen();
        break;
    case IDC_SAVE:
        OnSave();
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
    if (page == MatrixPage || !LeavePageForward())
        return;
    ShowPage(page + 1);
}

void CEntryDlg::OnBack()
{
    if (page == AboutPage)
        return;
    if (page == NamesPage)
        KeepTypedNames();
    else if (page == MatrixPage)
        StoreMatrixTexts();
    ShowPage(page - 1);
}

void CEntryDlg::ShowPage(int newPage)
{
    page = newPage;
    PreparePage();
    for (const PagedControl& control : kPagedControls)
        ShowControl(control.id, std::ranges::count(control.pages, page) != 0);
    for (const CaptionedField& captioned : kCaptions) {
        if (captioned.page == page)
            SetCaption(captioned.field, captioned.caption);
    }
    RefreshFromData();
    FocusFirstField();
}

// The keyboard starts on the page's first field: the m field, or the first cell of the names
// table or of the matrix, where typing goes straight in.
void CEntryDlg::FocusFirstField()
{
    if (page == SizesPage) {
        auto* equations = ControlAs<QLineEdit>(IDC_EQUATIONS);
        equations->setFocus();
        equations->selectAll();
    } else if (page == NamesPage || page == MatrixPage) {
        CGridCtrl* grid = MatrixGrid();
        grid->SetFocusCell(grid->GetFixedRowCount(), grid->GetFixedColumnCount());
        grid->setFocus();
    } else {
        // Pages of text only: the keyboard starts on "Далее >", not on the first button.
        Control(IDC_NEXT)->setFocus();
    }
}

const QFont& CEntryDlg::TextFont()
{
    if (!textFont)
        textFont = MakeFont("Times New Roman", 10, 0, FontCharset::Cyrillic);
    return *textFont;
}

// What the page holds besides its controls, the same whichever way the student came.
void CEntryDlg::PreparePage()
{
    switch (page) {
    case AboutPage:
        Control(IDC_INFO)->setFont(headingFont);
        infoText = PageTexts::About();
        break;
    case FirstInstructionPage:
        Control(IDC_INFO)->setFont(TextFont());
        infoText = PageTexts::FirstInstruction();
        break;
    case SecondInstructionPage:
        infoText = PageTexts::SecondInstruction();
        break;
    case SizesPage:
        headingText = PageTexts::SizesHeading();
        break;
    case NamesPage:
        PrepareNamesPage();
        break;
    case MatrixPage:
        PrepareMatrixPage();
        break;
    }
}

void CEntryDlg::PrepareNamesPage()
{
    headingText = PageTexts::NamesHeading();
    matrixCaption = tr("Обозначения переменных");
    functionCaption = tr("Обозначение функции");
    MoveControl(IDC_GRID, gridNamesRect);
    MoveControl(IDC_GRID_CAPTION, matrixCaptionNamesRect);
    MoveControl(IDC_FUNCTION_CAPTION, functionCaptionNamesRect);
    BuildNamesTable();
    SetControlText(IDC_DESIGNATION, functionName);
}

void CEntryDlg::PrepareMatrixPage()
{
    matrixCaption = tr("Введите элементы матрицы");
    functionCaption = tr("Введите коэффициенты целевой функции");
    designationLabel = functionName + "(x)";
    MoveControl(IDC_GRID, gridRect);
    MoveControl(IDC_GRID_CAPTION, matrixCaptionRect);
    MoveControl(IDC_FUNCTION_CAPTION, functionCaptionRect);
    BuildMatrixGrids();
    FillMatrixFromStore();
}

// The sizes and the names are checked on the way forward only.
bool CEntryDlg::LeavePageForward()
{
    switch (page) {
    case SizesPage:
        return LeaveSizesPage();
    case NamesPage:
        return LeaveNamesPage();
    default:
        return true;
    }
}

// Sizes that are no integers, or lie outside 1..100, keep the wizard on the page.
bool CEntryDlg::LeaveSizesPage()
{
    if (!ReadInteger(IDC_EQUATIONS, equationCount) || !ReadInteger(IDC_UNKNOWNS, unknownCount))
        return false;
    if (auto message = CheckSizes(equationCount, unknownCount)) {
        MessageBox(QString::fromStdString(*message), QString::fromStdString(InputErrorCaption()),
                   MessageBoxIcon::Exclamation);
        return false;
    }
    return true;
}

// Names are cut to three characters; an empty name or designation keeps the wizard on the page.
bool CEntryDlg::LeaveNamesPage()
{
    std::vector<std::string> typed(unknownCount + 1);
    for (int k = 1; k <= unknownCount; ++k)
        typed[k] = TypedName(k).toStdString();
    NamesVerdict verdict = CheckNames(typed, ControlText(IDC_DESIGNATION).toStdString());
    for (int k = 1; k <= verdict.takenCount; ++k)
        names[k] = QString::fromStdString(verdict.names[k]);
    if (verdict.message) {
        MessageBox(QString::fromStdString(*verdict.message), QString::fromStdString(InputErrorCaption()),
                   MessageBoxIcon::Exclamation);
        return false;
    }
    functionName = ControlText(IDC_DESIGNATION);
    return true;
}

// Going back keeps the names whole, as typed.
void CEntryDlg::KeepTypedNames()
{
    for (int k = 1; k <= unknownCount; ++k)
        names[k] = TypedName(k);
    functionName = ControlText(IDC_DESIGNATION);
}

QString CEntryDlg::TypedName(int unknown) const { return MatrixGrid()->GetCellText(kNameRow, unknown); }

void CEntryDlg::BuildNamesTable()
{
    CGridCtrl* grid = MatrixGrid();
    grid->DeleteAllCells();
    grid->SetRowCount(kNameRow + 1);
    grid->SetColumnCount(unknownCount + 1);
    grid->SetFixedRowCount(1);
    grid->SetFixedColumnCount(1);
    grid->SetColumnWidth(0, 100);
    for (int k = 1; k <= unknownCount; ++k) {
        grid->SetColumnWidth(k, settings.inputWidth);
        grid->SetCellText(0, k, QString::number(k));
        grid->SetCellText(kNameRow, k, names[k]);
    }
    grid->SetCellText(0, 0, tr("№ Переменной"));
    grid->SetCellText(kNameRow, 0, tr("Обозначение"));
    grid->Refresh();
}

void CEntryDlg::BuildMatrixGrids()
{
    const MatrixPageCells cells{unknownCount};
    CGridCtrl* matrix = MatrixGrid();
    matrix->DeleteAllCells();
    matrix->SetRowCount(equationCount + 1);
    matrix->SetColumnCount(cells.MatrixColumns());
    matrix->SetFixedRowCount(1);
    matrix->SetFixedColumnCount(0);
    CGridCtrl* objective = ObjectiveGrid();
    objective->DeleteAllCells();
    objective->SetRowCount(cells.ObjectiveRow + 1);
    objective->SetColumnCount(cells.ObjectiveColumns());
    objective->SetFixedRowCount(1);

    for (int k = 1; k <= unknownCount; ++k) {
        matrix->SetCellText(0, cells.CoefficientColumn(k), names[k]);
        objective->SetCellText(0, cells.ObjectiveColumn(k), names[k]);
    }
    matrix->SetCellText(0, cells.SignColumn(), tr("Знак"));
    matrix->SetCellText(0, cells.RightHandSideColumn(), "b");
    objective->SetCellText(0, cells.FreeTermColumn, tr("Св.чл."));
    ShowSignColumn();

    for (int c = 0; c < cells.MatrixColumns(); ++c)
        matrix->SetColumnWidth(c, settings.inputWidth);
    for (int c = 0; c < cells.ObjectiveColumns(); ++c)
        objective->SetColumnWidth(c, settings.inputWidth);
}

// The canonical exercise shows "=" in every equation, not to be changed; a general problem takes
// each equation's sign as typed.
void CEntryDlg::ShowSignColumn()
{
    CGridCtrl* matrix = MatrixGrid();
    const int sign = MatrixPageCells{unknownCount}.SignColumn();
    for (int i = 1; i <= equationCount; ++i) {
        const int state = matrix->GetCellState(i, sign);
        matrix->SetCellText(i, sign, settings.generalProblems ? signTexts[i] : QString("="));
        matrix->SetCellState(i, sign, settings.generalProblems ? state & ~GCS_READONLY : state | GCS_READONLY);
    }
    matrix->Refresh();
}

void CEntryDlg::FillMatrixFromStore()
{
    ForEachKeptText(
        [](CGridCtrl& grid, int row, int column, QString& text) { grid.SetCellText(row, column, text); });
    MatrixGrid()->Refresh();
    ObjectiveGrid()->Refresh();
}

void CEntryDlg::StoreMatrixTexts()
{
    ForEachKeptText(
        [](CGridCtrl& grid, int row, int column, QString& text) { text = grid.GetCellText(row, column); });
    if (settings.generalProblems)
        StoreSignTexts();
}

void CEntryDlg::StoreSignTexts()
{
    const int sign = MatrixPageCells{unknownCount}.SignColumn();
    for (int i = 1; i <= equationCount; ++i)
        signTexts[i] = MatrixGrid()->GetCellText(i, sign);
}

QString& CEntryDlg::KeptCoefficient(int equation, int unknown)
{
    std::vector<QString>& row = coefficientTexts[equation];
    if (row.empty())
        row.resize(kMaxSize + 1);
    return row[unknown];
}

void CEntryDlg::ForEachKeptText(const KeepText& keep)
{
    const MatrixPageCells cells{unknownCount};
    CGridCtrl& matrix = *MatrixGrid();
    for (int i = 1; i <= equationCount; ++i) {
        for (int k = 1; k <= unknownCount; ++k)
            keep(matrix, i, cells.CoefficientColumn(k), KeptCoefficient(i, k));
        keep(matrix, i, cells.RightHandSideColumn(), rightHandSideTexts[i]);
    }
    CGridCtrl& objective = *ObjectiveGrid();
    keep(objective, cells.ObjectiveRow, cells.FreeTermColumn, freeTermText);
    for (int k = 1; k <= unknownCount; ++k)
        keep(objective, cells.ObjectiveRow, cells.ObjectiveColumn(k), objectiveTexts[k]);
}

EntryTexts CEntryDlg::CollectEntryTexts() const
{
    const MatrixPageCells cells{unknownCount};
    const CGridCtrl& matrix = *MatrixGrid();
    const CGridCtrl& objective = *ObjectiveGrid();
    EntryTexts texts = EntryTexts::OfSize(equationCount, unknownCount);
    for (int i = 1; i <= equationCount; ++i) {
        for (int k = 1; k <= unknownCount; ++k)
            texts.coefficients[i][k] = CellText(matrix, i, cells.CoefficientColumn(k));
        texts.rightHandSides[i] = CellText(matrix, i, cells.RightHandSideColumn());
        texts.signs[i] = CellText(matrix, i, cells.SignColumn());
    }
    texts.objective[0] = CellText(objective, cells.ObjectiveRow, cells.FreeTermColumn);
    for (int k = 1; k <= unknownCount; ++k) {
        texts.objective[k] = CellText(objective, cells.ObjectiveRow, cells.ObjectiveColumn(k));
        texts.unknownNames[k] = names[k].toStdString();
    }
    texts.sense = ControlText(IDC_SENSE).toStdString();
    texts.general = settings.generalProblems;
    texts.functionName = functionName.toStdString();
    return texts;
}

// The grid and the cell that show a field of the entry.
std::pair<CGridCtrl*, GridCell> CEntryDlg::FieldCell(const EntryField& field) const
{
    using Kind = EntryField::Kind;
    const MatrixPageCells cells{unknownCount};
    switch (field.kind) {
    case Kind::Coefficient: return {MatrixGrid(), {field.equation, cells.CoefficientColumn(field.unknown)}};
    case Kind::Sign: return {MatrixGrid(), {field.equation, cells.SignColumn()}};
    case Kind::RightHandSide: return {MatrixGrid(), {field.equation, cells.RightHandSideColumn()}};
    case Kind::FreeTerm: return {ObjectiveGrid(), {cells.ObjectiveRow, cells.FreeTermColumn}};
    case Kind::ObjectiveCoefficient:
        return {ObjectiveGrid(), {cells.ObjectiveRow, cells.ObjectiveColumn(field.unknown)}};
    case Kind::None: break;
    }
    return {nullptr, {}};
}

Problem& CEntryDlg::GetProblem()
{
    if (!problem)
        problem = std::make_unique<Problem>();
    return *problem;
}

void CEntryDlg::OnStart()
{
    ShowVerdict(checker.Check(CollectEntryTexts(), GetProblem()));
}

void CEntryDlg::ShowVerdict(const EntryVerdict& verdict)
{
    using Action = EntryVerdict::Action;
    switch (verdict.action) {
    case Action::ShowMessage: {
        MessageBox(QString::fromStdString(verdict.message), QString::fromStdString(InputErrorCaption()),
                   MessageBoxIcon::Exclamation);
        auto [grid, cell] = FieldCell(verdict.focus);
        if (grid != nullptr) {
            grid->SetFocusCell(cell.row, cell.column);
            grid->setFocus();
            grid->Refresh();
        }
        break;
    }
    case Action::Warn:
        MessageBox(QString::fromStdString(verdict.message), QString::fromStdString(InputErrorCaption()),
                   MessageBoxIcon::Exclamation);
        break;
    case Action::FailRun:
        reasonText = QString::fromStdString(verdict.reason);
        ShowControl(IDC_REASON);
        ShowControl(IDC_START, false);
        ShowControl(IDC_BACK, false);
        // The reason line stands where the file buttons are.
        ShowControl(IDC_OPEN, false);
        ShowControl(IDC_SAVE, false);
        FailRun();
        break;
    case Action::StartRun:
        if (!verdict.conversion.empty())
            MessageBox(QString::fromStdString(ConversionMessage(verdict.conversion, GetProblem())),
                       tr("Приведение к каноническому виду"), MessageBoxIcon::Information);
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
    MessageBox(tr("Подготовьтесь, пожалуйста, получше и приходите\nв следующий раз!"),
               QString::fromStdString(ProgramName()),
               MessageBoxIcon::Information);
    EnableControl(IDC_START, false);
    // With no run to come, a problem from a file would only take the place of the student's.
    EnableControl(IDC_OPEN, false);
    runActive = false;
}

// A problem from a file takes the place of everything entered: the sizes, the names, the
// designation, the sense and every text of the matrix page, which then shows it.
void CEntryDlg::ShowEntry(const EntryTexts& texts)
{
    SetControlText(IDC_EQUATIONS, QString::number(texts.equationCount));
    SetControlText(IDC_UNKNOWNS, QString::number(texts.unknownCount));
    equationCount = texts.equationCount;
    unknownCount = texts.unknownCount;
    std::ranges::fill(names, QString());
    for (int k = 1; k <= unknownCount; ++k)
        names[k] = QString::fromStdString(texts.unknownNames[k]);
    functionName = QString::fromStdString(texts.functionName);
    SetControlText(IDC_DESIGNATION, functionName);
    SetControlText(IDC_SENSE, QString::fromStdString(texts.sense));

    for (std::vector<QString>& row : coefficientTexts)
        std::ranges::fill(row, QString());
    std::ranges::fill(rightHandSideTexts, QString());
    std::ranges::fill(signTexts, QStringLiteral("="));
    std::ranges::fill(objectiveTexts, QString());
    for (int i = 1; i <= equationCount; ++i) {
        for (int k = 1; k <= unknownCount; ++k)
            KeptCoefficient(i, k) = QString::fromStdString(texts.coefficients[i][k]);
        rightHandSideTexts[i] = QString::fromStdString(texts.rightHandSides[i]);
        signTexts[i] = QString::fromStdString(texts.signs[i]);
    }
    freeTermText = QString::fromStdString(texts.objective[0]);
    for (int k = 1; k <= unknownCount; ++k)
        objectiveTexts[k] = QString::fromStdString(texts.objective[k]);
    ShowPage(MatrixPage);
}

void CEntryDlg::OnSettings()
{
    const bool wasGeneral = settings.generalProblems;
    if (page == MatrixPage && wasGeneral)
        StoreSignTexts();
    CSettingsDlg dialog(settings, this);
    if (RunModal(dialog) != IdOk)
        return;
    SaveSettings(settings);
    // The sign column follows the choice at once; the widths wait for the next grid.
    if (page == MatrixPage && settings.generalProblems != wasGeneral)
        ShowSignColumn();
}

void CEntryDlg::OnCancel()
{
    if (QWidget* tableWindow = FindTopLevelWindow(QString::fromStdString(ResultsTitle())))
        tableWindow->close();
    TemplateDialog::OnCancel();
}
