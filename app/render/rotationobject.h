#pragma once
// The rotation object of one run or preview: a gdiext object of the spinblit component, created
// by class identifier and released when the holder goes, on every path out of the run. Calls
// take pictures and pass their surfaces' handles as the component's 32-bit integers.
#include <cstdint>

namespace spinblit {
class Igdiext;
}

namespace dw::design {
class Picture;
}

namespace dw::render {

class RotationObject {
public:
    // Holds no object; every call then fails as a call through an unset object variable.
    RotationObject() = default;
    ~RotationObject();

    RotationObject(RotationObject&& other) noexcept;
    RotationObject& operator=(RotationObject&& other) noexcept;
    RotationObject(const RotationObject&) = delete;
    RotationObject& operator=(const RotationObject&) = delete;

    // Creates a gdiext object. Throws RuntimeError with the platform's description of the
    // failure (e.g. "Class not registered") when the component cannot be created.
    static RotationObject create();

    // Takes over one reference to an object the caller already has (another implementation of
    // the interface, a test's probe). Null gives an empty holder.
    static RotationObject adopt(spinblit::Igdiext* object) { return RotationObject(object); }

    explicit operator bool() const { return mObject != nullptr; }

    // Lets the object go now (the closing step of a run); nothing when none is held.
    void release() noexcept;

    // The component's operations. Each throws RuntimeError with the description of a failing
    // status, or RuntimeError("Object variable or With block variable not set") without an object.
    void initializeRotation(const design::Picture& bitmap);
    void rotate(const design::Picture& source, design::Picture& destination, std::int32_t width,
                std::int32_t height, double theta);
    void transparentBlit(design::Picture& destination, std::int32_t left, std::int32_t top,
                         std::int32_t destinationWidth, std::int32_t destinationHeight,
                         const design::Picture& source, std::int32_t sourceLeft,
                         std::int32_t sourceTop, std::int32_t width, std::int32_t height,
                         std::int32_t transparentColour);

private:
    explicit RotationObject(spinblit::Igdiext* object) : mObject(object) {}
    spinblit::Igdiext& object() const;

    spinblit::Igdiext* mObject = nullptr;
};

} // namespace dw::render
