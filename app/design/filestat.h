#pragma once
// The quiet file test of the design-file flow.
#include <string>

namespace dw::design {

// True when `name` opens for reading as a regular file (it is closed again at once); false for
// a missing file or folder, a folder, anything that is not a regular file and the empty name.
// Never reports an error.
bool stat(const std::string& name);

} // namespace dw::design
