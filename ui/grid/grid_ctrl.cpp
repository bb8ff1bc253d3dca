#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>

#include "ui/grid/cell_editor.h"
#include "ui/grid/cell_tip.h"
#include "ui/grid/grid_accessible.h"
#include "ui/grid/grid_announce.h"

#include <new>

uint32_t CGridCtrl::SelectionKey(int row, int column)
{
    return (uint32_t(row) & 0xFFFFu) | (uint32_t(column) << 16);
}

CellPos CGridCtrl::SelectedCell(uint32_t key)
{
    return CellPos{int(key & 0xFFFFu), int(key >> 16)};
}

CGridCtrl::CGridCtrl(QWidget* parent)
    : CGridCtrl(0, 0, 0, 0, parent)
{
}

CGridCtrl::CGridCtrl(int rows, int columns, int fixedRows, int fixedColumns, QWidget* parent)
    : QAbstractScrollArea(parent)
{
    CGridAccessible::Install();
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    const int wheelLines = QApplication::wheelScrollLines();
    m_wheelLines = wheelLines > 0 ? wheelLines : 3;
    // Every exposed pixel is painted: cells, grid lines and the background beyond them.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);

    ReadSystemColours();
    m_gridBackColour = m_shadowColour;
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetTextColor(m_windowTextColour);
    m_cellDefault.SetBackColor(m_windowColour);
    for (CGridDefaultCell* cell : {&m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetBackColor(m_faceColour);
    ApplyFont(font());

    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this,
        [this](int action) { OnScrollAction(Qt::Horizontal, action); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this,
        [this](int action) { OnScrollAction(Qt::Vertical, action); });

    SetRowCount(rows);
    SetColumnCount(columns);
    SetFixedRowCount(fixedRows);
    SetFixedColumnCount(fixedColumns);
}

CGridCtrl::~CGridCtrl()
{
    // The editor goes without reporting: nobody is left to take its text.
    delete GetEditor();
    // The tip belongs to the window, which may outlive the grid.
    delete m_tip.data();
}

int CGridCtrl::Notify(int code, CellPos cell) const
{
    return m_notify ? m_notify(code, cell.row, cell.column) : 0;
}

bool CGridCtrl::IsValid(int row, int column) const
{
    return row >= 0 && row < m_rowCount && column >= 0 && column < m_columnCount;
}

CGridCellBase* CGridCtrl::GetCell(int row, int column) const
{
    return IsValid(row, column) ? m_rows[row][column].get() : nullptr;
}

CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedColumn)
{
    return const_cast<CGridDefaultCell*>(std::as_const(*this).GetDefaultCell(fixedRow, fixedColumn));
}

const CGridDefaultCell* CGridCtrl::GetDefaultCell(bool fixedRow, bool fixedColumn) const
{
    if (fixedRow && fixedColumn)
        return &m_cellFixedRowColDef;
    if (fixedRow)
        return &m_cellFixedRowDef;
    if (fixedColumn)
        return &m_cellFixedColDef;
    return &m_cellDefault;
}

CGridCellBase* CGridCtrl::CreateCell(int row, int column)
{
    auto cell = new CGridCell;
    cell->SetGrid(this);
    uint32_t state = 0;
    if (column < m_fixedColumnCount)
        state |= GCS_FIXED | GCS_FIXEDCOL;
    if (row < m_fixedRowCount)
        state |= GCS_FIXED | GCS_FIXEDROW;
    cell->SetState(state);
    cell->SetFormat(cell->GetDefaultCell()->GetFormat());
    return cell;
}

void CGridCtrl::DestroyCell(int row, int column)
{
    // An editor left open would later hand its text to whatever cell took this one's place.
    if (m_editCell == CellPos{row, column})
        EndEditing();
    // Clearing the state takes the cell out of the selected set.
    SetCellState(row, column, 0);
    m_rows[row][column].reset();
}

bool CGridCtrl::SetRowCount(int count)
{
    const CGridShapeAnnouncer announcer(this);
    if (count == m_rowCount)
        return true;
    if (count < 0)
        return false;
    m_topLeft = CellPos();
    if (count < m_fixedRowCount)
        m_fixedRowCount = count;
    if (m_focusCell.row >= count)
        m_focusCell = CellPos();

    bool grown = true;
    if (count < m_rowCount) {
        for (int row = count; row < m_rowCount; ++row)
            for (int column = 0; column < m_columnCount; ++column)
                DestroyCell(row, column);
        m_rows.resize(count);
        m_rowHeights.resize(count);
        m_rowCount = count;
    } else {
        try {
            m_rows.reserve(count);
            m_rowHeights.reserve(count);
            while (m_rowCount < count) {
                m_rows.emplace_back(m_columnCount);
                m_rowHeights.push_back(m_cellDefault.GetHeight());
                ++m_rowCount;
                for (int column = 0; column < m_columnCount; ++column)
                    m_rows.back()[column].reset(CreateCell(m_rowCount - 1, column));
            }
        } catch (const std::bad_alloc&) {
            grown = false;
        }
    }
    SetModified();
    ResetScrollBars();
    Refresh();
    return grown;
}

bool CGridCtrl::SetColumnCount(int count)
{
    const CGridShapeAnnouncer announcer(this);
    if (count == m_columnCount)
        return true;
    if (count < 0)
        return false;
    m_topLeft = CellPos();
    if (count < m_fixedColumnCount)
        m_fixedColumnCount = count;
    if (m_focusCell.column >= count)
        m_focusCell = CellPos();

    bool grown = true;
    if (count < m_columnCount) {
        for (int row = 0; row < m_rowCount; ++row) {
            for (int column = count; column < m_columnCount; ++column)
                DestroyCell(row, column);
            m_rows[row].resize(count);
        }
        m_columnWidths.resize(count);
        m_columnCount = count;
    } else {
        try {
            const int oldCount = m_columnCount;
            m_columnWidths.resize(count, m_cellFixedColDef.GetWidth());
            for (Row& cells : m_rows)
                cells.resize(count);
            m_columnCount = count;
            for (int row = 0; row < m_rowCount; ++row)
                for (int column = oldCount; column < count; ++column)
                    m_rows[row][column].reset(CreateCell(row, column));
        } catch (const std::bad_alloc&) {
            grown = false;
        }
    }
    SetModified();
    ResetScrollBars();
    Refresh();
    return grown;
}

void CGridCtrl::ResetCellColours(CGridCellBase* cell)
{
    cell->SetTextColor(CLR_DEFAULT);
    cell->SetBackColor(CLR_DEFAULT);
}

bool CGridCtrl::SetFixedRowCount(int count)
{
    const CGridShapeAnnouncer announcer(this);
    if (count == m_fixedRowCount)
        return true;
    if (count < 0)
        return false;
    ResetSelection();
    m_topLeft = CellPos();
    if (count > m_rowCount && !SetRowCount(count))
        return false;

    for (int row = m_fixedRowCount; row < count; ++row)
        for (int column = 0; column < m_columnCount; ++column) {
            CGridCellBase* cell = GetCell(row, column);
            cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDROW);
            ResetCellColours(cell);
        }
    for (int row = count; row < m_fixedRowCount; ++row)
        for (int column = 0; column < m_columnCount; ++column) {
            CGridCellBase* cell = GetCell(row, column);
            if (column < m_fixedColumnCount) {
                cell->SetState(cell->GetState() & ~GCS_FIXEDROW);
            } else {
                cell->SetState(cell->GetState() & ~(GCS_FIXED | GCS_FIXEDROW));
                ResetCellColours(cell);
            }
        }
    m_fixedRowCount = count;
    ResetScrollBars();
    Refresh();
    return true;
}

