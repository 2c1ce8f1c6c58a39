// One frame of a normal-mode run, in line and in bitmap mode, and the settings it is drawn with.
#include "render/framecomposer.h"

#include <gtest/gtest.h>

#include "design/clockdesign.h"
#include "design/runtimeerror.h"
#include "probegdiext.h"
#include "recordinghost.h"
#include "render/bitmaphands.h"
#include "render/handgeometry.h"
#include "render/renderwindowholder.h"
#include "slotpictures.h"

using namespace dw::design;
using namespace dw::testing;
using namespace dw::render;

namespace {

constexpr QRgb kFace = 0xFF404040;

// A 64 x 64 face, centre (32, 32), radius 20: the hour hand reaches 12 pixels, the minute hand
// 15 and the second hand 20. Hands are red (hour), green (minute) and blue (second).
class FrameComposerTest : public ::testing::Test {
protected:
    void SetUp() override {
        design.centrex = 32;
        design.centrey = 32;
        design.radius = "20";
        design.useir = 0;
        design.displayOrder = "hms";
        design.hw = design.mw = design.sw = "1";
        design.hred = "255", design.hgreen = "0", design.hblue = "0";
        design.mred = "0", design.mgreen = "255", design.mblue = "0";
        design.sred = "0", design.sgreen = "0", design.sblue = "255";
        geometry.computeHandTables(design);
        loadIntoSlot(pictures, folder, PictureSlot::Main, filledImage(64, 64, kFace), "face.bmp");
        pictures.showMainPicture();
    }

    void loadBitmaps() {
        design.chkBitmap = 1;
        design.bmptransr = "255", design.bmptransg = "0", design.bmptransb = "255";
        const QImage bar = withRect(filledImage(64, 64, kMagenta), 31, 10, 3, 23, 0xFFFFFF00);
        loadIntoSlot(pictures, folder, PictureSlot::Hour, bar, "h.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Minute, filledImage(64, 64, kMagenta), "m.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Second, filledImage(64, 64, kMagenta), "s.bmp");
        loadIntoSlot(pictures, folder, PictureSlot::Top, filledImage(64, 64, kMagenta), "t.bmp");
    }

    FrameComposer lineComposer() {
        return FrameComposer(context, *readNormalRunSettings(design, host));
    }

    FrameComposer bitmapComposer() {
        RotationObject rotation = prepareBitmapHands(context);
        return FrameComposer(context, *readNormalRunSettings(design, host), std::move(rotation));
    }

    RecordingHost host;
    ClockDesign design;
    HandGeometry geometry;
    PictureFolder folder;
    std::string directory = folder.path();
    PictureSlots pictures{host, design, directory};
    RenderWindowHolder renderWindow{host};
    BitmapHands hands;
    FrameContext context{design, geometry, pictures, renderWindow, hands};
};

constexpr HandIndices kThreeOClock{90, 180, 180};
constexpr HandIndices kNineOClock{270, 180, 180};

TEST_F(FrameComposerTest, lineFramesAreDrawnOnTheMainPictureOverAFreshFace) {
    FrameComposer composer = lineComposer();
    Picture& surface = composer.surface();
    EXPECT_EQ(&surface, &pictures.window(PictureSlot::Main)->Picture1());

    composer.drawFrame(kThreeOClock);
    EXPECT_EQ(pixelAt(surface, 40, 32), 0xFF0000u) << "hour hand towards three";
    EXPECT_EQ(pixelAt(surface, 32, 20), 0x0000FFu) << "second hand over the minute hand";

    composer.drawFrame(kNineOClock);
    EXPECT_EQ(pixelAt(surface, 40, 32), kFace & 0xFFFFFF) << "the last frame's hand is gone";
    EXPECT_EQ(pixelAt(surface, 24, 32), 0xFF0000u);
    EXPECT_EQ(host.windowEvents.back(),
              (std::pair<std::string, WindowEvent>{"Main background bitmap",
                                                   WindowEvent::PictureChanged}));
}

TEST_F(FrameComposerTest, bitmapFramesAreComposedInTheRenderWindow) {
    loadBitmaps();
    pictures.window(PictureSlot::Main)->Picture1().clear(0x0000FF); // marks not to be shown
    FrameComposer composer = bitmapComposer();
    RenderWindowModel& window = renderWindow.get();
    EXPECT_TRUE(window.isVisible()) << "the run start shows the face in the render window";
    EXPECT_EQ(pixelAt(window.Picture1(), 0, 0), kFace & 0xFFFFFF);
    EXPECT_EQ(hands.Picture4().width(), 64);
    EXPECT_EQ(hands.cachedHourAngle(), kNoAngle);

    composer.drawFrame(kThreeOClock);
    EXPECT_EQ(&composer.surface(), &window.Picture1());
    EXPECT_EQ(pixelAt(window.Picture1(), 42, 32), 0xFFFF00u) << "hour bitmap turned to three";
    EXPECT_EQ(pixelAt(window.Picture1(), 32, 15), kFace & 0xFFFFFF);
}

TEST_F(FrameComposerTest, aRenderWindowUnloadedBetweenFramesIsMadeAfresh) {
    loadBitmaps();
    FrameComposer composer = bitmapComposer();
    composer.drawFrame(kThreeOClock);
    ASSERT_TRUE(renderWindow.unload());
    composer.drawFrame(kNineOClock);
    ASSERT_NE(renderWindow.current(), nullptr);
    EXPECT_EQ(&composer.surface(), &renderWindow.current()->Picture1());
    EXPECT_EQ(pixelAt(composer.surface(), 22, 32), 0xFFFF00u);
}

TEST_F(FrameComposerTest, aPictureThatLeftItsSlotDuringARunEndsIt) {
    FrameComposer line = lineComposer();
    pictures.unload(PictureSlot::Main);
    loadIntoSlot(pictures, folder, PictureSlot::Main, filledImage(64, 64, kFace), "face2.bmp");
    try {
        line.drawFrame(kThreeOClock);
        FAIL() << "drew on a picture the run did not start with";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), kObjectVariableNotSet);
    }

    loadBitmaps();
    FrameComposer bitmap = bitmapComposer();
    pictures.unload(PictureSlot::Second);
    EXPECT_THROW(bitmap.drawHands(kThreeOClock), RuntimeError);
    EXPECT_THROW(bitmap.surface(), RuntimeError);
}

