#include "ui/table_dlg.h"

#include <QScreen>
#include <QScrollBar>
#include <qpa/qwindowsysteminterface.h>

#include <gtest/gtest.h>

#include <ostream>

#include "core/element_draw.h"
#include "tests/ui/run_fixture.h"
#include "ui/basis_dlg.h"
#include "ui/element_dlg.h"
#include "ui/settings_store.h"
#include "ui/solution_dlg.h"
#include "ui/table_places.h"

void PrintTo(const QString& text, std::ostream* out);

namespace {

const QString kSuccess = QString("Задача успешно решена: ") + kThreeTableAnswer;
const QString kSuccessMessage = "Теперь вам не составит труда выписать решение из таблицы";
const QString kParting = "Подготовьтесь, пожалуйста, получше и приходите\nв следующий раз!";
const QString kWrongDecision = "Решение о следующей итерации принято неверно";

// A message's first line, which reads as it always has; an explanation may follow it.
QString FirstLine(const QString& message) { return message.section("\n\n", 0, 0); }

using TableRunTest = RunFixture;

// The texts of one row of the main grid, columns 0..n+2.
QStringList RowTexts(const CGridCtrl& grid, int row)
{
    QStringList texts;
    for (int c = 0; c < grid.GetColumnCount(); ++c)
        texts << grid.GetCellText(row, c);
    return texts;
}

TEST_F(TableRunTest, RightAnswersSolveTheProblemOverThreeTables)
{
    EnterThreeTableProblem();
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    EXPECT_EQ(end.title, "3-я симплексная таблица (F-MAX)");
    EXPECT_EQ(student->titlesAsked,
              QStringList({"1-я симплексная таблица (F-MAX)", "2-я симплексная таблица (F-MAX)",
                           "3-я симплексная таблица (F-MAX)"}));
    EXPECT_EQ(student->MessageTexts(),
              QStringList({"Вы хотите строить следующую таблицу?", "Вы хотите строить следующую таблицу?",
                           "Вы хотите строить следующую таблицу?", kSuccessMessage}));
    EXPECT_EQ(student->shown.back().caption, "Таблитор");
    EXPECT_EQ(student->shown.back().icon, MessageBoxIcon::Information);
    // Two bases, three index-row cells and two more, two key choices, five key-row cells, five
    // elements of the new table, and the key choices of the second step.
    EXPECT_EQ(student->dialogsAnswered, 2 + 5 + 2 + 5 + 5 + 2);

    ASSERT_EQ(end.snapshots.size(), 3u);
    const TableSnapshot& first = end.snapshots.front();
    EXPECT_EQ(first[0], (std::vector<std::string>{"", "", "0", "2", "3", "0", "0"}));
    EXPECT_EQ(first[1], (std::vector<std::string>{"Цены", "Базис", "Св.чл.", "x1", "x2", "x3", "x4"}));
    EXPECT_EQ(first[2], (std::vector<std::string>{"0", "x3", "4", "1", "1", "1", "0"}));
    EXPECT_EQ(first[4], (std::vector<std::string>{"***", "ИС", "0", "-2", "-3", "0", "0"}));
    EXPECT_EQ(end.snapshots[1][3], (std::vector<std::string>{"3", "x2", "2", "1/3", "1", "0", "1/3"}));
    const TableSnapshot& last = end.snapshots.back();
    EXPECT_EQ(last[2], (std::vector<std::string>{"2", "x1", "3", "1", "0", "3/2", "-1/2"}));
    EXPECT_EQ(last[4], (std::vector<std::string>{"***", "ИС", "9", "0", "0", "3/2", "1/2"}));

    EXPECT_TRUE(student->keyRowEnabledWhileAsked);
    EXPECT_FALSE(end.keyRowEnabled);
    EXPECT_FALSE(end.keyRowCaptionEnabled);
    EXPECT_EQ(end.keyRowColumns, 0) << "the key row is cleared once the new table shows";
    EXPECT_TRUE(StartEnabled());
    EXPECT_TRUE(wizard->RunActive());
    EXPECT_TRUE(tones.empty());
}

// While the first table is completed, the cells asked so far show their values, the cell being
// asked is marked, and every later one still shows "?".
TEST_F(TableRunTest, FirstTableFillsItsQuestionMarksInOrder)
{
    EnterThreeTableProblem();
    std::vector<QStringList> basisColumns, indexRows;
    std::vector<COLORREF> promptColours;
    student->onQuestion = [&](CStepDlg& dialog) {
        CGridCtrl* main = qobject_cast<CTableDlg*>(dialog.parentWidget())->MainGrid();
        if (qobject_cast<CBasisDlg*>(&dialog) != nullptr) {
            basisColumns.push_back({main->GetCellText(2, 0), main->GetCellText(2, 1), main->GetCellText(3, 1)});
            promptColours.push_back(main->GetCellBackColor(1 + int(basisColumns.size()), 1));
        } else if (dialog.ControlText(CElementDlg::IDC_PROMPT).contains("индексной")) {
            indexRows.push_back(RowTexts(*main, 4).mid(2));
        }
    };
    StartRun();
    EXPECT_EQ(basisColumns, (std::vector<QStringList>{{"?", "?", "?"}, {"0", "x3", "?"}}));
    EXPECT_EQ(promptColours, (std::vector<COLORREF>{PromptColour, PromptColour}));
    ASSERT_EQ(indexRows.size(), 5u);
    EXPECT_EQ(indexRows[0], QStringList({"?", "?", "?", "?", "?"}));
    EXPECT_EQ(indexRows[2], QStringList({"0", "-2", "?", "?", "?"}));
    EXPECT_EQ(indexRows[4], QStringList({"0", "-2", "-3", "0", "?"}));
}

struct FailurePoint {
    const char* name;
    std::function<void(KeyboardStudent&)> script;
    QString status;
    QString message; // the message before the parting one, if any
    size_t snapshots;
};

void PrintTo(const FailurePoint& point, std::ostream* out) { *out << point.name; }


class RunFailureTest : public RunFixture, public testing::WithParamInterface<FailurePoint> {};

TEST_P(RunFailureTest, EndsTheRunWithItsReasonAndThePartingMessage)
{
    const FailurePoint& point = GetParam();
    EnterThreeTableProblem();
    point.script(*student);
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, point.status);
    const QStringList messages = student->MessageTexts();
    ASSERT_GE(messages.size(), 2);
    EXPECT_EQ(messages.last(), kParting);
    EXPECT_EQ(student->shown.back().icon, MessageBoxIcon::Information);
    EXPECT_EQ(FirstLine(messages[messages.size() - 2]), point.message);
    EXPECT_TRUE(end.solutionEnabled);
    EXPECT_EQ(end.snapshots.size(), point.snapshots);
    EXPECT_EQ(tones, (std::vector<std::pair<int, int>>{{400, 500}}));
    EXPECT_FALSE(wizard->RunActive());
    EXPECT_FALSE(StartEnabled());
    EXPECT_TRUE(wizard->isVisible());
    EXPECT_EQ(wizard->Page(), 6);
}

