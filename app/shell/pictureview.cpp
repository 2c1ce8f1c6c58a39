#include "shell/pictureview.h"

#include <cmath>
#include <QAction>
#include <QActionGroup>
#include <QContextMenuEvent>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include "shell/zoomsteps.h"

namespace dw::shell {

namespace {

struct ZoomCommand {
    const char* name;
    const char* caption;
    int (*target)(int current);
};

const ZoomCommand kZoomCommands[] = {
    {"actZoomIn", "Zoom &In", zoomedIn},
    {"actZoomOut", "Zoom &Out", zoomedOut},
    {"actActualSize", "&Actual Size", [](int) { return kNaturalZoom; }},
};

// One notch of an ordinary wheel.
constexpr int kWheelNotch = 120;

} // namespace

PictureView::PictureView(PictureBoxFilter::Source source, MenuClick menuClick, QWidget* parent)
    : QWidget(parent), mMenuClick(menuClick) {
    mScroll = new QScrollArea(this);
    mScroll->setObjectName("scrollPicture");
    mScroll->setFrameShape(QFrame::NoFrame);
    mScroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    mPicture1 = makePictureBox("Picture1", std::move(source), nullptr, &mPainter);
    mScroll->setWidget(mPicture1);
    mPicture1->installEventFilter(this);
    buildZoomActions();
}

void PictureView::buildZoomActions() {
    mMenu = new QMenu(this);
    mMenu->setObjectName("mnuZoom");
    for (const ZoomCommand& command : kZoomCommands) {
        auto* action = mMenu->addAction(tr(command.caption));
        action->setObjectName(command.name);
        const auto target = command.target;
        connect(action, &QAction::triggered, this, [this, target] { zoomFromMenu(target(zoom())); });
        mZoomActions << action;
    }
    mZoomActions << mMenu->addSeparator();
    mStepGroup = new QActionGroup(this);
    for (int step : kZoomSteps) {
        auto* action = mMenu->addAction(QStringLiteral("%1 %").arg(step));
        action->setObjectName(QStringLiteral("actZoom%1").arg(step));
        action->setCheckable(true);
        action->setChecked(step == kNaturalZoom);
        action->setData(step);
        mStepGroup->addAction(action);
        connect(action, &QAction::triggered, this, [this, step] { zoomFromMenu(step); });
        mZoomActions << action;
    }
}

void PictureView::zoomFromMenu(int percent) {
    if (mMenuAnchor) {
        setZoom(percent, *mMenuAnchor);
    } else {
        setZoom(percent);
    }
}

void PictureView::setZoom(int percent) {
    // The middle of what is in sight stays in the middle.
    const QWidget* viewport = mScroll->viewport();
    setZoom(percent, mPicture1->mapFrom(viewport, QPointF(viewport->width() / 2.0,
                                                          viewport->height() / 2.0)));
}

void PictureView::setZoom(int percent, QPointF anchor) {
    if (percent == zoom()) {
        return;
    }
    const QPointF onScreen = mPicture1->mapTo(mScroll->viewport(), anchor);
    const QPointF picturePoint = anchor * 100.0 / zoom();
    mPainter->setZoom(percent);
    for (QAction* step : mStepGroup->actions()) {
        step->setChecked(step->data().toInt() == percent);
    }
    if (applyZoomSize()) {
        emit fitRequested();
    }
    const QPointF moved = picturePoint * percent / 100.0 - onScreen;
    mScroll->horizontalScrollBar()->setValue(static_cast<int>(std::lround(moved.x())));
    mScroll->verticalScrollBar()->setValue(static_cast<int>(std::lround(moved.y())));
}

bool PictureView::applyZoomSize() {
    const QSize size = mNatural.isEmpty() ? mEmptySize : zoomedSize(mNatural, zoom());
    if (mPicture1->size() == size) {
        return false;
    }
    mPicture1->setFixedSize(size);
    updateGeometry();
    return true;
}

bool PictureView::showPictureOfSize(QSize natural, QSize emptySize,
                                    std::optional<QRect> changed) {
    mNatural = natural;
    mEmptySize = emptySize;
    const bool resized = applyZoomSize();
    // A run tells only the area its hands changed; repainting just that keeps the view cheap.
    if (changed && !resized) {
        // Corner to corner, a pixel wider all round: below 100 % a pixel covers no whole
        // widget pixel of its own, and scaling may sample its neighbour.
        const QRect widget(pixelRect(changed->left(), changed->top(), zoom()).topLeft(),
                           pixelRect(changed->right(), changed->bottom(), zoom()).bottomRight());
        mPicture1->update(widget.normalized().adjusted(-1, -1, 1, 1));
    } else {
        mPicture1->update();
    }
    return resized;
}

QSize PictureView::sizeHint() const {
    return mPicture1->size();
}

int PictureView::scrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, mScroll);
}

void PictureView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    mScroll->setGeometry(rect());
}

bool PictureView::wheelZoom(QWheelEvent* event) {
    if (!event->modifiers().testFlag(Qt::ControlModifier)) {
        return false; // scrolls as usual
    }
    // Fine-grained wheels send small steps; a notch's worth makes one zoom step.
    mWheelRemainder += event->angleDelta().y();
    int target = zoom();
    for (; mWheelRemainder >= kWheelNotch; mWheelRemainder -= kWheelNotch) {
        target = zoomedIn(target);
    }
    for (; mWheelRemainder <= -kWheelNotch; mWheelRemainder += kWheelNotch) {
        target = zoomedOut(target);
    }
    setZoom(target, event->position());
    event->accept();
    return true;
}

bool PictureView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != mPicture1) {
        return QWidget::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Wheel:
        return wheelZoom(static_cast<QWheelEvent*>(event));
    case QEvent::ContextMenu: {
        auto* menuEvent = static_cast<QContextMenuEvent*>(event);
        if (mMenuClick == MenuClick::Right ||
            menuEvent->modifiers().testFlag(Qt::ControlModifier) ||
            menuEvent->reason() == QContextMenuEvent::Keyboard) {
            // A step chosen here zooms about the point clicked.
            mMenuAnchor = menuEvent->pos();
            mMenu->exec(menuEvent->globalPos());
            mMenuAnchor.reset();
        }
        // Never passed on: the frame would offer its own menu over the picture.
        return true;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dw::shell
