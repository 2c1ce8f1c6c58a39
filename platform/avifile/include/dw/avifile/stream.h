#pragma once
// A stream of an AVI file: the file's own video stream, or a compressing stream laid over it.
#include <cstddef>
#include <cstdint>

#include "dw/avifile/aviformat.h"

namespace dw::avifile {

// What a caller knows about a sample it writes.
enum class SampleHint {
    None,
    SameAsPrevious, // the bytes equal those of the previous sample written to this stream
};

class Stream {
public:
    virtual ~Stream() = default;

    // Sets the stream's format. Only position 0 and only before the first sample; a format the
    // stream cannot take fails with BadFormat, a compressor that will not start with Encoder.
    virtual Status setFormat(std::int32_t position, const void* format, std::size_t size) = 0;

    // Writes one sample at index `start`, the next one in order; `flags` may hold
    // AVIIF_KEYFRAME. Fails with BadArgument out of order or with a wrong size, with Write when
    // the file refuses the data; after a Write failure the stream takes no more samples.
    virtual Status write(std::int32_t start, const void* data, std::size_t size,
                         std::uint32_t flags, SampleHint hint = SampleHint::None) = 0;

    // Samples written so far.
    virtual std::int32_t length() const = 0;

    // The description the stream was created with.
    virtual const StreamInfo& info() const = 0;
};

} // namespace dw::avifile
