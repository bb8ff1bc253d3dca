#include "ui/grid/grid_cell.h"

#include <QApplication>
#include <QFontMetrics>

#include "ui/grid/cell_editor.h"
#include "ui/grid/grid_ctrl.h"

CGridCell::CGridCell(const CGridCell& other)
    : CGridCellBase(other)
{
    *this = other;
}

CGridCell& CGridCell::operator=(const CGridCell& other)
{
    CGridCellBase::operator=(other);
    return *this;
}

namespace {

uint32_t NextFontStamp()
{
    static uint32_t stamp = 0;
    return ++stamp;
}

} // namespace

void CGridCell::SetText(const QString& text)
{
    m_text = text;
    m_shownWidth = -1;
}

void CGridCell::SetFont(const QFont* font)
{
    if (font)
        m_font = std::make_unique<QFont>(*font);
    else
        m_font.reset();
    m_fontStamp = NextFontStamp();
}

uint32_t CGridCell::GetFontStamp() const
{
    if (m_font)
        return m_fontStamp;
    const CGridDefaultCell* fallback = Fallback();
    return fallback ? fallback->GetFontStamp() : 0;
}

ShownText CGridCell::GetShownText(const QFontMetrics& metrics, int width, bool ellipsis) const
{
    const uint32_t stamp = GetFontStamp();
    if (m_shownWidth != width || m_shownEllipsis != ellipsis || m_shownStamp != stamp) {
        m_shown = FitText(m_text, metrics, width, ellipsis);
        m_shownWidth = width;
        m_shownEllipsis = ellipsis;
        m_shownStamp = stamp;
    }
    return m_shown;
}

const CGridDefaultCell* CGridCell::Fallback() const
{
    const CGridDefaultCell* fallback = GetDefaultCell();
    return fallback == this ? nullptr : fallback;
}

uint32_t CGridCell::GetFormat() const
{
    const CGridDefaultCell* fallback = Fallback();
    if (m_format == kFormatUnset && fallback)
        return fallback->GetFormat();
    return m_format;
}

const QFont& CGridCell::GetFont() const
{
    if (m_font)
        return *m_font;
    if (const CGridDefaultCell* fallback = Fallback())
        return fallback->GetFont();
    static const QFont applicationFont = QApplication::font();
    return applicationFont;
}

int CGridCell::GetMargin() const
{
    const CGridDefaultCell* fallback = Fallback();
    if (m_margin < 0 && fallback)
        return fallback->GetMargin();
    return m_margin;
}

void CGridCell::Reset()
{
    CGridCellBase::Reset();
    SetText(QString());
    m_format = kFormatUnset;
    m_textColour = CLR_DEFAULT;
    m_backColour = CLR_DEFAULT;
    SetFont(nullptr);
    m_margin = -1;
}

bool CGridCell::Edit(int row, int column, const QRect& rect, int firstKey)
{
    if (m_editor) {
        m_editor->TypeKey(firstKey);
        return true;
    }
    if (!m_grid)
        return false;
    m_editor = new CCellEditor(m_grid, row, column, rect, GetFormat(), m_text, firstKey);
    return true;
}

CCellEditor* CGridCell::GetEditor() const { return m_editor.data(); }

bool CGridCell::IsEditing() const { return !m_editor.isNull(); }

void CGridCell::EndEdit()
{
    if (m_editor)
        m_editor->EndEdit();
}

void CGridCell::OnEndEdit()
{
    m_editor = nullptr;
}

CGridDefaultCell::CGridDefaultCell()
{
    CGridCell::SetFormat(DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    // Measured when the grid gives it the grid's own font, which the grid does at once: measuring
    // the message font first would lay out text, at the program's start, in a font never shown.
    const QFont messageFont = QApplication::font("QMessageBox");
    CGridCell::SetFont(&messageFont);
}

void CGridDefaultCell::SetFont(const QFont* font)
{
    CGridCell::SetFont(font);
    if (!font)
        return;
    // The sizes come from a sample of fourteen characters, so that a column holds about a
    // dozen digits, and rows get half a line of air.
    const QFontMetrics metrics(*font);
    const QString sample = QStringLiteral(" XXXXXXXXXXXX ");
    SetMargin(metrics.horizontalAdvance(QLatin1Char(' ')));
    m_width = metrics.horizontalAdvance(sample);
    m_height = metrics.height() * 3 / 2;
}
