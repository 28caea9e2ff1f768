#pragma once

#include <QProxyStyle>

// The desktop's own style, with the two pictures it reads from Qt's resources while the
// window is built and first painted (the menu bar's overflow arrow and the group box
// frame) read as the PNGs they are. Read without a named format, any picture makes Qt
// load every picture format plugin (JPEG, TIFF, WebP, MNG, …) and the libraries behind
// them to ask each whether it knows the file: milliseconds of every start, for two
// pictures Qt reads itself. The plugins still load, on the first photo.
class StartupStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option = nullptr,
                       const QWidget *widget = nullptr) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
