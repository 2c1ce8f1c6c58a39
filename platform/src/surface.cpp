#include "dw/platform/surface.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <memory>
#include <new>
#include <vector>

namespace dw::platform {

namespace {

struct Surface {
    std::vector<std::uint32_t> pixels;
    int width = 0;
    int height = 0;
};

// A slot of the handle table: a surface, or a window that shows a surface.
struct Entry {
    std::unique_ptr<Surface> surface;
    Handle windowOf = 0;
};

// Handles are never reused, so a stale handle names nothing instead of another surface. The
// table serves the one user-interface thread, like the desktop services it stands in for.
std::vector<Entry>& table() {
    static std::vector<Entry> entries(1); // handle 0 names nothing
    return entries;
}

constexpr std::uint32_t kBlack = 0xFF000000u;

bool allocate(Surface& s, int width, int height) {
    if (width < 0 || height < 0) {
        return false;
    }
    const auto count = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    if (count > (std::size_t{1} << 28)) { // 1 GiB of pixels is more than any picture here
        return false;
    }
    try {
        s.pixels.assign(count, kBlack);
    } catch (const std::bad_alloc&) {
        return false;
    }
    s.width = width;
    s.height = height;
    return true;
}

Surface* find(Handle h) {
    auto& entries = table();
    if (h == 0 || h >= entries.size()) {
        return nullptr;
    }
    Entry& e = entries[h];
    if (e.surface) {
        return e.surface.get();
    }
    if (e.windowOf != 0 && e.windowOf < entries.size()) {
        return entries[e.windowOf].surface.get();
    }
    return nullptr;
}

Handle add(Entry entry) {
    auto& entries = table();
    if (entries.size() >= std::numeric_limits<Handle>::max()) {
        return 0;
    }
    entries.push_back(std::move(entry));
    return static_cast<Handle>(entries.size() - 1);
}

} // namespace

Handle CreateSurface(int width, int height) {
    auto s = std::make_unique<Surface>();
    if (!allocate(*s, width, height)) {
        return 0;
    }
    Entry e;
    e.surface = std::move(s);
    return add(std::move(e));
}

void DestroySurface(Handle surface) {
    auto& entries = table();
    if (surface != 0 && surface < entries.size()) {
        entries[surface].surface.reset();
    }
}

bool ResizeSurface(Handle surface, int width, int height) {
    auto& entries = table();
    if (surface == 0 || surface >= entries.size() || !entries[surface].surface) {
        return false;
    }
    Surface fresh;
    if (!allocate(fresh, width, height)) {
        return false;
    }
    *entries[surface].surface = std::move(fresh);
    return true;
}

bool LockSurface(Handle surface, SurfacePixels* out) {
    if (out == nullptr) {
        return false;
    }
    Surface* s = find(surface);
    if (s == nullptr) {
        *out = SurfacePixels{};
        return false;
    }
    *out = SurfacePixels{s->pixels.data(), s->width, s->height, s->width};
    return true;
}

COLORREF GetPixel(Handle hdc, int x, int y) {
    const Surface* s = find(hdc);
    if (s == nullptr || x < 0 || y < 0 || x >= s->width || y >= s->height) {
        return CLR_INVALID;
    }
    return colorrefFromPixel(s->pixels[static_cast<std::size_t>(y) * s->width + x]);
}

COLORREF SetPixel(Handle hdc, int x, int y, COLORREF colour) {
    Surface* s = find(hdc);
    if (s == nullptr || x < 0 || y < 0 || x >= s->width || y >= s->height) {
        return CLR_INVALID;
    }
    const std::uint32_t pixel = pixelFromColorref(colour);
    s->pixels[static_cast<std::size_t>(y) * s->width + x] = pixel;
    return colorrefFromPixel(pixel);
}

Handle CreateWindowHandle(Handle surface) {
    auto& entries = table();
    if (surface == 0 || surface >= entries.size() || !entries[surface].surface) {
        return 0;
    }
    Entry e;
    e.windowOf = surface;
    return add(std::move(e));
}

void DestroyWindowHandle(Handle hwnd) {
    auto& entries = table();
    if (hwnd != 0 && hwnd < entries.size() && !entries[hwnd].surface) {
        entries[hwnd].windowOf = 0;
    }
}

Handle GetDC(Handle hwnd) {
    auto& entries = table();
    if (hwnd == 0 || hwnd >= entries.size()) {
        return 0;
    }
    const Entry& e = entries[hwnd];
    if (e.surface) {
        return hwnd;
    }
    if (e.windowOf != 0 && find(e.windowOf) != nullptr) {
        return e.windowOf;
    }
    return 0;
}

int ReleaseDC(Handle hwnd, Handle hdc) {
    return (GetDC(hwnd) != 0 && GetDC(hwnd) == hdc) ? 1 : 0;
}

int GetDIBits(Handle hdc, Handle hbitmap, int startScan, int scanLines, int width, void* bits) {
    const Surface* s = find(hbitmap);
    if (s == nullptr || find(hdc) == nullptr || bits == nullptr || width < 0 || startScan < 0 ||
        scanLines <= 0) {
        return 0;
    }
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    auto* out = static_cast<std::uint8_t*>(bits);
    const int copyWidth = std::min(width, s->width);
    for (int line = 0; line < scanLines; ++line) {
        std::uint8_t* row = out + static_cast<std::size_t>(line) * rowBytes;
        std::memset(row, 0, rowBytes);
        // In 64 bits: a start near the largest int must not wrap round into the surface.
        const std::int64_t y = std::int64_t{s->height} - 1 - (std::int64_t{startScan} + line);
        if (y < 0 || y >= s->height) {
            continue;
        }
        const std::uint32_t* src = s->pixels.data() + static_cast<std::size_t>(y) * s->width;
        for (int x = 0; x < copyWidth; ++x) {
            const std::uint32_t p = src[x];
            row[3 * x] = static_cast<std::uint8_t>(p);
            row[3 * x + 1] = static_cast<std::uint8_t>(p >> 8);
            row[3 * x + 2] = static_cast<std::uint8_t>(p >> 16);
        }
    }
    return scanLines;
}

} // namespace dw::platform
