#pragma once

#include <QString>

#include <functional>

class QWidget;

// Makes a custom control of a dialog table; the dialog gives the parent and places the result.
using ControlFactory = std::function<QWidget*(QWidget* parent)>;

// Lets a custom control row name its widget by class name, the way the program's grid is named
// "TutorGridCtrl" in the dialog tables. A later registration of the same name replaces the earlier.
void RegisterControlClass(const QString& className, ControlFactory factory);

// The new widget, or nullptr when no factory is registered under the name.
QWidget* CreateControlOfClass(const QString& className, QWidget* parent);