bool CGridCtrl::SetFixedColumnCount(int count)
{
    const CGridShapeAnnouncer announcer(this);
    if (count == m_fixedColumnCount)
        return true;
    if (count < 0)
        return false;
    ResetSelection();
    m_topLeft = CellPos();
    if (count > m_columnCount && !SetColumnCount(count))
        return false;

    for (int row = 0; row < m_rowCount; ++row) {
        for (int column = m_fixedColumnCount; column < count; ++column) {
            CGridCellBase* cell = GetCell(row, column);
            cell->SetState(cell->GetState() | GCS_FIXED | GCS_FIXEDCOL);
            ResetCellColours(cell);
        }
        for (int column = count; column < m_fixedColumnCount; ++column) {
            CGridCellBase* cell = GetCell(row, column);
            if (row < m_fixedRowCount) {
                cell->SetState(cell->GetState() & ~GCS_FIXEDCOL);
            } else {
                cell->SetState(cell->GetState() & ~(GCS_FIXED | GCS_FIXEDCOL));
                ResetCellColours(cell);
            }
        }
    }
    m_fixedColumnCount = count;
    ResetScrollBars();
    Refresh();
    return true;
}

bool CGridCtrl::DeleteAllCells()
{
    const CGridShapeAnnouncer announcer(this);
    ResetSelection();
    for (int row = 0; row < m_rowCount; ++row)
        for (int column = 0; column < m_columnCount; ++column)
            DestroyCell(row, column);
    m_rows.clear();
    m_rowHeights.clear();
    m_columnWidths.clear();
    m_rowCount = m_columnCount = m_fixedRowCount = m_fixedColumnCount = 0;
    m_topLeft = CellPos();
    ResetScrollBars();
    SetModified();
    return true;
}

bool CGridCtrl::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= m_rowCount || height < 0)
        return false;
    m_rowHeights[row] = height;
    ResetScrollBars();
    return true;
}

