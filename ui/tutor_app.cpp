#include "ui/tutor_app.h"

#include <QApplication>
#include <QTimer>

#include "core/captions.h"
#include "core/element_draw.h"
#include "platform/control_classes.h"
#include "platform/deferred_icons.h"
#include "platform/exit_when_shown.h"
#include "platform/modal.h"
#include "platform/startup.h"
#include "ui/app_icon.h"
#include "ui/entry_dlg.h"
#include "ui/grid/grid_ctrl.h"

void CTutorApp::PrepareDialogs(Language language)
{
    PreparePlatform(language == Language::Russian);
    DeferExtensionIcons();
    UseLanguage(language);
    QApplication::setApplicationDisplayName(QString::fromStdString(ProgramName()));
    // The installed desktop entry's name: the desktop takes the windows' name and icon from it.
    QApplication::setDesktopFileName("io.github.tablitor.tablitor");
    QApplication::setWindowIcon(TutorIcon());
    RegisterControlClass("TutorGridCtrl", [](QWidget* parent) { return new CGridCtrl(parent); });
}

int CTutorApp::Run(const QString& problemFile, Language language)
{
    ExitWhenFirstShownIfAsked();
    PrepareDialogs(language);
    SeedElementDrawFromClock();
    CEntryDlg wizard;
    // Once the wizard is on screen, so that a refusal of the file stands over it.
    if (!problemFile.isEmpty())
        QTimer::singleShot(0, &wizard, [&wizard, problemFile] { wizard.OpenFile(problemFile); });
    RunModal(wizard);
    return 0;
}
