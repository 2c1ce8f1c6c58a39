#include "design/filestat.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dw::design {

bool stat(const std::string& name) {
    if (name.empty()) {
        return false;
    }
    // Non-blocking, so that a pipe under the name cannot hang the test.
    const int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        return false;
    }
    struct ::stat st {};
    const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    ::close(fd);
    return regular;
}

} // namespace dw::design
