// Bitmap hands through the real rotation component (from the test registry) and, where the
// calls themselves matter, through a probe that records them.
#include "render/bitmaphands.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/runtimeerror.h"
#include "dw/platform/com/errortext.h"
#include "probegdiext.h"
#include "recordinghost.h"
#include "render/handgeometry.h"
#include "render/rotationobject.h"
#include "slotpictures.h"

using namespace dw::design;
using namespace dw::testing;
using dw::render::BitmapHands;
using dw::render::HandIndices;
using dw::render::RotationObject;

namespace {

constexpr QRgb kFace = 0xFF808080;
constexpr QRgb kHourRed = 0xFFFF0000;
constexpr QRgb kMinuteGreen = 0xFF00FF00;
constexpr QRgb kSecondBlue = 0xFF0000FF;
constexpr QRgb kCapWhite = 0xFFFFFFFF;

// An upright hand: a bar three pixels wide from the centre of a 40 x 40 picture up to `tipY`.
QImage handImage(int tipY, QRgb colour) {
    return withRect(filledImage(40, 40, kMagenta), 19, tipY, 3, 21 - tipY, colour);
}

class BitmapHandsTest : public ::testing::Test {
protected:
    void SetUp() override {
        loadIntoSlot(pictures, folder, PictureSlot::Main, filledImage(40, 40, kFace), "face.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Hour, handImage(10, kHourRed), "hour.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Minute, handImage(6, kMinuteGreen),
                     "minute.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Second, handImage(3, kSecondBlue),
                     "second.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Top,
                     withRect(filledImage(40, 40, kMagenta), 18, 18, 5, 5, kCapWhite), "top.bmp");
        ASSERT_TRUE(host.messages.empty());
    }

    // One frame at the indices with the real component, hands laid at (x, y).
    void drawFrame(HandIndices at, std::int16_t x = 0, std::int16_t y = 0) {
        hands.loadWorkPictures(pictures);
        RotationObject rotation = RotationObject::create();
        hands.drawBitmapHands(rotation, pictures, surface, x, y, kMagentaColour, at.second,
                              at.minute, at.hour);
    }

    RecordingHost host;
    ClockDesign design;
    PictureFolder folder;
    std::string directory = folder.path();
    PictureSlots pictures{host, design, directory};
    BitmapHands hands;
    Picture surface;
};

constexpr HandIndices kTwelve{180, 180, 180};

TEST_F(BitmapHandsTest, twelveOClockLaysUprightHandsHourOnTopUnderTheCap) {
    drawFrame(kTwelve);
    ASSERT_EQ(surface.width(), 40);
    EXPECT_EQ(pixelAt(surface, 20, 13), kHourRed & 0xFFFFFF) << "hour over minute and second";
    EXPECT_EQ(pixelAt(surface, 20, 8), kMinuteGreen & 0xFFFFFF) << "minute over second";
    EXPECT_EQ(pixelAt(surface, 20, 4), kSecondBlue & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 20, 20), kCapWhite & 0xFFFFFF) << "the top bitmap caps the hands";
    EXPECT_EQ(pixelAt(surface, 5, 5), kFace & 0xFFFFFF) << "transparent pixels show the face";
    EXPECT_EQ(pixelAt(surface, 30, 20), kFace & 0xFFFFFF);
}

TEST_F(BitmapHandsTest, handsTurnClockwiseToTheirIndices) {
    // Second at three o'clock (index 90), minute at six (0), hour at nine (270).
    drawFrame({270, 0, 90});
    EXPECT_EQ(pixelAt(surface, 32, 20), kSecondBlue & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 20, 32), kMinuteGreen & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 12, 20), kHourRed & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 20, 8), kFace & 0xFFFFFF) << "nothing left at twelve";
}

TEST_F(BitmapHandsTest, eachFrameStartsFromTheStoredFaceNotFromWhatWasDrawn) {
    // Marks on the main picture's visible picture and an old frame on the surface.
    pictures.window(PictureSlot::Main)->Picture1().clear(0x0000FF);
    surface.assign(filledImage(40, 40, 0xFF123456));
    drawFrame({270, 0, 90});
    drawFrame(kTwelve);
    EXPECT_EQ(pixelAt(surface, 5, 5), kFace & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 32, 20), kFace & 0xFFFFFF) << "the earlier second hand is gone";
}

TEST_F(BitmapHandsTest, handPositionMovesTheHandsButNotTheTopBitmap) {
    pictures.window(PictureSlot::Main)->Picture1b().assign(filledImage(60, 60, kFace));
    drawFrame(kTwelve, 10, 10);
    EXPECT_EQ(pixelAt(surface, 30, 23), kHourRed & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 20, 20), kCapWhite & 0xFFFFFF);
    EXPECT_EQ(pixelAt(surface, 30, 30), kHourRed & 0xFFFFFF) << "the cap stays at the face's (0,0)";
}

TEST_F(BitmapHandsTest, workPicturesAreCopiesOfTheStoredPictures) {
    PictureWindowModel& hour = *pictures.window(PictureSlot::Hour);
    hour.Picture1().clear(0x00FFFF); // a mark on the visible picture only
    hands.loadWorkPictures(pictures);
    EXPECT_EQ(hands.Picture4().toImage(), hour.Picture1b().toImage());
    EXPECT_EQ(hands.Picture6().width(), 40);
}

