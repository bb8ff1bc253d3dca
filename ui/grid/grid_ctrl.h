#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QColor>
#include <QPoint>
#include <QPointer>
#include <QSet>
#include <QString>

#include <memory>
#include <vector>

#include "platform/colorref.h"
#include "ui/grid/cell_tip.h"
#include "ui/grid/grid_axis.h"
#include "ui/grid/grid_cell.h"
#include "ui/grid/grid_defs.h"
#include "ui/grid/grid_model.h"
#include "ui/grid/grid_navigation.h"

class CCellEditor;
class QRubberBand;
class QScrollBar;

// The table widget of every matrix in the program: fixed header rows at the top and fixed
// columns at the left that stay in place, and a scrolling body of cells. The grid owns its
// cells; callers address them by row and column and get false, "" or 0 for invalid ones.
// By itself it edits cells in place, moves the focus cell by keyboard and mouse, scrolls,
// shows the whole text of clipped cells in a tip and answers the clipboard keys. Enter and
// Escape are left to the dialog while no editor is open.
class CGridCtrl : public QAbstractScrollArea {
    Q_OBJECT

public:
    enum class GridLines { None, Horizontal, Vertical, Both };

    explicit CGridCtrl(QWidget* parent = nullptr);
    CGridCtrl(int rows, int columns, int fixedRows, int fixedColumns, QWidget* parent = nullptr);
    ~CGridCtrl() override;

    // The owner's answer to the GN_ and NM_ notifications; without one every answer is 0.
    // Closing a window ends an open edit, which notifies: an owner that dies before its grid
    // (a dialog whose child the grid is) clears the handler in its destructor.
    void SetNotifyHandler(GridNotifyHandler handler) { m_notify = std::move(handler); }

    bool SetRowCount(int count);
    bool SetColumnCount(int count);
    bool SetFixedRowCount(int count);
    bool SetFixedColumnCount(int count);
    int GetRowCount() const { return m_rows.Count(); }
    int GetColumnCount() const { return m_columns.Count(); }
    int GetFixedRowCount() const { return m_rows.FixedCount(); }
    int GetFixedColumnCount() const { return m_columns.FixedCount(); }
    // Destroys every cell and leaves an empty grid; does not repaint.
    bool DeleteAllCells();

    bool SetRowHeight(int row, int height);
    bool SetColumnWidth(int column, int width);
    int GetRowHeight(int row) const { return m_rows.Size(row); }
    int GetColumnWidth(int column) const { return m_columns.Size(column); }

