#pragma once
// One libavcodec encoder fed with 24-bit bottom-up frames.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "codeccatalog.h"
#include "dw/avifile/aviformat.h"
#include "ffmpegutil.h"

namespace dw::avifile {

struct EncoderSettings {
    int width = 0;
    int height = 0;
    std::uint32_t rate = 0; // frames per second = rate / scale
    std::uint32_t scale = 1;
    int keyFrameEvery = 0; // 0: the encoder's default
    int dataRateKbps = 0;  // 0: fixed quality
};

// Receives the encoder's output, one packet at a time, in decoding order.
class PacketSink {
public:
    virtual Status takePacket(const std::uint8_t* data, std::size_t size, bool keyFrame) = 0;

protected:
    ~PacketSink() = default;
};

class Encoder {
public:
    // Opens the recipe's encoder for frames of the given size. Null, with Encoder and
    // libavcodec's text in *status, when the encoder refuses the settings.
    static std::unique_ptr<Encoder> open(const CodecRecipe& recipe, const EncoderSettings& settings,
                                         Status* status);

    // Encodes one frame of bottom-up rows, `rowBytes` apart; packets it completes go to `sink`.
    Status encode(const std::uint8_t* rows, std::size_t rowBytes, PacketSink& sink);
    // Drains the encoder at the end; later calls to encode fail.
    Status flush(PacketSink& sink);

    // Data the format must carry after its bitmap header (may be empty).
    const std::uint8_t* extradata() const { return mContext->extradata; }
    std::size_t extradataSize() const {
        return mContext->extradata_size > 0 ? static_cast<std::size_t>(mContext->extradata_size)
                                            : 0;
    }
    // True when a frame's packet depends on that frame alone, so a repeated frame may repeat
    // its packet: intra-only output, a fixed quantiser, no state carried between frames.
    bool outputDependsOnFrameAlone() const { return mFrameAlone; }

private:
    Encoder() = default;
    Status drain(PacketSink& sink);

    // Declared in the order they must outlive each other: freed bottom up.
    detail::CodecContextPtr mContext;
    detail::ScalerPtr mScaler;
    detail::FramePtr mFrame;
    detail::PacketPtr mPacket;
    std::int64_t mNextPts = 0;
    bool mFixedQuality = false;
    bool mFrameAlone = false;
    bool mFlushed = false;
};

} // namespace dw::avifile
