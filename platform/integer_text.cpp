#include "platform/integer_text.h"

#include <QByteArray>

#include <charconv>

std::optional<int> ParseInteger(const QString& text)
{
    QByteArray digits = text.trimmed().toUtf8();
    // from_chars takes a minus sign but not a plus sign.
    if (digits.startsWith('+') && !digits.startsWith("+-"))
        digits.remove(0, 1);
    int value = 0;
    const char* end = digits.constData() + digits.size();
    const auto [stop, error] = std::from_chars(digits.constData(), end, value);
    if (error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}
