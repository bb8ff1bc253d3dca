#include "ui/grid/grid_axis.h"

#include <algorithm>
#include <cstdlib>

int GridAxis::Size(int index) const
{
    return index >= 0 && index < Count() ? m_sizes[index] : 0;
}

bool GridAxis::SetSize(int index, int size)
{
    if (index < 0 || index >= Count() || size < 0)
        return false;
    m_sizes[index] = size;
    return true;
}

void GridAxis::SetFixedCount(int count)
{
    m_fixedCount = std::clamp(count, 0, Count());
}

void GridAxis::Resize(int count, int size)
{
    m_sizes.resize(count, size);
    m_fixedCount = std::min(m_fixedCount, count);
}

int GridAxis::FixedExtent() const
{
    int extent = 0;
    for (int index = 0; index < m_fixedCount; ++index)
        extent += m_sizes[index];
    return extent;
}

int GridAxis::BodyExtent() const
{
    int extent = 0;
    for (int index = m_fixedCount; index < Count(); ++index)
        extent += m_sizes[index];
    return extent;
}

int GridAxis::Start(int index, int scroll) const
{
    const bool fixed = IsFixed(index);
    int position = fixed ? 0 : FixedExtent() - scroll;
    for (int before = fixed ? 0 : m_fixedCount; before < index && before < Count(); ++before)
        position += m_sizes[before];
    return position;
}

AxisSpan GridAxis::Span(int low, int high, bool fixed, int scroll) const
{
    const int first = fixed ? 0 : m_fixedCount;
    const int end = fixed ? m_fixedCount : Count();
    AxisSpan span;
    int position = fixed ? 0 : FixedExtent() - scroll;
    for (int index = first; index < end && position <= high; ++index) {
        const int next = position + m_sizes[index];
        if (next > low && m_sizes[index] > 0) {
            if (span.IsEmpty())
                span.first = index;
            span.last = index;
        }
        position = next;
    }
    return span;
}

int GridAxis::IndexAt(int position, int scroll) const
{
    const AxisSpan span = Span(position, position, position < FixedExtent(), scroll);
    return span.IsEmpty() ? -1 : span.first;
}

int GridAxis::DividerAt(int position, int scroll, int range) const
{
    int edge = 0;
    for (int index = 0; index < Count(); ++index) {
        if (index == m_fixedCount)
            edge -= scroll;
        edge += m_sizes[index];
        if (m_sizes[index] > 0 && std::abs(position - edge) <= range)
            return index;
    }
    return -1;
}

int GridAxis::NextShown(int index) const
{
    while (index < Count() && m_sizes[index] == 0)
        ++index;
    return index;
}

int GridAxis::BodyEdge(int position, bool after) const
{
    int edge = 0;
    for (int index = m_fixedCount; index < Count(); ++index) {
        const int next = edge + m_sizes[index];
        if (after ? edge >= position : next > position)
            break;
        edge = next;
    }
    return edge;
}

int GridAxis::RevealScroll(int index, int scroll, int room) const
{
    if (index < m_fixedCount || index >= Count())
        return scroll;
    int offset = 0;
    for (int before = m_fixedCount; before < index; ++before)
        offset += m_sizes[before];
    if (offset < scroll)
        return offset;
    if (offset + m_sizes[index] <= scroll + room)
        return scroll;
    const int needed = offset + m_sizes[index] - room;
    int edge = 0;
    for (int before = m_fixedCount; before < index && edge < needed; ++before)
        edge += m_sizes[before];
    return std::min(edge, offset);
}
