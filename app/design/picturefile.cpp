#include "design/picturefile.h"

#include <cstdint>
#include <cstdlib>
#include <utility>

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include "design/picture.h"

namespace dw::design {

namespace {

bool tooLarge(long long width, long long height) {
    return width > kMaxPictureSide || height > kMaxPictureSide ||
           width * height > kMaxPicturePixels;
}

std::uint32_t littleEndian(const QByteArray& bytes, int at, int count) {
    std::uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
    }
    return value;
}

// What the header of a bitmap file claims: its size and how long the file must be to hold the
// pixels. Qt's reader fills rows missing from a short file with whatever memory held, so the
// length is checked here before Qt reads anything.
struct BitmapClaim {
    bool isBitmap = false;
    bool valid = true;
    long long width = 0;
    long long height = 0;
    long long bytesNeeded = 0; // 0 when the header gives no way to tell
};

// Every row counts whole, padding included: Qt's reader drops a row it cannot read in full.
long long uncompressedEnd(std::uint32_t offset, long long width, long long height, int bpp) {
    const long long stride = (width * bpp + 31) / 32 * 4;
    return offset + stride * height;
}

BitmapClaim inspectBitmapHeader(const QByteArray& head) {
    BitmapClaim claim;
    if (head.size() < 2 || head[0] != 'B' || head[1] != 'M') {
        return claim;
    }
    claim.isBitmap = true;
    if (head.size() < 26) {
        claim.valid = false;
        return claim;
    }
    const std::uint32_t offset = littleEndian(head, 10, 4);
    const std::uint32_t infoSize = littleEndian(head, 14, 4);
    int bpp = 0;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    if (infoSize == 12) {
        claim.width = littleEndian(head, 18, 2);
        claim.height = littleEndian(head, 20, 2);
        bpp = static_cast<int>(littleEndian(head, 24, 2));
    } else if (infoSize >= 40 && head.size() >= 54) {
        claim.width = static_cast<std::int32_t>(littleEndian(head, 18, 4));
        claim.height = std::llabs(static_cast<std::int32_t>(littleEndian(head, 22, 4)));
        bpp = static_cast<int>(littleEndian(head, 28, 2));
        compression = littleEndian(head, 30, 4);
        imageSize = littleEndian(head, 34, 4);
    } else {
        // A header kind this check does not know; Qt's reader decides alone.
        claim.isBitmap = false;
        return claim;
    }
    if (claim.width <= 0 || claim.height <= 0) {
        claim.valid = false;
        return claim;
    }
    if (tooLarge(claim.width, claim.height)) {
        return claim; // refused by size before any length is worked out
    }
    constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3, kAlphaBitfields = 6;
    if (compression == kRgb || compression == kBitfields || compression == kAlphaBitfields) {
        claim.bytesNeeded = uncompressedEnd(offset, claim.width, claim.height, bpp);
    } else if ((compression == kRle8 || compression == kRle4) && imageSize != 0) {
        claim.bytesNeeded = static_cast<long long>(offset) + imageSize;
    }
    return claim;
}

// Refusals decided from the header alone; the empty text when Qt's reader may go on.
std::string checkHeader(QFile& file) {
    const BitmapClaim claim = inspectBitmapHeader(file.peek(54));
    if (!claim.isBitmap) {
        return {};
    }
    if (!claim.valid) {
        return kInvalidPicture;
    }
    if (tooLarge(claim.width, claim.height)) {
        return kPictureTooLarge;
    }
    if (file.size() < claim.bytesNeeded) {
        return kInvalidPicture;
    }
    return {};
}

PictureFileResult failure(const char* text) {
    return {QImage(), text};
}

} // namespace

PictureFileResult readPictureFile(const std::string& path) {
    const QString name = QString::fromStdString(path);
    const QFileInfo info(name);
    if (path.empty() || !info.exists() || !info.isFile()) {
        return failure(kFileNotFound);
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) {
        return failure(kPermissionDenied);
    }
    if (const std::string refused = checkHeader(file); !refused.empty()) {
        return {QImage(), refused};
    }
    // Qt's own guard for the formats whose size is only known while decoding.
    QImageReader::setAllocationLimit(static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024)));
    QImageReader reader(&file);
    reader.setAutoTransform(false);
    const QSize claimed = reader.size();
    // A top-down bitmap reports a negative height; an unknown size reports -1 by -1.
    if (tooLarge(std::abs(claimed.width()), std::abs(claimed.height()))) {
        return failure(kPictureTooLarge);
    }
    QImage image = reader.read();
    if (image.isNull()) {
        return failure(kInvalidPicture);
    }
    if (tooLarge(image.width(), image.height())) {
        return failure(kPictureTooLarge);
    }
    return {std::move(image), {}};
}

std::string loadPictureFile(const std::string& path, Picture& picture) {
    PictureFileResult result = readPictureFile(path);
    if (!result.ok()) {
        picture.assign(QImage());
        return result.error;
    }
    if (!picture.assign(result.image)) {
        return kOutOfMemory;
    }
    return {};
}

} // namespace dw::design
