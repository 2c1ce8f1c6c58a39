#pragma once
// Compressors from libavcodec behind the compression-options dialog: what is on offer, the
// dialog, and the compressing stream laid over a file's video stream.
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "dw/avifile/stream.h"
#include "dw/platform/compressiondialog.h"

namespace dw::avifile {

// Starts and stops the library; calls nest. The first start publishes the compressors on offer
// to the platform layer, for front ends that list them.
void initLibrary();
void exitLibrary();

// The compressors whose encoder this machine has, uncompressed first.
std::vector<platform::CompressorInfo> availableCompressors();

// Asks the compression-options dialog (or its default settings) about `stream`; `flags` are
// the dialog's ICMF_* flags. nullopt when cancelled.
std::optional<platform::CompressionChoice> saveOptions(const StreamInfo& stream,
                                                       std::uint32_t flags);

class Encoder;
struct CodecRecipe;

// The encoders quieten libavcodec's log below errors when the first of them opens.

// A stream that compresses 24-bit bottom-up frames and writes them to a file's stream. Its
// format, set at position 0, is the frames' 40-byte bitmap header (more bytes may follow); the
// file's stream gets the compressor's own format. Uncompressed, frames pass through unchanged.
class CompressedStream final : public Stream {
public:
    struct Stats {
        std::int64_t framesIn = 0;
        std::int64_t framesEncoded = 0; // frames handed to the compressor
        std::int64_t framesReused = 0;  // repeated frames written as the previous data
    };

    // Flushes the compressor into the file's stream unless flush() did, then lets go of it.
    ~CompressedStream() override;

    // Writes the frames the compressor still holds to the file's stream; the stream then takes
    // no more frames. The first failure to encode or write them is returned, every later call
    // returns it again.
    Status flush();

    Status setFormat(std::int32_t position, const void* format, std::size_t size) override;
    // A frame hinted SameAsPrevious is not compressed again when the compressor's output depends
    // on the frame alone: the previous data is written again, byte for byte what compressing it
    // afresh would give. Compressors that predict from earlier frames compress every copy.
    Status write(std::int32_t start, const void* data, std::size_t size, std::uint32_t flags,
                 SampleHint hint = SampleHint::None) override;
    std::int32_t length() const override { return static_cast<std::int32_t>(mStats.framesIn); }
    const StreamInfo& info() const override { return mRaw->info(); }

    Stats stats() const { return mStats; }
    // True when repeated frames are written as the previous data (known once the format is set).
    bool reusesRepeatedFrames() const;
    // Turns the reuse of repeated frames off, to compare with compressing every copy.
    void setReuseRepeatedFrames(bool reuse) { mReuseAllowed = reuse; }

    CompressedStream(std::shared_ptr<Stream> raw, const CodecRecipe& recipe,
                     const platform::CompressionChoice& choice);

private:
    class PacketWriter;
    Status encodeAndWrite(const void* data);
    Status rewritePrevious();

    std::shared_ptr<Stream> mRaw;
    const CodecRecipe& mRecipe;
    platform::CompressionChoice mChoice;
    std::unique_ptr<Encoder> mEncoder; // null while uncompressed or before the format is set
    bool mFormatSet = false;
    bool mFlushed = false;
    Status mFlushStatus;
    std::size_t mFrameBytes = 0;
    std::size_t mRowBytes = 0;
    bool mReuseAllowed = true;
    std::vector<std::uint8_t> mPrevious; // the previous frame's data, when it can be reused
    bool mPreviousKey = false;
    bool mPreviousValid = false;
    Stats mStats;
};

// Lays a compressing stream over `raw` for the chosen compressor. Null, with NoCompressor, when
// the choice names no compressor on offer, or with BadArgument for settings out of range.
std::shared_ptr<CompressedStream> makeCompressedStream(std::shared_ptr<Stream> raw,
                                                       const platform::CompressionChoice& choice,
                                                       Status* status);

} // namespace dw::avifile
