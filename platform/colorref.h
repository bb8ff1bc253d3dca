#pragma once

#include <QColor>

#include <cstdint>

// Colours are 0x00BBGGRR words, as the program's tables of colours give them.
using COLORREF = uint32_t;

// Stored in a cell, this value means: take the colour of the matching default cell.
constexpr COLORREF CLR_DEFAULT = 0xFF000000u;

constexpr COLORREF RGB(int red, int green, int blue)
{
    return static_cast<COLORREF>((red & 0xFF) | ((green & 0xFF) << 8) | ((blue & 0xFF) << 16));
}

constexpr int GetRValue(COLORREF colour) { return colour & 0xFF; }
constexpr int GetGValue(COLORREF colour) { return (colour >> 8) & 0xFF; }
constexpr int GetBValue(COLORREF colour) { return (colour >> 16) & 0xFF; }

// The Qt colour of a concrete colour word; CLR_DEFAULT has none and gives an invalid QColor.
QColor ToQColor(COLORREF colour);

COLORREF FromQColor(const QColor& colour);
