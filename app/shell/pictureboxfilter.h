#pragma once
// Draws a picture of the core on a plain widget (the Picture1 of a picture or render window).
// The picture is looked up at each paint, so a window never keeps a model that a command may
// have replaced; no picture paints the widget's background only. Other zooms than 100 % scale
// by whole pixels (nearest neighbour) and from kGridZoom on draw a grid between the pixels.
#include <functional>

#include <QObject>

class QImage;
class QPainter;
class QRect;
class QWidget;

namespace dw::design {
class Picture;
}

namespace dw::shell {

class PictureBoxFilter : public QObject {
    Q_OBJECT
public:
    // The picture to draw now, or null.
    using Source = std::function<const design::Picture*()>;

    // Installs itself on `box`, which it draws from then on; owned by `box`.
    PictureBoxFilter(QWidget* box, Source source);

    // The size of the picture now, empty without one.
    QSize pictureSize() const;

    // The zoom the picture is drawn at, in percent (100 at first). The box's size is the
    // caller's.
    int zoom() const { return mZoom; }
    void setZoom(int percent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void paintZoomed(QPainter& painter, const QImage& picture, QRect exposed) const;

    QWidget* mBox;
    Source mSource;
    int mZoom = 100;
};

// A plain widget with the given object name at (0, 0) of `parent`, drawn from `source` by the
// filter it owns, returned in `painter` when asked for.
QWidget* makePictureBox(const char* name, PictureBoxFilter::Source source, QWidget* parent,
                        PictureBoxFilter** painter = nullptr);

} // namespace dw::shell
