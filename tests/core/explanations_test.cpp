#include "core/explanations.h"

#include <gtest/gtest.h>

#include <random>

#include "core/calc.h"
#include "core/element_draw.h"
#include "core/solution.h"
#include "tests/core/fake_tutoring_window.h"
#include "tests/core/random_problem.h"

namespace {

using Event = FakeTutoringWindow::Event;

// max (or min) F = 3x1 + x2 with x2 and x3 basic; x1 enters at row 2. The first table's index row
// is 4, -2, 0, 0; the second table's B(1) = 1, A(1,3) = -1/2, Ind(3) = 1.
Problem TwoStepProblem(bool isMax)
{
    const int sign = isMax ? 1 : -1;
    return BuildTestProblem({{{Q(4), Q(1), Q(1), Q(0)}, {Q(6), Q(2), Q(0), Q(1)}},
                             {Q(3 * sign), Q(sign), Q(0)}, Q(0), isMax, {2, 3}});
}

// max F = x1 + x2: x1 has no positive element (the function is unbounded), x2 a negative one.
Problem BlockedColumnProblem()
{
    return BuildTestProblem({{{Q(4), Q(-1), Q(1), Q(1), Q(0)}, {Q(2), Q(0), Q(-1), Q(0), Q(1)}},
                             {Q(1), Q(1), Q(0), Q(0)}, Q(0), true, {3, 4}});
}

// max F = x1 + x2 on x1 + x2 + x3 = 4: the second table is optimal and x2 may enter instead.
Problem AlternativeOptimumProblem()
{
    return BuildTestProblem({{{Q(4), Q(1), Q(1), Q(1)}}, {Q(1), Q(1), Q(0)}, Q(0), true, {3}});
}

// max F = x1 on -x1 + x2 = 1: x1 grows without end.
Problem UnboundedProblem() { return BuildTestProblem({{{Q(1), Q(-1), Q(1)}}, {Q(1), Q(0)}, Q(0), true, {2}}); }

const std::string kWrong = "Расчет неверный, повторите еще раз\n\n";
const std::string kIndex1 = "Оценка Ind(1) — сумма произведений цен базисных неизвестных на элементы столбца x1 минус "
                            "коэффициент функции при x1:\nInd(1) = C(2)·A(1,1) + C(3)·A(2,1) − C(1)";
const std::string kLegend =
    "\nЗдесь C(j) — коэффициент функции при j-м неизвестном, у базисного неизвестного это его цена.";
const std::string kMaxSign = "Похоже, оценка взята со знаком задачи на максимум, а в задаче на минимум ее считают по "
                             "той же формуле, с коэффициентами функции в том виде, в каком они введены.\n";
const std::string kKeyRow = "Элемент ключевой строки новой таблицы — элемент ключевой строки прежней таблицы, деленный "
                            "на ключевой элемент A(2,1):\nB(2) = B(2) : A(2,1)";
const std::string kRectangle = "Элемент новой таблицы считают по правилу прямоугольника: из его прежнего значения "
                               "вычитают произведение элемента его строки в ключевом столбце на элемент ключевой "
                               "строки в его столбце, деленное на ключевой элемент A(2,1):\n";
const std::string kPrevious = "\nСправа — элементы прежней таблицы.";
const std::string kMultiplied = "Похоже, вы умножили на ключевой элемент A(2,1), а на него нужно делить.\n";

// Wrong values typed whenever the element (row, column) of the new table is asked.
void WrongNewTableElement(FakeTutoringWindow& w, int row, int column, std::deque<std::string> typed)
{
    w.onQuestion = [&w, row, column, typed](const Event& e) {
        if (e.kind == "element" && e.caption == "3" && e.row == row && e.column == column)
            w.elementAnswers = typed;
    };
}

struct ExplainedMistake {
    const char* name;
    Problem (*problem)();
    DisplayMode mode;
    std::function<void(FakeTutoringWindow&)> script;
    std::vector<std::string> messages; // the run's first messages
};

void PrintTo(const ExplainedMistake& row, std::ostream* out) { *out << row.name; }

class ExplainedMistakes : public testing::TestWithParam<ExplainedMistake> {};

TEST_P(ExplainedMistakes, MessageNamesTheRuleItBroke)
{
    const ExplainedMistake& row = GetParam();
    SeedElementDraw(12345);
    Problem problem = row.problem();
    FakeTutoringWindow window(problem, {row.mode, true});
    row.script(window);
    window.run.RunTutoring();
    std::vector<std::string> messages;
    for (const Event& e : window.EventsOf("message"))
        messages.push_back(e.text);
    messages.resize(std::min(messages.size(), row.messages.size()));
    EXPECT_EQ(messages, row.messages);
}

constexpr auto kCommon = DisplayMode::CommonFractions;
constexpr auto kDecimal = DisplayMode::DecimalFractions;
Problem Max() { return TwoStepProblem(true); }
Problem Min() { return TwoStepProblem(false); }

INSTANTIATE_TEST_SUITE_P(
    EachQuestionAndSlip, ExplainedMistakes,
    testing::Values(
        ExplainedMistake{"BasisNamesTheCoefficientThatBreaksTheRule", Max, kCommon,
                         [](auto& w) { w.basisAnswers = {"x1"}; },
                         {"Неизвестное x1 не является базисным в 1 уравнении\n\nБазисное неизвестное входит в свое "
                          "уравнение с коэффициентом 1, а в остальные уравнения — с коэффициентом 0. У x1 во 2 "
                          "уравнении коэффициент 2."}},
        ExplainedMistake{"IndexRowRuleThenItsNumbers", Max, kCommon,
                         [](auto& w) { w.elementAnswers = {"4", "-3", "-1"}; },
                         {kWrong + kIndex1 + kLegend, kWrong + kIndex1 + " = 1·1 + 0·2 − 3" + kLegend}},
        ExplainedMistake{"FreeTermOfTheIndexRowWithTheFunctionsFreeTerm", Max, kCommon,
                         [](auto& w) { w.elementAnswers = {"5"}; },
                         {kWrong + "Ind(0) — значение функции: сумма произведений цен базисных неизвестных на их "
                                   "свободные члены плюс свободный член функции:\nInd(0) = C(2)·B(1) + C(3)·B(2) + "
                                   "C(0)\nЗдесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                   "неизвестного это его цена; C(0) — свободный член функции."}},
        ExplainedMistake{"MinEstimateWithTheMaxSignInDecimals", Min, kDecimal,
                         [](auto& w) { w.elementAnswers = {"-4", "-2", "1"}; },
                         {kWrong + kMaxSign + kIndex1 + kLegend,
                          kWrong + kIndex1 + " = (−1.000)·1.000 + 0.000·2.000 − (−3.000)" + kLegend}},
        ExplainedMistake{"KeyRowOldValueThenMultiplied", Max, kCommon,
                         [](auto& w) { w.elementAnswers = {"4", "-2", "0", "0", "6", "12"}; },
                         {kWrong + "Это значение B(2) в прежней таблице, а в новой таблице его нужно пересчитать.\n" +
                              kKeyRow + kPrevious,
                          kWrong + kMultiplied + kKeyRow + " = 6 : 2" + kPrevious}},
        ExplainedMistake{"RectangleSignThenMultiplied", Max, kCommon,
                         [](auto& w) { WrongNewTableElement(w, 1, 4, {"1/2", "-2"}); },
                         {kWrong + "Ошибка в знаке.\n" + kRectangle + "A(1,3) = A(1,3) − A(1,1)·A(2,3) : A(2,1)" +
                              kPrevious,
                          kWrong + kMultiplied + kRectangle + "A(1,3) = A(1,3) − A(1,1)·A(2,3) : A(2,1) = 0 − 1·1 : 2" +
                              kPrevious}},
        ExplainedMistake{"RectangleOnTheIndexRowOfAMinimisation", Min, kCommon,
                         [](auto& w) { WrongNewTableElement(w, 3, 4, {"0", "1"}); },
                         {kWrong + "Это значение Ind(3) в прежней таблице, а в новой таблице его нужно пересчитать.\n" +
                              kRectangle + "Ind(3) = Ind(3) − Ind(1)·A(2,3) : A(2,1)" + kPrevious,
                          kWrong + kMaxSign + kRectangle + "Ind(3) = Ind(3) − Ind(1)·A(2,3) : A(2,1) = 0 − 2·1 : 2" +
                              kPrevious}},
        ExplainedMistake{"KeyColumnNotNegativeForMax", Max, kCommon, [](auto& w) { w.keyColumnAnswers = {2}; },
                         {"Ключевой столбец выбран неправильно\n\nОценка Ind(2) = 0 не отрицательна: ввод x2 в базис "
                          "не увеличит функцию. В задаче на максимум ключевым берут столбец с отрицательной оценкой."}},
        ExplainedMistake{"KeyColumnNotPositiveForMin", Min, kDecimal, [](auto& w) { w.keyColumnAnswers = {3}; },
                         {"Ключевой столбец выбран неправильно\n\nОценка Ind(3) = 0.000 не положительна: ввод x3 в "
                          "базис не уменьшит функцию. В задаче на минимум ключевым берут столбец с положительной "
                          "оценкой."}},
        ExplainedMistake{"KeyColumnWithoutAPositiveElementThenANegativeKeyElement", BlockedColumnProblem, kCommon,
                         [](auto& w) {
                             w.decisions = {true};
                             w.keyColumnAnswers = {1};
                             w.keyElementAnswers = {2};
                         },
                         {"Ключевой столбец выбран неправильно\n\nВ столбце x1 нет положительных элементов: x1 можно "
                          "увеличивать без конца, а это значит, что функция не ограничена. Ключевым такой столбец "
                          "быть не может.",
                          "Ключевой элемент выбран неправильно\n\nЭлемент A(2,2) = −1 не положителен: ключевой "
                          "элемент выбирают среди положительных элементов ключевого столбца."}},
        ExplainedMistake{"KeyElementShowsItsOwnRatioOnly", Max, kCommon, [](auto& w) { w.keyElementAnswers = {1}; },
                         {"Ключевой элемент выбран неправильно\n\nОтношение B(1) : A(1,1) = 4 : 1 = 4 не наименьшее. "
                          "Ключевой элемент — тот положительный элемент ключевого столбца, у которого отношение "
                          "B(i) : A(i,1) наименьшее."}},
        ExplainedMistake{"AlternativeOptimumNeedsAZeroEstimate", AlternativeOptimumProblem, kCommon,
                         [](auto& w) {
                             w.decisions = {true, true};
                             w.keyColumnAnswers = {1, 3};
                         },
                         {"Ключевой столбец выбран неправильно\n\nОценка Ind(3) = 1 не равна нулю: таблица уже "
                          "оптимальна, и другую оптимальную таблицу дает только небазисное неизвестное с нулевой "
                          "оценкой."}},
        ExplainedMistake{"NoWhileAnEstimateImproves", Min, kCommon, [](auto& w) { w.decisions = {false}; },
                         {"Вы приняли неверное решение, так как не все итерации выполнены\n\nОценка Ind(1) = 2 "
                          "положительна: таблицу можно улучшить."}},
        ExplainedMistake{"YesAtTheOptimum", Max, kCommon, [](auto& w) { w.decisions = {true, true}; },
                         {"Вы приняли неверное решение, так как все итерации выполнены\n\nНи одна оценка индексной "
                          "строки не отрицательна: таблица оптимальна, и улучшить ее нельзя."}},
        ExplainedMistake{"YesWhenUnbounded", UnboundedProblem, kCommon, [](auto& w) { w.decisions = {true}; },
                         {"Вы приняли неверное решение, так как все итерации выполнены\n\nОценка Ind(1) = −1 "
                          "отрицательна, но в столбце x1 нет положительных элементов: функция не ограничена, и "
                          "следующую таблицу построить нельзя."}}),
    [](const testing::TestParamInfo<ExplainedMistake>& info) { return info.param.name; });

// The numbers of a value's explanation, as the calculator reads them.
double NumbersValue(const std::string& explanation)
{
    std::string line = explanation.substr(0, explanation.find("\nЗдесь"));
    line = line.substr(line.rfind(" = ") + 3);
    line = line.substr(0, line.find('\n'));
    std::string expression;
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"−", "-"}, {"·", "*"}, {":", "/"}}) {
        for (size_t at; (at = line.find(from)) != std::string::npos;)
            line.replace(at, from.size(), to);
    }
    calc::Parser parser;
    parser.SetExpression(line);
    return parser.Evaluate();
}

