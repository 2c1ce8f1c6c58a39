#include "dw/platform/compressiondialog.h"
#include "dw/platform/messagebox.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

using namespace dw::platform;

namespace {

struct Shown {
    std::string text;
    std::string caption;
    std::uint32_t flags;
};

} // namespace

TEST(MessageBoxHookTest, installedHookReceivesTheMessageAndAnswers) {
    std::vector<Shown> shown;
    ScopedMessageBoxHook scope(
        [&](const std::string& text, const std::string& caption, std::uint32_t flags) {
            shown.push_back({text, caption, flags});
            return IDNO;
        });
    EXPECT_EQ(MessageBoxA(7, "Couldn't write video data.\n", "Fatal Error", MB_YESNO), IDNO);
    EXPECT_EQ(MessageBoxA(0, nullptr, nullptr, MB_OK | MB_ICONERROR), IDNO);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].text, "Couldn't write video data.\n") << "text passed unchanged";
    EXPECT_EQ(shown[0].caption, "Fatal Error");
    EXPECT_EQ(shown[0].flags, MB_YESNO);
    EXPECT_EQ(shown[1].text, "");
    EXPECT_EQ(shown[1].flags, MB_OK | MB_ICONERROR);
}

TEST(MessageBoxHookTest, scopesNestAndRestoreTheDefault) {
    std::vector<std::string> outer;
    std::vector<std::string> inner;
    {
        ScopedMessageBoxHook a([&](const std::string& t, const std::string&, std::uint32_t) {
            outer.push_back(t);
            return IDOK;
        });
        {
            ScopedMessageBoxHook b([&](const std::string& t, const std::string&, std::uint32_t) {
                inner.push_back(t);
                return IDOK;
            });
            MessageBoxA(0, "one", "c", MB_OK);
        }
        MessageBoxA(0, "two", "c", MB_OK);
    }
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBoxA(0, "three\n", "Fatal Error", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fatal Error: three\n")
        << "the default prints one line per message";
    EXPECT_EQ(inner, std::vector<std::string>{"one"});
    EXPECT_EQ(outer, std::vector<std::string>{"two"});
}

TEST(MessageBoxHookTest, hookThatThrowsGivesZeroInsteadOfEscaping) {
    ScopedMessageBoxHook scope([](const std::string&, const std::string&, std::uint32_t) -> int {
        throw std::runtime_error("dialog failed");
    });
    EXPECT_EQ(MessageBoxA(0, "x", "y", MB_OK), 0);
}

TEST(MessageBoxHookTest, hookMayShowAMessageItself) {
    int calls = 0;
    ScopedMessageBoxHook scope([&](const std::string& t, const std::string&, std::uint32_t) {
        ++calls;
        if (t == "outer") {
            MessageBoxA(0, "inner", "c", MB_OK); // must not deadlock
        }
        return IDOK;
    });
    MessageBoxA(0, "outer", "c", MB_OK);
    EXPECT_EQ(calls, 2);
}

TEST(CompressionDialogTest, withoutDialogAnswersFromDefaultSettingsUncompressedFirst) {
    CompressionRequest request;
    const auto initial = showCompressionDialog(request);
    ASSERT_TRUE(initial.has_value()) << "no user interface never cancels";
    EXPECT_EQ(initial->codec, "");
    EXPECT_EQ(initial->keyFrameEvery, 0);
    EXPECT_EQ(initial->dataRateKbps, 0);

    setDefaultCompression({"MJPG", 5, 2000});
    const auto chosen = showCompressionDialog(request);
    setDefaultCompression({});
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(chosen->codec, "MJPG");
    EXPECT_EQ(chosen->keyFrameEvery, 5);
    EXPECT_EQ(chosen->dataRateKbps, 2000);
}

TEST(CompressionDialogTest, installedDialogWinsOverDefaultsAndMayCancel) {
    bool cancel = false;
    ScopedCompressionDialogHook scope(
        [&](const CompressionRequest& r) -> std::optional<CompressionChoice> {
            if (cancel) {
                return std::nullopt;
            }
            return CompressionChoice{"ffv1", r.width, 0};
        });
    setDefaultCompression({"mpeg4", 0, 0});
    CompressionRequest request;
    request.width = 101;
    const auto answer = showCompressionDialog(request);
    setDefaultCompression({});
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->codec, "ffv1");
    EXPECT_EQ(answer->keyFrameEvery, 101) << "the dialog sees the request";
    cancel = true;
    EXPECT_FALSE(showCompressionDialog(request).has_value());
}

TEST(CompressionDialogTest, dialogThatThrowsCountsAsCancelled) {
    ScopedCompressionDialogHook scope(
        [](const CompressionRequest&) -> std::optional<CompressionChoice> {
            throw std::runtime_error("no display");
        });
    EXPECT_FALSE(showCompressionDialog({}).has_value());
}
