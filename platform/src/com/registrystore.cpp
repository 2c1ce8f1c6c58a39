#include "dw/platform/com/registrystore.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>

namespace dw::com {

namespace {

// A registry larger than this is not one we wrote; reading it would only waste memory.
constexpr off_t kMaxRegistryBytes = 64L * 1024 * 1024;

enum class FileState { Missing, Read, Unreadable };

FileState readFile(const std::string& path, std::string* out) {
    out->clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return (errno == ENOENT || errno == ENOTDIR) ? FileState::Missing : FileState::Unreadable;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size > kMaxRegistryBytes) {
        ::close(fd);
        return FileState::Unreadable;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 || out->size() + static_cast<std::size_t>(n) > kMaxRegistryBytes) {
            ::close(fd);
            return FileState::Unreadable;
        }
        if (n == 0) {
            break;
        }
        out->append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return FileState::Read;
}

bool writeAll(int fd, std::string_view data) {
    while (!data.empty()) {
        const ssize_t n = ::write(fd, data.data(), data.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        data.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Writes beside the file and renames over it, so a reader sees the old or the new registry.
bool replaceFile(const std::string& path, const std::string& text) {
    const std::string temp = path + ".new." + std::to_string(::getpid());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, text) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written || ::rename(temp.c_str(), path.c_str()) != 0) {
        ::unlink(temp.c_str());
        return false;
    }
    return true;
}

bool makeDirectories(const std::string& dir) {
    if (dir.empty()) {
        return true;
    }
    for (std::size_t pos = 1;; ++pos) {
        pos = dir.find('/', pos);
        const std::string part = dir.substr(0, pos);
        if (::mkdir(part.c_str(), 0755) != 0 && errno != EEXIST) {
            return false;
        }
        if (pos == std::string::npos) {
            return true;
        }
    }
}

std::string directoryOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

// Holds an exclusive lock on "<path>.lock" for the life of the object.
class FileLock {
public:
    explicit FileLock(const std::string& path)
        : mFd(::open((path + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644)) {
        while (mFd >= 0 && ::flock(mFd, LOCK_EX) != 0 && errno == EINTR) {
        }
    }
    ~FileLock() {
        if (mFd >= 0) {
            ::close(mFd); // closing releases the lock
        }
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

private:
    int mFd;
};

std::mutex& overrideMutex() {
    static std::mutex m;
    return m;
}

std::shared_ptr<RegistryStore>& overrideStore() {
    static std::shared_ptr<RegistryStore> store;
    return store;
}

} // namespace

std::string defaultRegistryPath() {
    if (const char* env = std::getenv("DIALWRIGHT_REGISTRY"); env != nullptr && *env != '\0') {
        return env;
    }
    if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg != nullptr && xdg[0] == '/') {
        return std::string(xdg) + "/dialwright/registry";
    }
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] == '\0') {
        const passwd* pw = ::getpwuid(::getuid());
        home = pw != nullptr ? pw->pw_dir : nullptr;
    }
    if (home == nullptr || home[0] == '\0') {
        return {};
    }
    return std::string(home) + "/.config/dialwright/registry";
}

FileRegistryStore::FileRegistryStore(std::string path) : mPath(std::move(path)) {}

std::string FileRegistryStore::path() const {
    return mPath.empty() ? defaultRegistryPath() : mPath;
}

HRESULT FileRegistryStore::read(RegistryTree* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = RegistryTree{};
    const std::string file = path();
    if (file.empty()) {
        return REGDB_E_READREGDB;
    }
    std::string text;
    switch (readFile(file, &text)) {
    case FileState::Missing:
        return S_OK;
    case FileState::Unreadable:
        return REGDB_E_READREGDB;
    case FileState::Read:
        break;
    }
    std::optional<RegistryTree> tree = RegistryTree::fromText(text);
    if (!tree) {
        return REGDB_E_READREGDB;
    }
    *out = std::move(*tree);
    return S_OK;
}

HRESULT FileRegistryStore::update(const Change& change) {
    if (!change) {
        return E_POINTER;
    }
    const std::string file = path();
    if (file.empty() || !makeDirectories(directoryOf(file))) {
        return REGDB_E_WRITEREGDB;
    }
    FileLock lock(file);
    std::string text;
    RegistryTree tree;
    bool damaged = false;
    switch (readFile(file, &text)) {
    case FileState::Unreadable:
        return REGDB_E_READREGDB;
    case FileState::Missing:
        break;
    case FileState::Read:
        if (std::optional<RegistryTree> parsed = RegistryTree::fromText(text)) {
            tree = std::move(*parsed);
        } else {
            damaged = true;
        }
        break;
    }
    const HRESULT hr = change(tree);
    if (FAILED(hr)) {
        return hr;
    }
    if (damaged && ::rename(file.c_str(), (file + ".damaged").c_str()) != 0) {
        return REGDB_E_WRITEREGDB;
    }
    return replaceFile(file, tree.toText()) ? S_OK : REGDB_E_WRITEREGDB;
}

HRESULT MemoryRegistryStore::read(RegistryTree* out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mMutex);
    if (FAILED(mReadFailure)) {
        *out = RegistryTree{};
        return mReadFailure;
    }
    *out = mTree;
    return S_OK;
}

HRESULT MemoryRegistryStore::update(const Change& change) {
    if (!change) {
        return E_POINTER;
    }
    std::lock_guard lock(mMutex);
    if (FAILED(mUpdateFailure)) {
        return mUpdateFailure;
    }
    RegistryTree copy = mTree;
    const HRESULT hr = change(copy);
    if (SUCCEEDED(hr)) {
        mTree = std::move(copy);
    }
    return hr;
}

void MemoryRegistryStore::failReads(HRESULT hr) {
    std::lock_guard lock(mMutex);
    mReadFailure = hr;
}

void MemoryRegistryStore::failUpdates(HRESULT hr) {
    std::lock_guard lock(mMutex);
    mUpdateFailure = hr;
}

RegistryTree MemoryRegistryStore::tree() const {
    std::lock_guard lock(mMutex);
    return mTree;
}

void MemoryRegistryStore::setTree(RegistryTree tree) {
    std::lock_guard lock(mMutex);
    mTree = std::move(tree);
}

std::shared_ptr<RegistryStore> registryStore() {
    std::lock_guard lock(overrideMutex());
    if (overrideStore()) {
        return overrideStore();
    }
    static const auto fileStore = std::make_shared<FileRegistryStore>();
    return fileStore;
}

std::shared_ptr<RegistryStore> setRegistryStore(std::shared_ptr<RegistryStore> store) {
    std::lock_guard lock(overrideMutex());
    std::shared_ptr<RegistryStore> previous = std::move(overrideStore());
    overrideStore() = std::move(store);
    return previous;
}

} // namespace dw::com
