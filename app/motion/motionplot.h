#pragma once
// The motion plot: each hand's angle index against frame number, drawn with Qt Charts off
// screen. Needs a QApplication (Qt Charts draws with widgets' graphics items); the offscreen
// platform is enough.
#include <functional>
#include <string>
#include <vector>

#include <QImage>

#include "motion/motionsamples.h"

namespace dw::design {
struct ClockDesign;
class HostTap;
} // namespace dw::design
namespace dw::run {
class DesignerSession;
}

namespace dw::motion {

struct MotionOptions {
    int seconds = 60; // of clock time from the design's start time, at least 1
    int width = 960;  // of the picture, pixels
    int height = 540;
    MotionProgress progress; // after each frame of the run; may be empty
};

struct MotionOutcome {
    QImage plot; // null on failure
    MotionRun run;
    std::string error; // why there is no plot; empty when there is one
};

// The seconds a plot covers unless the user says: the design's duration, at most a minute, so
// that the plot stays readable.
int defaultPlotSeconds(const design::ClockDesign& design);

// The plot of a run of the session's design (see collectMotion; `tap` is the session's host).
MotionOutcome makeMotionPlot(run::DesignerSession& session, design::HostTap& tap,
                             const MotionOptions& options);

// The plot of samples: one stepped line per hand (or the sweep alone), axes with their titles,
// a legend and the title given. A null image for no samples or a size that cannot be drawn.
QImage drawMotionPlot(const MotionRun& run, const std::string& title, int width, int height);

} // namespace dw::motion
