#include "platform/dialog_units.h"

#include <QFontMetrics>

#include <cmath>
#include <cstdint>
#include <cstdlib>

int ScaleRounded(int value, int numerator, int denominator)
{
    const int64_t product = int64_t{value} * numerator;
    const int64_t divisor = std::llabs(denominator);
    const int64_t magnitude = (std::llabs(product) + divisor / 2) / divisor;
    return static_cast<int>((product < 0) != (denominator < 0) ? -magnitude : magnitude);
}

DialogBaseUnits BaseUnitsOf(const QFont& font)
{
    const QFontMetrics metrics(font);
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    // The character cell is whole pixels above and below the baseline, as the window system
    // lays out text lines; Qt rounds the descent of small fonts down, which would make a dialog
    // a line shorter than the text it was laid out for.
    const QFontMetricsF exact(font);
    const int height = static_cast<int>(std::ceil(exact.ascent()) + std::ceil(exact.descent()));
    // The width of 52 letters over 26 is twice the average; adding one before halving rounds it.
    return {(letters / 26 + 1) / 2, height};
}

QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base)
{
    return {QPoint(ScaleRounded(units.x(), base.x, 4), ScaleRounded(units.y(), base.y, 8)),
            DialogUnitsToPixels(units.size(), base)};
}

QSize DialogUnitsToPixels(const QSize& units, DialogBaseUnits base)
{
    return {ScaleRounded(units.width(), base.x, 4), ScaleRounded(units.height(), base.y, 8)};
}
