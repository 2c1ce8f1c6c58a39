#pragma once
// The distinct pictures of a run kept on disk, compressed, with when each starts and how long it
// lasts: a GIF's palette is known only once every picture has been seen, and holding them in
// memory would make a long export's memory grow with its length.
#include <cstdint>
#include <cstdio>
#include <string>

#include <QImage>

namespace dw::video {

class FrameSpool {
public:
    FrameSpool() = default;
    ~FrameSpool();
    FrameSpool(const FrameSpool&) = delete;
    FrameSpool& operator=(const FrameSpool&) = delete;

    // An anonymous temporary file (gone when closed, also after a crash). Error text on failure.
    std::string open();
    // Appends a picture (Format_RGB32) shown from `start` for `duration` frame-times.
    std::string append(const QImage& picture, std::int64_t start, std::int64_t duration);

    struct Entry {
        QImage picture;
        std::int64_t start = 0;
        std::int64_t duration = 0;
    };
    // Back to the first picture for reading.
    std::string rewind();
    // The next picture; false at the end or, with `error` set, when the file cannot be read.
    bool next(Entry& entry, std::string* error);
    std::int64_t count() const { return mCount; }

private:
    std::FILE* mFile = nullptr;
    std::int64_t mCount = 0;
};

} // namespace dw::video
