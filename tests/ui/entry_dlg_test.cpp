#include "ui/entry_dlg.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "platform/modal.h"
#include "platform/tone.h"
#include "ui/grid/grid_ctrl.h"
#include "ui/settings_dlg.h"
#include "ui/tutor_app.h"

namespace {

using enum CEntryDlg::ControlId;

struct Shown {
    ModalKind kind;
    QString text;
    QString caption;
    MessageBoxIcon icon;
};

// A wizard on screen with every message box answered OK and recorded, and tones observed.
class EntryDlgTest : public testing::Test {
protected:
    void SetUp() override
    {
        CTutorApp::PrepareDialogs();
        previousObserver = SetToneObserver([this](int hz, int ms) { tones.push_back({hz, ms}); });
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
    }
    void TearDown() override
    {
        wizard.reset();
        SetToneObserver(previousObserver);
    }

    ScopedModalResponder responder{[this](const ModalRequest& request) {
        shown.push_back({request.kind, request.text, request.caption, request.icon});
        if (request.kind == ModalKind::Dialog && onDialog)
            return onDialog(*request.dialog);
        return IdOk;
    }};

    void Press(int id) { wizard->ControlAs<QPushButton>(id)->click(); }
    void OpenSettings()
    {
        for (QAction* action : wizard->findChildren<QAction*>())
            if (action->text() == "Прочие")
                action->trigger();
    }
    void Next() { Press(IDC_NEXT); }
    void Back() { Press(IDC_BACK); }
    void Start() { Press(IDC_START); }
    bool Visible(int id) const { return wizard->Control(id)->isVisibleTo(wizard.get()); }
    QString Text(int id) const { return wizard->ControlText(id); }
    CGridCtrl* Grid(int id) const { return wizard->ControlAs<CGridCtrl>(id); }

    void GoToSizes()
    {
        Next();
        Next();
        Next();
    }
    void SetSizes(int m, int n)
    {
        wizard->SetControlText(IDC_EQUATIONS, QString::number(m));
        wizard->SetControlText(IDC_UNKNOWNS, QString::number(n));
    }
    // Through the names page to the matrix page, names x1..xn and designation F.
    void GoToMatrix(int m, int n)
    {
        GoToSizes();
        SetSizes(m, n);
        Next();
        for (int k = 1; k <= n; ++k)
            Grid(IDC_GRID)->SetCellText(1, k, "x" + QString::number(k));
        wizard->SetControlText(IDC_DESIGNATION, "F");
        Next();
        ASSERT_EQ(wizard->Page(), 6);
    }
    // Rows of the matrix grid and the objective row (free term first), as the student types them.
    void Type(const std::vector<QStringList>& equations, const QStringList& objective)
    {
        for (size_t i = 0; i < equations.size(); ++i)
            for (int j = 0; j < equations[i].size(); ++j)
                if (equations[i][j] != "=")
                    Grid(IDC_GRID)->SetCellText(static_cast<int>(i) + 1, j, equations[i][j]);
        for (int k = 0; k < objective.size(); ++k)
            Grid(IDC_OBJECTIVE_GRID)->SetCellText(1, k, objective[k]);
    }
    void TypeCanonicalProblem()
    {
        Type({{"1", "2", "1", "0", "=", "4"}, {"3", "-1/2", "0", "1", "=", "6"}}, {"5", "2", "-3", "0", "1"});
    }
    QStringList MessageTexts() const
    {
        QStringList texts;
        for (const Shown& s : shown)
            if (s.kind == ModalKind::MessageBox)
                texts << s.text;
        return texts;
    }

