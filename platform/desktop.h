#pragma once

#include <QString>

#include <functional>

class QWidget;

// The visible top-level window with exactly this caption, or nullptr.
QWidget* FindTopLevelWindow(const QString& caption);

// Moves a top-level window by (dx, dy) from where it stands, as far as its frame stays inside the
// available area of its screen (a window larger than that area keeps its top left corner in it).
void MoveWindowWithinScreen(QWidget* window, int dx, int dy);

// Opens a file in the program the desktop associates with it (a spreadsheet in a spreadsheet
// program) and returns at once; false when the desktop could not start one.
bool OpenWithDesktop(const QString& filePath);

// What OpenWithDesktop does in place of asking the desktop, e.g. a test's own opener; an empty
// one gives the desktop back. Returns the opener it replaces.
using DesktopOpener = std::function<bool(const QString& filePath)>;
DesktopOpener SetDesktopOpener(DesktopOpener opener);
