#include "core/entry_checks.h"

#include "core/canonical_form.h"
#include "core/number_text.h"
#include "core/texts.h"

namespace {

const char kCanonicalFailure[] = TR_NOOP("EntryChecks", "Система уравнений не каноническая");
const char kGeneralProblemHint[] = TR_NOOP(
    "EntryChecks", "Задачу с неравенствами или без явного базиса программа приведет к каноническому виду сама, если "
                   "включить \"Общая задача\" в меню Настройки, Прочие.");

std::string Number(int value) { return std::to_string(value); }

EntryVerdict UncountedFailure(std::string message, EntryField focus = {})
{
    EntryVerdict verdict;
    verdict.action = EntryVerdict::Action::ShowMessage;
    verdict.message = std::move(message);
    verdict.focus = focus;
    return verdict;
}

// The message for an empty or unreadable cell, or none when the text is a number.
std::optional<std::string> CellMessage(const std::string& text, const EntryField& field)
{
    using Kind = EntryField::Kind;
    const std::string equation = Number(field.equation);
    const std::string unknown = Number(field.unknown);
    if (field.kind == Kind::Sign) {
        if (text.find_first_not_of(' ') == std::string::npos)
            return Fill(Tr("EntryChecks", "Введите знак %1 уравнения: =, <= или >="), {equation});
        if (!ReadRelation(text))
            return Fill(Tr("EntryChecks", "Неправильный знак %1 уравнения: допустимы =, <= и >="), {equation});
        return std::nullopt;
    }
    if (text.empty()) {
        switch (field.kind) {
        case Kind::Coefficient:
            return Fill(Tr("EntryChecks", "Введите значение для %1 переменной %2 уравнения"), {unknown, equation});
        case Kind::RightHandSide:
            return Fill(Tr("EntryChecks", "Введите значение правой части для %1 уравнения"), {equation});
        case Kind::FreeTerm: return Tr("EntryChecks", "Введите значение свободного члена целевой функции");
        case Kind::ObjectiveCoefficient:
            return Fill(Tr("EntryChecks", "Введите значение для %1 коэффициента целевой функции"), {unknown});
        case Kind::Sign:
        case Kind::None: break;
        }
    } else if (ParseEntryNumber(text) == InvalidFraction) {
        switch (field.kind) {
        case Kind::Coefficient:
            return Fill(Tr("EntryChecks", "Неправильный формат данных для %1 переменной %2 уравнения"),
                        {unknown, equation});
        case Kind::RightHandSide:
            return Fill(Tr("EntryChecks", "Неправильный формат данных для правой части %1 уравнения"), {equation});
        case Kind::FreeTerm: return Tr("EntryChecks", "Неправильный формат данных свободного члена целевой функции");
        case Kind::ObjectiveCoefficient:
            return Fill(Tr("EntryChecks", "Неправильный формат данных для %1 коэффициента целевой функции"), {unknown});
        case Kind::Sign:
        case Kind::None: break;
        }
    }
    return std::nullopt;
}

bool IsUnitColumn(const Problem& problem, int equation, int column)
{
    if (!(problem.matrix[equation][column] == Fraction(1)))
        return false;
    for (int r = 1; r <= problem.equationCount; ++r) {
        if (r != equation && !(problem.matrix[r][column] == Fraction(0)))
            return false;
    }
    return true;
}

} // namespace

std::optional<std::string> CheckSizes(int equationCount, int unknownCount)
{
    bool equationsFit = equationCount >= 1 && equationCount <= Problem::kMaxEquations;
    bool unknownsFit = unknownCount >= 1 && unknownCount <= Problem::kMaxEntryUnknowns;
    if (!equationsFit || !unknownsFit)
        return Tr("EntryChecks", "Введите допустимые значения");
    return std::nullopt;
}

std::string FirstCharacters(const std::string& text, int count)
{
    size_t position = 0;
    for (int taken = 0; taken < count && position < text.size(); ++taken) {
        ++position;
        // continuation bytes of a UTF-8 character are 10xxxxxx
        while (position < text.size() && (static_cast<unsigned char>(text[position]) & 0xC0) == 0x80)
            ++position;
    }
    return text.substr(0, position);
}

NamesVerdict CheckNames(const std::vector<std::string>& typedNames, const std::string& designation)
{
    NamesVerdict verdict;
    verdict.names.assign(typedNames.size(), std::string());
    for (size_t k = 1; k < typedNames.size(); ++k) {
        std::string name = FirstCharacters(typedNames[k], 3);
        if (name.empty()) {
            verdict.message = Fill(Tr("EntryChecks", "Введите обозначение %1 переменной"),
                                   {Number(static_cast<int>(k))});
            return verdict;
        }
        verdict.names[k] = name;
        verdict.takenCount = static_cast<int>(k);
    }
    if (designation.empty())
        verdict.message = Tr("EntryChecks", "Введите обозначение для функции");
    return verdict;
}

EntryTexts EntryTexts::OfSize(int m, int n)
{
    EntryTexts texts;
    texts.equationCount = m;
    texts.unknownCount = n;
    texts.coefficients.assign(m + 1, std::vector<std::string>(n + 1));
    texts.rightHandSides.assign(m + 1, {});
    texts.signs.assign(m + 1, {});
    texts.objective.assign(n + 1, {});
    texts.unknownNames.assign(n + 1, {});
    return texts;
}

