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

// A spreadsheet separates the fields of a line with tabs, and then a comma belongs to the text
// (a decimal comma: "1,5"); only text without a tab is taken as separated by commas.
QChar FieldSeparator(const QString& text)
{
    return text.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
}

QStringList PastedFields(QStringView line, QChar separator)
{
    QStringList fields;
    qsizetype start = 0;
    while (true) {
        const qsizetype end = line.indexOf(separator, start);
        fields.append(line.sliced(start, (end < 0 ? line.size() : end) - start).trimmed().toString());
        if (end < 0)
            return fields;
        start = end + 1;
    }
}

} // namespace

void CGridCtrl::SelectRange(CellPos anchor, CellPos current)
{
    if (!m_selectionEnabled || !IsValid(anchor.row, anchor.column) || !IsValid(current.row, current.column))
        return;
    int left = std::min(anchor.column, current.column);
    int right = std::max(anchor.column, current.column);
    if (m_listMode) {
        left = GetFixedColumnCount();
        right = GetColumnCount() - 1;
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
    *topLeft = CellPos{GetRowCount(), GetColumnCount()};
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
        if (m_rows.Size(row) == 0)
            continue;
        QStringList fields;
        for (int column = topLeft.column; column <= bottomRight.column; ++column)
            if (m_columns.Size(column) > 0)
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

std::vector<int> CGridCtrl::PastedColumns(int row, int targetColumn, int fieldCount) const
{
    std::vector<int> shown;
    std::vector<int> typed;
    for (int column = m_columns.NextShown(targetColumn); column < GetColumnCount();
         column = m_columns.NextShown(column + 1)) {
        shown.push_back(column);
        if (IsCellEditable(row, column))
            typed.push_back(column);
    }
    const bool rowStart = !shown.empty() && shown.front() == m_columns.NextShown(GetFixedColumnCount());
    if (rowStart && fieldCount == int(typed.size()))
        return typed;
    shown.resize(std::min<size_t>(shown.size(), size_t(std::max(fieldCount, 0))));
    return shown;
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
    const QChar separator = FieldSeparator(text);
    for (const QString& line : PastedLines(text)) {
        row = m_rows.NextShown(row);
        if (row >= GetRowCount())
            break;
        const QStringList fields = PastedFields(line, separator);
        const std::vector<int> columns = PastedColumns(row, target.column, int(fields.size()));
        for (size_t field = 0; field < columns.size(); ++field) {
            ChangeCellText(row, columns[field], fields[qsizetype(field)]);
            last = CellPos{std::max(last.row, row), std::max(last.column, columns[field])};
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
    if (!m_selectionEnabled || GetRowCount() <= GetFixedRowCount() || GetColumnCount() <= GetFixedColumnCount())
        return;
    Notify(GN_SELCHANGING, m_focusCell);
    m_previousSelection.clear();
    SelectRange(CellPos{GetFixedRowCount(), GetFixedColumnCount()}, CellPos{GetRowCount() - 1, GetColumnCount() - 1});
    Notify(GN_SELCHANGED, m_focusCell);
}
