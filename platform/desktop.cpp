#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <algorithm>

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

namespace {

// The coordinate that keeps [start, start + length) inside [low, high) where it fits, else at low.
int KeptInside(int start, int length, int low, int high)
{
    return std::max(low, std::min(start, high - length));
}

}  // namespace

void MoveWindowWithinScreen(QWidget* window, int dx, int dy)
{
    const QRect frame = window->frameGeometry().translated(dx, dy);
    const QScreen* screen = window->screen();
    QPoint target = frame.topLeft();
    if (screen != nullptr) {
        const QRect available = screen->availableGeometry();
        target.setX(KeptInside(frame.left(), frame.width(), available.left(), available.left() + available.width()));
        target.setY(KeptInside(frame.top(), frame.height(), available.top(), available.top() + available.height()));
    }
    window->move(target);
}
