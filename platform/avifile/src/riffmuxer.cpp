#include "riffmuxer.h"

#include <algorithm>
#include <limits>

#include "bytewriter.h"

namespace dw::avifile::detail {

namespace {

constexpr std::uint32_t AVIF_HASINDEX = 0x10;
constexpr std::uint32_t AVIF_ISINTERLEAVED = 0x100;
constexpr std::uint32_t AVIF_TRUSTCKTYPE = 0x800;
constexpr std::uint8_t AVI_INDEX_OF_INDEXES = 0;
constexpr std::uint8_t AVI_INDEX_OF_CHUNKS = 1;
constexpr std::uint32_t kNotKeyFrame = 0x80000000u;

constexpr std::uint32_t kMainHeaderBytes = 56;
constexpr std::uint32_t kStreamHeaderBytes = 56;
constexpr std::uint32_t kIndexHeaderBytes = 24;
constexpr std::uint32_t kSuperEntryBytes = 16;
constexpr std::uint32_t kDmlhBytes = 248;
constexpr std::uint32_t kMaxChunkBytes = 0x7FFFFF00u;
constexpr std::size_t kMaxFormatBytes = 1 << 20;
constexpr int kMaxFrameSide = 32767; // the stream header stores the frame as 16-bit numbers

std::uint32_t clampU32(std::uint64_t v) {
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(v, 0xFFFFFFFFu));
}

std::uint64_t padded(std::uint64_t size) {
    return size + (size & 1);
}

} // namespace

RiffMuxer::RiffMuxer(std::unique_ptr<OutputFile> output, const FileOptions& options)
    : mOut(std::move(output)), mOptions(options) {
    mOptions.superIndexEntries = std::max<std::uint32_t>(mOptions.superIndexEntries, 1);
    mOptions.riffLimitBytes = std::min<std::uint64_t>(mOptions.riffLimitBytes, 0x7FFFFFFFu);
}

RiffMuxer::~RiffMuxer() {
    try {
        finish(); // builds the indexes and header in memory
    } catch (...) {
        try {
            std::string ignored; // out of memory: the file keeps its samples, unindexed
            mOut->close(&ignored);
        } catch (...) { // only the text of a failed close can throw; the file is closed by then
        }
    }
}

Status RiffMuxer::addStream(const StreamInfo& info) {
    if (mHasStream) {
        return Status::fail(AviError::BadArgument, "the file holds one stream");
    }
    if (info.fccType != streamtypeVIDEO) {
        return Status::fail(AviError::BadArgument, "only video streams are written");
    }
    const std::int64_t width = std::int64_t{info.frame.right} - info.frame.left;
    const std::int64_t height = std::int64_t{info.frame.bottom} - info.frame.top;
    if (width <= 0 || height <= 0 || width > kMaxFrameSide || height > kMaxFrameSide ||
        dibRowBytes(width, 24) * height > kMaxChunkBytes) {
        return Status::fail(AviError::BadArgument, "frame rectangle empty or too large");
    }
    mInfo = info;
    mHasStream = true;
    return Status::ok();
}

Status RiffMuxer::setFormat(const void* format, std::size_t size) {
    if (!mHasStream || mFinished) {
        return Status::fail(AviError::BadArgument, "no stream to take a format");
    }
    if (mHeaderWritten) {
        return Status::fail(AviError::BadFormat, "the format cannot change after the first sample");
    }
    const auto header = BitmapInfoHeader::parse(format, size);
    if (!header || size > kMaxFormatBytes) {
        return Status::fail(AviError::BadFormat, "a video format is a bitmap header");
    }
    const auto* bytes = static_cast<const std::uint8_t*>(format);
    mFormat.assign(bytes, bytes + size);
    mChunkId = header->compression == BI_RGB ? fourcc("00db") : fourcc("00dc");
    if (mInfo.fccHandler == 0 && header->compression != BI_RGB) {
        mInfo.fccHandler = header->compression; // the stream names its compressor
    }
    return Status::ok();
}

std::uint64_t RiffMuxer::headerBytes() const {
    const std::uint64_t indx = kIndexHeaderBytes + kSuperEntryBytes * mOptions.superIndexEntries;
    const std::uint64_t strl =
        4 + (8 + kStreamHeaderBytes) + (8 + padded(mFormat.size())) + (8 + indx);
    const std::uint64_t odml = 4 + (8 + kDmlhBytes);
    const std::uint64_t hdrl = 4 + (8 + kMainHeaderBytes) + (8 + strl) + (8 + odml);
    return 12 + (8 + hdrl) + 12;
}