    std::unique_ptr<CEntryDlg> wizard;
    std::vector<Shown> shown;
    std::vector<std::pair<int, int>> tones;
    std::function<int(QDialog&)> onDialog;
    ToneObserver previousObserver;
};

TEST_F(EntryDlgTest, PagesForwardShowTheirTextsAndControls)
{
    EXPECT_TRUE(Visible(IDC_INFO));
    EXPECT_TRUE(Text(IDC_INFO).contains("Т А Б Л И Т О Р"));
    EXPECT_FALSE(Visible(IDC_BACK));
    EXPECT_TRUE(Visible(IDC_NEXT));
    EXPECT_TRUE(Visible(IdCancel));
    EXPECT_FALSE(Visible(IDC_REASON));

    Next();
    EXPECT_TRUE(Text(IDC_INFO).startsWith("И Н С Т Р У К Ц И Я"));
    EXPECT_TRUE(Visible(IDC_BACK));
    Next();
    EXPECT_TRUE(Text(IDC_INFO).contains("-21-32*-7"));
    Next();
    EXPECT_EQ(wizard->Page(), 4);
    EXPECT_FALSE(Visible(IDC_INFO));
    EXPECT_EQ(Text(IDC_HEADING), "ВВОД ДАННЫХ\n\nВведите РАЗМЕРЫ ЗАДАЧИ");
    for (int id : {IDC_EQUATIONS_LABEL, IDC_UNKNOWNS_LABEL, IDC_EQUATIONS, IDC_UNKNOWNS, IDC_EQUATIONS_SPIN,
                   IDC_UNKNOWNS_SPIN})
        EXPECT_TRUE(Visible(id)) << id;
    EXPECT_EQ(Text(IDC_EQUATIONS), "3") << "the sizes the program will use";
    EXPECT_EQ(Text(IDC_UNKNOWNS), "3");

    Next();
    EXPECT_EQ(wizard->Page(), 5);
    EXPECT_TRUE(Text(IDC_HEADING).contains("Как вы хотите обозначить неизвестные и функцию?"));
    EXPECT_EQ(Text(IDC_GRID_CAPTION), "Обозначения переменных");
    EXPECT_EQ(Text(IDC_FUNCTION_CAPTION), "Обозначение функции");
    for (int id : {IDC_HEADING, IDC_GRID_CAPTION, IDC_GRID, IDC_FUNCTION_CAPTION, IDC_DESIGNATION})
        EXPECT_TRUE(Visible(id)) << id;
    EXPECT_FALSE(Visible(IDC_EQUATIONS));
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnCount(), 4);
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(0, 0), "№ Переменной");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 0), "Обозначение");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(0, 3), "3");
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnWidth(0), 100);

    for (int k = 1; k <= 3; ++k)
        Grid(IDC_GRID)->SetCellText(1, k, "x" + QString::number(k));
    wizard->SetControlText(IDC_DESIGNATION, "F");
    Next();
    EXPECT_EQ(wizard->Page(), 6);
    EXPECT_EQ(Text(IDC_GRID_CAPTION), "Введите элементы матрицы");
    EXPECT_EQ(Text(IDC_FUNCTION_CAPTION), "Введите коэффициенты целевой функции");
    EXPECT_EQ(Text(IDC_FUNCTION_LABEL), "F(x)");
    for (int id : {IDC_GRID, IDC_OBJECTIVE_GRID, IDC_SENSE, IDC_FUNCTION_LABEL, IDC_START, IDC_BACK})
        EXPECT_TRUE(Visible(id)) << id;
    for (int id : {IDC_HEADING, IDC_DESIGNATION, IDC_NEXT})
        EXPECT_FALSE(Visible(id)) << id;
    EXPECT_EQ(Text(IDC_SENSE), "Max");
    EXPECT_TRUE(shown.empty());
}

