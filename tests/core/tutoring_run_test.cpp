#include "core/tutoring_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>

#include "core/element_draw.h"
#include "core/solution.h"
#include "tests/core/fake_tutoring_window.h"
#include "tests/core/random_problem.h"

namespace {

using Event = FakeTutoringWindow::Event;

// max F = 3x1 + x2 with x2 and x3 basic. The first table goes on with key column x1 and key
// row 2; the second table is optimal with F = 10.
Problem TwoStepProblem(bool isMax = true)
{
    int sign = isMax ? 1 : -1;
    return BuildTestProblem({{{Q(4), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(0), Q(1)}},
                             {Q(3 * sign), Q(sign), Q(0)},
                             Q(0),
                             isMax,
                             {2, 3}});
}

// max F = x1 with x1 basic: the first table is already optimal.
Problem OptimalProblem()
{
    return BuildTestProblem({{{Q(5), Q(1), Q(2)}}, {Q(1), Q(-1)}, Q(2), true, {1}});
}

std::vector<std::pair<int, int>> AskedNewTableElements(const FakeTutoringWindow& window)
{
    std::vector<std::pair<int, int>> cells;
    for (const Event& e : window.EventsOf("element"))
        if (e.caption == "3")
            cells.push_back({e.row, e.column});
    return cells;
}

class TutoringRunTest : public testing::Test {
protected:
    void SetUp() override { SeedElementDraw(12345); }
};

TEST_F(TutoringRunTest, RightAnswersLeadFromTheFirstTableToSuccess)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();

    EXPECT_EQ(window.Status(), "Задача успешно решена: x1 = 3, x2 = 1, x3 = 0; F = 10");
    EXPECT_TRUE(window.runActive);
    ASSERT_EQ(window.Snapshots().size(), 2u);
    EXPECT_EQ(window.run.TableNumber(), 3);
    // the first table completed by the student, then the optimal one
    EXPECT_EQ(window.SnapshotText(0, {1, Basis}), "x2");
    EXPECT_EQ(window.SnapshotText(0, {3, 1}), "4");
    EXPECT_EQ(window.SnapshotText(0, {3, 2}), "-2");
    EXPECT_EQ(window.SnapshotText(1, {2, Basis}), "x1");
    EXPECT_EQ(window.SnapshotText(1, {2, Price}), "3");
    EXPECT_EQ(window.SnapshotText(1, {1, 4}), "-1/2");
    EXPECT_EQ(window.SnapshotText(1, {3, 1}), "10");

    std::vector<std::string> kinds;
    for (const Event& e : window.events)
        kinds.push_back(e.kind);
    std::vector<std::string> expected = {"basis", "basis"};
    expected.insert(expected.end(), 4, "element");
    expected.insert(expected.end(), {"yes/no", "key column", "key element"});
    expected.insert(expected.end(), 4 + 5, "element");
    expected.insert(expected.end(), {"yes/no", "message"});
    EXPECT_EQ(kinds, expected);
    const Event& last = window.events.back();
    EXPECT_EQ(last.text, "Теперь вам не составит труда выписать решение из таблицы");
    EXPECT_EQ(last.caption, "Таблитор");
    EXPECT_EQ(last.icon, MessageIcon::Information);
    EXPECT_EQ(window.EventsOf("yes/no")[0].text, "Вы хотите строить следующую таблицу?");
}

TEST_F(TutoringRunTest, RandomProblemsEndWithSuccessForARightStudent)
{
    std::mt19937 random(31);
    int succeeded = 0;
    int unboundedEndings = 0;
    for (int trial = 0; trial < 150; ++trial) {
        SCOPED_TRACE(testing::Message() << "trial " << trial);
        Problem problem = BuildTestProblem(RandomCanonicalProblem(random, 5, 8));
        problem.isMax = trial % 2;
        FakeTutoringWindow window(problem);
        window.displayMode = trial % 3 == 0 ? DisplayMode::DecimalFractions : DisplayMode::CommonFractions;
        window.run.RunTutoring();
        const bool unbounded = ClassifyTable(problem) == StepStatus::NoSolution || HasBlockedColumn(problem);
        const std::string success = "Задача успешно решена: " + AnswerText(problem, DisplayMode::CommonFractions);
        ASSERT_EQ(window.Status(), unbounded ? "Задача не имеет решения: функция не ограничена" : success);
        ASSERT_TRUE(window.runActive);
        EXPECT_EQ(window.Snapshots().size(), static_cast<size_t>(window.run.TableNumber() - 1));
        EXPECT_TRUE(window.EventsOf("fail").empty());
        EXPECT_EQ(window.EventsOf("message").size(), 1u) << "the ending only: no repeated basis";
        unboundedEndings += unbounded;
        StepStatus status = ClassifyTable(problem);
        EXPECT_TRUE(status != StepStatus::Continue || HasBlockedColumn(problem));
        ++succeeded;
    }
    EXPECT_EQ(succeeded, 150);
    EXPECT_GT(unboundedEndings, 0) << "the trials include unbounded problems";
}

