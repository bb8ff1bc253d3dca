// Selection and divider resizing are off in every dialog of the program; these tests keep the
// small code for them honest.
#include "grid_dialog.h"

#include <QApplication>
#include <QClipboard>

namespace {

TEST(GridSelection, DragSelectsAndTheClipboardKeysWork)
{
    MatrixDialog dialog(3, 3);
    CGridCtrl& grid = *dialog.grid;
    grid.EnableSelection(true);
    dialog.Open();
    grid.SetCellText(1, 0, "a");
    grid.SetCellText(1, 1, "b");
    grid.SetCellText(2, 0, "c");
    grid.SetCellText(2, 1, "d");

    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(1, 0));
    QTest::mouseMove(grid.viewport(), dialog.CellCentre(2, 1));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(2, 1));
    EXPECT_TRUE(grid.IsCellSelected(1, 0));
    EXPECT_TRUE(grid.IsCellSelected(2, 1));
    EXPECT_FALSE(grid.IsCellSelected(3, 1));
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 1}));

    dialog.Key(Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text(), "a\tb\nc\td\n");
    dialog.Key(Qt::Key_Delete);
    EXPECT_EQ(grid.GetCellText(1, 0), "");
    EXPECT_EQ(grid.GetCellText(2, 1), "");

    dialog.Key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(grid.IsCellSelected(3, 4));
    EXPECT_FALSE(grid.IsCellSelected(0, 0));
    dialog.Key(Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(QApplication::clipboard()->text().count(QLatin1Char('\n')), 3);
    EXPECT_EQ(grid.GetCellText(2, 3), "=");

    QApplication::clipboard()->setText("1\t2");
    dialog.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.GetCellText(1, 0), "1");
    EXPECT_TRUE(grid.IsCellSelected(1, 1));
    EXPECT_FALSE(grid.IsCellSelected(2, 0));
}

TEST(GridResize, DraggingAHeaderDividerSetsTheColumnWidth)
{
    MatrixDialog dialog(2, 3);
    CGridCtrl& grid = *dialog.grid;
    grid.SetColumnResize(true);
    dialog.Open();
    QRect header;
    grid.GetCellRect(0, 0, &header);
    const QPoint divider(header.left() + 50, header.center().y());
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, divider);
    QTest::mouseMove(grid.viewport(), divider + QPoint(20, 0));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, divider + QPoint(20, 0));
    EXPECT_EQ(grid.GetColumnWidth(0), 70);
    EXPECT_FALSE(dialog.Received(NM_CLICK));

    grid.SetColumnResize(false);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, divider + QPoint(20, 0));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, divider + QPoint(40, 0));
    EXPECT_EQ(grid.GetColumnWidth(0), 70);
}

} // namespace