TEST_F(EntryDlgTest, MatrixPageLaysOutTheGrids)
{
    GoToMatrix(2, 3);
    CGridCtrl* matrix = Grid(IDC_GRID);
    EXPECT_EQ(matrix->GetRowCount(), 3);
    EXPECT_EQ(matrix->GetColumnCount(), 5);
    EXPECT_EQ(matrix->GetFixedRowCount(), 1);
    EXPECT_EQ(matrix->GetFixedColumnCount(), 0);
    QStringList header;
    for (int c = 0; c < 5; ++c)
        header << matrix->GetCellText(0, c);
    EXPECT_EQ(header, QStringList({"x1", "x2", "x3", "Знак", "b"}));
    EXPECT_EQ(matrix->GetCellText(2, 3), "=");
    EXPECT_NE(matrix->GetCellState(2, 3) & GCS_READONLY, 0u);
    EXPECT_FALSE(matrix->IsCellEditable(1, 3));
    EXPECT_TRUE(matrix->IsCellEditable(1, 4));
    CGridCtrl* objective = Grid(IDC_OBJECTIVE_GRID);
    EXPECT_EQ(objective->GetRowCount(), 2);
    EXPECT_EQ(objective->GetColumnCount(), 4);
    EXPECT_EQ(objective->GetCellText(0, 0), "Св.чл.");
    EXPECT_EQ(objective->GetCellText(0, 2), "x2");
    EXPECT_EQ(objective->GetColumnWidth(3), 50);
}

TEST_F(EntryDlgTest, TypingARowWithTabPutsTheRightHandSideInPlace)
{
    GoToMatrix(2, 4);
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    CGridCtrl* matrix = Grid(IDC_GRID);
    matrix->setFocus();
    matrix->SetFocusCell(1, 0);
    // The last Tab closes the editor on the right-hand side, which stores the 4.
    for (QChar ch : QStringLiteral("1\t1\t1\t0\t4\t")) {
        if (ch == '\t')
            QTest::keyClick(wizard->windowHandle(), Qt::Key_Tab);
        else
            QTest::keyClick(wizard->windowHandle(), ch.toLatin1());
    }
    EXPECT_EQ(matrix->GetCellText(1, 3), "0");
    EXPECT_EQ(matrix->GetCellText(1, 4), "=");
    EXPECT_EQ(matrix->GetCellText(1, 5), "4");
}

// Each page with fields starts the keyboard on its first one. Tab moves between a grid's cells;
// Ctrl+Tab and Ctrl+Shift+Tab leave the grid for the next and the previous control, from an open
// editor too, whose text is kept.
TEST_F(EntryDlgTest, KeyboardStartsOnEachPagesFirstFieldAndLeavesGridsByCtrlTab)
{
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    QWindow* keys = wizard->windowHandle();
    EXPECT_EQ(QApplication::focusWidget(), wizard->Control(IDC_NEXT));
    QTest::keyClick(keys, Qt::Key_Return);
    EXPECT_EQ(wizard->Page(), 1) << "Enter presses no button of the wizard, the focused one neither";
    GoToSizes();
    EXPECT_EQ(QApplication::focusWidget(), wizard->Control(IDC_EQUATIONS));
    SetSizes(1, 2);
    Next();
    QCoreApplication::processEvents(); // the student types once the page is laid out
    for (char name : {'y', 'z'}) {
        QTest::keyClick(keys, name);
        QTest::keyClick(keys, Qt::Key_Tab);
    }
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 1) + Grid(IDC_GRID)->GetCellText(1, 2), "yz");
    wizard->SetControlText(IDC_DESIGNATION, "F");
    Next();
    const std::tuple<int, char, Qt::KeyboardModifiers, int> rows[] = {
        {IDC_GRID, '7', Qt::ControlModifier, IDC_SENSE}, // typed into the page's first cell
        {IDC_GRID, 0, Qt::ControlModifier | Qt::ShiftModifier, IdCancel},
        {IDC_OBJECTIVE_GRID, '5', Qt::ControlModifier, IDC_START},
        {IDC_OBJECTIVE_GRID, 0, Qt::ControlModifier | Qt::ShiftModifier, IDC_SENSE},
    };
    for (size_t r = 0; r < std::size(rows); ++r) {
        const auto [id, typed, modifiers, next] = rows[r];
        if (r > 0) {
            Grid(id)->setFocus();
            Grid(id)->SetFocusCell(1, 0);
        }
        if (typed != 0)
            QTest::keyClick(keys, typed);
        QTest::keyClick(keys, Qt::Key_Tab, modifiers);
        EXPECT_EQ(QApplication::focusWidget(), wizard->Control(next)) << "row " << r;
        if (typed != 0) {
            EXPECT_EQ(Grid(id)->GetCellText(1, 0), QString(typed));
        }
    }
}

