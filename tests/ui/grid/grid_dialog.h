#pragma once

// A dialog shaped like the wizard's matrix page, for driving a real grid with keys and mouse
// clicks the way a student does.
#include "ui/grid/cell_editor.h"
#include "ui/grid/grid_ctrl.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <vector>

struct Notification {
    int code;
    int row;
    int column;
    bool operator==(const Notification&) const = default;
};

inline void PrintTo(const Notification& n, std::ostream* out)
{
    *out << "{" << n.code << ", " << n.row << ", " << n.column << "}";
}

class MatrixDialog : public QDialog {
public:
    // equations rows under one fixed header row; unknowns columns, the "=" column, the "b" column.
    MatrixDialog(int equations, int unknowns)
    {
        auto* layout = new QVBoxLayout(this);
        grid = new CGridCtrl;
        start = new QPushButton("Начать");
        start->setDefault(true);
        layout->addWidget(grid);
        layout->addWidget(start);
        QObject::connect(start, &QPushButton::clicked, [this] { ++startClicks; });
        grid->SetNotifyHandler([this](int code, int row, int column) {
            received.push_back({code, row, column});
            if (code == GN_BEGINEDIT)
                return beginEditAnswer;
            return code == GN_ENDEDIT ? endEditAnswer : 0;
        });

        grid->GetDefaultCell(false, false)->SetBackColor(RGB(255, 255, 224));
        grid->SetRowResize(false);
        grid->SetColumnResize(false);
        grid->EnableSelection(false);
        grid->SetFixedRowCount(1);
        grid->SetRowCount(equations + 1);
        grid->SetColumnCount(unknowns + 2);
        for (int column = 0; column < unknowns + 2; ++column)
            grid->SetColumnWidth(column, 50);
        for (int k = 0; k < unknowns; ++k)
            grid->SetCellText(0, k, QString("x%1").arg(k + 1));
        grid->SetCellText(0, unknowns, "Знак");
        grid->SetCellText(0, unknowns + 1, "b");
        for (int row = 1; row <= equations; ++row) {
            grid->SetCellText(row, unknowns, "=");
            grid->SetCellState(row, unknowns, grid->GetCellState(row, unknowns) | GCS_READONLY);
        }
        resize(std::min(60 * (unknowns + 2) + 40, 700), std::min(30 * (equations + 1) + 80, 300));
    }

    // Closing the window ends an open edit after this object's members are gone.
    ~MatrixDialog() override { grid->SetNotifyHandler(nullptr); }

    void reject() override { ++rejects; }

    void Open()
    {
        show();
        activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(this));
        grid->setFocus();
        received.clear();
    }

    // Keys go through the window, so they reach whatever has the keyboard focus.
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(windowHandle(), key, modifiers);
    }

    void Type(const QString& text)
    {
        for (QChar ch : text)
            QTest::keyClick(windowHandle(), ch.toLatin1());
    }

    QPoint CellCentre(int row, int column) const
    {
        QRect rect;
        grid->GetCellRect(row, column, &rect);
        return rect.center();
    }

    void Click(int row, int column, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, CellCentre(row, column));
    }

    QString EditorText() const { return grid->GetEditor() ? grid->GetEditor()->text() : QString("<no editor>"); }

    bool Received(int code) const
    {
        for (const Notification& n : received)
            if (n.code == code)
                return true;
        return false;
    }

    CGridCtrl* grid;
    QPushButton* start;
    std::vector<Notification> received;
    int beginEditAnswer = 0;
    int endEditAnswer = 0;
    int startClicks = 0;
    int rejects = 0;
};
