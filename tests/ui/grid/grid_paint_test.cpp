#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QFontInfo>
#include <QImage>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr COLORREF Paper = RGB(255, 255, 224);
constexpr COLORREF Prompt = RGB(254, 204, 163);

QRgb Colour(COLORREF colour) { return ToQColor(colour).rgb(); }
QRgb Colour(const QColor& colour) { return colour.rgb(); }

// A small table window grid on screen: two fixed rows, one fixed column, 50-pixel columns.
struct GridPaint : testing::Test {
    CGridCtrl grid;

    void SetUp() override
    {
        grid.GetDefaultCell(false, false)->SetBackColor(Paper);
        grid.SetColumnCount(8);
        grid.SetFixedRowCount(2);
        grid.SetFixedColumnCount(1);
        grid.SetRowCount(20);
        for (int column = 0; column < grid.GetColumnCount(); ++column)
            grid.SetColumnWidth(column, 50);
        grid.resize(460, 200);
        grid.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&grid));
    }

    QImage Render() { return grid.viewport()->grab().toImage(); }

    QRect CellRect(int row, int column)
    {
        QRect rect;
        grid.GetCellRect(row, column, &rect);
        return rect;
    }

    // Whether any pixel of the rectangle differs from the colour.
    static bool HasInk(const QImage& image, const QRect& rect, QRgb background)
    {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixel(x, y) != background)
                    return true;
        return false;
    }
};

TEST_F(GridPaint, CellsShowTheirOwnOrTheDefaultBackColour)
{
    grid.SetCellBackColor(3, 2, Prompt);
    QImage image = Render();
    EXPECT_EQ(image.pixel(CellRect(3, 2).center()), Colour(Prompt));
    EXPECT_EQ(image.pixel(CellRect(3, 3).center()), Colour(Paper));

    grid.SetCellBackColor(3, 2, CLR_DEFAULT);
    image = Render();
    EXPECT_EQ(image.pixel(CellRect(3, 2).center()), Colour(Paper));
}

TEST_F(GridPaint, GridLinesSeparateBodyCells)
{
    const QImage image = Render();
    const QRect cell = CellRect(3, 2);
    const QRgb line = qRgb(192, 192, 192);
    EXPECT_EQ(image.pixel(cell.right() + 1, cell.center().y()), line);
    EXPECT_EQ(image.pixel(cell.center().x(), cell.bottom() + 1), line);
    EXPECT_EQ(image.pixel(cell.right(), cell.center().y()), Colour(Paper));
}

TEST_F(GridPaint, FocusCellIsFramedInItsTextColour)
{
    grid.SetFocusCell(3, 2);
    const QImage image = Render();
    const QRect cell = CellRect(3, 2);
    const QRgb text = Colour(grid.GetDefaultCell(false, false)->GetTextColor());
    EXPECT_EQ(image.pixel(cell.topLeft()), text);
    EXPECT_EQ(image.pixel(cell.bottomRight()), text);
    EXPECT_EQ(image.pixel(cell.left(), cell.center().y()), text);
    EXPECT_EQ(image.pixel(cell.center()), Colour(Paper));
    EXPECT_EQ(image.pixel(CellRect(4, 2).topLeft()), Colour(Paper));
}

TEST_F(GridPaint, HeadersOfTheFocusCellAreSunken)
{
    grid.SetFocusCell(3, 2);
    const QImage image = Render();
    const QRgb light = Colour(grid.palette().color(QPalette::Light));
    const QRgb dark = Colour(grid.palette().color(QPalette::Shadow));
    ASSERT_NE(light, dark);
    EXPECT_EQ(image.pixel(CellRect(1, 2).topLeft()), dark);
    EXPECT_EQ(image.pixel(CellRect(1, 2).bottomRight() + QPoint(1, 1)), light);
    EXPECT_EQ(image.pixel(CellRect(3, 0).topLeft()), dark);
    EXPECT_EQ(image.pixel(CellRect(1, 3).topLeft()), light);
    EXPECT_EQ(image.pixel(CellRect(1, 3).bottomRight() + QPoint(1, 1)), dark);
    EXPECT_EQ(image.pixel(CellRect(4, 0).topLeft()), light);

    grid.SetTrackFocusCell(false);
    EXPECT_EQ(Render().pixel(CellRect(1, 2).topLeft()), light);
}

TEST_F(GridPaint, ClippedTextEndsInAnEllipsisInsideTheMargins)
{
    grid.SetCellText(3, 2, "123456789012345678");
    grid.SetCellText(4, 2, "123456789012345678999");
    grid.SetCellText(5, 2, "12");
    const QImage image = Render();
    const int margin = grid.GetCell(3, 2)->GetMargin();
    const QRect first = CellRect(3, 2);
    const QRect second = CellRect(4, 2);

    const QRect rightMargin(first.right() - margin + 1, first.top(), margin, first.height());
    EXPECT_TRUE(HasInk(image, first.adjusted(margin, 0, -margin, 0), Colour(Paper)));
    EXPECT_FALSE(HasInk(image, rightMargin, Colour(Paper)));
    // Both long texts are cut to the same visible start followed by the ellipsis.
    EXPECT_EQ(image.copy(first), image.copy(second));
    EXPECT_NE(image.copy(first), image.copy(CellRect(5, 2)));
}

