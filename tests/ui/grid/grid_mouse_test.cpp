#include "grid_dialog.h"

#include "ui/grid/cell_tip.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>

namespace {

struct GridMouse : testing::Test {
    MatrixDialog dialog{3, 3};
    CGridCtrl& grid = *dialog.grid;

    void SetUp() override { dialog.Open(); }

    // A move with no button held, as the pointer resting over the grid.
    void Hover(const QPoint& point)
    {
        QMouseEvent move(QEvent::MouseMove, point, grid.viewport()->mapToGlobal(point), Qt::NoButton, Qt::NoButton,
            Qt::NoModifier);
        QApplication::sendEvent(grid.viewport(), &move);
    }
};

TEST_F(GridMouse, FirstClickFocusesSecondClickEdits)
{
    QSignalSpy clicks(&grid, &CGridCtrl::clicked);
    grid.SetCellText(2, 1, "1/2");
    dialog.Click(2, 1);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 1}));
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_TRUE(dialog.Received(NM_CLICK));
    dialog.received.clear();

    dialog.Click(2, 1);
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->cursorPosition(), 3);
    EXPECT_FALSE(dialog.Received(NM_CLICK));
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(GridMouse, DoubleClickOpensTheEditor)
{
    dialog.Click(1, 0);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(2, 2));
    EXPECT_NE(grid.GetEditor(), nullptr);
    EXPECT_TRUE(dialog.Received(NM_DBLCLK));
}

TEST_F(GridMouse, TrembleOnTheFocusCellIsStillAClick)
{
    const QPoint centre = dialog.CellCentre(2, 1);
    dialog.Click(2, 1);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(grid.viewport(), centre + QPoint(1, 1));
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, centre + QPoint(1, 1));
    EXPECT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 1}));
}

TEST_F(GridMouse, DragFromTheFocusCellClearsIt)
{
    const QPoint centre = dialog.CellCentre(2, 1);
    const QPoint far = centre + QPoint(QApplication::startDragDistance() + 1, 0);
    dialog.Click(2, 1);
    QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseMove(grid.viewport(), far);
    QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, far);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
}

TEST_F(GridMouse, HeaderClickClearsTheFocusRightClickMovesItIntoTheBody)
{
    dialog.Click(2, 1);
    dialog.Click(0, 2);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
    EXPECT_TRUE(dialog.Received(NM_CLICK));

    dialog.received.clear();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, dialog.CellCentre(0, 2));
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 2}));
    EXPECT_EQ(dialog.received, (std::vector<Notification>{{NM_RCLICK, 0, 2}}));

    dialog.received.clear();
    QTest::mouseClick(grid.viewport(), Qt::RightButton, {}, QPoint(grid.viewport()->width() - 2, grid.viewport()->height() - 2));
    EXPECT_EQ(dialog.received, (std::vector<Notification>{{NM_RCLICK, -1, -1}}));
}

TEST_F(GridMouse, ClickEndsAnOpenEdit)
{
    dialog.Click(1, 0);
    dialog.Type("42");
    dialog.Click(3, 2);
    EXPECT_EQ(grid.GetCellText(1, 0), "42");
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{3, 2}));
}

TEST_F(GridMouse, TipShowsOnlyTheClippedText)
{
    grid.SetCellText(1, 0, "7");
    grid.SetCellText(2, 0, "-12345678/910");
    Hover(dialog.CellCentre(1, 0));
    EXPECT_TRUE(grid.GetTitleTip() == nullptr || !grid.GetTitleTip()->isVisible());

    Hover(dialog.CellCentre(2, 0));
    ASSERT_NE(grid.GetTitleTip(), nullptr);
    EXPECT_TRUE(grid.GetTitleTip()->isVisible());
    EXPECT_EQ(grid.GetTitleTip()->GetText(), "-12345678/910");
    QRect cell;
    grid.GetCellRect(2, 0, &cell);
    EXPECT_EQ(grid.GetTitleTip()->mapToGlobal(QPoint(0, 0)), grid.viewport()->mapToGlobal(cell.topLeft()));
    EXPECT_GT(grid.GetTitleTip()->width(), cell.width());

    Hover(dialog.CellCentre(3, 0));
    EXPECT_FALSE(grid.GetTitleTip()->isVisible());
    Hover(dialog.CellCentre(2, 0));
    EXPECT_TRUE(grid.GetTitleTip()->isVisible());
    dialog.Key(Qt::Key_Down);
    EXPECT_FALSE(grid.GetTitleTip()->isVisible());
}

TEST_F(GridMouse, TipLetsTheClickThroughAndGoesWhenThePointerLeaves)
{
    grid.SetCellText(2, 0, "-12345678/910");
    Hover(dialog.CellCentre(2, 0));
    ASSERT_TRUE(grid.GetTitleTip() && grid.GetTitleTip()->isVisible());
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(grid.viewport(), &leave);
    EXPECT_FALSE(grid.GetTitleTip()->isVisible());

    Hover(dialog.CellCentre(2, 0));
    ASSERT_TRUE(grid.GetTitleTip()->isVisible());
    const QPoint inWindow = grid.viewport()->mapTo(&dialog, dialog.CellCentre(2, 0));
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, inWindow);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 0}));
    EXPECT_FALSE(grid.GetTitleTip()->isVisible());
}

