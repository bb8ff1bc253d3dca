#include "core/questions.h"

#include <algorithm>
#include <new>
#include <string_view>

#include "core/calc.h"
#include "core/captions.h"
#include "core/number_text.h"
#include "core/simplex.h"
#include "core/texts.h"

namespace {

using Outcome = Verdict::Outcome;

const char kIndexRowPrompt[] = TR_NOOP("Questions",
    "Подсчитайте элементы индексной строки. Введите точное значение или арифметическое выражение");
const char kKeyRowPrompt[] = TR_NOOP("Questions",
    "Подсчитайте элементы ключевой строки. Введите точное значение или арифметическое выражение");
const char kNewTablePrompt[] = TR_NOOP("Questions",
    "Подсчитайте некоторые элементы новой таблицы. Введите точное значение или арифметическое выражение");

std::string Number(int value) { return std::to_string(value); }

Verdict Say(Outcome outcome, std::string message = {}, std::string caption = {})
{
    return Verdict{outcome, std::move(message), std::move(caption)};
}

// The message with its explanation under it, when the run explains mistakes. An explanation
// that cannot be worked out leaves the message as it is.
template <class Explain>
std::string Explained(const QuestionHost& host, const std::string& message, Explain explain)
{
    if (!host.Options().explainMistakes)
        return message;
    try {
        return WithExplanation(message, explain(host.Options().displayMode));
    } catch (const FractionOverflow&) {
    } catch (const std::bad_alloc&) {
    }
    return message;
}

Verdict EndRun(QuestionHost& host, const std::string& reason)
{
    host.Fail(reason);
    return Say(Outcome::Failed);
}

// "B(i)" for the free-term column, "A(i,k)" for unknown k.
std::string ElementName(int row, int column)
{
    if (column == 1)
        return "B(" + Number(row) + ")";
    return "A(" + Number(row) + "," + Number(column - 1) + ")";
}

// A long unread part is quoted by its first characters only, so that the message stays short.
constexpr size_t kQuotedCharacters = 20;

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Cut after kQuotedCharacters characters, never inside a letter's bytes.
std::string Quoted(std::string_view text)
{
    size_t characters = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (!IsUtf8Continuation(text[i]) && characters++ == kQuotedCharacters)
            return "\"" + std::string(text.substr(0, i)) + "…\"";
    }
    return "\"" + std::string(text) + "\"";
}

// What the calculator left unread, without the spaces around it: the calculator skips spaces,
// so trailing ones leave nothing unread.
std::string_view UnreadPart(std::string_view typed, size_t stop)
{
    std::string_view rest = typed.substr(std::min(stop, typed.size()));
    size_t first = rest.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return rest.substr(first, rest.find_last_not_of(' ') - first + 1);
}

// A value read from a prefix is not the one the student meant: "1e5" would be judged as 1.
Verdict UnreadPartRefusal(std::string_view unread, bool cutOff)
{
    const std::string message =
        cutOff ? Fill(Tr("Questions", "Ошибка синтаксиса выражение длиннее %1 символов, не прочитан конец: %2"),
                      {std::to_string(calc::Parser::kMaxLength), Quoted(unread)})
               : Fill(Tr("Questions", "Ошибка синтаксиса не разобран конец выражения: %1"), {Quoted(unread)});
    return Say(Outcome::Refused, message, InputErrorCaption());
}

// Fills `value`, or gives the refusal of a text that cannot be judged.
std::optional<Verdict> Calculate(const std::string& typed, double& value)
{
    try {
        calc::Parser parser;
        parser.SetExpression(typed);
        value = parser.Evaluate();
        std::string_view unread = UnreadPart(typed, parser.StopOffset());
        if (!unread.empty())
            return UnreadPartRefusal(unread, parser.StopOffset() >= calc::Parser::kMaxLength);
    } catch (const calc::divzero&) {
        return Say(Outcome::Refused, Tr("Questions", "Деление на 0"), CalculationErrorCaption());
    } catch (const calc::SyntaxError& error) {
        return Say(Outcome::Refused,
                   Fill(Tr("Questions", "Ошибка синтаксиса %1"), {TrMarked("Calculator", error.message)}),
                   InputErrorCaption());
    } catch (const calc::MathError& error) {
        return Say(Outcome::Refused,
                   Fill(Tr("Questions", "Ошибка в процессе вычисления %1"), {TrMarked("Calculator", error.message)}),
                   CalculationErrorCaption());
    }
    return std::nullopt;
}

} // namespace

