// A design file from anywhere: loading must never fail but by a run-time error, and saving what
// was loaded must give a file that loads and saves to the same bytes.
#include <cstdlib>

#include "design/designreader.h"
#include "design/designwriter.h"
#include "design/host.h"
#include "design/runtimeerror.h"
#include "design/toolbarbuttons.h"
#include "dw/platform/memoryprofilestore.h"

using namespace dw::design;

namespace {

class QuietHost : public Host {
public:
    void showMessage(const std::string&, MessageIcon) override {}
    std::string openFileDialog(const std::string&, const std::string&) override { return {}; }
    std::string saveFileDialog(const std::string&, const std::string&) override { return {}; }
    std::optional<FontChoice> fontDialog() override { return std::nullopt; }
    void yield() override {}
    std::uint32_t tickCount() override { return 0; }
    void setStatusText(const std::string&, const std::string&) override {}
    void windowChanged(const std::string&, WindowEvent) override {}
};

// Loads `path` into a fresh design and saves it to `savedPath`.
void loadAndSave(dw::platform::MemoryProfileStore& store, const std::string& path,
                 const std::string& savedPath) {
    QuietHost host;
    ToolbarButtons toolbar(host);
    ClockDesign design;
    IniFile file(store, path);
    try {
        readDesign(file, design, toolbar);
    } catch (const RuntimeError&) {
        // A value the design cannot take stops the load; what was read stays.
    }
    IniFile saved(store, savedPath);
    if (!writeDesign(saved, design, toolbar)) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dw::platform::MemoryProfileStore store;
    store.setFile("input.ini", std::string(reinterpret_cast<const char*>(data), size));
    loadAndSave(store, "input.ini", "first.ini");
    loadAndSave(store, "first.ini", "second.ini");
    if (store.file("first.ini") != store.file("second.ini")) {
        std::abort();
    }
    return 0;
}
