#include "grid_dialog.h"

#include "ui/grid/grid_cell_accessible.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QLabel>
#include <private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <vector>

namespace {

// What a screen reader was told: the event, and the object it is about read at that moment.
struct Heard {
    QAccessible::Event type = QAccessible::InvalidEvent;
    QAccessible::Role role = QAccessible::NoRole;
    QString name;
    int row = -1;  // a body cell's place
    int column = -1;
    int change = -1;  // a change of shape
    int first = -1;
    int last = -1;
};

std::vector<Heard> heard;

void Listen(QAccessibleEvent* event)
{
    Heard what;
    what.type = event->type();
    if (QAccessibleInterface* about = event->accessibleInterface()) {
        what.role = about->role();
        what.name = about->text(QAccessible::Name);
        if (QAccessibleTableCellInterface* cell = about->tableCellInterface()) {
            what.row = cell->rowIndex();
            what.column = cell->columnIndex();
        }
    }
    if (event->type() == QAccessible::TableModelChanged) {
        const auto* change = static_cast<const QAccessibleTableModelChangeEvent*>(event);
        what.change = change->modelChangeType();
        const bool rows = change->firstRow() >= 0;
        what.first = rows ? change->firstRow() : change->firstColumn();
        what.last = rows ? change->lastRow() : change->lastColumn();
    }
    heard.push_back(what);
}

std::vector<Heard> HeardOf(QAccessible::Event type, QAccessible::Role role = QAccessible::NoRole)
{
    std::vector<Heard> found;
    std::copy_if(heard.begin(), heard.end(), std::back_inserter(found),
        [=](const Heard& h) { return h.type == type && (role == QAccessible::NoRole || h.role == role); });
    return found;
}

// The accessibility bus tells Qt that a screen reader listens; the offscreen platform has no
// bus, so the test says it.
void SetListening(bool listening)
{
    QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(listening);
}

class GridAccessibility : public testing::Test {
protected:
    void SetUp() override
    {
        dialog.Open();
        previousHandler = QAccessible::installUpdateHandler(Listen);
        SetListening(true);
        heard.clear();
    }

    void TearDown() override
    {
        SetListening(false);
        QAccessible::installUpdateHandler(previousHandler);
    }

    QAccessibleInterface* Table() const { return QAccessible::queryAccessibleInterface(&grid); }
    QAccessibleTableInterface* Cells() const { return Table()->tableInterface(); }

    // Two equations in three unknowns under the header row "x1 x2 x3 Знак b".
    MatrixDialog dialog{2, 3};
    CGridCtrl& grid = *dialog.grid;
    QAccessible::UpdateHandler previousHandler = nullptr;
};

TEST_F(GridAccessibility, ReadsAsATableOfTheBodyUnderItsHeaderRow)
{
    ASSERT_NE(Table(), nullptr);
    EXPECT_EQ(Table()->role(), QAccessible::Table);
    ASSERT_NE(Cells(), nullptr);
    EXPECT_EQ(Cells()->rowCount(), 2);
    EXPECT_EQ(Cells()->columnCount(), 5);
    EXPECT_EQ(Table()->childCount(), 3 * 5);
    const QString headers[] = {"x1", "x2", "x3", "Знак", "b"};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(Cells()->columnDescription(column), headers[column]);
        const QList<QAccessibleInterface*> heads = Cells()->cellAt(1, column)->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(heads.size(), 1);
        EXPECT_EQ(heads[0]->text(QAccessible::Name), headers[column]);
        EXPECT_EQ(heads[0]->role(), QAccessible::ColumnHeader);
        EXPECT_EQ(heads[0], Table()->child(column));
    }
    EXPECT_TRUE(Cells()->cellAt(0, 0)->tableCellInterface()->rowHeaderCells().isEmpty());
    EXPECT_EQ(Cells()->cellAt(2, 0), nullptr);
    EXPECT_EQ(Cells()->cellAt(0, 5), nullptr);
}

