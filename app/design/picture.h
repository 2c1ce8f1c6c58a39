#pragma once
// A picture held in a platform surface: what picture boxes, picture slots and the frame of a run
// are made of. The surface's handle serves as drawing context and bitmap; a window handle showing
// it is kept for callers that need one. Pixels are painted through a QImage view.
#include <QImage>

#include "dw/platform/surface.h"

namespace dw::design {

class Picture {
public:
    // An empty picture (0 x 0). handle() is 0 only if the platform refused a surface.
    Picture();
    // A black picture of the given size; an empty one when the size cannot be allocated.
    Picture(int width, int height);
    ~Picture();

    Picture(Picture&& other) noexcept;
    Picture& operator=(Picture&& other) noexcept;
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    // The surface as drawing context and as bitmap; stays the same for the picture's life.
    platform::Handle handle() const { return mSurface; }
    // A window handle whose drawing context is this picture's surface.
    platform::Handle windowHandle() const { return mWindow; }

    int width() const;
    int height() const;
    bool isEmpty() const { return width() == 0 || height() == 0; }

    // A QImage (Format_RGB32) over the surface's own pixels; painting on it paints the picture.
    // Valid until the picture is resized, assigned or destroyed; null for an empty picture.
    QImage view() const;

    // Replaces size and pixels by the image's (the handle stays). A null image empties the
    // picture. False, and the picture left empty, when the size cannot be allocated.
    bool assign(const QImage& image);

    // Replaces size and pixels by another picture's; same failure rule as assign.
    bool copyFrom(const Picture& other);

    // Fills every pixel with a colour given as 0x00BBGGRR (black by default).
    void clear(platform::COLORREF colour = 0);

    // A deep copy of the pixels as an image that does not depend on the surface.
    QImage toImage() const { return view().copy(); }

private:
    void release() noexcept;

    platform::Handle mSurface = 0;
    platform::Handle mWindow = 0;
};

} // namespace dw::design
