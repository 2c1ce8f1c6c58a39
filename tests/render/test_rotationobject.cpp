// The rotation object's lifetime and failures: it is created by class identifier, released on
// every path, and turns failures into run-time errors.
#include "render/rotationobject.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "design/picture.h"
#include "design/pictureslots.h"
#include "design/runtimeerror.h"
#include "dw/platform/com/errortext.h"
#include "probegdiext.h"
#include "scratchfolder.h"

using dw::design::Picture;
using dw::design::RuntimeError;
using dw::render::RotationObject;
using dw::testing::ProbeGdiext;

namespace {

// Points the component runtime at another registry for the life of the object.
class RegistryOverride {
public:
    explicit RegistryOverride(const std::string& file) {
        if (const char* old = std::getenv("DIALWRIGHT_REGISTRY")) {
            mOld = old;
        }
        ::setenv("DIALWRIGHT_REGISTRY", file.c_str(), 1);
    }
    ~RegistryOverride() {
        if (mOld) {
            ::setenv("DIALWRIGHT_REGISTRY", mOld->c_str(), 1);
        } else {
            ::unsetenv("DIALWRIGHT_REGISTRY");
        }
    }

private:
    std::optional<std::string> mOld;
};

std::string descriptionOf(auto&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.description();
    }
    return "(no run-time error)";
}

TEST(RotationObject, anUnregisteredComponentIsARunTimeErrorWithItsDescription) {
    dw::testing::ScratchFolder folder;
    dw::testing::writeBytes(folder.file("empty.txt"), "; dialwright registry\n");
    RegistryOverride registry(folder.file("empty.txt"));
    EXPECT_EQ(descriptionOf([] { RotationObject::create(); }), "Class not registered");
}

TEST(RotationObject, callsWithoutAnObjectFailAsAnUnsetObjectVariable) {
    RotationObject empty;
    Picture picture(2, 2);
    EXPECT_EQ(descriptionOf([&] { empty.initializeRotation(picture); }),
              dw::design::kObjectVariableNotSet);
    EXPECT_EQ(descriptionOf([&] { empty.rotate(picture, picture, 2, 2, 1.0); }),
              dw::design::kObjectVariableNotSet);
}

TEST(RotationObject, theObjectIsReleasedOnceWhetherMovedReleasedOrDestroyed) {
    ProbeGdiext probe;
    {
        RotationObject first = RotationObject::adopt(&probe);
        RotationObject second = std::move(first);
        EXPECT_FALSE(first);
        RotationObject third;
        third = std::move(second);
        EXPECT_EQ(probe.references, 1);
        third.release();
        EXPECT_EQ(probe.references, 0);
        third.release();
    }
    EXPECT_EQ(probe.references, 0);

    probe.references = 1;
    probe.failOnCall = 0;
    probe.failure = dw::com::E_OUTOFMEMORY;
    {
        RotationObject rotation = RotationObject::adopt(&probe);
        Picture picture(2, 2);
        EXPECT_EQ(descriptionOf([&] { rotation.initializeRotation(picture); }),
                  dw::com::describeHResult(dw::com::E_OUTOFMEMORY));
    }
    EXPECT_EQ(probe.references, 0);
}

} // namespace