std::vector<std::uint8_t> RiffMuxer::buildHeader() const {
    const std::uint64_t total = headerBytes();
    const std::uint64_t moviListStart = total - 12;
    const std::uint64_t riffEnd = mFirstPartClosed ? mFirstRiffEnd : mEnd;
    const std::uint64_t moviEnd = mFirstPartClosed ? mFirstMoviEnd : mEnd;
    const std::uint32_t firstFrames = mFirstPartClosed ? mFirstPartFrames : mTotalFrames;
    const std::uint32_t scale = mInfo.scale == 0 ? 1 : mInfo.scale;
    const std::uint32_t bufferSize = std::max(mInfo.suggestedBufferSize, mMaxChunk);

    std::vector<std::uint8_t> out;
    out.reserve(total);
    ByteWriter w(out);
    w.tag("RIFF");
    w.u32(clampU32(std::max<std::uint64_t>(riffEnd, total) - 8));
    w.tag("AVI ");
    w.tag("LIST");
    w.u32(static_cast<std::uint32_t>(moviListStart - 20));
    w.tag("hdrl");
    w.tag("avih");
    w.u32(kMainHeaderBytes);
    w.u32(mInfo.rate == 0
              ? 0
              : clampU32((std::uint64_t{1000000} * scale + mInfo.rate / 2) / mInfo.rate));
    w.u32(clampU32(std::uint64_t{mMaxChunk} * mInfo.rate / scale));
    w.u32(0); // padding granularity
    w.u32((mHasIdx1 ? AVIF_HASINDEX : 0) | AVIF_ISINTERLEAVED | AVIF_TRUSTCKTYPE);
    w.u32(firstFrames); // the first part's frames; all of them are counted in 'dmlh'
    w.u32(0);
    w.u32(1);
    w.u32(bufferSize);
    w.u32(static_cast<std::uint32_t>(mInfo.frame.right - mInfo.frame.left));
    w.u32(static_cast<std::uint32_t>(mInfo.frame.bottom - mInfo.frame.top));
    w.zeros(16);
    appendStreamList(out);
    w.tag("LIST");
    w.u32(4 + 8 + kDmlhBytes);
    w.tag("odml");
    w.tag("dmlh");
    w.u32(kDmlhBytes);
    w.u32(mTotalFrames);
    w.zeros(kDmlhBytes - 4);
    w.tag("LIST");
    w.u32(clampU32(std::max<std::uint64_t>(moviEnd, total) - moviListStart - 8));
    w.tag("movi");
    return out;
}

void RiffMuxer::appendStreamList(std::vector<std::uint8_t>& out) const {
    ByteWriter w(out);
    const std::uint32_t indx = kIndexHeaderBytes + kSuperEntryBytes * mOptions.superIndexEntries;
    w.tag("LIST");
    w.u32(static_cast<std::uint32_t>(4 + (8 + kStreamHeaderBytes) + (8 + padded(mFormat.size())) +
                                     (8 + indx)));
    w.tag("strl");
    w.tag("strh");
    w.u32(kStreamHeaderBytes);
    w.u32(mInfo.fccType);
    w.u32(mInfo.fccHandler);
    w.u32(mInfo.flags);
    w.u16(mInfo.priority);
    w.u16(mInfo.language);
    w.u32(mInfo.initialFrames);
    w.u32(mInfo.scale);
    w.u32(mInfo.rate);
    w.u32(mInfo.start);
    w.u32(mTotalFrames);
    w.u32(std::max(mInfo.suggestedBufferSize, mMaxChunk));
    w.i32(mInfo.quality);
    w.u32(mInfo.sampleSize);
    w.u16(static_cast<std::uint16_t>(mInfo.frame.left));
    w.u16(static_cast<std::uint16_t>(mInfo.frame.top));
    w.u16(static_cast<std::uint16_t>(mInfo.frame.right));
    w.u16(static_cast<std::uint16_t>(mInfo.frame.bottom));
    w.tag("strf");
    w.u32(static_cast<std::uint32_t>(mFormat.size()));
    w.bytes(mFormat.data(), mFormat.size());
    w.zeros(mFormat.size() & 1);
    w.tag("indx");
    w.u32(indx);
    w.u16(4); // longs per entry
    w.u8(0);
    w.u8(AVI_INDEX_OF_INDEXES);
    w.u32(static_cast<std::uint32_t>(mSuperIndex.size()));
    w.u32(mChunkId);
    w.zeros(12);
    for (const SuperEntry& e : mSuperIndex) {
        w.u64(e.offset);
        w.u32(e.size);
        w.u32(e.duration);
    }
    w.zeros(kSuperEntryBytes * (mOptions.superIndexEntries - mSuperIndex.size()));
}

