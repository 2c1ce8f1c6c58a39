#include "video/framespool.h"

#include <cerrno>
#include <cstring>

#include <QByteArray>

namespace dw::video {

namespace {

struct EntryHead {
    std::int64_t start;
    std::int64_t duration;
    std::int32_t width;
    std::int32_t height;
    std::int64_t bytes; // compressed
};

std::string spoolError(const char* what) {
    return std::string("cannot ") + what + " the frames kept for the GIF: " + std::strerror(errno);
}

} // namespace

FrameSpool::~FrameSpool() {
    if (mFile != nullptr) {
        std::fclose(mFile);
    }
}

std::string FrameSpool::open() {
    mFile = std::tmpfile();
    return mFile == nullptr ? spoolError("keep") : std::string();
}

std::string FrameSpool::append(const QImage& picture, std::int64_t start, std::int64_t duration) {
    // A clock face compresses well; the fastest level is enough.
    const QByteArray packed =
        qCompress(picture.constBits(), static_cast<qsizetype>(picture.sizeInBytes()), 1);
    const EntryHead head{start, duration, picture.width(), picture.height(), packed.size()};
    if (packed.isEmpty() || std::fwrite(&head, sizeof head, 1, mFile) != 1 ||
        std::fwrite(packed.constData(), 1, packed.size(), mFile) !=
            static_cast<std::size_t>(packed.size())) {
        return spoolError("keep");
    }
    ++mCount;
    return {};
}

std::string FrameSpool::rewind() {
    if (std::fflush(mFile) != 0 || std::fseek(mFile, 0, SEEK_SET) != 0) {
        return spoolError("read back");
    }
    return {};
}

bool FrameSpool::next(Entry& entry, std::string* error) {
    EntryHead head{};
    if (std::fread(&head, sizeof head, 1, mFile) != 1) {
        if (std::ferror(mFile)) {
            *error = spoolError("read back");
        }
        return false;
    }
    QByteArray packed(static_cast<qsizetype>(head.bytes), Qt::Uninitialized);
    if (head.bytes <= 0 || std::fread(packed.data(), 1, packed.size(), mFile) !=
                               static_cast<std::size_t>(head.bytes)) {
        *error = spoolError("read back");
        return false;
    }
    const QByteArray pixels = qUncompress(packed);
    QImage picture(head.width, head.height, QImage::Format_RGB32);
    if (picture.isNull() || pixels.size() != picture.sizeInBytes()) {
        *error = "the frames kept for the GIF are damaged";
        return false;
    }
    std::memcpy(picture.bits(), pixels.constData(), pixels.size());
    entry = Entry{std::move(picture), head.start, head.duration};
    return true;
}

} // namespace dw::video
