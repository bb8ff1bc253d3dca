#include "core/explanations.h"

#include <vector>

namespace {

// The explanations write a true minus sign and multiplication dot, as a textbook prints them.
const std::string kMinus = "−";
const std::string kPlus = " + ";
const std::string kLess = " " + kMinus + " ";
const std::string kTimes = "·";
const std::string kBy = " : ";

const char kSignSlip[] = "Ошибка в знаке.";
const char kMaxSignSlip[] =
    "Похоже, оценка взята со знаком задачи на максимум, а в задаче на минимум ее считают по той же формуле, "
    "с коэффициентами функции в том виде, в каком они введены.";
const char kFromPreviousTable[] = "Справа — элементы прежней таблицы.";

std::string Number(int value) { return std::to_string(value); }

TableValue Negated(const TableValue& value) { return TableValue() - value; }

// A value as the table shows it, with a true minus sign.
std::string Shown(const TableValue& value, DisplayMode mode)
{
    std::string text = ToDisplayText(value, mode);
    if (!text.empty() && text.front() == '-')
        text.replace(0, 1, kMinus);
    return text;
}

// A value inside a formula: bracketed when negative, so that "1 − (−2)" reads as meant.
std::string Operand(const TableValue& value, DisplayMode mode)
{
    const std::string text = Shown(value, mode);
    return value.Sign() < 0 ? "(" + text + ")" : text;
}

// A divisor is bracketed when it is a fraction too: "1 : (2/3)", never "1 : 2/3".
std::string Divisor(const TableValue& value, DisplayMode mode)
{
    const std::string text = Shown(value, mode);
    const bool compound = value.Sign() < 0 || text.find_first_of("/ ") != std::string::npos;
    return compound ? "(" + text + ")" : text;
}

// "во 2", but "в 1", "в 3", as the questions say it.
std::string InEquation(int equation) { return (equation == 2 ? "во " : "в ") + Number(equation) + " уравнении"; }

// A place's name: C(k) in the function's row, Ind(k) in the index row, M(k) in its parts at M,
// B(i) or A(i,k) in an equation.
std::string CellName(TablePlace place, int indexRow)
{
    const int unknown = place.column - 1;
    if (place.row == 0)
        return "C(" + Number(unknown) + ")";
    if (place.row == indexRow)
        return "Ind(" + Number(unknown) + ")";
    if (place.row == indexRow + 1)
        return "M(" + Number(unknown) + ")";
    if (place.column == 1)
        return "B(" + Number(place.row) + ")";
    return "A(" + Number(place.row) + "," + Number(unknown) + ")";
}

struct Cell {
    std::string name;
    TableValue value;
};

// A formula twice: with the cells' names and with their numbers.
struct Formula {
    std::string names;
    std::string numbers;

    void Put(const std::string& operation, const Cell& cell, DisplayMode mode)
    {
        names += operation + cell.name;
        numbers += operation + (operation == kBy ? Divisor(cell.value, mode) : Operand(cell.value, mode));
    }

    std::string Line(const std::string& target, Hint hint) const
    {
        return target + " = " + names + (hint == Hint::Numbers ? " = " + numbers : "");
    }
};

// A wrong value that a known slip gives, and what to call the slip.
struct Slip {
    TableValue value;
    std::string text;
};

// The first slip the typed value shows, on a line of its own; nothing when it shows none. A slip
// that gives the right value never matches, as the typed value is wrong.
std::string NamedSlip(const TypedValue& typed, const std::vector<Slip>& slips)
{
    for (const Slip& slip : slips) {
        if (typed.Matches(slip.value))
            return slip.text + "\n";
    }
    return {};
}

// A value of the wrong sign; for an estimate of a minimisation, the sign of the maximisation.
Slip SignSlip(const TableValue& right, bool estimateOfMin)
{
    return {Negated(right), estimateOfMin ? kMaxSignSlip : kSignSlip};
}

std::string OldValueSlip(const std::string& cell)
{
    return "Это значение " + cell + " в прежней таблице, а в новой таблице его нужно пересчитать.";
}

std::string MultipliedSlip(const std::string& keyElement)
{
    return "Похоже, вы умножили на ключевой элемент " + keyElement + ", а на него нужно делить.";
}

bool HasPositiveElement(const Problem& problem, int unknown)
{
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (problem.matrix[i][unknown + 1].Sign() > 0)
            return true;
    }
    return false;
}

