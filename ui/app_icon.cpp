#include "ui/app_icon.h"

#include <QPainter>

// A 4 x 4 table on a light ground: a header row, the key column shaded and the key element in
// the run's candidate colour.
QPixmap DrawTutorIcon(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    const qreal margin = size / 16.0;
    const qreal cell = (size - 2 * margin) / 4.0;
    const QRectF table(margin, margin, 4 * cell, 4 * cell);
    painter.fillRect(table, QColor(255, 255, 224));
    painter.fillRect(QRectF(margin, margin, 4 * cell, cell), QColor(214, 211, 206));
    painter.fillRect(QRectF(margin + 2 * cell, margin + cell, cell, 3 * cell), QColor(199, 178, 153));
    painter.fillRect(QRectF(margin + 2 * cell, margin + 2 * cell, cell, cell), QColor(199, 0, 0));
    painter.setPen(QPen(QColor(96, 96, 96), qMax(1.0, size / 32.0)));
    for (int i = 0; i <= 4; ++i) {
        painter.drawLine(QPointF(margin + i * cell, margin), QPointF(margin + i * cell, margin + 4 * cell));
        painter.drawLine(QPointF(margin, margin + i * cell), QPointF(margin + 4 * cell, margin + i * cell));
    }
    return pixmap;
}

QIcon TutorIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(DrawTutorIcon(size));
    return icon;
}
