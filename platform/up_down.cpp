#include "platform/up_down.h"

#include "platform/integer_text.h"

#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>

namespace {

QToolButton* MakeArrow(Qt::ArrowType direction, QWidget* parent)
{
    auto* arrow = new QToolButton(parent);
    arrow->setArrowType(direction);
    arrow->setAutoRepeat(true);
    arrow->setFocusPolicy(Qt::NoFocus);
    return arrow;
}

}  // namespace

UpDownControl::UpDownControl(QWidget* parent)
    : QWidget(parent), up(MakeArrow(Qt::UpArrow, this)), down(MakeArrow(Qt::DownArrow, this))
{
    connect(up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void UpDownControl::SetBuddy(QLineEdit* edit)
{
    if (buddy)
        buddy->removeEventFilter(this);
    buddy = edit;
    if (buddy)
        buddy->installEventFilter(this);
}

QLineEdit* UpDownControl::Buddy() const
{
    return qobject_cast<QLineEdit*>(buddy.data());
}

void UpDownControl::SetRange(int lowestValue, int highestValue)
{
    lowest = std::min(lowestValue, highestValue);
    highest = std::max(lowestValue, highestValue);
}

void UpDownControl::SetPosition(int value)
{
    position = value;
    if (QLineEdit* edit = Buddy())
        edit->setText(QString::number(position));
}

void UpDownControl::Step(int delta)
{
    const QLineEdit* edit = Buddy();
    const int current = edit ? ParseInteger(edit->text()).value_or(position) : position;
    // In 64 bits, so that a typed INT_MAX steps without overflow.
    SetPosition(static_cast<int>(std::clamp<long long>(0LL + current + delta, lowest, highest)));
}

QToolButton* UpDownControl::UpArrow() const
{
    return up;
}

QToolButton* UpDownControl::DownArrow() const
{
    return down;
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == buddy.data() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UpDownControl::resizeEvent(QResizeEvent* event)
{
    const int upperHalf = height() / 2;
    up->setGeometry(0, 0, width(), upperHalf);
    down->setGeometry(0, upperHalf, width(), height() - upperHalf);
    QWidget::resizeEvent(event);
}