struct FailureCase {
    const char* name;
    std::function<void(FakeTutoringWindow&)> script;
    const char* status;
    size_t snapshots;
    const char* lastQuestion; // the question during which the run failed
};

TEST_F(TutoringRunTest, EveryFailureWritesItsReasonAtItsMoment)
{
    const FailureCase cases[] = {
        {"wrong basis twice", [](auto& w) { w.basisAnswers = {"x1", "x1"}; },
         "Неизвестное x1 не является базисным в 1 уравнении", 1, "basis"},
        {"wrong basis of equation 2", [](auto& w) { w.basisAnswers = {"x2", "x2", "x1"}; },
         "Неизвестное x1 не является базисным в 2 уравнении", 1, "basis"},
        {"index row free term", [](auto& w) { w.elementAnswers = {"1", "2", "3"}; },
         "Элемент индексной строки Ind(0) рассчитан неверно", 1, "element"},
        {"index row of x2", [](auto& w) { w.elementAnswers = {"4", "-2", "7", "7", "7"}; },
         "Элемент индексной строки Ind(2) рассчитан неверно", 1, "element"},
        {"No while not all iterations are done", [](auto& w) { w.decisions = {false}; },
         "Решение о следующей итерации принято неверно", 1, "yes/no"},
        {"key column", [](auto& w) { w.keyColumnAnswers = {2, 3}; }, "Ключевой столбец выбран неправильно", 1,
         "key column"},
        {"key element", [](auto& w) { w.keyElementAnswers = {1, 1}; }, "Ключевой элемент выбран неправильно", 1,
         "key element"},
        {"key row", [](auto& w) { w.elementAnswers = {"4", "-2", "0", "0", "0", "0", "0"}; },
         "Элемент ключевой строки B(2) рассчитан неверно", 1, "element"},
        {"key row of x3",
         [](auto& w) { w.elementAnswers = {"4", "-2", "0", "0", "3", "1", "0", "0", "0", "1"}; },
         "Элемент ключевой строки A(2,3) рассчитан неверно", 1, "element"},
        {"new table element",
         [](auto& w) { w.elementAnswers = {"4", "-2", "0", "0", "3", "1", "0", "1/2", "9", "9", "9"}; },
         "Элемент A(1,2) рассчитан неверно", 1, "element"},
        {"Yes after the last table", [](auto& w) { w.decisions = {true, true}; },
         "Решение о следующей итерации принято неверно", 2, "yes/no"},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.name);
        SeedElementDraw(12345);
        Problem problem = TwoStepProblem();
        FakeTutoringWindow window(problem);
        c.script(window);
        window.run.RunTutoring();
        EXPECT_EQ(window.Status(), c.status);
        EXPECT_FALSE(window.runActive);
        EXPECT_EQ(window.EventsOf("fail").size(), 1u);
        EXPECT_EQ(window.Snapshots().size(), c.snapshots);
        // nothing is asked after the failure
        std::string lastQuestion;
        for (const Event& e : window.events)
            if (e.kind != "message" && e.kind != "fail")
                lastQuestion = e.kind;
        EXPECT_EQ(lastQuestion, c.lastQuestion);
        EXPECT_EQ(window.events.back().kind, "fail");
    }
}

