#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <QWidget>

QWidget* FindTopLevelWindow(const QString& caption)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == caption)
            return window;
    }
    return nullptr;
}

bool OpenWithDesktop(const QString& filePath)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}
