#pragma once

#include <QStringList>

#include <vector>

#include "core/problem.h"
#include "core/solution.h"
#include "platform/template_dialog.h"

class CGridCtrl;
class QLabel;

// "Решение программы": the program's own solution, shown once a run has ended. Every table from
// the first to the last, titled as the run titles its tables, the key column and the key element
// of each step marked as the run marks the student's choice, and the answer under the last table.
// The grids look and read as the table window's do, to the eye and to a screen reader; nothing in
// the window can be changed.
class CSolutionDlg : public TemplateDialog {
    Q_OBJECT

public:
    // `problem` gives the titles: the function's name and the sense.
    CSolutionDlg(const Solution& solution, const Problem& problem, DisplayMode mode, int columnWidth,
                 QWidget* parent = nullptr);

    static const DialogTemplate& Template();

    // The tables' grids and their titles, top down, and the answer.
    const std::vector<CGridCtrl*>& Grids() const { return grids; }
    QStringList Titles() const;
    QString Answer() const;

private:
    void AddTable(QWidget& sheet, const TableView& table, const QString& title, DisplayMode mode, int columnWidth);

    std::vector<CGridCtrl*> grids;
    std::vector<QLabel*> titles;
    QLabel* answer = nullptr;
};