BasisQuestion::BasisQuestion(QuestionHost& host, const Problem& problem, int equation)
    : host(host), problem(problem), equation(equation)
{
}

std::string BasisQuestion::Prompt() const
{
    // "во 2", but "в 1", "в 3"
    return Fill(equation == 2 ? Tr("Questions", "Выберите базисное неизвестное во %1 уравнении")
                              : Tr("Questions", "Выберите базисное неизвестное в %1 уравнении"),
                {Number(equation)});
}

std::vector<std::string> BasisQuestion::Choices() const
{
    return std::vector<std::string>(problem.unknownNames.begin() + 1,
                                    problem.unknownNames.begin() + 1 + problem.workUnknownCount);
}

Verdict BasisQuestion::Submit(const std::optional<std::string>& selected)
{
    if (!selected)
        return Say(Outcome::Refused, Tr("Questions", "Выберите базисное неизвестное"), InputErrorCaption());
    if (IsRightBasis(problem, equation, *selected))
        return Say(Outcome::Accepted);
    std::string text =
        Fill(Tr("Questions", "Неизвестное %1 не является базисным в %2 уравнении"), {*selected, Number(equation)});
    if (attempt == 1) {
        attempt = 2;
        return Say(Outcome::Retry,
                   Explained(host, text,
                             [&](DisplayMode mode) { return ExplainBasis(problem, equation, *selected, mode); }),
                   InputErrorCaption());
    }
    return EndRun(host, text);
}

ElementQuestion::ElementQuestion(QuestionHost& host, const Problem& problem, ElementMode mode, int row, int column,
                                 std::optional<KeyElement> key)
    : host(host), problem(problem), mode(mode), row(row), column(column), key(key)
{
}

std::string ElementQuestion::Prompt() const
{
    switch (mode) {
    case ElementMode::IndexRow:
        return TrMarked("Questions", kIndexRowPrompt);
    case ElementMode::KeyRow:
        return TrMarked("Questions", kKeyRowPrompt);
    case ElementMode::NewTable:
        break;
    }
    return TrMarked("Questions", kNewTablePrompt);
}

std::string ElementQuestion::Label() const
{
    if (row == problem.IndexRow())
        return "Ind(" + Number(column - 1) + ")=";
    if (problem.HasMRow() && row == problem.MRow())
        return "M(" + Number(column - 1) + ")=";
    return ElementName(row, column) + "=";
}

std::string ElementQuestion::FailureText() const
{
    switch (mode) {
    case ElementMode::IndexRow: {
        const std::string label = Label();
        return Fill(Tr("Questions", "Элемент индексной строки %1 рассчитан неверно"),
                    {label.substr(0, label.size() - 1)});
    }
    case ElementMode::KeyRow:
        return Fill(Tr("Questions", "Элемент ключевой строки %1 рассчитан неверно"), {ElementName(row, column)});
    case ElementMode::NewTable:
        break;
    }
    return Fill(Tr("Questions", "Элемент %1 рассчитан неверно"), {ElementName(row, column)});
}

std::string ElementQuestion::Explanation(const TypedValue& typed) const
{
    const Hint hint = attempt == 1 ? Hint::Rule : Hint::Numbers;
    const DisplayMode displayMode = host.Options().displayMode;
    if (mode == ElementMode::IndexRow)
        return ExplainIndexRowValue(problem, row, column, typed, hint, displayMode);
    if (!key)
        return {};
    return ExplainNewTableValue(host.State().table, *key, {row, column}, problem.DisplayValue(row, column), typed,
                                problem.isMax != 0, hint, displayMode);
}

Verdict ElementQuestion::Submit(const std::string& typed)
{
    TypedValue value;
    bool right = false;
    try {
        // A typed number is judged exactly; only an expression goes through the calculator's double.
        value.exact = ReadExactNumber(typed);
        if (!value.exact) {
            if (std::optional<Verdict> refusal = Calculate(typed, value.computed))
                return *refusal;
        }
        right = value.Matches(problem.DisplayValue(row, column));
    } catch (const FractionOverflow&) {
        return Say(Outcome::Aborted);
    } catch (const std::bad_alloc&) {
        return Say(Outcome::Aborted);
    }
    if (right)
        return Say(Outcome::Accepted);
    if (attempt < 3) {
        std::string message =
            Explained(host, Tr("Questions", "Расчет неверный, повторите еще раз"),
                      [&](DisplayMode) { return Explanation(value); });
        ++attempt;
        return Say(Outcome::Retry, std::move(message), ErrorCaption());
    }
    return EndRun(host, FailureText());
}

