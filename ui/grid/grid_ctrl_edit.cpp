// Editing in place: opening the editor on a cell, taking its text through the owner's
// confirmation, and going on from cell to cell.
#include "ui/grid/grid_ctrl.h"

#include "ui/grid/cell_editor.h"
#include "ui/grid/grid_announce.h"

bool CGridCtrl::OpenCellEditor(int row, int column, int firstKey)
{
    HideTitleTip();
    if (!IsCellEditable(row, column))
        return false;
    EnsureVisible(row, column);
    QRect rect;
    if (!IsCellVisible(row, column) || !GetCellRect(row, column, &rect) || rect.isEmpty())
        return false;
    if (Notify(GN_BEGINEDIT, CellPos{row, column}) < 0)
        return false;
    const CellPos cell{row, column};
    if (m_editCell.IsValid() && m_editCell != cell)
        EndEditing();
    m_editCell = cell;
    return GetCell(row, column)->Edit(row, column, rect, firstKey);
}

void CGridCtrl::EndEditing()
{
    if (CGridCellBase* cell = GetCell(m_editCell.row, m_editCell.column))
        cell->EndEdit();
}

CCellEditor* CGridCtrl::GetEditor() const
{
    const CGridCellBase* cell = GetCell(m_editCell.row, m_editCell.column);
    return cell ? cell->GetEditor() : nullptr;
}

void CGridCtrl::OnEditorClosed(int row, int column, const QString& text, int lastKey)
{
    if (m_editCell == CellPos{row, column})
        m_editCell = CellPos();
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return;
    TakeEditedText(row, column, text);
    cell->OnEndEdit();
    if (!ContinuesEditing(lastKey))
        return;
    HandleKey(lastKey, Qt::NoModifier);
    if (m_focusCell.IsValid())
        OpenCellEditor(m_focusCell.row, m_focusCell.column, lastKey);
}

bool CGridCtrl::TakeEditedText(int row, int column, const QString& text)
{
    CGridCellBase* cell = GetCell(row, column);
    if (!cell)
        return false;
    const QString old = cell->GetText();
    if (text == old)
        return true;
    const CCellTextAnnouncer announcer(this, row, column);
    cell->SetText(text);
    if (!ValidateEdit(row, column, text) || Notify(GN_ENDEDIT, CellPos{row, column}) < 0) {
        cell->SetText(old);
        RedrawCell(row, column);
        return false;
    }
    SetModified(true, row, column);
    RedrawCell(row, column);
    return true;
}

bool CGridCtrl::ValidateEdit(int row, int column, const QString& text)
{
    CGridCellBase* cell = GetCell(row, column);
    return cell && cell->ValidateEdit(text);
}

bool CGridCtrl::ChangeCellText(int row, int column, const QString& text)
{
    if (!IsCellEditable(row, column) || Notify(GN_BEGINEDIT, CellPos{row, column}) < 0)
        return false;
    return TakeEditedText(row, column, text);
}
