// The render window model and the holder that makes it on first use.
#include <gtest/gtest.h>

#include "recordinghost.h"
#include "render/renderwindowholder.h"
#include "slotpictures.h"

using namespace dw::design;
using namespace dw::testing;
using dw::render::kCannotExit;
using dw::render::kRenderWindow;
using dw::render::RenderWindowHolder;
using dw::render::RenderWindowModel;

namespace {

using Events = std::vector<std::pair<std::string, WindowEvent>>;

TEST(RenderWindow, showingAPictureCopiesItAndBringsTheWindowForward) {
    RecordingHost host;
    RenderWindowModel window(host);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.bSaving);

    Picture picture;
    picture.assign(filledImage(7, 5, 0xFF336699));
    window.showPicture(picture);
    picture.clear(0); // the caller's picture is its own
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.Picture1().width(), 7);
    EXPECT_EQ(pixelAt(window.Picture1(), 6, 4), 0x336699u);
    EXPECT_EQ(host.windowEvents, (Events{{kRenderWindow, WindowEvent::PictureChanged},
                                         {kRenderWindow, WindowEvent::Shown}}));

    // Shown again when already visible: still brought to the front.
    window.showPicture(picture);
    EXPECT_EQ(host.windowEvents.back(),
              (std::pair<std::string, WindowEvent>{kRenderWindow, WindowEvent::Shown}));
}

TEST(RenderWindowHolder, makesTheWindowOnFirstUseAndAFreshOneAfterAnUnload) {
    RecordingHost host;
    RenderWindowHolder holder(host);
    EXPECT_EQ(holder.current(), nullptr);
    EXPECT_TRUE(holder.unload()) << "nothing to unload";

    RenderWindowModel& first = holder.get();
    EXPECT_EQ(&holder.get(), &first);
    Picture picture(3, 3);
    first.showPicture(picture);
    first.bSaving = true;
    EXPECT_FALSE(holder.unload());
    EXPECT_EQ(holder.current(), &first) << "a busy window stays";
    EXPECT_EQ(host.messages,
              (std::vector<RecordedMessage>{{kCannotExit, MessageIcon::Information}}));

    first.bSaving = false;
    const std::shared_ptr<RenderWindowModel> kept = holder.shared();
    EXPECT_TRUE(holder.unload());
    EXPECT_EQ(holder.current(), nullptr);
    EXPECT_EQ(host.windowEvents.back().second, WindowEvent::Unloaded);
    EXPECT_FALSE(kept->isVisible());
    EXPECT_EQ(kept->Picture1().width(), 3) << "a run holding the window still has its picture";

    RenderWindowModel& fresh = holder.get();
    EXPECT_NE(&fresh, kept.get());
    EXPECT_FALSE(fresh.isVisible());
    EXPECT_FALSE(fresh.bSaving);
    EXPECT_TRUE(fresh.Picture1().isEmpty());
}

} // namespace
