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

// The desktop's opener is a stand-in xdg-open first on PATH: the file is handed to it, and its exit
// status, once it ends, says whether the file opened. The window is not kept waiting: the stand-in
// waits for a go that comes only after OpenWithDesktop has returned.
TEST(OpenWithDesktop, WaitsForTheOpenersExitStatusWithoutBlocking)
{
    struct Row {
        const char* exit; // the stand-in's last command; nullptr: there is no xdg-open
        bool opened;
    };
    const Row rows[] = {
        {"exit 0", true},
        {"echo 'xdg-open: no method available for opening' >&2; exit 3", false},
        {"kill -9 $$", false},
        {nullptr, false},
    };
    const QByteArray path = qgetenv("PATH");
    for (const Row& row : rows) {
        QTemporaryDir folder;
        if (row.exit != nullptr) {
            QFile opener(folder.filePath("xdg-open"));
            ASSERT_TRUE(opener.open(QIODevice::WriteOnly));
            opener.write(QString("#!/bin/sh\necho \"$1\" > '%1'\nwhile [ ! -e '%2' ]; do sleep 0.02; done\n%3\n")
                             .arg(folder.filePath("asked"), folder.filePath("go"), row.exit)
                             .toUtf8());
            opener.setPermissions(opener.permissions() | QFile::ExeOwner);
        }
        qputenv("PATH", folder.path().toUtf8() + (row.exit != nullptr ? ":" + path : QByteArray()));
        std::optional<bool> opened;
        OpenWithDesktop(folder.filePath("Таблитор 1.xlsx"), [&opened](bool result) { opened = result; });
        qputenv("PATH", path);
        if (row.exit != nullptr) {
            EXPECT_FALSE(opened.has_value()) << row.exit;
            QFile(folder.filePath("go")).open(QIODevice::WriteOnly);
        }
        EXPECT_TRUE(QTest::qWaitFor([&] { return opened.has_value(); }, 10000)) << (row.exit ? row.exit : "none");
        EXPECT_EQ(opened, row.opened) << (row.exit ? row.exit : "none");
        if (row.exit != nullptr) {
            QFile asked(folder.filePath("asked"));
            ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
            EXPECT_EQ(QString::fromUtf8(asked.readAll()).trimmed(), folder.filePath("Таблитор 1.xlsx"));
        }
    }
}

} // namespace
