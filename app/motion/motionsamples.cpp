#include "motion/motionsamples.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "design/hosttap.h"
#include "run/designersession.h"
#include "run/framesink.h"
#include "run/runwriter.h"

namespace dw::motion {

namespace {

// Takes every frame and keeps none: the angles come from the status texts.
class DiscardingSink : public run::FrameSink {
public:
    explicit DiscardingSink(MotionProgress progress) : mProgress(std::move(progress)) {}
    bool open(int, int, int) override { return true; }
    bool writeFrame(const design::Picture&) override {
        if (mProgress) {
            mProgress(++mFrames);
        }
        return true;
    }
    void close() override {}

private:
    MotionProgress mProgress;
    std::int64_t mFrames = 0;
};

} // namespace

std::optional<MotionSample> parseFrameStatus(const std::string& text) {
    MotionSample sample;
    long long frame = 0;
    int used = 0;
    if (std::sscanf(text.c_str(), " %d , %d , %d : %lld%n", &sample.hour, &sample.minute,
                    &sample.second, &frame, &used) != 4 ||
        static_cast<std::size_t>(used) != text.size()) {
        return std::nullopt;
    }
    sample.frame = frame;
    return sample;
}

std::vector<MotionSample> samplesOf(const std::vector<std::string>& statusTexts) {
    std::vector<MotionSample> samples;
    for (const std::string& text : statusTexts) {
        const auto sample = parseFrameStatus(text);
        if (!sample) {
            continue;
        }
        if (!samples.empty() && samples.back().frame == sample->frame) {
            samples.back() = *sample;
        } else {
            samples.push_back(*sample);
        }
    }
    return samples;
}

MotionRun collectMotion(run::DesignerSession& session, design::HostTap& tap, int seconds,
                        const MotionProgress& progress) {
    MotionRun motion;
    design::ClockDesign& d = session.design();
    if (session.runState().running) {
        // The message of the Save AVI command, which this run would be refused with anyway.
        motion.error = "Clock is running! Press the stop test button first.";
        return motion;
    }
    if (d.chkDigital == 1) {
        motion.error = "a digital design has no hands to plot";
        return motion;
    }
    motion.sweep = d.erase == 1;
    const std::string duration = d.duration;
    d.duration = std::to_string(seconds);
    session.runState().runError.clear();
    tap.beginCapture();
    session.saveAviAs({}, std::make_shared<DiscardingSink>(progress));
    tap.endCapture();
    d.duration = duration;
    motion.samples = samplesOf(tap.frameCounts());
    std::string messages;
    for (const std::string& message : tap.messages()) {
        messages += (messages.empty() ? "" : "\n") + message;
    }
    if (!messages.empty()) {
        motion.error = messages;
    } else if (!session.runState().runError.empty()) {
        motion.error = session.runState().runError;
    } else if (motion.samples.empty()) {
        motion.error = "the run ended without producing a frame";
    }
    if (!motion.error.empty()) {
        motion.samples.clear();
    }
    return motion;
}

} // namespace dw::motion
