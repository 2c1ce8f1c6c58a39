#pragma once
// The RIFF layout of an AVI file with one video stream, written as samples arrive:
//   RIFF 'AVI ' { LIST 'hdrl' { avih, LIST 'strl' { strh, strf, indx }, LIST 'odml' { dmlh } },
//                 LIST 'movi' { 00db|00dc ..., ix00 }, idx1 }
//   RIFF 'AVIX' { LIST 'movi' { 00db|00dc ..., ix00 } } ...
// The header is written with the first sample and again, with its final counts, at the end.
// After a failed write the file is cut back to its last whole sample and finished from there,
// so it plays up to that sample.
#include <cstdint>
#include <memory>
#include <vector>

#include "dw/avifile/avifile.h"

namespace dw::avifile::detail {

class RiffMuxer {
public:
    RiffMuxer(std::unique_ptr<OutputFile> output, const FileOptions& options);
    ~RiffMuxer(); // finishes the file; never throws

    RiffMuxer(const RiffMuxer&) = delete;
    RiffMuxer& operator=(const RiffMuxer&) = delete;

    // Adds the video stream; BadArgument for a second one or a description the file cannot hold.
    Status addStream(const StreamInfo& info);
    // Sets the stream's format; BadFormat once samples are written or for a format that is not
    // a bitmap header.
    Status setFormat(const void* format, std::size_t size);
    // Appends one sample. Write when the output refuses it; the file then takes no more.
    Status writeChunk(const void* data, std::size_t size, bool keyFrame);
    // Writes the indexes and the final header and closes the output. Write when an index, the
    // header or the close failed; the file is still left playable up to its last whole sample
    // wherever the disk allows. Later calls return the same outcome.
    Status finish();

    bool hasStream() const { return mHasStream; }
    const StreamInfo& streamInfo() const { return mInfo; }
    std::int32_t chunkCount() const { return static_cast<std::int32_t>(mTotalFrames); }

private:
    struct IndexEntry {
        std::uint32_t offset;      // of the chunk header, from the part's 'movi' code
        std::uint32_t sizeAndFlag; // bit 31 set: not a key frame
    };
    struct SuperEntry {
        std::uint64_t offset; // of the part's 'ix00' chunk
        std::uint32_t size;
        std::uint32_t duration; // samples it indexes
    };
    struct Part {
        std::uint64_t riffStart = 0;
        std::uint64_t moviListStart = 0; // the 'LIST' of the part's movi list
        std::vector<IndexEntry> entries;
        bool closed = false;
    };

    std::uint64_t headerBytes() const;
    std::vector<std::uint8_t> buildHeader() const;
    void appendStreamList(std::vector<std::uint8_t>& out) const;
    Status writeHeader();
    Status beginExtensionPart();
    bool closePart(); // false when its index or sizes could not be written
    bool writeIndexChunk(const std::vector<std::uint8_t>& bytes);
    bool patchU32(std::uint64_t offset, std::uint32_t value);
    std::uint64_t moviCodePosition() const { return mPart.moviListStart + 8; }

    std::unique_ptr<OutputFile> mOut;
    FileOptions mOptions;
    bool mHasStream = false;
    StreamInfo mInfo;
    std::vector<std::uint8_t> mFormat;
    std::uint32_t mChunkId = 0;
    bool mHeaderWritten = false;
    bool mBroken = false; // a write failed: nothing more is appended
    bool mFinished = false;
    Status mFinishStatus;
    std::uint64_t mEnd = 0; // end of the last whole piece written
    Part mPart;
    bool mInFirstPart = true;
    std::vector<SuperEntry> mSuperIndex;
    std::uint32_t mTotalFrames = 0;
    std::uint32_t mFirstPartFrames = 0;
    std::uint64_t mFirstMoviEnd = 0;
    std::uint64_t mFirstRiffEnd = 0;
    bool mFirstPartClosed = false;
    bool mHasIdx1 = false;
    std::uint32_t mMaxChunk = 0;
};

} // namespace dw::avifile::detail
