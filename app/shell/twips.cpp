#include "shell/twips.h"

#include <cmath>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace dw::shell {

namespace {

QScreen* screenOf(const QWidget* widget) {
    QScreen* screen = widget != nullptr ? widget->screen() : nullptr;
    return screen != nullptr ? screen : QGuiApplication::primaryScreen();
}

int toPixels(int twips, double dotsPerInch) {
    if (dotsPerInch <= 0) {
        dotsPerInch = 96; // no screen at all: the common desktop resolution
    }
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

} // namespace

int twipsToPixelsX(int twips, const QWidget* widget) {
    QScreen* screen = screenOf(widget);
    return toPixels(twips, screen != nullptr ? screen->logicalDotsPerInchX() : 0);
}

int twipsToPixelsY(int twips, const QWidget* widget) {
    QScreen* screen = screenOf(widget);
    return toPixels(twips, screen != nullptr ? screen->logicalDotsPerInchY() : 0);
}

QSize twipsToPixels(int widthTwips, int heightTwips, const QWidget* widget) {
    return {twipsToPixelsX(widthTwips, widget), twipsToPixelsY(heightTwips, widget)};
}

} // namespace dw::shell