// Max F = 2x1 + x2, x1 - x2 + x3 = 1, -2x1 + x2 + x4 = 2: after the pivot on x1 the index row is
// 2, 0, -3, 2, 0 and column x2 is (-1, -1). There is no solution to write out.
TEST_F(TutoringRunTest, UnboundedFunctionIsNoSuccess)
{
    auto textbook = [] {
        return BuildTestProblem({{{Q(1), Q(1), Q(-1), Q(1), Q(0)}, {Q(2), Q(-2), Q(1), Q(0), Q(1)}},
                                 {Q(2), Q(1), Q(0), Q(0)}, Q(0), true, {3, 4}});
    };
    Problem problem = textbook();
    FakeTutoringWindow right(problem);
    right.run.RunTutoring();
    EXPECT_EQ(right.SnapshotText(1, {3, 3}), "-3");
    EXPECT_EQ(right.Status(), "Задача не имеет решения: функция не ограничена");
    EXPECT_EQ(right.run.GetEnding(), TutoringRun::Ending::Unbounded);
    const Event& told = right.events.back();
    EXPECT_EQ(told.text, "Верно: целевая функция не ограничена, задача не имеет решения");
    EXPECT_EQ(told.icon, MessageIcon::Information);
    EXPECT_TRUE(right.runActive);

    Problem again = textbook();
    FakeTutoringWindow wrong(again);
    wrong.decisions = {true, true};
    wrong.run.RunTutoring();
    EXPECT_EQ(wrong.EventsOf("message").back().text, "Вы приняли неверное решение, так как все итерации выполнены");
    EXPECT_FALSE(wrong.runActive);
}

TEST_F(TutoringRunTest, WrongDecisionsAreExplained)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow early(problem);
    early.decisions = {false};
    early.run.RunTutoring();
    auto messages = early.EventsOf("message");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Вы приняли неверное решение, так как не все итерации выполнены");
    EXPECT_EQ(messages[0].caption, "Таблитор");
    EXPECT_EQ(messages[0].icon, MessageIcon::Exclamation);

    Problem optimal = OptimalProblem();
    FakeTutoringWindow late(optimal);
    late.decisions = {true};
    late.run.RunTutoring();
    EXPECT_EQ(late.EventsOf("message").at(0).text, "Вы приняли неверное решение, так как все итерации выполнены");
    EXPECT_EQ(late.Status(), "Решение о следующей итерации принято неверно");
}

TEST_F(TutoringRunTest, ToleratedMistakesAreForgiven)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.basisAnswers = {"x1"};
    window.elementAnswers = {"5", "6"};
    window.keyColumnAnswers = {2};
    window.keyElementAnswers = {1};
    window.run.RunTutoring();
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    std::vector<std::pair<std::string, std::string>> messages;
    for (const Event& e : window.EventsOf("message"))
        messages.push_back({e.text, e.caption});
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Неизвестное x1 не является базисным в 1 уравнении", "Ошибка ввода"},
        {"Расчет неверный, повторите еще раз", "Ошибка"},
        {"Расчет неверный, повторите еще раз", "Ошибка"},
        {"Ключевой столбец выбран неправильно", "Ошибка"},
        {"Ключевой элемент выбран неправильно", "Ошибка"},
        {"Теперь вам не составит труда выписать решение из таблицы", "Таблитор"},
    };
    EXPECT_EQ(messages, expected);
}

TEST_F(TutoringRunTest, InputThatCannotBeJudgedIsRefusedWithoutCounting)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.basisAnswers = {std::nullopt, std::nullopt, std::nullopt, "x1"};
    window.elementAnswers = {"1/0", "2+", "(-8)^(1/3)", "Ф", "7", "8"};
    window.keyColumnAnswers = {std::nullopt, std::nullopt, 2};
    window.keyElementAnswers = {std::nullopt, 1};
    window.run.RunTutoring();
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    std::vector<std::string> texts;
    for (const Event& e : window.EventsOf("message"))
        texts.push_back(e.text);
    EXPECT_EQ(texts[0], "Выберите базисное неизвестное");
    EXPECT_EQ(texts[3], "Неизвестное x1 не является базисным в 1 уравнении");
    EXPECT_EQ(texts[4], "Деление на 0");
    EXPECT_EQ(texts[5], "Ошибка синтаксиса Недопустимый оператор");
    EXPECT_EQ(texts[6], "Ошибка в процессе вычисления Возводимое число, котрое меньше нуля не в целой степени");
    EXPECT_EQ(texts[7], "Ошибка синтаксиса Отсутствует выражение");
    EXPECT_EQ(texts[8], "Расчет неверный, повторите еще раз");
    EXPECT_EQ(texts[10], "Введите целое число.");
}

