#include "core/explanations.h"

#include <vector>

#include "core/texts.h"

namespace {

// The explanations write a true minus sign and multiplication dot, as a textbook prints them.
const std::string kMinus = "−";
const std::string kPlus = " + ";
const std::string kLess = " " + kMinus + " ";
const std::string kTimes = "·";
const std::string kBy = " : ";


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
    return {Negated(right), estimateOfMin ? Tr("Explanations", "Похоже, оценка взята со знаком задачи на максимум, а в "
                                                               "задаче на минимум ее считают по той же формуле, с "
                                                               "коэффициентами функции в том виде, в каком они "
                                                               "введены.")
                                          : Tr("Explanations", "Ошибка в знаке.")};
}

std::string OldValueSlip(const std::string& cell)
{
    return Fill(Tr("Explanations", "Это значение %1 в прежней таблице, а в новой таблице его нужно пересчитать."),
                {cell});
}

std::string MultipliedSlip(const std::string& keyElement)
{
    return Fill(Tr("Explanations", "Похоже, вы умножили на ключевой элемент %1, а на него нужно делить."),
                {keyElement});
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

// With the parts at M, an estimate is both of its rows: "M(2) = −1, Ind(2) = 3".
std::string EstimateText(const Problem& problem, int unknown, DisplayMode mode)
{
    std::string text;
    if (problem.HasMRow())
        text += "M(" + Number(unknown) + ") = " + Shown(problem.DisplayValue(problem.MRow(), unknown + 1), mode) + ", ";
    return text + "Ind(" + Number(unknown) + ") = " + Shown(ShownEstimate(problem, unknown), mode);
}

// The remark that goes after an improving estimate's sign when the parts at M come first.
std::string AtMFirst(const Problem& problem)
{
    return problem.HasMRow() ? Tr("Explanations", " (часть при M сравнивают первой)") : std::string();
}

// The legend under an index-row formula: C(j) with or without the parts at M, C(0) for the free
// terms' column.
std::string IndexRowLegend(bool hasMRow, bool freeTerms)
{
    if (hasMRow) {
        return freeTerms ? Tr("Explanations", "Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                              "неизвестного это его цена без части при M; C(0) — свободный член "
                                              "функции.")
                         : Tr("Explanations", "Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                              "неизвестного это его цена без части при M.");
    }
    return freeTerms ? Tr("Explanations", "Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                          "неизвестного это его цена; C(0) — свободный член функции.")
                     : Tr("Explanations", "Здесь C(j) — коэффициент функции при j-м неизвестном, у базисного "
                                          "неизвестного это его цена.");
}

// The sum over the equations of the basic unknown's price, named label(j), times the column's
// element: the start of an index row's formula, or of its row at M.
Formula PricesTimesColumn(const Problem& problem, int column, const std::string& label,
                          TableValue (Problem::*price)(int) const, DisplayMode mode)
{
    Formula formula;
    for (int i = 1; i <= problem.equationCount; ++i) {
        formula.Put(i == 1 ? "" : kPlus, {label + "(" + Number(problem.basis[i]) + ")", (problem.*price)(i)}, mode);
        formula.Put(kTimes, {CellName({i, column}, problem.IndexRow()), problem.DisplayValue(i, column)}, mode);
    }
    return formula;
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
    Formula formula = PricesTimesColumn(problem, column, "CM", &Problem::PriceAtM, mode);
    if (!freeTerms)
        formula.Put(kLess, {"CM(" + Number(column - 1) + ")", problem.DisplayPriceAtM(column - 1)}, mode);
    const std::string target = CellName({problem.MRow(), column}, indexRow);
    const std::string& name = problem.unknownNames[column - 1];
    const std::string rule =
        freeTerms ? Tr("Explanations", "M(0) — часть значения функции при M: сумма произведений частей цен базисных "
                                       "неизвестных при M на их свободные члены:")
                  : Fill(Tr("Explanations", "Часть оценки при M %1 — сумма произведений частей цен базисных "
                                            "неизвестных при M на элементы столбца %2 минус часть при M коэффициента "
                                            "функции при %2:"),
                         {target, name});
    const std::string legend = Fill(Tr("Explanations", "Здесь CM(j) — часть при M коэффициента функции при j-м "
                                                       "неизвестном: %1 у искусственного неизвестного, 0 у остальных."),
                                    {problem.isMax ? "−1" : "1"});
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
    Formula formula = PricesTimesColumn(problem, column, "C", &Problem::Price, mode);
    formula.Put(freeTerms ? kPlus : kLess, {CellName({0, column}, indexRow), problem.DisplayValue(0, column)}, mode);

    const std::string target = CellName({indexRow, column}, indexRow);
    const std::string& name = problem.unknownNames[column - 1];
    const std::string rule =
        freeTerms ? Tr("Explanations", "Ind(0) — значение функции: сумма произведений цен базисных неизвестных на их "
                                       "свободные члены плюс свободный член функции:")
                  : Fill(Tr("Explanations", "Оценка %1 — сумма произведений цен базисных неизвестных на элементы "
                                            "столбца %2 минус коэффициент функции при %2:"),
                         {target, name});
    const std::string legend = IndexRowLegend(problem.HasMRow(), freeTerms);
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
        rule = Fill(Tr("Explanations", "Элемент ключевой строки новой таблицы — элемент ключевой строки прежней "
                                       "таблицы, деленный на ключевой элемент %1:"),
                    {keyElement->name});
    } else {
        formula.Put(kLess, *inKeyColumn, mode);
        formula.Put(kTimes, *inKeyRow, mode);
        formula.Put(kBy, *keyElement, mode);
        slips.push_back({old->value - inKeyColumn->value * inKeyRow->value * keyElement->value,
                         MultipliedSlip(keyElement->name)});
        rule = Fill(Tr("Explanations", "Элемент новой таблицы считают по правилу прямоугольника: из его прежнего "
                                       "значения вычитают произведение элемента его строки в ключевом столбце на "
                                       "элемент ключевой строки в его столбце, деленное на ключевой элемент %1:"),
                    {keyElement->name});
    }
    slips.push_back(SignSlip(right, cell.row == indexRow && !isMax));
    return NamedSlip(typed, slips) + rule + "\n" + formula.Line(CellName(cell, indexRow), hint) + "\n" +
           Tr("Explanations", "Справа — элементы прежней таблицы.");
}

std::string ExplainKeyColumn(const Problem& problem, int expected, int chosen, DisplayMode mode)
{
    const std::string& name = problem.unknownNames[chosen];
    if (!Improves(problem, expected)) {
        // The table is optimal: only another optimal table may be built.
        if (IsBasic(problem, chosen)) {
            return Fill(Tr("Explanations", "%1 — базисное неизвестное, а другую оптимальную таблицу дает только "
                                           "небазисное неизвестное с нулевой оценкой."),
                        {name});
        }
        if (!ShownEstimate(problem, chosen).IsZero()) {
            return Fill(Tr("Explanations", "Оценка %1 не равна нулю: таблица уже оптимальна, и другую оптимальную "
                                           "таблицу дает только небазисное неизвестное с нулевой оценкой."),
                        {EstimateText(problem, chosen, mode)});
        }
        return Fill(Tr("Explanations", "В столбце %1 нет положительных элементов: ключевой элемент в нем выбрать "
                                       "нельзя."),
                    {name});
    }
    if (!Improves(problem, chosen)) {
        const std::string rule =
            problem.isMax ? Tr("Explanations", "Оценка %1 не отрицательна: ввод %2 в базис не увеличит функцию. В "
                                               "задаче на максимум ключевым берут столбец с отрицательной оценкой.")
                          : Tr("Explanations", "Оценка %1 не положительна: ввод %2 в базис не уменьшит функцию. В "
                                               "задаче на минимум ключевым берут столбец с положительной оценкой.");
        return Fill(rule, {EstimateText(problem, chosen, mode), name});
    }
    return Fill(Tr("Explanations", "В столбце %1 нет положительных элементов: %1 можно увеличивать без конца, а это "
                                   "значит, что функция не ограничена. Ключевым такой столбец быть не может."),
                {name});
}

std::string ExplainKeyRow(const Problem& problem, int column, int chosen, DisplayMode mode)
{
    const int indexRow = problem.IndexRow();
    const Cell element{CellName({chosen, column + 1}, indexRow), problem.matrix[chosen][column + 1]};
    if (element.value.Sign() <= 0) {
        return Fill(Tr("Explanations", "Элемент %1 = %2 не положителен: ключевой элемент выбирают среди положительных "
                                       "элементов ключевого столбца."),
                    {element.name, Shown(element.value, mode)});
    }
    const Cell freeTerm{CellName({chosen, 1}, indexRow), problem.matrix[chosen][1]};
    const std::string ratio = freeTerm.name + kBy + element.name + " = " + Operand(freeTerm.value, mode) + kBy +
                              Divisor(element.value, mode) + " = " + Shown(freeTerm.value / element.value, mode);
    return Fill(Tr("Explanations", "Отношение %1 не наименьшее. Ключевой элемент — тот положительный элемент ключевого "
                                   "столбца, у которого отношение B(i) : A(i,%2) наименьшее."),
                {ratio, Number(column)});
}

std::string ExplainBasis(const Problem& problem, int equation, const std::string& chosen, DisplayMode mode)
{
    int unknown = 1;
    while (unknown <= problem.workUnknownCount && problem.unknownNames[unknown] != chosen)
        ++unknown;
    if (unknown > problem.workUnknownCount)
        return {};
    const std::string rule = Tr("Explanations", "Базисное неизвестное входит в свое уравнение с коэффициентом 1, а в "
                                                "остальные уравнения — с коэффициентом 0.") + " ";
    auto coefficient = [&](int i) -> const TableValue& { return problem.matrix[i][unknown + 1]; };
    // "во 2", but "в 1", "в 3", as the questions say it.
    auto breaking = [&](int i) {
        return Fill(i == 2 ? Tr("Explanations", "У %1 во %2 уравнении коэффициент %3.")
                           : Tr("Explanations", "У %1 в %2 уравнении коэффициент %3."),
                    {chosen, Number(i), Shown(coefficient(i), mode)});
    };
    if (!(coefficient(equation) - Fraction(1)).IsZero())
        return rule + breaking(equation);
    for (int i = 1; i <= problem.equationCount; ++i) {
        if (i != equation && !coefficient(i).IsZero())
            return rule + breaking(i);
    }
    return rule + Fill(Tr("Explanations", "Столбец %1 тоже такой, но из нескольких таких неизвестных базисным в "
                                          "уравнении берется последнее."),
                       {chosen});
}

std::string ExplainDecision(const Problem& problem, StepStatus status, DisplayMode mode)
{
    switch (status) {
    case StepStatus::Continue: {
        const int column = FindKeyColumn(problem);
        const std::string rule = problem.isMax
                                     ? Tr("Explanations", "Оценка %1 отрицательна%2: таблицу можно улучшить.")
                                     : Tr("Explanations", "Оценка %1 положительна%2: таблицу можно улучшить.");
        return Fill(rule, {EstimateText(problem, column, mode), AtMFirst(problem)});
    }
    case StepStatus::NoSolution:
        for (int k = 1; k <= problem.workUnknownCount; ++k) {
            if (Improves(problem, k) && !HasPositiveElement(problem, k)) {
                const std::string rule =
                    problem.isMax ? Tr("Explanations", "Оценка %1 отрицательна%2, но в столбце %3 нет положительных "
                                                       "элементов: функция не ограничена, и следующую таблицу "
                                                       "построить нельзя.")
                                  : Tr("Explanations", "Оценка %1 положительна%2, но в столбце %3 нет положительных "
                                                       "элементов: функция не ограничена, и следующую таблицу "
                                                       "построить нельзя.");
                return Fill(rule, {EstimateText(problem, k, mode), AtMFirst(problem), problem.unknownNames[k]});
            }
        }
        break;
    case StepStatus::Optimal:
        return problem.isMax
                   ? Tr("Explanations", "Ни одна оценка индексной строки не отрицательна: таблица оптимальна, и "
                                        "улучшить ее нельзя.")
                   : Tr("Explanations", "Ни одна оценка индексной строки не положительна: таблица оптимальна, и "
                                        "улучшить ее нельзя.");
    case StepStatus::Infeasible:
        return problem.isMax
                   ? Tr("Explanations", "Ни одна часть оценки при M не отрицательна, а искусственное неизвестное "
                                        "осталось в базисе со значением больше 0: его уже нельзя вывести, и система "
                                        "ограничений несовместна.")
                   : Tr("Explanations", "Ни одна часть оценки при M не положительна, а искусственное неизвестное "
                                        "осталось в базисе со значением больше 0: его уже нельзя вывести, и система "
                                        "ограничений несовместна.");
    case StepStatus::ContinueOnce:
        break;
    }
    return {};
}

std::string WithExplanation(const std::string& message, const std::string& explanation)
{
    return explanation.empty() ? message : message + "\n\n" + explanation;
}
