#include "core/canonical_form.h"
#include "core/texts.h"

#include <algorithm>
#include <set>

namespace {

std::string Number(int value) { return std::to_string(value); }

size_t CharacterCount(const std::string& text)
{
    // continuation bytes of a UTF-8 character are 10xxxxxx
    return std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// "x12" is the prefix "x" and the number 12; a name without a prefix or without digits after
// it has no pattern.
struct NamePattern {
    std::string prefix;
    int number = 0;
};

std::optional<NamePattern> PatternOf(const std::string& name)
{
    size_t digits = name.size();
    while (digits > 0 && IsDigit(name[digits - 1]))
        --digits;
    if (digits == 0 || digits == name.size() || name.size() - digits > 3)
        return std::nullopt;
    return NamePattern{name.substr(0, digits), std::stoi(name.substr(digits))};
}

// New names that no unknown has yet: a prefix and the numbers after it, as long as the name
// keeps to three characters, then the next prefix.
class NameGiver {
public:
    explicit NameGiver(std::set<std::string> used) : used(std::move(used)) {}

    std::string Next(const std::vector<NamePattern>& starts)
    {
        for (const NamePattern& start : starts) {
            for (int number = std::max(start.number, 1); number < 1000; ++number) {
                std::string name = start.prefix + Number(number);
                if (CharacterCount(name) > 3)
                    break;
                if (used.insert(name).second)
                    return name;
            }
        }
        // Three characters hold far more names than 300 unknowns need.
        return "?";
    }

private:
    std::set<std::string> used;
};

// The student's own naming: the prefix of the last name that has one, numbered on from the
// largest number with that prefix.
NamePattern StudentNaming(const Problem& problem)
{
    NamePattern naming{"x", 1};
    for (int k = problem.originalUnknownCount; k >= 1; --k) {
        if (auto pattern = PatternOf(problem.unknownNames[k])) {
            naming = {pattern->prefix, 1};
            break;
        }
    }
    for (int k = 1; k <= problem.originalUnknownCount; ++k) {
        auto pattern = PatternOf(problem.unknownNames[k]);
        if (pattern && pattern->prefix == naming.prefix)
            naming.number = std::max(naming.number, pattern->number + 1);
    }
    return naming;
}

std::vector<NamePattern> Fallbacks(const std::string& taken, std::initializer_list<const char*> prefixes)
{
    std::vector<NamePattern> starts;
    for (const char* prefix : prefixes) {
        if (prefix != taken)
            starts.push_back({prefix, 1});
    }
    return starts;
}

bool IsUnitColumn(const Problem& problem, int equation, int column)
{
    if (!(problem.matrix[equation][column] == Fraction(1)))
        return false;
    for (int r = 1; r <= problem.equationCount; ++r) {
        if (r != equation && !problem.matrix[r][column].IsZero())
            return false;
    }
    return true;
}

Relation Reversed(Relation relation)
{
    switch (relation) {
    case Relation::LessOrEqual: return Relation::GreaterOrEqual;
    case Relation::GreaterOrEqual: return Relation::LessOrEqual;
    case Relation::Equal: break;
    }
    return Relation::Equal;
}

void NegateEquation(Problem& problem, int equation)
{
    const TableValue minusOne = Fraction(-1);
    for (int c = 1; c <= problem.workUnknownCount + 1; ++c)
        problem.matrix[equation][c] = minusOne * problem.matrix[equation][c];
}

// A new unknown with `coefficient` in `equation` and 0 elsewhere; the price 0.
int AddUnknown(Problem& problem, int equation, int coefficient, const std::string& name)
{
    const int k = ++problem.workUnknownCount;
    problem.unknownCount = k;
    for (int r = 0; r <= problem.equationCount; ++r)
        problem.matrix[r][k + 1] = TableValue();
    problem.matrix[equation][k + 1] = Fraction(coefficient);
    problem.unknownNames[k] = name;
    return k;
}

int LastUnitColumn(const Problem& problem, int equation)
{
    for (int k = problem.workUnknownCount; k >= 1; --k) {
        if (IsUnitColumn(problem, equation, k + 1))
            return k;
    }
    return 0;
}

std::string Joined(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : "; ") + part;
    return text;
}

} // namespace