// A spreadsheet's row (n + 1 fields) pasted at the start of an equation fills the coefficients
// and b, passing over the sign; with a field for the sign (n + 2) the fields lie side by side.
TEST_F(EntryDlgTest, PastedSpreadsheetRowsFillTheEquations)
{
    GoToMatrix(2, 3);
    wizard->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(wizard.get()));
    CGridCtrl* matrix = Grid(IDC_GRID);
    const std::pair<QString, QString> rows[] = {
        {"1\t2\t3\t4", "1 2 3 = 4|   = "},
        {"1\t2\t3\t9\t4", "1 2 3 = 4|   = "},
        {"1,5\t2\t-3\t4\r\n5\t6\t7\t8\r\n", "1,5 2 -3 = 4|5 6 7 = 8"},
        {"1,2,3,4\n5,6,7,8", "1 2 3 = 4|5 6 7 = 8"},
        {"1\t2\t3", "1 2 3 = |   = "},
    };
    for (const auto& [clipboard, expected] : rows) {
        QStringList equations;
        for (int i : {1, 2}) {
            for (int column : {0, 1, 2, 4})
                matrix->SetCellText(i, column, "");
        }
        matrix->setFocus();
        matrix->SetFocusCell(1, 0);
        QApplication::clipboard()->setText(clipboard);
        QTest::keyClick(wizard->windowHandle(), Qt::Key_V, Qt::ControlModifier);
        for (int i : {1, 2}) {
            QStringList cells;
            for (int column = 0; column < 5; ++column)
                cells << matrix->GetCellText(i, column);
            equations << cells.join(' ');
        }
        EXPECT_EQ(equations.join('|'), expected) << clipboard.toStdString();
    }
}

TEST_F(EntryDlgTest, PagesBackRestoreTheEarlierPages)
{
    GoToMatrix(2, 2);
    Back();
    EXPECT_EQ(wizard->Page(), 5);
    EXPECT_TRUE(Visible(IDC_DESIGNATION));
    EXPECT_TRUE(Visible(IDC_NEXT));
    EXPECT_FALSE(Visible(IDC_START));
    EXPECT_FALSE(Visible(IDC_OBJECTIVE_GRID));
    EXPECT_EQ(Text(IDC_DESIGNATION), "F");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 2), "x2");
    Back();
    EXPECT_EQ(wizard->Page(), 4);
    EXPECT_FALSE(Visible(IDC_GRID));
    EXPECT_FALSE(Visible(IDC_GRID_CAPTION));
    EXPECT_TRUE(Visible(IDC_EQUATIONS));
    Back();
    EXPECT_EQ(wizard->Page(), 3);
    EXPECT_TRUE(Visible(IDC_INFO));
    EXPECT_FALSE(Visible(IDC_HEADING));
    Back();
    Back();
    EXPECT_EQ(wizard->Page(), 1);
    EXPECT_FALSE(Visible(IDC_BACK));
    EXPECT_TRUE(Text(IDC_INFO).contains("Т А Б Л И Т О Р"));
    Back();
    EXPECT_EQ(wizard->Page(), 1);
}

