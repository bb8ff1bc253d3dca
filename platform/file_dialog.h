#pragma once

#include <QString>

class QWidget;

// The desktop's dialogs for choosing a file. They run as every modal dialog of the program does
// (modal.h), so a responder answers them on their widgets: a QFileDialog, on which it may select
// a file and accept. Both return the chosen file's path, or nothing when the user cancels.

// An existing file to open; the dialog starts at startPath, a folder or a file in one.
QString ChooseFileToOpen(QWidget* parent, const QString& caption, const QString& filter, const QString& startPath);

// A file to save under; the suffix is added to a name typed without one, and the dialog asks
// before it lets an existing file be chosen.
QString ChooseFileToSave(QWidget* parent, const QString& caption, const QString& filter, const QString& startPath,
                         const QString& defaultSuffix);
