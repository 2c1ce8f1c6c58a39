// Exports to the video containers as ffprobe and ffmpeg see them: the rate, size and duration,
// the picture at every frame-time against the PNG files of the frames command, one encoded
// picture per step, and the refusals and stops.
#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <sys/mount.h>
#include <unistd.h>

#include "clitestsupport.h"
#include "mediatools.h"

namespace dw::testing {
namespace {

namespace fs = std::filesystem;

std::string ffprobeStream(const std::string& path, const std::string& entries) {
    int status = 0;
    std::string out = runCommand("ffprobe -v error -count_packets -select_streams v:0 "
                                 "-show_entries " +
                                     entries + " -of csv=p=0 '" + path + "'",
                                 &status);
    while (!out.empty() && (out.back() == '\n' || out.back() == ',')) {
        out.pop_back();
    }
    return status == 0 ? out : "ffprobe failed";
}

double psnr(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            for (const int d : {qRed(p) - qRed(q), qGreen(p) - qGreen(q), qBlue(p) - qBlue(q)}) {
                sum += d * d;
            }
        }
    }
    const double mse = sum / (3.0 * a.width() * a.height());
    return mse == 0 ? 99 : 10 * std::log10(255.0 * 255.0 / mse);
}

std::vector<QImage> pngFrames(const DesignCopy& design, const std::string& fps,
                              const std::string& duration) {
    const std::string folder = design.file("frames");
    const CliRun run =
        runCli({"frames", design.design(), "-o", folder, "--fps", fps, "--duration", duration});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    std::vector<QImage> frames;
    for (const std::string& name : filesIn(folder)) {
        frames.push_back(readPicture(folder + "/" + name));
    }
    return frames;
}

struct ContainerCase {
    const char* name;
    const char* sample;
    const char* file;
    const char* codec; // ffprobe's name
    const char* fps;
    const char* duration;
    int width, height;
    bool lossless; // decodes to the PNG files exactly
};

const ContainerCase kContainers[] = {
    {"mp4", "line-hands.ini", "out.mp4", "h264", "15", "2", 320, 240, false},
    {"webm", "line-hands.ini", "out.webm", "vp9", "15", "2", 320, 240, false},
    {"mkv", "line-hands.ini", "out.mkv", "ffv1", "15", "2", 320, 240, true},
    {"mov", "line-hands.ini", "out.mov", "h264", "15", "2", 320, 240, false},
    {"gif", "line-hands.ini", "out.gif", "gif", "15", "2", 320, 240, true},
    {"digitalGif", "digital.ini", "out.gif", "gif", "10", "3", 320, 100, true},
    {"eraseMkv", "erase-mode.ini", "out.mkv", "ffv1", "30", "2", 360, 280, true},
};

class CliVideoExport : public ::testing::TestWithParam<ContainerCase> {};

