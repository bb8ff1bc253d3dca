// Runs a widget test suite inside a QApplication. Test discovery runs this program at build
// time with no display, so the offscreen platform is chosen before the application exists.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <utility>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

QtMessageHandler qtHandler = nullptr;

// The offscreen platform says these of every message box it shows and every window it brings to
// the front; they tell nothing of the test.
void QuietOffscreenNotes(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message == QLatin1String("This plugin does not support propagateSizeHints()") ||
        message == QLatin1String("This plugin does not support raise()"))
        return;
    if (qtHandler != nullptr)
        qtHandler(type, context, message);
    else
        fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

// Each test starts with no settings kept by an earlier one.
class ForgetSettings : public testing::EmptyTestEventListener {
public:
    explicit ForgetSettings(QString folder) : folder(std::move(folder)) {}

    void OnTestStart(const testing::TestInfo&) override { QDir(folder).removeRecursively(); }

private:
    QString folder;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The program keeps its settings in the user's configuration folder: a test keeps them in
    // a folder of its own, gone when it ends.
    QTemporaryDir configuration;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(configuration.path()));
    qtHandler = qInstallMessageHandler(QuietOffscreenNotes);
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new ForgetSettings(configuration.path() + "/tablitor"));
    return RUN_ALL_TESTS();
}
