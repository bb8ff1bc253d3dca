#include "platform/deferred_icons.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QToolButton>

#include <gtest/gtest.h>

// The program's style: a menu bar too narrow for its menus still shows the extension button with
// the desktop style's own picture, read when the button is drawn.
TEST(DeferredIconsStyle, NarrowMenuBarShowsTheStylesExtensionPicture)
{
    DeferExtensionIcons();
    DeferExtensionIcons();
    ASSERT_NE(dynamic_cast<DeferredIconsStyle*>(QApplication::style()), nullptr);

    QMainWindow window;
    for (int i = 0; i < 12; ++i)
        window.menuBar()->addMenu(QStringLiteral("Меню %1").arg(i))->addAction(QStringLiteral("Пункт"));
    window.resize(120, 80);
    window.show();
    QApplication::processEvents();

    auto* extension = window.menuBar()->findChild<QToolButton*>("qt_menubar_ext_button");
    ASSERT_NE(extension, nullptr);
    EXPECT_TRUE(extension->isVisible());
    const QIcon ours = extension->icon();
    const QIcon desktops = static_cast<QProxyStyle*>(QApplication::style())->baseStyle()->standardIcon(
        QStyle::SP_ToolBarHorizontalExtensionButton);
    ASSERT_FALSE(desktops.isNull());
    EXPECT_EQ(ours.actualSize(QSize(16, 16)), desktops.actualSize(QSize(16, 16)));
    EXPECT_EQ(ours.pixmap(16).toImage(), desktops.pixmap(16).toImage());
    EXPECT_FALSE(extension->grab().isNull());
}
