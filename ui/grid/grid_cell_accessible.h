#pragma once

#include <QAccessible>
#include <QList>
#include <QPointer>
#include <QString>

class CGridAccessible;
class CGridCtrl;

// One position of a grid as a screen reader sees it: a table cell in the body, a column header
// in the fixed rows and a row header in the fixed columns. It stands for the position, not for
// the cell object there, and reads the grid afresh on every question. The grid's table
// interface makes these on demand and keeps them.
class CGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CGridCellAccessible(CGridCtrl* grid, int row, int column);

    bool isValid() const override;
    // Cells are no objects of their own: events name them by their registered id.
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text type) const override;
    // A screen reader cannot type into a cell: the student does, through the editor.
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // Body cells only: row and column count from the first body cell, as in the table.
    bool isSelected() const override;
    // Nearest first.
    QList<QAccessibleInterface*> columnHeaderCells() const override { return HeaderCells(true); }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return HeaderCells(false); }
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override;

    CGridCtrl* Grid() const { return m_grid; }
    int GridRow() const { return m_row; }
    int GridColumn() const { return m_column; }

private:
    // The fixed cells above the cell's column, else left of its row, nearest first.
    QList<QAccessibleInterface*> HeaderCells(bool ofColumn) const;
    bool InBody() const;
    CGridAccessible* Table() const;

    QPointer<CGridCtrl> m_grid;
    int m_row;
    int m_column;
};

// The texts of the fixed rows above a column, or of the fixed columns left of a row, joined by
// spaces; empty cells are left out.
QString ColumnHeaderText(const CGridCtrl& grid, int column);
QString RowHeaderText(const CGridCtrl& grid, int row);

// What a body cell is called where its text alone does not tell: the headers of its column and
// row, with its place in the body standing in for a header the grid lacks ("x1, строка 2").
QString CellTitle(const CGridCtrl& grid, int row, int column);