bool IsBasic(const Problem& problem, int unknown)
{
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (problem.basis[i] == unknown)
            return true;
    }
    return false;
}

// The estimate as the student sees it, and its internal sign: negative when the unknown improves
// the function.
TableValue ShownEstimate(const Problem& problem, int unknown)
{
    return problem.DisplayValue(problem.IndexRow(), unknown + 1);
}

bool Improves(const Problem& problem, int unknown) { return EstimateSign(problem, unknown) < 0; }

// With the parts at M, an estimate is both of its rows: "Оценка M(2) = −1, Ind(2) = 3".
std::string EstimateText(const Problem& problem, int unknown, DisplayMode mode)
{
    std::string text = "Оценка ";
    if (problem.HasMRow())
        text += "M(" + Number(unknown) + ") = " + Shown(problem.DisplayValue(problem.MRow(), unknown + 1), mode) + ", ";
    return text + "Ind(" + Number(unknown) + ") = " + Shown(ShownEstimate(problem, unknown), mode);
}

// " отрицательна" for a maximisation, " положительна" for a minimisation: what an improving
// estimate is; with the parts at M, compared at M first.
std::string ImprovingSign(const Problem& problem)
{
    const std::string sign = problem.isMax ? " отрицательна" : " положительна";
    return problem.HasMRow() ? sign + " (часть при M сравнивают первой)" : sign;
}

} // namespace

bool TypedValue::Matches(const TableValue& value) const
{
    return exact ? SameThreeDecimals(*exact, value) : ThreeDecimalMatch(computed, value);
}

// A cell of the index row's parts at M: the prices' parts at M are -1 for an artificial unknown
// (1 as a minimisation shows them) and 0 for every other.
std::string ExplainMRowValue(const Problem& problem, int column, const TypedValue& typed, Hint hint, DisplayMode mode)
{
    const int indexRow = problem.IndexRow();
    const bool freeTerms = column == 1;
    Formula formula;
    for (int i = 1; i <= problem.equationCount; ++i) {
        formula.Put(i == 1 ? "" : kPlus, {"CM(" + Number(problem.basis[i]) + ")", problem.PriceAtM(i)}, mode);
        formula.Put(kTimes, {CellName({i, column}, indexRow), problem.DisplayValue(i, column)}, mode);
    }
    if (!freeTerms)
        formula.Put(kLess, {"CM(" + Number(column - 1) + ")", problem.DisplayPriceAtM(column - 1)}, mode);
    const std::string target = CellName({problem.MRow(), column}, indexRow);
    const std::string& name = problem.unknownNames[column - 1];
    const std::string rule =
        freeTerms ? "M(0) — часть значения функции при M: сумма произведений частей цен базисных неизвестных при M "
                    "на их свободные члены:"
                  : "Часть оценки при M " + target + " — сумма произведений частей цен базисных неизвестных при M на "
                        "элементы столбца " + name + " минус часть при M коэффициента функции при " + name + ":";
    const std::string legend = std::string("Здесь CM(j) — часть при M коэффициента функции при j-м неизвестном: ") +
                               (problem.isMax ? "−1" : "1") + " у искусственного неизвестного, 0 у остальных.";
    const TableValue right = problem.DisplayValue(problem.MRow(), column);
    const std::string slip = NamedSlip(typed, {SignSlip(right, !problem.isMax)});
    return slip + rule + "\n" + formula.Line(target, hint) + "\n" + legend;
}

