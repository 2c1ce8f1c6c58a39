#pragma once
// Draws a picture of the core on a plain widget (the Picture1 of a picture or render window).
// The picture is looked up at each paint, so a window never keeps a model that a command may
// have replaced; no picture paints the widget's background only.
#include <functional>

#include <QObject>

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* mBox;
    Source mSource;
};

// A plain widget with the given object name at (0, 0) of `parent`, drawn from `source`.
QWidget* makePictureBox(const char* name, PictureBoxFilter::Source source, QWidget* parent);

} // namespace dw::shell
