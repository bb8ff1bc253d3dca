// The grid's shape and cells: counts, fixed bands, sizes and the cells' own properties. The
// cells live in the model and the sizes in the two axes; this is where the widget keeps them
// in step and tells the rest of itself what changed.
#include "ui/grid/grid_ctrl.h"

#include "ui/grid/grid_announce.h"

#include <algorithm>
#include <new>

CGridCellBase* CGridCtrl::CreateCell(int row, int column)
{
    auto cell = std::make_unique<CGridCell>();
    cell->SetGrid(this);
    uint32_t state = 0;
    if (column < GetFixedColumnCount())
        state |= GCS_FIXED | GCS_FIXEDCOL;
    if (row < GetFixedRowCount())
        state |= GCS_FIXED | GCS_FIXEDROW;
    cell->SetState(state);
    cell->SetFormat(cell->GetDefaultCell()->GetFormat());
    return cell.release();
}

void CGridCtrl::DestroyCell(int row, int column)
{
    // An editor left open would later hand its text to whatever cell took this one's place.
    if (m_editCell == CellPos{row, column})
        EndEditing();
    // Clearing the state takes the cell out of the selected set.
    SetCellState(row, column, 0);
}

bool CGridCtrl::SetRowCount(int count) { return SetCount(Qt::Vertical, count); }

bool CGridCtrl::SetColumnCount(int count) { return SetCount(Qt::Horizontal, count); }

bool CGridCtrl::SetFixedRowCount(int count) { return SetFixedCount(Qt::Vertical, count); }

bool CGridCtrl::SetFixedColumnCount(int count) { return SetFixedCount(Qt::Horizontal, count); }

bool CGridCtrl::SetCount(Qt::Orientation orientation, int count)
{
    const CGridShapeAnnouncer announcer(this);
    GridAxis& axis = Axis(orientation);
    if (count == axis.Count())
        return true;
    if (count < 0)
        return false;
    if (count > axis.Count() && !Grow(orientation, count))
        return false;
    if (count < axis.Count())
        Shrink(orientation, count);
    m_topLeft = CellPos();
    SetModified();
    ResetScrollBars();
    Refresh();
    return true;
}

bool CGridCtrl::Grow(Qt::Orientation orientation, int count)
{
    GridAxis& axis = Axis(orientation);
    const auto make = [this](int row, int column) { return std::unique_ptr<CGridCellBase>(MakeCell(row, column)); };
    const auto reserve = [&axis, count] { axis.Reserve(count); };
    const bool rows = orientation == Qt::Vertical;
    if (!(rows ? m_model.GrowRows(count, make, reserve) : m_model.GrowColumns(count, make, reserve)))
        return false;
    // New rows take the default cell's height, new columns the fixed column's width.
    axis.Resize(count, rows ? GetDefaultCell(false, false)->GetHeight() : GetDefaultCell(false, true)->GetWidth());
    return true;
}

CGridCellBase* CGridCtrl::MakeCell(int row, int column)
{
    CGridCellBase* cell = CreateCell(row, column);
    if (!cell)
        throw std::bad_alloc();
    return cell;
}

void CGridCtrl::Shrink(Qt::Orientation orientation, int count)
{
    const bool rows = orientation == Qt::Vertical;
    for (int row = rows ? count : 0; row < GetRowCount(); ++row)
        for (int column = rows ? 0 : count; column < GetColumnCount(); ++column)
            DestroyCell(row, column);
    if (rows)
        m_model.ShrinkRows(count);
    else
        m_model.ShrinkColumns(count);
    Axis(orientation).Resize(count, 0);
    int& focus = rows ? m_focusCell.row : m_focusCell.column;
    if (focus >= count)
        m_focusCell = CellPos();
}

bool CGridCtrl::SetFixedCount(Qt::Orientation orientation, int count)
{
    const CGridShapeAnnouncer announcer(this);
    GridAxis& axis = Axis(orientation);
    if (count == axis.FixedCount())
        return true;
    if (count < 0)
        return false;
    ResetSelection();
    m_topLeft = CellPos();
    if (count > axis.Count() && !SetCount(orientation, count))
        return false;
    // Only the rows (columns) between the old and the new count change sides.
    const int from = std::min(count, axis.FixedCount());
    const int to = std::max(count, axis.FixedCount());
    axis.SetFixedCount(count);
    const bool rows = orientation == Qt::Vertical;
    for (int row = rows ? from : 0; row < (rows ? to : GetRowCount()); ++row)
        for (int column = rows ? 0 : from; column < (rows ? GetColumnCount() : to); ++column)
            MarkFixed(GetCell(row, column), m_rows.IsFixed(row), m_columns.IsFixed(column));
    ResetScrollBars();
    Refresh();
    return true;
}

