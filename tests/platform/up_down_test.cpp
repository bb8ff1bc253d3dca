#include "platform/up_down.h"

#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

TEST(UpDownControl, ArrowsStepTheBuddysIntegerWithinTheRange)
{
    struct Row { const char* start; int lowest, highest, ups, downs; const char* expected; };
    const Row rows[] = {
        {"5", 1, 100, 2, 0, "7"},
        {"0", 1, 100, 1, 0, "1"},      // below the range: the first step lands on it
        {"0", 1, 100, 0, 1, "1"},
        {"100", 1, 100, 1, 0, "100"},
        {"250", 10, 100, 0, 1, "100"},
        {"2", 0, 3, 0, 5, "0"},
        {"", 0, 3, 1, 0, "1"},         // no integer: step from the position, 0
        {"abc", 0, 3, 0, 1, "0"},
        {"2147483647", 0, 100, 1, 0, "100"},
    };
    for (const Row& row : rows) {
        QLineEdit buddy(QString::fromUtf8(row.start));
        UpDownControl upDown;
        upDown.SetBuddy(&buddy);
        upDown.SetRange(row.lowest, row.highest);
        for (int i = 0; i < row.ups; ++i)
            QTest::mouseClick(upDown.UpArrow(), Qt::LeftButton);
        for (int i = 0; i < row.downs; ++i)
            QTest::mouseClick(upDown.DownArrow(), Qt::LeftButton);
        EXPECT_EQ(buddy.text().toStdString(), row.expected) << "from '" << row.start << "'";
    }
}

TEST(UpDownControl, ArrowKeysInTheBuddyStepItAndTypedTextStays)
{
    QLineEdit buddy;
    UpDownControl upDown;
    upDown.SetRange(0, 3);
    upDown.SetBuddy(&buddy);
    upDown.SetPosition(0);
    int changes = 0;
    QObject::connect(&buddy, &QLineEdit::textChanged, [&changes] { ++changes; });

    QTest::keyClick(&buddy, Qt::Key_Up);
    QTest::keyClick(&buddy, Qt::Key_Up);
    QTest::keyClick(&buddy, Qt::Key_Down);
    EXPECT_EQ(buddy.text(), QStringLiteral("1"));
    EXPECT_EQ(changes, 3);

    QTest::keyClicks(&buddy, "7x");
    EXPECT_EQ(buddy.text(), QStringLiteral("17x"));
}

// A dialog's controls are destroyed in the order they were made, the buddy before its arrows:
// the buddy's last events reach the arrows' filter while it is being destroyed, and afterwards
// the arrows step nothing.
TEST(UpDownControl, OutlivesItsBuddy)
{
    QWidget window;
    auto* buddy = new QLineEdit("5", &window);
    auto* upDown = new UpDownControl(&window);
    upDown->SetBuddy(buddy);
    window.show();
    buddy->setFocus();
    delete buddy;
    EXPECT_EQ(upDown->Buddy(), nullptr);
    QTest::mouseClick(upDown->UpArrow(), Qt::LeftButton);
}
