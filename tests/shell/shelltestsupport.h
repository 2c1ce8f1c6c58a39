#pragma once
// What widget tests of the shell share: a scripted host, a session and the command path, with
// small helpers to find controls by their object names and load a bundled sample.
#include <gtest/gtest.h>

#include <string>

#include <QApplication>
#include <QWidget>

#include "recordinghost.h"
#include "run/designersession.h"
#include "shell/shellcontext.h"

namespace dw::testing {

class ShellTest : public ::testing::Test {
protected:
    // A control of the window by object name; the test fails when there is none.
    template <typename Widget> Widget* control(QWidget& window, const char* name) {
        auto* widget = window.findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Loads a bundled sample through the command path, as File -> Open does.
    void loadSample(const std::string& design) {
        const std::string file = std::string(DW_SAMPLES_DIR) + "/" + design + ".ini";
        const auto result = context.runFileCommand([&] { return session.loadIniFile(file); });
        ASSERT_EQ(result, design::FileFlowResult::Done) << file;
    }

    RecordingHost host;
    run::DesignerSession session{host};
    shell::ShellContext context{session};
};

} // namespace dw::testing
