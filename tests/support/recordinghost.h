#pragma once
// A scripted Host for tests: records every message, status text and window event, answers
// dialogs from queues, runs a script on each yield, and keeps a tick count the test controls.
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "design/host.h"

namespace dw::testing {

struct RecordedMessage {
    std::string text;
    design::MessageIcon icon;
    bool operator==(const RecordedMessage&) const = default;
};

class RecordingHost : public design::Host {
public:
    std::vector<RecordedMessage> messages;
    std::vector<std::pair<std::string, std::string>> statusTexts; // (panel, text)
    std::vector<std::pair<std::string, design::WindowEvent>> windowEvents;

    std::deque<std::string> openAnswers;  // empty deque: the dialog is cancelled
    std::deque<std::string> saveAnswers;
    std::deque<std::optional<design::FontChoice>> fontAnswers;
    std::vector<std::string> dialogFilters;  // filter of every file dialog shown, in order
    std::vector<std::string> dialogDirectories;

    std::function<void()> onYield;  // runs inside every yield; may issue commands
    int yieldCount = 0;
    std::uint32_t ticks = 0;
    std::uint32_t ticksPerYield = 0; // how far the clock moves on each yield
    std::uint32_t ticksPerRead = 0;  // how far it moves on each read

    void showMessage(const std::string& text, design::MessageIcon icon) override {
        messages.push_back({text, icon});
    }
    std::string openFileDialog(const std::string& filter, const std::string& dir) override {
        return answer(openAnswers, filter, dir);
    }
    std::string saveFileDialog(const std::string& filter, const std::string& dir) override {
        return answer(saveAnswers, filter, dir);
    }
    std::optional<design::FontChoice> fontDialog() override {
        if (fontAnswers.empty()) {
            return std::nullopt;
        }
        auto choice = fontAnswers.front();
        fontAnswers.pop_front();
        return choice;
    }
    void yield() override {
        ++yieldCount;
        ticks += ticksPerYield;
        if (onYield) {
            onYield();
        }
    }
    std::uint32_t tickCount() override {
        const std::uint32_t now = ticks;
        ticks += ticksPerRead;
        return now;
    }
    void setStatusText(const std::string& panel, const std::string& text) override {
        statusTexts.emplace_back(panel, text);
    }
    void windowChanged(const std::string& window, design::WindowEvent event) override {
        windowEvents.emplace_back(window, event);
    }

    // The texts of all messages, in order.
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const auto& m : messages) {
            texts.push_back(m.text);
        }
        return texts;
    }

    // The texts one status panel received, in order.
    std::vector<std::string> statusOf(const std::string& panel) const {
        std::vector<std::string> texts;
        for (const auto& [p, t] : statusTexts) {
            if (p == panel) {
                texts.push_back(t);
            }
        }
        return texts;
    }

private:
    std::string answer(std::deque<std::string>& queue, const std::string& filter,
                       const std::string& dir) {
        dialogFilters.push_back(filter);
        dialogDirectories.push_back(dir);
        if (queue.empty()) {
            return "";
        }
        std::string name = queue.front();
        queue.pop_front();
        return name;
    }
};

} // namespace dw::testing
