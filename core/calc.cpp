#include "core/calc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "core/texts.h"

namespace calc {
namespace {

// Every operation is computed in extended precision; values are kept as doubles between steps.
using Extended = long double;

const char* const kNoExpression = TR_NOOP("Calculator", "Отсутствует выражение");
const char* const kInvalidOperator = TR_NOOP("Calculator", "Недопустимый оператор");
const char* const kUnclosedParenthesis = TR_NOOP("Calculator", ") отсутствует");
const char* const kInvalidFunction = TR_NOOP("Calculator", "Недопустимая функция");
const char* const kZeroToNonPositivePower = TR_NOOP("Calculator", "Возведение нуля в степень, которая не больше 0");
const char* const kNegativeToFractionalPower = TR_NOOP("Calculator", "Возводимое число, котрое меньше нуля не в целой "
                                                                     "степени");
const char* const kNoTangent = TR_NOOP("Calculator", "невозможно вычислить tg");
// The first letter of the function name is the Cyrillic "с" here.
const char* const kNoCotangent = TR_NOOP("Calculator", "невозможно вычислить сtg");
const char* const kLogarithmDomain = TR_NOOP("Calculator", "аргумент lg <= 0");
const char* const kArcSineDomain = TR_NOOP("Calculator", "не допустимое значение аргумента asin");
const char* const kArcCosineDomain = TR_NOOP("Calculator", "не допустимое значение аргумента acos");
const char* const kRemainderOperandRange =
    TR_NOOP("Calculator", "операнд % вне диапазона от -2147483648 до 2147483647");

// Integer powers up to this exponent are formed by repeated multiplication; larger ones by the
// library power, which ends at once however large the exponent is.
constexpr Extended kLargestRepeatedPower = 64;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsLowerLatin(char c) { return c >= 'a' && c <= 'z'; }

bool IsOperatorSymbol(char c) { return c != '\0' && std::strchr("+-*/%^()", c) != nullptr; }

// Digits, an optional point and digits: a second point ends the number, so "1.2.3" is 1.2.
// The length limit of the text keeps every number well below the largest double.
double ReadNumber(std::string_view text)
{
    double value = 0;
    std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
    return value;
}

// The exponent is a whole number, possibly far beyond 32 bits or infinite.
double IntegerPower(double base, double exponent)
{
    Extended magnitude = std::fabs(Extended(exponent));
    if (magnitude == 0)
        return 1;
    Extended product = base;
    if (magnitude <= kLargestRepeatedPower) {
        for (int i = 1; i < int(magnitude); ++i)
            product *= base;
    } else {
        product = std::pow(Extended(base), magnitude);
    }
    return exponent > 0 ? product : 1 / product;
}

double Power(double base, double exponent)
{
    if (base == 0 && exponent <= 0)
        throw MathError{kZeroToNonPositivePower};
    if (std::trunc(exponent) == exponent)
        return IntegerPower(base, exponent);
    if (base < 0)
        throw MathError{kNegativeToFractionalPower};
    if (base == 0)
        return 0;
    return std::exp2(Extended(exponent) * std::log2(Extended(base)));
}

// Truncated toward zero. NaN, infinities and values beyond 32 bits are refused before any cast.
int64_t RemainderOperand(double value)
{
    double truncated = std::trunc(value);
    if (!(truncated >= INT32_MIN && truncated <= INT32_MAX))
        throw MathError{kRemainderOperandRange};
    return static_cast<int64_t>(truncated);
}

double Remainder(double dividend, double divisor)
{
    if (std::trunc(divisor) == 0)
        throw divzero{};
    // In 64 bits, so that -2147483648 % -1 is 0 and no overflow.
    return double(RemainderOperand(dividend) % RemainderOperand(divisor));
}

Extended Tangent(Extended x)
{
    Extended cosine = std::cos(x);
    if (cosine == 0)
        throw MathError{kNoTangent};
    return std::sin(x) / cosine;
}

Extended Cotangent(Extended x)
{
    Extended sine = std::sin(x);
    if (sine == 0)
        throw MathError{kNoCotangent};
    return std::cos(x) / sine;
}

Extended Logarithm(Extended x)
{
    if (x <= 0)
        throw MathError{kLogarithmDomain};
    return std::log(x);
}

Extended ArcSine(Extended x)
{
    if (x < -1 || x > 1)
        throw MathError{kArcSineDomain};
    return std::asin(x);
}

Extended ArcCosine(Extended x)
{
    if (x < -1 || x > 1)
        throw MathError{kArcCosineDomain};
    return std::acos(x);
}

struct Function {
    std::string_view name;
    Extended (*apply)(Extended x);
};

constexpr Function kFunctions[] = {
    {"abs", [](Extended x) { return std::fabs(x); }},
    {"sin", [](Extended x) { return std::sin(x); }},
    {"cos", [](Extended x) { return std::cos(x); }},
    {"tg", Tangent},
    {"ctg", Cotangent},
    {"ln", Logarithm},
    {"exp", [](Extended x) { return std::exp(x); }},
    {"asin", ArcSine},
    {"acos", ArcCosine},
};

} // namespace

Parser::Parser() : tokenKind(End), position(0), tokenStart(0), tokenLength(0), expression{} {}

void Parser::SetExpression(const std::string& text)
{
    size_t length = std::min(text.size(), kMaxLength);
    std::memcpy(expression, text.data(), length);
    expression[length] = '\0';
    position = 0;
}

double Parser::Evaluate()
{
    if (expression[0] == '\0')
        throw SyntaxError{kNoExpression};
    position = 0;
    return ParseSum();
}

void Parser::NextToken()
{
    while (expression[position] == ' ')
        ++position;
    tokenStart = position;
    char first = expression[position];
    if (IsDigit(first)) {
        tokenKind = Number;
        while (IsDigit(expression[position]) || expression[position] == '.')
            ++position;
    } else if (first == '\0') {
        // The end of the text reads as an empty delimiter, again and again.
        tokenKind = Delimiter;
    } else if (IsOperatorSymbol(first)) {
        tokenKind = Delimiter;
        ++position;
    } else if (IsLowerLatin(first)) {
        tokenKind = Name;
        while (IsLowerLatin(expression[position]))
            ++position;
    } else {
        // Anything else, a tab or a byte of a Cyrillic letter among them, starts no token.
        tokenKind = End;
    }
    tokenLength = position - tokenStart;
}

double Parser::ParseSum()
{
    double value = ParseTerm();
    for (;;) {
        switch (TokenSymbol()) {
        case '+': value = Extended(value) + ParseTerm(); break;
        case '-': value = Extended(value) - ParseTerm(); break;
        default: return value;
        }
    }
}

// "^" binds as tightly as "*" and groups from the left: 2^3^2 is 64, 2*3^2 is 36.
double Parser::ParseTerm()
{
    double value = ParseFactor();
    for (;;) {
        switch (TokenSymbol()) {
        case '*': value = Extended(value) * ParseFactor(); break;
        case '/': {
            double divisor = ParseFactor();
            if (divisor == 0)
                throw divzero{};
            value = Extended(value) / divisor;
            break;
        }
        case '%': value = Remainder(value, ParseFactor()); break;
        case '^': value = Power(value, ParseFactor()); break;
        case '(':
            // An implicit product: the parenthesis is read again as the start of a factor.
            position = tokenStart;
            value = Extended(value) * ParseFactor();
            break;
        default: return value;
        }
    }
}

// The sign belongs to the factor, so -2^2 is 4.
double Parser::ParseFactor()
{
    NextToken();
    if (tokenKind == Number) {
        double value = ReadNumber(TokenText());
        NextToken();
        return value;
    }
    if (tokenKind == Name)
        return ParseFunction();
    if (tokenKind == End)
        throw SyntaxError{kNoExpression};
    switch (TokenSymbol()) {
    case '(': {
        double value = ParseSum();
        if (TokenSymbol() != ')')
            throw SyntaxError{kUnclosedParenthesis};
        NextToken();
        return value;
    }
    case '+': return ParseFactor();
    case '-': return -ParseFactor();
    default: throw SyntaxError{kInvalidOperator};
    }
}

// The function takes the factor that follows it, with or without parentheses: "abs-3" is 3.
double Parser::ParseFunction()
{
    std::string_view name = TokenText();
    auto function = std::find_if(std::begin(kFunctions), std::end(kFunctions),
                                 [name](const Function& f) { return f.name == name; });
    if (function == std::end(kFunctions))
        throw SyntaxError{kInvalidFunction};
    double argument = ParseFactor();
    return function->apply(argument);
}

std::string_view Parser::TokenText() const { return {expression + tokenStart, tokenLength}; }

char Parser::TokenSymbol() const { return tokenLength > 0 ? expression[tokenStart] : '\0'; }

} // namespace calc
