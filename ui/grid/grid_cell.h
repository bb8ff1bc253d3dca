#pragma once

#include <QFont>
#include <QPointer>
#include <QString>

#include <memory>

#include "ui/grid/grid_cell_base.h"

// The cell the grid creates for every position: text, format, colours, font and margin, each
// of the last four able to defer to the default cell.
class CGridCell : public CGridCellBase {
public:
    CGridCell() = default;
    CGridCell(const CGridCell& other);
    CGridCell& operator=(const CGridCell& other);

    void SetText(const QString& text) override;
    void SetFormat(uint32_t format) override { m_format = format; }
    void SetTextColor(COLORREF colour) override { m_textColour = colour; }
    void SetBackColor(COLORREF colour) override { m_backColour = colour; }
    void SetFont(const QFont* font) override;
    void SetMargin(int margin) override { m_margin = margin; }
    void SetGrid(CGridCtrl* grid) override { m_grid = grid; }

    QString GetText() const override { return m_text; }
    // The cell's own format, else the default cell's.
    uint32_t GetFormat() const override;
    // The stored colours, CLR_DEFAULT included: the fallback is made when drawing.
    COLORREF GetTextColor() const override { return m_textColour; }
    COLORREF GetBackColor() const override { return m_backColour; }
    const QFont& GetFont() const override;
    CGridCtrl* GetGrid() const override { return m_grid; }
    CCellEditor* GetEditor() const override;
    int GetMargin() const override;

    bool IsDefaultFont() const override { return !m_font; }
    // Remembered between paints until the text, the font or the width changes: fitting a text
    // costs as much as drawing it.
    ShownText GetShownText(const QFontMetrics& metrics, int width, bool ellipsis) const override;
    // Changes whenever the font the cell draws with is replaced.
    uint32_t GetFontStamp() const;
    // While the cell's editor is open.
    bool IsEditing() const override;

    void Reset() override;

    bool Edit(int row, int column, const QRect& rect, int firstKey) override;
    void EndEdit() override;
    void OnEndEdit() override;

private:
    // The default cell when the cell defers to one; nullptr for a default cell itself.
    const CGridDefaultCell* Fallback() const;

    QString m_text;
    uint32_t m_format = kFormatUnset;
    COLORREF m_textColour = CLR_DEFAULT;
    COLORREF m_backColour = CLR_DEFAULT;
    std::unique_ptr<QFont> m_font;
    uint32_t m_fontStamp = 0;
    // The last fitted text and what it was fitted to; a width of -1 means none.
    mutable ShownText m_shown;
    mutable int m_shownWidth = -1;
    mutable bool m_shownEllipsis = false;
    mutable uint32_t m_shownStamp = 0;
    int m_margin = -1;
    CGridCtrl* m_grid = nullptr;
    // The open editor; it deletes itself when it closes.
    QPointer<CCellEditor> m_editor;
};

// One of the grid's four model cells: its colours, format, font and margin are what the cells
// in its part of the grid show unless they have their own, and its size is what new rows and
// columns get.
class CGridDefaultCell : public CGridCell {
public:
    CGridDefaultCell();

    // Also sets the margin and the size from the font.
    void SetFont(const QFont* font) override;
    const CGridDefaultCell* GetDefaultCell() const override { return this; }

    int GetWidth() const { return m_width; }
    int GetHeight() const { return m_height; }
    void SetWidth(int width) { m_width = width; }
    void SetHeight(int height) { m_height = height; }

private:
    int m_width = 30;
    int m_height = 10;
};
