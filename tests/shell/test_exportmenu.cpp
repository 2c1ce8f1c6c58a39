// The Export menu: where it sits, what its items write through their save and options dialogs,
// and what they refuse.
#include <algorithm>
#include <filesystem>
#include <utility>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>

#include "mediatools.h"
#include "shell/optionsform.h"
#include "shell/videoexportdialog.h"
#include "shellfixture.h"

namespace dw::testing {
namespace {

constexpr const char* kItems[] = {"IDM_EXPORT_VIDEO", "IDM_EXPORT_SHEET", "IDM_EXPORT_MOTION"};

class ExportMenuTest : public ShellTest {
protected:
    void trigger(const char* id) {
        QAction* action = window().findChild<QAction*>(id);
        ASSERT_NE(action, nullptr) << id;
        action->trigger();
        settle();
    }
    // The sample, made short: every export runs quickly.
    void loadShortSample() {
        loadSample("line-hands.ini");
        session().design().duration = "2";
        session().design().synctest = 0;
    }
    // Answers the next form with `changes` over what it shows.
    void answerForm(shell::FormValues changes) {
        host->onOptions = [changes](const shell::FormRequest& request) {
            shell::FormValues values = request.values;
            for (const auto& [key, value] : changes) {
                values[key] = value;
            }
            return std::optional(values);
        };
    }
    bool logHas(const std::string& text) {
        return session().log().text().find(text) != std::string::npos;
    }
    ScratchFolder out;
};

TEST_F(ExportMenuTest, followsRunWithVideoSheetAndMotionItems) {
    const QList<QAction*> tops = window().menuBar()->actions();
    qsizetype run = -1;
    for (qsizetype i = 0; i < tops.size(); ++i) {
        if (tops[i]->menu() != nullptr && tops[i]->menu()->objectName() == "IDM_RUN") {
            run = i;
        }
    }
    ASSERT_GE(run, 0);
    ASSERT_LT(run + 1, tops.size());
    QMenu* exportMenu = tops[run + 1]->menu();
    ASSERT_NE(exportMenu, nullptr);
    EXPECT_EQ(exportMenu->objectName(), "IDM_EXPORT");
    EXPECT_EQ(exportMenu->title(), "E&xport");
    const std::pair<const char*, const char*> expected[] = {
        {kItems[0], "&Video..."}, {kItems[1], "&Contact Sheet..."}, {kItems[2], "&Motion Plot..."}};
    const QList<QAction*> items = exportMenu->actions();
    ASSERT_EQ(items.size(), 3);
    for (qsizetype i = 0; i < items.size(); ++i) {
        EXPECT_EQ(items[i]->objectName(), expected[i].first);
        EXPECT_EQ(items[i]->text(), expected[i].second);
    }
}

TEST_F(ExportMenuTest, videoItemWritesAMatroskaFileOfTheGivenDurationAndKeepsTheDesigns) {
    loadShortSample();
    const std::string path = (out.path() / "clock.mkv").string();
    host->saveAnswers.push_back(path);
    answerForm({{"txtDuration", "1"}});
    trigger("IDM_EXPORT_VIDEO");
    EXPECT_TRUE(host->messages.empty()) << host->messageTexts().front();
    EXPECT_EQ(host->dialogFolders.back(), session().lastDir());
    EXPECT_NE(host->dialogFilters.back().find("*.webm"), std::string::npos);
    EXPECT_EQ(host->formsAsked, std::vector<std::string>{"dlgExportVideo"});
    const Probe probe = probeVideo(path);
    ASSERT_TRUE(probe.ok) << probe.errors;
    EXPECT_EQ(probe.codec, "ffv1");
    EXPECT_EQ(probe.frameRate, "30/1");
    EXPECT_EQ(session().design().duration, "2");
    EXPECT_TRUE(logHas("Exported 30 frames to " + path)) << session().log().text();
    const auto& counts = host->frameCounts;
    EXPECT_NE(std::find(counts.begin(), counts.end(), "Exporting clock.mkv: frame 30"),
              counts.end());
    EXPECT_EQ(counts.back(), "Exported 30 frames to " + path);
}

TEST_F(ExportMenuTest, pictureItemsWritePngFilesAndRefuseBadValuesWithTheirReason) {
    struct Case {
        const char* item;
        shell::FormValues answer;
        const char* message; // empty: a picture is written
        int width;           // of the picture, when written; 0 to skip
    };
    const Case cases[] = {
        {kItems[1], {{"txtTimes", "12:00:00, 3:00"}, {"txtScale", "0.5"}}, "", 0},
        {kItems[1],
         {{"txtTimes", "9:15,25:00:00"}},
         "Times: '25:00:00' is not a clock time (H:MM or H:MM:SS, hours 0 to 23)",
         0},
        {kItems[1], {{"txtColumns", "0"}}, "Columns needs a whole number from 1, not '0'", 0},
        {kItems[2], {{"txtSeconds", "2"}}, "", 960},
        {kItems[2], {{"txtSeconds", "two"}}, "Seconds needs a whole number from 1, not 'two'", 0},
    };
    loadShortSample();
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.item) + " case " + std::to_string(n));
        host->messages.clear();
        // A name without an extension is given ".png".
        const std::filesystem::path path = out.path() / ("picture" + std::to_string(n++));
        host->saveAnswers.push_back(path.string());
        answerForm(c.answer);
        trigger(c.item);
        const std::filesystem::path written = path.string() + ".png";
        if (*c.message != '\0') {
            EXPECT_EQ(host->messageTexts(), std::vector<std::string>{c.message});
            EXPECT_FALSE(std::filesystem::exists(written));
            continue;
        }
        EXPECT_TRUE(host->messages.empty()) << host->messageTexts().front();
        const QImage picture(QString::fromStdString(written.string()));
        ASSERT_FALSE(picture.isNull());
        if (c.width > 0) {
            EXPECT_EQ(picture.width(), c.width);
        }
    }
    EXPECT_TRUE(logHas("Wrote a contact sheet of 2 stills to ")) << session().log().text();
}