INSTANTIATE_TEST_SUITE_P(
    EveryQuestion, RunFailureTest,
    testing::Values(
        FailurePoint{"Basis", [](KeyboardStudent& s) { s.basisAnswers = {"x1", "x2"}; },
                     "Неизвестное x2 не является базисным в 1 уравнении",
                     "Неизвестное x1 не является базисным в 1 уравнении", 1},
        FailurePoint{"IndexRow", [](KeyboardStudent& s) { s.indexRowAnswers = {"0", "2", "-3", "2/3", "-2.01"}; },
                     "Элемент индексной строки Ind(1) рассчитан неверно", "Расчет неверный, повторите еще раз", 1},
        FailurePoint{"NoWhileNotOptimal", [](KeyboardStudent& s) { s.decisions = {false}; }, kWrongDecision,
                     "Вы приняли неверное решение, так как не все итерации выполнены", 1},
        FailurePoint{"YesWhenOptimal", [](KeyboardStudent& s) { s.decisions = {true, true, true}; }, kWrongDecision,
                     "Вы приняли неверное решение, так как все итерации выполнены", 3},
        FailurePoint{"KeyColumn", [](KeyboardStudent& s) { s.keyColumnAnswers = {"3", "4"}; },
                     "Ключевой столбец выбран неправильно", "Ключевой столбец выбран неправильно", 1},
        FailurePoint{"KeyElement", [](KeyboardStudent& s) { s.keyElementAnswers = {"1", "1"}; },
                     "Ключевой элемент выбран неправильно", "Ключевой элемент выбран неправильно", 1},
        FailurePoint{"KeyRow", [](KeyboardStudent& s) { s.keyRowAnswers = {"2", "1/3", "7", "7", "7"}; },
                     "Элемент ключевой строки A(2,2) рассчитан неверно", "Расчет неверный, повторите еще раз", 1}),
    [](const testing::TestParamInfo<FailurePoint>& info) { return info.param.name; });