TEST_F(EntryDlgTest, SizesOutsideTheRangeOrNotIntegersKeepThePage)
{
    GoToSizes();
    struct Row {
        QString m, n, message;
    };
    const Row rows[] = {
        {"101", "3", "Введите допустимые значения"},
        {"3", "0", "Введите допустимые значения"},
        {"-2", "3", "Введите допустимые значения"},
        {"abc", "3", "Введите целое число."},
        {"3", "", "Введите целое число."},
    };
    for (const Row& row : rows) {
        shown.clear();
        wizard->SetControlText(IDC_EQUATIONS, row.m);
        wizard->SetControlText(IDC_UNKNOWNS, row.n);
        Next();
        EXPECT_EQ(wizard->Page(), 4) << row.m.toStdString();
        ASSERT_EQ(MessageTexts().size(), 1);
        EXPECT_EQ(MessageTexts()[0], row.message);
        EXPECT_EQ(Text(IDC_EQUATIONS), row.m) << "the typed text stays";
    }
    SetSizes(100, 1);
    Next();
    EXPECT_EQ(wizard->Page(), 5);
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnCount(), 2);
}

TEST_F(EntryDlgTest, NamesAreCutForwardAndKeptWholeBackward)
{
    GoToSizes();
    SetSizes(1, 3);
    Next();
    Grid(IDC_GRID)->SetCellText(1, 1, "abcd");
    Grid(IDC_GRID)->SetCellText(1, 2, "дельта");
    Grid(IDC_GRID)->SetCellText(1, 3, "z");
    Back();
    Next();
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 1), "abcd");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 2), "дельта");

    wizard->SetControlText(IDC_DESIGNATION, "Ф");
    Next();
    EXPECT_EQ(wizard->Page(), 6);
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(0, 0), "abc");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(0, 1), "дел");
    EXPECT_EQ(Text(IDC_FUNCTION_LABEL), "Ф(x)");
}

TEST_F(EntryDlgTest, EmptyNameOrDesignationKeepsTheNamesPage)
{
    GoToSizes();
    SetSizes(1, 3);
    Next();
    Grid(IDC_GRID)->SetCellText(1, 1, "a");
    Grid(IDC_GRID)->SetCellText(1, 3, "c");
    wizard->SetControlText(IDC_DESIGNATION, "F");
    Next();
    EXPECT_EQ(wizard->Page(), 5);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "Введите обозначение 2 переменной");
    EXPECT_EQ(shown[0].caption, "Ошибка ввода");
    EXPECT_EQ(shown[0].icon, MessageBoxIcon::Exclamation);

    Grid(IDC_GRID)->SetCellText(1, 2, "b");
    wizard->SetControlText(IDC_DESIGNATION, "");
    Next();
    EXPECT_EQ(wizard->Page(), 5);
    EXPECT_EQ(MessageTexts().last(), "Введите обозначение для функции");
}

TEST_F(EntryDlgTest, DesignationTakesOneCharacter)
{
    GoToSizes();
    Next();
    QLineEdit* designation = wizard->ControlAs<QLineEdit>(IDC_DESIGNATION);
    designation->setFocus();
    QTest::keyClicks(designation, "FG");
    EXPECT_EQ(designation->text(), "F");
}

TEST_F(EntryDlgTest, MatrixTextsSurviveGoingBackAndForth)
{
    GoToMatrix(2, 4);
    TypeCanonicalProblem();
    Back();
    Back();
    SetSizes(3, 4); // one more equation: the texts stay with their equations
    Next();
    Next();
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(1, 1), "2");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(2, 5), "6");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(3, 0), "");
    EXPECT_EQ(Grid(IDC_GRID)->GetCellText(3, 4), "=");
    EXPECT_EQ(Grid(IDC_OBJECTIVE_GRID)->GetCellText(1, 0), "5");
    EXPECT_EQ(Grid(IDC_OBJECTIVE_GRID)->GetCellText(1, 2), "-3");
}