bool CGridCtrl::SetColumnWidth(int column, int width)
{
    if (column < 0 || column >= m_columnCount || width < 0)
        return false;
    m_columnWidths[column] = width;
    ResetScrollBars();
    return true;
}

int CGridCtrl::GetRowHeight(int row) const
{
    return row >= 0 && row < m_rowCount ? m_rowHeights[row] : 0;
}

int CGridCtrl::GetColumnWidth(int column) const
{
    return column >= 0 && column < m_columnCount ? m_columnWidths[column] : 0;
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
    if (!cell)
        return false;
    cell->SetBackColor(colour);
    return true;
}

COLORREF CGridCtrl::GetCellBackColor(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetBackColor() : 0;
}

bool CGridCtrl::SetCellTextColor(int row, int column, COLORREF colour)
{
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return false;
    cell->SetTextColor(colour);
    return true;
}

COLORREF CGridCtrl::GetCellTextColor(int row, int column) const
{
    const CGridCellBase* cell = GetCell(row, column);
    return cell ? cell->GetTextColor() : 0;
}

CellPos CGridCtrl::SetFocusCell(int row, int column)
{
    CellPos cell{row, column};
    if (cell.row >= 0 && cell.row < m_fixedRowCount)
        cell.row = m_fixedRowCount;
    if (cell.column >= 0 && cell.column < m_fixedColumnCount)
        cell.column = m_fixedColumnCount;
    if (!IsValid(cell.row, cell.column))
        cell = CellPos();

    const CellPos previous = m_focusCell;
    if (cell == previous)
        return previous;
    if (CGridCellBase* old = GetCell(previous.row, previous.column)) {
        old->SetState(old->GetState() & ~GCS_FOCUSED);
        RedrawCell(previous.row, previous.column);
    }
    m_focusCell = cell;
    if (CGridCellBase* now = GetCell(cell.row, cell.column)) {
        now->SetState(now->GetState() | GCS_FOCUSED);
        RedrawCell(cell.row, cell.column);
    }
    if (m_trackFocusCell) {
        UpdateFixedCellsOf(previous);
        UpdateFixedCellsOf(cell);
    }
    AnnounceFocusCell(this);
    return previous;
}

void CGridCtrl::ResetSelection()
{
    for (uint32_t key : std::as_const(m_selectedCells)) {
        const CellPos selected = SelectedCell(key);
        if (CGridCellBase* cell = GetCell(selected.row, selected.column)) {
            cell->SetState(cell->GetState() & ~GCS_SELECTED);
            InvalidateCellRect(selected.row, selected.column);
        }
    }
    m_selectedCells.clear();
    SetFocusCell(-1, -1);
}

void CGridCtrl::EnableSelection(bool enable)
{
    ResetSelection();
    m_selectionEnabled = enable;
    ResetSelection();
}

void CGridCtrl::SetGridLines(GridLines lines)
{
    m_gridLines = lines;
    Refresh();
}

void CGridCtrl::SetRedraw(bool allowDraw)
{
    m_allowDraw = allowDraw;
    if (allowDraw) {
        ResetScrollBars();
        Refresh();
    }
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
            for (Row& cells : m_rows)
                for (auto& cell : cells)
                    cell->SetState(cell->GetState() & ~GCS_MODIFIED);
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

void CGridCtrl::ApplyFont(const QFont& font)
{
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef})
        cell->SetFont(&font);
    Refresh();
}

void CGridCtrl::ReadSystemColours()
{
    const QPalette& colours = palette();
    m_windowTextColour = FromQColor(colours.color(QPalette::Active, QPalette::Text));
    m_windowColour = FromQColor(colours.color(QPalette::Active, QPalette::Base));
    m_faceColour = FromQColor(colours.color(QPalette::Active, QPalette::Button));
    m_shadowColour = FromQColor(colours.color(QPalette::Active, QPalette::Dark));
}

void CGridCtrl::OnSystemColoursChanged()
{
    // Only colours still at the old system value follow: the headers' face colour and the
    // backgrounds a dialog chose stay as they are.
    const COLORREF oldText = m_windowTextColour;
    const COLORREF oldWindow = m_windowColour;
    const COLORREF oldShadow = m_shadowColour;
    ReadSystemColours();
    for (CGridDefaultCell* cell : {&m_cellDefault, &m_cellFixedColDef, &m_cellFixedRowDef, &m_cellFixedRowColDef}) {
        if (cell->GetTextColor() == oldText)
            cell->SetTextColor(m_windowTextColour);
        if (cell->GetBackColor() == oldWindow)
            cell->SetBackColor(m_windowColour);
    }
    if (m_gridBackColour == oldShadow)
        m_gridBackColour = m_shadowColour;
    Refresh();
}

void CGridCtrl::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::FontChange)
        ApplyFont(font());
    else if (event->type() == QEvent::PaletteChange)
        OnSystemColoursChanged();
    QAbstractScrollArea::changeEvent(event);
}
