#pragma once
// Window sizes are given in twips (1/1440 inch); the screen's resolution turns them into pixels.
#include <QSize>
#include <QWidget>

namespace dw::shell {

inline constexpr int kTwipsPerInch = 1440;

// The size in pixels of `width` x `height` twips on the widget's screen.
inline QSize twipsToPixels(const QWidget& widget, int width, int height) {
    return {width * widget.logicalDpiX() / kTwipsPerInch,
            height * widget.logicalDpiY() / kTwipsPerInch};
}

} // namespace dw::shell
