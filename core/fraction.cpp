#include "core/fraction.h"

#include <cstdio>
#include <cstdlib>
#include <limits>

#include <termios.h>
#include <unistd.h>

#include "core/wide_int.h"

namespace {

int64_t NarrowOrThrow(Wide value)
{
    if (!FitsInt64(value))
        throw FractionOverflow();
    return static_cast<int64_t>(value);
}

UWide GreatestCommonDivisor(UWide a, UWide b)
{
    while (b != 0) {
        UWide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// Waits for one key press without echo, but only when someone sits at a terminal.
void WaitForKeyIfInteractive()
{
    if (!isatty(STDIN_FILENO))
        return;
    termios saved{};
    if (tcgetattr(STDIN_FILENO, &saved) != 0)
        return;
    termios raw = saved;
    raw.c_lflag &= ~(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
    char key = 0;
    [[maybe_unused]] ssize_t got = read(STDIN_FILENO, &key, 1);
    tcsetattr(STDIN_FILENO, TCSANOW, &saved);
}

// Division of a non-zero value by zero has no value at all: the program stops.
[[noreturn]] void StopOnDivisionByZero()
{
    std::fputs("Division by zero", stdout);
    std::fflush(stdout);
    WaitForKeyIfInteractive();
    std::exit(EXIT_FAILURE);
}

// The improper form with the sign on the numerator, so that products and sums of two of them
// cannot overflow 128 bits. Its numerator must fit in 64 bits, as ToImproper requires.
WideRatio ImproperPair(const Fraction& value)
{
    Fraction copy = value;
    copy.ToImproper();
    return WithSignOnNumerator(ImproperFields(copy));
}

// Lowest terms, positive denominator, zero as (0, 0, 0).
Fraction MakeResult(Wide numerator, Wide denominator)
{
    if (denominator == 0)
        StopOnDivisionByZero();
    if (numerator == 0)
        return Fraction();
    if (denominator < 0) {
        numerator = -numerator;
        denominator = -denominator;
    }
    Wide g = static_cast<Wide>(GreatestCommonDivisor(Magnitude(numerator), Magnitude(denominator)));
    return Fraction(0, NarrowOrThrow(numerator / g), NarrowOrThrow(denominator / g));
}

} // namespace

FractionOverflow::FractionOverflow()
    : std::overflow_error("the value does not fit in 64-bit numerator and denominator")
{
}

Fraction::Fraction() : whole(0), numerator(0), denominator(0) {}

Fraction::Fraction(int64_t wholeValue) : whole(wholeValue), numerator(0), denominator(0) {}

Fraction::Fraction(int64_t wholeValue, int64_t numeratorValue, int64_t denominatorValue)
    : whole(wholeValue), numerator(numeratorValue), denominator(denominatorValue)
{
}

void Fraction::ToImproper()
{
    const WideRatio improper = ImproperFields(*this);
    numerator = NarrowOrThrow(improper.numerator);
    denominator = int64_t(improper.denominator);
    whole = 0;
}

void Fraction::Reduce()
{
    // A zero denominator has no common divisor to take out (and Euclid would divide by it).
    if (numerator == 0 || denominator == 0)
        return;
    UWide g = GreatestCommonDivisor(Magnitude(numerator), Magnitude(denominator));
    numerator = NarrowOrThrow(Wide(numerator) / Wide(g));
    denominator = NarrowOrThrow(Wide(denominator) / Wide(g));
}

void Fraction::NormalizeSign()
{
    if (numerator == 0) {
        denominator = 0;
    } else if (denominator < 0) {
        numerator = NarrowOrThrow(-Wide(numerator));
        denominator = NarrowOrThrow(-Wide(denominator));
    }
}

bool Fraction::IsZero() const { return whole == 0 && numerator == 0; }

Fraction Fraction::operator*(const Fraction& other) const
{
    if (IsZero() || other.IsZero())
        return Fraction();
    WideRatio a = ImproperPair(*this);
    WideRatio b = ImproperPair(other);
    return MakeResult(a.numerator * b.numerator, a.denominator * b.denominator);
}

Fraction Fraction::operator/(const Fraction& other) const
{
    if (IsZero())
        return Fraction();
    if (other.IsZero())
        StopOnDivisionByZero();
    WideRatio a = ImproperPair(*this);
    WideRatio b = ImproperPair(other);
    return MakeResult(a.numerator * b.denominator, a.denominator * b.numerator);
}

Fraction Fraction::operator+(const Fraction& other) const
{
    if (IsZero())
        return other;
    if (other.IsZero())
        return *this;
    WideRatio a = ImproperPair(*this);
    WideRatio b = ImproperPair(other);
    return MakeResult(a.numerator * b.denominator + b.numerator * a.denominator,
                      a.denominator * b.denominator);
}

Fraction Fraction::operator-(const Fraction& other) const
{
    WideRatio a = ImproperPair(*this);
    WideRatio b = ImproperPair(other);
    return MakeResult(a.numerator * b.denominator - b.numerator * a.denominator,
                      a.denominator * b.denominator);
}

namespace {

// Sign of a - b, exactly: cross products of 64-bit values fit in 128 bits.
int Compare(const Fraction& a, const Fraction& b)
{
    WideRatio x = ImproperPair(a);
    WideRatio y = ImproperPair(b);
    Wide left = x.numerator * y.denominator;
    Wide right = y.numerator * x.denominator;
    return left < right ? -1 : (left > right ? 1 : 0);
}

} // namespace

bool operator>(const Fraction& a, const Fraction& b) { return Compare(a, b) > 0; }
bool operator>=(const Fraction& a, const Fraction& b) { return Compare(a, b) >= 0; }
bool operator<(const Fraction& a, const Fraction& b) { return Compare(a, b) < 0; }
bool operator<=(const Fraction& a, const Fraction& b) { return Compare(a, b) <= 0; }

bool operator==(const Fraction& a, const Fraction& b)
{
    Fraction x = a;
    Fraction y = b;
    x.ToImproper();
    y.ToImproper();
    return x.numerator == y.numerator && x.denominator == y.denominator;
}
