#pragma once
// An AVI file being written: one video stream, stored as a RIFF file with a legacy index and
// OpenDML indexes, so that files past 1 GiB play to their end. The file is finished on disk when
// the file object and all its streams have been released.
#include <cstdint>
#include <memory>
#include <string>

#include "dw/avifile/aviformat.h"
#include "dw/avifile/outputfile.h"
#include "dw/avifile/stream.h"

namespace dw::avifile {

namespace detail {
class RiffMuxer;
}

struct FileOptions {
    // A RIFF part ends, and an 'AVIX' part begins, once it holds this many bytes; readers that
    // know only the first part and its 'idx1' see up to here.
    std::uint64_t riffLimitBytes = std::uint64_t{1} << 30;
    // Room reserved in the header for the index of parts ('indx'): one entry per RIFF part.
    std::uint32_t superIndexEntries = 256;
};

class AviFile {
public:
    // Creates the file `path` (emptied if it exists). Null, with FileOpen and the reason in
    // *status, when it cannot be created.
    static std::unique_ptr<AviFile> create(const std::string& path, Status* status,
                                           const FileOptions& options = {});
    // The same over any output, for tests.
    static std::unique_ptr<AviFile> create(std::unique_ptr<OutputFile> output,
                                           const FileOptions& options = {});

    // Releases the file; the file is finished once its streams are released too.
    ~AviFile();
    AviFile(const AviFile&) = delete;
    AviFile& operator=(const AviFile&) = delete;

    // Creates the file's video stream. Fails with BadArgument for a second stream, a type other
    // than video, or a frame rectangle that is empty or too large for the file's headers.
    std::shared_ptr<Stream> createStream(const StreamInfo& info, Status* status);
    // Finishes the file now: writes its indexes and final header and closes it; its streams take
    // no more samples (flush a compressing stream first). Write when an index, the header or the
    // close failed. Releasing the file and its streams finishes it too, with no report.
    Status finish();

private:
    explicit AviFile(std::shared_ptr<detail::RiffMuxer> muxer);
    std::shared_ptr<detail::RiffMuxer> mMuxer;
};

} // namespace dw::avifile
