#include "dw/platform/fileprofilestore.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <new>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

#include "dw/platform/profiletext.h"

namespace dw::platform {

namespace {

class Fd {
public:
    explicit Fd(int fd) : mFd(fd) {}
    ~Fd() {
        if (mFd >= 0) {
            ::close(mFd);
        }
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return mFd; }
    bool valid() const { return mFd >= 0; }

private:
    int mFd;
};

// Reading stops here: a profile is a few kilobytes, and a read copies the file each time.
constexpr std::size_t kReadCapBytes = std::size_t{64} << 20;

// Appends the file's bytes to `out`, at most `cap` of them; false on a read error.
bool readAll(int fd, std::string& out, std::size_t cap = std::string::npos) {
    char buf[65536];
    for (;;) {
        const std::size_t room = cap == std::string::npos ? sizeof buf : cap - out.size();
        if (room == 0) {
            return true;
        }
        const ssize_t n = ::read(fd, buf, std::min(room, sizeof buf));
        if (n == 0) {
            return true;
        }
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        out.append(buf, static_cast<std::size_t>(n));
    }
}

// The text of a regular file as it is now, copied rather than mapped: another process may cut
// the file short mid-read, which must not fault. Only the first kReadCapBytes are read. nullopt
// for anything but a readable regular file (a missing file, a folder, a pipe).
std::optional<std::string> readProfileText(const std::string& path) {
    // Non-blocking, so that a pipe under the name cannot hang the open.
    const Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (!fd.valid() || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
        return std::nullopt;
    }
    std::string text;
    text.reserve(std::min(static_cast<std::size_t>(std::max<off_t>(st.st_size, 0)), kReadCapBytes));
    if (!readAll(fd.get(), text, kReadCapBytes)) {
        return std::nullopt;
    }
    return text;
}

bool writeAllAt(int fd, std::string_view text, off_t offset) {
    while (!text.empty()) {
        const ssize_t n = ::pwrite(fd, text.data(), text.size(), offset);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

std::string cutValue(std::string_view value) {
    return std::string(value.substr(0, kProfileValueMax));
}

// A link is followed, so that saving through it keeps the link and changes its target.
std::string resolvedTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
        return path;
    }
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

mode_t newFileMode() {
    // The process mask can only be read by setting it; the program touches it nowhere else.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

void syncFolder(const std::string& folder) {
    const Fd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) {
        ::fsync(fd.get());
    }
}

enum class Replace { Saved, Failed, NeedsInPlace };

// The old file as it stands, when there is one.
struct Existing {
    bool exists = false;
    struct stat st {};
};

// Owner and group of the old file go to the new one; where that is not allowed the file must be
// rewritten in place instead, or saving would hand the user's file to someone else.
bool keepOwner(int fd, const Existing& old) {
    struct stat now {};
    if (!old.exists || ::fstat(fd, &now) != 0) {
        return true;
    }
    if (now.st_uid == old.st.st_uid && now.st_gid == old.st.st_gid) {
        return true;
    }
    return ::fchown(fd, old.st.st_uid, old.st.st_gid) == 0;
}

Replace replaceViaTemporary(const std::string& target, std::string_view text, mode_t mode,
                            const Existing& old) {
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "./" : target.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    // Short enough for any file name limit, hidden, and unique.
    std::string temporary = folder + "." + base.substr(0, 200) + ".XXXXXX";
    const int raw = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (raw < 0) {
        const bool refused = errno == EACCES || errno == EPERM || errno == EROFS;
        return refused ? Replace::NeedsInPlace : Replace::Failed;
    }
    const Fd fd(raw);
    if (!keepOwner(fd.get(), old)) {
        ::unlink(temporary.c_str());
        return Replace::NeedsInPlace;
    }
    if (!writeAllAt(fd.get(), text, 0) || ::fchmod(fd.get(), mode) != 0 || ::fsync(fd.get()) != 0) {
        ::unlink(temporary.c_str());
        return Replace::Failed;
    }
    if (::rename(temporary.c_str(), target.c_str()) != 0) {
        const int error = errno;
        ::unlink(temporary.c_str());
        // EBUSY: the file is a mount point (a file bound into a container), which only takes
        // writes in place.
        const bool inPlace = error == EACCES || error == EPERM || error == EBUSY;
        return inPlace ? Replace::NeedsInPlace : Replace::Failed;
    }
    syncFolder(folder);
    return Replace::Saved;
}

// The fallback where no file can be made beside the old one. Space is reserved first, so a full
// disk fails before a byte of the old content changes.
bool rewriteInPlace(const std::string& target, std::string_view text) {
    const Fd fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    if (!fd.valid()) {
        return false;
    }
    if (!text.empty() &&
        ::fallocate(fd.get(), FALLOC_FL_KEEP_SIZE, 0, static_cast<off_t>(text.size())) != 0 &&
        errno != EOPNOTSUPP && errno != ENOSYS) {
        return false;
    }
    return writeAllAt(fd.get(), text, 0) &&
           ::ftruncate(fd.get(), static_cast<off_t>(text.size())) == 0 && ::fsync(fd.get()) == 0;
}

bool save(const std::string& path, std::string_view section,
          const std::vector<ProfileEntry>& entries) {
    if (path.empty()) {
        return false;
    }
    const std::string target = resolvedTarget(path);
    Existing old;
    std::string text;
    if (::stat(target.c_str(), &old.st) == 0) {
        old.exists = true;
        // A read-only file must refuse the save even where its folder would allow a rename.
        const Fd writable(::open(target.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
        const Fd readable(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (!S_ISREG(old.st.st_mode) || !writable.valid() || !readable.valid() ||
            !readAll(readable.get(), text)) {
            return false;
        }
    } else if (errno != ENOENT) {
        return false;
    }
    auto written = applyProfileWrites(text, section, entries);
    if (!written) {
        return false;
    }
    text = std::move(*written);
    const mode_t mode = old.exists ? (old.st.st_mode & 07777) : newFileMode();
    // Renaming over a file with other names would split it from them.
    const Replace result = (old.exists && old.st.st_nlink > 1)
                               ? Replace::NeedsInPlace
                               : replaceViaTemporary(target, text, mode, old);
    if (result == Replace::NeedsInPlace && old.exists) {
        return rewriteInPlace(target, text);
    }
    return result == Replace::Saved;
}

} // namespace

std::string FileProfileStore::getProfileString(const std::string& path, std::string_view section,
                                               std::string_view key,
                                               std::string_view fallback) const {
    std::optional<std::string> text;
    try {
        text = readProfileText(path);
    } catch (const std::bad_alloc&) {
        text.reset(); // no memory for the copy: read as a missing file
    }
    const auto value = text ? findProfileValue(*text, section, key) : std::nullopt;
    return cutValue(value ? *value : fallback);
}

bool FileProfileStore::writeProfileStrings(const std::string& path, std::string_view section,
                                           const std::vector<ProfileEntry>& entries) {
    try {
        return save(path, section, entries);
    } catch (...) {
        return false; // out of memory for the new text: the old file stays
    }
}

} // namespace dw::platform
