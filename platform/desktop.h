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
// program) through the desktop's opener, xdg-open, and returns at once. The opener may take a
// while to find a program, and may wait for that program to end; when it ends, whenOpened is
// told whether it succeeded (its exit status 0), on the user-interface thread, the windows
// answering meanwhile. An opener that cannot be started has failed.
using OpenedHandler = std::function<void(bool opened)>;
void OpenWithDesktop(const QString& filePath, OpenedHandler whenOpened);

// What OpenWithDesktop runs in place of the desktop's opener, e.g. a test's own, which answers
// at once; an empty one gives the desktop back. Returns the opener it replaces.
using DesktopOpener = std::function<bool(const QString& filePath)>;
DesktopOpener SetDesktopOpener(DesktopOpener opener);