TEST_F(ExportMenuTest, itemsRefuseWhileARunGoesWithTheRunsMessage) {
    loadShortSample();
    bool done = false;
    host->onYield = [&] {
        if (std::exchange(done, true)) {
            return;
        }
        for (const char* item : kItems) {
            window().findChild<QAction*>(item)->trigger();
        }
        session().stopTest();
    };
    trigger("IDM_TEST");
    const std::string running = "Clock is running! Press the stop test button first.";
    EXPECT_EQ(host->messageTexts(), std::vector<std::string>(3, running));
    EXPECT_TRUE(host->dialogFilters.empty());
    EXPECT_TRUE(host->formsAsked.empty());
}

TEST_F(ExportMenuTest, cancelledDialogsWriteNothing) {
    loadShortSample();
    const std::string video = (out.path() / "clock.gif").string();
    for (const char* item : kItems) {
        trigger(item); // the save dialog cancelled
    }
    EXPECT_TRUE(host->formsAsked.empty());
    host->saveAnswers.push_back(video);
    host->onOptions = [](const shell::FormRequest&) { return std::nullopt; };
    trigger(kItems[0]); // the options cancelled
    EXPECT_EQ(host->formsAsked.size(), 1u);
    EXPECT_TRUE(host->messages.empty());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

TEST_F(ExportMenuTest, videoFormShowsItsFieldsAndReadsThemBackAsOptions) {
    loadShortSample();
    const std::string path = (out.path() / "clock.mp4").string();
    const shell::VideoExportDialog dialog(path, session().design());
    shell::OptionsForm form(dialog.request());
    auto* codec = form.findChild<QComboBox*>("cboCodec");
    auto* bitrate = form.findChild<QLineEdit*>("txtBitrate");
    auto* cfr = form.findChild<QCheckBox*>("chkCfr");
    ASSERT_TRUE(codec != nullptr && bitrate != nullptr && cfr != nullptr);
    EXPECT_EQ(codec->currentData().toString(), "h264"); // the container's default first
    EXPECT_EQ(form.findChild<QLineEdit*>("txtDuration")->text(), "2");
    bitrate->setText("800");
    cfr->setChecked(true);
    std::string problem;
    const auto choice = dialog.read(form.values(), &problem);
    ASSERT_TRUE(choice) << problem;
    EXPECT_EQ(choice->options.codec, "h264");
    EXPECT_EQ(choice->options.bitrateKbps, 800);
    EXPECT_TRUE(choice->options.constantFrameRate);
    bitrate->setText("fast");
    EXPECT_FALSE(dialog.read(form.values(), &problem));
    EXPECT_EQ(problem, "Bitrate needs a whole number from 0, not 'fast'");
}

} // namespace
} // namespace dw::testing