std::optional<Relation> ReadRelation(const std::string& text)
{
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return std::nullopt;
    const std::string sign = text.substr(first, text.find_last_not_of(' ') - first + 1);
    if (sign == "=")
        return Relation::Equal;
    if (sign == "<=" || sign == "≤")
        return Relation::LessOrEqual;
    if (sign == ">=" || sign == "≥")
        return Relation::GreaterOrEqual;
    return std::nullopt;
}

std::vector<std::string> BringToCanonicalForm(Problem& problem, const std::vector<Relation>& relations)
{
    const int m = problem.equationCount;
    problem.originalUnknownCount = problem.workUnknownCount;
    std::set<std::string> used(problem.unknownNames.begin() + 1,
                               problem.unknownNames.begin() + 1 + problem.workUnknownCount);
    NameGiver names(std::move(used));
    const NamePattern naming = StudentNaming(problem);
    std::vector<NamePattern> ownStarts{naming};
    for (const NamePattern& start : Fallbacks(naming.prefix, {"s", "u", "v", "w", "t", "z"}))
        ownStarts.push_back(start);
    const std::vector<NamePattern> artificialStarts = Fallbacks(naming.prefix, {"y", "r", "q", "a"});

    std::vector<std::vector<std::string>> done(m + 1);
    std::vector<Relation> relation = relations;
    for (int i = 1; i <= m; ++i) {
        if (problem.matrix[i][1].Sign() < 0) {
            NegateEquation(problem, i);
            relation[i] = Reversed(relation[i]);
            done[i].push_back(Tr("CanonicalForm", "умножено на -1"));
        }
        if (relation[i] == Relation::Equal)
            continue;
        const bool slack = relation[i] == Relation::LessOrEqual;
        const std::string name = names.Next(ownStarts);
        const int k = AddUnknown(problem, i, slack ? 1 : -1, name);
        if (slack)
            problem.basis[i] = k;
        done[i].push_back(
            Fill(slack ? Tr("CanonicalForm", "добавлено неизвестное %1 с коэффициентом +1, оно базисное")
                       : Tr("CanonicalForm", "добавлено неизвестное %1 с коэффициентом -1"),
                 {name}));
    }
    const std::string priceAtM = problem.isMax ? "-M" : "M";
    for (int i = 1; i <= m; ++i) {
        if (problem.basis[i] == 0)
            problem.basis[i] = LastUnitColumn(problem, i);
        if (problem.basis[i] != 0)
            continue;
        const std::string name = names.Next(artificialStarts);
        const int k = AddUnknown(problem, i, 1, name);
        problem.artificial[k] = true;
        ++problem.artificialCount;
        problem.basis[i] = k;
        done[i].push_back(Fill(Tr("CanonicalForm", "добавлено искусственное неизвестное %1 с ценой %2"),
                               {name, priceAtM}));
    }
    const int n = problem.workUnknownCount;
    for (int i = 1; i <= m; ++i)
        problem.matrix[i][n + 2] = problem.matrix[i][1];

    std::vector<std::string> lines;
    for (int i = 1; i <= m; ++i) {
        if (!done[i].empty())
            lines.push_back(Fill(Tr("CanonicalForm", "%1 уравнение: %2."), {Number(i), Joined(done[i])}));
    }
    return lines;
}

std::string ConversionMessage(const std::vector<std::string>& lines, const Problem& problem)
{
    // A message box taller than the screen helps no one: the first equations stand for the rest,
    // which the first table shows.
    constexpr size_t kShownLines = 20;
    std::string text = Tr("CanonicalForm", "Задача приведена к каноническому виду:") + "\n";
    for (size_t k = 0; k < lines.size() && k < kShownLines; ++k)
        text += lines[k] + "\n";
    if (lines.size() > kShownLines)
        text += Fill(Tr("CanonicalForm", "Остальные изменения (еще %1 уравнений) видны в первой таблице."),
                     {Number(static_cast<int>(lines.size() - kShownLines))}) + "\n";
    if (problem.HasMRow())
        text += Tr("CanonicalForm", "Задача с искусственными неизвестными решается M-методом: индексная строка "
                                    "делится на две, часть при M и числовую часть, и оценки сравниваются сначала по "
                                    "части при M.");
    else
        text.pop_back();
    return text;
}
