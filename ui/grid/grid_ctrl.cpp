#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QEvent>
#include <QScrollBar>

#include "ui/grid/cell_editor.h"
#include "ui/grid/cell_tip.h"
#include "ui/grid/grid_accessible.h"
#include "ui/grid/grid_announce.h"


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
    for (CGridDefaultCell* cell : m_model.DefaultCells()) {
        cell->SetTextColor(m_windowTextColour);
        cell->SetBackColor(m_faceColour);
    }
    GetDefaultCell(false, false)->SetBackColor(m_windowColour);
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

CellPos CGridCtrl::SetFocusCell(int row, int column)
{
    CellPos cell{row, column};
    if (m_rows.IsFixed(cell.row))
        cell.row = GetFixedRowCount();
    if (m_columns.IsFixed(cell.column))
        cell.column = GetFixedColumnCount();
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

void CGridCtrl::ApplyFont(const QFont& font)
{
    for (CGridDefaultCell* cell : m_model.DefaultCells())
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
    for (CGridDefaultCell* cell : m_model.DefaultCells()) {
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
