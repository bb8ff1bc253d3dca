#pragma once

#include <vector>

// The rows and columns of a grid met in a band of pixels: the first and the last index, or an
// empty span.
struct AxisSpan {
    int first = 0;
    int last = -1;

    bool IsEmpty() const { return first > last; }
};

// One direction of a grid: the heights of its rows or the widths of its columns, of which the
// first FixedCount() stay in place while the rest (the body) scrolls. A size of 0 hides a row
// or column. Positions are pixels from the grid's leading edge; `scroll` is how far the body
// has been scrolled. The grid keeps one axis for its rows and one for its columns.
class GridAxis {
public:
    int Count() const { return int(m_sizes.size()); }
    int FixedCount() const { return m_fixedCount; }
    // Sizes outside the axis read as 0.
    int Size(int index) const;
    const std::vector<int>& Sizes() const { return m_sizes; }
    bool IsFixed(int index) const { return index >= 0 && index < m_fixedCount; }

    bool SetSize(int index, int size);
    // The fixed count is kept within the count.
    void SetFixedCount(int count);
    // Makes room for `count` without changing anything else; throws std::bad_alloc when memory
    // runs out, so that a caller can prepare a growth before committing any part of it.
    void Reserve(int count) { m_sizes.reserve(count); }
    // New rows or columns get `size`; after Reserve(count) this cannot fail.
    void Resize(int count, int size);

    int FixedExtent() const;
    int BodyExtent() const;
    // Where the index's leading edge stands: fixed ones from 0, body ones after the fixed band
    // and moved back by the scroll.
    int Start(int index, int scroll) const;
    // The shown (not hidden) rows or columns of the fixed band or of the body that meet the
    // pixels from low to high.
    AxisSpan Span(int low, int high, bool fixed, int scroll) const;
    // The row or column under a pixel, the fixed band first; -1 past the last one.
    int IndexAt(int position, int scroll) const;
    // The row or column whose trailing edge lies within `range` pixels of the position.
    int DividerAt(int position, int scroll, int range) const;
    // The first shown index from `index` on; Count() when there is none.
    int NextShown(int index) const;

    // The edge between two body rows (columns) nearest to a scroll position: at or before it,
    // or at or after it. Scrolling to edges keeps a whole row (column) at the body's start.
    int BodyEdge(int position, bool after) const;
    // The scroll position, among body edges, that shows the whole body index within `room`
    // pixels, as far as it fits, moving as little as possible from `scroll`.
    int RevealScroll(int index, int scroll, int room) const;

private:
    std::vector<int> m_sizes;
    int m_fixedCount = 0;
};