// A first wrong value shows the rule with the cells it uses, a second one the table's numbers in
// it; with the setting off, as it is kept for the next start, the message is its first line alone.
TEST_F(TableRunTest, WrongIndexRowValuesAreExplainedUnlessTheSettingIsOff)
{
    const QString wrong = "Расчет неверный, повторите еще раз";
    const QString rule = wrong + "\n\nОценка Ind(1) — сумма произведений цен базисных неизвестных на элементы "
                                 "столбца x1 минус коэффициент функции при x1:\nInd(1) = C(3)·A(1,1) + C(4)·A(2,1) − C(1)";
    for (bool explain : {true, false}) {
        DisplaySettings settings = LoadSettings();
        settings.explainMistakes = explain;
        SaveSettings(settings);
        TearDown();
        SetUp();
        EnterThreeTableProblem();
        student->indexRowAnswers = {"0", "1", "-3", "-2"};
        EXPECT_EQ(StartRun().status, kSuccess);
        const QStringList shown = student->MessageTexts().mid(0, 2);
        ASSERT_EQ(shown.size(), 2);
        EXPECT_EQ(shown[0].startsWith(rule + "\nЗдесь"), explain) << shown[0].toStdString();
        EXPECT_EQ(shown[1].startsWith(rule + " = 0·1 + 0·1 − 2\nЗдесь"), explain) << shown[1].toStdString();
        if (!explain) {
            EXPECT_EQ(shown, QStringList({wrong, wrong}));
        }
    }
}

// "Решение" waits for the end of the run, then shows the program's own tables, titled and marked
// as the run shows them, and the answer under the last.
TEST_F(TableRunTest, SolutionOpensOnceTheRunHasEndedWithEveryTableAndTheAnswer)
{
    EnterThreeTableProblem();
    int enabledWhileAsked = 0;
    student->onQuestion = [&](CStepDlg& dialog) {
        const auto* table = qobject_cast<CTableDlg*>(dialog.parentWidget());
        enabledWhileAsked += table->Control(CTableDlg::IDC_SOLUTION)->isEnabled();
    };
    QStringList titles;
    QString answer;
    std::vector<QStringList> indexRows;
    COLORREF firstKeyElement = 0;
    student->onOtherDialog = [&](QDialog& dialog) {
        auto& solution = dynamic_cast<CSolutionDlg&>(dialog);
        titles = solution.Titles();
        answer = solution.Answer();
        for (const CGridCtrl* grid : solution.Grids())
            indexRows.push_back(RowTexts(*grid, 4));
        firstKeyElement = solution.Grids().front()->GetCellBackColor(3, 4);
        return IdOk;
    };
    student->onRunEnded = [](CTableDlg& table) { table.ControlAs<QPushButton>(CTableDlg::IDC_SOLUTION)->click(); };
    RunEnd end = StartRun();
    EXPECT_EQ(enabledWhileAsked, 0);
    EXPECT_TRUE(end.solutionEnabled);
    EXPECT_EQ(titles, QStringList({"1-я симплексная таблица (F-MAX)", "2-я симплексная таблица (F-MAX)",
                                   "3-я симплексная таблица (F-MAX)"}));
    ASSERT_EQ(indexRows.size(), 3u);
    for (size_t t = 0; t < indexRows.size(); ++t) {
        QStringList runs;
        for (const std::string& text : end.snapshots[t][4])
            runs << QString::fromStdString(text);
        EXPECT_EQ(indexRows[t], runs) << "table " << t + 1;
    }
    EXPECT_EQ(firstKeyElement, CandidateColour) << "x2 enters at the second equation";
    EXPECT_EQ(answer, kThreeTableAnswer);
}