std::optional<EntryVerdict> CheckCellFormats(const EntryTexts& texts)
{
    using Kind = EntryField::Kind;
    const int n = texts.unknownCount;
    // In reading order: each equation's coefficients, its sign in a general problem, then its
    // right-hand side.
    for (int i = 1; i <= texts.equationCount; ++i) {
        for (int k = 1; k <= n; ++k) {
            if (auto message = CellMessage(texts.coefficients[i][k], {Kind::Coefficient, i, k}))
                return UncountedFailure(*message, {Kind::Coefficient, i, k});
        }
        if (texts.general) {
            if (auto message = CellMessage(texts.signs[i], {Kind::Sign, i, 0}))
                return UncountedFailure(*message, {Kind::Sign, i, 0});
        }
        if (auto message = CellMessage(texts.rightHandSides[i], {Kind::RightHandSide, i, 0}))
            return UncountedFailure(*message, {Kind::RightHandSide, i, 0});
    }
    for (int k = 0; k <= n; ++k) {
        const EntryField field{k == 0 ? Kind::FreeTerm : Kind::ObjectiveCoefficient, 0, k};
        if (auto message = CellMessage(texts.objective[k], field))
            return UncountedFailure(*message, field);
    }
    return std::nullopt;
}

int FindNegativeRightHandSide(const EntryTexts& texts)
{
    for (int i = 1; i <= texts.equationCount; ++i) {
        if (ParseEntryNumber(texts.rightHandSides[i]) < Fraction(0))
            return i;
    }
    return 0;
}

void BuildProblem(const EntryTexts& texts, Problem& problem)
{
    const int m = texts.equationCount;
    const int n = texts.unknownCount;
    problem.basis.fill(0);
    for (auto& row : problem.matrix)
        row.fill(Fraction());
    problem.equationCount = m;
    problem.unknownCount = n;
    problem.workUnknownCount = n;
    problem.originalUnknownCount = n;
    problem.artificial.fill(false);
    problem.artificialCount = 0;
    for (int i = 1; i <= m; ++i) {
        for (int k = 1; k <= n; ++k)
            problem.matrix[i][k + 1] = ParseEntryNumber(texts.coefficients[i][k]);
        problem.matrix[i][n + 2] = ParseEntryNumber(texts.rightHandSides[i]);
        problem.matrix[i][1] = problem.matrix[i][n + 2];
    }
    for (int k = 1; k <= n; ++k)
        problem.matrix[0][k + 1] = ParseEntryNumber(texts.objective[k]);
    problem.freeTerm = ParseEntryNumber(texts.objective[0]);
    problem.isMax = texts.sense == "Max" ? 1 : 0;
    for (int k = 1; k <= n; ++k)
        problem.unknownNames[k] = texts.unknownNames[k];
    problem.functionName = texts.functionName;
}

bool CheckCanonical(Problem& problem)
{
    for (int i = 1; i <= problem.equationCount; ++i) {
        // Every unit column is looked at; the last one becomes the basic unknown.
        for (int column = 2; column <= problem.workUnknownCount + 1; ++column) {
            if (IsUnitColumn(problem, i, column))
                problem.basis[i] = column - 1;
        }
        if (problem.basis[i] == 0)
            return false;
    }
    return true;
}

void ApplyObjectiveSense(const EntryTexts& texts, Problem& problem)
{
    if (texts.sense != "Min")
        return;
    for (int column = 2; column <= problem.workUnknownCount + 1; ++column)
        problem.matrix[0][column] = Fraction(-1) * problem.matrix[0][column];
}

EntryVerdict EntryChecker::CountedFailure(const std::string& reason)
{
    EntryVerdict verdict;
    if (entryFailures < 2) {
        ++entryFailures;
        verdict.action = EntryVerdict::Action::Warn;
        verdict.message =
            TrMarked("EntryChecks", kCanonicalFailure) + "\n" + TrMarked("EntryChecks", kGeneralProblemHint);
    } else {
        verdict.action = EntryVerdict::Action::FailRun;
        verdict.reason = reason;
    }
    return verdict;
}

EntryVerdict EntryChecker::StartGeneralProblem(const EntryTexts& texts, Problem& problem)
{
    BuildProblem(texts, problem);
    std::vector<Relation> relations(texts.equationCount + 1, Relation::Equal);
    for (int i = 1; i <= texts.equationCount; ++i)
        relations[i] = *ReadRelation(texts.signs[i]);
    EntryVerdict verdict;
    verdict.conversion = BringToCanonicalForm(problem, relations);
    ApplyObjectiveSense(texts, problem);
    return verdict;
}

EntryVerdict EntryChecker::Check(const EntryTexts& texts, Problem& problem)
{
    if (auto message = CheckSizes(texts.equationCount, texts.unknownCount))
        return UncountedFailure(*message);
    if (auto failure = CheckCellFormats(texts))
        return *failure;
    if (texts.general)
        return StartGeneralProblem(texts, problem);
    if (int equation = FindNegativeRightHandSide(texts))
        return CountedFailure(Fill(Tr("EntryChecks", "%1-е уравнение имеет отрицательную правую часть"),
                                   {Number(equation)}));
    BuildProblem(texts, problem);
    if (!CheckCanonical(problem))
        return CountedFailure(TrMarked("EntryChecks", kCanonicalFailure));
    ApplyObjectiveSense(texts, problem);
    return EntryVerdict();
}
