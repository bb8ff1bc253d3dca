#include "ui/tutor_app.h"

#include <QApplication>

#include "core/captions.h"
#include "core/element_draw.h"
#include "platform/control_classes.h"
#include "platform/modal.h"
#include "platform/startup.h"
#include "ui/app_icon.h"
#include "ui/entry_dlg.h"
#include "ui/grid/grid_ctrl.h"

void CTutorApp::PrepareDialogs()
{
    QApplication::setApplicationDisplayName(ProgramName);
    // The installed desktop entry's name: the desktop takes the windows' name and icon from it.
    QApplication::setDesktopFileName("io.github.tablitor.tablitor");
    QApplication::setWindowIcon(TutorIcon());
    PreparePlatform();
    RegisterControlClass("TutorGridCtrl", [](QWidget* parent) { return new CGridCtrl(parent); });
}

int CTutorApp::Run()
{
    PrepareDialogs();
    SeedElementDrawFromClock();
    CEntryDlg wizard;
    RunModal(wizard);
    return 0;
}
