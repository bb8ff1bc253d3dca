// Runs a widget test suite inside a QApplication. Test discovery runs this program at build
// time with no display, so the offscreen platform is chosen before the application exists.
#include <QApplication>
#include <QString>

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says this of every message box it shows; it tells nothing of the test.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()"))
        return;
    if (qtHandler != nullptr)
        qtHandler(type, context, message);
    else
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qtHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
