#include <limits>
#include <new>

#include "dw/avifile/compression.h"
#include "encoder.h"

namespace dw::avifile {

namespace {

std::uint32_t fourccOf(const char* code) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
        v |= static_cast<std::uint32_t>(static_cast<unsigned char>(code[i])) << (8 * i);
    }
    return v;
}

} // namespace

// Writes each packet to the file's stream and, when a repeated frame may reuse it, keeps a copy.
class CompressedStream::PacketWriter final : public PacketSink {
public:
    explicit PacketWriter(CompressedStream& stream) : mStream(stream) {}

    Status takePacket(const std::uint8_t* data, std::size_t size, bool keyFrame) override {
        ++mPackets;
        Stream& raw = *mStream.mRaw;
        Status st = raw.write(raw.length(), data, size, keyFrame ? AVIIF_KEYFRAME : 0);
        if (st && mStream.reusesRepeatedFrames()) {
            mStream.mPrevious.assign(data, data + size); // keeps its capacity between frames
            mStream.mPreviousKey = keyFrame;
        }
        return st;
    }
    int packets() const { return mPackets; }

private:
    CompressedStream& mStream;
    int mPackets = 0;
};

CompressedStream::CompressedStream(std::shared_ptr<Stream> raw, const CodecRecipe& recipe,
                                   const platform::CompressionChoice& choice)
    : mRaw(std::move(raw)), mRecipe(recipe), mChoice(choice) {}

CompressedStream::~CompressedStream() {
    try {
        flush(); // nothing can be reported at release; the file keeps what fits
    } catch (...) {
    }
    mEncoder.reset();
}

Status CompressedStream::flush() {
    if (mFlushed) {
        return mFlushStatus;
    }
    mFlushed = true;
    if (mEncoder) {
        try {
            PacketWriter writer(*this);
            mFlushStatus = mEncoder->flush(writer); // the lookahead's frames are written only now
        } catch (const std::bad_alloc&) {
            mFlushStatus = Status::fail(AviError::Encoder, "out of memory flushing the encoder");
        }
    }
    return mFlushStatus;
}

bool CompressedStream::reusesRepeatedFrames() const {
    return mReuseAllowed && mEncoder && mEncoder->outputDependsOnFrameAlone();
}

Status CompressedStream::setFormat(std::int32_t position, const void* format, std::size_t size) {
    if (position != 0 || mFormatSet) {
        return Status::fail(AviError::BadFormat, "the format is set once, at position 0");
    }
    const auto in = BitmapInfoHeader::parse(format, size);
    if (!in || in->bitCount != 24 || in->compression != BI_RGB || in->width <= 0 ||
        in->height <= 0) {
        return Status::fail(AviError::BadFormat, "frames must be 24-bit bottom-up bitmaps");
    }
    const std::int64_t frameBytes = dibRowBytes(in->width, 24) * in->height;
    if (frameBytes > std::numeric_limits<std::int32_t>::max()) {
        return Status::fail(AviError::BadFormat, "frame too large");
    }
    if (mRecipe.encoderName == nullptr) {
        if (Status st = mRaw->setFormat(0, format, size); !st) {
            return st;
        }
    } else {
        const StreamInfo& info = mRaw->info();
        const EncoderSettings settings{
            in->width,           in->height, info.rate, info.scale, mChoice.keyFrameEvery,
            mChoice.dataRateKbps};
        Status st;
        std::unique_ptr<Encoder> encoder = Encoder::open(mRecipe, settings, &st);
        if (!encoder) {
            return st;
        }
        BitmapInfoHeader out = *in;
        out.size = static_cast<std::uint32_t>(BitmapInfoHeader::kBytes + encoder->extradataSize());
        out.compression = fourccOf(mRecipe.fourcc);
        out.sizeImage = static_cast<std::uint32_t>(frameBytes);
        std::vector<std::uint8_t> bytes(out.size);
        const auto head = out.toBytes();
        std::copy(head.begin(), head.end(), bytes.begin());
        std::copy(encoder->extradata(), encoder->extradata() + encoder->extradataSize(),
                  bytes.begin() + BitmapInfoHeader::kBytes);
        if (st = mRaw->setFormat(0, bytes.data(), bytes.size()); !st) {
            return st;
        }
        mEncoder = std::move(encoder);
    }
    mFrameBytes = static_cast<std::size_t>(frameBytes);
    mRowBytes = static_cast<std::size_t>(dibRowBytes(in->width, 24));
    mFormatSet = true;
    return Status::ok();
}

Status CompressedStream::write(std::int32_t start, const void* data, std::size_t size,
                               std::uint32_t flags, SampleHint hint) {
    if (!mFormatSet) {
        return Status::fail(AviError::BadArgument, "the stream has no format");
    }
    if (mFlushed) {
        return Status::fail(AviError::BadArgument, "the stream was flushed");
    }
    if (start != length() || data == nullptr || size != mFrameBytes) {
        return Status::fail(AviError::BadArgument, "frames are written in order, whole");
    }
    Status st;
    if (!mEncoder) {
        // Uncompressed: every frame stands alone.
        st = mRaw->write(mRaw->length(), data, size, flags | AVIIF_KEYFRAME, hint);
    } else if (hint == SampleHint::SameAsPrevious && mPreviousValid && reusesRepeatedFrames()) {
        st = rewritePrevious();
    } else {
        st = encodeAndWrite(data);
    }
    if (st) {
        ++mStats.framesIn;
    }
    return st;
}

Status CompressedStream::encodeAndWrite(const void* data) {
    mPreviousValid = false;
    PacketWriter writer(*this);
    const Status st = mEncoder->encode(static_cast<const std::uint8_t*>(data), mRowBytes, writer);
    ++mStats.framesEncoded;
    // One packet for one frame: only then does the packet stand for the frame.
    mPreviousValid = st && writer.packets() == 1 && reusesRepeatedFrames();
    return st;
}

Status CompressedStream::rewritePrevious() {
    const Status st = mRaw->write(mRaw->length(), mPrevious.data(), mPrevious.size(),
                                  mPreviousKey ? AVIIF_KEYFRAME : 0);
    if (st) {
        ++mStats.framesReused;
    }
    return st;
}

} // namespace dw::avifile
