#include "design/filestat.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include "scratchfolder.h"

using dw::testing::ScratchFolder;

TEST(FileStatTest, trueOnlyForARegularFileThatOpens) {
    ScratchFolder folder;
    const std::string picture = folder.file("face.bmp");
    dw::testing::writeBytes(picture, "BM");
    const std::string pipe = folder.file("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_TRUE(dw::design::stat(picture));
    EXPECT_FALSE(dw::design::stat(folder.path().string()));
    EXPECT_FALSE(dw::design::stat(folder.file("missing.bmp")));
    EXPECT_FALSE(dw::design::stat(folder.file("missing/face.bmp")));
    EXPECT_FALSE(dw::design::stat(""));
    EXPECT_FALSE(dw::design::stat(pipe)) << "and it must not hang";
}
