#pragma once
// The real windowed program on the offscreen platform, with its modal parts scripted: messages
// are recorded, file dialogs answered from queues, and a script may run inside every yield.
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QApplication>

#include "run/designersession.h"
#include "scratchfolder.h"
#include "shell/mainwindow.h"
#include "shell/qthost.h"
#include "shell/shellprogram.h"

namespace dw::testing {

class ScriptedQtHost : public shell::QtHost {
public:
    struct Message {
        std::string text;
        design::MessageIcon icon;
    };
    std::vector<Message> messages;
    std::deque<std::string> openAnswers; // an empty queue cancels
    std::deque<std::string> saveAnswers;
    std::vector<std::string> dialogFilters;
    std::vector<std::string> dialogFolders;
    std::function<void()> onYield;   // runs inside every yield; may issue commands
    std::function<void()> onMessage; // runs as each message is shown
    // Answers an options form; unset accepts what the form shows first.
    std::function<std::optional<shell::FormValues>(const shell::FormRequest&)> onOptions;
    std::vector<std::string> formsAsked;  // the forms' object names
    std::vector<std::string> frameCounts; // every text set on "STA_FRAMECOUNT"

    void showMessage(const std::string& text, design::MessageIcon icon) override {
        messages.push_back({text, icon});
        if (onMessage) {
            onMessage();
        }
    }
    std::string openFileDialog(const std::string& filter, const std::string& folder) override {
        return answer(openAnswers, filter, folder);
    }
    std::string saveFileDialog(const std::string& filter, const std::string& folder) override {
        return answer(saveAnswers, filter, folder);
    }
    std::optional<design::FontChoice> fontDialog() override { return std::nullopt; }
    std::optional<platform::CompressionChoice>
    compressionDialog(const platform::CompressionRequest&) override {
        return platform::CompressionChoice{}; // uncompressed
    }
    std::optional<shell::FormValues> optionsDialog(const shell::FormRequest& request) override {
        formsAsked.push_back(request.name);
        return onOptions ? onOptions(request) : request.values;
    }
    void setStatusText(const std::string& panelKey, const std::string& text) override {
        if (panelKey == "STA_FRAMECOUNT") {
            frameCounts.push_back(text);
        }
        QtHost::setStatusText(panelKey, text);
    }
    void yield() override {
        QtHost::yield();
        if (onYield) {
            onYield();
        }
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

private:
    std::string answer(std::deque<std::string>& queue, const std::string& filter,
                       const std::string& folder) {
        dialogFilters.push_back(filter);
        dialogFolders.push_back(folder);
        if (queue.empty()) {
            return "";
        }
        std::string name = queue.front();
        queue.pop_front();
        return name;
    }
};

// The program started, with the preferences in a scratch configuration folder.
class ShellTest : public ::testing::Test {
protected:
    void SetUp() override {
        qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(config.path().string()));
        auto scripted = std::make_unique<ScriptedQtHost>();
        host = scripted.get();
        program = std::make_unique<shell::ShellProgram>(std::move(scripted));
        if (startOnSetUp) {
            ASSERT_TRUE(program->start());
        }
    }
    void TearDown() override {
        program.reset();
        qunsetenv("XDG_CONFIG_HOME");
    }

    shell::MainWindow& window() { return program->mainWindow(); }
    run::DesignerSession& session() { return program->session(); }
    // Processes what the windows posted (repaints, deferred deletions).
    static void settle() {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }
    static std::string sample(const char* name) { return std::string(DW_SAMPLES_DIR "/") + name; }
    void loadSample(const char* name) {
        window().runCommand([&] { session().loadIniFile(sample(name)); });
        settle();
    }

    ScratchFolder config;
    bool startOnSetUp = true;
    ScriptedQtHost* host = nullptr;
    std::unique_ptr<shell::ShellProgram> program;
};

} // namespace dw::testing