    bool IsValid(int row, int column) const { return m_model.IsValid(row, column); }
    CGridCellBase* GetCell(int row, int column) const { return m_model.Cell(row, column); }
    // The default cell for ordinary cells, fixed-column, fixed-row or corner cells.
    CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedColumn)
    {
        return &m_model.DefaultCell(fixedRow, fixedColumn);
    }
    const CGridDefaultCell* GetDefaultCell(bool fixedRow, bool fixedColumn) const
    {
        return &m_model.DefaultCell(fixedRow, fixedColumn);
    }

    // Cell setters change the model only: the caller repaints after a batch of changes.
    bool SetCellText(int row, int column, const QString& text);
    QString GetCellText(int row, int column) const;
    bool SetCellState(int row, int column, uint32_t state);
    uint32_t GetCellState(int row, int column) const;
    bool SetCellBackColor(int row, int column, COLORREF colour);
    COLORREF GetCellBackColor(int row, int column) const;
    bool SetCellTextColor(int row, int column, COLORREF colour);
    COLORREF GetCellTextColor(int row, int column) const;

    // A focus cell in a fixed row or column is moved into the body; returns the previous one.
    CellPos SetFocusCell(int row, int column);
    CellPos GetFocusCell() const { return m_focusCell; }
    // Empties the selection and clears the focus cell.
    void ResetSelection();
    void EnableSelection(bool enable);
    bool IsSelectable() const { return m_selectionEnabled; }

    void SetEditable(bool editable) { m_editable = editable; }
    bool IsEditable() const { return m_editable; }
    void SetRowResize(bool allow) { m_rowResize = allow; }
    void SetColumnResize(bool allow) { m_columnResize = allow; }
    bool GetRowResize() const { return m_rowResize; }
    bool GetColumnResize() const { return m_columnResize; }
    void SetGridLines(GridLines lines);
    GridLines GetGridLines() const { return m_gridLines; }
    void SetListMode(bool listMode) { m_listMode = listMode; }
    void SetHandleTabKey(bool handle) { m_handleTab = handle; }
    void EnableTitleTips(bool enable) { m_titleTips = enable; }
    void SetTrackFocusCell(bool track) { m_trackFocusCell = track; }
    bool GetTrackFocusCell() const { return m_trackFocusCell; }
    void SetFrameFocusCell(bool frame) { m_frameFocus = frame; }
    bool GetFrameFocusCell() const { return m_frameFocus; }
    // While drawing is not allowed the grid neither paints nor asks for repaints.
    void SetRedraw(bool allowDraw);
    void SetGridBkColor(COLORREF colour) { m_gridBackColour = colour; }
    COLORREF GetGridBkColor() const { return m_gridBackColour; }
    void SetGridLineColor(COLORREF colour) { m_gridLineColour = colour; }
    COLORREF GetGridLineColor() const { return m_gridLineColour; }

    bool IsCellEditable(int row, int column) const;
    bool IsCellSelected(int row, int column) const;
    // True when some part of the cell shows in the viewport.
    bool IsCellVisible(int row, int column) const;
    // The cell's rectangle in viewport coordinates, without its grid lines.
    bool GetCellRect(int row, int column, QRect* rect) const;
    // The cell under a viewport point, fixed cells included; (-1, -1) outside the cells.
    CellPos GetCellFromPoint(const QPoint& point) const;
    // Scrolls the body until the whole cell shows, as far as it fits.
    void EnsureVisible(int row, int column);
    // One direction only: the other keeps its scroll.
    void EnsureRowVisible(int row);
    void EnsureColumnVisible(int column);
    bool RedrawCell(int row, int column);
    bool InvalidateCellRect(int row, int column);
    void Refresh();

    // With a negative row or column this is the grid-wide flag; clearing that clears the
    // modified bit of every cell.
    void SetModified(bool modified = true, int row = -1, int column = -1);
    bool GetModified() const { return m_modified; }

    void SetAllowRowHide(bool allow) { m_allowRowHide = allow; }
    void SetAllowColumnHide(bool allow) { m_allowColumnHide = allow; }
    void SetTitleTipColors(COLORREF backColour, COLORREF textColour);

    // Opens an editor on an editable, visible cell unless the owner refuses GN_BEGINEDIT;
    // firstKey is a CellKeyMouse-style key (see cell_editor.h).
    virtual bool OpenCellEditor(int row, int column, int firstKey);
    // Ends an open editor, which stores its text through the change protocol.
    virtual void EndEditing();
    CCellEditor* GetEditor() const;
    // The title tip, once one was needed.
    CCellTip* GetTitleTip() const { return m_tip.data(); }
    // Called by the editor when it has closed: stores the text and, after Tab, an arrow or a
    // page key, moves on and opens the next editor.
    void OnEditorClosed(int row, int column, const QString& text, int lastKey);

    // Clipboard and selection commands, and whether each is available now.
    void OnEditCut();
    void OnEditCopy();
    void OnEditPaste();
    void OnEditSelectAll();
    bool CanCut() const;
    bool CanCopy() const;
    bool CanPaste() const;
    bool CanSelectAll() const;
    // Sets every selected editable cell to "" through the change protocol.
    virtual void ClearSelectedText();
    // The selected cells as text: tabs between cells, "\n" after each row.
    virtual QString CreateClipboardData() const;
    // Spreads text over the cells from target on: lines to rows, fields to columns; what falls
    // outside the grid is dropped. Fields are separated by tabs, or by commas in text without a tab.
    // A line pasted at the start of a row with one field per cell that takes typing fills those
    // cells, passing over the read-only ones (a spreadsheet row holds no sign column).
    virtual bool PasteClipboardData(CellPos target, const QString& text);

signals:
    // A left-button release after a press on a cell, delivered after the release is handled.
    void clicked();

protected:
    virtual CGridCellBase* CreateCell(int row, int column);
    virtual void DestroyCell(int row, int column);
    virtual void OnFixedRowClick(CellPos cell);
    virtual void OnFixedColumnClick(CellPos cell);
    // Sets the cell's text as typed and has the owner confirm it; false puts the old one back.
    virtual bool TakeEditedText(int row, int column, const QString& text);
    virtual bool ValidateEdit(int row, int column, const QString& text);

    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    bool viewportEvent(QEvent* event) override;

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void changeEvent(QEvent* event) override;

