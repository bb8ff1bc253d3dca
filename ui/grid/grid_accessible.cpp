#include "ui/grid/grid_accessible.h"

#include <QLabel>
#include <QLatin1String>

#include "ui/grid/cell_editor.h"
#include "ui/grid/grid_cell_accessible.h"
#include "ui/grid/grid_ctrl.h"

namespace {

QAccessibleInterface* GridInterfaceFactory(const QString& key, QObject* object)
{
    if (key != QLatin1String(CGridCtrl::staticMetaObject.className()))
        return nullptr;
    auto* grid = qobject_cast<CGridCtrl*>(object);
    return grid ? new CGridAccessible(grid) : nullptr;
}

// The label a sighted student takes for the grid's title: of the shown labels of the grid's own
// window whose middle lies above the grid's top and which share some of its width, the nearest.
QLabel* LabelAbove(const QWidget& grid)
{
    const QWidget* window = grid.window();
    const QRect gridRect(grid.mapTo(window, QPoint()), grid.size());
    QLabel* nearest = nullptr;
    int nearestGap = 0;
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->window() != window || !label->isVisibleTo(window) || label->text().isEmpty())
            continue;
        const QRect rect(label->mapTo(window, QPoint()), label->size());
        const bool above = rect.center().y() < gridRect.top();
        const bool alongside = rect.left() <= gridRect.right() && rect.right() >= gridRect.left();
        const int gap = gridRect.top() - rect.bottom();
        if (above && alongside && (!nearest || gap < nearestGap)) {
            nearest = label;
            nearestGap = gap;
        }
    }
    return nearest;
}

quint64 PositionKey(int row, int column) { return (quint64(quint32(row)) << 32) | quint32(column); }

} // namespace

GridCounts CountsOf(const CGridCtrl& grid)
{
    return GridCounts{grid.GetRowCount(), grid.GetColumnCount(), grid.GetFixedRowCount(), grid.GetFixedColumnCount()};
}

CGridAccessible::CGridAccessible(CGridCtrl* grid)
    : QAccessibleWidget(grid, QAccessible::Table)
{
}

CGridAccessible::~CGridAccessible() { DropCells(); }

void CGridAccessible::Install()
{
    [[maybe_unused]] static const bool installed = [] {
        QAccessible::installFactory(GridInterfaceFactory);
        return true;
    }();
}

CGridCtrl* CGridAccessible::Grid() const { return static_cast<CGridCtrl*>(widget()); }


void CGridAccessible::DropCells() const
{
    for (QAccessible::Id id : std::as_const(m_cells))
        QAccessible::deleteAccessibleInterface(id);
    m_cells.clear();
}

