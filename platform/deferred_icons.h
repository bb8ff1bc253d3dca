#pragma once

#include <QProxyStyle>

// The desktop's own style, except that the icons of the tool bars' extension buttons are read
// from their image files only when first drawn. Every menu bar makes such a button at once and
// mostly never shows it; reading the images asks every image-format plugin installed whether it
// reads PNG, and so loads them all, at the start of the program.
class DeferredIconsStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap icon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};

// Makes the application's style a DeferredIconsStyle, once the QApplication exists and before
// the first widget; again is harmless.
void DeferExtensionIcons();
