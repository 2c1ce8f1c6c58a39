#pragma once
// Reading picture files: bitmaps of every common kind and whatever else Qt's image readers
// accept. Failures come back as the short texts the platform's picture loader would show.
#include <string>

#include <QImage>

namespace dw::design {

class Picture;

// The descriptions of a picture that cannot be loaded.
inline constexpr const char* kFileNotFound = "File not found";
inline constexpr const char* kPermissionDenied = "Permission denied";
inline constexpr const char* kInvalidPicture = "Invalid picture";
inline constexpr const char* kPictureTooLarge = "Picture too large";
inline constexpr const char* kOutOfMemory = "Out of memory";

// The largest picture accepted. Positions on a picture are 16-bit, and three copies of a face
// (visible, clean, design window) must fit in memory together.
inline constexpr int kMaxPictureSide = 32767;
inline constexpr long long kMaxPicturePixels = 8192LL * 8192LL;

// What reading a file gave: the image, or the empty image and the description of the failure.
struct PictureFileResult {
    QImage image;
    std::string error;
    bool ok() const { return error.empty(); }
};

// Reads a picture file. A size claimed by the file's header is checked against the limits
// before any pixel memory is allocated, and a bitmap file shorter than its header promises is
// refused rather than read with missing rows. Never throws.
PictureFileResult readPictureFile(const std::string& path);

// Reads a picture file into `picture`. Returns the empty text on success; otherwise the
// description of the failure, and `picture` is left empty. Never throws.
std::string loadPictureFile(const std::string& path, Picture& picture);

} // namespace dw::design
