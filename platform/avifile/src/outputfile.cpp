#include "dw/avifile/outputfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/uio.h>
#include <unistd.h>
#include <vector>

namespace dw::avifile {

namespace {

std::string errnoText(const char* what, int error) {
    return std::string(what) + ": " + std::strerror(error);
}

class PosixOutputFile final : public OutputFile {
public:
    explicit PosixOutputFile(int fd) : mFd(fd) {}
    ~PosixOutputFile() override {
        std::string ignored;
        close(&ignored);
    }

    bool writeAt(std::uint64_t offset, const ConstBuffer* pieces, int count,
                 std::string* error) override {
        constexpr int kMaxPieces = 8; // chunk header, data, padding: never more here
        if (mFd < 0 || count < 0 || count > kMaxPieces) {
            *error = "write: file not open or too many pieces";
            return false;
        }
        iovec iov[kMaxPieces];
        int used = 0;
        for (int i = 0; i < count; ++i) {
            if (pieces[i].size > 0) {
                iov[used++] = {const_cast<void*>(pieces[i].data), pieces[i].size};
            }
        }
        iovec* next = iov;
        while (used > 0) {
            const ssize_t n = ::pwritev(mFd, next, used, static_cast<off_t>(offset));
            if (n < 0 && errno == EINTR) {
                continue;
            }
            if (n <= 0) {
                *error = errnoText("write", n < 0 ? errno : ENOSPC);
                return false;
            }
            offset += static_cast<std::uint64_t>(n);
            auto left = static_cast<std::size_t>(n);
            while (used > 0 && left >= next->iov_len) { // a short write: go on where it stopped
                left -= next->iov_len;
                ++next;
                --used;
            }
            if (used > 0) {
                next->iov_base = static_cast<char*>(next->iov_base) + left;
                next->iov_len -= left;
            }
        }
        return true;
    }

    bool truncate(std::uint64_t size, std::string* error) override {
        if (mFd < 0 || ::ftruncate(mFd, static_cast<off_t>(size)) != 0) {
            *error = errnoText("truncate", mFd < 0 ? EBADF : errno);
            return false;
        }
        return true;
    }

    bool close(std::string* error) override {
        if (mFd < 0) {
            return true;
        }
        const int rc = ::close(mFd);
        mFd = -1;
        if (rc != 0) {
            *error = errnoText("close", errno);
            return false;
        }
        return true;
    }

private:
    int mFd;
};

} // namespace

std::unique_ptr<OutputFile> createOutputFile(const std::string& path, std::string* error) {
    int fd;
    do {
        fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        *error = errnoText("open", errno);
        return nullptr;
    }
    return std::make_unique<PosixOutputFile>(fd);
}

} // namespace dw::avifile
