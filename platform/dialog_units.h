#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// value * numerator / denominator in 64 bits, rounded to the nearest integer with halves away
// from zero, as the program's size rules are written. The denominator must not be zero.
int ScaleRounded(int value, int numerator, int denominator);

// Dialog layouts are written in dialog units, a quarter of the dialog font's average character
// width across and an eighth of its height down, so that a layout keeps its proportions in any
// font. These are the pixels behind four and eight of those units.
struct DialogBaseUnits {
    int x = 0;
    int y = 0;

    bool operator==(const DialogBaseUnits&) const = default;
};

// The average width of the 52 Latin letters, rounded, and the font's height.
DialogBaseUnits BaseUnitsOf(const QFont& font);

QRect DialogUnitsToPixels(const QRect& units, DialogBaseUnits base);
QSize DialogUnitsToPixels(const QSize& units, DialogBaseUnits base);