TEST_F(TutoringRunTest, MinProblemIsJudgedOnDisplayedValues)
{
    Problem problem = TwoStepProblem(false); // min F = -3x1 - x2
    FakeTutoringWindow window(problem);
    // Ind(0) is -4 and Ind(1) is 2 as the student sees them: the internal values are wrong.
    window.elementAnswers = {"4", "-4", "-2", "2"};
    window.run.RunTutoring();
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    EXPECT_EQ(window.EventsOf("message").size(), 3u); // two wrong values and the success
    EXPECT_EQ(window.SnapshotText(0, {1, Price}), "-1");
    EXPECT_EQ(window.SnapshotText(0, {0, 2}), "-3");
    EXPECT_EQ(window.SnapshotText(1, {3, 1}), "-10");
}

TEST_F(TutoringRunTest, RandomElementsFollowTheSeededSequence)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    std::vector<std::pair<int, int>> focusAtQuestion;
    window.onQuestion = [&](const Event& e) {
        if (e.kind == "element" && e.caption == "3")
            focusAtQuestion.push_back({window.State().pointed->row, window.State().pointed->column});
    };
    window.run.RunTutoring();
    // Indices 2, 10, 11, 3, 0 of the 3 x 4 elements; the key row and key column were excluded.
    std::vector<std::pair<int, int>> expected = {{1, 3}, {3, 3}, {3, 4}, {1, 4}, {1, 1}};
    EXPECT_EQ(AskedNewTableElements(window), expected);
    std::vector<std::pair<int, int>> focus = {{1, 3}, {3, 3}, {3, 4}, {1, 4}, {1, 1}};
    EXPECT_EQ(focusAtQuestion, focus);
    std::vector<uint32_t> asked = {4, 5, 6, 7, 1, 9, 2, 10, 11, 3, 0};
    EXPECT_EQ(window.run.AskedElements(), asked);
    EXPECT_EQ(ElementDrawState(), 8099625u);

    // A second run in a new window starts at table 1 and continues the sequence.
    Problem again = TwoStepProblem();
    FakeTutoringWindow second(again);
    EXPECT_EQ(second.run.TableNumber(), 1);
    second.run.RunTutoring();
    expected = {{3, 1}, {3, 4}, {3, 3}, {1, 3}, {1, 4}};
    EXPECT_EQ(AskedNewTableElements(second), expected);
}

TEST_F(TutoringRunTest, StuckSequenceFallsBackToTheFirstFreeElements)
{
    // 2^30 times the multiplier is 2^30 again: every draw gives the same, already asked, index.
    SeedElementDraw(1u << 30);
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    std::vector<std::pair<int, int>> expected = {{1, 1}, {1, 3}, {1, 4}, {3, 1}, {3, 3}};
    EXPECT_EQ(AskedNewTableElements(window), expected);
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
}

TEST_F(TutoringRunTest, FewerRandomElementsWhenFewerAreLeft)
{
    // one equation, two unknowns: 2 x 3 elements, of which the key row and column take four
    Problem problem = BuildTestProblem({{{Q(2), Q(1), Q(1)}}, {Q(0), Q(1)}, Q(0), true, {1}});
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    EXPECT_EQ(AskedNewTableElements(window).size(), 2u);
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
}

TEST_F(TutoringRunTest, OptimalFirstTableEndsAtOnceOnNo)
{
    Problem problem = OptimalProblem();
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    EXPECT_EQ(window.Snapshots().size(), 1u);
    EXPECT_EQ(window.EventsOf("yes/no").size(), 1u);
}

TEST_F(TutoringRunTest, AlternativeTableIsBuiltOnYesAndNoThenSucceeds)
{
    // max F = x1 with x1 basic; x2 has a zero estimate and a positive coefficient.
    Problem problem = BuildTestProblem({{{Q(4), Q(1), Q(0), Q(1)}, {Q(2), Q(0), Q(1), Q(1)}},
                                        {Q(1), Q(0), Q(1)}, Q(0), true, {1, 2}});
    problem.ComputeIndexRow();
    ASSERT_EQ(ClassifyTable(problem), StepStatus::ContinueOnce);
    FakeTutoringWindow window(problem);
    window.decisions = {true, false};
    window.run.RunTutoring();
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    EXPECT_EQ(window.Snapshots().size(), 2u);
    EXPECT_EQ(problem.basis[2], 3);
}

