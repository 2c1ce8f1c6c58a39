#pragma once
// Another home for the frames of an export. A run given a sink hands it exactly the frames it
// would hand the AVI writer, at the same moments and from the same picture, instead of the
// writer: the command line's `frames` command writes one PNG per frame through it, so those PNGs
// equal the AVI frames of the same run.
namespace dw::design {
class Picture;
}

namespace dw::run {

class FrameSink {
public:
    virtual ~FrameSink() = default;

    // Called once before the first frame with the size of the frames to come and the run's
    // frames per second. False refuses the export: the sink has told the user why (through
    // the message-box hook or its own front end), and the run ends through its closing steps.
    virtual bool open(int width, int height, int framesPerSecond) = 0;

    // One frame, in time order; the copies of a step arrive as repeated calls with an unchanged
    // picture. The picture is only valid during the call. False (after telling the user why)
    // ends the run through its closing steps.
    virtual bool writeFrame(const design::Picture& frame) = 0;

    // Called in the run's closing steps on every path out of an export, also when open failed
    // or was never reached; must cope with being called without a successful open.
    virtual void close() = 0;
};

} // namespace dw::run
