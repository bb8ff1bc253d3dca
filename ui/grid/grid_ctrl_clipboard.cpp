// Selection and the clipboard commands of the grid.
#include "ui/grid/grid_ctrl.h"

#include <QApplication>
#include <QClipboard>
#include <QStringList>

#include <algorithm>

#include "ui/grid/cell_editor.h"

namespace {

// Spreadsheets end the last line with a line break and may write "\r\n" or "\r"; none of that
// is cell text.
QStringList PastedLines(const QString& text)
{
    QString lines = text;
    lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    lines.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    if (lines.endsWith(QLatin1Char('\n')))
        lines.chop(1);
    return lines.split(QLatin1Char('\n'));
}

QStringList PastedFields(const QString& line)
{
    QStringList fields;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= line.size(); ++i) {
        if (i == line.size() || line[i] == QLatin1Char('\t') || line[i] == QLatin1Char(',')) {
            fields.append(line.mid(start, i - start).trimmed());
            start = i + 1;
        }
    }
    return fields;
}

} // namespace

void CGridCtrl::SelectRange(CellPos anchor, CellPos current)
{
    if (!m_selectionEnabled || !IsValid(anchor.row, anchor.column) || !IsValid(current.row, current.column))
        return;
    int left = std::min(anchor.column, current.column);
    int right = std::max(anchor.column, current.column);
    if (m_listMode) {
        left = m_fixedColumnCount;
        right = m_columnCount - 1;
    }
    QSet<uint32_t> cells = m_previousSelection;
    for (int row = std::min(anchor.row, current.row); row <= std::max(anchor.row, current.row); ++row)
        for (int column = left; column <= right; ++column)
            cells.insert(SelectionKey(row, column));
    ApplySelection(cells);
}

void CGridCtrl::ApplySelection(const QSet<uint32_t>& cells)
{
    const QSet<uint32_t> old = m_selectedCells;
    for (uint32_t key : old) {
        if (cells.contains(key))
            continue;
        const CellPos cell = SelectedCell(key);
        SetCellState(cell.row, cell.column, GetCellState(cell.row, cell.column) & ~GCS_SELECTED);
        InvalidateCellRect(cell.row, cell.column);
    }
    for (uint32_t key : cells) {
        if (old.contains(key))
            continue;
        const CellPos cell = SelectedCell(key);
        SetCellState(cell.row, cell.column, GetCellState(cell.row, cell.column) | GCS_SELECTED);
        InvalidateCellRect(cell.row, cell.column);
    }
}

bool CGridCtrl::SelectedRange(CellPos* topLeft, CellPos* bottomRight) const
{
    if (m_selectedCells.isEmpty())
        return false;
    *topLeft = CellPos{m_rowCount, m_columnCount};
    *bottomRight = CellPos{-1, -1};
    for (uint32_t key : m_selectedCells) {
        const CellPos cell = SelectedCell(key);
        topLeft->row = std::min(topLeft->row, cell.row);
        topLeft->column = std::min(topLeft->column, cell.column);
        bottomRight->row = std::max(bottomRight->row, cell.row);
        bottomRight->column = std::max(bottomRight->column, cell.column);
    }
    return true;
}

void CGridCtrl::OnFixedRowClick(CellPos cell)
{
    // A header selects its column, the corner the whole body.
    if (!m_selectionEnabled || m_rowCount <= m_fixedRowCount)
        return;
    m_mouseMode = MouseMode::SelectColumns;
    if (cell.column < m_fixedColumnCount)
        SelectRange(CellPos{m_fixedRowCount, m_fixedColumnCount}, CellPos{m_rowCount - 1, m_columnCount - 1});
    else
        SelectRange(CellPos{m_fixedRowCount, cell.column}, CellPos{m_rowCount - 1, cell.column});
}

void CGridCtrl::OnFixedColumnClick(CellPos cell)
{
    if (!m_selectionEnabled || m_columnCount <= m_fixedColumnCount)
        return;
    m_mouseMode = MouseMode::SelectRows;
    SelectRange(CellPos{cell.row, m_fixedColumnCount}, CellPos{cell.row, m_columnCount - 1});
}