TEST_F(TableRunTest, WrongNewTableElementEndsTheRunNamingTheElement)
{
    EnterThreeTableProblem();
    student->newTableAnswers = {"100", "100", "100"};
    RunEnd end = StartRun();
    const auto [row, column] = student->lastElement;
    const QString element = column == 1 ? QString("B(%1)").arg(row) : QString("A(%1,%2)").arg(row).arg(column - 1);
    EXPECT_EQ(end.status, "Элемент " + element + " рассчитан неверно");
    EXPECT_EQ(end.title, "1-я симплексная таблица (F-MAX)") << "the new table is not shown";
    EXPECT_EQ(end.snapshots.size(), 1u);
    EXPECT_FALSE(StartEnabled());
}

TEST_F(TableRunTest, FailedKeyRowKeepsThePreviousTableOnScreen)
{
    EnterThreeTableProblem();
    student->keyRowAnswers = {"1", "1", "1"};
    QStringList mainRow;
    student->onRunEnded = [&](CTableDlg& table) { mainRow = RowTexts(*table.MainGrid(), 3); };
    Start();
    EXPECT_EQ(mainRow, QStringList({"0", "x4", "6", "1", "3", "0", "1"}));
}

TEST_F(TableRunTest, CalculatorErrorsAreRefusedWithoutCounting)
{
    EnterThreeTableProblem();
    student->indexRowAnswers = {"1/0", "2 3", "1e5", "(1", "5", "6", "0"};
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    QStringList messages = student->MessageTexts().mid(0, 6);
    EXPECT_EQ(messages[0], "Деление на 0");
    EXPECT_TRUE(messages[1].startsWith("Ошибка синтаксиса ")) << messages[1].toStdString();
    EXPECT_TRUE(messages[1].contains("3"));
    EXPECT_TRUE(messages[2].contains("e5")) << messages[2].toStdString();
    EXPECT_TRUE(messages[3].startsWith("Ошибка синтаксиса ")) << messages[3].toStdString();
    EXPECT_EQ(FirstLine(messages[4]), "Расчет неверный, повторите еще раз");
    EXPECT_EQ(FirstLine(messages[5]), "Расчет неверный, повторите еще раз");
    EXPECT_EQ(student->MessageCaptions().mid(0, 6), QStringList({"Ошибка вычисления", "Ошибка ввода", "Ошибка ввода",
                                                                 "Ошибка ввода", "Ошибка", "Ошибка"}));
}

TEST_F(TableRunTest, BasisOkWithNothingChosenIsAskedAgainAnyNumberOfTimes)
{
    EnterThreeTableProblem();
    student->basisAnswers = {"", "", "", ""};
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    EXPECT_EQ(student->MessageTexts().count("Выберите базисное неизвестное"), 4);
}

// Max F = x1 + x2 on x1 + x2 + x3 = 4: the second table is optimal, and x2 may enter instead.
TEST_F(TableRunTest, AlternativeOptimumMayBeBuiltOrNot)
{
    for (bool buildIt : {false, true}) {
        SCOPED_TRACE(buildIt);
        TearDown();
        SetUp();
        EnterProblem({{"1", "1", "1", "=", "4"}}, {"0", "1", "1", "0"});
        if (buildIt)
            student->decisions = {true, true, false};
        RunEnd end = StartRun();
        EXPECT_EQ(end.status, buildIt ? "Задача успешно решена: x1 = 0, x2 = 4, x3 = 0; F = 4"
                                      : "Задача успешно решена: x1 = 4, x2 = 0, x3 = 0; F = 4");
        EXPECT_EQ(end.snapshots.size(), buildIt ? 3u : 2u);
        if (buildIt) {
            EXPECT_EQ(end.snapshots.back()[2][1], "x2");
        }
    }
}

