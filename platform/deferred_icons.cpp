#include "platform/deferred_icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPointer>

#include <optional>

namespace {

// Stands for the base style's icon and reads it at the first request of a picture or a size.
class DeferredIconEngine : public QIconEngine {
public:
    DeferredIconEngine(const QProxyStyle& style, QStyle::StandardPixmap icon) : m_style(&style), m_icon(icon) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return Icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override
    {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }
    QString key() const override { return QStringLiteral("DeferredIconEngine"); }

private:
    const QIcon& Icon()
    {
        if (!m_read) {
            // A style gone with the application leaves no picture to draw.
            m_read = m_style != nullptr ? m_style->baseStyle()->standardIcon(m_icon) : QIcon();
        }
        return *m_read;
    }

    QPointer<const QProxyStyle> m_style;
    QStyle::StandardPixmap m_icon;
    std::optional<QIcon> m_read;
};

bool IsExtensionButton(QStyle::StandardPixmap icon)
{
    return icon == QStyle::SP_ToolBarHorizontalExtensionButton || icon == QStyle::SP_ToolBarVerticalExtensionButton;
}

} // namespace

QIcon DeferredIconsStyle::standardIcon(StandardPixmap icon, const QStyleOption* option, const QWidget* widget) const
{
    if (IsExtensionButton(icon) && option == nullptr)
        return QIcon(new DeferredIconEngine(*this, icon));
    return QProxyStyle::standardIcon(icon, option, widget);
}

void DeferExtensionIcons()
{
    // Asking the application for its style would make the default one only to throw it away.
    const char* const set = "deferredExtensionIcons";
    if (qApp->property(set).toBool())
        return;
    QApplication::setStyle(new DeferredIconsStyle);
    qApp->setProperty(set, true);
}