TEST_F(GridAccessibility, EveryCellReadsItsTextAtItsRowAndColumn)
{
    grid.SetCellText(1, 0, "2");
    grid.SetCellText(1, 4, "4");
    grid.SetCellText(2, 1, "-1/2");
    const struct {
        int row;
        int column;
        QString text;
    } cells[] = {{0, 0, "2"}, {0, 3, "="}, {0, 4, "4"}, {1, 1, "-1/2"}, {1, 0, ""}};
    for (const auto& expected : cells) {
        SCOPED_TRACE(testing::Message() << expected.row << ", " << expected.column);
        QAccessibleInterface* cell = Cells()->cellAt(expected.row, expected.column);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->role(), QAccessible::Cell);
        EXPECT_EQ(cell->text(QAccessible::Name), expected.text);
        EXPECT_EQ(cell->tableCellInterface()->rowIndex(), expected.row);
        EXPECT_EQ(cell->tableCellInterface()->columnIndex(), expected.column);
        const int index = (expected.row + 1) * 5 + expected.column;
        EXPECT_EQ(Table()->indexOfChild(cell), index);
        EXPECT_EQ(Table()->child(index), cell);
        EXPECT_EQ(cell->parent(), Table());
        EXPECT_EQ(Table()->childAt(cell->rect().center().x(), cell->rect().center().y()), cell);
    }
}

TEST_F(GridAccessibility, StatesTellWhichCellsTakeTyping)
{
    const QAccessible::State number = Cells()->cellAt(0, 0)->state();
    EXPECT_TRUE(number.editable);
    EXPECT_FALSE(number.readOnly);
    EXPECT_TRUE(number.focusable);
    EXPECT_FALSE(number.selectable);
    const QAccessible::State sign = Cells()->cellAt(0, 3)->state();
    EXPECT_TRUE(sign.readOnly);
    EXPECT_FALSE(sign.editable);
    EXPECT_TRUE(Table()->child(0)->state().readOnly);
    EXPECT_FALSE(Table()->child(0)->state().focusable);

    grid.SetEditable(false);
    EXPECT_TRUE(Cells()->cellAt(0, 0)->state().readOnly);
}

TEST_F(GridAccessibility, TheFocusCellIsTheFocusedChild)
{
    dialog.Click(1, 0);
    dialog.Key(Qt::Key_Right);
    QAccessibleInterface* focus = Table()->focusChild();
    ASSERT_NE(focus, nullptr);
    ASSERT_NE(focus->tableCellInterface(), nullptr);
    EXPECT_EQ(focus->tableCellInterface()->rowIndex(), 0);
    EXPECT_EQ(focus->tableCellInterface()->columnIndex(), 1);
    EXPECT_TRUE(focus->state().focused);
    EXPECT_FALSE(Cells()->cellAt(0, 0)->state().focused);
}

TEST_F(GridAccessibility, MovingTheFocusCellAnnouncesTheCellLandedOn)
{
    dialog.Click(1, 0);
    heard.clear();
    dialog.Key(Qt::Key_Right);
    dialog.Key(Qt::Key_Down);
    const std::vector<Heard> focus = HeardOf(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].row, 0);
    EXPECT_EQ(focus[0].column, 1);
    EXPECT_EQ(focus[1].row, 1);
    EXPECT_EQ(focus[1].column, 1);
}

TEST_F(GridAccessibility, TakingTheKeyboardFocusAnnouncesTheFocusCellAfterTheGrid)
{
    dialog.start->setFocus();
    grid.SetFocusCell(2, 2);
    heard.clear();
    grid.setFocus();
    QCoreApplication::processEvents();
    const std::vector<Heard> focus = HeardOf(QAccessible::Focus);
    ASSERT_EQ(focus.size(), 2u);
    EXPECT_EQ(focus[0].role, QAccessible::Table);
    EXPECT_EQ(focus[1].row, 1);
    EXPECT_EQ(focus[1].column, 2);
}

