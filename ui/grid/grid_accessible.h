#pragma once

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QList>
#include <QString>

#include "ui/grid/grid_defs.h"

class CGridCtrl;

GridCounts CountsOf(const CGridCtrl& grid);

// A grid as a screen reader sees it: a table whose rows and columns are the body's, with the
// fixed rows as column headers and the fixed columns as row headers. Its children are every
// position of the grid row by row, fixed ones included, and the viewport while an in-place
// editor is open in it. Cell interfaces are made only when asked for and kept by position until
// the grid's shape changes, so a grid nobody reads costs nothing.
class CGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CGridAccessible(CGridCtrl* grid);
    ~CGridAccessible() override;

    // Gives every grid this interface from then on; later calls do nothing.
    static void Install();

    // The interface of a grid position, fixed ones included; nullptr outside the grid.
    QAccessibleInterface* CellInterface(int row, int column) const;

    void* interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::Role role() const override { return QAccessible::Table; }
    // The name the dialog gave the grid, else the label that stands above it.
    QString text(QAccessible::Text type) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    // The open editor, else the focus cell.
    QAccessibleInterface* focusChild() const override;

    QAccessibleInterface* caption() const override;
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return int(selectedColumns().size()); }
    int selectedRowCount() const override { return int(selectedRows().size()); }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return SelectedLines(false); }
    QList<int> selectedRows() const override { return SelectedLines(true); }
    bool isColumnSelected(int column) const override { return IsLineSelected(false, column); }
    bool isRowSelected(int row) const override { return IsLineSelected(true, row); }
    // The selection is the student's: a screen reader only reads it.
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

private:
    CGridCtrl* Grid() const;
    bool IsBodyCellSelected(int row, int column) const;
    // Whether every cell of a body row (else column) is selected; the rows (columns) that are.
    bool IsLineSelected(bool row, int index) const;
    QList<int> SelectedLines(bool rows) const;
    // The viewport holds the editor; it is a child only while there is one.
    QAccessibleInterface* EditorHolder() const;
    void DropCells() const;

    mutable QHash<quint64, QAccessible::Id> m_cells;
    // The grid's counts when the cached cells were made.
    mutable GridCounts m_cachedCounts;
};