TEST_F(EntryDlgTest, StartReportsTheFirstBadCellAndFocusesIt)
{
    GoToMatrix(2, 4);
    TypeCanonicalProblem();
    Grid(IDC_GRID)->SetCellText(2, 1, "1,5");
    Grid(IDC_OBJECTIVE_GRID)->SetCellText(1, 3, "");
    Start();
    ASSERT_EQ(MessageTexts().size(), 1);
    EXPECT_EQ(MessageTexts()[0], "Неправильный формат данных для 2 переменной 2 уравнения");
    EXPECT_EQ(shown[0].caption, "Ошибка ввода");
    EXPECT_EQ(Grid(IDC_GRID)->GetFocusCell(), (CellPos{2, 1}));

    Grid(IDC_GRID)->SetCellText(2, 1, "1.5");
    Start();
    EXPECT_EQ(MessageTexts().last(), "Введите значение для 3 коэффициента целевой функции");
    EXPECT_EQ(Grid(IDC_OBJECTIVE_GRID)->GetFocusCell(), (CellPos{1, 3}));
    EXPECT_EQ(wizard->EntryFailures(), 0);
    EXPECT_TRUE(Visible(IDC_START));
}

TEST_F(EntryDlgTest, PassingStartBuildsTheProblem)
{
    GoToMatrix(2, 4);
    TypeCanonicalProblem();
    wizard->SetControlText(IDC_SENSE, "Min");
    Start();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].kind, ModalKind::Dialog);
    const Problem& problem = wizard->GetProblem();
    EXPECT_EQ(problem.equationCount, 2);
    EXPECT_EQ(problem.unknownCount, 4);
    EXPECT_EQ(problem.isMax, 0);
    EXPECT_EQ(problem.basis[1], 3);
    EXPECT_EQ(problem.basis[2], 4);
    EXPECT_TRUE(problem.matrix[0][2] == Fraction(-2));
    EXPECT_TRUE(problem.matrix[2][3] == Fraction(0, -1, 2));
    EXPECT_EQ(problem.unknownNames[4], "x4");
    EXPECT_EQ(problem.functionName, "F");
    EXPECT_TRUE(wizard->RunActive());
}

TEST_F(EntryDlgTest, ThirdCountedFailureEndsAllRuns)
{
    GoToMatrix(2, 2);
    Type({{"1", "1", "=", "2"}, {"1", "2", "=", "1"}}, {"0", "1", "1"});
    Start();
    Start();
    const QString warning = "Система уравнений не каноническая\nЗадачу с неравенствами или без явного базиса "
                            "программа приведет к каноническому виду сама, если включить \"Общая задача\" в меню "
                            "Настройки, Прочие.";
    EXPECT_EQ(MessageTexts(), QStringList({warning, warning}));
    EXPECT_TRUE(tones.empty());

    Grid(IDC_GRID)->SetCellText(1, 3, "-2");
    Start();
    EXPECT_EQ(MessageTexts().last(), "Подготовьтесь, пожалуйста, получше и приходите\nв следующий раз!");
    EXPECT_EQ(shown.back().caption, "Таблитор");
    EXPECT_EQ(shown.back().icon, MessageBoxIcon::Information);
    EXPECT_EQ(tones, (std::vector<std::pair<int, int>>{{400, 500}}));
    EXPECT_TRUE(Visible(IDC_REASON));
    EXPECT_EQ(Text(IDC_REASON), "1-е уравнение имеет отрицательную правую часть");
    EXPECT_FALSE(Visible(IDC_START));
    EXPECT_FALSE(Visible(IDC_BACK));
    EXPECT_FALSE(wizard->Control(IDC_START)->isEnabled());
    EXPECT_FALSE(wizard->RunActive());
    EXPECT_TRUE(Visible(IdCancel));
}

TEST_F(EntryDlgTest, PassingStartAfterTwoFailuresStillBuildsTheProblem)
{
    GoToMatrix(2, 4);
    TypeCanonicalProblem();
    Grid(IDC_GRID)->SetCellText(1, 2, "5");
    Start();
    Start();
    Grid(IDC_GRID)->SetCellText(1, 2, "1");
    Start();
    EXPECT_EQ(MessageTexts().size(), 2);
    EXPECT_TRUE(wizard->RunActive());
    EXPECT_EQ(wizard->GetProblem().basis[1], 3);
}

