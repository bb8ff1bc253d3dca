#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The calculator behind the element dialog: the student may type an expression such as
// "-21-32*-7" or "7.3-15/-4+9" instead of a value. Errors are thrown by value as the plain
// structures below, which the dialog catches by type.
namespace calc {

// A malformed expression.
struct SyntaxError {
    const char* message;
};

// An argument outside the domain of a function or an operator.
struct MathError {
    const char* message;
};

// Division or remainder by zero.
struct divzero {};

// A recursive-descent evaluator over one line of text: sums of terms, terms of factors joined
// by "*", "/", "%", "^" or an implicit product, factors that are numbers, parenthesised sums,
// signed factors or a function name followed by its argument. Made for one evaluation.
class Parser {
public:
    // The longest text read; the rest is cut off.
    static constexpr size_t kMaxLength = 255;

    Parser();
    virtual ~Parser() = default;

    // Keeps the first kMaxLength characters; the text ends at the first zero character.
    void SetExpression(const std::string& text);

    // Evaluation stops at the first token that cannot continue the sum: "2 3" is 2.
    double Evaluate();

    // After Evaluate: the offset in the given text of the first character not read, past the
    // spaces before it. The caller compares it with the text's length to see whether the value
    // is that of the whole text; a longer text stops at kMaxLength at the latest.
    size_t StopOffset() const { return tokenStart; }

protected:
    enum TokenKind { Number = 1, Delimiter = 2, Name = 3, End = 4 };

    virtual void NextToken();
    double ParseSum();
    double ParseTerm();
    virtual double ParseFactor();

private:
    double ParseFunction();
    std::string_view TokenText() const;
    char TokenSymbol() const;

    // Offsets rather than pointers, so that a copied parser reads its own text.
    TokenKind tokenKind;
    size_t position;
    size_t tokenStart;
    size_t tokenLength;
    char expression[kMaxLength + 1];
};

} // namespace calc
