#include "dw/avifile/avifile.h"

#include "riffmuxer.h"

namespace dw::avifile {

namespace {

// The file's own video stream: samples go into the file as they are given.
class FileStream final : public Stream {
public:
    explicit FileStream(std::shared_ptr<detail::RiffMuxer> muxer) : mMuxer(std::move(muxer)) {}

    Status setFormat(std::int32_t position, const void* format, std::size_t size) override {
        if (position != 0) {
            return Status::fail(AviError::BadFormat, "the format is set at position 0 only");
        }
        return mMuxer->setFormat(format, size);
    }

    Status write(std::int32_t start, const void* data, std::size_t size, std::uint32_t flags,
                 SampleHint /*hint*/) override {
        if (start != length()) {
            return Status::fail(AviError::BadArgument, "samples are written in order");
        }
        return mMuxer->writeChunk(data, size, (flags & AVIIF_KEYFRAME) != 0);
    }

    std::int32_t length() const override { return mMuxer->chunkCount(); }
    const StreamInfo& info() const override { return mMuxer->streamInfo(); }

private:
    std::shared_ptr<detail::RiffMuxer> mMuxer; // the file is finished when its last holder goes
};

} // namespace

AviFile::AviFile(std::shared_ptr<detail::RiffMuxer> muxer) : mMuxer(std::move(muxer)) {}

AviFile::~AviFile() = default;

std::unique_ptr<AviFile> AviFile::create(const std::string& path, Status* status,
                                         const FileOptions& options) {
    std::string error;
    std::unique_ptr<OutputFile> output = createOutputFile(path, &error);
    if (!output) {
        *status = Status::fail(AviError::FileOpen, error);
        return nullptr;
    }
    *status = Status::ok();
    return create(std::move(output), options);
}

std::unique_ptr<AviFile> AviFile::create(std::unique_ptr<OutputFile> output,
                                         const FileOptions& options) {
    auto muxer = std::make_shared<detail::RiffMuxer>(std::move(output), options);
    return std::unique_ptr<AviFile>(new AviFile(std::move(muxer)));
}

std::shared_ptr<Stream> AviFile::createStream(const StreamInfo& info, Status* status) {
    *status = mMuxer->addStream(info);
    if (!*status) {
        return nullptr;
    }
    return std::make_shared<FileStream>(mMuxer);
}

Status AviFile::finish() {
    return mMuxer->finish();
}

} // namespace dw::avifile
