#include "grid_dialog.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>

namespace {

// Two equations in three unknowns: columns 0..2 the coefficients, 3 the "=" signs, 4 "b".
struct GridEdit : testing::Test {
    MatrixDialog dialog{2, 3};
    CGridCtrl& grid = *dialog.grid;

    void SetUp() override { dialog.Open(); }
};

TEST_F(GridEdit, TypingReplacesTheTextAndEnterStoresIt)
{
    grid.SetCellText(1, 1, "12");
    dialog.Click(1, 1);
    dialog.received.clear();
    dialog.Type("5");
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(dialog.EditorText(), "5");
    EXPECT_EQ(grid.GetEditor()->cursorPosition(), 1);
    EXPECT_FALSE(grid.GetEditor()->hasSelectedText());

    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 1), "5");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 1}));
    EXPECT_TRUE(grid.GetCellState(1, 1) & GCS_MODIFIED);
    EXPECT_EQ(dialog.received, (std::vector<Notification>{{GN_BEGINEDIT, 1, 1}, {GN_ENDEDIT, 1, 1}}));
    EXPECT_EQ(dialog.startClicks, 0);
    EXPECT_TRUE(grid.hasFocus());
}

TEST_F(GridEdit, EnterAndEscapeReachTheDialogWhileNoEditorIsOpen)
{
    dialog.Click(1, 1);
    dialog.Key(Qt::Key_Return);
    dialog.Key(Qt::Key_Escape);
    EXPECT_EQ(dialog.startClicks, 1);
    EXPECT_EQ(dialog.rejects, 1);
    EXPECT_EQ(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, EscapeRestoresTheTextWithoutEndEdit)
{
    grid.SetCellText(1, 0, "7/2");
    dialog.Click(1, 0);
    dialog.Type("99");
    dialog.received.clear();
    dialog.Key(Qt::Key_Escape);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 0), "7/2");
    EXPECT_FALSE(dialog.Received(GN_ENDEDIT));
    EXPECT_EQ(dialog.rejects, 0);
}

TEST_F(GridEdit, ArrowLeavesATypingEditorAndReopensOnTheNextCell)
{
    grid.SetCellText(1, 1, "3");
    dialog.Click(1, 0);
    dialog.Type("4");
    dialog.Key(Qt::Key_Right);
    EXPECT_EQ(grid.GetCellText(1, 0), "4");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 1}));
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->selectedText(), "3");
    dialog.Key(Qt::Key_Down);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 1}));
    EXPECT_NE(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, ArrowMovesTheCaretInAClickedEditor)
{
    grid.SetCellText(1, 0, "123");
    dialog.Click(1, 0);
    dialog.Click(1, 0);
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->cursorPosition(), 3);
    dialog.Key(Qt::Key_Left);
    EXPECT_EQ(grid.GetEditor()->cursorPosition(), 2);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 0}));
    dialog.Key(Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 1}));
}

TEST_F(GridEdit, F2OpensWithTheCaretAtTheEnd)
{
    grid.SetCellText(1, 2, "-1/3");
    dialog.Click(1, 2);
    dialog.Key(Qt::Key_F2);
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->cursorPosition(), 4);
    dialog.Key(Qt::Key_Backspace);
    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(1, 2), "-1/");
}

TEST_F(GridEdit, SpaceSelectsAndBackspaceDeletesTheLastCharacter)
{
    grid.SetCellText(1, 0, "45");
    dialog.Click(1, 0);
    dialog.Key(Qt::Key_Space);
    EXPECT_EQ(grid.GetEditor()->selectedText(), "45");
    dialog.Key(Qt::Key_Escape);
    dialog.Key(Qt::Key_Backspace);
    EXPECT_EQ(dialog.EditorText(), "4");
}

TEST_F(GridEdit, PunctuationStartsTheTextLikeAnyCharacter)
{
    dialog.Click(1, 0);
    dialog.Type("(1+2)");
    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(1, 0), "(1+2)");
}

TEST_F(GridEdit, TabWrapsToTheNextRowAndStaysOnTheLastCell)
{
    dialog.Click(1, 4);
    dialog.Type("8");
    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(grid.GetCellText(1, 4), "8");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 0}));
    EXPECT_NE(grid.GetEditor(), nullptr);

    dialog.Key(Qt::Key_Escape);
    dialog.Click(2, 4);
    dialog.Type("9");
    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(grid.GetCellText(2, 4), "9");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 4}));
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->selectedText(), "9");
}

TEST_F(GridEdit, ShiftTabGoesBack)
{
    dialog.Click(2, 0);
    dialog.Type("1");
    dialog.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 4}));
    EXPECT_NE(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, ReadOnlyCellsTakeAClickButNeverEdit)
{
    dialog.Click(1, 3);
    dialog.Click(1, 3);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 3}));
    EXPECT_EQ(grid.GetEditor(), nullptr);
    QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, dialog.CellCentre(1, 3));
    EXPECT_EQ(grid.GetEditor(), nullptr);
    dialog.Type("5");
    dialog.Key(Qt::Key_F2);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellText(1, 3), "=");

    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 4}));
}

