#include "core/lp_entry.h"

#include <algorithm>
#include <optional>
#include <string_view>

#include "core/number_text.h"
#include "core/texts.h"

namespace {

std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<Relation> ReadSign(std::string_view text)
{
    const std::string_view sign = Trimmed(text);
    if (sign == "=")
        return Relation::Equal;
    if (sign == "<=")
        return Relation::LessOrEqual;
    if (sign == ">=")
        return Relation::GreaterOrEqual;
    return std::nullopt;
}

std::string SignText(Relation relation)
{
    switch (relation) {
    case Relation::LessOrEqual: return "<=";
    case Relation::GreaterOrEqual: return ">=";
    case Relation::Equal: break;
    }
    return "=";
}

} // namespace

std::string EntryCellText(const Fraction& value)
{
    if (auto decimal = ToFiniteDecimalText(value); decimal && ParseEntryNumber(*decimal) == value)
        return *decimal;
    return ToText(value);
}

EntryTexts ToEntryTexts(const LpProblem& problem)
{
    const int m = static_cast<int>(problem.rows.size());
    const int n = static_cast<int>(problem.unknownNames.size());
    EntryTexts texts = EntryTexts::OfSize(m, n);
    for (int i = 1; i <= m; ++i) {
        const LpRow& row = problem.rows[i - 1];
        for (int k = 1; k <= n; ++k)
            texts.coefficients[i][k] = EntryCellText(row.coefficients[k - 1]);
        texts.rightHandSides[i] = EntryCellText(row.rightHandSide);
        texts.signs[i] = SignText(row.relation);
    }
    texts.objective[0] = EntryCellText(problem.freeTerm);
    for (int k = 1; k <= n; ++k) {
        texts.objective[k] = EntryCellText(problem.objective[k - 1]);
        texts.unknownNames[k] = problem.unknownNames[k - 1];
    }
    texts.sense = problem.isMax ? "Max" : "Min";
    texts.functionName = problem.functionName;
    return texts;
}

LpReadResult ToLpProblem(const EntryTexts& texts, bool generalProblem)
{
    LpProblem problem;
    problem.unknownNames.assign(texts.unknownNames.begin() + 1, texts.unknownNames.end());
    problem.functionName = texts.functionName;
    problem.isMax = texts.sense == "Max";
    problem.freeTerm = ParseEntryNumber(texts.objective[0]);
    for (int k = 1; k <= texts.unknownCount; ++k)
        problem.objective.push_back(ParseEntryNumber(texts.objective[k]));
    for (int i = 1; i <= texts.equationCount; ++i) {
        LpRow row;
        for (int k = 1; k <= texts.unknownCount; ++k)
            row.coefficients.push_back(ParseEntryNumber(texts.coefficients[i][k]));
        row.rightHandSide = ParseEntryNumber(texts.rightHandSides[i]);
        if (generalProblem) {
            const std::optional<Relation> relation = ReadSign(texts.signs[i]);
            if (!relation)
                return {std::nullopt, Fill(Tr("LpFile", "Знак %1 уравнения должен быть =, <= или >="),
                                           {std::to_string(i)})};
            row.relation = *relation;
        }
        problem.rows.push_back(std::move(row));
    }
    return {std::move(problem), {}};
}

bool HasInequalities(const LpProblem& problem)
{
    return std::any_of(problem.rows.begin(), problem.rows.end(),
                       [](const LpRow& row) { return row.relation != Relation::Equal; });
}
