// Exports of the sample designs as an outside reader sees them: ffprobe's frame count, rate and
// size, and ffmpeg's decoded frames against the PNG files of the frames command.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

#include "clitestsupport.h"

namespace dw::testing {
namespace {

namespace fs = std::filesystem;

struct SampleCase {
    const char* name;
    const char* sample;
    const char* fps;
    const char* duration;
    int width;
    int height;
    long long frames; // duration x fps; six a second in erase mode
};

const SampleCase kSamples[] = {
    {"lineHands", "line-hands.ini", "15", "2", 320, 240, 30},
    {"kiteHands", "kite-hands.ini", "12", "1", 320, 240, 12},
    {"bitmapHands", "bitmap-hands.ini", "10", "1", 320, 240, 10},
    {"eraseMode", "erase-mode.ini", "30", "2", 360, 280, 12},
    {"digital", "digital.ini", "10", "2", 320, 100, 20},
};

TEST(CliSamples, everySampleDesignHasARow) {
    std::vector<std::string> covered;
    for (const SampleCase& c : kSamples) {
        covered.push_back(c.sample);
    }
    std::sort(covered.begin(), covered.end());
    EXPECT_EQ(sampleDesigns(), covered);
}

CliRun exportSample(const DesignCopy& design, const SampleCase& c, const std::string& out,
                    std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"export", design.design(), "-o",         out,
                                     "--fps",  c.fps,           "--duration", c.duration};
    args.insert(args.end(), extra.begin(), extra.end());
    return runCli(args);
}

std::vector<QImage> framesOf(const DesignCopy& design, const SampleCase& c) {
    const std::string folder = design.file("frames");
    const CliRun run =
        runCli({"frames", design.design(), "-o", folder, "--fps", c.fps, "--duration", c.duration});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<QImage> frames;
    for (const std::string& name : filesIn(folder)) {
        frames.push_back(readPicture(folder + "/" + name));
    }
    return frames;
}

class CliSampleExport : public ::testing::TestWithParam<SampleCase> {};

TEST_P(CliSampleExport, holdsDurationTimesRateFramesOfThePictureSize) {
    const SampleCase& c = GetParam();
    const DesignCopy design(c.sample);
    const std::string out = design.file("out.avi");
    const CliRun run = exportSample(design, c, out);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const VideoFacts facts = probe(out);
    ASSERT_TRUE(facts.ok);
    EXPECT_EQ(facts.codec, "rawvideo");
    EXPECT_EQ(facts.width, c.width);
    EXPECT_EQ(facts.height, c.height);
    EXPECT_EQ(facts.frameRate, std::string(c.fps) + "/1");
    EXPECT_EQ(facts.frames, c.frames);
}

TEST_P(CliSampleExport, framesCommandWritesTheFramesTheAviHolds) {
    const SampleCase& c = GetParam();
    const DesignCopy design(c.sample);
    const std::string out = design.file("out.avi");
    ASSERT_EQ(exportSample(design, c, out).exitCode, 0);
    std::string errors;
    const std::vector<QImage> decoded = decodedFrames(out, c.width, c.height, &errors);
    EXPECT_EQ(errors, "");
    const std::vector<QImage> pngs = framesOf(design, c);
    ASSERT_EQ(pngs.size(), static_cast<std::size_t>(c.frames));
    ASSERT_EQ(decoded.size(), pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        EXPECT_TRUE(samePixels(decoded[i], pngs[i])) << "frame " << i + 1;
    }
}

INSTANTIATE_TEST_SUITE_P(Samples, CliSampleExport, ::testing::ValuesIn(kSamples),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CliCompressedExport, losslessCodecDecodesToTheSameFrames) {
    const SampleCase& c = kSamples[0];
    const DesignCopy design(c.sample);
    const std::string out = design.file("out.avi");
    const CliRun run = exportSample(design, c, out, {"--codec", "FFV1", "--keyframes", "10"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const VideoFacts facts = probe(out);
    EXPECT_EQ(facts.codec, "ffv1");
    EXPECT_EQ(facts.frames, c.frames);
    std::string errors;
    const std::vector<QImage> decoded = decodedFrames(out, c.width, c.height, &errors);
    const std::vector<QImage> pngs = framesOf(design, c);
    ASSERT_EQ(decoded.size(), pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        EXPECT_TRUE(samePixels(decoded[i], pngs[i])) << "frame " << i + 1;
    }
}

TEST(CliCompressedExport, lossyCodecTakesItsDataRate) {
    const SampleCase& c = kSamples[0];
    const DesignCopy design(c.sample);
    const std::string out = design.file("out.avi");
    const CliRun run = exportSample(design, c, out, {"--codec", "mjpeg", "--bitrate", "800"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const VideoFacts facts = probe(out);
    EXPECT_EQ(facts.codec, "mjpeg");
    EXPECT_EQ(facts.frames, c.frames);
    EXPECT_EQ(facts.frameRate, "15/1");
}

TEST(CliCompressedExport, unknownCodecIsAUsageMistakeBeforeAnyFile) {
    const DesignCopy design("line-hands.ini");
    const std::string out = design.file("out.avi");
    const CliRun run = runCli({"export", design.design(), "-o", out, "--codec", "cinepak"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.errLines().at(0), "dialwright-cli: unknown codec 'cinepak' ('dialwright-cli "
                                    "codecs' lists those on offer)");
    EXPECT_FALSE(std::filesystem::exists(out));
}

// The writer's failures: its message, status 1.
TEST(CliWriterFailure, pathUnderARegularFileCannotBeOpened) {
    const DesignCopy design("line-hands.ini");
    writeBytes(design.file("plain"), "not a folder");
    const CliRun run = runCli(
        {"export", design.design(), "-o", design.file("plain") + "/x.avi", "--duration", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: AVIFileOpen failed."});
}

TEST(CliWriterFailure, folderWithoutWritePermissionCannotBeOpened) {
    const DesignCopy design("line-hands.ini");
    const std::string folder = design.file("locked");
    std::filesystem::create_directory(folder);
    std::filesystem::permissions(folder, std::filesystem::perms::owner_read |
                                             std::filesystem::perms::owner_exec);
    if (::access(folder.c_str(), W_OK) == 0) {
        GTEST_SKIP() << "this user can write anywhere";
    }
    const CliRun run =
        runCli({"export", design.design(), "-o", folder + "/x.avi", "--duration", "1"});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: AVIFileOpen failed."});
    EXPECT_FALSE(std::filesystem::exists(folder + "/x.avi"));
}

TEST(CliWriterFailure, fullDiskEndsTheExportWithTheWritersMessage) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const DesignCopy design("line-hands.ini");
    const std::string disk = design.file("disk");
    std::filesystem::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    // Thirty uncompressed frames of 320 x 240 need about 7 MB.
    const CliRun run = runCli(
        {"export", design.design(), "-o", disk + "/full.avi", "--fps", "15", "--duration", "2"});
    ::umount2(disk.c_str(), MNT_DETACH);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errLines(), std::vector<std::string>{"dialwright: Couldn't write video data."});
}

// Ctrl-C asks the run to stop: it finishes the step, closes the file, and the program says how
// far it got.
void expectStoppedWithAPlayableFile(const char* sample) {
    const DesignCopy design(sample);
    const std::string out = design.file("long.avi");
    CliProcess cli({"export", design.design(), "-o", out, "--codec", "mjpeg", "--duration",
                    "100000", "--fps", "1"});
    ASSERT_GT(cli.pid(), 0);
    // Wait until frames are being written, then interrupt.
    for (int i = 0; i < 1000 && (!fs::exists(out) || fs::file_size(out) < 100000); ++i) {
        ::usleep(10000);
    }
    ::kill(cli.pid(), SIGINT);
    const CliRun run = cli.wait();
    EXPECT_EQ(run.exitCode, 1);
    const auto lines = run.errLines();
    ASSERT_EQ(lines.size(), 1u) << run.err;
    const std::string head = "dialwright: stopped after ";
    ASSERT_EQ(lines[0].rfind(head, 0), 0u) << lines[0];
    const long long frames = std::atoll(lines[0].c_str() + head.size());
    EXPECT_EQ(lines[0], head + std::to_string(frames) + " of 100000 frames");
    EXPECT_GT(frames, 0);
    EXPECT_EQ(probe(out).frames, frames);
}

TEST(CliInterrupt, stopsTheExportWithAPlayableFile) {
    expectStoppedWithAPlayableFile("line-hands.ini");
}

// A digital export never yields to the event queue; the stop request must reach it all the same.
TEST(CliInterrupt, stopsADigitalExportWithAPlayableFile) {
    expectStoppedWithAPlayableFile("digital.ini");
}

} // namespace
} // namespace dw::testing
