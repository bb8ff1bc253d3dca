// Painting and scrolling of the largest table the program shows: 100 equations and 100
// unknowns make a 103 x 103 grid of fractions, seen through a 1280 x 800 viewport.
#include "ui/grid/grid_ctrl.h"

#include "bench/ui/offscreen_main.h"
#include "ui/grid/grid_accessible.h"

#include <QAccessible>
#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>

#include <benchmark/benchmark.h>

namespace {

// Remembers what the last paint of a widget covered.
class PaintRecorder : public QObject {
public:
    QRect lastPainted;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            lastPainted = static_cast<QPaintEvent*>(event)->rect();
            ++paints;
        }
        return false;
    }
};

void FillTable(CGridCtrl& grid)
{
    constexpr int size = 103;
    grid.GetDefaultCell(false, false)->SetBackColor(RGB(255, 255, 224));
    grid.EnableSelection(false);
    grid.SetColumnCount(size);
    grid.SetFixedRowCount(2);
    grid.SetRowCount(size);
    for (int column = 0; column < size; ++column)
        grid.SetColumnWidth(column, 50);
    for (int row = 0; row < size; ++row)
        for (int column = 0; column < size; ++column)
            grid.SetCellText(row, column, QStringLiteral("%1/%2").arg((row * 31 + column * 17) % 199 - 99).arg(column % 23 + 2));
    grid.SetCellBackColor(40, 40, RGB(254, 204, 163));
    grid.SetFocusCell(10, 10);
}

struct ShownGrid {
    CGridCtrl grid;
    PaintRecorder recorder;

    ShownGrid()
    {
        FillTable(grid);
        grid.resize(1280 + 2 * grid.frameWidth() + grid.verticalScrollBar()->sizeHint().width(),
            800 + 2 * grid.frameWidth() + grid.horizontalScrollBar()->sizeHint().height());
        grid.show();
        QApplication::processEvents();
        grid.viewport()->installEventFilter(&recorder);
    }
};

void BM_FullPaint(benchmark::State& state)
{
    ShownGrid shown;
    for (auto _ : state)
        shown.grid.viewport()->repaint();
    state.counters["viewport_w"] = shown.grid.viewport()->width();
    state.counters["viewport_h"] = shown.grid.viewport()->height();
    state.counters["painted_h"] = shown.recorder.lastPainted.height();
}
BENCHMARK(BM_FullPaint)->Unit(benchmark::kMillisecond);

void BM_ScrollOneLine(benchmark::State& state)
{
    ShownGrid shown;
    QScrollBar* bar = shown.grid.verticalScrollBar();
    bool down = true;
    for (auto _ : state) {
        bar->triggerAction(down ? QAbstractSlider::SliderSingleStepAdd : QAbstractSlider::SliderSingleStepSub);
        QApplication::processEvents();
        down = !down;
    }
    state.counters["painted_h"] = shown.recorder.lastPainted.height();
    state.counters["painted_w"] = shown.recorder.lastPainted.width();
    state.counters["row_h"] = shown.grid.GetRowHeight(5);
}
BENCHMARK(BM_ScrollOneLine)->Unit(benchmark::kMillisecond);

// Every cell's text is wider than its 50-pixel column and ends in an ellipsis.
void BM_FullPaintClipped(benchmark::State& state)
{
    ShownGrid shown;
    for (int row = 0; row < shown.grid.GetRowCount(); ++row)
        for (int column = 0; column < shown.grid.GetColumnCount(); ++column)
            shown.grid.SetCellText(row, column, QStringLiteral("-%1/%2").arg(1234567 + row * 31 + column).arg(column + 89));
    for (auto _ : state)
        shown.grid.viewport()->repaint();
}
BENCHMARK(BM_FullPaintClipped)->Unit(benchmark::kMillisecond);

// One cell holds a megabyte of pasted text without a separator: a repaint must cost what the
// cell can show, not what it holds.
void BM_FullPaintWithHugeCell(benchmark::State& state)
{
    ShownGrid shown;
    shown.grid.SetCellText(10, 10, QString(1 << 20, QLatin1Char('7')));
    for (auto _ : state)
        shown.grid.viewport()->repaint();
}
BENCHMARK(BM_FullPaintWithHugeCell)->Unit(benchmark::kMillisecond);

// What a screen reader's reading of the whole table costs the program itself: every position's
// interface and name, as the accessibility bridge asks for them one by one.
void BM_AccessibleReadAll(benchmark::State& state)
{
    CGridAccessible::Install();
    ShownGrid shown;
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&shown.grid);
    qsizetype characters = 0;
    for (auto _ : state) {
        const int count = table->childCount();
        for (int index = 0; index < count; ++index)
            characters += table->child(index)->text(QAccessible::Name).size();
    }
    benchmark::DoNotOptimize(characters);
    state.counters["children"] = table->childCount();
}
BENCHMARK(BM_AccessibleReadAll)->Unit(benchmark::kMillisecond);

QString PastedBlock(int rows, int columns, int seed)
{
    QString block;
    for (int row = 0; row < rows; ++row)
        for (int column = 0; column < columns; ++column)
            block += QString::number((row * 7 + column * 3 + seed) % 211 - 105) + (column + 1 < columns ? "\t" : "\r\n");
    return block;
}

// The wizard's matrix at its largest: 100 equations, 100 unknowns, "=" and "b", filled from a
// spreadsheet in one paste. Two blocks take turns so that every cell changes every time.
void BM_Paste100x102(benchmark::State& state)
{
    CGridCtrl grid;
    grid.EnableSelection(false);
    grid.SetFixedRowCount(1);
    grid.SetRowCount(101);
    grid.SetColumnCount(102);
    for (int row = 1; row <= 100; ++row)
        grid.SetCellState(row, 100, GCS_READONLY);
    grid.resize(800, 600);
    grid.show();
    QApplication::processEvents();
    const QString blocks[2] = {PastedBlock(100, 102, 0), PastedBlock(100, 102, 1)};
    int turn = 0;
    for (auto _ : state) {
        grid.PasteClipboardData(CellPos{1, 0}, blocks[turn]);
        turn = 1 - turn;
    }
    state.counters["cells"] = 100 * 102;
}
BENCHMARK(BM_Paste100x102)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) { return RunBenchmarksOffscreen(argc, argv); }
