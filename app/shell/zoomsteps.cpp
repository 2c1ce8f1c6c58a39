#include "shell/zoomsteps.h"

#include <algorithm>
#include <cmath>

namespace dw::shell {

int zoomedIn(int percent) {
    for (int step : kZoomSteps) {
        if (step > percent) {
            return step;
        }
    }
    return kZoomSteps.back();
}

int zoomedOut(int percent) {
    for (auto it = kZoomSteps.rbegin(); it != kZoomSteps.rend(); ++it) {
        if (*it < percent) {
            return *it;
        }
    }
    return kZoomSteps.front();
}

QSize zoomedSize(QSize natural, int percent) {
    if (natural.isEmpty()) {
        return natural;
    }
    // Rounded up, so the last pixel of a reduced picture still has a place.
    const auto scale = [percent](int length) {
        return std::max(1, static_cast<int>((static_cast<long long>(length) * percent + 99) / 100));
    };
    return {scale(natural.width()), scale(natural.height())};
}

QPointF pictureAt(QPointF widgetPosition, int percent) {
    if (percent == kNaturalZoom) {
        return widgetPosition;
    }
    const double factor = 100.0 / percent;
    return {std::floor(widgetPosition.x() * factor), std::floor(widgetPosition.y() * factor)};
}

QRect pixelRect(int x, int y, int percent) {
    const auto edge = [percent](int pixel) {
        return static_cast<int>(std::floor(static_cast<double>(pixel) * percent / 100.0));
    };
    return QRect(QPoint(edge(x), edge(y)), QPoint(edge(x + 1) - 1, edge(y + 1) - 1));
}

QRect pixelsUnder(QRect widgetRect, QSize natural, int percent) {
    if (widgetRect.isEmpty()) {
        return {};
    }
    // Floor division, so that positions left of or above the picture stay off it.
    const auto pixelOf = [percent](int position) {
        const long long scaled = static_cast<long long>(position) * 100;
        return static_cast<int>(scaled >= 0 ? scaled / percent : -((-scaled + percent - 1) / percent));
    };
    const QRect shown(QPoint(pixelOf(widgetRect.left()), pixelOf(widgetRect.top())),
                      QPoint(pixelOf(widgetRect.right()), pixelOf(widgetRect.bottom())));
    return shown.intersected(QRect(QPoint(0, 0), natural));
}

QSize fittedViewSize(QSize content, QSize room, int scrollBarExtent) {
    // A horizontal bar takes height and may so bring a vertical one, which takes width: bars are
    // only ever added, so a second pass settles it.
    bool horizontalBar = false;
    bool verticalBar = false;
    for (int pass = 0; pass < 2; ++pass) {
        horizontalBar = content.width() > room.width() - (verticalBar ? scrollBarExtent : 0);
        verticalBar = content.height() > room.height() - (horizontalBar ? scrollBarExtent : 0);
    }
    return {std::min(room.width(), content.width() + (verticalBar ? scrollBarExtent : 0)),
            std::min(room.height(), content.height() + (horizontalBar ? scrollBarExtent : 0))};
}

} // namespace dw::shell
