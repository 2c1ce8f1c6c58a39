// The sink on its own, fed the way a run feeds it: what it leaves on disk and how it counts.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/stat.h>

#include "design/picture.h"
#include "mediatools.h"
#include "video/videofilesink.h"

namespace dw::video {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

VideoSinkSettings settingsFor(const std::string& path, bool constantFrameRate = false) {
    VideoSinkSettings settings;
    settings.path = path;
    settings.container = containerForFile(path);
    settings.codec = pickCodec(*settings.container, "").codec;
    settings.constantFrameRate = constantFrameRate;
    return settings;
}

void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path) << text;
}

std::string readText(const std::string& path) {
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(VideoFileSink, aRunEndedBeforeItsFirstFrameLeavesTheOldFileAsItWas) {
    const TempDir folder;
    const std::string path = folder.file("clock.mkv");
    writeText(path, "an older export");
    VideoFileSink sink(settingsFor(path));
    ASSERT_TRUE(sink.open(32, 24, 10));
    sink.close();
    EXPECT_FALSE(sink.written());
    EXPECT_EQ(readText(path), "an older export");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(VideoFileSink, countsEveryFrameButStoresEachPictureOnce) {
    const TempDir folder;
    const std::string path = folder.file("clock.mkv");
    VideoFileSink sink(settingsFor(path));
    ASSERT_TRUE(sink.open(32, 24, 10));
    design::Picture picture(32, 24);
    for (int frame = 0; frame < 7; ++frame) {
        if (frame == 3) {
            picture.clear(0x00FFFFFF);
        }
        ASSERT_TRUE(sink.writeFrame(picture));
    }
    sink.close();
    ASSERT_TRUE(sink.written()) << sink.error();
    EXPECT_EQ(sink.framesTaken(), 7);
    EXPECT_EQ(sink.framesStored(), 7);
    // Black for 3 frames, white for 4: two pictures and the repeat that ends the last.
    int status = 0;
    const std::string packets = testing::runCommand(
        "ffprobe -v error -count_packets -show_entries stream=nb_read_packets -of csv=p=0 '" +
            path + "'",
        &status);
    EXPECT_EQ(packets, "3\n");
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask) << "the mode of any new file, not a private one";
}

TEST(VideoFileSink, aFolderThatCannotBeWrittenRefusesTheOpenWithTheReason) {
    const TempDir folder;
    VideoFileSink sink(settingsFor(folder.file("missing/clock.mp4")));
    EXPECT_FALSE(sink.open(32, 24, 10));
    EXPECT_EQ(sink.error(),
              "cannot write " + folder.file("missing/clock.mp4") + ": No such file or directory");
    sink.close();
    EXPECT_FALSE(sink.written());
}

} // namespace
} // namespace dw::video
