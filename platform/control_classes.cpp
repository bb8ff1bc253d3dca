#include "platform/control_classes.h"

#include <QHash>

#include <utility>

namespace {

QHash<QString, ControlFactory>& Factories()
{
    static QHash<QString, ControlFactory> factories;
    return factories;
}

}  // namespace

void RegisterControlClass(const QString& className, ControlFactory factory)
{
    Factories().insert(className, std::move(factory));
}

QWidget* CreateControlOfClass(const QString& className, QWidget* parent)
{
    const auto found = Factories().constFind(className);
    return found != Factories().constEnd() && *found ? (*found)(parent) : nullptr;
}
