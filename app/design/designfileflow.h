#pragma once
// The user-level flow around the design file: the load with its upgrade of older files and its
// picture loading, the save, and the rule that a design's pictures lie beside its file. It works
// on state the designer session owns, passed in explicitly.
#include <functional>
#include <string>
#include <utility>

namespace dw::platform {
class ProfileStore;
}

namespace dw::design {

class DesignLog;
class Host;
class PictureSlots;
class ToolbarButtons;
struct ClockDesign;

inline constexpr const char* kIniFilter = "INI files (*.ini)|*.ini|All files (*.*)|*.*";
inline constexpr const char* kIniWriteFailed =
    ".INI file write failed.\r\nPlease check to see if the file is read only.";

// Everything the flow reads or changes. All references must outlive the flow.
struct DesignFileContext {
    Host& host;
    platform::ProfileStore& store;
    ClockDesign& design;
    ToolbarButtons& toolbar;
    PictureSlots& pictures;
    DesignLog& log;
    std::string& iniDirectory; // directory of the design file last loaded or saved, final "/"
    std::string& lastDir;      // where the load dialog opens
    // Shows the confirmed centre again and recomputes the hand geometry; may throw RuntimeError.
    std::function<void()> refreshCentre;
    // Lets the render window go before a load.
    std::function<void()> unloadRenderWindow;
};

enum class FileFlowResult { Done, Cancelled, Failed };

class DesignFileFlow {
public:
    explicit DesignFileFlow(DesignFileContext context) : mCx(std::move(context)) {}

    // Asks for a design file (opening in lastDir) and loads it. Cancelled: nothing changes.
    // Failed: a run-time error stopped the load; its description was shown, what was read before
    // stays, lastDir is unchanged.
    FileFlowResult load_ini();

    // The load without the dialog, from a full file name. Results as above.
    FileFlowResult loadIniFile(const std::string& fileName);

    // Asks for a file name and saves the design there. Failed: the file could not be written,
    // the user was told, and the file is as it was.
    FileFlowResult save_ini();

    // The save without the dialog. Result as above.
    FileFlowResult saveIniFile(const std::string& fileName);

    // Logs the upgrade of an older file and checks where its two main pictures lie, after
    // cleaning their names. Changes nothing else.
    void upgradeIni(double fromVersion, double toVersion);

    // True when the picture is usable from iniDirectory: the file is there, or the name itself
    // names that directory. Otherwise logs the copy warning; false too for the empty name.
    bool checkPictureInIniDir(const std::string& name);

private:
    void clearForLoad(const std::string& fileName);
    void loadPictures();

    DesignFileContext mCx;
};

} // namespace dw::design
