#pragma once
// Where the pictures of a design live: beside its INI file. The rule for choosing one through
// the file dialog, and how a stored name is found again.
#include <string>

namespace dw::design {

class Host;

inline constexpr const char* kBitmapFilter = "Bitmap Files (*.bmp)|*.bmp|All files (*.*)|*.*";
inline constexpr const char* kMustSaveIniFirst = "Must save .INI to a directory first";
inline constexpr const char* kPictureNotInIniDirectory =
    "Picture must be in the same directory as .INI";

// The part of `path` up to and including its last "/"; empty when there is none.
std::string directoryOf(const std::string& path);

// The file a stored picture name stands for: an absolute name as it is, any other looked up in
// `iniDirectory` (relative to the current directory while that is empty).
std::string resolvePictureName(const std::string& iniDirectory, const std::string& name);

// The open-file dialog for a picture: the chosen full path, empty when cancelled.
std::string pickBitmapFile(Host& host, const std::string& initialDirectory = {});

// Asks for a picture through the dialog and returns its bare name, which is only allowed for a
// picture in `iniDirectory` (compared exactly). Otherwise shows "Must save .INI to a directory
// first" (no design file yet) or "Picture must be in the same directory as .INI" (another
// folder, or the dialog cancelled), both with the information icon, and returns empty.
std::string relativePictureName(Host& host, const std::string& iniDirectory);

} // namespace dw::design
