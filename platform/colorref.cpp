#include "platform/colorref.h"

QColor ToQColor(COLORREF colour)
{
    if (colour == CLR_DEFAULT)
        return QColor();
    return QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour));
}

COLORREF FromQColor(const QColor& colour)
{
    if (!colour.isValid())
        return CLR_DEFAULT;
    return RGB(colour.red(), colour.green(), colour.blue());
}
