#pragma once

#include <QColor>

#include "core/colorref.h"

// The Qt colour of a concrete colour word; CLR_DEFAULT has none and gives an invalid QColor.
QColor ToQColor(COLORREF colour);

COLORREF FromQColor(const QColor& colour);
