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

TableValue Negated(const TableValue& value) { return TableValue() - value; }

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
std::function<void(FakeTutoringWindow&)> WrongNewTableElement(int row, int column, std::deque<std::string> typed)
{
    return [=](FakeTutoringWindow& w) {
        w.onQuestion = [&w, row, column, typed](const Event& e) {
            if (e.kind == "element" && e.caption == "3" && e.row == row && e.column == column)
                w.elementAnswers = typed;
        };
    };
}

Problem Max() { return TwoStepProblem(true); }
Problem Min() { return TwoStepProblem(false); }
constexpr auto kCommon = DisplayMode::CommonFractions;
constexpr auto kDecimal = DisplayMode::DecimalFractions;

struct ExplainedMistake {
    Problem (*problem)();
    DisplayMode mode;
    std::function<void(FakeTutoringWindow&)> script;
    std::vector<std::string> messages; // the run's first messages
};

// Each question kind and each slip, Max and Min, fractions and decimals: the messages in whole.
TEST(ExplainedMistakes, EachMessageNamesTheRuleItBroke)
{
    const ExplainedMistake rows[] = {
        {Max, kCommon, [](auto& w) { w.basisAnswers = {"x1"}; },
         {"Неизвестное x1 не является базисным в 1 уравнении\n\nБазисное неизвестное входит в свое уравнение с "
          "коэффициентом 1, а в остальные уравнения — с коэффициентом 0. У x1 во 2 уравнении коэффициент 2."}},
        {Max, kCommon, [](auto& w) { w.elementAnswers = {"4", "-3", "-1"}; },
         {kWrong + kIndex1 + kLegend, kWrong + kIndex1 + " = 1·1 + 0·2 − 3" + kLegend}},
        {Min, kDecimal, [](auto& w) { w.elementAnswers = {"-4", "-2", "1"}; },
         {kWrong + kMaxSign + kIndex1 + kLegend,
          kWrong + kIndex1 + " = (−1.000)·1.000 + 0.000·2.000 − (−3.000)" + kLegend}},
        {Max, kCommon, [](auto& w) { w.elementAnswers = {"4", "-2", "0", "0", "6", "12"}; },
         {kWrong + "Это значение B(2) в прежней таблице, а в новой таблице его нужно пересчитать.\n" + kKeyRow +
              kPrevious,
          kWrong + kMultiplied + kKeyRow + " = 6 : 2" + kPrevious}},
        {Max, kCommon, WrongNewTableElement(1, 4, {"1/2", "-2"}),
         {kWrong + "Ошибка в знаке.\n" + kRectangle + "A(1,3) = A(1,3) − A(1,1)·A(2,3) : A(2,1)" + kPrevious,
          kWrong + kMultiplied + kRectangle + "A(1,3) = A(1,3) − A(1,1)·A(2,3) : A(2,1) = 0 − 1·1 : 2" + kPrevious}},
        {Min, kDecimal, [](auto& w) { w.keyColumnAnswers = {3}; },
         {"Ключевой столбец выбран неправильно\n\nОценка Ind(3) = 0.000 не положительна: ввод x3 в базис не "
          "уменьшит функцию. В задаче на минимум ключевым берут столбец с положительной оценкой."}},
        {BlockedColumnProblem, kCommon,
         [](auto& w) { w.decisions = {true}, w.keyColumnAnswers = {1}, w.keyElementAnswers = {2}; },
         {"Ключевой столбец выбран неправильно\n\nВ столбце x1 нет положительных элементов: x1 можно увеличивать "
          "без конца, а это значит, что функция не ограничена. Ключевым такой столбец быть не может.",
          "Ключевой элемент выбран неправильно\n\nЭлемент A(2,2) = −1 не положителен: ключевой элемент выбирают "
          "среди положительных элементов ключевого столбца."}},
        {Max, kCommon, [](auto& w) { w.keyElementAnswers = {1}; },
         {"Ключевой элемент выбран неправильно\n\nОтношение B(1) : A(1,1) = 4 : 1 = 4 не наименьшее. Ключевой "
          "элемент — тот положительный элемент ключевого столбца, у которого отношение B(i) : A(i,1) наименьшее."}},
        {Min, kCommon, [](auto& w) { w.decisions = {false}; },
         {"Вы приняли неверное решение, так как не все итерации выполнены\n\nОценка Ind(1) = 2 положительна: "
          "таблицу можно улучшить."}},
        {Max, kCommon, [](auto& w) { w.decisions = {true, true}; },
         {"Вы приняли неверное решение, так как все итерации выполнены\n\nНи одна оценка индексной строки не "
          "отрицательна: таблица оптимальна, и улучшить ее нельзя."}},
        {UnboundedProblem, kCommon, [](auto& w) { w.decisions = {true}; },
         {"Вы приняли неверное решение, так как все итерации выполнены\n\nОценка Ind(1) = −1 отрицательна, но в "
          "столбце x1 нет положительных элементов: функция не ограничена, и следующую таблицу построить нельзя."}},
    };
    for (const ExplainedMistake& row : rows) {
        SCOPED_TRACE(row.messages.front());
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
}

// The numbers of a value's explanation, the last part of its formula line, as the calculator reads them.
double NumbersValue(std::string text)
{
    text = text.substr(0, text.find("\nЗдесь"));
    text = text.substr(0, text.find("\nСправа"));
    text = text.substr(text.rfind(" = ") + 3);
    for (const auto& [from, to] : {std::pair<std::string, std::string>{"−", "-"}, {"·", "*"}, {":", "/"}}) {
        for (size_t at; (at = text.find(from)) != std::string::npos;)
            text.replace(at, from.size(), to);
    }
    calc::Parser parser;
    parser.SetExpression(text);
    return parser.Evaluate();
}

// A cell's name as the explanations write it.
std::string Name(int row, int column, int indexRow)
{
    const std::string unknown = std::to_string(column - 1);
    if (row == 0 || row == indexRow)
        return (row == 0 ? "C(" : "Ind(") + unknown + ")";
    return column == 1 ? "B(" + std::to_string(row) + ")" : "A(" + std::to_string(row) + "," + unknown + ")";
}

// Over random problems solved the program's way, a wrong value at every cell asked of the first
// table and of the new ones: the rule names every cell it uses, its numbers work out to the right
// value, and the explanation never states that value.
TEST(ExplanationsProperty, EveryValueExplanationNamesItsCellsAndNeverGivesTheResult)
{
    std::mt19937 random(2412);
    const TypedValue typed{TableValue(Fraction(1000003)), 0};
    int explained = 0;
    auto check = [&](const std::function<std::string(Hint)>& explain, const TableValue& right,
                     const std::vector<std::string>& names) {
        const std::string rule = explain(Hint::Rule), numbers = explain(Hint::Numbers);
        SCOPED_TRACE(numbers);
        for (const std::string& name : names)
            EXPECT_NE(rule.find(name), std::string::npos) << name;
        EXPECT_TRUE(ThreeDecimalMatch(NumbersValue(numbers), right));
        const std::string result = " = " + (right.Sign() < 0 ? "−" + ToText(Negated(right)) : ToText(right));
        for (const char* end : {"\n", ".", ",", ";"})
            EXPECT_EQ(numbers.find(result + end), std::string::npos);
        ++explained;
    };
    for (int trial = 0; trial < 60; ++trial) {
        Problem problem = BuildTestProblem(RandomCanonicalProblem(random, 4, 6));
        problem.ComputeIndexRow();
        const int m = problem.equationCount, n = problem.workUnknownCount;
        for (int c = 1; c <= n + 1; ++c) {
            std::vector<std::string> names{Name(0, c, m + 1)};
            for (int i = 1; i <= m; ++i)
                names.insert(names.end(), {Name(0, problem.basis[i] + 1, m + 1), Name(i, c, m + 1)});
            check([&](Hint hint) { return ExplainIndexRowValue(problem, m + 1, c, typed, hint, kCommon); },
                  problem.DisplayValue(m + 1, c), names);
        }
        for (const TableView& previous : SolveProblem(problem, kCommon).tables) {
            KeyElement key;
            previous.ForEachPlace([&](TablePlace place) {
                if (previous.At(place).mark == CellMark::Candidate)
                    key = {place.row, place.column - 1};
            });
            if (key.row == 0)
                break;
            Pivot(problem, key.unknown, key.row);
            for (int i = 1; i <= m + 1; ++i) {
                for (int c = 1; c <= n + 1; ++c) {
                    std::vector<std::string> names{Name(i, c, m + 1), Name(key.row, key.unknown + 1, m + 1)};
                    if (i != key.row)
                        names.insert(names.end(), {Name(i, key.unknown + 1, m + 1), Name(key.row, c, m + 1)});
                    const TableValue right = problem.DisplayValue(i, c);
                    if (c != key.unknown + 1)
                        check([&](Hint hint) { return ExplainNewTableValue(previous, key, {i, c}, right, typed,
                                                                           problem.isMax != 0, hint, kCommon); },
                              right, names);
                }
            }
        }
    }
    EXPECT_GT(explained, 600);
}

} // namespace
