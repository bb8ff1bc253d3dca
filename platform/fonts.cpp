#include "platform/fonts.h"

#include "platform/dialog_units.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace {

int ScreenDotsPerInch()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? static_cast<int>(std::lround(screen->logicalDotsPerInchY())) : 96;
}

bool WritesCyrillic(const QFont& font)
{
    return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::Cyrillic);
}

}  // namespace

int PointsToPixels(int points)
{
    return ScaleRounded(points, ScreenDotsPerInch(), 72);
}

QFont MakeFont(const QString& face, int points, int weight, FontCharset charset)
{
    // Asked for by the face that stands in for it: a face that is not installed first sends the
    // font database through its whole list of fallback faces, the slowest part of the start.
    QFont font(QFont::substitute(face));
    font.setPixelSize(std::max(1, PointsToPixels(points)));
    font.setWeight(weight == 0 ? QFont::Normal : static_cast<QFont::Weight>(std::clamp(weight, 1, 1000)));
    if (charset == FontCharset::Cyrillic && !WritesCyrillic(font)) {
        const QStringList cyrillicFaces = QFontDatabase::families(QFontDatabase::Cyrillic);
        if (!cyrillicFaces.isEmpty())
            font.setFamily(cyrillicFaces.first());
    }
    return font;
}
