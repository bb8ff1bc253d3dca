#pragma once

#include <QLineEdit>
#include <QPointer>
#include <QWidget>

class QToolButton;

// Two small arrows that step the integer in a buddy edit within a range. The buddy stays an
// ordinary edit that takes any typed text; the arrows, and the Up and Down keys in the buddy,
// write the stepped number into it, which the buddy reports as a change of its text.
class UpDownControl : public QWidget {
    Q_OBJECT

public:
    explicit UpDownControl(QWidget* parent = nullptr);

    void SetBuddy(QLineEdit* edit);
    QLineEdit* Buddy() const;
    void SetRange(int lowest, int highest);
    // Also writes the number into the buddy.
    void SetPosition(int position);
    // One step up (+1) or down (-1) from the buddy's integer, or from the last position when the
    // buddy holds no integer, kept within the range.
    void Step(int delta);

    QToolButton* UpArrow() const;
    QToolButton* DownArrow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QToolButton* up;
    QToolButton* down;
    // Held as a plain object: a dialog's controls go in the order they were made, so the buddy
    // is destroyed first, and its last events reach the filter when it is no longer an edit.
    QPointer<QObject> buddy;
    int lowest = 0;
    int highest = 100;
    int position = 0;
};
