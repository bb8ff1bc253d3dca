#include "platform/exit_when_shown.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <cstdio>
#include <cstdlib>

namespace {

class FirstExposure : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && watched->isWindowType() && static_cast<QWindow*>(watched)->isExposed())
            // Queued, so that the window draws itself first.
            QMetaObject::invokeMethod(
                parent(),
                [] {
                    std::fflush(nullptr);
                    std::_Exit(0);
                },
                Qt::QueuedConnection);
        return false;
    }
};

}  // namespace

void ExitWhenFirstShownIfAsked()
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application != nullptr && qEnvironmentVariableIsSet("TABLITOR_EXIT_WHEN_SHOWN"))
        application->installEventFilter(new FirstExposure(application));
}