TEST_F(EntryDlgTest, FailRunKeepsStartDisabledOnEveryPage)
{
    GoToMatrix(1, 1);
    wizard->FailRun();
    Back();
    Next();
    EXPECT_TRUE(Visible(IDC_START));
    EXPECT_FALSE(wizard->Control(IDC_START)->isEnabled());
}

TEST_F(EntryDlgTest, EnterDoesNothingAndCancelEndsOnAnyPage)
{
    for (int page = 1; page <= 6; ++page) {
        SCOPED_TRACE(page);
        wizard = std::make_unique<CEntryDlg>();
        wizard->show();
        for (int p = 1; p < page; ++p) {
            if (p == 5) {
                Grid(IDC_GRID)->SetCellText(1, 1, "a");
                Grid(IDC_GRID)->SetCellText(1, 2, "b");
                Grid(IDC_GRID)->SetCellText(1, 3, "c");
                wizard->SetControlText(IDC_DESIGNATION, "F");
            }
            Next();
        }
        ASSERT_EQ(wizard->Page(), page);
        QTest::keyClick(wizard.get(), Qt::Key_Return);
        EXPECT_TRUE(wizard->isVisible());
        EXPECT_EQ(wizard->Page(), page);
        Press(IdCancel);
        EXPECT_FALSE(wizard->isVisible());
        EXPECT_EQ(wizard->result(), IdCancel);
    }
}

TEST_F(EntryDlgTest, SettingsStartAtDefaultsAndTakeEffectWithTheNextGrid)
{
    QStringList fieldTexts;
    int radio = -1;
    onDialog = [&](QDialog& dialog) {
        auto& settings = static_cast<CSettingsDlg&>(dialog);
        fieldTexts = {settings.ControlText(CSettingsDlg::IDC_INPUT_WIDTH),
                      settings.ControlText(CSettingsDlg::IDC_OUTPUT_WIDTH)};
        radio = settings.RadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS);
        settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, "70");
        settings.SetControlText(CSettingsDlg::IDC_OUTPUT_WIDTH, "100");
        settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, 1);
        settings.ControlAs<QPushButton>(IdOk)->click();
        return dialog.result();
    };
    GoToSizes();
    Next();
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnWidth(1), 50);
    OpenSettings(); // from the menu, on any page
    EXPECT_EQ(fieldTexts, QStringList({"50", "50"}));
    EXPECT_EQ(radio, 0);
    EXPECT_EQ(wizard->Settings().inputWidth, 70);
    EXPECT_EQ(wizard->Settings().outputWidth, 100);
    EXPECT_EQ(wizard->Settings().displayMode, DisplayMode::DecimalFractions);
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnWidth(1), 50) << "the grid on screen keeps its widths";
    Back();
    Next();
    EXPECT_EQ(Grid(IDC_GRID)->GetColumnWidth(1), 70);
}

TEST_F(EntryDlgTest, SettingsCancelChangesNothing)
{
    onDialog = [&](QDialog& dialog) {
        auto& settings = static_cast<CSettingsDlg&>(dialog);
        settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, "5");
        settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, 1);
        settings.ControlAs<QPushButton>(IdCancel)->click();
        return dialog.result();
    };
    OpenSettings();
    EXPECT_EQ(wizard->Settings().inputWidth, 50);
    EXPECT_EQ(wizard->Settings().displayMode, DisplayMode::CommonFractions);
}

TEST_F(EntryDlgTest, EmptyWidthIsReportedAndTheModeStillTaken)
{
    onDialog = [&](QDialog& dialog) {
        auto& settings = static_cast<CSettingsDlg&>(dialog);
        settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, "");
        settings.SetControlText(CSettingsDlg::IDC_OUTPUT_WIDTH, "20");
        settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, 1);
        settings.ControlAs<QPushButton>(IdOk)->click();
        return dialog.result();
    };
    OpenSettings();
    EXPECT_EQ(MessageTexts(), QStringList({"Введите целое число."}));
    EXPECT_EQ(wizard->Settings().inputWidth, 50);
    EXPECT_EQ(wizard->Settings().outputWidth, 50);
    EXPECT_EQ(wizard->Settings().displayMode, DisplayMode::DecimalFractions);
}

