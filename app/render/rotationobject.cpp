#include "render/rotationobject.h"

#include <utility>

#include "design/picture.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "dw/platform/com/activation.h"
#include "dw/platform/com/errortext.h"
#include "spinblit/igdiext.h"

namespace dw::render {

namespace {

void check(com::HRESULT hr) {
    if (com::FAILED(hr)) {
        throw design::RuntimeError(com::describeHResult(hr));
    }
}

// Handles are 32-bit words; the component takes them as signed 32-bit integers.
std::int32_t handleOf(const design::Picture& picture) {
    return static_cast<std::int32_t>(picture.handle());
}

} // namespace

RotationObject::~RotationObject() {
    release();
}

RotationObject::RotationObject(RotationObject&& other) noexcept
    : mObject(std::exchange(other.mObject, nullptr)) {}

RotationObject& RotationObject::operator=(RotationObject&& other) noexcept {
    if (this != &other) {
        release();
        mObject = std::exchange(other.mObject, nullptr);
    }
    return *this;
}

RotationObject RotationObject::create() {
    void* created = nullptr;
    check(com::CoCreateInstance(spinblit::CLSID_gdiext, nullptr, spinblit::IID_Igdiext, &created));
    return RotationObject(static_cast<spinblit::Igdiext*>(created));
}

void RotationObject::release() noexcept {
    if (spinblit::Igdiext* held = std::exchange(mObject, nullptr)) {
        held->Release();
    }
}

spinblit::Igdiext& RotationObject::object() const {
    if (mObject == nullptr) {
        throw design::RuntimeError(design::kObjectVariableNotSet);
    }
    return *mObject;
}

void RotationObject::initializeRotation(const design::Picture& bitmap) {
    check(object().initializeRotation(handleOf(bitmap), handleOf(bitmap), bitmap.width(),
                                      bitmap.height()));
}

void RotationObject::rotate(const design::Picture& source, design::Picture& destination,
                            std::int32_t width, std::int32_t height, double theta) {
    check(object().rotate(handleOf(source), handleOf(source), handleOf(destination),
                          handleOf(destination), width, height, theta));
}

void RotationObject::transparentBlit(design::Picture& destination, std::int32_t left,
                                     std::int32_t top, std::int32_t destinationWidth,
                                     std::int32_t destinationHeight, const design::Picture& source,
                                     std::int32_t sourceLeft, std::int32_t sourceTop,
                                     std::int32_t width, std::int32_t height,
                                     std::int32_t transparentColour) {
    check(object().transparentBlit(handleOf(destination), left, top, destinationWidth,
                                   destinationHeight, handleOf(source), sourceLeft, sourceTop,
                                   width, height, transparentColour));
}

} // namespace dw::render