// A cell that joins a fixed band or leaves the fixed part of the grid loses the colours it had
// as what it was; a corner cell that stays fixed keeps them.
void CGridCtrl::MarkFixed(CGridCellBase* cell, bool fixedRow, bool fixedColumn)
{
    const uint32_t old = cell->GetState();
    uint32_t state = old & ~(GCS_FIXED | GCS_FIXEDROW | GCS_FIXEDCOL);
    if (fixedRow)
        state |= GCS_FIXED | GCS_FIXEDROW;
    if (fixedColumn)
        state |= GCS_FIXED | GCS_FIXEDCOL;
    if (state == old)
        return;
    cell->SetState(state);
    const bool joined = (state & ~old) & (GCS_FIXEDROW | GCS_FIXEDCOL);
    if (joined || !(state & GCS_FIXED))
        ResetCellColours(cell);
}

void CGridCtrl::ResetCellColours(CGridCellBase* cell)
{
    cell->SetTextColor(CLR_DEFAULT);
    cell->SetBackColor(CLR_DEFAULT);
}

bool CGridCtrl::DeleteAllCells()
{
    const CGridShapeAnnouncer announcer(this);
    ResetSelection();
    for (int row = 0; row < GetRowCount(); ++row)
        for (int column = 0; column < GetColumnCount(); ++column)
            DestroyCell(row, column);
    m_model.Clear();
    m_rows = GridAxis();
    m_columns = GridAxis();
    m_topLeft = CellPos();
    ResetScrollBars();
    SetModified();
    return true;
}

bool CGridCtrl::SetRowHeight(int row, int height)
{
    if (!m_rows.SetSize(row, height))
        return false;
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int column, int width)
{
    if (!m_columns.SetSize(column, width))
        return false;
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetCellText(int row, int column, const QString& text)
{
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return false;
    const CCellTextAnnouncer announcer(this, row, column);
    cell->SetText(text);
    SetModified(true, row, column);
    return true;
}

QString CGridCtrl::GetCellText(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetText() : QString();
}

bool CGridCtrl::SetCellState(int row, int column, uint32_t state)
{
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return false;
    const bool wasSelected = cell->GetState() & GCS_SELECTED;
    const bool selected = state & GCS_SELECTED;
    if (selected && !wasSelected)
        m_selectedCells.insert(SelectionKey(row, column));
    else if (!selected && wasSelected)
        m_selectedCells.remove(SelectionKey(row, column));
    cell->SetState(state);
    return true;
}

uint32_t CGridCtrl::GetCellState(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetState() : 0;
}

bool CGridCtrl::SetCellBackColor(int row, int column, COLORREF colour)
{
    CGridCellBase* cell = GetCell(row, column);
    if (cell)
        cell->SetBackColor(colour);
    return cell != nullptr;
}

COLORREF CGridCtrl::GetCellBackColor(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetBackColor() : 0;
}

bool CGridCtrl::SetCellTextColor(int row, int column, COLORREF colour)
{
    CGridCellBase* cell = GetCell(row, column);
    if (cell)
        cell->SetTextColor(colour);
    return cell != nullptr;
}

COLORREF CGridCtrl::GetCellTextColor(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetTextColor() : 0;
}

bool CGridCtrl::IsCellEditable(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell && m_editable && !cell->IsReadOnly();
}

bool CGridCtrl::IsCellSelected(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell && m_selectionEnabled && cell->IsSelected();
}

void CGridCtrl::SetModified(bool modified, int row, int column)
{
    if (row < 0 || column < 0) {
        m_modified = modified;
        if (!modified)
            m_model.ForEachCell([](CGridCellBase& cell) { cell.SetState(cell.GetState() & ~GCS_MODIFIED); });
        return;
    }
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return;
    if (modified) {
        cell->SetState(cell->GetState() | GCS_MODIFIED);
        m_modified = true;
    } else {
        cell->SetState(cell->GetState() & ~GCS_MODIFIED);
    }
}
