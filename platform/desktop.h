#pragma once

#include <QString>

class QWidget;

// The visible top-level window with exactly this caption, or nullptr.
QWidget* FindTopLevelWindow(const QString& caption);

// Opens a file in the program the desktop associates with it (a spreadsheet in a spreadsheet
// program); false when the desktop could not start one.
bool OpenWithDesktop(const QString& filePath);