QAccessibleInterface* CGridAccessible::CellInterface(int row, int column) const
{
    if (!isValid() || !Grid()->IsValid(row, column))
        return nullptr;
    // Interfaces stand for positions: after a change of shape the old ones would name cells
    // that a screen reader had already read as something else.
    if (const GridCounts counts = CountsOf(*Grid()); counts != m_cachedCounts) {
        DropCells();
        m_cachedCounts = counts;
    }
    const quint64 key = PositionKey(row, column);
    if (const auto found = m_cells.constFind(key); found != m_cells.cend())
        return QAccessible::accessibleInterface(*found);
    auto* cell = new CGridCellAccessible(Grid(), row, column);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

void CGridAccessible::modelChange(QAccessibleTableModelChangeEvent* event)
{
    if (event->modelChangeType() != QAccessibleTableModelChangeEvent::DataChanged)
        DropCells();
}

void* CGridAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString CGridAccessible::text(QAccessible::Text type) const
{
    QString text = QAccessibleWidget::text(type);
    if (type == QAccessible::Name && text.isEmpty())
        if (const QAccessibleInterface* label = caption())
            text = label->text(QAccessible::Name);
    return text;
}

QAccessibleInterface* CGridAccessible::caption() const
{
    QLabel* label = isValid() ? LabelAbove(*Grid()) : nullptr;
    return label ? QAccessible::queryAccessibleInterface(label) : nullptr;
}

QAccessibleInterface* CGridAccessible::EditorHolder() const
{
    const CGridCtrl* grid = isValid() ? Grid() : nullptr;
    return grid && grid->GetEditor() ? QAccessible::queryAccessibleInterface(grid->viewport()) : nullptr;
}

int CGridAccessible::childCount() const
{
    if (!isValid())
        return 0;
    const CGridCtrl* grid = Grid();
    return grid->GetRowCount() * grid->GetColumnCount() + (EditorHolder() ? 1 : 0);
}

QAccessibleInterface* CGridAccessible::child(int index) const
{
    if (!isValid() || index < 0)
        return nullptr;
    const CGridCtrl* grid = Grid();
    const int columns = grid->GetColumnCount();
    const int positions = grid->GetRowCount() * columns;
    if (index < positions)
        return CellInterface(index / columns, index % columns);
    return index == positions ? EditorHolder() : nullptr;
}

int CGridAccessible::indexOfChild(const QAccessibleInterface* child) const
{
    if (!isValid() || !child)
        return -1;
    const CGridCtrl* grid = Grid();
    if (const auto* cell = dynamic_cast<const CGridCellAccessible*>(child)) {
        if (cell->Grid() != grid || !cell->isValid())
            return -1;
        return cell->GridRow() * grid->GetColumnCount() + cell->GridColumn();
    }
    if (child->object() == grid->viewport() && grid->GetEditor())
        return grid->GetRowCount() * grid->GetColumnCount();
    return -1;
}

QAccessibleInterface* CGridAccessible::childAt(int x, int y) const
{
    if (!isValid())
        return nullptr;
    const CGridCtrl* grid = Grid();
    const QPoint point = grid->viewport()->mapFromGlobal(QPoint(x, y));
    if (const CCellEditor* editor = grid->GetEditor(); editor && editor->geometry().contains(point))
        return EditorHolder();
    const CellPos cell = grid->GetCellFromPoint(point);
    return CellInterface(cell.row, cell.column);
}

QAccessibleInterface* CGridAccessible::focusChild() const
{
    if (!isValid())
        return nullptr;
    const CGridCtrl* grid = Grid();
    if (CCellEditor* editor = grid->GetEditor())
        return QAccessible::queryAccessibleInterface(editor);
    const CellPos focus = grid->GetFocusCell();
    return CellInterface(focus.row, focus.column);
}

int CGridAccessible::rowCount() const { return isValid() ? CountsOf(*Grid()).BodyRows() : 0; }

int CGridAccessible::columnCount() const { return isValid() ? CountsOf(*Grid()).BodyColumns() : 0; }

QAccessibleInterface* CGridAccessible::cellAt(int row, int column) const
{
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount())
        return nullptr;
    return CellInterface(row + Grid()->GetFixedRowCount(), column + Grid()->GetFixedColumnCount());
}

QString CGridAccessible::columnDescription(int column) const
{
    if (column < 0 || column >= columnCount())
        return QString();
    return ColumnHeaderText(*Grid(), column + Grid()->GetFixedColumnCount());
}

QString CGridAccessible::rowDescription(int row) const
{
    if (row < 0 || row >= rowCount())
        return QString();
    return RowHeaderText(*Grid(), row + Grid()->GetFixedRowCount());
}

bool CGridAccessible::IsBodyCellSelected(int row, int column) const
{
    return Grid()->IsCellSelected(row + Grid()->GetFixedRowCount(), column + Grid()->GetFixedColumnCount());
}

int CGridAccessible::selectedCellCount() const
{
    int count = 0;
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            count += IsBodyCellSelected(row, column);
    return count;
}

QList<QAccessibleInterface*> CGridAccessible::selectedCells() const
{
    QList<QAccessibleInterface*> cells;
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
            if (IsBodyCellSelected(row, column))
                cells << cellAt(row, column);
    return cells;
}

bool CGridAccessible::IsLineSelected(bool row, int index) const
{
    const int lines = row ? rowCount() : columnCount();
    const int length = row ? columnCount() : rowCount();
    if (index < 0 || index >= lines || length == 0)
        return false;
    for (int along = 0; along < length; ++along)
        if (!(row ? IsBodyCellSelected(index, along) : IsBodyCellSelected(along, index)))
            return false;
    return true;
}

QList<int> CGridAccessible::SelectedLines(bool rows) const
{
    QList<int> lines;
    for (int index = 0; index < (rows ? rowCount() : columnCount()); ++index)
        if (IsLineSelected(rows, index))
            lines << index;
    return lines;
}
