#include "platform/desktop.h"

#include <QApplication>
#include <QProcess>
#include <QScreen>
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

// One run of the desktop's opener. When the program ends first, the opener is stopped without a
// word; the program it started for the file goes on by itself.
class OpenerProcess : public QProcess {
public:
    explicit OpenerProcess(OpenedHandler whenOpened) : QProcess(qApp), whenOpened(std::move(whenOpened))
    {
        setProcessChannelMode(QProcess::ForwardedChannels);
        connect(this, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
            Report(status == QProcess::NormalExit && exitCode == 0);
        });
        connect(this, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                Report(false);
        });
    }

    ~OpenerProcess() override
    {
        disconnect();
        if (state() != QProcess::NotRunning) {
            kill();
            waitForFinished();
        }
    }

private:
    // Once, whichever signal comes first.
    void Report(bool opened)
    {
        if (!whenOpened)
            return;
        const OpenedHandler handler = std::exchange(whenOpened, nullptr);
        deleteLater();
        handler(opened);
    }

    OpenedHandler whenOpened;
};

} // namespace

void OpenWithDesktop(const QString& filePath, OpenedHandler whenOpened)
{
    if (const DesktopOpener& opener = InstalledOpener()) {
        whenOpened(opener(filePath));
        return;
    }
    auto* process = new OpenerProcess(std::move(whenOpened));
    process->start(QStringLiteral("xdg-open"), {filePath});
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
