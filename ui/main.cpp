#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

#include "core/captions.h"
#include "ui/language.h"
#include "ui/settings_store.h"
#include "ui/tutor_app.h"

namespace {

// --help and --version are answered under a QCoreApplication, which needs no display. Qt's own
// window-system options (-platform, -style, ...) are unknown to it and make this first reading
// fail; the QApplication takes them, and only then is the line checked.
bool AnsweredOnTerminal(QCommandLineParser& commandLine, int argc, char** argv)
{
    QCoreApplication terminal(argc, argv);
    commandLine.parse(terminal.arguments());
    if (commandLine.isSet("version")) {
        std::printf("%s %s\n", ProgramName().c_str(), TABLITOR_VERSION);
        return true;
    }
    if (commandLine.isSet("help"))
        commandLine.showHelp();
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication::setApplicationVersion(TABLITOR_VERSION);
    QCommandLineParser commandLine;
    commandLine.setApplicationDescription(
        QStringLiteral("%1: a tutor for the simplex method of linear programming, in Russian or English.")
            .arg(QString::fromStdString(ProgramName())));
    commandLine.addHelpOption();
    commandLine.addVersionOption();
    commandLine.addOption({"lang", "The interface's language: ru or en (by default the one chosen in the settings, "
                                   "else the system's).", "language"});
    commandLine.addPositionalArgument("file", "A problem in the LP format (.lp) to open in the wizard.", "[file]");
    if (AnsweredOnTerminal(commandLine, argc, argv))
        return 0;

    QApplication application(argc, argv);
    commandLine.process(application);
    const QStringList files = commandLine.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "%s: one problem file at most\n", qPrintable(QCoreApplication::applicationName()));
        return 1;
    }
    std::optional<Language> asked;
    if (commandLine.isSet("lang")) {
        asked = LanguageNamed(commandLine.value("lang"));
        if (!asked) {
            std::fprintf(stderr, "%s: --lang takes ru or en\n", qPrintable(QCoreApplication::applicationName()));
            return 1;
        }
    }
    return CTutorApp().Run(files.value(0), LanguageOfStart(asked, LoadSettings().language));
}
