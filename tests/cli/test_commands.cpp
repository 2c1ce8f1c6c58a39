// The commands besides export: still, preview, upgrade, check and codecs, and what every run
// command does when the components cannot be created.
#include <gtest/gtest.h>

#include <filesystem>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

namespace fs = std::filesystem;

TEST(CliStill, isTheFirstFrameOfTheRunFromThatTime) {
    const DesignCopy design("line-hands.ini");
    const CliRun still =
        runCli({"still", design.design(), "-o", design.file("still.png"), "--time", "3:00:00"});
    ASSERT_EQ(still.exitCode, 0) << still.err;
    const CliRun frames = runCli({"frames", design.design(), "-o", design.file("frames"), "--start",
                                  "3:00:00", "--duration", "1", "--fps", "2"});
    ASSERT_EQ(frames.exitCode, 0) << frames.err;
    const QImage first = readPicture(design.file("frames/frame-000001.png"));
    EXPECT_TRUE(samePixels(readPicture(design.file("still.png")), first));

    const CliRun later =
        runCli({"still", design.design(), "-o", design.file("later.png"), "--time", "3:00:30"});
    ASSERT_EQ(later.exitCode, 0) << later.err;
    EXPECT_FALSE(samePixels(readPicture(design.file("later.png")), first));
}

