#pragma once
// The key-reading steps of a design load, in the load's own order, with the points where the
// full load flow plugs in the upgrade of older files and the loading of the pictures.
#include <functional>

#include "design/clockdesign.h"
#include "design/inifile.h"
#include "design/inikeys.h"

namespace dw::design {

class ToolbarButtons;

struct LoadHooks {
    // Runs only for a file older than 0.9, once "background", "edtX" and "edtY" are read and the
    // erase top-left confirmed, before the bitmap names: logs the upgrade and checks (and may
    // clean) `image` and `background`.
    std::function<void(double fromVersion, double toVersion)> upgradeIni;
    // Runs once the bitmap names and the bitmap top-left are read, before the inner-circle keys:
    // loads the named pictures into their slots; the name fields take the names it returns.
    std::function<void()> loadPictures;
};

// Reads a design from `file` into `design` (flags into `toolbar`): the vector and digital
// defaults, "version", every key by its table entry in the load order, the confirmations, the
// re-defaulting of files older than 0.9 and last "displayOrder". Returns the version read (0 for
// a file without one). A conversion that cannot accept a value throws RuntimeError and stops the
// read at that key; what was read before stays in the design.
double readDesign(const IniFile& file, ClockDesign& design, ToolbarButtons& toolbar,
                  const LoadHooks& hooks = {});

// Reads one key into the design by the rules of its entry, without the confirmations that the
// load adds after some keys. A font detail is read whatever the font. RuntimeError as above.
void readIniKey(const IniFile& file, const IniKey& entry, ClockDesign& design,
                ToolbarButtons& toolbar);

} // namespace dw::design
