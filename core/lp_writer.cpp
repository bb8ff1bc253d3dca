#include "core/lp_format.h"

#include <algorithm>
#include <cstdint>

#include "core/lp_tokens.h"
#include "core/number_text.h"
#include "core/problem.h"
#include "core/texts.h"

using namespace lp;

namespace {

constexpr int kMaxRows = Problem::kMaxEquations;
constexpr int kMaxUnknowns = Problem::kMaxEntryUnknowns;

bool IsWritableName(const std::string& name, size_t maxCharacters)
{
    return !name.empty() && FindMalformedUtf8(name) == std::string_view::npos &&
        std::none_of(name.begin(), name.end(), IsControl) && CharacterCount(name) <= maxCharacters;
}

// A name that reads back as it is: the format's own name, or one with letters beyond ASCII.
bool IsBareName(std::string_view name)
{
    return !name.empty() && IsNameStart(name.front()) &&
        std::all_of(name.begin(), name.end(), IsNameCharacter) && name.find('"') == std::string_view::npos;
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string RelationText(Relation relation)
{
    switch (relation) {
    case Relation::LessOrEqual:
        return "<=";
    case Relation::GreaterOrEqual:
        return ">=";
    case Relation::Equal:
        break;
    }
    return "=";
}

// Writes a problem without a fault; it notes the extensions it has to use for the first line.
class LpWriter {
public:
    explicit LpWriter(const LpProblem& problem) : problem(problem) {}

    std::string Text();

private:
    std::string Name(const std::string& name);
    std::string Magnitude(const Fraction& value);
    std::string Signed(const Fraction& value);
    std::string Term(const Fraction& coefficient, const std::string& name);
    void Piece(const std::string& piece);
    void EndLine();
    void WriteObjective();
    void WriteRow(size_t i);
    std::string ExtensionsLine() const;

    static constexpr size_t kLineWidth = 78;
    static constexpr std::string_view kContinuation = "   ";

    const LpProblem& problem;
    bool fractionsUsed = false;
    bool lettersBeyondAsciiUsed = false;
    bool quotedNamesUsed = false;
    std::string body;
    std::string line;
};

std::string LpWriter::Name(const std::string& name)
{
    if (IsBareName(name)) {
        lettersBeyondAsciiUsed = lettersBeyondAsciiUsed || !IsAscii(name);
        return name;
    }
    quotedNamesUsed = true;
    std::string quoted = "\"";
    for (char c : name)
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string LpWriter::Magnitude(const Fraction& value)
{
    if (value.IsZero())
        return "0";
    if (auto decimal = ToFiniteDecimalText(value))
        return decimal->front() == '-' ? decimal->substr(1) : *decimal;
    fractionsUsed = true;
    const int64_t magnitude = value.numerator < 0 ? -value.numerator : value.numerator;
    return Int64ToText(magnitude) + "/" + Int64ToText(value.denominator);
}

std::string LpWriter::Signed(const Fraction& value)
{
    return (value.numerator < 0 ? "-" : "") + Magnitude(value);
}

std::string LpWriter::Term(const Fraction& coefficient, const std::string& name)
{
    const std::string sign = coefficient.numerator < 0 ? " - " : " + ";
    const bool one =
        coefficient.denominator == 1 && (coefficient.numerator == 1 || coefficient.numerator == -1);
    return sign + (one ? "" : Magnitude(coefficient) + " ") + Name(name);
}

// Long expressions go on over several lines; a continued line starts with a sign or a relation,
// never with a name that could be taken for a keyword.
void LpWriter::Piece(const std::string& piece)
{
    if (line.size() + piece.size() > kLineWidth && line.size() > kContinuation.size()) {
        EndLine();
        line = kContinuation;
    }
    line += piece;
}

void LpWriter::EndLine()
{
    body += line + "\n";
    line.clear();
}

// Every unknown, zeros included, so that the unknowns keep their order in any reader.
void LpWriter::WriteObjective()
{
    body += problem.isMax ? "Maximize\n" : "Minimize\n";
    line = " " + Name(problem.functionName) + ":";
    for (size_t k = 0; k < problem.unknownNames.size(); ++k)
        Piece(Term(problem.objective[k], problem.unknownNames[k]));
    EndLine();
    if (!problem.freeTerm.IsZero())
        body += "\\* constant term = " + Signed(problem.freeTerm) + " *\\\n";
}

void LpWriter::WriteRow(size_t i)
{
    const LpRow& row = problem.rows[i];
    line = " c" + std::to_string(i + 1) + ":";
    bool empty = true;
    for (size_t k = 0; k < problem.unknownNames.size(); ++k) {
        if (!row.coefficients[k].IsZero()) {
            Piece(Term(row.coefficients[k], problem.unknownNames[k]));
            empty = false;
        }
    }
    if (empty)
        Piece(" 0 " + Name(problem.unknownNames.front()));
    Piece(" " + RelationText(row.relation) + " " + Signed(row.rightHandSide));
    EndLine();
}

std::string LpWriter::ExtensionsLine() const
{
    std::vector<std::string> used;
    if (fractionsUsed)
        used.push_back(Tr("LpFile", "дроби вида 2/3"));
    if (lettersBeyondAsciiUsed)
        used.push_back(Tr("LpFile", "имена с кириллицей"));
    if (quotedNamesUsed)
        used.push_back(Tr("LpFile", "имена в кавычках"));
    if (used.empty())
        return {};
    std::string list = used.front();
    for (size_t k = 1; k < used.size(); ++k)
        list += ", " + used[k];
    return "\\ " + Fill(Tr("LpFile", "Задача Таблитора: в файле есть расширения формата LP: %1"), {list}) + "\n";
}

std::string LpWriter::Text()
{
    WriteObjective();
    body += "\nSubject To\n";
    for (size_t i = 0; i < problem.rows.size(); ++i)
        WriteRow(i);
    body += "\nEnd\n";
    return ExtensionsLine() + body;
}

} // namespace

bool IsEntryValue(const Fraction& value) { return ParseFraction(ToText(value)) == value; }

std::optional<std::string> FindLpProblemFault(const LpProblem& problem)
{
    const size_t n = problem.unknownNames.size();
    const size_t m = problem.rows.size();
    if (m < 1 || m > static_cast<size_t>(kMaxRows))
        return Fill(Tr("LpFile", "В задаче может быть от 1 до %1 уравнений"), {std::to_string(kMaxRows)});
    if (n < 1 || n > static_cast<size_t>(kMaxUnknowns))
        return Fill(Tr("LpFile", "В задаче может быть от 1 до %1 переменных"), {std::to_string(kMaxUnknowns)});
    auto wrongSize = [n](const LpRow& row) { return row.coefficients.size() != n; };
    if (problem.objective.size() != n || std::any_of(problem.rows.begin(), problem.rows.end(), wrongSize))
        return Tr("LpFile", "Число коэффициентов не совпадает с числом переменных");
    for (size_t k = 0; k < n; ++k) {
        if (!IsWritableName(problem.unknownNames[k], 3))
            return Fill(Tr("LpFile", "Обозначение %1 переменной должно состоять из 1–3 знаков"),
                        {std::to_string(k + 1)});
        for (size_t j = 0; j < k; ++j) {
            if (problem.unknownNames[j] == problem.unknownNames[k]) {
                return Fill(Tr("LpFile", "У %1 и %2 переменной одно обозначение %3: в файле у каждой переменной "
                                         "должно быть своё"),
                            {std::to_string(j + 1), std::to_string(k + 1), Quoted(problem.unknownNames[k])});
            }
        }
    }
    if (!IsWritableName(problem.functionName, 1))
        return Tr("LpFile", "Обозначение функции должно состоять из одного знака");
    std::vector<Fraction> values = problem.objective;
    values.push_back(problem.freeTerm);
    for (const LpRow& row : problem.rows) {
        values.insert(values.end(), row.coefficients.begin(), row.coefficients.end());
        values.push_back(row.rightHandSide);
    }
    for (const Fraction& value : values) {
        if (!IsEntryValue(value))
            return Fill(Tr("LpFile", "Число %1 не помещается в ячейку ввода"), {Quoted(ToText(value))});
    }
    return std::nullopt;
}

std::string WriteLpProblem(const LpProblem& problem) { return LpWriter(problem).Text(); }