TEST_P(CliVideoExport, holdsThePictureOfEveryFrameTheFramesCommandWrites) {
    const ContainerCase& c = GetParam();
    const DesignCopy design(c.sample);
    const std::string out = design.file(c.file);
    const CliRun run =
        runCli({"export", design.design(), "-o", out, "--fps", c.fps, "--duration", c.duration});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(ffprobeStream(out, "stream=codec_name,width,height"),
              std::string(c.codec) + "," + std::to_string(c.width) + "," +
                  std::to_string(c.height));
    const std::vector<QImage> pngs = pngFrames(design, c.fps, c.duration);
    // As long as the AVI file of the same frames (erase mode makes six a second of clock time).
    EXPECT_NEAR(std::stod(ffprobeStream(out, "format=duration")),
                static_cast<double>(pngs.size()) / std::stoi(c.fps), 0.01);
    std::string errors;
    const std::vector<QImage> decoded =
        decodedFrames(out, c.width, c.height, &errors, std::stoi(c.fps));
    EXPECT_EQ(errors, "");
    ASSERT_EQ(decoded.size(), pngs.size());
    for (std::size_t i = 0; i < pngs.size(); ++i) {
        if (c.lossless) {
            EXPECT_TRUE(samePixels(decoded[i], pngs[i])) << "frame " << i + 1;
        } else {
            EXPECT_GE(psnr(decoded[i], pngs[i]), 35.0) << "frame " << i + 1;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Containers, CliVideoExport, ::testing::ValuesIn(kContainers),
                         [](const auto& info) { return std::string(info.param.name); });

// Fifteen frames a step: each step's picture is stored once, plus the repeat that marks where
// the last one ends; with --cfr every frame-time is a frame.
TEST(CliVideoRepeats, aStepIsOnePictureUnlessConstantFrameRateIsAsked) {
    const DesignCopy design("line-hands.ini");
    for (const char* file : {"out.mkv", "out.mp4", "out.gif"}) {
        const std::string out = design.file(file);
        ASSERT_EQ(runCli({"export", design.design(), "-o", out, "--fps", "15", "--duration", "3"})
                      .exitCode,
                  0);
        const bool gif = std::string(file) == "out.gif";
        EXPECT_EQ(ffprobeStream(out, "stream=nb_read_packets"), gif ? "3" : "4") << file;
        const std::string cfr = design.file(std::string("cfr-") + file);
        ASSERT_EQ(runCli({"export", design.design(), "-o", cfr, "--fps", "15", "--duration", "3",
                          "--cfr"})
                      .exitCode,
                  0);
        EXPECT_EQ(ffprobeStream(cfr, "stream=nb_read_packets"), "45") << file;
    }
    EXPECT_EQ(ffprobeStream(design.file("cfr-out.mkv"), "stream=r_frame_rate"), "15/1");
}

struct RefusalCase {
    const char* name;
    std::vector<std::string> args; // after the design; OUT is replaced by the output path
    const char* output;
    const char* message; // after "dialwright-cli: "
};

const RefusalCase kRefusals[] = {
    {"unknownExtension",
     {"-o", "OUT"},
     "clock.mpg",
     "unknown extension of 'OUT': the outputs are .avi, .mp4, .webm, .mkv, .mov, .gif files"},
    {"codecTheContainerCannotHold",
     {"-o", "OUT", "--codec", "h264"},
     "clock.webm",
     "a .webm file cannot hold codec 'h264'; it holds vp9, vp8"},
    {"bitrateOfALosslessCodec",
     {"-o", "OUT", "--bitrate", "500"},
     "clock.mkv",
     "codec ffv1 takes no --bitrate"},
    {"folderAsOutput", {"-o", "OUT"}, "folder.mp4", "the output OUT is a folder"},
};

class CliVideoRefusal : public ::testing::TestWithParam<RefusalCase> {};

TEST_P(CliVideoRefusal, isAUsageMistakeThatLeavesNoFile) {
    const RefusalCase& c = GetParam();
    const DesignCopy design("line-hands.ini");
    const std::string out = design.file(c.output);
    if (std::string(c.name) == "folderAsOutput") {
        fs::create_directory(out);
    }
    std::vector<std::string> args = {"export", design.design()};
    for (const std::string& arg : c.args) {
        args.push_back(arg == "OUT" ? out : arg);
    }
    const std::vector<std::string> before = filesIn(design.folder().path());
    const CliRun run = runCli(args);
    EXPECT_EQ(run.exitCode, 2);
    std::string message = c.message;
    if (const auto at = message.find("OUT"); at != std::string::npos) {
        message.replace(at, 3, out);
    }
    EXPECT_EQ(run.errLines().at(0), "dialwright-cli: " + message);
    EXPECT_EQ(filesIn(design.folder().path()), before);
}

INSTANTIATE_TEST_SUITE_P(BadOutputs, CliVideoRefusal, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

// A stopped export is finished: the MP4 has its index and plays every frame made before the stop.
TEST(CliVideoStop, ctrlCLeavesAnMp4ThatPlaysToItsLastFrame) {
    const DesignCopy design("line-hands.ini");
    const std::string out = design.file("long.mp4");
    CliProcess cli({"export", design.design(), "-o", out, "--duration", "100000", "--fps", "2"});
    ASSERT_GT(cli.pid(), 0);
    ::usleep(1500000);
    ::kill(cli.pid(), SIGINT);
    const CliRun run = cli.wait();
    EXPECT_EQ(run.exitCode, 1);
    const auto lines = run.errLines();
    ASSERT_EQ(lines.size(), 1u) << run.err;
    const std::string head = "dialwright: stopped after ";
    ASSERT_EQ(lines[0].rfind(head, 0), 0u) << lines[0];
    const long long frames = std::atoll(lines[0].c_str() + head.size());
    EXPECT_GT(frames, 0);
    std::string errors;
    EXPECT_EQ(static_cast<long long>(decodedFrames(out, 320, 240, &errors, 2).size()), frames);
    EXPECT_EQ(errors, "");
}

TEST(CliVideoStop, fullDiskFinishesTheMp4WithTheFramesItHolds) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "mounting a small tmpfs needs root";
    }
    const DesignCopy design("line-hands.ini");
    const std::string disk = design.file("disk");
    fs::create_directory(disk);
    if (::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=256k") != 0) {
        GTEST_SKIP() << "tmpfs cannot be mounted here";
    }
    // Every frame a picture of its own (--cfr, lossless) fills 256 kB within a few seconds.
    const std::string out = disk + "/full.mp4";
    const CliRun run = runCli({"export", design.design(), "-o", out, "--fps", "15", "--duration",
                               "600", "--codec", "mpeg4", "--bitrate", "20000", "--cfr"});
    std::string errors;
    const std::size_t decoded = decodedFrames(out, 320, 240, &errors, 15).size();
    ::umount2(disk.c_str(), MNT_DETACH);
    EXPECT_EQ(run.exitCode, 1);
    const auto lines = run.errLines();
    ASSERT_EQ(lines.size(), 1u) << run.err;
    const std::string head =
        "dialwright: the disk is full: " + out + " was finished with its first ";
    ASSERT_EQ(lines[0].rfind(head, 0), 0u) << lines[0];
    const long long frames = std::atoll(lines[0].c_str() + head.size());
    EXPECT_GT(frames, 0);
    EXPECT_LT(frames, 9000);
    EXPECT_EQ(static_cast<long long>(decoded), frames);
    EXPECT_EQ(errors, "");
}

} // namespace
} // namespace dw::testing
