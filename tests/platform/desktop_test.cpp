#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QWidget>
#include <QtTest>

#include <optional>

#include <gtest/gtest.h>

#include "platform/desktop.h"

namespace {

// A window moved by an offset goes as far as its frame stays on the screen's available area.
TEST(MoveWindowWithinScreen, StopsAtTheEdgesOfTheAvailableArea)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    struct Row {
        QPoint start;
        QSize size;
        QPoint offset;
        QPoint expected;
    };
    const Row rows[] = {
        {area.topLeft() + QPoint(50, 50), {200, 100}, {0, 300}, area.topLeft() + QPoint(50, 350)},
        {area.topLeft() + QPoint(50, 50), {200, 100}, {0, -100}, area.topLeft() + QPoint(50, 0)},
        {QPoint(area.left() + 50, area.bottom() - 150), {200, 100}, {0, 300}, QPoint(area.left() + 50, area.bottom() - 99)},
        {QPoint(area.right() - 250, area.top() + 50), {200, 100}, {500, 0}, QPoint(area.right() - 199, area.top() + 50)},
        // larger than the area: its top left corner stays in it
        {area.topLeft() + QPoint(10, 10), area.size() + QSize(100, 100), {0, 300}, area.topLeft()},
    };
    for (const Row& row : rows) {
        QWidget window;
        window.setWindowFlag(Qt::FramelessWindowHint);
        window.setGeometry(QRect(row.start, row.size));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        MoveWindowWithinScreen(&window, row.offset.x(), row.offset.y());
        EXPECT_EQ(window.frameGeometry().topLeft(), row.expected)
            << row.start.x() << "," << row.start.y() << " by " << row.offset.x() << "," << row.offset.y();
    }
}

// The desktop's opener, a stand-in xdg-open first on PATH, is handed the file; its exit status,
// once it ends, says whether the file opened. It ends only on a go given after OpenWithDesktop
// has returned, so the window was never kept waiting.
TEST(OpenWithDesktop, WaitsForTheOpenersExitStatusWithoutBlocking)
{
    const QByteArray path = qgetenv("PATH");
    // The stand-in's last command and the outcome; no command: there is no xdg-open at all.
    for (const auto& [exit, expected] : {std::pair{"exit 0", true}, {"echo 'no method available' >&2; exit 3", false},
                                         {"kill -9 $$", false}, {"", false}}) {
        QTemporaryDir folder;
        QFile opener(folder.filePath("xdg-open"));
        if (*exit != 0 && opener.open(QIODevice::WriteOnly)) {
            opener.write(QString("#!/bin/sh\necho \"$1\" > '%1'\nwhile [ ! -e '%2' ]; do sleep 0.02; done\n%3\n")
                             .arg(folder.filePath("asked"), folder.filePath("go"), exit).toUtf8());
            opener.setPermissions(opener.permissions() | QFile::ExeOwner);
            opener.close();
        }
        qputenv("PATH", folder.path().toUtf8() + (*exit != 0 ? ":" + path : QByteArray()));
        std::optional<bool> opened;
        OpenWithDesktop(folder.filePath("Таблитор 1.xlsx"), [&opened](bool result) { opened = result; });
        qputenv("PATH", path);
        EXPECT_TRUE(*exit == 0 || !opened) << exit;
        QFile(folder.filePath("go")).open(QIODevice::WriteOnly);
        EXPECT_TRUE(QTest::qWaitFor([&] { return opened.has_value(); }, 10000)) << exit;
        EXPECT_EQ(opened, expected) << exit;
        QFile asked(folder.filePath("asked"));
        EXPECT_EQ(asked.open(QIODevice::ReadOnly) ? asked.readAll().trimmed() : QByteArray(),
                  *exit != 0 ? folder.filePath("Таблитор 1.xlsx").toUtf8() : QByteArray()) << exit;
    }
}

} // namespace