// A cell's name as the questions write it.
std::string Name(int row, int column, int indexRow)
{
    if (row == indexRow)
        return "Ind(" + std::to_string(column - 1) + ")";
    if (column == 1)
        return "B(" + std::to_string(row) + ")";
    return "A(" + std::to_string(row) + "," + std::to_string(column - 1) + ")";
}

// Over random problems solved the program's way, a wrong value at every cell asked of the first
// table and of the new ones: the rule names every cell it uses, its numbers work out to the right
// value, and the explanation never states that value.
TEST(ExplanationsProperty, EveryValueExplanationNamesItsCellsAndNeverGivesTheResult)
{
    std::mt19937 random(2412);
    int explained = 0;
    for (int trial = 0; trial < 60; ++trial) {
        Problem problem = BuildTestProblem(RandomCanonicalProblem(random, 4, 6));
        problem.ComputeIndexRow();
        const int m = problem.equationCount;
        const int n = problem.workUnknownCount;
        auto check = [&](const std::string& rule, const std::string& numbers, const TableValue& right,
                         const std::vector<std::string>& names) {
            SCOPED_TRACE(numbers);
            for (const std::string& name : names)
                EXPECT_NE(rule.find(name), std::string::npos) << name;
            EXPECT_TRUE(ThreeDecimalMatch(NumbersValue(numbers), right));
            std::string result = " = " + ToText(right);
            if (right.Sign() < 0)
                result.replace(3, 1, "−");
            for (const char* end : {"\n", ".", ",", ";"})
                EXPECT_EQ(numbers.find(result + end), std::string::npos);
            ++explained;
        };
        const TypedValue typed{TableValue(Fraction(1000003)), 0};
        for (int c = 1; c <= n + 1; ++c) {
            std::vector<std::string> names{c == 1 ? "C(0)" : "C(" + std::to_string(c - 1) + ")"};
            for (int i = 1; i <= m; ++i) {
                names.push_back("C(" + std::to_string(problem.basis[i]) + ")");
                names.push_back(c == 1 ? "B(" + std::to_string(i) + ")"
                                       : "A(" + std::to_string(i) + "," + std::to_string(c - 1) + ")");
            }
            check(ExplainIndexRowValue(problem, c, typed, Hint::Rule, kCommon),
                  ExplainIndexRowValue(problem, c, typed, Hint::Numbers, kCommon), problem.DisplayValue(m + 1, c),
                  names);
        }
        for (const TableView& previous : SolveProblem(problem, kCommon).tables) {
            int r = 0, k = 0;
            previous.ForEachPlace([&](TablePlace place) {
                if (previous.At(place).mark == CellMark::Candidate)
                    std::tie(r, k) = std::pair(place.row, place.column - 1);
            });
            if (r == 0)
                break;
            Pivot(problem, k, r);
            for (int i = 1; i <= m + 1; ++i) {
                for (int c = 1; c <= n + 1; ++c) {
                    if (c == k + 1)
                        continue;
                    std::vector<std::string> names{Name(i, c, m + 1), Name(r, k + 1, m + 1)};
                    if (i != r)
                        names.insert(names.end(), {Name(i, k + 1, m + 1), Name(r, c, m + 1)});
                    const TableValue right = problem.DisplayValue(i, c);
                    const KeyElement key{r, k};
                    const std::string rule = ExplainNewTableValue(previous, key, {i, c}, right, typed,
                                                                  problem.isMax != 0, Hint::Rule, kCommon);
                    const std::string numbers = ExplainNewTableValue(previous, key, {i, c}, right, typed,
                                                                     problem.isMax != 0, Hint::Numbers, kCommon);
                    check(rule, numbers.substr(0, numbers.find(kPrevious)), right, names);
                }
            }
        }
    }
    EXPECT_GT(explained, 600);
}

} // namespace
