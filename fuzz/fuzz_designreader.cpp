// A design file from anywhere: loading must never fail but by a run-time error, and loading and
// saving again and again must settle on one file. It may take more than one round: a read drops
// one pair of quotes around a value and the save writes what was read, so a value in nested
// quotes loses a pair per round, as does a quoted value with blanks inside at its ends.
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

// A value read is at most 254 characters and every round that changes it makes it shorter.
constexpr int kRoundsToSettle = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    dw::platform::MemoryProfileStore store;
    store.setFile("input.ini", std::string(reinterpret_cast<const char*>(data), size));
    loadAndSave(store, "input.ini", "saved.ini");
    for (int round = 0; round < kRoundsToSettle; ++round) {
        const auto before = store.file("saved.ini");
        store.removeFile("again.ini");
        loadAndSave(store, "saved.ini", "again.ini");
        if (store.file("again.ini") == before) {
            return 0;
        }
        store.setFile("saved.ini", *store.file("again.ini"));
    }
    std::abort();
}
