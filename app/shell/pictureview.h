#pragma once
// What a picture window and the render window share: Picture1 at (0, 0) in a scrolling view,
// drawn from the core, and the zoom with its menu ("Zoom In", "Zoom Out", "Actual Size" and the
// steps) and Ctrl+wheel. At 100 % Picture1 has the picture's natural size and the view fits it
// exactly; the frame around the view decides how much of a larger zoom it can show.
#include <optional>

#include <QList>
#include <QPointF>
#include <QRect>
#include <QWidget>

#include "shell/pictureboxfilter.h"

class QAction;
class QActionGroup;
class QMenu;
class QResizeEvent;
class QScrollArea;
class QWheelEvent;

namespace dw::shell {

class PictureView : public QWidget {
    Q_OBJECT
public:
    // Who opens the zoom menu with a right click over Picture1: always, or only with Ctrl held,
    // for a window whose right clicks belong to its tools.
    enum class MenuClick { Right, CtrlRight };

    QWidget* Picture1() const { return mPicture1; }
    int zoom() const { return mPainter->zoom(); }
    // Shows the picture at `percent` (one of kZoomSteps), keeping the picture point under
    // `anchor` (a Picture1 position) where it was on the screen; the view's centre when none.
    void setZoom(int percent);
    void setZoom(int percent, QPointF anchor);

    // The zoom commands, also on the frame's own menu.
    const QList<QAction*>& zoomActions() const { return mZoomActions; }
    QMenu* zoomMenu() const { return mMenu; }

    // The size that shows all of Picture1, as large as it is.
    QSize sizeHint() const override;
    // The width or height a scroll bar takes from the view.
    int scrollBarExtent() const;

signals:
    // Picture1 changed its size; the frame should fit the view again.
    void fitRequested();

protected:
    PictureView(PictureBoxFilter::Source source, MenuClick menuClick, QWidget* parent);

    // Takes the picture's natural size (empty: `emptySize` is shown) and repaints, only the
    // `changed` pixels when given and the size stayed. True when Picture1's size changed.
    bool showPictureOfSize(QSize natural, QSize emptySize,
                           std::optional<QRect> changed = std::nullopt);

    // Picture1's events; a subclass that filters it too passes them on here.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildZoomActions();
    bool applyZoomSize();
    void zoomFromMenu(int percent);
    bool wheelZoom(QWheelEvent* event);

    QScrollArea* mScroll = nullptr;
    QWidget* mPicture1 = nullptr;
    PictureBoxFilter* mPainter = nullptr;
    MenuClick mMenuClick;
    QSize mNatural;
    QSize mEmptySize;
    QMenu* mMenu = nullptr;
    QActionGroup* mStepGroup = nullptr;
    QList<QAction*> mZoomActions;
    int mWheelRemainder = 0;
    std::optional<QPointF> mMenuAnchor; // where the open menu was asked for
};

} // namespace dw::shell
