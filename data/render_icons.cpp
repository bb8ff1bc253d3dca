// Writes the program's icon into a hicolor icon theme folder, one PNG per size:
//   render_icons <folder> <name> <size>...   gives <folder>/<size>x<size>/apps/<name>.png
// It runs during the build, where there may be no display, so it always draws offscreen.
#include <QDir>
#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

#include "ui/app_icon.h"

int main(int argc, char** argv)
{
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s <folder> <name> <size>...\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        const QString sizeFolder = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = sizeFolder + '/' + name + ".png";
        if (size <= 0 || !QDir().mkpath(sizeFolder) || !DrawTutorIcon(size).save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
