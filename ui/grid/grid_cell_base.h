#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

#include "platform/colorref.h"
#include "ui/grid/grid_defs.h"

class CCellEditor;
class CGridCtrl;
class CGridDefaultCell;
class QFontMetrics;
class QPainter;

// What of a text one line shows: the whole text when it fits (or when it may overflow), else
// its start followed by an ellipsis; and the shown part's width.
struct ShownText {
    QString text;
    int width = 0;
};

// Fits a text into a line `width` pixels wide. Reads no more of the text than such a line can
// hold, so that the cost does not grow with the text's length.
ShownText FitText(const QString& text, const QFontMetrics& metrics, int width, bool ellipsis);

// The abstract cell: it keeps the state word and knows how a cell is drawn, measured and
// edited; what a cell stores is left to the derived classes.
class CGridCellBase {
public:
    CGridCellBase() = default;
    CGridCellBase(const CGridCellBase&) = default;
    virtual ~CGridCellBase() = default;

    // Copies grid, text, state, format, colours, the font unless it is the default one, margin.
    CGridCellBase& operator=(const CGridCellBase& other);

    virtual void SetText(const QString& text) = 0;
    virtual void SetState(uint32_t state) { m_state = state; }
    virtual void SetFormat(uint32_t format) = 0;
    virtual void SetTextColor(COLORREF colour) = 0;
    virtual void SetBackColor(COLORREF colour) = 0;
    // nullptr returns the cell to its default cell's font.
    virtual void SetFont(const QFont* font) = 0;
    virtual void SetMargin(int margin) = 0;
    virtual void SetGrid(CGridCtrl* grid) = 0;

    virtual QString GetText() const = 0;
    virtual QString GetTipText() const { return GetText(); }
    virtual uint32_t GetState() const { return m_state; }
    virtual uint32_t GetFormat() const = 0;
    virtual COLORREF GetTextColor() const = 0;
    virtual COLORREF GetBackColor() const = 0;
    virtual const QFont& GetFont() const = 0;
    virtual CGridCtrl* GetGrid() const = 0;
    virtual CCellEditor* GetEditor() const = 0;
    virtual int GetMargin() const = 0;
    // The default cell that matches the cell's fixed-row and fixed-column bits.
    virtual const CGridDefaultCell* GetDefaultCell() const;

    virtual bool IsDefaultFont() const = 0;
    virtual bool IsEditing() const = 0;
    bool IsFocused() const { return m_state & GCS_FOCUSED; }
    bool IsFixed() const { return m_state & GCS_FIXED; }
    bool IsFixedCol() const { return m_state & GCS_FIXEDCOL; }
    bool IsFixedRow() const { return m_state & GCS_FIXEDROW; }
    bool IsSelected() const { return m_state & GCS_SELECTED; }
    bool IsReadOnly() const { return m_state & GCS_READONLY; }
    bool IsModified() const { return m_state & GCS_MODIFIED; }
    bool IsDropHighlighted() const { return m_state & GCS_DROPHILITED; }

    // Back to a freshly created cell: no text, default colours, format, font and margin.
    virtual void Reset();

    // Paints the cell into rect (its rectangle without the grid lines).
    virtual void Draw(QPainter& painter, int row, int column, const QRect& rect) const;
    // The part of the cell's rectangle that holds its text; no cell here shows an image.
    virtual QRect GetTextRect(const QRect& cellRect) const { return cellRect; }
    virtual QRect GetTipTextRect(const QRect& cellRect) const { return GetTextRect(cellRect); }
    virtual QSize GetTextExtent(const QString& text) const;
    // What of the cell's text a line `width` pixels wide shows in the font of the metrics.
    virtual ShownText GetShownText(const QFontMetrics& metrics, int width, bool ellipsis) const;
    // The size the cell needs to show its whole text with its margins.
    virtual QSize GetCellExtent() const;

    // Opens an in-place editor over rect, or gives the key to the editor already open;
    // firstKey is a CellKeyMouse-style key (see cell_editor.h).
    virtual bool Edit(int, int, const QRect&, int) { return false; }
    virtual bool ValidateEdit(const QString&) { return true; }
    // Ends an open editor, which then reports its text to the grid.
    virtual void EndEdit() {}
    // The editor has gone: the cell is no longer being edited.
    virtual void OnEndEdit() {}

    // Hooks for cell types that react to the mouse; plain cells do nothing.
    virtual void OnMouseOver() {}
    virtual void OnClick(QPoint) {}
    virtual void OnClickDown(QPoint) {}
    virtual void OnRClick(QPoint) {}
    virtual void OnDblClick(QPoint) {}

private:
    void DrawFixedEdge(QPainter& painter, int row, int column, const QRect& rect) const;
    void DrawText(QPainter& painter, const QRect& rect, const QColor& colour) const;

    uint32_t m_state = 0;
};
