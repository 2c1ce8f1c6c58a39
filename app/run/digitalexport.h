#pragma once
// Where the frames of a digital export go: the AVI writer component, created by class
// identifier, or the frame sink a caller put in the run's output instead.
#include <memory>

#include "run/runoutput.h"

namespace reelkit {
class IWrapDLGAVI;
}

namespace dw::design {
class Picture;
}

namespace dw::run {

class DigitalExport {
public:
    // Nothing is created or opened yet. `output` must outlive the export.
    explicit DigitalExport(const RunOutput& output);
    // Releases the writer; close() must have run first when the export was opened.
    ~DigitalExport();

    DigitalExport(const DigitalExport&) = delete;
    DigitalExport& operator=(const DigitalExport&) = delete;

    // Opens the file (or the sink) for frames of this size at the output's frame rate. Throws
    // RuntimeError when the writer cannot be created or refuses the file; the writer or sink
    // has then told the user why, except for a missing component, whose text is the error.
    void open(int width, int height);

    // Hands one frame over. Throws RuntimeError when the writer or the sink refuses it.
    void writeFrame(const design::Picture& frame);

    // Closes the file or the sink; safe to call whether or not open succeeded. Never throws.
    void close() noexcept;

private:
    const RunOutput& mOutput;
    reelkit::IWrapDLGAVI* mWriter = nullptr;
};

} // namespace dw::run