std::string ExplainIndexRowValue(const Problem& problem, int row, int column, const TypedValue& typed, Hint hint,
                                 DisplayMode mode)
{
    if (problem.HasMRow() && row == problem.MRow())
        return ExplainMRowValue(problem, column, typed, hint, mode);
    const int indexRow = problem.IndexRow();
    const bool freeTerms = column == 1;
    Formula formula;
    for (int i = 1; i <= problem.equationCount; ++i) {
        formula.Put(i == 1 ? "" : kPlus, {"C(" + Number(problem.basis[i]) + ")", problem.Price(i)}, mode);
        formula.Put(kTimes, {CellName({i, column}, indexRow), problem.DisplayValue(i, column)}, mode);
    }
    formula.Put(freeTerms ? kPlus : kLess, {CellName({0, column}, indexRow), problem.DisplayValue(0, column)}, mode);

    const std::string target = CellName({indexRow, column}, indexRow);
    const std::string& name = problem.unknownNames[column - 1];
    const std::string rule =
        freeTerms ? "Ind(0) — значение функции: сумма произведений цен базисных неизвестных на их свободные члены "
                    "плюс свободный член функции:"
                  : "Оценка " + target + " — сумма произведений цен базисных неизвестных на элементы столбца " + name +
                        " минус коэффициент функции при " + name + ":";
    const std::string legend = std::string("Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                           "неизвестного это его цена") +
                               (problem.HasMRow() ? " без части при M" : "") +
                               (freeTerms ? "; C(0) — свободный член функции." : ".");
    const TableValue right = problem.DisplayValue(indexRow, column);
    const std::string slip = NamedSlip(typed, {SignSlip(right, !problem.isMax)});
    return slip + rule + "\n" + formula.Line(target, hint) + "\n" + legend;
}

std::string ExplainNewTableValue(const TableView& previous, KeyElement key, TablePlace cell, const TableValue& right,
                                 const TypedValue& typed, bool isMax, Hint hint, DisplayMode mode)
{
    const int indexRow = previous.IndexRow();
    auto shown = [&](int row, int column) -> std::optional<Cell> {
        const TablePlace place{row, column};
        if (!previous.Contains(place) || previous.At(place).kind != TableCell::Kind::Value)
            return std::nullopt;
        return Cell{CellName(place, indexRow), previous.At(place).value};
    };
    const int keyColumn = key.unknown + 1;
    const std::optional<Cell> old = shown(cell.row, cell.column);
    const std::optional<Cell> keyElement = shown(key.row, keyColumn);
    const std::optional<Cell> inKeyColumn = shown(cell.row, keyColumn);
    const std::optional<Cell> inKeyRow = shown(key.row, cell.column);
    if (!old || !keyElement || !inKeyColumn || !inKeyRow)
        return {};

    Formula formula;
    formula.Put("", *old, mode);
    std::vector<Slip> slips{{old->value, OldValueSlip(old->name)}};
    std::string rule;
    if (cell.row == key.row) {
        formula.Put(kBy, *keyElement, mode);
        slips.push_back({old->value * keyElement->value, MultipliedSlip(keyElement->name)});
        rule = "Элемент ключевой строки новой таблицы — элемент ключевой строки прежней таблицы, деленный на "
               "ключевой элемент " + keyElement->name + ":";
    } else {
        formula.Put(kLess, *inKeyColumn, mode);
        formula.Put(kTimes, *inKeyRow, mode);
        formula.Put(kBy, *keyElement, mode);
        slips.push_back({old->value - inKeyColumn->value * inKeyRow->value * keyElement->value,
                         MultipliedSlip(keyElement->name)});
        rule = "Элемент новой таблицы считают по правилу прямоугольника: из его прежнего значения вычитают "
               "произведение элемента его строки в ключевом столбце на элемент ключевой строки в его столбце, "
               "деленное на ключевой элемент " + keyElement->name + ":";
    }
    slips.push_back(SignSlip(right, cell.row == indexRow && !isMax));
    return NamedSlip(typed, slips) + rule + "\n" + formula.Line(CellName(cell, indexRow), hint) + "\n" +
           kFromPreviousTable;
}

std::string ExplainKeyColumn(const Problem& problem, int expected, int chosen, DisplayMode mode)
{
    const std::string& name = problem.unknownNames[chosen];
    const std::string noPositive = "В столбце " + name + " нет положительных элементов";
    if (!Improves(problem, expected)) {
        // The table is optimal: only another optimal table may be built.
        const std::string onlyZero = "другую оптимальную таблицу дает только небазисное неизвестное с нулевой оценкой.";
        if (IsBasic(problem, chosen))
            return name + " — базисное неизвестное, а " + onlyZero;
        if (!ShownEstimate(problem, chosen).IsZero())
            return EstimateText(problem, chosen, mode) + " не равна нулю: таблица уже оптимальна, и " + onlyZero;
        return noPositive + ": ключевой элемент в нем выбрать нельзя.";
    }
    if (!Improves(problem, chosen)) {
        return EstimateText(problem, chosen, mode) +
               (problem.isMax ? " не отрицательна: ввод " + name + " в базис не увеличит функцию. В задаче на "
                                "максимум ключевым берут столбец с отрицательной оценкой."
                              : " не положительна: ввод " + name + " в базис не уменьшит функцию. В задаче на "
                                "минимум ключевым берут столбец с положительной оценкой.");
    }
    return noPositive + ": " + name + " можно увеличивать без конца, а это значит, что функция не ограничена. "
           "Ключевым такой столбец быть не может.";
}

std::string ExplainKeyRow(const Problem& problem, int column, int chosen, DisplayMode mode)
{
    const int indexRow = problem.IndexRow();
    const Cell element{CellName({chosen, column + 1}, indexRow), problem.matrix[chosen][column + 1]};
    if (element.value.Sign() <= 0) {
        return "Элемент " + element.name + " = " + Shown(element.value, mode) +
               " не положителен: ключевой элемент выбирают среди положительных элементов ключевого столбца.";
    }
    const Cell freeTerm{CellName({chosen, 1}, indexRow), problem.matrix[chosen][1]};
    return "Отношение " + freeTerm.name + kBy + element.name + " = " + Operand(freeTerm.value, mode) + kBy +
           Divisor(element.value, mode) + " = " + Shown(freeTerm.value / element.value, mode) +
           " не наименьшее. Ключевой элемент — тот положительный элемент ключевого столбца, у которого отношение "
           "B(i) : A(i," + Number(column) + ") наименьшее.";
}

std::string ExplainBasis(const Problem& problem, int equation, const std::string& chosen, DisplayMode mode)
{
    int unknown = 1;
    while (unknown <= problem.workUnknownCount && problem.unknownNames[unknown] != chosen)
        ++unknown;
    if (unknown > problem.workUnknownCount)
        return {};
    const std::string rule = "Базисное неизвестное входит в свое уравнение с коэффициентом 1, а в остальные "
                             "уравнения — с коэффициентом 0. ";
    auto coefficient = [&](int i) -> const TableValue& { return problem.matrix[i][unknown + 1]; };
    auto breaking = [&](int i) {
        return "У " + chosen + " " + InEquation(i) + " коэффициент " + Shown(coefficient(i), mode) + ".";
    };
    if (!(coefficient(equation) - Fraction(1)).IsZero())
        return rule + breaking(equation);
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (i != equation && !coefficient(i).IsZero())
            return rule + breaking(i);
    }
    return rule + "Столбец " + chosen + " тоже такой, но из нескольких таких неизвестных базисным в уравнении "
                  "берется последнее.";
}