Status RiffMuxer::writeHeader() {
    const std::vector<std::uint8_t> header = buildHeader();
    const ConstBuffer piece{header.data(), header.size()};
    std::string error;
    if (!mOut->writeAt(0, &piece, 1, &error)) {
        mBroken = true;
        return Status::fail(AviError::Write, error);
    }
    mHeaderWritten = true;
    mEnd = header.size();
    mPart = Part{};
    mPart.moviListStart = header.size() - 12;
    return Status::ok();
}

Status RiffMuxer::beginExtensionPart() {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(24);
    ByteWriter w(bytes);
    w.tag("RIFF");
    w.u32(16); // sizes are set when the part closes
    w.tag("AVIX");
    w.tag("LIST");
    w.u32(4);
    w.tag("movi");
    const ConstBuffer piece{bytes.data(), bytes.size()};
    std::string error;
    if (!mOut->writeAt(mEnd, &piece, 1, &error)) {
        mBroken = true;
        std::string ignored;
        mOut->truncate(mEnd, &ignored);
        return Status::fail(AviError::Write, error);
    }
    std::vector<IndexEntry> reuse = std::move(mPart.entries);
    reuse.clear();
    mPart = Part{};
    mPart.entries = std::move(reuse); // keeps its capacity: no regrowth per part
    mPart.riffStart = mEnd;
    mPart.moviListStart = mEnd + 12;
    mEnd += bytes.size();
    mInFirstPart = false;
    return Status::ok();
}

Status RiffMuxer::writeChunk(const void* data, std::size_t size, bool keyFrame) {
    if (mFinished || !mHasStream || mFormat.empty()) {
        return Status::fail(AviError::BadArgument, "the stream has no format");
    }
    if (mBroken) {
        return Status::fail(AviError::Write, "an earlier write failed");
    }
    if (size > kMaxChunkBytes || (size > 0 && data == nullptr)) {
        return Status::fail(AviError::BadArgument, "sample too large");
    }
    if (mTotalFrames >= static_cast<std::uint32_t>(std::numeric_limits<std::int32_t>::max())) {
        return Status::fail(AviError::Full, "the stream holds as many samples as it can count");
    }
    if (!mHeaderWritten) {
        if (Status st = writeHeader(); !st) {
            return st;
        }
    }
    const std::uint64_t chunkBytes = 8 + padded(size);
    if (!mPart.entries.empty() && mEnd + chunkBytes - mPart.riffStart > mOptions.riffLimitBytes) {
        if (mSuperIndex.size() + 2 > mOptions.superIndexEntries) {
            return Status::fail(AviError::Full, "the index of parts is full");
        }
        if (!closePart()) {
            mBroken = true;
            return Status::fail(AviError::Write, "the index of a full part could not be written");
        }
        if (Status st = beginExtensionPart(); !st) {
            return st;
        }
    }
    std::uint8_t head[8];
    const std::uint32_t id = mChunkId;
    for (int i = 0; i < 4; ++i) {
        head[i] = static_cast<std::uint8_t>(id >> (8 * i));
        head[4 + i] = static_cast<std::uint8_t>(size >> (8 * i));
    }
    static constexpr std::uint8_t kPad = 0;
    const ConstBuffer pieces[3] = {{head, 8}, {data, size}, {&kPad, size & 1}};
    std::string error;
    if (!mOut->writeAt(mEnd, pieces, 3, &error)) {
        mBroken = true;
        return Status::fail(AviError::Write, error);
    }
    const std::uint32_t sizeAndFlag =
        static_cast<std::uint32_t>(size) | (keyFrame ? 0u : kNotKeyFrame);
    mPart.entries.push_back({static_cast<std::uint32_t>(mEnd - moviCodePosition()), sizeAndFlag});
    mEnd += chunkBytes;
    ++mTotalFrames;
    mMaxChunk = std::max(mMaxChunk, static_cast<std::uint32_t>(size));
    return Status::ok();
}