TEST_F(TutoringRunTest, WindowShowsEachPhaseAsTheStudentSeesIt)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    EXPECT_EQ(window.Shown({1, Price}), "?");
    EXPECT_EQ(window.Shown({3, 2}), "?");
    EXPECT_EQ(window.Shown({Headings, 1}), "Св.чл.");
    EXPECT_EQ(window.Shown({0, 2}), "3");
    int questions = 0;
    window.onQuestion = [&](const Event& e) {
        SCOPED_TRACE(testing::Message() << "question " << questions);
        if (e.kind == "basis") {
            EXPECT_EQ(window.MarkAt({e.row, Price}), CellMark::Asked);
            EXPECT_EQ(window.MarkAt({e.row, Basis}), CellMark::Asked);
            EXPECT_EQ(window.Shown({1, Basis}), e.row == 1 ? "?" : "x2");
            EXPECT_EQ(window.Shown({2, Price}), "?");
        }
        if (e.kind == "element" && e.caption == "1") {
            EXPECT_EQ(window.MarkAt({3, e.column}), CellMark::Asked);
            EXPECT_EQ(window.MarkAt({1, Price}), CellMark::None);
            EXPECT_EQ(window.Shown({2, Price}), "0");
            EXPECT_EQ(window.Shown({3, e.column}), "?");
            EXPECT_EQ(window.Shown({3, 1}), e.column == 1 ? "?" : "4");
        }
        if (e.kind == "element" && e.caption == "2") {
            EXPECT_TRUE(window.KeyRowShown());
            EXPECT_EQ(window.State().keyRow.LastColumn(), 4);
            EXPECT_EQ(window.KeyRowText(-1), "3");
            EXPECT_EQ(window.KeyRowText(0), "x1");
            EXPECT_EQ(window.KeyRowText(e.column), "?");
            EXPECT_EQ(window.KeyRowMark(e.column), CellMark::Asked);
            if (e.column > 1) {
                EXPECT_EQ(window.KeyRowText(1), "3");
                EXPECT_EQ(window.KeyRowMark(1), CellMark::Column);
            }
            // the previous table, with the chosen column and key element marked
            EXPECT_EQ(window.Shown({2, 1}), "6");
            EXPECT_EQ(window.MarkAt({1, 2}), CellMark::Column);
            EXPECT_EQ(window.MarkAt({2, 2}), CellMark::Candidate);
        }
        if (e.kind == "element" && e.caption == "3") {
            EXPECT_EQ(window.Shown({3, 1}), "4") << "still the previous table";
        }
        ++questions;
    };
    window.run.RunTutoring();
    // the new table, the key-row grid cleared and disabled, the column marks gone
    EXPECT_EQ(window.Shown({3, 1}), "10");
    EXPECT_EQ(window.Shown({2, Basis}), "x1");
    EXPECT_FALSE(window.KeyRowShown());
    EXPECT_EQ(window.KeyRowText(0), "");
    for (int row = 1; row <= 3; ++row)
        EXPECT_EQ(window.MarkAt({row, 2}), CellMark::None);
}

TEST_F(TutoringRunTest, FailureDuringTheKeyRowKeepsThePreviousTable)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.elementAnswers = {"4", "-2", "0", "0", "3", "1", "9", "9", "9"};
    window.run.RunTutoring();
    EXPECT_EQ(window.Status(), "Элемент ключевой строки A(2,2) рассчитан неверно");
    EXPECT_EQ(window.Snapshots().size(), 1u);
    EXPECT_EQ(window.Shown({3, 1}), "4");
    EXPECT_EQ(window.KeyRowText(1), "3");
    EXPECT_TRUE(AskedNewTableElements(window).empty());
}

const char kOverflowStatus[] = "Разбор прерван: числа таблицы стали слишком большими";
const char kOverflowMessage[] = "Числа этой таблицы стали слишком большими для точного счета, поэтому разбор задачи "
                                "прерван.\nЭто не ваша ошибка: попробуйте задачу с другими коэффициентами.";