private:
    // What a held left button is doing; cells are not dragged out of the grid, so a drag
    // gesture never goes beyond PrepareDrag.
    enum class MouseMode {
        Idle,
        SelectColumns,
        SelectRows,
        SelectCells,
        OverRowDivider,
        SizingRow,
        OverColumnDivider,
        SizingColumn,
        PrepareEdit,
        PrepareDrag
    };

    // The mouse gesture in progress, from the press of the left button to its release.
    struct MouseGesture {
        MouseMode mode = MouseMode::Idle;
        bool leftButtonDown = false;
        QPoint pressPoint;
        QPoint lastPoint;
        CellPos pressCell;
        // The row or column whose divider is being dragged.
        int sizingIndex = -1;
    };

    // Rows are the vertical axis, columns the horizontal one.
    GridAxis& Axis(Qt::Orientation orientation) { return orientation == Qt::Vertical ? m_rows : m_columns; }
    const GridAxis& Axis(Qt::Orientation orientation) const
    {
        return orientation == Qt::Vertical ? m_rows : m_columns;
    }
    QScrollBar* ScrollBar(Qt::Orientation orientation) const;
    int Scroll(Qt::Orientation orientation) const;

    // Shape: the row or column count of one direction, and which cells are fixed.
    bool SetCount(Qt::Orientation orientation, int count);
    bool Grow(Qt::Orientation orientation, int count);
    void Shrink(Qt::Orientation orientation, int count);
    bool SetFixedCount(Qt::Orientation orientation, int count);
    void MarkFixed(CGridCellBase* cell, bool fixedRow, bool fixedColumn);
    // CreateCell's cell; one that could not be made counts as memory run out.
    CGridCellBase* MakeCell(int row, int column);

    // Keyboard.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    void MoveFocusByKey(CellPos next, int key, Qt::KeyboardModifiers modifiers);
    CellPos PageTarget(bool down);
    bool HandleShortcut(QKeyEvent* event);
    void OnTypedCharacter(QKeyEvent* event);
    GridShape Shape() const;

    // Mouse.
    void OnLeftButtonDown(QMouseEvent* event);
    void FocusPressedCell(bool ctrl);
    void OnLeftButtonUp(QMouseEvent* event);
    void OnRightButtonUp(QMouseEvent* event);
    // The row (column) whose divider is under the point, in the fixed column (row) band.
    int DividerAt(Qt::Orientation orientation, const QPoint& point) const;
    void UpdateDividerCursor(const QPoint& point);
    void StartSizing();
    void FinishSizing(const QPoint& point);
    void AutoSize(Qt::Orientation orientation, int index);
    void OfferTitleTip(CellPos cell);
    void HideTitleTip();
    void OnAutoScroll();

    // Selection (off in every dialog of the program). The selected set is keyed by the row in
    // the low and the column in the high 16 bits.
    static uint32_t SelectionKey(int row, int column);
    static CellPos SelectedCell(uint32_t key);
    void SelectRange(CellPos anchor, CellPos current);
    void ApplySelection(const QSet<uint32_t>& cells);
    bool SelectedRange(CellPos* topLeft, CellPos* bottomRight) const;
    // The change protocol of a paste or a clear: GN_BEGINEDIT, then TakeEditedText.
    bool ChangeCellText(int row, int column, const QString& text);
    // The columns that a pasted line's fields go to in a row, from targetColumn on: one per shown
    // column, or only the cells that take typing when the line is a whole row of those.
    std::vector<int> PastedColumns(int row, int targetColumn, int fieldCount) const;

    void ApplyFont(const QFont& font);
    void ReadSystemColours();
    void OnSystemColoursChanged();
    void ResetCellColours(CGridCellBase* cell);
    int Notify(int code, CellPos cell) const;

    // Geometry: the fixed bands and the position of every row and column on screen.
    int FixedWidth() const { return m_columns.FixedExtent(); }
    int FixedHeight() const { return m_rows.FixedExtent(); }
    int ColumnLeft(int column) const { return m_columns.Start(column, Scroll(Qt::Horizontal)); }
    int RowTop(int row) const { return m_rows.Start(row, Scroll(Qt::Vertical)); }
    CellPos GetTopLeftNonFixedCell() const;
    void ResetScrollBars();
    void ResetScrollBar(Qt::Orientation orientation, int room);
    void OnScrollAction(Qt::Orientation orientation, int action);
    void ScrollLines(Qt::Orientation orientation, int lines);

    // Painting.
    void PaintBand(QPainter& painter, const QRect& area, bool fixedRows, bool fixedColumns) const;
    void PaintCell(QPainter& painter, int row, int column, const QRect& rect) const;
    void PaintOutside(QPainter& painter, const QRect& exposed) const;
    void UpdateFixedCellsOf(CellPos cell);

    GridAxis m_rows;
    GridAxis m_columns;
    CGridModel m_model;

    CellPos m_focusCell;
    mutable CellPos m_topLeft;
    QSet<uint32_t> m_selectedCells;
    QSet<uint32_t> m_previousSelection;
    CellPos m_selectionAnchor;
    CellPos m_editCell;

    MouseGesture m_mouse;
    QBasicTimer m_autoScrollTimer;
    QRubberBand* m_trackingLine = nullptr;
    QPointer<CCellTip> m_tip;
    int m_wheelLines = 3;

    COLORREF m_windowTextColour = 0;
    COLORREF m_windowColour = 0;
    COLORREF m_faceColour = 0;
    COLORREF m_shadowColour = 0;
    COLORREF m_gridBackColour = 0;
    COLORREF m_gridLineColour = RGB(192, 192, 192);
    COLORREF m_tipTextColour = CLR_DEFAULT;
    COLORREF m_tipBackColour = CLR_DEFAULT;

    bool m_editable = true;
    bool m_selectionEnabled = true;
    bool m_rowResize = true;
    bool m_columnResize = true;
    GridLines m_gridLines = GridLines::Both;
    bool m_listMode = false;
    bool m_handleTab = true;
    bool m_titleTips = true;
    bool m_trackFocusCell = true;
    bool m_frameFocus = true;
    bool m_allowDraw = true;
    bool m_modified = false;
    bool m_allowRowHide = true;
    bool m_allowColumnHide = true;

    GridNotifyHandler m_notify;
};
