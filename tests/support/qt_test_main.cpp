// Runs a widget test suite inside a QApplication. Test discovery runs this program at build
// time with no display, so the offscreen platform is chosen before the application exists.
#include <QApplication>
#include <QString>

#include <gtest/gtest.h>

#include <ostream>

void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