// Max F = x1 on -x1 + x2 = 1: x1 can grow without end.
TEST_F(TableRunTest, UnboundedObjectiveEndsWithNo)
{
    EnterProblem({{"-1", "1", "=", "1"}}, {"0", "1", "0"});
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, "Задача не имеет решения: функция не ограничена");
    EXPECT_EQ(student->MessageTexts().last(), "Верно: целевая функция не ограничена, задача не имеет решения");
    EXPECT_EQ(student->shown.back().icon, MessageBoxIcon::Information);
    EXPECT_EQ(end.snapshots.size(), 1u);

    TearDown();
    SetUp();
    EnterProblem({{"-1", "1", "=", "1"}}, {"0", "1", "0"});
    student->decisions = {true};
    end = StartRun();
    EXPECT_EQ(end.status, kWrongDecision);
    EXPECT_EQ(FirstLine(student->MessageTexts().at(student->MessageTexts().size() - 2)),
              "Вы приняли неверное решение, так как все итерации выполнены");
}

// A general problem: told of its canonical form first, then solved by the M-method, its index row
// asked in two rows; and one whose constraints have no common solution.
TEST_F(TableRunTest, GeneralProblemsRunToTheirEnds)
{
    wizard->Settings().generalProblems = true;
    EnterProblem({{"2", "1", "<=", "10"}, {"1", "3", ">=", "6"}}, {"0", "3", "2"});
    QStringList labels;
    student->onQuestion = [&](CStepDlg& dialog) {
        if (qobject_cast<CElementDlg*>(&dialog) != nullptr)
            labels << dialog.ControlText(CElementDlg::IDC_LABEL);
    };
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, "Задача успешно решена: x1 = 0, x2 = 10; F = 20") << "the student's own unknowns";
    ASSERT_FALSE(student->shown.empty());
    EXPECT_EQ(student->shown.front().caption, "Приведение к каноническому виду");
    EXPECT_TRUE(student->shown.front().text.contains("добавлено искусственное неизвестное y1 с ценой -M"));
    EXPECT_EQ(labels.mid(0, 12), QStringList({"Ind(0)=", "Ind(1)=", "Ind(2)=", "Ind(3)=", "Ind(4)=", "Ind(5)=",
                                              "M(0)=", "M(1)=", "M(2)=", "M(3)=", "M(4)=", "M(5)="}));
    const TableSnapshot& first = end.snapshots.front();
    ASSERT_EQ(first.size(), 6u) << "the headings, two equations and the index row's two rows";
    EXPECT_EQ(first[0], (std::vector<std::string>{"", "", "0", "3", "2", "0", "0", "-M"}));
    EXPECT_EQ(first[3], (std::vector<std::string>{"-M", "y1", "6", "1", "3", "0", "-1", "1"}));
    EXPECT_EQ(first[5], (std::vector<std::string>{"", "M", "-6", "-1", "-3", "0", "1", "0"}));

    TearDown();
    SetUp();
    wizard->Settings().generalProblems = true;
    EnterProblem({{"1", "1", "<=", "1"}, {"1", "1", ">=", "3"}}, {"0", "1", "1"});
    end = StartRun();
    EXPECT_EQ(end.status, "Задача не имеет решения: система ограничений несовместна");
    EXPECT_EQ(student->MessageTexts().last(), "Система ограничений несовместна");
}

TEST_F(TableRunTest, DecimalModeShowsThreeDecimalsInTheEnteredSigns)
{
    wizard->Settings().displayMode = DisplayMode::DecimalFractions;
    EnterProblem({{"1", "1", "1", "0", "=", "4"}, {"1", "3", "0", "1", "=", "6"}}, {"0", "-2", "-3", "0", "0"}, "Min");
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, "Задача успешно решена: x1 = 3.000, x2 = 1.000, x3 = 0.000, x4 = 0.000; F = -9.000");
    EXPECT_EQ(end.title, "3-я симплексная таблица (F-MIN)");
    EXPECT_EQ(end.snapshots[0][0], (std::vector<std::string>{"", "", "0.000", "-2.000", "-3.000", "0.000", "0.000"}));
    EXPECT_EQ(end.snapshots[1][3][3], "0.333");
    EXPECT_EQ(end.snapshots[2][4][2], "-9.000");
    EXPECT_EQ(end.snapshots[2][2][0], "-2.000");
}

