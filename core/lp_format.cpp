#include "core/lp_format.h"

#include <gmpxx.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

#include "core/entry_checks.h"
#include "core/lp_tokens.h"
#include "core/number_text.h"
#include "core/problem.h"
#include "core/texts.h"

using namespace lp;

namespace {

// Lines end with "\n", "\r\n" or a lone "\r".
int LineAt(std::string_view text, size_t offset)
{
    int line = 1;
    for (size_t at = 0; at < offset; ++at) {
        if (text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n')))
            ++line;
    }
    return line;
}

// The checks of the whole text before any of it is read as a problem.
std::optional<std::string> FindTextFault(std::string_view text)
{
    if (text.size() > kLpFileSizeLimit)
        return Tr("LpFile", "Файл больше 1 МБ: это не задача");
    if (text.find('\0') != std::string_view::npos)
        return Tr("LpFile", "Файл не текстовый");
    const size_t malformed = FindMalformedUtf8(text);
    if (malformed != std::string_view::npos)
        return AtLine(LineAt(text, malformed), Tr("LpFile", "текст не в кодировке UTF-8"));
    if (std::all_of(text.begin(), text.end(), [](char c) { return IsSpace(c) || IsLineBreak(c); }))
        return Tr("LpFile", "Файл пуст");
    return std::nullopt;
}

// ---- Values

enum class NumberFault { None, ZeroDenominator, DoesNotFit };

struct ExactNumber {
    mpq_class value;
    NumberFault fault = NumberFault::None;
};

// A cell's value has a numerator and a denominator below 2^31. In decimals, with the zeros at both
// ends taken off, such a value has at most 31 digits and a power of ten between -30 and 9, so
// anything beyond these limits is refused before it is computed.
constexpr size_t kMaxSignificantDigits = 40;
constexpr long kMaxExponent = 40;

std::string WithoutLeadingZeros(std::string_view digits)
{
    const size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? std::string() : std::string(digits.substr(first));
}

mpz_class PowerOfTen(long exponent)
{
    mpz_class power;
    mpz_ui_pow_ui(power.get_mpz_t(), 10, static_cast<unsigned long>(exponent));
    return power;
}

ExactNumber FractionValue(std::string_view numeratorDigits, std::string_view denominatorDigits)
{
    const std::string numerator = WithoutLeadingZeros(numeratorDigits);
    const std::string denominator = WithoutLeadingZeros(denominatorDigits);
    if (denominator.empty())
        return {0, NumberFault::ZeroDenominator};
    if (numerator.size() > kMaxSignificantDigits || denominator.size() > kMaxSignificantDigits)
        return {0, NumberFault::DoesNotFit};
    mpq_class value(mpz_class(numerator.empty() ? "0" : numerator), mpz_class(denominator));
    value.canonicalize();
    return {value};
}

// The exponent as written, held within +-10^9 so that a long one cannot overflow.
long ExponentValue(std::string_view text)
{
    const bool negative = !text.empty() && text.front() == '-';
    long value = 0;
    for (char c : text) {
        if (IsDigit(c))
            value = std::min(value * 10 + (c - '0'), 1'000'000'000L);
    }
    return negative ? -value : value;
}

// An unsigned number as the lexer takes it: "12", "1.5", ".5", "1e3", "2.5E-2", "2/3".
ExactNumber NumberValue(std::string_view text)
{
    const size_t slash = text.find('/');
    if (slash != std::string_view::npos)
        return FractionValue(text.substr(0, slash), text.substr(slash + 1));
    const size_t e = text.find_first_of("eE");
    const std::string_view mantissa = text.substr(0, e);
    const long exponent = e == std::string_view::npos ? 0 : ExponentValue(text.substr(e + 1));
    const size_t point = mantissa.find('.');
    const std::string_view places = point == std::string_view::npos ? "" : mantissa.substr(point + 1);
    std::string digits = WithoutLeadingZeros(std::string(mantissa.substr(0, point)) + std::string(places));
    if (digits.empty())
        return {0};
    long power = exponent - static_cast<long>(places.size());
    while (digits.back() == '0') {
        digits.pop_back();
        ++power;
    }
    if (digits.size() > kMaxSignificantDigits || power > kMaxExponent || power < -kMaxExponent)
        return {0, NumberFault::DoesNotFit};
    mpq_class value{mpz_class(digits)};
    if (power >= 0)
        value *= PowerOfTen(power);
    else
        value /= PowerOfTen(-power);
    value.canonicalize();
    return {value};
}

// The value as a cell holds it, when a cell can.
std::optional<Fraction> EntryValueOf(const mpq_class& value)
{
    const std::string text = value.get_str();
    const Fraction fraction = ParseFraction(text);
    if (fraction == InvalidFraction || ToText(fraction) != text)
        return std::nullopt;
    return fraction;
}

// ---- Sections

enum class Section { Maximize, Minimize, SubjectTo, Bounds, End, Unsupported };

struct SectionWords {
    std::string_view first;
    std::string_view second; // empty for a one-word keyword
    Section section;
};

constexpr SectionWords kSectionWords[] = {
    {"maximize", "", Section::Maximize},
    {"maximise", "", Section::Maximize},
    {"maximum", "", Section::Maximize},
    {"max", "", Section::Maximize},
    {"minimize", "", Section::Minimize},
    {"minimise", "", Section::Minimize},
    {"minimum", "", Section::Minimize},
    {"min", "", Section::Minimize},
    {"subject", "to", Section::SubjectTo},
    {"such", "that", Section::SubjectTo},
    {"st", "", Section::SubjectTo},
    {"s.t.", "", Section::SubjectTo},
    {"st.", "", Section::SubjectTo},
    {"bounds", "", Section::Bounds},
    {"bound", "", Section::Bounds},
    {"end", "", Section::End},
    {"generals", "", Section::Unsupported},
    {"general", "", Section::Unsupported},
    {"gen", "", Section::Unsupported},
    {"integers", "", Section::Unsupported},
    {"integer", "", Section::Unsupported},
    {"binaries", "", Section::Unsupported},
    {"binary", "", Section::Unsupported},
    {"bin", "", Section::Unsupported},
    {"semi", "", Section::Unsupported},
    {"semis", "", Section::Unsupported},
    {"sos", "", Section::Unsupported},
    {"lazy", "constraints", Section::Unsupported},
    {"user", "cuts", Section::Unsupported},
    {"pwl", "", Section::Unsupported},
};

struct SectionMark {
    Section section;
    int words;
    int line;
    std::string written;
};

bool IsName(const Token& token)
{
    return token.kind == TokenKind::Name || token.kind == TokenKind::QuotedName;
}

bool IsSign(const Token& token) { return token.kind == TokenKind::Plus || token.kind == TokenKind::Minus; }

Relation RelationOf(std::string_view text)
{
    if (text.find('<') != std::string_view::npos)
        return Relation::LessOrEqual;
    if (text.find('>') != std::string_view::npos)
        return Relation::GreaterOrEqual;
    return Relation::Equal;
}

// The coefficient of a term written without a number.
Fraction Unit(bool negative) { return Fraction(0, negative ? -1 : 1, 1); }

bool IsInfinity(const Token& token)
{
    return token.kind == TokenKind::Name &&
        (EqualsIgnoringCase(token.text, "inf") || EqualsIgnoringCase(token.text, "infinity"));
}

// ---- The reader

constexpr int kMaxRows = Problem::kMaxEquations;
constexpr int kMaxUnknowns = Problem::kMaxEntryUnknowns;

class Reader {
public:
    explicit Reader(std::string_view text) : lexer(text) {}

    LpProblem Read();

private:
    struct SparseRow {
        std::vector<std::pair<int, Fraction>> terms;
        Relation relation = Relation::Equal;
        Fraction rightHandSide;
    };

    // One side of a bound: an unknown, or a number or infinity.
    struct BoundSide {
        std::optional<std::string> name;
        bool zero = false;
    };

    Token Peek(size_t ahead = 0);
    Token Take();
    [[noreturn]] void FailExpected(const Token& at, const std::string& expectation);
    [[noreturn]] void FailSection(const SectionMark& mark, const std::string& expectation);
    std::optional<SectionMark> SectionAt();
    bool AtSectionOrEnd();
    void ExpectSection(Section section, const std::string& expectation);

    std::string NameOf(const Token& token);
    int Unknown(const std::string& name, int line);
    int UnknownOnce(const Token& token);
    Fraction ValueOf(const Token& number, bool negative);
    Fraction SignedValue(const std::string& expectation);
    std::optional<Fraction> Coefficient(bool negative);
    bool TakeSign(bool signRequired, const std::string& expectation);

    void ReadObjective();
    void SetConstant(const Fraction& value, int line);
    void TakeConstantComment();
    void ReadRows();
    void ReadRow();
    void ReadBounds();
    void ReadBound();
    BoundSide ReadBoundSide();
    LpProblem Result() const;

    Lexer lexer;
    std::deque<Token> ahead;
    bool objectiveOpen = false;

    std::vector<std::string> names;
    std::unordered_map<std::string, int> unknownIndex;
    std::vector<int> expressionOfLastUse; // per unknown: the expression that last named it
    int expression = 0;

    std::string designation = "F";
    bool isMax = true;
    std::vector<std::pair<int, Fraction>> objective;
    std::optional<Fraction> constant;
    std::vector<SparseRow> rows;
};

// GLPK's constant comment is a token of the objective only; elsewhere it is a comment.
Token Reader::Peek(size_t offset)
{
    size_t seen = 0;
    for (size_t i = 0;; ++i) {
        if (i == ahead.size())
            ahead.push_back(lexer.Next());
        if (ahead[i].kind == TokenKind::ConstantComment && !objectiveOpen) {
            ahead.erase(ahead.begin() + static_cast<std::ptrdiff_t>(i));
            --i;
            continue;
        }
        if (seen++ == offset || ahead[i].kind == TokenKind::End)
            return ahead[i];
    }
}

Token Reader::Take()
{
    Peek();
    Token token = ahead.front();
    if (token.kind != TokenKind::End)
        ahead.pop_front();
    return token;
}

void Reader::FailExpected(const Token& at, const std::string& expectation)
{
    Fail(at.line, at.kind == TokenKind::End ? Fill(Tr("LpFile", "файл кончился, а %1"), {expectation}) : expectation);
}

void Reader::FailSection(const SectionMark& mark, const std::string& expectation)
{
    if (mark.section == Section::Unsupported) {
        Fail(mark.line,
            Fill(Tr("LpFile", "раздел %1 не поддерживается: в задаче бывают только разделы Maximize или "
                              "Minimize, Subject To, Bounds и End"),
                 {Quoted(mark.written)}));
    }
    Fail(mark.line, expectation);
}

// A keyword counts at the start of a line and not as a label ("end: x <= 1" is a row).
std::optional<SectionMark> Reader::SectionAt()
{
    const Token first = Peek();
    if (first.kind != TokenKind::Name || !first.startsLine || Peek(1).kind == TokenKind::Colon)
        return std::nullopt;
    for (const SectionWords& words : kSectionWords) {
        if (!EqualsIgnoringCase(first.text, words.first))
            continue;
        if (words.second.empty())
            return SectionMark{words.section, 1, first.line, std::string(first.text)};
        const Token second = Peek(1);
        if (second.kind == TokenKind::Name && EqualsIgnoringCase(second.text, words.second))
            return SectionMark{
                words.section, 2, first.line, std::string(first.text) + " " + std::string(second.text)};
    }
    return std::nullopt;
}

bool Reader::AtSectionOrEnd() { return Peek().kind == TokenKind::End || SectionAt(); }

void Reader::ExpectSection(Section section, const std::string& expectation)
{
    auto mark = SectionAt();
    if (!mark)
        FailExpected(Peek(), expectation);
    if (mark->section != section)
        FailSection(*mark, expectation);
    for (int k = 0; k < mark->words; ++k)
        Take();
}

std::string Reader::NameOf(const Token& token)
{
    if (token.kind == TokenKind::Name)
        return std::string(token.text);
    std::string name;
    for (size_t at = 1; at + 1 < token.text.size(); ++at) {
        name += token.text[at];
        if (token.text[at] == '"')
            ++at;
    }
    if (name.empty())
        Fail(token.line, Tr("LpFile", "пустое имя в кавычках"));
    return name;
}

int Reader::Unknown(const std::string& name, int line)
{
    auto found = unknownIndex.find(name);
    if (found != unknownIndex.end())
        return found->second;
    if (CharacterCount(name) > 3)
        Fail(line, Fill(Tr("LpFile", "имя переменной %1 длиннее трёх знаков"), {Quoted(name)}));
    if (static_cast<int>(names.size()) == kMaxUnknowns)
        Fail(line,
            Fill(Tr("LpFile", "больше %1 переменных, а в задаче их может быть от 1 до %1"),
                 {std::to_string(kMaxUnknowns)}));
    names.push_back(name);
    expressionOfLastUse.push_back(-1);
    unknownIndex.emplace(name, static_cast<int>(names.size()) - 1);
    return static_cast<int>(names.size()) - 1;
}

// The format takes every unknown at most once in one expression.
int Reader::UnknownOnce(const Token& token)
{
    const std::string name = NameOf(token);
    const int k = Unknown(name, token.line);
    if (expressionOfLastUse[k] == expression)
        Fail(token.line, Fill(Tr("LpFile", "переменная %1 встречается в выражении дважды"), {Quoted(name)}));
    expressionOfLastUse[k] = expression;
    return k;
}

Fraction Reader::ValueOf(const Token& number, bool negative)
{
    ExactNumber exact = NumberValue(number.text);
    if (exact.fault == NumberFault::ZeroDenominator)
        Fail(number.line, Fill(Tr("LpFile", "нулевой знаменатель в числе %1"), {Quoted(number.text)}));
    auto value = exact.fault == NumberFault::None
        ? EntryValueOf(negative ? mpq_class(-exact.value) : exact.value)
        : std::nullopt;
    if (!value) {
        Fail(number.line,
            Fill(Tr("LpFile", "число %1 не помещается в ячейку ввода: числитель и знаменатель не больше 2147483647"),
                 {Quoted(number.text)}));
    }
    return *value;
}

bool Reader::TakeSign(bool signRequired, const std::string& expectation)
{
    if (!IsSign(Peek())) {
        if (signRequired)
            FailExpected(Peek(), expectation);
        return false;
    }
    return Take().kind == TokenKind::Minus;
}

Fraction Reader::SignedValue(const std::string& expectation)
{
    const bool negative = TakeSign(false, expectation);
    if (Peek().kind != TokenKind::Number)
        FailExpected(Peek(), expectation);
    return ValueOf(Take(), negative);
}

// The number in front of a term, if there is one.
std::optional<Fraction> Reader::Coefficient(bool negative)
{
    if (Peek().kind == TokenKind::Number)
        return ValueOf(Take(), negative);
    return std::nullopt;
}

void Reader::SetConstant(const Fraction& value, int line)
{
    if (constant)
        Fail(line, Tr("LpFile", "второй свободный член целевой функции"));
    constant = value;
}

// The signed number that is all of the text, or nothing.
std::optional<std::pair<bool, std::string_view>> SignedNumberText(std::string_view text)
{
    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    try {
        Lexer lexer(text);
        const Token number = lexer.Next();
        if (number.kind != TokenKind::Number || lexer.Next().kind != TokenKind::End)
            return std::nullopt;
        return std::pair(negative, number.text);
    } catch (const ReadFailure&) {
        return std::nullopt;
    }
}

void Reader::TakeConstantComment()
{
    const Token comment = Take();
    auto number = SignedNumberText(comment.text);
    if (!number)
        Fail(comment.line, Fill(Tr("LpFile", "непонятный свободный член в комментарии: %1"), {Quoted(comment.text)}));
    SetConstant(
        ValueOf(Token{TokenKind::Number, number->second, comment.line, false}, number->first), comment.line);
}

void Reader::ReadObjective()
{
    if (IsName(Peek()) && Peek(1).kind == TokenKind::Colon) {
        designation = FirstCharacters(NameOf(Take()), 1);
        Take();
    }
    ++expression;
    bool first = true;
    for (;;) {
        if (Peek().kind == TokenKind::ConstantComment) {
            TakeConstantComment();
            continue;
        }
        if (AtSectionOrEnd())
            return;
        // A labelled row, or a word of its own at the start of a line, ends the objective here.
        if (IsName(Peek()) && (Peek(1).kind == TokenKind::Colon || (!first && Peek().startsLine)))
            FailExpected(Peek(), Tr("LpFile", "ожидался раздел Subject To"));
        const bool negative = TakeSign(!first, Tr("LpFile", "ожидался знак + или -"));
        first = false;
        const int line = Peek().line;
        auto coefficient = Coefficient(negative);
        if (IsName(Peek()) && !SectionAt())
            objective.emplace_back(UnknownOnce(Take()), coefficient.value_or(Unit(negative)));
        else if (coefficient)
            SetConstant(*coefficient, line);
        else
            FailExpected(Peek(), Tr("LpFile", "ожидалось число или имя переменной"));
    }
}

void Reader::ReadRows()
{
    while (!AtSectionOrEnd()) {
        if (static_cast<int>(rows.size()) == kMaxRows) {
            Fail(Peek().line,
                Fill(Tr("LpFile", "больше %1 уравнений, а в задаче их может быть от 1 до %1"),
                     {std::to_string(kMaxRows)}));
        }
        ReadRow();
    }
    if (rows.empty())
        Fail(Peek().line, Tr("LpFile", "в разделе Subject To нет ни одного уравнения"));
}

void Reader::ReadRow()
{
    if (IsName(Peek()) && Peek(1).kind == TokenKind::Colon) {
        Take();
        Take();
    }
    ++expression;
    SparseRow row;
    bool first = true;
    do {
        const bool negative = TakeSign(!first, Tr("LpFile", "ожидался знак + или -"));
        first = false;
        auto coefficient = Coefficient(negative);
        if (!IsName(Peek()) || SectionAt())
            FailExpected(
                Peek(), coefficient ? Tr("LpFile", "ожидалось имя переменной") : Tr("LpFile", "ожидалось число или имя "
                                                                                              "переменной"));
        row.terms.emplace_back(UnknownOnce(Take()), coefficient.value_or(Unit(negative)));
    } while (IsSign(Peek()));
    if (Peek().kind != TokenKind::Relation)
        FailExpected(Peek(), Tr("LpFile", "ожидался знак =, <= или >="));
    row.relation = RelationOf(Take().text);
    row.rightHandSide = SignedValue(Tr("LpFile", "ожидалось число в правой части"));
    rows.push_back(std::move(row));
}

void Reader::ReadBounds()
{
    while (!AtSectionOrEnd())
        ReadBound();
}

Reader::BoundSide Reader::ReadBoundSide()
{
    const bool negative = TakeSign(false, "");
    const Token token = Peek();
    if (IsInfinity(token)) {
        Take();
        return {};
    }
    if (IsName(token) && !negative)
        return {NameOf(Take())};
    if (token.kind != TokenKind::Number)
        FailExpected(token, Tr("LpFile", "ожидалось имя переменной или число"));
    return {std::nullopt, ValueOf(Take(), negative).IsZero()};
}

// Only x >= 0 (also 0 <= x) is taken: every unknown of the problem is non-negative anyway.
void Reader::ReadBound()
{
    const int line = Peek().line;
    const BoundSide left = ReadBoundSide();
    std::optional<Relation> relation;
    if (Peek().kind == TokenKind::Relation)
        relation = RelationOf(Take().text);
    else if (!left.name || !EqualsIgnoringCase(Peek().text, "free"))
        FailExpected(Peek(), Tr("LpFile", "ожидался знак =, <= или >="));
    const BoundSide right = relation ? ReadBoundSide() : BoundSide{};
    if (relation && left.name.has_value() == right.name.has_value())
        Fail(line, Tr("LpFile", "в границе должны быть имя переменной и число"));
    const std::string& name = left.name ? *left.name : *right.name;
    const bool lowerZero = left.name ? relation == Relation::GreaterOrEqual && right.zero
                                     : relation == Relation::LessOrEqual && left.zero;
    if (!lowerZero || Peek().kind == TokenKind::Relation)
        Fail(line,
            Fill(Tr("LpFile", "граница для %1 не поддерживается: допустима только %2 >= 0"),
                 {Quoted(name), Shortened(name)}));
    Unknown(name, line);
}

LpProblem Reader::Result() const
{
    LpProblem problem;
    const size_t n = names.size();
    problem.unknownNames = names;
    problem.functionName = designation;
    problem.isMax = isMax;
    problem.objective.assign(n, Fraction());
    for (const auto& [k, value] : objective)
        problem.objective[k] = value;
    problem.freeTerm = constant.value_or(Fraction());
    for (const SparseRow& sparse : rows) {
        LpRow row{std::vector<Fraction>(n), sparse.relation, sparse.rightHandSide};
        for (const auto& [k, value] : sparse.terms)
            row.coefficients[k] = value;
        problem.rows.push_back(std::move(row));
    }
    return problem;
}

LpProblem Reader::Read()
{
    auto sense = SectionAt();
    if (!sense || (sense->section != Section::Maximize && sense->section != Section::Minimize))
        FailExpected(Peek(), Tr("LpFile", "ожидалось Maximize или Minimize"));
    isMax = sense->section == Section::Maximize;
    Take();
    objectiveOpen = true;
    ReadObjective();
    objectiveOpen = false;
    ExpectSection(Section::SubjectTo, Tr("LpFile", "ожидался раздел Subject To"));
    ReadRows();
    auto mark = SectionAt();
    if (mark && mark->section == Section::Bounds) {
        Take();
        ReadBounds();
    }
    const bool afterBounds = mark && mark->section == Section::Bounds;
    ExpectSection(Section::End, afterBounds ? Tr("LpFile", "ожидалось End")
                                            : Tr("LpFile", "ожидался раздел Bounds или End"));
    if (Peek().kind != TokenKind::End)
        Fail(Peek().line, Tr("LpFile", "после End ничего не должно быть"));
    return Result();
}

} // namespace

LpReadResult ReadLpProblem(std::string_view text)
{
    if (auto fault = FindTextFault(text))
        return {std::nullopt, *fault};
    if (text.starts_with("\xEF\xBB\xBF"))
        text.remove_prefix(3);
    try {
        return {Reader(text).Read(), {}};
    } catch (const ReadFailure& failure) {
        return {std::nullopt, failure.message};
    }
}