// A width outside 10..100 is refused with a message, the dialog staying open on its field and
// taking nothing; the ends of the range are taken.
TEST_F(EntryDlgTest, SettingsRefuseWidthsOutsideTheRange)
{
    struct Row {
        QString input, output;
        int refused; // the field refused, 0: none
    };
    const Row rows[] = {{"10", "100", 0}, {"9", "50", CSettingsDlg::IDC_INPUT_WIDTH},
        {"99999", "50", CSettingsDlg::IDC_INPUT_WIDTH}, {"", "123456789012", CSettingsDlg::IDC_OUTPUT_WIDTH}};
    for (const Row& row : rows) {
        wizard->Settings() = DisplaySettings{};
        shown.clear();
        bool focusOnRefused = false;
        onDialog = [&](QDialog& dialog) {
            auto& settings = static_cast<CSettingsDlg&>(dialog);
            settings.SetControlText(CSettingsDlg::IDC_INPUT_WIDTH, row.input);
            settings.SetControlText(CSettingsDlg::IDC_OUTPUT_WIDTH, row.output);
            settings.ControlAs<QPushButton>(IdOk)->click();
            focusOnRefused = dialog.isVisible() && dialog.focusWidget() == settings.Control(row.refused);
            return dialog.isVisible() ? IdCancel : dialog.result();
        };
        OpenSettings();
        SCOPED_TRACE(("widths '" + row.input + "', '" + row.output + "'").toStdString());
        EXPECT_EQ(MessageTexts(), row.refused ? QStringList({"Введите ширину полей от 10 до 100"}) : QStringList());
        EXPECT_EQ(focusOnRefused, row.refused != 0);
        EXPECT_EQ(wizard->Settings().inputWidth, row.refused ? 50 : 10);
        EXPECT_EQ(wizard->Settings().outputWidth, row.refused ? 50 : 100);
    }
}

} // namespace

// What the settings dialog takes is there again at the next start of the program.
TEST_F(EntryDlgTest, SettingsAreKeptBetweenStarts)
{
    const int checks[] = {CSettingsDlg::IDC_EXPLAIN_MISTAKES, CSettingsDlg::IDC_GENERAL_PROBLEMS,
                          CSettingsDlg::IDC_SHOW_PICTURE};
    std::vector<bool> shown;
    onDialog = [&](QDialog& dialog) {
        auto& settings = static_cast<CSettingsDlg&>(dialog);
        shown.clear();
        for (int id : checks)
            shown.push_back(settings.IsChecked(id));
        for (int id : checks)
            settings.ControlAs<QAbstractButton>(id)->click();
        settings.SetControlText(CSettingsDlg::IDC_OUTPUT_WIDTH, "64");
        settings.SetRadioIndex(CSettingsDlg::IDC_COMMON_FRACTIONS, 1);
        settings.ControlAs<QPushButton>(IdOk)->click();
        return dialog.result();
    };
    OpenSettings();
    EXPECT_EQ(shown, (std::vector<bool>{true, false, true})) << "the defaults";

    wizard = std::make_unique<CEntryDlg>();
    const DisplaySettings& kept = wizard->Settings();
    EXPECT_FALSE(kept.explainMistakes);
    EXPECT_TRUE(kept.generalProblems);
    EXPECT_FALSE(kept.showPicture);
    EXPECT_EQ(kept.outputWidth, 64);
    EXPECT_EQ(kept.displayMode, DisplayMode::DecimalFractions);
    OpenSettings();
    EXPECT_EQ(shown, (std::vector<bool>{false, true, false})) << "the dialog shows them";
}