// The values of the second table outgrow 64 bits: they are shown with all their digits, and the
// student's exact answers for them are right.
TEST_F(TutoringRunTest, NumbersBeyondSixtyFourBitsAreShownInFullAndJudgedExactly)
{
    const int64_t big = int64_t(1) << 40;
    Problem problem = BuildTestProblem({{{Q(big), Q(big - 1), Q(1), Q(0)}, {Q(big + 1), Q(big - 3), Q(0), Q(1)}},
                                        {Q(3 * big), Q(1), Q(1)}, Q(0), true, {2, 3}});
    FakeTutoringWindow window(problem);
    window.run.RunTutoring();
    EXPECT_TRUE(window.EventsOf("fail").empty());
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    ASSERT_GE(window.Snapshots().size(), 2u);
    EXPECT_EQ(window.SnapshotText(1, {3, 1}), "725355491769437211800371/219902325555")
        << "the objective value of the second table, every digit";
}

TEST_F(TutoringRunTest, OverflowReportForAWindowThatCannotShowItsFirstTable)
{
    Problem problem = TwoStepProblem();
    FakeTutoringWindow window(problem);
    window.run.ReportOverflow();
    EXPECT_EQ(window.Status(), kOverflowStatus);
    ASSERT_EQ(window.events.size(), 1u) << "one message, no question, no failure";
    EXPECT_EQ(window.events[0].kind, "message");
    EXPECT_EQ(window.events[0].text, kOverflowMessage);
    EXPECT_EQ(window.events[0].caption, "Таблитор");
    EXPECT_EQ(window.events[0].icon, MessageIcon::Exclamation);
    EXPECT_TRUE(window.runActive);
}

// Beale's example: degenerate, and the textbook rule goes round in a cycle on it. max F with the
// optimum 5/4 at x4 = x6 = 1.
Problem BealeProblem()
{
    return BuildTestProblem({{{Q(0), Q(1), Q(0), Q(0), Q(1, 4), Q(-8), Q(-1), Q(9)},
                              {Q(0), Q(0), Q(1), Q(0), Q(1, 2), Q(-12), Q(-1, 2), Q(3)},
                              {Q(1), Q(0), Q(0), Q(1), Q(0), Q(0), Q(1), Q(0)}},
                             {Q(0), Q(0), Q(0), Q(3, 4), Q(-20), Q(1, 2), Q(-6)},
                             Q(0),
                             true,
                             {1, 2, 3}});
}

// The smallest-index rule, chosen among the answers the judges accept.
int LowestNumberedKeyColumn(const Problem& problem)
{
    for (int k = 1; k <= problem.workUnknownCount; ++k)
        if (IsRightKeyColumn(problem, FindKeyColumn(problem), k))
            return k;
    return 0;
}

int KeyRowOfLowestNumberedBasic(const Problem& problem, int column)
{
    int chosen = 0;
    for (int i = 1; i <= problem.equationCount; ++i)
        if (IsRightKeyRow(problem, column, i) && (chosen == 0 || problem.basis[i] < problem.basis[chosen]))
            chosen = i;
    return chosen;
}

// The basic unknowns of every shown table, as the student reads them off the snapshots.
std::vector<std::set<std::string>> SnapshotBases(const FakeTutoringWindow& window)
{
    std::vector<std::set<std::string>> bases;
    for (const TableView& snapshot : window.Snapshots()) {
        std::set<std::string> names;
        for (int i = 1; i <= window.problem.equationCount; ++i)
            names.insert(CellText(snapshot.At({i, Basis}), DisplayMode::CommonFractions));
        bases.push_back(names);
    }
    return bases;
}

// Ends a run that would otherwise go on for ever: a No where a table is still to be built.
void StopAfterDecisions(FakeTutoringWindow& window, int limit)
{
    auto decisions = std::make_shared<int>(0);
    window.onQuestion = [&window, decisions, limit](const Event& e) {
        if (e.kind == "yes/no" && ++*decisions >= limit)
            window.decisions = {false};
    };
}

// Where the textbook rule goes round, the program's own solution takes the lowest numbers and ends.
TEST_F(TutoringRunTest, ProgramsOwnSolutionLeavesTheCycleOfBealesExample)
{
    const Solution solution = SolveProblem(BealeProblem(), DisplayMode::CommonFractions);
    EXPECT_EQ(solution.answer, "x1 = 3/4, x2 = 0, x3 = 0, x4 = 1, x5 = 0, x6 = 1, x7 = 0; F = 5/4");
    EXPECT_LT(solution.tables.size(), 20u);
}