KeyQuestion::KeyQuestion(QuestionHost& host, const Problem& problem, Mode mode, int column, int tableNumber)
    : host(host), problem(problem), mode(mode), column(column), tableNumber(tableNumber)
{
}

std::string KeyQuestion::Label() const
{
    // The number typed for the key element is its row's.
    return mode == Mode::Column ? Tr("Questions", "Ключевой столбец") : Tr("Questions", "Строка ключевого элемента");
}

std::string KeyQuestion::Caption() const
{
    return mode == Mode::Column ? Tr("Questions", "Выберите ключевой столбец")
                                : Tr("Questions", "Выберите ключевой элемент");
}

int KeyQuestion::RangeMax() const
{
    return mode == Mode::Column ? problem.workUnknownCount : problem.equationCount;
}

void KeyQuestion::OnNumberChanged(int number)
{
    if (mode == Mode::Column)
        MarkColumn(number);
    else
        MarkCandidate(number);
    host.StateChanged();
}

// The unknowns' columns of the equations and the index row: the chosen one marked, the others not.
void KeyQuestion::MarkColumn(int number)
{
    TableState& state = host.State();
    for (int i = 1; i <= problem.LastRow(); ++i) {
        for (int k = 1; k <= problem.workUnknownCount; ++k)
            state.table.At({i, k + 1}).mark = k == number ? CellMark::Column : CellMark::None;
    }
    if (number >= 1 && number <= problem.workUnknownCount)
        state.tableInSight = InSight{std::nullopt, number + 1};
}

// The key column's equations: the chosen one's element is the candidate.
void KeyQuestion::MarkCandidate(int number)
{
    TableState& state = host.State();
    for (int i = 1; i <= problem.equationCount; ++i)
        state.table.At({i, column + 1}).mark = i == number ? CellMark::Candidate : CellMark::Column;
    if (number >= 1 && number <= problem.equationCount)
        state.tableInSight = InSight{number, column + 1};
}

Verdict KeyQuestion::Submit(const std::optional<int>& number)
{
    if (!number)
        return Say(Outcome::Refused, Tr("Questions", "Введите целое число."), ProgramName());
    // A number that names no column or row is a slip of the keyboard, not a decision.
    if (*number < 1 || *number > RangeMax()) {
        const std::string message = mode == Mode::Column ? Tr("Questions", "Введите номер столбца от 1 до %1")
                                                         : Tr("Questions", "Введите номер строки от 1 до %1");
        return Say(Outcome::Refused, Fill(message, {Number(RangeMax())}), InputErrorCaption());
    }
    if (mode == Mode::Column) {
        if (!IsRightKeyColumn(problem, column, *number))
            return WrongChoice(*number);
        column = *number;
        return Say(Outcome::Accepted);
    }
    try {
        if (!IsRightKeyRow(problem, column, *number))
            return WrongChoice(*number);
    } catch (const FractionOverflow&) {
        return Say(Outcome::Aborted);
    } catch (const std::bad_alloc&) {
        return Say(Outcome::Aborted);
    }
    keyRow = *number;
    // At the first pivot the column stays marked while the key row is asked.
    if (tableNumber != 2) {
        host.State().table.ClearMarks();
        host.StateChanged();
    }
    return Say(Outcome::Accepted);
}

Verdict KeyQuestion::WrongChoice(int number)
{
    std::string text = mode == Mode::Column ? Tr("Questions", "Ключевой столбец выбран неправильно")
                                            : Tr("Questions", "Ключевой элемент выбран неправильно");
    if (attempt > 1)
        return EndRun(host, text);
    ++attempt;
    return Say(Outcome::Retry, Explained(host, text, [&](DisplayMode displayMode) {
                   return mode == Mode::Column ? ExplainKeyColumn(problem, column, number, displayMode)
                                               : ExplainKeyRow(problem, column, number, displayMode);
               }),
               ErrorCaption());
}
