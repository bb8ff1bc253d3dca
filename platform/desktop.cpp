#include "platform/desktop.h"

#include <QApplication>
#include <QDesktopServices>
#include <QScreen>
#include <QUrl>
#include <QWidget>

#include <algorithm>
#include <utility>

QWidget* FindTopLevelWindow(const QString& caption)
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->isVisible() && window->windowTitle() == caption)
            return window;
    }
    return nullptr;
}

namespace {

DesktopOpener& InstalledOpener()
{
    static DesktopOpener opener;
    return opener;
}

} // namespace

bool OpenWithDesktop(const QString& filePath)
{
    if (const DesktopOpener& opener = InstalledOpener())
        return opener(filePath);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(filePath));
}

DesktopOpener SetDesktopOpener(DesktopOpener opener)
{
    return std::exchange(InstalledOpener(), std::move(opener));
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
