#include "core/lp_tokens.h"

#include <algorithm>

#include "core/entry_checks.h"
#include "core/texts.h"

namespace lp {

std::string AtLine(int line, const std::string& text)
{
    return Fill(Tr("LpFile", "Строка %1: %2"), {std::to_string(line), text});
}

[[noreturn]] void Fail(int line, const std::string& text) { throw ReadFailure{AtLine(line, text)}; }

namespace {

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// The symbols that the format allows in names besides letters and digits.
bool IsNameSymbol(char c)
{
    return std::string_view("!\"#$%&()/,.;?@_`'{}|~").find(c) != std::string_view::npos;
}

} // namespace

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsControl(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// Letters beyond ASCII are the extension: every byte of a multi-byte UTF-8 character counts.
bool IsNameCharacter(char c)
{
    return IsAsciiLetter(c) || IsDigit(c) || IsNameSymbol(c) || static_cast<unsigned char>(c) >= 0x80;
}

// A name never starts with a digit or a period; nor here with '/', which would make "2/3" the
// coefficient 2 of the unknown "/3", nor with '"', which opens a quoted name.
bool IsNameStart(char c) { return IsNameCharacter(c) && !IsDigit(c) && c != '.' && c != '/' && c != '"'; }

bool IsLineBreak(char c) { return c == '\n' || c == '\r'; }

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\f' || c == '\v'; }

bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase)
{
    return text.size() == lowerCase.size() &&
        std::equal(text.begin(), text.end(), lowerCase.begin(), [](char a, char b) {
            return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
        });
}

size_t CharacterCount(std::string_view text)
{
    return static_cast<size_t>(std::count_if(
        text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

std::string Shortened(std::string_view text)
{
    const std::string shown = FirstCharacters(std::string(text.substr(0, 100)), 20);
    return shown.size() < text.size() ? shown + "…" : shown;
}

std::string Quoted(std::string_view text) { return "«" + Shortened(text) + "»"; }

size_t FindMalformedUtf8(std::string_view text)
{
    size_t at = 0;
    while (at < text.size()) {
        const auto lead = static_cast<unsigned char>(text[at]);
        size_t length = 1;
        unsigned char low = 0x80, high = 0xBF; // the range of the second byte
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80; // no overlong forms
            high = lead == 0xED ? 0x9F : 0xBF; // no surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF; // nothing above U+10FFFF
        } else if (lead >= 0x80) {
            return at;
        }
        if (at + length > text.size())
            return at;
        for (size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(text[at + k]);
            if (byte < (k == 1 ? low : 0x80) || byte > (k == 1 ? high : 0xBF))
                return at;
        }
        at += length;
    }
    return std::string_view::npos;
}

void Lexer::SkipSpaces()
{
    while (at < text.size() && (IsSpace(text[at]) || IsLineBreak(text[at]))) {
        if (IsLineBreak(text[at])) {
            if (text[at] == '\r' && At(at + 1) == '\n')
                ++at;
            ++line;
            lineStart = true;
        }
        ++at;
    }
}

namespace {

// GLPK writes the objective's constant term as "\* constant term = 5 *\".
std::optional<std::string_view> ConstantInComment(std::string_view comment)
{
    constexpr std::string_view opening = "\\* constant term =";
    constexpr std::string_view closing = "*\\";
    while (!comment.empty() && IsSpace(comment.back()))
        comment.remove_suffix(1);
    if (!comment.starts_with(opening) || !comment.ends_with(closing) ||
        comment.size() < opening.size() + closing.size())
        return std::nullopt;
    std::string_view value = comment.substr(opening.size(), comment.size() - opening.size() - closing.size());
    while (!value.empty() && IsSpace(value.front()))
        value.remove_prefix(1);
    while (!value.empty() && IsSpace(value.back()))
        value.remove_suffix(1);
    return value;
}

} // namespace

std::optional<Token> Lexer::Comment()
{
    const size_t start = at;
    while (at < text.size() && !IsLineBreak(text[at]))
        ++at;
    auto constant = ConstantInComment(text.substr(start, at - start));
    if (!constant)
        return std::nullopt;
    lastTokenLine = line;
    return Token{TokenKind::ConstantComment, *constant, line, false};
}

void Lexer::ScanNumber()
{
    auto digits = [&] {
        while (IsDigit(At(at)))
            ++at;
    };
    digits();
    const bool point = At(at) == '.';
    if (point) {
        ++at;
        digits();
    }
    const char afterE = At(at + 1);
    const bool signedExponent = (afterE == '+' || afterE == '-') && IsDigit(At(at + 2));
    if ((At(at) == 'e' || At(at) == 'E') && (IsDigit(afterE) || signedExponent)) {
        at += signedExponent ? 2 : 1;
        digits();
    } else if (!point && At(at) == '/' && IsDigit(At(at + 1))) {
        ++at;
        digits();
    }
}

void Lexer::ScanQuotedName()
{
    for (++at;; ++at) {
        if (at == text.size() || IsLineBreak(text[at]))
            Fail(line, Tr("LpFile", "имя в кавычках не закрыто"));
        if (IsControl(text[at]))
            Fail(line, Tr("LpFile", "управляющий символ в имени"));
        if (text[at] == '"') {
            if (At(at + 1) != '"') {
                ++at;
                return;
            }
            ++at;
        }
    }
}

void Lexer::ScanRelation()
{
    const char first = text[at++];
    if ((first == '<' || first == '>') && At(at) == '=')
        ++at;
    else if (first == '=' && (At(at) == '<' || At(at) == '>'))
        ++at;
}

Token Lexer::Next()
{
    for (;;) {
        SkipSpaces();
        if (At(at) != '\\')
            break;
        if (auto constant = Comment())
            return *constant;
    }
    if (at == text.size())
        return Token{TokenKind::End, {}, lastTokenLine, lineStart};
    Token token{TokenKind::Name, {}, line, lineStart};
    lineStart = false;
    lastTokenLine = line;
    const size_t start = at;
    const char c = text[at];
    if (IsDigit(c) || (c == '.' && IsDigit(At(at + 1)))) {
        token.kind = TokenKind::Number;
        ScanNumber();
    } else if (c == '"') {
        token.kind = TokenKind::QuotedName;
        ScanQuotedName();
    } else if (IsNameStart(c)) {
        while (IsNameCharacter(At(at)))
            ++at;
    } else if (c == '<' || c == '>' || c == '=') {
        token.kind = TokenKind::Relation;
        ScanRelation();
    } else if (c == '+' || c == '-' || c == ':') {
        token.kind = c == '+' ? TokenKind::Plus : c == '-' ? TokenKind::Minus : TokenKind::Colon;
        ++at;
    } else if (IsControl(c)) {
        Fail(line, Fill(Tr("LpFile", "управляющий символ с кодом %1"), {std::to_string(static_cast<int>(c))}));
    } else {
        Fail(line, Fill(Tr("LpFile", "непонятный знак %1"), {Quoted(std::string_view(&text[at], 1))}));
    }
    token.text = text.substr(start, at - start);
    return token;
}

} // namespace lp