TEST_F(GridAccessibility, ANewTextIsAnnouncedOnItsCell)
{
    grid.SetCellText(2, 4, "7");
    grid.SetCellText(2, 4, "7");
    std::vector<Heard> changed = HeardOf(QAccessible::NameChanged);
    ASSERT_EQ(changed.size(), 1u) << "the same text again tells nothing";
    EXPECT_EQ(changed[0].name, "7");
    EXPECT_EQ(changed[0].row, 1);
    EXPECT_EQ(changed[0].column, 4);

    heard.clear();
    dialog.Click(1, 1);
    dialog.Type("5");
    dialog.Key(Qt::Key_Return);
    // The editor is named as it opens; the cell's own news comes as the text is stored.
    changed = HeardOf(QAccessible::NameChanged, QAccessible::Cell);
    ASSERT_EQ(changed.size(), 1u);
    EXPECT_EQ(changed[0].name, "5");
    EXPECT_EQ(changed[0].row, 0);
    EXPECT_EQ(changed[0].column, 1);
}

TEST_F(GridAccessibility, ChangesOfShapeAreAnnouncedAndRenewTheCells)
{
    using Change = QAccessibleTableModelChangeEvent;
    const QAccessible::Id before = QAccessible::uniqueId(Cells()->cellAt(1, 1));
    grid.SetRowCount(5);
    grid.SetColumnCount(4);
    grid.SetFixedRowCount(2);
    const std::vector<Heard> changes = HeardOf(QAccessible::TableModelChanged);
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0].change, Change::RowsInserted);
    EXPECT_EQ(changes[0].first, 2);
    EXPECT_EQ(changes[0].last, 3);
    EXPECT_EQ(changes[1].change, Change::ColumnsRemoved);
    EXPECT_EQ(changes[1].first, 4);
    EXPECT_EQ(changes[1].last, 4);
    EXPECT_EQ(changes[2].change, Change::ModelReset);

    EXPECT_EQ(QAccessible::accessibleInterface(before), nullptr);
    EXPECT_EQ(Cells()->rowCount(), 3);
    EXPECT_EQ(Cells()->columnCount(), 4);
    EXPECT_EQ(Cells()->cellAt(0, 0)->tableCellInterface()->columnHeaderCells().size(), 2);
}

TEST_F(GridAccessibility, TheOpenEditorIsAChildNamedAfterItsCell)
{
    dialog.Click(1, 1);
    dialog.Type("4");
    ASSERT_NE(grid.GetEditor(), nullptr);
    ASSERT_EQ(Table()->childCount(), 3 * 5 + 1);
    QAccessibleInterface* holder = Table()->child(3 * 5);
    ASSERT_NE(holder, nullptr);
    EXPECT_EQ(holder->object(), grid.viewport());
    EXPECT_EQ(Table()->indexOfChild(holder), 3 * 5);

    QAccessibleInterface* editor = QAccessible::queryAccessibleInterface(grid.GetEditor());
    EXPECT_EQ(editor->parent(), holder);
    EXPECT_GE(holder->indexOfChild(editor), 0);
    EXPECT_EQ(Table()->focusChild(), editor);
    EXPECT_EQ(editor->role(), QAccessible::EditableText);
    EXPECT_EQ(editor->text(QAccessible::Name), "x2, строка 1");
    ASSERT_NE(editor->textInterface(), nullptr);
    EXPECT_EQ(editor->textInterface()->text(0, editor->textInterface()->characterCount()), "4");

    dialog.Key(Qt::Key_Return);
    EXPECT_EQ(Table()->childCount(), 3 * 5);
}

TEST_F(GridAccessibility, SelectedCellsAreReadWhereSelectionIsOn)
{
    grid.EnableSelection(true);
    dialog.Click(1, 0);
    dialog.Click(2, 1, Qt::ShiftModifier);
    EXPECT_EQ(Cells()->selectedCellCount(), 4);
    const QList<QAccessibleInterface*> selected = Cells()->selectedCells();
    ASSERT_EQ(selected.size(), 4);
    for (QAccessibleInterface* cell : selected) {
        EXPECT_TRUE(cell->state().selected);
        EXPECT_TRUE(cell->state().selectable);
        EXPECT_LE(cell->tableCellInterface()->columnIndex(), 1);
    }
    EXPECT_TRUE(Cells()->isColumnSelected(0));
    EXPECT_FALSE(Cells()->isRowSelected(0));
    EXPECT_EQ(Cells()->selectedColumns(), (QList<int>{0, 1}));
    EXPECT_FALSE(Cells()->cellAt(0, 2)->state().selected);
}