TEST_F(TableRunTest, SecondStartOpensANewWindowAndTheDrawGoesOn)
{
    EnterThreeTableProblem();
    SeedElementDraw(12345);
    StartRun();
    const uint32_t afterFirstRun = ElementDrawState();
    student->titlesAsked.clear();
    uint32_t atSecondRun = 0;
    student->onQuestion = [&](CStepDlg&) {
        if (atSecondRun == 0)
            atSecondRun = ElementDrawState();
    };
    RunEnd end = StartRun();
    EXPECT_EQ(end.status, kSuccess);
    EXPECT_EQ(end.snapshots.size(), 3u);
    EXPECT_EQ(student->titlesAsked.front(), "1-я симплексная таблица (F-MAX)");
    EXPECT_EQ(atSecondRun, afterFirstRun);
}

// Four large primes as denominators: the first index cell needs a denominator of about 124 bits.
// The table holds it exactly, shows every digit, and judges the exact answer typed for it.
TEST_F(TableRunTest, NumbersBeyondSixtyFourBitsAreShownAndJudgedExactly)
{
    EnterProblem({{"1", "0", "=", "1/2147483629"}, {"0", "1", "=", "1/2147483579"}},
                 {"0", "1/2147483647", "1/2147483587"});
    QString indexValue;
    student->onRunEnded = [&](CTableDlg& table) { indexValue = table.MainGrid()->GetCellText(4, 2); };
    RunEnd end = StartRun();
    EXPECT_TRUE(end.status.startsWith("Задача успешно решена: ")) << end.status.toStdString();
    EXPECT_EQ(indexValue, "9223371714732232836/21267646447030638312596530828283033699");
    EXPECT_TRUE(tones.empty());
}

TEST_F(TableRunTest, CancelInTheWizardClosesTheTableWindowFirst)
{
    EnterThreeTableProblem();
    bool tableClosed = false;
    student->onRunEnded = [&](CTableDlg& table) {
        Press(IdCancel);
        tableClosed = !table.isVisible();
    };
    Start();
    EXPECT_TRUE(tableClosed);
    EXPECT_FALSE(wizard->isVisible());
    EXPECT_EQ(wizard->result(), IdCancel);
}

// The question whether to build a further table stands below the table window, so that the
// index row it is about stays in sight.
TEST_F(TableRunTest, WindowsStayOnTheScreen)
{
    EnterThreeTableProblem();
    const QRect available = QGuiApplication::primaryScreen()->availableGeometry();
    std::vector<QRect> frames;
    student->onQuestion = [&](CStepDlg& dialog) {
        frames.push_back(dialog.frameGeometry());
        frames.push_back(dialog.parentWidget()->frameGeometry());
    };
    int belowTable = 0;
    ScopedModalResponder watcher([&](const ModalRequest& request) {
        if (request.buttons == MessageBoxButtons::YesNo) {
            frames.push_back(request.dialog->frameGeometry());
            belowTable += frames.back().top() > request.dialog->parentWidget()->frameGeometry().bottom();
        }
        return student->Answer(request);
    });
    StartRun();
    EXPECT_EQ(belowTable, 3);
    ASSERT_FALSE(frames.empty());
    for (const QRect& frame : frames)
        EXPECT_TRUE(available.contains(frame)) << frame.x() << "," << frame.y() << " " << frame.width() << "x"
                                               << frame.height();
}

