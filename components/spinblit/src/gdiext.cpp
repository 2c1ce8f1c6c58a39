#include "gdiext.h"

#include "rotation.h"
#include "transparentcopy.h"

namespace spinblit {

using dw::com::HRESULT;
using dw::com::S_OK;

namespace {

dw::platform::Handle handleOf(std::int32_t value) {
    return static_cast<dw::platform::Handle>(static_cast<std::uint32_t>(value));
}

} // namespace

HRESULT Gdiext::initializeRotation(std::int32_t, std::int32_t, std::int32_t, std::int32_t) {
    return S_OK;
}

HRESULT Gdiext::cleanupRotation() {
    return S_OK;
}

HRESULT Gdiext::rotate(std::int32_t, std::int32_t hdcsrc, std::int32_t, std::int32_t hdcdest,
                       std::int32_t width, std::int32_t height, double theta) {
    try {
        rotatePicture(handleOf(hdcsrc), handleOf(hdcdest), width, height, theta);
    } catch (...) {
        // The rotation allocates its working state and its row and column ranges; out of
        // memory, the destination may be left partly drawn, as the operation never fails.
    }
    return S_OK;
}

HRESULT Gdiext::transparentBlit(std::int32_t hdcdest, std::int32_t nDLeft, std::int32_t nDTop,
                                std::int32_t, std::int32_t, std::int32_t hdcsrc, std::int32_t nLeft,
                                std::int32_t nTop, std::int32_t nWidth, std::int32_t nHeight,
                                std::int32_t trans) {
    transparentCopy(handleOf(hdcdest), nDLeft, nDTop, handleOf(hdcsrc),
                    {nLeft, nTop, nWidth, nHeight}, trans);
    return S_OK;
}

} // namespace spinblit