TEST_F(BitmapHandsTest, rotationLeavesUnreachedPixelsOfTheWorkPictureAsTheyWere) {
    hands.loadWorkPictures(pictures);
    Picture& work = hands.Picture6();
    dw::platform::SetPixel(work.handle(), 0, 0, 0x00FFFF);
    dw::platform::SetPixel(work.handle(), 39, 39, 0x00FFFF);
    RotationObject rotation = RotationObject::create();
    BitmapHands::rotateInto(rotation, *pictures.window(PictureSlot::Second), work, 1.0);
    EXPECT_EQ(dw::platform::GetPixel(work.handle(), 0, 0), 0x00FFFFu);
    EXPECT_EQ(dw::platform::GetPixel(work.handle(), 39, 39), 0x00FFFFu);
    EXPECT_NE(work.toImage(), pictures.window(PictureSlot::Second)->Picture1b().toImage());
}

TEST_F(BitmapHandsTest, slowHandsAreTurnedOnlyWhenTheirAngleChanged) {
    hands.loadWorkPictures(pictures);
    ProbeGdiext probeObject;
    ProbeGdiext* probe = &probeObject;
    RotationObject rotation = RotationObject::adopt(probe);
    auto frame = [&](HandIndices at) {
        hands.drawBitmapHands(rotation, pictures, surface, 0, 0, kMagentaColour, at.second,
                              at.minute, at.hour);
    };
    const std::uint32_t p4 = hands.Picture4().handle();
    const std::uint32_t p5 = hands.Picture5().handle();
    const std::uint32_t p6 = hands.Picture6().handle();

    frame({180, 180, 180});
    frame({180, 180, 174});
    EXPECT_EQ(probe->rotationsInto(p4), 1);
    EXPECT_EQ(probe->rotationsInto(p5), 1);
    EXPECT_EQ(probe->rotationsInto(p6), 2) << "the second hand turns every frame";

    frame({180, 174, 168});
    EXPECT_EQ(probe->rotationsInto(p4), 1);
    EXPECT_EQ(probe->rotationsInto(p5), 2);

    hands.resetCachedAngles();
    frame({180, 174, 168});
    EXPECT_EQ(probe->rotationsInto(p4), 2) << "a run start turns every hand on its first frame";
    EXPECT_EQ(probe->rotationsInto(p5), 3);
    rotation.release();
    EXPECT_EQ(probe->references, 0);
}

TEST_F(BitmapHandsTest, aFailingComponentCallIsARunTimeErrorAndTheObjectIsStillReleased) {
    hands.loadWorkPictures(pictures);
    ProbeGdiext probe;
    probe.failOnCall = 3; // the first transparent copy, after the three rotations
    {
        RotationObject rotation = RotationObject::adopt(&probe);
        try {
            hands.drawBitmapHands(rotation, pictures, surface, 0, 0, kMagentaColour, 180, 180, 180);
            FAIL() << "no run-time error";
        } catch (const RuntimeError& error) {
            EXPECT_EQ(error.description(), dw::com::describeHResult(dw::com::E_FAIL));
        }
    }
    EXPECT_EQ(probe.references, 0);
}

TEST_F(BitmapHandsTest, anEmptySlotStopsTheFrameBeforeAnythingChanges) {
    hands.loadWorkPictures(pictures);
    surface.assign(filledImage(40, 40, 0xFF123456));
    pictures.unload(PictureSlot::Top);
    ProbeGdiext probe;
    RotationObject rotation = RotationObject::adopt(&probe);
    EXPECT_THROW(
        {
            try {
                hands.drawBitmapHands(rotation, pictures, surface, 0, 0, kMagentaColour, 180, 180,
                                      180);
            } catch (const RuntimeError& error) {
                EXPECT_EQ(error.description(), kObjectVariableNotSet);
                throw;
            }
        },
        RuntimeError);
    EXPECT_TRUE(probe.calls.empty());
    EXPECT_EQ(pixelAt(surface, 0, 0), 0x123456u);
    EXPECT_EQ(hands.cachedHourAngle(), dw::render::kNoAngle);
    rotation.release();

    pictures.unload(PictureSlot::Minute);
    EXPECT_THROW(hands.loadWorkPictures(pictures), RuntimeError);
}

// Odd pictures never crash a frame: tiny ones, hands of different sizes, hands far off the face.
TEST_F(BitmapHandsTest, oddSizesAndPositionsDrawWithoutHarm) {
    pictures.unloadAllPictures();
    loadIntoSlot(pictures, folder, PictureSlot::Main, filledImage(1, 1, kFace), "face1.bmp");
    loadIntoSlot(pictures, folder, PictureSlot::Hour, filledImage(1, 1, kHourRed), "h1.bmp");
    loadIntoSlot(pictures, folder, PictureSlot::Minute, handImage(6, kMinuteGreen), "m.bmp");
    loadIntoSlot(pictures, folder, PictureSlot::Second, filledImage(60, 20, kSecondBlue), "s.bmp");
    loadIntoSlot(pictures, folder, PictureSlot::Top, filledImage(1, 1, kMagenta), "t1.bmp");
    drawFrame({0, 90, 270});
    EXPECT_EQ(surface.width(), 1);
    EXPECT_EQ(hands.Picture5().height(), 40);
    EXPECT_EQ(hands.Picture6().width(), 60);
    // Laid at (0, 0) the 1 x 1 hour picture covers the whole face.
    EXPECT_EQ(pixelAt(surface, 0, 0), kHourRed & 0xFFFFFF);

    drawFrame({0, 90, 270}, 32000, -32000);
    EXPECT_EQ(pixelAt(surface, 0, 0), kFace & 0xFFFFFF);
}

} // namespace