// The grid follows the window; the controls below it keep their size and their distance to the
// bottom. A window lower than the grid's start height leaves the grid empty, never inside out,
// and the controls below it, which keep their distance to it, whole.
TEST_F(TableRunTest, ResizingTheWindowKeepsItsControlsInPlace)
{
    EnterThreeTableProblem();
    const int ids[] = {CTableDlg::IDC_MAIN_GRID, CTableDlg::IDC_KEY_ROW_CAPTION, CTableDlg::IDC_REPORT,
                       CTableDlg::IDC_STATUS, CTableDlg::IDC_KEY_ROW_GRID, CTableDlg::IDC_TITLE};
    std::vector<QRect> before, enlarged, restored;
    QRect captionWhenLow, gridWhenLow;
    student->onQuestion = [&](CStepDlg& dialog) {
        CTableDlg& table = *qobject_cast<CTableDlg*>(dialog.parentWidget());
        if (!before.empty())
            return;
        const QSize size = table.size();
        auto rects = [&] {
            std::vector<QRect> all;
            for (int id : ids)
                all.push_back(table.ControlRect(id));
            return all;
        };
        before = rects();
        table.resize(size + QSize(100, 100));
        enlarged = rects();
        table.resize(size.width(), size.height() - before[0].height() - 20);
        captionWhenLow = table.ControlRect(CTableDlg::IDC_KEY_ROW_CAPTION);
        gridWhenLow = table.ControlRect(CTableDlg::IDC_MAIN_GRID);
        table.resize(size);
        restored = rects();
    };
    StartRun();
    ASSERT_EQ(enlarged.size(), std::size(ids));
    EXPECT_EQ(enlarged[0], before[0].adjusted(0, 0, 100, 100));
    for (int i = 1; i <= 3; ++i)
        EXPECT_EQ(enlarged[i], before[i].translated(0, 100)) << ids[i];
    EXPECT_EQ(enlarged[4], before[4].translated(0, 100).adjusted(0, 0, 100, 0));
    EXPECT_EQ(enlarged[5], before[5]);
    EXPECT_EQ(gridWhenLow, QRect(before[0].topLeft(), QSize(before[0].width(), 0)));
    EXPECT_EQ(captionWhenLow.size(), before[1].size());
    EXPECT_EQ(restored, before);
}

} // namespace

namespace {

// A table larger than the window: 24 equations, x1 and a slack unknown in each.
std::pair<std::vector<QStringList>, QStringList> TallProblem()
{
    std::vector<QStringList> equations;
    const int m = 24;
    for (int i = 1; i <= m; ++i) {
        QStringList row{"1"};
        for (int k = 1; k <= m; ++k)
            row << (k == i ? "1" : "0");
        equations.push_back(row << "=" << QString::number(i));
    }
    QStringList objective{"0", "1"};
    for (int k = 1; k <= m; ++k)
        objective << "0";
    return {equations, objective};
}

} // namespace

// On a table larger than its window every question brings what it asks about into sight, and the
// table scrolls under the wheel while the question is open.
TEST_F(TableRunTest, QuestionsKeepWhatTheyAskInSightAndTheTableScrolls)
{
    const auto [equations, objective] = TallProblem();
    EnterProblem(equations, objective);
    int outOfSight = 0;
    int scrolled = 0;
    student->onQuestion = [&](CStepDlg& dialog) {
        CTableDlg& table = *qobject_cast<CTableDlg*>(dialog.parentWidget());
        CGridCtrl& main = *table.MainGrid();
        // A row alone is looked for in a column in sight, a column alone in the fixed top row.
        const InSight sight = table.State().tableInSight;
        int columnInSight = 0;
        while (!main.IsCellVisible(0, columnInSight))
            ++columnInSight;
        const CellPos shown{sight.row ? TableGridPlaces::Cell({*sight.row, 0}).row : 0,
                            sight.column ? TableGridPlaces::Column(*sight.column) : columnInSight};
        outOfSight += !main.IsCellVisible(shown.row, shown.column);
        if (qobject_cast<CBasisDlg*>(&dialog) == nullptr || scrolled != 0)
            return;
        // A wheel turn on the table, as a user's: through the window system, past any modality.
        const int before = main.verticalScrollBar()->value();
        const QPoint inside = main.viewport()->mapTo(&table, main.viewport()->rect().center());
        QWindowSystemInterface::handleWheelEvent(table.windowHandle(), inside, table.mapToGlobal(inside),
                                                 QPoint(), QPoint(0, -120));
        QCoreApplication::processEvents();
        scrolled = main.verticalScrollBar()->value() - before;
    };
    RunEnd end = StartRun();
    EXPECT_TRUE(end.status.startsWith("Задача успешно решена: ")) << end.status.toStdString();
    EXPECT_EQ(outOfSight, 0);
    EXPECT_GT(scrolled, 0);
}
