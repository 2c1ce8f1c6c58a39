#include "design/picture.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace dw::design {

namespace {

platform::SurfacePixels pixelsOf(platform::Handle surface) {
    platform::SurfacePixels px;
    platform::LockSurface(surface, &px);
    return px;
}

// Gives the surface a size; the pixels are left as they are when it already has that size.
bool resize(platform::Handle surface, int width, int height) {
    const platform::SurfacePixels px = pixelsOf(surface);
    if (px.pixels != nullptr && px.width == width && px.height == height) {
        return true;
    }
    if (platform::ResizeSurface(surface, width, height)) {
        return true;
    }
    platform::ResizeSurface(surface, 0, 0);
    return false;
}

} // namespace

Picture::Picture() : Picture(0, 0) {}

Picture::Picture(int width, int height) {
    mSurface = platform::CreateSurface(width, height);
    if (mSurface == 0) {
        mSurface = platform::CreateSurface(0, 0);
    }
    mWindow = platform::CreateWindowHandle(mSurface);
}

Picture::~Picture() {
    release();
}

Picture::Picture(Picture&& other) noexcept
    : mSurface(std::exchange(other.mSurface, 0)), mWindow(std::exchange(other.mWindow, 0)) {}

Picture& Picture::operator=(Picture&& other) noexcept {
    if (this != &other) {
        release();
        mSurface = std::exchange(other.mSurface, 0);
        mWindow = std::exchange(other.mWindow, 0);
    }
    return *this;
}

void Picture::release() noexcept {
    if (mWindow != 0) {
        platform::DestroyWindowHandle(mWindow);
    }
    if (mSurface != 0) {
        platform::DestroySurface(mSurface);
    }
    mWindow = 0;
    mSurface = 0;
}

int Picture::width() const {
    return pixelsOf(mSurface).width;
}

int Picture::height() const {
    return pixelsOf(mSurface).height;
}

QImage Picture::view() const {
    const platform::SurfacePixels px = pixelsOf(mSurface);
    if (px.pixels == nullptr || px.width == 0 || px.height == 0) {
        return {};
    }
    return QImage(reinterpret_cast<uchar*>(px.pixels), px.width, px.height,
                  static_cast<qsizetype>(px.stride) * 4, QImage::Format_RGB32);
}

bool Picture::assign(const QImage& image) {
    if (!resize(mSurface, image.width(), image.height())) {
        return false;
    }
    if (image.isNull()) {
        return true;
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const platform::SurfacePixels px = pixelsOf(mSurface);
    for (int y = 0; y < px.height; ++y) {
        const auto* src = reinterpret_cast<const std::uint32_t*>(rgb.constScanLine(y));
        std::uint32_t* dst = px.pixels + static_cast<std::size_t>(y) * px.stride;
        // A surface word is always opaque; whatever alpha the source carried is dropped.
        std::transform(src, src + px.width, dst, [](std::uint32_t p) { return p | 0xFF000000u; });
    }
    return true;
}

bool Picture::copyFrom(const Picture& other) {
    if (&other == this) {
        return true;
    }
    const platform::SurfacePixels from = pixelsOf(other.mSurface);
    if (!resize(mSurface, from.width, from.height)) {
        return false;
    }
    const platform::SurfacePixels to = pixelsOf(mSurface);
    if (to.pixels != nullptr && from.pixels != nullptr) {
        std::memcpy(to.pixels, from.pixels,
                    static_cast<std::size_t>(from.stride) * from.height * sizeof(std::uint32_t));
    }
    return true;
}

void Picture::clear(platform::COLORREF colour) {
    const platform::SurfacePixels px = pixelsOf(mSurface);
    if (px.pixels != nullptr) {
        std::fill_n(px.pixels, static_cast<std::size_t>(px.stride) * px.height,
                    platform::pixelFromColorref(colour));
    }
}

} // namespace dw::design