TEST_F(GridPaint, AHugeTextIsFittedFromItsStartAlone)
{
    const QString huge(1 << 20, QLatin1Char('7'));
    grid.SetCellText(3, 2, huge);
    grid.SetCellText(4, 2, huge.left(200));
    const QImage image = Render();
    EXPECT_EQ(image.copy(CellRect(3, 2)), image.copy(CellRect(4, 2)));
    const CGridCellBase* cell = grid.GetCell(3, 2);
    const ShownText shown = cell->GetShownText(QFontMetrics(cell->GetFont()), 40, true);
    EXPECT_LE(shown.text.size(), 2 * 40 + 16);
    EXPECT_TRUE(shown.text.endsWith(QChar(0x2026)));
}

// The fitted text is kept with the cell: it must follow the column's width and the font.
TEST_F(GridPaint, FittedTextFollowsTheWidthAndTheFont)
{
    const QString text = QStringLiteral("1234567890123");
    grid.SetCellText(3, 2, text);
    grid.SetCellText(3, 3, text);
    // Fixed margins: a new font must count by itself, not through the margin it brings.
    grid.GetCell(3, 2)->SetMargin(4);
    grid.GetCell(3, 3)->SetMargin(4);
    Render();
    const auto refit = [&] {
        grid.SetCellText(3, 3, QString());
        grid.SetCellText(3, 3, text);
        const QImage image = Render();
        return image.copy(CellRect(3, 2)) == image.copy(CellRect(3, 3));
    };
    grid.SetColumnWidth(2, 150);
    grid.SetColumnWidth(3, 150);
    EXPECT_TRUE(refit());
    QFont larger = grid.font();
    larger.setPixelSize(QFontInfo(grid.font()).pixelSize() * 2);
    grid.setFont(larger);
    EXPECT_TRUE(refit());
}

TEST_F(GridPaint, BackgroundBeyondTheLastColumnAndRow)
{
    grid.SetColumnCount(4);
    grid.SetRowCount(4);
    const QImage image = Render();
    const QRgb background = Colour(grid.GetGridBkColor());
    const QRect last = CellRect(3, 3);
    EXPECT_EQ(image.pixel(last.right() + 10, last.center().y()), background);
    EXPECT_EQ(image.pixel(last.center().x(), last.bottom() + 10), background);
}

TEST_F(GridPaint, DisabledGridLooksTheSame)
{
    grid.SetCellText(3, 2, "1/2");
    grid.SetCellBackColor(3, 3, Prompt);
    grid.SetFocusCell(3, 2);
    const QImage enabled = Render();
    grid.setEnabled(false);
    EXPECT_EQ(Render(), enabled);
}

TEST_F(GridPaint, BodyScrollsUnderFixedRowsAndColumns)
{
    for (int row = 0; row < grid.GetRowCount(); ++row)
        grid.SetCellText(row, 0, QString::number(row));
    grid.SetCellBackColor(3, 2, Prompt);
    const QImage before = Render();
    const QRect rowFourHeader = CellRect(4, 0);
    const QRect rowThreeCell = CellRect(3, 2);
    ASSERT_GT(grid.verticalScrollBar()->maximum(), 0);

    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    const int step = grid.GetRowHeight(2);
    EXPECT_EQ(grid.verticalScrollBar()->value(), step);
    const QImage after = Render();
    const QRect fixedRows(0, 0, before.width(), CellRect(1, 0).bottom() + 2);
    EXPECT_EQ(after.copy(fixedRows), before.copy(fixedRows));
    EXPECT_EQ(after.copy(rowFourHeader.translated(0, -step)), before.copy(rowFourHeader));
    EXPECT_EQ(after.pixel(rowThreeCell.center() - QPoint(0, step)), Colour(Prompt));
    EXPECT_EQ(after.pixel(rowThreeCell.center()), Colour(Paper));
}

TEST_F(GridPaint, ScrolledToTheEndTheBodyStartsWithAWholeRow)
{
    const int headerBottom = CellRect(1, 0).bottom() + 1;
    const auto topRowIsWhole = [&] {
        const CellPos top = grid.GetCellFromPoint(QPoint(60, headerBottom + 1));
        return top.IsValid() && CellRect(top.row, 1).top() == headerBottom + 1;
    };
    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_TRUE(topRowIsWhole());
    EXPECT_LE(CellRect(grid.GetRowCount() - 1, 1).bottom(), grid.viewport()->height());
    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_TRUE(topRowIsWhole());
}

// Remembers the rectangle of the last paint of a widget.
class PaintRecorder : public QObject {
public:
    QRect painted;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted = static_cast<QPaintEvent*>(event)->rect();
        return false;
    }
};

TEST_F(GridPaint, OneLineScrollRepaintsOnlyTheNewStrip)
{
    QApplication::processEvents();
    PaintRecorder recorder;
    grid.viewport()->installEventFilter(&recorder);
    grid.verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QApplication::processEvents();
    const int step = grid.GetRowHeight(2);
    EXPECT_EQ(recorder.painted, QRect(0, grid.viewport()->height() - step, grid.viewport()->width(), step));
}

} // namespace