TEST(CliStill, refusedRunLeavesNoPicture) {
    const DesignCopy design("line-hands.ini");
    const CliRun run =
        runCli({"still", design.design(), "-o", design.file("still.png"), "--time", "12:61:00"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: Invalid minutes"});
    EXPECT_FALSE(fs::exists(design.file("still.png")));
}

// The erase preview lays the face over the erase background at the composite position, leaving
// out the face's pixels of the transparent colour.
TEST(CliPreview, eraseCompositeShowsTheBackgroundThroughTheTransparentColour) {
    const DesignCopy design("erase-mode.ini");
    const CliRun run =
        runCli({"preview", design.design(), "--erase", "-o", design.file("preview.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage preview = readPicture(design.file("preview.png"));
    QImage expected = readPicture(design.file("erase_bg.bmp"));
    const QImage face = readPicture(design.file("face.bmp"));
    const QRgb transparent = qRgb(29, 7, 141); // transr, transg, transb of the sample
    for (int y = 0; y < face.height(); ++y) {
        for (int x = 0; x < face.width(); ++x) {
            if ((face.pixel(x, y) & 0xFFFFFF) != (transparent & 0xFFFFFF)) {
                expected.setPixel(x + 20, y + 20, face.pixel(x, y));
            }
        }
    }
    EXPECT_TRUE(samePixels(preview, expected));
}

TEST(CliPreview, bitmapHandsAreLaidOverTheFace) {
    const DesignCopy design("bitmap-hands.ini");
    const CliRun run =
        runCli({"preview", design.design(), "--bitmap", "-o", design.file("preview.png")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const QImage preview = readPicture(design.file("preview.png"));
    EXPECT_EQ(preview.size(), QSize(320, 240));
    EXPECT_FALSE(samePixels(preview, readPicture(design.file("face.bmp"))));
    // The fixed angles of the preview do not depend on the start time.
    const DesignCopy other("bitmap-hands.ini", {{"timeh", "4"}, {"times", "5"}});
    ASSERT_EQ(runCli({"preview", other.design(), "--bitmap", "-o", other.file("p.png")}).exitCode,
              0);
    EXPECT_TRUE(samePixels(readPicture(other.file("p.png")), preview));
}

TEST(CliPreview, missingPicturesAreRefusedWithTheirMessages) {
    const DesignCopy erase("line-hands.ini");
    const CliRun noBackground =
        runCli({"preview", erase.design(), "--erase", "-o", erase.file("p.png")});
    EXPECT_EQ(noBackground.exitCode, 1);
    EXPECT_EQ(noBackground.errLines(),
              std::vector<std::string>{"dialwright: No background picture has been loaded"});
    EXPECT_FALSE(fs::exists(erase.file("p.png")));

    const CliRun noHands =
        runCli({"preview", erase.design(), "--bitmap", "-o", erase.file("p.png")});
    EXPECT_EQ(noHands.exitCode, 1);
    EXPECT_EQ(noHands.errLines(),
              std::vector<std::string>{"dialwright: Hour bitmap has not been loaded"});
    EXPECT_FALSE(fs::exists(erase.file("p.png")));
}

// The log lines without their time stamps ("2024-03-05 07:08:09: ").
std::vector<std::string> logMessages(const std::vector<std::string>& lines) {
    std::vector<std::string> messages;
    for (const std::string& line : lines) {
        const bool stamped = line.size() >= 21 && line[4] == '-' && line.substr(19, 2) == ": ";
        messages.push_back(stamped ? line.substr(21) : line);
    }
    return messages;
}

TEST(CliUpgrade, logsTheUpgradeAndSavesTheCurrentVersion) {
    const ScratchFolder folder;
    fs::copy_file(std::string(DW_TEST_DATA_DIR) + "/cli/old-design.ini", folder.file("old.ini"));
    const CliRun run = runCli({"upgrade", folder.file("old.ini"), "-o", folder.file("new.ini")});
    EXPECT_EQ(run.exitCode, 0);
    const std::string dir = folder.path().string() + "/";
    EXPECT_EQ(logMessages(run.outLines()),
              (std::vector<std::string>{
                  "Load .INI " + folder.file("old.ini"),
                  "Updating .INI from version 0 to version 0.9",
                  "Warning: Please copy the picture elsewhere/face.bmp to " + dir,
                  "Load the picture using the load button, then save the .INI again.",
                  "Reload the .INI to confirm the update.",
                  "0 errors, 1 warning",
              }));
    // The picture that is not beside the design cannot be loaded; the design keeps its name.
    EXPECT_EQ(run.errLines(),
              (std::vector<std::string>{
                  "dialwright: File not found",
                  "dialwright: the picture elsewhere/face.bmp of the design did not load"}));
    const std::string saved = readBytes(folder.file("new.ini"));
    EXPECT_NE(saved.find("version=0.9\r\n"), std::string::npos);
    EXPECT_NE(saved.find("hred=200\r\n"), std::string::npos);
    EXPECT_NE(saved.find("image=elsewhere/face.bmp\r\n"), std::string::npos);
    // An older file takes the advanced defaults whatever it held.
    EXPECT_NE(saved.find("ac_chkhours=0\r\n"), std::string::npos);
    // Once the picture lies beside it, the saved design runs.
    fs::copy_file(std::string(DW_SAMPLES_DIR) + "/face.bmp", folder.file("face.bmp"));
    writeBytes(folder.file("new.ini"), withKeys(saved, {{"image", "face.bmp"}}));
    const CliRun check = runCli({"check", folder.file("new.ini")});
    EXPECT_EQ(check.exitCode, 0) << check.err;
}

// Picture names are looked up beside the design: a copy in another folder would name files that
// are not there, so that is refused; a design without relative picture names may go anywhere.
TEST(CliUpgrade, refusesAnotherFolderWhenPicturesAreNamedBesideTheDesign) {
    const DesignCopy design("line-hands.ini");
    const std::string other = design.file("other");
    fs::create_directory(other);
    const CliRun run = runCli({"upgrade", design.design(), "-o", other + "/up.ini"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(),
              std::vector<std::string>{
                  "dialwright: the design names its pictures relative to its own folder; write "
                  "the upgraded design into " +
                  design.folder().path().string() + " instead"});
    EXPECT_FALSE(fs::exists(other + "/up.ini"));

    const CliRun beside = runCli({"upgrade", design.design(), "-o", design.file("up.ini")});
    EXPECT_EQ(beside.exitCode, 0) << beside.err;
    EXPECT_EQ(runCli({"check", design.file("up.ini")}).exitCode, 0);

    const DesignCopy absolute("line-hands.ini", {{"image", design.file("face.bmp")}});
    const CliRun moved = runCli({"upgrade", absolute.design(), "-o", other + "/abs.ini"});
    EXPECT_EQ(moved.exitCode, 0) << moved.err;
    EXPECT_EQ(runCli({"check", other + "/abs.ini"}).exitCode, 0);
}

TEST(CliUpgrade, refusedSaveSaysSoAndFails) {
    // The picture named absolutely, so that the save into another folder is attempted.
    const DesignCopy pictures("line-hands.ini");
    const DesignCopy design("line-hands.ini", {{"image", pictures.file("face.bmp")}});
    writeBytes(design.file("plain"), "x");
    const CliRun run = runCli({"upgrade", design.design(), "-o", design.file("plain") + "/x.ini"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(),
              (std::vector<std::string>{"dialwright: .INI file write failed.",
                                        "dialwright: Please check to see if the file is read "
                                        "only."}));
}

TEST(CliUpgrade, missingDesignFileIsNotLoadedAsAnEmptyOne) {
    const ScratchFolder folder;
    const CliRun run = runCli({"upgrade", folder.file("none.ini"), "-o", folder.file("new.ini")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: cannot read the design file " +
                                                       folder.file("none.ini")});
    EXPECT_FALSE(fs::exists(folder.file("new.ini")));
}

TEST(CliCheck, passesASampleWithoutWritingAnything) {
    const DesignCopy design("bitmap-hands.ini");
    const auto before = filesIn(design.folder().path().string());
    const CliRun run = runCli({"check", design.design()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    ASSERT_EQ(run.outLines().size(), 2u) << run.out;
    EXPECT_EQ(logMessages(run.outLines())[0], "Load .INI " + design.design());
    EXPECT_EQ(run.outLines()[1], "Checks passed: an export would write 300 frames of 320 x 240 "
                                 "at 30 frames per second.");
    EXPECT_EQ(filesIn(design.folder().path().string()), before);
}

// Other tools and hand edits quote file names; the pictures load all the same.
TEST(CliCheck, loadsPicturesNamedWithQuotes) {
    const DesignCopy design("bitmap-hands.ini", {{"image", "\"face.bmp\""},
                                                 {"hourbitmap", "\"hour.bmp\""},
                                                 {"minutebitmap", "  'minute.bmp'  "}});
    const CliRun run = runCli({"check", design.design()});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "") << "a picture that does not load is named on standard error";
    ASSERT_EQ(run.outLines().size(), 2u) << run.out;
    EXPECT_EQ(run.outLines()[1], "Checks passed: an export would write 300 frames of 320 x 240 "
                                 "at 30 frames per second.");
}

TEST(CliCheck, reportsTheFirstRefusal) {
    const DesignCopy design("kite-hands.ini", {{"copyfps", "10"}});
    const CliRun run = runCli({"check", design.design()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(),
              std::vector<std::string>{"dialwright: In this version copy FPS must be a multiple "
                                       "of 6 for second hand smooth movement"});
}

// A run-time error ends a run without a message of the run's own; check says what it was.
TEST(CliCheck, namesTheRunTimeErrorThatEndsTheRun) {
    for (const char* sample : {"line-hands.ini", "erase-mode.ini", "digital.ini"}) {
        const DesignCopy design(sample, {{"duration", "99999999999"}});
        const CliRun run = runCli({"check", design.design()});
        EXPECT_EQ(run.exitCode, 1) << sample;
        EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: Overflow"}) << sample;
    }
}

TEST(CliCodecs, listsTheUncompressedFormatFirst) {
    const CliRun run = runCli({"codecs"});
    EXPECT_EQ(run.exitCode, 0);
    const auto lines = run.outLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[1].rfind("uncompressed  DIB", 0), 0u) << lines[1];
    EXPECT_NE(run.out.find("ffv1"), std::string::npos);
}

TEST(CliComponents, unregisteredComponentsEndEveryRunCommandWithTheStartUpMessage) {
    const DesignCopy design("line-hands.ini");
    writeBytes(design.file("empty-registry"), "");
    const std::vector<std::string> env = {"DIALWRIGHT_REGISTRY=" + design.file("empty-registry")};
    const std::vector<std::vector<std::string>> calls = {
        {"export", design.design(), "-o", design.file("out.avi")},
        {"frames", design.design(), "-o", design.file("frames")},
        {"still", design.design(), "-o", design.file("s.png")},
        {"check", design.design()},
        {"codecs"},
    };
    for (const auto& call : calls) {
        const CliRun run = runCli(call, env);
        EXPECT_EQ(run.exitCode, 1) << call[0];
        const auto lines = run.errLines();
        ASSERT_EQ(lines.size(), 2u) << call[0] << ": " << run.err;
        EXPECT_EQ(lines[0].rfind("dialwright: ", 0), 0u);
        EXPECT_GT(lines[0].size(), std::string("dialwright: ").size());
        EXPECT_EQ(lines[1], "dialwright: reelkit.dll not registered");
    }
    EXPECT_FALSE(fs::exists(design.file("out.avi")));
    EXPECT_FALSE(fs::exists(design.file("frames")));
    EXPECT_FALSE(fs::exists(design.file("s.png")));
}

} // namespace
} // namespace dw::testing
