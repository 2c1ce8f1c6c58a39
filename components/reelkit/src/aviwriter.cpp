#include "aviwriter.h"

#include <new>
#include <string>
#include <unistd.h>

#include "dw/platform/compressiondialog.h"
#include "dw/platform/messagebox.h"

namespace reelkit {

using dw::com::E_FAIL;
using dw::com::S_OK;
namespace avi = dw::avifile;

namespace {

constexpr const char* kCaption = "Fatal Error";

// The format every stream is given: a 40-byte bitmap header of 24-bit bottom-up frames, then four
// zero bytes.
std::vector<std::uint8_t> frameFormat(std::int32_t width, std::int32_t height,
                                      std::int32_t frameSize) {
    avi::BitmapInfoHeader h;
    h.width = width;
    h.height = height;
    h.planes = 1;
    h.bitCount = 24;
    h.compression = avi::BI_RGB;
    h.sizeImage = static_cast<std::uint32_t>(frameSize);
    const auto bytes = h.toBytes();
    std::vector<std::uint8_t> format(bytes.begin(), bytes.end());
    format.resize(44, 0);
    return format;
}

} // namespace

AviWriter::~AviWriter() {
    closeFile(false); // at unload there is no one to tell
}

HRESULT AviWriter::Initialize() {
    return S_OK;
}

HRESULT AviWriter::fail(const char* message) {
    dw::platform::MessageBoxA(0, message, kCaption, dw::platform::MB_OK);
    return E_FAIL;
}

HRESULT AviWriter::WriteAVIFile(const char* fname, std::int32_t width, std::int32_t height,
                                std::int32_t bitsperpixel, std::int32_t fps) {
    if (mOpen || mFile) {
        CloseAVIFile(); // finish the old file rather than leave its streams behind
    }
    // The video library's version check always passes: this library is the one it checks for.
    mWidth = width;
    mHeight = height;
    mBitsPerPixel = bitsperpixel;
    mFps = fps;
    if (fps < 0) {
        return fail("FPS cannot be <0");
    }
    if (bitsperpixel <= 8) {
        return fail("Unsupported Pixel Format.\n");
    }
    if (!mLibraryStarted) {
        avi::initLibrary();
        mLibraryStarted = true;
    }
    const HRESULT hr = openStreams(fname != nullptr ? fname : "");
    if (hr != S_OK) {
        return hr;
    }
    mFrameCounter = 0;
    mFrameSize = static_cast<std::int32_t>(avi::dibRowBytes(width, 24) * height);
    try {
        mFrameBuffer.assign(static_cast<std::size_t>(mFrameSize), 0);
    } catch (const std::bad_alloc&) {
        CloseAVIFile();
        return E_FAIL;
    }
    // Without memory for its comparison copy the capture reads every frame in full instead.
    mCapture.reset(width, height);
    mPreviousFromFrameBuffer = false;
    mStats = Stats{};
    mOpen = true;
    return S_OK;
}

HRESULT AviWriter::openStreams(const char* fname) {
    ::unlink(fname); // the old file goes whether or not the new one can be made
    avi::Status st;
    mFile = avi::AviFile::create(fname, &st);
    if (!mFile) {
        return fail("AVIFileOpen failed.\n");
    }
    mStreamInfo = avi::StreamInfo{};
    mStreamInfo.fccType = avi::streamtypeVIDEO;
    mStreamInfo.fccHandler = 0;
    mStreamInfo.scale = 1;
    mStreamInfo.rate = static_cast<std::uint32_t>(mFps);
    mStreamInfo.suggestedBufferSize = 0;
    mStreamInfo.quality = -1;
    mStreamInfo.frame = {0, 0, mWidth, mHeight};
    mRawStream = mFile->createStream(mStreamInfo, &st);
    if (!mRawStream) {
        fail("Couldn't create AVI stream.\n");
        CloseAVIFile();
        return E_FAIL;
    }
    const auto options = avi::saveOptions(mStreamInfo, dw::platform::ICMF_CHOOSE_KEYFRAME |
                                                           dw::platform::ICMF_CHOOSE_DATARATE);
    if (!options) {
        fail("AVISaveOptions failed.\n");
        CloseAVIFile();
        return E_FAIL;
    }
    mCompressedStream = avi::makeCompressedStream(mRawStream, *options, &st);
    if (!mCompressedStream) {
        fail("Couldn't create compressed stream.\n");
        CloseAVIFile();
        return E_FAIL;
    }
    const std::int32_t frameSize =
        static_cast<std::int32_t>(avi::dibRowBytes(mWidth, 24) * mHeight);
    const auto format = frameFormat(mWidth, mHeight, frameSize);
    if (!mCompressedStream->setFormat(0, format.data(), format.size())) {
        fail("AVIStreamSetFormat returned an ERROR_LOG.\n");
        CloseAVIFile();
        return E_FAIL;
    }
    return S_OK;
}

HRESULT AviWriter::CloseAVIFile() {
    closeFile(mOpen);
    return S_OK;
}

void AviWriter::closeFile(bool reportFailure) {
    if (mCompressedStream) {
        mStats.stream = mCompressedStream->stats();
    }
    if (!finishFile() && reportFailure) {
        dw::platform::MessageBoxA(0, "Couldn't write video data.\n", kCaption, dw::platform::MB_OK);
    }
    // Raw stream, compressed stream, file: all finished above, so releasing them writes nothing.
    mRawStream.reset();
    mCompressedStream.reset();
    mFile.reset();
    if (mLibraryStarted) {
        avi::exitLibrary();
        mLibraryStarted = false;
    }
    mOpen = false;
    std::vector<std::uint8_t>().swap(mFrameBuffer);
    mCapture.release();
    mPreviousFromFrameBuffer = false;
}

bool AviWriter::finishFile() {
    bool ok = true;
    try {
        // The compressor's held-back frames go into the file before its indexes are written.
        if (mCompressedStream) {
            ok = static_cast<bool>(mCompressedStream->flush());
        }
        if (mFile) {
            ok = static_cast<bool>(mFile->finish()) && ok;
        }
    } catch (const std::bad_alloc&) {
        ok = false; // releasing the file below still closes it
    }
    return ok;
}

bool AviWriter::formatMatches(std::int32_t width, std::int32_t height) const {
    if (width != mWidth || height != mHeight || mBitsPerPixel != 24) {
        dw::platform::MessageBoxA(0, "Frame format not the same as opened AVI.\n", kCaption,
                                  dw::platform::MB_OK);
        return false;
    }
    return true;
}

void AviWriter::writeFrameData(const std::uint8_t* data, avi::SampleHint hint) {
    const avi::Status st = mCompressedStream->write(mFrameCounter, data,
                                                    static_cast<std::size_t>(mFrameSize), 0, hint);
    if (!st) {
        dw::platform::MessageBoxA(0, "Couldn't write video data.\n", kCaption, dw::platform::MB_OK);
        closeFile(false); // one message for the export: finishing a full file fails too
        return;
    }
    ++mFrameCounter;
}

HRESULT AviWriter::WriteFrameEx(std::int32_t hwnd, std::int32_t hbitmap, std::int32_t width,
                                std::int32_t height) {
    if (mFrameBuffer.empty()) {
        return E_FAIL;
    }
    // The size is checked before the capture, so a larger picture never overruns the buffer.
    if (!mOpen || !formatMatches(width, height)) {
        return S_OK;
    }
    const auto window = static_cast<dw::platform::Handle>(hwnd);
    const dw::platform::Handle hdc = dw::platform::GetDC(window);
    const CaptureOutcome outcome =
        mCapture.capture(hdc, static_cast<dw::platform::Handle>(hbitmap), mFrameBuffer.data());
    dw::platform::ReleaseDC(window, hdc);
    avi::SampleHint hint = avi::SampleHint::None;
    if (outcome == CaptureOutcome::Unchanged) {
        ++mStats.framesUnchanged;
        if (mPreviousFromFrameBuffer && mReuseUnchanged) {
            hint = avi::SampleHint::SameAsPrevious;
        }
    }
    writeFrameData(mFrameBuffer.data(), hint);
    mPreviousFromFrameBuffer = mOpen;
    return S_OK;
}

HRESULT AviWriter::WriteFrame(std::int32_t hbitmap, std::int32_t hdc, std::int32_t width,
                              std::int32_t height) {
    if (!mOpen || !formatMatches(width, height)) {
        return S_OK;
    }
    std::vector<std::uint8_t> block;
    try {
        block.assign(static_cast<std::size_t>(mFrameSize), 0);
    } catch (const std::bad_alloc&) {
        return S_OK;
    }
    dw::platform::GetDIBits(static_cast<dw::platform::Handle>(hdc),
                            static_cast<dw::platform::Handle>(hbitmap), 0, height, width,
                            block.data());
    writeFrameData(block.data(), avi::SampleHint::None);
    mPreviousFromFrameBuffer = false;
    return S_OK;
}

AviWriter::Stats AviWriter::stats() const {
    Stats s = mStats;
    if (mCompressedStream) {
        s.stream = mCompressedStream->stats();
    }
    return s;
}

AviWriter& sharedWriter() {
    static AviWriter writer; // destroyed at unload, which finishes a file left open
    return writer;
}

} // namespace reelkit