TEST_F(FrameComposerTest, theRotationObjectGoesWithTheComposer) {
    loadBitmaps();
    ProbeGdiext probe;
    {
        FrameComposer composer(context, *readNormalRunSettings(design, host),
                               RotationObject::adopt(&probe));
        composer.drawFrame(kThreeOClock);
        EXPECT_EQ(probe.references, 1);
    }
    EXPECT_EQ(probe.references, 0);
}

TEST_F(FrameComposerTest, bitmapSettingsAreReadOnlyForBitmapHands) {
    design.bmptransr = "red";
    std::optional<NormalRunSettings> settings = readNormalRunSettings(design, host);
    ASSERT_TRUE(settings);
    EXPECT_FALSE(settings->bitmapHands);

    design.chkBitmap = 1;
    try {
        readNormalRunSettings(design, host);
        FAIL() << "a colour box that is not a number was taken";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.description(), kTypeMismatch);
    }
    design.bmptransr = " 12 ";
    design.bmptransg = "1";
    design.bmptransb = "2.5";
    design.bmptopx = -7;
    settings = readNormalRunSettings(design, host);
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->bitmapTransparentColour, 12 + 256 * 1 + 65536 * 2);
    EXPECT_EQ(settings->bitmapX, -7);
}

TEST_F(FrameComposerTest, aKiteWithNothingToDrawEndsTheReadingWithItsMessage) {
    design.ac_chkminutes = 1;
    EXPECT_FALSE(readNormalRunSettings(design, host));
    ASSERT_EQ(host.messages.size(), 1u);
    EXPECT_EQ(host.messages[0].icon, MessageIcon::Information);
}

} // namespace

// A view repaints only the areas the main window tells; over a run they must hold every pixel
// that changed from one frame to the next, and anything drawn by others makes it whole again.
TEST_F(FrameComposerTest, framesTellTheAreaTheyChangedUnlessOthersDrewBetween) {
    FrameComposer composer = lineComposer();
    PictureWindowModel& main = *pictures.window(PictureSlot::Main);
    composer.drawFrame(kThreeOClock);
    EXPECT_EQ(main.takeChangedArea(), std::nullopt) << "the first frame repaints everything";

    QImage before = main.Picture1().toImage();
    composer.drawFrame(kNineOClock);
    const std::optional<QRect> area = main.takeChangedArea();
    ASSERT_TRUE(area.has_value());
    const QImage after = main.Picture1().toImage();
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            if (before.pixel(x, y) != after.pixel(x, y)) {
                EXPECT_TRUE(area->contains(x, y)) << x << ", " << y;
            }
        }
    }
    EXPECT_LT(area->width(), 64) << "the hands' area, not the face";

    main.pictureChanged(); // a tool drew a mark
    composer.drawFrame(kThreeOClock);
    EXPECT_EQ(main.takeChangedArea(), std::nullopt);
    pictures.Picture2().clear(0xFFFFFF); // the background itself changed
    composer.drawFrame(kNineOClock);
    EXPECT_EQ(main.takeChangedArea(), std::nullopt);
}
