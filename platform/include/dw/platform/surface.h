#pragma once
// Drawing contexts and bitmaps: a process-wide table of surfaces named by 32-bit handles. A
// surface owns 32-bit pixels laid out as QImage::Format_RGB32 (0xFFRRGGBB words, stride 4 x width)
// so the core can paint through a non-owning QImage view and components can touch pixels
// directly. One handle names a surface as a drawing context and as a bitmap; a window handle
// gives the drawing context of its surface. Colours cross this API as COLORREF 0x00BBGGRR.
#include <cstdint>

#include "dw/platform/platform_export.h"

namespace dw::platform {

using Handle = std::uint32_t; // 0 names nothing
using COLORREF = std::uint32_t;

inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFF;

// Direct access to a surface's pixels, valid until the surface is resized or destroyed.
struct SurfacePixels {
    std::uint32_t* pixels = nullptr; // 0xFFRRGGBB words, row after row, top row first
    int width = 0;
    int height = 0;
    int stride = 0; // in pixels (words), equals width
};

// Creates a surface of the given size filled with opaque black; 0 when the size is negative or
// too large to allocate. A zero width or height gives a valid, empty surface.
DW_PLATFORM_EXPORT Handle CreateSurface(int width, int height);

// Frees the surface; the handle then names nothing. Unknown handles are ignored.
DW_PLATFORM_EXPORT void DestroySurface(Handle surface);

// Gives the surface a new size (contents opaque black); the handle stays the same.
// False when the handle names nothing or the size cannot be allocated.
DW_PLATFORM_EXPORT bool ResizeSurface(Handle surface, int width, int height);

// Fills `out` with the pixels of the surface named by a drawing context, bitmap or window
// handle. False, and `out` emptied, when the handle names nothing.
DW_PLATFORM_EXPORT bool LockSurface(Handle surface, SurfacePixels* out);

// Reads one pixel; CLR_INVALID outside the surface or for a handle that names nothing.
DW_PLATFORM_EXPORT COLORREF GetPixel(Handle hdc, int x, int y);

// Writes one pixel and returns the colour written; outside the surface nothing is written and
// CLR_INVALID (as -1) is returned.
DW_PLATFORM_EXPORT COLORREF SetPixel(Handle hdc, int x, int y, COLORREF colour);

// Window handles: a window shows a surface; its drawing context is that surface's handle.
DW_PLATFORM_EXPORT Handle CreateWindowHandle(Handle surface);
DW_PLATFORM_EXPORT void DestroyWindowHandle(Handle hwnd);
DW_PLATFORM_EXPORT Handle GetDC(Handle hwnd);             // 0 when hwnd names nothing
DW_PLATFORM_EXPORT int ReleaseDC(Handle hwnd, Handle hdc); // 1 released, 0 otherwise

// Reads rows of a bitmap as a bottom-up 24-bit DIB (blue, green, red; rows padded to 4 bytes):
// rows `startScan` to `startScan + scanLines - 1` counted from the bottom into `bits`, which
// holds scanLines * ((3 * width + 3) / 4 * 4) bytes for the given `width`. Pixels beyond the
// surface read as black. Returns the number of rows copied, 0 when a handle names nothing.
DW_PLATFORM_EXPORT int GetDIBits(Handle hdc, Handle hbitmap, int startScan, int scanLines,
                                 int width, void* bits);

// Colour conversions between a surface word and COLORREF.
constexpr COLORREF colorrefFromPixel(std::uint32_t pixel) {
    return ((pixel >> 16) & 0xFFu) | (pixel & 0xFF00u) | ((pixel & 0xFFu) << 16);
}
constexpr std::uint32_t pixelFromColorref(COLORREF c) {
    return 0xFF000000u | ((c & 0xFFu) << 16) | (c & 0xFF00u) | ((c >> 16) & 0xFFu);
}

} // namespace dw::platform
