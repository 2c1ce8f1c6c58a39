#include "video/outputfile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

extern "C" {
#include <libavformat/avio.h>
#include <libavutil/error.h>
#include <libavutil/mem.h>
}

namespace dw::video {

namespace {

namespace fs = std::filesystem;

constexpr int kIoBufferBytes = 64 * 1024;
// Enough for the index of hours of frames and for the encoder's last frames; never more than a
// quarter of what is free, so a nearly full disk still takes an export.
constexpr std::int64_t kReserveBytes = 8 * 1024 * 1024;

std::string systemError(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

// Takes up to kReserveBytes in the folder for the closing writes; nothing when it cannot.
std::string makeReserve(const std::string& temporary) {
    struct statvfs disk {};
    if (::statvfs(temporary.c_str(), &disk) != 0) {
        return {};
    }
    const std::int64_t free = static_cast<std::int64_t>(disk.f_bavail) * disk.f_frsize;
    const std::int64_t size = std::min(kReserveBytes, free / 4);
    const std::string path = temporary + ".reserve";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return {};
    }
    const bool taken = size > 0 && ::posix_fallocate(fd, 0, size) == 0;
    ::close(fd);
    if (!taken) {
        ::unlink(path.c_str());
        return {};
    }
    return path;
}

} // namespace

OutputFile::~OutputFile() {
    discard();
}

std::string OutputFile::open(const std::string& path) {
    mPath = path;
    const fs::path target(path);
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    mFd = ::mkstemp(pattern.data());
    if (mFd < 0) {
        return systemError("cannot write " + path);
    }
    mTemporary = pattern;
    // mkstemp makes the file private; the output gets the mode any new file of the user gets.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(mFd, 0666 & ~mask);
    mReservePath = makeReserve(mTemporary);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    if (buffer != nullptr) {
        mIo = avio_alloc_context(buffer, kIoBufferBytes, 1, this, nullptr, writePacket, seek);
    }
    if (mIo == nullptr) {
        av_free(buffer);
        discard();
        return "cannot write " + path + ": out of memory";
    }
    return {};
}

int OutputFile::writePacket(void* opaque, std::uint8_t* data, int size) {
    auto* self = static_cast<OutputFile*>(opaque);
    int done = 0;
    while (done < size) {
        const ssize_t n = ::write(self->mFd, data + done, static_cast<std::size_t>(size - done));
        if (n > 0) {
            done += static_cast<int>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == ENOSPC || errno == EDQUOT) && !self->mReservePath.empty()) {
            // The reserve makes room for this write and the closing ones; the export stops.
            self->mDiskFull = true;
            self->releaseReserve();
            continue;
        }
        if (n < 0 && (errno == ENOSPC || errno == EDQUOT)) {
            self->mDiskFull = true;
        }
        return n < 0 ? AVERROR(errno) : AVERROR(EIO);
    }
    return size;
}

std::int64_t OutputFile::seek(void* opaque, std::int64_t offset, int whence) {
    auto* self = static_cast<OutputFile*>(opaque);
    if (whence == AVSEEK_SIZE) {
        struct stat info {};
        return ::fstat(self->mFd, &info) == 0 ? info.st_size : AVERROR(errno);
    }
    const off_t at = ::lseek(self->mFd, offset, whence & ~AVSEEK_FORCE);
    return at < 0 ? AVERROR(errno) : at;
}

void OutputFile::releaseReserve() noexcept {
    if (!mReservePath.empty()) {
        ::unlink(mReservePath.c_str());
        mReservePath.clear();
    }
}

void OutputFile::closeIo() noexcept {
    if (mIo != nullptr) {
        avio_flush(mIo);
        av_freep(&mIo->buffer);
        avio_context_free(&mIo);
    }
}

std::string OutputFile::commit() {
    closeIo();
    releaseReserve();
    std::string error;
    if (mFd >= 0 && ::fsync(mFd) != 0 && errno != EINVAL) {
        error = systemError("cannot write " + mPath);
    }
    if (mFd >= 0 && ::close(mFd) != 0 && error.empty()) {
        error = systemError("cannot write " + mPath);
    }
    mFd = -1;
    if (error.empty() && ::rename(mTemporary.c_str(), mPath.c_str()) != 0) {
        error = systemError("cannot write " + mPath);
    }
    if (!error.empty()) {
        discard();
        return error;
    }
    mTemporary.clear();
    return {};
}

void OutputFile::discard() noexcept {
    closeIo();
    releaseReserve();
    if (mFd >= 0) {
        ::close(mFd);
        mFd = -1;
    }
    if (!mTemporary.empty()) {
        ::unlink(mTemporary.c_str());
        mTemporary.clear();
    }
}

} // namespace dw::video