TEST(GridAccessibleHeaders, FixedColumnsAreRowHeaders)
{
    // The wizard's names table: the caption column, then one column for each unknown.
    CGridCtrl grid(2, 3, 1, 1);
    grid.SetCellText(0, 0, "№ Переменной");
    grid.SetCellText(0, 1, "1");
    grid.SetCellText(0, 2, "2");
    grid.SetCellText(1, 0, "Обозначение");
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&grid)->tableInterface();
    EXPECT_EQ(table->rowCount(), 1);
    EXPECT_EQ(table->columnCount(), 2);
    EXPECT_EQ(table->rowDescription(0), "Обозначение");
    EXPECT_EQ(table->columnDescription(1), "2");
    const QList<QAccessibleInterface*> heads = table->cellAt(0, 1)->tableCellInterface()->rowHeaderCells();
    ASSERT_EQ(heads.size(), 1);
    EXPECT_EQ(heads[0]->role(), QAccessible::RowHeader);
    EXPECT_EQ(heads[0]->text(QAccessible::Name), "Обозначение");
    EXPECT_EQ(CellTitle(grid, 1, 2), "2, Обозначение");

    const CGridCtrl bare(2, 2, 0, 0);
    EXPECT_EQ(CellTitle(bare, 1, 0), "столбец 1, строка 2");
}

TEST(GridAccessibleHeaders, TheHeaderNextToTheBodyComesFirst)
{
    // The table window's header: the prices above the unknowns' names.
    CGridCtrl grid(4, 2, 2, 0);
    grid.SetCellText(0, 1, "3");
    grid.SetCellText(1, 0, "Цены");
    grid.SetCellText(1, 1, "x1");
    QAccessibleTableInterface* table = QAccessible::queryAccessibleInterface(&grid)->tableInterface();
    for (int row = 0; row < 2; ++row) {
        const QList<QAccessibleInterface*> prices = table->cellAt(row, 0)->tableCellInterface()->columnHeaderCells();
        const QList<QAccessibleInterface*> x1 = table->cellAt(row, 1)->tableCellInterface()->columnHeaderCells();
        ASSERT_EQ(x1.size(), 2);
        EXPECT_EQ(x1[0]->text(QAccessible::Name), "x1");
        EXPECT_EQ(x1[1]->text(QAccessible::Name), "3");
        EXPECT_EQ(prices[0]->text(QAccessible::Name), "Цены");
    }
    EXPECT_EQ(table->columnDescription(1), "3 x1") << "the description reads top down";
    EXPECT_EQ(table->columnDescription(0), "Цены");
}

TEST(GridAccessibleName, IsTheLabelAboveUnlessTheDialogNamesTheGrid)
{
    QWidget window;
    window.resize(400, 300);
    const auto label = [&window](const QString& text, const QRect& rect, QWidget* parent = nullptr) {
        auto* made = new QLabel(text, parent ? parent : &window);
        made->setGeometry(rect);
        return made;
    };
    label("Задача", {10, 5, 300, 15});
    label("Введите элементы матрицы", {10, 25, 300, 15});
    label("Сбоку", {320, 35, 70, 15});
    label("Подсказка", {10, 41, 300, 8})->hide();
    label("Ниже", {10, 160, 300, 15});
    auto* question = new QDialog(&window);
    label("Вопрос", {10, 45, 300, 4}, question);
    auto* grid = new CGridCtrl(3, 3, 1, 0, &window);
    grid->setGeometry(10, 50, 300, 100);

    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
    EXPECT_EQ(table->text(QAccessible::Name), "Введите элементы матрицы");
    ASSERT_NE(table->tableInterface()->caption(), nullptr);
    EXPECT_EQ(table->tableInterface()->caption()->text(QAccessible::Name), "Введите элементы матрицы");

    grid->setAccessibleName("Матрица коэффициентов");
    EXPECT_EQ(table->text(QAccessible::Name), "Матрица коэффициентов");
}

} // namespace