TEST_F(GridEdit, TypingARowWithTabPassesTheSignColumn)
{
    dialog.Click(1, 0);
    for (const char* text : {"1", "1", "1"}) {
        dialog.Type(text);
        dialog.Key(Qt::Key_Tab);
    }
    dialog.Type("4");
    dialog.Key(Qt::Key_Tab);
    EXPECT_EQ(grid.GetCellText(1, 4), "4");
    EXPECT_EQ(grid.GetCellText(1, 3), "=");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{2, 0}));
    EXPECT_NE(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, ArrowsAndShiftTabFromAnEditorPassTheSignColumn)
{
    dialog.Click(1, 2);
    dialog.Type("3");
    dialog.Key(Qt::Key_Right);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 4}));
    ASSERT_NE(grid.GetEditor(), nullptr);
    dialog.Type("6");
    dialog.Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(grid.GetCellText(1, 4), "6");
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 2}));
    ASSERT_NE(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetEditor()->selectedText(), "3");

    dialog.Key(Qt::Key_Escape);
    dialog.Click(1, 4);
    dialog.Key(Qt::Key_Left);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 2}));
    EXPECT_EQ(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, ArrowsAlongTheSignColumnKeepTheCell)
{
    dialog.Click(1, 3);
    dialog.Key(Qt::Key_Down);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 3}));
    dialog.Key(Qt::Key_Up);
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{1, 3}));
}

TEST_F(GridEdit, AButtonClickEndsTheEditFirst)
{
    QString seen;
    QObject::connect(dialog.start, &QPushButton::clicked, [&] { seen = grid.GetCellText(2, 4); });
    dialog.Click(2, 4);
    dialog.Type("15");
    QTest::mouseClick(dialog.windowHandle(), Qt::LeftButton, {}, dialog.start->mapTo(&dialog, dialog.start->rect().center()));
    EXPECT_EQ(seen, "15");
    EXPECT_EQ(grid.GetEditor(), nullptr);
}

TEST_F(GridEdit, OwnerCanRefuseTheEditOrItsText)
{
    grid.SetCellText(1, 0, "2");
    grid.SetModified(false);
    dialog.Click(1, 0);
    dialog.beginEditAnswer = -1;
    dialog.Type("3");
    EXPECT_EQ(grid.GetEditor(), nullptr);

    dialog.beginEditAnswer = 0;
    dialog.endEditAnswer = -1;
    dialog.Type("3");
    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(1, 0), "2");
    EXPECT_FALSE(grid.GetCellState(1, 0) & GCS_MODIFIED);
}

TEST_F(GridEdit, WithoutAFocusCellKeysDoNothing)
{
    grid.SetFocusCell(-1, -1);
    dialog.Type("5");
    dialog.Key(Qt::Key_Right);
    dialog.Key(Qt::Key_Tab);
    dialog.Key(Qt::Key_F2);
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetFocusCell(), CellPos());
    EXPECT_TRUE(dialog.received.empty());
}

TEST_F(GridEdit, FocusSetByTheDialogServesTheKeyboard)
{
    grid.SetFocusCell(2, 1);
    dialog.Type("6");
    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(grid.GetCellText(2, 1), "6");
}

TEST_F(GridEdit, NavigationKeysReportTheMove)
{
    dialog.Click(1, 0);
    dialog.received.clear();
    dialog.Key(Qt::Key_Down);
    EXPECT_EQ(dialog.received, (std::vector<Notification>{{GN_SELCHANGING, 2, 0}, {GN_SELCHANGED, 2, 0}}));
    dialog.Key(Qt::Key_Down);
    EXPECT_EQ(dialog.received.size(), 2u);
}

TEST_F(GridEdit, EditorGrowsWithTheTextUpToTheGridEdge)
{
    dialog.Click(1, 0);
    dialog.Type("1");
    const int start = grid.GetEditor()->width();
    dialog.Type("234567890123");
    const int grown = grid.GetEditor()->width();
    EXPECT_GT(grown, start);
    dialog.Type("4567890123456789012345678901234567890");
    EXPECT_LE(grid.GetEditor()->geometry().right(), grid.viewport()->width() - 1);
}

TEST_F(GridEdit, SelectionOffShortcutsChangeNothing)
{
    grid.SetCellText(1, 0, "5");
    QApplication::clipboard()->setText("unchanged");
    dialog.Click(1, 0);
    dialog.Key(Qt::Key_A, Qt::ControlModifier);
    dialog.Key(Qt::Key_C, Qt::ControlModifier);
    dialog.Key(Qt::Key_X, Qt::ControlModifier);
    dialog.Key(Qt::Key_Delete);
    EXPECT_EQ(grid.GetCellText(1, 0), "5");
    EXPECT_EQ(QApplication::clipboard()->text(), "unchanged");
    EXPECT_EQ(grid.GetEditor(), nullptr);
    EXPECT_EQ(grid.GetCellState(1, 0) & GCS_SELECTED, 0u);
}

TEST_F(GridEdit, RebuildingTheGridEndsAnOpenEdit)
{
    dialog.Click(1, 1);
    dialog.Type("77");
    grid.DeleteAllCells();
    EXPECT_EQ(grid.GetEditor(), nullptr);
    grid.SetRowCount(3);
    grid.SetColumnCount(5);
    dialog.start->setFocus();
    EXPECT_EQ(grid.GetCellText(1, 1), "");
}

TEST(GridTyping, TenByTwelveMatrixCellByCellWithTab)
{
    MatrixDialog dialog(10, 12);
    dialog.Open();
    CGridCtrl& grid = *dialog.grid;
    dialog.Click(1, 0);
    for (int row = 1; row <= 10; ++row)
        for (int column = 0; column < 14; ++column) {
            if (column == 12)
                continue;
            dialog.Type(QString::number(row * 100 + column));
            dialog.Key(Qt::Key_Tab);
        }
    dialog.Key(Qt::Key_Return);
    for (int row = 1; row <= 10; ++row)
        for (int column = 0; column < 14; ++column)
            EXPECT_EQ(grid.GetCellText(row, column), column == 12 ? "=" : QString::number(row * 100 + column));
    EXPECT_EQ(grid.GetFocusCell(), (CellPos{10, 13}));
}

} // namespace