const char kBealeCycle[] =
    "Таблица 7 повторяет базис таблицы 1: при таком выборе решение пойдет по кругу и не закончится. Чтобы "
    "выйти из цикла, берите из подходящих ключевых столбцов столбец с наименьшим номером, а из равноценных "
    "ключевых элементов — тот, в строке которого базисное неизвестное имеет наименьший номер.";

TEST_F(TutoringRunTest, TextbookRuleOnBealeExampleIsToldOfTheCycle)
{
    Problem problem = BealeProblem();
    FakeTutoringWindow window(problem);
    StopAfterDecisions(window, 7); // the student answers No at table 7
    window.run.RunTutoring();

    auto bases = SnapshotBases(window);
    ASSERT_EQ(bases.size(), 7u);
    EXPECT_EQ(std::set(bases.begin(), bases.begin() + 6).size(), 6u) << "tables 1 to 6 all differ";
    EXPECT_EQ(bases[6], bases[0]);
    auto messages = window.EventsOf("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, kBealeCycle);
    EXPECT_EQ(messages[0].caption, "Таблитор");
    EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    // told after table 7 was shown and taken, and the run went on to the next decision
    auto told = std::find_if(window.events.begin(), window.events.end(),
                             [](const Event& e) { return e.text == kBealeCycle; });
    ASSERT_NE(told, window.events.end());
    ASSERT_NE(told + 1, window.events.end());
    EXPECT_EQ((told + 1)->kind, "yes/no");
    EXPECT_EQ(window.run.TableNumber(), 8);
    EXPECT_EQ(messages[1].text, "Вы приняли неверное решение, так как не все итерации выполнены");
}

TEST_F(TutoringRunTest, LowestNumbersAfterTheCycleMessageSolveBealeExample)
{
    Problem problem = BealeProblem();
    FakeTutoringWindow window(problem);
    auto told = [&window] { return !window.EventsOf("message").empty(); };
    window.chooseKeyColumn = [told](const Problem& p) {
        return told() ? LowestNumberedKeyColumn(p) : FindKeyColumn(p);
    };
    window.chooseKeyRow = [told](const Problem& p, int column) {
        return told() ? KeyRowOfLowestNumberedBasic(p, column) : FindKeyRow(p, column);
    };
    StopAfterDecisions(window, 30);
    window.run.RunTutoring();

    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    EXPECT_TRUE(window.runActive);
    auto messages = window.EventsOf("message");
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text, kBealeCycle);
    EXPECT_EQ(problem.DisplayValue(problem.equationCount + 1, 1), Q(5, 4));
    EXPECT_EQ(window.Shown({4, 1}), "5/4");
    EXPECT_EQ(window.Snapshots().size(), static_cast<size_t>(window.run.TableNumber() - 1));
}

TEST_F(TutoringRunTest, AlternativeOptimumBuiltBackAgainIsNoCycle)
{
    // the problem of AlternativeTableIsBuiltOnYesAndNoThenSucceeds: x3, then x2 can enter at zero
    Problem problem = BuildTestProblem({{{Q(4), Q(1), Q(0), Q(1)}, {Q(2), Q(0), Q(1), Q(1)}},
                                        {Q(1), Q(0), Q(1)}, Q(0), true, {1, 2}});
    FakeTutoringWindow window(problem);
    window.decisions = {true, true, false};
    window.onQuestion = [&window](const Event& e) {
        if (e.kind == "yes/no" && window.run.TableNumber() == 4) {
            StepStatus status = ClassifyTable(window.problem);
            EXPECT_EQ(status, StepStatus::ContinueOnce);
            EXPECT_TRUE(IsRightDecision(window.problem, status, false)) << "the message advises No";
        }
    };
    window.run.RunTutoring();
    std::vector<std::string> texts;
    for (const Event& e : window.EventsOf("message")) {
        texts.push_back(e.text);
        EXPECT_EQ(e.icon, MessageIcon::Information);
    }
    std::vector<std::string> expected = {
        "Оптимальная таблица 3 повторяет таблицу 1, поэтому строить следующую таблицу не нужно.",
        "Теперь вам не составит труда выписать решение из таблицы",
    };
    EXPECT_EQ(texts, expected);
    EXPECT_TRUE(window.Status().starts_with("Задача успешно решена: ")) << window.Status();
    EXPECT_EQ(window.Snapshots().size(), 3u);
}

} // namespace