std::string ExplainDecision(const Problem& problem, StepStatus status, DisplayMode mode)
{
    switch (status) {
    case StepStatus::Continue: {
        const int column = FindKeyColumn(problem);
        return EstimateText(problem, column, mode) + ImprovingSign(problem) + ": таблицу можно улучшить.";
    }
    case StepStatus::NoSolution:
        for (int k = 1; k <= problem.workUnknownCount; ++k) {
            if (Improves(problem, k) && !HasPositiveElement(problem, k)) {
                return EstimateText(problem, k, mode) + ImprovingSign(problem) + ", но в столбце " +
                       problem.unknownNames[k] +
                       " нет положительных элементов: функция не ограничена, и следующую таблицу построить нельзя.";
            }
        }
        break;
    case StepStatus::Optimal:
        return std::string("Ни одна оценка индексной строки не ") + (problem.isMax ? "отрицательна" : "положительна") +
               ": таблица оптимальна, и улучшить ее нельзя.";
    case StepStatus::Infeasible:
        return std::string("Ни одна часть оценки при M не ") + (problem.isMax ? "отрицательна" : "положительна") +
               ", а искусственное неизвестное осталось в базисе со значением больше 0: его уже нельзя вывести, "
               "и система ограничений несовместна.";
    case StepStatus::ContinueOnce:
        break;
    }
    return {};
}

std::string WithExplanation(const std::string& message, const std::string& explanation)
{
    return explanation.empty() ? message : message + "\n\n" + explanation;
}