bool CGridCtrl::CanCopy() const
{
    return !m_selectedCells.isEmpty();
}

bool CGridCtrl::CanCut() const
{
    return m_editable && !m_selectedCells.isEmpty();
}

bool CGridCtrl::CanPaste() const
{
    return IsCellEditable(m_focusCell.row, m_focusCell.column) && !QApplication::clipboard()->text().isEmpty();
}

bool CGridCtrl::CanSelectAll() const
{
    return m_selectionEnabled;
}

QString CGridCtrl::CreateClipboardData() const
{
    CellPos topLeft;
    CellPos bottomRight;
    if (!SelectedRange(&topLeft, &bottomRight))
        return QString();
    QString text;
    for (int row = topLeft.row; row <= bottomRight.row; ++row) {
        if (m_rowHeights[row] == 0)
            continue;
        QStringList fields;
        for (int column = topLeft.column; column <= bottomRight.column; ++column)
            if (m_columnWidths[column] > 0)
                fields.append(GetCellText(row, column));
        text += fields.join(QLatin1Char('\t')) + QLatin1Char('\n');
    }
    return text;
}

void CGridCtrl::OnEditCopy()
{
    if (CanCopy())
        QApplication::clipboard()->setText(CreateClipboardData());
}

void CGridCtrl::OnEditCut()
{
    if (!CanCut())
        return;
    OnEditCopy();
    ClearSelectedText();
}

void CGridCtrl::ClearSelectedText()
{
    if (!m_editable)
        return;
    const QSet<uint32_t> selected = m_selectedCells;
    for (uint32_t key : selected) {
        const CellPos cell = SelectedCell(key);
        ChangeCellText(cell.row, cell.column, QString());
    }
}

void CGridCtrl::OnEditPaste()
{
    if (!m_editable)
        return;
    CellPos target;
    CellPos bottomRight;
    if (!SelectedRange(&target, &bottomRight))
        target = m_focusCell;
    if (!IsValid(target.row, target.column))
        return;
    if (target == m_editCell) {
        if (CCellEditor* editor = GetEditor()) {
            editor->paste();
            return;
        }
    }
    PasteClipboardData(target, QApplication::clipboard()->text());
}

bool CGridCtrl::PasteClipboardData(CellPos target, const QString& text)
{
    if (!IsValid(target.row, target.column) || text.isEmpty())
        return false;
    // One repaint for the whole block instead of one per cell.
    const bool allowDraw = m_allowDraw;
    m_allowDraw = false;
    CellPos last = target;
    int row = target.row;
    for (const QString& line : PastedLines(text)) {
        while (row < m_rowCount && m_rowHeights[row] == 0)
            ++row;
        if (row >= m_rowCount)
            break;
        int column = target.column;
        for (const QString& field : PastedFields(line)) {
            while (column < m_columnCount && m_columnWidths[column] == 0)
                ++column;
            if (column >= m_columnCount)
                break;
            ChangeCellText(row, column, field);
            last = CellPos{std::max(last.row, row), std::max(last.column, column)};
            ++column;
        }
        ++row;
    }
    m_allowDraw = allowDraw;
    if (m_selectionEnabled) {
        m_previousSelection.clear();
        SelectRange(target, last);
    } else {
        ResetSelection();
    }
    Refresh();
    return true;
}

void CGridCtrl::OnEditSelectAll()
{
    if (!m_selectionEnabled || m_rowCount <= m_fixedRowCount || m_columnCount <= m_fixedColumnCount)
        return;
    Notify(GN_SELCHANGING, m_focusCell);
    m_previousSelection.clear();
    SelectRange(CellPos{m_fixedRowCount, m_fixedColumnCount}, CellPos{m_rowCount - 1, m_columnCount - 1});
    Notify(GN_SELCHANGED, m_focusCell);
}