TEST_F(GridMouse, WheelScrollsTheSystemsLinesPerNotch)
{
    MatrixDialog tall(40, 3);
    tall.Open();
    CGridCtrl& grid = *tall.grid;
    const QPoint at = tall.CellCentre(2, 1);
    QWheelEvent down(at, grid.viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(grid.viewport(), &down);
    const int lines = QApplication::wheelScrollLines() > 0 ? QApplication::wheelScrollLines() : 3;
    EXPECT_EQ(grid.verticalScrollBar()->value(), lines * grid.GetRowHeight(1));
}

TEST_F(GridMouse, KeyboardScrollsTheFocusCellIntoView)
{
    MatrixDialog tall(40, 3);
    tall.Open();
    CGridCtrl& grid = *tall.grid;
    tall.Click(1, 0);
    tall.Key(Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{40, 4}));
    EXPECT_EQ(grid.verticalScrollBar()->value(), grid.verticalScrollBar()->maximum());
    QRect rect;
    grid.GetCellRect(40, 4, &rect);
    EXPECT_TRUE(grid.viewport()->rect().contains(rect));

    tall.Key(Qt::Key_PageUp);
    EXPECT_LT(grid.GetFocusCell().row, 40);
    grid.GetCellRect(grid.GetFocusCell().row, 4, &rect);
    EXPECT_TRUE(grid.viewport()->rect().contains(rect));
    tall.Key(Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 0}));
    EXPECT_EQ(grid.verticalScrollBar()->value(), 0);
}

struct GridPaste : GridMouse {
    void Paste(const QString& text)
    {
        QApplication::clipboard()->setText(text);
        dialog.Key(Qt::Key_V, Qt::ControlModifier);
    }
};

TEST_F(GridPaste, TwoLinesWithATabAndAComma)
{
    dialog.Click(1, 2);
    dialog.received.clear();
    Paste("1\t2\n3,4");
    EXPECT_EQ(grid.GetCellText(1, 2), "1");
    EXPECT_EQ(grid.GetCellText(1, 3), "=");
    EXPECT_EQ(grid.GetCellText(1, 4), "");
    // Text with a tab comes from a spreadsheet, where a comma is a decimal comma.
    EXPECT_EQ(grid.GetCellText(2, 2), "3,4");
    EXPECT_EQ(grid.GetCellText(2, 3), "=");
    EXPECT_EQ(dialog.received, (std::vector<Notification>{{GN_BEGINEDIT, 1, 2}, {GN_ENDEDIT, 1, 2}, {GN_BEGINEDIT, 2, 2},
                                   {GN_ENDEDIT, 2, 2}}));
}

TEST_F(GridPaste, DecimalCommasOfASpreadsheetStayInTheirCells)
{
    dialog.Click(1, 0);
    Paste("1,5\t2,5\r\n-0,25\t3\r\n");
    EXPECT_EQ(grid.GetCellText(1, 0), "1,5");
    EXPECT_EQ(grid.GetCellText(1, 1), "2,5");
    EXPECT_EQ(grid.GetCellText(2, 0), "-0,25");
    EXPECT_EQ(grid.GetCellText(2, 1), "3");
}

TEST_F(GridPaste, TextWithoutATabIsSplitAtCommas)
{
    dialog.Click(1, 0);
    Paste("7, 8\n9");
    EXPECT_EQ(grid.GetCellText(1, 0), "7");
    EXPECT_EQ(grid.GetCellText(1, 1), "8");
    EXPECT_EQ(grid.GetCellText(2, 0), "9");
}

TEST_F(GridPaste, SpreadsheetLineBreaksLeaveNoTrace)
{
    grid.SetCellText(3, 0, "keep");
    dialog.Click(1, 0);
    Paste(" 1 \t 2\r\n3\t4\r\n");
    EXPECT_EQ(grid.GetCellText(1, 0), "1");
    EXPECT_EQ(grid.GetCellText(1, 1), "2");
    EXPECT_EQ(grid.GetCellText(2, 1), "4");
    EXPECT_EQ(grid.GetCellText(3, 0), "keep");

    dialog.Click(1, 0);
    Paste("5\r6\r");
    EXPECT_EQ(grid.GetCellText(1, 0), "5");
    EXPECT_EQ(grid.GetCellText(2, 0), "6");
    EXPECT_EQ(grid.GetCellText(3, 0), "keep");
}

TEST_F(GridPaste, BlockLargerThanTheGridIsCutAtItsEdge)
{
    dialog.Click(3, 4);
    Paste("1\t2\t3\n4\t5\n6");
    EXPECT_EQ(grid.GetCellText(3, 4), "1");
    EXPECT_EQ(grid.GetRowCount(), 4);
    EXPECT_EQ(grid.GetColumnCount(), 5);
    EXPECT_EQ(grid.GetCellText(3, 3), "=");
    EXPECT_EQ(grid.GetCellText(2, 4), "");
}

TEST_F(GridPaste, IntoAnOpenEditorGoesToTheEditor)
{
    dialog.Click(1, 0);
    dialog.Type("1");
    Paste("2\t3");
    EXPECT_EQ(dialog.EditorText(), "12\t3");
    EXPECT_EQ(grid.GetCellText(1, 1), "");
}

TEST(GridPasteLarge, HundredByHundredAndTwo)
{
    MatrixDialog dialog(100, 100);
    dialog.Open();
    CGridCtrl& grid = *dialog.grid;
    QString block;
    for (int row = 1; row <= 100; ++row) {
        for (int column = 0; column < 102; ++column)
            block += QString::number(row * 1000 + column) + (column < 101 ? "\t" : "\r\n");
    }
    dialog.Click(1, 0);
    QApplication::clipboard()->setText(block);
    dialog.Key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(grid.GetCellText(1, 0), "1000");
    EXPECT_EQ(grid.GetCellText(100, 101), "100101");
    EXPECT_EQ(grid.GetCellText(57, 100), "=");
    EXPECT_EQ(grid.GetCellText(57, 99), "57099");
}

} // namespace
