#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QtTest>

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

} // namespace
