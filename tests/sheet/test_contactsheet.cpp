#include <gtest/gtest.h>

#include "../run/runfixture.h"
#include "design/hosttap.h"
#include "sheet/contactsheet.h"

namespace dw::sheet {
namespace {

class ContactSheetTest : public testing::RunFixture {
protected:
    // A sheet runs over a session whose host is the tap it is given.
    design::HostTap tap{host};
    run::DesignerSession tappedSession{tap};
};

TEST_F(ContactSheetTest, everyStillIsTakenAndTheStartTimeIsPutBack) {
    tappedSession.setIniDirectory(folder.path() + "/");
    host.openAnswers.push_back(writePicture("face2.bmp", 64, 48, 0xFF102030));
    tappedSession.load_background();
    auto& d = tappedSession.design();
    d.timeh = "4";
    d.timem = "30";
    d.times = "0";
    d.duration = "1";
    d.copyfps = "5";
    d.synctest = 0;

    SheetOptions options;
    options.times = {{1, 0, 0}, {2, 0, 0}};
    const SheetOutcome outcome = makeContactSheet(tappedSession, tap, options);

    EXPECT_EQ(outcome.error, "");
    ASSERT_EQ(outcome.cells.size(), 2u);
    EXPECT_FALSE(outcome.cells[1].still.isNull());
    EXPECT_EQ(d.timeh + ":" + d.timem + ":" + d.times, "4:30:0");
}

} // namespace
} // namespace dw::sheet
