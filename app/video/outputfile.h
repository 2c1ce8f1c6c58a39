#pragma once
// The file an export writes, as libavformat's I/O: written under a hidden temporary name beside
// the output and renamed over it when the export ends with frames in it, so a refused or failed
// export leaves an older file of that name as it was. A reserve of disk space is taken at the
// start and given back when the disk fills, so the container can still write its index and the
// frames written so far stay playable.
#include <cstdint>
#include <memory>
#include <string>

struct AVIOContext;

namespace dw::video {

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Creates the temporary file beside `path` and the I/O over it. Error text when the folder
    // refuses it (missing, not writable, full).
    std::string open(const std::string& path);

    AVIOContext* io() const { return mIo; }
    // The temporary file's path: libavformat reopens it by name to move the MP4 index forward.
    const std::string& temporaryPath() const { return mTemporary; }

    // True once a write ran out of space (the reserve was then given back).
    bool diskFull() const { return mDiskFull; }
    // Gives the reserve back, before the container's closing writes.
    void releaseReserve() noexcept;

    // Flushes and closes, then renames the file over the output. Error text on failure (the
    // temporary file is then removed).
    std::string commit();
    // Closes and removes the temporary file; the output path is untouched. Never fails.
    void discard() noexcept;

private:
    static int writePacket(void* opaque, std::uint8_t* data, int size);
    static std::int64_t seek(void* opaque, std::int64_t offset, int whence);
    void closeIo() noexcept;

    std::string mPath;
    std::string mTemporary;
    std::string mReservePath;
    int mFd = -1;
    AVIOContext* mIo = nullptr;
    bool mDiskFull = false;
};

} // namespace dw::video
