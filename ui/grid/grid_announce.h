#pragma once

#include <QString>

#include "ui/grid/grid_defs.h"

class CGridCtrl;

// What changes in a grid is told to a listening screen reader the way Qt's item views tell it.
// While nobody listens each of these costs one check of QAccessible::isActive().

// The focus cell moved while the grid has the keyboard focus: the screen reader speaks the cell.
void AnnounceFocusCell(CGridCtrl* grid);
// The grid has just taken the keyboard focus; Qt announces the grid itself afterwards, and the
// focus cell follows that.
void AnnounceFocusCellAfterFocusIn(CGridCtrl* grid);

// Announces the cell's new text when it goes out of scope, if the text did change by then.
class CCellTextAnnouncer {
public:
    CCellTextAnnouncer(CGridCtrl* grid, int row, int column);
    ~CCellTextAnnouncer();
    CCellTextAnnouncer(const CCellTextAnnouncer&) = delete;
    CCellTextAnnouncer& operator=(const CCellTextAnnouncer&) = delete;

private:
    CGridCtrl* m_grid;
    int m_row;
    int m_column;
    bool m_listening;
    QString m_oldText;
};

// Announces, when it goes out of scope, how the grid's shape changed since it was made: rows or
// columns added to or taken from the end of the body, or a new shape altogether.
class CGridShapeAnnouncer {
public:
    explicit CGridShapeAnnouncer(CGridCtrl* grid);
    ~CGridShapeAnnouncer();
    CGridShapeAnnouncer(const CGridShapeAnnouncer&) = delete;
    CGridShapeAnnouncer& operator=(const CGridShapeAnnouncer&) = delete;

private:
    CGridCtrl* m_grid;
    bool m_listening;
    GridCounts m_before;
};
