#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Inside the core only: the characters, tokens and messages that the LP reader and writer share.
namespace lp {

// Why a text is no problem: carried from deep inside the reader to ReadLpProblem, which never
// lets it out.
struct ReadFailure {
    std::string message;
};

std::string AtLine(int line, const std::string& text);
[[noreturn]] void Fail(int line, const std::string& text);

bool IsDigit(char c);
bool IsControl(char c);
bool IsLineBreak(char c);
bool IsSpace(char c);
bool IsNameCharacter(char c);
bool IsNameStart(char c);
bool EqualsIgnoringCase(std::string_view text, std::string_view lowerCase);

size_t CharacterCount(std::string_view text);
// The offset of the first byte that does not begin a well-formed UTF-8 character, or npos.
size_t FindMalformedUtf8(std::string_view text);

// A piece of the file in a message, cut short when long; Quoted puts it in «».
std::string Shortened(std::string_view text);
std::string Quoted(std::string_view text);

enum class TokenKind { Name, QuotedName, Number, Plus, Minus, Colon, Relation, ConstantComment, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string_view text; // a constant comment's text is its value
    int line = 1;
    bool startsLine = false;
};

// Splits the text into tokens one at a time, so that the first fault in the text is the one
// reported (by ReadFailure). A number is unsigned: "12", "1.5", ".5", "1e3", "2.5E-2", "2/3".
// Comments are skipped, except GLPK's "\* constant term = 5 *\", which is a token.
class Lexer {
public:
    explicit Lexer(std::string_view text) : text(text) {}

    Token Next();

private:
    char At(size_t offset) const { return offset < text.size() ? text[offset] : '\0'; }
    void SkipSpaces();
    std::optional<Token> Comment();
    void ScanNumber();
    void ScanQuotedName();
    void ScanRelation();

    std::string_view text;
    size_t at = 0;
    int line = 1;
    bool lineStart = true;
    int lastTokenLine = 1;
};

} // namespace lp
