#pragma once

#include <QFont>
#include <QString>

enum class FontCharset { Default, Cyrillic };

// A font as the program describes one: face, size in points, weight on the 0 to 1000 scale
// (0 is the normal weight, 600 semi-bold, 700 bold) and the character set its text needs.
// Its pixel size is PointsToPixels(points), so that text keeps its size on every screen.
// A face that cannot write the character set is replaced by one that can.
QFont MakeFont(const QString& face, int points, int weight = 0,
               FontCharset charset = FontCharset::Default);

// points * the screen's vertical logical dots per inch / 72, rounded.
int PointsToPixels(int points);