bool RiffMuxer::writeIndexChunk(const std::vector<std::uint8_t>& bytes) {
    const ConstBuffer piece{bytes.data(), bytes.size()};
    std::string error;
    if (mOut->writeAt(mEnd, &piece, 1, &error)) {
        mEnd += bytes.size();
        return true;
    }
    mBroken = true; // a full disk: the file ends with the samples, readers scan for them
    std::string ignored;
    mOut->truncate(mEnd, &ignored);
    return false;
}

bool RiffMuxer::closePart() {
    if (mPart.closed) {
        return true;
    }
    mPart.closed = true;
    const std::size_t n = mPart.entries.size();
    bool indexed = true; // the part's sizes are set even when its index does not fit
    if (n > 0) {
        std::vector<std::uint8_t> ix;
        ix.reserve(8 + kIndexHeaderBytes + 8 * n);
        ByteWriter w(ix);
        w.tag("ix00");
        w.u32(static_cast<std::uint32_t>(kIndexHeaderBytes + 8 * n));
        w.u16(2); // longs per entry
        w.u8(0);
        w.u8(AVI_INDEX_OF_CHUNKS);
        w.u32(static_cast<std::uint32_t>(n));
        w.u32(mChunkId);
        w.u64(moviCodePosition());
        w.u32(0);
        for (const IndexEntry& e : mPart.entries) {
            w.u32(e.offset + 8); // standard index entries point at the data, not the header
            w.u32(e.sizeAndFlag);
        }
        const std::uint64_t at = mEnd;
        indexed = writeIndexChunk(ix);
        if (indexed) {
            mSuperIndex.push_back(
                {at, static_cast<std::uint32_t>(ix.size()), static_cast<std::uint32_t>(n)});
        }
    }
    const std::uint64_t moviEnd = mEnd;
    if (mInFirstPart) {
        std::vector<std::uint8_t> idx1;
        idx1.reserve(8 + 16 * n);
        ByteWriter w(idx1);
        w.tag("idx1");
        w.u32(static_cast<std::uint32_t>(16 * n));
        for (const IndexEntry& e : mPart.entries) {
            w.u32(mChunkId);
            w.u32((e.sizeAndFlag & kNotKeyFrame) ? 0 : AVIIF_KEYFRAME);
            w.u32(e.offset);
            w.u32(e.sizeAndFlag & ~kNotKeyFrame);
        }
        mHasIdx1 = writeIndexChunk(idx1);
        mFirstMoviEnd = moviEnd;
        mFirstRiffEnd = mEnd;
        mFirstPartFrames = static_cast<std::uint32_t>(n);
        mFirstPartClosed = true;
        return indexed && mHasIdx1;
    }
    const bool riffPatched = patchU32(mPart.riffStart + 4, clampU32(mEnd - mPart.riffStart - 8));
    return patchU32(mPart.moviListStart + 4, clampU32(moviEnd - mPart.moviListStart - 8)) &&
           riffPatched && indexed;
}

bool RiffMuxer::patchU32(std::uint64_t offset, std::uint32_t value) {
    std::uint8_t bytes[4];
    for (int i = 0; i < 4; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
    const ConstBuffer piece{bytes, 4};
    std::string ignored; // overwriting bytes already on disk needs no new space, but may fail
    return mOut->writeAt(offset, &piece, 1, &ignored);
}

Status RiffMuxer::finish() {
    if (mFinished) {
        return mFinishStatus;
    }
    mFinished = true;
    std::string error;
    bool ok = true;
    if (mHasStream && !mFormat.empty()) {
        if (mBroken) {
            std::string ignored;            // a cut that fails leaves a torn sample readers skip
            mOut->truncate(mEnd, &ignored); // drop the sample that did not fit
        }
        if (mHeaderWritten || writeHeader()) {
            ok = closePart();
            const std::vector<std::uint8_t> header = buildHeader();
            const ConstBuffer piece{header.data(), header.size()};
            ok = mOut->writeAt(0, &piece, 1, &error) && ok;
        } else {
            ok = false;
            std::string ignored;
            mOut->truncate(0, &ignored);
        }
    }
    std::string closeError;
    if (!mOut->close(&closeError)) {
        ok = false;
        error = closeError;
    }
    mFinishStatus =
        ok ? Status::ok()
           : Status::fail(AviError::Write,
                          error.empty() ? "the indexes or the header could not be written" : error);
    return mFinishStatus;
}

} // namespace dw::avifile::detail
