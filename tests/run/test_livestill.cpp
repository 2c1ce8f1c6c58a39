// The live preview's still: the first frame a run of the design would make, shown in the render
// window, with the main picture left as it was and never a message.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "design/picture.h"
#include "recordinghost.h"
#include "run/designersession.h"
#include "run/framesink.h"
#include "run/livestill.h"

using namespace dw::design;
using dw::run::DesignerSession;
using dw::run::drawLiveStill;
using dw::testing::RecordingHost;

namespace {

// Keeps the first frame of an export and ends the run there.
class FirstFrame : public dw::run::FrameSink {
public:
    bool open(int, int, int) override { return true; }
    bool writeFrame(const Picture& frame) override {
        image = frame.toImage();
        return false;
    }
    void close() override {}

    QImage image;
};

class LiveStill : public ::testing::Test {
protected:
    void load(const std::string& design) {
        const std::string file = std::string(DW_SAMPLES_DIR) + "/" + design + ".ini";
        ASSERT_EQ(session.loadIniFile(file), FileFlowResult::Done) << file;
        host.messages.clear();
    }

    QImage firstFrameOfRun() {
        auto sink = std::make_shared<FirstFrame>();
        session.saveAviAs("", sink);
        return sink->image;
    }

    QImage mainPicture() {
        return session.pictures().window(PictureSlot::Main)->Picture1().toImage();
    }

    RecordingHost host;
    DesignerSession session{host};
};

TEST_F(LiveStill, equalsTheFirstFrameOfARunAndLeavesTheMainPictureAlone) {
    for (const char* design : {"line-hands", "kite-hands", "bitmap-hands", "digital"}) {
        SCOPED_TRACE(design);
        load(design);
        const QImage expected = firstFrameOfRun();
        ASSERT_FALSE(expected.isNull());
        // Marks on the main picture, as Plot Centre leaves them, must survive the still.
        session.pictures().window(PictureSlot::Main)->Picture1().clear(0x00FF00);
        const QImage before = mainPicture();

        ASSERT_TRUE(drawLiveStill(session));
        EXPECT_EQ(session.renderWindow().Picture1().toImage(), expected);
        EXPECT_TRUE(session.renderWindow().isVisible());
        EXPECT_EQ(mainPicture(), before);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
    }
}

struct Refusal {
    const char* name;
    const char* design;
    std::function<void(DesignerSession&)> change;
};

TEST_F(LiveStill, drawsNothingAndSaysNothingWhenARunWouldNotShowTheDesign) {
    const Refusal refusals[] = {
        {"hour out of range", "line-hands", [](DesignerSession& s) { s.design().timeh = "13"; }},
        {"zero width", "line-hands", [](DesignerSession& s) { s.design().sw = "0"; }},
        {"width past 32 bits", "line-hands",
         [](DesignerSession& s) { s.design().hw = "9999999999"; }},
        {"kite with neither fill nor outline", "kite-hands",
         [](DesignerSession& s) {
             s.design().ac_chkhfill = 0;
             s.design().ac_chkhoutline = 0;
         }},
        {"hand bitmap unloaded", "bitmap-hands", [](DesignerSession& s) { s.U_SBMP(); }},
        {"erase mode", "erase-mode", [](DesignerSession&) {}},
        {"no main picture", "line-hands", [](DesignerSession& s) { s.unload_background(); }},
        {"a run under way", "line-hands", [](DesignerSession& s) { s.runState().idle = false; }},
        {"digital hour out of range", "digital",
         [](DesignerSession& s) { s.design().timeh = "25"; }},
    };
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.name);
        load(refusal.design);
        refusal.change(session);
        host.messages.clear();
        session.renderWindow().Picture1().clear();
        const QImage before = session.renderWindow().Picture1().toImage();

        EXPECT_FALSE(drawLiveStill(session));
        EXPECT_EQ(session.renderWindow().Picture1().toImage(), before);
        EXPECT_TRUE(host.messages.empty()) << host.messages.front().text;
        session.runState().idle = true;
    }
}

} // namespace
